// The window layer in one include: windows, dialogs, application object, controls, menus, common dialogs, shell.
#pragma once

#include "ui/accelerators.h"
#include "ui/animated_rects.h"
#include "ui/commctrl.h"
#include "ui/common_controls.h"
#include "ui/controls.h"
#include "ui/dialog.h"
#include "ui/file_dialog.h"
#include "ui/libraries.h"
#include "ui/menu.h"
#include "ui/shellapi.h"
#include "ui/winapp.h"
#include "ui/window_dc.h"
#include "ui/winuser.h"
#include "ui/wnd.h"
