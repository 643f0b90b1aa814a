// The note-head index.
#include "render/note_head_index.h"

#include <algorithm>

#include "render/strip_coordinates.h"

void CNoteHeadIndex::Open()
{
    m_open = true;
    m_notes = nullptr;
    m_heads.clear();
}

void CNoteHeadIndex::Close()
{
    m_open = false;
    m_notes = nullptr;
    m_heads.clear();
}

void CNoteHeadIndex::Start(NoteEvent* notes, int division, double gridValue)
{
    m_notes = notes;
    m_division = division;
    m_gridValue = gridValue;
    m_unread = notes;
    m_heads.clear();
    m_ordered = true;
    m_restOrdered = 0;
}

void CNoteHeadIndex::Read(int division, double gridValue, int tick)
{
    while (m_ordered && m_unread && (m_heads.empty() || m_heads.back().first <= tick)) {
        int snapped = SnapTick(m_unread->start, division, gridValue);
        m_ordered = m_heads.empty() || snapped >= m_heads.back().first;
        m_heads.emplace_back(snapped, m_unread);
        m_unread = m_unread->next;
    }
}

NoteEvent* CNoteHeadIndex::Lookup(int pitch, int tick) const
{
    auto head = std::lower_bound(m_heads.begin(), m_heads.end(), tick,
                                 [](const std::pair<int, NoteEvent*>& h, int t) { return h.first < t; });
    for (; head != m_heads.end() && head->first == tick; ++head)
        if (head->second->pitch == pitch)
            return head->second;
    return nullptr;
}

NoteEvent* CNoteHeadIndex::Find(NoteEvent* notes, int division, double gridValue, int pitch, int tick)
{
    if (m_open && (m_notes != notes || m_division != division || m_gridValue != gridValue))
        Start(notes, division, gridValue);
    if (!m_open || !m_ordered) {
        for (NoteEvent* note = notes; note; note = note->next)
            if (note->pitch == pitch && SnapTick(note->start, division, gridValue) == tick)
                return note;
        return nullptr;
    }
    // Read on until a note snaps past tick; snapped starts that fall end the index's use.
    Read(division, gridValue, tick);
    if (m_ordered) {
        if (NoteEvent* found = Lookup(pitch, tick))
            return found;
        // Past the first note that snaps later, starts that never fall all snap later too; once known, a
        // miss is final.
        if (m_restOrdered == 0) {
            m_restOrdered = 1;
            for (const NoteEvent* note = m_heads.empty() ? nullptr : m_heads.back().second; note && note->next;
                 note = note->next)
                if (note->next->start < note->start) {
                    m_restOrdered = -1;
                    break;
                }
        }
        if (m_restOrdered > 0)
            return nullptr;
    }
    m_ordered = false;
    return Find(notes, division, gridValue, pitch, tick);
}
