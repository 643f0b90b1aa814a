// A test listener that gives each test case a config folder and a documents folder of its own, removed after it:
// the settings, exports and logs one case writes are never met by the next when a whole test binary runs as one
// process.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "tests/support/env_guard.h"
#include "tests/support/temp_folder.h"

class UserFoldersPerTest : public ::testing::EmptyTestEventListener {
public:
    // Adds the listener to the test program.
    static void Install() { ::testing::UnitTest::GetInstance()->listeners().Append(new UserFoldersPerTest); }

    void OnTestStart(const ::testing::TestInfo&) override
    {
        m_folder = std::make_unique<TempFolder>();
        m_env = std::make_unique<EnvGuard>();
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DOCUMENTS_DIR"}) {
            std::filesystem::create_directory(m_folder->Linux(name));
            m_env->Set(name, m_folder->Linux(name).c_str());
        }
    }
    void OnTestEnd(const ::testing::TestInfo&) override
    {
        m_env.reset();
        m_folder.reset();
    }

private:
    std::unique_ptr<TempFolder> m_folder;
    std::unique_ptr<EnvGuard> m_env;
};
