// The scroll-bar control as the window layer draws it: arrow buttons at both ends, a trough and a thumb.
#pragma once

#include <functional>

#include "ui/wx_windows.h"

// Unlike the toolkit's bar it gives line and page steps whatever its range (a bar used only for its arrows has
// none): from its arrow buttons and the trough beside the thumb, held down to repeat, from the wheel and from
// the arrow, page, Home and End keys. Each step is handed to `send` as a scroll code and a position.
class StepScrollBar : public wxControl {
public:
    using Sender = std::function<void(int code, int pos)>;
    StepScrollBar(wxWindow* parent, const wxRect& rect, bool vertical, const SCROLLINFO* info, Sender send);
    bool AcceptsFocus() const override { return true; }
    // The thumb's position while it is dragged, else the bar's position.
    int TrackPosition() const { return dragging_ ? trackPos_ : info_->nPos; }

private:
    enum Part { kNone, kLineUp, kPageUp, kThumb, kPageDown, kLineDown };
    int Length() const;
    int Arrow() const;
    bool HasThumb() const;
    void ThumbSpan(int& start, int& length) const;
    Part PartAt(const wxPoint& p) const;
    int Along(const wxPoint& p) const { return vertical_ ? p.y : p.x; }
    int PositionAt(int along) const;
    void Step(Part part);
    void OnPaint(wxPaintEvent&);
    void OnLeftDown(wxMouseEvent& e);
    void OnMotion(wxMouseEvent& e);
    void TrackTo(int along);
    void OnLeftUp(wxMouseEvent& e);
    void OnWheel(wxMouseEvent& e);
    void OnKeyDown(wxKeyEvent& e);
    void OnKeyUp(wxKeyEvent& e);
    void OnRepeat(wxTimerEvent&);
    void EndSteps();

    bool vertical_;
    const SCROLLINFO* info_;
    Sender send_;
    wxTimer repeat_;
    Part held_ = kNone;
    bool dragging_ = false;
    int grab_ = 0;  // where in the thumb the drag took it
    int trackPos_ = 0;
    bool keyStepped_ = false;
};
