// Internal: registry of the pipe, process and thread handles made by the process functions.
#pragma once

#include <sys/types.h>

#include "kernel/windef.h"

struct ProcessHandleObject {
    enum Kind { PIPE_END, PROCESS, THREAD };
    Kind kind;
    int fd = -1;          // pipe end: its socket
    pid_t pid = 0;        // process and thread: the child
    bool reaped = false;  // process: the exit status has been collected
    bool terminated = false;
    DWORD exitCode = 0;
    explicit ProcessHandleObject(Kind k) : kind(k) {}
};

// Registers a new object and returns its handle.
HANDLE RegisterProcessHandle(ProcessHandleObject* object);
// The object of a registered handle of the given kind, or null.
ProcessHandleObject* LookupProcessHandle(HANDLE h, ProcessHandleObject::Kind kind);

// The socket of a pipe end, or -1 for any other handle.
int PipeEndDescriptor(HANDLE h);
