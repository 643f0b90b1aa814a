// CAboutDialog: the about box's texts, its mail link and the log folder button.
#include "skinui/about_dialog.h"

#include "services/deliverable.h"
#include "services/documents_folder.h"
#include "services/language_text.h"
#include "services/log_writer.h"
#include "ui/shellapi.h"

const char* const g_szBrandText = "Quaverly Software. ";
const char* const g_szSupportMail = "support@quaverly.example";

BEGIN_MESSAGE_MAP(CAboutDialog, CSkinDialog)
ON_STN_CLICKED(IDC_ABOUT_MAIL, OnMailLink)
ON_BN_CLICKED(IDC_ABOUT_LOG_FOLDER, OnOpenLogFolder)
END_MESSAGE_MAP()

CAboutDialog::CAboutDialog(CString strTitle, CWnd* pParent)
    : CSkinDialog(IsConverterDeliverable() ? IDD_CONVERTER : IDD, pParent, strTitle, CAPTION_CHILD)
{
}

CAboutDialog::~CAboutDialog() = default;

namespace {

void SetText(CWnd* dlg, int id, const CString& text)
{
    // The templates of both programs may lack a control; only the ones present get their text.
    if (CWnd* control = dlg->GetDlgItem(id))
        control->SetWindowText(text);
}

}  // namespace

BOOL CAboutDialog::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    SetText(this, IDOK, GetLanguageText("ok"));
    SetText(this, IDC_ABOUT_VERSION, g_strProductTitle + " - Ver " + g_strProductVersion);
    SetText(this, IDC_ABOUT_RIGHTS, CString(g_szBrandText) + GetLanguageText("rightreserved"));
    CString mail;
    mail.Format("%s %s", (LPCTSTR)GetLanguageText("clickemail"), g_szSupportMail);
    SetText(this, IDC_ABOUT_MAIL, mail);
    SetText(this, IDC_ABOUT_LOG_FOLDER, GetLanguageText("openlogbtn"));
    if (IsConverterDeliverable())
        CreateCaptionButtons();
    if (CWnd* picture = GetDlgItem(IDC_ABOUT_PICTURE))
        picture->MoveWindow(0, 0, 0, 0);
    return TRUE;
}

void CAboutDialog::OnMailLink()
{
    CString address;
    address.Format("mailto:%s", g_szSupportMail);
    ShellExecute(m_hWnd, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

void CAboutDialog::OnOpenLogFolder()
{
    ShellExecute(m_hWnd, "open", GetDocumentsFolder() + "\\" + g_strLogSubFolder, nullptr, nullptr, SW_SHOWNORMAL);
}
