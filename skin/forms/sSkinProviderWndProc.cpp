// The form's window procedure while a provider skins it: the skin commands, and the life-cycle,
// activation, sizing and painting messages. Whatever it does not take goes to the procedure the
// form had before (the old procedure).
#include <cstdlib>

#include "skin/controls/sFading.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/subclass/acSBUtilsScrollBars.h"
#include "framework/stdctrls/Label.h"

namespace {

// The message that asks a window whether it keeps its own region (answered 0 here).
inline constexpr UINT WM_KEEPOWNREGION = 0xBC4D;

// Asks each direct child of Parent to read its parent's state bits again (a new child, or one
// whose place in the form changed, may stand on another background now).
void ChildrenRereadStateBits(TWinControl* Parent)
{
    for (int i = 0; i < Parent->ControlCount(); ++i) ControlSkinCmd(Parent->Controls(i), AC_QUERYSTATEBITS, 1);
}

} // namespace

void TsSkinProvider::CallOld(TMessage& Message)
{
    if (OldWndProc) OldWndProc(Message);
    else if (Form != nullptr) Form->WndProc(Message);
}

void TsSkinProvider::NewWndProc(TMessage& Message)
{
    if (Message.Msg == SM_LUMACMD && SkinCommandAnyState(Message)) return;
    bool destroying = Form->ComponentState().Contains(csDestroying);
    if (destroying || !Skinned()) {
        SkinCommandUnskinned(Message);
        return;
    }
    if (Message.Msg == SM_LUMACMD) SkinCommandSkinned(Message);
    else WindowMessageSkinned(Message);
}

// ---- Skin commands in every state; true when the message is done ----

bool TsSkinProvider::SkinCommandAnyState(TMessage& Message)
{
    TsSkinManager* manager = Manager();
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        if (!Form->ComponentState().Contains(csDestroying) && FCommonData &&
            reinterpret_cast<TsSkinManager*>(Message.LParam) == manager && !SystemMenu)
            PrepareForm();
        return false;
    case AC_SKINUNLOADED:
        HandleSkinUnloaded(Message);
        return true;
    case AC_QUERYSKINNED:
        Message.Result = 1;
        return true;
    case AC_UPDATEDONE:
        if (FCommonData && (FCommonData->CtrlSkinState & ACS_MNUPDATING)) {
            FCommonData->CtrlSkinState &= ~ACS_MNUPDATING;
            Form->Perform(CM_MENUCHANGED, 0, 0);
        }
        return false;
    case AC_QUERYBGINFO: {
        if (!FCommonData) return true;
        auto* query = reinterpret_cast<TBackgroundQuery*>(Message.LParam);
        query->OffsetX = query->OffsetY = 0;
        if (FCommonData->BGChanged && (!FCommonData->Updating() || FInAnimation) && FCommonData->FullPaintNeeded())
            PaintFormCache();
        if (query->DrawRequested) {
            query->OffsetX += OffsetX();
            query->OffsetY += OffsetY();
        }
        bool hot = FormActive && manager != nullptr && manager->IsValidSkinIndex(FCommonData->SkinIndex) &&
                   manager->gd[FCommonData->SkinIndex].States >= 2;
        FCommonData->DescribeBackground(*query, hot, Form->HandleAllocated() ? Form->Handle() : nullptr);
        if (query->Kind == bgkBitmap && !query->DrawRequested && query->Bitmap == nullptr) {
            PaintFormCache();
            query->Bitmap = FCommonData->CacheBmp();
        }
        if (Form->HandleAllocated()) {
            query->OffsetX += OffsetX();
            query->OffsetY += OffsetY();
        }
        return true;
    }
    case AC_QUERYSTATEBITS:
        Message.Result = FCommonData ? FCommonData->CtrlSkinState : 0;
        return true;
    case AC_QUERYAPP:
        Message.Result = reinterpret_cast<LRESULT>(static_cast<TApplication*>(Application));
        return true;
    case AC_QUERYCLIENTOFFSET:
        Message.Result = Form->HandleAllocated() ? MAKELONG(OffsetX(), OffsetY()) : 0;
        return true;
    default:
        return false;
    }
}

void TsSkinProvider::HandleSkinUnloaded(TMessage& Message)
{
    TsSkinManager* manager = Manager();
    if (reinterpret_cast<TsSkinManager*>(Message.LParam) != manager) {
        BroadcastToControls(Form, Message);
        return;
    }
    FreeScrollHandler();
    DisableDwmTransitions(Form->HandleAllocated() ? Form->Handle() : nullptr, false);
    HandleSkinCmd(Message, FCommonData.get());
    BroadcastToControls(Form, Message);
    FLinesCount = FTitleSkinIndex = FCaptionSkinIndex = -1;
    DeleteAdapter();
    if (Form == nullptr || Form->ComponentState().Contains(csDestroying)) return;
    if (manager != nullptr && Form->HandleAllocated()) {
        UpdateSysMenuStyle(false);
        if (HasFrame() && !InMenu) SetWindowRgn(Form->Handle(), nullptr, TRUE);
    }
    // Plain labels were drawn in the skin's font colour; they take the window text colour back.
    for (int i = 0; i < Form->ComponentCount(); ++i) {
        auto* label = dynamic_cast<TLabel*>(Form->Components(i));
        if (label == nullptr) continue;
        label->Font()->SetColor(clWindowText);
        if (!label->Transparent()) label->SetControlStyle(TControlStyle(label->ControlStyle()).Include(csOpaque));
    }
    if (FUseGlobalColor && !FCommonData->CustomColor()) Form->SetColor(clBtnFace);
    FCommonData->EmptyCache();
    if (Form->HandleAllocated())
        SetWindowPos(Form->Handle(), nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

// ---- Form being destroyed or not skinned ----

void TsSkinProvider::SkinCommandUnskinned(TMessage& Message)
{
    if (Message.Msg == SM_LUMACMD) {
        int sub = SkinCmdSub(Message.WParam);
        if (sub == AC_QUERYPROVIDER) {
            Message.Result = reinterpret_cast<LRESULT>(this);
            return;
        }
        if (sub == AC_SKINLOADED && !Form->ComponentState().Contains(csDestroying) && FCommonData) {
            TsSkinManager* manager = Manager();
            if (reinterpret_cast<TsSkinManager*>(Message.LParam) != manager) return;
            KillAnimations();
            FCommonData->UpdateIndexes();
            FTitleSkinIndex = -1;
            TitleSkinIndex();
            if (manager != nullptr) {
                FCaptionSkinIndex = manager->GetSkinIndex(L"CAPTION");
                FSysExHeight = false;
                InitTitleButtonMasks();
                UpdateSysMenuStyle(true);
                FCommonData->BGChanged = true;
                FLinesCount = -1;
                if (FUseGlobalColor && !FCommonData->CustomColor()) ApplyGlobalColor();
                if (Form->HandleAllocated()) {
                    DisableDwmTransitions(Form->Handle(), true);
                    RgnChanged = true;
                    SetWindowPos(Form->Handle(), nullptr, 0, 0, 0, 0,
                                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
                }
            }
            CreateAdapter();
            return;
        }
    }
    CallOld(Message);
    // A form that was never skinned has nothing to animate, and one being destroyed goes at once.
    if (Message.Msg == WM_WINDOWPOSCHANGED && FCommonData && !Form->ComponentState().Contains(csDestroying)) {
        const auto& pos = *reinterpret_cast<const WINDOWPOS*>(Message.LParam);
        TsSkinManager* manager = Manager();
        if (manager != nullptr && manager->Active() && LayeredWindowsAvailable() && (pos.flags & SWP_HIDEWINDOW) &&
            !Iconic() && !SkipAnimation && FDrawNonClientArea && HideAnimationWanted(false)) {
            SkipAnimation = true;
            AnimHideSkinnedForm(this);
            SkipAnimation = false;
            SetWindowInvisible(Form->Handle(), false);
        }
    }
}

// ---- Skin commands while skinned ----

void TsSkinProvider::SkinCommandSkinned(TMessage& Message)
{
    TsSkinManager* manager = Manager();
    bool ownManager = reinterpret_cast<TsSkinManager*>(Message.LParam) == manager;
    HWND wnd = Form->HandleAllocated() ? Form->Handle() : nullptr;
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        if (!ownManager) return;
        FCommonData->UpdateIndexes();
        FTitleSkinIndex = -1;
        TitleSkinIndex();
        FCaptionSkinIndex = manager->GetSkinIndex(L"CAPTION");
        InitTitleButtonMasks();
        UpdateSysMenuStyle(FDrawNonClientArea);
        FCommonData->BGChanged = true;
        FLinesCount = -1;
        RgnChanged = true;
        if (wnd != nullptr) SendMessageW(wnd, WM_NCPAINT, 0, 0);
        return;
    case AC_RESKIN:
        if (!ownManager) return;
        CreateAdapter();
        if (FDrawNonClientArea) AttachScrollHandler();
        if (Form->Parent() != nullptr && !IsMDIChild()) FCommonData->CtrlSkinState &= ~ACS_FAST;
        FLinesCount = -1;
        if (HasFrame()) RgnChanged = true;
        if (wnd != nullptr && IsWindowVisible(wnd)) {
            FCommonData->BGChanged = true;
            if (!fAnimating)
                RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_NOCHILDREN | RDW_ERASE | RDW_INVALIDATE);
        }
        if (FUseGlobalColor && !FCommonData->CustomColor()) ApplyGlobalColor();
        FCommonData->SetUpdating(false);
        AdapterNotify(Message);
        return;
    case AC_QUERYPROVIDER:
        Message.Result = reinterpret_cast<LRESULT>(this);
        return;
    case AC_RESUMEPAINT:
        if (FCommonData->Updating()) {
            FCommonData->SetUpdating(false);
            if (wnd != nullptr) RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        }
        return;
    case AC_UPDATINGSTATE:
        FCommonData->SetUpdating(SkinCmdSwitchOn(Message.WParam));
        if (FCommonData->Updating()) FCommonData->BGChanged = true;
        return;
    case AC_SETURGENCY:
        HandleCommonMessage(Message, FCommonData.get());
        if (FCommonData->UrgentPainting) PaintFormCache();
        return;
    case AC_QUERYBUSY:
        Message.Result = !FInAnimation && FCommonData->FullPaintNeeded() && FCommonData->Updating() ? 1 : 0;
        return;
    case AC_MARKDIRTY:
        FCommonData->BGChanged = true;
        return;
    case AC_QUERYMOVEREPAINT: {
        const TsGeneralData& gd = manager->gd[FCommonData->SkinIndex];
        Message.LParam = Message.Result = gd.GradientPercent + gd.ImagePercent > 0 ? 1 : 0;
        return;
    }
    case AC_QUERYBGCOLOR:
        Message.Result = FCommonData->StateBackColor(false, wnd);
        return;
    case AC_CHILDADDED:
        // The control adapter, which skins the new control, comes later.
        return;
    case AC_SCROLLSTART:
        if (FCommonData->RepaintIfMoved() && wnd != nullptr) SendMessageW(wnd, WM_SETREDRAW, 0, 0);
        return;
    case AC_SCROLLEND:
        if (FCommonData->RepaintIfMoved() && wnd != nullptr) {
            SendMessageW(wnd, WM_SETREDRAW, 1, 0);
            RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
        }
        return;
    default:
        // Every other skin command is swallowed while the form is skinned.
        return;
    }
}

// ---- Window messages while skinned ----

void TsSkinProvider::WindowMessageSkinned(TMessage& Message)
{
    if (MouseMessage(Message)) return;
    HWND wnd = Form->HandleAllocated() ? Form->Handle() : nullptr;
    switch (Message.Msg) {
    case WM_CREATE:
    case WM_NCCREATE:
        CallOld(Message);
        if (!IsMDIChild()) PrepareForm();
        return;
    case WM_MOVE:
        KillAnimations();
        CallOld(Message);
        return;
    case WM_SIZE:
        DoSize(Message);
        return;
    case WM_ACTIVATE:
        CallOld(Message);
        if (!Form->Showing()) return;
        if (ListSW == nullptr && FDrawNonClientArea) AttachScrollHandler();
        if (Form->ControlState().Contains(csCreating)) return;
        FLinesCount = -1;
        if (LOWORD(Message.WParam) == WA_INACTIVE) return;
        if (SystemMenu) SystemMenu->UpdateItems(false);
        // Without a frame nothing else repaints on activation: the children show the new state.
        if (Form->BorderStyle() == bsNone) RefreshChildControls(Form);
        return;
    case WM_SETREDRAW:
        if (Message.WParam == 1) LockCount = std::max(0, LockCount - 1);
        else ++LockCount;
        CallOld(Message);
        return;
    case WM_SETTEXT:
        if (!Form->Showing() || Form->ControlState().Contains(csCreating) || !FDrawNonClientArea) {
            CallOld(Message);
            return;
        }
        FGlow1.reset();
        FGlow2.reset();
        if (IsCompositionActive()) {
            CallOld(Message);
            RepaintFormFrame();
            return;
        }
        // The system draws its own caption while the text changes: the cover hides it, and the
        // title uncovered afterwards is painted from the new image.
        FCommonData->BGChanged = true;
        ShowCaptionForm();
        CallOld(Message);
        HideCaptionForm();
        if (Form->AlphaBlend()) SendMessageW(wnd, WM_NCPAINT, 0, 0);
        return;
    case WM_PAINT:
        DoPaintMessage(Message);
        return;
    case WM_ERASEBKGND:
        DoEraseBkgnd(Message);
        return;
    case WM_PRINT:
        DoPrint(Message);
        return;
    case WM_PRINTCLIENT:
    case WM_ENTERIDLE:
    case CM_CONTROLLISTCHANGING:
    case WM_KEEPOWNREGION:
        Message.Result = 0;
        return;
    case WM_NCPAINT:
        DoNCPaintMessage(Message);
        return;
    case WM_NCACTIVATE:
        DoNCActivate(Message);
        return;
    case WM_SHOWWINDOW:
        DoShowWindow(Message);
        return;
    case CM_SHOWINGCHANGED:
        DoShowingChanged(Message);
        return;
    case WM_WINDOWPOSCHANGED:
        DoWindowPosChanged(Message);
        return;
    case WM_CLOSE:
        DoClose(Message);
        return;
    case WM_QUERYENDSESSION:
        // The session may end right after this answer: no fade may still be stepping then.
        StopAllFades();
        CallOld(Message);
        return;
    case WM_SETTINGCHANGE:
        FCommonData->BGChanged = true;
        CallOld(Message);
        return;
    case WM_GETMINMAXINFO:
        WMGetMinMaxInfo(Message);
        return;
    case WM_WINDOWPOSCHANGING:
        DoWindowPosChanging(Message);
        return;
    case WM_SETICON:
        if (Loading() || Message.LParam == 0 || fAnimating || !Form->Showing()) {
            CallOld(Message);
            return;
        }
        if (!IsCompositionActive()) SendMessageW(wnd, WM_SETREDRAW, 0, 0);
        CallOld(Message);
        if (!IsCompositionActive()) SendMessageW(wnd, WM_SETREDRAW, 1, 0);
        RepaintFormFrame();
        return;
    case CM_VISIBLECHANGED:
        if (RTInit && Message.WParam == 1) {
            RTInit = false;
            LoadInit();
        }
        CallOld(Message);
        if (Message.WParam == 0) {
            if (FCommonData->CacheBmp() != nullptr && !Form->ComponentState().Contains(csDestroying))
                FCommonData->EmptyCache();
            KillAnimations();
        }
        return;
    case CM_ENABLEDCHANGED:
        CallOld(Message);
        if (FDrawNonClientArea && wnd != nullptr) {
            FCommonData->BGChanged = true;
            SendMessageW(wnd, WM_NCPAINT, 0, 0);
        }
        return;
    case CM_MENUCHANGED:
        if (!Form->ControlState().Contains(csCreating) && Form->Visible() && !FInAnimation &&
            !(FCommonData->CtrlSkinState & ACS_LOCKED)) {
            FLinesCount = -1;
            MenuChanged = true;
            FCommonData->BGChanged = true;
        }
        CallOld(Message);
        return;
    case WM_PARENTNOTIFY:
        CallOld(Message);
        if (Loading() || Form->ComponentState().Contains(csLoading)) return;
        if (LOWORD(Message.WParam) != WM_CREATE && LOWORD(Message.WParam) != WM_DESTROY) return;
        ChildrenRereadStateBits(Form);
        if (FDrawNonClientArea && ListSW != nullptr) SyncScrollBars(ListSW, true);
        return;
    case CM_CONTROLLISTCHANGE: {
        CallOld(Message);
        auto* control = reinterpret_cast<TControl*>(Message.WParam);
        if (control == nullptr) return;
        if (auto* win = dynamic_cast<TWinControl*>(control)) ChildrenRereadStateBits(win);
        control->Perform(SM_LUMACMD, MakeSkinWParam(AC_QUERYSTATEBITS), 1);
        return;
    }
    case CM_FLOAT:
        CallOld(Message);
        FreeScrollHandler();
        if (wnd != nullptr) SendMessageW(wnd, SM_LUMACMD, MakeSkinWParam(AC_RESKIN), reinterpret_cast<LPARAM>(Manager()));
        return;
    case 0x0323:  // WM_DWMSENDICONICTHUMBNAIL
        if (HIWORD(Message.LParam) != 0 && LOWORD(Message.LParam) != 0)
            Message.Result = SendIconicThumbnail(wnd, this, HIWORD(Message.LParam), LOWORD(Message.LParam));
        return;
    case 0x0326:  // WM_DWMSENDICONICLIVEPREVIEWBITMAP
        Message.Result = SendIconicPreview(wnd, this);
        return;
    default:
        CallOld(Message);
        return;
    }
}

void TsSkinProvider::DoSize(TMessage& Message)
{
    HWND wnd = Form->Handle();
    if (FCommonData->Updating()) {
        FCommonData->BGChanged = true;
        CallOld(Message);
        return;
    }
    TRect client{0, 0, LOWORD(Message.LParam), HIWORD(Message.LParam)};
    bool shrank = client.right < LastClientRect.right || client.bottom < LastClientRect.bottom;
    bool grew = client.right > LastClientRect.right || client.bottom > LastClientRect.bottom;
    if (GripVisible() && Manager() != nullptr) {
        if (const TsMaskData* grip = SkinMask(&Manager()->Skin(), Manager()->GetMaskIndex(L"GLOBALINFO", L"GRIPIMAGE"))) {
            bool erase = !FCommonData->FullPaintNeeded();
            int w = grip->FrameWidth(), h = grip->FrameHeight();
            if (grew && erase && !IsRectEmpty(&LastClientRect)) {
                RECT old{LastClientRect.right - w, LastClientRect.bottom - h, LastClientRect.right, LastClientRect.bottom};
                InvalidateRect(wnd, &old, erase);
            }
            if (shrank) {
                RECT now{client.right - w, client.bottom - h, client.right, client.bottom};
                InvalidateRect(wnd, &now, erase);
            }
        }
    }
    // The section's right-hand corner images are drawn at the client's old corner: that place
    // shows the next background when the client gets smaller.
    if ((shrank || IsRectEmpty(&LastClientRect)) && Manager() != nullptr) {
        for (const wchar_t* image : {L"IMGTOPRIGHT", L"IMGBTMRIGHT"}) {
            const TsMaskData* corner = SkinMask(&Manager()->Skin(), Manager()->GetMaskIndex(FCommonData->SkinIndex, L"FORM", image));
            if (corner == nullptr) continue;
            RECT old{LastClientRect.right - corner->FrameWidth(), LastClientRect.bottom - corner->FrameHeight(),
                     LastClientRect.right, LastClientRect.bottom};
            InvalidateRect(wnd, &old, !FCommonData->FullPaintNeeded());
        }
    }
    FGlow1.reset();
    FGlow2.reset();
    FLinesCount = -1;
    if (Form->Parent() != nullptr) {
        CallOld(Message);
    } else {
        bool was = FCommonData->Updating();
        FCommonData->SetUpdating(true);
        CallOld(Message);
        FCommonData->SetUpdating(was);
    }
    if (!fAnimating) {
        if (Form->Showing()) {
            if (CacheSizeChanged() || (Iconic() && InAero)) {
                RgnChanged = true;
                FCommonData->BGChanged = true;
                bool grewBeyond = FCommonData->FullPaintNeeded() && FCommonData->CacheBmp() != nullptr &&
                                  (Form->Width() > FCommonData->CacheBmp()->Width() ||
                                   Form->Height() > FCommonData->CacheBmp()->Height());
                if (FDrawNonClientArea) SendMessageW(wnd, WM_NCPAINT, 0, 0);
                if (!FCommonData->Updating()) {
                    // A gradient follows the client's height or width: the children standing on
                    // it take a new piece of it.
                    const bool heightTied = (FCommonData->BGType & BGT_GRADIENTVERT) && client.bottom != LastClientRect.bottom;
                    const bool widthTied = (FCommonData->BGType & BGT_GRADIENTHORZ) && client.right != LastClientRect.right;
                    if (heightTied || widthTied)
                        BroadcastToControls(Form, TMessage{SM_LUMACMD, MakeSkinWParam(AC_MOVEDREPAINT, 1), 0, 0});
                    RefreshChildControls(Form);
                    RedrawWindow(wnd, nullptr, nullptr, RDW_NOFRAME | RDW_UPDATENOW | RDW_NOERASE | RDW_INVALIDATE);
                    if (grewBeyond && !InAero) InvalidateRect(wnd, nullptr, FALSE);
                }
            }
        } else {
            FCommonData->BGChanged = true;
        }
    }
    LastClientRect = client;
}

void TsSkinProvider::DoWindowPosChanging(TMessage& Message)
{
    if (RgnChanging || Loading()) {
        CallOld(Message);
        return;
    }
    auto* pos = reinterpret_cast<WINDOWPOS*>(Message.LParam);
    if (!Zoomed() && !(pos->flags & SWP_NOMOVE) && (pos->x != 0 || pos->y != 0) && FScreenSnap && Form->Showing()) {
        TRect work;
        FormWorkArea(Form, work);
        auto snap = [this](int& Coordinate, int Size, int Edge) {
            if (std::abs(Coordinate + Size - Edge) < FSnapBuffer) Coordinate = Edge - Size;
        };
        snap(pos->x, Form->Width(), work.right);
        snap(pos->y, Form->Height(), work.bottom);
        snap(pos->x, 0, work.left);
        snap(pos->y, 0, work.top);
    }
    // A form about to be hidden leaves a picture of itself behind, which its hide animation
    // then fades out.
    TBitmap* cache = FCommonData->CacheBmp();
    TsSkinManager* manager = Manager();
    if (manager != nullptr && LayeredWindowsAvailable() && FDrawNonClientArea && !SkipAnimation &&
        (pos->flags & SWP_HIDEWINDOW) && cache != nullptr && !cache->Empty() && !Iconic() &&
        manager->ShowState != saMinimize && HideAnimationWanted(true) && !(FormState & 0x200)) {
        FormState |= 0x200;
        RenderFormImage(cache, this);
        delete CoverForm;
        CoverForm = MakeCoverForm(Form->Handle());
    }
    CallOld(Message);
}

bool TsSkinProvider::HideAnimationWanted(bool NeedsTime) const
{
    TsSkinManager* manager = Manager();
    if (manager == nullptr) return false;
    TacFormHide* hide = manager->AnimEffects()->FormHide();
    return hide->Active() && (!NeedsTime || hide->Time() != 0);
}

void TsSkinProvider::DoWindowPosChanged(TMessage& Message)
{
    const auto& pos = *reinterpret_cast<const WINDOWPOS*>(Message.LParam);
    TsSkinManager* manager = Manager();
    TBitmap* cache = FCommonData->CacheBmp();
    if (manager == nullptr || !LayeredWindowsAvailable() || !FDrawNonClientArea || !(pos.flags & SWP_HIDEWINDOW) ||
        cache == nullptr || SkipAnimation || Iconic() || (manager->ShowState == saMinimize && !IsMainForm()) ||
        !HideAnimationWanted(false)) {
        CallOld(Message);
        return;
    }
    const bool composed = IsCompositionActive();
    if (composed) SetWindowInvisible(Form->Handle(), true);
    CallOld(Message);
    SkipAnimation = true;
    AnimHideSkinnedForm(this);
    if (Application->Terminated()) return;
    if (composed) SetWindowInvisible(Form->Handle(), false);
    SkipAnimation = false;
}

void TsSkinProvider::DoClose(TMessage& Message)
{
    // The image with the controls is taken while they are still there to be drawn.
    const bool render = FDrawNonClientArea && HideAnimationWanted(true) && !(FormState & 0x200);
    if (render) {
        FormState |= 0x200;
        RenderFormImage(FCommonData->CacheBmp(), this);
        FormState &= ~0x200u;
    }
    CallOld(Message);
    if (render && !Form->ComponentState().Contains(csDestroying)) FCommonData->BGChanged = false;
}

void TsSkinProvider::DoShowingChanged(TMessage& Message)
{
    HWND wnd = Form->Handle();
    if (!FDrawNonClientArea) {
        CallOld(Message);
        if (IsCompositionActive()) RedrawWindow(wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INVALIDATE);
        return;
    }
    if (!Form->Showing() || IsMDIChild()) {
        CallOld(Message);
        return;
    }
    FormState &= ~0x200u;
    TsSkinManager* manager = Manager();
    const bool animate = manager != nullptr && Form->Parent() == nullptr && manager->AnimEffects()->FormShow()->Active();
    bool layered = false;
    BYTE alpha = 255;
    std::vector<HWND> held;
    if (animate) {
        FCommonData->SetUpdating(true);
        FInAnimation = true;
        // The window comes up unseen; what shows is the animation's cover.
        layered = SetWindowInvisible(wnd, true);
        if (layered) {
            SetFrameRegion(false);
        } else {
            alpha = Form->AlphaBlendValue();
            Form->SetAlphaBlendValue(0);
        }
        for (int i = 0; i < Form->ControlCount(); ++i) {
            auto* child = dynamic_cast<TWinControl*>(Form->Controls(i));
            if (child == nullptr || !child->Visible() || !child->HandleAllocated()) continue;
            SendMessageW(child->Handle(), WM_SETREDRAW, 0, 0);
            held.push_back(child->Handle());
        }
    } else {
        FCommonData->SetUpdating(false);
    }
    CallOld(Message);
    AttachScrollHandler();
    if (!animate) {
        RedrawWindow(wnd, nullptr, nullptr, RDW_ALLCHILDREN | RDW_INVALIDATE);
        return;
    }
    for (HWND child : held) SendMessageW(child, WM_SETREDRAW, 1, 0);
    if (layered) SetWindowInvisible(wnd, false);
    fAnimating = false;
    TacFormShow* show = manager->AnimEffects()->FormShow();
    AnimShowSkinnedForm(this, show->Time(), alpha, show->Mode());
    // Also when there was no image to show: the form must not stay held.
    FInAnimation = false;
    FCommonData->SetUpdating(false);
    if (!IsWindowVisible(wnd)) SendMessageW(wnd, WM_SETREDRAW, 1, 0);
}

void TsSkinProvider::DoNCActivate(TMessage& Message)
{
    if (Form->ComponentState().Contains(csDestroying)) {
        CallOld(Message);
        return;
    }
    FormState |= 0x8000;
    HWND wnd = Form->Handle();
    bool active = Message.WParam != 0;
    if (active || ShowAction != TShowAction::saMaximize) {
        FCommonData->SetUpdating(false);
        FCommonData->BGChanged = true;
    } else {
        ShowAction = TShowAction::saIgnore;
    }
    bool showing = Form->Showing();
    // The system draws its own title on WM_NCACTIVATE. Where the window may not stop drawing
    // (its children would be left unpainted), a cover hides the title instead: turning redraw off
    // drops every pending repaint of the form and its children, so a form that just changed its
    // contents (a value picked in a drop-down window, whose closing activates the form) would not
    // show it.
    const bool composed = IsCompositionActive();
    bool holdRedraw = false, cover = false;
    if (showing) {
        if (composed) {
            TCustomForm* main = Application->MainForm();
            const bool mainMinimized = main != nullptr && main->HandleAllocated() && IsIconic(main->Handle());
            holdRedraw = BorderForm == nullptr && (IsMainForm() || !mainMinimized || !Application->MainFormOnTaskBar());
        } else if (fAnimating || RTInit) {
            holdRedraw = true;
        } else if (BorderForm == nullptr || (HasOwnMenu() && !Form->OnPaint)) {
            cover = true;
        }
    }
    if (holdRedraw) SendMessageW(wnd, WM_SETREDRAW, 0, 0);
    if (cover) ShowCaptionForm();
    CallOld(Message);
    if (holdRedraw) {
        SendMessageW(wnd, WM_SETREDRAW, 1, 0);
        if (composed) RedrawWindow(wnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_INVALIDATE);
    }
    HideCaptionForm();
    if (RTInit) RedrawWindow(wnd, nullptr, nullptr, RDW_ALLCHILDREN | RDW_ERASE | RDW_INVALIDATE);
    FormState &= ~0x8000u;
    if (Form->ControlState().Contains(csCreating)) return;
    if (HasFrame()) {
        if (FormActive != active) FLinesCount = -1;
        FormActive = active;
        FCommonData->BGChanged = true;
    }
    if (showing) SendMessageW(wnd, WM_NCPAINT, 0, 0);
    CreateAdapter();
}

void TsSkinProvider::DoShowWindow(TMessage& Message)
{
    HWND wnd = Form->Handle();
    if (Message.WParam == 1) {
        FormState &= 0x400;
        // A picture left from a hide that never played.
        delete CoverForm;
        CoverForm = nullptr;
        if (IsCompositionActive() && !fAnimating && !(GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_LAYERED))
            RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
    }
    if (Message.LParam == SW_PARENTCLOSING && ShowAction != TShowAction::saIgnore)
        ShowAction = Iconic() ? TShowAction::saMinimize : Zoomed() ? TShowAction::saMaximize : TShowAction::saRestore;
    CallOld(Message);
    if (Message.WParam == 1 && Form->Parent() != nullptr && !IsMDIChild()) {
        FCommonData->CtrlSkinState &= ~ACS_FAST;
        FCommonData->BGChanged = true;
    }
}

void TsSkinProvider::DoPaintMessage(TMessage& Message)
{
    if (Form->ControlState().Contains(csPaintCopy)) return;
    if (FCommonData->FullPaintNeeded()) {
        if (Form->Showing()) {
            WMPaint(Message);
            Message.Result = 0;
        } else {
            CallOld(Message);
        }
    } else if (Form->Showing()) {
        HWND wnd = Form->Handle();
        if (FCommonData->BGChanged && !Form->ComponentState().Contains(csDestroying)) InvalidateRect(wnd, nullptr, TRUE);
        PAINTSTRUCT ps{};
        BeginPaint(wnd, &ps);
        EndPaint(wnd, &ps);
        Message.Result = 0;
    } else {
        CallOld(Message);
    }
    if (!FInAnimation && Form->OnPaint && Form->Showing()) {
        HDC dc = GetDC(Form->Handle());
        static_cast<TControlCanvas*>(Form->Canvas())->PaintOn(dc, [this] { Form->OnPaint(Form); });
        ReleaseDC(Form->Handle(), dc);
    }
}

void TsSkinProvider::DoEraseBkgnd(TMessage& Message)
{
    if (!Form->Showing()) {
        CallOld(Message);
        return;
    }
    if ((FCommonData->CtrlSkinState & ACS_LOCKED) || FCommonData->Updating()) return;
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (Form->ControlState().Contains(csPaintCopy) || Message.WParam == static_cast<WPARAM>(Message.LParam)) {
        if (dc != nullptr && !FCommonData->BGChanged) {
            TRect r{0, 0, Form->Width(), Form->Height()};
            if (FCommonData->FullPaintNeeded() && FCommonData->CacheBmp() != nullptr)
                BitBlt(dc, 0, 0, r.right, r.bottom, FCommonData->CacheBmp()->Canvas()->Handle(), OffsetX(), OffsetY(), SRCCOPY);
            else
                PaintColorRect(dc, r, FCommonData->StateBackColor(false));
        }
        Message.Result = 1;
        return;
    }
    if (FCommonData->FullPaintNeeded() && !IsMDIForm()) {
        // The background comes with WM_PAINT, which copies the whole client from the form image.
        RECT clip{};
        if (FCommonData->Updating() || (dc != nullptr && GetClipBox(dc, &clip) != NULLREGION)) Message.Result = 1;
        return;
    }
    WMEraseBkgnd(dc);
    Message.Result = 1;
}

void TsSkinProvider::DoNCPaintMessage(TMessage& Message)
{
    if (FCommonData->CtrlSkinState & (ACS_LOCKED | ACS_MNUPDATING)) return;
    if (RTInit) {
        RTInit = false;
        LoadInit();
    }
    if (!FDrawNonClientArea) {
        CallOld(Message);
        return;
    }
    if (Iconic()) FCommonData->BGChanged = true;
    if (fAnimating || !Form->Showing() || Loading() || Form->ControlState().Contains(csDestroyingHandle) || !SystemMenu)
        return;
    CreateAdapter();
    if (FCommonData->CacheBmp() == nullptr) PaintFormCache();
    if (LockCount == 0) WMNCPaint();
    Message.Result = 0;
}

void TsSkinProvider::DoPrint(TMessage& Message)
{
    if (Loading() || Form->ControlState().Contains(csCreating) || Form->ComponentState().Contains(csDestroying)) return;
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (dc == nullptr) return;
    DisableDwmTransitions(Form->Handle(), true);
    FCommonData->SetUpdating(false);
    if (FDrawNonClientArea) PrintFrame(dc);
    int saved = SaveDC(dc);
    SetWindowOrgEx(dc, -OffsetX(), -OffsetY(), nullptr);
    TRect client = Form->ClientRect();
    IntersectClipRect(dc, client.left, client.top, client.right, client.bottom);
    HDC oldPrint = FCommonData->PrintDC;
    FCommonData->PrintDC = dc;
    PaintClient(dc, false);
    FCommonData->PrintDC = oldPrint;
    if (Form->OnPaint) static_cast<TControlCanvas*>(Form->Canvas())->PaintOn(dc, [this] { Form->OnPaint(Form); });
    RestoreDC(dc, saved);
}
