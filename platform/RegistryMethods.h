// The methods of IRegistry (Registry.h documents each), as the list that
// its implementations and the forwarding layer expand (Interface.h).
#pragma once

#include <cstdint>

#include "Interface.h"
#include "Types.h"

#define VX_REGISTRY_METHODS(M, on)                                                                 \
    M(on, long, OpenKey, (const char* path, uint32_t access, KeyHandle* out), (path, access, out)) \
    M(on, long, EnumValue,                                                                         \
      (KeyHandle key, uint32_t index, char* name, uint32_t* nameChars, uint32_t* type,             \
       uint8_t* data, uint32_t* dataBytes),                                                        \
      (key, index, name, nameChars, type, data, dataBytes))                                        \
    M(on, long, QueryValue,                                                                        \
      (KeyHandle key, const char* name, uint32_t* type, uint8_t* data, uint32_t* dataBytes),       \
      (key, name, type, data, dataBytes))                                                          \
    M(on, long, SetValue,                                                                          \
      (KeyHandle key, const char* name, uint32_t type, const uint8_t* data, uint32_t bytes),       \
      (key, name, type, data, bytes))                                                              \
    M(on, long, DeleteValue, (KeyHandle key, const char* name), (key, name))                       \
    M(on, long, DeleteKey, (const char* path), (path))                                             \
    M(on, long, CloseKey, (KeyHandle key), (key))
