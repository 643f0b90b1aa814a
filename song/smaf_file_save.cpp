// SMAF writing: the file header, the contents-info chunk, the score-track chunks and the CRC.
#include "song/smaf_file.h"

#include "kernel/prompt_service.h"
#include "song/big_endian.h"
#include "song/file_bytes.h"
#include "song/score.h"
#include "song/smaf_crc/smaf_crc16.h"
#include "song/smaf_track_writer.h"

namespace {

const size_t kFileBufferSize = 500000;

}  // namespace

CSmafFile::CSmafFile(SmafContentsInfo* contentsInfo) : contentsInfo(contentsInfo) {}

std::vector<uint8_t> CSmafFile::BuildFile() const
{
    std::vector<uint8_t> file;
    if (!score || score->trackCount - 1 <= 0)
        return file;
    file.insert(file.end(), {'M', 'M', 'M', 'D', 0, 0, 0, 0});
    size_t info = file.size();
    file.insert(file.end(), {'C', 'N', 'T', 'I', 0, 0, 0, 0, 0x00, 0x00, 0x00, 0x00, 0x00});
    if (contentsInfo) {
        for (const SmafTag& tag : kSmafWriteOrder) {
            const CString& text = contentsInfo->*tag.field;
            if (text.IsEmpty())
                continue;
            CString item;
            item.Format("%s:%s,", tag.name, static_cast<const char*>(text));
            file.insert(file.end(), item.GetString(), item.GetString() + item.GetLength());
        }
    }
    PutBigEndian32(file, info + 4, static_cast<uint32_t>(file.size() - info - 8));

    int songTracks = score->trackCount - 1;
    for (int k = 1; k <= songTracks / 4 + 1; ++k) {
        int channels = k <= songTracks / 4 ? 4 : songTracks % 4;
        if (channels == 0)
            break;
        CSmafTrackWriter writer(score, 4 * (k - 1), channels);
        if (!writer.Build(k))
            break;
        const std::vector<uint8_t>& chunk = writer.GetChunk();
        // A chunk that would pass the file buffer is left out with all later ones.
        if (file.size() + chunk.size() + 2 > kFileBufferSize)
            break;
        file.insert(file.end(), chunk.begin(), chunk.end());
    }
    PutBigEndian32(file, 4, static_cast<uint32_t>(file.size() + 2 - 8));
    uint16_t crc = SmafCrc16(file.data(), file.size());
    file.push_back(static_cast<uint8_t>(crc >> 8));
    file.push_back(static_cast<uint8_t>(crc & 0xFF));
    return file;
}

bool CSmafFile::Save(const char* path)
{
    std::vector<uint8_t> file = BuildFile();
    if (file.empty())
        return false;
    FileWriteResult result = WriteFileReplacing(path, file);
    if (result == FILE_WRITE_OK)
        return true;
    // Reported as the other song writers do; the previous file is left as it was.
    MessageBox(nullptr, result == FILE_WRITE_READONLY ? "This is a readonly file." : "Save file failed !!!", "Error",
               MB_OK);
    return false;
}
