// Native score file: the layout of a new song byte for byte, round trips and damaged files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "song/score.h"
#include "song_test_files.h"

namespace {

struct Little {
    Bytes out;
    void I16(int v) { Put(static_cast<uint32_t>(v), 2); }
    void I32(int v) { Put(static_cast<uint32_t>(v), 4); }
    void F64(double v)
    {
        uint64_t bits;
        memcpy(&bits, &v, 8);
        for (int i = 0; i < 8; ++i)
            out.push_back(static_cast<uint8_t>(bits >> (8 * i)));
    }
    void Text(const std::string& s, size_t size)
    {
        out.insert(out.end(), s.begin(), s.end());
        out.insert(out.end(), size - s.size(), 0);
    }
    void Raw(const std::string& s) { out.insert(out.end(), s.begin(), s.end()); }
    void Zeros(size_t n) { out.insert(out.end(), n, 0); }
    void Put(uint32_t v, int n)
    {
        for (int i = 0; i < n; ++i)
            out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
};

Bytes NewSongFile(const std::string& magic, bool withStep, int trackCount = 2)
{
    Little f;
    f.Raw(magic);
    f.I16(trackCount);
    f.I16(96);
    f.Zeros(80 + 80 + 28 + 28 + 256 + 1200);
    f.I32(0);  // tempo
    f.I32(0);  // key
    f.I32(1);  // time: 4/4 at 0
    f.out.insert(f.out.end(), {4, 2, 0, 0});
    f.I32(0);
    f.I32(0);
    f.I32(0);  // measure marks
    f.I32(0);  // system exclusive
    f.I32(0);  // annotations
    for (int i = 0; i < 1000; ++i)
        f.F64(4.0);
    for (int i = 0; i < 6000; ++i)
        f.I32(1);
    for (int i = 0; i < 1000; ++i)
        f.I32(2);
    f.F64(13.0);
    f.I32(359);
    f.I32(237);
    f.F64(8.0);
    f.F64(10.0);
    f.F64(4.0);
    f.F64(4.0);
    if (withStep)
        f.F64(4.0);
    for (int t = 0; t < trackCount - 1; ++t) {
        f.Raw("SMJ999");
        f.Text("Acoustic Grand Piano", 25);
        f.Text("", 50);
        f.I32(1);
        f.I32(1);
        f.I32(0);  // clefs
        f.I32(0);  // notes
        f.I32(1);  // the program change at 0
        f.out.insert(f.out.end(), {0xC0, 0x00, 0x00, 0x00});
        f.I32(0);
        f.I32(0);
        for (int list = 0; list < 6; ++list)
            f.I32(0);
        f.Raw("SMJ888");
    }
    return f.out;
}

}  // namespace

TEST(ScoreFile, NewSongByteForByte)
{
    TempFolder folder;
    CScore song;
    song.modified = 1;
    ASSERT_EQ(song.SaveScoreFile(folder.Win("new.sms").c_str()), 1);
    EXPECT_EQ(ReadBytes(folder.Linux("new.sms")), NewSongFile("DB1", true));
    EXPECT_EQ(song.modified, 0);
}

TEST(ScoreFile, OlderVersionsAndDamagedFiles)
{
    TempFolder folder;
    CScore song;
    WriteBytes(folder.Linux("v2.sms"), NewSongFile("DB2", false));
    song.Reset();
    song.gridValue = 2.0;
    ASSERT_EQ(song.LoadScoreFile(folder.Win("v2.sms").c_str()), 1);
    EXPECT_EQ(song.gridValue, 2.0);  // not stored before version 1
    EXPECT_EQ(song.GetTrack(0)->GetInstrumentName(), "Acoustic Grand Piano");

    WriteBytes(folder.Linux("bad.sms"), NewSongFile("XYZ", true));
    song.Reset();
    EXPECT_EQ(song.LoadScoreFile(folder.Win("bad.sms").c_str()), 0);
    Bytes many = NewSongFile("DB1", true);
    many[3] = 40;  // more tracks than the song has
    WriteBytes(folder.Linux("many.sms"), many);
    song.Reset();
    EXPECT_EQ(song.LoadScoreFile(folder.Win("many.sms").c_str()), 0);
    Bytes counted = NewSongFile("DB1", true);
    size_t tempoCount = 7 + 80 + 80 + 28 + 28 + 256 + 1200;
    counted[tempoCount + 3] = 0x7F;  // a count far beyond the file
    WriteBytes(folder.Linux("count.sms"), counted);
    song.Reset();
    EXPECT_EQ(song.LoadScoreFile(folder.Win("count.sms").c_str()), 0);
    Bytes shortFile = NewSongFile("DB1", true);
    shortFile.resize(shortFile.size() - 8);
    WriteBytes(folder.Linux("short.sms"), shortFile);
    song.Reset();
    EXPECT_EQ(song.LoadScoreFile(folder.Win("short.sms").c_str()), 0);
    EXPECT_EQ(song.LoadScoreFile(folder.Win("none.sms").c_str()), 0);
}

TEST(ScoreFile, RoundTrip)
{
    TempFolder folder;
    CScore song;
    song.trackCount = 3;
    song.sequenceName1 = "Title";
    song.copyright = std::string(300, 'c').c_str();  // cut to the 255 characters its field holds
    song.SetTempoAt(false, 90, 0);
    song.SetTempoAt(true, 120, 768);
    song.SetKeySignatureFrom(0, -2, 0);
    song.SetTimeSignatureFrom(768, 3, 2);
    song.RebuildMeasureTable(false);
    song.InsertMeasureMark(1, 3);
    const uint8_t sysEx[] = {0x43, 0x10, 0xF7};
    song.InsertSysEx(5, sizeof sysEx, sysEx);
    TextAnnotation note;
    note.tick = 96;
    note.textSettings[0] = 1.4;
    note.textColor = 0x123456;
    strcpy(note.font.lfFaceName, "Sans");
    strcpy(note.text, "la");
    song.InsertTextAnnotation(note);
    song.pageWidth = 500;
    CTrack* t = song.GetTrack(1);
    t->SetInstrument(41);
    t->SetName("Second");
    song.SetClefFrom(false, 1, 0, CLEF_ALTO);
    t->BuildStaffPitchTable(false, 0);
    t->InsertNote(false, 0, 96, 58, 90, -1, 0, 0, 1, 3, 0);
    t->InsertNote(false, 96, 192, 62, 90, 0, 12, 0, 0, 0, 1);
    uint8_t bytes[2] = {7, 8};
    t->InsertDataEvent(10, 2, bytes);
    char text[] = "word";
    t->InsertTextEvent(20, 3, 4, text, &note.font, 5);
    t->InsertPlacedSymbol(2, 30, 1.5, -2.0, 9);
    CurveMark curve;
    curve.tick1 = 0;
    curve.tick2 = 50;
    curve.tick3 = 100;
    curve.xOffset[2] = 0.25;
    t->InsertCurveMark(curve);
    SpanRecord span;
    span.start = 0;
    span.end = 96;
    strcpy(span.text, "span");
    t->InsertSpan(span);
    TrackRecord40 grace;
    grace.noteCount = 2;
    grace.steps[1] = 5;
    grace.tick = 40;
    t->InsertRecord40(true, &grace);

    std::string first = folder.Win("a.sms");
    ASSERT_EQ(song.SaveScoreFile(first.c_str()), 1);
    CScore loaded;
    loaded.NewSong(1, 4, 2);
    ASSERT_EQ(loaded.LoadScoreFile(first.c_str()), 1);
    EXPECT_EQ(loaded.copyright.GetLength(), 255);
    EXPECT_EQ(loaded.GetTrack(1)->GetName(), "Second");
    EXPECT_EQ(loaded.GetTrack(1)->GetChannel(), 1);
    EXPECT_EQ(loaded.GetTrack(1)->ClefAtTick(0), CLEF_ALTO);
    EXPECT_EQ(loaded.MeasureLength(2), 288);
    std::string second = folder.Win("b.sms");
    ASSERT_EQ(loaded.SaveScoreFile(second.c_str()), 1);
    Bytes a = ReadBytes(folder.Linux("a.sms"));
    Bytes b = ReadBytes(folder.Linux("b.sms"));
    EXPECT_EQ(a, b);
}

TEST(ScoreFile, InstrumentNameCutAndLowerStaffCleared)
{
    TempFolder folder;
    CScore song;
    CTrack* t = song.GetTrack(0);
    t->instrumentName = std::string(30, 'i').c_str();
    t->InsertNote(false, 0, 96, 48, 90, 0, 0, 1, 0, 0, 0);
    std::string path = folder.Win("c.sms");
    ASSERT_EQ(song.SaveScoreFile(path.c_str()), 1);
    CScore loaded;
    ASSERT_EQ(loaded.LoadScoreFile(path.c_str()), 1);
    EXPECT_EQ(loaded.GetTrack(0)->GetInstrumentName(), std::string(24, 'i').c_str());
    ASSERT_NE(loaded.GetTrack(0)->notes, nullptr);
    EXPECT_EQ(loaded.GetTrack(0)->notes->lowerStaff, 0);
}
