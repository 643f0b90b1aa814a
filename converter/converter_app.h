// CConverterApp: the converter's application object: start-up checks, the start log and the main dialog's run.
#pragma once

#include "ui/ui.h"

class CConverterApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
