// DrawText: lines, word wrapping, alignment, '&' prefixes, tabs, end ellipsis and the rectangle calculation.
#include <algorithm>
#include <cstring>
#include <string>

#include "gdi/gdi_colour.h"
#include "gdi/gdi_raster.h"
#include "gdi/gdi_text.h"
#include "gdi/wingdi.h"

using namespace gdi;

namespace {

struct Line {
    std::string text;
    int underline = -1;  // byte offset of the prefixed character, -1 when none
};

// Removes '&' prefixes: "&x" shows x underlined, "&&" shows one '&'.
Line StripPrefix(const std::string& s, UINT format)
{
    Line out;
    if (format & DT_NOPREFIX) {
        out.text = s;
        return out;
    }
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '&' && i + 1 < s.size()) {
            ++i;
            if (s[i] != '&' && !(format & DT_HIDEPREFIX))
                out.underline = (int)out.text.size();
        } else if (s[i] == '&') {
            continue;
        }
        out.text += s[i];
    }
    return out;
}

class Layout {
public:
    Layout(Dc& dc, UINT format) : m_dc(dc), m_format(format)
    {
        TextRun probe = MeasureRun(dc, "", 0);
        m_metrics = probe.face->Metrics();
        int tabChars = (format & DT_TABSTOP) ? (int)((format >> 8) & 0xFF) : 8;
        m_tab = std::max(1, tabChars * m_metrics.aveCharWidth);
    }
    int Width(const std::string& s) const
    {
        if (!(m_format & DT_EXPANDTABS) || s.find('\t') == std::string::npos)
            return MeasureRun(m_dc, s.data(), (int)s.size()).width;
        int x = 0;
        size_t start = 0;
        while (true) {
            size_t tab = s.find('\t', start);
            std::string piece = s.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
            x += MeasureRun(m_dc, piece.data(), (int)piece.size()).width;
            if (tab == std::string::npos)
                return x;
            x = (x / m_tab + 1) * m_tab;
            start = tab + 1;
        }
    }
    int Tab() const { return m_tab; }
    const FontMetrics& Metrics() const { return m_metrics; }

private:
    Dc& m_dc;
    UINT m_format;
    FontMetrics m_metrics;
    int m_tab = 64;
};

struct Token {
    std::string text;
    bool spaced;  // a space stands before it
};

// Words between spaces; ideographs and other wide characters break on their own, as they have no spaces.
std::vector<Token> Tokens(const std::string& line)
{
    std::vector<Token> out;
    bool spaced = false;
    std::string word;
    auto flush = [&]() {
        if (!word.empty())
            out.push_back(Token{word, spaced});
        word.clear();
        spaced = false;
    };
    for (size_t i = 0; i < line.size();) {
        unsigned char c = (unsigned char)line[i];
        if (c == ' ') {
            flush();
            spaced = !out.empty();
            ++i;
            continue;
        }
        size_t n = 1;
        while (i + n < line.size() && ((unsigned char)line[i + n] & 0xC0) == 0x80 && c >= 0xC0)
            ++n;
        std::vector<uint32_t> code = DecodeText(line.data() + i, (int)n);
        if (code.size() == 1 && code[0] >= 0x2E80) {
            bool sp = word.empty() && spaced;
            flush();
            out.push_back(Token{line.substr(i, n), sp});
        } else {
            word.append(line, i, n);
        }
        i += n;
    }
    flush();
    return out;
}

// Splits into lines at line breaks (unless single-line) and, with word breaking, at spaces that keep lines in width.
std::vector<std::string> BreakLines(const std::string& text, UINT format, int width, const Layout& layout)
{
    std::vector<std::string> hard;
    if (format & DT_SINGLELINE) {
        std::string one;
        for (char c : text)
            if (c != '\r' && c != '\n')
                one += c;
        hard.push_back(one);
    } else {
        std::string cur;
        for (size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' || text[i] == '\n') {
                hard.push_back(cur);
                cur.clear();
                if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                    ++i;
            } else {
                cur += text[i];
            }
        }
        hard.push_back(cur);
    }
    if (!(format & DT_WORDBREAK) || (format & DT_SINGLELINE))
        return hard;
    std::vector<std::string> out;
    for (const std::string& line : hard) {
        if (line.empty()) {
            out.push_back("");
            continue;
        }
        std::string cur;
        for (const Token& t : Tokens(line)) {
            std::string trial = cur.empty() ? t.text : cur + (t.spaced ? " " : "") + t.text;
            // Widths are judged on the text as shown, without its prefix marks.
            if (!cur.empty() && layout.Width(StripPrefix(trial, format).text) > width) {
                out.push_back(cur);
                cur = t.text;
            } else {
                cur = trial;
            }
        }
        out.push_back(cur);
    }
    return out;
}

// Shortens a line with "..." at its end so that it fits the width.
void EndEllipsis(Line& line, int width, const Layout& layout)
{
    if (layout.Width(line.text) <= width)
        return;
    std::string base = line.text;
    while (!base.empty()) {
        // Drops the last character (a whole UTF-8 sequence where there is one).
        size_t cut = base.size() - 1;
        while (cut > 0 && ((unsigned char)base[cut] & 0xC0) == 0x80)
            --cut;
        base.erase(cut);
        if (layout.Width(base + "...") <= width)
            break;
    }
    line.text = base + "...";
    if (line.underline >= (int)base.size())
        line.underline = -1;
}

}  // namespace

int DrawTextExA(HDC hdc, LPSTR text, int length, LPRECT rect, UINT format, DRAWTEXTPARAMS* params)
{
    auto dc = LookupDc(hdc);
    if (!dc || !text || !rect)
        return 0;
    std::lock_guard<std::recursive_mutex> lock(FontMutex());
    std::string s(text, length < 0 ? std::strlen(text) : (size_t)length);
    Layout layout(*dc, format);
    const FontMetrics& m = layout.Metrics();
    int lineHeight = m.height + ((format & DT_EXTERNALLEADING) ? m.externalLeading : 0);
    int left = rect->left, right = rect->right;
    if (params) {
        left += params->iLeftMargin;
        right -= params->iRightMargin;
    }
    int width = right - left;
    std::vector<std::string> raw = BreakLines(s, format, width, layout);
    std::vector<Line> lines;
    int widest = 0;
    for (const std::string& r : raw) {
        Line line = StripPrefix(r, format);
        if (format & (DT_END_ELLIPSIS | DT_WORD_ELLIPSIS | DT_PATH_ELLIPSIS))
            EndEllipsis(line, width, layout);
        widest = std::max(widest, layout.Width(line.text));
        lines.push_back(line);
    }
    int total = lineHeight * (int)lines.size();
    if (format & DT_CALCRECT) {
        rect->right = rect->left + widest + (params ? params->iLeftMargin + params->iRightMargin : 0);
        rect->bottom = rect->top + total;
        return total;
    }
    int y = rect->top;
    if (format & DT_SINGLELINE) {
        if (format & DT_VCENTER)
            y = rect->top + (rect->bottom - rect->top - lineHeight) / 2;
        else if (format & DT_BOTTOM)
            y = rect->bottom - lineHeight;
    }
    int firstY = y;
    POINT a = dc->ToDevice(rect->left, rect->top), b = dc->ToDevice(rect->right, rect->bottom);
    RECT clip{a.x, a.y, b.x, b.y};
    const RECT* clipRect = (format & DT_NOCLIP) ? nullptr : &clip;
    Bitmap* surface = dc->Surface();
    for (const Line& line : lines) {
        int w = layout.Width(line.text);
        int x = left;
        if (format & DT_CENTER)
            x = left + (width - w) / 2;
        else if (format & DT_RIGHT)
            x = right - w;
        POINT p = dc->ToDevice(x, y);
        int baseline = p.y + m.ascent;
        if (surface) {
            if (dc->state.bkMode == OPAQUE && !(format & DT_PREFIXONLY)) {
                uint32_t bk = ColourValue(*dc, dc->state.bkColour);
                for (int yy = p.y; yy < p.y + m.height; ++yy) {
                    if (clipRect && (yy < clip.top || yy >= clip.bottom))
                        continue;
                    int l = p.x, r = p.x + w;
                    if (clipRect) {
                        l = std::max<int>(l, clip.left);
                        r = std::min<int>(r, clip.right);
                    }
                    PaintSpan(*dc, yy, l, r, bk, R2_COPYPEN);
                }
            }
            // Tabs split the line into pieces placed at the tab stops.
            int pen = p.x;
            size_t start = 0;
            while (true) {
                size_t tab = (format & DT_EXPANDTABS) ? line.text.find('\t', start) : std::string::npos;
                std::string piece = line.text.substr(start, tab == std::string::npos ? std::string::npos : tab - start);
                TextRun run = MeasureRun(*dc, piece.data(), (int)piece.size());
                if (!(format & DT_PREFIXONLY))
                    DrawRun(*dc, run, pen, baseline, clipRect);
                if (line.underline >= (int)start && line.underline < (int)(start + piece.size())) {
                    int offset = line.underline - (int)start;
                    int ux = pen + MeasureRun(*dc, piece.data(), offset).width;
                    int n = 1;
                    while (offset + n < (int)piece.size() && ((unsigned char)piece[offset + n] & 0xC0) == 0x80)
                        ++n;
                    int uw = MeasureRun(*dc, piece.data() + offset, n).width;
                    uint32_t v = ColourValue(*dc, dc->state.textColour);
                    int uy = baseline + m.underlinePosition;
                    if (!clipRect || (uy >= clip.top && uy < clip.bottom))
                        PaintSpan(*dc, uy, clipRect ? std::max<int>(ux, clip.left) : ux,
                                  clipRect ? std::min<int>(ux + uw, clip.right) : ux + uw, v, R2_COPYPEN);
                }
                pen += run.width;
                if (tab == std::string::npos)
                    break;
                pen = p.x + ((pen - p.x) / layout.Tab() + 1) * layout.Tab();
                start = tab + 1;
            }
        }
        y += lineHeight;
    }
    if (params)
        params->uiLengthDrawn = (UINT)s.size();
    return (firstY - rect->top) + total;
}

int DrawTextA(HDC hdc, LPCSTR text, int length, LPRECT rect, UINT format)
{
    return DrawTextExA(hdc, const_cast<LPSTR>(text), length, rect, format, nullptr);
}
