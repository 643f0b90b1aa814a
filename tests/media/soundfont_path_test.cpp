// SoundFont search: the program folder's own SoundFonts come first, by name, then the system's.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "media/soundfont_path.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

TEST(SoundFontPath, ProgramFolderFirstThenSystem)
{
    TempFolder folder;
    const fs::path dir = folder.Linux("sf_search");
    fs::create_directories(dir / "sub.sf2");
    for (const char* name : {"b.sf2", "A.SF2", "notes.txt", "c.sf2pack"})
        std::ofstream(dir / name) << "x";

    std::vector<std::string> found = SoundFontCandidates(dir.string());
    ASSERT_GE(found.size(), 2u);
    EXPECT_EQ((dir / "A.SF2").string(), found[0]);
    EXPECT_EQ((dir / "b.sf2").string(), found[1]);
    for (size_t i = 2; i < found.size(); ++i)
        EXPECT_EQ(0u, found[i].rfind("/usr/share/", 0)) << found[i];

    std::vector<std::string> system = SoundFontCandidates((dir / "missing").string());
    EXPECT_EQ(found.size() - 2, system.size());
}

TEST(SoundFontPath, FindsOneOnThisMachine)
{
    const std::string path = FindSoundFont();
    ASSERT_FALSE(path.empty()) << "install timgm6mb-soundfont";
    EXPECT_TRUE(fs::is_regular_file(path));
}
