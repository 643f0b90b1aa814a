// CFile over CreateFile, ReadFile, WriteFile and SetFilePointer.
#include "kernel/cfile.h"

#include <cstring>

#include "kernel/file_api.h"
#include "kernel/last_error.h"
#include "kernel/program_paths.h"

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile(const char* fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        throw new CFileException(error.m_cause, error.m_lOsError, fileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(const char* fileName, UINT openFlags, CFileException* error)
{
    if (m_hFile != hFileNull)
        Abort();
    m_strFileName = fileName;
    DWORD access = 0;
    switch (openFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD disposition =
        (openFlags & modeCreate) ? ((openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS) : OPEN_EXISTING;
    DWORD flags = FILE_ATTRIBUTE_NORMAL;
    if (openFlags & osWriteThrough)
        flags |= FILE_FLAG_WRITE_THROUGH;
    if (openFlags & osSequentialScan)
        flags |= FILE_FLAG_SEQUENTIAL_SCAN;
    HANDLE file =
        CreateFile(fileName, access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition, flags, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (error) {
            error->m_lOsError = static_cast<LONG>(GetLastError());
            error->m_cause = CFileException::OsErrorToException(error->m_lOsError);
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    m_hFile = file;
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

UINT CFile::Read(void* buffer, UINT count)
{
    DWORD read = 0;
    if (count == 0)
        return 0;
    if (!ReadFile(m_hFile, buffer, count, &read, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return read;
}

void CFile::Write(const void* buffer, UINT count)
{
    DWORD written = 0;
    if (count == 0)
        return;
    if (!WriteFile(m_hFile, buffer, count, &written, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    if (written < count)
        CFileException::ThrowOsError(ERROR_DISK_FULL, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    LONG high = static_cast<LONG>(offset >> 32);
    DWORD low = SetFilePointer(m_hFile, static_cast<LONG>(offset & 0xFFFFFFFF), &high, from);
    if (low == INVALID_SET_FILE_POINTER && GetLastError() != ERROR_SUCCESS)
        throw new CFileException(CFileException::badSeek, static_cast<LONG>(GetLastError()), m_strFileName);
    return (static_cast<ULONGLONG>(static_cast<DWORD>(high)) << 32) | low;
}

ULONGLONG CFile::GetPosition() const
{
    LONG high = 0;
    DWORD low = SetFilePointer(m_hFile, 0, &high, FILE_CURRENT);
    return (static_cast<ULONGLONG>(static_cast<DWORD>(high)) << 32) | low;
}

ULONGLONG CFile::GetLength() const
{
    DWORD high = 0;
    DWORD low = GetFileSize(m_hFile, &high);
    if (low == INVALID_FILE_SIZE && GetLastError() != ERROR_SUCCESS)
        return 0;
    return (static_cast<ULONGLONG>(high) << 32) | low;
}

void CFile::SetLength(ULONGLONG newLength)
{
    Seek(static_cast<LONGLONG>(newLength), begin);
    if (!SetEndOfFile(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile != hFileNull)
        FlushFileBuffers(m_hFile);
}

void CFile::Close()
{
    bool ok = true;
    if (m_hFile != hFileNull)
        ok = CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (!ok)
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

BOOL CFile::GetStatus(CFileStatus& status) const
{
    if (m_strFileName.IsEmpty() || !GetStatus(m_strFileName, status)) {
        status = CFileStatus();
        status.m_size = GetLength();
        return m_hFile != hFileNull;
    }
    status.m_size = GetLength();
    return TRUE;
}

BOOL CFile::GetStatus(const char* fileName, CFileStatus& status)
{
    WIN32_FIND_DATA data;
    HANDLE search = fileName && !strpbrk(fileName, "*?") ? FindFirstFile(fileName, &data) : INVALID_HANDLE_VALUE;
    if (search == INVALID_HANDLE_VALUE)
        return FALSE;
    FindClose(search);
    std::string full(fileName);
    bool absolute = !full.empty() && (full[0] == '\\' || full[0] == '/' || (full.size() > 1 && full[1] == ':'));
    if (!absolute) {
        char folder[MAX_PATH];
        DWORD n = GetCurrentDirectory(MAX_PATH, folder);
        if (n > 0 && n < MAX_PATH)
            full = std::string(folder) + "\\" + full;
    }
    size_t n = full.size() < MAX_PATH ? full.size() : MAX_PATH - 1;
    memcpy(status.m_szFullName, full.c_str(), n);
    status.m_szFullName[n] = '\0';
    status.m_ctime = CTime(data.ftCreationTime);
    status.m_mtime = CTime(data.ftLastWriteTime);
    status.m_atime = CTime(data.ftLastAccessTime);
    status.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.m_attribute = static_cast<BYTE>(data.dwFileAttributes & 0x3F);
    return TRUE;
}

void CFile::Rename(const char* oldName, const char* newName)
{
    if (!MoveFile(oldName, newName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), oldName);
}

void CFile::Remove(const char* fileName)
{
    if (!DeleteFile(fileName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), fileName);
}

CString CFile::GetFileName() const
{
    int cut = m_strFileName.ReverseFind('\\');
    int slash = m_strFileName.ReverseFind('/');
    if (slash > cut)
        cut = slash;
    return m_strFileName.Mid(cut + 1);
}

CString CFile::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot >= 0 ? name.Left(dot) : name;
}
