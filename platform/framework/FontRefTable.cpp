#include "FontRefTable.h"

#include <new>

namespace vx {

struct CFontRefTable::Node {
    explicit Node(FontHandle handle, Node* following) : font(handle), next(following) {}
    CFontRef font;
    Node* next;
};

CFontRefTable::~CFontRefTable() {
    while (m_head != nullptr) {
        Node* node = m_head;
        m_head = node->next;
        delete node;
    }
}

CFontRef* CFontRefTable::FromHandle(FontHandle handle) {
    if (handle == nullptr) return nullptr;
    for (Node* node = m_head; node != nullptr; node = node->next) {
        if (node->font.GetSafeHandle() == handle) return &node->font;
    }
    Node* node = new (std::nothrow) Node(handle, m_head);
    if (node == nullptr) return nullptr;
    m_head = node;
    ++m_count;
    return &node->font;
}

}  // namespace vx
