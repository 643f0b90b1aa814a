// The composer's single-instance check: a top-level window with the product title, whatever program owns it.
#include "composer/composer_app.h"
#include "skinui/skin_dialog.h"
#include "tests/support/window/ui_fixture.h"

namespace {

TEST(SingleInstance, AWindowWithTheProductTitleMeansAlreadyRunning)
{
    g_strProductTitle = kProductTitle;
    EXPECT_FALSE(IsAlreadyRunning());
    CWnd other;
    ASSERT_TRUE(other.CreateEx(0, nullptr, kProductTitle, WS_POPUP | WS_VISIBLE, 10, 10, 100, 60, nullptr, nullptr));
    PumpFor(50);
    EXPECT_TRUE(IsAlreadyRunning());
    other.DestroyWindow();
    PumpFor(50);
    EXPECT_FALSE(IsAlreadyRunning());
}

}  // namespace
