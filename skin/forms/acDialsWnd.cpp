// The handler of a foreign dialog window: its client background, the skin commands its
// children's handlers ask, children that appear later and the asked position.
#include "skin/forms/acDials.h"

#include <algorithm>

#include "framework/facts/SystemFacts.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/subclass/acSBUtils.h"

namespace {

// A message some dialogs send themselves when their children changed; the children are
// attached again after it.
constexpr UINT DialogChildrenChanged = 0x052E;

TSize ClientSizeOf(HWND Wnd)
{
    RECT r{};
    GetClientRect(Wnd, &r);
    return TSize{r.right - r.left, r.bottom - r.top};
}

} // namespace

TacDialogWnd::TacDialogWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                           const String& SkinSection, bool Repaint)
    : TacScrollWnd(AHandle, ASkinData, ASkinManager, SkinSection, Repaint)
{
    FWMPaintForbidden = SystemFacts().WindowsVersion().Major > 5;
    // Nothing is painted before the children have their handlers (InitParams).
    SkinData->SetUpdating(true);
    DisableDwmTransitions(AHandle, true);
    // Still to come: TacSystemMenu: the skinned system menu, hooked for skinned drawing.
}

TacDialogWnd::~TacDialogWnd()
{
    if (FDialogBrush != nullptr) DeleteObject(FDialogBrush);
    // Still to come: the dialog's frame: title glyph and title images, the move timer, the system
    // menu, title-button animations, glow effects and the border window go with it.
}

void TacDialogWnd::InitParams()
{
    dwStyle = static_cast<LONG>(GetWindowLongPtrW(CtrlHandle, GWL_STYLE));
    dwExStyle = static_cast<LONG>(GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE));
    if ((dwStyle & WS_POPUP) != 0 && (dwStyle & WS_CAPTION) != WS_CAPTION)
        BorderStyle = acbsNone;
    else if ((dwStyle & WS_THICKFRAME) != 0)
        BorderStyle = acbsSizeable;
    else if ((dwStyle & DS_MODALFRAME) != 0)
        BorderStyle = acbsDialog;
    else
        BorderStyle = acbsSizeable;
    TitleFont = std::make_unique<TFont>();
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        TitleFont->SetHandle(CreateFontIndirectW(&metrics.lfCaptionFont));
    // Still to come: the dialog's frame: the title glyph and icon indexes, and WS_SYSMENU taken out of
    // the style once the skin draws the title buttons (until then the system's close button is
    // the only one the dialog has).
    SkinData->SetUpdating(false);
}

int TacDialogWnd::CaptionHeight(bool /*CheckSkin*/) const
{
    const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
    if ((style & WS_CAPTION) != WS_CAPTION && !IsIconic(CtrlHandle)) return 0;
    // Still to come: the border window: its title height when the skin has one.
    return GetSystemMetrics(BorderStyle == acbsToolWindow || BorderStyle == acbsSizeToolWin ? SM_CYSMCAPTION
                                                                                           : SM_CYCAPTION);
}

int TacDialogWnd::OffsetX() const
{
    RECT w{};
    GetWindowRect(CtrlHandle, &w);
    const TSize c = ClientSizeOf(CtrlHandle);
    return ((w.right - w.left) - c.cx) / 2;
}

int TacDialogWnd::OffsetY() const
{
    RECT w{};
    GetWindowRect(CtrlHandle, &w);
    const TSize c = ClientSizeOf(CtrlHandle);
    const int frame = CaptionHeight(true) != 0 ? WindowFrameWidth(CtrlHandle, nullptr, false) : 0;
    return (w.bottom - w.top) - c.cy - frame;
}

void TacDialogWnd::PaintAll()
{
    ReadWndPlacement(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    SkinData->InitCacheBitmap();
    TBitmap* cache = SkinData->CacheBmp();
    cache->SetSize(std::max(0, static_cast<int>(WndSize.cx)), std::max(0, static_cast<int>(WndSize.cy)));
    const TRect all{0, 0, cache->Width(), cache->Height()};
    TsSkinManager* manager = SkinData->GetSkinManager();
    TCacheInfo none;
    none.FillColor = ManagerGlobalColor(manager);
    if (manager != nullptr && manager->IsValidSkinIndex(SkinData->SkinIndex))
        DrawSectionBackground(SkinData->SkinIndex, SkinData->SkinSection(), none, FFormActive ? 1 : 0, all,
                              TPoint{0, 0}, cache, SkinData->Skin(), SkinData->Texture, SkinData->HotTexture);
    else
        FillBitmapRect(cache, all, none.FillColor);
    // Still to come: the dialog's frame: the border, title and title buttons over this background.
    SetRectOpacity(cache, all, 255, false);
    SkinData->BGChanged = false;
}

void TacDialogWnd::MoveToAskedPosition() const
{
    if (AskedLeft == -1 && AskedTop == -1) return;
    RECT r{};
    GetWindowRect(CtrlHandle, &r);
    // Only the coordinates asked for change; the other stays where the dialog put itself.
    SetWindowPos(CtrlHandle, nullptr, AskedLeft != -1 ? AskedLeft : r.left, AskedTop != -1 ? AskedTop : r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOREDRAW | SWP_NOOWNERZORDER);
}

HBRUSH TacDialogWnd::DialogBrush()
{
    const TColor color = ColorToRGB(ManagerGlobalColor(SkinData->GetSkinManager()));
    if (FDialogBrush == nullptr || color != FDialogBrushColor) {
        if (FDialogBrush != nullptr) DeleteObject(FDialogBrush);
        FDialogBrush = CreateSolidBrush(color);
        FDialogBrushColor = color;
    }
    return FDialogBrush;
}

void TacDialogWnd::Old(TMessage& Message)
{
    Message.Result = CallPrevWndProc(CtrlHandle, Message.Msg, Message.WParam, Message.LParam);
}

bool TacDialogWnd::SkinCommand(TMessage& Message)
{
    TsSkinManager* manager = SkinData->GetSkinManager();
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        // Still to come: the border window: made or freed by the manager's ExtendedBorders.
        if (reinterpret_cast<TsSkinManager*>(Message.LParam) == manager) {
            SkinData->UpdateIndexes();
            FCaptionSkinIndex = manager != nullptr ? manager->GetSkinIndex(L"CAPTION") : -1;
            SkinData->BGChanged = true;
            BroadcastToChildWnds(CtrlHandle, Message);
        }
        return true;
    case AC_RESKIN:
        SkinData->UpdateIndexes();
        SkinData->BGChanged = true;
        if (IsWindowVisible(CtrlHandle))
            RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
        return true;
    case AC_UPDATINGSTATE:
        SkinData->SetUpdating(LOWORD(Message.WParam) == 1);
        if (SkinData->Updating()) SkinData->BGChanged = true;
        return false;
    case AC_QUERYBUSY: Message.Result = SkinData->UpdatingFlag() ? 1 : 0; return true;
    case AC_QUERYMOVEREPAINT: {
        const TsSkin* skin = SkinData->Skin();
        const bool textured = skin != nullptr && skin->IsValidSkinIndex(SkinData->SkinIndex) &&
                              skin->gd[SkinData->SkinIndex].GradientPercent + skin->gd[SkinData->SkinIndex].ImagePercent > 0;
        Message.Result = textured ? 1 : 0;
        return true;
    }
    case AC_QUERYBGCOLOR: Message.Result = static_cast<LRESULT>(SkinData->StateBackColor(false, nullptr)); return true;
    case AC_HOOKCHILDREN:
        if (Provider != nullptr) Provider->InitHwndControls(CtrlHandle);
        return false;
    case AC_QUERYBGINFO: {
        if (Message.LParam == 0) return true;
        auto& query = *reinterpret_cast<TBackgroundQuery*>(Message.LParam);
        if (query.DrawRequested != 0) {
            query.OffsetX += OffsetX();
            query.OffsetY += OffsetY();
        }
        SkinData->DescribeBackground(query, false, nullptr);
        if (query.Kind == bgkBitmap && query.DrawRequested == 0) {
            if (query.Bitmap == nullptr || SkinData->BGChanged) {
                PaintAll();
                query.Bitmap = SkinData->CacheBmp();
            }
            query.OffsetX = OffsetX();
            query.OffsetY = OffsetY();
        }
        return true;
    }
    case AC_QUERYCLIENTOFFSET: Message.Result = MAKELONG(OffsetX(), OffsetY()); return true;
    default: return false;
    }
}

void TacDialogWnd::EraseBackground(TMessage& Message)
{
    ReadWndPlacement(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    if (!Initialized) {
        Initialized = true;
        if (Provider != nullptr) Provider->InitHwndControls(CtrlHandle);
    }
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (dc != nullptr && !SkinData->UpdatingFlag()) {
        if (SkinData->BGChanged || SkinData->CacheBmp() == nullptr ||
            SkinData->CacheBmp()->Width() != WndSize.cx || SkinData->CacheBmp()->Height() != WndSize.cy)
            PaintAll();
        const TSize client = ClientSizeOf(CtrlHandle);
        BitBlt(dc, 0, 0, client.cx, client.cy, SkinData->CacheBmp()->Canvas()->Handle(), OffsetX(),
               OffsetY(), SRCCOPY);
    }
    Message.Result = 1;
}

void TacDialogWnd::Sized(TMessage& Message)
{
    // Still to come: the dialog's frame and border window: corner images and the window region.
    SkinData->BGChanged = true;
    RgnChanged = true;
    Old(Message);
    RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
    const TSize c = ClientSizeOf(CtrlHandle);
    LastClientRect = TRect{0, 0, c.cx, c.cy};
}

void TacDialogWnd::Shown(TMessage& Message)
{
    const bool composition = SystemFacts().CompositionEnabled();
    const LONG_PTR ex = GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE);
    if (composition) SetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    Old(Message);
    if (composition) SetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE, GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & ~WS_EX_LAYERED);
    DisableDwmTransitions(CtrlHandle, true);
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    if (Message.WParam != 1 || manager == nullptr) return;
    const TacFormAnimation* show = manager->AnimEffects()->DialogShow();
    if (!show->Active() || show->Time() == 0) return;
    Caption = WindowText(CtrlHandle);
    if (Provider != nullptr) Provider->InitHwndControls(CtrlHandle);
    AnimShowDialog(this, show->Time(), 255, show->Mode());
}

void TacDialogWnd::PositionChanged(TMessage& Message)
{
    const auto* pos = reinterpret_cast<const WINDOWPOS*>(Message.LParam);
    const bool hiding = pos != nullptr && (pos->flags & SWP_HIDEWINDOW) != 0 && UpdateLayeredWindowFunc != nullptr;
    if (hiding) RgnChanged = true;
    Old(Message);
    if (!hiding) return;
    RgnChanged = true;
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    const TacFormAnimation* hide = manager != nullptr ? manager->AnimEffects()->DialogHide() : nullptr;
    if (hide != nullptr && hide->Active() && hide->Time() > 0) {
        AnimHideDialog(this);
        SetWindowInvisible(CtrlHandle, false);
    }
    // Still to come: the border window: freed after a hide.
}

void TacDialogWnd::acWndProc(TMessage& Message)
{
    if (Message.Msg == SM_LUMACMD) {
        TsSkinManager* manager = SkinData->GetSkinManager();
        if (manager != nullptr && manager->Active() && SkinCommand(Message)) return;
        TacScrollWnd::acWndProc(Message);
        return;
    }
    const bool visible = IsWindowVisible(CtrlHandle) != FALSE;
    switch (Message.Msg) {
    case WM_INITDIALOG:
        // Some systems' message boxes lay themselves out and centre here: the asked position
        // holds after it.
        Old(Message);
        MoveToAskedPosition();
        return;
    case WM_SIZE: Sized(Message); return;
    case WM_SETFOCUS:
        Old(Message);
        RedrawWindow(GetActiveWindow(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        return;
    case WM_ENABLE:
    case WM_SETTEXT:
        if (!visible) break;
        Old(Message);
        if (Message.Msg == WM_SETTEXT) Caption = WindowText(CtrlHandle);
        SkinData->BGChanged = true;
        SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
        return;
    case WM_PAINT:
        if (FWMPaintForbidden) {
            PAINTSTRUCT ps{};
            BeginPaint(CtrlHandle, &ps);
            EndPaint(CtrlHandle, &ps);
            Message.Result = 0;
        } else {
            Old(Message);
        }
        return;
    case WM_ERASEBKGND: EraseBackground(Message); return;
    case WM_SHOWWINDOW: Shown(Message); return;
    case WM_WINDOWPOSCHANGED: PositionChanged(Message); return;
    case WM_NCPAINT:
        // Children a dialog makes after it first painted are attached as its frame repaints.
        if (visible && Provider != nullptr) Provider->InitHwndControls(CtrlHandle);
        break;
    case WM_NCACTIVATE:
        if (!visible) break;
        Old(Message);
        FFormActive = LOWORD(Message.WParam) != 0;
        SkinData->BGChanged = true;
        InvalidateRect(CtrlHandle, nullptr, FALSE);
        return;
    case WM_DRAWITEM:
        if (auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam); item != nullptr && item->CtlType == ODT_STATIC)
            SetBkMode(item->hDC, TRANSPARENT);
        break;
    case WM_GETDLGCODE: Message.Result = 0; return;
    case WM_CTLCOLORDLG: Message.Result = reinterpret_cast<LRESULT>(DialogBrush()); return;
    case DM_SETDEFID:
        TacScrollWnd::acWndProc(Message);
        if (Provider != nullptr && !Destroyed) Provider->InitHwndControls(CtrlHandle);
        return;
    case DialogChildrenChanged:
        Old(Message);
        if (Provider != nullptr) Provider->InitHwndControls(CtrlHandle);
        RedrawWindow(CtrlHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
        return;
    case WM_MOUSEMOVE:
        if (TsSkinManager* manager = TsSkinManager::DefaultSkinManager(); manager != nullptr && IsWindowEnabled(CtrlHandle))
            manager->SetActiveControl(nullptr);
        break;
    default: break;
    }
    TacScrollWnd::acWndProc(Message);
}
