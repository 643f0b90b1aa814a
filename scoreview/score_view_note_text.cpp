// CScoreView: text annotations typed under a note in the text entry dialog, moving from note to note.
#include "scoreview/score_view.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

constexpr size_t kAnnotationChars = TextAnnotation::kTextSize - 1;

int RoundToMultiple(int tick, int step) { return step > 0 ? (tick + step / 2) / step * step : tick; }

}  // namespace

TextAnnotation* CScoreView::FindTextAnnotationNear(int tick)
{
    int division = score.division;
    int rounded = RoundToMultiple(tick, division);
    for (TextAnnotation* a = score.annotations; a; a = a->next) {
        if (std::abs(a->tick - rounded) < division / 2)
            return a;
        if (a->tick > rounded)
            return nullptr;
    }
    return nullptr;
}

TextAnnotation* CScoreView::AddTextAnnotation(int tick, const char* text, const LOGFONTA& font, COLORREF colour)
{
    if (!text || !*text)
        return nullptr;
    TextAnnotation annotation;
    annotation.tick = tick;
    annotation.font = font;
    annotation.textSettings[0] = 1.4;
    annotation.textSettings[1] = 0.7;
    annotation.textColor = colour;
    std::strncpy(annotation.text, text, kAnnotationChars);
    TextAnnotation* node = score.InsertTextAnnotation(annotation);
    score.modified = 1;
    return node;
}

void CScoreView::DeleteTextAnnotation(TextAnnotation* annotation)
{
    if (score.DeleteTextAnnotation(annotation))
        score.modified = 1;
}

CPoint CScoreView::NoteHeadPoint(int track, const NoteEvent& note)
{
    CPoint head = StaffPointOnStrip(track, note.start, note.pitch - note.accidental);
    head.x += note.headShift;
    return head;
}

void CScoreView::ShowTextEntryAtNote()
{
    CWnd* entry = textEntryDialog ? textEntryDialog->Window() : nullptr;
    if (!entry || !annotatedNote)
        return;
    CPoint head = PageToWindow(NoteHeadPoint(annotatedTrack, *annotatedNote));
    int row = std::max(0, RowOfTrack(annotatedTrack));
    // Just below the staff's bottom line, which lies 13 units under the row's reference y.
    int below = PageToWindow(CPoint(0, (int)(rowOrigin + row * staffSpacingPx + 14 * unit))).y;
    CRect rect;
    entry->GetWindowRect(&rect);
    CPoint at(head.x - rect.Width() / 2, below);
    if (!(entry->GetStyle() & WS_CHILD) && m_hWnd)
        ClientToScreen(&at);
    entry->SetWindowPos(nullptr, at.x, at.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    entry->ShowWindow(SW_SHOW);
}

void CScoreView::LoadTextEntry()
{
    editedAnnotation = annotatedNote ? FindTextAnnotationNear(annotatedNote->start) : nullptr;
    if (textEntryDialog)
        textEntryDialog->SetText(editedAnnotation ? CString(editedAnnotation->text) : CString());
}

void CScoreView::BeginNoteTextEdit()
{
    if (!hoveredNote)
        return;
    annotatedNote = hoveredNote;
    annotatedTrack = currentTrack;
    ShowTextEntryAtNote();
    LoadTextEntry();
}

void CScoreView::HideTextEntry()
{
    if (textEntryDialog && textEntryDialog->Window())
        textEntryDialog->Window()->ShowWindow(SW_HIDE);
}

// Stores the dialog's text into the edited annotation, or as a new one at the annotated note.
void CScoreView::StoreTextEntry()
{
    CString text = textEntryDialog ? textEntryDialog->GetText() : CString();
    if (editedAnnotation) {
        std::strncpy(editedAnnotation->text, text, kAnnotationChars);
        editedAnnotation->text[kAnnotationChars] = '\0';
        score.modified = 1;
    } else if (annotatedNote && !text.IsEmpty()) {
        AddTextAnnotation(annotatedNote->start, text, g_defaultTextFont, g_defaultTextColour);
    }
}

void CScoreView::CommitNoteTextEdit()
{
    HideTextEntry();
    StoreTextEntry();
    annotatedNote = nullptr;
    RefreshScore();
}

void CScoreView::MoveNoteTextEdit(int forward)
{
    if (!annotatedNote) {
        HideTextEntry();
        return;
    }
    int g = (int)(3 * score.gridValue * score.division / 48);
    int from = RoundToMultiple(annotatedNote->start, g);
    NoteEvent* note = forward ? annotatedNote->next : annotatedNote->prev;
    while (note && std::abs(RoundToMultiple(note->start, g) - from) < g)
        note = forward ? note->next : note->prev;
    annotatedNote = note;
    if (!note) {
        editedAnnotation = nullptr;
        HideTextEntry();
        return;
    }
    LoadTextEntry();
    ShowTextEntryAtNote();
}

void CScoreView::OnTextEntryNotify(int outcome)
{
    CString text = textEntryDialog ? textEntryDialog->GetText() : CString();
    switch (outcome) {
    case 0:
        StoreTextEntry();
        MoveNoteTextEdit(1);
        break;
    case 1:
        if (!editedAnnotation && text.IsEmpty()) {
            if (annotatedNote)
                AddTextAnnotation(annotatedNote->start, "-", g_defaultTextFont, g_defaultTextColour);
            MoveNoteTextEdit(1);
            break;
        }
        StoreTextEntry();
        if (annotatedNote)
            AddTextAnnotation((annotatedNote->start + annotatedNote->end) / 2, "-", g_defaultTextFont,
                              g_defaultTextColour);
        MoveNoteTextEdit(1);
        break;
    case 2:
        DeleteTextAnnotation(editedAnnotation);
        editedAnnotation = nullptr;
        MoveNoteTextEdit(0);
        break;
    case 3: CommitNoteTextEdit(); break;
    default: break;
    }
    RefreshScore();
}
