// Cost of a one-pixel R2_NOTXORPEN line drawn through GetDC/ReleaseDC on a 1600 x 1000 window (the score
// view's play cursor), beside the cost of showing the whole window again. Run under a display (xvfb-run -a).
#include <benchmark/benchmark.h>

#include "ui/ui.h"

namespace {

constexpr int kWidth = 1600;
constexpr int kHeight = 1000;

// Filled once; later paints draw nothing, so that showing the window again costs only the showing.
class Canvas : public CWnd {
protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        if (!m_filled)
            dc.FillSolidRect(CRect(0, 0, kWidth, kHeight), RGB(250, 250, 240));
        m_filled = true;
    }
    bool m_filled = false;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(Canvas, CWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

void Pump()
{
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessage(&msg);
    }
}

Canvas& TheCanvas()
{
    static Canvas* canvas = [] {
        auto* c = new Canvas;
        c->CreateEx(0, nullptr, "bench", WS_POPUP | WS_VISIBLE, 0, 0, kWidth, kHeight, nullptr, nullptr);
        c->UpdateWindow();
        for (int i = 0; i < 20; ++i)
            Pump();
        return c;
    }();
    return *canvas;
}

void DrawCursor(HWND h, int x)
{
    HDC dc = GetDC(h);
    HPEN pen = CreatePen(PS_SOLID, 1, RGB(255, 25, 0));
    HGDIOBJ old = SelectObject(dc, pen);
    int mode = SetROP2(dc, R2_NOTXORPEN);
    MoveToEx(dc, x, 0, nullptr);
    LineTo(dc, x, kHeight);
    SetROP2(dc, mode);
    SelectObject(dc, old);
    DeleteObject(pen);
    ReleaseDC(h, dc);
}

void BM_ClientDcCursorLine(benchmark::State& state)
{
    HWND h = TheCanvas().GetSafeHwnd();
    int x = 0;
    for (auto _ : state)
        DrawCursor(h, (x++ * 7) % kWidth);
    Pump();
}
BENCHMARK(BM_ClientDcCursorLine)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The peer: the whole window put on the screen again, which a flush of the whole surface costs.
void BM_WholeWindowShown(benchmark::State& state)
{
    Canvas& c = TheCanvas();
    for (auto _ : state) {
        c.InvalidateRect(nullptr, FALSE);
        c.UpdateWindow();
    }
    Pump();
}
BENCHMARK(BM_WholeWindowShown)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv)
{
    if (!AfxWinInit(argc, argv))
        return 1;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    AfxWinTerm();
    return 0;
}
