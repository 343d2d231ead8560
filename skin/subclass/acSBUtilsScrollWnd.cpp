// The scroll-bar handler's bars on its window: installation, the room the bars take out of the
// client area, their rectangles, and painting them and the corner box from the skin.
#include "skin/subclass/acSBUtilsScrollBars.h"

#include <algorithm>

#include "framework/controls/Controls.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

TacScrollTracking ScrollTracking;

namespace {

// The skin the bar's handler paints with, null when it has none.
const TsSkin* BarSkin(const TacScrollBar& Bar)
{
    if (Bar.sw == nullptr || Bar.sw->SkinManager == nullptr) return nullptr;
    return &Bar.sw->SkinManager->Skin();
}

// The window's own background, for its non-client parts.
TCacheInfo WindowBackground(HWND Wnd)
{
    TBackgroundQuery query;
    QueryWndBackground(query, Wnd, false);
    return BackgroundToCacheInfo(query);
}

TPoint TopLeft(const TRect& R) { return TPoint{R.left, R.top}; }

// Releases a window DC taken for painting.
class TWindowDC {
public:
    TWindowDC(HWND Wnd, HDC Given) : FWnd(Wnd), FDC(Given != nullptr ? Given : GetWindowDC(Wnd)), FOwn(Given == nullptr) {}
    ~TWindowDC()
    {
        if (FOwn && FDC != nullptr) ReleaseDC(FWnd, FDC);
    }
    TWindowDC(const TWindowDC&) = delete;
    TWindowDC& operator=(const TWindowDC&) = delete;
    HDC Handle() const { return FDC; }

private:
    HWND FWnd;
    HDC FDC;
    bool FOwn;
};

} // namespace

int ScrollBarSize(const TacScrollBar& Bar, bool Thickness, bool UseSkin)
{
    return ScrollBarSize(Bar, Thickness, UseSkin ? BarSkin(Bar) : nullptr);
}

// ---- Installation ----

TacScrollWnd::TacScrollWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                           const String& SkinSection, bool Repaint)
    : TacMainWnd(AHandle, ASkinData, ASkinManager, SkinSection, TInstallLater{})
{
    Install(Repaint);
}

TacScrollWnd::TacScrollWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                           const String& SkinSection, TInstallLater Later)
    : TacMainWnd(AHandle, ASkinData, ASkinManager, SkinSection, Later)
{
}

TacScrollWnd::~TacScrollWnd()
{
    // The bars go with the handler; a window still calling it finds none.
    if (sBarHorz) sBarHorz->sw = nullptr;
    if (sBarVert) sBarVert->sw = nullptr;
}

void TacScrollWnd::Install(bool Repaint)
{
    InstallScrollHandler(this, CtrlHandle, Repaint);
    if (TControl* owner = SkinData != nullptr ? SkinData->FOwnerControl : nullptr) {
        OldCtrlStyle = owner->ControlStyle();
        owner->SetControlStyle(TControlStyle(OldCtrlStyle).Include(csOpaque));
    }
}

TacScrollBar* GetHandlerScrollBar(HWND Wnd, int Bar)
{
    auto* handler = dynamic_cast<TacScrollWnd*>(GetWndHandler(Wnd));
    if (handler == nullptr) return nullptr;
    return Bar == SB_BAR_HORZ ? handler->sBarHorz.get() : Bar == SB_BAR_VERT ? handler->sBarVert.get() : nullptr;
}

bool SetMinThumbSize(HWND Wnd, int Bar, int Size)
{
    auto* handler = dynamic_cast<TacScrollWnd*>(GetWndHandler(Wnd));
    if (handler == nullptr) return false;
    if ((Bar == SB_BAR_HORZ || Bar == 3) && handler->sBarHorz) handler->sBarHorz->nMinThumbSize = Size;
    if ((Bar == SB_BAR_VERT || Bar == 3) && handler->sBarVert) handler->sBarVert->nMinThumbSize = Size;
    return true;
}

void DetachWndHandler(HWND Wnd, bool FreeHandler, bool Repaint, TacScrollWnd*& Handler)
{
    if (Handler == nullptr) return;
    if (!Handler->Destroyed) {
        TacMainWnd* handler = Handler;
        UninstallWndHandler(Wnd, false, Repaint, handler);
        if (Handler->Destroyed) {
            Handler->sBarHorz.reset();
            Handler->sBarVert.reset();
        }
    }
    if (FreeHandler) {
        delete Handler;
        Handler = nullptr;
    }
}

void InstallScrollHandler(TacScrollWnd* Handler, HWND Wnd, bool Repaint)
{
    Handler->DontRepaint = false;
    Handler->CtrlHandle = Wnd;
    const LONG_PTR style = GetWindowLongPtrW(Wnd, GWL_STYLE);
    for (int bar : {SB_BAR_HORZ, SB_BAR_VERT}) {
        auto record = std::make_unique<TacScrollBar>();
        record->sw = Handler;
        record->nBarType = static_cast<std::uint16_t>(bar);
        record->ReadScrollInfo(Wnd);
        record->fScrollFlags = (style & (bar == SB_BAR_HORZ ? WS_HSCROLL : WS_VSCROLL)) != 0 ? sbfStyleShowsBar : 0;
        (bar == SB_BAR_HORZ ? Handler->sBarHorz : Handler->sBarVert) = std::move(record);
    }
    Handler->fLeftScrollbar = (GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    Handler->bPreventStyleChange = false;
    InstallWndHandler(Handler, Wnd);
    SetMinThumbSize(Wnd, 3, DefaultMinThumbSize());
    for (TacScrollBar* bar : {GetHandlerScrollBar(Wnd, SB_BAR_HORZ), GetHandlerScrollBar(Wnd, SB_BAR_VERT)})
        if (bar != nullptr) bar->fFlatScrollbar = 0;
    if (Repaint) RedrawFrame(Wnd, true);
}

void AttachScrollWnd(TsCommonData* SkinData, TacScrollWnd*& ScrollWnd)
{
    if (SkinData == nullptr) return;
    auto* owner = dynamic_cast<TWinControl*>(SkinData->FOwnerControl);
    if (owner == nullptr) return;
    const TComponentState state = owner->ComponentState();
    if (state.Contains(csLoading) || state.Contains(csDestroying) || state.Contains(csDesigning)) return;
    if (SkinData->Skinned()) {
        if (UninitializeFlatSBFunc != nullptr) UninitializeFlatSBFunc(owner->Handle());
        if (ScrollWnd != nullptr && ScrollWnd->Destroyed) {
            delete ScrollWnd;
            ScrollWnd = nullptr;
        }
        if (ScrollWnd == nullptr)
            ScrollWnd = new TacScrollWnd(owner->Handle(), SkinData, SkinData->GetSkinManager(), SkinData->SkinSection(),
                                         true);
    } else {
        delete ScrollWnd;
        ScrollWnd = nullptr;
        if (InitializeFlatSBFunc != nullptr) InitializeFlatSBFunc(owner->Handle());
    }
}

void SyncScrollBars(TacScrollWnd* ScrollWnd, bool Repaint)
{
    if (ScrollWnd == nullptr || !IsWindowVisible(ScrollWnd->CtrlHandle)) return;
    if (ScrollWnd->SkinData != nullptr && ScrollWnd->SkinData->Updating()) return;
    if (ScrollWnd->sBarHorz == nullptr || ScrollWnd->sBarVert == nullptr) return;
    ScrollWnd->sBarHorz->ReadScrollInfo(ScrollWnd->CtrlHandle);
    ScrollWnd->sBarVert->ReadScrollInfo(ScrollWnd->CtrlHandle);
    if (Repaint && !FormAnimating) ScrollWnd->DrawScrollBars(ScrollWnd->CtrlHandle, -1, nullptr);
}

// ---- Geometry ----

void TacScrollWnd::HorzScrollRect(HWND Wnd, TRect& R) const
{
    GetWindowRect(Wnd, &R);
    const int horz = sBarHorz && sBarHorz->fScrollVisible ? ScrollBarSize(*sBarHorz, true, false) : 0;
    const int vert = sBarVert && sBarVert->fScrollVisible ? ScrollBarSize(*sBarVert, true, false) : 0;
    R.bottom -= cyBottomEdge;
    R.top = R.bottom - horz;
    if (fLeftScrollbar) {
        R.left += vert + cxLeftEdge;
        R.right -= cxRightEdge;
    } else {
        R.left += cxLeftEdge;
        R.right -= vert + cxRightEdge;
    }
    if (sBarHorz && sBarHorz->fButVisibleBefore) R.left += sBarHorz->nButSizeBefore;
    if (sBarHorz && sBarHorz->fButVisibleAfter) R.right -= sBarHorz->nButSizeAfter;
}

void TacScrollWnd::VertScrollRect(HWND Wnd, TRect& R) const
{
    GetWindowRect(Wnd, &R);
    const int horz = sBarHorz && sBarHorz->fScrollVisible ? ScrollBarSize(*sBarHorz, true, false) : 0;
    const int vert = sBarVert && sBarVert->fScrollVisible ? ScrollBarSize(*sBarVert, true, false) : 0;
    R.top += cyTopEdge;
    R.bottom -= horz + cyBottomEdge;
    if (fLeftScrollbar) {
        R.left += cxLeftEdge;
        R.right = R.left + vert;
    } else {
        R.right -= cxRightEdge;
        R.left = R.right - vert;
    }
    if (sBarVert && sBarVert->fButVisibleBefore) R.top += sBarVert->nButSizeBefore;
    if (sBarVert && sBarVert->fButVisibleAfter) R.bottom -= sBarVert->nButSizeAfter;
}

void TacScrollWnd::BarRect(int Bar, TRect& R) const
{
    if (Bar == SB_BAR_VERT) VertScrollRect(CtrlHandle, R); else HorzScrollRect(CtrlHandle, R);
}

bool TacScrollWnd::CornerIsGrip(HWND Wnd) const
{
    HWND parent = GetParent(Wnd);
    if (parent == nullptr || (GetWindowLongPtrW(parent, GWL_STYLE) & WS_CHILD) != 0) return false;
    TRect window{}, client{};
    GetWindowRect(Wnd, &window);
    GetClientRect(parent, &client);
    MapWindowPoints(parent, nullptr, reinterpret_cast<POINT*>(&client), 2);
    const bool side = fLeftScrollbar ? window.left == client.left : window.right == client.right;
    return side && window.bottom == client.bottom;
}

// ---- The room the bars take (WM_NCCALCSIZE) ----

void TacScrollWnd::CalcNonClientSize(TMessage& Message)
{
    auto* rect = reinterpret_cast<RECT*>(Message.LParam);
    const RECT proposed = *rect;
    const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
    if ((style & (WS_HSCROLL | WS_VSCROLL)) != 0) {
        // The previous procedure must not reserve the system's bars.
        bPreventStyleChange = true;
        SetWindowLongPtrW(CtrlHandle, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_HSCROLL | WS_VSCROLL));
        Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
        SetWindowLongPtrW(CtrlHandle, GWL_STYLE, style);
        bPreventStyleChange = false;
    } else {
        Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
    }
    RECT& client = *rect;
    cxLeftEdge = client.left - proposed.left;
    cxRightEdge = proposed.right - client.right;
    cyTopEdge = client.top - proposed.top;
    cyBottomEdge = proposed.bottom - client.bottom;
    if (sBarHorz == nullptr || sBarVert == nullptr) return;

    sBarHorz->fScrollFlags = (style & WS_HSCROLL) != 0 ? sbfStyleShowsBar : 0;
    const int horz = ScrollBarSize(*sBarHorz, true, false);
    sBarHorz->fScrollVisible = sBarHorz->fScrollFlags != 0 && client.bottom - client.top >= horz;
    if (sBarHorz->fScrollVisible) client.bottom -= horz;

    sBarVert->fScrollFlags = (style & WS_VSCROLL) != 0 ? sbfStyleShowsBar : 0;
    const int vert = ScrollBarSize(*sBarVert, true, false);
    sBarVert->fScrollVisible = sBarVert->fScrollFlags != 0 && client.right - client.left >= vert;
    if (sBarVert->fScrollVisible) {
        if (fLeftScrollbar) client.left += vert; else client.right -= vert;
    }
}

// ---- Painting ----

bool IsBarEnabled(const TacScrollBar& Bar)
{
    const HWND wnd = Bar.sw != nullptr ? Bar.sw->CtrlHandle : nullptr;
    const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
    if (GetScrollBarInfoFunc == nullptr) return (style & (Bar.Vertical() ? WS_VSCROLL : WS_HSCROLL)) != 0;
    SCROLLBARINFO info{};
    info.cbSize = 60;
    const LONG object = Bar.nBarType == SB_BAR_HORZ ? OBJID_HSCROLL : Bar.nBarType == SB_BAR_VERT ? OBJID_VSCROLL
                                                                                                   : OBJID_CLIENT;
    if (!GetScrollBarInfoFunc(wnd, object, &info)) return false;
    const SCROLLINFO& si = Bar.ScrollInfo;
    const bool scrollable = static_cast<unsigned>(si.nMax) >= si.nPage && si.nMax > si.nMin && si.nMax != 0;
    return (Bar.fScrollFlags & 3) != 3 && ((Bar.fScrollFlags & sbfEnabledWhenScrollable) == 0 || scrollable) &&
           (info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE) == 0;
}

namespace {

bool OwnerEnabled(const TacScrollBar& Bar)
{
    if (Bar.sw == nullptr || Bar.sw->SkinData == nullptr || Bar.sw->SkinData->FOwnerControl == nullptr) return true;
    return Bar.sw->SkinData->FOwnerControl->Enabled();
}

// Composes the bar as Look says and copies it to DC at R (window coordinates).
void PaintBarLook(const TacScrollBar& Bar, HWND Wnd, HDC DC, const TacScrollBarLook& Look, const TRect& R,
                  bool Enabled)
{
    const int w = R.right - R.left;
    const int h = R.bottom - R.top;
    if (w <= 0 || h <= 0) return;
    auto bmp = MakeBitmap32(w, h);
    const TCacheInfo background = WindowBackground(Wnd);
    ComposeScrollBar(bmp.get(), Look, BarSkin(Bar), background, TopLeft(R));
    if (!Enabled) FadeScrollBar(bmp.get(), WindowBackground(Wnd), TopLeft(R));
    BitBlt(DC, R.left, R.top, w, h, bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

TacScrollBarLook BaseLook(const TacScrollBar& Bar, const TRect& R)
{
    TacScrollBarLook look;
    look.Vertical = Bar.Vertical();
    look.Length = look.Vertical ? R.bottom - R.top : R.right - R.left;
    look.Thickness = look.Vertical ? R.right - R.left : R.bottom - R.top;
    look.ArrowLength = ScrollBarSize(Bar, false, true);
    return look;
}

} // namespace

int PaintScrollBar(TacScrollBar* Bar, HWND Wnd, HDC DC, int ThumbPos, int PressedPortion, const TRect& R)
{
    if (Bar == nullptr || Bar->sw == nullptr) return 0;
    TacScrollWnd& sw = *Bar->sw;
    const TsSkin* skin = BarSkin(*Bar);
    if (sw.fThumbTracking || !Bar->fScrollVisible || skin == nullptr) return 0;
    const int trackSection = Bar->Vertical() ? skin->ConstData.IndexScrollBar1V : skin->ConstData.IndexScrollBar1H;
    if (!skin->IsValidSkinIndex(trackSection)) return 0;
    TacScrollBarLook look = BaseLook(*Bar, R);
    if (look.Length < 2) return 0;
    if (Bar->Vertical() && sw.DontRepaint) return 0;

    Bar->ReadScrollInfo(Wnd);
    const bool enabled = IsBarEnabled(*Bar) && OwnerEnabled(*Bar);
    const TacScrollTracking& t = ScrollTracking;
    const bool current = Wnd == t.CurrentWnd;
    if (!current) PressedPortion = sbpNone;
    const bool hoverHere = current && enabled && t.HoverBar == Bar->nBarType;
    for (int arrow : {sbpArrowBefore, sbpArrowAfter})
        look.ArrowStates[arrow] = PressedPortion == arrow ? 2 : hoverHere && t.HoverPortion == arrow ? 1 : 0;
    look.PageStates[0] = PressedPortion == sbpPageBefore ? 2 : 0;
    look.PageStates[1] = PressedPortion == sbpPageAfter ? 2 : 0;

    int thumbSize = 0, thumbStart = 0;
    GetThumbMetrics(*Bar, R, thumbSize, thumbStart);
    if (ThumbPos != -1) thumbStart = ThumbPos;
    const int origin = Bar->Vertical() ? R.top : R.left;
    look.ThumbStart = thumbStart - origin;
    look.ThumbSize = thumbSize;
    look.ThumbState = hoverHere && t.HoverPortion == sbpThumb ? 1 : 0;
    look.ThumbShown = enabled && ThumbFits(*Bar, look.Length, look.ArrowLength, thumbSize);

    PaintBarLook(*Bar, Wnd, DC, look, R, enabled);
    return 1;
}

LRESULT TacScrollWnd::DrawScrollBars(HWND Wnd, int ThumbPos, HDC DC)
{
    if (SkinData != nullptr) {
        if (SkinData->Updating()) return 0;
        TControl* owner = SkinData->FOwnerControl;
        if (owner != nullptr && owner->ControlState().Contains(csCreating)) return 0;
        if (!IsWindowVisible(Wnd) && (owner == nullptr || !static_cast<TWinControl*>(owner)->Showing())) return 0;
        if (SkinData->BGChanged) SendMessageW(Wnd, SM_LUMACMD, MakeSkinWParam(AC_BUILDCACHE), 0);
    }
    if (sBarHorz == nullptr) return 0;
    TWindowDC dc(Wnd, DC);
    TRect window{};
    GetWindowRect(Wnd, &window);
    const TacScrollTracking& t = ScrollTracking;
    auto paint = [&](int Bar) {
        TacScrollBar* bar = BarOf(Bar);
        if (!bar->fScrollVisible) return;
        TRect r{};
        BarRect(Bar, r);
        OffsetRect(&r, -window.left, -window.top);
        PaintScrollBar(bar, Wnd, dc.Handle(), ThumbPos, t.CurrentBar == Bar ? t.DrawPortion : sbpNone, r);
    };
    paint(SB_BAR_HORZ);
    if (sBarVert == nullptr) return 0;
    paint(SB_BAR_VERT);
    if (!sBarHorz->fScrollVisible || !sBarVert->fScrollVisible) return 0;

    // The corner box between the bars, with the size grip where the window closes off its
    // top-level parent's client corner.
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    const int horz = ScrollBarSize(*sBarHorz, true, false);
    const int vert = ScrollBarSize(*sBarVert, true, false);
    TRect box{0, 0, 0, height - cyBottomEdge};
    box.top = box.bottom - horz;
    if (fLeftScrollbar) {
        box.left = cxLeftEdge;
        box.right = box.left + vert;
    } else {
        box.right = width - cxRightEdge;
        box.left = box.right - vert;
    }
    if (box.right <= box.left || box.bottom <= box.top) return 0;
    auto bmp = MakeBitmap32(box.right - box.left, box.bottom - box.top);
    const TCacheInfo background = WindowBackground(Wnd);
    if (background.Ready && background.Bmp != nullptr)
        CopyPixelBlock(bmp.get(), TRect{0, 0, bmp->Width(), bmp->Height()}, background.Bmp, background.X + box.left,
                       background.Y + box.top);
    else
        FillBitmapRect(bmp.get(), TRect{0, 0, bmp->Width(), bmp->Height()}, background.FillColor);
    if (CornerIsGrip(Wnd)) DrawSizeGrip(bmp.get(), BarSkin(*sBarHorz), TPoint{bmp->Width(), bmp->Height()});
    BitBlt(dc.Handle(), box.left, box.top, bmp->Width(), bmp->Height(), bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    return 0;
}

void TacScrollWnd::PaintDraggedThumb(int Start)
{
    const int bar = ScrollTracking.CurrentBar;
    TacScrollBar* record = BarOf(bar);
    if (record == nullptr) return;
    TRect window{};
    GetWindowRect(CtrlHandle, &window);
    TRect r = ScrollTracking.ThumbBounds;
    OffsetRect(&r, -window.left, -window.top);
    TacScrollBarLook look = BaseLook(*record, r);
    look.ThumbShown = true;
    look.ThumbSize = ScrollTracking.ThumbSize;
    look.ThumbStart = Start - (record->Vertical() ? ScrollTracking.ThumbBounds.top : ScrollTracking.ThumbBounds.left);
    look.ThumbState = 2;
    TWindowDC dc(CtrlHandle, nullptr);
    PaintBarLook(*record, CtrlHandle, dc.Handle(), look, r, true);
}
