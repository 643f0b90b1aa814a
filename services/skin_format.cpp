// Format texts that come from skin data: checked against the values before anything is formatted.
#include "services/skin_format.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

// One piece of a checked format: plain text, or one conversion with its own format spec.
struct Piece {
    std::string text;
    int arg = -1;  // index of the value, -1 for plain text
};

// Splits the format; false when a conversion is not the one its value needs.
bool Split(const char* format, const std::initializer_list<SkinFormatArg>& args, std::vector<Piece>& pieces)
{
    std::string plain;
    size_t next = 0;
    for (const char* p = format; *p;) {
        if (*p != '%') {
            plain += *p++;
            continue;
        }
        if (p[1] == '%') {
            plain += '%';
            p += 2;
            continue;
        }
        const char* start = p++;
        while (*p && std::strchr("-+ #0", *p))
            ++p;
        for (int digits = 0; *p >= '0' && *p <= '9'; ++p)
            if (++digits > 3)
                return false;
        if (*p == '.') {
            ++p;
            for (int digits = 0; *p >= '0' && *p <= '9'; ++p)
                if (++digits > 3)
                    return false;
        }
        if (next >= args.size())
            return false;
        const char want = (args.begin() + next)->kind;
        if (!(want == 'd' && (*p == 'd' || *p == 'i')) && !(want == 's' && *p == 's'))
            return false;
        ++p;
        pieces.push_back({plain, -1});
        plain.clear();
        pieces.push_back({std::string(start, p), static_cast<int>(next++)});
    }
    pieces.push_back({plain, -1});
    return true;
}

}  // namespace

CString FormatSkinText(const CString& format, std::initializer_list<SkinFormatArg> args)
{
    std::vector<Piece> pieces;
    if (!Split(format, args, pieces))
        return format;
    std::string out;
    for (const Piece& piece : pieces) {
        if (piece.arg < 0) {
            out += piece.text;
            continue;
        }
        const SkinFormatArg& arg = *(args.begin() + piece.arg);
        const int length = arg.kind == 'd' ? std::snprintf(nullptr, 0, piece.text.c_str(), arg.number)
                                           : std::snprintf(nullptr, 0, piece.text.c_str(), arg.text);
        std::string value(static_cast<size_t>(length > 0 ? length : 0) + 1, '\0');
        if (arg.kind == 'd')
            std::snprintf(value.data(), value.size(), piece.text.c_str(), arg.number);
        else
            std::snprintf(value.data(), value.size(), piece.text.c_str(), arg.text);
        out.append(value.c_str());
    }
    return CString(out.c_str());
}
