// CMeasureDialog: the modal measure insert or delete (template 181) at the cursor.
#pragma once

#include "ui/dialog.h"

class CMeasureDialog : public CDialog {
public:
    enum { IDD = 181 };
    static constexpr int kAddId = 1099;
    static constexpr int kDeleteId = 1100;
    static constexpr int kCountId = 1098;
    // A count the measure table can take.
    static constexpr int kMinCount = 1;
    static constexpr int kMaxCount = 199;

    explicit CMeasureDialog(CWnd* parent = nullptr);

    int m_mode = 0;  // 0 add, 1 delete
    int m_count = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg void OnAdd();
    afx_msg void OnDelete();
    DECLARE_MESSAGE_MAP()
};
