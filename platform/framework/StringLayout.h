/* Binary layout of the framework's string object, published so that an
 * outside library built on its own can fill a string it is handed by
 * reference. Plain C so that such a library needs nothing else.
 *
 * The object is one pointer. It is either null (the empty string) or it
 * points at the characters of a block that starts with a VxStringData
 * header and was allocated from the string heap: on Windows that is the
 * process heap (HeapAlloc(GetProcessHeap(), 0, ...), freed with HeapFree).
 * The characters always end with a zero byte at nDataLength, and the block
 * has room for nAllocLength characters plus that zero.
 *
 * To assign text, a library that finds the block too small (or null)
 * allocates a new block of sizeof(VxStringData) + capacity + 1 bytes,
 * copies the text in, sets the header, frees the old block (header
 * address) and stores the new characters' address in the object. It never
 * writes more characters than the capacity that the caller states. */
#ifndef VX_STRING_LAYOUT_H
#define VX_STRING_LAYOUT_H

#include <stdint.h>

typedef struct VxStringData {
    int32_t nRefs;        /* always 1: strings are not shared */
    int32_t nDataLength;  /* characters in use, without the zero */
    int32_t nAllocLength; /* room for characters, without the zero */
} VxStringData;

#endif
