// CConverterApp: the converter's application object: start-up checks, the start log and the main dialog's run.
#pragma once

#include "ui/ui.h"

class CConverterApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

// 1 when a top-level window titled with the product title exists.
int IsConverterRunning();
// Sets the stand-alone flag from the first command-line argument (the suite switch, in any case).
void ReadSuiteSwitch(const CString& firstArgument);
