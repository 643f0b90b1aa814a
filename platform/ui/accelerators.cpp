// Accelerator tables from resources or entries, and their translation of key messages to commands.
#include "ui/accelerators.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <set>
#include <vector>

#include "kernel/resources.h"
#include "ui/winuser.h"

namespace {

struct Table {
    std::vector<ACCEL> entries;
};

std::mutex g_lock;
std::set<Table*> g_tables;

HACCEL Register(std::vector<ACCEL> entries)
{
    auto* t = new Table{std::move(entries)};
    std::lock_guard<std::mutex> lock(g_lock);
    g_tables.insert(t);
    return reinterpret_cast<HACCEL>(t);
}

// The table behind a handle, or null for a handle that is not a live table.
const Table* Find(HACCEL handle)
{
    std::lock_guard<std::mutex> lock(g_lock);
    auto* t = reinterpret_cast<Table*>(handle);
    return g_tables.count(t) ? t : nullptr;
}

bool Down(int vk) { return (GetKeyState(vk) & 0x8000) != 0; }

}  // namespace

HACCEL LoadAccelerators(HINSTANCE instance, LPCSTR name)
{
    HRSRC res = FindResource(instance, name, RT_ACCELERATOR);
    HGLOBAL data = res ? LoadResource(instance, res) : nullptr;
    const auto* bytes = static_cast<const unsigned char*>(data ? LockResource(data) : nullptr);
    if (!bytes)
        return nullptr;
    DWORD size = SizeofResource(instance, res);
    std::vector<ACCEL> entries;
    for (DWORD at = 0; at + 8 <= size; at += 8) {
        const unsigned char* e = bytes + at;
        entries.push_back(ACCEL{(BYTE)(e[0] & 0x7F), (WORD)(e[2] | (e[3] << 8)), (WORD)(e[4] | (e[5] << 8))});
        if (e[0] & 0x80)
            break;
    }
    return entries.empty() ? nullptr : Register(std::move(entries));
}

HACCEL CreateAcceleratorTable(LPACCEL entries, int count)
{
    if (!entries || count <= 0)
        return nullptr;
    return Register(std::vector<ACCEL>(entries, entries + count));
}

BOOL DestroyAcceleratorTable(HACCEL table)
{
    std::lock_guard<std::mutex> lock(g_lock);
    auto* t = reinterpret_cast<Table*>(table);
    if (!g_tables.erase(t))
        return FALSE;
    delete t;
    return TRUE;
}

int TranslateAccelerator(HWND hWnd, HACCEL table, const MSG* msg)
{
    const Table* t = Find(table);
    if (!t || !msg || !IsWindow(hWnd))
        return 0;
    bool keyDown = msg->message == WM_KEYDOWN || msg->message == WM_SYSKEYDOWN;
    bool character = msg->message == WM_CHAR || msg->message == WM_SYSCHAR;
    if (!keyDown && !character)
        return 0;
    BYTE mods = (Down(VK_SHIFT) ? FSHIFT : 0) | (Down(VK_CONTROL) ? FCONTROL : 0) |
                (Down(VK_MENU) || msg->message == WM_SYSKEYDOWN || msg->message == WM_SYSCHAR ? FALT : 0);
    for (const ACCEL& a : t->entries) {
        bool match = (a.fVirt & FVIRTKEY)
                         ? keyDown && a.key == (WORD)msg->wParam && (a.fVirt & (FSHIFT | FCONTROL | FALT)) == mods
                         : character && a.key == (WORD)msg->wParam && ((a.fVirt & FALT) != 0) == ((mods & FALT) != 0);
        if (match) {
            SendMessage(hWnd, WM_COMMAND, MAKEWPARAM(a.cmd, 1), 0);
            return 1;
        }
    }
    return 0;
}
