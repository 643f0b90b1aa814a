// Input: synthesized mouse and keys reach the handlers in client coordinates with VK codes; pre-translation order.
#include <string>
#include <vector>

#include "ui_fixture.h"

namespace {

std::vector<std::string> g_log;

class ChildWnd : public CWnd {
public:
    CPoint down;
    UINT downFlags = 0;
    std::vector<UINT> keys;
    std::vector<UINT> chars;

protected:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN)
            g_log.push_back("child");
        return FALSE;
    }
    afx_msg void OnLButtonDown(UINT flags, CPoint p)
    {
        down = p;
        downFlags = flags;
        SetCapture();
    }
    afx_msg void OnLButtonUp(UINT, CPoint) { ReleaseCapture(); }
    afx_msg void OnKeyDown(UINT ch, UINT, UINT)
    {
        g_log.push_back("handler");
        keys.push_back(ch);
    }
    afx_msg void OnChar(UINT ch, UINT, UINT) { chars.push_back(ch); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ChildWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONUP()
    ON_WM_KEYDOWN()
    ON_WM_CHAR()
END_MESSAGE_MAP()

class OwnerWnd : public CWnd {
public:
    bool eatKeys = false;

protected:
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) {
            g_log.push_back("owner");
            return eatKeys;
        }
        return FALSE;
    }
};

struct Pair {
    OwnerWnd owner;
    ChildWnd child;
    Pair()
    {
        owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, 50, 60, 200, 150, nullptr, nullptr);
        child.Create(nullptr, "child", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(20, 10, 180, 140), &owner, 100);
        owner.UpdateWindow();
        child.UpdateWindow();
        PumpUntil([&] { return child.IsWindowVisible(); });
        PumpFor(50);
        child.SetFocus();
        g_log.clear();
    }
};

TEST(Input, MousePressArrivesInClientCoordinatesWithButtonFlags)
{
    Pair p;
    ClickAt(p.child, 30, 40);
    ASSERT_TRUE(PumpUntil([&] { return p.child.down != CPoint(0, 0); }));
    EXPECT_EQ(p.child.down, CPoint(30, 40));
    EXPECT_TRUE(p.child.downFlags & MK_LBUTTON);
    EXPECT_EQ(GetCapture(), nullptr);  // released on the button-up
}

TEST(Input, KeysBringVirtualKeyCodesAndCharacters)
{
    Pair p;
    PressKey('A');
    PressKey(VK_RETURN);
    ASSERT_TRUE(PumpUntil([&] { return p.child.keys.size() == 2; }));
    EXPECT_EQ(p.child.keys, (std::vector<UINT>{'A', VK_RETURN}));
    EXPECT_EQ(p.child.chars, (std::vector<UINT>{'a', '\r'}));
}

TEST(Input, PreTranslationRunsUpTheParentsBeforeTheHandler)
{
    Pair p;
    PressKey(VK_SPACE);
    ASSERT_TRUE(PumpUntil([&] { return g_log.size() == 3; }));
    EXPECT_EQ(g_log, (std::vector<std::string>{"child", "owner", "handler"}));

    // An owner that takes the key keeps it from the child.
    p.owner.eatKeys = true;
    g_log.clear();
    PressKey(VK_SPACE);
    PumpFor(30);
    EXPECT_EQ(g_log, (std::vector<std::string>{"child", "owner"}));
    EXPECT_EQ(p.child.keys.size(), 1u);
}

}  // namespace

namespace {

class DragWnd : public CWnd {
protected:
    afx_msg void OnLButtonDown(UINT flags, CPoint p)
    {
        PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(p.x, p.y));
        CWnd::OnLButtonDown(flags, p);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DragWnd, CWnd)
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

void MouseStep(DWORD flags, POINT screen)
{
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (LONG)(((int64_t)screen.x * 65536 + 65535) / sw);
    in.mi.dy = (LONG)(((int64_t)screen.y * 65536 + 65535) / sh);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(INPUT));
}

TEST(Input, CaptionPressPostedFromAClickDragsTheWindow)
{
    DragWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "drag", WS_POPUP | WS_VISIBLE, 100, 100, 150, 100, nullptr, nullptr));
    w.UpdateWindow();
    PumpFor(50);
    CRect before;
    w.GetWindowRect(&before);
    POINT p{before.left + 20, before.top + 20};
    MouseStep(MOUSEEVENTF_LEFTDOWN, p);
    PumpFor(30);
    MouseStep(0, POINT{p.x + 30, p.y + 20});
    MouseStep(MOUSEEVENTF_LEFTUP, POINT{p.x + 30, p.y + 20});
    CRect after;
    ASSERT_TRUE(PumpUntil([&] {
        w.GetWindowRect(&after);
        return after.left != before.left;
    }));
    EXPECT_EQ(after.left - before.left, 30);
    EXPECT_EQ(after.top - before.top, 20);
    EXPECT_EQ(after.Width(), before.Width());
}

}  // namespace

namespace {

TEST(Input, DisabledOwnerTakesNoInput)
{
    Pair p;
    p.owner.EnableWindow(FALSE);
    ClickAt(p.child, 30, 40);
    PressKey('B');
    PumpFor(60);
    EXPECT_EQ(p.child.down, CPoint(0, 0));
    EXPECT_TRUE(p.child.keys.empty());
    p.owner.EnableWindow(TRUE);
    ClickAt(p.child, 31, 41);
    ASSERT_TRUE(PumpUntil([&] { return p.child.down != CPoint(0, 0); }));
    EXPECT_EQ(p.child.down, CPoint(31, 41));
}

}  // namespace
