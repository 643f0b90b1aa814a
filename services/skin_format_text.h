// Format texts taken from skin data: filled in only when their conversions are the ones the caller expects.
#pragma once

#include "kernel/cstring.h"

// The conversion letters of a printf-style text in order ("%%" is none): "d" for "Fade %d%%", "ds" for
// "%3d %s". A conversion with a '*' width or precision, one of more than three digits, a length modifier or no
// letter gives "?".
CString FormatConversions(const CString& format);

// The format filled with the arguments when its conversions are exactly `expected` (one letter per
// argument: 'd' an int, 's' a text); any other text is shown as it stands, so that a skin cannot make the
// formatter read arguments that are not there.
template <typename... Args>
CString FormatSkinText(const CString& format, const char* expected, Args... args)
{
    if (FormatConversions(format) != expected)
        return format;
    CString text;
    text.Format(format, args...);
    return text;
}
