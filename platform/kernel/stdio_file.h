// CStdioFile: a buffered file of the class library with line reading and writing.
#pragma once

#include <cstdio>

#include "kernel/cfile.h"

// In text mode (the default unless typeBinary is given) WriteString writes each "\n" as CR LF and
// ReadString takes CR LF and LF alike as a line end, as text files of the Windows programs have them.
class CStdioFile : public CFile {
public:
    CStdioFile() = default;
    explicit CStdioFile(FILE* stream) : m_pStream(stream) {}
    CStdioFile(const char* fileName, UINT openFlags);
    ~CStdioFile() override;

    BOOL Open(const char* fileName, UINT openFlags, CFileException* error = nullptr) override;
    // A line without its line end; FALSE at the end of the file.
    virtual BOOL ReadString(CString& line);
    // At most maxLength - 1 characters, keeping the "\n"; null at the end of the file.
    virtual char* ReadString(char* buffer, UINT maxLength);
    virtual void WriteString(const char* text);

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override;
    ULONGLONG GetLength() const override;
    void Flush() override;
    void Close() override;
    void Abort() override;

    FILE* m_pStream = nullptr;

private:
    bool m_text = true;
};
