// CClefDialog: the modal clef choice (template 149) for the current track.
#include "scoreview/clef_dialog.h"

#include "scoreview/score_dialog_texts.h"
#include "services/numbered_text.h"

BEGIN_MESSAGE_MAP(CClefDialog, CDialog)
ON_LBN_SELCHANGE(CClefDialog::kListId, CClefDialog::OnSelChangeList)
END_MESSAGE_MAP()

CClefDialog::CClefDialog(int clef, CWnd* parent) : CDialog(IDD, parent), m_clef(clef) {}

void CClefDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kListId, m_list);
}

BOOL CClefDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetScoreDialogTexts(this, "IDS_SCORE_MODICLEF");
    // The clef names are the numbered texts from 210 on, in clef number order.
    for (int clef = 0; clef < 4; ++clef)
        m_list.AddString(GetNumberedText(210 + clef));
    m_list.SetCurSel(m_clef);
    return TRUE;
}

void CClefDialog::OnSelChangeList() { m_clef = m_list.GetCurSel(); }
