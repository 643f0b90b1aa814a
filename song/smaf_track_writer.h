// CSmafTrackWriter: one score-track chunk of a SMAF file, built from four song tracks or read into them.
#pragma once

#include <cstdint>
#include <vector>

#include "kernel/object.h"

class CScore;
struct NoteEvent;
struct ControlEvent;

class CSmafTrackWriter : public CObject {
public:
    CSmafTrackWriter(CScore* song, int firstTrack, int channelCount);

    // Fills the buffer with chunk "MTR" + number; false when the song has no song track.
    bool Build(int chunkNumber);
    const std::vector<uint8_t>& GetChunk() const { return buffer; }

    // Reads one score-track chunk into the four song tracks from firstTrack on.
    void Read(const uint8_t* chunk, uint32_t chunkSize);

private:
    void WriteSlotSetup(int slot);
    void EncodeNote(int slot, const NoteEvent& note);
    void EncodeControl(int slot, const ControlEvent& control);
    void WriteDuration(int tick);
    void ReadControl(int slot, uint8_t code, uint8_t data, int tick);

    CScore* song;
    int firstTrack;
    int channelCount;
    std::vector<uint8_t> buffer;  // grows as needed, so no chunk can overrun it
    int currentTick = 0;
    int startTick = 0;
    int octaveShift[4] = {0, 0, 0, 0};
    int midiChannel[4] = {0, 0, 0, 0};
};
