// The drawing objects behind the handles, and the handle table that validates every handle.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "gdi/gdi_region.h"
#include "gdi/wingdi_records.h"

namespace gdi {

struct Object {
    explicit Object(int type) : type(type) {}
    virtual ~Object() = default;
    int type;  // OBJ_PEN, OBJ_BRUSH, ...
    bool stock = false;
};

struct Palette : Object {
    Palette() : Object(OBJ_PAL) {}
    std::vector<PALETTEENTRY> entries;
};

// A bitmap: device-dependent (32-bit or monochrome) or a DIB section of 1, 4, 8, 16, 24 or 32 bits.
struct Bitmap : Object {
    Bitmap() : Object(OBJ_BITMAP) {}
    int width = 0;
    int height = 0;
    int bpp = 32;
    int stride = 0;
    bool topDown = true;
    bool dib = false;
    bool mono = false;                // device monochrome: blits convert through the text and background colours
    std::array<uint32_t, 3> masks{};  // red, green, blue bit fields of 16- and 32-bit pixels; zero: the usual layout
    std::vector<RGBQUAD> palette;
    BITMAPINFOHEADER header{};  // DIB sections: the header they were made with
    uint8_t* bits = nullptr;
    std::unique_ptr<uint8_t[]> storage;
    bool selected = false;
    RECT drawn{0, 0, 0, 0};  // what was written since the window layer last took it

    // Notes row y, columns [x0, x1), as written.
    void Touch(int y, int x0, int x1)
    {
        if (drawn.left >= drawn.right) {
            drawn = RECT{x0, y, x1, y + 1};
            return;
        }
        if (x0 < drawn.left)
            drawn.left = x0;
        if (x1 > drawn.right)
            drawn.right = x1;
        if (y < drawn.top)
            drawn.top = y;
        if (y >= drawn.bottom)
            drawn.bottom = y + 1;
    }
    uint8_t* Row(int y) const { return bits + (size_t)(topDown ? y : height - 1 - y) * stride; }
    bool Palettized() const { return bpp <= 8; }
    bool HasMasks() const { return masks[0] | masks[1] | masks[2]; }
    // Takes a DIB's bit fields; the usual layout of the depth is kept as no masks, so that fast paths apply.
    void SetMasks(uint32_t red, uint32_t green, uint32_t blue);
    // Pixel values: indices for palette depths, 0x00RRGGBB for 24 and 32 bits, 5-5-5 for 16 bits, or the bit fields.
    uint32_t Get(int x, int y) const;
    void Set(int x, int y, uint32_t value);
    void ReadRow(int y, int x0, int count, uint32_t* out) const;
    void WriteRow(int y, int x0, int count, const uint32_t* in);
    uint32_t ToValue(COLORREF colour) const;
    COLORREF ToColor(uint32_t value) const;
    uint32_t ValueMask() const { return bpp >= 32 ? 0xFFFFFFFFu : bpp == 24 ? 0xFFFFFFu : (1u << bpp) - 1; }
    int NearestIndex(COLORREF colour) const;
};

std::shared_ptr<Bitmap> MakeBitmap(int width, int height, int bpp, bool topDown);

struct Pen : Object {
    Pen() : Object(OBJ_PEN) {}
    int style = PS_SOLID;  // style bits without the type, cap and join
    int width = 1;
    bool geometric = false;
    int endCap = PS_ENDCAP_ROUND;
    int join = PS_JOIN_ROUND;
    COLORREF colour = 0;
    DWORD fullStyle = PS_SOLID;
    bool dcPen = false;                   // the stock DC pen: its colour is the context's pen colour
    std::shared_ptr<struct Brush> brush;  // geometric pens made with a hatch or pattern brush stroke with it
};

struct Brush : Object {
    Brush() : Object(OBJ_BRUSH) {}
    UINT style = BS_SOLID;
    COLORREF colour = 0;
    int hatch = 0;
    std::shared_ptr<Bitmap> pattern;  // pattern brushes: a private copy of the bitmap
    bool dcBrush = false;
};

class FontFace;

struct Font : Object {
    Font() : Object(OBJ_FONT) {}
    LOGFONTA log{};
    // The face the description resolved to, and the font-resource generation it was resolved in
    // (set by FaceOfFont under the font lock; a font's description never changes).
    std::shared_ptr<FontFace> face;
    unsigned faceGeneration = 0;
};

struct RegionObject : Object {
    RegionObject() : Object(OBJ_REGION) {}
    Region region;
};

struct DcState {
    std::shared_ptr<Pen> pen;
    std::shared_ptr<Brush> brush;
    std::shared_ptr<Font> font;
    std::shared_ptr<Bitmap> bitmap;
    std::shared_ptr<Palette> palette;
    HGDIOBJ penHandle = nullptr;
    HGDIOBJ brushHandle = nullptr;
    HGDIOBJ fontHandle = nullptr;
    HGDIOBJ bitmapHandle = nullptr;
    HGDIOBJ paletteHandle = nullptr;
    COLORREF textColour = RGB(0, 0, 0);
    COLORREF bkColour = RGB(255, 255, 255);
    COLORREF dcBrushColour = RGB(255, 255, 255);
    COLORREF dcPenColour = RGB(0, 0, 0);
    int bkMode = OPAQUE;
    int rop2 = R2_COPYPEN;
    int stretchMode = BLACKONWHITE;
    int polyFillMode = ALTERNATE;
    UINT textAlign = TA_LEFT | TA_TOP;
    int charExtra = 0;
    int arcDirection = AD_COUNTERCLOCKWISE;
    int mapMode = MM_TEXT;
    POINT viewportOrg{0, 0};
    POINT windowOrg{0, 0};
    POINT brushOrg{0, 0};
    POINT position{0, 0};
    std::optional<Region> clip;  // device coordinates
};

struct Dc : Object {
    Dc() : Object(OBJ_MEMDC) {}
    DcState state;
    std::vector<DcState> saved;
    bool screen = false;

    Bitmap* Surface() const { return state.bitmap.get(); }
    // Device coordinates are kept within +-2^29, so that sums and differences of two of them never overflow.
    static LONG Clamp(int64_t v) { return (LONG)(v < -(1 << 29) ? -(1 << 29) : v > (1 << 29) ? (1 << 29) : v); }
    POINT ToDevice(int x, int y) const
    {
        return POINT{Clamp((int64_t)x - state.windowOrg.x + state.viewportOrg.x),
                     Clamp((int64_t)y - state.windowOrg.y + state.viewportOrg.y)};
    }
    POINT ToLogical(int x, int y) const
    {
        return POINT{(LONG)((int64_t)x + state.windowOrg.x - state.viewportOrg.x),
                     (LONG)((int64_t)y + state.windowOrg.y - state.viewportOrg.y)};
    }
};

// Handle table. Every public function resolves its handles here; a wrong or deleted handle gives null.
HGDIOBJ Register(std::shared_ptr<Object> object);
std::shared_ptr<Object> Lookup(HGDIOBJ handle);
bool Unregister(HGDIOBJ handle);

template <class T>
std::shared_ptr<T> LookupAs(HGDIOBJ handle, int type)
{
    std::shared_ptr<Object> o = Lookup(handle);
    if (!o || o->type != type)
        return nullptr;
    return std::static_pointer_cast<T>(o);
}

inline std::shared_ptr<Dc> LookupDc(HDC hdc)
{
    std::shared_ptr<Object> o = Lookup(hdc);
    if (!o || (o->type != OBJ_MEMDC && o->type != OBJ_DC))
        return nullptr;
    return std::static_pointer_cast<Dc>(o);
}

// Stock objects, made on first use.
HGDIOBJ Stock(int index);

// The font object a context draws with (its selected font, or the system font).
std::shared_ptr<Font> DcFont(const Dc& dc);

}  // namespace gdi
