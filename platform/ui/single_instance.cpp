// Finding windows by title; another process's window is known by the per-user lock its title holds.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cstdlib>
#include <map>

#include "ui/wx_windows.h"

namespace {

struct TitleLock {
    int fd = -1;
    int users = 0;
};

std::map<std::string, TitleLock> g_locks;
std::map<HWND, std::string> g_lockedTitle;

std::string LockPath(const std::string& title)
{
    const char* dir = std::getenv("XDG_RUNTIME_DIR");
    std::string base = dir && *dir ? dir : "/tmp";
    std::string name;
    for (unsigned char c : title)
        name += std::isalnum(c) ? (char)c : '_';
    char hash[17];
    std::snprintf(hash, sizeof(hash), "%016zx", std::hash<std::string>{}(title));
    return base + "/kestrin-window-" + std::to_string(getuid()) + "-" + name.substr(0, 40) + "-" + hash + ".lock";
}

void Release(HWND h)
{
    auto it = g_lockedTitle.find(h);
    if (it == g_lockedTitle.end())
        return;
    TitleLock& lock = g_locks[it->second];
    if (--lock.users <= 0) {
        if (lock.fd >= 0) {
            flock(lock.fd, LOCK_UN);
            close(lock.fd);
        }
        g_locks.erase(it->second);
    }
    g_lockedTitle.erase(it);
}

}  // namespace

HWND ForeignWindowHandle() { return reinterpret_cast<HWND>(0x10004); }

void UpdateTitleLock(WindowState* s, bool alive)
{
    HWND h = s->hwnd;
    Release(h);
    if (!alive || s->text.empty() || (s->style & WS_CHILD))
        return;
    TitleLock& lock = g_locks[s->text];
    if (lock.users++ == 0) {
        lock.fd = open(LockPath(s->text).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (lock.fd >= 0 && flock(lock.fd, LOCK_EX | LOCK_NB) != 0) {
            close(lock.fd);
            lock.fd = -1;
        }
    }
    g_lockedTitle[h] = s->text;
}

HWND FindWindow(LPCSTR className, LPCSTR windowName)
{
    for (HWND h : TopLevelWindows()) {
        WindowState* s = StateOf(h);
        if (!s)
            continue;
        if (windowName && s->text != windowName)
            continue;
        if (className && !IS_INTRESOURCE(className) && s->cls && wxString(s->cls->name).CmpNoCase(className) != 0)
            continue;
        return h;
    }
    if (!windowName || !*windowName || g_locks.count(windowName))
        return nullptr;
    // A window of that title in another process holds the title's lock.
    int fd = open(LockPath(windowName).c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    bool held = flock(fd, LOCK_EX | LOCK_NB) != 0;
    if (!held)
        flock(fd, LOCK_UN);
    close(fd);
    return held ? ForeignWindowHandle() : nullptr;
}
