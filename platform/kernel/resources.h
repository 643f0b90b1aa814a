// The program's resources (pictures, cursors, dialog templates, menus, string tables) by type and id.
//
// Resource files live under data/res/<TYPE>/<name>.<ext> (data/res/DIB/135.bmp,
// data/res/DIALOG/184.dlg, data/res/STRING/strings.txt) and are embedded into every executable at
// build time. A BITMAP resource is a BMP file whose 14-byte file header is skipped when loaded,
// as the window system does; other types come back byte for byte.
#pragma once

#include <cstddef>

#include "kernel/windef.h"

#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)

// One embedded file: type and name upper-cased ("DIB", "135").
struct EmbeddedResource {
    const char* type;
    const char* name;
    const unsigned char* data;
    unsigned size;
};

// Adds a table of embedded files to the lookup (the program's own table is always there);
// tables added later win over earlier ones for the same type and name.
void RegisterResourceTable(const EmbeddedResource* entries, size_t count);
// The program's table, generated from data/res at build time.
const EmbeddedResource* KestrinProgramResources(size_t* count);
// Every embedded file of a type, e.g. all string tables.
size_t EnumEmbeddedResources(const char* type, const EmbeddedResource** out, size_t capacity);

// Names and types are MAKEINTRESOURCE ids, "#123" texts or names; the RT_ ids stand for the
// folders CURSOR, BITMAP, ICON, MENU, DIALOG, STRING, ... and text types ("DIB") ignore case.
HRSRC FindResource(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL resourceData);
DWORD SizeofResource(HMODULE module, HRSRC resource);
BOOL FreeResource(HGLOBAL resourceData);

// The one module of the program: every resource lookup goes to the embedded tables.
HINSTANCE AfxGetResourceHandle();
HINSTANCE AfxGetInstanceHandle();
void AfxSetResourceHandle(HINSTANCE instance);
HMODULE GetModuleHandle(LPCSTR moduleName);
