// CConfirmDlg: the question in its text control, OK and Cancel in the user's language.
#include "converter/confirm_dlg.h"

#include "services/language_text.h"

CConfirmDlg::CConfirmDlg(CString title, CString text, CWnd* parent)
    : CSkinDialog(4556, parent, title, CAPTION_CHILD), m_text(text)
{
}

CConfirmDlg::~CConfirmDlg() = default;

void CConfirmDlg::DoDataExchange(CDataExchange* dx)
{
    CSkinDialog::DoDataExchange(dx);
    DDX_Text(dx, 4557, m_text);
}

BOOL CConfirmDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    SetWindowText(m_strTitle);
    SetDlgItemText(IDOK, GetLanguageText("ok"));
    SetDlgItemText(IDCANCEL, GetLanguageText("cancel"));
    CreateCaptionButtons();
    return TRUE;
}
