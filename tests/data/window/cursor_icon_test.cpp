// Every cursor and icon resource of the program loads through the window layer.
#include <gtest/gtest.h>

#include <string>

#include "kernel/resources.h"
#include "ui/winuser.h"

namespace {

TEST(ProgramPictures, EveryCursorAndIconLoads)
{
    const EmbeddedResource* entries[64];
    size_t cursors = EnumEmbeddedResources("CURSOR", entries, 64);
    EXPECT_GE(cursors, 9u);
    for (size_t i = 0; i < cursors && i < 64; i++)
        EXPECT_NE(LoadCursor(GetModuleHandle(nullptr), MAKEINTRESOURCE(std::stoi(entries[i]->name))), nullptr)
            << "cursor " << entries[i]->name;
    size_t icons = EnumEmbeddedResources("ICON", entries, 64);
    EXPECT_GE(icons, 1u);
    for (size_t i = 0; i < icons && i < 64; i++)
        EXPECT_NE(LoadIcon(GetModuleHandle(nullptr), MAKEINTRESOURCE(std::stoi(entries[i]->name))), nullptr)
            << "icon " << entries[i]->name;
}

}  // namespace
