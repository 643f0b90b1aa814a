// Note insertion order, open notes, the blocking rule, controls and instruments of a track.
#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <tuple>
#include <vector>

#include "song/score.h"

namespace {

std::vector<int> Pitches(const CTrack* track)
{
    std::vector<int> out;
    for (const NoteEvent* n = track->notes; n; n = n->next)
        out.push_back(n->pitch);
    return out;
}

int Insert(CTrack* t, int start, int end, int pitch, int grace = 0)
{
    return t->InsertNote(false, start, end, static_cast<int8_t>(pitch), 100, 0, static_cast<uint8_t>(grace), 0, 0, 0,
                         0);
}

}  // namespace

TEST(TrackNotes, SortedByStartThenPitchDescending)
{
    CScore song;
    CTrack* t = song.GetTrack(0);
    Insert(t, 96, 192, 60);
    Insert(t, 0, 96, 60);
    Insert(t, 0, 96, 64);
    Insert(t, 96, 192, 72);
    Insert(t, 0, 96, 64);
    EXPECT_EQ(Pitches(t), (std::vector<int>{64, 64, 60, 72, 60}));
    // Back links mirror the forward order.
    const NoteEvent* last = t->notes;
    while (last->next) {
        EXPECT_EQ(last->next->prev, last);
        last = last->next;
    }
}

TEST(TrackNotes, OpenNoteGetsOneStep)
{
    CScore song;
    CTrack* t = song.GetTrack(0);
    t->AddMidiNote(0, 0x90, 60, 100);
    t->AddMidiNote(96, 0x90, 60, 100);
    EXPECT_EQ(t->notes->end, 24);
    t->AddMidiNote(150, 0x80, 60, 0);
    EXPECT_EQ(t->notes->next->end, 150);
    song.tripletFlag = 1;
    t->AddMidiNote(300, 0x90, 62, 100);
    t->AddMidiNote(400, 0x90, 62, 100);
    EXPECT_EQ(t->notes->next->next->end, 316);
}

TEST(TrackNotes, BlockingNoteRefusesNotesInside)
{
    CScore song;
    CTrack* t = song.GetTrack(0);
    ASSERT_EQ(Insert(t, 0, 96, 60, 12), 1);
    EXPECT_EQ(Insert(t, 0, 96, 55), 0);    // same start, after it
    EXPECT_EQ(Insert(t, 48, 96, 50), 0);   // inside it
    EXPECT_EQ(Insert(t, 96, 192, 50), 1);  // at its end
    ASSERT_EQ(Insert(t, 200, 300, 60, 12), 1);
    EXPECT_EQ(Insert(t, 200, 300, 70), 0);  // would stop at the blocking note's start
    EXPECT_EQ(Insert(t, 200, 300, 40), 0);  // would start inside it
    EXPECT_EQ(Pitches(t), (std::vector<int>{60, 50, 60}));
}

TEST(TrackNotes, NullOwnerRefuses)
{
    CTrack t;
    EXPECT_EQ(Insert(&t, 0, 96, 60), 0);
    EXPECT_EQ(t.InsertControl(0xB0, 7, 100, 0), nullptr);
}

TEST(TrackNotes, ControlsAndVolume)
{
    CScore song;
    CTrack* t = song.GetTrack(1);
    EXPECT_EQ(t->InsertControl(0xB0, 121, 0, 0), nullptr);
    EXPECT_NE(t->InsertControl(0xB0, 120, 0, 0), nullptr);
    EXPECT_EQ(t->GetVolume(), 100);
    t->SetVolume(77);
    t->SetVolume(80);
    EXPECT_EQ(t->GetVolume(), 80);
    int volumes = 0;
    for (ControlEvent* e = t->controls; e; e = e->next)
        volumes += (e->status & 0xF0) == 0xB0 && e->data1 == 7;
    EXPECT_EQ(volumes, 1);
    ControlEvent* bad = t->InsertControl(0xC0, 200, 0, 10);
    ASSERT_NE(bad, nullptr);
    EXPECT_LT(bad->data1, 128);
}

TEST(TrackNotes, Instruments)
{
    CScore song;
    CTrack* t = song.GetTrack(5);
    t->SetChannel(3);
    t->SetInstrument(128);
    EXPECT_EQ(t->GetChannel(), 9);
    EXPECT_EQ(t->GetInstrumentName(), "Percussion");
    EXPECT_EQ(t->controls, nullptr);
    t->SetInstrument(0);
    EXPECT_EQ(t->GetChannel(), 0);
    ASSERT_NE(t->controls, nullptr);
    EXPECT_EQ(t->controls->status & 0xF0, 0xC0);
    t->SetInstrumentByName("violin");
    EXPECT_EQ(t->GetInstrumentName(), "violin");
    EXPECT_EQ(t->GetProgram(), 0);
    t->SetInstrumentByName("Violin");
    EXPECT_EQ(t->GetProgram(), 40);
    t->SetInstrument(300);  // outside the table: nothing changes
    EXPECT_EQ(t->GetProgram(), 40);
}

TEST(TrackNotes, SpanSplitting)
{
    CScore song;
    CTrack* t = song.GetTrack(0);
    SpanRecord a;
    a.start = 0;
    a.end = 100;
    a.secondFlag = 1;
    strcpy(a.text, "outer");
    t->InsertSpan(a);
    SpanRecord b;
    b.start = 40;
    b.end = 60;
    b.flag = 1;
    strcpy(b.text, "inner");
    t->InsertSpan(b);
    std::vector<std::pair<int, int>> ranges;
    for (SpanRecord* s = t->spans; s; s = s->next)
        ranges.emplace_back(s->start, s->end);
    EXPECT_EQ(ranges, (std::vector<std::pair<int, int>>{{0, 40}, {40, 60}, {60, 100}}));
    EXPECT_STREQ(t->spans->next->next->text, "outer");
    EXPECT_EQ(t->spans->next->next->flag, 1);
    char text[20] = {};
    EXPECT_EQ(t->FindSpanText(true, 70, text, false), 1);
    EXPECT_STREQ(text, "outer");
    EXPECT_EQ(t->FindSpanText(false, 10, text, false), 1);
    // A new span covering others removes them and cuts the overlapping ones.
    SpanRecord c;
    c.start = 30;
    c.end = 70;
    t->InsertSpan(c);
    ranges.clear();
    for (SpanRecord* s = t->spans; s; s = s->next)
        ranges.emplace_back(s->start, s->end);
    EXPECT_EQ(ranges, (std::vector<std::pair<int, int>>{{0, 30}, {30, 70}, {70, 100}}));
}

TEST(TrackNotes, DeleteNear)
{
    CScore song;
    CTrack* t = song.GetTrack(0);
    Insert(t, 0, 96, 60);
    Insert(t, 96, 192, 60);
    NoteEvent pattern;
    pattern.start = 100;
    pattern.pitch = 60;
    EXPECT_EQ(t->DeleteMatchingNote(&pattern), 1);  // within 24 ticks of 96
    EXPECT_EQ(t->notes->next, nullptr);
    pattern.start = 24;  // exactly one step away: not near
    EXPECT_EQ(t->DeleteMatchingNote(&pattern), 0);
    EXPECT_EQ(t->DeleteMatchingNote(nullptr), 0);
    uint8_t bytes[3] = {1, 2, 3};
    t->InsertDataEvent(50, 3, bytes);
    TrackDataEvent d;
    d.tick = 60;
    d.length = 3;
    EXPECT_EQ(t->DeleteMatchingDataEvent(&d), 1);
    EXPECT_EQ(t->dataEvents, nullptr);
    t->InsertClef(false, 0, CLEF_BASS);
    ClefChange c;
    c.tick = 10;
    c.clef = CLEF_G;
    EXPECT_EQ(t->DeleteMatchingClef(&c), 0);
    c.clef = CLEF_BASS;
    EXPECT_EQ(t->DeleteMatchingClef(&c), 1);
}

TEST(TrackNotes, TextEventIsCutAndTerminated)
{
    CScore song;
    CTrack* t = song.GetTrack(0);
    char text[64] = "abcdefghijklmnopqrstuvwxyz";
    LOGFONTA font{};
    memset(font.lfFaceName, 'x', sizeof font.lfFaceName);  // no terminator in the source
    TrackTextEvent* e = t->InsertTextEvent(10, 5, 0, text, &font, 7);
    EXPECT_STREQ(e->text, "abcdefghijklmnopqrst");
    EXPECT_EQ(strlen(text), 20u);
    EXPECT_EQ(strlen(e->font.lfFaceName), 31u);
    EXPECT_EQ(e->yOffset, 5.0);
}

TEST(TrackNotes, AppendingGivesTheListsThatInsertingGives)
{
    // The same note-ons, note-offs and controls, mostly in time order with chords, repeated pitches
    // and a few late arrivals and removals, go into one track through its append index and into
    // another without it.
    // At division 1 a step is 0 ticks, so open notes stay open when a later note would end them.
    for (int division : {96, 1}) {
        SCOPED_TRACE(division);
        CScore song;
        song.division = static_cast<int16_t>(division);
        CTrack* plain = song.GetTrack(0);
        CTrack* indexed = song.GetTrack(1);
        indexed->BeginAppending();
        std::mt19937 random(7);
        for (int i = 0; i < 4000; ++i) {
            int tick = std::max(0, i / 4 * 24 - (random() % 16 == 0 ? 300 : 0));
            int pitch = 55 + static_cast<int>(random() % 8);
            uint8_t status = random() % 3 == 0 ? 0x80 : 0x90;
            bool control = random() % 40 == 0;
            bool removal = random() % 400 == 0;
            bool burst = i % 1000 == 500;  // many open notes of one pitch, ended one by one
            for (CTrack* t : {plain, indexed}) {
                for (int n = 0; burst && n < 80; ++n)
                    t->AddMidiNote(tick, 0x90, 70, 64);
                for (int n = 0; burst && n < 80; ++n)
                    t->AddMidiNote(tick + n, 0x80, 70, 0);
                t->AddMidiNote(tick, status, static_cast<uint8_t>(pitch), 64);
                if (control)
                    t->InsertControl(0xB0, 7, static_cast<uint8_t>(i % 100), tick);
                if (removal)
                    t->DeleteNote(t->notes->next);
            }
        }
        indexed->EndAppending();

        using Note = std::tuple<int, int, int, int>;
        auto notesOf = [](const CTrack* t) {
            std::vector<Note> out;
            const NoteEvent* previous = nullptr;
            for (const NoteEvent* n = t->notes; n; previous = n, n = n->next) {
                EXPECT_EQ(n->prev, previous);
                out.emplace_back(n->start, n->end, n->pitch, n->accidental);
            }
            return out;
        };
        auto controlsOf = [](const CTrack* t) {
            std::vector<std::pair<int, int>> out;
            for (const ControlEvent* e = t->controls; e; e = e->next)
                out.emplace_back(e->tick, e->data2);
            return out;
        };
        EXPECT_EQ(notesOf(indexed), notesOf(plain));
        EXPECT_EQ(controlsOf(indexed), controlsOf(plain));
    }
}
