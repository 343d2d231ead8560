#include "framework/stdctrls/ScrollBar.h"

#include <algorithm>

// ---- TScrollBar --------------------------------------------------------------------------

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(TControlStyle{csFramed, csDoubleClicks, csOpaque});
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
}

void TScrollBar::SetKind(TScrollBarKind Value)
{
    if (FKind == Value) return;
    FKind = Value;
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    if (HandleAllocated()) RecreateWnd();
}

int TScrollBar::MaxPosition() const
{
    return FPageSize > 0 ? std::max(FMin, FMax - FPageSize + 1) : FMax;
}

void TScrollBar::SetPageSize(int Value)
{
    if (FPageSize == Value) return;
    if (Value < 0 || Value > FMax - FMin + 1) throw EScrollBarError(L"Scroll bar property out of range");
    FPageSize = Value;
    if (FPosition > MaxPosition()) {
        FPosition = MaxPosition();
        UpdateScrollInfo();
        Change();
    } else
        UpdateScrollInfo();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax)
{
    if (AMax < AMin || FPageSize > AMax - AMin + 1) throw EScrollBarError(L"Scroll bar property out of range");
    FMin = AMin;
    FMax = AMax;
    APosition = std::clamp(APosition, FMin, MaxPosition());
    bool changed = APosition != FPosition;
    FPosition = APosition;
    UpdateScrollInfo();
    if (changed) Change();
}

void TScrollBar::UpdateScrollInfo()
{
    if (!HandleAllocated()) return;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, FMin, FMax, static_cast<UINT>(FPageSize), FPosition, 0};
    SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

void TScrollBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"SCROLLBAR");
    Params.Style |= FKind == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateScrollInfo();
    EnableWindow(Handle(), Enabled() ? TRUE : FALSE);
}

void TScrollBar::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL)
        DoScroll(Message);
    else
        TWinControl::Dispatch(Message);
}

void TScrollBar::DoScroll(TMessage& Message)
{
    int code = LOWORD(Message.WParam);
    int pos = FPosition;
    switch (code) {
    case SB_LINEUP: pos -= FSmallChange; break;
    case SB_LINEDOWN: pos += FSmallChange; break;
    case SB_PAGEUP: pos -= FLargeChange; break;
    case SB_PAGEDOWN: pos += FLargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(Handle(), SB_CTL, &info);
        pos = info.nTrackPos;
        break;
    }
    case SB_TOP: pos = FMin; break;
    case SB_BOTTOM: pos = FMax; break;
    default: break;
    }
    pos = std::clamp(pos, FMin, MaxPosition());
    Scroll(code <= SB_ENDSCROLL ? static_cast<TScrollCode>(code) : scEndScroll, pos);
    SetPosition(pos);
    Message.Result = 0;
}

void TScrollBar::Change()
{
    if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos)
{
    if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}
