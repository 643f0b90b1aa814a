// Note layout: chords, pieces of standard lengths, ties and rests.
#include "render/note_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "render/note_arithmetic.h"

const int kStandardLengths[kStandardLengthCount] = {2,  3,  4,  6,  8,  9,  12, 16, 18,  21,  24,
                                                    32, 36, 42, 48, 64, 72, 84, 96, 144, 168, 192};

namespace {

bool IsTripletIndex(int index)
{
    return index == 0 || index == 2 || index == 4 || index == 7 || index == 11 || index == 15;
}

// Nearest multiple of step, halves up; computed in 64 bits and kept within a word.
int RoundToMultiple(int64_t value, int step)
{
    if (step <= 0)
        return static_cast<int>(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX));
    const int64_t rounded = (value / step) * step + (2 * (value % step) >= step ? step : 0);
    return static_cast<int>(std::clamp<int64_t>(rounded, INT32_MIN, INT32_MAX));
}

// Ticks in 48ths of a quarter, in 64 bits and kept within a word.
int TicksIn48ths(int64_t ticks, int division)
{
    return static_cast<int>(std::clamp<int64_t>(ticks * 48 / division, INT32_MIN, INT32_MAX));
}

// The largest standard length not above value (2 below it, 192 from 192 on).
int LargestNotAbove(int value)
{
    int best = kStandardLengths[0];
    for (int length : kStandardLengths)
        if (length <= value)
            best = length;
    return best;
}

Slot NoteSlot(int measure, int position, int pitch, int length)
{
    Slot s;
    s.Measure() = measure;
    s.Position() = position;
    s.NaturalPitch() = pitch;
    s.Length() = length;
    return s;
}

}  // namespace

int NearestNoteLength(int length)
{
    static const int kLengths[] = {6, 12, 24, 48, 96, 192};
    int best = kLengths[0];
    for (int candidate : kLengths)
        if (std::abs(candidate - length) < std::abs(best - length))
            best = candidate;
    return best;
}

bool IsTupletNote(const NoteEvent& note, int division, double gridValue, bool tripletFlag)
{
    if (note.tupletNumber != 0)
        return true;
    if (division <= 0)
        return false;
    const int length = TicksIn48ths(static_cast<int64_t>(note.end) - note.start, division);
    const int* found = std::find(kStandardLengths, kStandardLengths + kStandardLengthCount, length);
    if (found == kStandardLengths + kStandardLengthCount || !IsTripletIndex((int)(found - kStandardLengths)))
        return false;
    int ticks = length * division / 48;
    if (ticks == 0 || note.start % ticks != 0)
        return false;
    int grid = static_cast<int>(gridValue * 3.0 * division / 48.0);
    if (tripletFlag)
        grid = grid * 2 / 3;
    return ticks >= grid;
}

int CNoteLayout::RoundToGrid(int ticks) const { return RoundToMultiple(ticks, m_gridTicks); }

int CNoteLayout::StaffOf(const NoteEvent& note) const
{
    return m_song->clefAtTick(note.start) == 4 && note.lowerStaff == 1 ? 1 : 0;
}

int64_t CNoteLayout::MeasureStartTick(int measure) const
{
    int64_t tick = 0;
    for (int i = 0; i < std::min(measure, kStripMeasureCount); ++i)
        tick += MeasureLengthTicks(m_song->measures[i], m_song->division);
    return tick;
}

void CNoteLayout::LayoutTrackNotes(const LayoutSong& song, int track, int firstMeasure, int lastMeasure,
                                   NoteEvent* notes)
{
    for (auto& lists : noteSlots)
        for (CSlotList& list : lists)
            list.RemoveAll();
    for (auto& lists : tieSlots)
        for (CSlotList& list : lists)
            list.RemoveAll();
    m_placed.clear();
    if (!notes || song.division <= 0 || track < 0 || track >= kLayoutTracks)
        return;
    m_song = &song;
    m_ticksPer48 = song.division / 48.0;
    if (m_ticksPer48 == 0)
        m_ticksPer48 = 1.0;
    m_grid = song.gridValue * 3.0;
    m_gridTicks = static_cast<int>(m_ticksPer48 * m_grid);
    for (int m = 0; m < kStripMeasureCount; ++m)
        m_measureStart48[m + 1] = m_measureStart48[m] + MeasureLength48(song.measures[m]);

    firstMeasure = std::max(firstMeasure, 0);
    lastMeasure = std::min({lastMeasure, kStripMeasureCount, 1 + song.lastTickMeasure});
    int64_t startTick = MeasureStartTick(firstMeasure);
    int endTick = static_cast<int>(std::min<int64_t>(MeasureStartTick(lastMeasure + 1), INT32_MAX));
    m_noteCursor = notes;
    while (m_noteCursor && m_noteCursor->start < startTick && m_noteCursor->end < startTick)
        m_noteCursor = m_noteCursor->next;
    const NoteEvent* firstNote = m_noteCursor;
    while (m_noteCursor) {
        CollectChord(endTick);
        for (const NoteEvent& c : m_chord)
            LayoutNote(track, c);
    }
    FillRests(track, firstMeasure, lastMeasure, firstNote);
}

void CNoteLayout::CollectChord(int endTick)
{
    m_chord.clear();
    // The chord test rounds with a single-precision grid.
    int chordGrid = static_cast<int>(m_song->division * static_cast<float>(m_grid) / 48);
    int key = RoundToMultiple(m_noteCursor->start, chordGrid);
    while (m_noteCursor && RoundToMultiple(m_noteCursor->start, chordGrid) == key) {
        NoteEvent* note = m_noteCursor;
        if (note->start > endTick) {
            m_noteCursor = nullptr;
            return;
        }
        if (note->graceLink != 0 && note->graceLink >= -9 && note->graceLink <= 9) {
            m_noteCursor = note->next;
            continue;
        }
        NoteEvent copy = *note;
        copy.next = copy.prev = nullptr;
        if (note->graceLink <= -10 || note->graceLink >= 10) {
            bool before = note->graceLink < 0;
            const NoteEvent* end = note;
            for (int n = std::abs(note->graceLink) - 10; n > 0 && end; --n)
                end = before ? end->prev : end->next;
            if (!end) {
                m_complaint = before ? "前装饰音链有误！" : "后装饰音链有误！";
                // Past the broken note, so that the next pass does not meet it again.
                m_noteCursor = note->next;
                return;
            }
            if (before)
                copy.start = end->start;
            else
                copy.end = end->end;
        }
        if (!IsTupletNote(copy, m_song->division, m_song->gridValue, m_song->tripletFlag)) {
            int length = RoundToMultiple(static_cast<int64_t>(copy.end) - copy.start, m_gridTicks);
            copy.start = RoundToGrid(copy.start);
            copy.end = static_cast<int>(std::min<int64_t>(static_cast<int64_t>(copy.start) + length, INT32_MAX));
        }
        auto at =
            std::find_if(m_chord.begin(), m_chord.end(), [&](const NoteEvent& e) { return e.pitch < copy.pitch; });
        m_chord.insert(at, copy);
        m_noteCursor = note->next;
    }
}

void CNoteLayout::LayoutNote(int track, const NoteEvent& c)
{
    const int division = m_song->division;
    const int grid = static_cast<int>(m_grid);
    NoteRecord record = MakeNoteRecord(c, division);
    int natural = record[3];
    int staff = StaffOf(c);
    int length = record[5];
    const int8_t unadjusted = static_cast<int8_t>(length);
    if (length == 0)
        length = grid;
    bool tuplet = IsTupletNote(c, division, m_song->gridValue, m_song->tripletFlag);
    int start = tuplet ? c.start : RoundToGrid(c.start);
    int p = static_cast<int>(start / m_ticksPer48);
    const int start48 = p;
    if (!tuplet && c.graceLink == 0) {
        p = RoundToMultiple(p, grid);
        if (m_noteCursor && c.stemDirection == 0) {
            // The note ends where the next note of its staff and voice begins.
            for (const NoteEvent* n = m_noteCursor; n; n = n->next) {
                if (n->stemDirection != 0)
                    continue;
                if (RoundToGrid(n->start) > RoundToGrid(c.start) && StaffOf(*n) == staff) {
                    length = std::min(
                        length,
                        TicksIn48ths(static_cast<int64_t>(RoundToGrid(n->start)) - RoundToGrid(c.start), division));
                    break;
                }
            }
        }
    }
    if (!tuplet)
        length = RoundToMultiple(length, grid);
    if (length == 0)
        length = grid;

    int remainder = length;
    for (int piece = 1; remainder > 0; ++piece) {
        int m = 0;
        while (m < kStripMeasureCount && m_measureStart48[m + 1] <= p)
            ++m;
        if (m >= kStripMeasureCount)
            return;
        int q = static_cast<int>(p - m_measureStart48[m]);
        if (MeasureLength48(m_song->measures[m]) - q < 2) {
            q = 0;
            if (++m >= kStripMeasureCount)
                return;
        }
        const MeasureInfo& info = m_song->measures[m];
        int measureLength = MeasureLength48(info);
        int k = remainder;
        if (!tuplet) {
            int beat = 192 / (info.denominator > 0 ? info.denominator : 4);
            if (beat > 0 && q % beat != 0 && remainder > beat - q % beat)
                k = beat - q % beat;
        }
        k = std::min(k, std::abs(measureLength - q));
        if (k >= 192 - m_grid / 2) {
            k = 192;
        } else if (!tuplet) {
            int best = k, bestDistance = INT32_MAX;
            for (int i = kStandardLengthCount - 1; i >= 0; --i) {
                int candidate = kStandardLengths[i];
                if (piece > 1 && (IsTripletIndex(i) || i == 0))
                    continue;
                if (IsTripletIndex(i) && !(candidate == k && start48 % candidate == 0))
                    continue;
                if (std::abs(candidate - k) <= bestDistance) {
                    best = candidate;
                    bestDistance = std::abs(candidate - k);
                }
            }
            // The standard length itself: rounded to a grid that does not divide it (a step of three 64ths,
            // say) it would become a length without a glyph, and the note would vanish.
            k = best;
        } else {
            // A triplet found by its length alone takes the triplet length it was found by (a few ticks longer
            // rounds past it, to a length without a glyph); a numbered tuplet is drawn at the plain length next
            // to its own.
            k = c.tupletNumber != 0 ? static_cast<int>(std::floor((c.end - c.start) / m_ticksPer48 + 0.5))
                                    : TicksIn48ths(static_cast<int64_t>(c.end) - c.start, division);
            int group = NearestNoteLength(k * c.tupletNumber);
            int last = (q / group) * group + k * (c.tupletNumber - 1);
            double middle = q + k / 2.0;
            if (middle > last && middle < last + k)
                k = (q / group) * group + group - q;
        }
        if (k <= 0)
            k = std::max(grid, 1);
        remainder = remainder > k ? remainder - k : 0;
        p += k;
        if ((piece == 1 && k != unadjusted) || piece > 1) {
            if (remainder < 3)
                remainder = 0;
        }
        if (2 * remainder <= m_grid) {
            remainder = 0;
        } else if (remainder > 2) {
            InsertOnce(tieSlots[track][staff], 1 + staff, NoteSlot(m, q, q + k < measureLength ? q + k : 0, natural));
        }
        Slot slot = NoteSlot(m, q, natural, k);
        bool graceFlag = (c.graceLink < -10 && piece == 1) || (c.graceLink > 10 && remainder == 0);
        slot.GraceLink() = graceFlag ? c.graceLink : 0;
        slot.Accidental() = c.accidental;
        slot.Stem() = c.stemDirection;
        slot.Tuplet() = static_cast<int8_t>(c.tupletNumber);
        InsertOnce(noteSlots[track][staff], 3 + staff, slot);
    }
}

void CNoteLayout::InsertOnce(CSlotList& list, int which, const Slot& slot)
{
    uint32_t flags = 0;
    for (int8_t flag : slot.flags)
        flags = flags << 8 | static_cast<uint8_t>(flag);
    if (m_placed.insert({which, slot.Measure(), slot.Position(), slot.NaturalPitch(), slot.Length(), (int32_t)flags})
            .second)
        list.InsertSorted(slot);
}

void CNoteLayout::FillRests(int track, int firstMeasure, int lastMeasure, const NoteEvent* firstNote)
{
    int first = firstMeasure;
    if (firstNote) {
        int64_t end = 0;
        int m = 0;
        while (m < kStripMeasureCount - 1 &&
               end + MeasureLengthTicks(m_song->measures[m], m_song->division) <= firstNote->start)
            end += MeasureLengthTicks(m_song->measures[m++], m_song->division);
        first = m;
    }
    first = std::min(first, firstMeasure);
    int last = std::min(lastMeasure, m_song->lastTickMeasure);
    if (last < first)
        return;
    int64_t span = (MeasureStartTick(last + 1) - MeasureStartTick(first)) * 48 / m_song->division;
    std::vector<int> measureOffsets;  // 48ths from the start of the first measure to each measure
    int64_t offset = 0;
    for (int m = first; m <= std::min(last + 1, kStripMeasureCount); ++m) {
        measureOffsets.push_back(static_cast<int>(offset));
        if (m < kStripMeasureCount)
            offset += MeasureLength48(m_song->measures[m]);
    }
    for (int staff = 0; staff < 2; ++staff) {
        std::vector<uint8_t> occupied(static_cast<size_t>(std::max<int64_t>(span, 0)), 0);
        for (const Slot* node = noteSlots[track][staff].SlotAt(0); node; node = node->next) {
            const Slot& s = *node;
            int m = s.Measure() - first;
            if (m < 0 || m >= (int)measureOffsets.size())
                continue;
            int64_t from = measureOffsets[m] + static_cast<int64_t>(s.Position());
            for (int64_t j = std::max<int64_t>(from, 0); j < from + s.Length() && j < (int64_t)occupied.size(); ++j)
                occupied[j] = 1;
        }
        for (size_t j = 0; j < occupied.size();) {
            if (occupied[j]) {
                ++j;
                continue;
            }
            size_t end = j;
            while (end < occupied.size() && !occupied[end])
                ++end;
            // Each part of the gap within one measure becomes rests.
            for (int m = 0; m + 1 < (int)measureOffsets.size(); ++m) {
                int64_t from = std::max<int64_t>(j, measureOffsets[m]);
                int64_t to = std::min<int64_t>(end, measureOffsets[m + 1]);
                if (from < to)
                    InsertRests(track, first + m, static_cast<int>(from - measureOffsets[m]),
                                static_cast<int>(to - from), staff);
            }
            j = end;
        }
    }
}

void CNoteLayout::InsertRests(int track, int measure, int q, int length, int staff)
{
    if (length < static_cast<int>(m_grid) || measure >= kStripMeasureCount)
        return;
    const MeasureInfo& info = m_song->measures[measure];
    int beat = 192 / (info.denominator > 0 ? info.denominator : 4);
    if (beat <= 0)
        return;
    bool onBeat = false;
    do {
        int r = q % beat;
        int k;
        int inBeat = RestLengthInBeat(track, beat, r, measure, q, staff);
        int upTo = inBeat == 0 ? 0 : RestUpToTuplet(track, measure, q, length, staff);
        if (inBeat == 0 || upTo == 0) {
            k = m_tupletRestLength;
        } else if (r == 0 || onBeat) {
            k = LargestNotAbove(upTo);
            onBeat = true;
        } else {
            int v = std::min(r, inBeat);
            k = LargestNotAbove(v == 1 ? 2 : v);
            if (k > length)
                k = LargestNotAbove(length);
        }
        if (k <= 0)
            return;
        int key = k == 192 ? q + 96 : q;
        CSlotList& list = noteSlots[track][staff];
        int at = 0;
        for (const Slot* s = list.SlotAt(0); s; s = s->next, ++at)
            if (s->Measure() > measure || (s->Measure() == measure && s->Position() >= key))
                break;
        list.InsertAt(at, NoteSlot(measure, key, 0, k + kRestSlotBit));
        length -= k;
        q += k;
    } while (length > 2);
}

int CNoteLayout::RestLengthInBeat(int track, int beat, int r, int measure, int q, int staff)
{
    if (PreviousTupletLength(track, measure, q, staff) == m_tupletRestLength)
        return 0;
    // A grid under half a 48th would divide by zero below; such a grid steps by whole 48ths.
    double h = std::max(m_grid, 1.0);
    while (true) {
        if (static_cast<int>(r + h) % static_cast<int>(2 * h) == 0)
            return static_cast<int>(h);
        h *= 2;
        if (!(r + h < beat))
            return static_cast<int>(h);
    }
}

int CNoteLayout::PreviousTupletLength(int track, int measure, int q, int staff)
{
    const Slot* last = nullptr;
    for (const Slot* s = noteSlots[track][staff].SlotAt(0); s; s = s->next) {
        if (s->Measure() > measure || (s->Measure() == measure && s->Position() >= q))
            break;
        last = s;
    }
    if (!last || last->Tuplet() == 0)
        return 0;
    const Slot& previous = *last;
    m_tupletRestNumber = static_cast<uint8_t>(previous.Tuplet());
    int group = NearestNoteLength(previous.Length() * previous.Tuplet());
    int groupStart = (previous.Position() / group) * group;
    int h = q + previous.Length() / 2;
    return groupStart < h && h < groupStart + group ? previous.Length() : 0;
}

int CNoteLayout::RestUpToTuplet(int track, int measure, int q, int length, int staff)
{
    for (const Slot* node = noteSlots[track][staff].SlotAt(0); node; node = node->next) {
        const Slot& s = *node;
        if (s.Measure() > measure)
            return length;
        if (s.Measure() < measure || s.Position() <= q)
            continue;
        if (s.Tuplet() == 0)
            return length;
        int group = NearestNoteLength(s.Length() * s.Tuplet());
        int groupStart = (s.Position() / group) * group;
        if (q >= groupStart) {
            m_tupletRestLength = static_cast<int8_t>(s.Length());
            m_tupletRestNumber = static_cast<uint8_t>(s.Tuplet());
            return 0;
        }
        return groupStart - q;
    }
    return length;
}
