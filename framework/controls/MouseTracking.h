#pragma once
// Which control the mouse is over and which one holds the capture, shared by every control:
// the enter/leave tracking sends CM_MOUSELEAVE to the control the mouse left and CM_MOUSEENTER
// to the one it entered, whatever mix of windowed and graphic controls they are.
class TControl;
class TWinControl;

// A mouse move reached Control (a windowed control, or a graphic one through its parent).
void MouseTrackingMove(TControl* Control);
// Window's WM_MOUSELEAVE: the mouse left its client area.
void MouseTrackingLeave(TWinControl* Window);
// Control is going away: forget it without sending anything.
void MouseTrackingForget(TControl* Control);
