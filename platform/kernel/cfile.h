// CFile: a binary file of the class library over the kernel's file handles; CFileStatus.
#pragma once

#include "kernel/cstring.h"
#include "kernel/file_exception.h"
#include "kernel/object.h"
#include "kernel/time_classes.h"

struct CFileStatus {
    CTime m_ctime;
    CTime m_mtime;
    CTime m_atime;
    ULONGLONG m_size = 0;
    BYTE m_attribute = 0;
    char m_szFullName[MAX_PATH] = {};
};

// Opening by constructor and the static Rename/Remove throw CFileException* on failure, as do
// Read, Write, Seek and SetLength on an I/O error; Open reports failure by its result (and fills
// the caller's exception record when one is given). Names are Windows-style paths.
class CFile : public CObject {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        shareCompat = 0x0000,
        shareExclusive = 0x0010,
        shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030,
        shareDenyNone = 0x0040,
        modeNoInherit = 0x0080,
        modeCreate = 0x1000,
        modeNoTruncate = 0x2000,
        typeText = 0x4000,
        typeBinary = 0x8000,
        osWriteThrough = 0x10000,
        osSequentialScan = 0x20000,
    };
    enum Attribute {
        normal = 0x00,
        readOnly = 0x01,
        hidden = 0x02,
        system = 0x04,
        volume = 0x08,
        directory = 0x10,
        archive = 0x20
    };
    enum SeekPosition { begin = 0x0, current = 0x1, end = 0x2 };

    static const HANDLE hFileNull;

    CFile() = default;
    explicit CFile(HANDLE file) : m_hFile(file) {}
    CFile(const char* fileName, UINT openFlags);
    ~CFile() override;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;

    virtual BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr);
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    virtual ULONGLONG GetPosition() const;
    virtual ULONGLONG GetLength() const;
    virtual void SetLength(ULONGLONG newLength);
    virtual void Flush();
    virtual void Close();
    // Closes without throwing.
    virtual void Abort();

    BOOL GetStatus(CFileStatus& status) const;
    static BOOL GetStatus(const char* fileName, CFileStatus& status);
    static void Rename(const char* oldName, const char* newName);
    static void Remove(const char* fileName);

    virtual CString GetFileName() const;
    virtual CString GetFileTitle() const;
    virtual CString GetFilePath() const { return m_strFileName; }
    virtual void SetFilePath(const char* newName) { m_strFileName = newName; }

    HANDLE m_hFile = hFileNull;

protected:
    CString m_strFileName;
    BOOL m_bCloseOnDelete = FALSE;
};
