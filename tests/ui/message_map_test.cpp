// Message maps: handlers of every usual shape, declared protected as class code does, reached with cracked arguments.
#include "tests/support/window/ui_fixture.h"

namespace {

UINT g_taskbarCreated = RegisterWindowMessage("TaskbarCreated");

class MapWnd : public CWnd {
    DECLARE_DYNAMIC(MapWnd)
public:
    std::vector<std::string> seen;
    CBrush brush;
    MapWnd() { brush.CreateSolidBrush(RGB(1, 2, 3)); }

protected:
    afx_msg void OnTimer(UINT id) { seen.push_back("timer " + std::to_string(id)); }
    afx_msg void OnSize(UINT type, int cx, int cy)
    {
        if (cx == 77)
            seen.push_back("size " + std::to_string(cx) + "x" + std::to_string(cy));
    }
    afx_msg BOOL OnSetCursor(CWnd*, UINT hit, UINT message)
    {
        seen.push_back("cursor " + std::to_string(hit));
        return TRUE;
    }
    afx_msg BOOL OnMouseWheel(UINT, short delta, CPoint)
    {
        seen.push_back("wheel " + std::to_string(delta));
        return TRUE;
    }
    afx_msg HBRUSH OnCtlColor(CDC*, CWnd*, UINT kind)
    {
        seen.push_back("ctlcolor " + std::to_string(kind));
        return (HBRUSH)brush.m_hObject;
    }
    afx_msg void OnSkin(WPARAM w, LPARAM l) { seen.push_back("skin " + std::to_string(w) + " " + std::to_string(l)); }
    afx_msg LRESULT OnTaskbar(WPARAM, LPARAM)
    {
        seen.push_back("taskbar");
        return 5;
    }
    afx_msg void OnRange(UINT id) { seen.push_back("command " + std::to_string(id)); }
    afx_msg void OnPlay() { seen.push_back("play"); }
    DECLARE_MESSAGE_MAP()
};

IMPLEMENT_DYNAMIC(MapWnd, CWnd)

BEGIN_MESSAGE_MAP(MapWnd, CWnd)
ON_WM_TIMER()
ON_WM_SIZE()
ON_WM_SETCURSOR()
ON_WM_MOUSEWHEEL()
ON_WM_CTLCOLOR()
ON_MESSAGE(WM_USER + 100, OnSkin)
ON_REGISTERED_MESSAGE(g_taskbarCreated, OnTaskbar)
ON_COMMAND(3001, OnPlay)
ON_COMMAND_RANGE(3027, 3030, OnRange)
END_MESSAGE_MAP()

TEST(MessageMap, HandlersGetTheirCrackedArguments)
{
    MapWnd w;
    ASSERT_TRUE(w.CreateEx(0, nullptr, "map", WS_POPUP, 0, 0, 50, 40, nullptr, nullptr));
    EXPECT_TRUE(w.IsKindOf(RUNTIME_CLASS(CWnd)));
    w.seen.clear();
    w.SendMessage(WM_TIMER, 9);
    w.SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(77, 33));
    EXPECT_EQ(w.SendMessage(WM_SETCURSOR, (WPARAM)w.GetSafeHwnd(), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)), TRUE);
    w.SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, (WORD)-120), 0);
    EXPECT_EQ(w.SendMessage(WM_CTLCOLORSTATIC, 0, 0), (LRESULT)w.brush.m_hObject);
    w.SendMessage(WM_USER + 100, 3003, -1);
    EXPECT_EQ(w.SendMessage(g_taskbarCreated), 5);
    w.SendMessage(WM_COMMAND, 3001);
    w.SendMessage(WM_COMMAND, 3029);
    w.SendMessage(WM_COMMAND, 3031);  // nobody's command
    EXPECT_EQ(w.seen, (std::vector<std::string>{"timer 9", "size 77x33", "cursor 1", "wheel -120", "ctlcolor 6",
                                                "skin 3003 -1", "taskbar", "play", "command 3029"}));
}

}  // namespace

namespace {

TEST(WindowClass, RegisteredClassNamesAreStable)
{
    LPCTSTR a = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
    LPCTSTR b = AfxRegisterWndClass(CS_DBLCLKS, LoadCursor(nullptr, IDC_ARROW));
    EXPECT_EQ(a, b);
    WNDCLASS wc;
    ASSERT_TRUE(GetClassInfo(nullptr, a, &wc));
    EXPECT_EQ(wc.style, (UINT)CS_DBLCLKS);
    CWnd w;
    ASSERT_TRUE(w.CreateEx(0, a, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    WNDCLASS again{CS_DBLCLKS, &DefWindowProc, 0, 0, nullptr, nullptr, nullptr, nullptr, nullptr, "AdvComboBoxCtrl"};
    EXPECT_TRUE(AfxRegisterClass(&again));
    EXPECT_TRUE(AfxRegisterClass(&again));  // already there: still fine
}

}  // namespace
