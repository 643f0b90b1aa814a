// CConvertDoneDlg: the end of a batch: how many files were done in what time, and what to do next.
#pragma once

#include "skinui/skin_dialog.h"

class CConvertDoneDlg : public CSkinDialog {
public:
    // What the dialog's end opens.
    enum Choice { OPEN_EXPORT_FOLDER = 0, OPEN_FIRST_OUTPUT = 1, CLOSE_AND_CONTINUE = 2 };

    // firstOutputFile: the batch's first successful output; empty when none succeeded.
    CConvertDoneDlg(int total, int done, CString usedTime, CString exportFolder, CString firstOutputFile, CString title,
                    CWnd* parent);
    ~CConvertDoneDlg() override;

    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* dx) override;
    // Ends the dialog (button 2, Escape, closing), then does what was chosen.
    void OnCancel() override;

    CString m_exportFolder;
    CString m_firstOutputFile;
    int m_choice = OPEN_EXPORT_FOLDER;
    CString m_summary;

protected:
    afx_msg void OnChoice(UINT id);
    DECLARE_MESSAGE_MAP()
};
