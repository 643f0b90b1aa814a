// UTF-16 to UTF-8 and back, code point by code point.
#include "kernel/utf16_text.h"

namespace {

const char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

void AppendUnit(std::string& out, char32_t unit, bool bigEndian)
{
    char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

// The code point of a well-formed UTF-8 sequence at text[i] and its length; length 0 when malformed.
char32_t DecodeUtf8(std::string_view text, size_t i, size_t& length)
{
    unsigned char lead = static_cast<unsigned char>(text[i]);
    length = lead < 0x80 ? 1 : lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
    if (length == 0 || i + length > text.size())
        return length = 0;
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length; ++k) {
        unsigned char next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return length = 0;
        c = (c << 6) | (next & 0x3F);
    }
    static const char32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (c < smallest[length] || c > 0x10FFFF || (c >= 0xD800 && c < 0xE000))
        return length = 0;
    return c;
}

}  // namespace

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian)
{
    std::string out;
    size_t units = bytes.size() / 2;
    auto unit = [&](size_t k) -> char32_t {
        unsigned char a = static_cast<unsigned char>(bytes[2 * k]), b = static_cast<unsigned char>(bytes[2 * k + 1]);
        return bigEndian ? (a << 8) | b : (b << 8) | a;
    };
    for (size_t k = 0; k < units; ++k) {
        char32_t c = unit(k);
        if (c >= 0xD800 && c < 0xDC00 && k + 1 < units && unit(k + 1) >= 0xDC00 && unit(k + 1) < 0xE000)
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(++k) - 0xDC00);
        else if (c >= 0xD800 && c < 0xE000)
            c = kReplacement;
        AppendUtf8(out, c);
    }
    if (bytes.size() % 2)
        AppendUtf8(out, kReplacement);
    return out;
}

std::string Utf8ToUtf16(std::string_view text, bool bigEndian)
{
    std::string out;
    for (size_t i = 0; i < text.size();) {
        size_t length;
        char32_t c = DecodeUtf8(text, i, length);
        if (length == 0) {
            c = static_cast<unsigned char>(text[i]);
            length = 1;
        }
        i += length;
        if (c >= 0x10000) {
            AppendUnit(out, 0xD800 + ((c - 0x10000) >> 10), bigEndian);
            AppendUnit(out, 0xDC00 + ((c - 0x10000) & 0x3FF), bigEndian);
        } else {
            AppendUnit(out, c, bigEndian);
        }
    }
    return out;
}
