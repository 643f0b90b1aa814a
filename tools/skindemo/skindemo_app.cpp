// The skinned-toolkit demo: --program composer|converter --skin N [--screenshot FILE.bmp].
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "demo_program_folder.h"
#include "demo_skin_dialog.h"
#include "kernel/path_map.h"
#include "kernel/program_paths.h"
#include "services/deliverable.h"
#include "skinui/skin_dialog.h"
#include "window_shot.h"

namespace {

class CSkinDemoApp : public CWinApp {
public:
    CSkinDemoApp() : CWinApp("Skinned toolkit demo") {}
    BOOL InitInstance() override;
};

CSkinDemoApp theApp;

void PumpFor(int milliseconds)
{
    auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) {
        MSG msg;
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
}

int Usage()
{
    std::fprintf(stderr, "usage: skindemo --program composer|converter --skin N [--screenshot FILE.bmp]\n");
    return 2;
}

int Screenshot(CDemoSkinDialog& dlg, const char* path)
{
    dlg.ShowWindow(SW_SHOW);
    CWnd* drop = dlg.OpenComboDropDown();
    PumpFor(500);
    std::vector<CWnd*> overlays;
    if (drop)
        overlays.push_back(drop);
    bool written = WriteWindowShot(&dlg, overlays, ToWindowsPath(path).c_str());
    dlg.DestroyWindow();
    if (!written) {
        std::fprintf(stderr, "skindemo: could not write %s\n", path);
        return 1;
    }
    return 0;
}

int RunDemo()
{
    const char* program = nullptr;
    const char* screenshot = nullptr;
    int skin = 0;
    for (int i = 1; i + 1 < __argc; i += 2) {
        if (std::strcmp(__argv[i], "--program") == 0)
            program = __argv[i + 1];
        else if (std::strcmp(__argv[i], "--skin") == 0)
            skin = std::atoi(__argv[i + 1]);
        else if (std::strcmp(__argv[i], "--screenshot") == 0)
            screenshot = __argv[i + 1];
        else
            return Usage();
    }
    if (!program || skin < 1 || (std::strcmp(program, "composer") != 0 && std::strcmp(program, "converter") != 0))
        return Usage();
    bool converter = std::strcmp(program, "converter") == 0;
    SetDeliverable(converter ? DELIVERABLE_CONVERTER : DELIVERABLE_COMPOSER);
    g_strProductTitle = converter ? "Tonwick Converter" : "Kestrin";
    CDemoProgramFolder folder(skin);
    if (!folder.Ready()) {
        std::fprintf(stderr, "skindemo: could not prepare the program folder\n");
        return 1;
    }
    // The music-font label shows the composer's music font from the program folder.
    std::string musicFont = GetProgramFolder() + "kestrin.ttf";
    AddFontResourceA(musicFont.c_str());
    CDemoSkinDialog dlg;
    int result = 0;
    if (screenshot) {
        result = dlg.Create(9100) ? Screenshot(dlg, screenshot) : 1;
    } else {
        theApp.m_pMainWnd = &dlg;
        dlg.DoModal();
    }
    RemoveFontResourceA(musicFont.c_str());
    return result;
}

BOOL CSkinDemoApp::InitInstance()
{
    int result = RunDemo();
    if (result != 0)
        std::exit(result);
    return FALSE;
}

}  // namespace
