// Mouse enter/leave tracking and the capture control.
#include "framework/controls/MouseTracking.h"

#include "framework/controls/Controls.h"

namespace {
TControl* MouseControl = nullptr;
TControl* CaptureControl = nullptr;
HWND TrackedWindow = nullptr;

void SetMouseControl(TControl* Control)
{
    if (Control == MouseControl) return;
    TControl* old = MouseControl;
    MouseControl = Control;
    if (old != nullptr) old->Perform(CM_MOUSELEAVE);
    // A leave handler may have moved the mouse control on already.
    if (Control != nullptr && MouseControl == Control) Control->Perform(CM_MOUSEENTER);
}
} // namespace

void MouseTrackingMove(TControl* Control)
{
    auto* windowed = dynamic_cast<TWinControl*>(Control);
    if (windowed == nullptr) windowed = Control->Parent();
    if (windowed != nullptr && windowed->HandleAllocated()) {
        HWND wnd = windowed->Handle();
        if (wnd != TrackedWindow) {
            // The system tracks one window per thread: a new one replaces the old.
            TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, wnd, 0};
            if (TrackMouseEvent(&track)) TrackedWindow = wnd;
        }
    }
    SetMouseControl(Control);
}

void MouseTrackingLeave(TWinControl* Window)
{
    if (Window->HandleAllocated() && TrackedWindow == Window->Handle()) TrackedWindow = nullptr;
    if (MouseControl == nullptr) return;
    bool inside = MouseControl == Window ||
                  (MouseControl->Parent() == Window && dynamic_cast<TWinControl*>(MouseControl) == nullptr);
    if (inside) SetMouseControl(nullptr);
}

void MouseTrackingForget(TControl* Control)
{
    if (MouseControl == Control) MouseControl = nullptr;
    if (CaptureControl == Control) CaptureControl = nullptr;
}

TControl* GetMouseControl() { return MouseControl; }

TControl* GetCaptureControl()
{
    TControl* result = FindControl(GetCapture());
    if (result != nullptr && CaptureControl != nullptr && CaptureControl->Parent() == result) result = CaptureControl;
    return result;
}

void SetCaptureControl(TControl* Control)
{
    ReleaseCapture();
    CaptureControl = nullptr;
    if (Control == nullptr) return;
    auto* windowed = dynamic_cast<TWinControl*>(Control);
    if (windowed == nullptr) {
        if (Control->Parent() == nullptr) return;
        CaptureControl = Control;
        windowed = Control->Parent();
    }
    SetCapture(windowed->Handle());
}
