// CTimeSignatureDialog: the modal time signature (template 152): numerator and denominator.
#include "scoreview/time_signature_dialog.h"

#include "scoreview/score_dialog_texts.h"

BEGIN_MESSAGE_MAP(CTimeSignatureDialog, CDialog)
ON_CBN_SELCHANGE(CTimeSignatureDialog::kDenominatorId, CTimeSignatureDialog::OnSelChangeDenominator)
END_MESSAGE_MAP()

CTimeSignatureDialog::CTimeSignatureDialog(int numerator, int denominatorCode, CWnd* parent)
    : CDialog(IDD, parent), m_denominatorCode(denominatorCode), m_numerator(numerator)
{
}

void CTimeSignatureDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, kDenominatorId, m_combo);
    DDX_Text(dx, kNumeratorId, m_numerator);
    DDV_MinMaxInt(dx, m_numerator, kMinNumerator, kMaxNumerator);
}

BOOL CTimeSignatureDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    SetScoreDialogTexts(this, "IDS_SCORE_MODITIME");
    SetControlText(this, 1094, "IDS_SCORE_TIMEUP");
    SetControlText(this, 1095, "IDS_SCORE_TIMEDOWN");
    for (const char* item : m_items)
        m_combo.AddString(item);
    m_combo.SetCurSel(m_denominatorCode);
    return TRUE;
}

void CTimeSignatureDialog::OnSelChangeDenominator() { m_denominatorCode = m_combo.GetCurSel(); }
