// CProgressDialog: the modeless export progress window (template 189) fed with progress messages by the
// renderer and the ffmpeg runner.
#pragma once

#include "ui/common_controls.h"
#include "ui/dialog.h"

class CProgressDialog : public CDialog {
public:
    enum { IDD = 189 };
    static constexpr int kBarId = 1139;
    static constexpr int kPercentId = 1140;
    // The progress message (number 0): wParam what, lParam value.
    static constexpr UINT kProgressMessage = 0;
    enum What { kRange = 0, kPosition = 1 };

    explicit CProgressDialog(CWnd* parent = nullptr);

    afx_msg LRESULT OnProgress(WPARAM what, LPARAM value);

    CProgressCtrl m_progress;
    unsigned int m_nRange = 100;
    LPARAM m_nPosition = 0;  // the last position of the run

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    DECLARE_MESSAGE_MAP()
};
