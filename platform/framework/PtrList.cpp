#include "PtrList.h"

#include <new>

namespace vx {

struct CPtrList::Block {
    Block* next;
    Node nodes[kBlockSize];
};

CPtrList::~CPtrList() {
    RemoveAll();
    while (m_blocks != nullptr) {
        Block* next = m_blocks->next;
        delete m_blocks;
        m_blocks = next;
    }
}

void*& CPtrList::GetNext(POSITION& pos) const {
    Node* node = pos;
    pos = node->next;
    return node->data;
}

CPtrList::Node* CPtrList::NewNode(Node* prev, Node* next) {
    if (m_free == nullptr) {
        Block* block = new (std::nothrow) Block;
        if (block == nullptr) return nullptr;
        block->next = m_blocks;
        m_blocks = block;
        for (int i = kBlockSize - 1; i >= 0; --i) {
            block->nodes[i].next = m_free;
            m_free = &block->nodes[i];
        }
    }
    Node* node = m_free;
    m_free = m_free->next;
    node->prev = prev;
    node->next = next;
    node->data = nullptr;
    ++m_count;
    return node;
}

void CPtrList::FreeNode(Node* node) {
    node->next = m_free;
    node->prev = nullptr;
    node->data = nullptr;
    m_free = node;
    --m_count;
}

CPtrList::POSITION CPtrList::AddTail(void* element) {
    Node* node = NewNode(m_tail, nullptr);
    if (node == nullptr) return nullptr;
    node->data = element;
    if (m_tail != nullptr) {
        m_tail->next = node;
    } else {
        m_head = node;
    }
    m_tail = node;
    return node;
}

CPtrList::POSITION CPtrList::InsertBefore(POSITION pos, void* element) {
    if (pos == nullptr) return AddTail(element);
    Node* node = NewNode(pos->prev, pos);
    if (node == nullptr) return nullptr;
    node->data = element;
    if (pos->prev != nullptr) {
        pos->prev->next = node;
    } else {
        m_head = node;
    }
    pos->prev = node;
    return node;
}

void CPtrList::RemoveAt(POSITION pos) {
    if (pos == m_head) {
        m_head = pos->next;
    } else {
        pos->prev->next = pos->next;
    }
    if (pos == m_tail) {
        m_tail = pos->prev;
    } else {
        pos->next->prev = pos->prev;
    }
    FreeNode(pos);
}

void CPtrList::RemoveAll() {
    while (m_head != nullptr) RemoveAt(m_head);
}

CPtrList::POSITION CPtrList::FindIndex(int index) const {
    if (index < 0 || index >= m_count) return nullptr;
    Node* node = m_head;
    while (index-- > 0) node = node->next;
    return node;
}

}  // namespace vx
