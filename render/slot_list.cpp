// The slot list.
#include "render/slot_list.h"

#include "kernel/prompt_service.h"

CSlotList::~CSlotList() { RemoveAll(); }

int CSlotList::Count() const { return m_count; }

Slot* CSlotList::NodeAt(int index) const
{
    if (index < 0 || index >= m_count)
        return nullptr;
    Slot* s = m_head;
    int i = 0;
    if (m_cursorNode && m_cursorIndex <= index) {
        s = m_cursorNode;
        i = m_cursorIndex;
    }
    for (; i < index && s; ++i)
        s = s->next;
    if (s) {
        m_cursorIndex = index;
        m_cursorNode = s;
    }
    return s;
}

int CSlotList::GetValue(int index, int which) const
{
    if (which < 0 || which >= 4) {
        MessageBox(nullptr, "元素选错了！", nullptr, MB_ICONQUESTION);
        return 0;
    }
    Slot* s = NodeAt(index);
    return s ? s->values[which] : 0;
}

Slot CSlotList::GetAt(int index) const
{
    Slot* s = NodeAt(index);
    if (!s)
        return Slot{};
    Slot copy = *s;
    copy.next = nullptr;
    return copy;
}

Slot* CSlotList::NewNode(const Slot& slot) const
{
    Slot* node = new Slot(slot);
    node->next = nullptr;
    return node;
}

void CSlotList::InsertAt(int index, const Slot& slot)
{
    if (index < 0 || index > m_count)
        return;
    Changed();
    Slot* node = NewNode(slot);
    Slot* before = nullptr;
    Slot** link = &m_head;
    for (int i = 0; i < index && *link; ++i) {
        before = *link;
        link = &(*link)->next;
    }
    node->next = *link;
    *link = node;
    ++m_count;
    if ((before && KeyAfter(*before, *node)) || (node->next && KeyAfter(*node, *node->next)))
        m_ordered = false;
}

void CSlotList::InsertSorted(const Slot& slot)
{
    m_cursorNode = nullptr;
    Slot* node = NewNode(slot);
    Slot** link = &m_head;
    const auto known = m_ordered ? m_lastOfKey.find(Key(slot)) : m_lastOfKey.end();
    if (known != m_lastOfKey.end())
        link = &known->second->next;
    else if (m_ordered && m_lastInserted && !KeyAfter(*m_lastInserted, slot))
        link = &m_lastInserted->next;
    while (*link && !KeyAfter(**link, slot))
        link = &(*link)->next;
    node->next = *link;
    *link = node;
    ++m_count;
    m_lastInserted = node;
    if (m_ordered)
        m_lastOfKey[Key(slot)] = node;
}

void CSlotList::RemoveAt(int index)
{
    if (index < 0 || index >= m_count)
        return;
    Changed();
    Slot** link = &m_head;
    for (int i = 0; i < index && *link; ++i)
        link = &(*link)->next;
    Slot* node = *link;
    if (!node)
        return;
    *link = node->next;
    if (node == m_lastInserted)
        m_lastInserted = nullptr;
    delete node;
    --m_count;
}

void CSlotList::RemoveAll()
{
    Changed();
    while (m_head) {
        Slot* next = m_head->next;
        delete m_head;
        m_head = next;
    }
    m_count = 0;
    m_ordered = true;
    m_lastInserted = nullptr;
}
