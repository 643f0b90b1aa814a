// CInputTextDialog: the modal "Input Text" box for one free text (template 157).
#pragma once

#include "ui/dialog.h"

class CInputTextDialog : public CDialog {
public:
    enum { IDD = 157 };
    static constexpr int kEditId = 1052;
    static constexpr UINT kCaretToEnd = WM_USER + 1;

    // The text is the initial content; after IDOK the member holds the user's text.
    explicit CInputTextDialog(CString text, CWnd* parent = nullptr);

    CString m_strText;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg LRESULT OnCaretToEnd(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()
};
