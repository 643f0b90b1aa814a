// CCmdTarget: message-map lookup and command routing.
#include "ui/msgmap.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

namespace {

const AFX_MSGMAP_ENTRY kNoEntries[] = {{0, 0, 0, 0, nullptr, nullptr}};
const AFX_MSGMAP* NoBaseMap() { return nullptr; }

}  // namespace

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP map = {&NoBaseMap, kNoEntries};
    return &map;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const { return GetThisMessageMap(); }

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message, UINT code, UINT id) const
{
    bool keyed = message == WM_COMMAND || message == WM_NOTIFY || message == WM_REFLECT_BASE + WM_COMMAND ||
                 message == WM_REFLECT_BASE + WM_NOTIFY;
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap()) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->pfn; ++e) {
            if (e->nMessage == AFX_MSG_REGISTERED) {
                if (!keyed && e->pnRegistered && *e->pnRegistered == message)
                    return e;
                continue;
            }
            if (e->nMessage != message)
                continue;
            if (!keyed)
                return e;
            bool reflected = message >= WM_REFLECT_BASE;
            if (e->nCode == code && (reflected || (id >= e->nID && id <= e->nLastID)))
                return e;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void*, void*)
{
    const AFX_MSGMAP_ENTRY* e = FindMessageEntry(WM_COMMAND, (UINT)(WORD)nCode, nID);
    if (!e)
        return FALSE;
    LRESULT result = 0;
    return e->pfn(this, nID, 0, &result);
}
