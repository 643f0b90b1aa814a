// The registry functions over a small file-backed store of the user's own.
//
// Keys and values live in <config folder>/kestrin/registry.ini ($XDG_CONFIG_HOME or ~/.config):
// one section per key ("HKEY_CURRENT_USER\Software\..."), one line per value. Names of keys and
// values ignore case. Two keys have values answered by the system when the file has none: the user's shell
// folders (HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Explorer\User Shell Folders
// and ...\Shell Folders: "Personal", "My Music", "Desktop", "AppData") and the processor
// (HKEY_LOCAL_MACHINE\HARDWARE\DESCRIPTION\System\CentralProcessor\0: "Identifier",
// "VendorIdentifier", "ProcessorNameString", "~MHz").
#pragma once

#include <string>

#include "kernel/windef.h"

#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)0x80000000)
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)0x80000001)
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)0x80000002)
#define HKEY_USERS ((HKEY)(ULONG_PTR)0x80000003)
#define HKEY_CURRENT_CONFIG ((HKEY)(ULONG_PTR)0x80000005)

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_EXECUTE KEY_READ
#define KEY_ALL_ACCESS 0xF003F

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4

#define REG_OPTION_NON_VOLATILE 0x00000000
#define REG_CREATED_NEW_KEY 0x00000001
#define REG_OPENED_EXISTING_KEY 0x00000002

typedef HKEY* PHKEY;
typedef DWORD REGSAM;
struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

// All return ERROR_SUCCESS or a Windows error code (ERROR_FILE_NOT_FOUND, ERROR_MORE_DATA, ...).
LONG RegOpenKeyEx(HKEY key, LPCSTR subKey, DWORD options, REGSAM desired, PHKEY result);
LONG RegCreateKeyEx(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM desired,
                    LPSECURITY_ATTRIBUTES security, PHKEY result, LPDWORD disposition);
LONG RegOpenKey(HKEY key, LPCSTR subKey, PHKEY result);
LONG RegCreateKey(HKEY key, LPCSTR subKey, PHKEY result);
// A null data pointer asks for the size only; a buffer that is too small gives ERROR_MORE_DATA
// with the size needed. Texts are counted with their NUL.
LONG RegQueryValueEx(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize);
LONG RegSetValueEx(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize);
LONG RegDeleteValue(HKEY key, LPCSTR valueName);
// Deletes a key that has no sub-keys.
LONG RegDeleteKey(HKEY key, LPCSTR subKey);
LONG RegCloseKey(HKEY key);

// Linux path of the store file.
std::string GetRegistryStorePath();
