// Every composer dialog's template holds the controls its class works with, of the right kind.
#include "ui/dialog_template.h"
#include "ui/ui.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Control {
    int id;
    const char* className;
};

TEST(DialogTemplates, HoldTheControlsTheDialogsUse)
{
    const struct {
        int templateId;
        std::vector<Control> controls;
    } dialogs[] = {
        {146, {{1037, "Static"}}},
        {156, {{1051, "Edit"}}},
        {157, {{1052, "Edit"}, {IDOK, "Button"}, {IDCANCEL, "Button"}}},
        {158, {{1057, "SysListView32"}, {IDOK, "Button"}}},
        {161, {{1059, "Button"}, {1060, "Button"}, {IDOK, "Button"}, {IDCANCEL, "Button"}}},
        {187,
         {{1137, "ListBox"},
          {1174, "ListBox"},
          {1175, "ListBox"},
          {1176, "Static"},
          {1177, "Static"},
          {1178, "Static"},
          {IDOK, "Button"},
          {IDCANCEL, "Button"}}},
        {189, {{1139, "msctls_progress32"}, {1140, "Static"}}},
        {263, {{3045, "Static"}, {1200, "Button"}, {1201, "Button"}, {1202, "Button"}, {IDCANCEL, "Button"}}},
    };
    for (const auto& d : dialogs) {
        const auto dialog = LoadDialogTemplate(MAKEINTRESOURCE(d.templateId));
        ASSERT_TRUE(dialog.has_value()) << d.templateId;
        for (const Control& c : d.controls) {
            auto item = std::find_if(dialog->items.begin(), dialog->items.end(),
                                     [&](const DialogItemTemplate& i) { return i.id == c.id; });
            ASSERT_NE(item, dialog->items.end()) << d.templateId << ": " << c.id;
            EXPECT_STRCASEEQ(item->className.c_str(), c.className) << d.templateId << ": " << c.id;
        }
    }
    // The strips painted in code are child windows.
    for (int id : {151, 156, 195})
        EXPECT_TRUE(LoadDialogTemplate(MAKEINTRESOURCE(id))->style & WS_CHILD) << id;
}

}  // namespace
