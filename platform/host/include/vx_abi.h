// Calling convention of the outside libraries' entry points (host build).
#pragma once
#define VX_STDCALL
