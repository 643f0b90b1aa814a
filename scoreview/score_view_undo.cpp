// CScoreView: the undo history: a short stack of operation kinds and a stack of saved records per kind.
#include "scoreview/score_view.h"

#include <algorithm>

namespace {

// Drops the oldest record of a kind's stack, keeping the rest in order.
template <typename Record, int N>
void DropOldest(int8_t& count, Record (&records)[N])
{
    if (count <= 0)
        return;
    std::copy(records + 1, records + count, records);
    --count;
}

}  // namespace

void CScoreView::PushUndoKind(int kind)
{
    // A full history forgets its oldest operation together with that operation's record.
    if (undoDepth == kUndoDepth) {
        switch (undoKinds[0]) {
        case kUndoNoteInserted: DropOldest(undoInserted.count, undoInserted.records); break;
        case kUndoNoteDeleted: DropOldest(undoDeleted.count, undoDeleted.records); break;
        case kUndoCurveDeleted: DropOldest(undoCurves.count, undoCurves.records); break;
        default: break;
        }
        std::copy(undoKinds + 1, undoKinds + kUndoDepth, undoKinds);
        --undoDepth;
    }
    undoKinds[undoDepth++] = kind;
}

void CScoreView::PushUndoNoteInserted(int start, int end, int pitch, int velocity, int accidental)
{
    NoteEvent note;
    note.start = start;
    note.end = end;
    note.pitch = static_cast<uint8_t>(pitch);
    note.velocity = static_cast<uint8_t>(velocity);
    note.accidental = static_cast<int8_t>(accidental);
    if (const CTrack* track = score.GetTrack(score.currentTrack))
        note.channel = static_cast<uint8_t>(track->GetChannel());
    PushUndoNote(note);
}

void CScoreView::PushUndoNote(const NoteEvent& note) { PushNoteRecord(undoInserted, kUndoNoteInserted, note); }

void CScoreView::PushUndoNoteDeleted(const NoteEvent& note) { PushNoteRecord(undoDeleted, kUndoNoteDeleted, note); }

void CScoreView::PushNoteRecord(UndoNoteStack& stack, int kind, const NoteEvent& note)
{
    if (stack.count >= kUndoRecords)
        return;
    UndoNoteRecord& record = stack.records[stack.count];
    CopyNote(note, record.note);
    record.track = static_cast<uint8_t>(score.currentTrack);
    ++stack.count;
    PushUndoKind(kind);
}

void CScoreView::FollowUndoRecords(int fromTrack, const NoteEvent& before, int toTrack, const NoteEvent& after)
{
    for (int i = 0; i < undoInserted.count; ++i) {
        NoteEvent& note = undoInserted.records[i].note;
        if (undoInserted.records[i].track != fromTrack || note.start != before.start || note.pitch != before.pitch ||
            note.accidental != before.accidental)
            continue;
        note.start = after.start;
        note.end = after.end;
        note.pitch = after.pitch;
        note.accidental = after.accidental;
        undoInserted.records[i].track = static_cast<uint8_t>(toTrack);
    }
}

void CScoreView::PushUndoCurveDeleted(const CurveMark& mark)
{
    if (undoCurves.count >= kUndoRecords)
        return;
    UndoCurveRecord& record = undoCurves.records[undoCurves.count];
    record.mark = mark;
    record.mark.next = nullptr;
    record.track = static_cast<uint8_t>(score.currentTrack);
    ++undoCurves.count;
    PushUndoKind(kUndoCurveDeleted);
}

void CScoreView::OnUndo()
{
    if (undoDepth == 0)
        return;
    if (UndoOne())
        RefreshScore();
}

int CScoreView::UndoOne()
{
    if (undoDepth == 0)
        return 0;
    int kind = undoKinds[--undoDepth];
    switch (kind) {
    case kUndoNoteInserted: {
        if (undoInserted.count == 0)
            return 0;
        const UndoNoteRecord& record = undoInserted.records[--undoInserted.count];
        DeleteNote(false, record.track, record.note);
        return 1;
    }
    case kUndoNoteDeleted: {
        if (undoDeleted.count == 0)
            return 0;
        const UndoNoteRecord& record = undoDeleted.records[--undoDeleted.count];
        if (CTrack* track = score.GetTrack(record.track)) {
            track->BuildStaffPitchTable(record.note.lowerStaff != 0, score.MeasureAtTick(record.note.start));
            track->InsertNoteCopy(false, record.note);
        }
        score.modified = 1;
        return 1;
    }
    case kUndoCurveDeleted: {
        if (undoCurves.count == 0)
            return 0;
        const UndoCurveRecord& record = undoCurves.records[--undoCurves.count];
        if (CTrack* track = score.GetTrack(record.track))
            track->InsertCurveMark(record.mark);
        score.modified = 1;
        return 1;
    }
    default: return 0;
    }
}

void CScoreView::ClearUndoHistory()
{
    undoDepth = 0;
    undoInserted.count = 0;
    undoDeleted.count = 0;
    undoCurves.count = 0;
}
