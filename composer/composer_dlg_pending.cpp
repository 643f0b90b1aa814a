// CComposerDlg: the dispatcher, range texts and track rows until their own files land.
#include "composer/composer_dlg.h"

LRESULT CComposerDlg::OnUserMessage(WPARAM id, LPARAM value) { return CSkinDialog::OnSkinCommand(id, value); }

void CComposerDlg::UpdateRangeTexts(BOOL log) {}

void CComposerDlg::ApplyRangeBarRange() {}

void CComposerDlg::UpdateTrackPanel() {}
