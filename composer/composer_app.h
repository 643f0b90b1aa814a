// CComposerApp: the composer's application object: the start-up steps, the main dialog's run and the exit steps.
#pragma once

#include "ui/ui.h"

// The main window's title, the tray tip and the key of the single-instance check.
constexpr const char* kProductTitle = "Tonwick Composer";
// 1 unless the first command-line argument is the suite switch.
extern int g_bStandAlone;

class CComposerApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

// Clears the stand-alone flag when the first command-line argument is the suite switch, in any case.
void ReadSuiteSwitch(const CString& firstArgument);
// The song a stand-alone start names as its first argument, as a full Windows-style path; empty for none.
CString StartupSongPath(const CString& firstArgument);
// True when a top-level window titled with the product title exists.
bool IsAlreadyRunning();
// Picks the legacy numbered-text file whose first line names the language of kestrin.ini [main] "language"
// (else the first file of lan\), and makes its name the legacy language name.
void LookupLegacyLanguageFile();
// Makes the score view open the composer's track editor, text entry, choice and text input dialogs.
void InstallScoreViewDialogs();
// After the main dialog of a suite start: the suite launcher again, and common.ini [TonwickSuite]
// "SuiteLaunched" = 0.
void RestartSuiteLauncher();
