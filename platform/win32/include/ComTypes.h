// COM and shell types of the in-process server, for the Windows build: the
// system's own declarations. This header is where the server's logic meets
// <windows.h>; nothing else of the logic includes it.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <objbase.h>
#include <shlobj.h>
#include <windows.h>
