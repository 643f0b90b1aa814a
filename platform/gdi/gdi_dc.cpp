// Device contexts: memory and screen contexts, object selection, attributes, saved states, origins and clipping.
#include <algorithm>
#include <mutex>

#include "gdi/gdi_objects.h"
#include "gdi/gdi_colour.h"
#include "gdi/gdi_raster.h"
#include "gdi/gdi_wrappers.h"
#include "gdi/wingdi.h"

using namespace gdi;

namespace {

GdiWindowDcGetter g_windowDcGetter = nullptr;
GdiWindowDcReleaser g_windowDcReleaser = nullptr;

// The 1 x 1 monochrome bitmap that a new memory context holds.
HGDIOBJ DefaultBitmap()
{
    static std::once_flag once;
    static HGDIOBJ handle = nullptr;
    std::call_once(once, [] {
        auto b = MakeBitmap(1, 1, 1, true);
        b->mono = true;
        b->stock = true;
        b->palette = {RGBQUAD{0, 0, 0, 0}, RGBQUAD{255, 255, 255, 0}};
        b->Set(0, 0, 1);
        handle = Register(b);
    });
    return handle;
}

std::shared_ptr<Bitmap> ScreenSurface()
{
    static std::once_flag once;
    static std::shared_ptr<Bitmap> screen;
    std::call_once(once, [] {
        screen = MakeBitmap(KESTRIN_SCREEN_WIDTH, KESTRIN_SCREEN_HEIGHT, 32, true);
        screen->stock = true;
        uint32_t face = (212u << 16) | (208u << 8) | 200u;  // the desktop shows the button face colour
        for (int y = 0; y < screen->height; ++y) {
            uint32_t* row = reinterpret_cast<uint32_t*>(screen->Row(y));
            std::fill(row, row + screen->width, face);
        }
    });
    return screen;
}

void InitState(DcState& s)
{
    s.pen = LookupAs<Pen>(Stock(BLACK_PEN), OBJ_PEN);
    s.penHandle = Stock(BLACK_PEN);
    s.brush = LookupAs<Brush>(Stock(WHITE_BRUSH), OBJ_BRUSH);
    s.brushHandle = Stock(WHITE_BRUSH);
    s.font = LookupAs<Font>(Stock(SYSTEM_FONT), OBJ_FONT);
    s.fontHandle = Stock(SYSTEM_FONT);
    s.palette = LookupAs<Palette>(Stock(DEFAULT_PALETTE), OBJ_PAL);
    s.paletteHandle = Stock(DEFAULT_PALETTE);
}

void SetSelectedBitmap(Dc& dc, std::shared_ptr<Bitmap> bitmap, HGDIOBJ handle)
{
    if (dc.state.bitmap && !dc.state.bitmap->stock)
        dc.state.bitmap->selected = false;
    dc.state.bitmap = std::move(bitmap);
    dc.state.bitmapHandle = handle;
    if (dc.state.bitmap && !dc.state.bitmap->stock)
        dc.state.bitmap->selected = true;
}

Region SurfaceRegion(const Dc& dc)
{
    const Bitmap* s = dc.Surface();
    return s ? Region(0, 0, s->width, s->height) : Region();
}

int ClipKind(const Dc& dc)
{
    RECT v = VisibleBox(dc);
    if (v.left >= v.right)
        return NULLREGION;
    if (!dc.state.clip)
        return SIMPLEREGION;
    Region r = Region::Combine(*dc.state.clip, SurfaceRegion(dc), RGN_AND);
    return r.Kind();
}

}  // namespace

void GdiSetWindowDcProvider(GdiWindowDcGetter getter, GdiWindowDcReleaser releaser)
{
    g_windowDcGetter = getter;
    g_windowDcReleaser = releaser;
}

HDC CreateCompatibleDC(HDC hdc)
{
    if (hdc && !LookupDc(hdc))
        return nullptr;
    auto dc = std::make_shared<Dc>();
    InitState(dc->state);
    SetSelectedBitmap(*dc, LookupAs<Bitmap>(DefaultBitmap(), OBJ_BITMAP), DefaultBitmap());
    return (HDC)Register(dc);
}

BOOL DeleteDC(HDC hdc)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    SetSelectedBitmap(*dc, nullptr, nullptr);
    dc->saved.clear();
    ForgetTemporaryDc(hdc);
    return Unregister(hdc) ? TRUE : FALSE;
}

HDC GetDC(HWND hwnd)
{
    if (hwnd)
        return g_windowDcGetter ? g_windowDcGetter(hwnd, FALSE) : nullptr;
    auto dc = std::make_shared<Dc>();
    dc->type = OBJ_MEMDC;
    dc->screen = true;
    InitState(dc->state);
    dc->state.bitmap = ScreenSurface();
    return (HDC)Register(dc);
}

HDC GetWindowDC(HWND hwnd)
{
    if (hwnd)
        return g_windowDcGetter ? g_windowDcGetter(hwnd, TRUE) : nullptr;
    return GetDC(nullptr);
}

int ReleaseDC(HWND hwnd, HDC hdc)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return 0;
    if (dc->screen) {
        ForgetTemporaryDc(hdc);
        return Unregister(hdc) ? 1 : 0;
    }
    if (hwnd && g_windowDcReleaser)
        return g_windowDcReleaser(hwnd, hdc);
    return 0;
}

int GetDeviceCaps(HDC hdc, int index)
{
    if (!LookupDc(hdc))
        return 0;
    switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return DT_RASDISPLAY;
    case HORZSIZE: return KESTRIN_SCREEN_WIDTH * 254 / 960;
    case VERTSIZE: return KESTRIN_SCREEN_HEIGHT * 254 / 960;
    case HORZRES:
    case DESKTOPHORZRES:
    case PHYSICALWIDTH: return KESTRIN_SCREEN_WIDTH;
    case VERTRES:
    case DESKTOPVERTRES:
    case PHYSICALHEIGHT: return KESTRIN_SCREEN_HEIGHT;
    case BITSPIXEL: return 32;
    case PLANES: return 1;
    case NUMBRUSHES:
    case NUMPENS:
    case NUMCOLORS: return -1;
    case NUMFONTS: return 0;
    case RASTERCAPS: return RC_BITBLT | RC_DI_BITMAP | RC_DIBTODEV | RC_STRETCHBLT | RC_STRETCHDIB;
    case LOGPIXELSX:
    case LOGPIXELSY: return 96;
    case SIZEPALETTE:
    case NUMRESERVED: return 0;
    case COLORRES: return 24;
    case VREFRESH: return 60;
    default: return 0;
    }
}

HGDIOBJ SelectObject(HDC hdc, HGDIOBJ object)
{
    auto dc = LookupDc(hdc);
    std::shared_ptr<Object> o = Lookup(object);
    if (!dc || !o)
        return nullptr;
    DcState& s = dc->state;
    HGDIOBJ previous = nullptr;
    switch (o->type) {
    case OBJ_PEN:
        previous = s.penHandle;
        s.pen = std::static_pointer_cast<Pen>(o);
        s.penHandle = object;
        return previous;
    case OBJ_BRUSH:
        previous = s.brushHandle;
        s.brush = std::static_pointer_cast<Brush>(o);
        s.brushHandle = object;
        return previous;
    case OBJ_FONT:
        previous = s.fontHandle;
        s.font = std::static_pointer_cast<Font>(o);
        s.fontHandle = object;
        return previous;
    case OBJ_BITMAP: {
        auto b = std::static_pointer_cast<Bitmap>(o);
        if (dc->screen)
            return nullptr;
        if (b == s.bitmap)
            return object;
        if (b->selected)
            return nullptr;  // a bitmap is selected into one context at a time
        previous = s.bitmapHandle;
        SetSelectedBitmap(*dc, b, object);
        return previous;
    }
    case OBJ_REGION: return (HGDIOBJ)(intptr_t)SelectClipRgn(hdc, (HRGN)object);
    default: return nullptr;
    }
}

HGDIOBJ GetCurrentObject(HDC hdc, UINT type)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return nullptr;
    switch (type) {
    case OBJ_PEN: return dc->state.penHandle;
    case OBJ_BRUSH: return dc->state.brushHandle;
    case OBJ_FONT: return dc->state.fontHandle;
    case OBJ_BITMAP: return dc->state.bitmapHandle;
    case OBJ_PAL: return dc->state.paletteHandle;
    default: return nullptr;
    }
}

int SaveDC(HDC hdc)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return 0;
    dc->saved.push_back(dc->state);
    return (int)dc->saved.size();
}

BOOL RestoreDC(HDC hdc, int savedDc)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    int n = (int)dc->saved.size();
    int level = savedDc < 0 ? n + 1 + savedDc : savedDc;
    if (level < 1 || level > n)
        return FALSE;
    DcState target = dc->saved[level - 1];
    dc->saved.resize(level - 1);
    std::shared_ptr<Bitmap> bitmap = target.bitmap;
    HGDIOBJ bitmapHandle = target.bitmapHandle;
    if (bitmap != dc->state.bitmap && bitmap && bitmap->selected && !bitmap->stock)
        return FALSE;
    std::shared_ptr<Bitmap> current = dc->state.bitmap;
    dc->state = std::move(target);
    dc->state.bitmap = current;
    if (!dc->screen)
        SetSelectedBitmap(*dc, bitmap, bitmapHandle);
    return TRUE;
}

#define DC_ATTRIBUTE(Set, Get, Type, field, failed) \
    Type Set(HDC hdc, Type value)                   \
    {                                               \
        auto dc = LookupDc(hdc);                    \
        if (!dc)                                    \
            return failed;                          \
        Type old = dc->state.field;                 \
        dc->state.field = value;                    \
        return old;                                 \
    }                                               \
    Type Get(HDC hdc)                               \
    {                                               \
        auto dc = LookupDc(hdc);                    \
        return dc ? dc->state.field : failed;       \
    }

DC_ATTRIBUTE(SetTextColor, GetTextColor, COLORREF, textColour, CLR_INVALID)
DC_ATTRIBUTE(SetBkColor, GetBkColor, COLORREF, bkColour, CLR_INVALID)
DC_ATTRIBUTE(SetTextCharacterExtra, GetTextCharacterExtra, int, charExtra, (int)0x80000000)

int SetBkMode(HDC hdc, int mode)
{
    auto dc = LookupDc(hdc);
    if (!dc || (mode != OPAQUE && mode != TRANSPARENT))
        return 0;
    int old = dc->state.bkMode;
    dc->state.bkMode = mode;
    return old;
}

int GetBkMode(HDC hdc)
{
    auto dc = LookupDc(hdc);
    return dc ? dc->state.bkMode : 0;
}

int SetROP2(HDC hdc, int mode)
{
    auto dc = LookupDc(hdc);
    if (!dc || mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    int old = dc->state.rop2;
    dc->state.rop2 = mode;
    return old;
}

int GetROP2(HDC hdc)
{
    auto dc = LookupDc(hdc);
    return dc ? dc->state.rop2 : 0;
}

int SetStretchBltMode(HDC hdc, int mode)
{
    auto dc = LookupDc(hdc);
    if (!dc || mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    int old = dc->state.stretchMode;
    dc->state.stretchMode = mode;
    return old;
}

int GetStretchBltMode(HDC hdc)
{
    auto dc = LookupDc(hdc);
    return dc ? dc->state.stretchMode : 0;
}

int SetPolyFillMode(HDC hdc, int mode)
{
    auto dc = LookupDc(hdc);
    if (!dc || (mode != ALTERNATE && mode != WINDING))
        return 0;
    int old = dc->state.polyFillMode;
    dc->state.polyFillMode = mode;
    return old;
}

int GetPolyFillMode(HDC hdc)
{
    auto dc = LookupDc(hdc);
    return dc ? dc->state.polyFillMode : 0;
}

UINT SetTextAlign(HDC hdc, UINT align)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return GDI_ERROR;
    UINT old = dc->state.textAlign;
    dc->state.textAlign = align;
    return old;
}

UINT GetTextAlign(HDC hdc)
{
    auto dc = LookupDc(hdc);
    return dc ? dc->state.textAlign : GDI_ERROR;
}

int SetArcDirection(HDC hdc, int direction)
{
    auto dc = LookupDc(hdc);
    if (!dc || (direction != AD_COUNTERCLOCKWISE && direction != AD_CLOCKWISE))
        return 0;
    int old = dc->state.arcDirection;
    dc->state.arcDirection = direction;
    return old;
}

int GetArcDirection(HDC hdc)
{
    auto dc = LookupDc(hdc);
    return dc ? dc->state.arcDirection : 0;
}

BOOL SetBrushOrgEx(HDC hdc, int x, int y, LPPOINT previous)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    if (previous)
        *previous = dc->state.brushOrg;
    dc->state.brushOrg = POINT{x, y};
    return TRUE;
}

BOOL GetBrushOrgEx(HDC hdc, LPPOINT origin)
{
    auto dc = LookupDc(hdc);
    if (!dc || !origin)
        return FALSE;
    *origin = dc->state.brushOrg;
    return TRUE;
}

COLORREF SetDCBrushColor(HDC hdc, COLORREF colour)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return CLR_INVALID;
    COLORREF old = dc->state.dcBrushColour;
    dc->state.dcBrushColour = colour;
    return old;
}

COLORREF SetDCPenColor(HDC hdc, COLORREF colour)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return CLR_INVALID;
    COLORREF old = dc->state.dcPenColour;
    dc->state.dcPenColour = colour;
    return old;
}

int SetMapMode(HDC hdc, int mode)
{
    auto dc = LookupDc(hdc);
    if (!dc || mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    int old = dc->state.mapMode;
    dc->state.mapMode = MM_TEXT;  // only pixel units are drawn; other modes keep pixel scaling
    return old;
}

int GetMapMode(HDC hdc)
{
    auto dc = LookupDc(hdc);
    return dc ? dc->state.mapMode : 0;
}

#define DC_ORIGIN(Set, Get, Offset, field)                 \
    BOOL Set(HDC hdc, int x, int y, LPPOINT previous)      \
    {                                                      \
        auto dc = LookupDc(hdc);                           \
        if (!dc)                                           \
            return FALSE;                                  \
        if (previous)                                      \
            *previous = dc->state.field;                   \
        dc->state.field = POINT{x, y};                     \
        return TRUE;                                       \
    }                                                      \
    BOOL Get(HDC hdc, LPPOINT origin)                      \
    {                                                      \
        auto dc = LookupDc(hdc);                           \
        if (!dc || !origin)                                \
            return FALSE;                                  \
        *origin = dc->state.field;                         \
        return TRUE;                                       \
    }                                                      \
    BOOL Offset(HDC hdc, int dx, int dy, LPPOINT previous) \
    {                                                      \
        auto dc = LookupDc(hdc);                           \
        if (!dc)                                           \
            return FALSE;                                  \
        if (previous)                                      \
            *previous = dc->state.field;                   \
        dc->state.field.x += dx;                           \
        dc->state.field.y += dy;                           \
        return TRUE;                                       \
    }

DC_ORIGIN(SetViewportOrgEx, GetViewportOrgEx, OffsetViewportOrgEx, viewportOrg)
DC_ORIGIN(SetWindowOrgEx, GetWindowOrgEx, OffsetWindowOrgEx, windowOrg)

BOOL LPtoDP(HDC hdc, LPPOINT points, int count)
{
    auto dc = LookupDc(hdc);
    if (!dc || (!points && count > 0))
        return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = dc->ToDevice(points[i].x, points[i].y);
    return TRUE;
}

BOOL DPtoLP(HDC hdc, LPPOINT points, int count)
{
    auto dc = LookupDc(hdc);
    if (!dc || (!points && count > 0))
        return FALSE;
    for (int i = 0; i < count; ++i)
        points[i] = dc->ToLogical(points[i].x, points[i].y);
    return TRUE;
}

int ExtSelectClipRgn(HDC hdc, HRGN region, int mode)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return ERROR;
    if (!region) {
        if (mode != RGN_COPY)
            return ERROR;
        dc->state.clip.reset();
        return ClipKind(*dc);
    }
    auto r = LookupAs<RegionObject>(region, OBJ_REGION);
    if (!r)
        return ERROR;
    if (mode == RGN_COPY) {
        dc->state.clip = r->region;
    } else {
        Region base = dc->state.clip ? *dc->state.clip : SurfaceRegion(*dc);
        dc->state.clip = Region::Combine(base, r->region, mode);
    }
    return ClipKind(*dc);
}

int SelectClipRgn(HDC hdc, HRGN region) { return ExtSelectClipRgn(hdc, region, RGN_COPY); }

namespace {

int CombineClipRect(HDC hdc, int left, int top, int right, int bottom, int mode)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return ERROR;
    POINT a = dc->ToDevice(left, top), b = dc->ToDevice(right, bottom);
    Region rect(a.x, a.y, b.x, b.y);
    Region base = dc->state.clip ? *dc->state.clip : SurfaceRegion(*dc);
    dc->state.clip = Region::Combine(base, rect, mode);
    return ClipKind(*dc);
}

}  // namespace

int IntersectClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    return CombineClipRect(hdc, left, top, right, bottom, RGN_AND);
}

int ExcludeClipRect(HDC hdc, int left, int top, int right, int bottom)
{
    return CombineClipRect(hdc, left, top, right, bottom, RGN_DIFF);
}

int OffsetClipRgn(HDC hdc, int dx, int dy)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return ERROR;
    if (dc->state.clip)
        dc->state.clip->Offset(dx, dy);
    return ClipKind(*dc);
}

int GetClipBox(HDC hdc, LPRECT rect)
{
    auto dc = LookupDc(hdc);
    if (!dc || !rect)
        return ERROR;
    RECT v = VisibleBox(*dc);
    POINT a = dc->ToLogical(v.left, v.top), b = dc->ToLogical(v.right, v.bottom);
    *rect = RECT{a.x, a.y, b.x, b.y};
    return ClipKind(*dc);
}

int GetClipRgn(HDC hdc, HRGN region)
{
    auto dc = LookupDc(hdc);
    auto r = LookupAs<RegionObject>(region, OBJ_REGION);
    if (!dc || !r)
        return -1;
    if (!dc->state.clip)
        return 0;
    r->region = *dc->state.clip;
    return 1;
}

BOOL PtVisible(HDC hdc, int x, int y)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return FALSE;
    POINT p = dc->ToDevice(x, y);
    RECT v = VisibleBox(*dc);
    if (p.x < v.left || p.x >= v.right || p.y < v.top || p.y >= v.bottom)
        return FALSE;
    return !dc->state.clip || dc->state.clip->Contains(p.x, p.y);
}

BOOL RectVisible(HDC hdc, const RECT* rect)
{
    auto dc = LookupDc(hdc);
    if (!dc || !rect)
        return FALSE;
    POINT a = dc->ToDevice(rect->left, rect->top), b = dc->ToDevice(rect->right, rect->bottom);
    CRect r(a.x, a.y, b.x, b.y);
    r.NormalizeRect();
    CRect v(VisibleBox(*dc)), both;
    if (!both.IntersectRect(&r, &v))
        return FALSE;
    return !dc->state.clip || dc->state.clip->Intersects(both);
}

HPALETTE SelectPalette(HDC hdc, HPALETTE palette, BOOL background)
{
    auto dc = LookupDc(hdc);
    auto p = LookupAs<Palette>(palette, OBJ_PAL);
    if (!dc || !p)
        return nullptr;
    HPALETTE old = (HPALETTE)dc->state.paletteHandle;
    dc->state.palette = p;
    dc->state.paletteHandle = palette;
    return old;
}

// A true-colour display maps no palette entries.
UINT RealizePalette(HDC hdc) { return LookupDc(hdc) ? 0 : GDI_ERROR; }

UINT GetSystemPaletteEntries(HDC hdc, UINT start, UINT count, LPPALETTEENTRY entries) { return 0; }

COLORREF GetNearestColor(HDC hdc, COLORREF colour)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return CLR_INVALID;
    const Bitmap* s = dc->Surface();
    if (!s)
        return colour & 0xFFFFFF;
    return s->ToColor(ColourValue(*dc, colour));
}
