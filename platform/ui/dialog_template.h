// Dialog templates: the text form of a dialog resource and its parser.
//
// A template is a text file under data/res/DIALOG/<id>.dlg, written like a resource script:
//
//   DIALOG 0, 0, 186, 95                      x, y, width, height in dialog units
//   STYLE DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU
//   EXSTYLE WS_EX_TOOLWINDOW                  optional
//   CAPTION "About"                           optional
//   FONT 8, "MS Sans Serif"                   point size and face; sets the dialog units
//   CLASS "name"                              optional window class of the dialog
//   BEGIN                                     optional, as are END and comment lines (// or ;)
//   CONTROL "OK", IDOK, "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, 129, 7, 50, 14 [, exstyle]
//   DEFPUSHBUTTON "OK", IDOK, 129, 7, 50, 14 [, style [, exstyle]]
//   PUSHBUTTON, CHECKBOX, AUTOCHECKBOX, STATE3, AUTO3STATE, RADIOBUTTON, AUTORADIOBUTTON, GROUPBOX,
//   LTEXT, CTEXT, RTEXT: "text", id, x, y, cx, cy [, style [, exstyle]]
//   EDITTEXT, COMBOBOX, LISTBOX, SCROLLBAR: id, x, y, cx, cy [, style [, exstyle]]
//   ICON "name-or-id", id, x, y [, cx, cy [, style [, exstyle]]]
//   END
//
// Styles are style names joined by '|', numbers (decimal or 0x hex) and "NOT name" to remove a
// bit; ids are numbers or the names IDOK, IDCANCEL, IDABORT, IDRETRY, IDIGNORE, IDYES, IDNO,
// IDCLOSE, IDHELP and IDC_STATIC (-1). Texts are in double quotes ("" or \" for a quote, \n, \t,
// \\). Every control gets WS_CHILD | WS_VISIBLE, as the resource compiler adds them; each
// statement adds its class's usual default style bits.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "kernel/windef.h"

struct DialogItemTemplate {
    std::string text;
    int id = 0;
    std::string className;
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    DWORD exStyle = 0;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    std::string caption;
    std::string className;
    int pointSize = 8;
    std::string faceName = "MS Sans Serif";
    std::vector<DialogItemTemplate> items;
};

// The parsed template, or nothing with a message naming the line that failed.
std::optional<DialogTemplate> ParseDialogTemplate(const std::string& text, std::string* error = nullptr);

// The template of a dialog resource (RT_DIALOG by id or name), or nothing.
std::optional<DialogTemplate> LoadDialogTemplate(LPCSTR name);

// Value of a style or id name as the templates use them; false when unknown.
bool LookupTemplateName(const std::string& name, long long* value);
