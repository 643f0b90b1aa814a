// The saved window size: read from the registry as DWORD values; anything else keeps the defaults.
#include "dialog_fixture.h"
#include "kernel/registry.h"

namespace {

TEST_F(ConverterDialog, WindowSizeComesFromDwordValuesOnly)
{
    HKEY key = nullptr;
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyEx(HKEY_CURRENT_USER, "Software\\DirectX AppWizard Apps\\MervaneAll2Mp3", 0, nullptr, 0,
                             KEY_ALL_ACCESS, nullptr, &key, &disposition),
              0);
    const DWORD width = 640;
    RegSetValueEx(key, "Width", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&width), sizeof(width));
    RegSetValueEx(key, "Height", 0, REG_SZ, reinterpret_cast<const BYTE*>("480"), 4);
    RegCloseKey(key);
    ScriptedConverterDlg sized;
    EXPECT_EQ(sized.Width, 640);
    EXPECT_EQ(sized.Height, 375);
}

}  // namespace
