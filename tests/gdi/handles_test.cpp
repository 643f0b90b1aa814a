// Handle validation, object selection rules, stock objects and the class-library wrappers.
#include <gtest/gtest.h>

#include "tests/support/canvas.h"

namespace {

TEST(Handles, WrongAndDeletedHandlesFail)
{
    HDC bogus = reinterpret_cast<HDC>(0x1234);
    EXPECT_EQ(SelectObject(bogus, GetStockObject(BLACK_PEN)), nullptr);
    EXPECT_FALSE(LineTo(bogus, 1, 1));
    EXPECT_EQ(GetPixel(bogus, 0, 0), CLR_INVALID);
    EXPECT_FALSE(BitBlt(bogus, 0, 0, 1, 1, nullptr, 0, 0, BLACKNESS));
    Canvas canvas(2, 2);
    EXPECT_EQ(SelectObject(canvas.dc(), reinterpret_cast<HGDIOBJ>(0x5678)), nullptr);
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_TRUE(DeleteObject(brush));
    EXPECT_FALSE(DeleteObject(brush));
    RECT r{0, 0, 2, 2};
    EXPECT_FALSE(FillRect(canvas.dc(), &r, brush));
    EXPECT_FALSE(BitBlt(canvas.dc(), 0, 0, 1, 1, reinterpret_cast<HDC>(brush), 0, 0, SRCCOPY));
    HDC gone = CreateCompatibleDC(nullptr);
    DeleteDC(gone);
    EXPECT_FALSE(DeleteDC(gone));
    EXPECT_FALSE(Rectangle(gone, 0, 0, 1, 1));
    EXPECT_EQ(GetObjectType(GetStockObject(WHITE_BRUSH)), (DWORD)OBJ_BRUSH);
    EXPECT_EQ(GetObjectType(nullptr), 0u);
}

TEST(Handles, ABitmapIsSelectedIntoOneContextAtATime)
{
    Canvas canvas(2, 2);
    HDC other = CreateCompatibleDC(nullptr);
    EXPECT_EQ(SelectObject(other, canvas.bitmap()), nullptr);
    EXPECT_FALSE(DeleteObject(canvas.bitmap()));
    DeleteDC(other);
}

TEST(Handles, ObjectsStayUsableWhileSelectedAfterDelete)
{
    Canvas canvas(3, 1);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 0, 0));
    HGDIOBJ old = SelectObject(canvas.dc(), pen);
    DeleteObject(pen);
    MoveToEx(canvas.dc(), 0, 0, nullptr);
    LineTo(canvas.dc(), 3, 0);
    EXPECT_EQ(canvas.At(1, 0), RGB(255, 0, 0));
    SelectObject(canvas.dc(), old);
}

TEST(Handles, DrawingFarOutsideStaysInTheBuffer)
{
    Canvas canvas(4, 4);
    SelectObject(canvas.dc(), GetStockObject(BLACK_BRUSH));
    MoveToEx(canvas.dc(), -100000, -50000, nullptr);
    LineTo(canvas.dc(), 100000, 50000);
    Ellipse(canvas.dc(), -20, -20, 1000, 3000);
    RECT r{-5000, 2, 5000, 5000};
    FillRect(canvas.dc(), &r, (HBRUSH)GetStockObject(BLACK_BRUSH));
    POINT pts[3] = {{-1000, -1000}, {2000, 3}, {-5, 2000}};
    Polygon(canvas.dc(), pts, 3);
    BitBlt(canvas.dc(), -3, -3, 100, 100, canvas.dc(), 2, 2, SRCCOPY);
    TextOut(canvas.dc(), -10, -3, "Kestrin", 7);
    StretchBlt(canvas.dc(), -2000000000, 0, 2100000000, 2000000000, canvas.dc(), 0, 0, 3, 3, SRCCOPY);
    HPEN wide = CreatePen(PS_SOLID, 9, RGB(0, 0, 0));
    SelectObject(canvas.dc(), wide);
    POINT far[3] = {{-2000000000, 1}, {2000000000, 2}, {0, 2000000000}};
    Polyline(canvas.dc(), far, 3);
    Polygon(canvas.dc(), far, 3);
    SelectObject(canvas.dc(), GetStockObject(BLACK_PEN));
    DeleteObject(wide);
    EXPECT_EQ(canvas.At(1, 1), RGB(0, 0, 0));
}

TEST(Handles, ScreenContextHasTheVirtualScreen)
{
    HDC screen = GetDC(nullptr);
    ASSERT_NE(screen, nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), 96);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), 96);
    EXPECT_EQ(GetDeviceCaps(screen, BITSPIXEL), 32);
    EXPECT_EQ(GetDeviceCaps(screen, HORZRES), KESTRIN_SCREEN_WIDTH);
    EXPECT_EQ(GetDeviceCaps(screen, VERTRES), KESTRIN_SCREEN_HEIGHT);
    HBITMAP b = CreateCompatibleBitmap(screen, 3, 3);
    BITMAP bm;
    GetObject(b, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 32);
    // A fresh memory context holds a monochrome bitmap, so its compatible bitmaps are monochrome.
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP m = CreateCompatibleBitmap(mem, 3, 3);
    GetObject(m, sizeof bm, &bm);
    EXPECT_EQ(bm.bmBitsPixel, 1);
    EXPECT_EQ(RealizePalette(screen), 0u);
    EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
    DeleteDC(mem);
    DeleteObject(b);
    DeleteObject(m);
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
}

TEST(Wrappers, ClassLibraryObjects)
{
    Canvas canvas(10, 10);
    CDC* dc = CDC::FromHandle(canvas.dc());
    ASSERT_NE(dc, nullptr);
    EXPECT_EQ(dc->GetSafeHdc(), canvas.dc());
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* old = dc->SelectObject(&pen);
    ASSERT_NE(old, nullptr);
    EXPECT_EQ(old->m_hObject, GetStockObject(BLACK_PEN));
    dc->MoveTo(0, 0);
    dc->LineTo(5, 0);
    dc->SelectObject(old);
    dc->FillSolidRect(CRect(2, 2, 4, 4), RGB(255, 0, 0));
    EXPECT_EQ(dc->GetPixel(3, 3), RGB(255, 0, 0));
    EXPECT_EQ(dc->GetBkColor(), RGB(255, 0, 0));
    dc->Draw3dRect(CRect(5, 5, 9, 9), RGB(0, 255, 0), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Picture(RGB(0, 255, 0)).substr(60, 4), "###.");
    EXPECT_EQ(dc->GetPixel(8, 5), RGB(0, 0, 255));
    EXPECT_EQ(dc->GetPixel(5, 8), RGB(0, 0, 255));
    CSize extent = dc->GetTextExtent(CString("abc"));
    EXPECT_GT(extent.cx, 0);
    CRgn rgn;
    rgn.CreateRectRgn(0, 0, 2, 2);
    EXPECT_TRUE(rgn.PtInRegion(CPoint(1, 1)));
    CDC mem;
    EXPECT_TRUE(mem.CreateCompatibleDC(dc));
    CBitmap bitmap;
    EXPECT_TRUE(bitmap.CreateCompatibleBitmap(dc, 4, 4));
    CBitmap* previous = mem.SelectObject(&bitmap);
    EXPECT_TRUE(mem.BitBlt(0, 0, 4, 4, dc, 0, 0, SRCCOPY));
    mem.SelectObject(previous);
    CGdiObject::DeleteTempMap();
    CDC::DeleteTempMap();
    // Wrappers of stock objects outlive the clean-up, as callers keep them between messages.
    EXPECT_EQ(previous->m_hObject, GetCurrentObject(mem.m_hDC, OBJ_BITMAP));
    EXPECT_EQ(CGdiObject::FromHandle(GetStockObject(BLACK_PEN)), old);
}

}  // namespace
