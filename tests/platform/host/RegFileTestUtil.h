// Building blocks of the registry file tests: documents by hand, their
// comparison, and text in the Unicode forms of version 5 exports.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/regfile/RegFile.h"

namespace vxtest {

inline std::vector<uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// REG_SZ data: the text and its terminating zero.
inline std::vector<uint8_t> Sz(const std::string& text) {
    std::vector<uint8_t> data = Bytes(text);
    data.push_back(0);
    return data;
}

inline vx::regfile::Value MakeValue(const std::string& name, uint32_t type,
                                    std::vector<uint8_t> data) {
    return {name, type, std::move(data), false};
}

inline ::testing::AssertionResult SameDocument(const vx::regfile::Document& a,
                                               const vx::regfile::Document& b) {
    if (a.keys.size() != b.keys.size()) {
        return ::testing::AssertionFailure() << a.keys.size() << " keys against " << b.keys.size();
    }
    for (size_t k = 0; k < a.keys.size(); ++k) {
        const vx::regfile::Key& x = a.keys[k];
        const vx::regfile::Key& y = b.keys[k];
        if (x.path != y.path || x.deleted != y.deleted || x.values.size() != y.values.size()) {
            return ::testing::AssertionFailure()
                   << "key " << k << ": " << x.path << " / " << y.path;
        }
        for (size_t v = 0; v < x.values.size(); ++v) {
            const vx::regfile::Value& p = x.values[v];
            const vx::regfile::Value& q = y.values[v];
            if (p.name != q.name || p.type != q.type || p.data != q.data ||
                p.deleted != q.deleted) {
                return ::testing::AssertionFailure() << "key " << x.path << ", value " << v << " ("
                                                     << p.name << " / " << q.name << ")";
            }
        }
    }
    return ::testing::AssertionSuccess();
}

// UTF-16LE bytes, with a byte-order mark, of UTF-16 code units.
inline std::string Utf16File(const std::u16string& text) {
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

}  // namespace vxtest
