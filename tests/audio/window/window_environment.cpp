// Starts the window system once for the audio window tests and sends device notifications through its queue.
#include "media/media_window_post.h"
#include "tests/support/window/window_system_environment.h"
#include "ui/ui.h"

namespace {

class AudioWindowEnvironment : public WindowSystemEnvironment {
public:
    AudioWindowEnvironment() : WindowSystemEnvironment("audio_window_tests") {}
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

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new AudioWindowEnvironment);

}  // namespace
