// CProgressDialog: the modeless export progress window (template 189) fed with progress messages by the
// renderer and the ffmpeg runner.
#include "composer/progress_dialog.h"

BEGIN_MESSAGE_MAP(CProgressDialog, CDialog)
ON_MESSAGE(CProgressDialog::kProgressMessage, CProgressDialog::OnProgress)
END_MESSAGE_MAP()

CProgressDialog::CProgressDialog(CWnd* parent) : CDialog(IDD, parent) {}

void CProgressDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kBarId, m_progress);
}

BOOL CProgressDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* parent = GetParent()) {
        CRect own, around;
        GetWindowRect(&own);
        parent->GetWindowRect(&around);
        const CPoint centre = around.CenterPoint();
        MoveWindow(centre.x - own.Width() / 2, centre.y - own.Height() / 2, own.Width(), own.Height());
    }
    return TRUE;
}

LRESULT CProgressDialog::OnProgress(WPARAM what, LPARAM value)
{
    if (what == kRange) {
        m_progress.SetRange(0, static_cast<short>(LOWORD(value)));
        m_progress.SetPos(0);
        m_nRange = static_cast<unsigned int>(value);
        m_nPosition = 0;
        // Each step of the export starts its own run: its percentage starts with its bar.
        SetDlgItemText(kPercentId, "0%");
    } else if (what == kPosition && value >= m_nPosition) {
        // Within a run the bar only moves forward; this also keeps out the runner's -1 (done) and -2 (failed).
        if (m_nRange == 0)
            m_nRange = 100;
        m_nPosition = value;
        m_progress.SetPos(static_cast<int>(value));
        CString percent;
        percent.Format("%u%%", static_cast<unsigned int>(value) * 100 / m_nRange);
        SetDlgItemText(kPercentId, percent);
    }
    return 0;
}
