// Draws a page of every primitive and text style into a DIB and writes it as a BMP file for review.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/support/bmp_file.h"
#include "tests/support/canvas.h"
#include "tests/support/temp_folder.h"

namespace {

void DrawPage(CDC& dc)
{
    dc.FillSolidRect(0, 0, 640, 480, RGB(255, 255, 255));
    // Lines and pens.
    int styles[] = {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOT, PS_DASHDOTDOT};
    for (int i = 0; i < 5; ++i) {
        CPen pen(styles[i], 1, RGB(0, 0, 128));
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(10, 10 + 6 * i);
        dc.LineTo(150, 10 + 6 * i);
        dc.SelectObject(old);
    }
    for (int w = 1; w <= 6; ++w) {
        CPen pen(PS_SOLID, w, RGB(128, 0, 0));
        CPen* old = dc.SelectObject(&pen);
        dc.MoveTo(10 + 22 * w, 50);
        dc.LineTo(25 + 22 * w, 90);
        dc.SelectObject(old);
    }
    // Filled shapes.
    CBrush yellow(RGB(255, 220, 0)), hatch(HS_DIAGCROSS, RGB(0, 128, 0));
    CBrush* oldBrush = dc.SelectObject(&yellow);
    dc.Rectangle(170, 10, 230, 50);
    dc.Ellipse(240, 10, 300, 50);
    dc.RoundRect(310, 10, 370, 50, 16, 16);
    dc.Pie(380, 10, 430, 60, 430, 35, 405, 10);
    dc.Chord(440, 10, 490, 60, 490, 35, 440, 35);
    dc.SelectObject(&hatch);
    POINT star[5] = {{530, 10}, {550, 60}, {500, 28}, {560, 28}, {510, 60}};
    dc.SetPolyFillMode(ALTERNATE);
    dc.Polygon(star, 5);
    POINT star2[5] = {{590, 10}, {610, 60}, {560, 28}, {620, 28}, {570, 60}};
    dc.SetPolyFillMode(WINDING);
    dc.Polygon(star2, 5);
    dc.SelectObject(oldBrush);
    dc.Arc(170, 60, 260, 100, 260, 80, 170, 80);
    // Raster operations and frames.
    dc.PatBlt(280, 60, 60, 40, BLACKNESS);
    dc.SetROP2(R2_NOTXORPEN);
    dc.MoveTo(270, 80);
    dc.LineTo(360, 80);
    dc.SetROP2(R2_COPYPEN);
    dc.Draw3dRect(CRect(370, 60, 420, 100), RGB(255, 255, 255), RGB(64, 64, 64));
    CRect edge(430, 60, 480, 100);
    ::DrawEdge(dc.m_hDC, &edge, EDGE_RAISED, BF_RECT | BF_MIDDLE);
    CRect focus(490, 60, 540, 100);
    dc.DrawFocusRect(focus);
    CRect frames[3] = {CRect(550, 60, 566, 76), CRect(570, 60, 586, 76), CRect(590, 60, 606, 76)};
    dc.DrawFrameControl(frames[0], DFC_SCROLL, DFCS_SCROLLDOWN);
    dc.DrawFrameControl(frames[1], DFC_SCROLL, DFCS_SCROLLSIZEGRIP);
    dc.DrawFrameControl(frames[2], DFC_MENU, DFCS_MENUCHECK);
    // Text styles.
    struct Style {
        const char* face;
        int height, width, weight;
        BYTE italic, underline, strike, quality;
    } faces[] = {{"Arial", 14, 0, 400, 0, 0, 0, 0},
                 {"Arial", 20, 0, 700, 0, 0, 0, 0},
                 {"Times New Roman", -18, 0, 400, 1, 0, 0, 0},
                 {"Verdana", 16, 0, 400, 0, 1, 0, 0},
                 {"MS Sans Serif", 16, 0, 400, 0, 0, 1, 0},
                 {"Arial", 24, 6, 400, 0, 0, 0, 0},
                 {"Arial", 24, 0, 400, 0, 0, 0, ANTIALIASED_QUALITY},
                 {"System", 16, 0, 700, 0, 0, 0, 0}};
    int y = 120;
    dc.SetBkMode(TRANSPARENT);
    for (const Style& s : faces) {
        CFont font;
        font.CreateFont(s.height, s.width, 0, 0, s.weight, s.italic, s.underline, s.strike, DEFAULT_CHARSET,
                        OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, s.quality, DEFAULT_PITCH, s.face);
        CFont* old = dc.SelectObject(&font);
        dc.SetTextColor(RGB(0, 0, 0));
        CString text;
        text.Format("%s %d: The quick brown fox jumps over the lazy dog 0123456789", s.face, s.height);
        dc.TextOut(10, y, text);
        y += 30;
        dc.SelectObject(old);
    }
    CFont gui;
    gui.CreateStockObject(DEFAULT_GUI_FONT);
    CFont* old = dc.SelectObject(&gui);
    dc.SetBkMode(OPAQUE);
    dc.SetBkColor(RGB(200, 230, 255));
    CRect box(10, 370, 300, 470);
    dc.FrameRect(box, CBrush::FromHandle((HBRUSH)GetStockObject(BLACK_BRUSH)));
    dc.DrawText("&Centred text wrapped by words inside a framed box, with an opaque background.", box,
                DT_CENTER | DT_WORDBREAK);
    CRect ellipsis(320, 370, 460, 390);
    dc.DrawText("An ellipsis ends this long line of text", ellipsis, DT_SINGLELINE | DT_END_ELLIPSIS);
    dc.SelectObject(old);
    gui.Detach();
}

TEST(ReviewPage, DrawsEveryPrimitiveAndWritesABitmapFile)
{
    Canvas canvas(640, 480);
    CDC dc;
    dc.Attach(canvas.dc());
    DrawPage(dc);
    dc.Detach();
    EXPECT_GT(canvas.Count(RGB(0, 0, 0)), 1000);
    TempFolder folder;
    EXPECT_TRUE(WriteBmp24(folder.Linux("gdi_review.bmp"), canvas.bits(), canvas.width(), canvas.height()));
    EXPECT_EQ(folder.Read("gdi_review.bmp").size(), 54u + 640 * 480 * 3);
    // For reviewing the page by eye: KESTRIN_GDI_REVIEW_DIR=folder ctest -R ReviewPage
    if (const char* review = std::getenv("KESTRIN_GDI_REVIEW_DIR")) {
        EXPECT_TRUE(
            WriteBmp24(std::string(review) + "/gdi_review.bmp", canvas.bits(), canvas.width(), canvas.height()));
    }
    // The page is deterministic: drawing it again gives the same pixels.
    Canvas again(640, 480);
    CDC dc2;
    dc2.Attach(again.dc());
    DrawPage(dc2);
    dc2.Detach();
    EXPECT_EQ(std::memcmp(canvas.bits(), again.bits(), 640 * 480 * 4), 0);
}

}  // namespace
