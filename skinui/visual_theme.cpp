// CUxThemeLoader: run-time binding of the theme functions and the once-per-run theme decision.
#include "skinui/visual_theme.h"

#ifndef E_FAIL
#define E_FAIL ((HRESULT)0x80004005L)
#endif

namespace {

typedef HRESULT (*DllGetVersionFn)(DLLVERSIONINFO*);

HTHEME NoOpenThemeData(HWND, LPCWSTR) { return nullptr; }
HRESULT NoCloseThemeData(HTHEME) { return E_FAIL; }
HRESULT NoDrawThemeBackground(HTHEME, HDC, int, int, const RECT*, const RECT*) { return E_FAIL; }
BOOL NoIsAppThemed() { return FALSE; }

// The common controls' version as major and minor; 0.0 when the library or its version export is missing.
void CommonControlsVersion(DWORD* major, DWORD* minor)
{
    *major = *minor = 0;
    HMODULE comctl = LoadLibrary("comctl32.dll");
    if (!comctl)
        return;
    if (auto getVersion =
            reinterpret_cast<DllGetVersionFn>(reinterpret_cast<void (*)()>(GetProcAddress(comctl, "DllGetVersion")))) {
        DLLVERSIONINFO info{};
        info.cbSize = sizeof(info);
        if (getVersion(&info) >= 0) {
            *major = info.dwMajorVersion;
            *minor = info.dwMinorVersion;
        }
    }
    FreeLibrary(comctl);
}

}  // namespace

CUxThemeLoader g_uxThemeLoader;

CUxThemeLoader::CUxThemeLoader() : m_hThemeDll(LoadLibrary("UxTheme.dll")) {}

CUxThemeLoader::~CUxThemeLoader()
{
    if (m_hThemeDll)
        FreeLibrary(m_hThemeDll);
    m_hThemeDll = nullptr;
}

FARPROC CUxThemeLoader::GetProc(LPCSTR name, FARPROC fallback)
{
    if (!m_hThemeDll)
        return fallback;
    FARPROC proc = GetProcAddress(m_hThemeDll, name);
    return proc ? proc : fallback;
}

HTHEME CUxThemeLoader::OpenThemeData(HWND hwnd, LPCWSTR classList)
{
    return Bind(m_pOpenThemeData, "OpenThemeData", &NoOpenThemeData)(hwnd, classList);
}

HRESULT CUxThemeLoader::CloseThemeData(HTHEME theme)
{
    return Bind(m_pCloseThemeData, "CloseThemeData", &NoCloseThemeData)(theme);
}

HRESULT CUxThemeLoader::DrawThemeBackground(HTHEME theme, HDC hdc, int partId, int stateId, const RECT* rect,
                                            const RECT* clip)
{
    return Bind(m_pDrawThemeBackground, "DrawThemeBackground", &NoDrawThemeBackground)(theme, hdc, partId, stateId,
                                                                                       rect, clip);
}

BOOL CUxThemeLoader::IsAppThemed() { return Bind(m_pIsAppThemed, "IsAppThemed", &NoIsAppThemed)(); }

BOOL CUxThemeLoader::UseVisualThemes()
{
    if (m_nUseVisualThemes < 0) {
        DWORD major, minor;
        CommonControlsVersion(&major, &minor);
        // Only the 6.0 common controls draw with the theme library; later ones theme themselves.
        m_nUseVisualThemes = major == 6 && minor == 0 && IsAppThemed() && m_hThemeDll ? 1 : 0;
    }
    return m_nUseVisualThemes;
}
