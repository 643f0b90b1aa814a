// The chord-head index finds the same note as walking the list, ordered or not, open or closed.
#include <gtest/gtest.h>

#include <vector>

#include "render/note_head_index.h"

namespace {

constexpr int kDivision = 96;  // with grid 4.0 a start snaps to a multiple of 24 ticks, halves up
constexpr double kGrid = 4.0;

// A list of (start, pitch) notes linked in the order given.
std::vector<NoteEvent> Notes(const std::vector<std::pair<int, int>>& notes)
{
    std::vector<NoteEvent> list;
    for (auto [start, pitch] : notes) {
        NoteEvent note;
        note.start = start;
        note.pitch = (uint8_t)pitch;
        list.push_back(note);
    }
    for (size_t i = 0; i + 1 < list.size(); ++i)
        list[i].next = &list[i + 1];
    return list;
}

struct Case {
    const char* what;
    std::vector<std::pair<int, int>> notes;
    int pitch;
    int tick;
    int expected;  // index of the note found, -1 for none
};

TEST(NoteHeadIndex, FindsTheFirstNoteOfThePitchWhoseStartSnapsToTheTick)
{
    const Case cases[] = {
        {"ordered, a chord", {{0, 60}, {10, 67}, {11, 64}, {96, 60}}, 64, 0, 2},
        {"the first of two equal notes", {{0, 60}, {12, 60}, {30, 60}}, 60, 24, 1},
        {"a start half a step early snaps up", {{0, 60}, {12, 62}}, 62, 24, 1},
        {"no such pitch", {{0, 60}, {24, 62}, {48, 64}}, 63, 24, -1},
        {"past the last note", {{0, 60}, {24, 62}}, 60, 480, -1},
        {"a note out of order after later ones", {{0, 60}, {96, 62}, {24, 64}, {24, 65}}, 65, 24, 3},
        {"out of order before the one sought", {{48, 60}, {0, 62}, {96, 64}}, 64, 96, 2},
    };
    for (const Case& c : cases) {
        for (int way = 0; way < 3; ++way) {
            // Closed: every search walks; open: searched at once, or after a miss has read the whole list.
            std::vector<NoteEvent> list = Notes(c.notes);
            CNoteHeadIndex index;
            if (way > 0)
                index.Open();
            if (way == 2)
                index.Find(list.data(), kDivision, kGrid, 127, 0);
            NoteEvent* found = index.Find(list.data(), kDivision, kGrid, c.pitch, c.tick);
            EXPECT_EQ(found ? (int)(found - list.data()) : -1, c.expected) << c.what << ", way " << way;
            index.Close();
        }
    }
}

TEST(NoteHeadIndex, AnotherListOrGridIsIndexedAfresh)
{
    std::vector<NoteEvent> first = Notes({{0, 60}, {24, 62}});
    std::vector<NoteEvent> second = Notes({{0, 62}, {48, 62}});
    CNoteHeadIndex index;
    index.Open();
    EXPECT_EQ(index.Find(first.data(), kDivision, kGrid, 62, 24), &first[1]);
    EXPECT_EQ(index.Find(second.data(), kDivision, kGrid, 62, 48), &second[1]);
    // On a quarter-note grid 24 snaps down to 0.
    EXPECT_EQ(index.Find(first.data(), kDivision, 16.0, 62, 24), nullptr);
    EXPECT_EQ(index.Find(first.data(), kDivision, 16.0, 62, 0), &first[1]);
}

}  // namespace
