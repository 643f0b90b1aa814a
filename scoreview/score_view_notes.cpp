// CScoreView: note arithmetic, accidentals in force and grace-note figures, over the renderer's modules.
#include "scoreview/score_view.h"

#include "render/grace_figure.h"

uint8_t CScoreView::PitchFromStep(int track, int step, int octaves, int8_t direction) const
{
    const CTrack* owner = score.GetTrack(track);
    return ::PitchFromStep(owner ? owner->referencePitch : 60, step, octaves, direction);
}

NoteRecord CScoreView::MakeNoteRecord(const NoteEvent& note) const { return ::MakeNoteRecord(note, score.division); }

bool CScoreView::IsTupletNote(const NoteEvent& note) const
{
    return ::IsTupletNote(note, score.division, score.gridValue, tupletFlags[0] != 0);
}

bool CScoreView::IsSameSlot(const Slot& a, const Slot& b) { return ::IsSameSlot(a, b); }

void CScoreView::GetAccidentalsInForce(int track, int8_t (&table)[kAccidentalPositions], int staff, const Slot& target,
                                       int firstSlot, int slotCount)
{
    for (int8_t& entry : table)
        entry = 0;
    const CTrack* owner = score.GetTrack(track);
    int measure = target.Measure();
    if (!owner || measure < 0 || measure >= kMeasureCount)
        return;
    bool lower = staff != 0;
    const int inForce = lower ? CLEF_BASS : owner->ClefAtTick(score.MeasureStartTick(measure));
    const int clef = inForce < 0 || inForce > 3 ? 0 : inForce;
    // The staff's clef as the track's staff positions read it; the measure's own slots are placed with it
    // directly rather than looking the clef up again for every slot.
    const int slotClef = inForce == CLEF_PIANO ? CLEF_G : inForce;
    const bool known = owner->owner == &score && slotClef >= 0 && slotClef <= 3;
    const int middleC = known ? owner->middleCPositions[slotClef] : 0;
    AccidentalContext context;
    context.measure = &score.measureTable[measure];
    context.top = known ? owner->StaffPositionFromReference(measure, 127, 60, middleC)
                        : owner->StaffPositionOfPitchEx(lower, measure, 127);
    context.middleC = owner->middleCPositions[clef];
    context.staffPosition = [owner, lower, measure, known, middleC](int m, int pitch) {
        if (known && m == measure)
            return owner->StaffPositionFromReference(m, pitch, 60, middleC);
        return owner->StaffPositionOfPitchEx(lower, m, pitch);
    };
    int list = lower ? 1 : 0;
    ::GetAccidentalsInForce(table, context, noteSlots[track][list], firstSlot, slotCount, target);
}

void CScoreView::PaintGraceFigure(int track, CDC* dc, int x, int y, const TrackRecord40* figure, double unit)
{
    const CTrack* owner = score.GetTrack(track);
    if (!owner || !figure)
        return;
    GraceFigureTrack view;
    view.referencePitch = owner->referencePitch;
    view.grandStaff = owner->ClefAtMeasure(0) == 4;
    view.measure = score.MeasureAtTick(figure->tick);
    view.staffPosition = [owner](int staff, int m, int pitch) {
        return owner->StaffPositionOfPitchEx(staff != 0, m, pitch);
    };
    ::PaintGraceFigure(dc, view, x, y, *figure, unit);
}
