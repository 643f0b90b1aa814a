// Virtual-key codes and the toolkit's key codes, both ways, and the lParam of key messages.
#include "ui/wx_windows.h"

namespace {

struct KeyPair {
    int vk;
    int wx;
};

const KeyPair kKeys[] = {
    {VK_BACK, WXK_BACK},
    {VK_TAB, WXK_TAB},
    {VK_RETURN, WXK_RETURN},
    {VK_ESCAPE, WXK_ESCAPE},
    {VK_SPACE, WXK_SPACE},
    {VK_DELETE, WXK_DELETE},
    {VK_SHIFT, WXK_SHIFT},
    {VK_CONTROL, WXK_CONTROL},
    {VK_MENU, WXK_ALT},
    {VK_PAUSE, WXK_PAUSE},
    {VK_CAPITAL, WXK_CAPITAL},
    {VK_PRIOR, WXK_PAGEUP},
    {VK_NEXT, WXK_PAGEDOWN},
    {VK_END, WXK_END},
    {VK_HOME, WXK_HOME},
    {VK_LEFT, WXK_LEFT},
    {VK_UP, WXK_UP},
    {VK_RIGHT, WXK_RIGHT},
    {VK_DOWN, WXK_DOWN},
    {VK_SELECT, WXK_SELECT},
    {VK_PRINT, WXK_PRINT},
    {VK_SNAPSHOT, WXK_SNAPSHOT},
    {VK_INSERT, WXK_INSERT},
    {VK_HELP, WXK_HELP},
    {VK_NUMPAD0, WXK_NUMPAD0},
    {VK_NUMPAD1, WXK_NUMPAD1},
    {VK_NUMPAD2, WXK_NUMPAD2},
    {VK_NUMPAD3, WXK_NUMPAD3},
    {VK_NUMPAD4, WXK_NUMPAD4},
    {VK_NUMPAD5, WXK_NUMPAD5},
    {VK_NUMPAD6, WXK_NUMPAD6},
    {VK_NUMPAD7, WXK_NUMPAD7},
    {VK_NUMPAD8, WXK_NUMPAD8},
    {VK_NUMPAD9, WXK_NUMPAD9},
    {VK_MULTIPLY, WXK_NUMPAD_MULTIPLY},
    {VK_ADD, WXK_NUMPAD_ADD},
    {VK_SUBTRACT, WXK_NUMPAD_SUBTRACT},
    {VK_DECIMAL, WXK_NUMPAD_DECIMAL},
    {VK_DIVIDE, WXK_NUMPAD_DIVIDE},
    {VK_NUMLOCK, WXK_NUMLOCK},
    {VK_SCROLL, WXK_SCROLL},
    {VK_LWIN, WXK_WINDOWS_LEFT},
    {VK_RWIN, WXK_WINDOWS_RIGHT},
    {VK_APPS, WXK_WINDOWS_MENU},
    {VK_OEM_1, ';'},
    {VK_OEM_PLUS, '='},
    {VK_OEM_COMMA, ','},
    {VK_OEM_MINUS, '-'},
    {VK_OEM_PERIOD, '.'},
    {VK_OEM_2, '/'},
    {VK_OEM_3, '`'},
};

}  // namespace

int VirtualKeyOf(int wxKey)
{
    if (wxKey >= 'a' && wxKey <= 'z')
        return wxKey - 'a' + 'A';
    if ((wxKey >= 'A' && wxKey <= 'Z') || (wxKey >= '0' && wxKey <= '9'))
        return wxKey;
    if (wxKey >= WXK_F1 && wxKey <= WXK_F24)
        return VK_F1 + (wxKey - WXK_F1);
    if (wxKey == WXK_NUMPAD_ENTER)
        return VK_RETURN;
    for (const KeyPair& k : kKeys)
        if (k.wx == wxKey)
            return k.vk;
    return 0;
}

int WxKeyOf(int vk)
{
    if ((vk >= 'A' && vk <= 'Z') || (vk >= '0' && vk <= '9'))
        return vk;
    if (vk >= VK_F1 && vk <= VK_F12)
        return WXK_F1 + (vk - VK_F1);
    for (const KeyPair& k : kKeys)
        if (k.vk == vk)
            return k.wx;
    return 0;
}

LPARAM KeyLParam(const wxKeyEvent& e, bool up)
{
    LPARAM lp = 1 | ((LPARAM)(e.GetRawKeyFlags() & 0xFF) << 16);
    if (e.AltDown())
        lp |= 1 << 29;
    if (up)
        lp |= (LPARAM)0xC0000000u;
    return lp;
}
