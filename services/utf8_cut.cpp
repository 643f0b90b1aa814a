// Trimming of a UTF-8 sequence cut off by a fixed-size buffer.
#include "services/utf8_cut.h"

size_t Utf8CompleteLength(const char* text, size_t length)
{
    // Walk back over at most three continuation bytes to the lead byte of the last character.
    size_t lead = length;
    int continuations = 0;
    while (lead > 0 && continuations < 4 && (static_cast<unsigned char>(text[lead - 1]) & 0xC0) == 0x80) {
        lead--;
        continuations++;
    }
    if (lead == 0)
        return length;
    unsigned char first = static_cast<unsigned char>(text[lead - 1]);
    size_t needed = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    if (first < 0x80)
        return length;
    size_t have = length - (lead - 1);
    return have < needed ? lead - 1 : length;
}
