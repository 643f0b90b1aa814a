// The output names of a batch: a source or an earlier row's output is never written over.
#include <gtest/gtest.h>

#include <filesystem>

#include "converter/batch_output_names.h"
#include "tests/support/temp_folder.h"

namespace {

TEST(BatchOutputNames, SourcesAndEarlierOutputsGetNumberedNames)
{
    TempFolder dir;
    dir.Write("song.mp3", "the user's original");
    dir.Write("older.mp3", "an earlier batch's output");
    std::filesystem::create_symlink(dir.Linux("song.mp3"), dir.Linux("alias.mp3"));
    BatchOutputNames names;
    names.AddSource(dir.Win("song.mp3").c_str());
    names.AddSource(dir.Win("song.flac").c_str());  // gone meanwhile
    const CString folder = dir.Win().c_str();
    struct Case {
        const char* title;
        const char* chosen;
    };
    const Case cases[] = {
        {"song", "song (2).mp3"},    // the source itself
        {"song", "song (3).mp3"},    // a second row of that title
        {"alias", "alias (2).mp3"},  // another name of the source
        {"older", "older.mp3"},      // not of this batch: replaced
        {"new", "new.mp3"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(names.Choose(folder, c.title, ".mp3"), dir.Win(c.chosen).c_str()) << c.title;
}

}  // namespace
