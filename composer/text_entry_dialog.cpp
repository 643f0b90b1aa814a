// CTextEntryDialog: the modeless one-line editor (template 156) in which the score view takes note texts
// syllable by syllable; every commit goes to the view as a notification.
#include "composer/text_entry_dialog.h"

#include <string_view>

namespace {

// Drops the first ending of the text found among the endings; answers whether one was dropped.
bool DropEnding(CString& text, std::initializer_list<std::string_view> endings)
{
    const std::string_view whole(text, text.GetLength());
    for (std::string_view ending : endings)
        if (whole.ends_with(ending)) {
            text = CString(whole.substr(0, whole.size() - ending.size()));
            return true;
        }
    return false;
}

// The full-width forms, as the UTF-8 texts of this system hold them.
constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";
constexpr std::string_view kFullWidthHyphen = "\xEF\xBC\x8D";

}  // namespace

BEGIN_MESSAGE_MAP(CTextEntryDialog, CDialog)
ON_EN_CHANGE(CTextEntryDialog::kEditId, CTextEntryDialog::OnChangeText)
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

CTextEntryDialog::CTextEntryDialog(CWnd* parent) : CDialog(IDD, parent) {}

void CTextEntryDialog::SetNotify(CWnd* notify, UINT message, WPARAM code)
{
    m_pNotify = notify;
    m_nMessage = message;
    m_nCode = code;
}

void CTextEntryDialog::SetText(const char* text)
{
    m_strText = text;
    SetDlgItemText(kEditId, text);
}

void CTextEntryDialog::Notify(Reason reason) const
{
    if (m_pNotify)
        m_pNotify->PostMessage(m_nMessage, m_nCode, reason);
}

void CTextEntryDialog::OnChangeText()
{
    GetDlgItemText(kEditId, m_strText);
    if (DropEnding(m_strText, {" ", kFullWidthSpace}))
        Notify(kSpace);
    if (DropEnding(m_strText, {"-", kFullWidthHyphen}))
        Notify(kHyphen);
}

BOOL CTextEntryDialog::PreTranslateMessage(MSG* msg)
{
    if (msg->message == WM_KEYDOWN && msg->wParam == VK_BACK) {
        CString text;
        GetDlgItemText(kEditId, text);
        if (text.IsEmpty())
            Notify(kBackspaceEmpty);
    } else if (msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN) {
        Notify(kEnter);
    }
    return CDialog::PreTranslateMessage(msg);
}

void CTextEntryDialog::OnShowWindow(BOOL show, UINT status)
{
    CDialog::OnShowWindow(show, status);
    if (show)
        if (CWnd* edit = GetDlgItem(kEditId))
            edit->SetFocus();
}
