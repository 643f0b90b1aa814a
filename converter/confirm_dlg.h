// CConfirmDlg: a question of the converter answered with OK or Cancel.
#pragma once

#include "skinui/skin_dialog.h"

class CConfirmDlg : public CSkinDialog {
public:
    CConfirmDlg(CString title, CString text, CWnd* parent);
    ~CConfirmDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;

    CString m_text;
};
