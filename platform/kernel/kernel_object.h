// Kernel objects behind HANDLE values (files, find searches, events, threads) and CloseHandle.
#pragma once

#include "kernel/windef.h"

#ifndef INFINITE
#define INFINITE 0xFFFFFFFF
#endif
#ifndef WAIT_OBJECT_0
#define WAIT_OBJECT_0 0x00000000
#endif
#ifndef WAIT_TIMEOUT
#define WAIT_TIMEOUT 0x00000102
#endif
#ifndef WAIT_FAILED
#define WAIT_FAILED 0xFFFFFFFF
#endif

// Base of every object a HANDLE of this layer points at. The handle is the object's address;
// a registry of live objects lets the functions refuse stale or foreign handles.
class KernelObject {
public:
    virtual ~KernelObject() = default;
    // Waits until the object is signalled; WAIT_OBJECT_0, WAIT_TIMEOUT or WAIT_FAILED.
    virtual DWORD Wait(DWORD milliseconds);
};

HANDLE RegisterKernelObject(KernelObject* object);
// The live object of a handle, or null when the handle is not one of ours.
KernelObject* LookupKernelObject(HANDLE handle);
template <class T>
T* LookupKernelObjectAs(HANDLE handle)
{
    return dynamic_cast<T*>(LookupKernelObject(handle));
}

// Closes any handle: ours, or a process or pipe handle of the process functions.
BOOL CloseHandle(HANDLE handle);
// Waits on events, threads and processes.
DWORD WaitForSingleObject(HANDLE handle, DWORD milliseconds);

// Work other threads wait for on the calling thread (the window layer's sent messages): while that thread
// itself waits in WaitForSingleObject, the service runs between short slices of the wait, so a thread it
// waits for can never be stuck waiting for it. Null removes it.
void SetWaitingThreadService(void (*service)());
