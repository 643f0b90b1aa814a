// Score view test fixtures.
#include "view_fixture.h"

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
