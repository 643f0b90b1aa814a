// The paper size of the default printer, for the composer's paper settings.
#pragma once

class CWnd;

// With a default printer: first = paper length and second = paper width (tenths of a millimetre)
// for a named print quality, else the printable size in dots (size in millimetres x dpi / 25.4).
// Without one both outputs keep their values.
void CreateDefaultPrinterDC(CWnd* parent, int* first, int* second);
