// Finding windows by title; another process's window is known by the per-user lock its title holds.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <map>

#include "kernel/user_folders.h"
#include "ui/wx_windows.h"

namespace {

struct TitleLock {
    int fd = -1;
    int users = 0;
    std::string path;
};

std::map<std::string, TitleLock> g_locks;
std::map<HWND, std::string> g_lockedTitle;

// In the per-session runtime folder, else in the user's own configuration folder; never a shared name.
std::string LockPath(const std::string& title)
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    std::string base = runtime && *runtime == '/' ? runtime : GetConfigFolder() + "/kestrin";
    if (!(runtime && *runtime == '/'))
        mkdir(base.c_str(), 0700);
    std::string name;
    for (unsigned char c : title)
        name += std::isalnum(c) ? (char)c : '_';
    char hash[17];
    std::snprintf(hash, sizeof(hash), "%016zx", std::hash<std::string>{}(title));
    return base + "/kestrin-window-" + std::to_string(getuid()) + "-" + name.substr(0, 40) + "-" + hash + ".lock";
}

bool StillNamed(int fd, const std::string& path)
{
    struct stat opened, named;
    return fstat(fd, &opened) == 0 && stat(path.c_str(), &named) == 0 && opened.st_dev == named.st_dev &&
           opened.st_ino == named.st_ino;
}

// Opens and locks the lock file; -1 when another process holds it. A holder removes its file before unlocking,
// so a lock taken on a file that no longer has the name is taken again on a new file.
int TakeLock(const std::string& path)
{
    for (int attempt = 0; attempt < 8; ++attempt) {
        int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        if (fd < 0)
            return -1;
        if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
            close(fd);
            return -1;
        }
        if (StillNamed(fd, path))
            return fd;
        close(fd);
    }
    return -1;
}

void DropLock(int fd, const std::string& path)
{
    unlink(path.c_str());
    flock(fd, LOCK_UN);
    close(fd);
}

void Release(HWND h)
{
    auto it = g_lockedTitle.find(h);
    if (it == g_lockedTitle.end())
        return;
    TitleLock& lock = g_locks[it->second];
    if (--lock.users <= 0) {
        if (lock.fd >= 0)
            DropLock(lock.fd, lock.path);
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
        lock.path = LockPath(s->text);
        lock.fd = TakeLock(lock.path);
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
    // A window of that title in another process holds the title's lock; a file nobody holds is left over
    // from a program that ended without closing its window, and goes.
    const std::string path = LockPath(windowName);
    int fd = open(path.c_str(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return ForeignWindowHandle();
    }
    if (StillNamed(fd, path))
        DropLock(fd, path);
    else
        close(fd);
    return nullptr;
}
