// The demo's program folder: the skin lookups read common.ini's skin number as the programs do.
#include "demo_program_folder.h"

#include <cstdlib>
#include <filesystem>

#include "kernel/path_map.h"
#include "kernel/profile.h"
#include "kernel/program_paths.h"
#include "services/app_folder.h"

namespace fs = std::filesystem;

CDemoProgramFolder::CDemoProgramFolder(int skin)
{
    const char* base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/skindemo-XXXXXX";
    if (!mkdtemp(pattern.data()))
        return;
    m_path = pattern;
    fs::path real = MapPath(GetProgramFolder());
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(real, error))
        if (entry.path().filename() != "common.ini")
            fs::create_symlink(entry.path(), fs::path(m_path) / entry.path().filename(), error);
    fs::copy_file(real / "common.ini", fs::path(m_path) / "common.ini", error);
    std::string ini = ToWindowsPath(m_path + "/common.ini");
    m_ready = WritePrivateProfileString("common", "skin", std::to_string(skin).c_str(), ini.c_str()) != FALSE;
    SetAppFolder(CString(ToWindowsPath(m_path + "/").c_str()));
}

CDemoProgramFolder::~CDemoProgramFolder()
{
    std::error_code ignored;
    if (!m_path.empty())
        fs::remove_all(m_path, ignored);
}
