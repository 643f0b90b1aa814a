// CScoreView: how widely the strip spaces a measure whose chords show accidentals in several columns, or whose
// notes and rests are too short for the note spacing.
#include "scoreview/score_view.h"

#include <algorithm>
#include <map>
#include <vector>

#include "render/accidental_room.h"
#include "render/note_glyphs.h"
#include "render/note_layout.h"
#include "render/value_room.h"

namespace {

// The most a measure widens, in note spacings: a wider measure would leave the page.
constexpr double kMostSpacings = 4.0;

// The accidental a key signature gives a natural pitch: +1, -1 or 0.
int KeyAccidental(const MeasureInfo& info, int natural)
{
    static const int kSharps[7] = {5, 0, 7, 2, 9, 4, 11}, kFlats[7] = {11, 4, 9, 2, 7, 0, 5};
    if (info.keyKind != KEY_SHARPS && info.keyKind != KEY_FLATS)
        return 0;
    const int* order = info.keyKind == KEY_SHARPS ? kSharps : kFlats;
    const int pitchClass = (natural % 12 + 12) % 12;
    for (int j = 0; j <= std::min<int>(info.keyCount, 6); ++j)
        if (order[j] == pitchClass)
            return info.keyKind == KEY_SHARPS ? 1 : -1;
    return 0;
}

// The step of a natural pitch on the staff, seven to the octave.
int DiatonicStep(int natural)
{
    static const int kSteps[12] = {0, 0, 1, 1, 2, 3, 3, 4, 4, 5, 5, 6};
    const int octave = natural >= 0 ? natural / 12 : (natural - 11) / 12;
    return octave * 7 + kSteps[natural - octave * 12];
}

// The chords of one staff in the measure being read, and the accidentals in force there.
struct StaffChords {
    int measure = -1;
    std::vector<ChordRoom> chords;
    std::vector<int> lengths;             // the longest note of each chord, in 48ths
    std::vector<ValueChord> values;       // each chord's stretch as the layout rounds it to the grid
    std::vector<int> naturals;            // the natural pitches of the last chord
    std::vector<std::vector<int>> shown;  // the diatonic steps of each chord's accidentals
    std::map<int, int> inForce;           // natural pitch -> accidental, from the measure's earlier notes
};

}  // namespace

void CScoreView::FindAccidentalSpacings(int track, double* spacings) const
{
    std::fill(spacings, spacings + kMeasureCount, 0.0);
    const int division = score.division;
    if (division <= 0)
        return;
    std::vector<int64_t> starts(kMeasureCount + 1);
    for (int m = 0; m < kMeasureCount; ++m)
        starts[m + 1] = starts[m] + MeasureLengthTicks(score.measureTable[m], division);
    const double u = 8.0 * zoom;
    const int grid = std::max(1, (int)(score.gridValue * 3.0 * division / 48.0));
    auto finish = [&](StaffChords& staff) {
        if (staff.measure < 0)
            return;
        const int beat = 192 / std::max<int>(1, score.measureTable[staff.measure].denominator);
        for (size_t i = 0; i < staff.chords.size(); ++i) {
            // A piece ends where the next chord begins.
            int length = staff.lengths[i];
            if (i + 1 < staff.chords.size())
                length = std::min(length, staff.chords[i + 1].position - staff.chords[i].position);
            // Short notes of one beat without a rest between them are beamed; a lone one has a flag.
            auto beamed = [&](size_t a, size_t b) {
                return b < staff.chords.size() && staff.chords[a].position / beat == staff.chords[b].position / beat &&
                       staff.chords[a].position + staff.lengths[a] >= staff.chords[b].position;
            };
            staff.chords[i].flag = length < beat && (i == 0 || !beamed(i - 1, i)) && !beamed(i, i + 1);
            staff.chords[i].dots = DotCount(StandardLengthIndex(length));
            staff.chords[i].columns = AccidentalColumns(staff.shown[i]);
        }
        double& spacing = spacings[staff.measure];
        const double needed =
            std::max(AccidentalSpacing(staff.chords, u),
                     ShortValueSpacing(staff.values, MeasureLength48(score.measureTable[staff.measure]), u));
        spacing = std::max(spacing, std::min(needed, kMostSpacings * noteSpacing));
        staff = StaffChords();
    };
    for (int t = 0; t < kMaxTracks; ++t) {
        const CTrack* owner = score.GetTrack(t);
        if (!owner || (t != track && !owner->IsShown()))
            continue;
        StaffChords staves[2];
        int m = 0;
        for (const NoteEvent* note = score.GetTrackNotes(t); note; note = note->next) {
            if (note->graceLink != 0 && note->graceLink >= -9 && note->graceLink <= 9)
                continue;
            const int start = SnapTick(note->start);
            while (m + 1 < kMeasureCount && starts[m + 1] <= start)
                ++m;
            while (m > 0 && starts[m] > start)
                --m;
            StaffChords& staff = staves[note->lowerStaff != 0];
            if (staff.measure != m) {
                finish(staff);
                staff.measure = m;
            }
            const int position = (int)((start - starts[m]) * 48 / division);
            if (staff.chords.empty() || staff.chords.back().position != position) {
                staff.chords.push_back(ChordRoom{position});
                staff.lengths.push_back(0);
                staff.shown.emplace_back();
                staff.naturals.clear();
                staff.values.push_back(ValueChord{position, position});
            }
            ChordRoom& chord = staff.chords.back();
            const int natural = note->pitch - note->accidental;
            auto found = staff.inForce.find(natural);
            const int shown =
                found != staff.inForce.end() ? found->second : KeyAccidental(score.measureTable[m], natural);
            if (note->accidental != shown)
                staff.shown.back().push_back(DiatonicStep(natural));
            staff.inForce[natural] = note->accidental;
            for (int other : staff.naturals)
                chord.seconds = chord.seconds || (other != natural && std::abs(other - natural) <= 2);
            staff.naturals.push_back(natural);
            const int64_t length = (int64_t)(note->end - note->start) * 48 / division;
            staff.lengths.back() = (int)std::clamp<int64_t>(std::max<int64_t>(staff.lengths.back(), length), 0, 192);
            // A note the grid rounds to nothing is laid out one grid step long.
            const int64_t end = std::max<int64_t>(SnapTick(note->end), start + grid) - starts[m];
            ValueChord& value = staff.values.back();
            value.end = std::max(value.end, (int)std::min<int64_t>(end * 48 / division, INT32_MAX));
            value.tuplet = value.tuplet || ::IsTupletNote(*note, division, score.gridValue, tupletFlags[0] != 0);
        }
        finish(staves[0]);
        finish(staves[1]);
    }
}
