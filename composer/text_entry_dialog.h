// CTextEntryDialog: the modeless one-line editor (template 156) in which the score view takes note texts
// syllable by syllable; every commit goes to the view as a notification.
#pragma once

#include "ui/dialog.h"

class CTextEntryDialog : public CDialog {
public:
    enum { IDD = 156 };
    static constexpr int kEditId = 1051;

    // Reasons posted in lParam: the text ended with a space, ended with a hyphen, Backspace in an
    // empty edit, Enter.
    enum Reason { kSpace = 0, kHyphen = 1, kBackspaceEmpty = 2, kEnter = 3 };

    explicit CTextEntryDialog(CWnd* parent = nullptr);

    void SetNotify(CWnd* notify, UINT message, WPARAM code);
    // Puts the text into the edit and into the stored text.
    void SetText(const char* text);

    CString m_strText;  // the edit's text without the separator that ended it

    BOOL PreTranslateMessage(MSG* msg) override;

protected:
    afx_msg void OnChangeText();
    afx_msg void OnShowWindow(BOOL show, UINT status);
    DECLARE_MESSAGE_MAP()

private:
    void Notify(Reason reason) const;

    CWnd* m_pNotify = nullptr;
    UINT m_nMessage = 0;
    WPARAM m_nCode = 0;
};
