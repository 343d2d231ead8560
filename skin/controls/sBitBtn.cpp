#include "skin/controls/sBitBtn.h"

#include <algorithm>

#include "framework/controls/ActionList.h"
#include "framework/graphics/DrawingGuards.h"
#include "framework/system/ScopeGuards.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "skin/controls/sFading.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/controls/sThirdParty.h"
#include "skin/core/acGlow.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sBorders.h"
#include "skin/core/sConst.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

namespace {

// The bit button's control-type code.
constexpr int BitBtnCode = 94;
// Set only while MouseUp paints the last pressed frame of a click.
bool GForcePressed = false;
// A bit button's focus is moving: the buttons involved keep their redrawing as it is.
bool GFocusChanging = false;

UINT AlignmentFlags(TAlignment Alignment)
{
    return Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
}

// The glyph layouts in the order the layout calculation counts them.
int LayoutCode(TButtonLayout Layout)
{
    switch (Layout) {
    case blGlyphRight: return 1;
    case blGlyphTop: return 2;
    case blGlyphBottom: return 3;
    default: return 0;
    }
}

// Start, end, centre, as the layout calculation counts alignments.
int AlignmentCode(TAlignment Alignment)
{
    return Alignment == taRightJustify ? 1 : Alignment == taCenter ? 2 : 0;
}

} // namespace

TsBitBtn::TsBitBtn(TComponent* AOwner) : TBitBtn(AOwner), FCommonData(std::make_unique<TsCtrlSkinData>(this, true))
{
    FControlStyle.Exclude(csOpaque);
    FCommonData->COC = BitBtnCode;
    // The action's image is drawn from its list, never copied into the glyph.
    ButtonGlyph()->CopyActionImage = false;
    FCommonData->CacheBmp()->Canvas()->SetFont(Font());
    FImageChangeLink.OnChange = [this](TObject*) {
        if (FImages != nullptr) FCommonData->Invalidate();
    };
    FCommonData->Loaded();
}

TsBitBtn::~TsBitBtn()
{
    FreeFadeTimer(FFadeTimer, FCommonData.get());
    DropRegion();
    FCommonData.reset();
}

bool TsBitBtn::SkinActive() const
{
    return FCommonData != nullptr && FCommonData->Skinned(true);
}

void TsBitBtn::Loaded()
{
    TBitBtn::Loaded();
    FCommonData->CacheBmp()->Canvas()->SetFont(Font());
    FCommonData->Loaded();
    if (ImageListInUse()) Glyph()->Assign(nullptr);
}

void TsBitBtn::Notification(TComponent* AComponent, TOperation Operation)
{
    TBitBtn::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent != nullptr && AComponent == FImages) SetImages(nullptr);
}

void TsBitBtn::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    if (FImages != nullptr) {
        FImages->UnRegisterChanges(&FImageChangeLink);
        RemoveFreeNotification(FImages);
    }
    FImages = Value;
    if (Value != nullptr) {
        Value->RegisterChanges(&FImageChangeLink);
        FreeNotification(Value);
    }
    if (!ComponentState().Contains(csDestroying)) FCommonData->Invalidate();
}

bool TsBitBtn::ImageListInUse() const
{
    return FImages != nullptr && FImages->Count() > 0 && FImageIndex >= 0 && FImageIndex < FImages->Count();
}

void TsBitBtn::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TBitBtn::ActionChange(Sender, CheckDefaults);
    if (auto* action = dynamic_cast<TCustomAction*>(Sender)) {
        if (action->ActionList() != nullptr) SetImages(action->ActionList()->Images());
        SetImageIndex(action->ImageIndex());
    }
    if (!ComponentState().Contains(csDestroying) && !ComponentState().Contains(csLoading)) FCommonData->Invalidate();
}

void TsBitBtn::SetDown(bool Value)
{
    if (FDown == Value) return;
    FDown = Value;
    FCommonData->BGChanged = true;
    Repaint();
}

void TsBitBtn::SetButtonStyle(bool ADefault)
{
    TBitBtn::SetButtonStyle(ADefault);
    IsFocused = ADefault;
    if (FCommonData != nullptr) FCommonData->Invalidate();
}

void TsBitBtn::Invalidate()
{
    if (FCommonData != nullptr && Layout() != OldLayout) {
        OldLayout = Layout();
        FCommonData->BGChanged = true;
    }
    TBitBtn::Invalidate();
}

int TsBitBtn::CurrentState()
{
    const bool pushed = HandleAllocated() && (SendMessageW(Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
    // A press held while the mouse went away shows the button as it would be released.
    const bool heldOnIt = ControlState().Contains(csLButtonDown) && FMouseClicked;
    if ((FDown || pushed || GForcePressed) && (MouseAbove || !heldOnIt)) return 2;
    const bool defaultStyle = HandleAllocated() && (GetWindowLongPtrW(Handle(), GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
    if (IsFocused || defaultStyle || FCommonData->HotStateActive() ||
        (ComponentState().Contains(csDesigning) && Default()))
        return 1;
    return 0;
}

TRect TsBitBtn::ImgRect()
{
    TSize glyph, text;
    GlyphAndTextSizes(glyph, text);
    TRect r{GlyphPos.x, GlyphPos.y, GlyphPos.x + glyph.cx, GlyphPos.y + glyph.cy};
    if (CurrentState() == 2) OffsetRect(&r, 1, 1);
    if (FReflected) OffsetRect(&r, 0, -(glyph.cx / 6));
    return r;
}

void TsBitBtn::GlyphAndTextSizes(TSize& Glyph, TSize& Text)
{
    TBitmap* glyph = this->Glyph();
    const int frames = std::max(1, static_cast<int>(NumGlyphs()));
    if (ImageListInUse()) {
        Glyph = TSize{FImages->Width() / frames, FImages->Height()};
    } else {
        Glyph.cx = glyph != nullptr && !glyph->Empty() ? glyph->Width() / frames : 0;
        Glyph.cy = glyph != nullptr && !glyph->Empty() ? glyph->Height() : 0;
    }
    Text = TSize{0, 0};
    if (!FShowCaption || Caption().empty()) return;
    int limit = Width() - 2 * std::max(Margin(), 0);
    if ((Layout() == blGlyphLeft || Layout() == blGlyphRight) && Glyph.cx != 0) limit -= Glyph.cx + Spacing();
    TRect r{0, 0, std::max(limit, 0), 0};
    String text = Caption();
    TCanvas* canvas = FCommonData->CacheBmp()->Canvas();
    canvas->SetFont(Font());
    canvas->TextRect(r, text, AlignmentFlags(FTextAlignment) | DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    Text = TSize{r.right - r.left, r.bottom - r.top};
}

void TsBitBtn::DropRegion()
{
    if (FRegion != nullptr) DeleteObject(FRegion);
    FRegion = nullptr;
}

void TsBitBtn::PaintBorder(int State)
{
    const TsSkin* skin = FCommonData->Skin();
    const int border = FCommonData->BorderIndex;
    if (skin == nullptr || !skin->IsValidImgIndex(border)) return;
    const TsMaskData& mask = skin->ma[border];
    if (State == 0 && (mask.DrawMode & 2) != 0) return;
    StretchMaskBorder(FCommonData->CacheBmp(), FRegion, true, State, mask, skin);
}

void TsBitBtn::PrepareCache()
{
    TsCommonData* data = FCommonData.get();
    TBackgroundQuery query;
    if (Parent() != nullptr) QueryControlBackground(query, Parent(), false);
    const TCacheInfo ci = BackgroundToCacheInfo(query);
    data->InitCacheBitmap();
    TBitmap* cache = data->CacheBmp();
    const TsSkin* skin = data->Skin();
    if (skin == nullptr || !skin->IsValidSkinIndex(data->SkinIndex)) return;
    const int state = std::min(CurrentState(), std::max(skin->gd[data->SkinIndex].States - 1, 0));
    DrawControlBackground(data, ci, state, cache, TPoint{Left(), Top()}, TRect{0, 0, Width(), Height()});
    if (data->PrintDC == nullptr && (FFadeTimer == nullptr || !FFadeTimer->Enabled())) {
        // Only the newest composition's region can reach the window.
        DropRegion();
        FRegion = CreateRectRgn(0, 0, Width(), Height());
    }
    if (FDrawOverBorder) PaintBorder(state);
    if (data->HUEOffset() != 0) ShiftBitmapHue(cache, data->HUEOffset());
    if (data->Saturation() != 0) ShiftBitmapSaturation(cache, data->Saturation());

    TSize glyph, text;
    GlyphAndTextSizes(glyph, text);
    CalcGlyphTextLayout(TRect{0, 0, Width(), Height()}, glyph, text, static_cast<int>(BiDiDrawTextFlags(this, 0)),
                        CaptionRect, GlyphPos, Spacing(), Margin(), AlignmentCode(FAlignment), LayoutCode(Layout()));
    if (FShowCaption) WriteCaption(cache->Canvas());
    TacButtonGlyphInputs glyphInputs;
    glyphInputs.Images = FImages;
    glyphInputs.ImageIndex = FImageIndex;
    glyphInputs.Glyph = Glyph();
    glyphInputs.NumGlyphs = std::max(1, static_cast<int>(NumGlyphs()));
    glyphInputs.ImgRect = ImgRect();
    glyphInputs.State = CurrentState();
    glyphInputs.Enabled = Enabled();
    glyphInputs.Down = FDown;
    glyphInputs.Blend = FBlend;
    glyphInputs.Grayed = FGrayed;
    glyphInputs.Reflected = FReflected;
    glyphInputs.DisabledGlyphKind = FDisabledGlyphKind;
    glyphInputs.SkinData = data;
    PaintButtonGlyph(glyphInputs, TSize{Width(), Height()}, nullptr);
    if (!FDrawOverBorder) PaintBorder(state);
    auto* action = dynamic_cast<TCustomAction*>(Action());
    if (!Enabled() || (action != nullptr && !action->Enabled()))
        PaintDisabledLook(cache, DisabledLookOptions(FDisabledKind), Parent(), TPoint{Left(), Top()}, ci);
    if (OnPaint) OnPaint(this, cache);
    data->BGChanged = false;
}

void TsBitBtn::WriteCaption(TCanvas* Canvas)
{
    Canvas->SetFont(Font());
    Canvas->Brush()->SetStyle(bsClear);
    TRect r = CaptionRect;
    const int state = CurrentState();
    if (state == 2) OffsetRect(&r, 1, 1);
    UINT flags = AlignmentFlags(FTextAlignment) | DT_EXPANDTABS | DT_END_ELLIPSIS | (FWordWrap ? DT_WORDBREAK : 0);
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    DrawControlText(Canvas, Caption(), Enabled(), state != 0, FCommonData.get(), flags, r);
    const TsSkin* skin = FCommonData->Skin();
    const bool sectionShowsFocus = skin != nullptr && skin->IsValidSkinIndex(FCommonData->SkinIndex) &&
                                   skin->gd[FCommonData->SkinIndex].ShowFocus;
    if (Enabled() && Focused() && !Caption().empty() && sectionShowsFocus && FShowFocus && FShowCaption) {
        InflateRect(&r, FFocusMargin, FFocusMargin);
        DrawDottedFrame(Canvas, r, clBtnFace, 0);
    }
}

void TsBitBtn::PaintToDC(HDC DC)
{
    TsCommonData* data = FCommonData.get();
    // A running fade shows its own steps.
    if (data->Updating() || (FFadeTimer != nullptr && FFadeTimer->Enabled())) return;
    const bool redrawWithRegion = FFirstRegion || SkinChangeRunning;
    FFirstRegion = false;
    // Every paint composes anew: the hot and pressed looks have no cache of their own.
    data->BGChanged = true;
    PrepareCache();
    FillCacheCorners(data, CurrentState());
    const TRect bounds = BoundsRect();
    if (DC != data->PrintDC && !ComponentState().Contains(csDesigning) &&
        !ControlState().Contains(csAlignmentNeeded) && FRegion != nullptr && HandleAllocated()) {
        // The window owns the region from here on.
        if (SetWindowRgn(Handle(), FRegion, redrawWithRegion) != 0) FRegion = nullptr;
    }
    const TsSkin* skin = data->Skin();
    TBackgroundQuery query;
    if (Parent() != nullptr) QueryControlBackground(query, Parent(), false);
    if (skin != nullptr && skin->IsValidImgIndex(data->BorderIndex) && query.Kind != bgkBitmap && Parent() != nullptr &&
        Parent()->HandleAllocated() && (bounds.right - bounds.left < LastRect.right - LastRect.left ||
                                         bounds.bottom - bounds.top < LastRect.bottom - LastRect.top)) {
        // The old corners of a button that shrank are the parent's to paint again.
        const TsMaskData& mask = skin->ma[data->BorderIndex];
        const int wl = mask.WL, wt = mask.WT, wr = mask.WR, wb = mask.WB;
        const TRect old = LastRect;
        for (TRect r : {TRect{old.right - wr, old.top, old.right, old.top + wt},
                        TRect{old.right - wr, old.bottom - wb, old.right, old.bottom},
                        TRect{old.left, old.bottom - wb, old.left + wl, old.bottom}})
            InvalidateRect(Parent()->Handle(), &r, TRUE);
    }
    LastRect = bounds;
    DropRegion();
    TSavedDC saved(DC);
    BitBlt(DC, 0, 0, Width(), Height(), data->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsBitBtn::SkinnedRepaint()
{
    if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TsBitBtn::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (SkinActive() && Enabled() && !ComponentState().Contains(csDesigning)) {
        FCommonData->SetUpdating(false);
        if (Button == mbLeft) {
            // No hint pops up over the press.
            SuppressHints();
            FMouseClicked = true;
            if (!FDown) {
                FCommonData->BGChanged = false;
                FadeRepaint(FFadeTimer, FCommonData.get(), true,
                            IsAnimatedEvent(aeMouseDown, FAnimatEvents, FCommonData->SkinManager()), fdUp);
            }
            RestoreHints();
        }
    }
    TBitBtn::MouseDown(Button, Shift, X, Y);
}

void TsBitBtn::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!ComponentState().Contains(csDestroying) && SkinActive() && Enabled() &&
        !ComponentState().Contains(csDesigning)) {
        if (Button == mbLeft) RestoreHints();
        if (!FMouseClicked) {
            FreeFadeTimer(FFadeTimer, FCommonData.get());
        } else {
            FMouseClicked = false;
            if (Button == mbLeft) {
                // A fade still on its way to the pressed look gives way to it.
                if (FFadeTimer != nullptr && FFadeTimer->FadeLevel < FFadeTimer->Iterations)
                    FreeFadeTimer(FFadeTimer, FCommonData.get());
                // The last pressed frame shows before the button is released.
                FCommonData->BGChanged = true;
                GForcePressed = true;
                SkinnedRepaint();
                GForcePressed = false;
                Sleep(30);
                FCommonData->SetUpdating(false);
                FCommonData->BGChanged = false;
                FadeRepaint(FFadeTimer, FCommonData.get(), true,
                            IsAnimatedEvent(aeMouseUp, FAnimatEvents, FCommonData->SkinManager()), fdUp);
            }
        }
    }
    TBitBtn::MouseUp(Button, Shift, X, Y);
}

bool TsBitBtn::HandleSkinMessage(TMessage& Message)
{
    TsCommonData* data = FCommonData.get();
    const bool ownManager = reinterpret_cast<TsSkinManager*>(Message.LParam) == data->SkinManager();
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        if (ownManager) {
            FreeFadeTimer(FFadeTimer, data);
            HandleCommonMessage(Message, data);
        }
        return true;
    case AC_SKINUNLOADED:
        if (ownManager && !ComponentState().Contains(csDestroying)) {
            FreeFadeTimer(FFadeTimer, data);
            HandleCommonMessage(Message, data);
            DropRegion();
            if (HandleAllocated()) SetWindowRgn(Handle(), nullptr, FALSE);
            Repaint();
        }
        return true;
    case AC_RESKIN:
        if (ownManager) {
            FreeFadeTimer(FFadeTimer, data);
            HandleCommonMessage(Message, data);
            if (data->PrintDC == nullptr) Repaint();
        }
        return true;
    case AC_QUERYSKINNED: Message.Result = 1; return true;
    case AC_ENDFADE: FreeFadeTimer(FFadeTimer, data); return true;
    case AC_BUILDCACHE: PrepareCache(); return false;
    case AC_PAINTFADESTEP: DropRegion(); return false;
    case AC_QUERYAPP: Message.Result = reinterpret_cast<LRESULT>(static_cast<TApplication*>(Application)); return true;
    default: return false;
    }
}

bool TsBitBtn::HandleSkinnedMessage(TMessage& Message)
{
    TsCommonData* data = FCommonData.get();
    const bool designing = ComponentState().Contains(csDesigning);
    const bool shown = Visible() || designing;
    auto withoutRedraw = [&] {
        SendMessageW(Handle(), WM_SETREDRAW, 0, 0);
        TBitBtn::WndProc(Message);
        SendMessageW(Handle(), WM_SETREDRAW, 1, 0);
    };
    if (Message.Msg == SM_LUMACMD) {
        switch (SkinCmdSub(Message.WParam)) {
        case AC_RESUMEPAINT:
            if (!data->Updating()) return false;
            data->SetUpdating(false);
            Repaint();
            return true;
        case AC_SETURGENCY:
            if (data->UrgentPainting) PrepareCache();
            HandleCommonMessage(Message, data);
            return true;
        default: return false;
        }
    }
    switch (Message.Msg) {
    case WM_MOVE: {
        const TsSkin* skin = data->Skin();
        const TsGeneralData& gd = skin->gd[data->SkinIndex];
        if ((MouseAbove ? gd.HotTransparency : gd.Transparency) > 0) {
            data->BGChanged = true;
            Repaint();
        }
        return false;
    }
    case WM_WINDOWPOSCHANGED: data->BGChanged = true; return false;
    case WM_SETFOCUS:
    case CM_ENTER:
        if (Visible() && !designing && Enabled() && !ComponentState().Contains(csDestroying) && !GFocusChanging) {
            {
                // The buttons losing and taking the default look must not redraw in between.
                TScopeExit done([] { GFocusChanging = false; });
                GFocusChanging = true;
                withoutRedraw();
            }
            if (FFadeTimer != nullptr) FFadeTimer->Change();
            else data->Invalidate();
        } else if (Visible() && !designing) {
            TBitBtn::WndProc(Message);
        }
        return true;
    case WM_KILLFOCUS:
    case CM_EXIT:
        if (Visible() && !designing && Enabled() && !ComponentState().Contains(csDestroying)) {
            FreeFadeTimer(FFadeTimer, data);
            withoutRedraw();
            data->FFocused = false;
            data->Invalidate();
            FreeGlowEffect(data->GlowID);
            data->GlowID = -1;
        } else {
            TBitBtn::WndProc(Message);
        }
        return true;
    case WM_ENABLE: return true;
    case WM_SETTEXT:
        if (Showing()) {
            FreeFadeTimer(FFadeTimer, data);
            withoutRedraw();
            return true;
        }
        return false;
    case WM_PAINT:
        if (shown && Parent() != nullptr) {
            if (auto* dc = reinterpret_cast<HDC>(Message.WParam)) {
                PaintToDC(dc);
            } else {
                TPaintGuard paint(Handle());
                PaintToDC(paint.DC());
            }
            return true;
        }
        return false;
    case WM_ERASEBKGND:
    case WM_UPDATEUISTATE:
        if (!shown) return false;
        Message.Result = 0;
        return true;
    case WM_PRINTCLIENT:
        data->SetUpdating(false);
        PaintToDC(reinterpret_cast<HDC>(Message.WParam));
        return true;
    case CM_DIALOGCHAR:
        if (Message.WParam == VK_SPACE && Enabled() && Focused()) {
            FreeFadeTimer(FFadeTimer, data);
            data->BGChanged = true;
            FreeGlowEffect(data->GlowID);
            data->GlowID = -1;
            Repaint();
        }
        return false;
    case CM_FOCUSCHANGED:
        if (Visible()) {
            if (GFocusChanging) TBitBtn::WndProc(Message);
            else withoutRedraw();
        }
        HandleCommonMessage(Message, data);
        return true;
    case CM_TEXTCHANGED:
        if (!ComponentState().Contains(csDestroying) && shown) data->Invalidate();
        return true;
    case CM_MOUSEENTER:
        if (Enabled() && !designing && !MouseAbove && Message.LParam == 0) {
            if (OnMouseEnter) OnMouseEnter(this);
            MouseAbove = true;
            data->BGChanged = false;
            FadeRepaint(FFadeTimer, data, false, IsAnimatedEvent(aeMouseEnter, FAnimatEvents, data->SkinManager()), fdUp);
        }
        return false;
    case CM_MOUSELEAVE:
        if (Enabled() && !designing && Message.LParam == 0) {
            if (OnMouseLeave) OnMouseLeave(this);
            MouseAbove = false;
            data->BGChanged = false;
            FadeRepaint(FFadeTimer, data, false, IsAnimatedEvent(aeMouseLeave, FAnimatEvents, data->SkinManager()), fdUp);
        }
        return false;
    case CM_UIACTIVATE: data->SetUpdating(false); return false;
    case CN_DRAWITEM:
        Message.WParam = 0;
        Message.LParam = 0;
        Message.Result = 1;
        return true;
    default: return false;
    }
}

void TsBitBtn::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_KILLFOCUS && ComponentState().Contains(csDestroying)) return;
    if (Message.Msg == SM_LUMACMD && HandleSkinMessage(Message)) return;
    if (!ControlIsReady(this) || !SkinActive()) {
        if ((Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) && Message.LParam == 0 && Enabled() &&
            !ComponentState().Contains(csDesigning))
            MouseAbove = Message.Msg == CM_MOUSEENTER;
        TBitBtn::WndProc(Message);
        return;
    }
    if (HandleSkinnedMessage(Message)) return;
    if (HandleCommonMessage(Message, FCommonData.get())) return;
    TBitBtn::WndProc(Message);
    switch (Message.Msg) {
    case WM_KEYUP:
        // Space released on the button: the pressed look goes.
        if (Message.WParam == VK_SPACE) {
            FCommonData->BGChanged = true;
            Repaint();
        }
        break;
    case CM_CANCELMODE:
        FreeGlowEffect(FCommonData->GlowID);
        FCommonData->GlowID = -1;
        break;
    case WM_SETFONT:
        FCommonData->SetUpdating(false);
        FCommonData->Invalidate();
        break;
    case CM_VISIBLECHANGED:
        if (!ComponentState().Contains(csDestroying) && Visible()) {
            FCommonData->BGChanged = true;
            FCommonData->SetUpdating(false);
            Repaint();
        }
        break;
    case CM_ENABLEDCHANGED:
        if (!ComponentState().Contains(csDestroying)) {
            if (!Enabled()) FreeFadeTimer(FFadeTimer, FCommonData.get());
            FCommonData->SetUpdating(false);
            FCommonData->Invalidate();
        }
        break;
    case CM_ACTIONUPDATE:
        if (auto* action = dynamic_cast<TCustomAction*>(Action())) SetEnabled(action->Enabled());
        break;
    default: break;
    }
}
