// Registry of live kernel objects, CloseHandle and WaitForSingleObject.
#include "kernel/kernel_object.h"

#include <mutex>
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

} // namespace

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

DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds)
{
    if (KernelObject* object = LookupKernelObject(handle))
        return object->Wait(milliseconds);
    if (WaitForProcess && IsProcessOrPipeHandle && IsProcessOrPipeHandle(handle))
        return WaitForProcess(handle, milliseconds);
    SetLastError(ERROR_INVALID_HANDLE);
    return WAIT_FAILED;
}
