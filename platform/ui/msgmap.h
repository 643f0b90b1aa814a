// Message maps: CCmdTarget and the tables that route window messages, commands and notifications to handlers.
#pragma once

#include <type_traits>

#include "kernel/object.h"
#include "ui/winuser.h"

class CCmdTarget;

// One table entry: the message (or WM_COMMAND / WM_NOTIFY with a code and an id range) and its handler.
struct AFX_MSGMAP_ENTRY {
    UINT nMessage;
    UINT nCode;
    UINT nID;
    UINT nLastID;
    // Calls the handler; FALSE when it declined (notification handlers that pass the message on).
    BOOL (*pfn)(CCmdTarget* target, WPARAM wParam, LPARAM lParam, LRESULT* result);
    const UINT* pnRegistered;  // for ON_REGISTERED_MESSAGE: the message number's variable
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// Entry kinds that are not window messages.
#define AFX_MSG_REGISTERED 0xFFFFFFFFu
#define CN_COMMAND 0

#define afx_msg

// Converts a message parameter to a handler's parameter type.
template <class T>
T AfxParam(uintptr_t v)
{
    if constexpr (std::is_pointer_v<T>)
        return reinterpret_cast<T>(v);
    else
        return static_cast<T>(v);
}

// Calls fn(wParam, lParam) with the parameter types it declares; a void handler answers 0.
template <class T, class C, class R, class A, class B>
LRESULT AfxCallMessage(T* obj, R (C::*fn)(A, B), WPARAM w, LPARAM l)
{
    if constexpr (std::is_void_v<R>) {
        (obj->*fn)(AfxParam<A>(w), AfxParam<B>((uintptr_t)l));
        return 0;
    } else {
        return (LRESULT)(obj->*fn)(AfxParam<A>(w), AfxParam<B>((uintptr_t)l));
    }
}
template <class T, class C, class R>
LRESULT AfxCallMessage(T* obj, R (C::*fn)(), WPARAM, LPARAM)
{
    if constexpr (std::is_void_v<R>) {
        (obj->*fn)();
        return 0;
    } else {
        return (LRESULT)(obj->*fn)();
    }
}

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget() = default;
    ~CCmdTarget() override = default;

    // Command routing: TRUE when a handler took the command (nCode = control notification code).
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, void* pHandlerInfo);

    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Finds the entry for a message in this object's maps, most derived first.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT code, UINT id) const;
};

#define DECLARE_MESSAGE_MAP()                         \
protected:                                            \
    static const AFX_MSGMAP* GetThisMessageMap();     \
    const AFX_MSGMAP* GetMessageMap() const override; \
                                                      \
public:

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                        \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                   \
    {                                                                                 \
        using ThisClass [[maybe_unused]] = theClass;                                  \
        typedef baseClass TheBaseClass;                                               \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {
#define END_MESSAGE_MAP()                                                                         \
    {                                                                                             \
        0, 0, 0, 0, nullptr, nullptr                                                              \
    }                                                                                             \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
    }

// Entry builders. Each handler thunk casts the target to the class that owns the map.
#define KESTRIN_MSG_ENTRY(msg, body)                                             \
    {(UINT)(msg),                                                                \
     0,                                                                          \
     0,                                                                          \
     0,                                                                          \
     [](CCmdTarget* t_, WPARAM wParam, LPARAM lParam, LRESULT* result) -> BOOL { \
         ThisClass* self = static_cast<ThisClass*>(t_);                          \
         (void)self;                                                             \
         (void)wParam;                                                           \
         (void)lParam;                                                           \
         (void)result;                                                           \
         body;                                                                   \
         return TRUE;                                                            \
     },                                                                          \
     nullptr},

#define ON_MESSAGE(message, memberFxn) \
    KESTRIN_MSG_ENTRY(message, *result = AfxCallMessage(self, &ThisClass::memberFxn, wParam, lParam))
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                             \
    {AFX_MSG_REGISTERED,                                                                               \
     0,                                                                                                \
     0,                                                                                                \
     0,                                                                                                \
     [](CCmdTarget* t_, WPARAM wParam, LPARAM lParam, LRESULT* result) -> BOOL {                       \
         *result = AfxCallMessage(static_cast<ThisClass*>(t_), &ThisClass::memberFxn, wParam, lParam); \
         return TRUE;                                                                                  \
     },                                                                                                \
     &nMessageVariable},

// Commands and control notifications (WM_COMMAND).
#define ON_CONTROL(wNotifyCode, id, memberFxn)                                     \
    {WM_COMMAND,                                                                   \
     (UINT)(WORD)(wNotifyCode),                                                    \
     (UINT)(WORD)(id),                                                             \
     (UINT)(WORD)(id),                                                             \
     [](CCmdTarget* t_, WPARAM, LPARAM, LRESULT*) -> BOOL {                        \
         AfxCallMessage(static_cast<ThisClass*>(t_), &ThisClass::memberFxn, 0, 0); \
         return TRUE;                                                              \
     },                                                                            \
     nullptr},
#define ON_CONTROL_RANGE(wNotifyCode, id, idLast, memberFxn)       \
    {WM_COMMAND,                                                   \
     (UINT)(WORD)(wNotifyCode),                                    \
     (UINT)(WORD)(id),                                             \
     (UINT)(WORD)(idLast),                                         \
     [](CCmdTarget* t_, WPARAM wParam, LPARAM, LRESULT*) -> BOOL { \
         (static_cast<ThisClass*>(t_)->memberFxn)((UINT)wParam);   \
         return TRUE;                                              \
     },                                                            \
     nullptr},
#define ON_COMMAND(id, memberFxn) ON_CONTROL(CN_COMMAND, id, memberFxn)
#define ON_COMMAND_RANGE(id, idLast, memberFxn) ON_CONTROL_RANGE(CN_COMMAND, id, idLast, memberFxn)
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)
#define ON_STN_DBLCLK(id, memberFxn) ON_CONTROL(STN_DBLCLK, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_EN_MAXTEXT(id, memberFxn) ON_CONTROL(EN_MAXTEXT, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_LBN_SELCANCEL(id, memberFxn) ON_CONTROL(LBN_SELCANCEL, id, memberFxn)
#define ON_LBN_SETFOCUS(id, memberFxn) ON_CONTROL(LBN_SETFOCUS, id, memberFxn)
#define ON_LBN_KILLFOCUS(id, memberFxn) ON_CONTROL(LBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DBLCLK(id, memberFxn) ON_CONTROL(CBN_DBLCLK, id, memberFxn)
#define ON_CBN_SETFOCUS(id, memberFxn) ON_CONTROL(CBN_SETFOCUS, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_EDITUPDATE(id, memberFxn) ON_CONTROL(CBN_EDITUPDATE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_SELENDCANCEL(id, memberFxn) ON_CONTROL(CBN_SELENDCANCEL, id, memberFxn)

// Notifications (WM_NOTIFY): handler (NMHDR*, LRESULT*).
#define ON_NOTIFY(wNotifyCode, id, memberFxn)                                                \
    {WM_NOTIFY,                                                                              \
     (UINT)(wNotifyCode),                                                                    \
     (UINT)(WORD)(id),                                                                       \
     (UINT)(WORD)(id),                                                                       \
     [](CCmdTarget* t_, WPARAM, LPARAM lParam, LRESULT* result) -> BOOL {                    \
         (static_cast<ThisClass*>(t_)->memberFxn)(reinterpret_cast<NMHDR*>(lParam), result); \
         return TRUE;                                                                        \
     },                                                                                      \
     nullptr},
#define ON_NOTIFY_RANGE(wNotifyCode, id, idLast, memberFxn)                                                \
    {WM_NOTIFY,                                                                                            \
     (UINT)(wNotifyCode),                                                                                  \
     (UINT)(WORD)(id),                                                                                     \
     (UINT)(WORD)(idLast),                                                                                 \
     [](CCmdTarget* t_, WPARAM wParam, LPARAM lParam, LRESULT* result) -> BOOL {                           \
         (static_cast<ThisClass*>(t_)->memberFxn)((UINT)wParam, reinterpret_cast<NMHDR*>(lParam), result); \
         return TRUE;                                                                                      \
     },                                                                                                    \
     nullptr},
#define ON_NOTIFY_EX(wNotifyCode, id, memberFxn)                                                                  \
    {WM_NOTIFY,                                                                                                   \
     (UINT)(wNotifyCode),                                                                                         \
     (UINT)(WORD)(id),                                                                                            \
     (UINT)(WORD)(id),                                                                                            \
     [](CCmdTarget* t_, WPARAM wParam, LPARAM lParam, LRESULT* result) -> BOOL {                                  \
         return (static_cast<ThisClass*>(t_)->memberFxn)((UINT)wParam, reinterpret_cast<NMHDR*>(lParam), result); \
     },                                                                                                           \
     nullptr},

// Reflected notifications, handled by the control itself.
#define ON_CONTROL_REFLECT(wNotifyCode, memberFxn)                                 \
    {WM_REFLECT_BASE + WM_COMMAND,                                                 \
     (UINT)(WORD)(wNotifyCode),                                                    \
     0,                                                                            \
     0,                                                                            \
     [](CCmdTarget* t_, WPARAM, LPARAM, LRESULT*) -> BOOL {                        \
         AfxCallMessage(static_cast<ThisClass*>(t_), &ThisClass::memberFxn, 0, 0); \
         return TRUE;                                                              \
     },                                                                            \
     nullptr},
#define ON_CONTROL_REFLECT_EX(wNotifyCode, memberFxn)                                                             \
    {WM_REFLECT_BASE + WM_COMMAND,                                                                                \
     (UINT)(WORD)(wNotifyCode),                                                                                   \
     0,                                                                                                           \
     0,                                                                                                           \
     [](CCmdTarget* t_, WPARAM, LPARAM, LRESULT*) -> BOOL { return (static_cast<ThisClass*>(t_)->memberFxn)(); }, \
     nullptr},
#define ON_NOTIFY_REFLECT(wNotifyCode, memberFxn)                                            \
    {WM_REFLECT_BASE + WM_NOTIFY,                                                            \
     (UINT)(wNotifyCode),                                                                    \
     0,                                                                                      \
     0,                                                                                      \
     [](CCmdTarget* t_, WPARAM, LPARAM lParam, LRESULT* result) -> BOOL {                    \
         (static_cast<ThisClass*>(t_)->memberFxn)(reinterpret_cast<NMHDR*>(lParam), result); \
         return TRUE;                                                                        \
     },                                                                                      \
     nullptr},
#define ON_NOTIFY_REFLECT_EX(wNotifyCode, memberFxn)                                                \
    {WM_REFLECT_BASE + WM_NOTIFY,                                                                   \
     (UINT)(wNotifyCode),                                                                           \
     0,                                                                                             \
     0,                                                                                             \
     [](CCmdTarget* t_, WPARAM, LPARAM lParam, LRESULT* result) -> BOOL {                           \
         return (static_cast<ThisClass*>(t_)->memberFxn)(reinterpret_cast<NMHDR*>(lParam), result); \
     },                                                                                             \
     nullptr},
#define ON_BN_CLICKED_REFLECT(memberFxn) ON_CONTROL_REFLECT(BN_CLICKED, memberFxn)
#define ON_CBN_SELCHANGE_REFLECT(memberFxn) ON_CONTROL_REFLECT(CBN_SELCHANGE, memberFxn)
