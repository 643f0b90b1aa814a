// The tiled-background dialog: the tile repeated over the client area, composed again only for a new size.
#include "composer/tiled_background_dialog.h"
#include "memory_paint.h"
#include "notify_owner.h"

namespace {

constexpr int kPanelTemplate = 195;  // a plain child template
constexpr int kTileResource = 303;   // 72 x 20

TEST(TiledBackgroundDialog, RepeatsTheTileAndRecomposesOnlyForANewSize)
{
    NotifyOwner owner;
    CTiledBackgroundDialog dialog(kPanelTemplate, &owner);
    ASSERT_TRUE(dialog.Create(kPanelTemplate, &owner));
    ASSERT_TRUE(dialog.LoadTile(kTileResource));
    const int tileWidth = dialog.m_tile.GetWidth(), tileHeight = dialog.m_tile.GetHeight();
    ASSERT_EQ(tileWidth, 72);
    ASSERT_EQ(tileHeight, 20);

    dialog.MoveWindow(0, 0, 100, 70);
    const Capture painted =
        PaintInMemory(100, 70, [&](CDC* dc) { dialog.SendMessage(WM_ERASEBKGND, (WPARAM)dc->m_hDC); });
    ASSERT_EQ(dialog.m_background.GetWidth(), 100);
    ASSERT_EQ(dialog.m_background.GetHeight(), 70);
    // Tiles start at the top left; pictures count their rows from the bottom.
    for (int y = 0; y < 70; y += 7)
        for (int x = 0; x < 100; x += 9) {
            const RGBQUAD want = dialog.m_tile.GetPixelColor(x % tileWidth, tileHeight - 1 - y % tileHeight);
            const RGBQUAD got = dialog.m_background.GetPixelColor(x, 69 - y);
            ASSERT_EQ(RGB(got.rgbRed, got.rgbGreen, got.rgbBlue), RGB(want.rgbRed, want.rgbGreen, want.rgbBlue))
                << x << "," << y;
        }
    // What the window shows is the composed picture (rows counted from the top there).
    const RGBQUAD corner = dialog.m_background.GetPixelColor(99, 0);
    EXPECT_EQ(painted.At(99, 69), (uint32_t)(corner.rgbRed << 16 | corner.rgbGreen << 8 | corner.rgbBlue));

    const BYTE* composed = dialog.m_background.GetBits();
    PaintInMemory(100, 70, [&](CDC* dc) { dialog.SendMessage(WM_ERASEBKGND, (WPARAM)dc->m_hDC); });
    EXPECT_EQ(dialog.m_background.GetBits(), composed);  // the same size keeps the picture
    dialog.MoveWindow(0, 0, 150, 30);
    PaintInMemory(150, 30, [&](CDC* dc) { dialog.SendMessage(WM_ERASEBKGND, (WPARAM)dc->m_hDC); });
    EXPECT_EQ(dialog.m_background.GetWidth(), 150);
    EXPECT_EQ(dialog.m_background.GetHeight(), 30);
    dialog.DestroyWindow();
}

}  // namespace
