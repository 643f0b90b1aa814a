// The music font as a font resource of the process, registered from the program folder for as long as
// the owner lives.
#pragma once

#include <string>

constexpr const char* kMusicFontFace = "8888 8888";
constexpr const char* kMusicFontFile = "kestrin.ttf";

class CMusicFontResource {
public:
    CMusicFontResource();
    ~CMusicFontResource();
    CMusicFontResource(const CMusicFontResource&) = delete;
    CMusicFontResource& operator=(const CMusicFontResource&) = delete;

    // False when the file is missing from the program folder or is no font.
    bool Registered() const { return m_registered; }

private:
    std::string m_path;  // full path: a bare name would be looked up in whatever folder is current
    bool m_registered = false;
};
