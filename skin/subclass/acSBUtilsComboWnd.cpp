// The combo box and drop-down list handlers (see acSBUtilsComboWnd.h).
#include "skin/subclass/acSBUtilsComboWnd.h"

#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "framework/controls/Controls.h"
#include "framework/graphics/Canvas.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sConst.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

bool ComboDropped = false;

namespace {

constexpr UINT CbTrackingStarts = 0x01AE;
constexpr UINT CbTrackingEnds = 0x01AF;
constexpr int ComboFrameWidth = 3;

int Width(const TRect& R) { return R.right - R.left; }
int Height(const TRect& R) { return R.bottom - R.top; }

// The text of item Index, asked for its length first so that any length fits; empty on error.
String ComboItemText(HWND Combo, int Index)
{
    const LRESULT length = SendMessageW(Combo, CB_GETLBTEXTLEN, Index, 0);
    if (length == CB_ERR || length < 0) return L"";
    String text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(Combo, CB_GETLBTEXT, Index, reinterpret_cast<LPARAM>(text.data()));
    if (copied == CB_ERR || copied < 0) return L"";
    text.resize(std::min<size_t>(static_cast<size_t>(copied), static_cast<size_t>(length)));
    return text;
}

String WindowTextOf(HWND Wnd)
{
    const LRESULT length = SendMessageW(Wnd, WM_GETTEXTLENGTH, 0, 0);
    if (length <= 0) return L"";
    String text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = SendMessageW(Wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

} // namespace

// ---- TacComboBoxWnd ----

TacComboBoxWnd::TacComboBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                               const String& SkinSection, bool Repaint)
    : TacEditWnd(AHandle, ASkinData, ASkinManager, SkinSection, Repaint),
      LBSkinData(std::make_unique<TsCommonData>(nullptr, true))
{
}

TacComboBoxWnd::~TacComboBoxWnd()
{
    ForgetList();
    ReleaseListBrush();
}

void TacComboBoxWnd::ReleaseListBrush()
{
    if (FListBrush != nullptr) DeleteObject(FListBrush);
    FListBrush = nullptr;
    FListBrushColor = clNone;
}

void TacComboBoxWnd::ForgetList()
{
    if (ListSW != nullptr) {
        TacScrollWnd* list = ListSW;
        DetachWndHandler(ListSW->CtrlHandle, true, false, list);
        ListSW = nullptr;
    }
    FListHandle = nullptr;
}

HBRUSH TacComboBoxWnd::ListBrush(TColor Color)
{
    if (FListBrush == nullptr || FListBrushColor != Color) {
        if (FListBrush != nullptr) DeleteObject(FListBrush);
        FListBrush = CreateSolidBrush(ColorToRGB(Color));
        FListBrushColor = Color;
    }
    return FListBrush;
}

bool TacComboBoxWnd::Simple() const { return (GetWindowLongPtrW(CtrlHandle, GWL_STYLE) & 3) == CBS_SIMPLE; }

void TacComboBoxWnd::ButtonRect(TRect& R) const
{
    const LONG_PTR style = GetWindowLongPtrW(CtrlHandle, GWL_STYLE);
    const int w = (style & CBS_DROPDOWN) != 0 ? GetSystemMetrics(SM_CXVSCROLL) : 0;
    RECT window{};
    GetWindowRect(CtrlHandle, &window);
    R.left = (GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0 ? 2 : Width(window) - w - 2;
    R.top = 2;
    R.right = R.left + w;
    R.bottom = Height(window) - 2;
}

int TacComboBoxWnd::ButtonHeight() const
{
    const TsSkin* skin = SkinData != nullptr ? SkinData->Skin() : nullptr;
    const TsMaskData* glyph = skin != nullptr ? SkinMask(skin, skin->ConstData.ComboGlyph) : nullptr;
    return glyph != nullptr ? glyph->FrameHeight() : 16;
}

void TacComboBoxWnd::PaintButton(HDC DC)
{
    TBitmap* cache = SkinData->CacheBmp();
    const TsSkin* skin = SkinData->Skin();
    if (cache == nullptr || cache->Empty() || skin == nullptr) return;
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    const int state = FListHandle != nullptr && IsWindowVisible(FListHandle) ? 2
                      : SkinData->HotStateActive() || (manager != nullptr && manager->ActiveControl() == CtrlHandle) ? 1
                                                                                                                       : 0;
    TRect r{};
    ButtonRect(r);
    if (Width(r) <= 0 || Height(r) <= 0) return;
    auto copy = MakeBitmap32(cache->Width(), cache->Height());
    CopyPixelBlock(copy.get(), TRect{0, 0, cache->Width(), cache->Height()}, cache, 0, 0);
    const TConstantSkinData& cd = skin->ConstData;
    if (cd.ComboBtnIndex >= 0)
        DrawSection(cd.ComboBtnIndex, L"COMBOBTN", MakeCacheInfo(copy.get(), 0, 0), cd.ComboBtnBGHot, cd.ComboBtnBG,
                    skin, copy.get(), TPoint{r.left, r.top}, r, state);
    if (const TsMaskData* glyph = SkinMask(skin, cd.ComboGlyph)) {
        const int x = (Width(r) - glyph->FrameWidth()) / 2 + r.left;
        const int y = (copy->Height() - ButtonHeight()) / 2;
        DrawMaskImage(copy.get(), TPoint{x, y}, state, MakeCacheInfo(copy.get(), 0, 0), *glyph, 1, skin);
    }
    BitBlt(DC, r.left, r.top, Width(r), Height(r), copy->Canvas()->Handle(), r.left, r.top, SRCCOPY);
}

void TacComboBoxWnd::RepaintButton()
{
    HDC dc = GetWindowDC(CtrlHandle);
    PaintButton(dc);
    ReleaseDC(CtrlHandle, dc);
}

void TacComboBoxWnd::Invalidate()
{
    if (SkinData->FOwnerControl == nullptr) return;
    InvalidateRect(CtrlHandle, nullptr, TRUE);
    UpdateWindow(CtrlHandle);
}

void TacComboBoxWnd::PaintText()
{
    TBitmap* cache = SkinData->CacheBmp();
    if (cache == nullptr || cache->Empty()) return;
    TCanvas* canvas = cache->Canvas();
    if (TControl* owner = SkinData->FOwnerControl) canvas->Font()->Assign(owner->Font());
    TRect button{};
    ButtonRect(button);
    RECT window{};
    GetWindowRect(CtrlHandle, &window);
    TRect r{3, 3, button.left, Height(window) - 3};
    if ((GetWindowLongPtrW(CtrlHandle, GWL_EXSTYLE) & WS_EX_RTLREADING) != 0) r = TRect{button.right, 3, Width(window) - 3, Height(window) - 3};
    const LRESULT selected = SendMessageW(CtrlHandle, CB_GETCURSEL, 0, 0);
    const String text = selected >= 0 ? ComboItemText(CtrlHandle, static_cast<int>(selected)) : WindowTextOf(CtrlHandle);
    HDC dc = canvas->Handle();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
    if (GetFocus() == CtrlHandle && (GetWindowLongPtrW(CtrlHandle, GWL_STYLE) & 3) == CBS_DROPDOWNLIST) {
        FillBitmapRect(cache, r, ColorToRGB(clHighlight));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, ColorToRGB(clHighlightText));
        TextOutW(dc, r.left + 1, r.top + 1, text.c_str(), static_cast<int>(text.size()));
        DrawFocusRect(dc, &r);
    } else {
        canvas->Brush()->SetStyle(bsClear);
        canvas->TextRect(r, r.left, r.top, text);
    }
    RestoreDC(dc, saved);
}

void TacComboBoxWnd::PrepareSimple()
{
    TBitmap* cache = SkinData->CacheBmp();
    if (cache == nullptr) return;
    const int h = static_cast<int>(SendMessageW(CtrlHandle, CB_GETITEMHEIGHT, 0, 0)) + 8;
    cache->SetSize(std::max(0, static_cast<int>(WndSize.cx)), std::max(0, h));
    if (cache->Empty()) return;
    const TsSkin* skin = SkinData->Skin();
    const TRect all{0, 0, cache->Width(), cache->Height()};
    if (DlgMode && skin != nullptr && skin->SkinData.BorderColor != NoSkinColor) {
        FillBitmapRect(cache, all, ColorToRGB(clWindow));
        PaintColorFrame(cache->Canvas()->Handle(), all, 1, skin->SkinData.BorderColor, 1, 1, 1);
        return;
    }
    DrawControlSkin(SkinData, WndParentCacheInfo(CtrlHandle), true, cache, WndPos, all,
                    SkinData->HotStateActive() ? 1 : 0);
}

void TacComboBoxWnd::DropNotification(WORD Code)
{
    if (Code == CBN_CLOSEUP) {
        SkinData->BGChanged = true;
        ComboDropped = false;
        RepaintButton();
    } else if (Code == CBN_DROPDOWN) {
        ComboDropped = true;
    }
}

void TacComboBoxWnd::acWndProc(TMessage& Message)
{
    if (SkinData == nullptr || !SkinData->Skinned() || Destroyed) {
        TacEditWnd::acWndProc(Message);
        return;
    }
    switch (Message.Msg) {
    case SM_LUMACMD:
        switch (SkinCmdSub(Message.WParam)) {
        case AC_SKINUNLOADED:
            if (reinterpret_cast<TsSkinManager*>(Message.LParam) == SkinData->GetSkinManager()) {
                TacEditWnd::acWndProc(Message);
                if (FListHandle != nullptr) {
                    const LONG_PTR style = GetWindowLongPtrW(FListHandle, GWL_STYLE);
                    SetWindowLongPtrW(FListHandle, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_THICKFRAME)) | WS_BORDER);
                    ForgetList();
                }
                ReleaseListBrush();
                return;
            }
            break;
        case AC_HOTON:
        case AC_HOTOFF:
            TacEditWnd::acWndProc(Message);
            RepaintButton();
            return;
        default:
            break;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_LBUTTONUP:
        TacEditWnd::acWndProc(Message);
        RepaintButton();
        return;
    case WM_PAINT:
        PaintCombo(Message);
        return;
    case WM_ERASEBKGND:
        return;
    case WM_DRAWITEM:
        PassOn(Message);
        Invalidate();
        return;
    case WM_NCCALCSIZE:
        TacEditWnd::acWndProc(Message);
        cxLeftEdge = ComboFrameWidth;
        return;
    case WM_COMMAND:
        if ((GetWindowLongPtrW(CtrlHandle, GWL_STYLE) & 1) == 0) DropNotification(HIWORD(Message.WParam));
        break;
    case CN_COMMAND:
        DropNotification(HIWORD(Message.WParam));
        break;
    case WM_CTLCOLORLISTBOX:
        ListColors(Message);
        return;
    case WM_PRINT:
        PrintCombo(Message);
        return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        SkinData->FMouseAbove = Message.Msg == CM_MOUSEENTER;
        SkinData->BGChanged = true;
        TacEditWnd::acWndProc(Message);
        Invalidate();
        return;
    default:
        break;
    }
    TacEditWnd::acWndProc(Message);
}

void TacComboBoxWnd::PaintCombo(TMessage& Message)
{
    if (!ParamsChanged) SetSkinParams();
    ReadWndPlacement(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    PassOn(Message);
    if (Destroyed) return;
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    const bool own = dc == nullptr;
    if (own) dc = GetWindowDC(CtrlHandle);
    if (Simple()) {
        PrepareSimple();
    } else {
        SkinData->BGChanged = true;
        SendMessageW(CtrlHandle, SM_LUMACMD, MakeSkinWParam(AC_BUILDCACHE), 0);
    }
    if (TBitmap* cache = SkinData->CacheBmp(); cache != nullptr && !cache->Empty())
        CopyFrameStrips(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, ComboFrameWidth);
    if (!Simple()) PaintButton(dc);
    if (own) ReleaseDC(CtrlHandle, dc);
}

void TacComboBoxWnd::ListColors(TMessage& Message)
{
    if (LBoxOpening) return;
    LBoxOpening = true;
    TacEditWnd::acWndProc(Message);
    if (FListHandle == nullptr) {
        FListHandle = reinterpret_cast<HWND>(Message.LParam);
        if (ListSW == nullptr && FListHandle != nullptr) {
            const bool foreign = SkinData->FOwnerControl == nullptr;
            const bool savedMode = DialogHandlerMode;
            if (foreign) DialogHandlerMode = DlgMode;
            ListSW = TacComboListWnd::CreateEx(FListHandle, Simple(), SendMessageW(CtrlHandle, CB_GETCOUNT, 0, 0) > 0,
                                               L"EDIT", SkinData->GetSkinManager(), nullptr);
            if (foreign) DialogHandlerMode = savedMode;
        }
    }
    TacSectionInfo info;
    info.SkinIndex = -1;
    if (FListHandle != nullptr)
        SendMessageW(FListHandle, SM_LUMACMD, MakeSkinWParam(AC_QUERYSKININDEX), reinterpret_cast<LPARAM>(&info));
    const TsSkin* skin = SkinData->Skin();
    if (info.SkinIndex >= 0 && !DlgMode && skin != nullptr && skin->IsValidSkinIndex(info.SkinIndex)) {
        const TsGeneralData& gd = skin->gd[info.SkinIndex];
        const HDC dc = reinterpret_cast<HDC>(Message.WParam);
        if (gd.FontColor.Color >= 0) SetTextColor(dc, ColorToRGB(gd.FontColor.Color));
        SetBkColor(dc, ColorToRGB(gd.Color));
        Message.Result = reinterpret_cast<LRESULT>(ListBrush(gd.Color));
    }
    LBoxOpening = false;
}

void TacComboBoxWnd::PrintCombo(TMessage& Message)
{
    ReadWndPlacement(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    SkinData->SetUpdating(true);
    if (!ParamsChanged) SetSkinParams();
    if (Destroyed) return;
    SkinData->SetUpdating(false);
    SkinData->BGChanged = true;
    if (Simple()) PrepareSimple(); else SendMessageW(CtrlHandle, SM_LUMACMD, MakeSkinWParam(AC_BUILDCACHE), 0);
    PrepareFrameCache(SkinData, CtrlHandle, DlgMode);
    PaintText();
    RestoreCornerBackground(SkinData, 0, this);
    const HDC dc = reinterpret_cast<HDC>(Message.WParam);
    TBitmap* cache = SkinData->CacheBmp();
    if (dc == nullptr || cache == nullptr || cache->Empty()) return;
    BitBlt(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
    PaintButton(dc);
}

// ---- TacComboListWnd ----

TacComboListWnd::TacComboListWnd(HWND AHandle, bool Repaint, const String& Section, TsSkinManager* Manager,
                                 TsCommonData* Data)
    : TacEditWnd(AHandle, Data, Manager, Section, Repaint, TEditKind::DropDownList)
{
    GetWindowRect(AHandle, &WndRect);
}

TacComboListWnd::~TacComboListWnd()
{
    if (SetWindowThemeProc != nullptr) SetWindowThemeProc(CtrlHandle, nullptr, nullptr);
}

TacComboListWnd* TacComboListWnd::CreateEx(HWND AHandle, bool SimplyBox, bool Repaint, const String& Section,
                                           TsSkinManager* Manager, TsCommonData* Data)
{
    auto* handler = new TacComboListWnd(AHandle, Repaint, Section, Manager, Data);
    handler->SimplyBox = SimplyBox;
    if (!SimplyBox) {
        // Only a frame recalculation: the combo box gives the list its size whenever it drops.
        SetWindowPos(AHandle, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOCOPYBITS | SWP_NOOWNERZORDER |
                         SWP_NOSENDCHANGING);
    }
    return handler;
}

bool TacComboListWnd::ListKeepsCapture() const
{
    return !SimplyBox && Tag != -1 && (SkinData == nullptr || SkinData->FOwnerControl == nullptr);
}

void TacComboListWnd::PrepareListCache()
{
    ReadWndPlacement(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    if (SimplyBox) {
        SendMessageW(CtrlHandle, SM_LUMACMD, MakeSkinWParam(AC_BUILDCACHE), 0);
        return;
    }
    SkinData->UpdateIndexes();
    SetSkinParams();
    TBitmap* cache = SkinData->CacheBmp();
    if (cache == nullptr) return;
    cache->SetSize(WndSize.cx, WndSize.cy);
    if (cache->Empty()) return;
    const TRect all{0, 0, cache->Width(), cache->Height()};
    FillBitmapRect(cache, all, ColorToRGB(Color));
    PaintColorFrame(cache->Canvas()->Handle(), all, 1, FrameColor, 1, 1, 1);
    SkinData->BGChanged = false;
}

void TacComboListWnd::PaintListFrame(TMessage& Message)
{
    PrepareListCache();
    if (!DlgMode) RestoreCornerBackground(SkinData, 0, this);
    HDC dc = GetWindowDC(CtrlHandle);
    const int saved = SaveDC(dc);
    if (TBitmap* cache = SkinData->CacheBmp(); cache != nullptr && !cache->Empty())
        CopyFrameStrips(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, 2);
    DrawScrollBars(CtrlHandle, -1, dc);
    RestoreDC(dc, saved);
    ReleaseDC(CtrlHandle, dc);
    Message.Result = 0;
}

void TacComboListWnd::ListButtonUp(TMessage& Message)
{
    ReadWndPlacement(CtrlHandle, ParentWnd, WndRect, ParentRect, WndSize, WndPos);
    const POINT client{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
    TMessage hit{WM_NCHITTEST, 0, MAKELPARAM(client.x + WndRect.left, client.y + WndRect.top), 0};
    TacScrollWnd::acWndProc(hit);
    if (hit.Result != HTNOWHERE && hit.Result != HTCLIENT) {
        TacScrollWnd::acWndProc(Message);
        if (SimplyBox) ReleaseCapture();
        return;
    }
    TMessage up = Message;
    TacScrollWnd::acWndProc(up);
    PassOn(Message);
}

void TacComboListWnd::PrintList(TMessage& Message)
{
    const HDC dc = reinterpret_cast<HDC>(Message.WParam);
    if (dc == nullptr || !IsWindowVisible(CtrlHandle)) return;
    PrepareListCache();
    PassOn(Message);
    if (Message.Msg != WM_PRINT || SendMessageW(CtrlHandle, LB_GETCOUNT, 0, 0) < 1) return;
    TBitmap* cache = SkinData->CacheBmp();
    if (ScrollTracking.PressedPortion == sbpNone && !Showed && cache != nullptr && !cache->Empty())
        CopyFrameStrips(dc, 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, 3);
    DrawScrollBars(CtrlHandle, -1, dc);
}

void TacComboListWnd::acWndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
    case WM_HSCROLL:
    case WM_VSCROLL:
        PassOn(Message);
        return;
    case WM_NCCALCSIZE:
        CalcNonClientSize(Message);
        return;
    case WM_NCPAINT:
        if (!DontRepaint) {
            PaintListFrame(Message);
            return;
        }
        break;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        TMessage hit{WM_NCHITTEST, 0, Message.LParam, 0};
        TacScrollWnd::acWndProc(hit);
        Message.WParam = static_cast<WPARAM>(hit.Result);
        if (hit.Result == HTHSCROLL || hit.Result == HTVSCROLL) TacScrollWnd::acWndProc(Message);
        return;
    }
    case WM_LBUTTONUP:
        ListButtonUp(Message);
        return;
    case CbTrackingStarts:
        Showed = true;
        break;
    case CbTrackingEnds:
        Showed = false;
        if (SkinData != nullptr) SkinData->BGChanged = true;
        break;
    case WM_PRINT:
    case WM_PRINTCLIENT:
        PrintList(Message);
        return;
    default:
        break;
    }
    TacEditWnd::acWndProc(Message);
    if (Message.Msg == WM_WINDOWPOSCHANGED) SyncScrollBars(this, true);
}
