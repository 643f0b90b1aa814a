// Registry of the pipe, process and thread handles made by the process functions.
#include "kernel/process_handles.h"

#include <sys/wait.h>
#include <unistd.h>

#include <memory>
#include <mutex>
#include <unordered_map>

#include "kernel/process_api.h"

namespace {

std::mutex g_mutex;

std::unordered_map<HANDLE, std::unique_ptr<ProcessHandleObject>>& Objects()
{
    static std::unordered_map<HANDLE, std::unique_ptr<ProcessHandleObject>> objects;
    return objects;
}

}  // namespace

HANDLE RegisterProcessHandle(ProcessHandleObject* object)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    HANDLE h = object;
    Objects()[h].reset(object);
    return h;
}

ProcessHandleObject* LookupProcessHandle(HANDLE h, ProcessHandleObject::Kind kind)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    auto it = Objects().find(h);
    if (it == Objects().end() || it->second->kind != kind)
        return nullptr;
    return it->second.get();
}

bool IsProcessOrPipeHandle(HANDLE h)
{
    std::lock_guard<std::mutex> lock(g_mutex);
    return Objects().count(h) != 0;
}

BOOL CloseProcessOrPipeHandle(HANDLE h)
{
    std::unique_ptr<ProcessHandleObject> object;
    {
        std::lock_guard<std::mutex> lock(g_mutex);
        auto it = Objects().find(h);
        if (it == Objects().end())
            return FALSE;
        object = std::move(it->second);
        Objects().erase(it);
    }
    if (object->kind == ProcessHandleObject::PIPE_END && object->fd >= 0)
        close(object->fd);
    // A finished child that nobody waited for is collected here so that it leaves no zombie.
    if (object->kind == ProcessHandleObject::PROCESS && !object->reaped)
        waitpid(object->pid, nullptr, WNOHANG);
    return TRUE;
}
