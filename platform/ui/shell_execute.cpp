// ShellExecute: addresses, folders and documents open with xdg-open; programs start directly; a program that
// cannot be found fails with a code of 32 or less.
#include "ui/wx_state.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "kernel/path_map.h"
#include "ui/shellapi.h"

namespace {

bool IsAddress(const std::string& s)
{
    return s.find("://") != std::string::npos || s.rfind("mailto:", 0) == 0 || s.rfind("www.", 0) == 0;
}

std::string FindInPath(const std::string& program)
{
    if (program.find('/') != std::string::npos)
        return access(program.c_str(), X_OK) == 0 ? program : "";
    const char* path = std::getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        std::string dir = dirs.substr(start, end == std::string::npos ? std::string::npos : end - start);
        std::string candidate = (dir.empty() ? "." : dir) + "/" + program;
        struct stat st;
        if (stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(candidate.c_str(), X_OK) == 0)
            return candidate;
        if (end == std::string::npos)
            break;
        start = end + 1;
    }
    return "";
}

// Splits a parameter line as the C runtime does: blanks separate, double quotes group.
std::vector<std::string> SplitParameters(const char* line)
{
    std::vector<std::string> out;
    if (!line)
        return out;
    std::string cur;
    bool quoted = false, any = false;
    for (const char* p = line; *p; ++p) {
        if (*p == '"') {
            quoted = !quoted;
            any = true;
        } else if ((*p == ' ' || *p == '\t') && !quoted) {
            if (any || !cur.empty())
                out.push_back(cur);
            cur.clear();
            any = false;
        } else {
            cur += *p;
        }
    }
    if (any || !cur.empty())
        out.push_back(cur);
    return out;
}

// Starts the program detached from this process (no zombie is left behind).
bool Spawn(const std::string& program, const std::vector<std::string>& args, const std::string& directory)
{
    std::vector<std::string> all{program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : all)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    int pipefd[2];
    if (pipe2(pipefd, O_CLOEXEC) != 0)
        return false;
    pid_t child = fork();
    if (child < 0) {
        close(pipefd[0]);
        close(pipefd[1]);
        return false;
    }
    if (child == 0) {
        setsid();
        if (fork() == 0) {
            if (!directory.empty() && chdir(directory.c_str()) != 0)
                _exit(127);
            int devnull = open("/dev/null", O_RDWR);
            if (devnull >= 0) {
                dup2(devnull, 0);
                dup2(devnull, 1);
                dup2(devnull, 2);
            }
            execv(program.c_str(), argv.data());
            char fail = 1;
            (void)!write(pipefd[1], &fail, 1);
            _exit(127);
        }
        _exit(0);
    }
    close(pipefd[1]);
    int status = 0;
    waitpid(child, &status, 0);
    char fail = 0;
    bool failed = read(pipefd[0], &fail, 1) == 1;
    close(pipefd[0]);
    return !failed;
}

HINSTANCE Code(int code) { return reinterpret_cast<HINSTANCE>((intptr_t)code); }

// A Windows web browser named as the program: its page opens in the desktop's default browser instead.
bool IsBrowser(const std::string& target)
{
    size_t slash = target.find_last_of("\\/");
    wxString name = wxString::FromUTF8(slash == std::string::npos ? target : target.substr(slash + 1));
    return name.CmpNoCase("iexplore.exe") == 0 || name.CmpNoCase("iexplore") == 0;
}

}  // namespace

HINSTANCE ShellExecute(HWND, LPCSTR, LPCSTR file, LPCSTR parameters, LPCSTR directory, int)
{
    if (!file || !*file)
        return Code(SE_ERR_FNF);
    std::string target = file;
    std::string dir = directory && *directory ? MapPath(directory) : "";
    std::string opener = FindInPath("xdg-open");
    if (IsBrowser(target)) {
        std::vector<std::string> args = SplitParameters(parameters);
        if (args.empty() || opener.empty())
            return Code(SE_ERR_NOASSOC);
        std::string page = IsAddress(args[0]) ? args[0] : MapPath(args[0]);
        return Spawn(opener, {page}, dir) ? Code(42) : Code(SE_ERR_NOASSOC);
    }
    if (IsAddress(target)) {
        if (opener.empty())
            return Code(SE_ERR_NOASSOC);
        return Spawn(opener, {target}, dir) ? Code(42) : Code(SE_ERR_NOASSOC);
    }
    std::string path = MapPath(target);
    struct stat st;
    if (stat(path.c_str(), &st) != 0) {
        // A bare program name is looked for on the search path.
        if (target.find('\\') == std::string::npos && target.find('/') == std::string::npos) {
            std::string program = FindInPath(target);
            if (program.empty() && target.size() > 4 &&
                wxString(target.substr(target.size() - 4)).CmpNoCase(".exe") == 0)
                program = FindInPath(target.substr(0, target.size() - 4));
            if (!program.empty())
                return Spawn(program, SplitParameters(parameters), dir) ? Code(42) : Code(SE_ERR_FNF);
        }
        return Code(SE_ERR_FNF);
    }
    if (S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0)
        return Spawn(path, SplitParameters(parameters), dir) ? Code(42) : Code(SE_ERR_ACCESSDENIED);
    if (opener.empty())
        return Code(SE_ERR_NOASSOC);
    return Spawn(opener, {path}, dir) ? Code(42) : Code(SE_ERR_NOASSOC);
}
