// How native controls look and answer: radio states as drawn, hollow colour brushes, button bitmaps,
// aligned scroll bars, and edit offsets in bytes.
#include "tests/support/window/ui_fixture.h"

namespace {

const COLORREF kBack = RGB(200, 30, 40);

class Host : public CWnd {
public:
    CButton radioA, radioB, picture;
    CEdit field;
    HBRUSH ctlBrush = nullptr;

    Host()
    {
        CreateEx(0, nullptr, "look", WS_POPUP | WS_VISIBLE, 30, 30, 320, 200, nullptr, nullptr);
        radioA.Create("A", WS_CHILD | WS_VISIBLE | WS_GROUP | BS_AUTORADIOBUTTON, CRect(10, 10, 110, 34), this, 10);
        radioB.Create("B", WS_CHILD | WS_VISIBLE | BS_AUTORADIOBUTTON, CRect(10, 40, 110, 64), this, 11);
    }

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CRect r;
        GetClientRect(&r);
        dc.FillSolidRect(&r, kBack);
    }
    afx_msg HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT kind)
    {
        return ctlBrush ? ctlBrush : CWnd::OnCtlColor(dc, wnd, kind);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Host, CWnd)
ON_WM_PAINT()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

std::vector<uint32_t> Block(const Capture& c, int x0, int y0, int w, int h)
{
    std::vector<uint32_t> out;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x)
            out.push_back(c.At(x, y));
    return out;
}

void Settle(HWND h)
{
    UpdateWindow(h);
    PumpFor(100);
}

TEST(RadioButton, OnlyTheCheckedOneLooksChecked)
{
    Host h;
    h.radioA.SetCheck(BST_CHECKED);
    h.radioB.SetCheck(BST_UNCHECKED);
    Settle(h);
    Capture first = CaptureWindow(h);
    ASSERT_FALSE(first.pixels.empty());
    std::vector<uint32_t> checkedLook = Block(first, 10, 10, 24, 24), uncheckedLook = Block(first, 10, 40, 24, 24);
    EXPECT_NE(checkedLook, uncheckedLook);

    h.radioA.SetCheck(BST_UNCHECKED);
    h.radioB.SetCheck(BST_CHECKED);
    Settle(h);
    Capture second = CaptureWindow(h);
    EXPECT_EQ(Block(second, 10, 10, 24, 24), uncheckedLook);
    EXPECT_NE(Block(second, 10, 40, 24, 24), uncheckedLook);
    EXPECT_EQ(h.radioA.GetCheck(), BST_UNCHECKED);
}

TEST(CtlColor, HollowBrushShowsTheParentBehindTheControl)
{
    Host h;
    h.ctlBrush = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
    h.field.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(130, 10, 300, 40), &h, 12);
    Settle(h);
    Capture c = CaptureWindow(h);
    ASSERT_FALSE(c.pixels.empty());
    EXPECT_EQ(c.At(290, 36), (uint32_t)0xC81E28);  // kBack as 0xRRGGBB, far from the text
}

TEST(Button, ImageIsShownOnTheButton)
{
    Host h;
    h.picture.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON | BS_BITMAP, CRect(130, 60, 230, 140), &h, 13);
    HDC screen = GetDC(nullptr);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 40, 40);
    ReleaseDC(nullptr, screen);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bmp);
    RECT all{0, 0, 40, 40};
    HBRUSH green = CreateSolidBrush(RGB(0, 200, 0));
    FillRect(dc, &all, green);
    SelectObject(dc, old);
    DeleteDC(dc);
    EXPECT_EQ(h.picture.SetBitmap(bmp), nullptr);
    EXPECT_EQ(h.picture.GetBitmap(), bmp);
    Settle(h);
    Capture c = CaptureWindow(h);
    ASSERT_FALSE(c.pixels.empty());
    EXPECT_EQ(c.At(180, 100), (uint32_t)0x00C800);
    h.DestroyWindow();
    DeleteObject(green);
    DeleteObject(bmp);
}

TEST(ScrollBar, AlignedBarTakesTheStandardWidthAtItsEdge)
{
    Host h;
    CScrollBar bar;
    bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT | SBS_RIGHTALIGN, CRect(100, 20, 300, 180), &h, 14);
    CRect r;
    bar.GetWindowRect(&r);
    h.ScreenToClient(&r);
    EXPECT_EQ(r.right, 300);
    EXPECT_EQ(r.Width(), GetSystemMetrics(SM_CXVSCROLL));
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.bottom, 180);
}

TEST(Edit, OffsetsAreInBytes)
{
    Host h;
    h.field.Create(WS_CHILD | WS_VISIBLE, CRect(130, 10, 300, 40), &h, 12);
    h.field.SetWindowText("a\xC3\xA9 b");  // "é" takes two bytes
    h.field.SetSel(3, 5);
    int from = 0, to = 0;
    h.field.GetSel(from, to);
    EXPECT_EQ(from, 3);
    EXPECT_EQ(to, 5);
    h.field.ReplaceSel("X");
    CString text;
    h.field.GetWindowText(text);
    EXPECT_STREQ(text, "a\xC3\xA9X");
    EXPECT_EQ(h.field.LineLength(0), 4);
}

// Columns [first, last] that hold dark (text) pixels in a block of a capture; {-1, -1} when none do.
std::pair<int, int> InkColumns(const Capture& c, int x0, int y0, int x1, int y1)
{
    int first = -1, last = -1;
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y) {
            uint32_t p = c.At(x, y);
            if (((p >> 16) & 255) + ((p >> 8) & 255) + (p & 255) < 3 * 100) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
        }
    return {first, last};
}

TEST(Fonts, TemplateFaceIsTheMetricCompatibleOneAndControlsUseOurSize)
{
    CFont font;
    font.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Sans Serif");
    const char* text = "Wwwwwwwwwwwwwwwwwwww";

    // Our own text in that font, drawn on white.
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bmp = CreateCompatibleBitmap(screen, 300, 30);
    ReleaseDC(nullptr, screen);
    HGDIOBJ oldBmp = SelectObject(mem, bmp);
    HGDIOBJ oldFont = SelectObject(mem, font);
    char face[LF_FACESIZE];
    GetTextFace(mem, sizeof face, face);
    EXPECT_STREQ(face, "Liberation Sans");
    PatBlt(mem, 0, 0, 300, 30, WHITENESS);
    TextOut(mem, 0, 5, text, (int)strlen(text));
    Capture ours;
    ours.width = 300;
    ours.height = 30;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 300; ++x) {
            COLORREF c = GetPixel(mem, x, y);
            ours.pixels.push_back((uint32_t)((GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c)));
        }
    SelectObject(mem, oldFont);
    SelectObject(mem, oldBmp);
    DeleteObject(bmp);
    DeleteDC(mem);
    std::pair<int, int> ourInk = InkColumns(ours, 0, 0, 300, 30);
    ASSERT_GE(ourInk.first, 0);

    // The same text in a native control given that font.
    Host h;
    h.field.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(10, 80, 310, 110), &h, 12);
    h.field.SetFont(&font);
    h.field.SetWindowText(text);
    Settle(h);
    Capture c = CaptureWindow(h);
    ASSERT_FALSE(c.pixels.empty());
    std::pair<int, int> controlInk = InkColumns(c, 10, 80, 310, 110);
    ASSERT_GE(controlInk.first, 0);
    int ourWidth = ourInk.second - ourInk.first, controlWidth = controlInk.second - controlInk.first;
    EXPECT_NEAR(controlWidth, ourWidth, ourWidth / 10);
}

}  // namespace
