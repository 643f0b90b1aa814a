// Standard MIDI File reader: the file image, the header, and the events of each track chunk.
#include <algorithm>
#include <cstring>
#include <iterator>
#include <new>

#include "kernel/file_api.h"
#include "kernel/prompt_service.h"
#include "song/file_bytes.h"
#include "song/score.h"

namespace {

CString TextOf(const std::vector<uint8_t>& data)
{
    size_t length = std::find(data.begin(), data.end(), 0) - data.begin();
    return CString(reinterpret_cast<const char*>(data.data()), static_cast<int>(length));
}

}  // namespace

int CScore::LoadMidiFile(CString path)
{
    for (int channel = 0; channel < 16; ++channel)
        SendShortMessage(static_cast<uint8_t>(0xC0 | channel), 0, 0);
    ScoreLock lock(this);
    ClearContents();
    TrackAppendScope appending(*this);
    if (!ReadWholeFile(path))
        return 0;
    auto fail = [this]() {
        m_fileImage.clear();
        m_workBuffer.clear();
        return 0;
    };
    if (!ReadMidiHeader())
        return fail();
    // A format-1 file of one chunk keeps its notes in the conductor chunk: read it as format 0.
    if (format == 1 && trackCount == 1)
        format = 0;
    // A format-0 chunk changes the track count to its channels; the chunks are the header's.
    int chunks = trackCount;
    for (int i = 0; i < chunks; ++i) {
        uint8_t tag[4];
        uint8_t size[4];
        if (!ReadFileBytes(tag, 4) || memcmp(tag, "MTrk", 4) != 0)
            return fail();
        if (!ReadFileBytes(size, 4))
            return fail();
        SwapBytes(size, 4);
        uint32_t length;
        memcpy(&length, size, 4);
        if (length > m_fileImage.size() - m_fileReadPos)
            return fail();
        m_workBuffer.assign(m_fileImage.begin() + m_fileReadPos, m_fileImage.begin() + m_fileReadPos + length);
        m_fileReadPos += length;
        ParseMidiTrack(i, static_cast<int>(length));
    }
    m_fileImage.clear();
    m_workBuffer.clear();
    if (!tempoList)
        SetTempoAt(false, kMidiDefaultTempo, 0);
    playTick = 0;
    RebuildMeasureTable(true);
    fileName = path;
    ApplySpMidiPriorities();
    return 1;
}

int CScore::ReadWholeFile(CString path)
{
    if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES) {
        MessageBox(nullptr, "Have no file !!!", "Error", MB_ICONQUESTION);
        return 0;
    }
    m_fileReadPos = 0;
    try {
        if (!LoadFileBytes(path, m_fileImage)) {
            m_fileImage.clear();
            MessageBox(nullptr, "Open file failed !!!", "Error", MB_OK);
            return 0;
        }
    } catch (const std::bad_alloc&) {
        m_fileImage.clear();
        MessageBox(nullptr, "Have no enough memory !!!", "Error", MB_OK);
        return 0;
    }
    return 1;
}

int CScore::ReadMidiHeader()
{
    uint8_t tag[4];
    uint8_t word[4];
    if (!ReadFileBytes(tag, 4) || memcmp(tag, "MThd", 4) != 0 || !ReadFileBytes(word, 4))
        return 0;
    SwapBytes(word, 4);
    uint32_t headerLength;
    memcpy(&headerLength, word, 4);
    if (headerLength < 6)
        return 0;

    uint16_t value;
    if (!ReadFileBytes(word, 2))
        return 0;
    SwapBytes(word, 2);
    memcpy(&value, word, 2);
    if (value != 0 && value != 1)
        return 0;
    format = value;

    if (!ReadFileBytes(word, 2))
        return 0;
    SwapBytes(word, 2);
    memcpy(&value, word, 2);
    trackCount = static_cast<int16_t>(std::min<int>(value, kMaxTracks));
    for (int i = 0; i <= trackCount - 2; ++i)
        tracks[i]->SetShown(true);

    if (!ReadFileBytes(word, 2))
        return 0;
    if (word[0] & 0x80) {
        // SMPTE timing (frames per second, ticks per frame): taken at the default tempo of
        // 120 beats per minute, where a quarter note lasts half a second.
        int ticksPerSecond = (256 - word[0]) * word[1];
        division = static_cast<int16_t>(std::clamp(ticksPerSecond / 2, 1, 32767));
    } else {
        division = static_cast<int16_t>((word[0] << 8) | word[1]);
        if (division == 0)
            return 0;
    }
    // A longer header carries fields this reader does not know; the chunks follow it.
    size_t extra = headerLength - 6;
    if (extra > m_fileImage.size() - m_fileReadPos)
        return 0;
    m_fileReadPos += extra;
    return 1;
}

void CScore::ParseMidiTrack(int chunkIndex, int length)
{
    m_workReadPos = 0;
    m_chunkEnd = static_cast<size_t>(length);
    m_endReached = 0;
    m_accumulatedTick = 0;
    int t = chunkIndex - 1;
    int names = 0;
    int texts = 0;
    int largestChannel = 0;
    uint8_t runningStatus = 0;
    int64_t tick = 0;
    std::fill(std::begin(m_noteChannels), std::end(m_noteChannels), -1);

    while (!m_endReached) {
        uint32_t delta = ReadVarLen();
        if (m_workReadPos >= m_chunkEnd)
            break;  // the chunk ends with this delta: no room for an event
        tick = std::min<int64_t>(tick + delta, kMaxFileTick);
        m_accumulatedTick = static_cast<int32_t>(tick);
        playTick = m_accumulatedTick;

        uint8_t status;
        if (!NextIsDataByte()) {
            status = ReadByte();
            if (format == 0) {
                t = status & 0x0F;
                largestChannel = std::max(largestChannel, t);
            }
            // Only channel messages set the running status; meta and system-exclusive events do not.
            if (status < 0xF0)
                runningStatus = status;
        } else {
            if (!runningStatus)
                break;  // a data byte with no status to repeat: the rest of the chunk is unreadable
            status = runningStatus;
            if (format == 0)
                t = status & 0x0F;
        }

        if (status == 0xFF)
            ParseMetaEvent(t, names, texts);
        else if (status == 0xF0)
            ParseSysExEvent(t);
        else if (status == 0xF7) {
            // Escape: a length and bytes to send as they are; the song has no place for them.
            uint32_t skip = ReadVarLen();
            m_workReadPos += std::min<size_t>(skip, m_chunkEnd - std::min(m_workReadPos, m_chunkEnd));
            if (m_workReadPos >= m_chunkEnd)
                m_endReached = 1;
        } else {
            ParseChannelEvent(status, t);
        }
    }

    for (int i = 0; i < kMaxTracks; ++i) {
        if (m_noteChannels[i] >= 0)
            tracks[i]->SetChannel(m_noteChannels[i]);
    }
    if (format == 0) {
        trackCount = static_cast<int16_t>(largestChannel + 2);
        for (int i = 0; i <= trackCount - 2; ++i)
            tracks[i]->SetShown(true);
    }
}

void CScore::ParseMetaEvent(int t, int& names, int& texts)
{
    uint8_t type = ReadByte();
    uint32_t length = ReadVarLen();
    size_t available = m_chunkEnd - std::min(m_workReadPos, m_chunkEnd);
    if (length > available) {
        length = static_cast<uint32_t>(available);
        m_endReached = 1;
    }
    std::vector<uint8_t> data(length + 1);
    ReadText(reinterpret_cast<char*>(data.data()), static_cast<int>(length));
    data.resize(length);
    CString text = TextOf(data);
    CTrack* track = tracks[std::max(t, 0)];

    switch (type) {
    case 0x01:
        if (t == -1) {
            if (texts == 0)
                text1 = text.Left(27);
            else if (texts == 1)
                text2 = text.Left(27);
            else
                furtherTexts += text;
            ++texts;
        }
        break;
    case 0x02:
        // The blank is added once: a text read back from a saved file does not grow.
        copyright = text;
        if (!text.IsEmpty() && text[text.GetLength() - 1] != ' ')
            copyright += " ";
        break;
    case 0x03:
        if (t == -1) {
            if (names == 0)
                sequenceName1 = text.Left(79);
            else if (names == 1)
                sequenceName2 = text.Left(79);
            else
                furtherTexts += text;
            ++names;
        } else {
            track->SetName(text.Left(49));
        }
        break;
    case 0x04:
        // The conductor chunk has no track to name. The instrument may move the track's channel,
        // so the channel of the notes before it is given first.
        if (t >= 0) {
            if (m_noteChannels[t] >= 0)
                track->SetChannel(m_noteChannels[t]);
            m_noteChannels[t] = -1;
            track->SetInstrumentByName(text.Left(25));
        }
        break;
    case 0x05:
        if (lyricValue) {
            CString lyric = text;
            track->InsertTextEvent(m_accumulatedTick, 5, 0, lyric.GetBuffer(), lyricFont, *lyricValue);
            lyric.ReleaseBuffer();
        }
        break;
    case 0x2F: m_endReached = 1; break;
    case 0x51:
        if (length >= 3) {
            uint32_t microseconds = (data[0] << 16) | (data[1] << 8) | data[2];
            // To the nearest whole beat per minute: files store the tempo rounded to whole microseconds, so a
            // file of 74 bpm holds 810811 us, which a cut-off division would read as 73.
            if (microseconds > 0)
                SetTempoAt(false, static_cast<int>((60000000 + microseconds / 2) / microseconds), m_accumulatedTick);
        }
        break;
    case 0x58:
        if (length >= 2) {
            SetTimeSignatureFrom(m_accumulatedTick, data[0], data[1]);
            RebuildTimeTable();
        }
        break;
    case 0x59:
        if (length >= 2) {
            SetKeySignatureFrom(m_accumulatedTick, static_cast<int8_t>(data[0]), data[1]);
            RebuildKeyTable();
            track->BuildStaffPitchTable(false, MeasureAtTick(m_accumulatedTick));
        }
        break;
    default: break;
    }
}

void CScore::ParseSysExEvent(int t)
{
    uint32_t length = ReadVarLen();
    size_t available = m_chunkEnd - std::min(m_workReadPos, m_chunkEnd);
    if (length > available) {
        length = static_cast<uint32_t>(available);
        m_endReached = 1;
    }
    std::vector<uint8_t> data(length + 1);
    ReadText(reinterpret_cast<char*>(data.data()), static_cast<int>(length));
    // The song's records hold at most 255 bytes; a longer message cannot be kept whole.
    if (length == 0 || length > 255 || data[0] == 0x60)
        return;
    if (t < 0)
        InsertSysEx(m_accumulatedTick, static_cast<uint8_t>(length), data.data());
    else
        tracks[t]->InsertDataEvent(m_accumulatedTick, static_cast<uint8_t>(length), data.data());
}

void CScore::ParseChannelEvent(uint8_t status, int t)
{
    CTrack* track = tracks[std::max(t, 0)];
    uint8_t data1 = ReadByte();
    uint8_t data2 = 0;
    int tick = m_accumulatedTick;
    switch (status & 0xF0) {
    case 0x80:
        data2 = ReadByte();
        track->AddMidiNote(tick, status, data1, data2);
        break;
    case 0x90:
        if (t >= 0)
            m_noteChannels[t] = status & 0x0F;
        data2 = ReadByte();
        if (data2 == 0)
            track->AddMidiNote(tick, static_cast<uint8_t>(0x80 | (status & 0x0F)), data1, 0);
        else
            track->AddMidiNote(tick, status, data1, data2);
        break;
    case 0xA0:
    case 0xE0:
        data2 = ReadByte();
        track->InsertControl(status, data1, data2, tick);
        break;
    case 0xB0:
        data2 = ReadByte();
        if (data1 <= 120)
            track->InsertControl(status, data1, data2, tick);
        break;
    case 0xC0:
    case 0xD0: track->InsertControl(status, data1, 0, tick); break;
    default: break;
    }
}

int CScore::ReadFileBytes(uint8_t* dest, int n)
{
    if (n < 0 || m_fileImage.size() - m_fileReadPos < static_cast<size_t>(n))
        return 0;
    memcpy(dest, m_fileImage.data() + m_fileReadPos, n);
    m_fileReadPos += n;
    return 1;
}

void CScore::SwapBytes(uint8_t* buffer, int n) { std::reverse(buffer, buffer + n); }

uint8_t CScore::ReadByte()
{
    if (m_workReadPos >= m_chunkEnd)
        m_endReached = 1;
    uint8_t value = m_workReadPos < m_workBuffer.size() && m_workReadPos < m_chunkEnd ? m_workBuffer[m_workReadPos] : 0;
    if (m_workReadPos <= m_chunkEnd)
        ++m_workReadPos;
    return value;
}

uint32_t CScore::ReadVarLen()
{
    uint32_t value = 0;
    for (int i = 0; i < 4; ++i) {
        uint8_t byte = ReadByte();
        value = (value << 7) | (byte & 0x7F);
        if (!(byte & 0x80))
            break;
    }
    return value;
}

int CScore::NextIsDataByte() const
{
    if (m_workReadPos >= m_chunkEnd || m_workReadPos >= m_workBuffer.size())
        return 1;
    return m_workBuffer[m_workReadPos] < 0x80;
}

void CScore::ReadText(char* dest, int n)
{
    for (int i = 0; i < n; ++i)
        dest[i] = static_cast<char>(ReadByte());
    dest[n] = '\0';
}
