// Accelerator tables: a resource table read byte for byte, and keys and characters turned into commands.
#include "kernel/resources.h"
#include "tests/support/window/ui_fixture.h"

namespace {

class CommandWnd : public CWnd {
public:
    std::vector<WPARAM> commands;

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM) override
    {
        commands.push_back(wParam);
        return TRUE;
    }
};

// F5 (virtual key) gives 501; Ctrl+O gives 502; the character 'q' gives 503 and ends the table.
const unsigned char kTable[] = {
    0x01, 0, 0x74, 0, 0xF5, 0x01, 0, 0,  //
    0x09, 0, 'O',  0, 0xF6, 0x01, 0, 0,  //
    0x80, 0, 'q',  0, 0xF7, 0x01, 0, 0,
};
const EmbeddedResource kResources[] = {{"ACCELERATOR", "9113", kTable, sizeof(kTable)}};

TEST(Accelerators, ResourceTableTurnsKeysIntoCommands)
{
    RegisterResourceTable(kResources, 1);
    HACCEL table = LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(9113));
    ASSERT_NE(table, nullptr);
    CommandWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "accel", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr));
    MSG f5{w, WM_KEYDOWN, VK_F5, 0, 0, {0, 0}};
    MSG plainO{w, WM_KEYDOWN, 'O', 0, 0, {0, 0}};
    MSG q{w, WM_CHAR, 'q', 0, 0, {0, 0}};
    MSG up{w, WM_KEYUP, VK_F5, 0, 0, {0, 0}};
    EXPECT_TRUE(TranslateAccelerator(w, table, &f5));
    EXPECT_FALSE(TranslateAccelerator(w, table, &plainO));  // needs Ctrl
    EXPECT_TRUE(TranslateAccelerator(w, table, &q));
    EXPECT_FALSE(TranslateAccelerator(w, table, &up));
    EXPECT_EQ(w.commands, (std::vector<WPARAM>{MAKEWPARAM(501, 1), MAKEWPARAM(503, 1)}));
    EXPECT_TRUE(DestroyAcceleratorTable(table));
    EXPECT_FALSE(TranslateAccelerator(w, table, &f5));
}

TEST(Accelerators, MissingResourceGivesNoTable)
{
    EXPECT_EQ(LoadAccelerators(AfxGetResourceHandle(), MAKEINTRESOURCE(113)), nullptr);
}

}  // namespace
