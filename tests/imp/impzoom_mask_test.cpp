// Resizes under a source mask that the run's mask covers only in part.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "imp/impgeom.h"
#include "imp_test_util.h"

// A strong enlargement scales the source mask over only part of the run's mask; the rest must read as clear
// whatever the memory held before.
TEST(ImpZoomMask, PartlyCoveredMaskWritesOnlyCoveredPixels)
{
    ImpModeGuard guard;
    for (int mode : {IMP_INTER_NN, IMP_INTER_LINEAR}) {
        for (int attempt = 0; attempt < 4; ++attempt) {
            void* junk = malloc(84 + 8 * attempt);
            memset(junk, 0xFF, 84 + 8 * attempt);
            free(junk);
            TestImage src(1, 8, 4, 4, 0, 200), dst(1, 8, 4, 4, 0, 9), mask(1, 1, 4, 4, 0, 0xFF);
            src.h->maskImage = mask.h;
            impResize(src.h, dst.h, 9, 1, 9, 1, mode);
            src.h->maskImage = nullptr;
            ASSERT_EQ(impGetStatus(), 0);
            for (int y = 0; y < 4; ++y)
                for (int x = 0; x < 4; ++x)
                    EXPECT_EQ(dst.at8(x, y), x == 0 && y == 0 ? 200 : 9) << x << "," << y;
        }
    }
}
