// SMAF reading: header check, chunk walk and the contents-info tags.
#include "song/smaf_file.h"

#include <cstring>
#include <new>

#include "kernel/prompt_service.h"
#include "song/big_endian.h"
#include "song/file_bytes.h"
#include "song/score.h"
#include "song/smaf_track_writer.h"

void ParseContentsInfoText(const char* text, size_t length, SmafContentsInfo* info)
{
    if (!info)
        return;
    // The same result as writing the tags as "TAG=text" lines of an ini section and reading them back:
    // the first item of a tag wins, keys match without case, values are trimmed and lose surrounding
    // quotes, and every ':' of a value reads as '='. Absent tags leave their fields empty.
    bool seen[13] = {};
    for (const SmafTag& tag : kSmafWriteOrder)
        info->*tag.field = "";
    size_t pos = 0;
    while (pos < length) {
        size_t end = pos;
        while (end < length && text[end] != ',')
            ++end;
        CString item(text + pos, static_cast<int>(end - pos));
        int colon = item.Find(':');
        if (colon > 0) {
            CString key = item.Left(colon);
            CString value = item.Mid(colon + 1);
            key.Trim();
            value.Trim();
            value.Replace(':', '=');
            int last = value.GetLength() - 1;
            if (last > 0 && (value[0] == '"' || value[0] == '\'') && value[last] == value[0])
                value = value.Mid(1, last - 1);
            for (int i = 0; i < 13; ++i) {
                if (!seen[i] && key.CompareNoCase(kSmafWriteOrder[i].name) == 0) {
                    info->*kSmafWriteOrder[i].field = value;
                    seen[i] = true;
                }
            }
        }
        pos = end + 1;
    }
}

void CSmafFile::ReadContentsInfo(const uint8_t* chunk, uint32_t size)
{
    if (size <= 5 || !contentsInfo)
        return;
    // The text runs from after the five info bytes to the chunk's end, less its final comma.
    ParseContentsInfoText(reinterpret_cast<const char*>(chunk + 13), size - 5 - 1, contentsInfo);
}

int CSmafFile::Load(const char* path)
{
    if (!score)
        return -1;
    score->Reset();
    std::vector<uint8_t> file;
    try {
        if (!LoadFileBytes(path, file))
            file.clear();
    } catch (const std::bad_alloc&) {
        AfxMessageBox("Open file failed !!!");  // too large to hold
        return -1;
    }
    uint64_t length = file.size();
    uint64_t declared = length >= 8 ? BigEndian32(file.data() + 4) : 0;
    bool isSmaf = length >= 8 && std::memcmp(file.data(), "MMMD", 4) == 0;
    if (isSmaf && declared + 8 == length) {
        longerTail = false;
    } else if (isSmaf && (declared + 9 == length || declared + 10 == length)) {
        longerTail = true;
    } else {
        AfxMessageBox("The file is not a SMAF format file.");
        return -1;
    }

    TrackAppendScope appending(*score);
    int result = -1;
    int scoreTracks = 0;
    uint64_t reserve = longerTail ? 4 : 2;
    uint64_t offset = 8;
    // Sizes are taken in 64 bits and every chunk must lie inside the file, so no walk can wrap or overrun.
    while (length - offset > reserve && offset + 8 <= length) {
        const uint8_t* chunk = file.data() + offset;
        uint64_t size = BigEndian32(chunk + 4);
        uint64_t available = length - offset - 8;
        uint32_t usable = static_cast<uint32_t>(size < available ? size : available);
        if (std::memcmp(chunk, "MTR", 3) == 0) {
            CSmafTrackWriter reader(score, 4 * scoreTracks, 4);
            reader.Read(chunk, usable);
            ++scoreTracks;
            result = 0;
        } else if (std::memcmp(chunk, "CNTI", 4) == 0) {
            ReadContentsInfo(chunk, usable);
        } else if (std::memcmp(chunk, "ATR", 3) == 0) {
            result = 1;
        }
        offset += size + 8;
    }
    return result;
}
