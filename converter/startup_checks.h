// The product title, the stand-alone flag with the suite switch, and the single-instance check.
#pragma once

#include "kernel/cstring.h"

// The product title: the main window's title and the key of the single-instance check.
extern const char* const g_productTitle;
// 1 unless the program was started by the suite launcher.
extern int g_standAlone;

// Sets the stand-alone flag to 0 when the first command-line argument is the suite switch, in any case.
void ReadSuiteSwitch(const CString& firstArgument);
// 1 when a top-level window titled with the product title exists.
int IsConverterRunning();
