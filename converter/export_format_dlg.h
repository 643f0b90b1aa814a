// CExportFormatDlg: the choice of output format, channels and sample rate, and the apply-options switch.
#pragma once

#include "skinui/skin_dialog.h"
#include "ui/controls.h"

class CExportFormatDlg : public CSkinDialog {
public:
    CExportFormatDlg(CString title, int applyOption, CWnd* parent);
    ~CExportFormatDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    void OnOK() override;

    int m_channelFlag = 0;  // 1 stereo, 0 mono
    CComboBox m_bitRateList;
    CComboBox m_sampleRateList;
    int m_sampleIndex = 0;
    int m_bitRateIndex = 5;
    int m_format;
    int m_applyOption;

protected:
    afx_msg void OnFormat(UINT id);
    afx_msg void OnSampleRateChange();
    afx_msg void OnBitRateChange();
    afx_msg void OnStereo();
    afx_msg void OnMono();
    DECLARE_MESSAGE_MAP()

private:
    void ReadFormatSettings();
    void ShowChannels();
    void CloseUpBitRateRow();
};
