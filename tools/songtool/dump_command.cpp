// songtool dump: a canonical text listing of a song file's tempo map, signatures, tracks and notes.
#include <algorithm>
#include <cstdio>
#include <tuple>
#include <vector>

#include "song/score.h"
#include "commands.h"

namespace {

void Dump(CScore& song)
{
    printf("division %d\n", song.division);
    for (const TempoChange* e = song.tempoList; e; e = e->next)
        printf("tempo %d %d\n", e->tick, e->bpm);
    for (const TimeSignatureChange* e = song.timeList; e; e = e->next)
        printf("timesig %d %d %d\n", song.MeasureAtTick(e->tick), e->numerator, 1 << e->denominatorPower);
    for (const KeySignatureChange* e = song.keyList; e; e = e->next) {
        int kind = e->count > 0 ? KEY_SHARPS : e->count < 0 ? KEY_FLATS : KEY_NONE;
        printf("key %d %d %d\n", song.MeasureAtTick(e->tick), kind, e->count < 0 ? -e->count : e->count);
    }
    for (int i = 0; i <= song.trackCount - 2 && i < kMaxTracks; ++i) {
        const CTrack* t = song.tracks[i];
        printf("track %d channel %d program %d name \"%s\" shown %d\n", i, t->channel, t->program, t->name.GetString(),
               t->shown ? 1 : 0);
    }
    for (int i = 0; i <= song.trackCount - 2 && i < kMaxTracks; ++i) {
        std::vector<std::tuple<int, int, int, int, int>> notes;
        for (const NoteEvent* n = song.tracks[i]->notes; n; n = n->next)
            notes.emplace_back(n->start, n->pitch, n->end, n->velocity, n->channel);
        std::stable_sort(notes.begin(), notes.end(), [](const auto& a, const auto& b) {
            return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
        });
        for (const auto& [start, pitch, end, velocity, channel] : notes)
            printf("note %d %d %d %d %d %d\n", i, start, end, pitch, velocity, channel);
    }
}

}  // namespace

int RunDumpCommand(int argc, char** argv)
{
    if (argc != 1) {
        fprintf(stderr, "usage: songtool dump FILE\n");
        return 2;
    }
    CScore song;
    if (!LoadSongForTool(song, argv[0]))
        return 1;
    Dump(song);
    return 0;
}
