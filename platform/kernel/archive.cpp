// CArchive over CFile reads and writes.
#include "kernel/archive.h"

#include <algorithm>
#include <cstring>

CArchive::CArchive(CFile* file, UINT mode, int, void*) : m_pFile(file), m_nMode(mode) {}

UINT CArchive::Read(void* buffer, UINT count) { return m_pFile ? m_pFile->Read(buffer, count) : 0; }

void CArchive::Write(const void* buffer, UINT count)
{
    if (m_pFile)
        m_pFile->Write(buffer, count);
}

void CArchive::Flush()
{
    if (m_pFile && IsStoring())
        m_pFile->Flush();
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort() { m_pFile = nullptr; }

BOOL CArchive::ReadString(CString& line)
{
    line.Empty();
    std::string text;
    char c;
    bool any = false;
    while (Read(&c, 1) == 1) {
        any = true;
        if (c == '\n')
            break;
        text += c;
    }
    if (!text.empty() && text.back() == '\r')
        text.pop_back();
    line = text;
    return any;
}

void CArchive::WriteString(const char* text)
{
    if (text)
        Write(text, static_cast<UINT>(strlen(text)));
}

template <class T>
CArchive& CArchive::Put(T value)
{
    unsigned char bytes[sizeof(T)];
    memcpy(bytes, &value, sizeof(T));  // the host is little-endian, as the format
    Write(bytes, sizeof(T));
    return *this;
}

template <class T>
CArchive& CArchive::Get(T& value)
{
    unsigned char bytes[sizeof(T)];
    if (Read(bytes, sizeof(T)) != sizeof(T))
        throw new CFileException(CFileException::endOfFile, -1, m_pFile ? m_pFile->GetFilePath().GetString() : nullptr);
    memcpy(&value, bytes, sizeof(T));
    return *this;
}

CArchive& CArchive::operator<<(BYTE value) { return Put(value); }
CArchive& CArchive::operator<<(WORD value) { return Put(value); }
CArchive& CArchive::operator<<(LONG value) { return Put(value); }
CArchive& CArchive::operator<<(DWORD value) { return Put(value); }
CArchive& CArchive::operator<<(short value) { return Put(value); }
CArchive& CArchive::operator<<(char value) { return Put(value); }
CArchive& CArchive::operator<<(float value) { return Put(value); }
CArchive& CArchive::operator<<(double value) { return Put(value); }
CArchive& CArchive::operator<<(LONGLONG value) { return Put(value); }
CArchive& CArchive::operator<<(ULONGLONG value) { return Put(value); }

CArchive& CArchive::operator<<(const CString& value)
{
    DWORD length = static_cast<DWORD>(value.GetLength());
    if (length < 0xFF) {
        Put(static_cast<BYTE>(length));
    } else if (length < 0xFFFF) {
        Put(static_cast<BYTE>(0xFF));
        Put(static_cast<WORD>(length));
    } else {
        Put(static_cast<BYTE>(0xFF));
        Put(static_cast<WORD>(0xFFFF));
        Put(length);
    }
    Write(value.GetString(), length);
    return *this;
}

CArchive& CArchive::operator>>(BYTE& value) { return Get(value); }
CArchive& CArchive::operator>>(WORD& value) { return Get(value); }
CArchive& CArchive::operator>>(LONG& value) { return Get(value); }
CArchive& CArchive::operator>>(DWORD& value) { return Get(value); }
CArchive& CArchive::operator>>(short& value) { return Get(value); }
CArchive& CArchive::operator>>(char& value) { return Get(value); }
CArchive& CArchive::operator>>(float& value) { return Get(value); }
CArchive& CArchive::operator>>(double& value) { return Get(value); }
CArchive& CArchive::operator>>(LONGLONG& value) { return Get(value); }
CArchive& CArchive::operator>>(ULONGLONG& value) { return Get(value); }

CArchive& CArchive::operator>>(CString& value)
{
    BYTE small;
    Get(small);
    DWORD length = small;
    if (small == 0xFF) {
        WORD medium;
        Get(medium);
        length = medium;
        if (medium == 0xFFFF)
            Get(length);
    }
    // Read in pieces so that a damaged length cannot ask for more memory than the file holds.
    std::string text;
    char chunk[4096];
    while (text.size() < length) {
        UINT want = static_cast<UINT>(std::min<size_t>(sizeof chunk, length - text.size()));
        if (Read(chunk, want) != want)
            throw new CFileException(CFileException::endOfFile, -1, nullptr);
        text.append(chunk, want);
    }
    value = text;
    return *this;
}
