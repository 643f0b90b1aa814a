// CArchive: typed reading and writing of a CFile in the class library's little-endian format.
#pragma once

#include "kernel/cfile.h"
#include "kernel/cstring.h"

// Values are written unbuffered to the file; strings carry the class library's length prefix
// (one byte below 255, else 0xFF and a WORD below 0xFFFF, else 0xFFFF and a DWORD).
// A read past the end throws CFileException* with endOfFile.
class CArchive {
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2 };

    CArchive(CFile* file, UINT mode, int bufferSize = 4096, void* buffer = nullptr);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    CFile* GetFile() const { return m_pFile; }

    UINT Read(void* buffer, UINT count);
    void Write(const void* buffer, UINT count);
    void Flush();
    void Close();
    void Abort();
    // A text line without its line end; FALSE at the end of the file.
    BOOL ReadString(CString& line);
    void WriteString(const char* text);

    CArchive& operator<<(BYTE value);
    CArchive& operator<<(WORD value);
    CArchive& operator<<(LONG value);  // also int: LONG is 32 bits
    CArchive& operator<<(DWORD value);
    CArchive& operator<<(short value);
    CArchive& operator<<(char value);
    CArchive& operator<<(float value);
    CArchive& operator<<(double value);
    CArchive& operator<<(LONGLONG value);
    CArchive& operator<<(ULONGLONG value);
    CArchive& operator<<(const CString& value);

    CArchive& operator>>(BYTE& value);
    CArchive& operator>>(WORD& value);
    CArchive& operator>>(LONG& value);
    CArchive& operator>>(DWORD& value);
    CArchive& operator>>(short& value);
    CArchive& operator>>(char& value);
    CArchive& operator>>(float& value);
    CArchive& operator>>(double& value);
    CArchive& operator>>(LONGLONG& value);
    CArchive& operator>>(ULONGLONG& value);
    CArchive& operator>>(CString& value);

    void* m_pDocument = nullptr;

private:
    template <class T>
    CArchive& Put(T value);
    template <class T>
    CArchive& Get(T& value);

    CFile* m_pFile;
    UINT m_nMode;
};
