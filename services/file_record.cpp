// CFileRecord: find-data fields, path pieces and the two resumable checksums.
#include "services/file_record.h"

#include <array>
#include <atomic>
#include <vector>

#include "kernel/file_time.h"
#include "services/path_parts.h"

static const DWORD kChunkSize = 16384;

CFileRecord::CFileRecord()
    : m_nUserValue(0),
      m_dwAttributes(0xFFFFFFFF),
      m_nFileSize(0),
      m_tCreation(time(nullptr)),
      m_tLastAccess(m_tCreation),
      m_tLastWrite(m_tCreation),
      m_dwChecksum(0),
      m_dwCrc32(0xFFFFFFFF),
      m_dwCrcPosition(0),
      m_dwChecksumPosition(0)
{
}

void CFileRecord::SetFromFindData(const WIN32_FIND_DATA& findData, const CString& folder, int userValue)
{
    m_nUserValue = userValue;
    m_strPath = folder + findData.cFileName;
    m_dwAttributes = findData.dwFileAttributes;
    m_nFileSize = (static_cast<ULONGLONG>(findData.nFileSizeHigh) << 32) | findData.nFileSizeLow;
    m_tCreation = UnixFromFileTime(findData.ftCreationTime);
    m_tLastAccess = UnixFromFileTime(findData.ftLastAccessTime);
    m_tLastWrite = UnixFromFileTime(findData.ftLastWriteTime);
    m_dwCrcPosition = 0;
    m_dwChecksumPosition = 0;
}

void CFileRecord::SetFromPath(const CString& path, int userValue)
{
    WIN32_FIND_DATA findData;
    HANDLE search = FindFirstFile(path, &findData);
    if (search == INVALID_HANDLE_VALUE)
        return;
    FindClose(search);
    SetFromFindData(findData, path.Left(path.ReverseFind('\\') + 1), userValue);
}

CString CFileRecord::GetDrive() const { return GetPathDrive(m_strPath); }
CString CFileRecord::GetDir() const { return GetPathDir(m_strPath); }
CString CFileRecord::GetTitle() const { return GetPathTitle(m_strPath); }
CString CFileRecord::GetExt() const { return GetPathExt(m_strPath); }

DWORD UpdateCrc32(DWORD crc, const BYTE* data, size_t length)
{
    static const auto table = [] {
        std::array<DWORD, 256> entries{};
        for (DWORD i = 0; i < 256; i++) {
            DWORD value = i;
            for (int bit = 0; bit < 8; bit++)
                value = (value & 1) ? 0xEDB88320 ^ (value >> 1) : value >> 1;
            entries[i] = value;
        }
        return entries;
    }();
    for (size_t i = 0; i < length; i++)
        crc = table[(crc ^ data[i]) & 255] ^ (crc >> 8);
    return crc;
}

namespace {

// The shared walk of both checksums: reads the file from position up to the limit in chunks,
// handing each chunk to add, until a read fails, returns nothing or the cancel flag is set.
template <class Add>
void WalkFile(const CString& path, ULONGLONG fileSize, DWORD limit, DWORD& position, volatile LONG* cancelFlag, Add add)
{
    limit = (limit + 3) & ~3u;
    // Positions are 32-bit: a larger file is taken up to the last whole 4 GB.
    DWORD size = fileSize > 0xFFFFFFFFull ? 0xFFFFFFFC : static_cast<DWORD>(fileSize);
    if (limit == 0 || limit > size)
        limit = size;
    if (position >= limit)
        return;
    HANDLE file =
        CreateFile(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    LONG high = 0;
    SetFilePointer(file, static_cast<LONG>(position), &high, FILE_BEGIN);
    std::vector<BYTE> chunk(kChunkSize);
    while (position < limit) {
        if (cancelFlag && *cancelFlag)
            break;
        // Never past the limit, so that a limited checksum covers exactly the bytes asked for.
        DWORD wanted = limit - position < kChunkSize ? limit - position : kChunkSize;
        DWORD got = 0;
        if (!ReadFile(file, chunk.data(), wanted, &got, nullptr) || got == 0)
            break;
        add(chunk.data(), got);
        position += got;
    }
    CloseHandle(file);
}

void AddProgress(LONG* counter, LONG amount)
{
    if (counter)
        std::atomic_ref<LONG>(*counter).fetch_add(amount);
}

}  // namespace

DWORD CFileRecord::AddChecksum(DWORD limit, BOOL reset, volatile LONG* cancelFlag, LONG* progressCounter)
{
    if (reset) {
        m_dwChecksum = 0;
        m_dwChecksumPosition = 0;
    }
    WalkFile(m_strPath, m_nFileSize, limit, m_dwChecksumPosition, cancelFlag, [&](const BYTE* data, DWORD length) {
        DWORD i = 0;
        for (; i + 4 <= length; i += 4) {
            m_dwChecksum +=
                data[i] | (data[i + 1] << 8) | (data[i + 2] << 16) | (static_cast<DWORD>(data[i + 3]) << 24);
            AddProgress(progressCounter, 4);
        }
        if (i < length) {
            DWORD word = 0;
            for (DWORD b = 0; i + b < length; b++)
                word |= static_cast<DWORD>(data[i + b]) << (8 * b);
            m_dwChecksum += word;
            AddProgress(progressCounter, static_cast<LONG>(length - i));
        }
    });
    return m_dwChecksum;
}

DWORD CFileRecord::AddCrc32(DWORD limit, BOOL reset, volatile LONG* cancelFlag, LONG* progressCounter)
{
    if (reset) {
        m_dwCrc32 = 0xFFFFFFFF;
        m_dwCrcPosition = 0;
    }
    WalkFile(m_strPath, m_nFileSize, limit, m_dwCrcPosition, cancelFlag, [&](const BYTE* data, DWORD length) {
        m_dwCrc32 = UpdateCrc32(m_dwCrc32, data, length);
        AddProgress(progressCounter, static_cast<LONG>(length));
    });
    return m_dwCrc32;
}
