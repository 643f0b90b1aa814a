// FormatConversions: the conversion letters of a printf-style format text.
#include "services/skin_format_text.h"

#include <cstring>

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
        while (*p >= '0' && *p <= '9')
            ++p;
        if (*p == '.') {
            ++p;
            while (*p >= '0' && *p <= '9')
                ++p;
        }
        if (*p && std::strchr("diuxXcs", *p))
            letters += *p++;
        else
            return "?";
    }
    return letters;
}
