// Error texts and Windows-code mapping of the file exception.
#include "kernel/file_exception.h"

#include <cstring>

#include "kernel/last_error.h"

BOOL CException::GetErrorMessage(LPSTR error, UINT maxError, UINT* helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (error && maxError)
        error[0] = '\0';
    return FALSE;
}

BOOL CFileException::GetErrorMessage(LPSTR error, UINT maxError, UINT* helpContext) const
{
    static const char* const texts[] = {
        "No error occurred.",
        "An unspecified error occurred while accessing %s.",
        "%s was not found.",
        "%s contains an invalid path.",
        "%s could not be opened because there are too many open files.",
        "Access to %s was denied.",
        "An unsupported operation was attempted.",
        "%s could not be removed because it is the current directory.",
        "%s could not be created because the directory is full.",
        "Seek failed on %s.",
        "A hardware I/O error was reported while accessing %s.",
        "A sharing violation occurred while accessing %s.",
        "A locking violation occurred while locking %s.",
        "Disk full while accessing %s.",
        "An attempt was made to access %s past its end.",
    };
    if (helpContext)
        *helpContext = 0;
    if (!error || maxError == 0)
        return FALSE;
    int cause = m_cause >= none && m_cause <= endOfFile ? m_cause : genericException;
    CString text;
    text.Format(texts[cause], m_strFileName.IsEmpty() ? "an unnamed file" : m_strFileName.GetString());
    size_t n = static_cast<size_t>(text.GetLength()) < maxError ? text.GetLength() : maxError - 1;
    memcpy(error, text.GetString(), n);
    error[n] = '\0';
    return TRUE;
}

int CFileException::OsErrorToException(LONG osError)
{
    switch (osError) {
    case ERROR_SUCCESS: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_DIRECTORY: return badPath;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    case ERROR_WRITE_FAULT:
    case ERROR_READ_FAULT: return hardIO;
    default: return genericException;
    }
}

void CFileException::ThrowOsError(LONG osError, const char* fileName)
{
    throw new CFileException(OsErrorToException(osError), osError, fileName);
}
