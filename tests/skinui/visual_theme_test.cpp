// The theme binder: fallbacks without the theme library, binding by name, and the once-per-run theme decision.
#include <gtest/gtest.h>

#include <string>

#include "skinui/visual_theme.h"
#include "ui/library_registry.h"

namespace {

constexpr HRESULT E_FAIL_RESULT = static_cast<HRESULT>(0x80004005L);

// What the stand-in libraries answer and saw.
DWORD g_major = 0, g_minor = 0, g_versionSize = 0;
BOOL g_appThemed = FALSE;
HTHEME const kTheme = reinterpret_cast<HTHEME>(0x7E);

HRESULT FakeDllGetVersion(DLLVERSIONINFO* info)
{
    g_versionSize = info->cbSize;
    EXPECT_EQ(info->dwMajorVersion | info->dwMinorVersion | info->dwBuildNumber | info->dwPlatformID, 0u);
    info->dwMajorVersion = g_major;
    info->dwMinorVersion = g_minor;
    return 0;
}
BOOL FakeIsAppThemed() { return g_appThemed; }
BOOL FakeIsAppThemedAlwaysOn() { return TRUE; }
HTHEME FakeOpenThemeData(HWND, LPCWSTR classList) { return std::wstring(classList) == L"SCROLLBAR" ? kTheme : nullptr; }
HRESULT FakeCloseThemeData(HTHEME theme) { return theme == kTheme ? 0 : E_FAIL_RESULT; }

template <typename Fn>
std::pair<std::string, FARPROC> Export(const char* name, Fn fn)
{
    return {name, reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(fn))};
}

class VisualTheme : public ::testing::Test {
protected:
    void SetUp() override
    {
        g_major = g_minor = g_versionSize = 0;
        g_appThemed = FALSE;
    }
    void TearDown() override
    {
        UnregisterInProcessLibrary("UxTheme.dll");
        UnregisterInProcessLibrary("comctl32.dll");
    }
    static void CommonControls(DWORD major, DWORD minor)
    {
        g_major = major;
        g_minor = minor;
        RegisterInProcessLibrary("comctl32.dll", {Export("DllGetVersion", &FakeDllGetVersion)});
    }
    static void ThemeLibrary()
    {
        RegisterInProcessLibrary("UxTheme.dll",
                                 {Export("OpenThemeData", &FakeOpenThemeData), Export("IsAppThemed", &FakeIsAppThemed),
                                  Export("CloseThemeData", &FakeCloseThemeData)});
    }
};

TEST_F(VisualTheme, WithoutTheLibraryEveryWrapperFallsBack)
{
    CUxThemeLoader loader;
    CommonControls(6, 0);
    RECT rc{0, 0, 16, 16};
    EXPECT_EQ(loader.OpenThemeData(nullptr, L"SCROLLBAR"), nullptr);
    EXPECT_EQ(loader.CloseThemeData(kTheme), E_FAIL_RESULT);
    EXPECT_EQ(loader.DrawThemeBackground(kTheme, nullptr, 10, 1, &rc, nullptr), E_FAIL_RESULT);
    EXPECT_FALSE(loader.IsAppThemed());
    EXPECT_FALSE(loader.UseVisualThemes());
    FARPROC fallback = reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(&FakeIsAppThemed));
    EXPECT_EQ(loader.GetProc("IsAppThemed", fallback), fallback);
    // The program's own loader found no library on this system.
    EXPECT_FALSE(g_uxThemeLoader.UseVisualThemes());
}

TEST_F(VisualTheme, WrappersBindByNameOnceAndFallBackForMissingExports)
{
    ThemeLibrary();
    CUxThemeLoader loader;
    EXPECT_EQ(loader.OpenThemeData(nullptr, L"SCROLLBAR"), kTheme);
    EXPECT_EQ(loader.OpenThemeData(nullptr, L"BUTTON"), nullptr);
    EXPECT_EQ(loader.CloseThemeData(kTheme), 0);
    RECT rc{0, 0, 16, 16};
    EXPECT_EQ(loader.DrawThemeBackground(kTheme, nullptr, 10, 1, &rc, nullptr), E_FAIL_RESULT);
    EXPECT_FALSE(loader.IsAppThemed());
    // Bound on first use and kept: a later change of the library's export is not seen.
    RegisterInProcessLibrary("UxTheme.dll", {Export("IsAppThemed", &FakeIsAppThemedAlwaysOn)});
    EXPECT_FALSE(loader.IsAppThemed());
    EXPECT_TRUE(CUxThemeLoader().IsAppThemed());
}

TEST_F(VisualTheme, ThemedDrawingOnlyWithCommonControlsSixZeroAndAnAppTheme)
{
    const struct {
        DWORD major, minor;
        bool commonControls, themeLibrary;
        BOOL appThemed;
        BOOL expected;
    } cases[] = {
        {6, 0, true, true, TRUE, TRUE},   {6, 10, true, true, TRUE, FALSE}, {5, 81, true, true, TRUE, FALSE},
        {6, 0, true, true, FALSE, FALSE}, {6, 0, false, true, TRUE, FALSE}, {6, 0, true, false, TRUE, FALSE},
    };
    for (const auto& c : cases) {
        SetUp();
        TearDown();
        if (c.commonControls)
            CommonControls(c.major, c.minor);
        if (c.themeLibrary)
            ThemeLibrary();
        g_appThemed = c.appThemed;
        CUxThemeLoader loader;
        EXPECT_EQ(loader.UseVisualThemes(), c.expected) << c.major << "." << c.minor << " themed " << c.appThemed;
        if (c.commonControls) {
            EXPECT_EQ(g_versionSize, 20u);
        }
        // Decided once: switching the theme on later changes nothing.
        g_appThemed = TRUE;
        EXPECT_EQ(loader.UseVisualThemes(), c.expected);
    }
}

}  // namespace
