// The tray icon: its flags without a notification area, its tip, its animation and the hidden window that
// serves the object that made it.
#include "skinui/tray_icon.h"

#include <chrono>
#include <memory>
#include <set>

#include "kernel/resources.h"
#include "skin_dialog_fixture.h"

namespace {

// Records the callback messages that reach its hidden window.
class RecordingTray : public CTrayIcon {
public:
    std::vector<std::pair<WPARAM, LPARAM>> notes;
    LRESULT OnTrayNotification(WPARAM wParam, LPARAM lParam) override
    {
        notes.emplace_back(wParam, lParam);
        return 1;
    }
};

constexpr UINT kCallback = WM_APP + 20;

// Distinct system icons to animate through.
HICON SystemIcon(int n) { return LoadIcon(nullptr, MAKEINTRESOURCE(32513 + n)); }

TEST(TrayIcon, WithoutANotificationAreaTheAddStaysPendingAndHidden)
{
    CTrayIcon tray;
    EXPECT_TRUE(tray.IsHidden());
    EXPECT_TRUE(tray.IsRemoved());
    // The virtual display has no notification area.
    EXPECT_FALSE(tray.Create(AfxGetInstanceHandle(), nullptr, kCallback, "Tip", nullptr, 1, FALSE));
    EXPECT_TRUE(tray.IsEnabled());
    EXPECT_TRUE(tray.IsHidden());
    EXPECT_TRUE(tray.IsRemoved());
    EXPECT_TRUE(tray.IsAddPending());
    // Hiding an icon that is not there changes nothing; showing tries again and fails the same way.
    EXPECT_TRUE(tray.HideIcon());
    EXPECT_TRUE(tray.IsAddPending());
    EXPECT_FALSE(tray.ShowIcon());
    EXPECT_TRUE(tray.IsRemoved());
    EXPECT_TRUE(tray.IsAddPending());
    EXPECT_TRUE(tray.RemoveIcon());
    EXPECT_FALSE(tray.IsAddPending());
}

TEST(TrayIcon, TipIsCutToSixtyThreeBytesWithoutSplittingACharacter)
{
    CTrayIcon tray;
    EXPECT_FALSE(tray.SetTip("before create"));
    EXPECT_EQ(tray.GetTip(), nullptr);
    ASSERT_TRUE(tray.Create(AfxGetInstanceHandle(), nullptr, kCallback, "", nullptr, 1, TRUE));
    const struct {
        std::string tip;
        std::string shown;
    } cases[] = {
        {"Kestrin", "Kestrin"},
        {std::string(70, 'a'), std::string(63, 'a')},
        // 62 ASCII bytes and a two-byte character: the character does not fit in 63 bytes.
        {std::string(62, 'b') + "\xC3\xA9", std::string(62, 'b')},
        {std::string(61, 'c') + "\xC3\xA9", std::string(61, 'c') + "\xC3\xA9"},
        // Three-byte characters: 21 of them fill 63 bytes exactly.
        {[] {
             std::string s;
             for (int i = 0; i < 30; ++i)
                 s += "\xE9\x9F\xB3";
             return s;
         }(),
         [] {
             std::string s;
             for (int i = 0; i < 21; ++i)
                 s += "\xE9\x9F\xB3";
             return s;
         }()},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(tray.SetTip(c.tip.c_str()));
        EXPECT_EQ(std::string(tray.GetTip()), c.shown) << c.tip;
    }
}

TEST(TrayIcon, SetIconWhileHiddenKeepsTheHandleForTheNextAdd)
{
    CTrayIcon tray;
    ASSERT_TRUE(tray.Create(AfxGetInstanceHandle(), nullptr, kCallback, "", nullptr, 1, TRUE));
    HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
    EXPECT_TRUE(tray.SetIcon(icon));
    EXPECT_EQ(tray.GetIcon(), icon);
    EXPECT_TRUE(tray.SetIcon(128u));
    EXPECT_NE(tray.GetIcon(), nullptr);
    EXPECT_NE(tray.GetIcon(), icon);
    EXPECT_FALSE(tray.SetIcon("/no/such/icon.ico"));
}

TEST(TrayIcon, AnimationCyclesItsIconsAndPutsTheFirstBack)
{
    CTrayIcon tray;
    ASSERT_TRUE(tray.Create(AfxGetInstanceHandle(), nullptr, kCallback, "", nullptr, 1, TRUE));
    HICON before = LoadIcon(nullptr, IDI_APPLICATION);
    tray.SetIcon(before);
    HICON frames[3] = {SystemIcon(0), SystemIcon(1), SystemIcon(2)};
    EXPECT_FALSE(tray.StartAnimation(10, 0));
    ASSERT_TRUE(tray.LoadAnimationIcons(frames, 2));
    // A backward id range fails and leaves the list as it was.
    EXPECT_FALSE(tray.LoadAnimationIcons(5u, 3u));
    EXPECT_EQ(tray.GetAnimationIconCount(), 3);
    ASSERT_TRUE(tray.StartAnimation(10, 0));
    std::set<HICON> seen;
    PumpUntil([&] {
        if (tray.GetIcon() != before)
            seen.insert(tray.GetIcon());
        return seen.size() == 3;
    });
    EXPECT_EQ(seen, std::set<HICON>(frames, frames + 3));
    tray.StopAnimation();
    EXPECT_EQ(tray.GetIcon(), before);
}

TEST(TrayIcon, TimedAnimationStopsOnTheFirstTickAfterItsLength)
{
    CTrayIcon tray;
    ASSERT_TRUE(tray.Create(AfxGetInstanceHandle(), nullptr, kCallback, "", nullptr, 1, TRUE));
    HICON before = LoadIcon(nullptr, IDI_APPLICATION);
    tray.SetIcon(before);
    HICON frames[2] = {SystemIcon(0), SystemIcon(1)};
    ASSERT_TRUE(tray.LoadAnimationIcons(frames, 1));
    auto start = std::chrono::steady_clock::now();
    ASSERT_TRUE(tray.StartAnimation(50, 1));
    PumpFor(200);
    EXPECT_NE(tray.GetIcon(), before);
    // Whole seconds are compared: more than one second has passed somewhere within the third.
    EXPECT_TRUE(PumpUntil([&] { return tray.GetIcon() == before; }, 3500));
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(TrayIcon, EachHiddenWindowServesTheTrayThatMadeIt)
{
    auto first = std::make_unique<RecordingTray>();
    ASSERT_TRUE(first->Create(AfxGetInstanceHandle(), nullptr, kCallback, "", nullptr, 7, TRUE));
    HWND firstSink = first->GetSinkWindow();
    ASSERT_TRUE(IsWindow(firstSink));
    {
        // A tray made and destroyed later, as an about box's is, must not take the first one's messages.
        RecordingTray later;
        ASSERT_TRUE(later.Create(AfxGetInstanceHandle(), nullptr, kCallback, "", nullptr, 7, TRUE));
        SendMessage(later.GetSinkWindow(), kCallback, 7, WM_LBUTTONUP);
        EXPECT_EQ(later.notes.size(), 1u);
    }
    SendMessage(firstSink, kCallback, 7, WM_RBUTTONUP);
    ASSERT_EQ(first->notes.size(), 1u);
    EXPECT_EQ(first->notes[0].second, (LPARAM)WM_RBUTTONUP);
    first.reset();
    EXPECT_FALSE(IsWindow(firstSink));
}

TEST(TrayIcon, DoubleClickPostsTheDefaultMenuCommandToTheCommandWindow)
{
    SkinOwner target;
    CTrayIcon tray;
    ASSERT_TRUE(tray.Create(AfxGetInstanceHandle(), nullptr, kCallback, "", nullptr, 7, TRUE));
    tray.SetCommandWindow(target.GetSafeHwnd());
    EXPECT_EQ(tray.GetCommandWindow(), target.GetSafeHwnd());
    tray.SetDefaultMenuItem(4321, FALSE);
    EXPECT_EQ(tray.OnTrayNotification(8, WM_LBUTTONDBLCLK), 0);
    EXPECT_EQ(tray.OnTrayNotification(7, WM_LBUTTONDBLCLK), 1);
    MSG msg;
    ASSERT_TRUE(PeekMessage(&msg, target.GetSafeHwnd(), WM_COMMAND, WM_COMMAND, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 4321u);
    EXPECT_EQ(tray.OnTrayNotification(7, WM_MOUSEMOVE), 1);
    // No menu resource has the icon's id: no popup.
    EXPECT_EQ(tray.OnTrayNotification(7, WM_RBUTTONUP), 0);
}

TEST_F(SkinDialogTest, HideToTrayWithoutANotificationAreaMinimisesInstead)
{
    TestSkinDialog dlg(CSkinDialog::CAPTION_MAIN);
    ASSERT_TRUE(dlg.Open());
    EXPECT_TRUE(dlg.m_trayIcon.IsEnabled());
    EXPECT_TRUE(dlg.m_trayIcon.IsHidden());
    EXPECT_EQ(dlg.m_trayIcon.GetNotifyWindow(), dlg.GetSafeHwnd());
    EXPECT_EQ(dlg.m_trayIcon.GetNotifyMessage(), WM_TRAYNOTIFY);
    EXPECT_STREQ(dlg.m_trayIcon.GetTip(), "Kestrin Test");
    dlg.PostMessage(WM_SKINCOMMAND, 301, 0);
    PumpFor(50);
    // The window is still there to be found; the icon could not be added.
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_TRUE(dlg.m_trayIcon.IsAddPending());
    EXPECT_TRUE(dlg.m_trayIcon.IsHidden());
}

TEST_F(SkinDialogTest, OnlyTheMainWindowMakesATrayIcon)
{
    TestSkinDialog child(CSkinDialog::CAPTION_CHILD);
    ASSERT_TRUE(child.Open());
    EXPECT_FALSE(child.m_trayIcon.IsEnabled());
    EXPECT_EQ(child.m_trayIcon.GetSinkWindow(), nullptr);
}

}  // namespace
