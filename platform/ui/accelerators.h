// Accelerator tables: keys that become WM_COMMAND before the focus window sees them.
#pragma once

#include "ui/winuser.h"

#define FVIRTKEY 0x01
#define FNOINVERT 0x02
#define FSHIFT 0x04
#define FCONTROL 0x08
#define FALT 0x10

struct ACCEL {
    BYTE fVirt;
    WORD key;
    WORD cmd;
};
typedef ACCEL* LPACCEL;

// An accelerator resource: 8-byte entries (flags, key, command, padding); 0x80 in the flags ends the table.
// Null when the program has no such resource.
HACCEL LoadAccelerators(HINSTANCE instance, LPCSTR name);
HACCEL CreateAcceleratorTable(LPACCEL entries, int count);
BOOL DestroyAcceleratorTable(HACCEL table);
// A key-down (FVIRTKEY entries, with the Shift, Ctrl and Alt states) or a character (other entries) of the
// table is sent to the window as WM_COMMAND with 1 in the high word of wParam; TRUE when one was.
int TranslateAccelerator(HWND hWnd, HACCEL table, const MSG* msg);
