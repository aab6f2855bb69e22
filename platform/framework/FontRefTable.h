// The framework's font objects, one per font handle, in a list that needs
// no exceptions and nothing from the C++ library: a node that cannot be
// allocated leaves the table as it was.
#pragma once

#include "../Types.h"
#include "Button.h"

namespace vx {

class CFontRefTable {
  public:
    CFontRefTable() = default;
    ~CFontRefTable();  // frees every object
    CFontRefTable(const CFontRefTable&) = delete;
    CFontRefTable& operator=(const CFontRefTable&) = delete;

    // The object for a handle: the one made for it before, else a new one.
    // Null for a null handle, and when there is no memory for a new one.
    CFontRef* FromHandle(FontHandle handle);
    int GetCount() const { return m_count; }

  private:
    struct Node;
    Node* m_head = nullptr;
    int m_count = 0;
};

}  // namespace vx
