// Window classes: the registered classes and the built-in control classes.
#include <map>
#include <mutex>

#include "ui/wx_windows.h"

#include "kernel/last_error.h"

LRESULT CALLBACK ButtonProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK StaticProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK EditProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ListBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ComboBoxProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ScrollBarProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ListViewProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ProgressProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK TrackBarProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK ToolTipProc(HWND, UINT, WPARAM, LPARAM);
LRESULT CALLBACK DialogProc(HWND, UINT, WPARAM, LPARAM);

namespace {

// Classes may be registered by the initialisers of global objects: the table is made on first use.
struct ClassTable {
    std::recursive_mutex lock;
    std::map<std::string, std::unique_ptr<WindowClass>> classes;
};

ClassTable& Table()
{
    static ClassTable table;
    return table;
}

std::string Key(const char* name)
{
    std::string k;
    if (IS_INTRESOURCE(name)) {
        k = "#" + std::to_string((uintptr_t)name);
    } else {
        k = name ? name : "";
    }
    for (char& c : k)
        if (c >= 'A' && c <= 'Z')
            c = (char)(c - 'A' + 'a');
    return k;
}

void AddBuiltin(const char* name, WNDPROC proc, bool native, HBRUSH background, HCURSOR cursor)
{
    auto c = std::make_unique<WindowClass>();
    c->name = name;
    c->style = CS_DBLCLKS;
    c->proc = proc;
    c->native = native;
    c->background = background;
    c->cursor = cursor;
    Table().classes[name] = std::move(c);
}

}  // namespace

void RegisterBuiltinClasses()
{
    std::lock_guard<std::recursive_mutex> lock(Table().lock);
    if (!Table().classes.empty())
        return;
    HCURSOR arrow = LoadCursor(nullptr, IDC_ARROW);
    HBRUSH face = reinterpret_cast<HBRUSH>((uintptr_t)(COLOR_BTNFACE + 1));
    AddBuiltin("button", ButtonProc, true, nullptr, arrow);
    AddBuiltin("static", StaticProc, false, nullptr, arrow);
    AddBuiltin("edit", EditProc, true, nullptr, LoadCursor(nullptr, IDC_IBEAM));
    AddBuiltin("listbox", ListBoxProc, true, nullptr, arrow);
    AddBuiltin("combobox", ComboBoxProc, true, nullptr, arrow);
    AddBuiltin("scrollbar", ScrollBarProc, true, nullptr, arrow);
    AddBuiltin("syslistview32", ListViewProc, true, nullptr, arrow);
    AddBuiltin("msctls_progress32", ProgressProc, true, nullptr, arrow);
    AddBuiltin("msctls_trackbar32", TrackBarProc, true, nullptr, arrow);
    AddBuiltin("tooltips_class32", ToolTipProc, false, nullptr, arrow);
    AddBuiltin("#32770", DialogProc, false, face, arrow);
}

const WindowClass* FindWindowClass(const char* name)
{
    RegisterBuiltinClasses();
    std::lock_guard<std::recursive_mutex> lock(Table().lock);
    auto it = Table().classes.find(Key(name));
    return it == Table().classes.end() ? nullptr : it->second.get();
}

ATOM RegisterClass(const WNDCLASS* wc)
{
    if (!wc || !wc->lpszClassName)
        return 0;
    RegisterBuiltinClasses();
    std::lock_guard<std::recursive_mutex> lock(Table().lock);
    std::string k = Key(wc->lpszClassName);
    if (Table().classes.count(k)) {
        SetLastError(1410);  // the class already exists
        return 0;
    }
    auto c = std::make_unique<WindowClass>();
    c->name = k;
    c->style = wc->style;
    c->proc = wc->lpfnWndProc;
    c->cursor = wc->hCursor;
    c->background = wc->hbrBackground;
    c->icon = wc->hIcon;
    Table().classes[k] = std::move(c);
    return (ATOM)(0xC000 + Table().classes.size());
}

BOOL UnregisterClass(LPCSTR className, HINSTANCE)
{
    std::lock_guard<std::recursive_mutex> lock(Table().lock);
    return Table().classes.erase(Key(className)) ? TRUE : FALSE;
}

BOOL GetClassInfo(HINSTANCE, LPCSTR className, WNDCLASS* wc)
{
    const WindowClass* c = FindWindowClass(className);
    if (!c || !wc)
        return FALSE;
    *wc = WNDCLASS{c->style, c->proc, 0, 0, nullptr, c->icon, c->cursor, c->background, nullptr, className};
    return TRUE;
}

ATOM RegisterClassEx(const WNDCLASSEX* wc)
{
    if (!wc)
        return 0;
    WNDCLASS plain{wc->style, wc->lpfnWndProc, wc->cbClsExtra,    wc->cbWndExtra,   wc->hInstance,
                   wc->hIcon, wc->hCursor,     wc->hbrBackground, wc->lpszMenuName, wc->lpszClassName};
    return RegisterClass(&plain);
}

BOOL GetClassInfoEx(HINSTANCE instance, LPCSTR className, WNDCLASSEX* wc)
{
    WNDCLASS plain;
    if (!wc || !GetClassInfo(instance, className, &plain))
        return FALSE;
    *wc = WNDCLASSEX{sizeof(WNDCLASSEX),
                     plain.style,
                     plain.lpfnWndProc,
                     0,
                     0,
                     plain.hInstance,
                     plain.hIcon,
                     plain.hCursor,
                     plain.hbrBackground,
                     plain.lpszMenuName,
                     className,
                     plain.hIcon};
    return TRUE;
}
