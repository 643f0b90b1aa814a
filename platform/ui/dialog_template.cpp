// Parsing dialog templates from their text form.
#include "ui/dialog_template.h"

#include <sstream>

#include "kernel/resources.h"
#include "ui/commctrl.h"
#include "ui/template_lexer.h"
#include "ui/winuser.h"

namespace {

struct Statement {
    const char* keyword;
    const char* className;
    DWORD style;  // added to WS_CHILD | WS_VISIBLE
    bool hasText;
};

const Statement kStatements[] = {
    {"PUSHBUTTON", "Button", BS_PUSHBUTTON | WS_TABSTOP, true},
    {"DEFPUSHBUTTON", "Button", BS_DEFPUSHBUTTON | WS_TABSTOP, true},
    {"CHECKBOX", "Button", BS_CHECKBOX | WS_TABSTOP, true},
    {"AUTOCHECKBOX", "Button", BS_AUTOCHECKBOX | WS_TABSTOP, true},
    {"STATE3", "Button", BS_3STATE | WS_TABSTOP, true},
    {"AUTO3STATE", "Button", BS_AUTO3STATE | WS_TABSTOP, true},
    {"RADIOBUTTON", "Button", BS_RADIOBUTTON, true},
    {"AUTORADIOBUTTON", "Button", BS_AUTORADIOBUTTON, true},
    {"GROUPBOX", "Button", BS_GROUPBOX, true},
    {"LTEXT", "Static", SS_LEFT | WS_GROUP, true},
    {"CTEXT", "Static", SS_CENTER | WS_GROUP, true},
    {"RTEXT", "Static", SS_RIGHT | WS_GROUP, true},
    {"EDITTEXT", "Edit", ES_LEFT | WS_BORDER | WS_TABSTOP, false},
    {"COMBOBOX", "ComboBox", CBS_SIMPLE | WS_TABSTOP, false},
    {"LISTBOX", "ListBox", LBS_NOTIFY | WS_BORDER, false},
    {"SCROLLBAR", "ScrollBar", SBS_HORZ, false},
};

bool Fail(std::string* error, int line, const std::string& why)
{
    if (error)
        *error = "line " + std::to_string(line) + ": " + why;
    return false;
}

bool ReadRect(TemplateArgs& a, int& x, int& y, int& cx, int& cy)
{
    long long v[4];
    for (long long& n : v)
        if (!a.Number(n))
            return false;
    x = (int)v[0];
    y = (int)v[1];
    cx = (int)v[2];
    cy = (int)v[3];
    return true;
}

// A control statement: CONTROL, ICON, or one of the short forms.
bool ReadControl(const std::string& keyword, TemplateArgs& a, DialogItemTemplate& item)
{
    long long v = 0;
    const DWORD base = WS_CHILD | WS_VISIBLE;
    if (keyword == "CONTROL") {
        if (!a.TextOrNumber(item.text) || !a.Number(v))
            return false;
        item.id = (int)v;
        if (!a.Text(item.className))
            return false;
        long long style;
        if (!a.Style(style, base) || !ReadRect(a, item.x, item.y, item.cx, item.cy))
            return false;
        item.style = (DWORD)style;
    } else if (keyword == "ICON") {
        if (!a.TextOrNumber(item.text) || !a.Number(v))
            return false;
        item.id = (int)v;
        item.className = "Static";
        long long x, y;
        if (!a.Number(x) || !a.Number(y))
            return false;
        item.x = (int)x;
        item.y = (int)y;
        item.style = base | SS_ICON;
        long long cx = 0, cy = 0;
        if (!a.AtEnd() && (!a.Number(cx) || !a.Number(cy)))
            return false;
        item.cx = (int)cx;
        item.cy = (int)cy;
        if (!a.AtEnd()) {
            long long style;
            if (!a.Style(style, base))
                return false;
            item.style = (DWORD)style;
        }
    } else {
        const Statement* st = nullptr;
        for (const Statement& s : kStatements)
            if (keyword == s.keyword)
                st = &s;
        if (!st)
            return false;
        if (st->hasText && !a.TextOrNumber(item.text))
            return false;
        if (!a.Number(v) || !ReadRect(a, item.x, item.y, item.cx, item.cy))
            return false;
        item.id = (int)v;
        item.className = st->className;
        item.style = base | st->style;
        if (!a.AtEnd()) {
            long long style;
            if (!a.Style(style, base | st->style))
                return false;
            item.style = (DWORD)style;
        }
    }
    if (!a.AtEnd()) {
        long long ex;
        if (!a.Style(ex, 0))
            return false;
        item.exStyle = (DWORD)ex;
    }
    return true;
}

}  // namespace

std::optional<DialogTemplate> ParseDialogTemplate(const std::string& text, std::string* error)
{
    DialogTemplate t;
    bool haveHeader = false;
    std::istringstream in(text);
    std::string line;
    int number = 0;
    std::vector<TemplateToken> tokens;
    while (std::getline(in, line)) {
        ++number;
        std::string why;
        if (!SplitTemplateLine(line, tokens, &why)) {
            Fail(error, number, why);
            return std::nullopt;
        }
        if (tokens.empty())
            continue;
        if (tokens[0].kind != TemplateToken::Word) {
            Fail(error, number, "statement expected");
            return std::nullopt;
        }
        const std::string& kw = tokens[0].text;
        TemplateArgs a(tokens, 1);
        bool ok = true;
        if (kw == "BEGIN" || kw == "END" || kw == "{" || kw == "}") {
            continue;
        } else if (kw == "DIALOG" || kw == "DIALOGEX") {
            ok = ReadRect(a, t.x, t.y, t.cx, t.cy);
            haveHeader = ok;
        } else if (kw == "STYLE") {
            long long v;
            ok = a.Style(v);
            t.style = (DWORD)v;
        } else if (kw == "EXSTYLE") {
            long long v;
            ok = a.Style(v);
            t.exStyle = (DWORD)v;
        } else if (kw == "CAPTION") {
            ok = a.Text(t.caption);
        } else if (kw == "CLASS") {
            ok = a.Text(t.className);
        } else if (kw == "FONT") {
            long long size;
            ok = a.Number(size) && a.Text(t.faceName);
            t.pointSize = (int)size;
            t.style |= DS_SETFONT;
        } else {
            DialogItemTemplate item;
            ok = ReadControl(kw, a, item);
            if (ok)
                t.items.push_back(item);
            else if (a.Error().empty()) {
                Fail(error, number, "unknown statement " + kw);
                return std::nullopt;
            }
        }
        if (!ok) {
            Fail(error, number, a.Error().empty() ? "bad " + kw : a.Error());
            return std::nullopt;
        }
    }
    if (!haveHeader) {
        Fail(error, number, "no DIALOG statement");
        return std::nullopt;
    }
    return t;
}

std::optional<DialogTemplate> LoadDialogTemplate(LPCSTR name)
{
    HRSRC res = FindResource(nullptr, name, RT_DIALOG);
    if (!res)
        return std::nullopt;
    HGLOBAL data = LoadResource(nullptr, res);
    DWORD size = SizeofResource(nullptr, res);
    if (!data)
        return std::nullopt;
    return ParseDialogTemplate(std::string(static_cast<const char*>(LockResource(data)), size));
}
