// C runtime names of the Windows compilers that Linux lacks, with their Windows behaviour.
#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>

#include "kernel/windef.h"

int _stricmp(const char* a, const char* b);
int _strnicmp(const char* a, const char* b, size_t count);
inline int stricmp(const char* a, const char* b) { return _stricmp(a, b); }
inline int strnicmp(const char* a, const char* b, size_t count) { return _strnicmp(a, b, count); }
char* _strupr(char* text);
char* _strlwr(char* text);
// Number to text in a radix of 2 to 36; negative values get a '-' only in radix 10.
char* _itoa(int value, char* buffer, int radix);
char* _ltoa(long value, char* buffer, int radix);
char* _ultoa(unsigned long value, char* buffer, int radix);
// As snprintf, but -1 when the text was cut; the buffer is always NUL-terminated.
int _snprintf(char* buffer, size_t count, const char* format, ...) __attribute__((format(printf, 3, 4)));
// sprintf limited to 1024 characters, as the window system's formatter.
int wsprintf(LPSTR buffer, LPCSTR format, ...) __attribute__((format(printf, 2, 3)));

LPSTR lstrcpy(LPSTR destination, LPCSTR source);
LPSTR lstrcpyn(LPSTR destination, LPCSTR source, int maxLength);
LPSTR lstrcat(LPSTR destination, LPCSTR source);
int lstrlen(LPCSTR text);
int lstrcmp(LPCSTR a, LPCSTR b);
int lstrcmpi(LPCSTR a, LPCSTR b);

// File functions on Windows-style paths.
FILE* kfopen(const char* windowsPath, const char* mode);
int _access(const char* path, int mode);  // mode 0 exists, 2 write, 4 read, 6 both; 0 or -1
int _mkdir(const char* path);
int _rmdir(const char* path);
int _unlink(const char* path);

#define _A_NORMAL 0x00
#define _A_RDONLY 0x01
#define _A_HIDDEN 0x02
#define _A_SYSTEM 0x04
#define _A_SUBDIR 0x10
#define _A_ARCH 0x20
typedef unsigned long _fsize_t;
struct _finddata_t {
    unsigned attrib;
    time_t time_create;
    time_t time_access;
    time_t time_write;
    _fsize_t size;
    char name[260];
};
// Searches with wildcards as FindFirstFile; -1 (errno ENOENT) when nothing matches.
intptr_t _findfirst(const char* pattern, _finddata_t* data);
int _findnext(intptr_t handle, _finddata_t* data);
int _findclose(intptr_t handle);
