// Painting: WM_PAINT draws into the backing surface; a client context draws at once; XOR drawing undoes itself.
#include "tests/support/temp_folder.h"
#include "tests/support/window/ui_fixture.h"

namespace {

class PaintWnd : public CWnd {
public:
    int paints = 0;
    RECT lastPaint{};
    COLORREF fill = RGB(200, 20, 30);

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        ++paints;
        lastPaint = dc.m_ps.rcPaint;
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, fill);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintWnd, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

COLORREF PixelOf(HWND h, int x, int y)
{
    HDC dc = GetDC(h);
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(h, dc);
    return c;
}

TEST(Paint, PaintHandlerPixelsAreInTheBackingSurface)
{
    PaintWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "paint", WS_POPUP | WS_VISIBLE, 40, 40, 64, 48, nullptr, nullptr));
    w.UpdateWindow();
    EXPECT_EQ(w.paints, 1);
    EXPECT_EQ(PixelOf(w, 10, 10), RGB(200, 20, 30));
    EXPECT_EQ(PixelOf(w, 63, 47), RGB(200, 20, 30));

    // An invalidated part repaints with that part as the paint rectangle.
    w.fill = RGB(0, 0, 255);
    CRect part(0, 0, 8, 8);
    w.InvalidateRect(&part, FALSE);
    w.UpdateWindow();
    EXPECT_EQ(w.paints, 2);
    EXPECT_EQ(CRect(w.lastPaint), part);
    EXPECT_EQ(PixelOf(w, 2, 2), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(w, 20, 20), RGB(200, 20, 30));  // clipped to the invalid part
    w.UpdateWindow();
    EXPECT_EQ(w.paints, 2);  // nothing invalid, no paint
}

TEST(Paint, NotXorLineOnTheWindowUndoesItself)
{
    PaintWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "xor", WS_POPUP | WS_VISIBLE, 40, 40, 64, 48, nullptr, nullptr));
    w.UpdateWindow();
    auto drawCursor = [&] {
        CClientDC dc(&w);
        CPen pen(PS_SOLID, 1, RGB(255, 25, 0));
        CPen* old = dc.SelectObject(&pen);
        int mode = dc.SetROP2(R2_NOTXORPEN);
        dc.MoveTo(20, 0);
        dc.LineTo(20, 48);
        dc.SetROP2(mode);
        dc.SelectObject(old);
    };
    drawCursor();
    EXPECT_NE(PixelOf(w, 20, 10), RGB(200, 20, 30));
    drawCursor();
    EXPECT_EQ(PixelOf(w, 20, 10), RGB(200, 20, 30));
    EXPECT_EQ(w.paints, 1);  // drawing through a client context needs no repaint
}

}  // namespace

namespace {

TEST(Images, BitmapFromAFile)
{
    // A 2 x 2, 24-bit BMP: bottom row blue and green, top row red and white.
    const unsigned char bmp[] = {'B', 'M', 70, 0, 0,   0, 0, 0, 0, 0, 54,  0,   0,   0,   40, 0, 0,  0,
                                 2,   0,   0,  0, 2,   0, 0, 0, 1, 0, 24,  0,   0,   0,   0,  0, 16, 0,
                                 0,   0,   0,  0, 0,   0, 0, 0, 0, 0, 0,   0,   0,   0,   0,  0, 0,  0,
                                 255, 0,   0,  0, 255, 0, 0, 0, 0, 0, 255, 255, 255, 255, 0,  0};
    TempFolder folder;
    std::string path = folder.Linux("kestrin_image_test.bmp");
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_TRUE(f);
    std::fwrite(bmp, 1, sizeof(bmp), f);
    std::fclose(f);
    std::string windowsPath = path;
    for (char& c : windowsPath)
        if (c == '/')
            c = '\\';
    HBITMAP b = static_cast<HBITMAP>(LoadImage(nullptr, windowsPath.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_TRUE(b);
    BITMAP bm{};
    ASSERT_TRUE(GetObject(b, sizeof(bm), &bm));
    EXPECT_EQ(bm.bmWidth, 2);
    EXPECT_EQ(bm.bmHeight, 2);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, b);
    EXPECT_EQ(GetPixel(dc, 0, 0), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(dc, 0, 1), RGB(0, 0, 255));
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(b);
    EXPECT_EQ(LoadImage(nullptr, "\\no\\such\\file.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE), nullptr);
    std::remove(path.c_str());
}

// A BMP file whose header, colour table or rows would lie outside the file is refused, not read past its end.
TEST(Images, BitmapWhosePartsLieOutsideItsFileIsRefused)
{
    // The 2 x 2, 24-bit file of BitmapFromAFile: header 14 + 40 bytes, rows of 8 bytes from byte 54.
    std::string good("BM\x46\0\0\0\0\0\0\0\x36\0\0\0\x28\0\0\0\x02\0\0\0\x02\0\0\0\x01\0\x18\0", 30);
    good.resize(54, '\0');
    good.resize(70, '\x7f');
    auto put32 = [](std::string bytes, size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bytes[at + i] = (char)(value >> (8 * i));
        return bytes;
    };
    std::string eightBit = put32(good, 26, 0x00080001);  // one plane, 8 bits: a colour table follows the header
    const struct {
        const char* what;
        std::string bytes;
    } cases[] = {
        {"rows cut short", good.substr(0, 60)},
        {"rows starting past the end", put32(good, 10, 1000)},
        {"rows starting inside the header", put32(good, 10, 20)},
        {"a header longer than the file", put32(good, 14, 0xFFFFFF00)},
        {"a colour table longer than the file", put32(eightBit, 46, 0x40000000)},
        {"more rows than the file holds", put32(good, 22, 0x7FFFFFFF)},
        {"more top-down rows than the file holds", put32(good, 22, 0x80000000)},
        {"rows wider than the file", put32(good, 18, 0x7FFFFFFF)},
    };
    TempFolder folder;
    for (const auto& c : cases) {
        folder.Write("broken.bmp", c.bytes);
        HANDLE b = LoadImage(nullptr, folder.Win("broken.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
        EXPECT_EQ(b, nullptr) << c.what;
        if (b)
            DeleteObject(b);
    }
    folder.Write("good.bmp", good);
    HANDLE b = LoadImage(nullptr, folder.Win("good.bmp").c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    EXPECT_NE(b, nullptr);
    DeleteObject(b);
}

}  // namespace

namespace {

class SkinParent : public CWnd {
protected:
    afx_msg BOOL OnEraseBkgnd(CDC* dc)
    {
        CRect r;
        GetClientRect(&r);
        dc->FillSolidRect(&r, RGB(10, 120, 30));
        return TRUE;
    }
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd*, UINT)
    {
        dc->SetBkMode(TRANSPARENT);
        dc->SetTextColor(RGB(255, 255, 255));
        return (HBRUSH)GetStockObject(NULL_BRUSH);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SkinParent, CWnd)
ON_WM_ERASEBKGND()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

TEST(Paint, StaticWithoutBackgroundShowsItsParent)
{
    SkinParent parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "skin", WS_POPUP | WS_VISIBLE, 30, 30, 120, 80, nullptr, nullptr));
    CStatic label;
    ASSERT_TRUE(label.Create("x", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(10, 10, 110, 40), &parent, 5));
    label.UpdateWindow();
    HDC dc = GetDC(label);
    EXPECT_EQ(GetPixel(dc, 90, 25), RGB(10, 120, 30));  // no text there: the parent's colour
    ReleaseDC(label, dc);
}

}  // namespace

namespace {

// Draws only its background, as the skinned slider does.
class EraseOnlyWnd : public CWnd {
protected:
    afx_msg BOOL OnEraseBkgnd(CDC* dc)
    {
        CRect r;
        GetClientRect(&r);
        dc->FillSolidRect(&r, RGB(0, 0, 200));
        return TRUE;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(EraseOnlyWnd, CWnd)
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

TEST(Paint, RepaintWithoutEraseKeepsWhatTheBackgroundDrew)
{
    PaintWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, 30, 30, 120, 80, nullptr, nullptr));
    EraseOnlyWnd child;
    ASSERT_TRUE(child.Create(nullptr, "erase", WS_CHILD | WS_VISIBLE, CRect(10, 10, 60, 60), &parent, 5));
    child.UpdateWindow();
    EXPECT_EQ(PixelOf(child, 20, 20), RGB(0, 0, 200));
    child.InvalidateRect(nullptr, FALSE);
    child.UpdateWindow();
    EXPECT_EQ(PixelOf(child, 20, 20), RGB(0, 0, 200));
}

TEST(Paint, EveryCaptureShowsTheWindowAsItIsNow)
{
    PaintWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "capture", WS_POPUP | WS_VISIBLE, 40, 40, 64, 48, nullptr, nullptr));
    for (COLORREF fill : {RGB(200, 20, 30), RGB(0, 0, 255), RGB(10, 220, 40)}) {
        w.fill = fill;
        w.Invalidate(FALSE);
        w.UpdateWindow();
        PumpFor(50);
        Capture c = CaptureWindow(w);
        ASSERT_FALSE(c.pixels.empty());
        EXPECT_EQ(c.At(30, 20), (uint32_t)((GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill)));
    }
}

TEST(Paint, ClientContextDrawingShowsOnTheScreenAtOnce)
{
    PaintWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "flush", WS_POPUP | WS_VISIBLE, 40, 40, 64, 48, nullptr, nullptr));
    w.UpdateWindow();
    PumpFor(50);
    {
        CClientDC dc(&w);
        dc.FillSolidRect(CRect(30, 10, 40, 20), RGB(0, 0, 0));
    }
    Capture c = CaptureWindow(w);
    ASSERT_FALSE(c.pixels.empty());
    EXPECT_EQ(c.At(35, 15), 0u);
    EXPECT_EQ(c.At(10, 30), 0xC8141Eu);
}

}  // namespace
