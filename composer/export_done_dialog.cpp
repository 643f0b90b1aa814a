// CExportDoneDialog: what to do with a new ringtone.
#include "composer/export_done_dialog.h"

#include "composer/elided_path.h"

#include "kernel/path_map.h"
#include "services/language_text.h"
#include "services/path_parts.h"
#include "ui/shellapi.h"
#include "ui/window_dc.h"

BEGIN_MESSAGE_MAP(CExportDoneDialog, CSkinDialog)
ON_BN_CLICKED(CExportDoneDialog::kOpenFileId, CExportDoneDialog::OnOpenFileChosen)
ON_BN_CLICKED(CExportDoneDialog::kOpenFolderId, CExportDoneDialog::OnOpenFolderChosen)
ON_BN_CLICKED(CExportDoneDialog::kContinueId, CExportDoneDialog::OnContinueChosen)
END_MESSAGE_MAP()

CExportDoneDialog::CExportDoneDialog(CString strOutputPath, CString strTitle, CWnd* pParent)
    : CSkinDialog(IDD, pParent, strTitle, 1),
      m_strFolder(GetPathFolder(strOutputPath)),
      m_strOutputPath(strOutputPath),
      m_strShownPath(DisplayPath(strOutputPath.GetString()).c_str()),
      m_strMessage(GetLanguageText("exportfoldertip") + m_strShownPath)
{
}

void CExportDoneDialog::DoDataExchange(CDataExchange* pDX)
{
    CSkinDialog::DoDataExchange(pDX);
    DDX_Text(pDX, kMessageId, m_strMessage);
}

BOOL CExportDoneDialog::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    SetDlgItemText(kOpenFileId, GetLanguageText("openitunes"));
    SetDlgItemText(kOpenFolderId, GetLanguageText("openexport"));
    SetDlgItemText(kContinueId, GetLanguageText("closecontinue"));
    SetDlgItemText(IDCANCEL, GetLanguageText("next"));
    CheckRadioButton(kOpenFileId, kContinueId, kOpenFileId);
    ShowFittedMessage();
    // The title drawn on the caption strip is the window's own as well, for the desktop's window list.
    SetWindowText(m_strTitle);
    // It has no owner: it comes up over the main window rather than at a corner of the screen or of the window.
    CenterWindow(AfxGetMainWnd());
    return TRUE;
}

void CExportDoneDialog::ShowFittedMessage()
{
    CWnd* box = GetDlgItem(kMessageId);
    if (!box)
        return;
    CRect r;
    box->GetClientRect(&r);
    CClientDC dc(box);
    CFont* font = box->GetFont();
    CFont* old = font ? dc.SelectObject(font) : nullptr;
    // The text breaks at blanks only: a path wider than the box would run out of it, so it gives up its middle
    // and keeps its start and the file name. The lead's last word runs on into the path without a blank.
    const CString lead = m_strMessage.Left(m_strMessage.GetLength() - m_strShownPath.GetLength());
    const CString joined = lead.Mid(lead.ReverseFind(' ') + 1);
    const CString path = ElidePathMiddle(
        m_strShownPath, [&](const CString& text) { return dc.GetTextExtent(joined + text).cx <= r.Width(); });
    if (old)
        dc.SelectObject(old);
    SetDlgItemText(kMessageId, lead + path);
}

void CExportDoneDialog::OnOpenFileChosen() { m_nChoice = kOpenFile; }

void CExportDoneDialog::OnOpenFolderChosen() { m_nChoice = kOpenFolder; }

void CExportDoneDialog::OnContinueChosen() { m_nChoice = kContinue; }

void CExportDoneDialog::OnCancel()
{
    CSkinDialog::OnCancel();
    // The ringtone opens in the desktop's own program for its type.
    if (m_nChoice == kOpenFile)
        ShellExecute(GetSafeHwnd(), "open", m_strOutputPath, nullptr, nullptr, SW_SHOWNORMAL);
    else if (m_nChoice == kOpenFolder)
        ShellExecute(GetSafeHwnd(), "open", m_strFolder, nullptr, nullptr, SW_SHOWNORMAL);
}
