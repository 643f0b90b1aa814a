// C runtime compatibility functions.
#include "kernel/crt_compat.h"

#include <cerrno>
#include <cstdarg>
#include <cstring>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include "kernel/file_api.h"
#include "kernel/file_time.h"
#include "kernel/path_map.h"

namespace {

char* ToText(unsigned long long magnitude, bool negative, char* buffer, int radix)
{
    if (!buffer)
        return buffer;
    if (radix < 2 || radix > 36) {
        buffer[0] = '\0';
        return buffer;
    }
    char digits[72];
    int n = 0;
    do {
        int d = static_cast<int>(magnitude % static_cast<unsigned>(radix));
        digits[n++] = static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10);
        magnitude /= static_cast<unsigned>(radix);
    } while (magnitude);
    char* p = buffer;
    if (negative)
        *p++ = '-';
    while (n)
        *p++ = digits[--n];
    *p = '\0';
    return buffer;
}

void FillFindData(const WIN32_FIND_DATA& w, _finddata_t* data)
{
    data->attrib = w.dwFileAttributes & (_A_RDONLY | _A_HIDDEN | _A_SYSTEM | _A_SUBDIR | _A_ARCH);
    data->time_create = UnixFromFileTime(w.ftCreationTime);
    data->time_access = UnixFromFileTime(w.ftLastAccessTime);
    data->time_write = UnixFromFileTime(w.ftLastWriteTime);
    data->size = static_cast<_fsize_t>((static_cast<ULONGLONG>(w.nFileSizeHigh) << 32) | w.nFileSizeLow);
    strcpy(data->name, w.cFileName);
}

}  // namespace

int _stricmp(const char* a, const char* b) { return strcasecmp(a, b); }

int _strnicmp(const char* a, const char* b, size_t count) { return strncasecmp(a, b, count); }

char* _strupr(char* text)
{
    for (char* p = text; p && *p; ++p)
        if (*p >= 'a' && *p <= 'z')
            *p -= 32;
    return text;
}

char* _strlwr(char* text)
{
    for (char* p = text; p && *p; ++p)
        if (*p >= 'A' && *p <= 'Z')
            *p += 32;
    return text;
}

char* _itoa(int value, char* buffer, int radix)
{
    if (radix == 10)
        return ToText(
            value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value),
            value < 0, buffer, radix);
    return ToText(static_cast<unsigned int>(value), false, buffer, radix);
}

char* _ltoa(long value, char* buffer, int radix)
{
    if (radix == 10)
        return ToText(
            value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value),
            value < 0, buffer, radix);
    return ToText(static_cast<uint32_t>(value), false, buffer, radix);
}

char* _ultoa(unsigned long value, char* buffer, int radix) { return ToText(value, false, buffer, radix); }

int _snprintf(char* buffer, size_t count, const char* format, ...)
{
    if (count == 0)
        return -1;
    va_list args;
    va_start(args, format);
    int n = vsnprintf(buffer, count, format, args);
    va_end(args);
    return (n < 0 || static_cast<size_t>(n) >= count) ? -1 : n;
}

int wsprintf(LPSTR buffer, LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    int n = vsnprintf(buffer, 1025, format, args);
    va_end(args);
    return n > 1024 ? 1024 : n;
}

LPSTR lstrcpy(LPSTR destination, LPCSTR source) { return strcpy(destination, source ? source : ""); }

LPSTR lstrcpyn(LPSTR destination, LPCSTR source, int maxLength)
{
    if (maxLength <= 0)
        return destination;
    size_t n = source ? strnlen(source, static_cast<size_t>(maxLength - 1)) : 0;
    memcpy(destination, source, n);
    destination[n] = '\0';
    return destination;
}

LPSTR lstrcat(LPSTR destination, LPCSTR source) { return strcat(destination, source ? source : ""); }

int lstrlen(LPCSTR text) { return text ? static_cast<int>(strlen(text)) : 0; }

int lstrcmp(LPCSTR a, LPCSTR b)
{
    int c = strcmp(a ? a : "", b ? b : "");
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

int lstrcmpi(LPCSTR a, LPCSTR b)
{
    int c = strcasecmp(a ? a : "", b ? b : "");
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}

FILE* kfopen(const char* windowsPath, const char* mode)
{
    if (!windowsPath || !mode)
        return nullptr;
    // A file opened to write is named literally; only reading looks under another case.
    const bool writing = strpbrk(mode, "wa+") != nullptr;
    return fopen((writing ? MapPathLiteral(windowsPath) : MapPath(windowsPath)).c_str(), mode);
}

int _access(const char* path, int mode)
{
    int how = F_OK;
    if (mode & 2)
        how |= W_OK;
    if (mode & 4)
        how |= R_OK;
    return access(MapPath(path ? path : "").c_str(), how) == 0 ? 0 : -1;
}

int _mkdir(const char* path) { return mkdir(MapPathLiteral(path ? path : "").c_str(), 0777); }

int _rmdir(const char* path) { return rmdir(MapPathLiteral(path ? path : "").c_str()); }

int _unlink(const char* path) { return unlink(MapPathLiteral(path ? path : "").c_str()); }

intptr_t _findfirst(const char* pattern, _finddata_t* data)
{
    WIN32_FIND_DATA w;
    HANDLE h = FindFirstFile(pattern, &w);
    if (h == INVALID_HANDLE_VALUE) {
        errno = ENOENT;
        return -1;
    }
    FillFindData(w, data);
    return reinterpret_cast<intptr_t>(h);
}

int _findnext(intptr_t handle, _finddata_t* data)
{
    WIN32_FIND_DATA w;
    if (!FindNextFile(reinterpret_cast<HANDLE>(handle), &w)) {
        errno = ENOENT;
        return -1;
    }
    FillFindData(w, data);
    return 0;
}

int _findclose(intptr_t handle) { return FindClose(reinterpret_cast<HANDLE>(handle)) ? 0 : -1; }
