// The methods of ILibraryLoader (Libraries.h documents each), as the list
// that its implementations and the forwarding layer expand (Interface.h).
#pragma once

#include "Interface.h"
#include "Types.h"

#define VX_LIBRARY_METHODS(M, on)                                                         \
    M(on, LibraryHandle, Load, (const char* fileName), (fileName))                        \
    M(on, void*, GetProc, (LibraryHandle library, const char* symbol), (library, symbol)) \
    M(on, int, Free, (LibraryHandle library), (library))
