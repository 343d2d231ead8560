// sPageControl: the window procedures of the page control and its pages: the skin commands,
// hover over tabs and close buttons, closing by a close button, the page-change animation, tab
// hints, and the pages' painting from the page control's cache.
#include <windows.h>
#include <commctrl.h>

#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "framework/graphics/DrawingGuards.h"
#include "skin/controls/sPageControl.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "skin/subclass/acSBUtils.h"

namespace {

TPoint MessagePoint(const TMessage& Message)
{
    return TPoint{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
}

bool Contains(const TRect& R, TPoint P)
{
    POINT p{P.x, P.y};
    return PtInRect(&R, p) != FALSE;
}

bool FromManager(const TMessage& Message, TsCommonData* Data)
{
    return reinterpret_cast<TsSkinManager*>(Message.LParam) == Data->SkinManager();
}

void ClearActiveControl()
{
    if (TsSkinManager* manager = TsSkinManager::DefaultSkinManager()) manager->SetActiveControl(nullptr);
}

// Every control of a container re-reads its parent's background state.
void QueryChildrenStateBits(TWinControl* Container)
{
    if (Container == nullptr) return;
    for (int i = 0; i < Container->ControlCount(); ++i) ControlSkinCmd(Container->Controls(i), AC_QUERYSTATEBITS, 1);
}

} // namespace

// ---- TsPageControl ------------------------------------------------------------------------------

bool TsPageControl::HandleSkinCommand(TMessage& Message)
{
    TsCommonData* data = FCommonData.get();
    const bool own = FromManager(Message, data);
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        if (!own) return false;
        BroadcastToControls(this, Message);
        HandleCommonMessage(Message, data);
        UpdateBtnData();
        ArrangeButtons();
        return true;
    case AC_SKINUNLOADED: {
        if (!own) return false;
        HandleCommonMessage(Message, data);
        const bool hadArrows = SpinWnd != nullptr;
        CheckUpDown();
        ArrangeButtons();
        // The standard arrows come back with a new window.
        if (hadArrows && HandleAllocated())
            RecreateWnd();
        else if (HandleAllocated())
            RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
        BroadcastToControls(this, Message);
        TPageControl::WndProc(Message);
        return true;
    }
    case AC_RESKIN:
        if (!own) return false;
        HandleCommonMessage(Message, data);
        if (Showing() && HandleAllocated())
            RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        if (TPageControl::ActivePage() != nullptr) NotifyParentForm(TPageControl::ActivePage());
        CheckUpDown();
        ArrangeButtons();
        if (SpinWnd != nullptr && !SpinWnd->Destroyed)
            SendMessageW(SpinWnd->CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
        BroadcastToControls(this, Message);
        return true;
    case AC_RESUMEPAINT:
        if (data->UpdatingFlag()) {
            data->SetUpdating(false);
            if (HandleAllocated())
                RedrawWindow(Handle(), nullptr, nullptr,
                             RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            if (TTabSheet* active = TPageControl::ActivePage(); active != nullptr && active->HandleAllocated())
                SendMessageW(active->Handle(), Message.Msg, Message.WParam, Message.LParam);
        }
        return false;
    case AC_QUERYBUSY: Message.Result = data->Updating() ? 1 : 0; return true;
    case AC_BUILDCACHE: return false;
    case AC_QUERYSTATEBITS:
        if (Message.LParam == 1) {
            if (Parent() != nullptr && Parent()->HandleAllocated()) {
                data->EvalBackgroundState(false);
                QueryChildrenStateBits(TPageControl::ActivePage());
            }
        } else {
            Message.Result = data->CtrlSkinState;
        }
        return true;
    case AC_QUERYAPP: Message.Result = reinterpret_cast<LRESULT>(static_cast<TApplication*>(Application)); return true;
    default: return HandleSkinCmd(Message, data);
    }
}

void TsPageControl::HandleMouseLeave(TMessage& Message)
{
    TPageControl::WndProc(Message);
    TTabSheet* active = TPageControl::ActivePage();
    const int activeIndex = active != nullptr ? active->PageIndex() : -1;
    if (CurItem >= 0 && CurItem != activeIndex) {
        if (HotTrack()) RepaintTab(CurItem, tsNormal);
        if (FShowCloseBtns) {
            RedrawCloseBtn(CurItem, 0, tsNormal);
            RedrawCloseBtn(activeIndex, 0, tsActive);
        }
    } else {
        RedrawCloseBtn(activeIndex, 0, tsActive);
    }
    CloseBtnPressed = false;
    CurItem = -1;
}

bool TsPageControl::HandleMouseMove(TMessage& Message)
{
    ClearActiveControl();
    const bool hotStyle = HotTrack() || Style() != tsTabs;
    if (!hotStyle && !FShowCloseBtns) return false;
    const TPoint p = MessagePoint(Message);
    TTabSheet* active = TPageControl::ActivePage();
    const int activeIndex = active != nullptr ? active->PageIndex() : -1;
    const int hotState = HotTrack() ? tsHot : tsNormal;
    if (!Contains(TabsRect(), p)) {
        if (CurItem >= 0) {
            if (hotStyle) RepaintTab(CurItem, tsNormal);
            RedrawCloseBtn(CurItem, 0, tsNormal);
        }
        CurItem = -1;
        CloseBtnPressed = false;
        return false;
    }
    // Pending paints first: the hover look goes over an up-to-date strip.
    Application->ProcessMessages();
    const int n = TabAtPos(p);
    if (n == CurItem) {
        if (FShowCloseBtns && CurItem != -1) {
            RedrawCloseBtn(CurItem, Contains(CloseBtnRect(CurItem), p) ? 1 : 0, hotState);
            return true;
        }
        return false;
    }
    if (CurItem >= 0) {
        if (hotStyle) RepaintTab(CurItem, tsNormal);
        RedrawCloseBtn(CurItem, 0, tsNormal);
    } else if (FShowCloseBtns && n != activeIndex) {
        RedrawCloseBtn(activeIndex, 0, tsActive);
    }
    TPageControl::WndProc(Message);
    CurItem = n;
    if (n != -1 && (HotTrack() || FShowCloseBtns)) {
        if (n != activeIndex) {
            if (hotStyle) RepaintTab(n, hotState);
        } else {
            CurItem = -1;
            if (FShowCloseBtns) RedrawCloseBtn(activeIndex, Contains(CloseBtnRect(activeIndex), p) ? 1 : 0, tsActive);
            return true;
        }
    }
    if (FShowCloseBtns && CurItem >= 0 && Contains(CloseBtnRect(CurItem), p)) {
        RedrawCloseBtn(CurItem, 1, tsHot);
        RedrawCloseBtn(activeIndex, 0, tsActive);
    }
    return true;
}

bool TsPageControl::HandleCloseBtnClick(TMessage& Message)
{
    const TPoint p = MessagePoint(Message);
    if (!FShowCloseBtns || BtnIndex < 0 || !Contains(TabsRect(), p)) return false;
    TTabSheet* active = TPageControl::ActivePage();
    int count = 0;
    for (int i = 0; i < PageCount(); ++i) {
        TTabSheet* sheet = FPages[static_cast<size_t>(i)];
        if (!sheet->TabVisible()) continue;
        const TRect tab = SkinTabRect(count++, sheet == active);
        auto* page = dynamic_cast<TsTabSheet*>(sheet);
        if (!Contains(tab, p) || page == nullptr || !page->UseCloseBtn() || !Contains(CloseBtnRect(i), p)) continue;
        const bool press = Message.Msg == WM_LBUTTONDOWN;
        RedrawCloseBtn(i, press ? 2 : 1, sheet == active ? tsActive : (HotTrack() ? tsHot : tsNormal));
        if (press) {
            CloseBtnPressed = true;
        } else if (CloseBtnPressed) {
            CloseBtnPressed = false;
            ClosePage(i);
        }
        Message.Result = 0;
        return true;
    }
    return false;
}

bool TsPageControl::HandleSkinnedMessage(TMessage& Message)
{
    TsCommonData* data = FCommonData.get();
    switch (Message.Msg) {
    case WM_PAINT:
        if (!Visible()) return false;
        if (Message.WParam != 0) {
            // Painting into a DC it was handed (a copy of the control).
            if (data->FullPaintNeeded() && !FormAnimating) AC_WMPaint(Message);
        } else {
            // An update without erasing gets no WM_ERASEBKGND: then the paint does it all.
            FPaintedOnErase = false;
            TPaintGuard paint(Handle());
            if ((data->FullPaintNeeded() || !FPaintedOnErase) && !FormAnimating) {
                TMessage own = Message;
                AC_WMPaint(own);
            }
        }
        Message.Result = 0;
        return true;
    case WM_ERASEBKGND:
        if (!FormAnimating && !AnimationInProgress && (data->CtrlSkinState & ACS_FAST) != 0) {
            TMessage paint = Message;
            AC_WMPaint(paint);
            FPaintedOnErase = true;
        }
        Message.Result = 1;
        return true;
    case WM_PRINTCLIENT:
    case WM_PRINT: {
        CheckUpDown();
        ArrangeButtons();
        data->SetUpdating(false);
        AC_WMPaint(Message);
        PaintArrows(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 0;
        return true;
    }
    case WM_NCPAINT:
        if (FormAnimating || AnimationInProgress) return true;
        if (!data->FullPaintNeeded()) return true;
        if (TTabSheet* active = TPageControl::ActivePage(); active != nullptr && !data->Updating()) {
            TWindowDCGuard dc(Handle());
            const TRect strip = TabsRect();
            const TRect page = active->BoundsRect();
            const TRect tab = SkinTabRect(active->TabIndex(), true);
            ExcludeClipRect(dc.DC(), strip.left, strip.top, strip.right, strip.bottom);
            ExcludeClipRect(dc.DC(), page.left, page.top, page.right, page.bottom);
            ExcludeClipRect(dc.DC(), tab.left, tab.top, tab.right, tab.bottom);
            const TRect all{0, 0, Width(), Height()};
            CopyCacheToDC(this, data, all, 0, 0, false, dc.DC(), all);
            PaintArrows(nullptr);
        }
        Message.Result = 0;
        return false;
    case WM_STYLECHANGING:
    case WM_STYLECHANGED:
    case WM_HSCROLL:
        if (ComponentState().Contains(csLoading)) return false;
        data->BGChanged = true;
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        return false;
    case WM_PARENTNOTIFY: {
        const UINT event = LOWORD(Message.WParam);
        if ((event != WM_CREATE && event != WM_DESTROY) || ComponentState().Contains(csLoading)) return false;
        const int pages = PageCount();
        TPageControl::WndProc(Message);
        TsSkinManager* manager = data->SkinManager();
        if (event == WM_CREATE && manager != nullptr && manager->SkinningRules().Contains(srThirdParty) &&
            pages != PageCount())
            NotifyParentForm(this);
        return true;
    }
    case TCM_SETCURSEL:
        QueryChildrenStateBits(TPageControl::ActivePage());
        data->BGChanged = true;
        return false;
    case CM_CONTROLLISTCHANGE: {
        const int pages = PageCount();
        TPageControl::WndProc(Message);
        if (pages != PageCount()) {
            CheckUpDown();
            ArrangeButtons();
            TsSkinManager* manager = data->SkinManager();
            if (manager != nullptr && manager->SkinningRules().Contains(srThirdParty)) NotifyParentForm(this);
        }
        return true;
    }
    default: return false;
    }
}

void TsPageControl::AfterStandardHandling(TMessage& Message)
{
    if (!SkinActive()) {
        if (Message.Msg == WM_WINDOWPOSCHANGING || Message.Msg == CM_INVALIDATE) ArrangeButtons();
        return;
    }
    TsCommonData* data = FCommonData.get();
    switch (Message.Msg) {
    case TCM_DELETEITEM:
        if (!data->Updating()) data->BGChanged = true;
        break;
    case WM_SIZE:
        if (!ComponentState().Contains(csLoading)) {
            CheckUpDown();
            ArrangeButtons();
        }
        break;
    case WM_LBUTTONDOWN:
        if (Style() != tsTabs && CurItem >= 0) RepaintTab(CurItem, tsHot);
        break;
    case TCM_SETCURSEL:
    case CM_DIALOGCHAR:
        data->BGChanged = true;
        if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        RefreshChildControls(this);
        break;
    default: break;
    }
}

void TsPageControl::WndProc(TMessage& Message)
{
    if (FCommonData == nullptr) {
        TPageControl::WndProc(Message);
        return;
    }
    if (Message.Msg == SM_LUMACMD) {
        if (HandleSkinCommand(Message)) return;
        if (SkinActive() && HandleCommonMessage(Message, FCommonData.get())) return;
        TPageControl::WndProc(Message);
        return;
    }
    const bool skinned = SkinActive() && ControlIsReady(this);
    if (skinned) {
        switch (Message.Msg) {
        case WM_SETFOCUS:
        case WM_KILLFOCUS: {
            const bool changed = FCommonData->BGChanged;
            TPageControl::WndProc(Message);
            FCommonData->BGChanged = changed;
            if (Message.Msg == WM_KILLFOCUS && TPageControl::ActivePage() != nullptr && HandleAllocated()) {
                // Takes the focus frame off the active tab.
                TWindowDCGuard dc(Handle());
                DrawSkinTab(TPageControl::ActivePage()->PageIndex(), tsActive, dc.DC());
            }
            return;
        }
        case WM_MOUSEMOVE:
            if (HandleMouseMove(Message)) return;
            break;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
            if (HandleCloseBtnClick(Message)) return;
            break;
        case WM_MOUSELEAVE:
        case CM_MOUSELEAVE:
            if (HotTrack() || FShowCloseBtns) {
                HandleMouseLeave(Message);
                return;
            }
            break;
        case TCM_INSERTITEMA:
        case TCM_INSERTITEMW: FCommonData->BGChanged = true; break;
        default: break;
        }
        if (HandleCommonMessage(Message, FCommonData.get())) return;
        if (HandleSkinnedMessage(Message)) return;
    }
    TPageControl::WndProc(Message);
    AfterStandardHandling(Message);
}

void TsPageControl::CNNotify(TMessage& Message)
{
    const auto* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    TsSkinManager* manager = FCommonData != nullptr ? FCommonData->SkinManager() : nullptr;
    if (!SkinActive() || manager == nullptr || header == nullptr) {
        TPageControl::CNNotify(Message);
        return;
    }
    TacPageChange* animation = manager->AnimEffects()->PageChange();
    const bool animate = animation->Active() && ControlIsReady(this);
    switch (header->code) {
    case TCN_SELCHANGING:
        if (animate) CoverControlSnapshot(this);
        TPageControl::CNNotify(Message);
        if (Message.Result == 1 || LookChangeOutputWindow() == nullptr) {
            SendMessageW(Handle(), WM_SETREDRAW, 1, 0);
            ReleaseLookChangeCover();
            Perform(WM_MOUSEMOVE, 0, 0);
        }
        return;
    case TCN_SELCHANGE:
        TPageControl::CNNotify(Message);
        if (animate && LookChangeOutputWindow() != nullptr) {
            AnimateLookChange(this, animation->Time(), 255, atFading);
            if (TTabSheet* active = TPageControl::ActivePage(); active != nullptr && active->HandleAllocated())
                RedrawWindow(active->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        }
        return;
    default: TPageControl::CNNotify(Message); return;
    }
}

void TsPageControl::CMHintShow(TMessage& Message)
{
    auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
    const int page = info != nullptr ? TabAtPos(info->CursorPos) : -1;
    if (page < 0) {
        TPageControl::CMHintShow(Message);
        return;
    }
    info->HintStr = FPages[static_cast<size_t>(page)]->Hint();
    const TPoint cursor = ScreenCursorPos();
    info->HintPos = TPoint{cursor.x + GetSystemMetrics(SM_CXCURSOR) / 2, cursor.y + GetSystemMetrics(SM_CYCURSOR) / 2};
    Message.Result = 0;
}

// ---- TsTabSheet -------------------------------------------------------------------------------

bool TsTabSheet::PaintsFromPageControl() const
{
    TsPageControl* control = SkinnedPageControl();
    return control != nullptr && control->SkinActive() && !ComponentState().Contains(csDestroying) &&
           !control->ComponentState().Contains(csDestroying);
}

void TsTabSheet::EraseFromCache(HDC DC)
{
    TsPageControl* control = SkinnedPageControl();
    TsCommonData* data = control->SkinData();
    if (data->Updating()) return;
    const int border = BorderWidth();
    const TRect src{Left() + border, Top() + border, Left() + border + Width(), Top() + border + Height()};
    const TRect dst{0, 0, Width(), Height()};
    CopyCacheToDC(this, data, src, 0, 0, false, DC, dst);
    DrawGraphicChildren(DC, this, TPoint{0, 0}, true);
}

void TsTabSheet::PaintBorderFromCache(HDC DC)
{
    TsCommonData* data = SkinnedPageControl()->SkinData();
    if (data->Updating() || data->CacheBmp() == nullptr) return;
    CopyFrameStrips(DC, 0, 0, Width(), Height(), data->CacheBmp()->Canvas()->Handle(), Left(), Top(), BorderWidth());
}

bool TsTabSheet::HandleSkinCommand(TMessage& Message)
{
    TsPageControl* control = SkinnedPageControl();
    TsCommonData* data = control->SkinData();
    const bool own = FromManager(Message, data);
    const bool skinned = control->SkinActive();
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED: BroadcastToControls(this, Message); return false;
    case AC_SKINUNLOADED:
    case AC_RESKIN:
        if (own && HandleAllocated() && (SkinCmdSub(Message.WParam) == AC_SKINUNLOADED || Visible()))
            RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        BroadcastToControls(this, Message);
        return false;
    default: break;
    }
    if (!skinned) return false;
    switch (SkinCmdSub(Message.WParam)) {
    case AC_RESUMEPAINT:
        if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
        RefreshChildControls(this);
        return true;
    case AC_QUERYSKINNED: Message.Result = 1; return true;
    case AC_QUERYBUSY: Message.Result = data->Updating() ? 1 : 0; return true;
    case AC_QUERYMOVEREPAINT: {
        const TsSkin* skin = data->Skin();
        const TsGeneralData& gd = skin->gd[data->SkinIndex];
        Message.Result = gd.GradientPercent + gd.ImagePercent > 0 || data->RepaintIfMoved() ? 1 : 0;
        Message.LParam = Message.Result;
        return true;
    }
    case AC_QUERYBGCOLOR:
        Message.Result = control->Perform(SM_LUMACMD, Message.WParam, Message.LParam);
        return true;
    case AC_QUERYSKININDEX:
        if (Message.LParam != 0) *reinterpret_cast<std::int32_t*>(Message.LParam) = data->SkinIndex;
        return true;
    case AC_QUERYBGINFO: {
        auto* query = reinterpret_cast<TBackgroundQuery*>(Message.LParam);
        if (query == nullptr) return true;
        data->DescribeBackground(*query, false);
        if (query->Kind == bgkBitmap && query->DrawRequested == 0) {
            query->OffsetX += Left() + BorderWidth();
            query->OffsetY += Top() + BorderWidth();
        }
        return true;
    }
    case AC_QUERYSTATEBITS:
        if (Message.LParam == 1)
            QueryChildrenStateBits(this);
        else
            Message.Result = data->CtrlSkinState;
        return true;
    case AC_QUERYAPP: Message.Result = reinterpret_cast<LRESULT>(static_cast<TApplication*>(Application)); return true;
    default: return false;
    }
}

void TsTabSheet::WndProc(TMessage& Message)
{
    TsPageControl* control = SkinnedPageControl();
    if (Message.Msg == SM_LUMACMD && control != nullptr && control->SkinData() != nullptr) {
        if (!HandleSkinCommand(Message)) TTabSheet::WndProc(Message);
        return;
    }
    if (control == nullptr || !PaintsFromPageControl()) {
        if (Message.Msg == WM_NCPAINT && control != nullptr && BorderWidth() > 0 && Showing() &&
            !SystemFacts().ThemeActive()) {
            // Nothing else paints the ring the border width leaves around the client area.
            TWindowDCGuard dc(Handle(), TWindowDCGuard::WholeWindow);
            const int w = BorderWidth();
            PaintColorFrame(dc.DC(), TRect{0, 0, Width(), Height()}, w, Color(), w, w, w);
            Message.Result = 1;
            return;
        }
        TTabSheet::WndProc(Message);
        return;
    }
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        if (Showing() && Message.WParam != 0) {
            const TsCommonData* data = control->SkinData();
            const bool printing = (data->CtrlSkinState & ACS_PRINTING) != 0;
            if (!printing || reinterpret_cast<HDC>(Message.WParam) == data->PrintDC)
                EraseFromCache(reinterpret_cast<HDC>(Message.WParam));
        }
        Message.Result = 1;
        return;
    case WM_NCPAINT:
        if (BorderWidth() > 0 && Showing()) {
            TWindowDCGuard dc(Handle(), TWindowDCGuard::WholeWindow);
            PaintBorderFromCache(dc.DC());
            Message.Result = 1;
            return;
        }
        break;
    case WM_PAINT:
        if (!Visible()) break;
        if (Message.WParam == 0) {
            // The page is its background: painting goes through the erase.
            InvalidateRect(Handle(), nullptr, TRUE);
            TPaintGuard paint(Handle());
        }
        Message.Result = 0;
        return;
    case WM_PRINT:
    case WM_PRINTCLIENT:
        EraseFromCache(reinterpret_cast<HDC>(Message.WParam));
        Message.Result = 0;
        return;
    case WM_MOUSEMOVE: ClearActiveControl(); break;
    case WM_PARENTNOTIFY: {
        const UINT event = LOWORD(Message.WParam);
        if (event != WM_CREATE && event != WM_DESTROY) break;
        TTabSheet::WndProc(Message);
        if (event == WM_CREATE) {
            NotifyParentForm(this);
            SendSkinCmd(reinterpret_cast<HWND>(Message.LParam), AC_QUERYSTATEBITS, 1);
        }
        return;
    }
    case CM_TEXTCHANGED: control->SkinData()->BGChanged = true; break;
    default: break;
    }
    TTabSheet::WndProc(Message);
}
