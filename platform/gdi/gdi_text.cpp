// Fonts and text: CreateFont, font resources, TextOut and ExtTextOut, extents, metrics and character widths.
#include "gdi/gdi_text.h"

#include <algorithm>
#include <cstring>

#include "gdi/gdi_colour.h"
#include "gdi/gdi_raster.h"
#include "gdi/wingdi.h"
#include "kernel/path_map.h"

namespace gdi {

std::shared_ptr<FontFace> FaceOfFont(Font* font)
{
    if (!font)
        return ResolveFont(LOGFONTA{});
    if (!font->face || font->faceGeneration != FontGeneration()) {
        font->face = ResolveFont(font->log);
        font->faceGeneration = FontGeneration();
    }
    return font->face;
}

TextRun MeasureRun(const Dc& dc, const char* text, int length, const INT* dx)
{
    TextRun run;
    MeasureRunInto(run, dc, text, length, dx);
    return run;
}

void MeasureRunInto(TextRun& run, const Dc& dc, const char* text, int length, const INT* dx)
{
    std::shared_ptr<Font> font = DcFont(dc);
    run.font = font ? font->log : LOGFONTA{};
    run.face = FaceOfFont(font.get());
    DecodeTextInto(text, length, run.codes, &run.bytes);
    run.advances.resize(run.codes.size());
    run.width = 0;
    size_t at = 0;
    for (size_t i = 0; i < run.codes.size(); ++i) {
        int a = 0;
        if (dx) {
            for (int k = 0; k < run.bytes[i]; ++k)
                a += dx[at + k];
        } else {
            a = run.face->GlyphOf(run.codes[i]).advance + dc.state.charExtra;
        }
        at += run.bytes[i];
        run.advances[i] = a;
        run.width += a;
    }
}

void DrawRun(Dc& dc, const TextRun& run, int x, int baseline, const RECT* clipRect)
{
    Bitmap* s = dc.Surface();
    if (!s)
        return;
    uint32_t value = ColourValue(dc, dc.state.textColour);
    COLORREF textColour = s->ToColor(value);
    bool blend = run.face->Antialiased() && !s->Palettized();
    const bool direct24 = s->bpp == 24 && !s->HasMasks();
    auto inClip = [&](int px, int py) {
        return !clipRect ||
               (px >= clipRect->left && px < clipRect->right && py >= clipRect->top && py < clipRect->bottom);
    };
    // Row y's run of set pixels [start, end), already within the surface and the clip.
    auto setRun = [&](int py, int start, int end) {
        if (!direct24) {
            WriteSurfaceSpan(*s, py, start, end, value);
            return;
        }
        for (uint8_t *d = s->Row(py) + 3 * (ptrdiff_t)start, *last = d + 3 * (ptrdiff_t)(end - start); d < last;
             d += 3) {
            d[0] = (uint8_t)value;
            d[1] = (uint8_t)(value >> 8);
            d[2] = (uint8_t)(value >> 16);
        }
    };
    int pen = x;
    for (size_t i = 0; i < run.codes.size(); ++i) {
        const Glyph& g = run.face->GlyphOf(run.codes[i]);
        int gx = pen + g.left, gy = baseline - g.top;
        if (!blend && !clipRect && !dc.state.clip) {
            // Unclipped solid text, glyph by glyph: the rows within the surface are marked drawn at once.
            int x0 = std::max(gx, 0), x1 = std::min(gx + g.width, s->width);
            int r0 = std::max(0, -gy), r1 = std::min(g.rows, s->height - gy);
            if (x0 < x1 && r0 < r1) {
                s->Touch(gy + r0, x0, x1);
                s->Touch(gy + r1 - 1, x0, x1);
                for (int row = r0; row < r1; ++row)
                    for (int k = g.solidRows[row]; k < g.solidRows[row + 1]; ++k) {
                        int start = std::max(x0, gx + g.solid[k].first), end = std::min(x1, gx + g.solid[k].second);
                        if (start < end)
                            setRun(gy + row, start, end);
                    }
            }
            pen += run.advances[i];
            continue;
        }
        for (int row = 0; row < g.rows; ++row) {
            int py = gy + row;
            const uint8_t* cov = g.coverage.data() + (size_t)row * g.width;
            ForEachClippedSpan(dc, py, gx, gx + g.width, [&](int a, int b) {
                if (clipRect) {
                    if (py < clipRect->top || py >= clipRect->bottom)
                        return;
                    a = std::max<int>(a, clipRect->left);
                    b = std::min<int>(b, clipRect->right);
                }
                if (!blend) {
                    // Without blending a pixel is set or left: the glyph's runs of set pixels are written whole.
                    for (int k = g.solidRows[row]; k < g.solidRows[row + 1]; ++k) {
                        int start = std::max(a, gx + g.solid[k].first), end = std::min(b, gx + g.solid[k].second);
                        if (start < end)
                            setRun(py, start, end);
                    }
                    return;
                }
                if (direct24) {
                    // Plain three-byte pixels are blended in place, blue first; the span was marked as drawn.
                    uint8_t* d = s->Row(py) + 3 * (ptrdiff_t)a;
                    for (int px = a; px < b; ++px, d += 3) {
                        int c = cov[px - gx];
                        if (!c)
                            continue;
                        if (c == 255) {
                            d[0] = (uint8_t)value;
                            d[1] = (uint8_t)(value >> 8);
                            d[2] = (uint8_t)(value >> 16);
                            continue;
                        }
                        auto mix = [c](int t, int u) { return (uint8_t)((t * c + u * (255 - c) + 127) / 255); };
                        d[0] = mix(GetBValue(textColour), d[0]);
                        d[1] = mix(GetGValue(textColour), d[1]);
                        d[2] = mix(GetRValue(textColour), d[2]);
                    }
                    return;
                }
                for (int px = a; px < b; ++px) {
                    uint8_t c = cov[px - gx];
                    if (!c)
                        continue;
                    if (c == 255) {
                        s->Set(px, py, value);
                        continue;
                    }
                    COLORREF d = s->ToColor(s->Get(px, py));
                    auto mix = [&](int t, int u) { return (t * c + u * (255 - c) + 127) / 255; };
                    s->Set(px, py,
                           s->ToValue(RGB(mix(GetRValue(textColour), GetRValue(d)),
                                          mix(GetGValue(textColour), GetGValue(d)),
                                          mix(GetBValue(textColour), GetBValue(d)))));
                }
            });
        }
        pen += run.advances[i];
    }
    const FontMetrics& m = run.face->Metrics();
    auto line = [&](int top, int thickness) {
        for (int y = top; y < top + thickness; ++y)
            ForEachClippedSpan(dc, y, x, x + run.width, [&](int a, int b) {
                for (int px = a; px < b; ++px)
                    if (inClip(px, y))
                        s->Set(px, y, value);
            });
    };
    if (run.font.lfUnderline)
        line(baseline + m.underlinePosition - m.underlineThickness / 2, m.underlineThickness);
    if (run.font.lfStrikeOut)
        line(baseline - m.strikeoutPosition, m.strikeoutThickness);
}

}  // namespace gdi

using namespace gdi;

HFONT CreateFontIndirectA(const LOGFONTA* font)
{
    if (!font)
        return nullptr;
    auto f = std::make_shared<Font>();
    f->log = *font;
    f->log.lfFaceName[LF_FACESIZE - 1] = 0;
    return (HFONT)Register(f);
}

HFONT CreateFontA(int height, int width, int escapement, int orientation, int weight, DWORD italic, DWORD underline,
                  DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision, DWORD quality,
                  DWORD pitchAndFamily, LPCSTR faceName)
{
    LOGFONTA lf{};
    lf.lfHeight = height;
    lf.lfWidth = width;
    lf.lfEscapement = escapement;
    lf.lfOrientation = orientation;
    lf.lfWeight = weight;
    lf.lfItalic = (BYTE)italic;
    lf.lfUnderline = (BYTE)underline;
    lf.lfStrikeOut = (BYTE)strikeOut;
    lf.lfCharSet = (BYTE)charSet;
    lf.lfOutPrecision = (BYTE)outPrecision;
    lf.lfClipPrecision = (BYTE)clipPrecision;
    lf.lfQuality = (BYTE)quality;
    lf.lfPitchAndFamily = (BYTE)pitchAndFamily;
    if (faceName)
        std::strncpy(lf.lfFaceName, faceName, LF_FACESIZE - 1);
    return CreateFontIndirectA(&lf);
}

int AddFontResourceExA(LPCSTR fileName, DWORD flags, void* reserved)
{
    if (!fileName || !*fileName)
        return 0;
    return AddFontFile(MapPath(fileName));
}

int AddFontResourceA(LPCSTR fileName) { return AddFontResourceExA(fileName, 0, nullptr); }

BOOL RemoveFontResourceExA(LPCSTR fileName, DWORD flags, void* reserved)
{
    if (!fileName || !*fileName)
        return FALSE;
    return RemoveFontFile(MapPath(fileName)) ? TRUE : FALSE;
}

BOOL RemoveFontResourceA(LPCSTR fileName) { return RemoveFontResourceExA(fileName, 0, nullptr); }

BOOL ExtTextOutA(HDC hdc, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT length, const INT* dx)
{
    auto dc = LookupDc(hdc);
    if (!dc || (!text && length))
        return FALSE;
    std::lock_guard<std::recursive_mutex> lock(FontMutex());
    // Text is drawn a few characters at a time, often: one run per thread keeps its storage.
    thread_local TextRun run;
    MeasureRunInto(run, *dc, text ? text : "", (int)length, dx);
    const FontMetrics& m = run.face->Metrics();
    UINT align = dc->state.textAlign;
    POINT ref = (align & TA_UPDATECP) ? dc->state.position : POINT{x, y};
    POINT p = dc->ToDevice(ref.x, ref.y);
    int left = p.x;
    if ((align & TA_CENTER) == TA_CENTER)
        left = p.x - run.width / 2;
    else if (align & TA_RIGHT)
        left = p.x - run.width;
    int baseline = p.y + m.ascent;
    if ((align & TA_BASELINE) == TA_BASELINE)
        baseline = p.y;
    else if (align & TA_BOTTOM)
        baseline = p.y - m.descent;
    // The current position moves past the text, except for centred text.
    if ((align & TA_UPDATECP) && (align & TA_CENTER) != TA_CENTER)
        dc->state.position.x += (align & TA_RIGHT) ? -run.width : run.width;
    if (!dc->Surface())
        return TRUE;
    RECT deviceRect{};
    if (rect) {
        POINT a = dc->ToDevice(rect->left, rect->top), b = dc->ToDevice(rect->right, rect->bottom);
        CRect r(a.x, a.y, b.x, b.y);
        r.NormalizeRect();
        deviceRect = r;
    }
    uint32_t bk = ColourValue(*dc, dc->state.bkColour);
    if (rect && (options & ETO_OPAQUE)) {
        RECT v = VisibleBox(*dc);
        for (int yy = std::max<int>(deviceRect.top, v.top); yy < std::min<int>(deviceRect.bottom, v.bottom); ++yy)
            PaintSpan(*dc, yy, deviceRect.left, deviceRect.right, bk, R2_COPYPEN);
    }
    bool clipped = rect && (options & ETO_CLIPPED);
    if (dc->state.bkMode == OPAQUE) {
        for (int yy = baseline - m.ascent; yy < baseline + m.descent; ++yy) {
            if (clipped && (yy < deviceRect.top || yy >= deviceRect.bottom))
                continue;
            int a = left, b = left + run.width;
            if (clipped) {
                a = std::max<int>(a, deviceRect.left);
                b = std::min<int>(b, deviceRect.right);
            }
            PaintSpan(*dc, yy, a, b, bk, R2_COPYPEN);
        }
    }
    DrawRun(*dc, run, left, baseline, clipped ? &deviceRect : nullptr);
    return TRUE;
}

BOOL TextOutA(HDC hdc, int x, int y, LPCSTR text, int length)
{
    if (length < 0)
        return FALSE;
    return ExtTextOutA(hdc, x, y, 0, nullptr, text, (UINT)length, nullptr);
}

BOOL GetTextExtentPoint32A(HDC hdc, LPCSTR text, int length, LPSIZE size)
{
    auto dc = LookupDc(hdc);
    if (!dc || !size || length < 0 || (!text && length))
        return FALSE;
    std::lock_guard<std::recursive_mutex> lock(FontMutex());
    thread_local TextRun run;
    MeasureRunInto(run, *dc, text ? text : "", length);
    size->cx = run.width;
    size->cy = run.face->Metrics().height;
    return TRUE;
}

BOOL GetTextExtentPointA(HDC hdc, LPCSTR text, int length, LPSIZE size)
{
    return GetTextExtentPoint32A(hdc, text, length, size);
}

BOOL GetTextExtentExPointA(HDC hdc, LPCSTR text, int length, int maxExtent, LPINT fit, LPINT dx, LPSIZE size)
{
    auto dc = LookupDc(hdc);
    if (!dc || !size || length < 0 || (!text && length))
        return FALSE;
    std::lock_guard<std::recursive_mutex> lock(FontMutex());
    TextRun run = MeasureRun(*dc, text ? text : "", length);
    // Counts and extents are per byte, as for byte strings: every byte of a character gets the extent after it.
    int total = 0, count = 0, at = 0;
    for (size_t i = 0; i < run.advances.size(); ++i) {
        total += run.advances[i];
        for (int k = 0; k < run.bytes[i]; ++k)
            if (dx)
                dx[at + k] = total;
        at += run.bytes[i];
        if (total <= maxExtent && count == at - run.bytes[i])
            count = at;
    }
    if (fit)
        *fit = count;
    size->cx = run.width;
    size->cy = run.face->Metrics().height;
    return TRUE;
}

DWORD GetTabbedTextExtentA(HDC hdc, LPCSTR text, int length, int tabCount, const INT* tabs)
{
    auto dc = LookupDc(hdc);
    if (!dc || !text || length < 0)
        return 0;
    std::lock_guard<std::recursive_mutex> lock(FontMutex());
    TextRun run = MeasureRun(*dc, text, length);
    int tab = tabCount > 0 && tabs ? tabs[0] : 8 * run.face->Metrics().aveCharWidth;
    int x = 0;
    for (size_t i = 0; i < run.codes.size(); ++i)
        x = run.codes[i] == '\t' && tab > 0 ? (x / tab + 1) * tab : x + run.advances[i];
    return MAKELONG(x, run.face->Metrics().height);
}

BOOL GetTextMetricsA(HDC hdc, LPTEXTMETRIC metrics)
{
    auto dc = LookupDc(hdc);
    if (!dc || !metrics)
        return FALSE;
    std::lock_guard<std::recursive_mutex> lock(FontMutex());
    std::shared_ptr<Font> font = DcFont(*dc);
    LOGFONTA lf = font ? font->log : LOGFONTA{};
    std::shared_ptr<FontFace> face = FaceOfFont(font.get());
    const FontMetrics& m = face->Metrics();
    TEXTMETRICA tm{};
    tm.tmHeight = m.height;
    tm.tmAscent = m.ascent;
    tm.tmDescent = m.descent;
    tm.tmInternalLeading = m.internalLeading;
    tm.tmExternalLeading = m.externalLeading;
    tm.tmAveCharWidth = m.aveCharWidth;
    tm.tmMaxCharWidth = m.maxCharWidth;
    tm.tmWeight = lf.lfWeight ? lf.lfWeight : FW_NORMAL;
    tm.tmDigitizedAspectX = 96;
    tm.tmDigitizedAspectY = 96;
    tm.tmFirstChar = 0x20;
    tm.tmLastChar = 0xFF;
    tm.tmDefaultChar = 0x1F;
    tm.tmBreakChar = 0x20;
    tm.tmItalic = lf.lfItalic;
    tm.tmUnderlined = lf.lfUnderline;
    tm.tmStruckOut = lf.lfStrikeOut;
    // The fixed-pitch bit is set for variable-pitch fonts, as the system reports it.
    tm.tmPitchAndFamily =
        (BYTE)((lf.lfPitchAndFamily & 0xF0) | TMPF_VECTOR | TMPF_TRUETYPE | (m.fixedPitch ? 0 : TMPF_FIXED_PITCH));
    tm.tmCharSet = lf.lfCharSet;
    *metrics = tm;
    return TRUE;
}

BOOL GetCharWidth32A(HDC hdc, UINT first, UINT last, LPINT widths)
{
    auto dc = LookupDc(hdc);
    if (!dc || !widths || last < first)
        return FALSE;
    std::lock_guard<std::recursive_mutex> lock(FontMutex());
    std::shared_ptr<Font> font = DcFont(*dc);
    std::shared_ptr<FontFace> face = FaceOfFont(font.get());
    for (UINT c = first; c <= last; ++c)
        widths[c - first] = face->GlyphOf(c).advance;
    return TRUE;
}

BOOL GetCharWidthA(HDC hdc, UINT first, UINT last, LPINT widths) { return GetCharWidth32A(hdc, first, last, widths); }

BOOL GetCharABCWidthsA(HDC hdc, UINT first, UINT last, ABC* widths)
{
    auto dc = LookupDc(hdc);
    if (!dc || !widths || last < first)
        return FALSE;
    std::lock_guard<std::recursive_mutex> lock(FontMutex());
    std::shared_ptr<Font> font = DcFont(*dc);
    std::shared_ptr<FontFace> face = FaceOfFont(font.get());
    for (UINT c = first; c <= last; ++c) {
        const Glyph& g = face->GlyphOf(c);
        widths[c - first] = ABC{g.left, (UINT)g.width, g.advance - g.left - g.width};
    }
    return TRUE;
}

int GetTextFaceA(HDC hdc, int count, LPSTR face)
{
    auto dc = LookupDc(hdc);
    if (!dc)
        return 0;
    std::shared_ptr<Font> font = DcFont(*dc);
    std::string name;
    {
        // The face that draws the text, which a missing face was replaced by.
        std::lock_guard<std::recursive_mutex> lock(FontMutex());
        name = FaceOfFont(font.get())->FamilyName();
    }
    if (!face)
        return (int)name.size() + 1;
    if (count <= 0)
        return 0;
    int n = std::min<int>(count - 1, (int)name.size());
    std::memcpy(face, name.data(), n);
    face[n] = 0;
    return n;
}
