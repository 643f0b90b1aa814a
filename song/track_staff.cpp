// Staff model of a track: staff position <-> pitch for the clef and key in force, and spelling.
#include <algorithm>
#include <cstdlib>

#include "song/score.h"
#include "song/track.h"

namespace {

const int kMajorScale[7] = {0, 2, 4, 5, 7, 9, 11};
// Pitch classes that take the key's accidentals, in signature order.
const int kSharpOrder[7] = {5, 0, 7, 2, 9, 4, 11};  // F C G D A E B
const int kFlatOrder[7] = {11, 4, 9, 2, 7, 0, 5};   // B E A D G C F
// Letters (0 = C .. 6 = B) in signature order.
const int kSharpLetters[7] = {3, 0, 4, 1, 5, 2, 6};
const int kFlatLetters[7] = {6, 2, 5, 1, 4, 0, 3};
// Reference position offset from middle C for 1..7 accidentals.
const int kSharpReference[7] = {-4, -1, -5, -2, 1, -3, 0};
const int kFlatReference[7] = {-3, 1, -2, -5, -1, -4, 0};

int ScaleIndex(int semitone)
{
    for (int degree = 0; degree < 7; ++degree) {
        if (kMajorScale[degree] == semitone)
            return degree;
    }
    return -1;
}

// White-key pitch that lies steps diatonic steps above (negative: below) the reference pitch.
int PitchAtSteps(int referencePitch, int steps)
{
    int d = std::abs(steps);
    if (steps >= 0)
        return referencePitch + 12 * (d / 7) + kMajorScale[d % 7];
    return referencePitch - 12 * (d / 7) - (d % 7 == 0 ? 0 : 12 - kMajorScale[7 - d % 7]);
}

// Staff position of pitch relative to a reference pitch and its position; black keys are spelled
// from the white key below in flat keys and from the white key above otherwise.
int PositionFromReference(int pitch, int referencePitch, int referencePosition, bool flats)
{
    int d = pitch - referencePitch;
    int octaves = std::abs(d) / 12;
    int r = d % 12;
    if (pitch < referencePitch && r != 0)
        r += 12;
    int degree = ScaleIndex(r);
    if (degree < 0) {
        if (flats) {
            for (degree = 0; degree < 7 && std::abs(kMajorScale[degree] - r) != 1; ++degree) {
            }
        } else {
            for (degree = 6; degree >= 0 && std::abs(kMajorScale[degree] - r) != 1; --degree) {
            }
        }
        degree = std::clamp(degree, 0, 6);
    }
    if (pitch < referencePitch && degree != 0)
        degree = 7 - degree;
    int steps = degree + 7 * octaves;
    return pitch < referencePitch ? referencePosition + steps : referencePosition - steps;
}

}  // namespace

bool CTrack::KeyHasFlats(int measure) const
{
    if (!owner)
        return false;
    return owner->measureTable[std::clamp(measure, 0, kMeasureCount - 1)].keyKind == KEY_FLATS;
}

// Clef for a staff choice: 1 lower staff (bass), 0 the clef in force with the piano staff read as G,
// -1 the clef in force with the piano staff split by pitch.
int CTrack::ClefForStaff(int measure, int staff, int pitch) const
{
    if (staff == 1)
        return CLEF_BASS;
    int clef = ClefAtMeasure(measure);
    if (clef == CLEF_PIANO)
        clef = (staff == -1 && pitch < splitPitch) ? CLEF_BASS : CLEF_G;
    return clef;
}

void CTrack::BuildStaffPitchTable(bool lowerStaff, int measure)
{
    if (!owner)
        return;
    int clef = ClefAtMeasure(measure);
    if (clef == CLEF_PIANO)
        clef = CLEF_G;
    if (lowerStaff)
        clef = CLEF_BASS;
    int middle = middleCPositions[clef];
    for (int p = 0; p < kStaffPositions; ++p)
        staffPitchTable[p] = static_cast<uint8_t>(std::clamp(PitchAtSteps(60, middle - p), 0, 127));

    const MeasureInfo& info = owner->measureTable[std::clamp(measure, 0, kMeasureCount - 1)];
    int count = info.keyKind == KEY_NONE ? 0 : std::clamp(info.keyCount + 1, 1, 7);
    int offset = 0;
    if (info.keyKind == KEY_SHARPS || info.keyKind == KEY_FLATS) {
        const int* order = info.keyKind == KEY_SHARPS ? kSharpOrder : kFlatOrder;
        int change = info.keyKind == KEY_SHARPS ? 1 : -1;
        for (int p = 0; p < kStaffPositions; ++p) {
            if (staffPitchTable[p] == 0)
                continue;
            for (int i = 0; i < count; ++i) {
                if (staffPitchTable[p] % 12 == order[i]) {
                    staffPitchTable[p] = static_cast<uint8_t>(staffPitchTable[p] + change);
                    break;
                }
            }
        }
        offset = (info.keyKind == KEY_SHARPS ? kSharpReference : kFlatReference)[count - 1];
    }
    referencePosition = static_cast<int8_t>(std::clamp(middle + offset, 0, kStaffPositions - 1));
    referencePitch = static_cast<int8_t>(staffPitchTable[referencePosition]);
}

int CTrack::StaffPositionOfPitch(int measure, int pitch) const
{
    if (!owner)
        return 0;
    int clef = ClefForStaff(measure, -1, pitch);
    return PositionFromReference(pitch, 60, middleCPositions[clef], KeyHasFlats(measure));
}

int CTrack::StaffPositionOfPitchEx(bool lowerStaff, int measure, int pitch) const
{
    if (!owner)
        return 0;
    int clef = ClefForStaff(measure, lowerStaff ? 1 : 0, pitch);
    return PositionFromReference(pitch, 60, middleCPositions[clef], KeyHasFlats(measure));
}

int CTrack::StaffPositionFromReference(int measure, int pitch, int refPitch, int refPosition) const
{
    return PositionFromReference(pitch, refPitch, refPosition, KeyHasFlats(measure));
}

int CTrack::PitchAtStaffPosition(int position, int measure, int pitch, int staff) const
{
    int clef = ClefForStaff(measure, staff, pitch);
    return PitchAtSteps(60, middleCPositions[clef] - position);
}

int CTrack::StaffPositionToPitch(int position) const
{
    return PitchAtSteps(referencePitch, referencePosition - position);
}

int CTrack::AccidentalOfPitch(int tick, int pitch, int refPitch) const
{
    if (ScaleIndex(((pitch % 12) + 12) % 12) >= 0)
        return 0;
    int measure = owner ? owner->MeasureAtTick(tick) : 0;
    int position = StaffPositionFromReference(measure, pitch, refPitch, referencePosition);
    return pitch > PitchAtStaffPosition(position, measure, pitch, -1) ? 1 : -1;
}

int CTrack::KeyAccidentalAt(int measure, int position, int pitch, bool lowerStaff) const
{
    if (!owner)
        return 0;
    const MeasureInfo& info = owner->measureTable[std::clamp(measure, 0, kMeasureCount - 1)];
    if (info.keyKind != KEY_SHARPS && info.keyKind != KEY_FLATS)
        return 0;
    int count = std::clamp(info.keyCount + 1, 1, 7);
    int clef = ClefForStaff(measure, lowerStaff ? 1 : -1, pitch);
    int letter = ((middleCPositions[clef] - position) % 7 + 7) % 7;
    const int* order = info.keyKind == KEY_SHARPS ? kSharpLetters : kFlatLetters;
    for (int i = 0; i < count; ++i) {
        if (order[i] == letter)
            return info.keyKind == KEY_SHARPS ? 1 : -1;
    }
    return 0;
}

int CTrack::ScaleStepOf(int measure, int pitch)
{
    BuildStaffPitchTable(false, measure);
    int position = StaffPositionFromReference(measure, pitch, referencePitch, referencePosition);
    int above = referencePosition - position;
    return ((above % 7) + 7) % 7 + 1;
}
