// CSlotList: the laid-out notation of one staff of one track, one slot per note piece, tie or rest.
#pragma once

#include <cstdint>
#include <unordered_map>

// One slot. In note slots: flags = grace link, accidental, stem direction, tuplet number; values = measure,
// position in 48ths, natural pitch, length in 48ths (a rest's length carries kRestSlotBit). In tie slots:
// values = measure, start position, end position (0 = up to the bar line), natural pitch.
struct Slot {
    int8_t flags[4] = {0, 0, 0, 0};
    void* element = nullptr;
    int32_t values[4] = {0, 0, 0, 0};
    Slot* next = nullptr;  // meaningless in a copy

    // The fields by name. A tie slot's start position is Position.
    int32_t& Measure() { return values[0]; }
    int32_t Measure() const { return values[0]; }
    int32_t& Position() { return values[1]; }
    int32_t Position() const { return values[1]; }
    int32_t& NaturalPitch() { return values[2]; }
    int32_t NaturalPitch() const { return values[2]; }
    int32_t& Length() { return values[3]; }
    int32_t Length() const { return values[3]; }
    int8_t& GraceLink() { return flags[0]; }
    int8_t GraceLink() const { return flags[0]; }
    int8_t& Accidental() { return flags[1]; }
    int8_t Accidental() const { return flags[1]; }
    int8_t& Stem() { return flags[2]; }
    int8_t Stem() const { return flags[2]; }
    int8_t& Tuplet() { return flags[3]; }
    int8_t Tuplet() const { return flags[3]; }
    int32_t TieEnd() const { return values[2]; }
    int32_t TiePitch() const { return values[3]; }
};

constexpr int32_t kRestSlotBit = 0x10000000;

class CSlotList {
public:
    CSlotList() = default;
    ~CSlotList();
    CSlotList(const CSlotList&) = delete;
    CSlotList& operator=(const CSlotList&) = delete;

    // Kept by every change, so that painters may ask inside their loops.
    int Count() const;
    // Value `which` (0..3) of slot `index`; 0 past the end, and 0 with a message for a bad value number.
    int GetValue(int index, int which) const;
    // A copy of slot `index`; all zero past the end.
    Slot GetAt(int index) const;
    // Slot `index` itself, from which `next` walks on; null past the end.
    const Slot* SlotAt(int index) const { return NodeAt(index); }
    // Links a copy in as slot `index` (index = count appends); a larger index does nothing.
    void InsertAt(int index, const Slot& slot);
    // Links a copy in after every slot whose (value 0, value 1) is not greater than the copy's.
    void InsertSorted(const Slot& slot);
    void RemoveAt(int index);
    void RemoveAll();

private:
    Slot* NodeAt(int index) const;
    Slot* NewNode(const Slot& slot) const;
    // Forgets the nodes remembered by place and by key: the links changed.
    void Changed()
    {
        m_cursorNode = nullptr;
        m_lastOfKey.clear();
    }
    static int64_t Key(const Slot& s) { return (int64_t)s.Measure() << 32 | (uint32_t)s.Position(); }
    static bool KeyAfter(const Slot& a, const Slot& b)
    {
        return a.Measure() > b.Measure() || (a.Measure() == b.Measure() && a.Position() > b.Position());
    }

    int m_count = 0;
    Slot* m_head = nullptr;
    // The last node reached by index, so that walking the list in order does not start over at each slot.
    mutable int m_cursorIndex = 0;
    mutable Slot* m_cursorNode = nullptr;
    // While every node's key is at most its successor's, a sorted insert that does not go before the last
    // node inserted walks on from it: the layout inserts mostly in order.
    bool m_ordered = true;
    Slot* m_lastInserted = nullptr;
    // The last node of each key inserted sorted since the last other change: a chord of thousands of notes
    // goes in after its last note without walking past the others.
    std::unordered_map<int64_t, Slot*> m_lastOfKey;
};
