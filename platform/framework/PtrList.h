// The framework's doubly linked list of pointers. Nodes come from blocks
// of ten, kept until the list is destroyed, so that a position stays valid
// while other nodes are removed.
#pragma once

#include <cstddef>

namespace vx {

class CPtrList {
    struct Node {
        Node* next;
        Node* prev;
        void* data;
    };

  public:
    using POSITION = Node*;
    static constexpr int kBlockSize = 10;

    CPtrList() = default;
    ~CPtrList();
    CPtrList(const CPtrList&) = delete;
    CPtrList& operator=(const CPtrList&) = delete;

    int GetCount() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }
    POSITION GetHeadPosition() const { return m_head; }
    POSITION GetTailPosition() const { return m_tail; }
    // Returns the element at pos and moves pos on to the next node (null at the end).
    void*& GetNext(POSITION& pos) const;
    void*& GetAt(POSITION pos) const { return pos->data; }
    // All three return null when no node can be had.
    POSITION AddTail(void* element);
    POSITION InsertBefore(POSITION pos, void* element);
    void RemoveAt(POSITION pos);
    void RemoveAll();
    // The position of the n-th element counted from 0; null past the end.
    POSITION FindIndex(int index) const;

  private:
    Node* NewNode(Node* prev, Node* next);
    void FreeNode(Node* node);

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    Node* m_free = nullptr;
    struct Block;
    Block* m_blocks = nullptr;
    int m_count = 0;
};

// A typed face over CPtrList.
template <typename T>
class CTypedPtrList : public CPtrList {
  public:
    T*& GetNext(POSITION& pos) const { return reinterpret_cast<T*&>(CPtrList::GetNext(pos)); }
    T*& GetAt(POSITION pos) const { return reinterpret_cast<T*&>(CPtrList::GetAt(pos)); }
};

}  // namespace vx
