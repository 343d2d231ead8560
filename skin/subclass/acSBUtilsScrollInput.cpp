// The scroll-bar handler's window procedure: hit-testing the replaced bars, hover, pressing
// arrows and page areas with auto-repeat, dragging the thumb and the scroll requests that follow.
#include "skin/subclass/acSBUtilsScrollBars.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/facts/SystemFacts.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

namespace {

bool IsBarHitCode(WPARAM HitCode) { return HitCode == HTHSCROLL || HitCode == HTVSCROLL; }

POINT PointOf(LPARAM LParam) { return POINT{GET_X_LPARAM(LParam), GET_Y_LPARAM(LParam)}; }

// Sets DontRepaint for a scope.
class TQuietBars {
public:
    explicit TQuietBars(TacScrollWnd& Handler) : FHandler(Handler), FWas(Handler.DontRepaint) { Handler.DontRepaint = true; }
    ~TQuietBars() { FHandler.DontRepaint = FWas; }
    TQuietBars(const TQuietBars&) = delete;
    TQuietBars& operator=(const TQuietBars&) = delete;

private:
    TacScrollWnd& FHandler;
    bool FWas;
};

} // namespace

int HorzScrollPortion(const TacScrollBar& Bar, HWND, const TRect& R, int Y, int X)
{
    return ScrollBarPortion(Bar, R, X, Y);
}

int VertScrollPortion(const TacScrollBar& Bar, HWND, const TRect& R, int Y, int X)
{
    return ScrollBarPortion(Bar, R, X, Y);
}

void SendScrollMsg(HWND Wnd, UINT Msg, int Code, int Pos)
{
    const LPARAM notice = MAKELONG(Code, Msg);
    const WPARAM request = MAKEWPARAM(Code, std::min(Pos, 65535));
    if (SendMessageW(Wnd, SM_LUMACMD, MakeSkinWParam(AC_SCROLLSTART), notice) != 1) {
        const int bar = Msg == WM_HSCROLL ? SB_HORZ : SB_VERT;
        if (Code == SB_THUMBTRACK) {
            SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, Pos, 0};
            SetScrollInfo(Wnd, bar, &info, FALSE);
        }
        SendMessageW(Wnd, Msg, request, 0);
    } else {
        SendMessageW(Wnd, Msg, request, Pos);
    }
    SendMessageW(Wnd, SM_LUMACMD, MakeSkinWParam(AC_SCROLLEND), notice);
}

// ---- Window procedure ----

void TacScrollWnd::PassOn(TMessage& Message)
{
    Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
}

void TacScrollWnd::acWndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_DESTROY:
    case WM_NCDESTROY:
        if (OldProc != nullptr || OldWndProc) {
            PassOn(Message);
            if (Message.Result == 0) {
                try {
                    TacScrollWnd* self = this;
                    DetachWndHandler(CtrlHandle, false, false, self);
                } catch (...) {
                    // The window goes away whatever the detaching raised.
                }
            }
        } else {
            Message.Result = SendMessageW(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
        }
        return;
    case WM_CONTEXTMENU:
        if (SkinData != nullptr && SkinData->FOwnerControl != nullptr)
            HookPopupMenu(SkinData->GetSkinManager(), SkinData->FOwnerControl->PopupMenu());
        break;
    case WM_UPDATEUISTATE:
        return;
    case CM_RECREATEWND:
        if (!IsWindowVisible(CtrlHandle) && SkinData != nullptr &&
            dynamic_cast<TCustomComboBox*>(SkinData->FOwnerControl) != nullptr &&
            SkinData->FOwnerControl->Name().empty())
            return;
        break;
    default:
        break;
    }
    GeneralMessage(Message);
}

void TacScrollWnd::GeneralMessage(TMessage& Message)
{
    if (Destroyed) return;
    if (SkinData == nullptr || !SkinData->Skinned()) {
        if (SkinData != nullptr && Message.Msg == SM_LUMACMD && SkinCmdSub(Message.WParam) == AC_SKINLOADED &&
            reinterpret_cast<TsSkinManager*>(Message.LParam) == SkinData->GetSkinManager())
            SkinData->UpdateIndexes();
        PassOn(Message);
        return;
    }
    switch (Message.Msg) {
    case SM_LUMACMD:
        if (!HandleSkinCommand(Message)) PassOn(Message);
        return;
    case WM_STYLECHANGED:
        if (bPreventStyleChange) {
            Message.Result = 0;
            return;
        }
        if (Message.WParam == static_cast<WPARAM>(GWL_EXSTYLE))
            fLeftScrollbar = (reinterpret_cast<STYLESTRUCT*>(Message.LParam)->styleNew & WS_EX_LEFTSCROLLBAR) != 0;
        PassOn(Message);
        return;
    case WM_NCCALCSIZE:
        CalcNonClientSize(Message);
        return;
    case WM_NCHITTEST:
        NonClientHitTest(Message);
        return;
    case WM_NCPAINT:
        if (IsWindowVisible(CtrlHandle) && !SkinData->Updating() && !DontRepaint) DrawScrollBars(CtrlHandle, -1, nullptr);
        PassOn(Message);
        return;
    case WM_NCMOUSEMOVE:
        NonClientMouseMove(Message);
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (IsBarHitCode(Message.WParam)) NonClientButtonDown(Message); else PassOn(Message);
        return;
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
        if (IsBarHitCode(Message.WParam)) Message.Result = 0; else PassOn(Message);
        return;
    case WM_SYSCOMMAND:
        // The system's own bar tracking (SC_VSCROLL with HTVSCROLL) would fight the replaced bar.
        if (LOWORD(Message.WParam) == 0xF077) return;
        PassOn(Message);
        return;
    case WM_TIMER:
        Timer(Message);
        if (!DontRepaint && !fThumbTracking) SyncScrollBars(this, true);
        return;
    case WM_MOUSEMOVE:
        MouseMove(Message);
        return;
    case WM_LBUTTONUP:
        ButtonUp(Message);
        return;
    default:
        PassOn(Message);
        break;
    }
    if (Message.Msg == WM_MOUSEWHEEL || Message.Msg == CM_MOUSEWHEEL) {
        if (!DontRepaint) SyncScrollBars(this, true);
    } else if (Message.Msg == CM_FOCUSCHANGED) {
        SyncScrollBars(this, true);
    }
}

bool TacScrollWnd::HandleSkinCommand(TMessage& Message)
{
    TsSkinManager* manager = SkinData->GetSkinManager();
    const bool ours = reinterpret_cast<TsSkinManager*>(Message.LParam) == manager;
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        if (ours) {
            SkinData->UpdateIndexes();
            BroadcastToOwner(SkinData->FOwnerControl, CtrlHandle, Message);
        }
        return false;
    case AC_SKINUNLOADED:
        if (ours) RestoreStdParams();
        return false;
    case AC_RESKIN:
        if (ours) {
            SkinData->UpdateIndexes();
            SkinData->BGChanged = true;
        }
        return false;
    case AC_RESUMEPAINT:
        if (SkinData->UpdatingFlag()) {
            SkinData->SetUpdating(false);
            SkinData->SetUpdating(SkinData->Updating());
            if (!SkinData->UpdatingFlag())
                RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        }
        return false;
    case AC_QUERYSKINNED:
        Message.Result = 1;
        return true;
    case AC_UPDATINGSTATE:
        SkinData->SetUpdating(SkinCmdSwitchOn(Message.WParam));
        return false;
    case AC_ASSIGNSECTION:
        if (Message.LParam != 0) SkinData->SetSkinSection(reinterpret_cast<TacSectionInfo*>(Message.LParam)->Name);
        return false;
    case AC_QUERYBGCOLOR:
        PassOn(Message);
        if (Message.Result == 0) Message.Result = SkinData->StateBackColor(false, nullptr);
        return true;
    case AC_QUERYBGINFO: {
        PassOn(Message);
        auto* query = reinterpret_cast<TBackgroundQuery*>(Message.LParam);
        if (query != nullptr && query->Kind == bgkNone) SkinData->DescribeBackground(*query, false, nullptr);
        return true;
    }
    case AC_QUERYAPP:
        Message.Result = reinterpret_cast<LRESULT>(static_cast<TApplication*>(Application));
        return true;
    default:
        return false;
    }
}

// ---- Non-client mouse ----

void TacScrollWnd::NonClientHitTest(TMessage& Message)
{
    const POINT p = PointOf(Message.LParam);
    TRect horz{}, vert{};
    HorzScrollRect(CtrlHandle, horz);
    VertScrollRect(CtrlHandle, vert);
    if (sBarHorz && sBarHorz->fScrollVisible && PtInRect(&horz, p)) {
        Message.Result = IsBarEnabled(*sBarHorz) ? HTHSCROLL : 0;
        return;
    }
    if (sBarVert && sBarVert->fScrollVisible && PtInRect(&vert, p)) {
        Message.Result = IsBarEnabled(*sBarVert) ? HTVSCROLL : 0;
        return;
    }
    // The corner box: beside the horizontal bar, on the vertical bar's side.
    const TRect box = fLeftScrollbar ? TRect{vert.left, horz.top, horz.left, horz.bottom}
                                     : TRect{horz.right, horz.top, vert.right, horz.bottom};
    if (sBarHorz && sBarHorz->fScrollVisible && sBarVert && sBarVert->fScrollVisible && CornerIsGrip(CtrlHandle) &&
        PtInRect(&box, p)) {
        Message.Result = HTBOTTOMRIGHT;
        return;
    }
    PassOn(Message);
}

void TacScrollWnd::NonClientMouseMove(TMessage& Message)
{
    TacScrollTracking& t = ScrollTracking;
    t.CurrentWnd = CtrlHandle;
    if (IsBarHitCode(Message.WParam)) {
        const int bar = Message.WParam == HTHSCROLL ? SB_BAR_HORZ : SB_BAR_VERT;
        if (bar != t.HoverBar) {
            t.LastHoverPortion = t.HoverPortion = sbpNone;
            BarRect(bar, t.HoverRect);
            t.HoverBar = bar;
            t.HoverTimer = StartTimer(HoverTimerId, HoverTimerPeriod);
            DrawScrollBars(CtrlHandle, -1, nullptr);
        }
    }
    PassOn(Message);
}

void TacScrollWnd::NonClientButtonDown(TMessage& Message)
{
    TacScrollTracking& t = ScrollTracking;
    const int bar = Message.WParam == HTHSCROLL ? SB_BAR_HORZ : SB_BAR_VERT;
    TacScrollBar& record = *BarOf(bar);
    const POINT p = PointOf(Message.LParam);
    TRect r{};
    BarRect(bar, r);
    t.CurrentWnd = CtrlHandle;
    t.ScrollMsg = bar == SB_BAR_HORZ ? WM_HSCROLL : WM_VSCROLL;
    t.CurrentBar = bar;
    t.PressedPortion = ScrollBarPortion(record, r, p.x, p.y);
    Message.Result = 0;
    switch (t.PressedPortion) {
    case sbpArrowBefore:
    case sbpArrowAfter: {
        const std::uint16_t disabled = t.PressedPortion == sbpArrowBefore ? sbfArrowBeforeDisabled : sbfArrowAfterDisabled;
        if ((record.fScrollFlags & disabled) != 0) {
            // A press that does nothing leaves nothing pressed behind.
            t.PressedPortion = sbpNone;
            return;
        }
        [[fallthrough]];
    }
    case sbpPageBefore:
    case sbpPageAfter:
        if (!IsBarEnabled(record)) {
            t.PressedPortion = sbpNone;
            return;
        }
        t.DrawPortion = t.PressedPortion;
        RepaintBar(bar);
        if (t.PressedPortion >= sbpPageBefore) {
            SendScrollQuietly(t.PressedPortion, 0);
        } else {
            SendScrollMsg(CtrlHandle, t.ScrollMsg, t.PressedPortion, 0);
        }
        t.DrawPortion = t.PressedPortion;
        t.RepeatTimer = StartTimer(RepeatDelayTimerId, RepeatDelay);
        break;
    case sbpThumb:
        if (!IsBarEnabled(record)) {
            t.PressedPortion = sbpNone;
            return;
        }
        record.ReadScrollInfo(CtrlHandle);
        GetThumbMetrics(record, r, t.ThumbSize, t.ThumbStart);
        t.ThumbBounds = r;
        fThumbTracking = true;
        record.ScrollInfo.nTrackPos = record.ScrollInfo.nPos;
        t.ThumbMouseOffset = (record.Vertical() ? p.y : p.x) - t.ThumbStart;
        t.LastPos = record.ScrollInfo.nPos;
        PaintDraggedThumb(t.ThumbStart);
        break;
    default:
        Message.Msg = WM_NCLBUTTONDOWN;
        PassOn(Message);
        return;
    }
    SetCapture(CtrlHandle);
}

// ---- Pressed bars and the dragged thumb ----

void TacScrollWnd::RepaintBar(int Bar)
{
    TacScrollBar* record = BarOf(Bar);
    if (record == nullptr || !record->fScrollVisible) return;
    TRect window{}, r{};
    GetWindowRect(CtrlHandle, &window);
    BarRect(Bar, r);
    OffsetRect(&r, -window.left, -window.top);
    HDC dc = GetWindowDC(CtrlHandle);
    PaintScrollBar(record, CtrlHandle, dc, -1, ScrollTracking.CurrentBar == Bar ? ScrollTracking.DrawPortion : sbpNone,
                   r);
    ReleaseDC(CtrlHandle, dc);
}

void TacScrollWnd::SendScrollQuietly(int Code, int Pos)
{
    TQuietBars quiet(*this);
    SendScrollMsg(CtrlHandle, ScrollTracking.ScrollMsg, Code, Pos);
}

void TacScrollWnd::DragThumbTo(POINT Screen)
{
    TacScrollTracking& t = ScrollTracking;
    TacScrollBar& record = *BarOf(t.CurrentBar);
    const int arrow = ScrollBarSize(record, false, false);
    const bool vertical = record.Vertical();
    const int boundsStart = (vertical ? t.ThumbBounds.top : t.ThumbBounds.left) + arrow;
    const int boundsEnd = (vertical ? t.ThumbBounds.bottom : t.ThumbBounds.right) - arrow;
    const int pointer = vertical ? Screen.y : Screen.x;
    const int p = std::max(boundsStart, std::min(pointer - t.ThumbMouseOffset, boundsEnd - t.ThumbSize));
    PaintDraggedThumb(p);
    const int pos = ThumbDragPosition(record.ScrollInfo, p - boundsStart, boundsEnd - boundsStart, t.ThumbSize);
    if (pos != t.LastPos) {
        record.ScrollInfo.nTrackPos = pos;
        SendScrollQuietly(SB_THUMBTRACK, pos);
        t.LastPos = pos;
    }
}

void TacScrollWnd::TrackPointer(POINT Screen)
{
    TacScrollTracking& t = ScrollTracking;
    if (fThumbTracking) {
        DragThumbTo(Screen);
        return;
    }
    TRect r{};
    BarRect(t.CurrentBar, r);
    const int portion = ScrollBarPortion(*BarOf(t.CurrentBar), r, Screen.x, Screen.y);
    const int shown = portion == t.PressedPortion ? t.PressedPortion : sbpNone;
    if (shown != t.DrawPortion) {
        t.DrawPortion = shown;
        RepaintBar(t.CurrentBar);
    }
}

void TacScrollWnd::MouseMove(TMessage& Message)
{
    if (!fThumbTracking && ScrollTracking.PressedPortion == sbpNone) {
        PassOn(Message);
        return;
    }
    // Where the message put the pointer (what GetMessagePos answers for a queued move).
    POINT screen = PointOf(Message.LParam);
    ClientToScreen(CtrlHandle, &screen);
    TrackPointer(screen);
    Message.Result = 0;
}

void TacScrollWnd::ButtonUp(TMessage& Message)
{
    TacScrollTracking& t = ScrollTracking;
    if (t.PressedPortion == sbpNone) {
        PassOn(Message);
        return;
    }
    if (!ListKeepsCapture()) ReleaseCapture();
    const bool thumb = t.PressedPortion == sbpThumb;
    if (!thumb && t.RepeatTimer != 0) SystemFacts().KillWindowTimer(CtrlHandle, t.RepeatTimer);
    {
        TQuietBars quiet(*this);
        if (fThumbTracking) {
            SendScrollMsg(CtrlHandle, t.ScrollMsg, SB_THUMBPOSITION, t.LastPos);
            fThumbTracking = false;
        }
        SendScrollMsg(CtrlHandle, t.ScrollMsg, SB_ENDSCROLL, thumb ? t.LastPos : 0);
    }
    const int bar = t.CurrentBar;
    t.PressedPortion = t.DrawPortion = sbpNone;
    t.CurrentBar = -1;
    t.RepeatTimer = 0;
    t.ScrollMsg = 0;
    RepaintBar(bar);
    if (ListKeepsCapture()) Message.Result = 0; else PassOn(Message);
}

// ---- Timers ----

UINT_PTR TacScrollWnd::StartTimer(UINT_PTR Id, UINT Elapse)
{
    return SystemFacts().SetWindowTimer(CtrlHandle, Id, Elapse) != 0 ? Id : 0;
}

void TacScrollWnd::Timer(TMessage& Message)
{
    TacScrollTracking& t = ScrollTracking;
    switch (Message.WParam) {
    case HoverTimerId:
        if (t.HoverTimer == 0) return;
        if (!fThumbTracking) {
            POINT cursor{};
            GetCursorPos(&cursor);
            if (PtInRect(&t.HoverRect, cursor)) {
                TacScrollBar* bar = BarOf(t.HoverBar);
                t.HoverPortion = bar != nullptr ? ScrollBarPortion(*bar, t.HoverRect, cursor.x, cursor.y) : sbpNone;
                if (t.HoverPortion != t.LastHoverPortion) RepaintBar(t.HoverBar);
                t.LastHoverPortion = t.HoverPortion;
            } else {
                SystemFacts().KillWindowTimer(CtrlHandle, HoverTimerId);
                t.HoverTimer = 0;
                t.HoverBar = t.LastHoverPortion = t.HoverPortion = -1;
                DrawScrollBars(CtrlHandle, -1, nullptr);
            }
        }
        Message.Result = 0;
        return;
    case RepeatDelayTimerId:
        if (t.RepeatTimer != RepeatDelayTimerId) return;
        SystemFacts().KillWindowTimer(CtrlHandle, RepeatDelayTimerId);
        t.RepeatTimer = StartTimer(RepeatTimerId, RepeatPeriod);
        Message.Result = 0;
        return;
    case RepeatTimerId: {
        if (t.RepeatTimer != RepeatTimerId || t.PressedPortion == sbpNone) return;
        POINT cursor{};
        GetCursorPos(&cursor);
        TrackPointer(cursor);
        if (t.DrawPortion != sbpNone) SendScrollQuietly(t.DrawPortion, 0);
        Message.Result = 0;
        return;
    }
    default:
        PassOn(Message);
        return;
    }
}
