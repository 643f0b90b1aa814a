// The recording output device behind midiOutUseRecordingDevice.
#include "media/midi_out_recording.h"

#include <atomic>
#include <mutex>

#include "media/midi_recording.h"
#include "media/mm_clock.h"
#include "media/mmsystem.h"

namespace {

std::atomic<bool> g_recordingOn{false};
std::mutex g_mutex;
std::vector<RecordedMidiMessage> g_messages;

class RecordingDevice : public MidiOutDevice {
public:
    void Send(const BYTE* bytes, int length) override
    {
        DWORD message = 0;
        for (int i = 0; i < length; ++i)
            message |= static_cast<DWORD>(bytes[i]) << (8 * i);
        const double now = MmClockNow();
        std::lock_guard<std::mutex> lock(g_mutex);
        g_messages.push_back({now, message});
    }
};

}  // namespace

void midiOutUseRecordingDevice(bool on) { g_recordingOn.store(on); }

std::vector<RecordedMidiMessage> midiOutRecordedMessages()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return g_messages;
}

void midiOutClearRecording()
{
    std::lock_guard<std::mutex> lock(g_mutex);
    g_messages.clear();
}

bool RecordingDeviceIsOn() { return g_recordingOn.load(); }

MidiPortInfo RecordingDeviceInfo()
{
    MidiPortInfo info;
    info.name = "Kestrin Recorder";
    info.technology = MOD_MIDIPORT;
    info.key = "recorder";
    return info;
}

std::unique_ptr<MidiOutDevice> OpenRecordingDevice() { return std::make_unique<RecordingDevice>(); }
