// CConvertDoneDlg: the summary of a finished batch and the hand-over to the export folder or the first output.
#include "converter/convert_done_dlg.h"

#include "kernel/path_map.h"
#include "services/language_text.h"
#include "services/log_writer.h"
#include "ui/shellapi.h"

namespace {

constexpr UINT kSummary = 3045;
constexpr UINT kOpenExport = 3046;  // choices 0, 1, 2 in radio order
constexpr UINT kOpenOutput = 3047;
constexpr UINT kContinue = 3048;

}  // namespace

BEGIN_MESSAGE_MAP(CConvertDoneDlg, CSkinDialog)
ON_CONTROL_RANGE(BN_CLICKED, kOpenExport, kContinue, OnChoice)
END_MESSAGE_MAP()

CConvertDoneDlg::CConvertDoneDlg(int total, int done, CString usedTime, CString exportFolder, CString firstOutputFile,
                                 CString title, CWnd* parent)
    : CSkinDialog(263, parent, title, CAPTION_CHILD), m_exportFolder(exportFolder), m_firstOutputFile(firstOutputFile)
{
    m_summary.Format("%s:%d, %s:%d, %s %s\r\n", GetLanguageText("task").GetString(), total,
                     GetLanguageText("donenumber").GetString(), done, GetLanguageText("usedtime").GetString(),
                     usedTime.GetString());
    m_summary += GetLanguageText("exportfoldertip") + DisplayPath(exportFolder.GetString()).c_str();
}

CConvertDoneDlg::~CConvertDoneDlg() = default;

void CConvertDoneDlg::DoDataExchange(CDataExchange* dx)
{
    CSkinDialog::DoDataExchange(dx);
    DDX_Text(dx, kSummary, m_summary);
}

BOOL CConvertDoneDlg::OnInitDialog()
{
    CSkinDialog::OnInitDialog();
    SetWindowText(m_strTitle);
    SetDlgItemText(kOpenOutput, GetLanguageText("openitunes"));
    SetDlgItemText(kOpenExport, GetLanguageText("openexport"));
    SetDlgItemText(kContinue, GetLanguageText("closecontinue1"));
    SetDlgItemText(IDCANCEL, GetLanguageText("next"));
    CheckRadioButton(kOpenExport, kContinue, kOpenExport);
    CreateCaptionButtons();
    return TRUE;
}

void CConvertDoneDlg::OnChoice(UINT id) { m_choice = static_cast<int>(id - kOpenExport); }

void CConvertDoneDlg::OnCancel()
{
    CSkinDialog::OnCancel();
    if (m_choice == OPEN_EXPORT_FOLDER) {
        ShellExecute(nullptr, "open", m_exportFolder, nullptr, nullptr, SW_SHOWNORMAL);
    } else if (m_choice == OPEN_FIRST_OUTPUT) {
        // The ringtone opens in the desktop's program for it; with no output there is nothing to hand over.
        if (!m_firstOutputFile.IsEmpty())
            ShellExecute(nullptr, "open", m_firstOutputFile, nullptr, nullptr, SW_SHOWNORMAL);
        else
            WriteLog("No output file to open");
    }
}
