// TWinControl's painting: WM_PAINT (optionally double buffered), the window's own painting and
// then its graphic children in z-order, PaintTo into any DC, background erasing (own brush or
// the parent's background), and the non-client border and bevels.
#include <optional>

#include "framework/controls/Controls.h"
#include "framework/controls/DoubleBuffer.h"
#include "framework/controls/Forms.h"
#include "framework/graphics/DrawingGuards.h"
#include "framework/system/ScopeGuards.h"

void TWinControl::WMPaint(TMessage& Message)
{
    if (!FDoubleBuffered || Message.WParam != 0) {
        if (!FControlState.Contains(csCustomPaint) && FControls.empty())
            DefaultHandler(Message);
        else
            PaintHandler(Message);
        return;
    }
    TRect client = ClientRect();
    TMemoryDC buffer(client.right, client.bottom);
    TPaintGuard paint(FHandle);
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer.DC()), reinterpret_cast<LPARAM>(buffer.DC()));
    Message.WParam = reinterpret_cast<WPARAM>(buffer.DC());
    WMPaint(Message);
    Message.WParam = 0;
    BitBlt(paint.DC(), 0, 0, client.right, client.bottom, buffer.DC(), 0, 0, SRCCOPY);
}

void TWinControl::CustomPaintHandler(TMessage& Message)
{
    TFlagGuard customPaint(FControlState, csCustomPaint);
    TWinControl::WMPaint(Message);
}

void TWinControl::PaintHandler(TMessage& Message)
{
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    std::optional<TPaintGuard> paint;
    if (dc == nullptr) {
        paint.emplace(FHandle);
        dc = paint->DC();
    }
    if (FControls.empty()) {
        PaintWindow(dc);
    } else {
        // Opaque graphic children paint every pixel of theirs: leave them out of the window's paint.
        TSavedDC saved(dc);
        int clip = SIMPLEREGION;
        for (TControl* control : FControls) {
            bool shown = control->Visible() || (control->ComponentState().Contains(csDesigning) &&
                                                !control->ControlStyle().Contains(csNoDesignVisible));
            if (shown && control->ControlStyle().Contains(csOpaque)) {
                clip = ExcludeClipRect(dc, control->Left(), control->Top(), control->Left() + control->Width(),
                                       control->Top() + control->Height());
                if (clip == NULLREGION) break;
            }
        }
        if (clip != NULLREGION) PaintWindow(dc);
    }
    PaintControls(dc, nullptr);
}

void TWinControl::PaintWindow(HDC DC)
{
    TMessage message;
    message.Msg = WM_PAINT;
    message.WParam = reinterpret_cast<WPARAM>(DC);
    DefaultHandler(message);
}

void TWinControl::PaintControls(HDC DC, TControl* First)
{
    size_t start = 0;
    if (First != nullptr) {
        auto it = std::find(FControls.begin(), FControls.end(), First);
        if (it != FControls.end()) start = static_cast<size_t>(it - FControls.begin());
    }
    for (size_t i = start; i < FControls.size(); ++i) {
        TControl* control = FControls[i];
        bool shown = control->Visible() || (control->ComponentState().Contains(csDesigning) &&
                                            !control->ControlStyle().Contains(csNoDesignVisible));
        TRect bounds = control->BoundsRect();
        if (!shown || !RectVisible(DC, &bounds)) continue;
        // The child's copy flag goes whether or not this paint set it; the DC comes back first.
        if (FControlState.Contains(csPaintCopy)) control->FControlState.Include(csPaintCopy);
        TScopeExit paintCopy([control] { control->FControlState.Exclude(csPaintCopy); });
        TSavedDC saved(DC);
        POINT origin;
        GetWindowOrgEx(DC, &origin);
        SetWindowOrgEx(DC, origin.x - control->Left(), origin.y - control->Top(), nullptr);
        IntersectClipRect(DC, 0, 0, control->Width(), control->Height());
        control->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    }
    // Framed windowed children get the classic sunken line around them.
    for (TWinControl* child : FWinControls) {
        if (!child->FCtl3D || !child->FControlStyle.Contains(csFramed) || !child->Visible()) continue;
        HBRUSH shadow = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnShadow)));
        RECT r{child->Left() - 1, child->Top() - 1, child->Left() + child->Width(), child->Top() + child->Height()};
        FrameRect(DC, &r, shadow);
        DeleteObject(shadow);
        HBRUSH light = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(clBtnHighlight)));
        r = RECT{child->Left(), child->Top(), child->Left() + child->Width() + 1, child->Top() + child->Height() + 1};
        FrameRect(DC, &r, light);
        DeleteObject(light);
    }
}

void TWinControl::PaintTo(HDC DC, int X, int Y)
{
    HWND wnd = Handle();
    // The DC comes back before the flag goes.
    TFlagGuard paintCopy(FControlState, csPaintCopy);
    TSavedDC saved(DC);
    POINT origin;
    GetWindowOrgEx(DC, &origin);
    SetWindowOrgEx(DC, origin.x - X, origin.y - Y, nullptr);
    IntersectClipRect(DC, 0, 0, FWidth, FHeight);
    // The non-client part: a client edge or a plain border, then the client area inside it.
    UINT edge = 0, flags = 0;
    if (GetWindowLongW(wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
        edge = EDGE_SUNKEN;
        flags = BF_RECT | BF_ADJUST;
    } else if (GetWindowLongW(wnd, GWL_STYLE) & WS_BORDER) {
        edge = BDR_OUTER;
        flags = BF_RECT | BF_ADJUST | BF_MONO;
    }
    RECT window;
    GetWindowRect(wnd, &window);
    POINT clientOrigin{0, 0};
    ::ClientToScreen(wnd, &clientOrigin);
    int dx = clientOrigin.x - window.left, dy = clientOrigin.y - window.top;
    if (flags != 0) {
        RECT r{0, 0, FWidth, FHeight};
        DrawEdge(DC, &r, edge, flags);
    }
    if (dx != 0 || dy != 0) {
        RECT client;
        ::GetClientRect(wnd, &client);
        GetWindowOrgEx(DC, &origin);
        SetWindowOrgEx(DC, origin.x - dx, origin.y - dy, nullptr);
        IntersectClipRect(DC, 0, 0, client.right, client.bottom);
    }
    Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), 0);
    Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    for (TWinControl* child : FWinControls)
        if (child->Visible()) child->PaintTo(DC, child->Left(), child->Top());
}

void TWinControl::DrawParentBackground(HDC DC)
{
    if (FParent == nullptr) return;
    TPoint offset{FLeft, FTop};
    if (FHandle != nullptr && FParent->HandleAllocated()) {
        POINT p{0, 0};
        MapWindowPoints(FHandle, FParent->FHandle, &p, 1);
        offset = p;
    }
    TSavedDC saved(DC);
    POINT origin;
    GetWindowOrgEx(DC, &origin);
    SetWindowOrgEx(DC, origin.x + offset.x, origin.y + offset.y, nullptr);
    FParent->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(DC), reinterpret_cast<LPARAM>(DC));
    FParent->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(DC), PRF_CLIENT);
}

void TWinControl::WMEraseBkgnd(TMessage& Message)
{
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (FParent != nullptr && FControlStyle.Contains(csParentBackground)) {
        DrawParentBackground(dc);
    } else if (!FDoubleBuffered || Message.WParam == static_cast<WPARAM>(Message.LParam)) {
        TRect client = ClientRect();
        FillRect(dc, &client, FBrush->Handle());
    }
    Message.Result = 1;
}

void TWinControl::WMPrintClient(TMessage& Message)
{
    if (Message.Result == 1) {
        DefaultHandler(Message);
        return;
    }
    if ((Message.LParam & PRF_CHECKVISIBLE) != 0 && !Visible()) {
        DefaultHandler(Message);
        return;
    }
    TSavedDC saved(reinterpret_cast<HDC>(Message.WParam));
    TMessage paint;
    paint.Msg = WM_PAINT;
    paint.WParam = Message.WParam;
    PaintHandler(paint);
}

// ---- Border and bevels in the non-client area ----------------------------------------------

namespace {
int BevelEdgeSize(TBevelCut Inner, TBevelCut Outer, int Width)
{
    int size = 0;
    if (Inner != bvNone) size += Width;
    if (Outer != bvNone) size += Width;
    return size;
}
} // namespace

void TWinControl::WMNCCalcSize(TMessage& Message)
{
    DefaultHandler(Message);
    auto* rect = reinterpret_cast<RECT*>(Message.LParam);
    if (rect == nullptr) return;
    InflateRect(rect, -FBorderWidth, -FBorderWidth);
    if (FBevelKind != bkNone) {
        int edge = BevelEdgeSize(FBevelInner, FBevelOuter, FBevelWidth);
        if (FBevelEdges.Contains(beLeft)) rect->left += edge;
        if (FBevelEdges.Contains(beTop)) rect->top += edge;
        if (FBevelEdges.Contains(beRight)) rect->right -= edge;
        if (FBevelEdges.Contains(beBottom)) rect->bottom -= edge;
    }
}

void TWinControl::WMNCPaint(TMessage& Message)
{
    if (FHandle != nullptr && (FBevelKind != bkNone || FBorderWidth > 0)) {
        TWindowDCGuard windowDC(FHandle, TWindowDCGuard::WholeWindow);
        HDC dc = windowDC.DC();
        RECT client, window;
        ::GetClientRect(FHandle, &client);
        GetWindowRect(FHandle, &window);
        MapWindowPoints(HWND_DESKTOP, FHandle, reinterpret_cast<POINT*>(&window), 2);
        OffsetRect(&client, -window.left, -window.top);
        ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        RECT saved = window;
        InflateRect(&client, FBorderWidth, FBorderWidth);
        window = client;
        if (FBevelKind != bkNone) {
            int edge = BevelEdgeSize(FBevelInner, FBevelOuter, FBevelWidth);
            LONG style = GetWindowLongW(FHandle, GWL_STYLE);
            if (FBevelEdges.Contains(beLeft)) window.left -= edge;
            if (FBevelEdges.Contains(beTop)) window.top -= edge;
            if (FBevelEdges.Contains(beRight)) window.right += edge;
            if (style & WS_VSCROLL) window.right += GetSystemMetrics(SM_CYVSCROLL);
            if (FBevelEdges.Contains(beBottom)) window.bottom += edge;
            if (style & WS_HSCROLL) window.bottom += GetSystemMetrics(SM_CXHSCROLL);
            static const UINT inner[] = {0, BDR_SUNKENINNER, BDR_RAISEDINNER, 0};
            static const UINT outer[] = {0, BDR_SUNKENOUTER, BDR_RAISEDOUTER, 0};
            static const UINT kind[] = {0, 0, BF_SOFT, BF_FLAT};
            UINT edges = (FBevelEdges.Contains(beLeft) ? BF_LEFT : 0) | (FBevelEdges.Contains(beTop) ? BF_TOP : 0) |
                         (FBevelEdges.Contains(beRight) ? BF_RIGHT : 0) | (FBevelEdges.Contains(beBottom) ? BF_BOTTOM : 0);
            DrawEdge(dc, &window, inner[FBevelInner] | outer[FBevelOuter],
                     edges | kind[FBevelKind] | (FCtl3D ? 0 : BF_MONO) | BF_ADJUST);
        }
        IntersectClipRect(dc, window.left, window.top, window.right, window.bottom);
        window = saved;
        OffsetRect(&window, -window.left, -window.top);
        FillRect(dc, &window, FBrush->Handle());
    }
    DefaultHandler(Message);
}

void TWinControl::SetBorderWidth(int Value)
{
    if (FBorderWidth == Value) return;
    FBorderWidth = Value;
    Perform(CM_BORDERCHANGED);
}

void TWinControl::SetBevelInner(TBevelCut Value)
{
    if (FBevelInner == Value) return;
    FBevelInner = Value;
    Perform(CM_BORDERCHANGED);
}

void TWinControl::SetBevelOuter(TBevelCut Value)
{
    if (FBevelOuter == Value) return;
    FBevelOuter = Value;
    Perform(CM_BORDERCHANGED);
}

void TWinControl::SetBevelKind(TBevelKind Value)
{
    if (FBevelKind == Value) return;
    FBevelKind = Value;
    Perform(CM_BORDERCHANGED);
}

void TWinControl::SetBevelWidth(int Value)
{
    if (FBevelWidth == Value || Value < 1) return;
    FBevelWidth = Value;
    Perform(CM_BORDERCHANGED);
}

void TWinControl::SetBevelEdges(TBevelEdges Value)
{
    if (FBevelEdges == Value) return;
    FBevelEdges = Value;
    Perform(CM_BORDERCHANGED);
}

void TWinControl::SetParentBackground(bool Value)
{
    if (ParentBackground() == Value) return;
    if (Value)
        FControlStyle.Include(csParentBackground);
    else
        FControlStyle.Exclude(csParentBackground);
    Invalidate();
}

// ---- Invalidation --------------------------------------------------------------------------

void TWinControl::Invalidate() { Perform(CM_INVALIDATE); }

void TWinControl::CMInvalidate(TMessage& Message)
{
    if (FHandle == nullptr) return;
    // Parents hear of it (WParam 1) so that whoever paints a cache of them can drop it.
    if (FParent != nullptr) FParent->Perform(CM_INVALIDATE, 1, 0);
    if (Message.WParam == 0) {
        InvalidateRect(FHandle, nullptr, !FControlStyle.Contains(csOpaque));
        for (int i = 0; i < ControlCount(); ++i)
            if (Controls(i)->ControlStyle().Contains(csParentBackground)) Controls(i)->Invalidate();
    }
}

void TWinControl::Repaint()
{
    Invalidate();
    Update();
}

void TWinControl::Update()
{
    if (FHandle != nullptr) UpdateWindow(FHandle);
}
