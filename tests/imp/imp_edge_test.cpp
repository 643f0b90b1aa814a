// Block primitives, report counting, channel rules of resize and combined masks.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "imp/impgeom.h"
#include "imp/implogic.h"
#include "imp/impsce.h"
#include "imp_test_util.h"

TEST(ImpBlocks, FillsAndCopyAtEveryAlignment)
{
    std::vector<unsigned char> buf(200), want(200), src(200);
    for (size_t i = 0; i < src.size(); ++i)
        src[i] = (unsigned char)(i * 7 + 1);
    for (int offset = 0; offset < 8; ++offset)
        for (int n = 0; n < 40; ++n) {
            std::fill(buf.begin(), buf.end(), 0xEE);
            want = buf;
            impFillBytes(0x1A5, buf.data() + offset, n);
            for (int i = 0; i < n; ++i)
                want[offset + i] = 0xA5;
            ASSERT_EQ(buf, want);
            impFillWords(0x1234, buf.data() + 2 * offset, n);
            for (int i = 0; i < n; ++i) {
                want[2 * offset + 2 * i] = 0x34;
                want[2 * offset + 2 * i + 1] = 0x12;
            }
            ASSERT_EQ(buf, want);
            impFillDwords(0x01020304, buf.data() + 4 * offset, n);
            for (int i = 0; i < n; ++i)
                memcpy(&want[4 * offset + 4 * i], "\x04\x03\x02\x01", 4);
            ASSERT_EQ(buf, want);
            impCopyBytes(src.data() + 3, buf.data() + offset, n);
            memcpy(&want[offset], src.data() + 3, n);
            ASSERT_EQ(buf, want);
        }
}

namespace {
std::vector<std::string> g_reports;
int32_t countingReport(int32_t status, const char* fn, const char* context, const char*, int32_t)
{
    g_reports.push_back(std::string(fn) + ":" + context);
    return status;
}
}  // namespace

TEST(ImpReports, EveryFailingCheckIsReportedInOrder)
{
    ImpModeGuard g;
    ImpErrorContext* ctx = impErrorContextPtr();
    ImpReportFn saved = ctx->handler;
    ctx->handler = countingReport;
    TestImage a(1, 8, 4, 4), b(1, 8, 4, 4);
    g_reports.clear();
    impResize(a.h, b.h, 0, 4, 4, 4, 7);
    ASSERT_EQ(g_reports.size(), 3u);  // interpolation, then xDst, then the pass-through of impResize
    EXPECT_NE(g_reports[0].find("interpolate != IMP_INTER_NN"), std::string::npos);
    EXPECT_EQ(g_reports[1], "impZoom:xDst <= 0 || xSrc <= 0");
    EXPECT_EQ(g_reports[2], "impResize:");
    EXPECT_EQ(impGetStatus(), -5);
    impSetStatus(0);
    g_reports.clear();
    EXPECT_EQ(impDecimate(a.h, a.h, 0, 2, 1, 2, IMP_INTER_NN), -5);
    ASSERT_EQ(g_reports.size(), 2u);
    EXPECT_EQ(g_reports[0], "impDecimate:srcImage == dstImage");
    EXPECT_EQ(g_reports[1], "impDecimate:xDst <= 0");
    ctx->handler = saved;
}

TEST(ImpResize, ChannelOfInterestRules)
{
    ImpModeGuard g;
    TestImage s(3, 8, 4, 4, 0, 0), d(3, 8, 4, 4, 0, 9);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            s.at8(x, y, 1) = 200;
    s.roi(2, 0, 0, 4, 4);
    impResize(s.h, d.h, 1, 1, 1, 1, IMP_INTER_NN);
    EXPECT_EQ(impGetStatus(), -2);
    impSetStatus(0);
    d.roi(3, 0, 0, 4, 4);
    impResize(s.h, d.h, 1, 1, 1, 1, IMP_INTER_LINEAR);
    EXPECT_EQ(impGetStatus(), 0);
    EXPECT_EQ(d.at8(2, 2, 2), 200);
    EXPECT_EQ(d.at8(2, 2, 1), 9);
}

TEST(ImpResize, DestinationRoiBeyondScaledSize)
{
    ImpModeGuard g;
    TestImage s(1, 8, 4, 4, 0, 60), d(1, 8, 10, 10, 0, 1);
    impResize(s.h, d.h, 6, 4, 6, 4, IMP_INTER_LINEAR);
    EXPECT_EQ(d.at8(5, 5), 60);
    EXPECT_EQ(d.at8(6, 5), 1);
    EXPECT_EQ(d.at8(5, 6), 1);
}

TEST(ImpLogic, TwoMasksCombineFromTheirRegions)
{
    ImpModeGuard g;
    TestImage a(1, 8, 8, 8, 0, 0xFF), b(1, 8, 8, 8, 0, 0x0F), d(1, 8, 8, 8, 0, 0x33);
    TestImage m1(1, 1, 10, 8, 0, 0), m2(1, 1, 8, 8, 0, 1);
    m1.setBit(3, 0, true);
    m1.setBit(4, 1, true);
    m1.setBit(3, 6, true);
    m2.setBit(1, 1, false);
    m1.roi(0, 3, 0, 20, 6);
    a.h->maskImage = m1.h;
    d.h->maskImage = m2.h;
    impAnd(a.h, b.h, d.h);
    a.h->maskImage = d.h->maskImage = nullptr;
    EXPECT_EQ(d.at8(0, 0), 0x0F);  // m1 (3, 0) and m2 (0, 0) set
    EXPECT_EQ(d.at8(1, 1), 0x33);  // m2 (1, 1) clear
    EXPECT_EQ(d.at8(1, 0), 0x33);  // m1 (4, 0) clear
    EXPECT_EQ(d.at8(0, 6), 0x33);  // below the combined 7 x 6 mask
}

TEST(ImpCopySet, StoredFaultStopsCopy)
{
    ImpModeGuard g;
    TestImage s(1, 8, 2, 2, 0, 5), d(1, 8, 2, 2, 0, 0);
    impSetStatus(-10);
    impCopy(s.h, d.h);
    EXPECT_EQ(d.at8(0, 0), 0);
    impSetStatus(0);
    impCopy(s.h, d.h);
    EXPECT_EQ(d.at8(1, 1), 5);
    TestImage d16(1, 16, 2, 2);
    impCopy(s.h, d16.h);
    EXPECT_EQ(impGetStatus(), -5);
}
