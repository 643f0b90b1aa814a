// CFileFinder: ordered folder scans.
#include "services/file_finder.h"

#include <sys/stat.h>
#include <atomic>
#include <cstring>

#include "kernel/path_map.h"

static bool Cancelled(volatile LONG* cancelFlag) { return cancelFlag && *cancelFlag; }

static void CountOne(LONG* counter)
{
    if (counter)
        std::atomic_ref<LONG>(*counter).fetch_add(1);
}

static bool IsDotEntry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

// A folder entry that is a symbolic link: entering it could loop or leave the scanned tree.
static bool IsLinkedFolder(const CString& path)
{
    struct stat info;
    return lstat(MapPath(path).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

int CFileFinder::FindFolders(const CString& folder, const CString& pattern, BOOL recurse, int sortKey, BOOL addFolders,
                             volatile LONG* cancelFlag, LONG* counter)
{
    int count = 0;
    WIN32_FIND_DATA findData;
    HANDLE search = FindFirstFile(folder + "*", &findData);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(findData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || IsDotEntry(findData.cFileName))
            continue;
        if (addFolders) {
            CFileRecord record;
            record.SetFromFindData(findData, folder, 0);
            InsertBySortKey(record, sortKey);
            count++;
            CountOne(counter);
        }
        CString child = folder + findData.cFileName;
        if (recurse && !IsLinkedFolder(child))
            count += FindFiles(child + "\\", pattern, recurse, sortKey, addFolders, cancelFlag, counter);
    } while (!Cancelled(cancelFlag) && FindNextFile(search, &findData));
    FindClose(search);
    return count;
}

int CFileFinder::FindFiles(const CString& folder, const CString& pattern, BOOL recurse, int sortKey, BOOL addFolders,
                           volatile LONG* cancelFlag, LONG* counter)
{
    int count = FindFolders(folder, pattern, recurse, sortKey, addFolders, cancelFlag, counter);
    if (Cancelled(cancelFlag))
        return count;
    WIN32_FIND_DATA findData;
    HANDLE search = FindFirstFile(folder + pattern, &findData);
    if (search == INVALID_HANDLE_VALUE)
        return count;
    do {
        if (findData.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        CFileRecord record;
        record.SetFromFindData(findData, folder, 0);
        InsertBySortKey(record, sortKey);
        count++;
        CountOne(counter);
    } while (!Cancelled(cancelFlag) && FindNextFile(search, &findData));
    FindClose(search);
    return count;
}

void CFileFinder::AddFile(const CString& path, int sortKey)
{
    CFileRecord record;
    record.SetFromPath(path, 0);
    InsertBySortKey(record, sortKey);
}

int CFileFinder::InsertBySortKey(const CFileRecord& record, int sortKey)
{
    int index = 0;
    int size = static_cast<int>(GetSize());
    auto stopsAt = [&](const CFileRecord& existing) {
        switch (sortKey) {
        case FILE_SORT_SIZE_ASCENDING: return existing.GetFileSize() >= record.GetFileSize();
        case FILE_SORT_SIZE_DESCENDING: return existing.GetFileSize() <= record.GetFileSize();
        case FILE_SORT_PATH_ASCENDING: return std::strcmp(existing.m_strPath, record.m_strPath) >= 0;
        case FILE_SORT_PATH_DESCENDING: return std::strcmp(existing.m_strPath, record.m_strPath) <= 0;
        case FILE_SORT_TIME_ASCENDING: return existing.GetLastWriteTime() >= record.GetLastWriteTime();
        case FILE_SORT_TIME_DESCENDING: return existing.GetLastWriteTime() <= record.GetLastWriteTime();
        default: return false;
        }
    };
    while (index < size && !stopsAt(GetAt(index)))
        index++;
    InsertAt(index, record);
    return index;
}

BOOL CFileFinder::IsSameAs(const CFileFinder& other) const
{
    if (GetSize() != other.GetSize())
        return FALSE;
    for (INT_PTR i = 0; i < GetSize(); i++)
        if (GetAt(i).GetLastWriteTime() != other.GetAt(i).GetLastWriteTime() ||
            GetAt(i).m_strPath != other.GetAt(i).m_strPath)
            return FALSE;
    return TRUE;
}
