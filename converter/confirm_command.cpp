// CConverterDlg::Confirm: a yes/no question of the main window.
#include "converter/converter_dlg.h"

int CConverterDlg::Confirm(const CString& title, const CString& text)
{
    return MessageBox(text, title, MB_OKCANCEL | MB_ICONQUESTION) == IDOK ? IDOK : IDCANCEL;
}
