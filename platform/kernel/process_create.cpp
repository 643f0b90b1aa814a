// Child processes: start without a shell, wait, exit code, termination.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "kernel/process_api.h"
#include "kernel/path_map.h"
#include "kernel/process_handles.h"

extern char** environ;

namespace {

bool IsExecutable(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string ProgramFolder() {
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return std::string();
    std::string exe(buf, static_cast<size_t>(n));
    size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

// A bare program name is looked for beside the running program, then on PATH (never the current folder).
std::string FindProgram(const std::string& name) {
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos) return MapPath(name);
    const std::string& native = name;
    std::string own = ProgramFolder();
    if (!own.empty() && IsExecutable(own + "/" + native)) return own + "/" + native;
    const char* path = getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos) end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        if (!dir.empty() && IsExecutable(dir + "/" + native)) return dir + "/" + native;
        start = end + 1;
    }
    return std::string();
}

ProcessHandleObject* Process(HANDLE h) { return LookupProcessHandle(h, ProcessHandleObject::PROCESS); }

void Collect(ProcessHandleObject* p, int status) {
    p->reaped = true;
    if (p->terminated) return;  // the code given to TerminateProcess stands
    if (WIFEXITED(status))
        p->exitCode = static_cast<DWORD>(WEXITSTATUS(status));
    else if (WIFSIGNALED(status))
        p->exitCode = 128 + static_cast<DWORD>(WTERMSIG(status));
}

bool TryCollect(ProcessHandleObject* p, bool block) {
    if (p->reaped) return true;
    int status = 0;
    pid_t r;
    do {
        r = waitpid(p->pid, &status, block ? 0 : WNOHANG);
    } while (r < 0 && errno == EINTR);
    if (r == p->pid) {
        Collect(p, status);
        return true;
    }
    if (r < 0) {  // nothing to wait for any more
        p->reaped = true;
        return true;
    }
    return false;
}

}  // namespace

void GetStartupInfo(LPSTARTUPINFO lpStartupInfo) {
    if (!lpStartupInfo) return;
    std::memset(lpStartupInfo, 0, sizeof *lpStartupInfo);
    lpStartupInfo->cb = sizeof *lpStartupInfo;
}

BOOL CreateProcess(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                   BOOL bInheritHandles, DWORD, LPVOID lpEnvironment, LPCSTR lpCurrentDirectory,
                   LPSTARTUPINFO lpStartupInfo, LPPROCESS_INFORMATION lpProcessInformation) {
    std::vector<std::string> args = SplitCommandLine(lpCommandLine ? lpCommandLine : "");
    std::string program = lpApplicationName ? MapPath(lpApplicationName)
                                            : (args.empty() ? std::string() : FindProgram(args[0]));
    if (args.empty() && lpApplicationName) args.push_back(lpApplicationName);
    if (program.empty() || args.empty()) return FALSE;

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (lpStartupInfo && (lpStartupInfo->dwFlags & STARTF_USESTDHANDLES) && bInheritHandles) {
        HANDLE std[3] = {lpStartupInfo->hStdInput, lpStartupInfo->hStdOutput, lpStartupInfo->hStdError};
        for (int target = 0; target < 3; ++target) {
            int fd = PipeEndDescriptor(std[target]);
            if (fd >= 0)
                posix_spawn_file_actions_adddup2(&actions, fd, target);
            else
                posix_spawn_file_actions_addopen(&actions, target, "/dev/null", target == 0 ? O_RDONLY : O_WRONLY, 0);
        }
    }
    if (lpCurrentDirectory && *lpCurrentDirectory)
        posix_spawn_file_actions_addchdir_np(&actions, MapPath(lpCurrentDirectory).c_str());

    // The child starts with the default SIGPIPE action even when the caller ignores it.
    posix_spawnattr_t attr;
    posix_spawnattr_init(&attr);
    sigset_t defaults;
    sigemptyset(&defaults);
    sigaddset(&defaults, SIGPIPE);
    posix_spawnattr_setsigdefault(&attr, &defaults);
    posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETSIGDEF);

    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    int err = posix_spawn(&pid, program.c_str(), &actions, &attr, argv.data(),
                          lpEnvironment ? static_cast<char**>(lpEnvironment) : environ);
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attr);
    if (err != 0) return FALSE;

    auto* process = new ProcessHandleObject(ProcessHandleObject::PROCESS);
    process->pid = pid;
    auto* thread = new ProcessHandleObject(ProcessHandleObject::THREAD);
    thread->pid = pid;
    if (lpProcessInformation) {
        lpProcessInformation->hProcess = RegisterProcessHandle(process);
        lpProcessInformation->hThread = RegisterProcessHandle(thread);
        lpProcessInformation->dwProcessId = static_cast<DWORD>(pid);
        lpProcessInformation->dwThreadId = static_cast<DWORD>(pid);
    } else {
        CloseProcessOrPipeHandle(RegisterProcessHandle(process));
        delete thread;
    }
    return TRUE;
}

DWORD WaitForProcess(HANDLE hProcess, DWORD dwMilliseconds) {
    ProcessHandleObject* p = Process(hProcess);
    if (!p) return WAIT_FAILED;
    if (dwMilliseconds == INFINITE) {
        TryCollect(p, true);
        return WAIT_OBJECT_0;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(dwMilliseconds);
    for (;;) {
        if (TryCollect(p, false)) return WAIT_OBJECT_0;
        if (std::chrono::steady_clock::now() >= deadline) return WAIT_TIMEOUT;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode) {
    ProcessHandleObject* p = Process(hProcess);
    if (!p || !lpExitCode) return FALSE;
    *lpExitCode = TryCollect(p, false) ? p->exitCode : STILL_ACTIVE;
    return TRUE;
}

BOOL TerminateProcess(HANDLE hProcess, UINT uExitCode) {
    ProcessHandleObject* p = Process(hProcess);
    if (!p) return FALSE;
    if (TryCollect(p, false)) return TRUE;  // already ended: its own exit code stays
    p->terminated = true;
    p->exitCode = uExitCode;
    kill(p->pid, SIGKILL);
    TryCollect(p, true);
    return TRUE;
}
