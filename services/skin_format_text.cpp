// FormatConversions: the conversion letters of a printf-style format text.
#include "services/skin_format_text.h"

#include <cstring>

namespace {

// Steps over a width or precision; false when it has more than three digits (after leading zeros), as a text
// that wide is no label.
bool SkipNumber(const char*& p)
{
    while (*p == '0')
        ++p;
    int digits = 0;
    for (; *p >= '0' && *p <= '9'; ++p)
        ++digits;
    return digits <= 3;
}

}  // namespace

CString FormatConversions(const CString& format)
{
    CString letters;
    const char* p = format;
    while (*p) {
        if (*p++ != '%')
            continue;
        if (*p == '%') {
            ++p;
            continue;
        }
        while (*p && std::strchr("-+ #0", *p))
            ++p;
        if (!SkipNumber(p))
            return "?";
        if (*p == '.' && !SkipNumber(++p))
            return "?";
        if (*p && std::strchr("diuxXcs", *p))
            letters += *p++;
        else
            return "?";
    }
    return letters;
}
