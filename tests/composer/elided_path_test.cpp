// Long paths in a fixed width: the middle of the folder part gives way, the file name stays whole.
#include <gtest/gtest.h>

#include "composer/elided_path.h"

namespace {

TEST(ElidedPath, KeepsTheStartAndTheFileNameAndDropsTheMiddle)
{
    const struct {
        const char* path;
        int limit;  // bytes that fit
        const char* shown;
    } cases[] = {
        {"D:\\Tones\\a.m4r", 40, "D:\\Tones\\a.m4r"},
        {"D:\\one\\two\\three\\four\\tonwick-004.m4r", 30, "D:\\on...e\\four\\tonwick-004.m4r"},
        {"D:\\one\\two\\three\\four\\tonwick-004.m4r", 10, "...\\tonwick-004.m4r"},
        {"D:\\one\\two\\three\\four\\", 14, "D:\\o...e\\four\\"},
        {"D:\\歌曲\\歌曲\\歌曲\\x.m4r", 21, "D:\\...\\歌曲\\x.m4r"},
    };
    for (const auto& c : cases) {
        const CString shown = ElidePathMiddle(c.path, [&](const CString& t) { return t.GetLength() <= c.limit; });
        EXPECT_STREQ(shown, c.shown) << c.path << " in " << c.limit;
    }
}

}  // namespace
