// CSmafFile: saves a song as a SMAF (.mmf) file and loads one into a song.
#pragma once

#include <cstdint>
#include <vector>

#include "kernel/cstring.h"
#include "kernel/object.h"
#include "song/smaf_contents_info.h"

class CScore;

class CSmafFile : public CObject {
public:
    explicit CSmafFile(SmafContentsInfo* contentsInfo);

    void SetScore(CScore* song) { score = song; }
    void SetOption(int32_t value) { option = value; }
    // Writes the file; false when nothing could be written (no song track, or the file cannot be made).
    bool Save(const char* path);
    // -1 not SMAF or no score track, 0 score tracks read, 1 the last track chunk was an audio track.
    int Load(const char* path);
    bool HasLongerTail() const { return longerTail; }

    // The whole file as Save writes it.
    std::vector<uint8_t> BuildFile() const;

private:
    void ReadContentsInfo(const uint8_t* chunk, uint32_t size);

    CScore* score = nullptr;
    int32_t option = 0;
    SmafContentsInfo* contentsInfo;
    bool longerTail = false;
};

// Parses "TAG:text,TAG:text," into the record: every one of the thirteen tags is set, absent ones empty.
void ParseContentsInfoText(const char* text, size_t length, SmafContentsInfo* info);
