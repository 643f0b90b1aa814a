// WindowSystemEnvironment: starts the window system once per test program; prompts go to the recording service;
// each test case has config and documents folders of its own (the windows write settings, exports and logs).
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "kernel/prompt_service.h"
#include "tests/support/user_folders_per_test.h"
#include "ui/winapp.h"

class WindowSystemEnvironment : public ::testing::Environment {
public:
    explicit WindowSystemEnvironment(const char* program) : m_program(program) { UserFoldersPerTest::Install(); }

    void SetUp() override
    {
        ASSERT_TRUE(AfxWinInit(1, m_argv));
        SetPromptService(&GetRecordingPromptService());
    }
    void TearDown() override { AfxWinTerm(); }

private:
    std::string m_program;
    char* m_argv[2] = {m_program.data(), nullptr};
};
