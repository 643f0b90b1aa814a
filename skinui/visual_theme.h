// CUxThemeLoader: the visual-theme functions bound by name from the theme library at run time, each with an
// unthemed fallback; the process-wide loader that the drop-down's size grip draws with.
#pragma once

#include "ui/libraries.h"

typedef const wchar_t* LPCWSTR;
typedef HANDLE HTHEME;

// The version record of a library's DllGetVersion export (20 bytes).
struct DLLVERSIONINFO {
    DWORD cbSize;
    DWORD dwMajorVersion;
    DWORD dwMinorVersion;
    DWORD dwBuildNumber;
    DWORD dwPlatformID;
};
static_assert(sizeof(DLLVERSIONINFO) == 20, "DLLVERSIONINFO is 20 bytes");

class CUxThemeLoader {
public:
    // Loads "UxTheme.dll"; a missing library leaves every wrapper on its fallback.
    CUxThemeLoader();
    ~CUxThemeLoader();
    CUxThemeLoader(const CUxThemeLoader&) = delete;
    CUxThemeLoader& operator=(const CUxThemeLoader&) = delete;

    // As the theme library's functions of the same names; without the library or the export: null,
    // E_FAIL, E_FAIL (nothing drawn) and FALSE.
    HTHEME OpenThemeData(HWND hwnd, LPCWSTR classList);
    HRESULT CloseThemeData(HTHEME theme);
    HRESULT DrawThemeBackground(HTHEME theme, HDC hdc, int partId, int stateId, const RECT* rect, const RECT* clip);
    BOOL IsAppThemed();

    // Whether themed drawing is used: decided on the first call (common controls 6.0, an application theme and
    // the theme library loaded) and kept for the life of the loader.
    BOOL UseVisualThemes();

    // The loaded library's export of that name, or the fallback.
    FARPROC GetProc(LPCSTR name, FARPROC fallback);

private:
    typedef HTHEME (*OpenThemeDataFn)(HWND, LPCWSTR);
    typedef HRESULT (*CloseThemeDataFn)(HTHEME);
    typedef HRESULT (*DrawThemeBackgroundFn)(HTHEME, HDC, int, int, const RECT*, const RECT*);
    typedef BOOL (*IsAppThemedFn)();

    template <typename Fn>
    Fn Bind(Fn& slot, LPCSTR name, Fn fallback)
    {
        if (!slot)
            // The detour through void(*)() is the one function-pointer cast the compiler accepts silently.
            slot = reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(
                GetProc(name, reinterpret_cast<FARPROC>(reinterpret_cast<void (*)()>(fallback)))));
        return slot;
    }

    HMODULE m_hThemeDll = nullptr;
    OpenThemeDataFn m_pOpenThemeData = nullptr;
    CloseThemeDataFn m_pCloseThemeData = nullptr;
    DrawThemeBackgroundFn m_pDrawThemeBackground = nullptr;
    IsAppThemedFn m_pIsAppThemed = nullptr;
    int m_nUseVisualThemes = -1;  // -1 undecided, else the answer
};

// The program's loader, built before the program's main code runs and freeing the library at exit.
extern CUxThemeLoader g_uxThemeLoader;
