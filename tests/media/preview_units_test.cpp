// The preview player's volume unit: hundredths of a decibel to a linear factor.
#include <gtest/gtest.h>

#include "media/preview_units.h"

TEST(PreviewUnits, HundredthsOfADecibelBecomeLinearFactors)
{
    const struct {
        long volume;
        double linear;
    } cases[] = {{0, 1.0},      {-2000, 0.1}, {-600, 0.501187}, {-4000, 0.01}, {-9999, 1.00116e-5},
                 {-10000, 0.0}, {-20000, 0.0}};
    for (const auto& c : cases)
        EXPECT_NEAR(c.linear, LinearVolume(c.volume), c.linear * 1e-4) << c.volume;
}
