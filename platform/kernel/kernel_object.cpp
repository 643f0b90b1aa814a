// Registry of live kernel objects, CloseHandle and WaitForSingleObject.
#include "kernel/kernel_object.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <thread>
#include <unordered_set>

#include "kernel/last_error.h"

// The process functions keep their own handles; they are reached only when linked in.
BOOL CloseProcessOrPipeHandle(HANDLE h) __attribute__((weak));
bool IsProcessOrPipeHandle(HANDLE h) __attribute__((weak));
DWORD WaitForProcess(HANDLE hProcess, DWORD dwMilliseconds) __attribute__((weak));

namespace {

struct Registry {
    std::mutex lock;
    std::unordered_set<KernelObject*> live;
};

Registry& Objects()
{
    static Registry registry;
    return registry;
}

}  // namespace

DWORD KernelObject::Wait(DWORD)
{
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
}

HANDLE RegisterKernelObject(KernelObject* object)
{
    std::lock_guard<std::mutex> guard(Objects().lock);
    Objects().live.insert(object);
    return object;
}

KernelObject* LookupKernelObject(HANDLE handle)
{
    auto* object = static_cast<KernelObject*>(handle);
    std::lock_guard<std::mutex> guard(Objects().lock);
    return Objects().live.count(object) ? object : nullptr;
}

BOOL CloseHandle(HANDLE handle)
{
    auto* object = static_cast<KernelObject*>(handle);
    {
        std::lock_guard<std::mutex> guard(Objects().lock);
        if (!Objects().live.erase(object))
            object = nullptr;
    }
    if (object) {
        delete object;
        return TRUE;
    }
    if (CloseProcessOrPipeHandle && IsProcessOrPipeHandle && IsProcessOrPipeHandle(handle))
        return CloseProcessOrPipeHandle(handle);
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
}

namespace {

std::atomic<void (*)()> g_waitService{nullptr};
std::atomic<std::thread::id> g_waitServiceThread{};

DWORD WaitOnce(HANDLE handle, DWORD milliseconds)
{
    if (KernelObject* object = LookupKernelObject(handle))
        return object->Wait(milliseconds);
    if (WaitForProcess && IsProcessOrPipeHandle && IsProcessOrPipeHandle(handle))
        return WaitForProcess(handle, milliseconds);
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
}

}  // namespace

void SetWaitingThreadService(void (*service)())
{
    g_waitServiceThread = std::this_thread::get_id();
    g_waitService = service;
}

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    void (*service)() = g_waitService;
    if (!service || g_waitServiceThread.load() != std::this_thread::get_id())
        return WaitOnce(handle, milliseconds);
    const DWORD slice = 5;
    for (DWORD waited = 0;;) {
        service();
        DWORD step = milliseconds == INFINITE ? slice : std::min(slice, milliseconds - waited);
        DWORD r = WaitOnce(handle, step);
        if (r != WAIT_TIMEOUT)
            return r;
        if (milliseconds != INFINITE && (waited += step) >= milliseconds)
            return WAIT_TIMEOUT;
    }
}
