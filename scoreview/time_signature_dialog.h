// CTimeSignatureDialog: the modal time signature (template 152): numerator and denominator.
#pragma once

#include "ui/controls.h"
#include "ui/dialog.h"

class CTimeSignatureDialog : public CDialog {
public:
    enum { IDD = 152 };
    static constexpr int kDenominatorId = 1038;
    static constexpr int kNumeratorId = 1039;
    // The numerators a measure can hold.
    static constexpr int kMinNumerator = 1;
    static constexpr int kMaxNumerator = 127;

    CTimeSignatureDialog(int numerator, int denominatorCode, CWnd* parent = nullptr);

    int m_denominatorCode;  // 0 .. 5 for 1, 2, 4, 8, 16, 32
    char m_items[6][5] = {"1", "2", "4", "8", "16", "32"};
    CComboBox m_combo;
    int m_numerator;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSelChangeDenominator();
    DECLARE_MESSAGE_MAP()
};
