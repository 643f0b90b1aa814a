// Private temporary folders: a 0700 root, a locked folder per run, leftovers of ended runs removed.
#include "services/private_temp.h"

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <mutex>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include "kernel/path_map.h"
#include "kernel/user_folders.h"

namespace {

// A folder of the user's own that no one else may enter: made when missing, refused when it is a link or
// belongs to someone else.
bool MakePrivateFolder(const std::string& folder)
{
    if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st;
    if (lstat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != getuid())
        return false;
    return (st.st_mode & 077) == 0 || chmod(folder.c_str(), 0700) == 0;
}

std::string PrivateRoot()
{
    const char* runtime = getenv("XDG_RUNTIME_DIR");
    if (runtime && runtime[0] == '/')
        return std::string(runtime) + "/kestrin";
    const std::string cache = GetHomeFolder() + "/.cache";
    mkdir(cache.c_str(), 0700);
    return cache + "/kestrin";
}

// A run's record of a file it writes elsewhere: a link in its folder, named after the file, to the file.
std::string RecordName(const std::string& file) { return "file-" + file.substr(file.rfind('/') + 1); }

// Removes a run's folder and the files it recorded that are still there; a record that names anything but a
// plain file removes nothing.
void RemoveRunFolder(const std::string& folder)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (entry.path().filename().string().compare(0, 5, "file-") != 0 || !entry.is_symlink(error))
            continue;
        const std::filesystem::path file = std::filesystem::read_symlink(entry.path(), error);
        struct stat st;
        if (!error && lstat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            unlink(file.c_str());
    }
    std::filesystem::remove_all(folder, error);
}

// The lock file of a run ("run-PID.lock") names its folder ("run-PID"); a lock that can be taken belongs to a
// run that has ended.
void RemoveEndedRuns(const std::string& root)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(root, error)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, 4, "run-") != 0 || name.size() < 10 || name.compare(name.size() - 5, 5, ".lock") != 0)
            continue;
        int fd = open(entry.path().c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            continue;
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
            RemoveRunFolder(root + "/" + name.substr(0, name.size() - 5));
            unlink(entry.path().c_str());
        }
        close(fd);
    }
}

struct RunFolder {
    std::string path;  // Linux form, empty when none could be made
    int lock = -1;
};

// Takes this run's lock, then makes its folder; the lock is held until the process ends.
RunFolder MakeRunFolder(const std::string& root)
{
    RunFolder run;
    const std::string base = root + "/run-" + std::to_string(getpid());
    for (int attempt = 0; attempt < 3 && run.path.empty(); ++attempt) {
        int fd = open((base + ".lock").c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            return run;
        struct stat held, named;
        // A sweeping program may have removed the lock file between its making and the lock: make it again.
        if (flock(fd, LOCK_EX | LOCK_NB) != 0 || fstat(fd, &held) != 0 || stat((base + ".lock").c_str(), &named) != 0 ||
            held.st_ino != named.st_ino) {
            close(fd);
            continue;
        }
        RemoveRunFolder(base);  // a folder of an earlier run with this process number
        if (!MakePrivateFolder(base)) {
            close(fd);
            return run;
        }
        run.path = base;
        run.lock = fd;
    }
    return run;
}

std::mutex g_lock;
RunFolder g_run;
bool g_made = false;

// Every running user of the clip-info folder holds the lock file beside it shared; a program that gets it
// exclusively is the only user.
std::mutex g_clipInfoLock;
int g_clipInfoUse = -1;

}  // namespace

CString GetPrivateTempFolder()
{
    std::lock_guard<std::mutex> guard(g_lock);
    if (!g_made) {
        g_made = true;
        const std::string root = PrivateRoot();
        if (MakePrivateFolder(root)) {
            RemoveEndedRuns(root);
            g_run = MakeRunFolder(root);
        }
    }
    return g_run.path.empty() ? CString() : CString(ToWindowsPath(g_run.path + "/").c_str());
}

CString GetClipInfoFolder()
{
    const std::string root = PrivateRoot();
    const std::string folder = root + "/clipinfo";
    if (!MakePrivateFolder(root) || !MakePrivateFolder(folder))
        return CString();
    return CString(ToWindowsPath(folder + "/").c_str());
}

void RecordRunFile(const CString& path)
{
    const CString folder = GetPrivateTempFolder();
    if (!folder.IsEmpty()) {
        const std::string file = MapPathLiteral(path.GetString());
        symlink(file.c_str(), (MapPathLiteral(folder.GetString()) + RecordName(file)).c_str());
    }
}

void ForgetRunFile(const CString& path)
{
    const CString folder = GetPrivateTempFolder();
    if (!folder.IsEmpty())
        unlink((MapPathLiteral(folder.GetString()) + RecordName(MapPathLiteral(path.GetString()))).c_str());
}

void UseClipInfoFolder(const std::function<void(const CString& folder)>& whenAlone)
{
    std::lock_guard<std::mutex> guard(g_clipInfoLock);
    if (g_clipInfoUse >= 0)
        return;
    const CString folder = GetClipInfoFolder();
    if (folder.IsEmpty())
        return;
    int fd = open((PrivateRoot() + "/clipinfo.lock").c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0)
        whenAlone(folder);
    // Waits while another program starting now works alone in the folder.
    while (flock(fd, LOCK_SH) != 0 && errno == EINTR) {
    }
    g_clipInfoUse = fd;
}

void LeaveClipInfoFolder()
{
    std::lock_guard<std::mutex> guard(g_clipInfoLock);
    if (g_clipInfoUse >= 0)
        close(g_clipInfoUse);
    g_clipInfoUse = -1;
}

void RemovePrivateTempFolder()
{
    std::lock_guard<std::mutex> guard(g_lock);
    // The next call looks for a folder again, also after one could not be made.
    g_made = false;
    if (g_run.path.empty())
        return;
    RemoveRunFolder(g_run.path);
    unlink((g_run.path + ".lock").c_str());
    close(g_run.lock);
    g_run = RunFolder();
}
