// The language texts every score dialog shows: its title and the OK and Cancel buttons.
#include "scoreview/score_dialog_texts.h"

#include "services/language_text.h"
#include "ui/ui.h"

void SetControlText(CWnd* dialog, int id, const char* key)
{
    if (CWnd* control = dialog->GetDlgItem(id))
        control->SetWindowText(GetLanguageText(key));
}

void SetScoreDialogTexts(CWnd* dialog, const char* titleKey)
{
    dialog->SetWindowText(GetLanguageText(titleKey));
    SetControlText(dialog, IDOK, "ok");
    SetControlText(dialog, IDCANCEL, "cancel");
}
