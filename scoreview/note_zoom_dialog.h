// CNoteZoomDialog: the modal note zoom (template 186): the song's time scale in percent.
#pragma once

#include "ui/dialog.h"

class CNoteZoomDialog : public CDialog {
public:
    enum { IDD = 186 };
    static constexpr int kPercentId = 1134;
    static constexpr int kScrollId = 1135;
    static constexpr int kMinPercent = 10;
    static constexpr int kMaxPercent = 300;

    CNoteZoomDialog(double zoom, CWnd* parent = nullptr);

    int m_percent;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg void OnChangePercent();
    afx_msg void OnVScroll(UINT code, UINT position, CScrollBar* bar);
    DECLARE_MESSAGE_MAP()
};
