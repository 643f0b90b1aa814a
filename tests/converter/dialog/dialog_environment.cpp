// Starts the window system once for all converter dialog tests, with the converter's own resources, as the
// program has them.
#include "kernel/resources.h"
#include "tests/support/window/window_system_environment.h"

const EmbeddedResource* TonwickResources(size_t* count);

namespace {

class ConverterEnvironment : public WindowSystemEnvironment {
public:
    ConverterEnvironment() : WindowSystemEnvironment("converter_dialog_tests") {}
    void SetUp() override
    {
        size_t count = 0;
        const EmbeddedResource* table = TonwickResources(&count);
        RegisterResourceTable(table, count);
        WindowSystemEnvironment::SetUp();
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ConverterEnvironment);

}  // namespace
