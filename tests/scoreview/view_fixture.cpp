// Score view test fixtures.
#include "view_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "imaging/raster_image.h"
#include "kernel/path_map.h"
#include "tests/support/bmp_file.h"
#include "tests/support/test_data.h"

void ShowOnly(CScoreView& view, std::initializer_list<int> slots)
{
    for (int i = 0; i < kMaxTracks; ++i)
        view.score.GetTrack(i)->SetShown(false);
    for (int slot : slots)
        view.score.GetTrack(slot)->SetShown(true);
}

uint32_t PagePixel(const CScoreView& view, int x, int y)
{
    const ImageLibBitmap& record = view.pageBitmap.Record();
    const uint8_t* p = record.memory + (size_t)y * record.bytesPerLine + 3 * x;
    return p[2] << 16 | p[1] << 8 | p[0];
}

void BuildFurnitureSong(CScore& song)
{
    song.SetTimeSignatureFrom(0, 4, 2);
    song.SetKeySignatureFrom(0, 2, 0);
    song.RebuildMeasureTable(false);
    song.SetKeySignatureFrom(song.MeasureStartTick(1), -3, 0);
    song.SetTimeSignatureFrom(song.MeasureStartTick(2), 3, 2);
    song.RebuildMeasureTable(false);
    song.SetKeySignatureFrom(song.MeasureStartTick(2), 0, 0);
    song.SetTimeSignatureFrom(song.MeasureStartTick(3), 6, 3);
    song.RebuildMeasureTable(false);
    song.SetTimeSignatureFrom(song.MeasureStartTick(5), 12, 3);
    song.SetClefFrom(true, 1, 0, 3);
    song.SetClefFrom(true, 2, 0, 4);
    song.SetClefFrom(true, 0, song.MeasureStartTick(3), 1);
    song.RebuildMeasureTable(false);
    song.InsertMeasureMark(0, 1);
    song.InsertMeasureMark(1, 3);
    for (int i = 0; i < kMaxTracks; ++i)
        song.GetTrack(i)->SetShown(i < 3);
    song.lastUsedTick = song.MeasureStartTick(6) - 1;
}

// Compares the working page with tests/scoreview/golden/NAME.bmp pixel by pixel; with
// KESTRIN_REGENERATE_GOLDEN set (tools/regenerate_scoreview_golden.sh) the golden file is rewritten instead.
void ExpectGolden(const CScoreView& view, const char* name)
{
    std::string golden = SourcePath(std::string("tests/scoreview/golden/") + name + ".bmp");
    std::vector<uint32_t> pixels = PagePixels(view.pageBitmap);
    int width = view.pageBitmap.Width(), height = view.pageBitmap.Height();
    if (std::getenv("KESTRIN_REGENERATE_GOLDEN")) {
        std::filesystem::create_directories(std::filesystem::path(golden).parent_path());
        ASSERT_TRUE(WriteBmp24(golden, pixels.data(), width, height));
        return;
    }
    CRasterImage expected;
    ASSERT_TRUE(expected.LoadFile(ToWindowsPath(golden).c_str(), RASTER_TYPE_BMP)) << "no golden picture " << golden;
    ASSERT_EQ(expected.GetWidth(), width);
    ASSERT_EQ(expected.GetHeight(), height);
    int differing = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const BYTE* p = expected.GetPixelAddress(x, y);
            uint32_t want = p[2] << 16 | p[1] << 8 | p[0];
            differing += (pixels[(size_t)y * width + x] & 0xFFFFFF) != want;
        }
    EXPECT_EQ(differing, 0) << "pixels of the painted " << name << " differ from its golden picture";
}

void AddNotes(CScore& song, int track, std::initializer_list<TestNote> notes)
{
    const int division = song.division;
    for (const TestNote& n : notes)
        song.GetTrack(track)->InsertNote(false, n.start * division / 48, (n.start + n.length) * division / 48,
                                         (int8_t)n.pitch, 100, (int8_t)n.accidental, (uint8_t)n.graceLink, 0,
                                         (uint8_t)n.stem, (uint8_t)n.tuplet, 0);
}

void PaintNoteSong(CScoreView& view, double zoom)
{
    for (int i = 0; i < kMaxTracks; ++i)
        view.score.GetTrack(i)->SetShown(i == 0);
    view.noteSpacing = 1.25 * zoom;
    PrepareHeadlessView(view, 1100, 0, zoom);
    view.RedrawScore(true);
}
