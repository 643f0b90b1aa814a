// CException and CFileException: the class library's error objects, thrown as pointers.
#pragma once

#include "kernel/cstring.h"
#include "kernel/object.h"

class CException : public CObject {
public:
    // Frees a caught exception (catch (CException* e) { e->Delete(); }).
    void Delete() { delete this; }
    virtual BOOL GetErrorMessage(LPSTR error, UINT maxError, UINT* helpContext = nullptr) const;
};

class CFileException : public CException {
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    CFileException(int cause = none, LONG osError = -1, const char* fileName = nullptr)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName)
    {
    }
    BOOL GetErrorMessage(LPSTR error, UINT maxError, UINT* helpContext = nullptr) const override;

    // The cause that matches a Windows error code.
    static int OsErrorToException(LONG osError);
    [[noreturn]] static void ThrowOsError(LONG osError, const char* fileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};
