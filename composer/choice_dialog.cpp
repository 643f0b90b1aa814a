// CChoiceDialog: the modal choice between two radio buttons (template 161).
#include "composer/choice_dialog.h"

#include "services/numbered_text.h"

BEGIN_MESSAGE_MAP(CChoiceDialog, CDialog)
ON_BN_CLICKED(CChoiceDialog::kFirstRadioId, CChoiceDialog::OnFirstRadio)
ON_BN_CLICKED(CChoiceDialog::kSecondRadioId, CChoiceDialog::OnSecondRadio)
END_MESSAGE_MAP()

CChoiceDialog::CChoiceDialog(CWnd* parent) : CDialog(IDD, parent) {}

BOOL CChoiceDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckRadioButton(kFirstRadioId, kSecondRadioId, kFirstRadioId + m_nChoice);
    SetWindowText(GetNumberedText(156));
    GetDlgItem(IDOK)->SetWindowText(GetNumberedText(3));
    GetDlgItem(IDCANCEL)->SetWindowText(GetNumberedText(4));
    return TRUE;
}

void CChoiceDialog::OnFirstRadio() { m_nChoice = 0; }

void CChoiceDialog::OnSecondRadio() { m_nChoice = 1; }
