// CNoteZoomDialog: the modal note zoom (template 186): the song's time scale in percent.
#include "scoreview/note_zoom_dialog.h"

#include <algorithm>

#include "scoreview/score_dialog_texts.h"
#include "services/rounding.h"
#include "ui/controls.h"

BEGIN_MESSAGE_MAP(CNoteZoomDialog, CDialog)
ON_EN_CHANGE(CNoteZoomDialog::kPercentId, CNoteZoomDialog::OnChangePercent)
ON_WM_VSCROLL()
END_MESSAGE_MAP()

CNoteZoomDialog::CNoteZoomDialog(double zoom, CWnd* parent) : CDialog(IDD, parent), m_percent(RoundHalfAway(zoom * 100))
{
}

void CNoteZoomDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, kPercentId, m_percent);
    DDV_MinMaxInt(dx, m_percent, kMinPercent, kMaxPercent);
}

BOOL CNoteZoomDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetScoreDialogTexts(this, "IDS_SCORE_NOTEZOOM");
    return TRUE;
}

void CNoteZoomDialog::OnChangePercent()
{
    BOOL read = FALSE;
    int value = static_cast<int>(GetDlgItemInt(kPercentId, &read, TRUE));
    if (read)
        m_percent = value;
}

void CNoteZoomDialog::OnVScroll(UINT code, UINT, CScrollBar*)
{
    if (code == SB_LINEUP)
        ++m_percent;
    else if (code == SB_LINEDOWN)
        --m_percent;
    else
        return;
    m_percent = std::clamp(m_percent, kMinPercent, kMaxPercent);
    SetDlgItemInt(kPercentId, static_cast<UINT>(m_percent), TRUE);
}
