// The demo's painted-class edit: typing still works, as characters arrive as WM_CHAR.
#include "painted_edit.h"

BEGIN_MESSAGE_MAP(CPaintedEdit, CEdit)
ON_WM_PAINT()
ON_WM_KEYDOWN()
END_MESSAGE_MAP()

void CPaintedEdit::OnPaint() { Default(); }

void CPaintedEdit::OnKeyDown(UINT, UINT, UINT) {}
