// Process-wide values of the main dialog.
#include "services/composer_globals.h"

static MainDialogLink g_mainDialog;

COLORREF g_crSkinTransparent = RGB(192, 192, 192);
int g_nLastSaveAsKind = 0;
CString g_strExportTarget;

void SetMainDialog(const MainDialogLink& link) { g_mainDialog = link; }

CWnd* GetMainDialog() { return g_mainDialog.pDialog; }

const MainDialogLink& GetMainDialogLink() { return g_mainDialog; }
