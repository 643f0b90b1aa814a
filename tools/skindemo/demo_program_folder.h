// CDemoProgramFolder: a program folder of the demo's own whose common.ini chooses the skin to show.
#pragma once

#include <string>

class CDemoProgramFolder {
public:
    // Links every entry of the real program folder into a temporary folder, copies common.ini there with
    // the skin number set, and makes that folder the program folder.
    explicit CDemoProgramFolder(int skin);
    ~CDemoProgramFolder();
    CDemoProgramFolder(const CDemoProgramFolder&) = delete;
    CDemoProgramFolder& operator=(const CDemoProgramFolder&) = delete;

    bool Ready() const { return m_ready; }

private:
    std::string m_path;
    bool m_ready = false;
};
