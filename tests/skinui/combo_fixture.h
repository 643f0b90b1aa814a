// Shared pieces of the drop-down combo tests: a parent that records the combo's notifications, keys through
// the combo's keyboard handling, and a combo made as the composer makes one.
#pragma once

#include <initializer_list>
#include <vector>

#include "skin_fixture.h"
#include "skinui/adv_combo_box.h"
#include "skinui/adv_combo_drop_wnd.h"
#include "skinui/adv_combo_edit.h"
#include "skinui/adv_combo_list_box.h"

constexpr UINT kComboId = 1200;

// A top-level window that records the notification codes its combo sends.
class ComboParent : public CWnd {
public:
    std::vector<UINT> codes;

    explicit ComboParent(int x = 100, int y = 100)
    {
        EXPECT_TRUE(CreateEx(0, nullptr, "parent", WS_POPUP | WS_VISIBLE, x, y, 300, 200, nullptr, nullptr));
    }
    ~ComboParent() override { DestroyWindow(); }

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override
    {
        if (LOWORD(wParam) == kComboId)
            codes.push_back(HIWORD(wParam));
        return CWnd::OnCommand(wParam, lParam);
    }
};

// A combo on the parent with the items given, set up in the composer's order.
inline void MakeCombo(CAdvComboBox& combo, CWnd& parent, DWORD style, std::initializer_list<const char*> items,
                      DWORD acbStyle = ACBS_STANDARD)
{
    combo.SetColorsAndFont(RGB(70, 88, 98), RGB(230, 230, 230), 14);
    combo.SetACBStyle(acbStyle);
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | style, CRect(10, 10, 160, 32), &parent, kComboId));
    for (const char* item : items)
        combo.AddString(item);
}

// A key-down as the message loop hands it to the combo's pre-translation; answers whether it was eaten.
inline bool KeyDown(CAdvComboBox& combo, WPARAM vk, UINT message = WM_KEYDOWN)
{
    MSG msg{};
    msg.hwnd = combo.GetEdit() ? combo.GetEdit()->m_hWnd : combo.m_hWnd;
    msg.message = message;
    msg.wParam = vk;
    return combo.PreTranslateMessage(&msg) != FALSE;
}

inline std::vector<UINT> Codes(std::initializer_list<UINT> codes) { return codes; }
