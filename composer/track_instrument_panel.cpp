// CTrackInstrumentPanel: the child panel listing the shown tracks, each a numbered caption above a box of the
// General MIDI instruments; a choice in any box gives every row's instrument to its track.
#include "composer/track_instrument_panel.h"

#include "services/language_text.h"
#include "song/instrument_names.h"
#include "song/score.h"
#include "song/track.h"

namespace {

constexpr int kPrograms = 129;  // the 128 instruments and the drum kit

}  // namespace

BEGIN_MESSAGE_MAP(CTrackInstrumentPanel, CDialog)
ON_CBN_SELCHANGE(CTrackInstrumentPanel::kBoxId, CTrackInstrumentPanel::ApplyInstruments)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CTrackInstrumentPanel::CTrackInstrumentPanel(CWnd* parent) : CDialog(IDD, parent) {}

CTrackInstrumentPanel::~CTrackInstrumentPanel() = default;

std::unique_ptr<CAdvComboBox> CTrackInstrumentPanel::CreateBox()
{
    // The toolkit's own box draws its text inside the 20 pixels a row gives it.
    auto box = std::make_unique<CAdvComboBox>();
    box->SetColorsAndFont(RGB(255, 255, 255), RGB(0, 0, 0), 14);
    box->SetPlainLook(FALSE);
    box->Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST, CRect(0, 0, 130, 20), this, kBoxId);
    box->SetMaxVisibleItems(16);
    for (int program = 0; program < kPrograms; ++program)
        box->AddString(InstrumentName(program));
    box->SetCurSel(0);
    return box;
}

BOOL CTrackInstrumentPanel::OnInitDialog()
{
    CDialog::OnInitDialog();
    for (int row = 0; row < kRows; ++row) {
        m_captions[row].Create("", WS_CHILD | SS_CENTER, CRect(0, -100, 0, 0), this, kCaptionId);
        m_captions[row].ShowWindow(SW_HIDE);
        m_captions[row].SetFrameColor(kBackground);
        m_boxes[row] = CreateBox();
    }
    return TRUE;
}

void CTrackInstrumentPanel::SetRow(int row, int program, int top, int rowHeight, int index, BOOL show)
{
    CAdvComboBox& box = *m_boxes[row];
    CSkinLabel& caption = m_captions[row];
    box.ShowWindow(show ? SW_SHOW : SW_HIDE);
    caption.ShowWindow(show ? SW_SHOW : SW_HIDE);
    if (!show)
        return;
    box.SetCurSel(program);
    CRect panel;
    GetWindowRect(&panel);
    CRect rect(10, top + rowHeight * index - 10, panel.Width() - 10, top + rowHeight * index + 10);
    box.MoveWindow(&rect);
    rect.OffsetRect(0, -20);  // the caption sits directly above its box
    caption.MoveWindow(&rect);
    CString text;
    text.Format("%s %d", static_cast<const char*>(GetLanguageText("track")), index + 1);
    caption.SetTextFont(text, "Arial", 12, RGB(255, 255, 255));
    caption.Invalidate();
}

void CTrackInstrumentPanel::ApplyInstruments()
{
    if (!g_pScore)
        return;
    // Hidden rows keep the choice they were last given, so every track gets its row's instrument.
    for (int row = 0; row < kRows; ++row)
        if (CTrack* track = g_pScore->GetTrack(row))
            track->SetInstrument(m_boxes[row]->GetCurSel());
}

BOOL CTrackInstrumentPanel::OnEraseBkgnd(CDC* dc)
{
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, kBackground);
    return TRUE;
}
