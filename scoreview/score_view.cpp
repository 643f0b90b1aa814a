// CScoreView: construction, destruction, the owner and the child dialogs.
#include "scoreview/score_view.h"

#include <cstring>

#include "services/rounding.h"
#include "song/midi_device.h"

LOGFONTA g_defaultTextFont = {};
COLORREF g_defaultTextColour = 0xFF0000;
double g_viewUnit = 8.0;
LOGFONTA g_musicFontDescription = {};
COLORREF g_noteColour = 0x808080;

BEGIN_MESSAGE_MAP(CScoreView, CCanvasView)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SETCURSOR()
ON_WM_TIMER()
ON_MESSAGE(kViewNotifyMessage, CScoreView::OnViewNotify)
ON_WM_RBUTTONDOWN()
ON_WM_LBUTTONDOWN()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONUP()
ON_COMMAND_RANGE(CScoreView::kMenuAccidentalFirst, CScoreView::kMenuAccidentalFirst + 4, CScoreView::OnNoteAccidental)
ON_COMMAND_RANGE(CScoreView::kMenuStemUp, CScoreView::kMenuStemDown, CScoreView::OnNoteStem)
ON_COMMAND_RANGE(CScoreView::kMenuMoveFirst, CScoreView::kMenuMoveLast, CScoreView::OnMoveNoteToTrack)
END_MESSAGE_MAP()

CScoreView::CScoreView()
{
    score.NewSong(1, 4, 2);
    for (int i = 0; i < kLineCount; ++i) {
        score.measuresPerLine[i] = measuresPerLine;
        score.lineGaps[i] = 4.0;
    }
    staffSpacingPx = staffSpacing * unit;
    lowerStaffSpacingPx = staffSpacingPx;
    for (int i = 0; i < kMaxTracks; ++i) {
        LayoutTrackMeasures(i);
        trackNumber[i] = i + 1;
        trackVolume[i] = 100;
        trackChannel[i] = i % 16;
        if (CTrack* track = score.GetTrack(i)) {
            track->trackNumber = i + 1;
            track->SetChannel(i % 16);
        }
    }
    score.SetNotifyTarget(this, kViewNotifyMessage, kPlaybackNotifyCode);

    LOGFONTA& font = g_defaultTextFont;
    font = {};
    font.lfHeight = RoundHalfAway(3 * unit);
    font.lfWidth = RoundHalfAway(unit);
    font.lfWeight = 350;
    font.lfCharSet = 1;
    font.lfOutPrecision = 1;
    font.lfClipPrecision = 32;
    font.lfPitchAndFamily = 18;
    std::strcpy(font.lfFaceName, "Arial");
    g_defaultTextColour = 0xFF0000;
    LOGFONTA& music = g_musicFontDescription;
    music = font;
    music.lfHeight = RoundHalfAway(4 * unit);
    music.lfWidth = 0;
    music.lfWeight = 400;
    std::strcpy(music.lfFaceName, "8888 8888");
    g_noteColour = noteColour;
    g_pScore = &score;
}

CScoreView::~CScoreView()
{
    if (g_pScore == &score)
        g_pScore = nullptr;
    CloseMidiDevices();
}

void CScoreView::AttachToOwner(int backgroundBase, CWnd* window, UINT message, UINT code)
{
    if (m_hWnd) {
        SetTimer(0, 100, nullptr);
        SetTimer(1, 300, nullptr);
    }
    OpenMidiFromSettings(this);
    backgroundResourceBase = backgroundBase;
    notifyWindow = window;
    notifyMessage = message;
    notifyCode = code;
}

void CScoreView::SendReason(LPARAM reason)
{
    if (notifyWindow)
        notifyWindow->SendMessage(notifyMessage, notifyCode, reason);
}

void CScoreView::CreateChildDialogs()
{
    const ScoreViewDialogFactory& factory = GetScoreViewDialogFactory();
    if (factory.makeTrackEdit) {
        trackEditDialog = factory.makeTrackEdit();
        if (trackEditDialog) {
            trackEditDialog->Create(this);
            trackEditDialog->SetTracks(this, kViewNotifyMessage, kTrackEditNotifyCode, trackNames, trackShown,
                                       trackNumber, trackVolume, trackChannel);
        }
    }
    if (factory.makeTextEntry) {
        textEntryDialog = factory.makeTextEntry();
        if (textEntryDialog) {
            textEntryDialog->Create(this);
            textEntryDialog->SetNotify(this, kViewNotifyMessage, kTextEntryNotifyCode);
        }
    }
    textEntryCreated = 1;
}
