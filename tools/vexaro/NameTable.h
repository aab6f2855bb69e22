// The name of each of a few values, looked up in a small table: for the
// words that the reports print for enums and codes.
#pragma once

#include <cstddef>

namespace vexaro {

template <typename Value>
struct Named {
    Value value;
    const char* name;
};

// The name of value in the table, or otherwise when it has none.
template <typename Value, size_t N>
const char* NameOf(Value value, const Named<Value> (&table)[N], const char* otherwise) {
    for (const Named<Value>& row : table) {
        if (row.value == value) return row.name;
    }
    return otherwise;
}

}  // namespace vexaro
