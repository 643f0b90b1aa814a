// Offline MIDI-to-PCM rendering on FluidSynth: a synthesizer and player per stream, stepped by the sample clock.
#include "media/render_midi.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <string>

#include "kernel/path_map.h"
#include "media/smf_tempo_map.h"
#include "media/soundfont_path.h"

namespace {

const int kChannels = 2;

struct RenderFont {
    std::string path;
};

struct RenderStream {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_player_t* player = nullptr;
    DWORD font = 0;
    int fontId = -1;
    DWORD flags = 0;
    uint64_t frameBytes = 4;  // 16-bit stereo, 8 for float stereo
    uint64_t lengthBytes = 0;
    uint64_t positionBytes = 0;
    ~RenderStream()
    {
        if (player) {
            fluid_player_stop(player);
            delete_fluid_player(player);
        }
        if (synth)
            delete_fluid_synth(synth);
        if (settings)
            delete_fluid_settings(settings);
    }
};

struct RenderState {
    bool started = false;
    DWORD freq = 44100;
    DWORD nextHandle = 1;
    DWORD defaultFont = 0;
    std::map<DWORD, RenderFont> fonts;
    std::map<DWORD, std::unique_ptr<RenderStream>> streams;
    int error = MIDI_RENDER_OK;
};

RenderState& State()
{
    static RenderState state;
    return state;
}

BOOL Fail(int code)
{
    State().error = code;
    return FALSE;
}

void QuietLog()
{
    // Failures come back through return values and error codes; the library need not repeat them on stderr.
    fluid_set_log_function(FLUID_ERR, nullptr, nullptr);
    fluid_set_log_function(FLUID_WARN, nullptr, nullptr);
    fluid_set_log_function(FLUID_INFO, nullptr, nullptr);
    fluid_set_log_function(FLUID_DBG, nullptr, nullptr);
}

fluid_settings_t* NewSettings(DWORD freq)
{
    fluid_settings_t* settings = new_fluid_settings();
    if (!settings)
        return nullptr;
    fluid_settings_setnum(settings, "synth.sample-rate", freq);
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    // The player follows the synthesizer's sample clock, so rendering runs as fast as the processor allows.
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    return settings;
}

RenderStream* Stream(DWORD handle)
{
    auto it = State().streams.find(handle);
    return it == State().streams.end() ? nullptr : it->second.get();
}

bool LoadFontInto(RenderStream* stream, DWORD font)
{
    auto it = State().fonts.find(font);
    if (it == State().fonts.end())
        return false;
    int id = fluid_synth_sfload(stream->synth, it->second.path.c_str(), 1);
    if (id == FLUID_FAILED)
        return false;
    if (stream->fontId >= 0)
        fluid_synth_sfunload(stream->synth, stream->fontId, 1);
    stream->fontId = id;
    stream->font = font;
    return true;
}

}  // namespace

BOOL MidiRenderInit(DWORD freq)
{
    RenderState& s = State();
    if (s.started)
        return Fail(MIDI_RENDER_ERROR_INIT);
    QuietLog();
    fluid_settings_t* probe = NewSettings(freq);
    fluid_synth_t* synth = probe ? new_fluid_synth(probe) : nullptr;
    if (synth)
        delete_fluid_synth(synth);
    if (probe)
        delete_fluid_settings(probe);
    if (!synth)
        return Fail(MIDI_RENDER_ERROR_INIT);
    s.started = true;
    s.freq = freq;
    std::string system = FindSoundFont();
    if (!system.empty())
        s.defaultFont = MidiRenderFontInit(system.c_str());
    s.error = MIDI_RENDER_OK;
    return TRUE;
}

void MidiRenderFree()
{
    RenderState& s = State();
    s.streams.clear();
    s.fonts.clear();
    s.defaultFont = 0;
    s.started = false;
}

DWORD MidiRenderFontInit(const char* path)
{
    RenderState& s = State();
    if (!s.started)
        return Fail(MIDI_RENDER_ERROR_INIT);
    std::string native = MapPath(path ? path : "");
    // Only a file the synthesizer can load becomes a font.
    if (!fluid_is_soundfont(native.c_str()))
        return Fail(MIDI_RENDER_ERROR_FILEFORM);
    DWORD handle = s.nextHandle++;
    s.fonts[handle] = RenderFont{native};
    s.error = MIDI_RENDER_OK;
    return handle;
}

void MidiRenderFontFree(DWORD font)
{
    RenderState& s = State();
    s.fonts.erase(font);
    if (s.defaultFont == font)
        s.defaultFont = 0;
}

BOOL MidiRenderStreamGetFont(DWORD stream, DWORD* font)
{
    RenderState& s = State();
    if (!s.started)
        return Fail(MIDI_RENDER_ERROR_INIT);
    DWORD f = 0;
    if (stream == 0) {
        f = s.defaultFont;
    } else if (RenderStream* st = Stream(stream)) {
        f = st->font;
    } else {
        return Fail(MIDI_RENDER_ERROR_HANDLE);
    }
    if (!f || !s.fonts.count(f))
        return FALSE;
    if (font)
        *font = f;
    return TRUE;
}

BOOL MidiRenderStreamSetFont(DWORD stream, DWORD font)
{
    RenderState& s = State();
    if (!s.started)
        return Fail(MIDI_RENDER_ERROR_INIT);
    if (!s.fonts.count(font))
        return Fail(MIDI_RENDER_ERROR_HANDLE);
    if (stream == 0) {
        s.defaultFont = font;
        return TRUE;
    }
    RenderStream* st = Stream(stream);
    if (!st)
        return Fail(MIDI_RENDER_ERROR_HANDLE);
    return LoadFontInto(st, font) ? TRUE : Fail(MIDI_RENDER_ERROR_FILEFORM);
}

DWORD MidiRenderStreamCreateFile(const char* path, DWORD flags)
{
    RenderState& s = State();
    if (!s.started)
        return Fail(MIDI_RENDER_ERROR_INIT);
    std::string native = MapPath(path ? path : "");
    SmfTempoMap map;
    if (!ReadSmfTempoMap(native, &map))
        return Fail(MIDI_RENDER_ERROR_FILEFORM);

    auto stream = std::make_unique<RenderStream>();
    stream->settings = NewSettings(s.freq);
    stream->synth = stream->settings ? new_fluid_synth(stream->settings) : nullptr;
    if (!stream->synth)
        return Fail(MIDI_RENDER_ERROR_MEM);
    if (s.defaultFont)
        LoadFontInto(stream.get(), s.defaultFont);
    stream->player = new_fluid_player(stream->synth);
    if (!stream->player || fluid_player_add(stream->player, native.c_str()) != FLUID_OK ||
        fluid_player_play(stream->player) != FLUID_OK)
        return Fail(MIDI_RENDER_ERROR_FILEFORM);
    stream->flags = flags & MIDI_RENDER_SAMPLE_FLOAT;
    stream->frameBytes = stream->flags ? kChannels * sizeof(float) : kChannels * sizeof(int16_t);
    uint64_t frames = static_cast<uint64_t>(std::llround(map.EndSeconds() * s.freq));
    stream->lengthBytes = frames * stream->frameBytes;

    DWORD handle = s.nextHandle++;
    s.streams[handle] = std::move(stream);
    s.error = MIDI_RENDER_OK;
    return handle;
}

void MidiRenderStreamFree(DWORD stream) { State().streams.erase(stream); }

BOOL MidiRenderChannelGetInfo(DWORD stream, MidiRenderChannelInfo* info)
{
    if (!Stream(stream) || !info)
        return Fail(MIDI_RENDER_ERROR_HANDLE);
    info->freq = State().freq;
    info->chans = kChannels;
    info->flags = Stream(stream)->flags;
    return TRUE;
}

uint64_t MidiRenderChannelGetLength(DWORD stream)
{
    RenderStream* st = Stream(stream);
    if (!st)
        return Fail(MIDI_RENDER_ERROR_HANDLE), ~uint64_t(0);
    return st->lengthBytes;
}

BOOL MidiRenderChannelIsActive(DWORD stream)
{
    RenderStream* st = Stream(stream);
    return st && st->positionBytes < st->lengthBytes;
}

DWORD MidiRenderChannelGetData(DWORD stream, void* buffer, DWORD length)
{
    RenderStream* st = Stream(stream);
    if (!st || !buffer)
        return Fail(MIDI_RENDER_ERROR_HANDLE), DWORD(-1);
    if (st->positionBytes >= st->lengthBytes)
        return Fail(MIDI_RENDER_ERROR_ENDED), DWORD(-1);
    uint64_t frames = std::min<uint64_t>(length, st->lengthBytes - st->positionBytes) / st->frameBytes;
    int n = static_cast<int>(frames);
    int written = !n          ? FLUID_OK
                  : st->flags ? fluid_synth_write_float(st->synth, n, buffer, 0, 2, buffer, 1, 2)
                              : fluid_synth_write_s16(st->synth, n, buffer, 0, 2, buffer, 1, 2);
    if (written != FLUID_OK)
        return Fail(MIDI_RENDER_ERROR_UNKNOWN), DWORD(-1);
    st->positionBytes += frames * st->frameBytes;
    State().error = MIDI_RENDER_OK;
    return static_cast<DWORD>(frames * st->frameBytes);
}

uint64_t MidiRenderChannelGetPosition(DWORD stream)
{
    RenderStream* st = Stream(stream);
    return st ? st->positionBytes : 0;
}

int MidiRenderErrorGetCode() { return State().error; }
