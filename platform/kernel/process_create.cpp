// Child processes: start without a shell, optionally bound to the starting thread's life; wait, exit code, termination.
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
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

#include "kernel/last_error.h"
#include "kernel/path_map.h"
#include "kernel/process_api.h"
#include "kernel/process_handles.h"

extern char** environ;

namespace {

bool IsExecutable(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

std::string ProgramFolder()
{
    char buf[4096];
    ssize_t n = readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0)
        return std::string();
    std::string exe(buf, static_cast<size_t>(n));
    size_t slash = exe.rfind('/');
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

// A bare program name is looked for beside the running program, then on PATH (never the current folder).
std::string FindProgram(const std::string& name)
{
    if (name.find('/') != std::string::npos || name.find('\\') != std::string::npos)
        return MapPath(name);
    const std::string& native = name;
    std::string own = ProgramFolder();
    if (!own.empty() && IsExecutable(own + "/" + native))
        return own + "/" + native;
    const char* path = getenv("PATH");
    std::string dirs = path ? path : "/usr/local/bin:/usr/bin:/bin";
    size_t start = 0;
    while (start <= dirs.size()) {
        size_t end = dirs.find(':', start);
        if (end == std::string::npos)
            end = dirs.size();
        std::string dir = dirs.substr(start, end - start);
        if (!dir.empty() && IsExecutable(dir + "/" + native))
            return dir + "/" + native;
        start = end + 1;
    }
    return std::string();
}

struct ChildSetup {
    bool redirect = false;
    int stdFds[3] = {-1, -1, -1};  // -1: /dev/null
    const char* folder = nullptr;
    const char* program = nullptr;
    char** argv = nullptr;
    char** envp = nullptr;
    bool endsWithParent = false;
};

// The child's side of StartChild: only async-signal-safe calls. A failure is reported through the
// close-on-exec pipe as an errno value.
[[noreturn]] void RunChild(const ChildSetup& setup, pid_t parent, int report)
{
    int err = 0;
    if (setup.endsWithParent) {
        // Killed when the starting thread ends, also when it died before this line ran.
        if (prctl(PR_SET_PDEATHSIG, SIGKILL) != 0)
            err = errno;
        if (!err && getppid() != parent)
            _exit(127);
    }
    for (int target = 0; !err && setup.redirect && target < 3; ++target) {
        int fd = setup.stdFds[target];
        if (fd < 0) {
            fd = open("/dev/null", target == 0 ? O_RDONLY : O_WRONLY);
            if (fd < 0)
                err = errno;
        }
        if (err)
            break;
        if (fd == target) {
            if (fcntl(fd, F_SETFD, 0) != 0)
                err = errno;
        } else if (dup2(fd, target) < 0) {
            err = errno;
        }
    }
    if (!err && setup.folder && chdir(setup.folder) != 0)
        err = errno;
    // The child starts with the default SIGPIPE action even when the caller ignores it.
    if (!err)
        signal(SIGPIPE, SIG_DFL);
    if (!err) {
        execve(setup.program, setup.argv, setup.envp);
        err = errno;
    }
    while (write(report, &err, sizeof err) < 0 && errno == EINTR) {
    }
    _exit(127);
}

// Forks and executes the child; 0 with its id, or the errno value of what failed.
int StartChild(const ChildSetup& setup, pid_t* pid)
{
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return errno;
    pid_t parent = getpid();
    pid_t child = fork();
    if (child < 0) {
        int err = errno;
        close(report[0]);
        close(report[1]);
        return err;
    }
    if (child == 0)
        RunChild(setup, parent, report[1]);
    close(report[1]);
    int err = 0;
    ssize_t got;
    do {
        got = read(report[0], &err, sizeof err);
    } while (got < 0 && errno == EINTR);
    close(report[0]);
    if (got == static_cast<ssize_t>(sizeof err)) {
        waitpid(child, nullptr, 0);
        return err ? err : ECHILD;
    }
    *pid = child;
    return 0;
}

ProcessHandleObject* Process(HANDLE h) { return LookupProcessHandle(h, ProcessHandleObject::PROCESS); }

void Collect(ProcessHandleObject* p, int status)
{
    p->reaped = true;
    if (p->terminated)
        return;  // the code given to TerminateProcess stands
    if (WIFEXITED(status))
        p->exitCode = static_cast<DWORD>(WEXITSTATUS(status));
    else if (WIFSIGNALED(status))
        p->exitCode = 128 + static_cast<DWORD>(WTERMSIG(status));
}

bool TryCollect(ProcessHandleObject* p, bool block)
{
    if (p->reaped)
        return true;
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

void GetStartupInfo(LPSTARTUPINFO lpStartupInfo)
{
    if (!lpStartupInfo)
        return;
    std::memset(lpStartupInfo, 0, sizeof *lpStartupInfo);
    lpStartupInfo->cb = sizeof *lpStartupInfo;
}

BOOL CreateProcess(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES,
                   BOOL bInheritHandles, DWORD dwCreationFlags, LPVOID lpEnvironment, LPCSTR lpCurrentDirectory,
                   LPSTARTUPINFO lpStartupInfo, LPPROCESS_INFORMATION lpProcessInformation)
{
    std::vector<std::string> args = SplitCommandLine(lpCommandLine ? lpCommandLine : "");
    std::string program =
        lpApplicationName ? MapPath(lpApplicationName) : (args.empty() ? std::string() : FindProgram(args[0]));
    if (args.empty() && lpApplicationName)
        args.push_back(lpApplicationName);
    if (program.empty() || args.empty()) {
        errno = ENOENT;
        SetLastErrorFromErrno(ENOENT);
        return FALSE;
    }

    // Everything the child needs is prepared here: between fork and exec only async-signal-safe calls run.
    ChildSetup setup;
    if (lpStartupInfo && (lpStartupInfo->dwFlags & STARTF_USESTDHANDLES) && bInheritHandles) {
        HANDLE std[3] = {lpStartupInfo->hStdInput, lpStartupInfo->hStdOutput, lpStartupInfo->hStdError};
        for (int target = 0; target < 3; ++target)
            setup.stdFds[target] = PipeEndDescriptor(std[target]);
        setup.redirect = true;
    }
    std::string folder = lpCurrentDirectory && *lpCurrentDirectory ? MapPath(lpCurrentDirectory) : std::string();
    setup.folder = folder.empty() ? nullptr : folder.c_str();
    setup.program = program.c_str();
    std::vector<char*> argv;
    for (std::string& a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    setup.argv = argv.data();
    setup.envp = lpEnvironment ? static_cast<char**>(lpEnvironment) : environ;
    setup.endsWithParent = (dwCreationFlags & CREATE_ENDS_WITH_PARENT) != 0;

    pid_t pid = 0;
    int err = StartChild(setup, &pid);
    if (err != 0) {
        errno = err;
        SetLastErrorFromErrno(err);
        return FALSE;
    }

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

DWORD WaitForProcess(HANDLE hProcess, DWORD dwMilliseconds)
{
    ProcessHandleObject* p = Process(hProcess);
    if (!p)
        return WAIT_FAILED;
    if (dwMilliseconds == INFINITE) {
        TryCollect(p, true);
        return WAIT_OBJECT_0;
    }
    auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(dwMilliseconds);
    for (;;) {
        if (TryCollect(p, false))
            return WAIT_OBJECT_0;
        if (std::chrono::steady_clock::now() >= deadline)
            return WAIT_TIMEOUT;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
}

BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode)
{
    ProcessHandleObject* p = Process(hProcess);
    if (!p || !lpExitCode)
        return FALSE;
    *lpExitCode = TryCollect(p, false) ? p->exitCode : STILL_ACTIVE;
    return TRUE;
}

BOOL TerminateProcess(HANDLE hProcess, UINT uExitCode)
{
    ProcessHandleObject* p = Process(hProcess);
    if (!p)
        return FALSE;
    if (TryCollect(p, false))
        return TRUE;  // already ended: its own exit code stays
    p->terminated = true;
    p->exitCode = uExitCode;
    kill(p->pid, SIGKILL);
    TryCollect(p, true);
    return TRUE;
}
