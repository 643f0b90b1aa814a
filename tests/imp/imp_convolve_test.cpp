// impConvolve2D and its kernels against a pixel-by-pixel reference: depths, layouts, regions, masks, tiles, methods.
#include <gtest/gtest.h>

#include <string>

#include "imp/imperror.h"
#include "imp_filter_reference.h"
#include "imp_test_util.h"
#include "imp_tiled_image.h"

namespace {

std::string lastContext;
int32_t recordingReport(int32_t status, const char*, const char* context, const char*, int32_t)
{
    lastContext = context;
    return status;
}

// Records report texts for the length of a test.
struct ReportRecorder {
    ImpModeGuard mode;
    ImpReportFn saved = impErrorContextPtr()->handler;
    ReportRecorder()
    {
        impErrorContextPtr()->handler = recordingReport;
        lastContext.clear();
    }
    ~ReportRecorder() { impErrorContextPtr()->handler = saved; }
};

struct Kernels {
    std::vector<ImpKernel*> k;
    explicit Kernels(const std::vector<KernelSpec>& specs)
    {
        for (const KernelSpec& s : specs)
            k.push_back(makeKernel(s));
    }
    ~Kernels()
    {
        for (ImpKernel* p : k)
            impDeleteConvKernel(p);
    }
};

KernelSpec randomKernel(std::mt19937& rng, int cols, int rows, int lo, int hi, int shift)
{
    std::uniform_int_distribution<int> d(lo, hi);
    KernelSpec k{cols, rows, (int)(rng() % cols), (int)(rng() % rows), shift, {}};
    for (int i = 0; i < cols * rows; ++i)
        k.w.push_back(d(rng));
    return k;
}

// Expects every destination element: in the region the reference, elsewhere the value from before.
void expectReference(const AnyImage& src, const AnyImage& before, const AnyImage& dst,
                     const std::vector<KernelSpec>& ks, int method, const char* what)
{
    const ImpHeader* s = src.h;
    const ImpHeader* d = dst.h;
    int sx = s->roi ? s->roi->offsetX : 0, sy = s->roi ? s->roi->offsetY : 0;
    int dx = d->roi ? d->roi->offsetX : 0, dy = d->roi ? d->roi->offsetY : 0;
    int w = std::min(s->roi ? s->roi->width : s->width, d->roi ? d->roi->width : d->width);
    int h = std::min(s->roi ? s->roi->height : s->height, d->roi ? d->roi->height : d->height);
    w = std::min({w, s->width - sx, d->width - dx}), h = std::min({h, s->height - sy, d->height - dy});
    int scoi = s->roi ? s->roi->coi : 0, dcoi = d->roi ? d->roi->coi : 0;
    int n = scoi ? 1 : s->channels - (s->alphaIndex ? 1 : 0);
    for (int y = 0; y < d->height; ++y)
        for (int x = 0; x < d->width; ++x)
            for (int c = 0; c < d->channels; ++c) {
                int i = x - dx, j = y - dy, k = dcoi ? c - (dcoi - 1) : c;
                bool inside = i >= 0 && j >= 0 && i < w && j < h && k >= 0 && k < n;
                int64_t want =
                    inside ? referenceConv(src, sx + i, sy + j, scoi ? scoi - 1 : k, ks, method) : before.get(x, y, c);
                if (dst.get(x, y, c) != want) {
                    ADD_FAILURE() << what << " at " << x << "," << y << " channel " << c << ": " << dst.get(x, y, c)
                                  << " want " << want;
                    return;
                }
            }
}

TEST(ImpConvKernel, StoresTheKernelTurnedAndReportsBadArguments)
{
    ReportRecorder rec;
    int32_t w[] = {1, 2, 3, 4, 5, 6};
    ImpKernel* k = impCreateConvKernel(3, 2, 0, 1, w, -3);
    ASSERT_NE(k, nullptr);
    EXPECT_EQ(k->anchorX, 2);
    EXPECT_EQ(k->anchorY, 0);
    EXPECT_EQ(k->shiftRight, -3);
    EXPECT_EQ(std::vector<int32_t>(k->values, k->values + 6), (std::vector<int32_t>{6, 5, 4, 3, 2, 1}));
    impDeleteConvKernel(k);
    EXPECT_EQ(impGetStatus(), 0);
    struct Bad {
        int cols, rows, ax, ay;
        const int32_t* v;
        const char* text;
    } bad[] = {{0, 0, 0, 0, nullptr, "(values == 0)"},
               {0, 2, 0, 0, w, "(nRows<=0 || nCols<=0)"},
               {3, 2, 3, 0, w, "(anchorX<0 ||anchorY<0 ||nRows<=anchorY || nCols<=anchorX)"},
               {3, 2, 0, -1, w, "(anchorX<0 ||anchorY<0 ||nRows<=anchorY || nCols<=anchorX)"}};
    for (const Bad& b : bad) {
        EXPECT_EQ(impCreateConvKernel(b.cols, b.rows, b.ax, b.ay, b.v, 0), nullptr);
        EXPECT_EQ(lastContext, b.text);
        EXPECT_EQ(impGetStatus(), IMP_StsBadArg);
    }
    impDeleteConvKernel(nullptr);
    EXPECT_EQ(lastContext, "kernel==0");
    ImpKernel* empty = impCreateConvKernel(1, 1, 0, 0, w, 0);
    int32_t* values = empty->values;
    empty->values = nullptr;
    impDeleteConvKernel(empty);
    EXPECT_EQ(lastContext, "kernel->values==0");
    empty->values = values;
    impDeleteConvKernel(empty);
}

TEST(ImpConvolve2D, RefusesBadArgumentsInOrder)
{
    ReportRecorder rec;
    AnyImage a(1, 0, IMP_DEPTH_8U, 8, 8), b(1, 0, IMP_DEPTH_8U, 8, 8), b16(1, 0, IMP_DEPTH_16U, 8, 8);
    AnyImage plane(1, 0, IMP_DEPTH_8U, 8, 8, 1), f(1, 0, IMP_DEPTH_32F, 8, 8), f2(1, 0, IMP_DEPTH_32F, 8, 8);
    AnyImage roiBad(1, 0, IMP_DEPTH_8U, 8, 8), one(1, 1, IMP_DEPTH_8U, 8, 8), three(3, 0, IMP_DEPTH_8U, 8, 8);
    AnyImage four(4, 0, IMP_DEPTH_8U, 8, 8), coi(3, 0, IMP_DEPTH_8U, 8, 8);
    roiBad.roi(0, 8, 0, 2, 2);
    coi.roi(2, 0, 0, 8, 8);
    Kernels ks({{3, 3, 1, 1, 0, std::vector<int32_t>(9, 1)}, {3, 3, 1, 1, 32, std::vector<int32_t>(9, 1)}});
    ImpKernel* good[3] = {ks.k[0], ks.k[0], nullptr};
    ImpKernel* shifted[1] = {ks.k[1]};
    struct Case {
        ImpHeader *s, *d;
        ImpKernel** k;
        int n, method;
        int32_t status;
        const char* text;
    } cases[] = {
        {roiBad.h, b.h, good, 1, 0, -11, "Bad ROI offsets"},
        {a.h, b.h, nullptr, 1, 0, -5, "kernel==0"},
        {a.h, b.h, good, 11, 0, -5, "(nKernels<=0 || nKernels>10)"},
        {a.h, b.h, good, 2, 5, -5, "Inadmissible method"},
        {a.h, b.h, good, 3, 0, -5, "kernel[i]==0"},
        {a.h, b.h, shifted, 1, 0, -5, "Bad kernel structure"},
        {a.h, b16.h, good, 1, 0, -5, "Uncompatible images"},
        {a.h, plane.h, good, 1, 0, -5, "Uncompatible images"},
        {f.h, f2.h, good, 1, 0, -5, "32F images can be processed only with FP kernel"},
        {one.h, b.h, good, 1, 0, -5, "No channel to operate"},
        {three.h, four.h, good, 1, 0, -5, "Uncompatible images"},
        {coi.h, three.h, good, 1, 0, -5, "One of the COI is not defined"},
    };
    for (const Case& c : cases) {
        impSetStatus(0);
        lastContext.clear();
        impConvolve2D(c.s, c.d, c.k, c.n, c.method);
        EXPECT_EQ(impGetStatus(), c.status) << c.text;
        EXPECT_EQ(lastContext, c.text);
    }
    impSetStatus(0);
    impConvolve2D(a.h, b.h, good, 1, 9);  // one kernel: any method
    EXPECT_EQ(impGetStatus(), 0);
}

// Every depth, one and three channels, both data orders, 1 to 3 kernels of several shapes and every method.
TEST(ImpConvolve2D, MatchesTheReferenceAcrossDepthsLayoutsAndMethods)
{
    ImpModeGuard mode;
    std::mt19937 rng(7);
    const int32_t depths[] = {IMP_DEPTH_1U, IMP_DEPTH_8U, IMP_DEPTH_8S, IMP_DEPTH_16U, IMP_DEPTH_16S, IMP_DEPTH_32S};
    for (int32_t depth : depths)
        for (int channels : {1, 3})
            for (int order : {0, 1})
                for (int set = 0; set < 6; ++set)
                    for (int method = 0; method < 5; ++method) {
                        if (depth == IMP_DEPTH_1U && (channels != 1 || order != 0))
                            continue;
                        int64_t lo, hi;
                        sampleRange(depth, &lo, &hi);
                        if (impDepthBits(depth) == 32)
                            lo = -1000, hi = 1000;
                        std::vector<KernelSpec> ks;
                        switch (set) {
                        case 0: ks = {randomKernel(rng, 3, 3, -4, 4, 1)}; break;
                        case 1: ks = {randomKernel(rng, 5, 5, -4, 4, 0)}; break;
                        case 2: ks = {randomKernel(rng, 5, 5, -60, 60, 3)}; break;  // wider sums, products still 16-bit
                        case 3: ks = {randomKernel(rng, 5, 3, -9, 9, 2)}; break;
                        case 4: ks = {randomKernel(rng, 3, 3, -2, 2, 0), randomKernel(rng, 1, 3, -3, 3, 1)}; break;
                        default:
                            ks = {randomKernel(rng, 3, 3, -2, 2, 0), randomKernel(rng, 3, 1, 0, 3, 0),
                                  randomKernel(rng, 2, 2, -200, 200, 4)};
                        }
                        AnyImage src(channels, 0, depth, 21, 11, order), dst(channels, 0, depth, 23, 12, order);
                        AnyImage before(channels, 0, depth, 23, 12, order);
                        src.randomize(rng, lo, hi);
                        dst.randomize(rng, lo, hi);
                        memcpy(before.h->imageData, dst.h->imageData, dst.h->imageSize);
                        if (set % 2)
                            src.roi(0, 2, 1, 17, 9), dst.roi(0, 3, 2, 30, 30);
                        Kernels k(ks);
                        impSetStatus(0);
                        impConvolve2D(src.h, dst.h, k.k.data(), (int)ks.size(), method);
                        ASSERT_EQ(impGetStatus(), 0);
                        std::string what = "depth " + std::to_string(depth) + " channels " + std::to_string(channels) +
                                           " order " + std::to_string(order) + " set " + std::to_string(set) +
                                           " method " + std::to_string(method);
                        expectReference(src, before, dst, ks, method, what.c_str());
                    }
}

TEST(ImpConvolve2D, FloatSumsForWideWeightsAndTenKernels)
{
    ImpModeGuard mode;
    std::mt19937 rng(3);
    KernelSpec wide{3, 3, 1, 1, 2, {1, 0, -2, 40000, 3, 0, 1, 1, -1}};
    for (int method = 0; method < 5; ++method)
        for (int n : {1, 10}) {
            std::vector<KernelSpec> ks(n, wide);
            for (int i = 1; i < n; ++i)
                ks[i] = randomKernel(rng, 3, 3, -3, 3, 0);
            AnyImage src(1, 0, IMP_DEPTH_16S, 9, 7), dst(1, 0, IMP_DEPTH_16S, 9, 7), before(1, 0, IMP_DEPTH_16S, 9, 7);
            src.randomize(rng, -3, 3);
            Kernels k(ks);
            impConvolve2D(src.h, dst.h, k.k.data(), n, method);
            ASSERT_EQ(impGetStatus(), 0);
            expectReference(src, before, dst, ks, method, "wide");
        }
}

TEST(ImpConvolve2D, ChannelOfInterestAlphaAndRepeatedBorders)
{
    ImpModeGuard mode;
    std::mt19937 rng(11);
    std::vector<KernelSpec> ks = {randomKernel(rng, 3, 3, -3, 3, 0)};
    Kernels k(ks);
    struct Case {
        int sc, sa, dc, da, scoi, dcoi, order;
    } cases[] = {{3, 0, 1, 0, 2, 1, 0},
                 {3, 0, 3, 0, 3, 1, 1},
                 {4, 4, 3, 0, 0, 0, 0},
                 {3, 0, 4, 4, 0, 0, 0},
                 {4, 4, 4, 4, 0, 0, 1}};
    for (const Case& c : cases) {
        AnyImage src(c.sc, c.sa, IMP_DEPTH_8U, 12, 9, c.order), dst(c.dc, c.da, IMP_DEPTH_8U, 12, 9, c.order);
        AnyImage before(c.dc, c.da, IMP_DEPTH_8U, 12, 9, c.order);
        src.randomize(rng, 0, 255);
        dst.randomize(rng, 0, 255);
        memcpy(before.h->imageData, dst.h->imageData, dst.h->imageSize);
        if (c.scoi)
            src.roi(c.scoi, 0, 0, 12, 9), dst.roi(c.dcoi, 0, 0, 12, 9);
        impSetImageBorder(src.h, ImpBorderRepeat, 15, 0);
        impConvolve2D(src.h, dst.h, k.k.data(), 1, 0);
        ASSERT_EQ(impGetStatus(), 0);
        expectReference(src, before, dst, ks, 0, "channels");
    }
}

// Masks on either image or both: only pixels whose governing bits are set are written (1-bit images too).
TEST(ImpConvolve2D, MasksOnEitherImage)
{
    ImpModeGuard mode;
    std::mt19937 rng(5);
    for (int layout : {0, 1, 3})  // 0: 1-bit
        for (int which = 1; which <= 3; ++which)
            for (int size : {3, 5}) {
                std::vector<KernelSpec> ks = {randomKernel(rng, size, size, -3, 3, 1)};
                Kernels k(ks);
                int32_t depth = layout ? IMP_DEPTH_8U : IMP_DEPTH_1U;
                int channels = std::max(layout, 1);
                AnyImage src(channels, 0, depth, 40, 9), dst(channels, 0, depth, 40, 9);
                AnyImage m1(1, 0, IMP_DEPTH_1U, 40, 9), m2(1, 0, IMP_DEPTH_1U, 40, 9);
                src.randomize(rng, 0, depth == IMP_DEPTH_1U ? 1 : 255);
                dst.randomize(rng, 0, depth == IMP_DEPTH_1U ? 1 : 255);
                m1.randomize(rng, 0, 1);
                m2.randomize(rng, 0, 1);
                std::vector<char> before = dst.bytes();
                if (which & 1)
                    src.h->maskImage = m1.h;
                if (which & 2)
                    dst.h->maskImage = m2.h;
                AnyImage plain(channels, 0, depth, 40, 9), old(channels, 0, depth, 40, 9);
                memcpy(old.h->imageData, before.data(), before.size());
                impConvolve2D(src.h, plain.h, k.k.data(), 1, 0);
                impConvolve2D(src.h, dst.h, k.k.data(), 1, 0);
                src.h->maskImage = dst.h->maskImage = nullptr;
                ASSERT_EQ(impGetStatus(), 0);
                for (int y = 0; y < 9; ++y)
                    for (int x = 0; x < 40; ++x) {
                        bool on = (!(which & 1) || m1.get(x, y)) && (!(which & 2) || m2.get(x, y));
                        for (int c = 0; c < channels; ++c) {
                            int64_t want = on ? plain.get(x, y, c) : old.get(x, y, c);
                            ASSERT_EQ(dst.get(x, y, c), want) << x << "," << y;
                        }
                    }
            }
}

// One mask is read in place from its region's corner, whatever status an earlier call left behind.
TEST(ImpConvolve2D, OneMaskIsUsedDirectly)
{
    ImpModeGuard mode;
    std::mt19937 rng(6);
    std::vector<KernelSpec> ks = {randomKernel(rng, 3, 3, -3, 3, 1)};
    Kernels k(ks);
    for (bool onSource : {false, true}) {
        AnyImage src(1, 0, IMP_DEPTH_8U, 20, 9), dst(1, 0, IMP_DEPTH_8U, 20, 9), plain(1, 0, IMP_DEPTH_8U, 20, 9);
        AnyImage m(1, 0, IMP_DEPTH_1U, 24, 12), old(1, 0, IMP_DEPTH_8U, 20, 9);
        src.randomize(rng, 0, 255);
        dst.randomize(rng, 0, 255);
        m.randomize(rng, 0, 1);
        m.roi(0, 3, 2, 20, 9);
        memcpy(old.h->imageData, dst.h->imageData, dst.h->imageSize);
        impConvolve2D(src.h, plain.h, k.k.data(), 1, 0);
        (onSource ? src : dst).h->maskImage = m.h;
        impSetStatus(IMP_StsBadArg);  // left by an earlier failed call
        impConvolve2D(src.h, dst.h, k.k.data(), 1, 0);
        src.h->maskImage = dst.h->maskImage = nullptr;
        impSetStatus(0);
        for (int y = 0; y < 9; ++y)
            for (int x = 0; x < 20; ++x)
                ASSERT_EQ(dst.get(x, y), m.get(x + 3, y + 2) ? plain.get(x, y) : old.get(x, y)) << x << "," << y;
    }
}

// In place, tiled destination, tiled source and both: the same pixels as two separate untiled images.
TEST(ImpConvolve2D, InPlaceAndTiledCallsEqualTheSeparateCall)
{
    ImpModeGuard mode;
    std::mt19937 rng(9);
    std::vector<KernelSpec> ks = {randomKernel(rng, 5, 5, -3, 3, 2), randomKernel(rng, 3, 3, -3, 3, 0)};
    Kernels k(ks);
    for (int n : {1, 2}) {
        AnyImage src(3, 0, IMP_DEPTH_8U, 29, 19), want(3, 0, IMP_DEPTH_8U, 29, 19);
        src.randomize(rng, 0, 255);
        memcpy(want.h->imageData, src.h->imageData, src.h->imageSize);
        src.roi(0, 1, 2, 25, 15);
        want.roi(0, 1, 2, 25, 15);
        impConvolve2D(src.h, want.h, k.k.data(), n, 0);
        std::vector<char> original = src.bytes();
        impConvolve2D(src.h, src.h, k.k.data(), n, 0);
        EXPECT_EQ(src.bytes(), want.bytes());
        memcpy(src.h->imageData, original.data(), original.size());
        for (int tiles = 1; tiles <= 3; ++tiles) {
            TiledImage ts(3, IMP_DEPTH_8U, 29, 19, 8, 16), td(3, IMP_DEPTH_8U, 29, 19, 8, 16);
            memcpy(ts.backing.h->imageData, original.data(), original.size());
            memcpy(td.backing.h->imageData, original.data(), original.size());
            ts.h->roi = impAllocateRoi(0, 1, 2, 25, 15);
            td.h->roi = impAllocateRoi(0, 1, 2, 25, 15);
            ImpHeader* s = tiles & 1 ? ts.h : src.h;
            ImpHeader* d = tiles & 2 ? td.h : (ImpHeader*)want.h;
            if (d == want.h)
                continue;
            impConvolve2D(s, d, k.k.data(), n, 0);
            ASSERT_EQ(impGetStatus(), 0);
            EXPECT_EQ(std::vector<char>(td.backing.h->imageData, td.backing.h->imageData + td.backing.h->imageSize),
                      want.bytes());
            EXPECT_EQ(td.fetched, td.released);
        }
        TiledImage same(3, IMP_DEPTH_8U, 29, 19, 8, 16);
        memcpy(same.backing.h->imageData, original.data(), original.size());
        same.h->roi = impAllocateRoi(0, 1, 2, 25, 15);
        impConvolve2D(same.h, same.h, k.k.data(), n, 0);
        EXPECT_EQ(std::vector<char>(same.backing.h->imageData, same.backing.h->imageData + same.backing.h->imageSize),
                  want.bytes());
    }
}

// A single kernel squares (method 1) or takes the absolute value (method 2) on every path, and squares of 32-bit
// sums do not wrap.
TEST(ImpConvolve2D, SingleKernelMethodsAgreeOnEveryPathWithoutWrapping)
{
    ImpModeGuard mode;
    AnyImage src(1, 0, IMP_DEPTH_8U, 16, 4, 0), dst(1, 0, IMP_DEPTH_8U, 16, 4, 0);
    for (int x = 0; x < 16; ++x)
        for (int y = 0; y < 4; ++y)
            src.set(x, y, 0, 3);
    Kernels k({{3, 3, 1, 1, 0, {0, 0, 0, 0, 5, 0, 0, 0, 0}}});
    impConvolve2D(src.h, dst.h, k.k.data(), 1, 1);
    EXPECT_EQ(dst.get(8, 2), 225);  // 15 squared, the one-channel 3x3 8-bit case included
    AnyImage big(1, 0, IMP_DEPTH_16U, 8, 4), out(1, 0, IMP_DEPTH_16U, 8, 4);
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 4; ++y)
            big.set(x, y, 0, 50000);
    Kernels one({{1, 1, 0, 0, 0, {1}}});
    impConvolve2D(big.h, out.h, one.k.data(), 1, 1);
    EXPECT_EQ(out.get(3, 2), 65535);  // 50000 squared saturates instead of wrapping
    AnyImage s32(1, 0, IMP_DEPTH_32S, 8, 4), o32(1, 0, IMP_DEPTH_32S, 8, 4);
    for (int x = 0; x < 8; ++x)
        for (int y = 0; y < 4; ++y)
            s32.set(x, y, 0, 70000);
    Kernels two({{1, 1, 0, 0, 0, {1}}, {1, 1, 0, 0, 0, {1}}});
    impConvolve2D(s32.h, o32.h, two.k.data(), 2, 2);
    EXPECT_EQ(o32.get(3, 2), 98995);  // root of 2 * 70000^2
    ASSERT_EQ(impGetStatus(), 0);
}

// A destination tile that cannot be had ends the call as a failure; every tile obtained is released.
TEST(ImpConvolve2D, UnavailableTileIsReported)
{
    ImpModeGuard mode;
    AnyImage src(1, 0, IMP_DEPTH_8U, 24, 16);
    TiledImage dst(1, IMP_DEPTH_8U, 24, 16, 8, 8);
    dst.failAfter = 2;
    Kernels k({{3, 3, 1, 1, 0, std::vector<int32_t>(9, 1)}});
    impConvolve2D(src.h, dst.h, k.k.data(), 1, 0);
    EXPECT_EQ(impGetStatus(), IMP_StsNoMem);
    EXPECT_EQ(dst.fetched, 2);
    EXPECT_EQ(dst.released, 2);
}

}  // namespace
