// A region: rectangles in y-x bands (each band a run of rows holding sorted, disjoint x spans), with set operations.
#pragma once

#include <vector>

#include "kernel/windef.h"

namespace gdi {

struct Span {
    int x0;
    int x1;
    bool operator==(const Span&) const = default;
};

struct Band {
    int y0;
    int y1;
    std::vector<Span> spans;
};

class Region {
public:
    Region() = default;
    Region(int left, int top, int right, int bottom) { SetRect(left, top, right, bottom); }

    void SetRect(int left, int top, int right, int bottom);
    bool IsEmpty() const { return m_bands.empty(); }
    const std::vector<Band>& Bands() const { return m_bands; }
    RECT Box() const;
    // NULLREGION, SIMPLEREGION or COMPLEXREGION.
    int Kind() const;
    bool Contains(int x, int y) const;
    bool Intersects(const RECT& r) const;
    void Offset(int dx, int dy);
    std::vector<RECT> Rects() const;
    // The spans of row y, or null when the row is outside the region.
    const std::vector<Span>* RowSpans(int y) const;

    // Mode is RGN_AND, RGN_OR, RGN_XOR, RGN_DIFF or RGN_COPY.
    static Region Combine(const Region& a, const Region& b, int mode);
    // Adds (RGN_OR) or removes (RGN_DIFF) a rectangle in place; only the bands it touches change,
    // so that regions built one small rectangle at a time stay fast.
    void CombineRect(int left, int top, int right, int bottom, int mode);
    // Builds a region from per-row spans (rows y0 .. y0 + rows.size() - 1); spans in a row may overlap.
    static Region FromRows(int y0, std::vector<std::vector<Span>>& rows);
    // Adds row y below every row already held (spans in any order, overlapping allowed; they are normalised in
    // place). A row equal to the one above joins its band, so scanning a shape row by row builds it directly.
    void AppendRow(int y, std::vector<Span>& spans) { AppendRows(y, y + 1, spans); }
    // Adds rows y0 .. y1 - 1, all holding the same spans.
    void AppendRows(int y0, int y1, std::vector<Span>& spans);
    // Room for this many bands, so that appending them does not grow the storage step by step.
    void ReserveBands(size_t bands) { m_bands.reserve(bands); }
    bool operator==(const Region& other) const;

private:
    void Coalesce();
    std::vector<Band> m_bands;
};

// Sorts and merges overlapping or touching spans.
void NormalizeSpans(std::vector<Span>& spans);

}  // namespace gdi
