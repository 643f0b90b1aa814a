// CScoreView: the clef, key signature, time signature and measure commands and what they do to the song.
#include "scoreview/score_view.h"

#include <algorithm>

#include "scoreview/clef_dialog.h"
#include "scoreview/key_signature_dialog.h"
#include "scoreview/measure_dialog.h"
#include "scoreview/time_signature_dialog.h"
#include "song/list_ops.h"

namespace {

constexpr int kMajorScale[7] = {0, 2, 4, 5, 7, 9, 11};

int FileTrackCount(const CScore& score) { return std::clamp(score.trackCount - 1, 0, kMaxTracks); }

// A change the user makes at a tick replaces the one already there, so that changes do not pile up in the file.
template <typename Change>
void DropChangesAt(CScore& score, Change*& list, int tick)
{
    ScoreLock lock(&score);
    UnlinkAll(
        list, [tick](const Change* change) { return change->tick == tick; }, DeleteNode<Change>);
}

}  // namespace

void CScoreView::OnChangeClef()
{
    CTrack* track = score.GetTrack(currentTrack);
    CClefDialog dialog(track ? track->ClefAtTick(score.playTick) : 0, this);
    if (dialog.DoModal() != IDOK)
        return;
    int start = score.MeasureStartTick(score.MeasureAtTick(score.playTick));
    score.SetClefFrom(true, score.currentTrack, start, dialog.m_clef);
    score.modified = 1;
    RedrawAndInvalidate();
}

void CScoreView::OnChangeKeySignature()
{
    CKeySignatureDialog dialog(score.KeySignatureAt(score.playTick), this);
    if (dialog.DoModal() != IDOK)
        return;
    ApplyKeySignature(dialog.m_key, dialog.m_moveNotes, dialog.m_direction);
}

void CScoreView::ApplyKeySignature(int key, int moveNotes, int down)
{
    if (moveNotes) {
        int measure = score.MeasureAtTick(score.playTick);
        // The notes pass through the key without accidentals; the octave down is taken once, not at each step.
        ChangeKeyMovingNotes(0, measure, 1, 0);
        ChangeKeyMovingNotes(key, measure, 1, down);
    } else {
        DropChangesAt(score, score.keyList, score.playTick);
        score.SetKeySignatureFrom(score.playTick, static_cast<int8_t>(key), 0);
        score.RebuildKeyTable();
    }
    score.modified = 1;
    RedrawAndInvalidate();
}

void CScoreView::ChangeKeyMovingNotes(int key, int measure, int move, int down)
{
    ScoreLock lock(&score);
    int tracks = FileTrackCount(score);
    for (int t = 0; t < tracks; ++t) {
        CTrack* track = score.GetTrack(t);
        track->BuildStaffPitchTable(false, 0);
        for (NoteEvent* note = track->notes; note; note = note->next) {
            int m = score.MeasureAtTick(note->start);
            int p = track->StaffPositionFromReference(m, note->pitch - note->accidental, track->referencePitch,
                                                      track->referencePosition);
            note->keyAccidental = static_cast<int8_t>(track->KeyAccidentalAt(m, p, note->pitch, note->lowerStaff));
            note->scaleStep = static_cast<int8_t>(score.ScaleStepOfPitch(t, track->StaffPositionToPitch(p), m));
        }
    }
    int oldReference[kMaxTracks] = {};
    if (move)
        for (int t = 0; t < kMaxTracks; ++t) {
            score.GetTrack(t)->BuildStaffPitchTable(false, measure);
            oldReference[t] = score.GetTrack(t)->referencePitch;
        }
    DropChangesAt(score, score.keyList, score.playTick);
    score.SetKeySignatureFrom(score.playTick, static_cast<int8_t>(key), 0);
    score.RebuildKeyTable();
    if (!move)
        return;
    int start = score.MeasureStartTick(measure);
    for (int t = 0; t < tracks; ++t) {
        CTrack* track = score.GetTrack(t);
        track->BuildStaffPitchTable(false, measure);
        int shift = oldReference[t] - track->referencePitch + (down ? 12 : 0);
        for (NoteEvent* note = track->notes; note; note = note->next) {
            if (note->start < start)
                continue;
            note->pitch = static_cast<uint8_t>(std::clamp(note->pitch - shift, 0, 127));
            int m = score.MeasureAtTick(note->start);
            int step = std::clamp<int>(note->scaleStep, 1, 7);
            int q = track->referencePitch + kMajorScale[step - 1];
            int position = track->StaffPositionFromReference(m, q, track->referencePitch, track->referencePosition);
            int accidental = track->KeyAccidentalAt(m, position, q, note->lowerStaff);
            if (accidental != note->keyAccidental)
                note->accidental = static_cast<int8_t>(note->accidental + accidental - note->keyAccidental);
        }
    }
}

void CScoreView::OnChangeTimeSignature()
{
    uint8_t numerator = 4, power = 2;
    score.TimeSignatureAt(score.playTick, numerator, power);
    CTimeSignatureDialog dialog(numerator, power, this);
    if (dialog.DoModal() != IDOK)
        return;
    ApplyTimeSignature(dialog.m_numerator, dialog.m_denominatorCode);
}

void CScoreView::ApplyTimeSignature(int numerator, int denominatorCode)
{
    DropChangesAt(score, score.timeList, score.playTick);
    score.SetTimeSignatureFrom(score.playTick, static_cast<uint8_t>(numerator), static_cast<uint8_t>(denominatorCode));
    score.RebuildTimeTable();
    score.modified = 1;
    RelayoutAllTracks();
    SendReason(9);
}

void CScoreView::OnEditMeasures()
{
    CMeasureDialog dialog(this);
    if (dialog.DoModal() != IDOK)
        return;
    score.InsertDeleteMeasures(dialog.m_mode == 0, score.MeasureAtTick(score.playTick), dialog.m_count);
    score.modified = 1;
    RefreshScore();
}
