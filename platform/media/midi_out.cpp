// MIDI output devices: listing, opening, short messages and closing by handle.
#include <cstring>
#include <map>
#include <mutex>
#include <vector>

#include "media/midi_alsa.h"
#include "media/midi_out_recording.h"
#include "media/midi_out_synth.h"
#include "media/mmsystem.h"

namespace {

struct OpenOutput {
    std::string key;
    std::unique_ptr<MidiOutDevice> device;
    BYTE runningStatus = 0;
};

// Guards the handle table and serialises every send, whichever thread sends.
std::mutex g_mutex;
std::map<HMIDIOUT, std::unique_ptr<OpenOutput>> g_outputs;

std::vector<MidiPortInfo> OutputDevices()
{
    if (RecordingDeviceIsOn())
        return {RecordingDeviceInfo()};
    std::vector<MidiPortInfo> devices{SoftwareSynthInfo()};
    for (MidiPortInfo& port : AlsaMidiPorts(true))
        devices.push_back(std::move(port));
    return devices;
}

// Index into OutputDevices; the mapper stands for the first device.
bool DeviceIndex(UINT_PTR id, size_t count, size_t& index)
{
    index = id == static_cast<UINT_PTR>(MIDI_MAPPER) ? 0 : id;
    return index < count;
}

int MessageLength(BYTE status)
{
    switch (status & 0xF0) {
    case 0xC0:
    case 0xD0: return 2;
    case 0xF0:
        if (status == 0xF1 || status == 0xF3)
            return 2;
        if (status == 0xF2)
            return 3;
        return 1;
    default: return 3;
    }
}

void SendBytes(OpenOutput& output, BYTE status, BYTE data1, BYTE data2)
{
    const BYTE bytes[3] = {status, data1, data2};
    output.device->Send(bytes, MessageLength(status));
}

}  // namespace

UINT midiOutGetNumDevs() { return static_cast<UINT>(OutputDevices().size()); }

MMRESULT midiOutGetDevCapsA(UINT_PTR uDeviceID, LPMIDIOUTCAPSA pmoc, UINT cbmoc)
{
    if (pmoc == nullptr)
        return MMSYSERR_INVALPARAM;
    const std::vector<MidiPortInfo> devices = OutputDevices();
    size_t index;
    if (!DeviceIndex(uDeviceID, devices.size(), index))
        return MMSYSERR_BADDEVICEID;
    const MidiPortInfo& info = devices[index];
    MIDIOUTCAPSA caps{};
    caps.vDriverVersion = 0x0100;
    std::strncpy(caps.szPname, info.name.c_str(), MAXPNAMELEN - 1);
    caps.wTechnology = info.technology;
    caps.wVoices = info.voices;
    caps.wNotes = info.notes;
    caps.wChannelMask = 0xFFFF;
    std::memcpy(pmoc, &caps, cbmoc < sizeof(caps) ? cbmoc : sizeof(caps));
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutOpen(LPHMIDIOUT phmo, UINT uDeviceID, DWORD_PTR dwCallback, DWORD_PTR dwInstance, DWORD fdwOpen)
{
    if (phmo == nullptr)
        return MMSYSERR_INVALPARAM;
    *phmo = nullptr;
    if ((fdwOpen & CALLBACK_TYPEMASK) != CALLBACK_NULL)
        return MMSYSERR_INVALFLAG;
    const std::vector<MidiPortInfo> devices = OutputDevices();
    size_t index;
    if (!DeviceIndex(uDeviceID, devices.size(), index))
        return MMSYSERR_BADDEVICEID;
    const MidiPortInfo& info = devices[index];

    std::lock_guard<std::mutex> lock(g_mutex);
    for (const auto& [handle, output] : g_outputs)
        if (output->key == info.key)
            return MMSYSERR_ALLOCATED;
    auto output = std::make_unique<OpenOutput>();
    output->key = info.key;
    MMRESULT result = MMSYSERR_NOERROR;
    if (info.key == RecordingDeviceInfo().key)
        output->device = OpenRecordingDevice();
    else if (info.key == SoftwareSynthInfo().key)
        result = OpenSoftwareSynth(output->device);
    else
        result = OpenAlsaOutPort(info, output->device);
    if (result != MMSYSERR_NOERROR)
        return result;
    HMIDIOUT handle = reinterpret_cast<HMIDIOUT>(output.get());
    g_outputs[handle] = std::move(output);
    *phmo = handle;
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutShortMsg(HMIDIOUT hmo, DWORD dwMsg)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_outputs.find(hmo);
    if (it == g_outputs.end())
        return MMSYSERR_INVALHANDLE;
    OpenOutput& output = *it->second;
    BYTE b0 = dwMsg & 0xFF, b1 = (dwMsg >> 8) & 0xFF, b2 = (dwMsg >> 16) & 0xFF;
    if (b0 < 0x80) {
        // Running status: the message holds only data bytes for the last channel status.
        if (output.runningStatus == 0)
            return MMSYSERR_INVALPARAM;
        SendBytes(output, output.runningStatus, b0, b1);
        return MMSYSERR_NOERROR;
    }
    if (b0 == 0xF0 || b0 == 0xF7)
        return MMSYSERR_INVALPARAM;  // system exclusive needs a long message
    if (b0 < 0xF0)
        output.runningStatus = b0;
    else if (b0 < 0xF8)
        output.runningStatus = 0;
    SendBytes(output, b0, b1 & 0x7F, b2 & 0x7F);
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutReset(HMIDIOUT hmo)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = g_outputs.find(hmo);
    if (it == g_outputs.end())
        return MMSYSERR_INVALHANDLE;
    // Sustain off, then all notes off, on every channel.
    for (BYTE channel = 0; channel < 16; ++channel) {
        SendBytes(*it->second, 0xB0 | channel, 64, 0);
        SendBytes(*it->second, 0xB0 | channel, 123, 0);
    }
    return MMSYSERR_NOERROR;
}

MMRESULT midiOutClose(HMIDIOUT hmo)
{
    std::unique_ptr<OpenOutput> closing;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = g_outputs.find(hmo);
        if (it == g_outputs.end())
            return MMSYSERR_INVALHANDLE;
        closing = std::move(it->second);
        g_outputs.erase(it);
    }
    return MMSYSERR_NOERROR;
}
