// The language texts every score dialog shows: its title and the OK and Cancel buttons.
#pragma once

class CWnd;

void SetScoreDialogTexts(CWnd* dialog, const char* titleKey);
// Sets a control's text to the language text of the key.
void SetControlText(CWnd* dialog, int id, const char* key);
