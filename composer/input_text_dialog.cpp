// CInputTextDialog: the modal "Input Text" box for one free text (template 157).
#include "composer/input_text_dialog.h"

BEGIN_MESSAGE_MAP(CInputTextDialog, CDialog)
ON_WM_SHOWWINDOW()
ON_MESSAGE(CInputTextDialog::kCaretToEnd, CInputTextDialog::OnCaretToEnd)
END_MESSAGE_MAP()

CInputTextDialog::CInputTextDialog(CString text, CWnd* parent) : CDialog(IDD, parent), m_strText(std::move(text)) {}

void CInputTextDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, kEditId, m_strText);
}

BOOL CInputTextDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText("Input Text");
    GetDlgItem(IDOK)->SetWindowText("OK");
    GetDlgItem(IDCANCEL)->SetWindowText("Cancel");
    GetDlgItem(kEditId)->SetFocus();
    return FALSE;  // the focus is set
}

void CInputTextDialog::OnShowWindow(BOOL show, UINT status)
{
    CDialog::OnShowWindow(show, status);
    if (!show)
        return;
    GetDlgItem(kEditId)->SetFocus();
    // Once shown and focused, the caret goes to the end of the initial text.
    PostMessage(kCaretToEnd);
}

LRESULT CInputTextDialog::OnCaretToEnd(WPARAM, LPARAM)
{
    CWnd* edit = GetDlgItem(kEditId);
    const int end = edit->GetWindowTextLength();
    edit->SendMessage(EM_SETSEL, end, end);
    return 0;
}
