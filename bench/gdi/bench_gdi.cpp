// Speed of the rasterizer's bulk operations on a full-HD 32-bit surface, against memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "gdi/wingdi.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

struct Surface {
    HDC dc = nullptr;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    void* bits = nullptr;
    Surface(int w, int h)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        info.bmiHeader.biWidth = w;
        info.bmiHeader.biHeight = -h;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = SelectObject(dc, bitmap);
        PatBlt(dc, 0, 0, w, h, WHITENESS);
    }
    ~Surface()
    {
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
};

void BM_Memcpy(benchmark::State& state)
{
    std::vector<uint32_t> a((size_t)kWidth * kHeight, 0x123456), b((size_t)kWidth * kHeight);
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size() * 4);
        benchmark::DoNotOptimize(b.data());
    }
    state.SetBytesProcessed(state.iterations() * (int64_t)a.size() * 4);
}
BENCHMARK(BM_Memcpy);

void BM_FillRect(benchmark::State& state)
{
    Surface s(kWidth, kHeight);
    HBRUSH brush = CreateSolidBrush(RGB(212, 208, 200));
    RECT r{0, 0, kWidth, kHeight};
    for (auto _ : state)
        FillRect(s.dc, &r, brush);
    DeleteObject(brush);
    state.SetBytesProcessed(state.iterations() * (int64_t)kWidth * kHeight * 4);
}
BENCHMARK(BM_FillRect);

void BlitWith(benchmark::State& state, DWORD rop)
{
    Surface src(kWidth, kHeight), dst(kWidth, kHeight);
    for (auto _ : state)
        BitBlt(dst.dc, 0, 0, kWidth, kHeight, src.dc, 0, 0, rop);
    state.SetBytesProcessed(state.iterations() * (int64_t)kWidth * kHeight * 4);
}

void BM_BitBltSrcCopy(benchmark::State& state) { BlitWith(state, SRCCOPY); }
BENCHMARK(BM_BitBltSrcCopy);

void BM_BitBltSrcAnd(benchmark::State& state) { BlitWith(state, SRCAND); }
BENCHMARK(BM_BitBltSrcAnd);

void BM_StretchBltDouble(benchmark::State& state)
{
    Surface src(kWidth / 2, kHeight / 2), dst(kWidth, kHeight);
    SetStretchBltMode(dst.dc, COLORONCOLOR);
    for (auto _ : state)
        StretchBlt(dst.dc, 0, 0, kWidth, kHeight, src.dc, 0, 0, kWidth / 2, kHeight / 2, SRCCOPY);
    state.SetBytesProcessed(state.iterations() * (int64_t)kWidth * kHeight * 4);
}
BENCHMARK(BM_StretchBltDouble);

void BM_StretchBltHalfHalftone(benchmark::State& state)
{
    Surface src(kWidth, kHeight), dst(kWidth / 2, kHeight / 2);
    SetStretchBltMode(dst.dc, HALFTONE);
    for (auto _ : state)
        StretchBlt(dst.dc, 0, 0, kWidth / 2, kHeight / 2, src.dc, 0, 0, kWidth, kHeight, SRCCOPY);
    state.SetBytesProcessed(state.iterations() * (int64_t)kWidth * kHeight * 4);
}
BENCHMARK(BM_StretchBltHalfHalftone);

void BM_StretchDIBits24(benchmark::State& state)
{
    Surface dst(kWidth, kHeight);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = kWidth;
    info.bmiHeader.biHeight = kHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    std::vector<unsigned char> pixels((size_t)kWidth * 3 * kHeight, 0x5A);
    SetStretchBltMode(dst.dc, COLORONCOLOR);
    for (auto _ : state)
        StretchDIBits(dst.dc, 0, 0, kWidth, kHeight, 0, 0, kWidth, kHeight, pixels.data(), &info, DIB_RGB_COLORS,
                      SRCCOPY);
    state.SetBytesProcessed(state.iterations() * (int64_t)kWidth * kHeight * 4);
}
BENCHMARK(BM_StretchDIBits24);

void BM_TextOut10000Glyphs(benchmark::State& state)
{
    Surface s(kWidth, kHeight);
    HFONT font = CreateFont(-14, 0, 0, 0, FW_NORMAL, 0, 0, 0, ANSI_CHARSET, 0, 0, DEFAULT_QUALITY, 0, "Arial");
    HGDIOBJ old = SelectObject(s.dc, font);
    SetBkMode(s.dc, TRANSPARENT);
    const char line[] =
        "The quick brown fox jumps over the lazy dog 0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ abcdefghijklmnopqr";
    static_assert(sizeof(line) - 1 == 100);
    for (auto _ : state)
        for (int i = 0; i < 100; ++i)
            TextOut(s.dc, 0, (i * 10) % kHeight, line, 100);
    state.SetItemsProcessed(state.iterations() * 10000);
    SelectObject(s.dc, old);
    DeleteObject(font);
}
BENCHMARK(BM_TextOut10000Glyphs);

}  // namespace

BENCHMARK_MAIN();
