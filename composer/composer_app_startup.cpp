// The composer's start-up helpers: the suite switch, the single-instance check, the launcher restart and the
// legacy language chooser.
#include "composer/composer_app.h"

#include <filesystem>
#include <memory>

#include "composer/legacy_language.h"
#include "kernel/path_map.h"
#include "services/app_folder.h"
#include "services/ini_file.h"
#include "services/numbered_text.h"
#include "skinui/skin_dialog.h"
#include "ui/shellapi.h"

int g_bStandAlone = 1;

void ReadSuiteSwitch(const CString& firstArgument)
{
    CString lower = firstArgument;
    lower.MakeLower();
    if (lower == "-tonwicksuite")
        g_bStandAlone = 0;
}

CString StartupSongPath(const CString& firstArgument)
{
    if (firstArgument.IsEmpty() || !g_bStandAlone)
        return CString();
    // The shell hands the path over relative to the working folder; the song keeps it whole.
    const std::filesystem::path full = std::filesystem::absolute(MapPath(firstArgument.GetString()));
    return CString(ToWindowsPath(full.lexically_normal().string()).c_str());
}

bool IsAlreadyRunning()
{
    const HWND window = FindWindow(nullptr, g_strProductTitle);
    return window && IsWindow(window);
}

void RestartSuiteLauncher()
{
    CIniFile ini(GetAppFolder() + "common.ini");
    ini.SetSection("TonwickSuite");
    ShellExecute(nullptr, "open", GetAppFolder() + "TonwickSuite.exe", nullptr, nullptr, SW_SHOWNORMAL);
    ini.WriteInt("SuiteLaunched", 0);
}

void LookupLegacyLanguageFile()
{
    CIniFile ini(GetAppFolder() + "kestrin.ini");
    ini.SetSection("main");
    std::vector<CString> names;
    const int found = FindLegacyLanguage(ini.GetString("language", ""), &names);
    if (names.empty())
        return;
    g_strLegacyLanguage = names[found < 0 ? 0 : (size_t)found];
}
