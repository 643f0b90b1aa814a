// CScoreView: deleting a note with its grace-note chain, and the hovered note that must not outlive it.
#include "scoreview/score_view.h"

#include <cstdlib>

#include "kernel/prompt_service.h"
#include "services/rounding.h"

namespace {

constexpr const char* kBrokenChain = "程序中逻辑指针链有误！";

}  // namespace

void CScoreView::CopyNote(const NoteEvent& from, NoteEvent& to) { CTrack::CopyNote(from, to); }

void CScoreView::ForgetHoveredNote()
{
    hoveredNote = nullptr;
    hitKind = hitKind == 1 ? 0 : hitKind;
}

void CScoreView::FreeNote(CTrack* track, NoteEvent* note)
{
    if (note == hoveredNote)
        ForgetHoveredNote();
    if (note == annotatedNote)
        annotatedNote = nullptr;
    track->DeleteNote(note);
}

int CScoreView::DeleteNote(bool pushUndo, int trackIndex, const NoteEvent& pattern)
{
    CTrack* track = score.GetTrack(trackIndex);
    if (!track)
        return 0;
    ScoreLock lock(&score);
    int step = RoundHalfAway(3 * score.gridValue * score.division / 48);
    if (tupletFlags[0])
        step = 2 * step / 3;
    NoteEvent* found = nullptr;
    for (NoteEvent* note = track->notes; note && !found; note = note->next)
        if (std::abs(note->start - pattern.start) < step && note->pitch == pattern.pitch &&
            note->accidental == pattern.accidental && note->marked == pattern.marked)
            found = note;
    if (!found)
        return 0;
    if (pushUndo)
        PushUndoNoteDeleted(*found);
    if (std::abs(found->graceLink) > 10)
        RemoveGraceChain(trackIndex, found);
    CopyNote(*found, lastDeletedNote);
    lastDeletedNote.next = lastDeletedNote.prev = nullptr;
    FreeNote(track, found);
    score.modified = 1;
    return 1;
}

NoteEvent* CScoreView::RemoveGraceChain(int trackIndex, NoteEvent* note)
{
    CTrack* track = score.GetTrack(trackIndex);
    if (!track || !note)
        return nullptr;
    ScoreLock lock(&score);
    int link = note->graceLink;
    int count = std::abs(link) - 10;
    for (int i = 0; i < count; ++i) {
        NoteEvent* neighbour = link < 0 ? note->prev : note->next;
        if (!neighbour) {
            AfxMessageBox(kBrokenChain);
            return nullptr;
        }
        FreeNote(track, neighbour);
    }
    note->graceLink = 0;
    // The main note gets back the time its grace notes took.
    if (link >= -10)
        note->end = 2 * note->end - note->start;
    else
        note->start = 2 * note->start - note->end;
    return note->prev;
}
