// Child processes and pipes: reading, peeking, broken pipes, exit codes and termination.
#include <gtest/gtest.h>

#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <filesystem>
#include <string>

#include "kernel/process_api.h"
#include "tests/support/temp_folder.h"

namespace {

struct Child {
    PROCESS_INFORMATION pi = {};
    HANDLE outRead = nullptr;
    bool started = false;

    explicit Child(const char* commandLine, DWORD flags = CREATE_NO_WINDOW)
    {
        HANDLE outWrite = nullptr;
        SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, TRUE};
        EXPECT_TRUE(CreatePipe(&outRead, &outWrite, &sa, 0));
        STARTUPINFO si;
        GetStartupInfo(&si);
        si.dwFlags = STARTF_USESTDHANDLES;
        si.hStdOutput = si.hStdError = outWrite;
        std::string line = commandLine;
        started = CreateProcess(nullptr, line.data(), nullptr, nullptr, TRUE, flags, nullptr, nullptr, &si, &pi);
        CloseHandle(outWrite);
    }
    ~Child()
    {
        CloseHandle(outRead);
        if (started) {
            CloseHandle(pi.hProcess);
            CloseHandle(pi.hThread);
        }
    }
    std::string ReadAll()
    {
        std::string text;
        char buf[256];
        DWORD got = 0;
        while (ReadFile(outRead, buf, sizeof buf, &got, nullptr))
            text.append(buf, got);
        return text;
    }
};

TEST(Process, OutputPeekAndBrokenPipe)
{
    Child child("printf \"%s|%s\" \"two words\" x");
    ASSERT_TRUE(child.started);
    ASSERT_EQ(WaitForSingleObject(child.pi.hProcess, INFINITE), WAIT_OBJECT_0);
    char peek[4] = {};
    DWORD peeked = 0, avail = 0;
    ASSERT_TRUE(PeekNamedPipe(child.outRead, peek, 3, &peeked, &avail, nullptr));
    EXPECT_EQ(peeked, 3u);
    EXPECT_EQ(avail, 11u);
    EXPECT_STREQ(peek, "two");
    EXPECT_EQ(child.ReadAll(), "two words|x");
    DWORD got = 1;
    EXPECT_FALSE(ReadFile(child.outRead, peek, 1, &got, nullptr));
    EXPECT_EQ(got, 0u);
}

TEST(Process, ExitCodesAndTermination)
{
    Child fails("false");
    ASSERT_TRUE(fails.started);
    fails.ReadAll();
    WaitForSingleObject(fails.pi.hProcess, INFINITE);
    DWORD code = 0;
    ASSERT_TRUE(GetExitCodeProcess(fails.pi.hProcess, &code));
    EXPECT_EQ(code, 1u);

    Child sleeper("sleep 30");
    ASSERT_TRUE(sleeper.started);
    EXPECT_EQ(WaitForSingleObject(sleeper.pi.hProcess, 10), static_cast<DWORD>(WAIT_TIMEOUT));
    ASSERT_TRUE(GetExitCodeProcess(sleeper.pi.hProcess, &code));
    EXPECT_EQ(code, static_cast<DWORD>(STILL_ACTIVE));
    ASSERT_TRUE(TerminateProcess(sleeper.pi.hProcess, 7));
    ASSERT_TRUE(GetExitCodeProcess(sleeper.pi.hProcess, &code));
    EXPECT_EQ(code, 7u);
    EXPECT_EQ(sleeper.ReadAll(), "");
}

TEST(Process, MissingProgramFailsToStartAndHandlesClose)
{
    Child missing("no-such-program-for-kestrin --flag");
    EXPECT_FALSE(missing.started);
    EXPECT_TRUE(IsProcessOrPipeHandle(missing.outRead));
    HANDLE r = nullptr, w = nullptr;
    ASSERT_TRUE(CreatePipe(&r, &w, nullptr, 0));
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(w, "q", 2, &written, nullptr));
    EXPECT_EQ(written, 2u);
    EXPECT_TRUE(CloseHandle(r));
    EXPECT_FALSE(WriteFile(w, "q", 1, &written, nullptr));  // no reader: fails instead of raising SIGPIPE
    EXPECT_TRUE(CloseHandle(w));
    EXPECT_FALSE(IsProcessOrPipeHandle(w));
}

}  // namespace

namespace {

// A bare program name is found beside the running program, never in the current folder.
TEST(Process, ProgramFolderIsSearchedButNotTheCurrentFolder)
{
    namespace fs = std::filesystem;
    fs::path own = fs::read_symlink("/proc/self/exe").parent_path();
    std::string name = "kestrin-echo-" + std::to_string(getpid());
    fs::copy_file("/bin/echo", own / name);
    {
        Child child((name + " beside").c_str());
        EXPECT_TRUE(child.started);
        EXPECT_EQ(child.ReadAll(), "beside\n");
    }
    fs::remove(own / name);

    TempFolder folder;
    fs::path here = folder.Linux();
    fs::copy_file("/bin/echo", here / name);
    fs::path previous = fs::current_path();
    fs::current_path(here);
    {
        Child child((name + " here").c_str());
        EXPECT_FALSE(child.started);
    }
    fs::current_path(previous);
}

}  // namespace

namespace {

// A child bound to its parent is killed with it; the keeper process adopts the orphan to see how it ended.
TEST(Process, AChildBoundToItsParentEndsWithIt)
{
    pid_t keeper = fork();
    ASSERT_GE(keeper, 0);
    if (keeper == 0) {
        prctl(PR_SET_CHILD_SUBREAPER, 1);
        int ids[2];
        if (pipe(ids) != 0)
            _exit(2);
        pid_t parent = fork();
        if (parent == 0) {
            Child child("sleep 30", CREATE_NO_WINDOW | CREATE_ENDS_WITH_PARENT);
            pid_t id = child.started ? static_cast<pid_t>(child.pi.dwProcessId) : 0;
            if (write(ids[1], &id, sizeof id) != sizeof id)
                _exit(2);
            pause();
        }
        pid_t orphan = 0;
        if (read(ids[0], &orphan, sizeof orphan) != sizeof orphan || orphan <= 0)
            _exit(3);
        kill(parent, SIGKILL);
        waitpid(parent, nullptr, 0);
        int status = 0;
        if (waitpid(orphan, &status, 0) != orphan)
            _exit(4);
        _exit(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL ? 0 : 5);
    }
    int status = 0;
    ASSERT_EQ(waitpid(keeper, &status, 0), keeper);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "0: killed with its parent, 5: it lived on";
}

}  // namespace
