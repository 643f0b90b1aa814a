// Native score file reader: rebuilds every list through the song's and tracks' insert operations.
#include <cstring>
#include <new>

#include "kernel/file_api.h"
#include "song/file_bytes.h"
#include "song/list_ops.h"
#include "song/score.h"
#include "song/sms_records.h"

namespace {

// A count the rest of the file cannot hold is refused before anything is allocated for it.
bool ReadCount(ByteReader& r, int recordSize, int32_t& count)
{
    count = r.I32();
    return r.ok() && count >= 0 && static_cast<size_t>(count) <= r.Remaining() / recordSize;
}

CString ReadTextField(ByteReader& r, int size)
{
    std::vector<char> field(size);
    r.Text(field.data(), size);
    return CString(field.data());
}

bool ReadTrackSection(CScore& song, ByteReader& r, int index)
{
    char marker[6];
    r.Bytes(marker, 6);
    if (!r.ok() || memcmp(marker, "SMJ999", 6) != 0)
        return false;
    CTrack* track = song.tracks[index];
    track->instrumentName = ReadTextField(r, 25);
    track->name = ReadTextField(r, 50);
    track->shown = r.I32();
    track->audible = r.I32();

    int32_t count;
    if (!ReadCount(r, kSmsClefSize, count))
        return false;
    for (int i = 0; i < count; ++i) {
        ClefChange clef = GetClef(r);
        song.SetClefFrom(false, index, clef.tick, clef.clef);
    }
    if (!ReadCount(r, kSmsNoteSize, count))
        return false;
    for (int i = 0; i < count; ++i) {
        NoteEvent n = GetNote(r);
        track->channel = n.channel & 0x0F;
        track->InsertNote(false, n.start, n.end, static_cast<int8_t>(n.pitch & 0x7F), n.velocity, n.accidental,
                          static_cast<uint8_t>(n.graceLink), 0, static_cast<uint8_t>(n.stemDirection), n.tupletNumber,
                          n.marked);
    }
    if (!ReadCount(r, kSmsControlSize, count))
        return false;
    for (int i = 0; i < count; ++i) {
        ControlEvent c = GetControl(r);
        track->channel = c.channel & 0x0F;
        track->InsertControl(c.status, c.data1, c.data2, c.tick);
    }
    if (!ReadCount(r, kSmsDataEventSize, count))
        return false;
    for (int i = 0; i < count; ++i) {
        int32_t tick;
        uint8_t length;
        uint8_t data[256];
        if (!GetDataRecord(r, tick, length, data))
            return false;
        track->InsertDataEvent(tick, length, data);
    }
    if (!ReadCount(r, kSmsTextEventSize, count))
        return false;
    for (int i = 0; i < count; ++i) {
        TrackTextEvent e;
        GetTextEvent(r, e);
        track->InsertTextEventCopy(e);
    }
    if (!ReadCount(r, kSmsPlacedSymbolSize, count))
        return false;
    for (int i = 0; i < count; ++i) {
        PlacedSymbol s = GetPlacedSymbol(r);
        track->InsertPlacedSymbol(s.type, s.tick, s.xOffset, s.yOffset, s.value);
    }
    if (!ReadCount(r, kSmsCurveMarkSize, count))
        return false;
    for (int i = 0; i < count; ++i)
        track->InsertCurveMark(GetCurveMark(r));
    if (!ReadCount(r, kSmsSpanSize, count))
        return false;
    for (int i = 0; i < count; ++i)
        track->InsertSpan(GetSpan(r));
    if (!ReadCount(r, kSmsRecord40Size, count))
        return false;
    for (int i = 0; i < count; ++i) {
        TrackRecord40 record = GetRecord40(r);
        track->InsertRecord40(true, &record);
    }
    r.Bytes(marker, 6);
    return r.ok() && memcmp(marker, "SMJ888", 6) == 0;
}

}  // namespace

int CScore::LoadScoreFile(const char* path)
{
    if (GetFileAttributes(path) == INVALID_FILE_ATTRIBUTES)
        return 0;
    std::vector<uint8_t> bytes;
    try {
        if (!LoadFileBytes(path, bytes))
            return 0;
    } catch (const std::bad_alloc&) {
        return 0;  // too large to hold: refused as a file that cannot be read
    }
    ScoreLock lock(this);
    TrackAppendScope appending(*this);
    ByteReader r(bytes.data(), bytes.size());

    char magic[3];
    r.Bytes(magic, 3);
    static const char* const kVersions[4] = {"SON", "DB1", "DB2", "DB3"};
    int version = -1;
    for (int v = 0; v < 4; ++v) {
        if (memcmp(magic, kVersions[v], 3) == 0)
            version = v;
    }
    if (!r.ok() || version < 0)
        return 0;
    int16_t storedTracks = r.I16();
    int16_t storedDivision = r.I16();
    // At most 30 song tracks exist; no timing without a division.
    if (!r.ok() || storedTracks < 1 || storedTracks > kMaxTracks + 1 || storedDivision <= 0)
        return 0;
    trackCount = storedTracks;
    division = storedDivision;
    sequenceName1 = ReadTextField(r, 80);
    sequenceName2 = ReadTextField(r, 80);
    text1 = ReadTextField(r, 28);
    text2 = ReadTextField(r, 28);
    copyright = ReadTextField(r, 256);
    furtherTexts = ReadTextField(r, 1200);

    int32_t count;
    if (!ReadCount(r, kSmsTempoSize, count))
        return 0;
    for (int i = 0; i < count; ++i) {
        TempoChange e = GetTempo(r);
        SetTempoAt(true, e.bpm, e.tick);
    }
    if (!ReadCount(r, kSmsKeySize, count))
        return 0;
    for (int i = 0; i < count; ++i) {
        KeySignatureChange e = GetKey(r);
        SetKeySignatureFrom(e.tick, e.count, e.mode);
    }
    if (!ReadCount(r, kSmsTimeSize, count))
        return 0;
    // The file's signatures replace the starting 4/4 of the new song rather than pile up behind it.
    if (count > 0) {
        while (timeList) {
            TimeSignatureChange* next = timeList->next;
            delete timeList;
            timeList = next;
        }
    }
    for (int i = 0; i < count; ++i) {
        TimeSignatureChange e = GetTime(r);
        SetTimeSignatureFrom(e.tick, e.numerator, e.denominatorPower);
        RebuildTimeTable();
    }
    RebuildKeyTable();
    if (!ReadCount(r, kSmsMeasureMarkSize, count))
        return 0;
    for (int i = 0; i < count; ++i) {
        MeasureMark e = GetMeasureMark(r);
        InsertMeasureMark(e.value, e.measure);
    }
    if (!ReadCount(r, kSmsSysExSize, count))
        return 0;
    for (int i = 0; i < count; ++i) {
        int32_t tick;
        uint8_t length;
        uint8_t data[256];
        if (!GetDataRecord(r, tick, length, data))
            return 0;
        InsertSysEx(tick, length, data);
    }
    if (!ReadCount(r, kSmsAnnotationSize, count))
        return 0;
    for (int i = 0; i < count; ++i) {
        TextAnnotation e;
        GetAnnotation(r, e);
        InsertTextAnnotation(e);
    }
    for (double& gap : lineGaps)
        gap = r.F64();
    for (auto& row : measureValues)
        for (int32_t& value : row)
            value = r.I32();
    for (int32_t& lines : measuresPerLine)
        lines = r.I32();
    staffScale = r.F64();
    pageWidth = r.I32();
    pageHeight = r.I32();
    firstStaffTop = r.F64();
    staffSpacing = r.F64();
    bottomMargin = r.F64();
    leftMargin = r.F64();
    if (version == 1) {
        double step = r.F64();
        if (step > 0.0 && step <= 1000.0)
            gridValue = step;
    }
    if (!r.ok())
        return 0;

    for (int i = 0; i <= storedTracks - 2; ++i) {
        if (!ReadTrackSection(*this, r, i))
            return 0;
    }
    UpdateScoreLength();
    return 1;
}
