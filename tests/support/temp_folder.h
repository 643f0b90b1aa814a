// TempFolder: a fresh folder under $TMPDIR for one test, removed with everything in it afterwards.
#pragma once

#include <string>

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // Linux path of a name inside the folder ('/' separators); the folder itself with a trailing '/'.
    std::string Linux(const std::string& name = "") const;
    // The same path in the Windows form that program code holds; the folder itself with a trailing '\'.
    std::string Win(const std::string& name = "") const;
    // Writes a file at a name inside the folder, creating its folders.
    void Write(const std::string& name, const std::string& bytes) const;
    std::string Read(const std::string& name) const;

private:
    std::string m_path;
};
