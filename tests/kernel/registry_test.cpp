// The registry store: create, set, query, delete, size rules, and the values answered by the system.
#include <gtest/gtest.h>

#include <cstring>
#include <sys/wait.h>
#include <unistd.h>

#include "tests/support/env_guard.h"
#include "kernel/last_error.h"
#include "kernel/path_map.h"
#include "kernel/registry.h"
#include "tests/support/temp_folder.h"

namespace {

class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        env.Set("XDG_CONFIG_HOME", t.Linux("config").c_str());
        env.Set("XDG_DOCUMENTS_DIR", t.Linux("docs").c_str());
    }
    TempFolder t;
    EnvGuard env;
};

}  // namespace

TEST_F(Registry, RoundTripOfTextsAndNumbers)
{
    HKEY key;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Mervane\\Kestrin", 0, nullptr, REG_OPTION_NON_VOLATILE,
                             KEY_WRITE, nullptr, &key, &disposition),
              ERROR_SUCCESS);
    EXPECT_EQ(disposition, (DWORD)REG_CREATED_NEW_KEY);
    const char version[] = "1.0 = beta; [x]";
    EXPECT_EQ(RegSetValueEx(key, "version", 0, REG_SZ, (const BYTE*)version, sizeof version), ERROR_SUCCESS);
    DWORD width = 800;
    EXPECT_EQ(RegSetValueEx(key, "Width", 0, REG_DWORD, (const BYTE*)&width, 4), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "software\\mervane\\KESTRIN", 0, KEY_READ, &key), ERROR_SUCCESS);
    char text[1024];
    DWORD type = 0, size = sizeof text;
    EXPECT_EQ(RegQueryValueEx(key, "VERSION", nullptr, &type, (LPBYTE)text, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_SZ);
    EXPECT_EQ(size, sizeof version);
    EXPECT_STREQ(text, version);
    DWORD number = 0;
    size = 4;
    EXPECT_EQ(RegQueryValueEx(key, "width", nullptr, &type, (LPBYTE)&number, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_DWORD);
    EXPECT_EQ(number, 800u);

    size = 3;  // too small: the size needed comes back
    EXPECT_EQ(RegQueryValueEx(key, "version", nullptr, nullptr, (LPBYTE)text, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, sizeof version);
    size = 0;
    EXPECT_EQ(RegQueryValueEx(key, "version", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, sizeof version);
    EXPECT_EQ(RegQueryValueEx(key, "missing", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);

    EXPECT_EQ(RegDeleteValue(key, "width"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueEx(key, "width", nullptr, nullptr, nullptr, &size), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);

    EXPECT_EQ(RegOpenKeyEx(HKEY_CURRENT_USER, "SOFTWARE\\Mervane\\Kestrin", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(key, nullptr);
    EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Mervane"), ERROR_ACCESS_DENIED);  // has a sub-key
    EXPECT_EQ(RegDeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\Mervane\\Kestrin"), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\Mervane\\Kestrin", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(Registry, ShellFoldersAndProcessorComeFromTheSystem)
{
    HKEY key;
    ASSERT_EQ(
        RegOpenKeyEx(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", 0,
                     KEY_QUERY_VALUE, &key),
        ERROR_SUCCESS);
    char text[260];
    DWORD type = 0, size = sizeof text;
    ASSERT_EQ(RegQueryValueEx(key, "Personal", nullptr, &type, (LPBYTE)text, &size), ERROR_SUCCESS);
    EXPECT_EQ(type, (DWORD)REG_EXPAND_SZ);
    EXPECT_EQ(std::string(text), ToWindowsPath(t.Linux("docs")));
    EXPECT_EQ(size, strlen(text) + 1);
    RegCloseKey(key);

    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    size = sizeof text;
    EXPECT_EQ(RegQueryValueEx(key, "Identifier", nullptr, &type, (LPBYTE)text, &size), ERROR_SUCCESS);
    EXPECT_GT(strlen(text), 0u);
    RegCloseKey(key);
}

TEST_F(Registry, StoredShellFolderWinsAndIsExpandedByTheCaller)
{
    HKEY key;
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER,
                           "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders", &key),
              ERROR_SUCCESS);
    const char stored[] = "%USERPROFILE%\\My Documents";
    ASSERT_EQ(RegSetValueEx(key, "Personal", 0, REG_EXPAND_SZ, (const BYTE*)stored, sizeof stored), ERROR_SUCCESS);
    char text[260];
    DWORD type = 0, size = sizeof text;
    ASSERT_EQ(RegQueryValueEx(key, "Personal", nullptr, &type, (LPBYTE)text, &size), ERROR_SUCCESS);
    EXPECT_STREQ(text, stored);
    EXPECT_EQ(type, (DWORD)REG_EXPAND_SZ);
    RegCloseKey(key);
}

TEST_F(Registry, TwoProcessesSettingValuesKeepEveryValue)
{
    const int values = 200;
    auto writer = [&](char prefix) {
        HKEY key;
        if (RegCreateKey(HKEY_CURRENT_USER, "Software\\Mervane\\Tonwick", &key) != ERROR_SUCCESS)
            return 1;
        for (DWORD i = 0; i < values; ++i) {
            std::string name = prefix + std::to_string(i);
            if (RegSetValueEx(key, name.c_str(), 0, REG_DWORD, (const BYTE*)&i, 4) != ERROR_SUCCESS)
                return 1;
        }
        RegCloseKey(key);
        return 0;
    };
    pid_t first = fork();
    if (first == 0)
        _exit(writer('a'));
    int second = writer('b');
    int status = 0;
    waitpid(first, &status, 0);
    ASSERT_EQ(second, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    HKEY key;
    ASSERT_EQ(RegOpenKey(HKEY_CURRENT_USER, "Software\\Mervane\\Tonwick", &key), ERROR_SUCCESS);
    int found = 0;
    for (char prefix : {'a', 'b'})
        for (DWORD i = 0; i < values; ++i) {
            DWORD number = 0, size = 4;
            std::string name = prefix + std::to_string(i);
            found += RegQueryValueEx(key, name.c_str(), nullptr, nullptr, (LPBYTE)&number, &size) == ERROR_SUCCESS &&
                     number == i;
        }
    RegCloseKey(key);
    EXPECT_EQ(found, 2 * values);
}
