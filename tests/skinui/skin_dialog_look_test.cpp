// The skinned dialog's caption strip, title and caption buttons as each program paints them.
#include "skin_dialog_fixture.h"

namespace {

// The caption band of a dialog: the strip and every shown caption button, painted into a picture.
void RenderCaption(TestSkinDialog& dlg, CRasterImage* picture)
{
    CRect window;
    dlg.GetWindowRect(&window);
    RenderPicture(
        window.Width(), 24,
        [&](CDC* dc) {
            dlg.PaintCaption(dc);
            for (CSkinButton* b : {&dlg.m_btnClose, &dlg.m_btnMaximize, &dlg.m_btnRestore, &dlg.m_btnMinimize,
                                   &dlg.m_btnToTray, &dlg.m_btnHelp, &dlg.m_btnAbout, &dlg.m_btnHomePage}) {
                if (!b->GetSafeHwnd() || !b->IsWindowVisible())
                    continue;
                CRect r = dlg.ChildRect(*b);
                dc->SetViewportOrg(r.left, r.top);
                b->DrawButton(dc);
                dc->SetViewportOrg(0, 0);
            }
        },
        picture);
}

TEST_F(SkinDialogTest, CaptionPaintedLooksMatchTheGoldenPictures)
{
    // The composer's main window: tiled strip, product title, the full row of buttons.
    {
        TestSkinDialog dlg(CSkinDialog::CAPTION_MAIN);
        ASSERT_TRUE(dlg.Open(260, 80));
        CRasterImage picture;
        RenderCaption(dlg, &picture);
        EXPECT_EQ(g_nCaptionHeight, kCaptionPictureHeight);
        ExpectGolden("caption_composer", picture);
    }
    // A converter child dialog: its own title and the close button at the top edge.
    {
        SetDeliverable(DELIVERABLE_CONVERTER);
        TestSkinDialog dlg(CSkinDialog::CAPTION_CHILD, "Export format");
        ASSERT_TRUE(dlg.Open(260, 80));
        dlg.CreateCaptionButtons();
        CRasterImage picture;
        RenderCaption(dlg, &picture);
        ExpectGolden("caption_converter", picture);
    }
}

TEST_F(SkinDialogTest, CaptionTilesCountTheWindowWidthOverThePictureWidthPlusOne)
{
    // A window exactly as wide as two pictures gets three tiles: the third starts at the right edge.
    TestSkinDialog dlg(CSkinDialog::CAPTION_CHILD, "");
    ASSERT_TRUE(dlg.Open(2 * kCaptionPictureWidth, 60));
    CRasterImage picture;
    RenderPicture(
        3 * kCaptionPictureWidth + 10, 24, [&](CDC* dc) { dlg.PaintCaption(dc); }, &picture);
    auto at = [&](int x, int y) {
        RGBQUAD c = picture.GetPixelColor(x, picture.GetHeight() - 1 - y);
        return RGB(c.rgbRed, c.rgbGreen, c.rgbBlue);
    };
    for (int tile = 0; tile < 3; ++tile)
        EXPECT_EQ(at(tile * kCaptionPictureWidth, 5), RGB(230, 230, 250)) << tile;
    EXPECT_EQ(at(3 * kCaptionPictureWidth - 1, 5), RGB(20, 40, 104));
    EXPECT_EQ(at(3 * kCaptionPictureWidth, 5), RGB(255, 255, 255));
    // The strip starts one pixel down.
    EXPECT_EQ(at(10, 0), RGB(255, 255, 255));
    EXPECT_EQ(at(10, 1), RGB(20, 40, 80));
}

TEST_F(SkinDialogTest, MissingCaptionPicturePaintsNothingAndPublishesZeroHeight)
{
    std::filesystem::remove(program.Linux() + "/skin-com/skin-1/caption.bmp");
    TestSkinDialog dlg(CSkinDialog::CAPTION_MAIN);
    ASSERT_TRUE(dlg.Open(200, 60));
    CRasterImage picture;
    RenderPicture(
        200, 24, [&](CDC* dc) { dlg.PaintCaption(dc); }, &picture);
    EXPECT_EQ(g_nCaptionHeight, 0);
    for (int x = 0; x < 200; x += 7)
        for (int y = 0; y < 24; y += 3) {
            RGBQUAD c = picture.GetPixelColor(x, y);
            ASSERT_EQ(RGB(c.rgbRed, c.rgbGreen, c.rgbBlue), RGB(255, 255, 255));
        }
}

}  // namespace
