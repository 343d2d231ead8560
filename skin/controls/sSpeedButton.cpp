#include "skin/controls/sSpeedButton.h"

#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/graphics/DrawingGuards.h"
#include "skin/controls/sFading.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

TsSpeedButton* DroppedDownButton = nullptr;

namespace {

constexpr int DropDownWidth = 16;
constexpr int SpeedButtonCOC = 92;

bool GHintsSuppressed = false;
bool GSavedShowHint = true;
// A drop-down menu of some speed button is being shown.
bool GDropDownInProgress = false;

bool Has(TComponent* C, TComponentStateFlag Flag) { return C->ComponentState().Contains(Flag); }

// Entering a parent makes its speed buttons that still show the mouse let go of their hot look.
void PlugHotTest()
{
    static const bool plugged = [] {
        SpeedButtonHotTest = [](TControl* Control) {
            auto* button = dynamic_cast<TsSpeedButton*>(Control);
            return button != nullptr && button->SkinData()->FMouseAbove;
        };
        return true;
    }();
    (void)plugged;
}

} // namespace

void SuppressHints()
{
    if (GHintsSuppressed) return;
    GSavedShowHint = Application->ShowHint();
    Application->SetShowHint(false);
    GHintsSuppressed = true;
}

void RestoreHints()
{
    if (!GHintsSuppressed) return;
    Application->SetShowHint(GSavedShowHint);
    GHintsSuppressed = false;
}

bool HintsSuppressed() { return GHintsSuppressed; }

// ---- Construction ----

TsSpeedButton::TsSpeedButton(TComponent* AOwner) : TSpeedButton(AOwner)
{
    PlugHotTest();
    FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
    FCommonData->COC = SpeedButtonCOC;
    // The action's image is drawn from its list, never copied into the glyph.
    ButtonGlyph()->CopyActionImage = false;
    FOldNumGlyphs = NumGlyphs();
    FOldSpacing = Spacing();
    OldLayout = Layout();
    // The glyph's own change handling runs first, then the cache is redone.
    OldOnChange = Glyph()->OnChange;
    Glyph()->OnChange = [this](TObject* Sender) { GlyphBitmapChanged(Sender); };
    FImageChangeLink.OnChange = [this](TObject*) {
        FCommonData->BGChanged = true;
        if (FCommonData->Skinned()) GraphRepaint();
        else Repaint();
    };
    FCommonData->Loaded();
    if (FCommonData->Skinned()) SetControlStyle(ControlStyle().Include(csOpaque));
}

TsSpeedButton::~TsSpeedButton()
{
    // No repaint of a button going away.
    Destroying();
    StopAnimFade();
    if (DroppedDownButton == this) DroppedDownButton = nullptr;
    Glyph()->OnChange = OldOnChange;
    FCommonData.reset();
}

void TsSpeedButton::Loaded()
{
    TSpeedButton::Loaded();
    FCommonData->Loaded();
    if (FCommonData->Skinned()) SetControlStyle(ControlStyle().Include(csOpaque));
    if (ImageListInUse()) Glyph()->Assign(nullptr);
}

void TsSpeedButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TSpeedButton::Notification(AComponent, Operation);
    if (Operation != opRemove) return;
    if (AComponent == FImages) SetImages(nullptr);
    if (AComponent == FDropdownMenu) SetDropdownMenu(nullptr);
}

void TsSpeedButton::GlyphBitmapChanged(TObject* Sender)
{
    if (OldOnChange) OldOnChange(Sender);
    if (Has(this, csLoading) || Has(this, csDestroying) || ControlState().Contains(csCreating)) return;
    FCommonData->Invalidate();
}

void TsSpeedButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TSpeedButton::ActionChange(Sender, CheckDefaults);
    if (auto* action = dynamic_cast<TCustomAction*>(Sender)) {
        if (action->ActionList() != nullptr) SetImages(action->ActionList()->Images());
        SetImageIndex(action->ImageIndex());
    }
    SetShowCaption(FShowCaption);
    FCommonData->BGChanged = true;
    if (!Has(this, csDestroying) && !Has(this, csLoading)) GraphRepaint();
}

// ---- Properties ----

void TsSpeedButton::PropertyChanged(bool Always)
{
    FCommonData->BGChanged = true;
    if (Always || Visible() || Has(this, csDesigning)) GraphRepaint();
}

// Glyph properties the combo edit switches around every paint leave the cache alone inside an
// update.
void TsSpeedButton::ListPropertyChanged()
{
    if (FCommonData->CtrlSkinState & ACS_LOCKED) return;
    PropertyChanged();
}

void TsSpeedButton::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    PropertyChanged();
}

void TsSpeedButton::SetTextAlignment(TAlignment Value)
{
    if (FTextAlignment == Value) return;
    FTextAlignment = Value;
    Repaint();
}

void TsSpeedButton::SetBlend(int Value)
{
    Value = std::clamp(Value, 0, 100);
    if (FBlend == Value) return;
    FBlend = Value;
    ListPropertyChanged();
}

void TsSpeedButton::SetButtonStyle(TToolButtonStyle Value)
{
    if (FButtonStyle == Value) return;
    if (!Has(this, csLoading)) {
        if (Value == tbsDropDown) SetWidth(Width() + DropDownWidth);
        else if (FButtonStyle == tbsDropDown) SetWidth(Width() - DropDownWidth);
    }
    FButtonStyle = Value;
    PropertyChanged();
}

void TsSpeedButton::SetDisabledGlyphKind(TsDisabledGlyphKind Value)
{
    if (FDisabledGlyphKind == Value) return;
    FDisabledGlyphKind = Value;
    PropertyChanged();
}

void TsSpeedButton::SetDisabledKind(TsDisabledKind Value)
{
    if (FDisabledKind == Value) return;
    FDisabledKind = Value;
    PropertyChanged();
}

void TsSpeedButton::SetDropdownMenu(TPopupMenu* Value)
{
    if (FDropdownMenu == Value) return;
    if (FDropdownMenu != nullptr) FDropdownMenu->RemoveFreeNotification(this);
    FDropdownMenu = Value;
    if (Value != nullptr) Value->FreeNotification(this);
}

void TsSpeedButton::SetDrawOverBorder(bool Value)
{
    if (FDrawOverBorder == Value) return;
    FDrawOverBorder = Value;
    PropertyChanged();
}

void TsSpeedButton::SetGrayed(bool Value)
{
    if (FGrayed == Value) return;
    FGrayed = Value;
    ListPropertyChanged();
}

void TsSpeedButton::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    if (FImages != nullptr) {
        FImages->UnRegisterChanges(&FImageChangeLink);
        FImages->RemoveFreeNotification(this);
    }
    FImages = Value;
    if (Value != nullptr) {
        Value->RegisterChanges(&FImageChangeLink);
        Value->FreeNotification(this);
    }
    ListPropertyChanged();
}

void TsSpeedButton::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    ListPropertyChanged();
}

void TsSpeedButton::SetReflected(bool Value)
{
    if (FReflected == Value) return;
    FReflected = Value;
    PropertyChanged(true);
}

void TsSpeedButton::SetShowCaption(bool Value)
{
    const String caption = Caption();
    if (!caption.empty()) OldCaption = caption;
    const bool changed = FShowCaption != Value;
    FShowCaption = Value;
    SetCaption(Value ? OldCaption : String());
    if (changed) PropertyChanged();
}

void TsSpeedButton::SetTextOffset(int Value)
{
    if (FTextOffset == Value) return;
    FTextOffset = Value;
    PropertyChanged();
}

// ---- Layout ----

int TsSpeedButton::ArrowWidth() const
{
    return FButtonStyle == tbsDropDown ? DropDownWidth : 0;
}

int TsSpeedButton::Indent() const
{
    return Margin() < 0 ? 0 : Margin() + 3;
}

bool TsSpeedButton::ImageListInUse() const
{
    return FImages != nullptr && FImages->Count() > 0 && FImageIndex >= 0 && FImageIndex < FImages->Count();
}

int TsSpeedButton::GlyphWidth()
{
    const int frames = std::max(1, NumGlyphs());
    if (Glyph()->Width() > 0) return Glyph()->Width() / frames;
    if (ImageListInUse()) return FImages->Width() / frames;
    return 0;
}

int TsSpeedButton::GlyphHeight()
{
    if (Glyph()->Height() > 0) return Glyph()->Height();
    if (ImageListInUse()) return FImages->Height();
    return 0;
}

bool TsSpeedButton::HasText()
{
    return FShowCaption && !Caption().empty();
}

int TsSpeedButton::CaptionWidthLimit()
{
    if (!HasText()) return 0;
    int limit = Width() - 2 * Margin() - ArrowWidth();
    const int gw = GlyphWidth();
    if ((Layout() == blGlyphLeft || Layout() == blGlyphRight) && gw != 0) limit -= gw + Spacing();
    return limit;
}

TSize TsSpeedButton::CaptionTextSize()
{
    FCommonData->InitCacheBitmap();
    TCanvas* canvas = FCommonData->CacheBmp()->Canvas();
    canvas->Font()->Assign(Font());
    RECT r{0, 0, CaptionWidthLimit(), 0};
    const String caption = FShowCaption ? Caption() : String();
    DrawTextW(canvas->Handle(), caption.c_str(), static_cast<int>(caption.size()), &r,
              DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    return TSize{r.right - r.left, r.bottom - r.top};
}

int TsSpeedButton::CurrentState()
{
    if (State() == bsDown || State() == bsExclusive) return 2;
    return FCommonData->HotStateActive() ? 1 : 0;
}

TRect TsSpeedButton::CaptionRect()
{
    const TSize text = CaptionTextSize();
    const int tw = text.cx, th = text.cy;
    const int gw = GlyphWidth(), gh = GlyphHeight();
    const int w = Width(), h = Height(), aw = ArrowWidth(), indent = Indent();
    const bool captionShown = !Caption().empty();
    TRect r{0, 0, 0, 0};
    if (Layout() == blGlyphLeft || Layout() == blGlyphRight) {
        const int sp1 = gw > 0 && captionShown ? Spacing() : 0;
        const int sp2 = gw > 0 ? Spacing() : 0;
        const int half = (w - aw - gw - sp1 - tw) / 2 - indent;
        r.top = (h - th) / 2;
        r.bottom = h - (h - th) / 2;
        if (Layout() == blGlyphLeft) {
            switch (FAlignment) {
            case taLeftJustify: r.left = Margin() + gw + sp2; r.right = w - aw - indent - 2 * half; break;
            case taRightJustify: r.left = indent + 2 * half + gw + sp2; r.right = w - aw - indent; break;
            case taCenter: r.left = indent + half + gw + sp2; r.right = w - aw - indent - half; break;
            }
        } else {
            switch (FAlignment) {
            case taLeftJustify: r.left = indent; break;
            case taRightJustify: r.left = indent + 2 * half; break;
            case taCenter: r.left = indent + half; break;
            }
            r.right = r.left + tw;
        }
    } else {
        const int sp1 = gh > 0 && captionShown ? Spacing() : 0;
        const int v = (h - gh - sp1 - th) / 2 - indent;
        r.left = (w - tw - aw) / 2;
        r.right = w - r.left - aw;
        if (Layout() == blGlyphTop) {
            r.top = gh + indent + v + sp1;
            r.bottom = h - v - indent;
        } else {
            r.top = indent + v;
            r.bottom = h - v - indent - gh - sp1;
        }
    }
    r.left = r.left - 1 + FTextOffset;
    r.right = r.right + 2 + FTextOffset;
    if (CurrentState() == 2) OffsetRect(&r, 1, 1);
    return r;
}

TRect TsSpeedButton::ImgRect()
{
    const int gw = GlyphWidth(), gh = GlyphHeight();
    const int w = Width(), h = Height(), aw = ArrowWidth(), indent = Indent();
    const int sp = FShowCaption && gw > 0 && !Caption().empty() ? Spacing() : 0;
    const TSize text = CaptionTextSize();
    const int tw = text.cx, th = text.cy;
    const int half = (w - aw - gw - sp - tw) / 2 - indent;
    const int v = (h - gh - sp - th) / 2 - indent;
    const int yc = (h - gh) / 2;
    int x = 0, y = yc;
    switch (Layout()) {
    case blGlyphLeft:
        x = FAlignment == taLeftJustify ? indent : FAlignment == taRightJustify ? indent + 2 * half : indent + half;
        break;
    case blGlyphRight:
        if (FAlignment == taLeftJustify) x = CaptionRect().right + Spacing();
        else if (FAlignment == taRightJustify) x = w - aw - gw - indent;
        else x = (w - aw - gw + sp + tw) / 2;
        break;
    case blGlyphTop:
        x = (w - aw - gw) / 2 + 1;
        y = v + indent;
        break;
    case blGlyphBottom:
        x = (w - aw - gw) / 2 + 1;
        y = h - indent - v - gh;
        break;
    }
    if (CurrentState() == 2) {
        ++x;
        ++y;
    }
    TRect r{x, y, x + gw, y + gh};
    if (FReflected) OffsetRect(&r, 0, -(gh / 6));
    return r;
}

// ---- Painting ----

TacButtonGlyphInputs TsSpeedButton::GlyphInputs()
{
    TacButtonGlyphInputs in;
    in.Images = FImages;
    in.ImageIndex = FImageIndex;
    in.Glyph = Glyph();
    in.NumGlyphs = NumGlyphs();
    in.ImgRect = ImgRect();
    in.State = CurrentState();
    in.Enabled = Enabled();
    in.Down = Down();
    in.Blend = FBlend;
    in.Grayed = FGrayed;
    in.Reflected = FReflected;
    in.DisabledGlyphKind = FDisabledGlyphKind;
    in.SkinData = FCommonData.get();
    return in;
}

void TsSpeedButton::PaintBtnGlyph()
{
    PaintButtonGlyph(this, FCommonData->Skinned() ? nullptr : Canvas());
}

static UINT BiDiFlags(TControl* Control, UINT Flags)
{
    return Control->UseRightToLeftReading() ? Flags | DT_RTLREADING : Flags;
}

void TsSpeedButton::DrawCaptionText(TRect& R, UINT Flags)
{
    Flags = BiDiFlags(this, Flags) & ~static_cast<UINT>(DT_SINGLELINE);
    const String caption = Caption();
    if (FCommonData->Skinned()) {
        TCanvas* canvas = FCommonData->CacheBmp()->Canvas();
        canvas->Font()->Assign(Font());
        DrawControlText(canvas, caption, Enabled(), CurrentState() != 0, FCommonData.get(), Flags, R);
        return;
    }
    HDC dc = Canvas()->Handle();
    SetBkMode(dc, TRANSPARENT);
    auto draw = [&](TRect r, TColor color) {
        SetTextColor(dc, ColorToRGB(color));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &r, Flags);
    };
    if (Enabled()) {
        draw(R, Font()->Color());
        return;
    }
    TRect shifted = R;
    OffsetRect(&shifted, 1, 1);
    draw(shifted, clBtnHighlight);
    draw(R, clBtnShadow);
}

void TsSpeedButton::DrawBtnCaption()
{
    if (!FShowCaption) return;
    TCanvas* canvas = FCommonData->Skinned() ? FCommonData->CacheBmp()->Canvas() : Canvas();
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsClear);
    TRect r = CaptionRect();
    const UINT flags = AlignmentToDrawTextFlag(FTextAlignment) | DT_EXPANDTABS | DT_VCENTER | DT_WORDBREAK;
    DrawCaptionText(r, flags);
}

void TsSpeedButton::FillWithParentBackground(const TCacheInfo& CI)
{
    TBitmap* cache = FCommonData->CacheBmp();
    if (CI.Ready && CI.Bmp != nullptr) {
        BitBlt(cache->Canvas()->Handle(), 0, 0, Width(), Height(), CI.Bmp->Canvas()->Handle(), Left() + CI.X,
               Top() + CI.Y, SRCCOPY);
        return;
    }
    FillBitmapRect(cache, TRect{0, 0, Width(), Height()}, CI.FillColor);
}

// One part of the button (the main part, or the drop-down part without content).
void TsSpeedButton::ComposePart(const TRect& R, int State, const TCacheInfo& CI, bool WithContent)
{
    TBitmap* cache = FCommonData->CacheBmp();
    const TPoint offset{Left() + R.left, Top() + R.top};
    if (FDrawOverBorder) {
        DrawControlSkin(FCommonData.get(), CI, true, cache, offset, R, State);
        if (WithContent) {
            DrawBtnCaption();
            PaintBtnGlyph();
        }
        return;
    }
    DrawControlBackground(FCommonData.get(), CI, State, cache, offset, R);
    if (WithContent) {
        DrawBtnCaption();
        PaintBtnGlyph();
    }
    TsSkinManager* manager = FCommonData->SkinManager();
    const int mask = manager->GetMaskIndex(FCommonData->SkinIndex, FCommonData->SkinSection(), L"BORDERSMASK");
    // The border's see-through pixels show the parent at the button's place.
    TCacheInfo atButton = CI;
    atButton.X += Left();
    atButton.Y += Top();
    if (mask >= 0) DrawMaskBorder(cache, R, atButton, manager->ma[mask], State, true, FCommonData->Skin());
}

int TsSpeedButton::DropDownState()
{
    if ((FDropdownMenu != nullptr && FDroppedDown) || Down() || State() == bsDown || State() == bsExclusive) return 2;
    return FCommonData->HotStateActive() ? 1 : 0;
}

void TsSpeedButton::ComposeDropDownPart(const TCacheInfo& CI)
{
    const int state = DropDownState();
    const TRect part{Width() - DropDownWidth, 0, Width(), Height()};
    ComposePart(part, state, CI, false);
    TsSkinManager* manager = FCommonData->SkinManager();
    const int arrow = manager->ConstData.MaskArrowBottom;
    if (arrow < 0 || arrow >= static_cast<int>(manager->ma.size())) return;
    const TsMaskData& mask = manager->ma[arrow];
    const int aw = mask.ImageCount > 0 ? (mask.R.right - mask.R.left) / mask.ImageCount : 0;
    const int ah = (mask.R.bottom - mask.R.top) / (mask.MaskType + 1);
    TBitmap* cache = FCommonData->CacheBmp();
    const TPoint at{(DropDownWidth - aw) / 2 + Width() - DropDownWidth + 1, (Height() - ah) / 2};
    DrawMaskImage(cache, at, state, MakeCacheInfo(cache, 0, 0), mask, 1, FCommonData->Skin());
}

void TsSpeedButton::PrepareCache()
{
    FCommonData->InitCacheBitmap();
    TBitmap* cache = FCommonData->CacheBmp();
    cache->Canvas()->Font()->Assign(Font());
    TBackgroundQuery query;
    if (Parent() != nullptr) QueryControlBackground(query, Parent(), false);
    const TCacheInfo ci = BackgroundToCacheInfo(query);
    if (ci.Bmp != nullptr && ci.Bmp->Width() == 0) return;

    switch (FButtonStyle) {
    case tbsSeparator:
        FillWithParentBackground(ci);
        break;
    case tbsDivider: {
        FillWithParentBackground(ci);
        TsSkinManager* manager = FCommonData->SkinManager();
        const int section = manager->GetSkinIndex(L"DIVIDER");
        const int mask = section >= 0 ? manager->GetMaskIndex(section, L"DIVIDER", L"BORDERSMASK") : -1;
        if (mask >= 0)
            DrawMaskBorder(cache, TRect{Width() / 2 - 1, 0, Width() / 2 + 1, Height()}, ci, manager->ma[mask], 0, false,
                           FCommonData->Skin());
        break;
    }
    default:
        ComposePart(TRect{0, 0, Width() - ArrowWidth(), Height()}, CurrentState(), ci, true);
        if (FButtonStyle == tbsDropDown) ComposeDropDownPart(ci);
        if (!Enabled())
            PaintDisabledLook(cache, DisabledLookOptions(FDisabledKind), Parent(), TPoint{0, 0},
                              FCommonData->GetParentCacheInfo());
        if (OnPaint) OnPaint(this, cache);
        break;
    }
    FCommonData->BGChanged = false;
}

void TsSpeedButton::ShowCache()
{
    TBitmap* shown = FCommonData->CacheBmp();
    if (FFadeTimer != nullptr && FFadeTimer->Enabled() && FFadeTimer->TmpBmp->Width() == Width())
        shown = FFadeTimer->TmpBmp.get();
    BitBlt(Canvas()->Handle(), 0, 0, Width(), Height(), shown->Canvas()->Handle(), 0, 0, SRCCOPY);
}

void TsSpeedButton::Paint()
{
    TsSkinManager* manager = FCommonData->SkinManager();
    if (manager != nullptr && manager->SkinData.Active && FCommonData->SkinIndex <= 0) FCommonData->UpdateIndexes();
    if (!FCommonData->Skinned()) {
        StdPaint(true);
        return;
    }
    if (Width() <= 0 || Height() <= 0) return;
    if (FFadeTimer != nullptr && FFadeTimer->Enabled() && FFadeTimer->TmpBmp->Width() == Width()) {
        ShowCache();
        return;
    }
    bool changed = FCommonData->BGChanged || CurrentState() > 0 || Down() != FStoredDown || FCommonData->HalfVisible;
    FStoredDown = Down();
    FCommonData->HalfVisible = FCommonData->RepaintIfMoved();
    if (!changed && (FOldNumGlyphs != NumGlyphs() || FOldSpacing != Spacing())) changed = true;
    if (changed) {
        FOldNumGlyphs = NumGlyphs();
        FOldSpacing = Spacing();
        FCommonData->BGChanged = true;
        if (!FCommonData->UrgentPainting) PrepareCache();
    }
    ShowCache();
}

void TsSpeedButton::PaintSiblingsOverCache()
{
    TWinControl* parent = Parent();
    TBitmap* cache = FCommonData->CacheBmp();
    const TRect bounds{Left(), Top(), Left() + Width(), Top() + Height()};
    for (int i = 0; i < parent->ControlCount(); ++i) {
        TControl* sibling = parent->Controls(i);
        if (sibling == this || !sibling->Visible() || dynamic_cast<TWinControl*>(sibling) != nullptr) continue;
        const POINT topLeft{sibling->Left(), sibling->Top()};
        const POINT bottomRight{sibling->Left() + sibling->Width() - 1, sibling->Top() + sibling->Height() - 1};
        if (!PtInRect(&bounds, topLeft) && !PtInRect(&bounds, bottomRight)) continue;
        HDC dc = cache->Canvas()->Handle();
        const int saved = SaveDC(dc);
        sibling->SetControlState(sibling->ControlState().Include(csPaintCopy));
        SetWindowOrgEx(dc, Left() - sibling->Left(), Top() - sibling->Top(), nullptr);
        IntersectClipRect(dc, 0, 0, sibling->Width(), sibling->Height());
        sibling->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
        sibling->SetControlState(sibling->ControlState().Exclude(csPaintCopy));
        RestoreDC(dc, saved);
    }
}

void TsSpeedButton::GraphRepaint()
{
    if (ControlState().Contains(csCreating) || Has(this, csDestroying) || Has(this, csLoading)) return;
    if (Parent() == nullptr || !Visible() || !Parent()->HandleAllocated()) return;
    if (!FCommonData->Skinned() || Has(this, csDesigning)) {
        Repaint();
        return;
    }
    if (FCommonData->BGChanged) {
        PrepareCache();
        if (!ControlState().Contains(csPaintCopy)) PaintSiblingsOverCache();
    }
    ShowCache();
    static_cast<TControlCanvas*>(Canvas())->FreeHandle();
}

void TsSpeedButton::Invalidate()
{
    if (Layout() != OldLayout) {
        OldLayout = Layout();
        FCommonData->BGChanged = true;
    }
    TSpeedButton::Invalidate();
}

// ---- Painting without a skin ----

void TsSpeedButton::StdPaintFace(const TRect& R)
{
    HDC dc = Canvas()->Handle();
    const bool pressed = State() == bsDown || State() == bsExclusive;
    TRect face = R;
    if (Flat()) {
        if (pressed || MouseInControl() || Has(this, csDesigning))
            DrawEdge(dc, &face, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
        else if (!Transparent())
            PaintColorRect(dc, face, Color());
    } else {
        DrawFrameControl(dc, &face, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0));
    }
    if (State() == bsExclusive && !(Flat() && MouseInControl())) {
        static const WORD dither[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        HBITMAP pattern = CreateBitmap(8, 8, 1, 1, dither);
        HBRUSH brush = CreatePatternBrush(pattern);
        SetTextColor(dc, ColorToRGB(clBtnFace));
        SetBkColor(dc, ColorToRGB(clBtnHighlight));
        TRect inner = R;
        InflateRect(&inner, -2, -2);
        FillRect(dc, &inner, brush);
        DeleteObject(brush);
        DeleteObject(pattern);
    }
}

void TsSpeedButton::StdPaintDropDownPart()
{
    HDC dc = Canvas()->Handle();
    const bool pressed = (FDropdownMenu != nullptr && FDroppedDown) || Down() || State() == bsDown;
    TRect part{Width() - DropDownWidth, 0, Width(), Height()};
    DrawFrameControl(dc, &part, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));
    const int x = (DropDownWidth - 5) / 2 + Width() - DropDownWidth + (pressed ? 1 : 0);
    const int y = (Height() - 5) / 2 + (pressed ? 1 : 0);
    const POINT triangle[3] = {{x, y}, {x + 5, y}, {x + 2, y + 5}};
    HBRUSH brush = CreateSolidBrush(ColorToRGB(clBtnText));
    HPEN pen = CreatePen(PS_SOLID, 1, ColorToRGB(clBtnText));
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, triangle, 3);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void TsSpeedButton::StdPaint(bool PaintButton)
{
    if (!Enabled()) SetState(bsDisabled);
    else if (State() == bsDisabled) SetState(Down() && GroupIndex() != 0 ? bsExclusive : bsUp);
    Canvas()->Font()->Assign(Font());
    Canvas()->Font()->SetColor(clBtnText);
    if (FButtonStyle == tbsSeparator) return;
    if (FButtonStyle == tbsDivider) {
        TRect band{Width() / 2 - 1, 0, Width() / 2 + 1, Height()};
        DrawEdge(Canvas()->Handle(), &band, BDR_SUNKENOUTER, BF_RECT);
        return;
    }
    if (PaintButton) {
        StdPaintFace(TRect{0, 0, Width() - ArrowWidth(), Height()});
        if (FButtonStyle == tbsDropDown) StdPaintDropDownPart();
    }
    DrawBtnCaption();
    PaintBtnGlyph();
}

// ---- State changes and fading ----

void TsSpeedButton::RepaintState(bool Half, bool Animate)
{
    if (FDropdownMenu != nullptr && FDropdownMenu->ClassName() == L"TPopupActionBar" && FDroppedDown) return;
    if (Animate && !SkinLoading() && FCommonData->Skinned() && SectionFades(FCommonData.get()) && !AppShuttingDown &&
        !FCommonData->BGChanged) {
        FCommonData->BGChanged = true;
        StartAnimFade(Half);
    } else {
        FCommonData->BGChanged = true;
        StopAnimFade();
        GraphRepaint();
    }
    FCommonData->RefreshGlow(Half);
}

void TsSpeedButton::StartAnimFade(bool Half)
{
    if (Has(this, csDesigning)) return;
    int start = 1;
    if (FFadeTimer != nullptr) {
        start = std::max(1, FFadeTimer->Iterations - FFadeTimer->FadeLevel);
        delete FFadeTimer;
        FFadeTimer = nullptr;
    }
    if (!SectionFades(FCommonData.get()) || AppShuttingDown) return;
    FFadeTimer = new TsAnimTimer(nullptr);
    FFadeTimer->SetOwnerData(FCommonData.get());
    if (Half) FFadeTimer->Iterations /= 2;
    FFadeTimer->FadeLevel = start;
    if (Parent() != nullptr) PaintSiblingsOverCache();
    FFadeTimer->BmpFrom->Assign(FCommonData->CacheBmp());
    PrepareCache();
    if (Parent() != nullptr) PaintSiblingsOverCache();
    FillCacheCorners(FCommonData.get(), CurrentState());
    FFadeTimer->SetEnabled(true);
    FFadeTimer->DoFade();
}

void TsSpeedButton::StopAnimFade()
{
    if (FFadeTimer == nullptr) return;
    TsAnimTimer* timer = FFadeTimer;
    FFadeTimer = nullptr;
    if (!Has(this, csDestroying) && !Has(this, csDesigning) && !Has(timer, csDestroying)) {
        timer->SetEnabled(false);
        if (timer->FadeLevel != 0) {
            FCommonData->BGChanged = true;
            GraphRepaint();
        }
    }
    delete timer;
}

// ---- Mouse ----

void TsSpeedButton::HandleMouseEnterLeave(TMessage& Message, bool Skinned)
{
    if (!Enabled() || Has(this, csDesigning)) return;
    if (Message.Msg == CM_MOUSEENTER) {
        if (Skinned && MouseInControl()) return;
        if (OnMouseEnter) OnMouseEnter(this);
        if (FCommonData->FMouseAbove || FButtonStyle == tbsSeparator || FButtonStyle == tbsDivider) return;
        FCommonData->FMouseAbove = true;
        if (Skinned) RepaintState(false, IsAnimatedEvent(aeMouseEnter, FAnimatEvents, FCommonData->SkinManager()));
        return;
    }
    if (!FCommonData->FMouseAbove) return;
    if (OnMouseLeave) OnMouseLeave(this);
    FCommonData->FMouseAbove = false;
    if (State() == bsDown) SetState(bsUp);
    if (Skinned && Visible()) RepaintState(false, IsAnimatedEvent(aeMouseLeave, FAnimatEvents, FCommonData->SkinManager()));
}

void TsSpeedButton::DropMenu()
{
    DroppedDownButton = this;
    StopAnimFade();
    if (GDropDownInProgress) return;
    HookPopupMenu(FCommonData->SkinManager(), FDropdownMenu);
    GDropDownInProgress = true;
    FDroppedDown = true;
    FCommonData->BGChanged = true;
    if (!OnClick) SetState(bsDown);
    GraphRepaint();

    FDropdownMenu->SetPopupComponent(this);
    const TPoint at = ClientToScreen(TPoint{0, Height() + 1});
    FDropdownMenu->Popup(at.x, at.y);

    FDroppedDown = false;
    GDropDownInProgress = false;
    DroppedDownButton = nullptr;
    POINT cursor;
    GetCursorPos(&cursor);
    const TPoint origin = ClientToScreen(TPoint{0, 0});
    const RECT screenBounds{origin.x, origin.y, origin.x + Width(), origin.y + Height()};
    if (!PtInRect(&screenBounds, cursor)) Perform(CM_MOUSELEAVE, 0, 0);
    if (!OnClick) SetState(bsUp);
    if (!FCommonData->Skinned()) Repaint();
    else {
        FCommonData->BGChanged = true;
        GraphRepaint();
    }
}

void TsSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    SuppressHints();
    if (Button == mbLeft && Enabled() && FButtonStyle == tbsDropDown && FDropdownMenu != nullptr &&
        (X > Width() - DropDownWidth || !OnClick)) {
        DropMenu();
        return;
    }
    TSpeedButton::MouseDown(Button, Shift, X, Y);
}

void TsSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (Has(this, csDestroying)) return;
    RestoreHints();
    if (Button == mbLeft && Enabled() && FButtonStyle == tbsDropDown) {
        FDroppedDown = false;
        if (DroppedDownButton == this) DroppedDownButton = nullptr;
    }
    TSpeedButton::MouseUp(Button, Shift, X, Y);
}

// ---- Window procedure ----

// The skin sub-commands answered before anything else; true when done.
bool TsSpeedButton::HandleSkinCommand(TMessage& Message)
{
    TsSkinManager* own = FCommonData->SkinManager();
    const bool ownManager = reinterpret_cast<TsSkinManager*>(Message.LParam) == own;
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        if (!ownManager) return false;
        HandleCommonMessage(Message, FCommonData.get());
        if (FCommonData->Skinned()) SetControlStyle(ControlStyle().Include(csOpaque));
        return true;
    case AC_SKINUNLOADED:
        if (ownManager && !Has(this, csDestroying)) {
            HandleCommonMessage(Message, FCommonData.get());
            SetControlStyle(ControlStyle().Exclude(csOpaque));
            if (Visible()) Repaint();
        }
        return false;
    case AC_RESKIN:
        if (!ownManager) return false;
        HandleCommonMessage(Message, FCommonData.get());
        if (Visible()) Repaint();
        return true;
    case AC_RESUMEPAINT:
        if (FCommonData->Updating()) {
            FCommonData->SetUpdating(false);
            GraphRepaint();
        }
        return true;
    case AC_QUERYSKINNED: Message.Result = 1; return true;
    case AC_REDRAWGRAPHIC:
        FCommonData->SetUpdating(false);
        FCommonData->BGChanged = true;
        GraphRepaint();
        return false;
    case AC_QUERYAPP: Message.Result = reinterpret_cast<LRESULT>(Application.operator->()); return true;
    default: return false;
    }
}

// Messages of a skinned, paintable button before the common handling; true when done.
bool TsSpeedButton::HandleSkinnedMessage(TMessage& Message)
{
    if (Message.Msg == SM_LUMACMD) {
        switch (SkinCmdSub(Message.WParam)) {
        case AC_QUERYBUSY: Message.Result = FCommonData->Updating() ? 1 : 0; return true;
        case AC_SECTIONCHANGED: GraphRepaint(); return true;
        case AC_ENDFADE: StopAnimFade(); return true;
        default: return false;
        }
    }
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        if (Visible()) FCommonData->BGChanged = true;
        return false;
    case WM_ERASEBKGND: return true;
    case WM_LBUTTONUP:
        if (!Has(this, csDesigning) && FFadeTimer != nullptr && FFadeTimer->TmpBmp->Width() == Width()) {
            StopAnimFade();
            PrepareCache();
            GraphRepaint();
        }
        return false;
    case CM_TEXTCHANGED:
        if (!FShowCaption) return false;
        FCommonData->BGChanged = true;
        GraphRepaint();
        return true;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        HandleMouseEnterLeave(Message, true);
        TSpeedButton::WndProc(Message);
        return true;
    default: return false;
    }
}

void TsSpeedButton::AfterInherited(TMessage& Message)
{
    const bool designing = Has(this, csDesigning);
    switch (Message.Msg) {
    case WM_MOVE:
        if (designing && !FCommonData->Updating()) Repaint();
        break;
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED:
        if (designing && !FCommonData->Updating()) GraphRepaint();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!designing) RepaintState(true, IsAnimatedEvent(aeMouseDown, FAnimatEvents, FCommonData->SkinManager()));
        break;
    case WM_LBUTTONUP:
        if (designing || Has(this, csDestroying)) Message.Result = 1;
        else RepaintState(true, IsAnimatedEvent(aeMouseUp, FAnimatEvents, FCommonData->SkinManager()));
        break;
    case CM_VISIBLECHANGED: FCommonData->FMouseAbove = false; break;
    case CM_ENABLEDCHANGED:
        if (Visible() || designing) {
            if (!Enabled()) StopAnimFade();
            FCommonData->BGChanged = true;
            if (!Has(this, csLoading)) GraphRepaint();
        }
        break;
    case CM_BUTTONPRESSED:
        FCommonData->BGChanged = true;
        GraphRepaint();
        break;
    default: break;
    }
}

void TsSpeedButton::WndProc(TMessage& Message)
{
    if (FCommonData == nullptr) {
        TSpeedButton::WndProc(Message);
        return;
    }
    if (Message.Msg == SM_LUMACMD && HandleSkinCommand(Message)) return;
    if (!ControlIsReady(this) || !FCommonData->Skinned()) {
        if (Message.Msg == CM_MOUSEENTER || Message.Msg == CM_MOUSELEAVE) HandleMouseEnterLeave(Message, false);
        TSpeedButton::WndProc(Message);
        return;
    }
    if (HandleSkinnedMessage(Message)) return;
    if (HandleCommonMessage(Message, FCommonData.get())) return;
    TSpeedButton::WndProc(Message);
    AfterInherited(Message);
}

// ---- TsTimerSpeedButton ----

TsTimerSpeedButton::TsTimerSpeedButton(TComponent* AOwner) : TsSpeedButton(AOwner)
{
    SetWidth(Height() - 4);
}
