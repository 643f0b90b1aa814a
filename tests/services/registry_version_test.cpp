// The version text written to and read back from the registry store.
#include <gtest/gtest.h>

#include <cstdlib>

#include "services/registry_version.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(RegistryVersion, WriteThenRead)
{
    GTEST_FLAG_SET(death_test_style, "fast");
    TempFolder config;
    // In a child process, so that the store's folder is the temporary one.
    EXPECT_EXIT(
        {
            setenv("XDG_CONFIG_HOME", config.Linux().c_str(), 1);
            bool missing = ReadRegistryVersion("Kestrin").IsEmpty();
            WriteRegistryVersion("Kestrin", "2.1.0");
            bool found = ReadRegistryVersion("Kestrin") == "2.1.0" && ReadRegistryVersion("Other").IsEmpty();
            std::exit(missing && found ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

}  // namespace
