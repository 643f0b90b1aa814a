// Point, size and rectangle classes over the POINT, SIZE and RECT records, with the class library's semantics.
#pragma once

#include "kernel/windef.h"

class CSize;
class CRect;

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int initX, int initY) : POINT{initX, initY} {}
    CPoint(POINT p) : POINT(p) {}
    CPoint(SIZE s) : POINT{s.cx, s.cy} {}
    explicit CPoint(DWORD packed) : POINT{(SHORT)LOWORD(packed), (SHORT)HIWORD(packed)} {}

    void Offset(int dx, int dy)
    {
        x += dx;
        y += dy;
    }
    void Offset(POINT p)
    {
        x += p.x;
        y += p.y;
    }
    void Offset(SIZE s)
    {
        x += s.cx;
        y += s.cy;
    }
    void SetPoint(int X, int Y)
    {
        x = X;
        y = Y;
    }

    bool operator==(POINT p) const { return x == p.x && y == p.y; }
    bool operator!=(POINT p) const { return !(*this == p); }
    void operator+=(SIZE s)
    {
        x += s.cx;
        y += s.cy;
    }
    void operator-=(SIZE s)
    {
        x -= s.cx;
        y -= s.cy;
    }
    void operator+=(POINT p)
    {
        x += p.x;
        y += p.y;
    }
    void operator-=(POINT p)
    {
        x -= p.x;
        y -= p.y;
    }
    inline CPoint operator+(SIZE s) const;
    inline CPoint operator-(SIZE s) const;
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
    inline CSize operator-(POINT p) const;
    inline CRect operator+(const RECT* r) const;
    inline CRect operator-(const RECT* r) const;
};

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int initCX, int initCY) : SIZE{initCX, initCY} {}
    CSize(SIZE s) : SIZE(s) {}
    CSize(POINT p) : SIZE{p.x, p.y} {}
    explicit CSize(DWORD packed) : SIZE{(SHORT)LOWORD(packed), (SHORT)HIWORD(packed)} {}

    void SetSize(int CX, int CY)
    {
        cx = CX;
        cy = CY;
    }
    bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const { return !(*this == s); }
    void operator+=(SIZE s)
    {
        cx += s.cx;
        cy += s.cy;
    }
    void operator-=(SIZE s)
    {
        cx -= s.cx;
        cy -= s.cy;
    }
    CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CPoint operator+(POINT p) const { return CPoint(cx + p.x, cy + p.y); }
    CPoint operator-(POINT p) const { return CPoint(cx - p.x, cy - p.y); }
    inline CRect operator+(const RECT* r) const;
    inline CRect operator-(const RECT* r) const;
};

class CRect : public RECT {
public:
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& r) : RECT(r) {}
    CRect(const RECT* r) : RECT(*r) {}
    CRect(POINT p, SIZE s) : RECT{p.x, p.y, p.x + s.cx, p.y + s.cy} {}
    CRect(POINT topLeft, POINT bottomRight) : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(right - left, bottom - top); }
    // The corners alias the record's fields, as callers write through them.
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(this); }
    CPoint& BottomRight() { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(this); }
    const CPoint& BottomRight() const { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    void SwapLeftRight()
    {
        LONG t = left;
        left = right;
        right = t;
    }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    bool IsRectEmpty() const { return left >= right || top >= bottom; }
    bool IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    bool PtInRect(POINT p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }

    void SetRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    void SetRect(POINT tl, POINT br) { SetRect(tl.x, tl.y, br.x, br.y); }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT src) { *static_cast<RECT*>(this) = *src; }
    bool EqualRect(LPCRECT r) const
    {
        return left == r->left && top == r->top && right == r->right && bottom == r->bottom;
    }

    void InflateRect(int x, int y)
    {
        left -= x;
        top -= y;
        right += x;
        bottom += y;
    }
    void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
    void InflateRect(LPCRECT r)
    {
        left -= r->left;
        top -= r->top;
        right += r->right;
        bottom += r->bottom;
    }
    void InflateRect(int l, int t, int r, int b)
    {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void DeflateRect(int x, int y) { InflateRect(-x, -y); }
    void DeflateRect(SIZE s) { InflateRect(-s.cx, -s.cy); }
    void DeflateRect(LPCRECT r)
    {
        left += r->left;
        top += r->top;
        right -= r->right;
        bottom -= r->bottom;
    }
    void DeflateRect(int l, int t, int r, int b)
    {
        left += l;
        top += t;
        right -= r;
        bottom -= b;
    }

    void OffsetRect(int x, int y)
    {
        left += x;
        right += x;
        top += y;
        bottom += y;
    }
    void OffsetRect(POINT p) { OffsetRect(p.x, p.y); }
    void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
    void MoveToX(int x)
    {
        right = Width() + x;
        left = x;
    }
    void MoveToY(int y)
    {
        bottom = Height() + y;
        top = y;
    }
    void MoveToXY(int x, int y)
    {
        MoveToX(x);
        MoveToY(y);
    }
    void MoveToXY(POINT p) { MoveToXY(p.x, p.y); }

    void NormalizeRect()
    {
        if (left > right)
            SwapLeftRight();
        if (top > bottom) {
            LONG t = top;
            top = bottom;
            bottom = t;
        }
    }

    // Empty results become the null rectangle, as the system's rectangle functions do.
    bool IntersectRect(LPCRECT a, LPCRECT b)
    {
        CRect r(a->left > b->left ? a->left : b->left, a->top > b->top ? a->top : b->top,
                a->right < b->right ? a->right : b->right, a->bottom < b->bottom ? a->bottom : b->bottom);
        if (r.IsRectEmpty() || CRect(a).IsRectEmpty() || CRect(b).IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = r;
        return true;
    }
    bool UnionRect(LPCRECT a, LPCRECT b)
    {
        CRect ra(a), rb(b);
        if (ra.IsRectEmpty()) {
            if (rb.IsRectEmpty()) {
                SetRectEmpty();
                return false;
            }
            *this = rb;
            return true;
        }
        if (rb.IsRectEmpty()) {
            *this = ra;
            return true;
        }
        SetRect(ra.left < rb.left ? ra.left : rb.left, ra.top < rb.top ? ra.top : rb.top,
                ra.right > rb.right ? ra.right : rb.right, ra.bottom > rb.bottom ? ra.bottom : rb.bottom);
        return true;
    }
    // Keeps the part of a that b does not cover when b cuts a whole side off; otherwise a.
    bool SubtractRect(LPCRECT a, LPCRECT b)
    {
        CRect r(a), cut;
        if (r.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        if (cut.IntersectRect(a, b)) {
            if (cut.top == r.top && cut.bottom == r.bottom) {
                if (cut.left == r.left)
                    r.left = cut.right;
                else if (cut.right == r.right)
                    r.right = cut.left;
            } else if (cut.left == r.left && cut.right == r.right) {
                if (cut.top == r.top)
                    r.top = cut.bottom;
                else if (cut.bottom == r.bottom)
                    r.bottom = cut.top;
            }
        }
        if (r.IsRectEmpty()) {
            SetRectEmpty();
            return false;
        }
        *this = r;
        return true;
    }

    CRect& operator=(const RECT& r)
    {
        *static_cast<RECT*>(this) = r;
        return *this;
    }
    bool operator==(const RECT& r) const { return EqualRect(&r); }
    bool operator!=(const RECT& r) const { return !EqualRect(&r); }
    void operator+=(POINT p) { OffsetRect(p); }
    void operator+=(SIZE s) { OffsetRect(s); }
    void operator+=(LPCRECT r) { InflateRect(r); }
    void operator-=(POINT p) { OffsetRect(-p.x, -p.y); }
    void operator-=(SIZE s) { OffsetRect(-s.cx, -s.cy); }
    void operator-=(LPCRECT r) { DeflateRect(r); }
    void operator&=(const RECT& r) { IntersectRect(this, &r); }
    void operator|=(const RECT& r) { UnionRect(this, &r); }
    CRect operator+(POINT p) const
    {
        CRect r(*this);
        r.OffsetRect(p);
        return r;
    }
    CRect operator-(POINT p) const
    {
        CRect r(*this);
        r.OffsetRect(-p.x, -p.y);
        return r;
    }
    CRect operator+(SIZE s) const
    {
        CRect r(*this);
        r.OffsetRect(s);
        return r;
    }
    CRect operator-(SIZE s) const
    {
        CRect r(*this);
        r.OffsetRect(-s.cx, -s.cy);
        return r;
    }
    CRect operator+(LPCRECT x) const
    {
        CRect r(*this);
        r.InflateRect(x);
        return r;
    }
    CRect operator-(LPCRECT x) const
    {
        CRect r(*this);
        r.DeflateRect(x);
        return r;
    }
    CRect operator&(const RECT& x) const
    {
        CRect r;
        r.IntersectRect(this, &x);
        return r;
    }
    CRect operator|(const RECT& x) const
    {
        CRect r;
        r.UnionRect(this, &x);
        return r;
    }
};

inline CPoint CPoint::operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
inline CPoint CPoint::operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
inline CSize CPoint::operator-(POINT p) const { return CSize(x - p.x, y - p.y); }
inline CRect CPoint::operator+(const RECT* r) const
{
    CRect c(r);
    c.OffsetRect(x, y);
    return c;
}
inline CRect CPoint::operator-(const RECT* r) const
{
    CRect c(r);
    c.OffsetRect(-x, -y);
    return c;
}
inline CRect CSize::operator+(const RECT* r) const
{
    CRect c(r);
    c.OffsetRect(cx, cy);
    return c;
}
inline CRect CSize::operator-(const RECT* r) const
{
    CRect c(r);
    c.OffsetRect(-cx, -cy);
    return c;
}

// Free rectangle functions with the system's signatures.
inline BOOL SetRect(LPRECT r, int l, int t, int rr, int b)
{
    if (!r)
        return FALSE;
    *r = RECT{l, t, rr, b};
    return TRUE;
}
inline BOOL SetRectEmpty(LPRECT r) { return SetRect(r, 0, 0, 0, 0); }
inline BOOL CopyRect(LPRECT d, const RECT* s)
{
    if (!d || !s)
        return FALSE;
    *d = *s;
    return TRUE;
}
inline BOOL IsRectEmpty(const RECT* r) { return !r || r->left >= r->right || r->top >= r->bottom; }
inline BOOL PtInRect(const RECT* r, POINT p) { return r && CRect(r).PtInRect(p); }
inline BOOL OffsetRect(LPRECT r, int dx, int dy)
{
    if (!r)
        return FALSE;
    static_cast<CRect*>(r)->OffsetRect(dx, dy);
    return TRUE;
}
inline BOOL InflateRect(LPRECT r, int dx, int dy)
{
    if (!r)
        return FALSE;
    static_cast<CRect*>(r)->InflateRect(dx, dy);
    return TRUE;
}
inline BOOL EqualRect(const RECT* a, const RECT* b) { return a && b && CRect(a).EqualRect(b); }
inline BOOL IntersectRect(LPRECT d, const RECT* a, const RECT* b)
{
    if (!d || !a || !b)
        return FALSE;
    CRect r;
    BOOL ok = r.IntersectRect(a, b);
    *d = r;
    return ok;
}
inline BOOL UnionRect(LPRECT d, const RECT* a, const RECT* b)
{
    if (!d || !a || !b)
        return FALSE;
    CRect r;
    BOOL ok = r.UnionRect(a, b);
    *d = r;
    return ok;
}
inline BOOL SubtractRect(LPRECT d, const RECT* a, const RECT* b)
{
    if (!d || !a || !b)
        return FALSE;
    CRect r;
    BOOL ok = r.SubtractRect(a, b);
    *d = r;
    return ok;
}
