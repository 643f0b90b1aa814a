// The default printer's paper size.
#include "services/default_printer.h"

// This system offers the program no printer devices, so there is never a default printer: the
// outputs keep the values the caller set, as they do on any system without a default printer.
void CreateDefaultPrinterDC(CWnd* parent, int* first, int* second) {}
