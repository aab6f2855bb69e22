// The current display driver's subkey, as the maker's software key holds it.
#pragma once

namespace standin {

// Reads "CurrentDisplayKey" of HKEY_LOCAL_MACHINE\SOFTWARE\Corvane\Lumetra
// into buffer (room for capacity bytes), taking its data as text up to the
// first zero byte whatever its type. Returns 1, or 0 when it cannot be read.
int ReadCurrentDisplayKey(char* buffer, unsigned long capacity);

}  // namespace standin
