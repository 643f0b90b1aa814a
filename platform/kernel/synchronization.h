// Critical sections, events and threads of the Windows kernel, and the class library's worker threads.
#pragma once

#include "kernel/kernel_object.h"
#include "kernel/windef.h"

// A recursive lock, as on Windows; the record only points at the lock made by Initialize.
struct CRITICAL_SECTION {
    void* lock;
};
typedef CRITICAL_SECTION* LPCRITICAL_SECTION;

void InitializeCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);

// The class library's wrapper of a critical section.
class CCriticalSection {
public:
    CCriticalSection() { InitializeCriticalSection(&m_sect); }
    ~CCriticalSection() { DeleteCriticalSection(&m_sect); }
    CCriticalSection(const CCriticalSection&) = delete;
    CCriticalSection& operator=(const CCriticalSection&) = delete;
    BOOL Lock()
    {
        EnterCriticalSection(&m_sect);
        return TRUE;
    }
    BOOL Unlock()
    {
        LeaveCriticalSection(&m_sect);
        return TRUE;
    }
    CRITICAL_SECTION m_sect;
};

struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

// Events: manual-reset events stay signalled until reset; auto-reset events release one waiter.
// Names are ignored (no event is shared between processes).
HANDLE CreateEvent(LPSECURITY_ATTRIBUTES attributes, BOOL manualReset, BOOL initialState, LPCSTR name);
BOOL SetEvent(HANDLE event);
BOOL ResetEvent(HANDLE event);

#define CREATE_SUSPENDED 0x00000004
#define THREAD_PRIORITY_NORMAL 0
#define THREAD_PRIORITY_ABOVE_NORMAL 1
#define THREAD_PRIORITY_HIGHEST 2
#define THREAD_PRIORITY_TIME_CRITICAL 15
#define THREAD_PRIORITY_BELOW_NORMAL (-1)
#define THREAD_PRIORITY_LOWEST (-2)
#define THREAD_PRIORITY_IDLE (-15)
#ifndef STILL_ACTIVE
#define STILL_ACTIVE 0x00000103
#endif

typedef DWORD(WINAPI* LPTHREAD_START_ROUTINE)(LPVOID parameter);

// The thread handle is signalled when the routine returns; its result is the exit code.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES attributes, size_t stackSize, LPTHREAD_START_ROUTINE startAddress,
                    LPVOID parameter, DWORD creationFlags, LPDWORD threadId);
DWORD ResumeThread(HANDLE thread);
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
// Priorities are recorded only: threads run at the process's scheduling class.
BOOL SetThreadPriority(HANDLE thread, int priority);
int GetThreadPriority(HANDLE thread);
DWORD GetCurrentThreadId();
DWORD GetCurrentProcessId();

typedef UINT (*AFX_THREADPROC)(LPVOID parameter);

// A worker thread of the class library. With m_bAutoDelete (the default) the object deletes itself
// when the routine returns; m_hThread can be waited on until then.
class CWinThread {
public:
    CWinThread() = default;
    CWinThread(AFX_THREADPROC proc, LPVOID parameter) : m_pfnThreadProc(proc), m_pThreadParams(parameter) {}
    virtual ~CWinThread();
    CWinThread(const CWinThread&) = delete;
    CWinThread& operator=(const CWinThread&) = delete;

    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0, LPSECURITY_ATTRIBUTES attributes = nullptr);
    DWORD ResumeThread();
    BOOL SetThreadPriority(int priority);
    int GetThreadPriority();

    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    BOOL m_bAutoDelete = TRUE;

private:
    static DWORD WINAPI Start(LPVOID self);
    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;
};

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID parameter, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0, LPSECURITY_ATTRIBUTES attributes = nullptr);
