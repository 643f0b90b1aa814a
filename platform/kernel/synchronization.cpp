// Critical sections, events and threads over the C++ thread library.
#include "kernel/synchronization.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>
#include <unistd.h>
#include <sys/syscall.h>

#include "kernel/last_error.h"

namespace {

// A signal state shared by events and threads.
class Signal {
public:
    Signal(bool manualReset, bool signalled) : m_manual(manualReset), m_signalled(signalled) {}
    void Set()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_signalled = true;
        if (m_manual)
            m_cv.notify_all();
        else
            m_cv.notify_one();
    }
    void Reset()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_signalled = false;
    }
    DWORD Wait(DWORD milliseconds)
    {
        std::unique_lock<std::mutex> lock(m_lock);
        auto ready = [this] { return m_signalled; };
        if (milliseconds == INFINITE)
            m_cv.wait(lock, ready);
        else if (!m_cv.wait_for(lock, std::chrono::milliseconds(milliseconds), ready))
            return WAIT_TIMEOUT;
        if (!m_manual)
            m_signalled = false;
        return WAIT_OBJECT_0;
    }

private:
    std::mutex m_lock;
    std::condition_variable m_cv;
    bool m_manual;
    bool m_signalled;
};

class EventObject : public KernelObject {
public:
    EventObject(bool manual, bool initial) : signal(manual, initial) {}
    DWORD Wait(DWORD milliseconds) override { return signal.Wait(milliseconds); }
    Signal signal;
};

// Lives as long as the thread or its handle, whichever ends last.
struct ThreadState {
    LPTHREAD_START_ROUTINE routine;
    LPVOID parameter;
    Signal finished{true, false};
    Signal started{true, false};
    std::atomic<DWORD> exitCode{STILL_ACTIVE};
    std::atomic<DWORD> threadId{0};
    std::atomic<int> priority{THREAD_PRIORITY_NORMAL};
    std::atomic<bool> suspended{false};
};

class ThreadObject : public KernelObject {
public:
    explicit ThreadObject(std::shared_ptr<ThreadState> state) : state(std::move(state)) {}
    DWORD Wait(DWORD milliseconds) override { return state->finished.Wait(milliseconds); }
    std::shared_ptr<ThreadState> state;
};

ThreadObject* LookupThread(HANDLE thread)
{
    auto* object = LookupKernelObjectAs<ThreadObject>(thread);
    if (!object)
        SetLastError(ERROR_INVALID_HANDLE);
    return object;
}

}  // namespace

void InitializeCriticalSection(LPCRITICAL_SECTION section) { section->lock = new std::recursive_mutex; }

void DeleteCriticalSection(LPCRITICAL_SECTION section)
{
    delete static_cast<std::recursive_mutex*>(section->lock);
    section->lock = nullptr;
}

void EnterCriticalSection(LPCRITICAL_SECTION section) { static_cast<std::recursive_mutex*>(section->lock)->lock(); }

BOOL TryEnterCriticalSection(LPCRITICAL_SECTION section)
{
    return static_cast<std::recursive_mutex*>(section->lock)->try_lock();
}

void LeaveCriticalSection(LPCRITICAL_SECTION section) { static_cast<std::recursive_mutex*>(section->lock)->unlock(); }

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES, BOOL manualReset, BOOL initialState, LPCSTR)
{
    return RegisterKernelObject(new EventObject(manualReset, initialState));
}

BOOL SetEvent(HANDLE event)
{
    auto* object = LookupKernelObjectAs<EventObject>(event);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    object->signal.Set();
    return TRUE;
}

BOOL ResetEvent(HANDLE event)
{
    auto* object = LookupKernelObjectAs<EventObject>(event);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    object->signal.Reset();
    return TRUE;
}

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, size_t, LPTHREAD_START_ROUTINE startAddress, LPVOID parameter,
                    DWORD creationFlags, LPDWORD threadId)
{
    if (!startAddress) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto state = std::make_shared<ThreadState>();
    state->routine = startAddress;
    state->parameter = parameter;
    state->suspended = creationFlags & CREATE_SUSPENDED;
    HANDLE handle = RegisterKernelObject(new ThreadObject(state));
    try {
        std::thread([state] {
            state->threadId = GetCurrentThreadId();
            if (state->suspended)
                state->started.Wait(INFINITE);
            state->exitCode = state->routine(state->parameter);
            state->finished.Set();
        }).detach();
    } catch (const std::system_error&) {
        CloseHandle(handle);
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    if (!state->suspended)
        state->started.Set();
    while (state->threadId == 0)
        std::this_thread::yield();
    if (threadId)
        *threadId = state->threadId;
    return handle;
}

DWORD ResumeThread(HANDLE thread)
{
    ThreadObject* object = LookupThread(thread);
    if (!object)
        return static_cast<DWORD>(-1);
    bool was = object->state->suspended.exchange(false);
    object->state->started.Set();
    return was ? 1 : 0;
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode)
{
    ThreadObject* object = LookupThread(thread);
    if (!object || !exitCode)
        return FALSE;
    *exitCode = object->state->exitCode;
    return TRUE;
}

BOOL SetThreadPriority(HANDLE thread, int priority)
{
    ThreadObject* object = LookupThread(thread);
    if (!object)
        return FALSE;
    object->state->priority = priority;
    return TRUE;
}

int GetThreadPriority(HANDLE thread)
{
    ThreadObject* object = LookupThread(thread);
    return object ? object->state->priority.load() : 0x7FFFFFFF;
}

DWORD GetCurrentThreadId() { return static_cast<DWORD>(syscall(SYS_gettid)); }

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }

CWinThread::~CWinThread()
{
    if (m_hThread)
        CloseHandle(m_hThread);
}

DWORD WINAPI CWinThread::Start(LPVOID self)
{
    auto* thread = static_cast<CWinThread*>(self);
    UINT result = thread->m_pfnThreadProc(thread->m_pThreadParams);
    if (thread->m_bAutoDelete)
        delete thread;
    return result;
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT stackSize, LPSECURITY_ATTRIBUTES attributes)
{
    // Started suspended so that m_hThread is stored before the routine can end and delete the object.
    m_hThread = ::CreateThread(attributes, stackSize, &CWinThread::Start, this, CREATE_SUSPENDED, &m_nThreadID);
    if (!m_hThread)
        return FALSE;
    if (!(createFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

DWORD CWinThread::ResumeThread() { return ::ResumeThread(m_hThread); }

BOOL CWinThread::SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority); }

int CWinThread::GetThreadPriority() { return ::GetThreadPriority(m_hThread); }

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID parameter, int priority, UINT stackSize, DWORD createFlags,
                           LPSECURITY_ATTRIBUTES attributes)
{
    auto* thread = new CWinThread(proc, parameter);
    if (!thread->CreateThread(createFlags | CREATE_SUSPENDED, stackSize, attributes)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(priority);
    if (!(createFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}
