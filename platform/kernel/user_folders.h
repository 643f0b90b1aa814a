// The user's home, configuration and documents folders (XDG), and the shell's special-folder queries.
#pragma once

#include <string>

#include "kernel/windef.h"

#define CSIDL_DESKTOP 0x0000
#define CSIDL_PERSONAL 0x0005
#define CSIDL_MYDOCUMENTS CSIDL_PERSONAL
#define CSIDL_MYMUSIC 0x000d
#define CSIDL_DESKTOPDIRECTORY 0x0010
#define CSIDL_APPDATA 0x001a
#define CSIDL_LOCAL_APPDATA 0x001c
#define CSIDL_FLAG_CREATE 0x8000
#define SHGFP_TYPE_CURRENT 0
#ifndef S_OK
#define S_OK ((HRESULT)0)
#endif
#ifndef E_FAIL
#define E_FAIL ((HRESULT)0x80004005L)
#endif
#ifndef E_INVALIDARG
#define E_INVALIDARG ((HRESULT)0x80070057L)
#endif

// Linux paths without a trailing '/'.
std::string GetHomeFolder();
// $XDG_CONFIG_HOME, else ~/.config.
std::string GetConfigFolder();
// $XDG_DOCUMENTS_DIR; else the XDG_DOCUMENTS_DIR line of user-dirs.dirs in the configuration
// folder ("$HOME" expanded); else ~/Documents. Created when missing.
std::string GetDocumentsFolderLinux();

// Windows-style folder without a trailing backslash (documents, music, desktop, application data).
BOOL SHGetSpecialFolderPath(HWND owner, LPSTR path, int csidl, BOOL create);
HRESULT SHGetFolderPath(HWND owner, int csidl, HANDLE token, DWORD flags, LPSTR path);
