// CKeySignatureDialog: the modal key signature (template 150) with its staff preview and note moving.
#include "scoreview/key_signature_dialog.h"

#include <algorithm>
#include <cstdlib>

#include "gdi/afxgdi.h"
#include "scoreview/score_dialog_texts.h"
#include "ui/window_dc.h"

namespace {

constexpr int kPositions = 14;
constexpr char kSharpGlyph = 0x5F;
constexpr char kFlatGlyph = 0x61;
// Each accidental's step from the one before, on the staff picture.
constexpr int kSharpSteps[7] = {0, 12, -15, 11, 12, -15, 12};
constexpr int kFlatSteps[7] = {0, -14, 17, -12, 17, -13, 17};

}  // namespace

BEGIN_MESSAGE_MAP(CKeySignatureDialog, CDialog)
ON_WM_PAINT()
ON_WM_VSCROLL()
ON_BN_CLICKED(CKeySignatureDialog::kMoveNotesId, CKeySignatureDialog::OnMoveNotes)
ON_BN_CLICKED(CKeySignatureDialog::kUpId, CKeySignatureDialog::OnUp)
ON_BN_CLICKED(CKeySignatureDialog::kDownId, CKeySignatureDialog::OnDown)
END_MESSAGE_MAP()

CKeySignatureDialog::CKeySignatureDialog(int key, CWnd* parent) : CDialog(IDD, parent), m_key(key) {}

void CKeySignatureDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kScrollId, m_scroll);
}

BOOL CKeySignatureDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetScoreDialogTexts(this, "IDS_SCORE_MODIKEY");
    SetControlText(this, kMoveNotesId, "IDS_SCORE_MOVENOTES");
    SetControlText(this, kUpId, "IDS_SCORE_MOVENOTESUP");
    SetControlText(this, kDownId, "IDS_SCORE_MOVENOTESDOWN");
    m_scroll.SetScrollRange(0, kPositions);
    m_scroll.SetScrollPos(7 - m_key);
    CheckDlgButton(kMoveNotesId, m_moveNotes ? BST_CHECKED : BST_UNCHECKED);
    CheckRadioButton(kUpId, kDownId, m_direction == 0 ? kUpId : kDownId);
    return TRUE;
}

void CKeySignatureDialog::OnPaint()
{
    CPaintDC dc(this);
    DrawPreview(&dc);
}

void CKeySignatureDialog::DrawPreview(CDC* dc)
{
    CBitmap staff;
    if (!staff.LoadBitmap(kStaffBitmap))
        return;
    CDC memory;
    memory.CreateCompatibleDC(dc);
    CBitmap* old = memory.SelectObject(&staff);
    dc->BitBlt(17, 15, 170, 69, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
    if (m_key == 0)
        return;
    CFont font;
    font.CreateFont(63, 13, 0, 0, 550, 0, 0, 0, 1, 1, 32, 0, 18, "8888 8888");
    CFont* oldFont = dc->SelectObject(&font);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(RGB(0, 0, 0));
    bool sharps = m_key > 0;
    const char glyph[2] = {sharps ? kSharpGlyph : kFlatGlyph, 0};
    int y = sharps ? 1 : 19;
    for (int i = 0; i < std::abs(m_key) && i < 7; ++i) {
        y += sharps ? kSharpSteps[i] : kFlatSteps[i];
        dc->TextOut(73 + 6 * i, y, glyph, 1);
    }
    dc->SelectObject(oldFont);
}

void CKeySignatureDialog::OnVScroll(UINT code, UINT position, CScrollBar*)
{
    int pos = m_scroll.GetScrollPos();
    switch (code) {
    case SB_LINEUP:
    case SB_PAGEUP: --pos; break;
    case SB_LINEDOWN:
    case SB_PAGEDOWN: ++pos; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: pos = static_cast<int>(position); break;
    default: return;
    }
    pos = std::clamp(pos, 0, kPositions);
    m_scroll.SetScrollPos(pos);
    m_key = 7 - pos;
    CClientDC dc(this);
    DrawPreview(&dc);
}

void CKeySignatureDialog::OnMoveNotes() { m_moveNotes = !m_moveNotes; }

void CKeySignatureDialog::OnUp()
{
    m_direction = 0;
    m_moveNotes = 1;
}

void CKeySignatureDialog::OnDown()
{
    m_direction = 1;
    m_moveNotes = 1;
}
