// The host's string heap is malloc. An allocator put in front of it sees
// every string allocation and may refuse one (null), as a full heap would;
// the blocks it gives must come from malloc, since free releases them.
#pragma once

#include <cstddef>

namespace vx {

using StringAllocator = void* (*)(size_t bytes);

// Null goes back to malloc alone. Returns the allocator that was set.
StringAllocator SetStringAllocator(StringAllocator allocator);

}  // namespace vx
