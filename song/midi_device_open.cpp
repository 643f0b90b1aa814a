// Opening the MIDI output device chosen by the user or stored in kestrin.ini.
#include "kernel/prompt_service.h"
#include "song/midi_device.h"

void OpenMidiOut(CWnd* owner, int8_t in, int8_t out)
{
    const MMRESULT result = OpenMidiOutHandle(out);
    if (result == MMSYSERR_ALLOCATED || result == MIDIERR_NODEVICE)
        AfxMessageBox("The specified resource is already allocated.", 0);
    // The numbers are kept even when the open failed, so that the next start tries the same device.
    WriteMidiDeviceSettings(in, out);
}

void OpenMidiFromSettings(CWnd* owner)
{
    int8_t in = 0, out = 0;
    ReadMidiDeviceSettings(in, out);
    OpenMidiOut(owner, in, out);
}
