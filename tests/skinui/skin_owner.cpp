// The test owner's message map.
#include "skin_fixture.h"

BEGIN_MESSAGE_MAP(SkinOwner, CWnd)
ON_MESSAGE(WM_SKINCOMMAND, OnSkinCommand)
END_MESSAGE_MAP()
