// The drawing functions with their Win32 signatures, over memory surfaces; records and constants come with it.
#pragma once

#include "gdi/wingdi_records.h"
#include "kernel/geometry.h"

// Device contexts.
HDC CreateCompatibleDC(HDC hdc);
BOOL DeleteDC(HDC hdc);
HDC GetDC(HWND hwnd);
HDC GetWindowDC(HWND hwnd);
int ReleaseDC(HWND hwnd, HDC hdc);
int SaveDC(HDC hdc);
BOOL RestoreDC(HDC hdc, int savedDc);
int GetDeviceCaps(HDC hdc, int index);
HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object);
HGDIOBJ GetCurrentObject(HDC hdc, UINT type);
BOOL DeleteObject(HGDIOBJ object);
int GetObject(HGDIOBJ object, int size, LPVOID out);
DWORD GetObjectType(HGDIOBJ object);
HGDIOBJ GetStockObject(int index);

// Attributes.
COLORREF SetTextColor(HDC hdc, COLORREF colour);
COLORREF GetTextColor(HDC hdc);
COLORREF SetBkColor(HDC hdc, COLORREF colour);
COLORREF GetBkColor(HDC hdc);
int SetBkMode(HDC hdc, int mode);
int GetBkMode(HDC hdc);
int SetROP2(HDC hdc, int mode);
int GetROP2(HDC hdc);
int SetStretchBltMode(HDC hdc, int mode);
int GetStretchBltMode(HDC hdc);
int SetPolyFillMode(HDC hdc, int mode);
int GetPolyFillMode(HDC hdc);
UINT SetTextAlign(HDC hdc, UINT align);
UINT GetTextAlign(HDC hdc);
int SetTextCharacterExtra(HDC hdc, int extra);
int GetTextCharacterExtra(HDC hdc);
int SetArcDirection(HDC hdc, int direction);
int GetArcDirection(HDC hdc);
BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL GetBrushOrgEx(HDC hdc, LPPOINT origin);
COLORREF SetDCBrushColor(HDC hdc, COLORREF colour);
COLORREF SetDCPenColor(HDC hdc, COLORREF colour);

// Coordinates (MM_TEXT).
int SetMapMode(HDC hdc, int mode);
int GetMapMode(HDC hdc);
BOOL SetViewportOrgEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL GetViewportOrgEx(HDC hdc, LPPOINT origin);
BOOL OffsetViewportOrgEx(HDC hdc, int dx, int dy, LPPOINT previous);
BOOL SetWindowOrgEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL GetWindowOrgEx(HDC hdc, LPPOINT origin);
BOOL OffsetWindowOrgEx(HDC hdc, int dx, int dy, LPPOINT previous);
BOOL LPtoDP(HDC hdc, LPPOINT points, int count);
BOOL DPtoLP(HDC hdc, LPPOINT points, int count);

// Clipping.
int SelectClipRgn(HDC hdc, HRGN region);
int ExtSelectClipRgn(HDC hdc, HRGN region, int mode);
int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom);
int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom);
int OffsetClipRgn(HDC hdc, int dx, int dy);
int GetClipBox(HDC hdc, LPRECT rect);
int GetClipRgn(HDC hdc, HRGN region);
BOOL PtVisible(HDC hdc, int x, int y);
BOOL RectVisible(HDC hdc, const RECT* rect);

// Pens, brushes, palettes.
HPEN CreatePen(int style, int width, COLORREF colour);
HPEN CreatePenIndirect(const LOGPEN* pen);
HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles);
HBRUSH CreateSolidBrush(COLORREF colour);
HBRUSH CreateHatchBrush(int hatch, COLORREF colour);
HBRUSH CreatePatternBrush(HBITMAP bitmap);
HBRUSH CreateBrushIndirect(const LOGBRUSH* brush);
HPALETTE CreatePalette(const LOGPALETTE* palette);
HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL background);
UINT RealizePalette(HDC hdc);
UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, LPPALETTEENTRY entries);
UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries);
UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF colour);
COLORREF GetNearestColor(HDC hdc, COLORREF colour);
UINT GetSystemPaletteEntries(HDC hdc, UINT start, UINT count, LPPALETTEENTRY entries);

// System colours.
DWORD GetSysColor(int index);
HBRUSH GetSysColorBrush(int index);

// Bitmaps.
HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits);
HBITMAP CreateBitmapIndirect(const BITMAP* bitmap);
HBITMAP CreateCompatibleBitmap(HDC hdc, int width, int height);
HBITMAP CreateDIBSection(HDC hdc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset);
HBITMAP CreateDIBitmap(HDC hdc, const BITMAPINFOHEADER* header, DWORD init, const void* bits, const BITMAPINFO* info,
                       UINT usage);
LONG GetBitmapBits(HBITMAP bitmap, LONG count, LPVOID bits);
LONG SetBitmapBits(HBITMAP bitmap, DWORD count, const void* bits);
int GetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, LPVOID bits, LPBITMAPINFO info, UINT usage);
int SetDIBits(HDC hdc, HBITMAP bitmap, UINT start, UINT lines, const void* bits, const BITMAPINFO* info, UINT usage);
UINT GetDIBColorTable(HDC hdc, UINT start, UINT count, RGBQUAD* colours);
UINT SetDIBColorTable(HDC hdc, UINT start, UINT count, const RGBQUAD* colours);
BOOL GetBitmapDimensionEx(HBITMAP bitmap, LPSIZE size);

// Blits.
BOOL BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, DWORD rop);
BOOL StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh, DWORD rop);
BOOL PatBlt(HDC hdc, int x, int y, int width, int height, DWORD rop);
BOOL TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh,
                    UINT transparent);
int StretchDIBits(HDC hdc, int x, int y, int width, int height, int sx, int sy, int sw, int sh, const void* bits,
                  const BITMAPINFO* info, UINT usage, DWORD rop);
int SetDIBitsToDevice(HDC hdc, int x, int y, DWORD width, DWORD height, int sx, int sy, UINT startScan, UINT scanLines,
                      const void* bits, const BITMAPINFO* info, UINT usage);

// Pixels and primitives.
COLORREF SetPixel(HDC hdc, int x, int y, COLORREF colour);
BOOL SetPixelV(HDC hdc, int x, int y, COLORREF colour);
COLORREF GetPixel(HDC hdc, int x, int y);
BOOL MoveToEx(HDC hdc, int x, int y, LPPOINT previous);
BOOL GetCurrentPositionEx(HDC hdc, LPPOINT position);
BOOL LineTo(HDC hdc, int x, int y);
BOOL Polyline(HDC hdc, const POINT* points, int count);
BOOL PolylineTo(HDC hdc, const POINT* points, DWORD count);
BOOL PolyPolyline(HDC hdc, const POINT* points, const DWORD* counts, DWORD polylines);
BOOL Polygon(HDC hdc, const POINT* points, int count);
BOOL PolyPolygon(HDC hdc, const POINT* points, const INT* counts, int polygons);
BOOL Rectangle(HDC hdc, int left, int top, int right, int bottom);
BOOL RoundRect(HDC hdc, int left, int top, int right, int bottom, int width, int height);
BOOL Ellipse(HDC hdc, int left, int top, int right, int bottom);
BOOL Arc(HDC hdc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
BOOL ArcTo(HDC hdc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
BOOL Pie(HDC hdc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
BOOL Chord(HDC hdc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
int FillRect(HDC hdc, const RECT* rect, HBRUSH brush);
int FrameRect(HDC hdc, const RECT* rect, HBRUSH brush);
BOOL InvertRect(HDC hdc, const RECT* rect);
BOOL DrawFocusRect(HDC hdc, const RECT* rect);
BOOL DrawEdge(HDC hdc, LPRECT rect, UINT edge, UINT flags);
BOOL DrawFrameControl(HDC hdc, LPRECT rect, UINT type, UINT state);

// Regions.
HRGN CreateRectRgn(int left, int top, int right, int bottom);
HRGN CreateRectRgnIndirect(const RECT* rect);
HRGN CreateEllipticRgn(int left, int top, int right, int bottom);
HRGN CreateEllipticRgnIndirect(const RECT* rect);
HRGN CreateRoundRectRgn(int left, int top, int right, int bottom, int width, int height);
HRGN CreatePolygonRgn(const POINT* points, int count, int mode);
HRGN CreatePolyPolygonRgn(const POINT* points, const INT* counts, int polygons, int mode);
HRGN ExtCreateRegion(const void* transform, DWORD count, const RGNDATA* data);
BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom);
int CombineRgn(HRGN dest, HRGN a, HRGN b, int mode);
BOOL EqualRgn(HRGN a, HRGN b);
int OffsetRgn(HRGN region, int dx, int dy);
int GetRgnBox(HRGN region, LPRECT rect);
BOOL PtInRegion(HRGN region, int x, int y);
BOOL RectInRegion(HRGN region, const RECT* rect);
DWORD GetRegionData(HRGN region, DWORD size, LPRGNDATA data);
BOOL FillRgn(HDC hdc, HRGN region, HBRUSH brush);
BOOL FrameRgn(HDC hdc, HRGN region, HBRUSH brush, int width, int height);
BOOL InvertRgn(HDC hdc, HRGN region);
BOOL PaintRgn(HDC hdc, HRGN region);

// Fonts and text.
HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCSTR faceName);
HFONT CreateFontIndirectA(const LOGFONTA* font);
#define CreateFont CreateFontA
#define CreateFontIndirect CreateFontIndirectA
int AddFontResourceA(LPCSTR fileName);
int AddFontResourceExA(LPCSTR fileName, DWORD flags, void* reserved);
BOOL RemoveFontResourceA(LPCSTR fileName);
BOOL RemoveFontResourceExA(LPCSTR fileName, DWORD flags, void* reserved);
#define AddFontResource AddFontResourceA
#define AddFontResourceEx AddFontResourceExA
#define RemoveFontResource RemoveFontResourceA
#define RemoveFontResourceEx RemoveFontResourceExA
BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length);
BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length, const INT* dx);
int DrawTextA(HDC hdc, LPCSTR text, int length, LPRECT rect, UINT format);
int DrawTextExA(HDC hdc, LPSTR text, int length, LPRECT rect, UINT format, DRAWTEXTPARAMS* params);
BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int length, LPSIZE size);
BOOL GetTextExtentPointA(HDC hdc, LPCSTR text, int length, LPSIZE size);
BOOL GetTextExtentExPointA(HDC hdc, LPCSTR text, int length, int maxExtent, LPINT fit, LPINT dx, LPSIZE size);
BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRIC metrics);
BOOL GetCharWidthA(HDC hdc, UINT first, UINT last, LPINT widths);
BOOL GetCharWidth32A(HDC hdc, UINT first, UINT last, LPINT widths);
BOOL GetCharABCWidthsA(HDC hdc, UINT first, UINT last, ABC* widths);
int GetTextFaceA(HDC hdc, int count, LPSTR face);
DWORD GetTabbedTextExtentA(HDC hdc, LPCSTR text, int length, int tabCount, const INT* tabs);
#define TextOut TextOutA
#define ExtTextOut ExtTextOutA
#define DrawText DrawTextA
#define DrawTextEx DrawTextExA
#define GetTextExtentPoint32 GetTextExtentPoint32A
#define GetTextExtentPoint GetTextExtentPointA
#define GetTextExtentExPoint GetTextExtentExPointA
#define GetTextMetrics GetTextMetricsA
#define GetCharWidth GetCharWidthA
#define GetCharWidth32 GetCharWidth32A
#define GetCharABCWidths GetCharABCWidthsA
#define GetTextFace GetTextFaceA
#define GetTabbedTextExtent GetTabbedTextExtentA

BOOL GdiFlush();

// Bitmap resources (RT_BITMAP) of the program, as 32-bit device bitmaps.
HBITMAP LoadBitmapA(HINSTANCE instance, LPCSTR name);
// A bitmap (as CreateDIBitmap makes for hdc) from the `size` bytes of a DIB in memory: its header, colour masks
// and table at the start, its rows `bitsOffset` bytes in. nullptr when any part lies outside those bytes.
HBITMAP CreateBitmapFromDib(HDC hdc, const void* dib, size_t size, size_t bitsOffset);
// Where the rows of a packed DIB (rows right after the colour table) start, or 0 when its header does not fit.
size_t PackedDibBitsOffset(const void* dib, size_t size);
#define LoadBitmap LoadBitmapA

// Window device contexts come from the window layer: it registers how a window's context is got and given back.
typedef HDC (*GdiWindowDcGetter)(HWND hwnd, BOOL wholeWindow);
typedef int (*GdiWindowDcReleaser)(HWND hwnd, HDC hdc);
void GdiSetWindowDcProvider(GdiWindowDcGetter getter, GdiWindowDcReleaser releaser);
// The part of a bitmap drawn on since the last call (empty when nothing was), so that a window shows only that.
RECT GdiTakeDrawnRect(HBITMAP bitmap);

// Size of the virtual screen behind GetDC(NULL).
#define KESTRIN_SCREEN_WIDTH 1920
#define KESTRIN_SCREEN_HEIGHT 1080
