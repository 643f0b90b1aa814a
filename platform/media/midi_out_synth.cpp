// The built-in General MIDI software synthesizer (FluidSynth with the SoundFont found by FindSoundFont).
#include "media/midi_out_synth.h"

#include <alsa/asoundlib.h>
#include <fluidsynth.h>

#include "media/soundfont_path.h"

namespace {

// The synthesizer reports through return values; its own log would only repeat them on stderr.
void QuietLog(int, const char*, void*) {}
void QuietAlsaLog(const char*, int, const char*, int, const char*, ...) {}

// Audio outputs tried in order; when none opens, the synthesizer still runs, unheard.
const char* const kAudioDrivers[] = {"pulseaudio", "alsa"};

class SoftwareSynthDevice : public MidiOutDevice {
public:
    ~SoftwareSynthDevice() override
    {
        if (driver_ != nullptr)
            delete_fluid_audio_driver(driver_);
        if (synth_ != nullptr)
            delete_fluid_synth(synth_);
        if (settings_ != nullptr)
            delete_fluid_settings(settings_);
    }

    bool Open()
    {
        settings_ = new_fluid_settings();
        if (settings_ == nullptr)
            return false;
        synth_ = new_fluid_synth(settings_);
        if (synth_ == nullptr)
            return false;
        std::string soundFont = FindSoundFont();
        if (soundFont.empty() || fluid_synth_sfload(synth_, soundFont.c_str(), 1) == FLUID_FAILED)
            return false;
        snd_lib_error_set_handler(QuietAlsaLog);
        for (const char* name : kAudioDrivers) {
            if (fluid_settings_setstr(settings_, "audio.driver", name) != FLUID_OK)
                continue;
            driver_ = new_fluid_audio_driver(settings_, synth_);
            if (driver_ != nullptr)
                break;
        }
        snd_lib_error_set_handler(nullptr);
        return true;
    }

    void Send(const BYTE* bytes, int length) override
    {
        const int channel = bytes[0] & 0x0F;
        const int data1 = length > 1 ? bytes[1] : 0;
        const int data2 = length > 2 ? bytes[2] : 0;
        switch (bytes[0] & 0xF0) {
        case 0x80: fluid_synth_noteoff(synth_, channel, data1); break;
        case 0x90:
            if (data2 == 0)
                fluid_synth_noteoff(synth_, channel, data1);
            else
                fluid_synth_noteon(synth_, channel, data1, data2);
            break;
        case 0xA0: fluid_synth_key_pressure(synth_, channel, data1, data2); break;
        case 0xB0: fluid_synth_cc(synth_, channel, data1, data2); break;
        case 0xC0: fluid_synth_program_change(synth_, channel, data1); break;
        case 0xD0: fluid_synth_channel_pressure(synth_, channel, data1); break;
        case 0xE0: fluid_synth_pitch_bend(synth_, channel, data1 | (data2 << 7)); break;
        default:
            if (bytes[0] == 0xFF)
                fluid_synth_system_reset(synth_);
            break;
        }
    }

private:
    fluid_settings_t* settings_ = nullptr;
    fluid_synth_t* synth_ = nullptr;
    fluid_audio_driver_t* driver_ = nullptr;
};

}  // namespace

MidiPortInfo SoftwareSynthInfo()
{
    MidiPortInfo info;
    info.name = "Kestrin Software Synthesizer";
    info.technology = MOD_SWSYNTH;
    info.voices = 256;
    info.notes = 256;
    info.key = "synth";
    return info;
}

MMRESULT OpenSoftwareSynth(std::unique_ptr<MidiOutDevice>& device)
{
    for (int level : {FLUID_ERR, FLUID_WARN, FLUID_INFO, FLUID_DBG})
        fluid_set_log_function(level, QuietLog, nullptr);
    auto synth = std::make_unique<SoftwareSynthDevice>();
    if (!synth->Open())
        return MMSYSERR_NODRIVER;
    device = std::move(synth);
    return MMSYSERR_NOERROR;
}
