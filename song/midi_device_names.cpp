// Product names of the MIDI output devices, listed by device number.
#include "song/midi_device.h"

std::vector<CString> MidiOutDeviceNames()
{
    std::vector<CString> names;
    const UINT count = midiOutGetNumDevs();
    for (UINT i = 0; i < count; ++i) {
        MIDIOUTCAPSA caps{};
        midiOutGetDevCapsA(i, &caps, sizeof caps);
        names.push_back(CString(caps.szPname));
    }
    return names;
}
