#include "StringObject.h"

#include <windows.h>

#include <cstring>

namespace standin {

int AssignString(char** object, const char* text, int length) {
    if (object == nullptr || length < 0 || (text == nullptr && length > 0)) return 0;
    char* chars = *object;
    VxStringData* header = chars ? reinterpret_cast<VxStringData*>(chars) - 1 : nullptr;
    if (header == nullptr || header->nAllocLength < length) {
        // A new block from the process heap, as the layout requires.
        void* block =
            HeapAlloc(GetProcessHeap(), 0, sizeof(VxStringData) + static_cast<size_t>(length) + 1);
        if (block == nullptr) return 0;
        VxStringData* fresh = static_cast<VxStringData*>(block);
        fresh->nRefs = 1;
        fresh->nAllocLength = length;
        if (header != nullptr) HeapFree(GetProcessHeap(), 0, header);
        header = fresh;
        chars = reinterpret_cast<char*>(fresh + 1);
        *object = chars;
    }
    if (length > 0) std::memmove(chars, text, static_cast<size_t>(length));
    chars[length] = '\0';
    header->nDataLength = length;
    return 1;
}

}  // namespace standin
