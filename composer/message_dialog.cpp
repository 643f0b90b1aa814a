// CMessageDialog: text lines and a Close button on a skinned dialog.
#include "composer/message_dialog.h"

#include "services/skin_element.h"

namespace {

constexpr int kLineHeight = 16;
constexpr int kMargin = 10;
// The Close button takes the picture of the skin's text button.
constexpr int kButtonElement = 16;

}  // namespace

BEGIN_MESSAGE_MAP(CMessageDialog, CSkinDialog)
ON_MESSAGE(WM_SKINCOMMAND, CMessageDialog::OnSkinCommand)
END_MESSAGE_MAP()

CMessageDialog::CMessageDialog(CString strTitle, CString strText, int nLineCount, CWnd* pParent)
    : CSkinDialog(IDD, pParent, strTitle, 1), m_nLineCount(nLineCount), m_strText(strText)
{
}

BOOL CMessageDialog::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    CRect window;
    GetWindowRect(&window);
    const int height = m_nLineCount * kLineHeight + 100;
    SetWindowPos(nullptr, 0, 0, window.Width(), height, SWP_NOMOVE | SWP_NOZORDER);

    CRect client;
    GetClientRect(&client);
    CSkinElement element;
    LoadSkinElement(kButtonElement, &element);
    const int buttonWidth = element.position.Width() > 0 ? element.position.Width() : 80;
    const int buttonHeight = element.position.Height() > 0 ? element.position.Height() : 24;
    const int buttonTop = client.bottom - kMargin - buttonHeight;
    if (CWnd* text = GetDlgItem(kTextId)) {
        text->MoveWindow(kMargin, g_nCaptionHeight + kMargin, client.Width() - 2 * kMargin,
                         buttonTop - kMargin - g_nCaptionHeight - kMargin);
        text->SetWindowText(m_strText);
    }
    const int buttonLeft = (client.Width() - buttonWidth) / 2;
    m_btnClose.Create("", WS_CHILD, CRect(buttonLeft, buttonTop, buttonLeft + buttonWidth, buttonTop + buttonHeight),
                      this, kCloseId);
    m_btnClose.SetSkin(2, buttonWidth, buttonHeight, element.bgimage, 0, kCloseId, FALSE, this, WM_SKINCOMMAND,
                       kCloseCommand, nullptr, 0, nullptr, 0, nullptr, 1, "", "Close", element.fntname, element.fntsize,
                       element.fntcolor);
    return TRUE;
}

LRESULT CMessageDialog::OnSkinCommand(WPARAM wParam, LPARAM lParam)
{
    if (wParam == kCloseCommand) {
        OnOK();
        return 0;
    }
    return CSkinDialog::OnSkinCommand(wParam, lParam);
}
