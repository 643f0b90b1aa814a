// Events, threads, worker threads, critical sections and interlocked counters.
#include <gtest/gtest.h>

#include "kernel/interlocked.h"
#include "kernel/synchronization.h"

namespace {

struct Shared {
    HANDLE go;
    volatile LONG counter = 0;
    CRITICAL_SECTION section;
    int guarded = 0;
};

DWORD WINAPI Worker(LPVOID p)
{
    auto* s = static_cast<Shared*>(p);
    WaitForSingleObject(s->go, INFINITE);
    for (int i = 0; i < 1000; ++i) {
        InterlockedIncrement(&s->counter);
        EnterCriticalSection(&s->section);
        EnterCriticalSection(&s->section);  // recursive, as on Windows
        ++s->guarded;
        LeaveCriticalSection(&s->section);
        LeaveCriticalSection(&s->section);
    }
    return 7;
}

UINT AfxWorker(LPVOID p)
{
    InterlockedExchange(static_cast<volatile LONG*>(p), 42);
    return 0;
}

}  // namespace

TEST(Synchronization, ThreadsEventsAndLocks)
{
    Shared s;
    s.go = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    InitializeCriticalSection(&s.section);
    HANDLE threads[3];
    for (HANDLE& h : threads)
        h = CreateThread(nullptr, 0, Worker, &s, 0, nullptr);
    EXPECT_EQ(WaitForSingleObject(threads[0], 10), (DWORD)WAIT_TIMEOUT);
    SetEvent(s.go);
    for (HANDLE h : threads) {
        EXPECT_EQ(WaitForSingleObject(h, INFINITE), (DWORD)WAIT_OBJECT_0);
        DWORD code = 0;
        EXPECT_TRUE(GetExitCodeThread(h, &code));
        EXPECT_EQ(code, 7u);
        EXPECT_TRUE(CloseHandle(h));
    }
    EXPECT_EQ(s.counter, 3000);
    EXPECT_EQ(s.guarded, 3000);
    DeleteCriticalSection(&s.section);
    CloseHandle(s.go);
}

TEST(Synchronization, AutoResetEventReleasesOneWait)
{
    HANDLE e = CreateEvent(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(e, 0), (DWORD)WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(e, 0), (DWORD)WAIT_TIMEOUT);
    SetEvent(e);
    EXPECT_EQ(WaitForSingleObject(e, 0), (DWORD)WAIT_OBJECT_0);
    CloseHandle(e);
    EXPECT_EQ(WaitForSingleObject(e, 0), (DWORD)WAIT_FAILED);
}

TEST(Synchronization, WorkerThreadOfTheClassLibrary)
{
    volatile LONG value = 0;
    CWinThread* thread = AfxBeginThread(AfxWorker, (LPVOID)&value, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_EQ(value, 0);
    thread->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(thread->m_hThread, INFINITE), (DWORD)WAIT_OBJECT_0);
    EXPECT_EQ(value, 42);
    delete thread;
    LONG v = 5;
    EXPECT_EQ(InterlockedCompareExchange(&v, 9, 5), 5);
    EXPECT_EQ(v, 9);
    EXPECT_EQ(InterlockedExchangeAdd(&v, 2), 9);
    EXPECT_EQ(InterlockedDecrement(&v), 10);
}
