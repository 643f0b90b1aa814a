// Input: synthesized mouse and keys reach the handlers in client coordinates with VK codes; pre-translation order.
#include <string>
#include <vector>

#include "tests/support/window/ui_fixture.h"

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

TEST(Input, SizingBegunThroughATransparentChildHoldsThePointer)
{
    // The parent starts a bottom-right sizing from a press that a plain static in its corner passed on.
    class SizeWnd : public CWnd {
    public:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_LBUTTONDOWN)
                PostMessage(WM_NCLBUTTONDOWN, HTBOTTOMRIGHT, lParam);
            return CWnd::WindowProc(message, wParam, lParam);
        }
    } w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "size", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150, nullptr, nullptr));
    CStatic grip;
    ASSERT_TRUE(grip.Create("", WS_CHILD | WS_VISIBLE, CRect(184, 134, 200, 150), &w, 1));
    PumpFor(50);
    CRect before;
    w.GetWindowRect(&before);
    POINT p{before.right - 6, before.bottom - 6};
    MouseStep(MOUSEEVENTF_LEFTDOWN, p);
    PumpFor(30);
    MouseStep(0, POINT{p.x + 40, p.y + 30});
    MouseStep(MOUSEEVENTF_LEFTUP, POINT{p.x + 40, p.y + 30});
    CRect after;
    ASSERT_TRUE(PumpUntil([&] {
        w.GetWindowRect(&after);
        return after.Width() != before.Width();
    }));
    EXPECT_EQ(after.Size(), before.Size() + CSize(40, 30));
    EXPECT_EQ(after.TopLeft(), before.TopLeft());
    w.DestroyWindow();
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

namespace {

class WheelWnd : public CWnd {
public:
    int wheels = 0;
    bool handle = false;

protected:
    afx_msg BOOL OnMouseWheel(UINT, short, CPoint)
    {
        ++wheels;
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_MOUSEWHEEL && !handle)
            return DefWindowProc(message, wParam, lParam);  // passed on to the parent
        return CWnd::WindowProc(message, wParam, lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(WheelWnd, CWnd)
ON_WM_MOUSEWHEEL()
END_MESSAGE_MAP()

TEST(Input, WheelGoesToTheFocusWindowAndUpItsParents)
{
    WheelWnd top, focused, under;
    top.handle = under.handle = true;
    top.CreateEx(0, nullptr, "wheel", WS_POPUP | WS_VISIBLE, 50, 60, 240, 120, nullptr, nullptr);
    focused.Create(nullptr, "focused", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 110, 110), &top, 1);
    under.Create(nullptr, "under", WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(130, 10, 230, 110), &top, 2);
    PumpFor(50);
    focused.SetFocus();
    POINT p{50, 50};
    ClientToScreen(under, &p);
    int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = (LONG)(((int64_t)p.x * 65536 + 65535) / sw);
    in.mi.dy = (LONG)(((int64_t)p.y * 65536 + 65535) / sh);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_WHEEL;
    in.mi.mouseData = (DWORD)-WHEEL_DELTA;
    SendInput(1, &in, sizeof(INPUT));
    ASSERT_TRUE(PumpUntil([&] { return top.wheels + under.wheels > 0; }));
    EXPECT_EQ(top.wheels, 1);
    EXPECT_EQ(under.wheels, 0);
}

// An edit whose handler keeps every key-down to itself.
class KeyEatingEdit : public CEdit {
public:
    std::vector<UINT> chars;

protected:
    afx_msg void OnKeyDown(UINT, UINT, UINT) {}
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags)
    {
        chars.push_back(ch);
        CEdit::OnChar(ch, repeat, flags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(KeyEatingEdit, CEdit)
ON_WM_KEYDOWN()
ON_WM_CHAR()
END_MESSAGE_MAP()

TEST(Input, SwallowedKeyDownStillBringsTheCharacter)
{
    CWnd host;
    host.CreateEx(0, nullptr, "keys", WS_POPUP | WS_VISIBLE, 50, 60, 200, 80, nullptr, nullptr);
    KeyEatingEdit edit;
    edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 190, 40), &host, 5);
    PumpFor(50);
    edit.SetFocus();
    PumpFor(30);
    PressKey('K');
    ASSERT_TRUE(PumpUntil([&] { return !edit.chars.empty(); }));
    EXPECT_EQ(edit.chars, (std::vector<UINT>{'k'}));
    CString text;
    EXPECT_TRUE(PumpUntil([&] {
        edit.GetWindowText(text);
        return text == "k";
    }));
}

}  // namespace

namespace {

// An edit whose class has its own paint handler, as the skinned combo's edit does.
class PaintingEdit : public CEdit {
public:
    int paints = 0;

protected:
    afx_msg void OnPaint()
    {
        ++paints;
        Default();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintingEdit, CEdit)
ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(Input, EditWhoseClassPaintsKeepsItsTextBox)
{
    CWnd host;
    host.CreateEx(0, nullptr, "painted edit", WS_POPUP | WS_VISIBLE, 50, 60, 200, 80, nullptr, nullptr);
    PaintingEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | WS_TABSTOP, CRect(10, 10, 190, 40), &host, 6));
    edit.SetWindowText("ab");
    PumpFor(50);
    edit.SetFocus();
    edit.SetSel(2, 2);
    PumpFor(30);
    PressKey('C');
    CString text;
    EXPECT_TRUE(PumpUntil([&] {
        edit.GetWindowText(text);
        return text == "abc";
    }));
    EXPECT_STREQ(text, "abc");
}

}  // namespace
