// The suite switch and the single-instance check.
#include "converter/startup_checks.h"

#include "ui/ui.h"

const char* const g_productTitle = "Tonwick Converter";
int g_standAlone = 1;

void ReadSuiteSwitch(const CString& firstArgument)
{
    CString lower = firstArgument;
    lower.MakeLower();
    if (lower == "-tonwicksuite")
        g_standAlone = 0;
}

int IsConverterRunning()
{
    HWND window = FindWindow(nullptr, g_productTitle);
    return window && IsWindow(window) ? 1 : 0;
}
