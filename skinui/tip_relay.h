// Internal: the tooltip relay shared by the tooltip button and scroll bar.
#pragma once

#include "ui/ui.h"

// Creates the always-on tooltip with one tool of an empty text over the rectangle; answers whether it exists.
BOOL CreateTip(CToolTipCtrl& tip, CWnd* wnd, UINT_PTR toolId, const CRect& rect);
// Mouse messages show the numbered text of the tool: the text is refreshed and the message relayed.
void RelayToTip(CToolTipCtrl& tip, CWnd* wnd, UINT_PTR toolId, int textId, UINT message, WPARAM wParam, LPARAM lParam);
