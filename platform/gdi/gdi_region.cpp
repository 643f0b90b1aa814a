// Region bands and their set operations.
#include "gdi/gdi_region.h"

#include <algorithm>

#include "gdi/wingdi_records.h"

namespace gdi {

void NormalizeSpans(std::vector<Span>& spans)
{
    if (spans.size() > 1)
        std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.x0 < b.x0; });
    // Merged in place: the kept spans never overtake the one being read.
    size_t kept = 0;
    for (const Span& s : spans) {
        if (s.x0 >= s.x1)
            continue;
        if (kept > 0 && s.x0 <= spans[kept - 1].x1)
            spans[kept - 1].x1 = std::max(spans[kept - 1].x1, s.x1);
        else
            spans[kept++] = s;
    }
    spans.resize(kept);
}

void Region::SetRect(int left, int top, int right, int bottom)
{
    m_bands.clear();
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
    if (left < right && top < bottom)
        m_bands.push_back(Band{top, bottom, {Span{left, right}}});
}

RECT Region::Box() const
{
    if (m_bands.empty())
        return RECT{0, 0, 0, 0};
    RECT r{m_bands.front().spans.front().x0, m_bands.front().y0, m_bands.front().spans.back().x1, m_bands.back().y1};
    for (const Band& b : m_bands) {
        r.left = std::min<LONG>(r.left, b.spans.front().x0);
        r.right = std::max<LONG>(r.right, b.spans.back().x1);
    }
    return r;
}

int Region::Kind() const
{
    if (m_bands.empty())
        return NULLREGION;
    return (m_bands.size() == 1 && m_bands[0].spans.size() == 1) ? SIMPLEREGION : COMPLEXREGION;
}

const std::vector<Span>* Region::RowSpans(int y) const
{
    auto it = std::upper_bound(m_bands.begin(), m_bands.end(), y, [](int v, const Band& b) { return v < b.y1; });
    if (it == m_bands.end() || y < it->y0)
        return nullptr;
    return &it->spans;
}

bool Region::Contains(int x, int y) const
{
    const std::vector<Span>* row = RowSpans(y);
    if (!row)
        return false;
    for (const Span& s : *row)
        if (x >= s.x0 && x < s.x1)
            return true;
    return false;
}

bool Region::Intersects(const RECT& r) const
{
    for (const Band& b : m_bands) {
        if (b.y1 <= r.top || b.y0 >= r.bottom)
            continue;
        for (const Span& s : b.spans)
            if (s.x1 > r.left && s.x0 < r.right)
                return true;
    }
    return false;
}

void Region::Offset(int dx, int dy)
{
    for (Band& b : m_bands) {
        b.y0 += dy;
        b.y1 += dy;
        for (Span& s : b.spans) {
            s.x0 += dx;
            s.x1 += dx;
        }
    }
}

std::vector<RECT> Region::Rects() const
{
    std::vector<RECT> out;
    for (const Band& b : m_bands)
        for (const Span& s : b.spans)
            out.push_back(RECT{s.x0, b.y0, s.x1, b.y1});
    return out;
}

bool Region::operator==(const Region& other) const
{
    if (m_bands.size() != other.m_bands.size())
        return false;
    for (size_t i = 0; i < m_bands.size(); ++i) {
        const Band& a = m_bands[i];
        const Band& b = other.m_bands[i];
        if (a.y0 != b.y0 || a.y1 != b.y1 || a.spans != b.spans)
            return false;
    }
    return true;
}

void Region::Coalesce()
{
    std::vector<Band> out;
    for (Band& b : m_bands) {
        if (b.spans.empty() || b.y0 >= b.y1)
            continue;
        if (!out.empty() && out.back().y1 == b.y0 && out.back().spans == b.spans)
            out.back().y1 = b.y1;
        else
            out.push_back(std::move(b));
    }
    m_bands.swap(out);
}

namespace {

// Combines two sorted, disjoint span lists with a boolean operation on membership.
std::vector<Span> CombineSpans(const std::vector<Span>* a, const std::vector<Span>* b, int mode)
{
    static const std::vector<Span> none;
    const std::vector<Span>& sa = a ? *a : none;
    const std::vector<Span>& sb = b ? *b : none;
    std::vector<int> xs;
    for (const Span& s : sa) {
        xs.push_back(s.x0);
        xs.push_back(s.x1);
    }
    for (const Span& s : sb) {
        xs.push_back(s.x0);
        xs.push_back(s.x1);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::vector<Span> out;
    size_t ia = 0, ib = 0;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        int x = xs[i];
        while (ia < sa.size() && sa[ia].x1 <= x)
            ++ia;
        while (ib < sb.size() && sb[ib].x1 <= x)
            ++ib;
        bool inA = ia < sa.size() && sa[ia].x0 <= x;
        bool inB = ib < sb.size() && sb[ib].x0 <= x;
        bool in = false;
        switch (mode) {
        case RGN_AND: in = inA && inB; break;
        case RGN_OR: in = inA || inB; break;
        case RGN_XOR: in = inA != inB; break;
        case RGN_DIFF: in = inA && !inB; break;
        default: in = inA; break;
        }
        if (!in)
            continue;
        if (!out.empty() && out.back().x1 == x)
            out.back().x1 = xs[i + 1];
        else
            out.push_back(Span{x, xs[i + 1]});
    }
    return out;
}

}  // namespace

Region Region::Combine(const Region& a, const Region& b, int mode)
{
    if (mode == RGN_COPY)
        return a;
    std::vector<int> ys;
    for (const Band& band : a.m_bands) {
        ys.push_back(band.y0);
        ys.push_back(band.y1);
    }
    for (const Band& band : b.m_bands) {
        ys.push_back(band.y0);
        ys.push_back(band.y1);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());
    Region out;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        std::vector<Span> spans = CombineSpans(a.RowSpans(ys[i]), b.RowSpans(ys[i]), mode);
        if (!spans.empty())
            out.m_bands.push_back(Band{ys[i], ys[i + 1], std::move(spans)});
    }
    out.Coalesce();
    return out;
}

void Region::CombineRect(int left, int top, int right, int bottom, int mode)
{
    if (left >= right || top >= bottom)
        return;
    // Splits the band holding row y so that a band starts at y.
    auto split = [&](int y) {
        auto it = std::upper_bound(m_bands.begin(), m_bands.end(), y, [](int v, const Band& b) { return v < b.y1; });
        if (it == m_bands.end() || it->y0 >= y)
            return;
        Band upper{it->y0, y, it->spans};
        it->y0 = y;
        m_bands.insert(it, std::move(upper));
    };
    split(top);
    split(bottom);
    const std::vector<Span> rect{Span{left, right}};
    auto first = std::lower_bound(m_bands.begin(), m_bands.end(), top, [](const Band& b, int v) { return b.y1 <= v; });
    size_t start = (size_t)(first - m_bands.begin());
    size_t i = start;
    int y = top;
    while (y < bottom) {
        if (i < m_bands.size() && m_bands[i].y0 <= y) {
            m_bands[i].spans = CombineSpans(&m_bands[i].spans, &rect, mode);
            y = m_bands[i].y1;
            ++i;
            continue;
        }
        // Rows no band holds: only an addition gives them pixels.
        int gapEnd = i < m_bands.size() ? std::min(bottom, m_bands[i].y0) : bottom;
        if (mode == RGN_OR) {
            m_bands.insert(m_bands.begin() + (ptrdiff_t)i, Band{y, gapEnd, rect});
            ++i;
        }
        y = gapEnd;
    }
    // Empty bands go, and equal neighbours merge, around the changed rows only.
    size_t lo = start > 0 ? start - 1 : 0;
    size_t hi = std::min(m_bands.size(), i + 1);
    std::vector<Band> middle;
    for (size_t k = lo; k < hi; ++k) {
        Band& b = m_bands[k];
        if (b.spans.empty())
            continue;
        if (!middle.empty() && middle.back().y1 == b.y0 && middle.back().spans == b.spans)
            middle.back().y1 = b.y1;
        else
            middle.push_back(std::move(b));
    }
    m_bands.erase(m_bands.begin() + (ptrdiff_t)lo, m_bands.begin() + (ptrdiff_t)hi);
    m_bands.insert(m_bands.begin() + (ptrdiff_t)lo, std::make_move_iterator(middle.begin()),
                   std::make_move_iterator(middle.end()));
}

void Region::AppendRows(int y0, int y1, std::vector<Span>& spans)
{
    NormalizeSpans(spans);
    if (spans.empty() || y0 >= y1)
        return;
    if (!m_bands.empty() && m_bands.back().y1 == y0 && m_bands.back().spans == spans) {
        m_bands.back().y1 = y1;
        return;
    }
    m_bands.push_back(Band{y0, y1, spans});
}

Region Region::FromRows(int y0, std::vector<std::vector<Span>>& rows)
{
    Region out;
    for (size_t i = 0; i < rows.size(); ++i)
        out.AppendRow(y0 + (int)i, rows[i]);
    return out;
}

}  // namespace gdi
