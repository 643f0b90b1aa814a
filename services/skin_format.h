// Format texts that come from skin data: filled in only when their conversions are the ones the caller supplies.
#pragma once

#include <initializer_list>

#include "kernel/cstring.h"

// One value for a skin format text: a number (for %d or %i) or a text (for %s).
struct SkinFormatArg {
    SkinFormatArg(int value) : kind('d'), number(value) {}
    SkinFormatArg(const char* value) : kind('s'), text(value ? value : "") {}

    char kind;
    int number = 0;
    const char* text = nullptr;
};

// The format text filled with the values when each of its conversions, in order, takes the value at its
// position (flags, width and precision allowed; "%%" is a percent sign); a text with any other conversion,
// or more conversions than values, is returned as it stands: skin files are not trusted with printf.
CString FormatSkinText(const CString& format, std::initializer_list<SkinFormatArg> args);
