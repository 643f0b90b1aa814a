// CScoreView: the right click: the note context menu (accidental, stem, move to track) or the next note value.
#include "scoreview/score_view.h"

#include <algorithm>

#include "services/language_text.h"
#include "ui/menu.h"

namespace {

constexpr int kMaxMenuTracks = 29;

}  // namespace

void CScoreView::OnRButtonDown(UINT flags, CPoint point)
{
    panAnchor = point;
    if (!hoveredNote) {
        if (editMode == 2) {
            paletteChoice[0] = (paletteChoice[0] + 1) % 7;
            SendReason(5);
        }
    } else {
        CMenu menu;
        BuildNoteMenu(menu);
        CRect window;
        GetWindowRect(&window);
        menu.TrackPopupMenu(TPM_LEFTALIGN, window.left + point.x, window.top + point.y, this);
    }
    CCanvasView::OnRButtonDown(flags, point);
}

void CScoreView::BuildNoteMenu(CMenu& menu)
{
    menu.CreatePopupMenu();
    const char* accidentals[] = {"IDS_SCORE_NOTESJ0", "IDS_SCORE_NOTESJ1", "IDS_SCORE_NOTESJ2", "IDS_SCORE_NOTESJ3",
                                 "IDS_SCORE_NOTESJ4"};
    for (int i = 0; i < 5; ++i)
        menu.AppendMenu(MF_STRING, kMenuAccidentalFirst + i, GetLanguageText(accidentals[i]));
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING | (hoveredNote->stemDirection == 1 ? MF_CHECKED : 0), kMenuStemUp,
                    GetLanguageText("stemup"));
    menu.AppendMenu(MF_STRING | ((uint8_t)hoveredNote->stemDirection == 255 ? MF_CHECKED : 0), kMenuStemDown,
                    GetLanguageText("stemdown"));
    menu.AppendMenu(MF_SEPARATOR);
    CMenu tracks;
    tracks.CreatePopupMenu();
    int count = std::min<int>(score.trackCount, kMaxMenuTracks);
    CString trackText = GetLanguageText("track");
    for (int n = 0; n < count; ++n) {
        CString item;
        item.Format("%s %d", static_cast<const char*>(trackText), n + 1);
        tracks.AppendMenu(MF_STRING | (n == currentTrack ? MF_DISABLED | MF_GRAYED : 0), kMenuMoveFirst + n, item);
    }
    menu.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(tracks.Detach()), GetLanguageText("IDS_SCORE_MOVETOTRACK"));
    for (int i = 0; i < 5; ++i)
        menu.CheckMenuItem(kMenuAccidentalFirst + i, MF_BYCOMMAND | MF_UNCHECKED);
    menu.CheckMenuItem(kMenuAccidentalFirst + 2 - hoveredNote->accidental, MF_BYCOMMAND | MF_CHECKED);
}

void CScoreView::OnNoteAccidental(UINT id)
{
    int accidental = kMenuAccidentalFirst + 2 - static_cast<int>(id);
    if (!hoveredNote || accidental < -2 || accidental > 2)
        return;
    int pitch = hoveredNote->pitch - hoveredNote->accidental + accidental;
    // The new spelling must still name a MIDI pitch.
    if (pitch < 0 || pitch > 127)
        return;
    NoteEvent before = *hoveredNote;
    hoveredNote->pitch = static_cast<uint8_t>(pitch);
    hoveredNote->accidental = static_cast<int8_t>(accidental);
    FollowUndoRecords(currentTrack, before, currentTrack, *hoveredNote);
    score.modified = 1;
    RedrawAndInvalidate();
}

void CScoreView::OnNoteStem(UINT id)
{
    if (!hoveredNote)
        return;
    hoveredNote->stemDirection = static_cast<int8_t>(id == kMenuStemUp ? 1 : -1);
    score.modified = 1;
    RedrawAndInvalidate();
}

void CScoreView::OnMoveNoteToTrack(UINT id)
{
    int target = static_cast<int>(id) - kMenuMoveFirst;
    CTrack* from = score.GetTrack(currentTrack);
    CTrack* to = score.GetTrack(target);
    if (!hoveredNote || !from || !to || target == currentTrack)
        return;
    NoteEvent copy;
    CopyNote(*hoveredNote, copy);
    copy.next = copy.prev = nullptr;
    ForgetHoveredNote();
    from->DeleteMatchingNote(&copy);
    // A place the other track refuses (the span of a note with grace notes) leaves the note on its own track.
    if (!to->InsertNoteCopy(false, copy)) {
        from->InsertNoteCopy(false, copy);
        RedrawAndInvalidate();
        return;
    }
    FollowUndoRecords(currentTrack, copy, target, copy);
    to->SetShown(true);
    // A track past the song's last one would keep the note out of every saved file.
    score.EnsureTrackCount(target);
    score.modified = 1;
    RedrawAndInvalidate();
}
