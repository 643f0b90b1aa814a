// The n-th shown track and the first visible measure.
#include <gtest/gtest.h>

#include <initializer_list>

#include "render/visible_tracks.h"
#include "strip_song.h"

namespace {

TEST(VisibleTracks, NthShownTrackTellsNoneFromTheLastSlot)
{
    struct Case {
        std::initializer_list<int> shownSlots;
        int n, slot;
    };
    const Case cases[] = {
        {{4}, 0, 4},         {{4}, 1, kNoShownTrack},        {{}, 0, kNoShownTrack},
        {{0, 3, 29}, 2, 29}, {{0, 3, 29}, 3, kNoShownTrack},
    };
    for (const Case& c : cases) {
        bool shown[30] = {};
        for (int s : c.shownSlots)
            shown[s] = true;
        EXPECT_EQ(GetNthVisibleTrack(shown, c.n), c.slot) << c.n;
    }
}

TEST(VisibleTracks, FirstVisibleMeasureHoldsTheFirstBeatAndANegativeBeatBecomesZero)
{
    StripSong song;
    song.measures[1] = {3, 4, KEY_NONE, 0};
    struct Case {
        int beat, measure, storedBeat;
    };
    const Case cases[] = {{-3, 0, 0}, {0, 0, 0}, {3, 0, 3}, {4, 1, 4}, {6, 1, 6}, {7, 2, 7}, {100000, 199, 100000}};
    for (const Case& c : cases) {
        int beat = c.beat;
        EXPECT_EQ(GetFirstVisibleMeasure(song.measures.data(), 96, beat), c.measure) << c.beat;
        EXPECT_EQ(beat, c.storedBeat);
    }
}

}  // namespace
