// Starts the window system once for the media window tests and sends media notifications through its queue.
#include "media/media_window_post.h"
#include "tests/support/window/window_system_environment.h"
#include "ui/ui.h"

namespace {

class MediaWindowEnvironment : public WindowSystemEnvironment {
public:
    MediaWindowEnvironment() : WindowSystemEnvironment("media_window_tests") {}
    void SetUp() override
    {
        WindowSystemEnvironment::SetUp();
        SetMediaPostFunction(&PostMessage);
    }
    void TearDown() override
    {
        SetMediaPostFunction(nullptr);
        WindowSystemEnvironment::TearDown();
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new MediaWindowEnvironment);

}  // namespace
