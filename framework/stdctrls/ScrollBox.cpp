#include "framework/stdctrls/ScrollBox.h"

#include <algorithm>

#include "framework/stdctrls/StdCtrlsTypes.h"

// ---- TControlScrollBar -------------------------------------------------------------------

TControlScrollBar::TControlScrollBar(TScrollingWinControl* AControl, TScrollBarKind AKind)
    : FControl(AControl), FKind(AKind)
{
}

TPersistent* TControlScrollBar::GetOwner()
{
    return FControl;
}

void TControlScrollBar::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TControlScrollBar*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FIncrement = other->FIncrement;
    FMargin = other->FMargin;
    FTracking = other->FTracking;
    FVisible = other->FVisible;
    DoSetRange(other->FRange);
    SetPosition(other->FPosition);
}

void TControlScrollBar::SetMargin(int Value)
{
    if (FMargin == Value) return;
    FMargin = Value;
    if (FVisible) FControl->UpdateScrollBars();
}

void TControlScrollBar::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    FVisible = Value;
    FControl->ApplyScrollBars();
}

void TControlScrollBar::SetRange(int Value)
{
    // A range given explicitly is no longer computed from the children.
    FControl->FAutoScroll = false;
    DoSetRange(Value);
}

void TControlScrollBar::DoSetRange(int Value)
{
    if (Value < 0) Value = 0;
    if (FRange == Value) return;
    FRange = Value;
    FControl->ApplyScrollBars();
}

void TControlScrollBar::SetPosition(int Value)
{
    if (FControl->ComponentState().Contains(csLoading)) {
        FPosition = Value;
        return;
    }
    Value = std::clamp(Value, 0, std::max(0, FCalcRange));
    if (Value == FPosition) return;
    int delta = FPosition - Value;
    FPosition = Value;
    if (FKind == sbHorizontal)
        FControl->ScrollBy(delta, 0);
    else
        FControl->ScrollBy(0, delta);
    if (FControl->HandleAllocated()) SetScrollPos(FControl->Handle(), Bar(), Value, TRUE);
}

void TControlScrollBar::ScrollMessage(TMessage& Message)
{
    int page = FKind == sbHorizontal ? FControl->ClientWidth() : FControl->ClientHeight();
    int pos = FPosition;
    auto trackPos = [this] {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_TRACKPOS, 0, 0, 0, 0, 0};
        GetScrollInfo(FControl->Handle(), Bar(), &info);
        return info.nTrackPos;
    };
    switch (LOWORD(Message.WParam)) {
    case SB_LINEUP: pos -= FIncrement; break;
    case SB_LINEDOWN: pos += FIncrement; break;
    case SB_PAGEUP: pos -= page; break;
    case SB_PAGEDOWN: pos += page; break;
    case SB_THUMBPOSITION: pos = trackPos(); break;
    case SB_THUMBTRACK:
        if (FTracking) pos = trackPos();
        break;
    case SB_TOP: pos = 0; break;
    case SB_BOTTOM: pos = FCalcRange; break;
    default: break;
    }
    SetPosition(pos);
    Message.Result = 0;
}

// ---- TScrollingWinControl ----------------------------------------------------------------

TScrollingWinControl::TScrollingWinControl(TComponent* AOwner)
    : TWinControl(AOwner),
      FHorzScrollBar(std::make_unique<TControlScrollBar>(this, sbHorizontal)),
      FVertScrollBar(std::make_unique<TControlScrollBar>(this, sbVertical))
{
}

TScrollingWinControl::~TScrollingWinControl() = default;

void TScrollingWinControl::SetAutoScroll(bool Value)
{
    if (FAutoScroll == Value) return;
    FAutoScroll = Value;
    if (Value)
        CalcAutoRange();
    else {
        FHorzScrollBar->DoSetRange(0);
        FVertScrollBar->DoSetRange(0);
    }
}

void TScrollingWinControl::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN;
}

void TScrollingWinControl::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateScrollBars();
}

void TScrollingWinControl::CalcAutoRange()
{
    if (!FAutoScroll) return;
    if (!AutoScrollEnabled()) {
        FHorzScrollBar->DoSetRange(0);
        FVertScrollBar->DoSetRange(0);
        return;
    }
    int horz = 0, horzMargin = 0, vert = 0, vertMargin = 0;
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        if (!c->Visible()) continue;
        TAnchors anchors = c->Anchors();
        switch (c->Align()) {
        case alLeft: horz = std::max(horz, FHorzScrollBar->FPosition + c->Left() + c->Width()); break;
        case alRight: horzMargin += c->Width(); break;
        case alNone:
            if (anchors.Contains(akLeft) && !anchors.Contains(akRight))
                horz = std::max(horz, FHorzScrollBar->FPosition + c->Left() + c->Width());
            break;
        default: break;
        }
        switch (c->Align()) {
        case alTop: vert = std::max(vert, FVertScrollBar->FPosition + c->Top() + c->Height()); break;
        case alBottom: vertMargin += c->Height(); break;
        case alNone:
            if (anchors.Contains(akTop) && !anchors.Contains(akBottom))
                vert = std::max(vert, FVertScrollBar->FPosition + c->Top() + c->Height());
            break;
        default: break;
        }
    }
    ++FUpdatingScrollBars;
    FHorzScrollBar->DoSetRange(horz + horzMargin + FHorzScrollBar->FMargin);
    FVertScrollBar->DoSetRange(vert + vertMargin + FVertScrollBar->FMargin);
    --FUpdatingScrollBars;
    ApplyScrollBars();
}

void TScrollingWinControl::ApplyScrollBars()
{
    if (FUpdatingScrollBars != 0 || ComponentState().Contains(csLoading)) return;
    ++FUpdatingScrollBars;
    TControlScrollBar* bars[2] = {FHorzScrollBar.get(), FVertScrollBar.get()};
    int fullW, fullH;
    int cxV = GetSystemMetrics(SM_CXVSCROLL), cyH = GetSystemMetrics(SM_CYHSCROLL);
    if (HandleAllocated()) {
        RECT client;
        GetClientRect(Handle(), &client);
        LONG style = GetWindowLongW(Handle(), GWL_STYLE);
        fullW = client.right + ((style & WS_VSCROLL) != 0 ? cxV : 0);
        fullH = client.bottom + ((style & WS_HSCROLL) != 0 ? cyH : 0);
    } else {
        TRect client = ClientRect();
        fullW = client.right;
        fullH = client.bottom;
    }
    int hRange = FHorzScrollBar->FVisible ? FHorzScrollBar->FRange : 0;
    int vRange = FVertScrollBar->FVisible ? FVertScrollBar->FRange : 0;
    bool needH = hRange > fullW, needV = vRange > fullH;
    if (needH && !needV) needV = vRange > fullH - cyH;
    if (needV && !needH) needH = hRange > fullW - cxV;
    int pages[2] = {fullW - (needV ? cxV : 0), fullH - (needH ? cyH : 0)};
    bool needs[2] = {needH, needV};
    for (int i = 0; i < 2; ++i) {
        TControlScrollBar* bar = bars[i];
        bar->FCalcRange = needs[i] ? std::max(0, bar->FRange - pages[i]) : 0;
        bar->FShown = needs[i];
        if (HandleAllocated()) {
            SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 0, 0, 0, 0};
            info.nMax = needs[i] ? bar->FRange - 1 : 0;
            info.nPage = needs[i] ? static_cast<UINT>(pages[i]) : 0;
            info.nPos = std::min(bar->FPosition, bar->FCalcRange);
            SetScrollInfo(Handle(), bar->Bar(), &info, TRUE);
            ShowScrollBar(Handle(), bar->Bar(), needs[i] ? TRUE : FALSE);
        }
    }
    --FUpdatingScrollBars;
    // Positions beyond the new ranges come back, moving the children with them.
    for (TControlScrollBar* bar : bars)
        if (bar->FPosition > bar->FCalcRange || bar->FPosition < 0) bar->SetPosition(bar->FCalcRange);
}

void TScrollingWinControl::UpdateScrollBars()
{
    if (FAutoScroll)
        CalcAutoRange();
    else
        ApplyScrollBars();
}

void TScrollingWinControl::ScrollBy(int DeltaX, int DeltaY)
{
    if (DeltaX == 0 && DeltaY == 0) return;
    DisableAlign();
    for (int i = 0; i < ControlCount(); ++i) {
        TControl* c = Controls(i);
        c->SetBounds(c->Left() + DeltaX, c->Top() + DeltaY, c->Width(), c->Height());
    }
    EnableAlign();
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}

void TScrollingWinControl::ScrollInView(TControl* AControl)
{
    if (AControl == nullptr || !ContainsControl(AControl)) return;
    TRect r = AControl->ClientRect();
    r.left -= FHorzScrollBar->FMargin;
    r.right += FHorzScrollBar->FMargin;
    r.top -= FVertScrollBar->FMargin;
    r.bottom += FVertScrollBar->FMargin;
    TPoint topLeft = ScreenToClient(AControl->ClientToScreen(Point(r.left, r.top)));
    TPoint bottomRight = ScreenToClient(AControl->ClientToScreen(Point(r.right, r.bottom)));
    r = Rect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
    int cw = ClientWidth(), ch = ClientHeight();
    if (r.left < 0)
        FHorzScrollBar->SetPosition(FHorzScrollBar->FPosition + r.left);
    else if (r.right > cw) {
        if (r.right - r.left > cw) r.right = r.left + cw;
        FHorzScrollBar->SetPosition(FHorzScrollBar->FPosition + r.right - cw);
    }
    if (r.top < 0)
        FVertScrollBar->SetPosition(FVertScrollBar->FPosition + r.top);
    else if (r.bottom > ch) {
        if (r.bottom - r.top > ch) r.bottom = r.top + ch;
        FVertScrollBar->SetPosition(FVertScrollBar->FPosition + r.bottom - ch);
    }
}

void TScrollingWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    CalcAutoRange();
    TWinControl::AlignControls(AControl, Rect);
}

void TScrollingWinControl::AdjustClientRect(TRect& Rect)
{
    Rect = Bounds(-FHorzScrollBar->FPosition, -FVertScrollBar->FPosition,
                  std::max(FHorzScrollBar->FRange, ClientWidth()), std::max(ClientHeight(), FVertScrollBar->FRange));
    TWinControl::AdjustClientRect(Rect);
}

void TScrollingWinControl::WMSize(TMessage& Message)
{
    TWinControl::WMSize(Message);
    UpdateScrollBars();
}

void TScrollingWinControl::WMHScroll(TMessage& Message)
{
    if (Message.LParam == 0)
        FHorzScrollBar->ScrollMessage(Message);
    else
        TWinControl::WMHScroll(Message);
}

void TScrollingWinControl::WMVScroll(TMessage& Message)
{
    if (Message.LParam == 0)
        FVertScrollBar->ScrollMessage(Message);
    else
        TWinControl::WMVScroll(Message);
}

void TScrollingWinControl::CMFocusChanged(TMessage& Message)
{
    TWinControl::CMFocusChanged(Message);
    if (!FAutoScroll || ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    auto* focused = reinterpret_cast<TWinControl*>(Message.LParam);
    if (focused == nullptr) focused = FindControl(GetFocus());
    if (focused != nullptr && focused != this && ContainsControl(focused)) ScrollInView(focused);
}

// ---- TScrollBox --------------------------------------------------------------------------

TScrollBox::TScrollBox(TComponent* AOwner) : TScrollingWinControl(AOwner)
{
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks, csPannable});
    SetBounds(0, 0, 185, 41);
}

void TScrollBox::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TScrollBox::CreateParams(TCreateParams& Params)
{
    TScrollingWinControl::CreateParams(Params);
    if (FBorderStyle == bsSingle) AddSingleBorder(Params, Ctl3D());
}
