// CMidiDeviceDialog: the modal "Midi driver" dialog (template 184) listing the MIDI output devices.
#include "scoreview/midi_device_dialog.h"

#include "services/language_text.h"
#include "song/midi_device.h"

BEGIN_MESSAGE_MAP(CMidiDeviceDialog, CDialog)
ON_LBN_SELCHANGE(CMidiDeviceDialog::kDeviceListId, CMidiDeviceDialog::OnSelChangeDeviceList)
END_MESSAGE_MAP()

CMidiDeviceDialog::CMidiDeviceDialog(int in, int out, CWnd* parent)
    : CDialog(IDD, parent), m_inDevice(in), m_outDevice(out)
{
}

void CMidiDeviceDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kDeviceListId, m_deviceList);
}

BOOL CMidiDeviceDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetWindowText(GetLanguageText("IDS_MIDIDEVICE"));
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->SetWindowText(GetLanguageText("ok"));
    if (CWnd* cancel = GetDlgItem(IDCANCEL))
        cancel->SetWindowText(GetLanguageText("cancel"));
    // Row i is device i.
    const std::vector<CString> names = MidiOutDeviceNames();
    for (size_t i = 0; i < names.size(); ++i)
        m_deviceList.SendMessage(LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(static_cast<const char*>(names[i])));
    m_deviceList.SendMessage(LB_SETCURSEL, static_cast<WPARAM>(m_outDevice));
    return TRUE;
}

void CMidiDeviceDialog::OnSelChangeDeviceList()
{
    m_outDevice = static_cast<int>(m_deviceList.SendMessage(LB_GETCURSEL));
}

void ChooseMidiDevice(CWnd* view)
{
    int8_t in = 0, out = 0;
    ReadMidiDeviceSettings(in, out);
    CMidiDeviceDialog dialog(in, out);
    if (dialog.DoModal() != IDCANCEL)
        OpenMidiOut(view, static_cast<int8_t>(dialog.m_inDevice), static_cast<int8_t>(dialog.m_outDevice));
}
