// Temporary files of one run: names that no other run, in this program or another, is using.
#include "audio/unique_file.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "kernel/path_map.h"

CString CreateUniqueFile(const CString& strFolder, const char* pszStem, const char* pszExtension)
{
    static unsigned counter = 0;
    for (;;) {
        CString strPath;
        strPath.Format("%s%s-%d-%u%s", static_cast<const char*>(strFolder), pszStem, static_cast<int>(getpid()),
                       counter++, pszExtension);
        // Made exclusively: a name that exists belongs to someone else.
        std::string native = MapPathLiteral(static_cast<const char*>(strPath));
        int fd = open(native.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            close(fd);
            return strPath;
        }
        if (errno != EEXIST)
            return CString();
    }
}
