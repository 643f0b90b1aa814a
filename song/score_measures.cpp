// Measure arithmetic of the song and the rebuild of the measure table from the signature and clef lists.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <mutex>

#include "services/rounding.h"
#include "song/score.h"

int CScore::MeasureLength(int measure) const
{
    const MeasureInfo& info = measureTable[std::clamp(measure, 0, kMeasureCount - 1)];
    int denominator = info.denominator > 0 ? info.denominator : 4;
    return static_cast<int>(static_cast<int64_t>(192 / denominator) * info.numerator * division / 48);
}

const int64_t* CScore::CurrentMeasureStarts() const
{
    if (m_measureStartsDivision == division && memcmp(m_measureStartsTable, measureTable, sizeof measureTable) == 0)
        return m_measureStarts;
    // Summed wide: 200 long measures at a fine division pass the 32-bit range.
    m_measureStartsRising = true;
    for (int i = 0; i < kMeasureCount; ++i) {
        int length = MeasureLength(i);
        m_measureStartsRising = m_measureStartsRising && length >= 0;
        m_measureStarts[i + 1] = m_measureStarts[i] + length;
    }
    memcpy(m_measureStartsTable, measureTable, sizeof measureTable);
    m_measureStartsDivision = division;
    return m_measureStarts;
}

int CScore::MeasureStartTick(int n) const
{
    std::lock_guard<std::mutex> guard(m_measureStartsLock);
    const int64_t* starts = CurrentMeasureStarts();
    return static_cast<int>(std::min<int64_t>(starts[std::clamp(n, 0, kMeasureCount)], INT32_MAX));
}

int CScore::MeasureAtTick(int tick) const
{
    if (tick < 0)
        tick = 0;
    std::lock_guard<std::mutex> guard(m_measureStartsLock);
    const int64_t* starts = CurrentMeasureStarts();
    // The first measure that starts after the tick (at most 200), less one.
    int index;
    if (m_measureStartsRising) {
        index = static_cast<int>(std::upper_bound(starts, starts + kMeasureCount, static_cast<int64_t>(tick)) - starts);
    } else {
        index = 0;
        while (index < kMeasureCount && starts[index] <= tick)
            ++index;
    }
    return std::max(index - 1, 0);
}

int CScore::TickAtMeasurePosition(int n, int pos48) const
{
    if (n > kMeasureCount)
        return 0;
    return MeasureStartTick(n) + division * pos48 / 48;
}

int CScore::StepTicks(bool tripletReduction) const
{
    int step = RoundHalfAway(gridValue * 3 * division / 48);
    if (tripletReduction && tripletFlag)
        step = step * 2 / 3;
    return step;
}

void CScore::RebuildTimeTable()
{
    ScoreLock lock(this);
    int8_t numerator = 4;
    int8_t denominator = 4;
    int from = 0;
    for (const TimeSignatureChange* change = timeList; change; change = change->next) {
        int at = MeasureAtTick(change->tick);
        for (int m = from; m < at; ++m) {
            measureTable[m].numerator = numerator;
            measureTable[m].denominator = denominator;
        }
        from = at;
        numerator = static_cast<int8_t>(change->numerator);
        denominator = static_cast<int8_t>(1 << change->denominatorPower);
    }
    for (int m = from; m < kMeasureCount; ++m) {
        measureTable[m].numerator = numerator;
        measureTable[m].denominator = denominator;
    }
}

void CScore::RebuildKeyTable()
{
    ScoreLock lock(this);
    int count = 0;
    auto store = [this](int m, int keyCount) {
        measureTable[m].keyKind = static_cast<uint8_t>(keyCount > 0 ? KEY_SHARPS : keyCount < 0 ? KEY_FLATS : KEY_NONE);
        measureTable[m].keyCount = static_cast<uint8_t>(keyCount == 0 ? 0 : std::abs(keyCount) - 1);
    };
    int from = 0;
    for (const KeySignatureChange* change = keyList; change; change = change->next) {
        int at = MeasureAtTick(change->tick);
        for (int m = from; m < at; ++m)
            store(m, count);
        from = at;
        count = change->count;
    }
    for (int m = from; m < kMeasureCount; ++m)
        store(m, count);
}

void CScore::RebuildClefTable()
{
    ScoreLock lock(this);
    for (int t = 0; t < kMaxTracks; ++t) {
        uint8_t clef = CLEF_G;
        int from = 0;
        for (const ClefChange* change = tracks[t] ? tracks[t]->clefs : nullptr; change; change = change->next) {
            int at = MeasureAtTick(change->tick);
            for (int m = from; m < at; ++m)
                measureClefTable[t][m] = clef;
            from = at;
            clef = change->clef == CLEF_PIANO ? uint8_t(CLEF_G) : change->clef;
        }
        for (int m = from; m < kMeasureCount; ++m)
            measureClefTable[t][m] = clef;
    }
}

void CScore::RebuildMeasureTable(bool respell)
{
    ScoreLock lock(this);
    modified = 0;
    RebuildTimeTable();
    RebuildKeyTable();
    RebuildClefTable();
    if (!respell)
        return;
    for (int t = 0; t <= trackCount - 2 && t < kMaxTracks; ++t) {
        CTrack* track = tracks[t];
        long sum = 0;
        int count = 0;
        for (NoteEvent* note = track->notes; note; note = note->next) {
            track->BuildStaffPitchTable(false, MeasureAtTick(note->start));
            note->accidental =
                static_cast<int8_t>(track->AccidentalOfPitch(note->start, note->pitch, track->referencePitch));
            sum += note->pitch;
            ++count;
        }
        int mean = count ? static_cast<int>(sum / count) : 0;
        track->ClearClefs();
        track->InsertClef(false, 0, mean < 58 ? CLEF_BASS : CLEF_G);
    }
    RebuildClefTable();
}
