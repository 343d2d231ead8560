#include "skin/controls/sComboBox.h"

#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/graphics/DrawingGuards.h"
#include "framework/system/ScopeGuards.h"
#include "skin/core/acGlow.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "skin/subclass/acSBUtilsComboWnd.h"

namespace {

constexpr int ComboCOC = 3;
constexpr int ComboFrameWidth = 3;
constexpr int DefaultButtonHeight = 16;
constexpr UINT ItemTextFlags = DT_NOPREFIX | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE | DT_VCENTER;

int RectWidth(const TRect& R) { return R.right - R.left; }
int RectHeight(const TRect& R) { return R.bottom - R.top; }

} // namespace

TsCustomComboBox::TsCustomComboBox(TComponent* AOwner) : TCustomComboBox(AOwner)
{
    FDropDownCount = 16;
    FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
    FCommonData->COC = ComboCOC;
    if (FCommonData->SkinSection().empty()) FCommonData->SetSkinSection(L"COMBOBOX");
    FBoundLabel = std::make_unique<TsBoundLabel>(this, FCommonData.get());
}

TsCustomComboBox::~TsCustomComboBox()
{
    ReleaseList();
    FBoundLabel.reset();
    FCommonData.reset();
}

// ---- Properties ----

void TsCustomComboBox::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    FCommonData->Invalidate();
}

void TsCustomComboBox::SetDisabledKind(TsDisabledKind Value)
{
    if (FDisabledKind == Value) return;
    FDisabledKind = Value;
    FCommonData->Invalidate();
}

void TsCustomComboBox::SetShowButton(bool Value)
{
    if (FShowButton == Value) return;
    FShowButton = Value;
    FCommonData->Invalidate();
}

void TsCustomComboBox::SetDropDownCount(int Value)
{
    OldDropcountValue = FDropDownCount;
    TCustomComboBox::SetDropDownCount(Value);
}

// ---- Queries ----

bool TsCustomComboBox::RightToLeft() const { return UseRightToLeftAlignment(); }

TRect TsCustomComboBox::ButtonRect()
{
    const int w = Style() == csSimple || !FShowButton ? 0 : GetSystemMetrics(SM_CXVSCROLL);
    TRect r;
    r.left = RightToLeft() ? 2 : Width() - w - 2;
    r.top = 2;
    r.right = r.left + w;
    r.bottom = Height() - 2;
    return r;
}

int TsCustomComboBox::ButtonHeight()
{
    if (!FCommonData->Skinned()) return DefaultButtonHeight;
    const TsSkin* skin = FCommonData->Skin();
    const TsMaskData* glyph = SkinMask(skin, skin->ConstData.ComboGlyph);
    return glyph != nullptr ? glyph->FrameHeight() : DefaultButtonHeight;
}

int TsCustomComboBox::IndexOf(const String& S) const
{
    for (int i = 0; i < Items()->Count(); ++i)
        if (Items()->Get(i) == S) return i;
    return -1;
}

bool TsCustomComboBox::IsOwnerDrawn() const { return IsOwnerDraw() && static_cast<bool>(OnDrawItem); }

bool TsCustomComboBox::Focused()
{
    if (FCommonData != nullptr && FCommonData->FFocused) return true;
    return TCustomComboBox::Focused();
}

bool TsCustomComboBox::EditPaintsItself() { return Focused() && Enabled() && !FReadOnly; }

int TsCustomComboBox::CacheHeight() { return Style() == csSimple ? ItemHeight() + 8 : Height(); }

void TsCustomComboBox::Invalidate()
{
    if (FCommonData != nullptr && HandleAllocated() && Focused()) FCommonData->FFocused = true;
    TCustomComboBox::Invalidate();
}

void TsCustomComboBox::RedrawNow()
{
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// ---- Window and list ----

void TsCustomComboBox::CreateParams(TCreateParams& Params)
{
    TCustomComboBox::CreateParams(Params);
    // The list lines (and the edit part of a drop-down list) are drawn by DrawItem.
    if (Style() == csDropDown || Style() == csDropDownList)
        Params.Style = (Params.Style & ~static_cast<DWORD>(CBS_OWNERDRAWFIXED)) | CBS_OWNERDRAWVARIABLE;
}

void TsCustomComboBox::CreateWnd()
{
    // The base selects the remembered entry last, which would replace a text written after it.
    const String text = FText;
    TCustomComboBox::CreateWnd();
    if (HasEdit() && !text.empty() && Text() != text) SetTextQuietly(text);
    FCommonData->Loaded();
}

void TsCustomComboBox::DestroyWnd()
{
    // The list window goes with the box: a new window gets a new list and, when it needs one, a new handler.
    ReleaseList();
    TCustomComboBox::DestroyWnd();
}

void TsCustomComboBox::Loaded()
{
    TCustomComboBox::Loaded();
    FCommonData->Loaded();
}

void TsCustomComboBox::ReleaseList()
{
    if (ListSW != nullptr) {
        if (IsWindow(lboxhandle)) {
            const LONG_PTR style = GetWindowLongPtrW(lboxhandle, GWL_STYLE);
            SetWindowLongPtrW(lboxhandle, GWL_STYLE, (style & ~static_cast<LONG_PTR>(WS_THICKFRAME)) | WS_BORDER);
        }
        TacScrollWnd* handler = ListSW;
        DetachWndHandler(lboxhandle, true, false, handler);
        ListSW = nullptr;
    }
    lboxhandle = nullptr;
}

void TsCustomComboBox::ListAsksColors(TMessage& Message)
{
    // Only a list that has to scroll needs the skinned bars of a handler.
    if (ComponentState().Contains(csLoading) || lboxhandle != nullptr || Items()->Count() <= DropDownCount()) return;
    lboxhandle = reinterpret_cast<HWND>(Message.LParam);
    if (lboxhandle == nullptr) return;
    ListSW = TacComboListWnd::CreateEx(lboxhandle, Style() == csSimple, true, L"EDIT", FCommonData->GetSkinManager(),
                                       nullptr);
}

// ---- Painting ----

void TsCustomComboBox::PrepareCache()
{
    FCommonData->InitCacheBitmap();
    TBitmap* cache = FCommonData->CacheBmp();
    const int h = std::max(0, CacheHeight());
    if (Style() == csSimple) cache->SetSize(std::max(0, Width()), h);
    // The parent's background already comes at the box's own place in it.
    const TCacheInfo ci = FCommonData->GetParentCacheInfo();
    const TPoint at{0, 0};
    if (!cache->Empty()) {
        DrawControlSkin(FCommonData.get(), ci, true, cache, at, TRect{0, 0, Width(), h},
                        FCommonData->HotStateActive() ? 1 : 0);
        if (Style() != csSimple) {
            const TRect button = ButtonRect();
            const TRect text = RightToLeft() ? TRect{button.right + 1, 3, Width() - 3, h - 3}
                                             : TRect{3, 3, button.left - 1, h - 3};
            TOwnerDrawState state{odComboBoxEdit};
            if (Focused() && (Style() == csDropDownList || IsOwnerDraw()))
                state = TOwnerDrawState{odComboBoxEdit, odFocused, odSelected};
            FCanvas->PaintOn(cache->Canvas()->Handle(), [&] { DrawItem(ItemIndex(), text, state); });
            if (FShowButton) PaintButton();
        }
        if (!Enabled() && !IsOwnerDrawn())
            PaintDisabledLook(cache, DisabledLookOptions(FDisabledKind), Parent(), at, ci);
    }
    FCommonData->BGChanged = false;
}

void TsCustomComboBox::PaintButton()
{
    TBitmap* cache = FCommonData->CacheBmp();
    const TsSkin* skin = FCommonData->Skin();
    if (cache == nullptr || cache->Empty() || skin == nullptr) return;
    const int state = FDropDown ? 2 : FCommonData->HotStateActive() ? 1 : 0;
    const TRect r = ButtonRect();
    if (RectWidth(r) <= 0 || RectHeight(r) <= 0) return;
    const TConstantSkinData& cd = skin->ConstData;
    const TCacheInfo self = MakeCacheInfo(cache, 0, 0);
    if (cd.ComboBtnIndex >= 0)
        DrawSection(cd.ComboBtnIndex, L"COMBOBTN", self, cd.ComboBtnBGHot, cd.ComboBtnBG, skin, cache,
                    TPoint{r.left, r.top}, r, state);
    if (const TsMaskData* glyph = SkinMask(skin, cd.ComboGlyph)) {
        const TPoint at{r.left + (RectWidth(r) - glyph->FrameWidth()) / 2, (Height() - ButtonHeight()) / 2};
        DrawMaskImage(cache, at, state, self, *glyph, 1, skin);
    }
}

void TsCustomComboBox::OurPaint(HDC DC)
{
    if (!Showing() || !HandleAllocated()) return;
    HWND wnd = Handle();
    HDC target = DC != nullptr ? DC : GetDC(wnd);
    FCommonData->SetUpdating(FCommonData->Updating());
    const bool mayPaint = !AnimationInProgress || FCommonData->PrintDC == nullptr || FCommonData->PrintDC == target;
    if (mayPaint && !FCommonData->UpdatingFlag()) {
        FCommonData->BGChanged = FCommonData->BGChanged || FCommonData->HalfVisible ||
                                 QueryControlSkinCmd(Parent(), AC_QUERYHALFSHOWN) != 0 || IsOwnerDrawn();
        FCommonData->HalfVisible =
            Parent() == nullptr ||
            !RectInsideRect(Parent()->ClientRect(), TRect{Left(), Top(), Left() + Width(), Top() + Height()});
        if (FCommonData->BGChanged) PrepareCache();
        FillCacheCorners(FCommonData.get(), 0);
        TBitmap* cache = FCommonData->CacheBmp();
        if (cache != nullptr && !cache->Empty()) {
            HDC src = cache->Canvas()->Handle();
            const int w = Width();
            const int h = cache->Height();
            const bool frameOnly = Style() == csSimple || (Style() == csDropDown && Focused());
            if (frameOnly) {
                CopyFrameStrips(target, 0, 0, w, h, src, 0, 0, ComboFrameWidth);
                if (Style() == csDropDown) {
                    const TRect b = ButtonRect();
                    BitBlt(target, b.left, b.top, RectWidth(b), RectHeight(b), src, b.left, b.top, SRCCOPY);
                }
            } else {
                BitBlt(target, 0, 0, w, h, src, 0, 0, SRCCOPY);
            }
        }
    }
    if (DC == nullptr) ReleaseDC(wnd, target);
}

// ---- Items ----

void TsCustomComboBox::CNDrawItem(TMessage& Message)
{
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    const TOwnerDrawState state = OwnerDrawStateFromItemState(LOWORD(dis->itemState));
    FCanvas->PaintOn(dis->hDC, [&] {
        FCanvas->SetFont(Font());
        FCanvas->SetBrush(Brush());
        DrawItem(static_cast<int>(dis->itemID), dis->rcItem, state);
    });
    Message.Result = 1;
}

void TsCustomComboBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    if (FCommonData != nullptr && FCommonData->Skinned()) DrawSkinnedItem(Index, Rect, State);
    else DrawPlainItem(Index, Rect, State);
}

void TsCustomComboBox::DrawSkinnedItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    const int w = RectWidth(Rect);
    const int h = RectHeight(Rect);
    if (w <= 0 || h <= 0) return;
    auto bmp = MakeBitmap32(w, h);
    TCanvas* canvas = bmp->Canvas();
    canvas->Font()->Assign(Font());
    const TRect all{0, 0, w, h};
    const bool line = !State.Contains(odComboBoxEdit);
    const bool selected = State.Contains(odSelected);
    const bool focused = State.Contains(odFocused);
    TsSkinManager* manager = FCommonData->GetSkinManager();
    const TsSkin* skin = FCommonData->Skin();
    TBitmap* cache = FCommonData->CacheBmp();
    const bool fromCache = !line && cache != nullptr && !cache->Empty();

    // A list line lies on the list's plain colour; the edit part on the box's own cache.
    TCacheInfo ci;
    if (fromCache) ci = MakeCacheInfo(cache, Rect.left, Rect.top);
    else ci.FillColor = Color();

    const int selection = manager->GetSkinIndex(L"SELECTION");
    if (selected) {
        if (selection < 0)
            FillBitmapRect(bmp.get(), all, ColorToRGB(manager->GetHighLightColor(focused)));
        else
            DrawSection(selection, L"SELECTION", ci, -1, -1, skin, bmp.get(), TPoint{0, 0}, all,
                        focused || Style() == csDropDown ? 1 : 0);
    } else if (fromCache) {
        CopyPixelBlock(bmp.get(), all, cache, Rect.left, Rect.top);
    } else {
        FillBitmapRect(bmp.get(), all, ColorToRGB(manager->GetActiveEditColor()));
    }

    if (!IsOwnerDrawn()) {
        UINT flags = ItemTextFlags;
        if (RightToLeft()) flags |= DT_RIGHT;
        if (UseRightToLeftReading()) flags |= DT_RTLREADING;
        HDC dc = canvas->Handle();
        // The text is drawn on the bare DC: the box's font must be in it, not the DC's default.
        TSelectedObject font(dc, canvas->Font()->Handle());
        SetBkMode(dc, TRANSPARENT);
        if (line || Style() != csDropDown) {
            TRect textRect{2, 0, w - 2, h};
            if (Index >= 0 && Index < Items()->Count()) {
                const String text = Items()->Get(Index);
                if (selected && selection >= 0) {
                    DrawSectionText(canvas, text, true, manager, true, selection, flags, textRect);
                } else {
                    const TColor color = selected ? manager->GetHighLightFontColor(focused)
                                         : line   ? manager->GetActiveEditFontColor()
                                                  : Font()->Color();
                    SetTextColor(dc, ColorToRGB(color));
                    DCDrawText(dc, text, textRect, flags);
                }
            }
            if (focused && selected && selection < 0) {
                const RECT frame = all;
                DrawFocusRect(dc, &frame);
            }
        } else {
            TRect textRect = all;
            SetTextColor(dc, ColorToRGB(Font()->Color()));
            DCDrawText(dc, Text(), textRect, flags);
        }
    } else if (Index >= 0 && Index < Items()->Count()) {
        // The handler draws at the item's usual place; the bitmap stands in for it there.
        HDC itemDC = FCanvas->Handle();
        HDC dc = canvas->Handle();
        POINT oldOrigin{};
        SetWindowOrgEx(dc, Rect.left, Rect.top, &oldOrigin);
        FCanvas->SetHandle(dc);
        // The item canvas and the bitmap's origin come back however the handler ends.
        TScopeExit restore([&] {
            FCanvas->SetHandle(itemDC);
            SetWindowOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
        });
        OnDrawItem(this, Index, Rect, State);
    }
    GdiFlush();
    BitBlt(FCanvas->Handle(), Rect.left, Rect.top, w, h, bmp->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsCustomComboBox::DrawPlainItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    TCanvas* canvas = FCanvas.get();
    const bool selected = State.Contains(odSelected);
    canvas->Brush()->SetColor(selected ? clHighlight : Color());
    canvas->Font()->SetColor(selected ? clHighlightText : Font()->Color());
    canvas->FillRect(Rect);
    if (Index >= 0 && Index < Items()->Count()) {
        if (IsOwnerDrawn()) {
            OnDrawItem(this, Index, Rect, State);
        } else {
            UINT flags = ItemTextFlags;
            if (RightToLeft()) flags |= DT_RIGHT;
            if (UseRightToLeftReading()) flags |= DT_RTLREADING;
            HDC dc = canvas->Handle();
            TSelectedObject font(dc, canvas->Font()->Handle());
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, ColorToRGB(canvas->Font()->Color()));
            TRect textRect{Rect.left + 2, Rect.top, Rect.right - 2, Rect.bottom};
            DCDrawText(dc, Items()->Get(Index), textRect, flags);
        }
    }
    if (State.Contains(odFocused)) {
        const RECT frame = Rect;
        DrawFocusRect(canvas->Handle(), &frame);
    }
}

// ---- Messages ----

void TsCustomComboBox::EditWndProc(TMessage& Message)
{
    if (FCommonData == nullptr) {
        TCustomComboBox::EditWndProc(Message);
        return;
    }
    if (FReadOnly) {
        switch (Message.Msg) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case CN_KEYDOWN:
            // Tab only moves on: a read-only box must not hold the focus.
            if (Message.WParam == VK_TAB) break;
            return;
        case WM_CHAR:
        case WM_SYSKEYUP:
        case WM_CUT:
        case WM_PASTE:
        case WM_CLEAR:
        case WM_UNDO:
        case CN_CHAR:
        case CN_SYSKEYDOWN:
        case CN_SYSCHAR: return;
        default: break;
        }
    }
    if (FCommonData->Skinned() && !ComponentState().Contains(csDestroying) && Style() != csSimple && !EditPaintsItself()) {
        // The box shows this area from its cache.
        switch (Message.Msg) {
        case WM_PAINT: {
            PAINTSTRUCT ps{};
            BeginPaint(EditHandle(), &ps);
            EndPaint(EditHandle(), &ps);
            return;
        }
        case WM_ERASEBKGND:
        case WM_NCPAINT: Message.Result = 1; return;
        default: break;
        }
    }
    TCustomComboBox::EditWndProc(Message);
}

bool TsCustomComboBox::HandleSkinCommand(TMessage& Message)
{
    const bool ownManager = reinterpret_cast<TsSkinManager*>(Message.LParam) == FCommonData->GetSkinManager();
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        if (!ownManager) return false;
        HandleCommonMessage(Message, FCommonData.get());
        FCommonData->ApplySkinColors(false);
        if (lboxhandle != nullptr) SendMessageW(lboxhandle, Message.Msg, Message.WParam, Message.LParam);
        RedrawNow();
        return true;
    case AC_SKINUNLOADED:
        if (!ownManager) return false;
        HandleCommonMessage(Message, FCommonData.get());
        if (!FCommonData->CustomColor()) SetColor(clWindow);
        if (!FCommonData->CustomFont()) Font()->SetColor(clWindowText);
        ReleaseList();
        RedrawNow();
        return true;
    case AC_RESKIN:
        if (!ownManager) return false;
        HandleCommonMessage(Message, FCommonData.get());
        Repaint();
        return true;
    case AC_RESUMEPAINT:
        if (FCommonData->Updating()) {
            FCommonData->SetUpdating(false);
            RedrawNow();
        }
        return true;
    case AC_QUERYSKINNED: Message.Result = 1; return true;
    case AC_HOTOFF: Perform(CM_MOUSELEAVE, 0, 0); return false;
    case AC_QUERYAPP: Message.Result = reinterpret_cast<LRESULT>(Application.operator->()); return true;
    default: return false;
    }
}

bool TsCustomComboBox::ReadOnlyDrops(const TMessage& Message) const
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_SYSCHAR:
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
    case CN_SYSCHAR: {
        const WPARAM key = Message.WParam;
        // F4 opens the list as Alt+Down does.
        return (key >= VK_SPACE && key <= VK_DOWN) || key == '9' || (key >= 'A' && key <= 'Z') || key == VK_F4;
    }
    case WM_CHAR: return true;
    case WM_COMMAND:
    case CN_COMMAND: return HIWORD(Message.WParam) == CBN_DROPDOWN;
    default: return false;
    }
}

void TsCustomComboBox::MouseEnterLeave(TMessage& Message)
{
    if (ComponentState().Contains(csDesigning) || DroppedDown()) {
        TCustomComboBox::WndProc(Message);
        return;
    }
    const bool enter = Message.Msg == CM_MOUSEENTER;
    if (enter) {
        if (FCommonData->FMouseAbove) return;
        if (TsSkinManager* manager = FCommonData->GetSkinManager()) manager->SetActiveControl(Handle());
    } else {
        // The inner edit takes the mouse from the box without the mouse leaving it.
        RECT bounds{};
        GetWindowRect(Handle(), &bounds);
        if (PtInRect(&bounds, ScreenCursorPos())) return;
    }
    FCommonData->FMouseAbove = enter;
    FCommonData->BGChanged = true;
    Repaint();
    TCustomComboBox::WndProc(Message);
    if (enter) {
        if (FCommonData->GlowID != -1) {
            FreeGlowEffect(FCommonData->GlowID);
            FCommonData->GlowID = -1;
        }
        FCommonData->RefreshGlow(false, Handle());
    } else {
        FreeAllGlowEffects(false);
    }
}

bool TsCustomComboBox::HandleSkinnedMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_ENTER:
        if (!CanFocus()) return false;
        [[fallthrough]];
    case WM_SETFOCUS:
        FCommonData->FFocused = true;
        FCommonData->FMouseAbove = false;
        FCommonData->BGChanged = true;
        TCustomComboBox::WndProc(Message);
        RedrawNow();
        return true;
    case WM_KILLFOCUS:
    case CM_EXIT: {
        const HWND next = Message.Msg == WM_KILLFOCUS ? reinterpret_cast<HWND>(Message.WParam) : nullptr;
        const bool staysInside = next != nullptr && (next == EditHandle() || next == ListHandle());
        if (!staysInside && DroppedDown()) SendMessageW(Handle(), CB_SHOWDROPDOWN, FALSE, 0);
        // A drop-down box hands its focus on to its own edit at once: the box keeps it then.
        FCommonData->FFocused = staysInside;
        FCommonData->FMouseAbove = false;
        FCommonData->BGChanged = true;
        TCustomComboBox::WndProc(Message);
        RedrawNow();
        return true;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps{};
        BeginPaint(Handle(), &ps);
        if (!AnimationInProgress) OurPaint(reinterpret_cast<HDC>(Message.WParam));
        EndPaint(Handle(), &ps);
        Message.Result = 0;
        return true;
    }
    case WM_NCPAINT:
        if (AnimationInProgress) OurPaint(nullptr);
        return true;
    case WM_PRINT:
        FCommonData->SetUpdating(false);
        OurPaint(reinterpret_cast<HDC>(Message.WParam));
        return true;
    case WM_SETFONT:
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED:
    case CM_COLORCHANGED:
    case CM_MOUSEWHEEL: FCommonData->BGChanged = true; return false;
    case WM_COMMAND:
        if (FReadOnly) return true;
        // The inner edit's notifications arrive here too, also while the list is open.
        if (!DroppedDown()) FDropDown = false;
        OurPaint(nullptr);
        return false;
    case WM_CTLCOLORLISTBOX: ListAsksColors(Message); return false;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE: MouseEnterLeave(Message); return true;
    case CN_COMMAND:
        switch (HIWORD(Message.WParam)) {
        case CBN_DROPDOWN:
            FDropDown = true;
            FCommonData->BGChanged = true;
            DefaultSkinnedHandling(Message);
            OurPaint(nullptr);
            return true;
        case CBN_CLOSEUP:
            FDropDown = false;
            FCommonData->BGChanged = true;
            OurPaint(nullptr);
            return false;
        default: return false;
        }
    default: return false;
    }
}

void TsCustomComboBox::DefaultSkinnedHandling(TMessage& Message)
{
    if (HandleCommonMessage(Message, FCommonData.get())) return;
    TCustomComboBox::WndProc(Message);
    switch (Message.Msg) {
    case WM_SETFONT:
    case CM_ENABLEDCHANGED: Repaint(); break;
    case CB_SETCURSEL:
    case CM_TEXTCHANGED:
    case CM_CHANGED:
        FCommonData->BGChanged = true;
        Repaint();
        break;
    case SM_LUMACMD:
        if (SkinCmdSub(Message.WParam) == AC_POPUPSTATE) Message.Result = DroppedDown() ? 1 : 0;
        break;
    default: break;
    }
}

void TsCustomComboBox::WndProc(TMessage& Message)
{
    if (FCommonData == nullptr) {
        TCustomComboBox::WndProc(Message);
        return;
    }
    if (Message.Msg == SM_LUMACMD) {
        if (HandleSkinCommand(Message)) return;
    } else if (FReadOnly) {
        if (ReadOnlyDrops(Message)) return;
        if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) {
            // A click only focuses a read-only box: the list stays shut.
            if (CanFocus()) SetFocus();
            if (Message.Msg == WM_LBUTTONDBLCLK) DblClick();
            return;
        }
    }
    if (ControlIsReady(this) && FCommonData->Skinned()) {
        if (!HandleSkinnedMessage(Message)) DefaultSkinnedHandling(Message);
    } else {
        TCustomComboBox::WndProc(Message);
    }
    if (FBoundLabel != nullptr) FBoundLabel->FollowOwner(Message, FDisabledKind.Contains(dkBlended));
}
