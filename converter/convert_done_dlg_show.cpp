// CConverterDlg::ShowConvertDone: the end of every batch, logged and shown with the conversion-done dialog.
#include "converter/convert_done_dlg.h"
#include "converter/converter_dlg.h"
#include "services/language_text.h"
#include "services/log_writer.h"

void CConverterDlg::ShowConvertDone(int total, int done, const CString& usedTime, const CString& firstOutput)
{
    CString counts;
    counts.Format("%d of %d in %s", done, total, usedTime.GetString());
    WriteLog("Convert done - ", counts);
    CConvertDoneDlg dialog(total, done, usedTime, m_exportFolder, firstOutput, GetLanguageText("kvtdone"), this);
    dialog.DoModal();
}
