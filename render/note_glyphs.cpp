// Glyph tables of the note painters.
#include "render/note_glyphs.h"

#include "render/note_layout.h"

namespace {

// One character per standard length, in the table's order.
constexpr char kNoteGlyphs[] = "--++)+)'))'%''%#%%###!";
constexpr char kRestGlyphs[] = "BBAA@A@?@@?>?\?>=>>====";
constexpr char kDots[] = "0000010012001200120120";
constexpr char kAccidentals[] = "^_`ab";  // +2 .. -2

}  // namespace

int StandardLengthIndex(int length)
{
    for (int i = 0; i < kStandardLengthCount; ++i)
        if (kStandardLengths[i] == length)
            return i;
    return kNoLengthIndex;
}

char NoteGlyph(int index) { return index >= 0 && index < kNoLengthIndex ? kNoteGlyphs[index] : 0; }

char RestGlyph(int index) { return index >= 0 && index < kNoLengthIndex ? kRestGlyphs[index] : 0; }

int DotCount(int index) { return index >= 0 && index < kNoLengthIndex ? kDots[index] - '0' : 0; }

char AccidentalGlyph(int accidental) { return accidental >= -2 && accidental <= 2 ? kAccidentals[2 - accidental] : 0; }

int DrawnTupletLength(int length)
{
    const int low = length & 0xFF;
    for (int plain : {3, 6, 12, 24, 48, 96, 192})
        if (plain >= low)
            return (length & ~0xFF) | plain;
    return length;
}

char FlagGlyph(int length)
{
    switch (length) {
    case 2:
    case 3: return 0x2D;
    case 4:
    case 6:
    case 9: return 0x2B;
    case 8:
    case 12:
    case 18:
    case 21: return 0x29;
    case 16:
    case 24:
    case 36:
    case 42: return 0x27;
    default: return 0;
    }
}
