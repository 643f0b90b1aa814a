// CMeasureDialog: the modal measure insert or delete (template 181) at the cursor.
#include "scoreview/measure_dialog.h"

#include "scoreview/score_dialog_texts.h"

BEGIN_MESSAGE_MAP(CMeasureDialog, CDialog)
ON_BN_CLICKED(CMeasureDialog::kAddId, CMeasureDialog::OnAdd)
ON_BN_CLICKED(CMeasureDialog::kDeleteId, CMeasureDialog::OnDelete)
END_MESSAGE_MAP()

CMeasureDialog::CMeasureDialog(CWnd* parent) : CDialog(IDD, parent) {}

void CMeasureDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Text(dx, kCountId, m_count);
    DDV_MinMaxInt(dx, m_count, kMinCount, kMaxCount);
}

BOOL CMeasureDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetScoreDialogTexts(this, "IDS_SCORE_MODIMEASURE");
    SetControlText(this, kAddId, "IDS_STATIC_ADDXJ");
    SetControlText(this, kDeleteId, "IDS_STATIC_DELXJ");
    SetControlText(this, 1097, "IDS_STATIC_MODIXJS");
    CheckRadioButton(kAddId, kDeleteId, m_mode == 0 ? kAddId : kDeleteId);
    if (CWnd* count = GetDlgItem(kCountId))
        count->SetFocus();
    return FALSE;
}

void CMeasureDialog::OnAdd() { m_mode = 0; }

void CMeasureDialog::OnDelete() { m_mode = 1; }
