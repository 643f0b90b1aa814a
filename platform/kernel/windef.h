// Base Windows types, handles, geometry records and the font descriptor, sized as on 32-bit Windows.
#pragma once

#include <cstddef>
#include <cstdint>

typedef int BOOL;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

typedef unsigned char BYTE;
typedef uint16_t WORD;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uint32_t ULONG;
typedef int INT;
typedef unsigned int UINT;
typedef int16_t SHORT;
typedef uint16_t USHORT;
typedef char CHAR;
typedef unsigned char UCHAR;
typedef char TCHAR;
typedef float FLOAT;
typedef int64_t LONGLONG;
typedef uint64_t ULONGLONG;
typedef uint64_t DWORDLONG;
typedef uintptr_t UINT_PTR;
typedef intptr_t INT_PTR;
typedef intptr_t LONG_PTR;
typedef uintptr_t ULONG_PTR;
typedef uintptr_t DWORD_PTR;
typedef uintptr_t WPARAM;
typedef intptr_t LPARAM;
typedef intptr_t LRESULT;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef char* LPSTR;
typedef const char* LPCSTR;
typedef char* LPTSTR;
typedef const char* LPCTSTR;
typedef BYTE* LPBYTE;
typedef DWORD* LPDWORD;
typedef LONG* LPLONG;
typedef WORD* LPWORD;
typedef BOOL* LPBOOL;
typedef DWORD COLORREF;
typedef LONG HRESULT;

#define _T(x) x
#define TEXT(x) x
#define CALLBACK
#define WINAPI
#define APIENTRY
#define FAR
#define NEAR
#define CONST const
#define VOID void

#define MAX_PATH 260

#define MAKEWORD(a, b) ((WORD)(((BYTE)((a)&0xff)) | ((WORD)((BYTE)((b)&0xff))) << 8))
#define MAKELONG(a, b) ((LONG)(((WORD)((a)&0xffff)) | ((DWORD)((WORD)((b)&0xffff))) << 16))
#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define LOBYTE(w) ((BYTE)(((DWORD_PTR)(w)) & 0xff))
#define HIBYTE(w) ((BYTE)((((DWORD_PTR)(w)) >> 8) & 0xff))
#define MAKEWPARAM(l, h) ((WPARAM)(DWORD)MAKELONG(l, h))
#define MAKELPARAM(l, h) ((LPARAM)(DWORD)MAKELONG(l, h))
#define MAKELRESULT(l, h) ((LRESULT)(DWORD)MAKELONG(l, h))
#define GET_X_LPARAM(lp) ((int)(short)LOWORD(lp))
#define GET_Y_LPARAM(lp) ((int)(short)HIWORD(lp))
#define MAKEINTRESOURCE(i) ((LPSTR)((ULONG_PTR)((WORD)(i))))
#define IS_INTRESOURCE(r) ((((ULONG_PTR)(r)) >> 16) == 0)

// Colours keep red in the low byte.
#define RGB(r, g, b) ((COLORREF)(((BYTE)(r) | ((WORD)((BYTE)(g)) << 8)) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) (LOBYTE(rgb))
#define GetGValue(rgb) (LOBYTE(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) (LOBYTE((rgb) >> 16))
#define CLR_INVALID 0xFFFFFFFF

// Opaque handles: each kind is its own pointer type, as with STRICT.
#define DECLARE_KESTRIN_HANDLE(name) \
    struct name##__;                 \
    typedef struct name##__* name
DECLARE_KESTRIN_HANDLE(HWND);
DECLARE_KESTRIN_HANDLE(HINSTANCE);
DECLARE_KESTRIN_HANDLE(HDC);
DECLARE_KESTRIN_HANDLE(HBITMAP);
DECLARE_KESTRIN_HANDLE(HFONT);
DECLARE_KESTRIN_HANDLE(HPEN);
DECLARE_KESTRIN_HANDLE(HBRUSH);
DECLARE_KESTRIN_HANDLE(HRGN);
DECLARE_KESTRIN_HANDLE(HPALETTE);
DECLARE_KESTRIN_HANDLE(HMENU);
DECLARE_KESTRIN_HANDLE(HICON);
DECLARE_KESTRIN_HANDLE(HRSRC);
DECLARE_KESTRIN_HANDLE(HKEY);
DECLARE_KESTRIN_HANDLE(HMIDIOUT);
DECLARE_KESTRIN_HANDLE(HMIDIIN);
DECLARE_KESTRIN_HANDLE(HMMIO);
DECLARE_KESTRIN_HANDLE(HIMAGELIST);
DECLARE_KESTRIN_HANDLE(HDROP);
DECLARE_KESTRIN_HANDLE(HACCEL);
#undef DECLARE_KESTRIN_HANDLE
typedef HICON HCURSOR;
typedef HINSTANCE HMODULE;
typedef void* HANDLE;
typedef void* HGDIOBJ;
typedef void* HGLOBAL;
typedef HANDLE* LPHANDLE;
#define INVALID_HANDLE_VALUE ((HANDLE)(LONG_PTR)-1)

struct POINT {
    LONG x;
    LONG y;
};
typedef POINT* LPPOINT;

struct SIZE {
    LONG cx;
    LONG cy;
};
typedef SIZE* LPSIZE;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;

struct POINTS {
    SHORT x;
    SHORT y;
};

#define LF_FACESIZE 32

// Font descriptor: 5 LONGs, 8 BYTEs and the 32-byte face name = 60 bytes.
struct LOGFONTA {
    LONG lfHeight;
    LONG lfWidth;
    LONG lfEscapement;
    LONG lfOrientation;
    LONG lfWeight;
    BYTE lfItalic;
    BYTE lfUnderline;
    BYTE lfStrikeOut;
    BYTE lfCharSet;
    BYTE lfOutPrecision;
    BYTE lfClipPrecision;
    BYTE lfQuality;
    BYTE lfPitchAndFamily;
    CHAR lfFaceName[LF_FACESIZE];
};
typedef LOGFONTA LOGFONT;
typedef LOGFONTA* LPLOGFONTA;
typedef LOGFONTA* LPLOGFONT;
static_assert(sizeof(LOGFONTA) == 60, "LOGFONTA keeps its 60-byte layout");

struct FILETIME {
    DWORD dwLowDateTime;
    DWORD dwHighDateTime;
};

struct SYSTEMTIME {
    WORD wYear;
    WORD wMonth;
    WORD wDayOfWeek;
    WORD wDay;
    WORD wHour;
    WORD wMinute;
    WORD wSecond;
    WORD wMilliseconds;
};

union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
};
