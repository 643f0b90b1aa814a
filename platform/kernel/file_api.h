// File and folder functions of the Windows kernel: searches, attributes, create/copy/move/delete,
// and file handles (CreateFile, ReadFile, WriteFile, SetFilePointer). Paths are Windows-style.
#pragma once

#include "kernel/kernel_object.h"
#include "kernel/windef.h"

#define FILE_ATTRIBUTE_READONLY 0x00000001
#define FILE_ATTRIBUTE_HIDDEN 0x00000002
#define FILE_ATTRIBUTE_SYSTEM 0x00000004
#define FILE_ATTRIBUTE_DIRECTORY 0x00000010
#define FILE_ATTRIBUTE_ARCHIVE 0x00000020
#define FILE_ATTRIBUTE_NORMAL 0x00000080
#define FILE_ATTRIBUTE_TEMPORARY 0x00000100
#define INVALID_FILE_ATTRIBUTES ((DWORD)-1)

#define GENERIC_READ 0x80000000
#define GENERIC_WRITE 0x40000000
#define FILE_SHARE_READ 0x00000001
#define FILE_SHARE_WRITE 0x00000002
#define FILE_SHARE_DELETE 0x00000004
#define CREATE_NEW 1
#define CREATE_ALWAYS 2
#define OPEN_EXISTING 3
#define OPEN_ALWAYS 4
#define TRUNCATE_EXISTING 5
#define FILE_FLAG_WRITE_THROUGH 0x80000000
#define FILE_FLAG_RANDOM_ACCESS 0x10000000
#define FILE_FLAG_SEQUENTIAL_SCAN 0x08000000
#define FILE_BEGIN 0
#define FILE_CURRENT 1
#define FILE_END 2
#define INVALID_FILE_SIZE ((DWORD)0xFFFFFFFF)
#define INVALID_SET_FILE_POINTER ((DWORD)-1)

#define MOVEFILE_REPLACE_EXISTING 0x00000001
#define MOVEFILE_COPY_ALLOWED 0x00000002
#define MOVEFILE_WRITE_THROUGH 0x00000008

struct WIN32_FIND_DATA {
    DWORD dwFileAttributes;
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh;
    DWORD nFileSizeLow;
    DWORD dwReserved0;
    DWORD dwReserved1;
    CHAR cFileName[MAX_PATH];
    CHAR cAlternateFileName[14];
};
typedef WIN32_FIND_DATA WIN32_FIND_DATAA;
typedef WIN32_FIND_DATA* LPWIN32_FIND_DATA;

struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;
struct OVERLAPPED;
typedef OVERLAPPED* LPOVERLAPPED;

// Searches: the last component may hold '*' and '?' (matched ignoring case; "*.*" matches every
// name). Entries come sorted by name ignoring case, "." and ".." first as on Windows.
HANDLE FindFirstFile(LPCSTR fileName, LPWIN32_FIND_DATA findData);
BOOL FindNextFile(HANDLE findFile, LPWIN32_FIND_DATA findData);
BOOL FindClose(HANDLE findFile);

DWORD GetFileAttributes(LPCSTR fileName);
BOOL SetFileAttributes(LPCSTR fileName, DWORD attributes);
BOOL CreateDirectory(LPCSTR pathName, LPSECURITY_ATTRIBUTES securityAttributes);
BOOL RemoveDirectory(LPCSTR pathName);
BOOL DeleteFile(LPCSTR fileName);
// Copies contents, permissions and the last-write time; fails on an existing target when asked to.
BOOL CopyFile(LPCSTR existingFileName, LPCSTR newFileName, BOOL failIfExists);
// Renames; the target must not exist. Moves between file systems copy and delete.
BOOL MoveFile(LPCSTR existingFileName, LPCSTR newFileName);
// With MOVEFILE_REPLACE_EXISTING an existing target is replaced in one atomic rename.
BOOL MoveFileEx(LPCSTR existingFileName, LPCSTR newFileName, DWORD flags);

HANDLE CreateFile(LPCSTR fileName, DWORD desiredAccess, DWORD shareMode, LPSECURITY_ATTRIBUTES securityAttributes,
                  DWORD creationDisposition, DWORD flagsAndAttributes, HANDLE templateFile);
// Read and write file handles; pipe handles of the process functions are served too.
BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD bytesToRead, LPDWORD bytesRead, LPOVERLAPPED overlapped);
BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD bytesToWrite, LPDWORD bytesWritten, LPOVERLAPPED overlapped);
DWORD SetFilePointer(HANDLE file, LONG distanceToMove, LONG* distanceToMoveHigh, DWORD moveMethod);
DWORD GetFileSize(HANDLE file, LPDWORD fileSizeHigh);
BOOL SetEndOfFile(HANDLE file);
BOOL FlushFileBuffers(HANDLE file);
BOOL GetFileTime(HANDLE file, FILETIME* creationTime, FILETIME* lastAccessTime, FILETIME* lastWriteTime);
// The descriptor behind a file handle, -1 for other handles.
int GetFileDescriptor(HANDLE file);
