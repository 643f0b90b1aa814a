// TempFolder: made with mkdtemp under the system's temporary folder, which honours TMPDIR.
#include "tests/support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "kernel/path_map.h"

TempFolder::TempFolder()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "kestrin-test-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder from " + pattern);
    m_path = pattern;
}

TempFolder::~TempFolder()
{
    // Tests may leave read-only files or folders behind; make them removable first.
    std::error_code ignored;
    for (auto it = std::filesystem::recursive_directory_iterator(m_path, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored))
        std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                     ignored);
    std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(m_path, ignored);
}

std::string TempFolder::Linux(const std::string& name) const { return m_path + "/" + name; }

std::string TempFolder::Win(const std::string& name) const
{
    std::string n = name;
    for (char& c : n)
        if (c == '/')
            c = '\\';
    return ToWindowsPath(m_path) + "\\" + n;
}

void TempFolder::Write(const std::string& name, const std::string& bytes) const
{
    std::filesystem::create_directories(std::filesystem::path(Linux(name)).parent_path());
    std::ofstream(Linux(name), std::ios::binary) << bytes;
}

std::string TempFolder::Read(const std::string& name) const
{
    std::ifstream in(Linux(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}
