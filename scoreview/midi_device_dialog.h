// CMidiDeviceDialog: the modal "Midi driver" dialog (template 184) listing the MIDI output devices.
#pragma once

#include "ui/dialog.h"

class CMidiDeviceDialog : public CDialog {
public:
    enum { IDD = 184 };
    static constexpr int kDeviceListId = 1110;

    CMidiDeviceDialog(int in, int out, CWnd* parent = nullptr);

    int m_inDevice;   // carried through unchanged
    int m_outDevice;  // the current selection
    CWnd m_deviceList;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSelChangeDeviceList();
    DECLARE_MESSAGE_MAP()
};

// The device command of the score view: shows the dialog with the stored numbers and reopens the
// output on the chosen device unless the user cancels.
void ChooseMidiDevice(CWnd* view);
