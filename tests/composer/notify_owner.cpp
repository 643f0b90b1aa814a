// The recording owner's message map.
#include "notify_owner.h"

BEGIN_MESSAGE_MAP(NotifyOwner, CWnd)
ON_MESSAGE(kNotifyMessage, OnNotify100)
END_MESSAGE_MAP()
