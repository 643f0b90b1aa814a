// Font faces on FreeType and fontconfig: face-name mapping, process font resources, logical-font sizing and glyphs.
#include "gdi/gdi_fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H
#include FT_TRUETYPE_TABLES_H
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <map>

#include "gdi/wingdi_records.h"

namespace gdi {

namespace {

// A common ideograph (U+4E2D): a face that has it is an East Asian face.
constexpr FT_ULong kIdeographProbe = 0x4E2D;

FT_Library Library()
{
    static FT_Library lib = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0)
            l = nullptr;
        return l;
    }();
    return lib;
}

std::string Lower(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    while (!s.empty() && s.front() == ' ')
        s.erase(s.begin());
    return s;
}

struct FaceFile {
    std::string path;
    int index = 0;
    bool bold = false;
    bool italic = false;
    std::string family;
};

// Font resources added by the process, by lower-cased family name.
std::map<std::string, std::vector<FaceFile>>& Registered()
{
    static std::map<std::string, std::vector<FaceFile>> r;
    return r;
}

std::map<std::string, std::shared_ptr<FontFace>>& FaceCache()
{
    static std::map<std::string, std::shared_ptr<FontFace>> c;
    return c;
}

// The system's face names, mapped to the metric-compatible or nearest installed families.
std::string Alias(const std::string& name, BYTE pitchAndFamily)
{
    static const std::map<std::string, std::string> aliases = {{"arial", "Liberation Sans"},
                                                               {"helvetica", "Liberation Sans"},
                                                               {"times new roman", "Liberation Serif"},
                                                               {"times", "Liberation Serif"},
                                                               {"courier new", "Liberation Mono"},
                                                               {"courier", "Liberation Mono"},
                                                               {"verdana", "DejaVu Sans"},
                                                               {"tahoma", "DejaVu Sans"},
                                                               {"ms sans serif", "Liberation Sans"},
                                                               {"microsoft sans serif", "Liberation Sans"},
                                                               {"ms shell dlg", "Liberation Sans"},
                                                               {"ms shell dlg 2", "DejaVu Sans"},
                                                               {"system", "DejaVu Sans"},
                                                               {"fixedsys", "Liberation Mono"},
                                                               {"sans-serif", "DejaVu Sans"},
                                                               {"serif", "Liberation Serif"},
                                                               {"monospace", "Liberation Mono"}};
    auto it = aliases.find(name);
    if (it != aliases.end())
        return it->second;
    if (name.empty()) {
        if ((pitchAndFamily & 3) == FIXED_PITCH || (pitchAndFamily & 0xF0) == FF_MODERN)
            return "Liberation Mono";
        if ((pitchAndFamily & 0xF0) == FF_ROMAN)
            return "Liberation Serif";
        return "DejaVu Sans";
    }
    return "";
}

bool FamilyMatches(FcPattern* match, const std::string& wanted)
{
    FcChar8* family = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i)
        if (Lower(reinterpret_cast<const char*>(family)) == Lower(wanted))
            return true;
    return false;
}

// Asks fontconfig for a family at a weight and slant. With exact set, only that family is accepted.
bool Match(const std::string& family, int weight, bool italic, bool exact, bool needCjk, FaceFile& out)
{
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return false;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight <= 0 ? 400 : std::min(weight, 1000)));
    FcPatternAddInteger(pattern, FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    if (needCjk)
        FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("zh-cn"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return false;
    bool ok = true;
    if (exact && !FamilyMatches(match, family))
        ok = false;
    if (ok && needCjk) {
        FcCharSet* cs = nullptr;
        ok = FcPatternGetCharSet(match, FC_CHARSET, 0, &cs) == FcResultMatch && FcCharSetHasChar(cs, kIdeographProbe);
    }
    FcChar8* file = nullptr;
    if (ok && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        out.path = reinterpret_cast<const char*>(file);
        int index = 0, w = FC_WEIGHT_REGULAR, slant = FC_SLANT_ROMAN;
        FcPatternGetInteger(match, FC_INDEX, 0, &index);
        FcPatternGetInteger(match, FC_WEIGHT, 0, &w);
        FcPatternGetInteger(match, FC_SLANT, 0, &slant);
        out.index = index;
        out.bold = w >= FC_WEIGHT_DEMIBOLD;
        out.italic = slant != FC_SLANT_ROMAN;
        FcChar8* fam = nullptr;
        if (FcPatternGetString(match, FC_FAMILY, 0, &fam) == FcResultMatch)
            out.family = reinterpret_cast<const char*>(fam);
    } else {
        ok = false;
    }
    FcPatternDestroy(match);
    return ok;
}

bool IsAscii(const std::string& s)
{
    return std::all_of(s.begin(), s.end(), [](char c) { return (unsigned char)c < 0x80; });
}

FaceFile ChooseFile(const LOGFONTA& lf)
{
    std::string name = Lower(std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE)));
    bool wantBold = lf.lfWeight >= FW_SEMIBOLD, wantItalic = lf.lfItalic != 0;
    auto reg = Registered().find(name);
    if (reg != Registered().end() && !reg->second.empty()) {
        const FaceFile* best = &reg->second.front();
        for (const FaceFile& f : reg->second)
            if (f.bold == wantBold && f.italic == wantItalic)
                best = &f;
        return *best;
    }
    FaceFile out;
    std::string family = Alias(name, lf.lfPitchAndFamily);
    if (!family.empty() && Match(family, lf.lfWeight, wantItalic, true, false, out))
        return out;
    if (family.empty() && IsAscii(name) && Match(name, lf.lfWeight, wantItalic, true, false, out))
        return out;
    bool cjk = !IsAscii(name) || lf.lfCharSet == GB2312_CHARSET || lf.lfCharSet == CHINESEBIG5_CHARSET ||
               lf.lfCharSet == SHIFTJIS_CHARSET || lf.lfCharSet == HANGUL_CHARSET;
    if (cjk && Match("sans-serif", lf.lfWeight, wantItalic, false, true, out))
        return out;
    if (Match("DejaVu Sans", lf.lfWeight, wantItalic, true, false, out))
        return out;
    Match("sans-serif", lf.lfWeight, wantItalic, false, false, out);
    return out;
}

class FtFace : public FontFace {
public:
    FtFace(const FaceFile& file, const LOGFONTA& lf, bool allowFallback) : m_lf(lf), m_allowFallback(allowFallback)
    {
        m_antialias = lf.lfQuality == ANTIALIASED_QUALITY || lf.lfQuality == CLEARTYPE_QUALITY;
        if (m_lf.lfWidth < 0)
            m_lf.lfWidth = -m_lf.lfWidth;  // the sign of a width means nothing
        // Glyph bitmaps are kept in memory, so sizes stay within what a screen can show.
        m_lf.lfHeight = std::clamp<LONG>(m_lf.lfHeight, -2048, 2048);
        m_lf.lfWidth = std::min<LONG>(m_lf.lfWidth, 2048);
        if (Library() && !file.path.empty() && FT_New_Face(Library(), file.path.c_str(), file.index, &m_face) != 0)
            m_face = nullptr;
        if (m_face && m_face->units_per_EM == 0) {
            FT_Done_Face(m_face);
            m_face = nullptr;
        }
        m_family = file.family;
        if (m_face && m_family.empty() && m_face->family_name)
            m_family = m_face->family_name;
        m_boldSynth = lf.lfWeight >= FW_SEMIBOLD && !file.bold;
        m_italicSynth = lf.lfItalic && !file.italic;
        if (m_face && FT_Select_Charmap(m_face, FT_ENCODING_UNICODE) != 0 &&
            FT_Select_Charmap(m_face, FT_ENCODING_MS_SYMBOL) == 0)
            m_symbol = true;
        m_eastAsian = m_face && FT_Get_Char_Index(m_face, kIdeographProbe) != 0;
        Size();
    }
    ~FtFace() override
    {
        if (m_face)
            FT_Done_Face(m_face);
    }

    const FontMetrics& Metrics() const override { return m_metrics; }
    bool Antialiased() const override { return m_antialias; }
    std::string FamilyName() const override { return m_family; }

    const Glyph& GlyphOf(uint32_t code) override
    {
        auto it = m_glyphs.find(code);
        if (it != m_glyphs.end())
            return it->second;
        Glyph& g = m_glyphs[code];
        FT_UInt index = Index(code);
        if (index == 0 && code >= 0x80 && m_allowFallback) {
            if (!m_fallback) {
                LOGFONTA f = m_lf;
                f.lfFaceName[0] = 0;
                FaceFile file;
                if (!Match("sans-serif", FW_NORMAL, false, false, true, file))
                    Match("DejaVu Sans", FW_NORMAL, false, true, false, file);
                m_fallback = std::make_unique<FtFace>(file, f, false);
            }
            if (m_fallback->Index(code) != 0) {
                g = m_fallback->GlyphOf(code);
                return g;
            }
        }
        Render(index, g);
        return g;
    }

    FT_UInt Index(uint32_t code) const
    {
        if (!m_face)
            return 0;
        FT_UInt index = FT_Get_Char_Index(m_face, code);
        if (index == 0 && m_symbol && code < 0x100)
            index = FT_Get_Char_Index(m_face, 0xF000 + code);
        return index;
    }

private:
    void Size()
    {
        FontMetrics& m = m_metrics;
        if (!m_face) {
            int h = m_lf.lfHeight > 0 ? m_lf.lfHeight : m_lf.lfHeight < 0 ? -m_lf.lfHeight : 16;
            m.ascent = h * 4 / 5;
            m.descent = h - m.ascent;
            m.height = h;
            m.aveCharWidth = m_lf.lfWidth > 0 ? m_lf.lfWidth : std::max(1, h / 2);
            m.maxCharWidth = m.aveCharWidth * 2;
            return;
        }
        double upem = m_face->units_per_EM;
        TT_OS2* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(m_face, FT_SFNT_OS2));
        TT_HoriHeader* hhea = static_cast<TT_HoriHeader*>(FT_Get_Sfnt_Table(m_face, FT_SFNT_HHEA));
        double winAscent = os2 && os2->usWinAscent ? os2->usWinAscent : m_face->ascender;
        double winDescent = os2 && (os2->usWinAscent || os2->usWinDescent) ? os2->usWinDescent : -m_face->descender;
        if (winAscent + winDescent <= 0) {
            winAscent = upem * 0.8;
            winDescent = upem * 0.2;
        }
        // Positive heights are cell heights (ascent + descent), negative ones em heights; 0 is the default size.
        // An East Asian face is sized as the system's East Asian fonts are, whose em square is their cell: its
        // ideographs fill a cell height instead of shrinking by the line gap of its own ascent and descent.
        const bool cellIsEm = m_eastAsian && m_lf.lfHeight > 0;
        double em;
        if (cellIsEm)
            em = m_lf.lfHeight;
        else if (m_lf.lfHeight > 0)
            em = m_lf.lfHeight * upem / (winAscent + winDescent);
        else if (m_lf.lfHeight < 0)
            em = -(double)m_lf.lfHeight;
        else
            em = 16 * upem / (winAscent + winDescent);
        double scale = em / upem;
        m.ascent = (int)std::lround(cellIsEm ? em * winAscent / (winAscent + winDescent) : winAscent * scale);
        m.descent = (int)std::lround(winDescent * scale);
        if (m_lf.lfHeight > 0)
            m.descent = m_lf.lfHeight - m.ascent;
        m.height = m.ascent + m.descent;
        m.internalLeading = std::max(0, m.height - (int)std::lround(em));
        if (hhea) {
            double gap = hhea->Line_Gap - ((winAscent + winDescent) - (hhea->Ascender - hhea->Descender));
            m.externalLeading = std::max(0, (int)std::lround(gap * scale));
        }
        // The average width of an East Asian face is its half-width cell, half the em, as those fonts report it; the
        // face's own average counts its ideographs, and a width of half the height would squeeze them.
        double avgUnits = os2 && os2->xAvgCharWidth > 0 && !m_eastAsian ? os2->xAvgCharWidth : upem / 2;
        // An explicit width scales the glyphs horizontally so that the average character width equals it.
        double xEm = m_lf.lfWidth > 0 ? m_lf.lfWidth * upem / avgUnits : em;
        m_xScale = xEm / upem;
        m.aveCharWidth = m_lf.lfWidth > 0 ? m_lf.lfWidth : (int)std::lround(avgUnits * m_xScale);
        m.maxCharWidth = (int)std::lround((m_face->bbox.xMax - m_face->bbox.xMin) * m_xScale);
        m.underlinePosition = std::max(1, (int)std::lround(-m_face->underline_position * scale));
        m.underlineThickness = std::max(1, (int)std::lround(m_face->underline_thickness * scale));
        if (os2 && os2->yStrikeoutSize > 0) {
            m.strikeoutPosition = (int)std::lround(os2->yStrikeoutPosition * scale);
            m.strikeoutThickness = std::max(1, (int)std::lround(os2->yStrikeoutSize * scale));
        } else {
            m.strikeoutPosition = m.ascent / 3;
        }
        m.fixedPitch = FT_IS_FIXED_WIDTH(m_face);
        m_em = em;
        FT_Set_Char_Size(m_face, (FT_F26Dot6)std::lround(xEm * 64), (FT_F26Dot6)std::lround(em * 64), 72, 72);
        if (m_italicSynth) {
            FT_Matrix shear{0x10000, (FT_Fixed)(0.2 * 0x10000), 0, 0x10000};
            FT_Set_Transform(m_face, &shear, nullptr);
        }
    }

    void Render(FT_UInt index, Glyph& g)
    {
        if (!m_face) {
            g.advance = m_metrics.aveCharWidth;
            return;
        }
        // Hinting only fits the outlines to the pixel rows: full hinting of one-bit glyphs would reshape them for
        // widths of its own, while the text is laid out by the design widths.
        FT_Int32 flags = m_antialias ? (FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) : (FT_LOAD_TARGET_LIGHT);
        if (m_italicSynth)
            flags |= FT_LOAD_NO_BITMAP;
        if (FT_Load_Glyph(m_face, index, flags) != 0) {
            g.advance = m_metrics.aveCharWidth;
            return;
        }
        FT_GlyphSlot slot = m_face->glyph;
        int extra = 0;
        if (m_boldSynth && slot->format == FT_GLYPH_FORMAT_OUTLINE) {
            FT_Pos strength = std::max<FT_Pos>(64, (FT_Pos)std::lround(m_em * 64 / 24));
            FT_Outline_EmboldenXY(&slot->outline, strength, 0);
            extra = (int)((strength + 32) >> 6);
        }
        // The design advance at the size, so that text is as wide as the font's own layout makes it at any size.
        g.advance = (int)std::lround(slot->linearHoriAdvance / 65536.0) + extra;
        if (FT_Render_Glyph(slot, m_antialias ? FT_RENDER_MODE_NORMAL : FT_RENDER_MODE_MONO) != 0)
            return;
        const FT_Bitmap& bm = slot->bitmap;
        g.left = slot->bitmap_left;
        g.top = slot->bitmap_top;
        g.width = (int)bm.width;
        g.rows = (int)bm.rows;
        g.coverage.assign((size_t)g.width * g.rows, 0);
        for (int y = 0; y < g.rows; ++y) {
            const unsigned char* row = bm.buffer + (ptrdiff_t)y * bm.pitch;
            for (int x = 0; x < g.width; ++x) {
                uint8_t c;
                if (bm.pixel_mode == FT_PIXEL_MODE_MONO)
                    c = ((row[x >> 3] >> (7 - (x & 7))) & 1) ? 255 : 0;
                else if (bm.pixel_mode == FT_PIXEL_MODE_GRAY)
                    c = row[x];
                else
                    c = 0;
                g.coverage[(size_t)y * g.width + x] = c;
            }
        }
        g.solidRows.assign(1, 0);
        for (int y = 0; y < g.rows; ++y) {
            const uint8_t* cov = g.coverage.data() + (size_t)y * g.width;
            for (int x = 0; x < g.width;) {
                while (x < g.width && cov[x] < 128)
                    ++x;
                int start = x;
                while (x < g.width && cov[x] >= 128)
                    ++x;
                if (start < x)
                    g.solid.emplace_back(start, x);
            }
            g.solidRows.push_back((int)g.solid.size());
        }
    }

    LOGFONTA m_lf;
    bool m_allowFallback;
    FT_Face m_face = nullptr;
    bool m_antialias = false;
    bool m_boldSynth = false;
    bool m_italicSynth = false;
    bool m_symbol = false;
    bool m_eastAsian = false;  // the face has ideographs
    double m_xScale = 1;
    double m_em = 16;
    std::string m_family;
    FontMetrics m_metrics;
    std::unordered_map<uint32_t, Glyph> m_glyphs;
    std::unique_ptr<FtFace> m_fallback;
};

std::string CacheKey(const LOGFONTA& lf)
{
    char buf[160];
    std::snprintf(buf, sizeof buf, "%d|%d|%d|%d|%d|%d|%d|", (int)lf.lfHeight, (int)lf.lfWidth, (int)lf.lfWeight,
                  lf.lfItalic ? 1 : 0,
                  (lf.lfQuality == ANTIALIASED_QUALITY || lf.lfQuality == CLEARTYPE_QUALITY) ? 1 : 0, lf.lfCharSet,
                  lf.lfPitchAndFamily);
    return buf + Lower(std::string(lf.lfFaceName, strnlen(lf.lfFaceName, LF_FACESIZE)));
}

}  // namespace

namespace {

unsigned g_fontGeneration = 1;

}  // namespace

unsigned FontGeneration() { return g_fontGeneration; }

std::recursive_mutex& FontMutex()
{
    static std::recursive_mutex m;
    return m;
}

std::shared_ptr<FontFace> ResolveFont(const LOGFONTA& font)
{
    std::lock_guard<std::recursive_mutex> lock(FontMutex());
    std::string key = CacheKey(font);
    auto& cache = FaceCache();
    auto it = cache.find(key);
    if (it != cache.end())
        return it->second;
    auto face = std::make_shared<FtFace>(ChooseFile(font), font, true);
    if (cache.size() > 256)
        cache.clear();
    cache[key] = face;
    return face;
}

int AddFontFile(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> lock(FontMutex());
    if (!Library())
        return 0;
    FT_Face face = nullptr;
    if (FT_New_Face(Library(), path.c_str(), 0, &face) != 0)
        return 0;
    int faces = (int)face->num_faces;
    FT_Done_Face(face);
    int added = 0;
    for (int i = 0; i < faces; ++i) {
        if (FT_New_Face(Library(), path.c_str(), i, &face) != 0)
            continue;
        if (face->family_name) {
            FaceFile f{path, i, (face->style_flags & FT_STYLE_FLAG_BOLD) != 0,
                       (face->style_flags & FT_STYLE_FLAG_ITALIC) != 0, face->family_name};
            Registered()[Lower(face->family_name)].push_back(f);
            ++added;
        }
        FT_Done_Face(face);
    }
    FaceCache().clear();
    ++g_fontGeneration;
    return added;
}

bool RemoveFontFile(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> lock(FontMutex());
    bool removed = false;
    for (auto it = Registered().begin(); it != Registered().end();) {
        auto& files = it->second;
        // One registration is undone per call, as each add counts once.
        auto f = std::find_if(files.begin(), files.end(), [&](const FaceFile& x) { return x.path == path; });
        if (f != files.end()) {
            files.erase(f);
            removed = true;
        }
        it = files.empty() ? Registered().erase(it) : std::next(it);
    }
    if (removed) {
        FaceCache().clear();
        ++g_fontGeneration;
    }
    return removed;
}

std::vector<uint32_t> DecodeText(const char* text, int length, std::vector<int>* byteCounts)
{
    std::vector<uint32_t> out;
    DecodeTextInto(text, length, out, byteCounts);
    return out;
}

void DecodeTextInto(const char* text, int length, std::vector<uint32_t>& out, std::vector<int>* byteCounts)
{
    if (byteCounts)
        byteCounts->clear();
    out.clear();
    if (!text)
        return;
    const unsigned char* s = reinterpret_cast<const unsigned char*>(text);
    size_t n = length < 0 ? std::strlen(text) : (size_t)length;
    out.reserve(n);
    for (size_t i = 0; i < n;) {
        unsigned char c = s[i];
        int extra = c >= 0xF0 && c <= 0xF4 ? 3 : c >= 0xE0 ? (c <= 0xEF ? 2 : -1) : c >= 0xC2 ? 1 : c < 0x80 ? 0 : -1;
        if (extra > 0) {
            uint32_t cp = c & (0x3F >> extra);
            bool ok = true;
            for (int k = 1; k <= extra && ok; ++k) {
                if (i + k >= n || (s[i + k] & 0xC0) != 0x80)
                    ok = false;
                else
                    cp = (cp << 6) | (s[i + k] & 0x3F);
            }
            // Overlong forms and surrogates are not characters; their bytes stand for themselves.
            if (ok && ((extra == 2 && cp < 0x800) || (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)) ||
                       (cp >= 0xD800 && cp <= 0xDFFF)))
                ok = false;
            if (ok) {
                out.push_back(cp);
                if (byteCounts)
                    byteCounts->push_back(extra + 1);
                i += extra + 1;
                continue;
            }
        }
        out.push_back(c);
        if (byteCounts)
            byteCounts->push_back(1);
        ++i;
    }
}

}  // namespace gdi
