// The demo's painted-class edit: its class handles WM_PAINT and keeps key-downs, as the skinned combo's edit does.
#pragma once

#include "ui/ui.h"

class CPaintedEdit : public CEdit {
protected:
    afx_msg void OnPaint();
    afx_msg void OnKeyDown(UINT ch, UINT repeat, UINT flags);
    DECLARE_MESSAGE_MAP()
};
