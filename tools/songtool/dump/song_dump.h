// The canonical text listing of a song: tempo map, signatures, tracks, notes, placed symbols and curve marks, one
// item a line.
#pragma once

#include <cstdio>
#include <string>

class CScore;

// Writes the listing that "songtool dump" prints; notes are sorted by start tick and pitch within each track;
// "symbol TRACK TICK TYPE VALUE X Y" and "curve TRACK TYPE" followed by TICK X Y of each point come last.
void WriteSongDump(CScore& song, FILE* out);
// The same listing as text.
std::string SongDumpText(CScore& song);
