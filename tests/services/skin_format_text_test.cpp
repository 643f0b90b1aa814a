// Format texts from skin data: filled only when their conversions are the expected ones.
#include <gtest/gtest.h>

#include "services/skin_format_text.h"

namespace {

TEST(SkinFormatText, ConversionLetters)
{
    const struct {
        const char* format;
        const char* letters;
    } cases[] = {
        {"Fade 5", ""},
        {"Fade %d%%", "d"},
        {"%3d/%-2d %s", "dds"},
        {"%05.2d", "d"},
        {"%*d", "?"},
        {"%ld", "?"},
        {"%n", "?"},
        {"50%", "?"},
        {"%%d and %s", "s"},
        {"%p", "?"},
        // A width or precision of more than three digits would make a text of up to gigabytes.
        {"%999d", "d"},
        {"%.999s", "s"},
        {"%1000d", "?"},
        {"%.0001000s", "?"},
        {"%999999999d", "?"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(FormatConversions(c.format), c.letters) << c.format;
}

TEST(SkinFormatText, FillsOnlyTheExpectedConversions)
{
    EXPECT_STREQ(FormatSkinText("Fade %d%%", "d", 12), "Fade 12%");
    EXPECT_STREQ(FormatSkinText("%d of %d: %s", "dds", 2, 5, "song.mid"), "2 of 5: song.mid");
    // A skin text asking for more or other arguments is shown as it stands.
    EXPECT_STREQ(FormatSkinText("Fade %s%s", "d", 12), "Fade %s%s");
    EXPECT_STREQ(FormatSkinText("Fade %d %d", "d", 12), "Fade %d %d");
    EXPECT_STREQ(FormatSkinText("Fade", "d", 12), "Fade");
}

}  // namespace
