#include "FuzzCheck.h"

#include <cstdio>
#include <cstdlib>

namespace vxfuzz {

void Broken(const std::string& what) {
    std::fprintf(stderr, "\n*** broken: %s\n", what.c_str());
    std::fflush(stderr);
    std::abort();
}

std::string Printable(const std::string& bytes) {
    std::string out;
    for (char c : bytes) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u >= 0x20 && u < 0x7F && c != '\\') {
            out += c;
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", u);
            out += escaped;
        }
    }
    return out;
}

}  // namespace vxfuzz
