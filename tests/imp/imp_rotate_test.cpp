// impRotate's quarter and half turns against the rotation's mapping, its general path and its checks.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "imp/impwarp.h"
#include "imp/ownrect.h"
#include "imp_test_util.h"

namespace {

std::vector<std::string> g_reports;
int32_t recordReport(int32_t status, const char* fn, const char* context, const char*, int32_t)
{
    g_reports.push_back(std::string(fn) + ":" + context);
    return status;
}

struct ReportRecorder {
    ImpReportFn saved;
    ReportRecorder() : saved(impErrorContextPtr()->handler)
    {
        impErrorContextPtr()->handler = recordReport;
        g_reports.clear();
    }
    ~ReportRecorder() { impErrorContextPtr()->handler = saved; }
};

// Source pixel of destination (X, Y) under the turn x' = cos*x + sin*y + xs, y' = -sin*x + cos*y + ys.
void turnBack(int angle, int xs, int ys, int X, int Y, int* x, int* y)
{
    if (angle == 90)
        *x = ys - Y, *y = X - xs;
    else if (angle == 180)
        *x = xs - X, *y = ys - Y;
    else
        *x = Y - ys, *y = xs - X;
}

}  // namespace

TEST(ImpRotate, QuarterAndHalfTurnsMoveEveryPixel)
{
    ImpModeGuard g;
    std::mt19937 rng(3);
    struct Layout {
        int depth, channels, order;
        bool roi, coi;
    };
    const Layout layouts[] = {{1, 1, 0, false, false},  {1, 1, 0, true, false},  {8, 1, 0, true, false},
                              {8, 3, 0, false, false},  {8, 3, 0, true, true},   {8, 3, 1, true, false},
                              {16, 1, 0, false, false}, {16, 3, 0, true, false}, {16, 3, 1, true, true},
                              {8, 4, 1, false, false}};
    for (const Layout& l : layouts)
        for (double angle : {90.0, 180.0, 270.0, -90.0, 450.0})
            for (int shift : {0, 5, 13}) {
                TestImage src(l.channels, l.depth, 13, 9, l.order), dst(l.channels, l.depth, 17, 15, l.order);
                TestImage before(l.channels, l.depth, 17, 15, l.order);
                randomFill(src.h, rng());
                randomFill(dst.h, rng());
                if (l.roi) {
                    src.roi(l.coi ? 2 : 0, 3, 1, 9, 7);
                    dst.roi(l.coi ? 1 : 0, 2, 3, 12, 10);
                }
                std::memcpy(before.h->imageData, dst.h->imageData, dst.h->imageSize);
                impRotate(src.h, dst.h, angle, shift, shift + 4, IMP_INTER_LINEAR);
                ASSERT_EQ(impGetStatus(), 0);
                int a = (int)std::lround(std::fmod(angle + 720.0, 360.0));
                int32_t sb[4], db[4];
                impRoiBounds(src.h, sb, 1);
                impRoiBounds(dst.h, db, 1);
                for (int Y = 0; Y < 15; ++Y)
                    for (int X = 0; X < 17; ++X)
                        for (int k = 0; k < l.channels; ++k) {
                            int x, y;
                            turnBack(a, shift, shift + 4, X, Y, &x, &y);
                            bool inside = X >= db[0] && X <= db[2] && Y >= db[1] && Y <= db[3] && x >= sb[0] &&
                                          x <= sb[2] && y >= sb[1] && y <= sb[3] && (!l.coi || k == 0);
                            int64_t want = inside ? sampleAt(src.h, x, y, l.coi ? 1 : k) : sampleAt(before.h, X, Y, k);
                            ASSERT_EQ(sampleAt(dst.h, X, Y, k), want)
                                << "depth " << l.depth << " ch " << l.channels << " order " << l.order << " angle "
                                << angle << " shift " << shift << " at " << X << "," << Y << "," << k;
                        }
            }
}

TEST(ImpRotate, QuarterTurnOfFourByThree)
{
    ImpModeGuard g;
    TestImage src(1, 8, 4, 3), dst(1, 8, 3, 4, 0, 0xEE);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x)
            src.at8(x, y) = (uint8_t)(10 * y + x);
    impRotate(src.h, dst.h, 90, 0, 3, IMP_INTER_NN);
    EXPECT_EQ(dst.at8(0, 3), 0);
    EXPECT_EQ(dst.at8(2, 0), 23);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 3; ++x)
            EXPECT_EQ(dst.at8(x, y), 10 * x + (3 - y));
}

TEST(ImpRotate, OtherAnglesAreTheAffineWarp)
{
    ImpModeGuard g;
    std::mt19937 rng(5);
    for (double angle : {0.0, 7.5, 90.0, 200.0})
        for (int mode : {IMP_INTER_NN, IMP_INTER_LINEAR, IMP_INTER_CUBIC}) {
            TestImage src(3, 8, 21, 17), a(3, 8, 25, 25), b(3, 8, 25, 25);
            randomFill(src.h, rng());
            double xs = 0.5, ys = 0.0;  // a half-pixel shift keeps the right angles off the exact path
            impRotateCenterShift(10, 8, angle, &xs, &ys);
            impRotate(src.h, a.h, angle, xs, ys, mode);
            double r = angle * 0.017453292519943295, c = std::cos(r), s = std::sin(r);
            if (angle == 90.0)
                c = 0.0, s = 1.0;
            const double m[6] = {c, s, xs, -s, c, ys};
            impWarpAffine(src.h, b.h, m, mode);
            ASSERT_EQ(impGetStatus(), 0);
            for (int y = 0; y < 25; ++y)
                ASSERT_EQ(0, std::memcmp(a.h->imageData + y * a.h->widthStep, b.h->imageData + y * b.h->widthStep, 75))
                    << angle << " mode " << mode;
        }
    // Angle 0 with whole shifts is the identity warp: the covered pixels are the source's.
    TestImage src(1, 8, 6, 5), dst(1, 8, 6, 5);
    randomFill(src.h, 9);
    impRotate(src.h, dst.h, 720.0, 0, 0, IMP_INTER_LINEAR);
    for (int y = 0; y < 5; ++y)
        EXPECT_EQ(0, std::memcmp(src.h->imageData + y * src.h->widthStep, dst.h->imageData + y * dst.h->widthStep, 6));
}

TEST(ImpRotate, CenterShiftKeepsTheCentre)
{
    struct Case {
        double angle, wantX, wantY;
    } cases[] = {{180, 4, 2},  {90, 1, 3},   {450, 1, 3}, {-270, 1, 3},
                 {-90, 3, -1}, {270, 3, -1}, {720, 0, 0}, {0, 0, 0}};
    for (const Case& c : cases) {
        double xs = 0, ys = 0;
        impRotateCenterShift(2, 1, c.angle, &xs, &ys);
        EXPECT_DOUBLE_EQ(xs, c.wantX) << c.angle;
        EXPECT_DOUBLE_EQ(ys, c.wantY) << c.angle;
    }
    for (double angle : {12.0, 137.0, 301.5}) {
        double xs = 1, ys = -2, r = angle * 0.017453292519943295;
        impRotateCenterShift(7, 3, angle, &xs, &ys);
        EXPECT_NEAR(std::cos(r) * 7 + std::sin(r) * 3 + xs, 7 + 1, 1e-9);
        EXPECT_NEAR(-std::sin(r) * 7 + std::cos(r) * 3 + ys, 3 - 2, 1e-9);
    }
}

TEST(ImpRotate, RefusedArguments)
{
    ImpModeGuard g;
    ReportRecorder rec;
    // Float images: 32-bit signed ones relabelled, as their rows have the same size.
    TestImage a(1, 8, 4, 4), f(1, IMP_DEPTH_32S, 4, 4), f2(1, IMP_DEPTH_32S, 4, 4), s(1, IMP_DEPTH_8S, 4, 4, 0, 5);
    f.h->depth = f2.h->depth = IMP_DEPTH_32F;
    TestImage s2(1, IMP_DEPTH_8S, 4, 4, 0, 7), one(1, 8, 1, 1), out(1, 8, 4, 4);
    struct Case {
        ImpHeader *src, *dst;
        double angle;
        const char* want;
    } cases[] = {
        {a.h, a.h, 90, "impRotate:This function is not in-place function"},
        {f.h, f2.h, 180, "impRotate:(srcImage->depth & IMP_DEPTH_SIGN) || (srcImage->depth == IMP_DEPTH_32F)"},
        {s.h, s2.h, 270, "impRotate:(srcImage->depth & IMP_DEPTH_SIGN) || (srcImage->depth == IMP_DEPTH_32F)"},
        {a.h, f.h, 90, "impRotate:srcImage->depth != dstImage->depth"},
        {one.h, out.h, 30, "impWarpAffine:srcImage Rectangle ROI is degenerate to length or point"},
    };
    for (const Case& c : cases) {
        g_reports.clear();
        impSetStatus(0);
        impRotate(c.src, c.dst, c.angle, 0, 0, IMP_INTER_NN);
        EXPECT_EQ(impGetStatus(), -5) << c.want;
        ASSERT_FALSE(g_reports.empty());
        EXPECT_EQ(g_reports[0], c.want);
    }
    EXPECT_EQ((int)s2.at8(0, 0), 7);  // a refused turn writes nothing
    f.h->depth = f2.h->depth = IMP_DEPTH_32S;
    // A 1-pixel image turned exactly is one pixel move.
    impSetStatus(0);
    TestImage p(1, 8, 1, 1, 0, 42), q(1, 8, 1, 1);
    impRotate(p.h, q.h, 270, 0, 0, IMP_INTER_NN);
    EXPECT_EQ(impGetStatus(), 0);
    EXPECT_EQ(q.at8(0, 0), 42);
}
