// WaveView painting: the time ruler, the waveform in the range's colours, the range edges and the play position.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "audio/window_layer/wave_view.h"

namespace {

constexpr int kRulerHeight = 25;
constexpr COLORREF kBackground = RGB(255, 255, 255);
constexpr COLORREF kRulerBackground = RGB(236, 236, 236);
constexpr COLORREF kRulerInk = RGB(64, 64, 64);
constexpr COLORREF kAxis = RGB(224, 224, 224);
constexpr COLORREF kOutside = RGB(192, 192, 192);
constexpr COLORREF kInside = RGB(0, 90, 180);
constexpr COLORREF kEdgeFade = RGB(4, 116, 229);
constexpr COLORREF kEdge = RGB(0, 0, 0);

// The smallest step between ruler marks that leaves room for a label.
int RulerStep(int totalMs, int width)
{
    static const int steps[] = {100,   200,    500,    1000,   2000,   5000,    10000,   15000,   30000,
                                60000, 120000, 300000, 600000, 900000, 1800000, 3600000, 7200000, 18000000};
    for (int step : steps)
        if (static_cast<long long>(width) * step / std::max(1, totalMs) >= 70)
            return step;
    return steps[std::size(steps) - 1];
}

void FormatTime(int ms, bool tenths, char* text, size_t size)
{
    int seconds = ms / 1000;
    if (tenths)
        snprintf(text, size, "%d:%02d:%02d.%d", seconds / 3600, seconds / 60 % 60, seconds % 60, ms % 1000 / 100);
    else
        snprintf(text, size, "%d:%02d:%02d", seconds / 3600, seconds / 60 % 60, seconds % 60);
}

}  // namespace

void WaveView::Layout()
{
    GetClientRect(&m_rcClient);
    m_rcRuler = CRect(0, 0, m_rcClient.right, kRulerHeight);
    m_rcWave = CRect(m_nMargin, m_nTop, std::max<int>(m_nMargin + 1, m_rcClient.right - m_nMargin),
                     std::max<int>(m_nTop + 1, m_rcClient.bottom - m_nMargin));
}

int WaveView::TimeToX(int ms) const
{
    int total = static_cast<int>(const_cast<CWave&>(m_wave).GetTotalDuration() * 1000);
    if (total <= 0)
        return m_rcWave.left;
    long long clamped = std::clamp(ms, 0, total);
    return m_rcWave.left + static_cast<int>(clamped * (m_rcWave.Width() - 1) / total);
}

int WaveView::XToTime(int x) const
{
    int total = static_cast<int>(const_cast<CWave&>(m_wave).GetTotalDuration() * 1000);
    if (m_rcWave.Width() <= 1)
        return 0;
    long long offset = std::clamp<int>(x - m_rcWave.left, 0, m_rcWave.Width() - 1);
    return static_cast<int>(offset * total / (m_rcWave.Width() - 1));
}

void WaveView::OnPaint()
{
    CPaintDC dc(this);
    Draw(&dc);
}

void WaveView::Draw(CDC* dc)
{
    Layout();
    const int width = std::max<int>(1, m_rcClient.Width()), height = std::max<int>(1, m_rcClient.Height());
    BITMAP info{};
    if (!m_memDC.m_hDC) {
        m_memDC.CreateCompatibleDC(dc);
    }
    if (!m_bitmap.m_hObject || !m_bitmap.GetBitmap(&info) || info.bmWidth != width || info.bmHeight != height) {
        if (m_pOldBitmap)
            m_memDC.SelectObject(m_pOldBitmap);
        m_bitmap.DeleteObject();
        m_bitmap.CreateCompatibleBitmap(dc, width, height);
        m_pOldBitmap = m_memDC.SelectObject(&m_bitmap);
    }
    m_memDC.FillSolidRect(&m_rcClient, kBackground);
    DrawRuler(&m_memDC);
    DrawWaveform(&m_memDC);
    dc->StretchBlt(0, 0, width, height, &m_memDC, 0, 0, width, height, SRCCOPY);
    if (m_nRangeEnd > m_nRangeStart) {
        DrawMarker(dc, m_nRangeStart, kEdge);
        DrawMarker(dc, m_nRangeEnd, kEdge);
    }
    DrawMarker(dc, m_nPosition, kPositionColour);
}

void WaveView::DrawRuler(CDC* dc)
{
    dc->FillSolidRect(&m_rcRuler, kRulerBackground);
    CPen ink(PS_SOLID, 1, kRulerInk);
    CPen* oldPen = dc->SelectObject(&ink);
    CFont* oldFont = static_cast<CFont*>(dc->SelectStockObject(DEFAULT_GUI_FONT));
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(kRulerInk);
    dc->MoveTo(0, m_rcRuler.bottom - 1);
    dc->LineTo(m_rcRuler.right, m_rcRuler.bottom - 1);
    const int total = TotalMs();
    if (total > 0) {
        const int step = RulerStep(total, m_rcWave.Width());
        for (int ms = 0; ms <= total; ms += step) {
            const int x = TimeToX(ms);
            dc->MoveTo(x, m_rcRuler.bottom - 7);
            dc->LineTo(x, m_rcRuler.bottom - 1);
            // Minor marks halfway between labelled ones.
            const int half = TimeToX(ms + step / 2);
            if (ms + step / 2 <= total) {
                dc->MoveTo(half, m_rcRuler.bottom - 4);
                dc->LineTo(half, m_rcRuler.bottom - 1);
            }
            char label[32];
            FormatTime(ms, step < 1000, label, sizeof label);
            // A label that would run past the window's edge is left out; its mark stays.
            if (x + 2 + dc->GetTextExtent(label).cx <= m_rcRuler.right)
                dc->TextOut(x + 2, 2, label);
        }
    }
    dc->SelectObject(oldFont);
    dc->SelectObject(oldPen);
}

void WaveView::DrawWaveform(CDC* dc)
{
    const int middle = (m_rcWave.top + m_rcWave.bottom) / 2, half = m_rcWave.Height() / 2;
    CPen axis(PS_SOLID, 1, kAxis);
    CPen* oldPen = dc->SelectObject(&axis);
    dc->MoveTo(m_rcWave.left, middle);
    dc->LineTo(m_rcWave.right, middle);
    dc->SelectObject(oldPen);

    const int channels = std::max(1u, m_wave.GetChannels());
    const long long frames = m_wave.GetSampleCount() / channels;
    const u32 rate = m_wave.GetSampleRate();
    if (frames < 2 || rate == 0)
        return;
    // Four points per pixel column at a fixed step of whole frames; the first channel is drawn.
    const long long step = std::max<long long>(1, frames / (4LL * m_rcWave.Width()));
    const int fade = static_cast<int>(static_cast<long long>(m_nRangeEnd - m_nRangeStart) * m_nEdgeFade / 100);
    std::vector<POINT> points;
    std::vector<COLORREF> colours;
    for (long long frame = 0; frame < frames; frame += step) {
        const int ms = static_cast<int>(frame * 1000 / rate);
        const int sample = m_wave.GetSample(static_cast<int>(frame * channels));
        POINT p;
        p.x = m_rcWave.left + static_cast<int>(frame * (m_rcWave.Width() - 1) / (frames - 1));
        p.y = middle - static_cast<int>(static_cast<long long>(sample) * half / 32767);
        points.push_back(p);
        COLORREF colour = kOutside;
        if (ms >= m_nRangeStart && ms <= m_nRangeEnd && m_nRangeEnd > m_nRangeStart)
            colour = (ms - m_nRangeStart < fade || m_nRangeEnd - ms < fade) ? kEdgeFade : kInside;
        colours.push_back(colour);
    }
    // One polyline per run of points of one colour, each joined to the run before it.
    for (size_t first = 0; first < points.size();) {
        size_t last = first;
        while (last + 1 < points.size() && colours[last + 1] == colours[first])
            last++;
        const size_t from = first ? first - 1 : first;
        CPen pen(PS_SOLID, 1, colours[first]);
        CPen* previous = dc->SelectObject(&pen);
        dc->Polyline(&points[from], static_cast<int>(last - from + 1));
        dc->SelectObject(previous);
        first = last + 1;
    }
}

void WaveView::DrawMarker(CDC* dc, int ms, COLORREF colour)
{
    if (TotalMs() <= 0)
        return;
    CPen pen(PS_SOLID, 1, colour);
    CPen* oldPen = dc->SelectObject(&pen);
    const int oldMode = dc->SetROP2(R2_NOTXORPEN);
    const int x = TimeToX(ms);
    dc->MoveTo(x, m_rcWave.top);
    dc->LineTo(x, m_rcWave.bottom);
    dc->SetROP2(oldMode);
    dc->SelectObject(oldPen);
}
