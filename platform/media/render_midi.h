// Offline MIDI-to-PCM rendering with a SoundFont synthesizer: fonts, decoding streams and their data.
#pragma once

#include <cstdint>

#include "kernel/windef.h"

// Error codes of the last failing call.
#define MIDI_RENDER_OK 0
#define MIDI_RENDER_ERROR_MEM 1
#define MIDI_RENDER_ERROR_FILEOPEN 2
#define MIDI_RENDER_ERROR_HANDLE 5
#define MIDI_RENDER_ERROR_INIT 8
#define MIDI_RENDER_ERROR_FILEFORM 41
#define MIDI_RENDER_ERROR_ENDED 45
#define MIDI_RENDER_ERROR_UNKNOWN (-1)

// Channel flag: the stream delivers 8-bit samples (never set: streams deliver 16-bit or float stereo).
#define MIDI_RENDER_SAMPLE_8BITS 1
// Stream and channel flag: the stream delivers 32-bit float samples, unclipped, instead of 16-bit ones.
#define MIDI_RENDER_SAMPLE_FLOAT 256

struct MidiRenderChannelInfo {
    DWORD freq;
    DWORD chans;
    DWORD flags;
};

// Starts the renderer at the given output rate; the default font set becomes the system's General MIDI
// SoundFont when there is one. FALSE when the synthesizer cannot start.
BOOL MidiRenderInit(DWORD freq);
// Frees every stream and font.
void MidiRenderFree();

// Loads a SoundFont; 0 when the synthesizer cannot load the file.
DWORD MidiRenderFontInit(const char* path);
void MidiRenderFontFree(DWORD font);
// The font of a stream (stream 0: the default for new streams); FALSE when there is none.
BOOL MidiRenderStreamGetFont(DWORD stream, DWORD* font);
// Sets the font of a stream (stream 0: the default for new streams).
BOOL MidiRenderStreamSetFont(DWORD stream, DWORD font);

// A decoding stream of a Standard MIDI File (flags: 0 or MIDI_RENDER_SAMPLE_FLOAT); 0 on failure. It ends
// at the end of the file's MIDI data.
DWORD MidiRenderStreamCreateFile(const char* path, DWORD flags = 0);
void MidiRenderStreamFree(DWORD stream);
BOOL MidiRenderChannelGetInfo(DWORD stream, MidiRenderChannelInfo* info);
// Whole decoded length in bytes, known before decoding.
uint64_t MidiRenderChannelGetLength(DWORD stream);
BOOL MidiRenderChannelIsActive(DWORD stream);
// Decodes up to length bytes (whole frames) into buffer; the byte count, or (DWORD)-1 on error.
DWORD MidiRenderChannelGetData(DWORD stream, void* buffer, DWORD length);
uint64_t MidiRenderChannelGetPosition(DWORD stream);

int MidiRenderErrorGetCode();
