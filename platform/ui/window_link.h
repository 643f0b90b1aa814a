// Internal: the link between a window handle and its class-library object, without toolkit types.
#pragma once

#include "ui/winuser.h"

class CWnd;

// The object attached to a window, or null.
CWnd* WindowObject(HWND hWnd);
// Attaches the object: its procedure then receives every message and passes the rest to the old one.
void LinkWindowObject(HWND hWnd, CWnd* wnd);
// Detaches the object and gives the window its old procedure back.
void UnlinkWindowObject(HWND hWnd);
// The procedure the attached object passes unhandled messages to.
WNDPROC SuperProcOf(HWND hWnd);
// Temporary wrappers made by CWnd::FromHandle are dropped with their window.
void ForgetTemporaryWindowObject(HWND hWnd);

// Hooks of window creation: the object creating a window on this thread is attached before WM_NCCREATE.
void AttachCreatingObject(HWND hWnd);
// The next window created on this thread is attached to this object.
void HookWindowCreate(CWnd* wnd);
bool ObjectPaintsItself(HWND hWnd);
LRESULT CALLBACK ObjectWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Runs every pre-translation from the window up to its top-level; true when one took the message.
bool PreTranslateWalk(MSG* msg);

struct DialogTemplate;
// Creates a dialog from its template (hidden unless the template says WS_VISIBLE), attaching the object
// when one is given, and runs WM_INITDIALOG with the parameter; null when the dialog cannot be made.
HWND CreateDialogFromTemplate(const DialogTemplate& t, HWND owner, CWnd* object, LPARAM param);

// How many window procedures of class-library objects are running on this thread.
int HandlerDepth();
