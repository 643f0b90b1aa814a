// CFileRecord: one found file (path, attributes, size, times) with resumable checksums.
#pragma once

#include <ctime>

#include "kernel/cstring.h"
#include "kernel/file_api.h"

class CFileRecord {
public:
    CFileRecord();

    // Path = folder + cFileName, attributes, size and times; both checksum positions reset.
    void SetFromFindData(const WIN32_FIND_DATA& findData, const CString& folder, int userValue);
    // Looks the path up; nothing happens when it is not found.
    void SetFromPath(const CString& path, int userValue);

    CString GetDrive() const;
    CString GetDir() const;
    CString GetTitle() const;
    CString GetExt() const;

    // Sum of the file's little-endian 32-bit words up to limit (rounded up to 4; 0 or past the end:
    // the whole file). The position is kept, so a cancelled run resumes on the next call.
    DWORD AddChecksum(DWORD limit, BOOL reset, volatile LONG* cancelFlag, LONG* progressCounter);
    // The running CRC-32 (reflected 0xEDB88320, start 0xFFFFFFFF, no final inversion) over the same bytes.
    DWORD AddCrc32(DWORD limit, BOOL reset, volatile LONG* cancelFlag, LONG* progressCounter);

    ULONGLONG GetFileSize() const { return m_nFileSize; }
    time_t GetLastWriteTime() const { return m_tLastWrite; }

    int m_nUserValue;
    CString m_strPath;
    DWORD m_dwAttributes;
    ULONGLONG m_nFileSize;
    time_t m_tCreation;
    time_t m_tLastAccess;
    time_t m_tLastWrite;
    DWORD m_dwChecksum;
    DWORD m_dwCrc32;
    DWORD m_dwCrcPosition;
    DWORD m_dwChecksumPosition;
};

// One CRC-32 step over a block, continuing crc (no inversion at either end).
DWORD UpdateCrc32(DWORD crc, const BYTE* data, size_t length);
