// StepScrollBar: the scroll-bar control drawn by the window layer, with its steps from mouse, wheel and keys.
#include "ui/step_scroll_bar.h"

#include <wx/dcbuffer.h>

namespace {

constexpr int kFirstRepeatMs = 350;
constexpr int kRepeatMs = 60;
constexpr int kDragPollMs = 30;
constexpr int kMinThumb = 8;

}  // namespace

StepScrollBar::StepScrollBar(wxWindow* parent, const wxRect& rect, bool vertical, const SCROLLINFO* info, Sender send)
    : wxControl(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), wxBORDER_NONE | wxWANTS_CHARS),
      vertical_(vertical),
      info_(info),
      send_(std::move(send)),
      repeat_(this)
{
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &StepScrollBar::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &StepScrollBar::OnLeftDown, this);
    Bind(wxEVT_LEFT_DCLICK, &StepScrollBar::OnLeftDown, this);
    Bind(wxEVT_MOTION, &StepScrollBar::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &StepScrollBar::OnLeftUp, this);
    Bind(wxEVT_MOUSEWHEEL, &StepScrollBar::OnWheel, this);
    Bind(wxEVT_KEY_DOWN, &StepScrollBar::OnKeyDown, this);
    Bind(wxEVT_KEY_UP, &StepScrollBar::OnKeyUp, this);
    Bind(wxEVT_TIMER, &StepScrollBar::OnRepeat, this);
}

int StepScrollBar::Length() const
{
    const wxSize size = GetClientSize();
    return vertical_ ? size.y : size.x;
}

int StepScrollBar::Arrow() const
{
    const wxSize size = GetClientSize();
    return std::min(vertical_ ? size.x : size.y, Length() / 2);
}

bool StepScrollBar::HasThumb() const
{
    const int span = info_->nMax - info_->nMin;
    return span > 0 && (int)info_->nPage <= span && Length() - 2 * Arrow() >= kMinThumb;
}

void StepScrollBar::ThumbSpan(int& start, int& length) const
{
    const int trough = Length() - 2 * Arrow();
    const int span = info_->nMax - info_->nMin + 1;
    length = info_->nPage ? trough * (int)info_->nPage / span : Arrow();
    length = std::clamp(length, kMinThumb, trough);
    const int last = info_->nMax - std::max<int>((int)info_->nPage - 1, 0);
    const int pos = dragging_ ? trackPos_ : info_->nPos;
    const int room = trough - length;
    start = Arrow() + (last > info_->nMin ? room * (pos - info_->nMin) / (last - info_->nMin) : 0);
}

StepScrollBar::Part StepScrollBar::PartAt(const wxPoint& p) const
{
    const int at = Along(p);
    if (at < Arrow())
        return kLineUp;
    if (at >= Length() - Arrow())
        return kLineDown;
    if (!HasThumb())
        return kNone;
    int start = 0, length = 0;
    ThumbSpan(start, length);
    return at < start ? kPageUp : at >= start + length ? kPageDown : kThumb;
}

int StepScrollBar::PositionAt(int along) const
{
    int start = 0, length = 0;
    ThumbSpan(start, length);
    const int room = Length() - 2 * Arrow() - length;
    const int last = info_->nMax - std::max<int>((int)info_->nPage - 1, 0);
    if (room <= 0)
        return info_->nMin;
    const int offset = std::clamp(along - grab_ - Arrow(), 0, room);
    return info_->nMin + (offset * (last - info_->nMin) + room / 2) / room;
}

void StepScrollBar::Step(Part part)
{
    int code = -1;
    switch (part) {
    case kLineUp: code = SB_LINEUP; break;
    case kLineDown: code = SB_LINEDOWN; break;
    case kPageUp: code = SB_PAGEUP; break;
    case kPageDown: code = SB_PAGEDOWN; break;
    default: return;
    }
    // The trough steps only while the thumb has not yet reached the pointer.
    if ((part == kPageUp || part == kPageDown) && HasThumb()) {
        const wxPoint pointer = ScreenToClient(wxGetMousePosition());
        if (PartAt(pointer) != part)
            return;
    }
    send_(code, info_->nPos);
}

void StepScrollBar::OnLeftDown(wxMouseEvent& e)
{
    SetFocus();
    held_ = PartAt(e.GetPosition());
    if (held_ == kNone)
        return;
    if (held_ == kThumb) {
        int start = 0, length = 0;
        ThumbSpan(start, length);
        grab_ = Along(e.GetPosition()) - start;
        trackPos_ = info_->nPos;
        dragging_ = true;
        // The thumb follows the pointer on the timer too: the toolkit may send no moves while the button is held.
        repeat_.Start(kDragPollMs);
        return;
    }
    Step(held_);
    repeat_.StartOnce(kFirstRepeatMs);
}

void StepScrollBar::OnRepeat(wxTimerEvent&)
{
    if (dragging_) {
        TrackTo(Along(ScreenToClient(wxGetMousePosition())));
        return;
    }
    if (held_ == kNone)
        return;
    Step(held_);
    repeat_.StartOnce(kRepeatMs);
}

void StepScrollBar::OnMotion(wxMouseEvent& e)
{
    if (dragging_)
        TrackTo(Along(e.GetPosition()));
}

void StepScrollBar::TrackTo(int along)
{
    const int pos = PositionAt(along);
    if (pos == trackPos_)
        return;
    trackPos_ = pos;
    Refresh();
    send_(SB_THUMBTRACK, pos);
}

void StepScrollBar::OnLeftUp(wxMouseEvent&) { EndSteps(); }

void StepScrollBar::EndSteps()
{
    repeat_.Stop();
    const Part was = held_;
    held_ = kNone;
    if (was == kNone)
        return;
    if (dragging_) {
        dragging_ = false;
        send_(SB_THUMBPOSITION, trackPos_);
    }
    send_(SB_ENDSCROLL, 0);
}

void StepScrollBar::OnWheel(wxMouseEvent& e)
{
    const int notches = e.GetWheelRotation() / std::max(1, e.GetWheelDelta());
    for (int i = 0; i < std::abs(notches); ++i)
        send_(notches > 0 ? SB_LINEUP : SB_LINEDOWN, info_->nPos);
    if (notches)
        send_(SB_ENDSCROLL, 0);
}

void StepScrollBar::OnKeyDown(wxKeyEvent& e)
{
    int code = -1;
    switch (e.GetKeyCode()) {
    case WXK_UP:
    case WXK_LEFT: code = SB_LINEUP; break;
    case WXK_DOWN:
    case WXK_RIGHT: code = SB_LINEDOWN; break;
    case WXK_PAGEUP: code = SB_PAGEUP; break;
    case WXK_PAGEDOWN: code = SB_PAGEDOWN; break;
    case WXK_HOME: code = SB_TOP; break;
    case WXK_END: code = SB_BOTTOM; break;
    default: e.Skip(); return;
    }
    keyStepped_ = true;
    send_(code, info_->nPos);
}

void StepScrollBar::OnKeyUp(wxKeyEvent& e)
{
    if (!keyStepped_) {
        e.Skip();
        return;
    }
    keyStepped_ = false;
    send_(SB_ENDSCROLL, 0);
}

void StepScrollBar::OnPaint(wxPaintEvent&)
{
    wxAutoBufferedPaintDC dc(this);
    const wxSize size = GetClientSize();
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    const wxColour shadow = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW);
    const wxColour text = wxSystemSettings::GetColour(IsEnabled() ? wxSYS_COLOUR_BTNTEXT : wxSYS_COLOUR_GRAYTEXT);
    dc.SetBackground(wxBrush(face.ChangeLightness(115)));
    dc.Clear();
    const int arrow = Arrow(), length = Length();
    auto box = [&](int start, int extent) {
        wxRect r = vertical_ ? wxRect(0, start, size.x, extent) : wxRect(start, 0, extent, size.y);
        dc.SetPen(wxPen(shadow));
        dc.SetBrush(wxBrush(face));
        dc.DrawRectangle(r);
        return r;
    };
    // The arrows point away from the bar's middle.
    auto triangle = [&](const wxRect& r, bool first) {
        const wxPoint c(r.x + r.width / 2, r.y + r.height / 2);
        const int h = std::max(2, std::min(r.width, r.height) / 4);
        const int side = first ? 1 : -1;
        wxPoint points[3];
        if (vertical_) {
            points[0] = wxPoint(c.x - h, c.y + side * h / 2);
            points[1] = wxPoint(c.x + h, c.y + side * h / 2);
            points[2] = wxPoint(c.x, c.y - side * h / 2);
        } else {
            points[0] = wxPoint(c.x + side * h / 2, c.y - h);
            points[1] = wxPoint(c.x + side * h / 2, c.y + h);
            points[2] = wxPoint(c.x - side * h / 2, c.y);
        }
        dc.SetPen(wxPen(text));
        dc.SetBrush(wxBrush(text));
        dc.DrawPolygon(3, points);
    };
    triangle(box(0, arrow), true);
    triangle(box(length - arrow, arrow), false);
    if (HasThumb()) {
        int start = 0, extent = 0;
        ThumbSpan(start, extent);
        box(start, extent);
    }
}
