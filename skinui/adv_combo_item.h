// CAdvComboItem: one entry of the drop-down combo box, with the combo's style bits and internal messages.
#pragma once

#include "ui/ui.h"

struct CAdvComboItem {
    CString strText;
    int bDisabled = 0;
    int bChecked = 0;
    int nReserved = 0;
};

// The combo's own style word.
constexpr DWORD ACBS_FLAT = 1;
constexpr DWORD ACBS_STANDARD = 2;
constexpr DWORD ACBS_CHECKED = 4;
constexpr DWORD ACBS_AUTOAPPEND = 8;
constexpr DWORD ACBS_AUTOSUGGEST = 16;

// Between the combo and its drop-down windows.
constexpr UINT WM_ACB_SELECTITEM = WM_USER + 1;
constexpr UINT WM_ACB_CLOSEUP = WM_USER + 2;
constexpr UINT WM_ACB_SETCAPTURE = WM_USER + 3;
constexpr UINT WM_ACB_RELEASECAPTURE = WM_USER + 4;
constexpr UINT WM_ACB_TOGGLEDROPDOWN = WM_USER + 101;
