// libFuzzer target: arbitrary bytes as a skin's skin.ini, a language file and a legacy numbered-text file of a
// program folder; the skin elements it names are loaded and their texts filled in as the programs fill them in.
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "kernel/path_map.h"
#include "services/app_folder.h"
#include "services/composer_globals.h"
#include "services/language_text.h"
#include "services/numbered_text.h"
#include "services/skin_element.h"
#include "services/skin_format_text.h"
#include "ui/wnd.h"

namespace {

// A program folder of this process's own under $TMPDIR, removed when the process ends normally.
class ProgramFolder {
public:
    ProgramFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "kestrin-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            return;
        m_path = pattern + "/";
        for (const char* folder : {"skin-com/skin-1", "lang", "lan"})
            std::filesystem::create_directories(m_path + folder);
        Put("common.ini", "[common]\r\ncurlang=1\r\nskin=1\r\n[stringtip]\r\nclose=x1\r\ntrack=x2\r\nerror=x3\r\n");
    }
    ~ProgramFolder()
    {
        if (!m_path.empty())
            std::filesystem::remove_all(m_path);
    }
    ProgramFolder(const ProgramFolder&) = delete;
    ProgramFolder& operator=(const ProgramFolder&) = delete;

    bool Ready() const { return !m_path.empty(); }
    std::string Windows(const std::string& name) const { return ToWindowsPath(m_path + name); }
    bool Put(const std::string& name, const std::string& bytes) const
    {
        std::ofstream out(m_path + name, std::ios::binary | std::ios::trunc);
        out << bytes;
        return static_cast<bool>(out.flush());
    }

private:
    std::string m_path;
};

// Every way the programs fill in a text taken from a skin or a language file.
void FillIn(const CString& text)
{
    FormatSkinText(text, "d", 12);
    FormatSkinText(text, "ddd", 2, 5, 40);
    FormatSkinText(text, "s", "song.mp3");
    FormatSkinText(text, "dds", 2, 5, "song.mp3");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const ProgramFolder program;
    static CWnd dialog;
    static int language = 0, skin = 0;
    static COLORREF transparent = 0;
    if (!program.Ready())
        return 0;
    static const bool linked = [] {
        SetAppFolder(program.Windows("kestrin.exe").c_str());
        SetMainDialog({&dialog, &language, &skin, &transparent, nullptr});
        return true;
    }();
    (void)linked;
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (!program.Put("skin-com/skin-1/skin.ini", bytes) || !program.Put("lang/lang001.ini", bytes) ||
        !program.Put("lan/English.txt", bytes))
        return 0;

    // The elements the input names (each load reads the whole file again), and one it may not name.
    std::set<int> elements = {0};
    for (size_t at = bytes.find("textbtn"); at != std::string::npos && elements.size() < 8;
         at = bytes.find("textbtn", at + 1)) {
        if (at + 9 <= bytes.size() && isdigit(static_cast<unsigned char>(bytes[at + 7])) &&
            isdigit(static_cast<unsigned char>(bytes[at + 8])))
            elements.insert((bytes[at + 7] - '0') * 10 + bytes[at + 8] - '0');
    }
    for (int element : elements) {
        CSkinElement loaded;
        LoadSkinElement(element, &loaded);
        FillIn(loaded.title);
        FillIn(loaded.tip);
    }
    for (const char* key : {"close", "track", "error", "missing"})
        FillIn(GetLanguageText(key));
    const std::string legacy = program.Windows("lan/English.txt");
    for (int n = 1; n <= 20; ++n)
        FillIn(GetNumberedTextFromFile(legacy.c_str(), n));
    return 0;
}
