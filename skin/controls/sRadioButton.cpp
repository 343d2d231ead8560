#include "skin/controls/sRadioButton.h"

#include <windowsx.h>

#include <algorithm>

#include "framework/controls/Forms.h"
#include "skin/controls/sFading.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

namespace {

constexpr int RadioButtonCOC = 33;
constexpr int DefaultGlyphSize = 16;

bool Has(TComponent* C, TComponentStateFlag Flag) { return C->ComponentState().Contains(Flag); }

TShiftState ShiftFromKeys(WPARAM Keys)
{
    TShiftState shift;
    if (Keys & MK_SHIFT) shift.Include(ssShift);
    if (Keys & MK_CONTROL) shift.Include(ssCtrl);
    if (Keys & MK_LBUTTON) shift.Include(ssLeft);
    return shift;
}

} // namespace

TsRadioButton::TsRadioButton(TComponent* AOwner)
    : TRadioButton(AOwner), FGlyphChecked(std::make_unique<TBitmap>()), FGlyphUnChecked(std::make_unique<TBitmap>())
{
    FCommonData = std::make_unique<TsCommonData>(this, false);
    FCommonData->COC = RadioButtonCOC;
    FCommonData->Loaded();
}

TsRadioButton::~TsRadioButton()
{
    FreeFadeTimer(FFadeTimer, FCommonData.get());
    FCommonData.reset();
}

void TsRadioButton::Loaded()
{
    TRadioButton::Loaded();
    FCommonData->Loaded();
    AdjustSize();
}

// ---- Properties ----

void TsRadioButton::SetAutoSize(bool Value)
{
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    AdjustSize();
}

void TsRadioButton::SetMargin(int Value)
{
    if (FMargin == Value) return;
    FMargin = Value;
    if (FAutoSize) AdjustSize();
    FCommonData->Invalidate();
}

void TsRadioButton::SetTextIndent(int Value)
{
    if (FTextIndent == Value) return;
    FTextIndent = Value;
    if (FAutoSize) AdjustSize();
    FCommonData->Invalidate();
}

void TsRadioButton::SetShowFocus(bool Value)
{
    if (FShowFocus == Value) return;
    FShowFocus = Value;
    FCommonData->Invalidate();
}

void TsRadioButton::SetDisabledKind(TsDisabledKind Value)
{
    if (FDisabledKind == Value) return;
    FDisabledKind = Value;
    FCommonData->Invalidate();
}

void TsRadioButton::SetGlyphChecked(TBitmap* Value)
{
    FGlyphChecked->Assign(Value);
    if (FAutoSize) AdjustSize();
    if (Checked()) FCommonData->Invalidate();
}

void TsRadioButton::SetGlyphUnChecked(TBitmap* Value)
{
    FGlyphUnChecked->Assign(Value);
    if (FAutoSize) AdjustSize();
    if (!Checked()) FCommonData->Invalidate();
}

void TsRadioButton::Invalidate()
{
    TRadioButton::Invalidate();
    if (FAutoSize) FWordWrap = false;
}

TAlignment TsRadioButton::GetControlsAlignment()
{
    if (!UseRightToLeftAlignment()) return Alignment();
    return Alignment() == taRightJustify ? taLeftJustify : taRightJustify;
}

// ---- Geometry ----

TBitmap* TsRadioButton::CustomGlyph()
{
    TBitmap* glyph = Checked() ? FGlyphChecked.get() : FGlyphUnChecked.get();
    return glyph->Empty() ? nullptr : glyph;
}

int TsRadioButton::SkinGlyphMask()
{
    if (!FCommonData->Skinned()) return -1;
    TsSkinManager* manager = FCommonData->SkinManager();
    return manager->GetMaskIndex(manager->ConstData.IndexGLobalInfo, L"GLOBALINFO",
                                 Checked() ? L"RADIOCHECKED" : L"RADIOUNCHECKED");
}

TSize TsRadioButton::GlyphSize()
{
    if (TBitmap* glyph = CustomGlyph()) {
        const int w = glyph->Width(), h = glyph->Height();
        const int frames = h > 0 && w % h == 0 ? w / h : 1;
        return TSize{w / std::max(1, frames), h};
    }
    const int mask = SkinGlyphMask();
    if (mask < 0) return TSize{DefaultGlyphSize, DefaultGlyphSize};
    const TsMaskData& m = FCommonData->SkinManager()->ma[mask];
    if (m.Bmp != nullptr) return TSize{m.Bmp->Width() / 3, m.Bmp->Height() / 2};
    return TSize{(m.R.right - m.R.left) / std::max<int>(1, m.ImageCount), (m.R.bottom - m.R.top) / (m.MaskType + 1)};
}

bool TsRadioButton::GlyphAtLeft()
{
    return GetControlsAlignment() == taRightJustify;
}

TRect TsRadioButton::GlyphRect()
{
    if (CustomGlyph() == nullptr && SkinGlyphMask() < 0) return TRect{0, 0, DefaultGlyphSize, DefaultGlyphSize};
    const TSize g = GlyphSize();
    const int x = GlyphAtLeft() ? FMargin : Width() - g.cx - FMargin;
    const int y = (Height() - g.cy) / 2;
    return TRect{x, y, x + g.cx, y + g.cy};
}

bool TsRadioButton::CanAutoSize(int& NewWidth, int& NewHeight)
{
    if (!FCommonData->Skinned()) return false;
    if (Has(this, csLoading) || !FAutoSize) return false;
    TSize text{0, 0};
    const String caption = Caption();
    FontTextSize(Font(), caption, text);
    const int t = caption.empty() ? 0 : 1;
    const TSize g = GlyphSize();
    NewWidth = g.cx + 2 * FMargin + t * (text.cx + FTextIndent + 8);
    NewHeight = std::max<int>(g.cy, t * static_cast<int>(text.cy) + 2 * FMargin) + 2;
    return true;
}

void TsRadioButton::AdjustSize()
{
    int w = Width(), h = Height();
    if (CanAutoSize(w, h)) SetBounds(Left(), Top(), w, h);
}

bool TsRadioButton::Hot()
{
    return FCommonData->HotStateActive() && !FReadOnly;
}

// ---- Composing ----

void TsRadioButton::PaintCaption()
{
    const String caption = Caption();
    if (caption.empty()) return;
    TCanvas* canvas = FCommonData->CacheBmp()->Canvas();
    const TRect gr = GlyphRect();
    const int limit = Width() - (gr.right - gr.left) - FTextIndent - 2 * FMargin - 2;
    RECT measured{0, 0, limit, 0};
    const UINT wrap = FWordWrap ? DT_WORDBREAK : DT_SINGLELINE;
    DrawTextW(canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &measured, DT_CALCRECT | wrap);
    const int tw = measured.right - measured.left, th = measured.bottom - measured.top;
    TRect r;
    r.top = std::max((Height() - th) / 2, FMargin);
    r.bottom = r.top + th;
    UINT flags = wrap;
    if (Alignment() == taLeftJustify) {
        r.left = FMargin;
        r.right = FMargin + limit;
    } else if (UseRightToLeftReading()) {
        r.right = Width() - FMargin - (gr.right - gr.left) - FTextIndent - 4;
        r.left = r.right - tw;
        if (!FWordWrap) flags |= DT_RIGHT;
    } else {
        r.left = Width() - limit - FMargin + 2;
        r.right = r.left + tw;
    }
    OffsetRect(&r, FWordWrap ? -1 : 0, -1);
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    DrawControlText(canvas, caption, true, Hot(), FCommonData.get(), flags, r);

    canvas->Pen()->SetStyle(psClear);
    canvas->Brush()->SetStyle(bsSolid);
    if (Focused() && FShowFocus) {
        r.top += 1;
        if (!FWordWrap) r.bottom -= 1;
        InflateRect(&r, 1, 1);
        DrawDottedFrame(canvas, r, clBtnFace, 0);
    }
}

void TsRadioButton::PaintGlyph()
{
    TBitmap* cache = FCommonData->CacheBmp();
    const TRect gr = GlyphRect();
    if (TBitmap* glyph = CustomGlyph()) {
        const TSize size = GlyphSize();
        const int frames = std::max(1, glyph->Width() / std::max<int>(1, size.cx));
        const int index = FPressed ? std::min(2, frames - 1) : Hot() ? std::min(1, frames - 1) : 0;
        TBitmap frame32;
        frame32.Assign(glyph);
        frame32.SetPixelFormat(pf32bit);
        CopyKeyedBitmap(gr, TRect{index * size.cx, 0, (index + 1) * size.cx, size.cy}, cache, &frame32, EmptyCI, false);
        return;
    }
    const int mask = SkinGlyphMask();
    if (mask < 0 || cache->Width() == 0) return;
    const int state = FPressed ? 2 : Hot() ? 1 : 0;
    DrawMaskImage(cache, TPoint{gr.left, gr.top}, state, MakeCacheInfo(cache, 0, 0), FCommonData->SkinManager()->ma[mask],
                  1, FCommonData->Skin());
}

void TsRadioButton::PrepareCache()
{
    FCommonData->InitCacheBitmap();
    TBitmap* cache = FCommonData->CacheBmp();
    cache->Canvas()->Font()->Assign(Font());
    TBackgroundQuery query;
    query.Rect = TRect{0, 0, Width(), Height()};
    if (Parent() == nullptr || !QueryControlBackground(query, Parent(), false)) {
        query.Kind = bgkBitmap;
        query.Bitmap = cache;
        query.OffsetX = query.OffsetY = 0;
    }
    const TCacheInfo ci = BackgroundToCacheInfo(query);
    DrawControlSkin(FCommonData.get(), ci, true, cache, TPoint{Left(), Top()}, TRect{0, 0, Width(), Height()},
                    Hot() ? 1 : 0);
    PaintCaption();
    PaintGlyph();
    if (!Enabled())
        PaintDisabledLook(cache, DisabledLookOptions(FDisabledKind), Parent(), TPoint{0, 0},
                          FCommonData->GetParentCacheInfo());
    FCommonData->BGChanged = false;
}

void TsRadioButton::PaintTo(HDC DC)
{
    if (FCommonData->Updating() || (FFadeTimer != nullptr && FFadeTimer->Enabled())) return;
    PrepareCache();
    FillCacheCorners(FCommonData.get(), 0);
    BitBlt(DC, 0, 0, Width(), Height(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsRadioButton::PaintMessage(TMessage& Message)
{
    HDC dc = reinterpret_cast<HDC>(Message.WParam);
    PAINTSTRUCT ps{};
    const bool own = dc == nullptr;
    if (own) {
        BeginPaint(Handle(), &ps);
        dc = GetDC(Handle());
    }
    const int saved = SaveDC(dc);
    if (FCommonData->Updating()) FCommonData->SetUpdating(true);
    else PaintTo(dc);
    RestoreDC(dc, saved);
    if (own) {
        ReleaseDC(Handle(), dc);
        EndPaint(Handle(), &ps);
    }
}

void TsRadioButton::TakeFocus()
{
    if (Focused()) return;
    SetClicksDisabled(true);
    ::SetFocus(Handle());
    SetClicksDisabled(false);
}

// ---- Window procedure ----

bool TsRadioButton::HandleSkinCommand(TMessage& Message)
{
    const bool ownManager = reinterpret_cast<TsSkinManager*>(Message.LParam) == FCommonData->SkinManager();
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        if (!ownManager) return false;
        FreeFadeTimer(FFadeTimer, FCommonData.get());
        HandleCommonMessage(Message, FCommonData.get());
        return true;
    case AC_SKINUNLOADED:
        if (!ownManager) return false;
        FreeFadeTimer(FFadeTimer, FCommonData.get());
        HandleCommonMessage(Message, FCommonData.get());
        if (HandleAllocated()) {
            SendMessageW(Handle(), BM_SETCHECK, Checked() ? BST_CHECKED : BST_UNCHECKED, 0);
            if (!Has(this, csDesigning) && SetWindowThemeProc != nullptr) SetWindowThemeProc(Handle(), nullptr, nullptr);
        }
        Repaint();
        return true;
    case AC_RESKIN:
        if (!ownManager) return false;
        if (HandleAllocated())
            SetClassLongPtrW(Handle(), GCL_STYLE, GetClassLongPtrW(Handle(), GCL_STYLE) & ~(CS_HREDRAW | CS_VREDRAW));
        FreeFadeTimer(FFadeTimer, FCommonData.get());
        HandleCommonMessage(Message, FCommonData.get());
        AdjustSize();
        Repaint();
        return true;
    case AC_QUERYSKINNED: Message.Result = 1; return true;
    case AC_ENDFADE: FreeFadeTimer(FFadeTimer, FCommonData.get()); return true;
    case AC_BUILDCACHE: PrepareCache(); return false;
    case AC_QUERYAPP: Message.Result = reinterpret_cast<LRESULT>(Application.operator->()); return true;
    default: return false;
    }
}

bool TsRadioButton::HandleFocusAndHover(TMessage& Message)
{
    const bool designing = Has(this, csDesigning);
    switch (Message.Msg) {
    case WM_SETFOCUS:
    case CM_ENTER:
        if (designing) return false;
        if (Enabled()) {
            TRadioButton::WndProc(Message);
            FCommonData->BGChanged = true;
            if (FFadeTimer != nullptr) FFadeTimer->Change();
            else Repaint();
        }
        return true;
    case WM_KILLFOCUS:
    case CM_EXIT:
        if (designing || !Enabled()) return false;
        FreeFadeTimer(FFadeTimer, FCommonData.get());
        if (HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
        TRadioButton::WndProc(Message);
        if (HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
        FCommonData->FFocused = false;
        FCommonData->FMouseAbove = false;
        FCommonData->Invalidate();
        return true;
    case CM_MOUSEENTER:
        if (Enabled() && !designing && !FCommonData->FMouseAbove) {
            if (OnMouseEnter) OnMouseEnter(this);
            FCommonData->FMouseAbove = true;
            FadeRepaint(FFadeTimer, FCommonData.get(), false,
                        IsAnimatedEvent(aeMouseEnter, FAnimatEvents, FCommonData->SkinManager()), fdUp);
        }
        return false;
    case CM_MOUSELEAVE:
        if (Enabled() && !designing) {
            if (OnMouseLeave) OnMouseLeave(this);
            FCommonData->FMouseAbove = false;
            FPressed = false;
            FadeRepaint(FFadeTimer, FCommonData.get(), false,
                        IsAnimatedEvent(aeMouseLeave, FAnimatEvents, FCommonData->SkinManager()), fdUp);
        }
        return false;
    default: return false;
    }
}

bool TsRadioButton::HandleSkinned(TMessage& Message)
{
    const bool designing = Has(this, csDesigning);
    switch (Message.Msg) {
    case WM_ENABLE:
    case WM_NCPAINT:
    case BM_SETSTATE: return true;
    case WM_PAINT:
        PaintMessage(Message);
        if (designing) TRadioButton::WndProc(Message);
        return true;
    case WM_ERASEBKGND: Message.Result = 1; return true;
    case BM_SETCHECK:
        TRadioButton::WndProc(Message);
        FCommonData->BGChanged = true;
        if (FFadeTimer != nullptr && FFadeTimer->FadeLevel < FFadeTimer->Iterations) {
            FreeFadeTimer(FFadeTimer, FCommonData.get());
            Repaint();
        }
        if (Message.WParam == 0) SetChecked(false);
        else if (Message.WParam == 1) SetChecked(true);
        if (designing) FCommonData->Invalidate();
        else
            FadeRepaint(FFadeTimer, FCommonData.get(), true,
                        IsAnimatedEvent(aeMouseUp, FAnimatEvents, FCommonData->SkinManager()), fdUp);
        return true;
    case WM_KEYDOWN:
        if (Message.WParam != VK_SPACE || !Enabled() || designing) return false;
        if (FReadOnly) return true;
        FPressed = true;
        TakeFocus();
        Repaint();
        if (OnKeyDown) {
            WORD key = static_cast<WORD>(Message.WParam);
            OnKeyDown(this, key, TShiftState{});
        }
        return true;
    case WM_KEYUP:
        if (!Enabled() || designing) return false;
        if (FReadOnly) return true;
        if (FPressed) {
            FPressed = false;
            SetChecked(true);
        }
        Repaint();
        if (OnKeyUp) {
            WORD key = static_cast<WORD>(Message.WParam);
            OnKeyUp(this, key, TShiftState{});
        }
        return true;
    case WM_UPDATEUISTATE:
        if (!designing && HandleAllocated() && SetWindowThemeProc != nullptr) SetWindowThemeProc(Handle(), L" ", L" ");
        return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        if (!Enabled() || designing) return false;
        if (FReadOnly) return true;
        FPressed = true;
        FadeRepaint(FFadeTimer, FCommonData.get(), true,
                    IsAnimatedEvent(aeMouseDown, FAnimatEvents, FCommonData->SkinManager()), fdUp);
        TakeFocus();
        const int x = GET_X_LPARAM(Message.LParam), y = GET_Y_LPARAM(Message.LParam);
        if (Message.Msg == WM_LBUTTONDBLCLK) {
            if (OnDblClick) OnDblClick(this);
        } else if (OnMouseDown) {
            OnMouseDown(this, mbLeft, ShiftFromKeys(Message.WParam), x, y);
        }
        return true;
    }
    case WM_LBUTTONUP:
        if (!Enabled() || designing) return false;
        if (!FReadOnly && CanCheck() && FPressed) SetChecked(true);
        FPressed = false;
        Repaint();
        if (OnMouseUp)
            OnMouseUp(this, mbLeft, ShiftFromKeys(Message.WParam), GET_X_LPARAM(Message.LParam),
                      GET_Y_LPARAM(Message.LParam));
        return true;
    case WM_PRINTCLIENT:
        FCommonData->SetUpdating(false);
        PaintTo(reinterpret_cast<HDC>(Message.WParam));
        TRadioButton::WndProc(Message);
        return true;
    case CM_ENABLEDCHANGED:
        TRadioButton::WndProc(Message);
        Repaint();
        return true;
    case CM_TEXTCHANGED:
        if (FAutoSize) AdjustSize();
        Repaint();
        return true;
    case SM_LUMACMD:
        if (SkinCmdSub(Message.WParam) == AC_RESUMEPAINT && (FCommonData->Updating() || FCommonData->HalfVisible)) {
            FCommonData->SetUpdating(false);
            TMessage paint{WM_PAINT, 0, 0, 0};
            PaintMessage(paint);
        }
        return false;
    default: return false;
    }
}

// Without a skin only the press is tracked, and a read-only button refuses changes.
void TsRadioButton::TrackPressUnskinned(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN: FPressed = true; break;
    case WM_KEYUP:
    case WM_LBUTTONUP: FPressed = false; break;
    case WM_LBUTTONDBLCLK:
        if (FReadOnly) return;
        break;
    case BM_SETCHECK:
    case BM_SETSTATE:
        if (FReadOnly && FPressed && !ControlState().Contains(csCreating)) return;
        break;
    default: break;
    }
    TRadioButton::WndProc(Message);
}

void TsRadioButton::WndProc(TMessage& Message)
{
    if (FCommonData == nullptr) {
        TRadioButton::WndProc(Message);
        return;
    }
    if (Message.Msg == SM_LUMACMD && HandleSkinCommand(Message)) return;
    const bool skinned = FCommonData->Skinned(true);
    if (skinned && HandleFocusAndHover(Message)) return;
    if (!ControlIsReady(this)) {
        TRadioButton::WndProc(Message);
        return;
    }
    if (HandleCommonMessage(Message, FCommonData.get())) return;
    if (!skinned) {
        TrackPressUnskinned(Message);
        return;
    }
    if (HandleSkinned(Message)) return;
    TRadioButton::WndProc(Message);
}
