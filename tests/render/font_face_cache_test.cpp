// A font object keeps the face it resolved to only until the process font resources change.
#include <gtest/gtest.h>

#include "music_font_page.h"

namespace {

struct Context {
    HDC dc = CreateCompatibleDC(nullptr);
    ~Context() { DeleteDC(dc); }
    int Ascent(HFONT font)
    {
        HGDIOBJ old = SelectObject(dc, font);
        TEXTMETRICA tm{};
        GetTextMetricsA(dc, &tm);
        SelectObject(dc, old);
        return tm.tmAscent;
    }
    int Width(HFONT font, char code)
    {
        HGDIOBJ old = SelectObject(dc, font);
        SIZE size{};
        GetTextExtentPoint32A(dc, &code, 1, &size);
        SelectObject(dc, old);
        return size.cx;
    }
};

TEST(FontFaceCache, AFontInUseFollowsTheMusicFontBeingRegisteredAndRemoved)
{
    Context context;
    // Both sizes are used before the font is registered, so each has resolved to a substitute.
    HFONT small = CreateFontA(88, 18, 0, 0, 480, 0, 0, 0, 1, 1, 32, 0, 0x12, kMusicFontFace);
    HFONT large = CreateFontA(176, 36, 0, 0, 480, 0, 0, 0, 1, 1, 32, 0, 0x12, kMusicFontFace);
    const int substitute = context.Ascent(small);
    ASSERT_NE(substitute, 44);
    context.Ascent(large);
    {
        CMusicFontResource resource;
        ASSERT_TRUE(resource.Registered());
        // The music font's cell has its baseline in the middle, at each size.
        EXPECT_EQ(context.Ascent(small), 44);
        EXPECT_EQ(context.Ascent(large), 88);
        // Each code measures with its own glyph, about twice as wide at twice the size (hinting rounds).
        for (char code : {'!', '=', 'D', 'e'})
            EXPECT_NEAR(context.Width(large, code), 2 * context.Width(small, code), 3) << code;
        EXPECT_NE(context.Width(small, '!'), context.Width(small, 'e'));
    }
    EXPECT_EQ(context.Ascent(small), substitute);
    DeleteObject(small);
    DeleteObject(large);
}

}  // namespace
