// The memory and string functions that the code and the compiler call.
// Built with loop-to-call replacement off, so that none of them turns into
// a call to itself.
#include <stddef.h>

extern "C" {

void* memcpy(void* to, const void* from, size_t count) {
    auto* d = static_cast<unsigned char*>(to);
    const auto* s = static_cast<const unsigned char*>(from);
    while (count--) *d++ = *s++;
    return to;
}

void* memmove(void* to, const void* from, size_t count) {
    auto* d = static_cast<unsigned char*>(to);
    const auto* s = static_cast<const unsigned char*>(from);
    if (d < s) {
        while (count--) *d++ = *s++;
    } else if (d > s) {
        while (count--) d[count] = s[count];
    }
    return to;
}

void* memset(void* to, int value, size_t count) {
    auto* d = static_cast<unsigned char*>(to);
    while (count--) *d++ = static_cast<unsigned char>(value);
    return to;
}

int memcmp(const void* a, const void* b, size_t count) {
    const auto* x = static_cast<const unsigned char*>(a);
    const auto* y = static_cast<const unsigned char*>(b);
    for (; count--; ++x, ++y) {
        if (*x != *y) return *x < *y ? -1 : 1;
    }
    return 0;
}

size_t strlen(const char* text) {
    const char* end = text;
    while (*end) ++end;
    return static_cast<size_t>(end - text);
}

size_t strnlen(const char* text, size_t limit) {
    size_t length = 0;
    while (length < limit && text[length]) ++length;
    return length;
}

int strncmp(const char* a, const char* b, size_t count) {
    for (; count--; ++a, ++b) {
        const auto x = static_cast<unsigned char>(*a);
        const auto y = static_cast<unsigned char>(*b);
        if (x != y) return x < y ? -1 : 1;
        if (x == 0) break;
    }
    return 0;
}

int strcmp(const char* a, const char* b) {
    return strncmp(a, b, static_cast<size_t>(-1));
}

char* strchr(const char* text, int c) {
    const char wanted = static_cast<char>(c);
    for (;; ++text) {
        if (*text == wanted) return const_cast<char*>(text);
        if (*text == '\0') return nullptr;
    }
}

}  // extern "C"
