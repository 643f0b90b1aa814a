// CTrayIcon: cycling the icon through a list of icons on the hidden window's timer.
#include "skinui/tray_icon.h"

#include <new>

BOOL CTrayIcon::LoadAnimationIcons(UINT nFirstId, UINT nLastId)
{
    if (nFirstId > nLastId)
        return FALSE;
    m_animIcons.clear();
    try {
        for (UINT id = nFirstId; id <= nLastId; ++id)
            m_animIcons.push_back(LoadIcon(m_hInst, MAKEINTRESOURCE(id)));
    } catch (const std::bad_alloc&) {
        m_animIcons.clear();
        return FALSE;
    }
    return TRUE;
}

BOOL CTrayIcon::LoadAnimationIcons(HICON* phIcons, int nLastIndex)
{
    if (!phIcons || nLastIndex < 0)
        return FALSE;
    m_animIcons.clear();
    try {
        m_animIcons.assign(phIcons, phIcons + nLastIndex + 1);
    } catch (const std::bad_alloc&) {
        m_animIcons.clear();
        return FALSE;
    }
    return TRUE;
}

BOOL CTrayIcon::StartAnimation(UINT nMsPerFrame, int nSeconds)
{
    if (m_animIcons.empty() || !m_hWndSink)
        return FALSE;
    StopAnimation();
    m_nAnimFrame = 0;
    m_tAnimBegin = time(nullptr);
    m_nAnimDuration = nSeconds;
    m_hIconBeforeAnim = GetIcon();
    m_nAnimTimer = SetTimer(m_hWndSink, kAnimationTimer, nMsPerFrame, nullptr);
    return m_nAnimTimer != 0;
}

BOOL CTrayIcon::ShowNextAnimationIcon()
{
    if (m_animIcons.empty())
        return FALSE;
    m_nAnimFrame = (m_nAnimFrame + 1) % (int)m_animIcons.size();
    return SetIcon(m_animIcons[m_nAnimFrame]);
}

void CTrayIcon::StopAnimation()
{
    if (m_nAnimTimer && m_hWndSink)
        KillTimer(m_hWndSink, m_nAnimTimer);
    m_nAnimTimer = 0;
    if (m_hIconBeforeAnim)
        SetIcon(m_hIconBeforeAnim);
    m_hIconBeforeAnim = nullptr;
}
