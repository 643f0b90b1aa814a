// CChoiceDialog: the modal choice between two radio buttons (template 161).
#pragma once

#include "ui/dialog.h"

class CChoiceDialog : public CDialog {
public:
    enum { IDD = 161 };
    static constexpr int kFirstRadioId = 1059;
    static constexpr int kSecondRadioId = 1060;

    explicit CChoiceDialog(CWnd* parent = nullptr);

    int m_nChoice = 0;  // 0 the first radio, 1 the second

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnFirstRadio();
    afx_msg void OnSecondRadio();
    DECLARE_MESSAGE_MAP()
};
