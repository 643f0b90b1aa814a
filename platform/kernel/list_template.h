// CList: the class library's doubly linked list template with POSITION walking, and the typed lists.
#pragma once

#include "kernel/cstring.h"
#include "kernel/object.h"

// An opaque place in a list or map; null past the last element.
struct KestrinPosition;
typedef KestrinPosition* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct Node {
        Node* next;
        Node* prev;
        TYPE data;
    };
    static Node* N(POSITION p) { return reinterpret_cast<Node*>(p); }
    static POSITION P(Node* n) { return reinterpret_cast<POSITION>(n); }

public:
    explicit CList(INT_PTR blockSize = 10) {}
    ~CList() override { RemoveAll(); }
    CList(const CList&) = delete;
    CList& operator=(const CList&) = delete;

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    BOOL IsEmpty() const { return m_count == 0; }

    TYPE& GetHead() { return m_head->data; }
    const TYPE& GetHead() const { return m_head->data; }
    TYPE& GetTail() { return m_tail->data; }
    const TYPE& GetTail() const { return m_tail->data; }

    TYPE RemoveHead()
    {
        TYPE value = m_head->data;
        Unlink(m_head);
        return value;
    }
    TYPE RemoveTail()
    {
        TYPE value = m_tail->data;
        Unlink(m_tail);
        return value;
    }
    POSITION AddHead(ARG_TYPE element) { return P(Link(new Node{nullptr, nullptr, element}, nullptr, m_head)); }
    POSITION AddTail(ARG_TYPE element) { return P(Link(new Node{nullptr, nullptr, element}, m_tail, nullptr)); }
    void AddHead(CList* other)
    {
        for (POSITION p = other->GetTailPosition(); p;)
            AddHead(other->GetPrev(p));
    }
    void AddTail(CList* other)
    {
        for (POSITION p = other->GetHeadPosition(); p;)
            AddTail(other->GetNext(p));
    }
    void RemoveAll()
    {
        while (m_head)
            Unlink(m_head);
    }

    POSITION GetHeadPosition() const { return P(m_head); }
    POSITION GetTailPosition() const { return P(m_tail); }
    // The element at the position; the position moves on to the next (previous) one.
    TYPE& GetNext(POSITION& position)
    {
        Node* n = N(position);
        position = P(n->next);
        return n->data;
    }
    const TYPE& GetNext(POSITION& position) const
    {
        Node* n = N(position);
        position = P(n->next);
        return n->data;
    }
    TYPE& GetPrev(POSITION& position)
    {
        Node* n = N(position);
        position = P(n->prev);
        return n->data;
    }
    const TYPE& GetPrev(POSITION& position) const
    {
        Node* n = N(position);
        position = P(n->prev);
        return n->data;
    }
    TYPE& GetAt(POSITION position) { return N(position)->data; }
    const TYPE& GetAt(POSITION position) const { return N(position)->data; }
    void SetAt(POSITION position, ARG_TYPE element) { N(position)->data = element; }
    void RemoveAt(POSITION position) { Unlink(N(position)); }
    POSITION InsertBefore(POSITION position, ARG_TYPE element)
    {
        if (!position)
            return AddHead(element);
        Node* at = N(position);
        return P(Link(new Node{nullptr, nullptr, element}, at->prev, at));
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE element)
    {
        if (!position)
            return AddTail(element);
        Node* at = N(position);
        return P(Link(new Node{nullptr, nullptr, element}, at, at->next));
    }
    // The first element equal to the value after the given position (from the head when null).
    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const
    {
        for (Node* n = startAfter ? N(startAfter)->next : m_head; n; n = n->next)
            if (n->data == value)
                return P(n);
        return nullptr;
    }
    POSITION FindIndex(INT_PTR index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* n = m_head;
        while (index--)
            n = n->next;
        return P(n);
    }

private:
    Node* Link(Node* n, Node* before, Node* after)
    {
        n->prev = before;
        n->next = after;
        (before ? before->next : m_head) = n;
        (after ? after->prev : m_tail) = n;
        ++m_count;
        return n;
    }
    void Unlink(Node* n)
    {
        (n->prev ? n->prev->next : m_head) = n->next;
        (n->next ? n->next->prev : m_tail) = n->prev;
        delete n;
        --m_count;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    INT_PTR m_count = 0;
};

class CPtrList : public CList<void*, void*> {
public:
    explicit CPtrList(INT_PTR blockSize = 10) : CList(blockSize) {}
};
class CObList : public CList<CObject*, CObject*> {
public:
    explicit CObList(INT_PTR blockSize = 10) : CList(blockSize) {}
};
class CStringList : public CList<CString, const CString&> {
public:
    explicit CStringList(INT_PTR blockSize = 10) : CList(blockSize) {}
};
