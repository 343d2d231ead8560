// The base and edit handlers (see acSBUtilsEditWnd.h).
#include "skin/subclass/acSBUtilsEditWnd.h"

#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "framework/graphics/DrawingGuards.h"
#include "framework/stdctrls/ListBox.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConst.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

namespace {

bool Visible(HWND Wnd) { return IsWindowVisible(Wnd) != FALSE; }

void SendNcPaintWhenVisible(HWND Wnd)
{
    if (Visible(Wnd)) SendMessageW(Wnd, WM_NCPAINT, 0, 0);
}

// Windows 6 or later skip erasing while a form animation runs.
bool AnimationSkipsErase() { return FormAnimating && SystemFacts().WindowsVersion().Major >= 6; }

} // namespace

// ---- TacBaseWnd ----

void TacBaseWnd::acWndProc(TMessage& Message)
{
    if (Destroyed || SkinData == nullptr || !SkinData->Skinned()) {
        TacScrollWnd::acWndProc(Message);
        return;
    }
    switch (Message.Msg) {
    case SM_LUMACMD:
        switch (SkinCmdSub(Message.WParam)) {
        case AC_RESKIN:
            if (reinterpret_cast<TsSkinManager*>(Message.LParam) == SkinData->GetSkinManager()) {
                TacScrollWnd::acWndProc(Message);
                SendNcPaintWhenVisible(CtrlHandle);
                return;
            }
            break;
        case AC_BUILDCACHE:
            PrepareFrameCache(SkinData, CtrlHandle, false);
            break;
        default:
            break;
        }
        break;
    case WM_SIZE:
    case WM_EXITSIZEMOVE:
        SkinData->BGChanged = true;
        break;
    case WM_SETCURSOR:
        PassOn(Message);
        return;
    case 0x2100:
        return;
    default:
        break;
    }
    TacScrollWnd::acWndProc(Message);
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (!DontRepaint) SyncScrollBars(this, true);
        break;
    case WM_ENABLE:
    case CM_ENABLEDCHANGED:
        SendNcPaintWhenVisible(CtrlHandle);
        break;
    default:
        break;
    }
}

// ---- TacEditWnd: construction and colours ----

TacEditWnd::TacEditWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
                       bool Repaint)
    : TacEditWnd(AHandle, ASkinData, ASkinManager, SkinSection, Repaint, TEditKind::Edit)
{
}

TacEditWnd::TacEditWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
                       bool Repaint, TEditKind Kind)
    : TacBaseWnd(AHandle, ASkinData, ASkinManager, SkinSection, TInstallLater{})
{
    if (AHandle == nullptr) return;
    // Grids keep their visual styles, and so does a drop-down list made without a repaint; a
    // window of code 10 keeps them while composition is on.
    const bool keepStyles = SkinSection == L"DIALOG" || Kind == TEditKind::Grid ||
                            (Kind == TEditKind::DropDownList && !Repaint) ||
                            (ASkinData != nullptr && ASkinData->COC == 10 && SystemFacts().CompositionEnabled());
    if (keepStyles && SetWindowThemeProc != nullptr) SetWindowThemeProc(AHandle, nullptr, nullptr);
    SkinData->SetSkinSection(SkinSection.empty() ? String(L"EDIT") : SkinSection);
    SaveStdParams();
    ParamsChanged = false;
    Install(Repaint);
}

TacEditWnd::~TacEditWnd() { RestoreBeforeDestruction(); }

void TacEditWnd::RestoreBeforeDestruction()
{
    if (FRestoredForDestruction || Destroyed || SkinData == nullptr || SkinManager == nullptr) return;
    // Handlers freed with their form leave the window as it is (the root handler's rule).
    if (AdapterItemsRemoving && !SkinManager->SkinRemoving) return;
    FRestoredForDestruction = true;
    RestoreStdParams();
}

void TacEditWnd::SaveStdParams()
{
    TControl* owner = SkinData != nullptr ? SkinData->FOwnerControl : nullptr;
    if (owner == nullptr) return;
    StdColor = owner->Color();
    StdFontColor = owner->Font()->Color();
    if (HasPublishedProp(owner, L"FocusColor")) FocusColor = static_cast<TColor>(ReadOrdProp(owner, L"FocusColor"));
}

void TacEditWnd::RestoreStdParams()
{
    if (Visible(CtrlHandle))
        SetWindowPos(CtrlHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
    TControl* owner = SkinData != nullptr ? SkinData->FOwnerControl : nullptr;
    if (owner == nullptr || owner->ComponentState().Contains(csDestroying)) return;
    owner->SetColor(StdColor);
    owner->Font()->SetColor(StdFontColor);
    if (HasPublishedProp(owner, L"FocusColor")) WriteOrdProp(owner, L"FocusColor", FocusColor);
}

void TacEditWnd::SetSkinParams()
{
    if (bPreventStyleChange || SkinData == nullptr) return;
    SkinData->SetUpdating(true);
    bPreventStyleChange = true;
    ParamsChanged = true;
    const TsSkin* skin = SkinData->Skin();
    const bool validSection = skin != nullptr && skin->IsValidSkinIndex(SkinData->SkinIndex);
    if (TControl* owner = SkinData->FOwnerControl) {
        const bool hot = validSection && SkinData->HotStateActive() && skin->gd[SkinData->SkinIndex].States > 1;
        if (!SkinData->CustomColor()) {
            const TColor c = SkinData->StateBackColor(hot, nullptr);
            if (HasPublishedProp(owner, L"FocusColor")) {
                if (owner->Color() != c) WriteOrdProp(owner, L"Color", c);
                WriteOrdProp(owner, L"FocusColor", c);
            } else if (owner->Color() != c) {
                owner->SetColor(c);
            }
        }
        if (!SkinData->CustomFont() && validSection) {
            const TsGeneralData& gd = skin->gd[SkinData->SkinIndex];
            const TColor font = hot ? gd.HotFontColor.Color : gd.FontColor.Color;
            if (owner->Font()->Color() != font) {
                owner->Font()->SetColor(font);
                // A font change can recreate the window, which takes this handler away.
                if (Destroyed) return;
            }
        }
    } else {
        Color = !DlgMode && validSection ? skin->gd[SkinData->SkinIndex].Color : clWindow;
        FrameColor = 0;
    }
    SkinData->BGChanged = true;
    bPreventStyleChange = false;
    SkinData->SetUpdating(false);
}

void AttachEditWnd(TsCommonData* SkinData, TacEditWnd*& Handler)
{
    if (SkinData == nullptr) return;
    if (SkinData->Skinned()) {
        if (Handler != nullptr && Handler->Destroyed) {
            delete Handler;
            Handler = nullptr;
        }
        auto* owner = dynamic_cast<TWinControl*>(SkinData->FOwnerControl);
        if (Handler == nullptr && owner != nullptr)
            Handler = new TacEditWnd(owner->Handle(), SkinData, SkinData->GetSkinManager(), SkinData->SkinSection(), true);
    } else {
        delete Handler;
        Handler = nullptr;
    }
}

// ---- TacEditWnd: window procedure ----

bool TacEditWnd::NothingToPaint(HDC DC) const
{
    if (DC == SkinData->PrintDC) return false;
    RECT clip{};
    return GetClipBox(DC, &clip) == NULLREGION;
}

void TacEditWnd::acWndProc(TMessage& Message)
{
    if (SkinData == nullptr || !SkinData->Skinned() || Destroyed) {
        TacBaseWnd::acWndProc(Message);
        return;
    }
    switch (Message.Msg) {
    case SM_LUMACMD:
        switch (SkinCmdSub(Message.WParam)) {
        case AC_RESKIN:
            if (reinterpret_cast<TsSkinManager*>(Message.LParam) == SkinData->GetSkinManager()) {
                TacBaseWnd::acWndProc(Message);
                SetSkinParams();
                return;
            }
            break;
        case AC_RESUMEPAINT:
            if (SkinData->UpdatingFlag()) {
                SkinData->SetUpdating(false);
                SkinData->SetUpdating(SkinData->Updating());
                if (!SkinData->UpdatingFlag())
                    RedrawWindow(CtrlHandle, nullptr, nullptr,
                                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
            }
            break;
        case AC_QUERYSKINNED:
            Message.Result = 1;
            return;
        case AC_BUILDCACHE:
            ReadWndPlacement(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
            PrepareFrameCache(SkinData, CtrlHandle, DlgMode);
            RestoreCornerBackground(SkinData, 0, this);
            return;
        case AC_QUERYSKININDEX:
            if (Message.LParam != 0) *reinterpret_cast<int*>(Message.LParam) = SkinData->SkinIndex;
            return;
        case AC_QUERYAPP:
            Message.Result = reinterpret_cast<LRESULT>(static_cast<TApplication*>(Application));
            return;
        default:
            break;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        FocusChanged(Message);
        return;
    case WM_ERASEBKGND:
        if (Visible(CtrlHandle) && !bPreventStyleChange) {
            const HDC dc = reinterpret_cast<HDC>(Message.WParam);
            if (NothingToPaint(dc) || SkinData->Updating()) return;
            if (!ParamsChanged) SetSkinParams();
            if (AnimationSkipsErase() && dc != SkinData->PrintDC) {
                Message.Result = 1;
                return;
            }
        }
        break;
    case WM_PAINT:
        if (Visible(CtrlHandle) && !bPreventStyleChange) {
            const HDC dc = reinterpret_cast<HDC>(Message.WParam);
            if (dc != nullptr && NothingToPaint(dc)) return;
            if (SkinData->Updating() || (FormAnimating && SkinData->PrintDC == nullptr)) {
                PAINTSTRUCT ps{};
                BeginPaint(CtrlHandle, &ps);
                EndPaint(CtrlHandle, &ps);
                return;
            }
            DrawScrollBars(CtrlHandle, -1, dc);
            if (!ParamsChanged) SetSkinParams();
        }
        break;
    case WM_NCPAINT:
        if (PaintNonClient(Message)) return;
        break;
    case WM_PRINT:
        PrintWindow(Message);
        return;
    case CM_FONTCHANGED:
        if (!SkinData->Updating()) RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
        break;
    default:
        break;
    }
    PassToBase(Message);
}

void TacEditWnd::FocusChanged(TMessage& Message)
{
    TacBaseWnd::acWndProc(Message);
    auto* owner = dynamic_cast<TWinControl*>(SkinData->FOwnerControl);
    if (!HasHotLook(SkinData) || owner == nullptr || !owner->CanFocus() || !owner->TabStop()) return;
    SkinData->BGChanged = true;
    SkinData->FFocused = Message.Msg == WM_SETFOCUS;
    SendMessageW(owner->Handle(), WM_NCPAINT, 0, 0);
}

bool TacEditWnd::PaintNonClient(TMessage& Message)
{
    if (!Visible(CtrlHandle) || bPreventStyleChange) return false;
    if (FormAnimating || SkinData->Updating()) return true;
    HDC dc = GetWindowDC(CtrlHandle);
    if (dc == nullptr) return true;
    if (!NothingToPaint(dc)) {
        TSavedDC saved(dc);
        if (SkinData->BGChanged) {
            if (!ParamsChanged) SetSkinParams();
            PrepareFrameCache(SkinData, CtrlHandle, DlgMode);
        }
        DrawScrollBars(CtrlHandle, -1, dc);
        if (TBitmap* cache = SkinData->CacheBmp(); cache != nullptr && !cache->Empty())
            CopyFrameStrips(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, cxLeftEdge);
    }
    ReleaseDC(CtrlHandle, dc);
    Message.Result = 0;
    return true;
}

void TacEditWnd::PrintWindow(TMessage& Message)
{
    const HDC dc = reinterpret_cast<HDC>(Message.WParam);
    {
        // Some controls leave their clipping in the DC they printed into.
        TSavedDC printing(dc);
        PassOn(Message);
    }
    if (Message.Result == 2) return;
    ReadWndPlacement(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    SkinData->SetUpdating(false);
    SkinData->BGChanged = true;
    if (!ParamsChanged) SetSkinParams();
    PrepareFrameCache(SkinData, CtrlHandle, DlgMode);
    if (!DlgMode) RestoreCornerBackground(SkinData, 0, this);
    TBitmap* cache = SkinData->CacheBmp();
    if (dc == nullptr || cache == nullptr || cache->Empty()) return;
    TSavedDC saved(dc);
    CopyFrameStrips(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, cxLeftEdge);
    DrawScrollBars(CtrlHandle, -1, dc);
    const int vert = sBarVert && sBarVert->fScrollVisible ? ScrollBarSize(*sBarVert, true, false) : 0;
    const int horz = sBarHorz && sBarHorz->fScrollVisible ? ScrollBarSize(*sBarHorz, true, false) : 0;
    SetWindowOrgEx(dc, -cxLeftEdge, -cxLeftEdge, nullptr);
    IntersectClipRect(dc, 0, 0, cache->Width() - 2 * cxLeftEdge - vert, cache->Height() - 2 * cxLeftEdge - horz);
    SendMessageW(CtrlHandle, WM_ERASEBKGND, Message.WParam, 0);
    SendMessageW(CtrlHandle, WM_PAINT, Message.WParam, 0);
    SendMessageW(CtrlHandle, WM_PRINTCLIENT, Message.WParam, PRF_CLIENT | PRF_OWNED);
}

void TacEditWnd::PassToBase(TMessage& Message)
{
    TacBaseWnd::acWndProc(Message);
    switch (Message.Msg) {
    case WM_SIZE:
        SendNcPaintWhenVisible(CtrlHandle);
        break;
    case WM_SETFONT:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_LBUTTONDOWN:
    case CN_KEYDOWN:
    case CN_KEYUP:
        if (!DontRepaint) SyncScrollBars(this, true);
        break;
    case EM_REPLACESEL:
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_SETCURSEL:
    case LB_SETTOPINDEX:
        SyncScrollBars(this, true);
        break;
    case LB_GETTOPINDEX:
        if (Message.Result == 0)
            if (auto* list = dynamic_cast<TCustomListBox*>(SkinData->FOwnerControl); list != nullptr && list->Items()->Count() == 0)
                Message.Result = -1;
        break;
    case WM_MOUSEMOVE:
        if (TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
            manager != nullptr && !manager->ComponentState().Contains(csDesigning) && IsWindowEnabled(CtrlHandle))
            manager->SetActiveControl(CtrlHandle);
        if (GetCapture() != nullptr && !SkinData->Updating()) SyncScrollBars(this, true);
        break;
    default:
        break;
    }
}
