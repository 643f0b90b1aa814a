// Resource lookup by id and type, the BITMAP header rule, and string tables.
#include <gtest/gtest.h>

#include <cstring>

#include "kernel/cstring.h"
#include "kernel/resources.h"
#include "kernel/string_resources.h"

const EmbeddedResource* KernelTestResources(size_t* count);

namespace {

class Resources : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        size_t count = 0;
        const EmbeddedResource* table = KernelTestResources(&count);
        RegisterResourceTable(table, count);
    }
};

}  // namespace

TEST_F(Resources, FoundByIdAndType)
{
    HMODULE module = AfxGetResourceHandle();
    struct Case {
        LPCSTR name;
        LPCSTR type;
        DWORD size;  // 0: not found
    } cases[] = {
        {MAKEINTRESOURCE(7001), "DIB", 58},      // custom type: the whole file
        {MAKEINTRESOURCE(7001), "dib", 58},      // types ignore case
        {"#7001", "DIB", 58},                    // numeric name as text
        {MAKEINTRESOURCE(7001), RT_BITMAP, 44},  // file header skipped
        {"MENU7", RT_DIALOG, 9},                 // named resource, folder case ignored
        {"menu7", "DIALOG", 9},
        {MAKEINTRESOURCE(7002), "DIB", 0},
        {MAKEINTRESOURCE(7001), RT_CURSOR, 0},
    };
    for (const Case& c : cases) {
        HRSRC found = FindResource(module, c.name, c.type);
        EXPECT_EQ(found != nullptr, c.size != 0);
        if (!found)
            continue;
        EXPECT_EQ(SizeofResource(module, found), c.size);
        const BYTE* data = static_cast<const BYTE*>(LockResource(LoadResource(module, found)));
        ASSERT_NE(data, nullptr);
        if (c.size == 58) {
            EXPECT_EQ(memcmp(data, "BM", 2), 0);
        }
        if (c.size == 44) {
            EXPECT_EQ(data[0], 40);  // the info header's size field comes first
        }
    }
}

TEST_F(Resources, StringTable)
{
    char buffer[64];
    EXPECT_EQ(LoadString(AfxGetInstanceHandle(), 7001, buffer, sizeof buffer), 20);
    EXPECT_STREQ(buffer, "Open file failed !!!");
    EXPECT_EQ(LoadString(nullptr, 7002, buffer, sizeof buffer), 13);
    EXPECT_STREQ(buffer, "Two\nlines\ttab");
    EXPECT_EQ(LoadString(nullptr, 7001, buffer, 5), 4);  // cut to the buffer
    EXPECT_STREQ(buffer, "Open");
    EXPECT_EQ(LoadString(nullptr, 9999, buffer, sizeof buffer), 0);
    EXPECT_STREQ(buffer, "");
    CString text("kept");
    EXPECT_FALSE(LoadStringResource(9999, text));
    EXPECT_EQ(text, "kept");
    EXPECT_TRUE(LoadStringResource(7003, text));
    EXPECT_EQ(text, "\xe6\x89\x93\xe5\xbc\x80");
}
