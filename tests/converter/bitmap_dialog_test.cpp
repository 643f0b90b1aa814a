// The bitmap-shaped dialog: the window region cut from the background's transparent range, and dragging.
#include <gtest/gtest.h>

#include "converter/bitmap_dialog.h"
#include "converter/commands.h"
#include "tests/support/temp_folder.h"
#include "tests/support/window/ui_fixture.h"

namespace {

// A picture of width x 1 whose pixel x (left to right) has colours[x].
void FillRow(CRasterImage& image, const std::vector<COLORREF>& colours)
{
    image.Create(static_cast<int>(colours.size()), 1, 24);
    for (size_t x = 0; x < colours.size(); ++x)
        image.SetPixelColor(static_cast<int>(x), 0, colours[x]);
}

struct RegionCase {
    const char* name;
    COLORREF low;
    COLORREF high;
    COLORREF pixel;
    bool transparent;
};

class TransparentRange : public ::testing::TestWithParam<RegionCase> {};

TEST_P(TransparentRange, CutsExactlyThePixelsWithinTheBounds)
{
    const RegionCase& c = GetParam();
    CRasterImage image;
    FillRow(image, {RGB(1, 2, 3), c.pixel, RGB(1, 2, 3)});
    HRGN region = BuildTransparentRegion(image, c.low, c.high);
    EXPECT_TRUE(PtInRegion(region, 0, 0));
    EXPECT_EQ(!PtInRegion(region, 1, 0), c.transparent);
    EXPECT_TRUE(PtInRegion(region, 2, 0));
    DeleteObject(region);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TransparentRange,
    ::testing::Values(RegionCase{"BlackOnlyWhenBothBoundsAreBlack", 0, 0, RGB(0, 0, 0), true},
                      RegionCase{"NearBlackStaysWhenBothBoundsAreBlack", 0, 0, RGB(0, 0, 1), false},
                      RegionCase{"LowBound", RGB(250, 0, 250), RGB(255, 10, 255), RGB(250, 0, 250), true},
                      RegionCase{"HighBound", RGB(250, 0, 250), RGB(255, 10, 255), RGB(255, 10, 255), true},
                      RegionCase{"Inside", RGB(250, 0, 250), RGB(255, 10, 255), RGB(252, 5, 251), true},
                      RegionCase{"RedBelow", RGB(250, 0, 250), RGB(255, 10, 255), RGB(249, 0, 250), false},
                      RegionCase{"GreenAbove", RGB(250, 0, 250), RGB(255, 10, 255), RGB(250, 11, 250), false},
                      RegionCase{"BlueBelow", RGB(250, 0, 250), RGB(255, 10, 255), RGB(250, 0, 249), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TransparentRegion, StoredRowsAreBottomUp)
{
    // Stored row 0 is the window's bottom line.
    CRasterImage image;
    image.Create(2, 2, 24);
    image.SetPixelColor(0, 0, RGB(0, 0, 0));
    image.SetPixelColor(1, 0, RGB(9, 9, 9));
    image.SetPixelColor(0, 1, RGB(9, 9, 9));
    image.SetPixelColor(1, 1, RGB(9, 9, 9));
    HRGN region = BuildTransparentRegion(image, 0, 0);
    EXPECT_FALSE(PtInRegion(region, 0, 1));
    EXPECT_TRUE(PtInRegion(region, 0, 0));
    EXPECT_TRUE(PtInRegion(region, 1, 1));
    DeleteObject(region);
}

// The main window's template (a file list child at dialog units 11,49) over a 200 x 150 background whose
// left 10 columns are transparent.
class BitmapDialogWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        CRasterImage picture(200, 150, 24, RASTER_TYPE_BMP);
        for (int y = 0; y < 150; ++y)
            for (int x = 0; x < 200; ++x)
                picture.SetPixelColor(x, y, x < 10 ? RGB(255, 0, 255) : RGB(40, 90, 160));
        ASSERT_TRUE(picture.SaveFile(folder.Linux("back.bmp").c_str(), RASTER_TYPE_BMP));
        dialog.m_transLow = RGB(250, 0, 250);
        dialog.m_transHigh = RGB(255, 10, 255);
        dialog.SetBackground(folder.Win("back.bmp").c_str(), "Shaped");
        ASSERT_TRUE(dialog.Create(102, nullptr));
        dialog.SetWindowPos(nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        dialog.ShowWindow(SW_SHOW);
        ASSERT_TRUE(PumpUntil([&] { return dialog.IsWindowVisible() != FALSE; }));
        PumpFor(200);
    }
    void TearDown() override { dialog.DestroyWindow(); }

    CRect WindowRect() const
    {
        CRect r;
        dialog.GetWindowRect(&r);
        return r;
    }

    // Presses at a client point, moves the pointer by (dx, dy) and releases.
    void Drag(CPoint from, int dx, int dy)
    {
        POINT p = from;
        dialog.ClientToScreen(&p);
        MoveTo(p.x, p.y);
        MouseButton(MOUSEEVENTF_LEFTDOWN);
        for (int step = 1; step <= 5; ++step)
            MoveTo(p.x + dx * step / 5, p.y + dy * step / 5);
        MouseButton(MOUSEEVENTF_LEFTUP);
        PumpFor(100);
    }

    static void MoveTo(int x, int y)
    {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dx = (LONG)(((int64_t)x * 65536 + 65535) / GetSystemMetrics(SM_CXSCREEN));
        in.mi.dy = (LONG)(((int64_t)y * 65536 + 65535) / GetSystemMetrics(SM_CYSCREEN));
        in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        SendInput(1, &in, sizeof(INPUT));
        PumpFor(40);
    }

    static void MouseButton(DWORD flags)
    {
        INPUT in = {};
        in.type = INPUT_MOUSE;
        in.mi.dwFlags = flags;
        SendInput(1, &in, sizeof(INPUT));
        PumpFor(40);
    }

    TempFolder folder;
    CBitmapDialog dialog{102};
};

TEST_F(BitmapDialogWindow, TakesThePictureSizeShapeAndTitle)
{
    EXPECT_EQ(WindowRect().Width(), 200);
    EXPECT_EQ(WindowRect().Height(), 150);
    CString title;
    dialog.GetWindowText(title);
    EXPECT_EQ(title, "Shaped");
    // The transparent columns are not part of the window.
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(GetWindowRgn(dialog.m_hWnd, region), ERROR);
    EXPECT_FALSE(PtInRegion(region, 9, 75));
    EXPECT_TRUE(PtInRegion(region, 10, 75));
    DeleteObject(region);
}

TEST_F(BitmapDialogWindow, DragsByTheBackgroundOnly)
{
    const CRect before = WindowRect();
    Drag(CPoint(150, 10), 30, 20);
    EXPECT_EQ(WindowRect().TopLeft(), before.TopLeft() + CPoint(30, 20));

    CRect list;
    dialog.GetDlgItem(IDC_FILE_LIST)->GetWindowRect(&list);
    dialog.ScreenToClient(&list);
    const CRect moved = WindowRect();
    Drag(list.CenterPoint(), 30, 20);
    EXPECT_EQ(WindowRect().TopLeft(), moved.TopLeft());

    dialog.m_dragEnabled = 0;
    Drag(CPoint(150, 10), 30, 20);
    EXPECT_EQ(WindowRect().TopLeft(), moved.TopLeft());
}

}  // namespace
