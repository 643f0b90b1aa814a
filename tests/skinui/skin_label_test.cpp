// The skinned label: font fitting, text cells of UTF-8 texts, and its painted looks; the image static's keys.
#include "skinui/skin_image_static.h"
#include "skinui/skin_label.h"

#include "skin_fixture.h"

namespace {

TEST(SkinLabel, FontShrinksToFitTheLabel)
{
    struct Case {
        int width, height, cells, fontSize;
        CSize font;
    };
    const Case cases[] = {
        {100, 30, 5, 14, {7, 14}},  // room enough: the full size, half as wide
        {40, 30, 10, 14, {4, 8}},   // four pixels a cell: twice that tall
        {100, 10, 5, 14, {7, 10}},  // never taller than the label
        {70, 30, 10, 14, {7, 14}},  // exactly half the size a cell still keeps the full size
    };
    for (const Case& c : cases)
        EXPECT_EQ(CSkinLabel::FitFont(c.width, c.height, c.cells, c.fontSize), c.font) << &c - cases;
}

TEST(SkinLabel, WideCharactersCountTwice)
{
    EXPECT_EQ(CSkinLabel::TextCells("Tempo = 120"), 11);
    EXPECT_EQ(CSkinLabel::TextCells("caf\xC3\xA9"), 5);               // é
    EXPECT_EQ(CSkinLabel::TextCells("\xE4\xB8\xAD\xE6\x96\x87"), 4);  // two CJK characters
    EXPECT_EQ(CSkinLabel::TextCells(""), 0);
}

TEST(SkinLabel, MissingPictureOfANewSkinLeavesNoBackground)
{
    SkinTempFolder temp;
    SkinOwner owner;
    WritePicture(temp.File("back.bmp"), 20, 10, [](int, int) { return RGB(200, 0, 0); });
    CSkinLabel label;
    ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 20, 10), &owner));
    label.SetSkin(temp.File("back.bmp"), "", "Arial", 14, 0);
    label.SetSkin(temp.File("missing.bmp"), "", "Arial", 14, 0);
    CRasterImage picture;
    RenderPicture(
        20, 10, [&](CDC* dc) { label.Paint(dc); }, &picture);
    EXPECT_EQ(picture.GetPixelColor(5, 5).rgbRed, 255);  // the white underneath, not the old red picture
    EXPECT_EQ(picture.GetPixelColor(5, 5).rgbGreen, 255);
}

TEST(SkinLabel, ANewCaptionReplacesTheOldOneOnTheScreen)
{
    // A label without a picture draws its text straight on the window beneath.
    SkinOwner owner;
    CSkinLabel label;
    ASSERT_TRUE(label.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 24), &owner));
    label.SetSkin("", "", "Arial", 14, RGB(0, 0, 0));
    PumpFor(100);
    const Capture blank = CaptureWindow(label.GetSafeHwnd());
    label.SetSkin("", "WWWWWWWW", "Arial", 14, RGB(0, 0, 0));
    PumpFor(100);
    ASSERT_NE(CaptureWindow(label.GetSafeHwnd()).pixels, blank.pixels);
    // A skin or language change: the new text, here none, and nothing of the old.
    label.SetSkin("", "", "Arial", 14, RGB(0, 0, 0));
    PumpFor(100);
    EXPECT_EQ(CaptureWindow(label.GetSafeHwnd()).pixels, blank.pixels);
    label.SetTextFont("WWWWWWWW", "Arial", 14, RGB(0, 0, 0));
    PumpFor(100);
    label.SetTextFont("", "Arial", 14, RGB(0, 0, 0));
    PumpFor(100);
    EXPECT_EQ(CaptureWindow(label.GetSafeHwnd()).pixels, blank.pixels);
}

TEST(SkinImageStatic, KeysGoToTheParent)
{
    SkinOwner owner;
    CSkinImageStatic image;
    ASSERT_TRUE(image.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), &owner, 7));
    image.SendMessage(WM_KEYDOWN, 'A', MAKELPARAM(1, 0x1E));
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, owner.GetSafeHwnd(), WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(msg.wParam, (WPARAM)'A');
    EXPECT_EQ(msg.lParam, 0x1E);
}

// Five labels stacked: the default on a picture, a bordered flat field centred, right-aligned, a long text
// squeezed into a narrow label, and a half-full percent bar.
TEST(SkinLabel, PaintedLooksMatchTheGoldenPicture)
{
    SkinTempFolder temp;
    SkinOwner owner;
    WritePicture(temp.File("back.bmp"), 90, 20, [](int x, int y) { return RGB(30 + x, 40, 90 + 3 * y); });
    WritePicture(temp.File("bar.bmp"), 80, 6, [](int x, int y) { return RGB(240, 200 - 2 * x, 20); });
    CSkinLabel labels[5];
    for (int i = 0; i < 5; ++i)
        ASSERT_TRUE(
            labels[i].Create("", WS_CHILD | WS_VISIBLE, CRect(0, 24 * i, i == 3 ? 40 : 90, 24 * i + 20), &owner));
    labels[0].SetSkin(temp.File("back.bmp"), "=100", "Arial", 14, RGB(255, 255, 255));
    labels[1].m_bFill = 1;
    labels[1].m_bBorder = 1;
    labels[1].SetAlignment(1);
    labels[1].SetTextFont("Centre", "Arial", 12, RGB(255, 255, 0));
    labels[2].m_bFill = 1;
    labels[2].SetFrameColor(RGB(20, 110, 40));
    labels[2].SetAlignment(2);
    labels[2].SetTempo(120);
    labels[3].m_bFill = 1;
    labels[3].SetText("A long status line");
    labels[4].SetImages(temp.File("back.bmp"), temp.File("bar.bmp"), CRect(5, 7, 85, 13));
    labels[4].SetPercent(50);
    CRasterImage picture;
    RenderPicture(
        90, 24 * 5,
        [&](CDC* dc) {
            for (int i = 0; i < 5; ++i) {
                dc->SetViewportOrg(0, 24 * i);
                labels[i].Paint(dc);
            }
            dc->SetViewportOrg(0, 0);
        },
        &picture);
    ExpectGolden("label", picture);
}

}  // namespace
