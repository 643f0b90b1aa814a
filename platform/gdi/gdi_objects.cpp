// The handle table, stock objects, and the object functions: creation of pens, brushes and palettes, GetObject,
// DeleteObject.
#include "gdi/gdi_objects.h"

#include <cstring>
#include <mutex>
#include <vector>

#include "gdi/gdi_wrappers.h"
#include "gdi/wingdi.h"

namespace gdi {

namespace {

std::mutex& TableLock()
{
    static std::mutex m;
    return m;
}

// The table is a vector of slots reused through a free list: drawing code creates and deletes handles by the
// thousand per page, and a slot lookup costs no hashing. A handle holds its slot, a serial number that no
// other handle of the slot ever had, and the object type; it is valid while its slot holds that very handle.
struct Slot {
    uintptr_t handle = 0;
    std::shared_ptr<Object> object;
};

constexpr uintptr_t kHandleBase = 0x10000;
constexpr int kSlotBits = 24;
constexpr uintptr_t kSlotMask = ((uintptr_t)1 << kSlotBits) - 1;

std::vector<Slot>& Table()
{
    static std::vector<Slot> t;
    return t;
}

std::vector<size_t>& FreeSlots()
{
    static std::vector<size_t> f;
    return f;
}

uintptr_t g_serial = 0;

// The slot a handle names, when it is one the table holds.
Slot* Find(HGDIOBJ handle)
{
    uintptr_t value = (uintptr_t)handle;
    if (value < kHandleBase)
        return nullptr;
    size_t index = ((value - kHandleBase) >> 4) & kSlotMask;
    std::vector<Slot>& table = Table();
    if (index >= table.size() || table[index].handle != value)
        return nullptr;
    return &table[index];
}

}  // namespace

HGDIOBJ Register(std::shared_ptr<Object> object)
{
    if (!object)
        return nullptr;
    std::lock_guard<std::mutex> lock(TableLock());
    std::vector<Slot>& table = Table();
    std::vector<size_t>& free = FreeSlots();
    size_t index;
    if (!free.empty()) {
        index = free.back();
        free.pop_back();
    } else {
        if (table.size() > kSlotMask)
            return nullptr;
        index = table.size();
        table.emplace_back();
    }
    uintptr_t id = ((++g_serial) << kSlotBits) | index;
    uintptr_t handle = kHandleBase + id * 16 + (uintptr_t)object->type;
    table[index].handle = handle;
    table[index].object = std::move(object);
    return (HGDIOBJ)handle;
}

std::shared_ptr<Object> Lookup(HGDIOBJ handle)
{
    if (!handle)
        return nullptr;
    std::lock_guard<std::mutex> lock(TableLock());
    Slot* slot = Find(handle);
    return slot ? slot->object : nullptr;
}

bool Unregister(HGDIOBJ handle)
{
    std::shared_ptr<Object> doomed;  // destroyed after the lock is released
    std::lock_guard<std::mutex> lock(TableLock());
    Slot* slot = Find(handle);
    if (!slot)
        return false;
    doomed = std::move(slot->object);
    slot->handle = 0;
    FreeSlots().push_back((size_t)(slot - Table().data()));
    return true;
}

namespace {

HGDIOBJ MakeStockFont(LONG height, LONG width, LONG weight, const char* face, BYTE pitch)
{
    auto f = std::make_shared<Font>();
    f->stock = true;
    f->log.lfHeight = height;
    f->log.lfWidth = width;
    f->log.lfWeight = weight;
    f->log.lfCharSet = ANSI_CHARSET;
    f->log.lfPitchAndFamily = pitch;
    std::strncpy(f->log.lfFaceName, face, LF_FACESIZE - 1);
    return Register(f);
}

HGDIOBJ MakeStock(int index)
{
    auto brush = [](UINT style, COLORREF c) {
        auto b = std::make_shared<Brush>();
        b->style = style;
        b->colour = c;
        b->stock = true;
        return b;
    };
    auto pen = [](int style, COLORREF c) {
        auto p = std::make_shared<Pen>();
        p->style = style;
        p->fullStyle = style;
        p->colour = c;
        p->stock = true;
        return p;
    };
    switch (index) {
    case WHITE_BRUSH: return Register(brush(BS_SOLID, RGB(255, 255, 255)));
    case LTGRAY_BRUSH: return Register(brush(BS_SOLID, RGB(192, 192, 192)));
    case GRAY_BRUSH: return Register(brush(BS_SOLID, RGB(128, 128, 128)));
    case DKGRAY_BRUSH: return Register(brush(BS_SOLID, RGB(64, 64, 64)));
    case BLACK_BRUSH: return Register(brush(BS_SOLID, RGB(0, 0, 0)));
    case NULL_BRUSH: return Register(brush(BS_NULL, 0));
    case WHITE_PEN: return Register(pen(PS_SOLID, RGB(255, 255, 255)));
    case BLACK_PEN: return Register(pen(PS_SOLID, RGB(0, 0, 0)));
    case NULL_PEN: return Register(pen(PS_NULL, 0));
    case DC_BRUSH: {
        auto b = brush(BS_SOLID, RGB(255, 255, 255));
        b->dcBrush = true;
        return Register(b);
    }
    case DC_PEN: {
        auto p = pen(PS_SOLID, 0);
        p->dcPen = true;
        return Register(p);
    }
    case SYSTEM_FONT:
    case DEVICE_DEFAULT_FONT: return MakeStockFont(16, 7, FW_BOLD, "System", VARIABLE_PITCH | FF_SWISS);
    case DEFAULT_GUI_FONT: return MakeStockFont(-11, 0, FW_NORMAL, "MS Shell Dlg", VARIABLE_PITCH | FF_SWISS);
    case ANSI_VAR_FONT: return MakeStockFont(12, 0, FW_NORMAL, "MS Sans Serif", VARIABLE_PITCH | FF_SWISS);
    case ANSI_FIXED_FONT:
    case OEM_FIXED_FONT:
    case SYSTEM_FIXED_FONT: return MakeStockFont(12, 0, FW_NORMAL, "Courier", FIXED_PITCH | FF_MODERN);
    case DEFAULT_PALETTE: {
        auto p = std::make_shared<Palette>();
        p->stock = true;
        static const BYTE vga[20][3] = {{0, 0, 0},       {128, 0, 0},     {0, 128, 0},     {128, 128, 0},
                                        {0, 0, 128},     {128, 0, 128},   {0, 128, 128},   {192, 192, 192},
                                        {192, 220, 192}, {166, 202, 240}, {255, 251, 240}, {160, 160, 164},
                                        {128, 128, 128}, {255, 0, 0},     {0, 255, 0},     {255, 255, 0},
                                        {0, 0, 255},     {255, 0, 255},   {0, 255, 255},   {255, 255, 255}};
        for (auto& c : vga)
            p->entries.push_back(PALETTEENTRY{c[0], c[1], c[2], 0});
        return Register(p);
    }
    default: return nullptr;
    }
}

}  // namespace

HGDIOBJ Stock(int index)
{
    static std::mutex m;
    static HGDIOBJ made[DC_PEN + 1] = {};
    if (index < 0 || index > DC_PEN)
        return nullptr;
    std::lock_guard<std::mutex> lock(m);
    if (!made[index])
        made[index] = MakeStock(index);
    return made[index];
}

std::shared_ptr<Font> DcFont(const Dc& dc)
{
    if (dc.state.font)
        return dc.state.font;
    return LookupAs<Font>(Stock(SYSTEM_FONT), OBJ_FONT);
}

}  // namespace gdi

using namespace gdi;

HGDIOBJ GetStockObject(int index) { return Stock(index); }

DWORD GetObjectType(HGDIOBJ object)
{
    std::shared_ptr<Object> o = Lookup(object);
    if (!o)
        return 0;
    if (o->type == OBJ_MEMDC && static_cast<Dc*>(o.get())->screen)
        return OBJ_DC;
    return (DWORD)o->type;
}

BOOL DeleteObject(HGDIOBJ object)
{
    std::shared_ptr<Object> o = Lookup(object);
    if (!o || o->type == OBJ_MEMDC || o->type == OBJ_DC)
        return FALSE;
    if (o->stock)
        return TRUE;  // stock objects stay
    if (o->type == OBJ_BITMAP && static_cast<Bitmap*>(o.get())->selected)
        return FALSE;
    // Pens, brushes and fonts still selected somewhere stay alive through the context's reference.
    ForgetTemporaryObject(object);
    return Unregister(object) ? TRUE : FALSE;
}

int GetObject(HGDIOBJ object, int size, LPVOID out)
{
    std::shared_ptr<Object> o = Lookup(object);
    if (!o)
        return 0;
    auto copy = [&](const void* data, int n) {
        if (!out)
            return n;
        if (size < n)
            n = size;
        if (n <= 0)
            return 0;
        std::memcpy(out, data, n);
        return n;
    };
    switch (o->type) {
    case OBJ_PEN: {
        auto* p = static_cast<Pen*>(o.get());
        LOGPEN lp{(UINT)p->fullStyle, POINT{p->width, 0}, p->colour};
        return copy(&lp, sizeof lp);
    }
    case OBJ_BRUSH: {
        auto* b = static_cast<Brush*>(o.get());
        LOGBRUSH lb{b->style, b->colour, (ULONG_PTR)b->hatch};
        return copy(&lb, sizeof lb);
    }
    case OBJ_FONT: return copy(&static_cast<Font*>(o.get())->log, sizeof(LOGFONTA));
    case OBJ_PAL: {
        WORD n = (WORD) static_cast<Palette*>(o.get())->entries.size();
        return copy(&n, sizeof n);
    }
    case OBJ_BITMAP: {
        auto* b = static_cast<Bitmap*>(o.get());
        DIBSECTION ds{};
        ds.dsBm.bmType = 0;
        ds.dsBm.bmWidth = b->width;
        ds.dsBm.bmHeight = b->height;
        ds.dsBm.bmPlanes = 1;
        ds.dsBm.bmBitsPixel = (WORD)b->bpp;
        if (b->dib) {
            ds.dsBm.bmWidthBytes = b->stride;
            ds.dsBm.bmBits = b->bits;
            ds.dsBmih = b->header;
            if (b->header.biCompression == BI_BITFIELDS) {
                std::array<uint32_t, 3> usual = b->bpp == 16 ? std::array<uint32_t, 3>{0x7C00, 0x03E0, 0x001F}
                                                             : std::array<uint32_t, 3>{0xFF0000, 0xFF00, 0xFF};
                const std::array<uint32_t, 3>& m = b->HasMasks() ? b->masks : usual;
                for (int i = 0; i < 3; ++i)
                    ds.dsBitfields[i] = m[i];
            }
            if (out && size >= (int)sizeof(DIBSECTION))
                return copy(&ds, sizeof ds);
        } else {
            ds.dsBm.bmWidthBytes = ((b->width * b->bpp + 15) / 16) * 2;
        }
        return copy(&ds.dsBm, sizeof(BITMAP));
    }
    default: return 0;
    }
}

HPEN ExtCreatePen(DWORD style, DWORD width, const LOGBRUSH* brush, DWORD styleCount, const DWORD* styles)
{
    auto p = std::make_shared<Pen>();
    p->fullStyle = style;
    p->style = (int)(style & PS_STYLE_MASK);
    if (p->style > PS_ALTERNATE)
        return nullptr;
    p->geometric = (style & PS_TYPE_MASK) == PS_GEOMETRIC;
    p->endCap = (int)(style & PS_ENDCAP_MASK);
    p->join = (int)(style & PS_JOIN_MASK);
    p->width = p->geometric ? (int)width : 1;
    if (p->width < 1)
        p->width = 1;
    p->colour = brush ? brush->lbColor : 0;
    if (brush && brush->lbStyle == BS_NULL)
        p->style = PS_NULL;
    if (p->geometric && brush && brush->lbStyle != BS_SOLID && brush->lbStyle != BS_NULL) {
        // The pen keeps its own copy of the brush, made through the brush functions and left out of the table.
        HBRUSH made = CreateBrushIndirect(brush);
        p->brush = LookupAs<Brush>(made, OBJ_BRUSH);
        if (!p->brush)
            return nullptr;
        if (!p->brush->stock)
            DeleteObject(made);
    }
    return (HPEN)Register(p);
}

HPEN CreatePen(int style, int width, COLORREF colour)
{
    int s = style & PS_STYLE_MASK;
    if (s > PS_INSIDEFRAME || s < 0)
        return nullptr;
    auto p = std::make_shared<Pen>();
    p->fullStyle = (DWORD)style;
    p->style = s;
    p->width = width < 1 ? 1 : width;
    // Styled lines are only drawn styled at width 1, as the system does.
    if (p->width > 1 && (s == PS_DASH || s == PS_DOT || s == PS_DASHDOT || s == PS_DASHDOTDOT))
        p->style = PS_SOLID;
    p->geometric = p->width > 1;
    p->colour = colour;
    return (HPEN)Register(p);
}

HPEN CreatePenIndirect(const LOGPEN* pen)
{
    if (!pen)
        return nullptr;
    return CreatePen((int)pen->lopnStyle, pen->lopnWidth.x, pen->lopnColor);
}

HBRUSH CreateSolidBrush(COLORREF colour)
{
    auto b = std::make_shared<Brush>();
    b->colour = colour;
    return (HBRUSH)Register(b);
}

HBRUSH CreateHatchBrush(int hatch, COLORREF colour)
{
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS)
        return nullptr;
    auto b = std::make_shared<Brush>();
    b->style = BS_HATCHED;
    b->hatch = hatch;
    b->colour = colour;
    return (HBRUSH)Register(b);
}

HBRUSH CreatePatternBrush(HBITMAP bitmap)
{
    auto src = LookupAs<Bitmap>(bitmap, OBJ_BITMAP);
    if (!src)
        return nullptr;
    auto copy = MakeBitmap(src->width, src->height, src->bpp, true);
    if (!copy)
        return nullptr;
    copy->mono = src->mono;
    copy->palette = src->palette;
    for (int y = 0; y < src->height; ++y)
        std::memcpy(copy->Row(y), src->Row(y), src->stride);
    auto b = std::make_shared<Brush>();
    b->style = BS_PATTERN;
    b->pattern = copy;
    return (HBRUSH)Register(b);
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush)
{
    if (!brush)
        return nullptr;
    switch (brush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(brush->lbColor);
    case BS_NULL: return (HBRUSH)Stock(NULL_BRUSH);
    case BS_HATCHED: return CreateHatchBrush((int)brush->lbHatch, brush->lbColor);
    case BS_PATTERN:
    case BS_PATTERN8X8: return CreatePatternBrush((HBITMAP)brush->lbHatch);
    default: return nullptr;
    }
}

HPALETTE CreatePalette(const LOGPALETTE* palette)
{
    if (!palette || palette->palNumEntries == 0)
        return nullptr;
    auto p = std::make_shared<Palette>();
    p->entries.assign(palette->palPalEntry, palette->palPalEntry + palette->palNumEntries);
    return (HPALETTE)Register(p);
}

UINT GetPaletteEntries(HPALETTE palette, UINT start, UINT count, LPPALETTEENTRY entries)
{
    auto p = LookupAs<Palette>(palette, OBJ_PAL);
    if (!p)
        return 0;
    UINT n = (UINT)p->entries.size();
    if (!entries)
        return n;
    if (start >= n)
        return 0;
    if (count > n - start)
        count = n - start;
    std::memcpy(entries, &p->entries[start], count * sizeof(PALETTEENTRY));
    return count;
}

UINT SetPaletteEntries(HPALETTE palette, UINT start, UINT count, const PALETTEENTRY* entries)
{
    auto p = LookupAs<Palette>(palette, OBJ_PAL);
    if (!p || !entries || p->stock)
        return 0;
    UINT n = (UINT)p->entries.size();
    if (start >= n)
        return 0;
    if (count > n - start)
        count = n - start;
    std::memcpy(&p->entries[start], entries, count * sizeof(PALETTEENTRY));
    return count;
}

UINT GetNearestPaletteIndex(HPALETTE palette, COLORREF colour)
{
    auto p = LookupAs<Palette>(palette, OBJ_PAL);
    if (!p || p->entries.empty())
        return CLR_INVALID;
    UINT best = 0;
    long bestDistance = -1;
    for (size_t i = 0; i < p->entries.size(); ++i) {
        long dr = p->entries[i].peRed - GetRValue(colour), dg = p->entries[i].peGreen - GetGValue(colour),
             db = p->entries[i].peBlue - GetBValue(colour);
        long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = (UINT)i;
        }
    }
    return best;
}

BOOL GdiFlush() { return TRUE; }
