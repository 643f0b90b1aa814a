// CStdioFile over the C library's buffered streams.
#include "kernel/stdio_file.h"

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

#include "kernel/crt_compat.h"
#include "kernel/last_error.h"

CStdioFile::CStdioFile(const char* fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        throw new CFileException(error.m_cause, error.m_lOsError, fileName);
}

CStdioFile::~CStdioFile()
{
    if (m_pStream && m_bCloseOnDelete)
        Abort();
}

BOOL CStdioFile::Open(const char* fileName, UINT openFlags, CFileException* error)
{
    if (m_pStream)
        Abort();
    m_strFileName = fileName;
    m_text = !(openFlags & typeBinary);
    const char* mode;
    if (openFlags & modeCreate) {
        if (openFlags & modeNoTruncate)
            mode = (openFlags & 3) == modeRead ? "rb" : "a+b";
        else
            mode = (openFlags & 3) == modeWrite ? "wb" : "w+b";
    } else {
        mode = (openFlags & 3) == modeRead ? "rb" : "r+b";
    }
    m_pStream = kfopen(fileName, mode);
    if (!m_pStream && (openFlags & modeCreate) && (openFlags & modeNoTruncate) && (openFlags & 3) == modeRead)
        m_pStream = kfopen(fileName, "w+b");
    if (!m_pStream) {
        if (error) {
            error->m_lOsError = static_cast<LONG>(SetLastErrorFromErrno(errno));
            error->m_cause = CFileException::OsErrorToException(error->m_lOsError);
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    if ((openFlags & modeCreate) && (openFlags & modeNoTruncate))
        fseek(m_pStream, 0, SEEK_SET);
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

BOOL CStdioFile::ReadString(CString& line)
{
    line.Empty();
    if (!m_pStream)
        return FALSE;
    std::string text;
    int c;
    bool any = false;
    while ((c = fgetc(m_pStream)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        text += static_cast<char>(c);
    }
    if (!text.empty() && text.back() == '\r' && m_text)
        text.pop_back();
    line = text;
    return any;
}

char* CStdioFile::ReadString(char* buffer, UINT maxLength)
{
    if (!m_pStream || !buffer || maxLength == 0)
        return nullptr;
    if (!fgets(buffer, static_cast<int>(maxLength), m_pStream))
        return nullptr;
    size_t n = strlen(buffer);
    if (m_text && n >= 2 && buffer[n - 2] == '\r' && buffer[n - 1] == '\n') {
        buffer[n - 2] = '\n';
        buffer[n - 1] = '\0';
    }
    return buffer;
}

void CStdioFile::WriteString(const char* text)
{
    if (!text)
        return;
    std::string out;
    for (const char* p = text; *p; ++p) {
        if (*p == '\n' && m_text)
            out += '\r';
        out += *p;
    }
    Write(out.data(), static_cast<UINT>(out.size()));
}

UINT CStdioFile::Read(void* buffer, UINT count)
{
    if (!m_pStream || count == 0)
        return 0;
    size_t n = fread(buffer, 1, count, m_pStream);
    if (n < count && ferror(m_pStream))
        CFileException::ThrowOsError(static_cast<LONG>(SetLastErrorFromErrno(errno)), m_strFileName);
    return static_cast<UINT>(n);
}

void CStdioFile::Write(const void* buffer, UINT count)
{
    if (!m_pStream || (count && fwrite(buffer, 1, count, m_pStream) != count))
        CFileException::ThrowOsError(m_pStream ? static_cast<LONG>(SetLastErrorFromErrno(errno)) : ERROR_INVALID_HANDLE,
                                     m_strFileName);
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from)
{
    int whence = from == current ? SEEK_CUR : (from == end ? SEEK_END : SEEK_SET);
    if (!m_pStream || fseeko(m_pStream, offset, whence) != 0)
        throw new CFileException(CFileException::badSeek, ERROR_INVALID_PARAMETER, m_strFileName);
    return static_cast<ULONGLONG>(ftello(m_pStream));
}

ULONGLONG CStdioFile::GetPosition() const { return m_pStream ? static_cast<ULONGLONG>(ftello(m_pStream)) : 0; }

ULONGLONG CStdioFile::GetLength() const
{
    if (!m_pStream)
        return 0;
    fflush(m_pStream);
    struct stat st;
    return fstat(fileno(m_pStream), &st) == 0 ? static_cast<ULONGLONG>(st.st_size) : 0;
}

void CStdioFile::Flush()
{
    if (m_pStream)
        fflush(m_pStream);
}

void CStdioFile::Close()
{
    bool ok = !m_pStream || fclose(m_pStream) == 0;
    m_pStream = nullptr;
    m_bCloseOnDelete = FALSE;
    if (!ok)
        CFileException::ThrowOsError(static_cast<LONG>(SetLastErrorFromErrno(errno)), m_strFileName);
}

void CStdioFile::Abort()
{
    if (m_pStream)
        fclose(m_pStream);
    m_pStream = nullptr;
    m_bCloseOnDelete = FALSE;
}
