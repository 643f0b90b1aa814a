// Deleting a whole folder tree without following symbolic links.
#include <sys/stat.h>

#include <filesystem>

#include "kernel/path_map.h"
#include "services/file_finder.h"

static bool IsLink(const CString& path)
{
    struct stat info;
    return lstat(MapPathLiteral(path).c_str(), &info) == 0 && S_ISLNK(info.st_mode);
}

// No folder at all, or the root of the file system ("\\", "C:\\"), is never a tree to delete.
static bool IsNoFolderOrRoot(const CString& folder)
{
    std::string path = MapPathLiteral(folder);
    if (path.empty())
        return true;
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(path, error).lexically_normal();
    return error || absolute.relative_path().empty();
}

void DeleteFolderTree(const CString& folder)
{
    CString root = folder;
    while (root.GetLength() > 1 && root[root.GetLength() - 1] == '\\')
        root = root.Left(root.GetLength() - 1);
    if (IsNoFolderOrRoot(root))
        return;
    // A linked folder is removed as the link; its target is left alone.
    if (IsLink(root)) {
        DeleteFile(root);
        return;
    }
    CString base = root + "\\";

    CFileFinder files;
    files.FindFiles(base, "*", TRUE, 0, FALSE, nullptr, nullptr);
    for (int i = 0; i < files.GetSize(); i++)
        DeleteFile(files[i].m_strPath);

    // Path-descending order removes every sub-folder before its parent.
    CFileFinder folders;
    folders.FindFolders(base, "*", TRUE, FILE_SORT_PATH_DESCENDING, TRUE, nullptr, nullptr);
    for (int i = 0; i < folders.GetSize(); i++) {
        const CString& path = folders[i].m_strPath;
        if (IsLink(path))
            DeleteFile(path);
        else
            RemoveDirectory(path);
    }
    RemoveDirectory(root);
}
