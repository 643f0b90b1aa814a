// Shell services: opening documents and programs, the notification-area icon, and the folder browser.
#pragma once

#include "ui/appbar.h"
#include "ui/winuser.h"

// Opens a file, folder or address with its usual program, or starts a program; above 32 on success.
HINSTANCE ShellExecute(HWND owner, LPCSTR verb, LPCSTR file, LPCSTR parameters, LPCSTR directory, int showCommand);
#define SE_ERR_FNF 2
#define SE_ERR_PNF 3
#define SE_ERR_ACCESSDENIED 5
#define SE_ERR_NOASSOC 31

// Notification-area icon.
#define NIM_ADD 0x00000000
#define NIM_MODIFY 0x00000001
#define NIM_DELETE 0x00000002
#define NIF_MESSAGE 0x00000001
#define NIF_ICON 0x00000002
#define NIF_TIP 0x00000004
struct NOTIFYICONDATA {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    CHAR szTip[64];
};
typedef NOTIFYICONDATA* PNOTIFYICONDATA;
// FALSE where the desktop has no notification area.
BOOL Shell_NotifyIcon(DWORD message, PNOTIFYICONDATA data);

// Folder browser.
struct ITEMIDLIST;
typedef ITEMIDLIST* LPITEMIDLIST;
typedef const ITEMIDLIST* LPCITEMIDLIST;
typedef int(CALLBACK* BFFCALLBACK)(HWND, UINT, LPARAM, LPARAM);
#define BIF_RETURNONLYFSDIRS 0x0001
#define BIF_DONTGOBELOWDOMAIN 0x0002
#define BIF_EDITBOX 0x0010
#define BIF_NEWDIALOGSTYLE 0x0040
#define BIF_USENEWUI (BIF_NEWDIALOGSTYLE | BIF_EDITBOX)
struct BROWSEINFO {
    HWND hwndOwner;
    LPCITEMIDLIST pidlRoot;
    LPSTR pszDisplayName;
    LPCSTR lpszTitle;
    UINT ulFlags;
    BFFCALLBACK lpfn;
    LPARAM lParam;
    int iImage;
};
typedef BROWSEINFO* LPBROWSEINFO;
// The chosen folder as an item list (free it with CoTaskMemFree), or null when cancelled.
LPITEMIDLIST SHBrowseForFolder(LPBROWSEINFO info);
BOOL SHGetPathFromIDList(LPCITEMIDLIST list, LPSTR path);
void CoTaskMemFree(void* memory);
