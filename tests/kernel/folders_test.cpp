// Environment expansion, the documents folder's resolution order and the special-folder queries.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/env_guard.h"
#include "kernel/environment.h"
#include "kernel/path_map.h"
#include "kernel/user_folders.h"
#include "tests/support/temp_folder.h"

TEST(Environment, ExpandsKnownNamesAndKeepsOthers)
{
    EnvGuard env;
    env.Set("KTEST_A", "alpha");
    env.Set("HOME", "/home/someone");
    env.Set("USERPROFILE", nullptr);
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"%KTEST_A%\\x", "alpha\\x"},
        {"%ktest_a%", "alpha"},                                // names ignore case
        {"%NO_SUCH_VAR%\\%KTEST_A%", "%NO_SUCH_VAR%\\alpha"},  // unknown kept as written
        {"50%", "50%"},
        {"%USERPROFILE%\\My Documents", "\\home\\someone\\My Documents"},  // Windows name, Linux folder
        {"", ""},
    };
    for (const Case& c : cases) {
        char out[260];
        DWORD needed = ExpandEnvironmentStrings(c.in, out, sizeof out);
        EXPECT_STREQ(out, c.out) << c.in;
        EXPECT_EQ(needed, strlen(c.out) + 1) << c.in;
    }
    char small[4] = "xyz";
    EXPECT_EQ(ExpandEnvironmentStrings("%KTEST_A%", small, sizeof small), 6u);  // size needed, nothing copied
    EXPECT_STREQ(small, "");
}

TEST(UserFolders, DocumentsFolderResolutionOrder)
{
    TempFolder t;
    EnvGuard env;
    env.Set("HOME", t.Linux("home").c_str());
    env.Set("XDG_CONFIG_HOME", t.Linux("config").c_str());
    env.Set("XDG_DOCUMENTS_DIR", nullptr);

    // No setting at all: ~/Documents, created.
    EXPECT_EQ(GetDocumentsFolderLinux(), t.Linux("home/Documents"));
    EXPECT_TRUE(std::filesystem::is_directory(t.Linux("home/Documents")));

    // user-dirs.dirs with $HOME.
    t.Write("config/user-dirs.dirs",
            "# comment\nXDG_DESKTOP_DIR=\"$HOME/Desk\"\nXDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n");
    EXPECT_EQ(GetDocumentsFolderLinux(), t.Linux("home/Dokumente"));

    // The environment variable wins.
    env.Set("XDG_DOCUMENTS_DIR", t.Linux("docs/").c_str());
    EXPECT_EQ(GetDocumentsFolderLinux(), t.Linux("docs"));

    char path[MAX_PATH];
    EXPECT_TRUE(SHGetSpecialFolderPath(nullptr, path, CSIDL_PERSONAL, TRUE));
    EXPECT_EQ(std::string(path), ToWindowsPath(t.Linux("docs")));
    EXPECT_EQ(SHGetFolderPath(nullptr, CSIDL_DESKTOPDIRECTORY, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    EXPECT_EQ(std::string(path), ToWindowsPath(t.Linux("home/Desk")));
}
