// CMessageDialog: a skinned box of text lines with a Close button.
#pragma once

#include "skinui/skin_button.h"
#include "skinui/skin_dialog.h"

class CMessageDialog : public CSkinDialog {
public:
    enum { IDD = 146 };
    static constexpr int kTextId = 1037;
    static constexpr int kCloseId = 2002;
    static constexpr WPARAM kCloseCommand = 101888;

    CMessageDialog(CString strTitle, CString strText, int nLineCount, CWnd* pParent = nullptr);

    CSkinButton m_btnClose;
    int m_nLineCount;
    CString m_strText;

protected:
    BOOL OnInitDialog() override;
    afx_msg LRESULT OnSkinCommand(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
