// The class library's drawing objects: CGdiObject, CPen, CBrush, CFont, CBitmap, CRgn, CPalette and the device context
// CDC.
#pragma once

#include "gdi/wingdi.h"
#include "kernel/cstring.h"
#include "kernel/object.h"

// Icons belong to the window layer, which defines this.
BOOL DrawIcon(HDC hdc, int x, int y, HICON icon);

class CGdiObject : public CObject {
public:
    HGDIOBJ m_hObject = nullptr;

    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    ~CGdiObject() override;

    operator HGDIOBJ() const { return m_hObject; }
    HGDIOBJ GetSafeHandle() const;  // null for a null object pointer
    static CGdiObject* FromHandle(HGDIOBJ object);
    // Drops the wrappers that FromHandle made for handles nobody attached.
    static void DeleteTempMap();

    BOOL Attach(HGDIOBJ object);
    HGDIOBJ Detach();
    BOOL DeleteObject();
    BOOL CreateStockObject(int index);
    BOOL UnrealizeObject() { return m_hObject != nullptr; }
    int GetObject(int size, LPVOID out) const { return ::GetObject(m_hObject, size, out); }
    UINT GetObjectType() const { return (UINT)::GetObjectType(m_hObject); }
    bool operator==(const CGdiObject& other) const { return m_hObject == other.m_hObject; }
    bool operator!=(const CGdiObject& other) const { return m_hObject != other.m_hObject; }
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF colour) { CreatePen(style, width, colour); }
    CPen(int style, int width, const LOGBRUSH* brush, int styleCount = 0, const DWORD* styles = nullptr)
    {
        CreatePen(style, width, brush, styleCount, styles);
    }
    static CPen* FromHandle(HPEN pen) { return static_cast<CPen*>(CGdiObject::FromHandle(pen)); }
    operator HPEN() const { return (HPEN)m_hObject; }
    BOOL CreatePen(int style, int width, COLORREF colour) { return Attach(::CreatePen(style, width, colour)); }
    BOOL CreatePen(int style, int width, const LOGBRUSH* brush, int styleCount = 0, const DWORD* styles = nullptr)
    {
        return Attach(::ExtCreatePen(style, width, brush, styleCount, styles));
    }
    BOOL CreatePenIndirect(LOGPEN* pen) { return Attach(::CreatePenIndirect(pen)); }
    int GetLogPen(LOGPEN* pen) { return ::GetObject(m_hObject, sizeof(LOGPEN), pen); }
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF colour) { CreateSolidBrush(colour); }
    CBrush(int hatch, COLORREF colour) { CreateHatchBrush(hatch, colour); }
    explicit CBrush(class CBitmap* bitmap);
    static CBrush* FromHandle(HBRUSH brush) { return static_cast<CBrush*>(CGdiObject::FromHandle(brush)); }
    operator HBRUSH() const { return (HBRUSH)m_hObject; }
    BOOL CreateSolidBrush(COLORREF colour) { return Attach(::CreateSolidBrush(colour)); }
    BOOL CreateHatchBrush(int hatch, COLORREF colour) { return Attach(::CreateHatchBrush(hatch, colour)); }
    BOOL CreateBrushIndirect(const LOGBRUSH* brush) { return Attach(::CreateBrushIndirect(brush)); }
    BOOL CreatePatternBrush(class CBitmap* bitmap);
    // System-colour brushes are shared; the wrapper must not delete them, so a private solid copy is made.
    BOOL CreateSysColorBrush(int index) { return Attach(::CreateSolidBrush(::GetSysColor(index))); }
    int GetLogBrush(LOGBRUSH* brush) { return ::GetObject(m_hObject, sizeof(LOGBRUSH), brush); }
};

class CFont : public CGdiObject {
public:
    static CFont* FromHandle(HFONT font) { return static_cast<CFont*>(CGdiObject::FromHandle(font)); }
    operator HFONT() const { return (HFONT)m_hObject; }
    BOOL CreateFontIndirect(const LOGFONT* font) { return Attach(::CreateFontIndirectA(font)); }
    BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic, BYTE underline,
                    BYTE strikeOut, BYTE charSet, BYTE outPrecision, BYTE clipPrecision, BYTE quality,
                    BYTE pitchAndFamily, LPCTSTR faceName)
    {
        return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline, strikeOut,
                                    charSet, outPrecision, clipPrecision, quality, pitchAndFamily, faceName));
    }
    // Point size in tenths of a point, at the screen's 96 pixels per inch.
    BOOL CreatePointFont(int pointSize, LPCTSTR faceName, class CDC* dc = nullptr);
    BOOL CreatePointFontIndirect(const LOGFONT* font, class CDC* dc = nullptr);
    int GetLogFont(LOGFONT* font) { return ::GetObject(m_hObject, sizeof(LOGFONT), font); }
};

class CBitmap : public CGdiObject {
public:
    static CBitmap* FromHandle(HBITMAP bitmap) { return static_cast<CBitmap*>(CGdiObject::FromHandle(bitmap)); }
    operator HBITMAP() const { return (HBITMAP)m_hObject; }
    BOOL LoadBitmap(LPCTSTR name) { return Attach(::LoadBitmapA(nullptr, name)); }
    BOOL LoadBitmap(UINT id) { return Attach(::LoadBitmapA(nullptr, MAKEINTRESOURCE(id))); }
    BOOL CreateBitmap(int width, int height, UINT planes, UINT bitCount, const void* bits)
    {
        return Attach(::CreateBitmap(width, height, planes, bitCount, bits));
    }
    BOOL CreateBitmapIndirect(LPBITMAP bitmap) { return Attach(::CreateBitmapIndirect(bitmap)); }
    BOOL CreateCompatibleBitmap(class CDC* dc, int width, int height);
    BOOL CreateDiscardableBitmap(class CDC* dc, int width, int height)
    {
        return CreateCompatibleBitmap(dc, width, height);
    }
    int GetBitmap(BITMAP* bitmap) { return ::GetObject(m_hObject, sizeof(BITMAP), bitmap); }
    DWORD SetBitmapBits(DWORD count, const void* bits)
    {
        return (DWORD)::SetBitmapBits((HBITMAP)m_hObject, count, bits);
    }
    DWORD GetBitmapBits(DWORD count, LPVOID bits) const
    {
        return (DWORD)::GetBitmapBits((HBITMAP)m_hObject, count, bits);
    }
    CSize GetBitmapDimension() const;
};

class CPalette : public CGdiObject {
public:
    static CPalette* FromHandle(HPALETTE palette) { return static_cast<CPalette*>(CGdiObject::FromHandle(palette)); }
    operator HPALETTE() const { return (HPALETTE)m_hObject; }
    BOOL CreatePalette(LPLOGPALETTE palette) { return Attach(::CreatePalette(palette)); }
    int GetEntryCount();
    UINT GetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries) const
    {
        return ::GetPaletteEntries((HPALETTE)m_hObject, start, count, entries);
    }
    UINT SetPaletteEntries(UINT start, UINT count, LPPALETTEENTRY entries)
    {
        return ::SetPaletteEntries((HPALETTE)m_hObject, start, count, entries);
    }
    UINT GetNearestPaletteIndex(COLORREF colour) const { return ::GetNearestPaletteIndex((HPALETTE)m_hObject, colour); }
};

class CRgn : public CGdiObject {
public:
    static CRgn* FromHandle(HRGN region) { return static_cast<CRgn*>(CGdiObject::FromHandle(region)); }
    operator HRGN() const { return (HRGN)m_hObject; }
    BOOL CreateRectRgn(int l, int t, int r, int b) { return Attach(::CreateRectRgn(l, t, r, b)); }
    BOOL CreateRectRgnIndirect(LPCRECT rect) { return Attach(::CreateRectRgnIndirect(rect)); }
    BOOL CreateEllipticRgn(int l, int t, int r, int b) { return Attach(::CreateEllipticRgn(l, t, r, b)); }
    BOOL CreateEllipticRgnIndirect(LPCRECT rect) { return Attach(::CreateEllipticRgnIndirect(rect)); }
    BOOL CreateRoundRectRgn(int l, int t, int r, int b, int w, int h)
    {
        return Attach(::CreateRoundRectRgn(l, t, r, b, w, h));
    }
    BOOL CreatePolygonRgn(LPPOINT points, int count, int mode)
    {
        return Attach(::CreatePolygonRgn(points, count, mode));
    }
    BOOL CreatePolyPolygonRgn(LPPOINT points, LPINT counts, int polygons, int mode)
    {
        return Attach(::CreatePolyPolygonRgn(points, counts, polygons, mode));
    }
    BOOL CreateFromData(const void* transform, int count, const RGNDATA* data)
    {
        return Attach(::ExtCreateRegion(transform, count, data));
    }
    void SetRectRgn(int l, int t, int r, int b) { ::SetRectRgn((HRGN)m_hObject, l, t, r, b); }
    void SetRectRgn(LPCRECT rect) { ::SetRectRgn((HRGN)m_hObject, rect->left, rect->top, rect->right, rect->bottom); }
    int CombineRgn(const CRgn* a, const CRgn* b, int mode)
    {
        return ::CombineRgn((HRGN)m_hObject, a ? (HRGN)a->m_hObject : nullptr, b ? (HRGN)b->m_hObject : nullptr, mode);
    }
    int CopyRgn(const CRgn* source) { return CombineRgn(source, nullptr, RGN_COPY); }
    BOOL EqualRgn(const CRgn* other) const { return ::EqualRgn((HRGN)m_hObject, (HRGN)other->m_hObject); }
    int OffsetRgn(int dx, int dy) { return ::OffsetRgn((HRGN)m_hObject, dx, dy); }
    int OffsetRgn(POINT p) { return ::OffsetRgn((HRGN)m_hObject, p.x, p.y); }
    int GetRgnBox(LPRECT rect) const { return ::GetRgnBox((HRGN)m_hObject, rect); }
    BOOL PtInRegion(int x, int y) const { return ::PtInRegion((HRGN)m_hObject, x, y); }
    BOOL PtInRegion(POINT p) const { return ::PtInRegion((HRGN)m_hObject, p.x, p.y); }
    BOOL RectInRegion(LPCRECT rect) const { return ::RectInRegion((HRGN)m_hObject, rect); }
    int GetRegionData(LPRGNDATA data, int count) const { return (int)::GetRegionData((HRGN)m_hObject, count, data); }
};

class CDC : public CObject {
public:
    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr;

    CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;
    // Deletes the attached context, as the class library does; detach first to keep it.
    ~CDC() override;

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const;  // null for a null object pointer
    static CDC* FromHandle(HDC hdc);
    static void DeleteTempMap();

    BOOL Attach(HDC hdc);
    HDC Detach();
    BOOL CreateCompatibleDC(CDC* dc) { return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr)); }
    BOOL DeleteDC();
    virtual int SaveDC() { return ::SaveDC(m_hDC); }
    virtual BOOL RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
    int GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

    // Objects.
    CPen* SelectObject(CPen* pen) { return (CPen*)SelectGdiObject(pen); }
    CBrush* SelectObject(CBrush* brush) { return (CBrush*)SelectGdiObject(brush); }
    virtual CFont* SelectObject(CFont* font) { return (CFont*)SelectGdiObject(font); }
    CBitmap* SelectObject(CBitmap* bitmap) { return (CBitmap*)SelectGdiObject(bitmap); }
    CGdiObject* SelectObject(CGdiObject* object) { return SelectGdiObject(object); }
    int SelectObject(CRgn* region);
    HGDIOBJ SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
    virtual CGdiObject* SelectStockObject(int index);
    CPalette* SelectPalette(CPalette* palette, BOOL background);
    UINT RealizePalette() { return ::RealizePalette(m_hDC); }
    CPen* GetCurrentPen() const { return CPen::FromHandle((HPEN)::GetCurrentObject(m_hDC, OBJ_PEN)); }
    CBrush* GetCurrentBrush() const { return CBrush::FromHandle((HBRUSH)::GetCurrentObject(m_hDC, OBJ_BRUSH)); }
    CFont* GetCurrentFont() const { return CFont::FromHandle((HFONT)::GetCurrentObject(m_hDC, OBJ_FONT)); }
    CBitmap* GetCurrentBitmap() const { return CBitmap::FromHandle((HBITMAP)::GetCurrentObject(m_hDC, OBJ_BITMAP)); }
    CPalette* GetCurrentPalette() const { return CPalette::FromHandle((HPALETTE)::GetCurrentObject(m_hDC, OBJ_PAL)); }

    // Attributes.
    virtual COLORREF SetTextColor(COLORREF colour) { return ::SetTextColor(m_hDC, colour); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    virtual COLORREF SetBkColor(COLORREF colour) { return ::SetBkColor(m_hDC, colour); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    int SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    int SetROP2(int mode) { return ::SetROP2(m_hDC, mode); }
    int GetROP2() const { return ::GetROP2(m_hDC); }
    int SetStretchBltMode(int mode) { return ::SetStretchBltMode(m_hDC, mode); }
    int GetStretchBltMode() const { return ::GetStretchBltMode(m_hDC); }
    int SetPolyFillMode(int mode) { return ::SetPolyFillMode(m_hDC, mode); }
    int GetPolyFillMode() const { return ::GetPolyFillMode(m_hDC); }
    UINT SetTextAlign(UINT align) { return ::SetTextAlign(m_hDC, align); }
    UINT GetTextAlign() const { return ::GetTextAlign(m_hDC); }
    int SetTextCharacterExtra(int extra) { return ::SetTextCharacterExtra(m_hDC, extra); }
    int GetTextCharacterExtra() const { return ::GetTextCharacterExtra(m_hDC); }
    int SetArcDirection(int direction) { return ::SetArcDirection(m_hDC, direction); }
    int GetArcDirection() const { return ::GetArcDirection(m_hDC); }
    CPoint SetBrushOrg(int x, int y);
    CPoint SetBrushOrg(POINT p) { return SetBrushOrg(p.x, p.y); }
    CPoint GetBrushOrg() const;
    COLORREF GetNearestColor(COLORREF colour) const { return ::GetNearestColor(m_hDC, colour); }

    // Coordinates.
    virtual int SetMapMode(int mode) { return ::SetMapMode(m_hDC, mode); }
    int GetMapMode() const { return ::GetMapMode(m_hDC); }
    virtual CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    virtual CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetViewportOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint GetWindowOrg() const;
    void LPtoDP(LPPOINT points, int count = 1) const { ::LPtoDP(m_hDC, points, count); }
    void LPtoDP(LPRECT rect) const { ::LPtoDP(m_hDC, (LPPOINT)rect, 2); }
    void LPtoDP(LPSIZE) const {}  // sizes keep pixel units
    void DPtoLP(LPPOINT points, int count = 1) const { ::DPtoLP(m_hDC, points, count); }
    void DPtoLP(LPRECT rect) const { ::DPtoLP(m_hDC, (LPPOINT)rect, 2); }
    void DPtoLP(LPSIZE) const {}

    // Clipping.
    virtual int SelectClipRgn(CRgn* region)
    {
        return ::SelectClipRgn(m_hDC, region ? (HRGN)region->m_hObject : nullptr);
    }
    int SelectClipRgn(CRgn* region, int mode)
    {
        return ::ExtSelectClipRgn(m_hDC, region ? (HRGN)region->m_hObject : nullptr, mode);
    }
    int IntersectClipRect(int l, int t, int r, int b) { return ::IntersectClipRect(m_hDC, l, t, r, b); }
    int IntersectClipRect(LPCRECT rect)
    {
        return ::IntersectClipRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
    }
    int ExcludeClipRect(int l, int t, int r, int b) { return ::ExcludeClipRect(m_hDC, l, t, r, b); }
    int ExcludeClipRect(LPCRECT rect)
    {
        return ::ExcludeClipRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
    }
    int OffsetClipRgn(int dx, int dy) { return ::OffsetClipRgn(m_hDC, dx, dy); }
    virtual int GetClipBox(LPRECT rect) const { return ::GetClipBox(m_hDC, rect); }
    BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
    BOOL PtVisible(POINT p) const { return ::PtVisible(m_hDC, p.x, p.y); }
    BOOL RectVisible(LPCRECT rect) const { return ::RectVisible(m_hDC, rect); }

    // Lines and shapes.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    CPoint GetCurrentPosition() const;
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT p) { return ::LineTo(m_hDC, p.x, p.y); }
    BOOL Polyline(const POINT* points, int count) { return ::Polyline(m_hDC, points, count); }
    BOOL PolylineTo(const POINT* points, int count) { return ::PolylineTo(m_hDC, points, count); }
    BOOL PolyPolyline(const POINT* points, const DWORD* counts, int polylines)
    {
        return ::PolyPolyline(m_hDC, points, counts, polylines);
    }
    BOOL Polygon(const POINT* points, int count) { return ::Polygon(m_hDC, points, count); }
    BOOL PolyPolygon(const POINT* points, const INT* counts, int polygons)
    {
        return ::PolyPolygon(m_hDC, points, counts, polygons);
    }
    BOOL Rectangle(int l, int t, int r, int b) { return ::Rectangle(m_hDC, l, t, r, b); }
    BOOL Rectangle(LPCRECT rect) { return ::Rectangle(m_hDC, rect->left, rect->top, rect->right, rect->bottom); }
    BOOL RoundRect(int l, int t, int r, int b, int w, int h) { return ::RoundRect(m_hDC, l, t, r, b, w, h); }
    BOOL RoundRect(LPCRECT rect, POINT corner)
    {
        return ::RoundRect(m_hDC, rect->left, rect->top, rect->right, rect->bottom, corner.x, corner.y);
    }
    BOOL Ellipse(int l, int t, int r, int b) { return ::Ellipse(m_hDC, l, t, r, b); }
    BOOL Ellipse(LPCRECT rect) { return ::Ellipse(m_hDC, rect->left, rect->top, rect->right, rect->bottom); }
    BOOL Arc(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
    {
        return ::Arc(m_hDC, l, t, r, b, x1, y1, x2, y2);
    }
    BOOL Arc(LPCRECT rect, POINT start, POINT end)
    {
        return ::Arc(m_hDC, rect->left, rect->top, rect->right, rect->bottom, start.x, start.y, end.x, end.y);
    }
    BOOL ArcTo(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
    {
        return ::ArcTo(m_hDC, l, t, r, b, x1, y1, x2, y2);
    }
    BOOL Pie(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
    {
        return ::Pie(m_hDC, l, t, r, b, x1, y1, x2, y2);
    }
    BOOL Pie(LPCRECT rect, POINT start, POINT end)
    {
        return ::Pie(m_hDC, rect->left, rect->top, rect->right, rect->bottom, start.x, start.y, end.x, end.y);
    }
    BOOL Chord(int l, int t, int r, int b, int x1, int y1, int x2, int y2)
    {
        return ::Chord(m_hDC, l, t, r, b, x1, y1, x2, y2);
    }
    BOOL Chord(LPCRECT rect, POINT start, POINT end)
    {
        return ::Chord(m_hDC, rect->left, rect->top, rect->right, rect->bottom, start.x, start.y, end.x, end.y);
    }
    void FillRect(LPCRECT rect, CBrush* brush) { ::FillRect(m_hDC, rect, brush ? (HBRUSH)brush->m_hObject : nullptr); }
    void FrameRect(LPCRECT rect, CBrush* brush)
    {
        ::FrameRect(m_hDC, rect, brush ? (HBRUSH)brush->m_hObject : nullptr);
    }
    void InvertRect(LPCRECT rect) { ::InvertRect(m_hDC, rect); }
    void FillSolidRect(LPCRECT rect, COLORREF colour);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF colour);
    void Draw3dRect(LPCRECT rect, COLORREF topLeft, COLORREF bottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF topLeft, COLORREF bottomRight);
    void DrawFocusRect(LPCRECT rect) { ::DrawFocusRect(m_hDC, rect); }
    BOOL DrawEdge(LPRECT rect, UINT edge, UINT flags) { return ::DrawEdge(m_hDC, rect, edge, flags); }
    BOOL DrawFrameControl(LPRECT rect, UINT type, UINT state) { return ::DrawFrameControl(m_hDC, rect, type, state); }
    BOOL FillRgn(CRgn* region, CBrush* brush)
    {
        return ::FillRgn(m_hDC, (HRGN)region->m_hObject, (HBRUSH)brush->m_hObject);
    }
    BOOL FrameRgn(CRgn* region, CBrush* brush, int w, int h)
    {
        return ::FrameRgn(m_hDC, (HRGN)region->m_hObject, (HBRUSH)brush->m_hObject, w, h);
    }
    BOOL InvertRgn(CRgn* region) { return ::InvertRgn(m_hDC, (HRGN)region->m_hObject); }
    BOOL PaintRgn(CRgn* region) { return ::PaintRgn(m_hDC, (HRGN)region->m_hObject); }

    // Pixels and blits.
    COLORREF SetPixel(int x, int y, COLORREF colour) { return ::SetPixel(m_hDC, x, y, colour); }
    COLORREF SetPixel(POINT p, COLORREF colour) { return ::SetPixel(m_hDC, p.x, p.y, colour); }
    BOOL SetPixelV(int x, int y, COLORREF colour) { return ::SetPixelV(m_hDC, x, y, colour); }
    BOOL SetPixelV(POINT p, COLORREF colour) { return ::SetPixelV(m_hDC, p.x, p.y, colour); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }
    COLORREF GetPixel(POINT p) const { return ::GetPixel(m_hDC, p.x, p.y); }
    BOOL PatBlt(int x, int y, int w, int h, DWORD rop) { return ::PatBlt(m_hDC, x, y, w, h, rop); }
    BOOL BitBlt(int x, int y, int w, int h, CDC* source, int sx, int sy, DWORD rop)
    {
        return ::BitBlt(m_hDC, x, y, w, h, source ? source->m_hDC : nullptr, sx, sy, rop);
    }
    BOOL StretchBlt(int x, int y, int w, int h, CDC* source, int sx, int sy, int sw, int sh, DWORD rop)
    {
        return ::StretchBlt(m_hDC, x, y, w, h, source ? source->m_hDC : nullptr, sx, sy, sw, sh, rop);
    }
    BOOL TransparentBlt(int x, int y, int w, int h, CDC* source, int sx, int sy, int sw, int sh, UINT transparent)
    {
        return ::TransparentBlt(m_hDC, x, y, w, h, source ? source->m_hDC : nullptr, sx, sy, sw, sh, transparent);
    }

    BOOL DrawIcon(int x, int y, HICON icon) { return ::DrawIcon(m_hDC, x, y, icon); }
    BOOL DrawIcon(POINT p, HICON icon) { return ::DrawIcon(m_hDC, p.x, p.y, icon); }

    // Text.
    virtual BOOL TextOut(int x, int y, LPCTSTR text, int length) { return ::TextOutA(m_hDC, x, y, text, length); }
    BOOL TextOut(int x, int y, const CString& text) { return TextOut(x, y, text, text.GetLength()); }
    virtual BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, LPCTSTR text, UINT length, LPINT dx)
    {
        return ::ExtTextOutA(m_hDC, x, y, options, rect, text, length, dx);
    }
    BOOL ExtTextOut(int x, int y, UINT options, LPCRECT rect, const CString& text, LPINT dx)
    {
        return ExtTextOut(x, y, options, rect, text, text.GetLength(), dx);
    }
    virtual int DrawText(LPCTSTR text, int length, LPRECT rect, UINT format)
    {
        return ::DrawTextA(m_hDC, text, length, rect, format);
    }
    int DrawText(const CString& text, LPRECT rect, UINT format)
    {
        return DrawText(text, text.GetLength(), rect, format);
    }
    CSize GetTextExtent(LPCTSTR text, int length) const;
    CSize GetTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    CSize GetOutputTextExtent(LPCTSTR text, int length) const { return GetTextExtent(text, length); }
    CSize GetOutputTextExtent(const CString& text) const { return GetTextExtent(text, text.GetLength()); }
    CSize GetTabbedTextExtent(LPCTSTR text, int length, int tabCount, LPINT tabs) const;
    BOOL GetTextMetrics(LPTEXTMETRIC metrics) const { return ::GetTextMetricsA(m_hDC, metrics); }
    BOOL GetOutputTextMetrics(LPTEXTMETRIC metrics) const { return ::GetTextMetricsA(m_hDC, metrics); }
    BOOL GetCharWidth(UINT first, UINT last, LPINT widths) const { return ::GetCharWidthA(m_hDC, first, last, widths); }
    BOOL GetCharABCWidths(UINT first, UINT last, ABC* widths) const
    {
        return ::GetCharABCWidthsA(m_hDC, first, last, widths);
    }
    int GetTextFace(int count, LPTSTR face) const { return ::GetTextFaceA(m_hDC, count, face); }
    int GetTextFace(CString& face) const;

protected:
    CGdiObject* SelectGdiObject(CGdiObject* object);
};

// Temporary wrappers live until DeleteTempMap; the window layer calls this when its message loop is idle.
void GdiDeleteTempObjects();
