// CFileFinder: a folder scan into a list of file records kept in sort-key order as it is built.
#pragma once

#include "kernel/collections.h"
#include "services/file_record.h"

// A growable array of file records, growing by 50 at a time.
class CFileRecordArray : public CArray<CFileRecord, const CFileRecord&> {
public:
    CFileRecordArray() { SetSize(0, 50); }
};

// Sort keys of InsertBySortKey.
enum {
    FILE_SORT_SIZE_ASCENDING = 2,
    FILE_SORT_SIZE_DESCENDING = 3,
    FILE_SORT_PATH_ASCENDING = 4,
    FILE_SORT_PATH_DESCENDING = 5,
    FILE_SORT_TIME_ASCENDING = 8,
    FILE_SORT_TIME_DESCENDING = 9,
};

class CFileFinder : public CFileRecordArray {
public:
    // Scans folder (ending in a backslash): sub-folders first (recursing when asked, and added
    // themselves when addFolders), then the folder's files matching pattern. Links to folders are
    // listed but not entered. Returns the number of records added.
    int FindFiles(const CString& folder, const CString& pattern, BOOL recurse, int sortKey, BOOL addFolders,
                  volatile LONG* cancelFlag, LONG* counter);
    // The folder pass alone.
    int FindFolders(const CString& folder, const CString& pattern, BOOL recurse, int sortKey, BOOL addFolders,
                    volatile LONG* cancelFlag, LONG* counter);
    // One record made from a path and inserted.
    void AddFile(const CString& path, int sortKey);
    // Inserts before the first record the key's comparison stops at (so before equal keys);
    // unknown keys append. Returns the index.
    virtual int InsertBySortKey(const CFileRecord& record, int sortKey);
    // 1 when both lists hold, index by index, the same last-write times and paths.
    BOOL IsSameAs(const CFileFinder& other) const;
};

// Deletes every file and sub-folder under folder and then the folder itself; symbolic links are
// removed as links, never followed. An empty path or the root of the file system deletes nothing.
void DeleteFolderTree(const CString& folder);
