// Process-wide values of the main dialog that the shared services read and write.
#pragma once

#include "kernel/cstring.h"
#include "kernel/windef.h"

class CWnd;

// What the main dialog shares with the language and skin lookups: the dialog itself and its
// language number, skin number and transparent colour (range). The composer's dialog has one
// transparent colour (high end null); the converter's keeps a low and a high end.
struct MainDialogLink {
    CWnd* pDialog = nullptr;
    int* pLanguage = nullptr;
    int* pSkin = nullptr;
    COLORREF* pTransparent = nullptr;
    COLORREF* pTransparentHigh = nullptr;
};

// Called by the main dialog's constructor; from then on texts are translated and skin loads
// store their values into the dialog.
void SetMainDialog(const MainDialogLink& link);
// The main dialog, or null before its constructor ran.
CWnd* GetMainDialog();
const MainDialogLink& GetMainDialogLink();

// The skin's transparent colour as the erase handlers use it; RGB(192, 192, 192) at start.
extern COLORREF g_crSkinTransparent;

// Save As kinds: 0 none, 1 mid, 2 mmf, 3 sms, 4 jpg, 5 m4r, 6 mp3, 7 amr, 8 awb.
extern int g_nLastSaveAsKind;
// The path chosen by Save As for the audio kinds 5 to 8; the export writes the audio file there.
extern CString g_strExportTarget;
