// The music font's codes for notes, rests, flags, accidentals and dots, by standard length.
#pragma once

constexpr int kNoLengthIndex = 22;  // a length outside the standard table: it has no glyph
constexpr char kDotGlyph = (char)0xA1;
constexpr char kSpanNoteGlyph = (char)0xC0;

// Index of a length (in 48ths) in the standard length table; kNoLengthIndex when it is not there.
int StandardLengthIndex(int length);
// The stem-down note glyph of a length index (the stem-up form is one less); 0 for kNoLengthIndex.
char NoteGlyph(int index);
// The rest glyph of a length index; 0 for kNoLengthIndex.
char RestGlyph(int index);
// Augmentation dots of a length index: 0, 1 or 2.
int DotCount(int index);
// The accidental glyph of -2 .. +2 (0 is the natural); 0 for any other value.
char AccidentalGlyph(int accidental);
// A tuplet note is drawn with the first plain length (3, 6 .. 192) not below its own; a rest bit stays.
int DrawnTupletLength(int length);
// The stem-down flag glyph of a note length in 48ths: one to four flags; 0 for a length that has none.
char FlagGlyph(int length);
