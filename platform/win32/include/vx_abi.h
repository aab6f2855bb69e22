// Calling convention of the outside libraries' entry points (32-bit Windows).
#pragma once
#define VX_STDCALL __stdcall
