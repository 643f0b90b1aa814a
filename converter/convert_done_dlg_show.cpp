// CConverterDlg::ShowConvertDone: the end of every batch, shown with the conversion-done dialog.
#include "converter/convert_done_dlg.h"
#include "converter/converter_dlg.h"
#include "services/language_text.h"

void CConverterDlg::ShowConvertDone(int total, int done, const CString& usedTime, const CString& firstOutput)
{
    CConvertDoneDlg dialog(total, done, usedTime, m_exportFolder, firstOutput, GetLanguageText("kvtdone"), this);
    dialog.DoModal();
}
