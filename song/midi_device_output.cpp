// The process-wide MIDI output handle: opening, closing and short messages.
#include <atomic>

#include "song/midi_device.h"

namespace {

// Written on the UI thread, read by the playback timer thread.
std::atomic<HMIDIOUT> g_midiOut{nullptr};

}  // namespace

MMRESULT OpenMidiOutHandle(int8_t out)
{
    midiOutClose(g_midiOut.exchange(nullptr));
    HMIDIOUT handle = nullptr;
    const MMRESULT result = midiOutOpen(&handle, static_cast<UINT>(static_cast<int>(out)), 0, 0, CALLBACK_NULL);
    g_midiOut.store(result == MMSYSERR_NOERROR ? handle : nullptr);
    return result;
}

MMRESULT CloseMidiDevices() { return midiOutClose(g_midiOut.exchange(nullptr)); }

void SendMidiBytes(uint8_t status, uint8_t data1, uint8_t data2)
{
    const DWORD message = status | (static_cast<DWORD>(data1) << 8) | (static_cast<DWORD>(data2) << 16);
    midiOutShortMsg(g_midiOut.load(), message);
}

void PlayPreviewNote(int channel, int program, int note, int velocity)
{
    SendMidiBytes(static_cast<uint8_t>(0xC0 | channel), static_cast<uint8_t>(program), 0);
    SendMidiBytes(static_cast<uint8_t>(0x90 | channel), static_cast<uint8_t>(note), static_cast<uint8_t>(velocity));
}
