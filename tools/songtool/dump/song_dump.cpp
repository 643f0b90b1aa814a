// The canonical text listing of a song: tempo map, signatures, tracks, notes, placed symbols and curve marks.
#include "song_dump.h"

#include <algorithm>
#include <cstdlib>
#include <tuple>
#include <vector>

#include "song/score.h"

void WriteSongDump(CScore& song, FILE* out)
{
    fprintf(out, "division %d\n", song.division);
    for (const TempoChange* e = song.tempoList; e; e = e->next)
        fprintf(out, "tempo %d %d\n", e->tick, e->bpm);
    for (const TimeSignatureChange* e = song.timeList; e; e = e->next)
        fprintf(out, "timesig %d %d %d\n", song.MeasureAtTick(e->tick), e->numerator, 1 << e->denominatorPower);
    for (const KeySignatureChange* e = song.keyList; e; e = e->next) {
        int kind = e->count > 0 ? KEY_SHARPS : e->count < 0 ? KEY_FLATS : KEY_NONE;
        fprintf(out, "key %d %d %d\n", song.MeasureAtTick(e->tick), kind, e->count < 0 ? -e->count : e->count);
    }
    for (int i = 0; i <= song.trackCount - 2 && i < kMaxTracks; ++i) {
        const CTrack* t = song.tracks[i];
        fprintf(out, "track %d channel %d program %d name \"%s\" shown %d\n", i, t->channel, t->program,
                t->name.GetString(), t->shown ? 1 : 0);
    }
    for (int i = 0; i <= song.trackCount - 2 && i < kMaxTracks; ++i) {
        std::vector<std::tuple<int, int, int, int, int>> notes;
        for (const NoteEvent* n = song.tracks[i]->notes; n; n = n->next)
            notes.emplace_back(n->start, n->pitch, n->end, n->velocity, n->channel);
        std::stable_sort(notes.begin(), notes.end(), [](const auto& a, const auto& b) {
            return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
        });
        for (const auto& [start, pitch, end, velocity, channel] : notes)
            fprintf(out, "note %d %d %d %d %d %d\n", i, start, end, pitch, velocity, channel);
    }
    // Placed symbols and curve marks are not painted: the listing is where a reviewer sees them.
    for (int i = 0; i <= song.trackCount - 2 && i < kMaxTracks; ++i) {
        for (const PlacedSymbol* s = song.tracks[i]->placedSymbols; s; s = s->next)
            fprintf(out, "symbol %d %d %d %d %g %g\n", i, s->tick, s->type, s->value, s->xOffset, s->yOffset);
        for (const CurveMark* c = song.tracks[i]->curveMarks; c; c = c->next)
            fprintf(out, "curve %d %d %d %g %g %d %g %g %d %g %g\n", i, c->type & 0xFFFF, c->tick1, c->xOffset[0],
                    c->offset1, c->tick2, c->xOffset[1], c->offset2, c->tick3, c->xOffset[2], c->offset3);
    }
}

std::string SongDumpText(CScore& song)
{
    char* text = nullptr;
    size_t size = 0;
    FILE* out = open_memstream(&text, &size);
    if (!out)
        return {};
    WriteSongDump(song, out);
    std::fclose(out);
    std::string listing(text, size);
    std::free(text);
    return listing;
}
