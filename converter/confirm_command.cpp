// CConverterDlg::Confirm: a yes/no question of the main window.
#include "converter/confirm_dlg.h"
#include "converter/converter_dlg.h"

int CConverterDlg::Confirm(const CString& title, const CString& text)
{
    CConfirmDlg dialog(title, text, this);
    return dialog.DoModal() == IDOK ? IDOK : IDCANCEL;
}
