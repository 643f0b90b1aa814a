// Child processes and anonymous pipes: CreateProcess, CreatePipe, ReadFile/WriteFile on pipes, waits and exit codes.
#pragma once

#include <string>
#include <vector>

#include "kernel/file_api.h"
#include "kernel/kernel_object.h"
#include "kernel/windef.h"

struct SECURITY_ATTRIBUTES {
    DWORD nLength;
    LPVOID lpSecurityDescriptor;
    BOOL bInheritHandle;
};

struct STARTUPINFOA {
    DWORD cb;
    LPSTR lpReserved;
    LPSTR lpDesktop;
    LPSTR lpTitle;
    DWORD dwX;
    DWORD dwY;
    DWORD dwXSize;
    DWORD dwYSize;
    DWORD dwXCountChars;
    DWORD dwYCountChars;
    DWORD dwFillAttribute;
    DWORD dwFlags;
    WORD wShowWindow;
    WORD cbReserved2;
    LPBYTE lpReserved2;
    HANDLE hStdInput;
    HANDLE hStdOutput;
    HANDLE hStdError;
};
typedef STARTUPINFOA STARTUPINFO;
typedef STARTUPINFOA* LPSTARTUPINFO;

struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};
typedef PROCESS_INFORMATION* LPPROCESS_INFORMATION;

#define STARTF_USESHOWWINDOW 0x00000001
#define STARTF_USESTDHANDLES 0x00000100
#define CREATE_NO_WINDOW 0x08000000
#define NORMAL_PRIORITY_CLASS 0x00000020
#define STILL_ACTIVE 0x00000103
// This layer's own creation flag: the child is killed when the thread that started it ends (the program
// exits or is killed), so that a helper never goes on working for a program that is gone.
#define CREATE_ENDS_WITH_PARENT 0x80000000

void GetStartupInfo(LPSTARTUPINFO lpStartupInfo);

// The first token of lpCommandLine names the program when lpApplicationName is null; a name without a
// folder is searched in the running program's folder, then on PATH. The command line is split into
// arguments the way a Windows program splits its own; no shell is involved. On failure errno and the last
// error tell why (a program that is not found gives ENOENT).
BOOL CreateProcess(LPCSTR lpApplicationName, LPSTR lpCommandLine, LPSECURITY_ATTRIBUTES lpProcessAttributes,
                   LPSECURITY_ATTRIBUTES lpThreadAttributes, BOOL bInheritHandles, DWORD dwCreationFlags,
                   LPVOID lpEnvironment, LPCSTR lpCurrentDirectory, LPSTARTUPINFO lpStartupInfo,
                   LPPROCESS_INFORMATION lpProcessInformation);
BOOL TerminateProcess(HANDLE hProcess, UINT uExitCode);
BOOL GetExitCodeProcess(HANDLE hProcess, LPDWORD lpExitCode);
// Waits on a process handle; WaitForSingleObject and CloseHandle reach these handles too.
DWORD WaitForProcess(HANDLE hProcess, DWORD dwMilliseconds);

BOOL CreatePipe(HANDLE* hReadPipe, HANDLE* hWritePipe, LPSECURITY_ATTRIBUTES lpPipeAttributes, DWORD nSize);
BOOL PeekNamedPipe(HANDLE hNamedPipe, LPVOID lpBuffer, DWORD nBufferSize, LPDWORD lpBytesRead,
                   LPDWORD lpTotalBytesAvail, LPDWORD lpBytesLeftThisMessage);
// Reading and writing pipe handles (ReadFile and WriteFile serve them too); a read of a pipe whose writers are all
// closed fails (broken pipe).
BOOL ReadPipe(HANDLE hPipe, LPVOID lpBuffer, DWORD nBytesToRead, LPDWORD lpBytesRead);
BOOL WritePipe(HANDLE hPipe, LPCVOID lpBuffer, DWORD nBytesToWrite, LPDWORD lpBytesWritten);

// Handles of this file: pipe ends, processes and their main threads.
bool IsProcessOrPipeHandle(HANDLE h);
// Closes such a handle; FALSE when h is not one of them.
BOOL CloseProcessOrPipeHandle(HANDLE h);

// Splits a command line into arguments by the rules of a Windows program's start-up code.
std::vector<std::string> SplitCommandLine(const std::string& commandLine);
// Quotes one argument so that SplitCommandLine gives it back unchanged.
std::string QuoteCommandLineArgument(const std::string& argument);
