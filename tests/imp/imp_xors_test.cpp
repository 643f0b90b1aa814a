// impXorS over whole images of every size against a byte reference, and the constant's widening by depth.
#include <gtest/gtest.h>

#include <random>

#include "imp/implogic.h"
#include "imp_test_util.h"

TEST(ImpXorS, WholeImagesOfEverySize)
{
    ImpModeGuard g;
    std::mt19937 rng(21);
    struct Depth {
        int depth;
        int32_t value;
        uint32_t pattern;
    } depths[] = {
        {1, 3, 0xFFFFFFFFu}, {1, 2, 0}, {8, 0x1FF, 0xFFFFFFFFu}, {8, 0x5A, 0x5A5A5A5Au}, {16, 0x1FF, 0x01FF01FFu}};
    for (const Depth& d : depths)
        for (int channels : {1, 3})
            for (int width : {1, 5, 16, 21, 67})
                for (int height : {1, 3}) {
                    if (d.depth == 1 && channels != 1)
                        continue;
                    TestImage s(channels, d.depth, width, height), o(channels, d.depth, width, height);
                    for (int i = 0; i < s.h->imageSize; ++i)
                        s.h->imageData[i] = (char)rng();
                    impXorS(s.h, o.h, d.value);
                    ASSERT_EQ(impGetStatus(), 0);
                    // Row padding included: every byte is the source byte XOR the widened pattern's byte.
                    for (int i = 0; i < s.h->imageSize; ++i)
                        ASSERT_EQ((uint8_t)o.h->imageData[i],
                                  (uint8_t)(s.h->imageData[i] ^ (d.pattern >> (8 * (i & 3)))))
                            << d.depth << " " << channels << " " << width << "x" << height << " byte " << i;
                }
}
