// MIDI input devices: the ALSA sequencer's readable ports, listed and held open by handle.
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "media/midi_alsa.h"
#include "media/mmsystem.h"

namespace {

struct OpenInput {
    std::string key;
    std::unique_ptr<AlsaInputConnection> connection;
};

std::mutex g_mutex;
std::map<HMIDIIN, std::unique_ptr<OpenInput>> g_inputs;

}  // namespace

UINT midiInGetNumDevs() { return static_cast<UINT>(AlsaMidiPorts(false).size()); }

MMRESULT midiInGetDevCapsA(UINT_PTR uDeviceID, LPMIDIINCAPSA pmic, UINT cbmic)
{
    if (pmic == nullptr)
        return MMSYSERR_INVALPARAM;
    const std::vector<MidiPortInfo> ports = AlsaMidiPorts(false);
    if (uDeviceID >= ports.size())
        return MMSYSERR_BADDEVICEID;
    MIDIINCAPSA caps{};
    caps.vDriverVersion = 0x0100;
    std::strncpy(caps.szPname, ports[uDeviceID].name.c_str(), MAXPNAMELEN - 1);
    std::memcpy(pmic, &caps, cbmic < sizeof(caps) ? cbmic : sizeof(caps));
    return MMSYSERR_NOERROR;
}

MMRESULT midiInOpen(LPHMIDIIN phmi, UINT uDeviceID, DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen)
{
    if (phmi == nullptr)
        return MMSYSERR_INVALPARAM;
    *phmi = nullptr;
    if ((fdwOpen & CALLBACK_TYPEMASK) != CALLBACK_NULL)
        return MMSYSERR_INVALFLAG;
    const std::vector<MidiPortInfo> ports = AlsaMidiPorts(false);
    if (uDeviceID >= ports.size())
        return MMSYSERR_BADDEVICEID;
    std::lock_guard<std::mutex> lock(g_mutex);
    for (const auto& [handle, input] : g_inputs)
        if (input->key == ports[uDeviceID].key)
            return MMSYSERR_ALLOCATED;
    auto input = std::make_unique<OpenInput>();
    input->key = ports[uDeviceID].key;
    MMRESULT result = OpenAlsaInPort(ports[uDeviceID], input->connection);
    if (result != MMSYSERR_NOERROR)
        return result;
    HMIDIIN handle = reinterpret_cast<HMIDIIN>(input.get());
    g_inputs[handle] = std::move(input);
    *phmi = handle;
    return MMSYSERR_NOERROR;
}

MMRESULT midiInClose(HMIDIIN hmi)
{
    std::unique_ptr<OpenInput> closing;
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_inputs.find(hmi);
    if (it == g_inputs.end())
        return MMSYSERR_INVALHANDLE;
    closing = std::move(it->second);
    g_inputs.erase(it);
    return MMSYSERR_NOERROR;
}
