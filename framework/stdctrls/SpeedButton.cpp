#include "framework/stdctrls/SpeedButton.h"

#include <algorithm>

namespace {

// The 8 x 8 checker of face and highlight that a down-and-exclusive button is filled with.
TBitmap* ExclusivePattern()
{
    static TBitmap* pattern = [] {
        auto* b = new TBitmap(8, 8);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                b->Canvas()->SetPixels(x, y, ColorToRGB(((x + y) & 1) ? clBtnHighlight : clBtnFace));
        return b;
    }();
    return pattern;
}

} // namespace

// ---- TSpeedButtonActionLink -----------------------------------------------------------------

TSpeedButtonActionLink::TSpeedButtonActionLink(TSpeedButton* AClient) : TControlActionLink(AClient), FButton(AClient) {}

bool TSpeedButtonActionLink::IsCheckedLinked()
{
    return TControlActionLink::IsCheckedLinked() && FButton->GroupIndex() != 0 && FButton->AllowAllUp() &&
           FButton->Down() == CustomAction()->Checked();
}

bool TSpeedButtonActionLink::IsGroupIndexLinked()
{
    return TControlActionLink::IsGroupIndexLinked() && FButton->GroupIndex() == CustomAction()->GroupIndex();
}

void TSpeedButtonActionLink::SetChecked(bool Value)
{
    if (IsCheckedLinked()) FButton->SetDown(Value);
}

void TSpeedButtonActionLink::SetGroupIndex(int Value)
{
    if (IsGroupIndexLinked()) FButton->SetGroupIndex(Value);
}

// ---- TSpeedButton ---------------------------------------------------------------------------

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TButtonGlyph>())
{
    FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
    SetBounds(0, 0, 23, 22);
    FControlStyle = TControlStyle{csCaptureMouse, csDoubleClicks};
    SetParentFont(true);
    SetColor(clBtnFace);
}

TSpeedButton::~TSpeedButton()
{
    FGlyph->OnChange = nullptr;
}

void TSpeedButton::GlyphChanged(TObject*)
{
    Invalidate();
}

void TSpeedButton::SetGlyph(TBitmap* Value)
{
    FGlyph->SetGlyph(Value);
}

void TSpeedButton::SetNumGlyphs(TNumGlyphs Value)
{
    FGlyph->SetNumGlyphs(Value);
}

void TSpeedButton::SetAllowAllUp(bool Value)
{
    if (FAllowAllUp == Value) return;
    FAllowAllUp = Value;
    UpdateExclusive();
}

void TSpeedButton::SetGroupIndex(int Value)
{
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    UpdateExclusive();
}

void TSpeedButton::SetDown(bool Value)
{
    if (FGroupIndex == 0) Value = false;
    if (Value == FDown) return;
    // The down button of a group goes up only when another goes down, unless AllowAllUp.
    if (FDown && !FAllowAllUp) return;
    FDown = Value;
    if (Value) {
        if (FState == bsUp) Invalidate();
        FState = bsExclusive;
        UpdateExclusive();
    } else {
        FState = bsUp;
        Repaint();
    }
}

void TSpeedButton::SetFlat(bool Value)
{
    if (FFlat == Value) return;
    FFlat = Value;
    Invalidate();
}

void TSpeedButton::SetLayout(TButtonLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TSpeedButton::SetMargin(int Value)
{
    if (FMargin == Value || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TSpeedButton::SetSpacing(int Value)
{
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TSpeedButton::SetTransparent(bool Value)
{
    if (FTransparent == Value) return;
    FTransparent = Value;
    if (Value) FControlStyle.Exclude(csOpaque);
    else FControlStyle.Include(csOpaque);
    Invalidate();
}

void TSpeedButton::UpdateExclusive()
{
    if (FGroupIndex == 0 || Parent() == nullptr) return;
    TMessage msg;
    msg.Msg = CM_BUTTONPRESSED;
    msg.WParam = static_cast<WPARAM>(FGroupIndex);
    msg.LParam = reinterpret_cast<LPARAM>(this);
    Parent()->Broadcast(msg);
}

void TSpeedButton::CMButtonPressed(TMessage& Message)
{
    if (Message.WParam != static_cast<WPARAM>(FGroupIndex)) return;
    auto* sender = reinterpret_cast<TSpeedButton*>(Message.LParam);
    if (sender == this) return;
    if (sender->Down() && FDown) {
        FDown = false;
        FState = bsUp;
        Invalidate();
    }
    FAllowAllUp = sender->AllowAllUp();
}

void TSpeedButton::UpdateTracking()
{
    if (!FFlat || !Enabled()) return;
    POINT p;
    GetCursorPos(&p);
    bool inside = FindDragTarget(TPoint{p.x, p.y}, true) == this;
    if (inside != FMouseInControl) {
        FMouseInControl = inside;
        Invalidate();
    }
}

void TSpeedButton::Loaded()
{
    TGraphicControl::Loaded();
    FState = Enabled() ? (FDown ? bsExclusive : bsUp) : bsDisabled;
}

void TSpeedButton::Click()
{
    TGraphicControl::Click();
}

std::unique_ptr<TControlActionLink> TSpeedButton::CreateActionLink()
{
    return std::make_unique<TSpeedButtonActionLink>(this);
}

void TSpeedButton::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TGraphicControl::ActionChange(Sender, CheckDefaults);
    auto* action = dynamic_cast<TCustomAction*>(Sender);
    if (action == nullptr) return;
    // The group first: Down only stays on a grouped button.
    if (!CheckDefaults || FGroupIndex == 0) SetGroupIndex(action->GroupIndex());
    if (!CheckDefaults || !FDown) SetDown(action->Checked());
    FGlyph->TakeActionImage(Sender);
}

void TSpeedButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbLeft && Enabled()) {
        if (!FDown) {
            FState = bsDown;
            Invalidate();
        }
        FDragging = true;
    }
}

void TSpeedButton::MouseMove(TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseMove(Shift, X, Y);
    if (!FDragging) {
        if (!FMouseInControl) UpdateTracking();
        return;
    }
    bool inside = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    TButtonState next = FDown ? bsExclusive : (inside ? bsDown : bsUp);
    if (next != FState) {
        FState = next;
        Invalidate();
    }
}

void TSpeedButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    if (!FDragging) return;
    FDragging = false;
    bool doClick = X >= 0 && X < ClientWidth() && Y >= 0 && Y <= ClientHeight();
    if (FGroupIndex == 0) {
        FState = bsUp;
        FMouseInControl = false;
        Invalidate();
    } else if (doClick) {
        SetDown(!FDown);
        if (FDown) Repaint();
    } else {
        if (FDown) FState = bsExclusive;
        Repaint();
    }
    if (doClick) Click();
    UpdateTracking();
}

void TSpeedButton::Paint()
{
    if (!Enabled()) {
        FState = bsDisabled;
        FDragging = false;
    } else if (FState == bsDisabled) {
        FState = (FDown && FGroupIndex != 0) ? bsExclusive : bsUp;
    }
    TCanvas* c = Canvas();
    c->SetFont(Font());
    TRect paintRect = Rect(0, 0, Width(), Height());
    bool pressed = FState == bsDown || FState == bsExclusive;
    if (!FFlat) {
        UINT flags = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT | (pressed ? DFCS_PUSHED : 0);
        DrawFrameControl(c->Handle(), &paintRect, DFC_BUTTON, flags);
    } else {
        if (pressed || (FMouseInControl && FState != bsDisabled) || ComponentState().Contains(csDesigning)) {
            DrawEdge(c->Handle(), &paintRect, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER,
                     (FTransparent ? 0 : BF_MIDDLE) | BF_RECT);
        } else if (!FTransparent) {
            c->Brush()->SetColor(Color());
            c->FillRect(paintRect);
        }
        InflateRect(&paintRect, -1, -1);
    }
    TPoint offset{0, 0};
    if (pressed) {
        if (FState == bsExclusive && (!FFlat || !FMouseInControl)) {
            c->Brush()->SetBitmap(ExclusivePattern());
            c->FillRect(paintRect);
            c->Brush()->SetBitmap(nullptr);
        }
        offset = TPoint{1, 1};
    }
    FGlyph->Draw(c, paintRect, offset, Caption(), FLayout, FMargin, FSpacing, FState, FTransparent,
                 BiDiDrawTextFlags(this, 0));
}

void TSpeedButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_BUTTONPRESSED: CMButtonPressed(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    case CM_TEXTCHANGED: Invalidate(); return;
    }
    TGraphicControl::Dispatch(Message);
}

void TSpeedButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && Enabled() && Visible() && Parent() != nullptr &&
        Parent()->Showing()) {
        Click();
        Message.Result = 1;
    }
}

void TSpeedButton::CMEnabledChanged(TMessage& Message)
{
    TGraphicControl::CMEnabledChanged(Message);
    UpdateTracking();
    Repaint();
}

void TSpeedButton::CMFontChanged(TMessage& Message)
{
    TGraphicControl::CMFontChanged(Message);
    Invalidate();
}

void TSpeedButton::CMMouseEnter(TMessage& Message)
{
    TGraphicControl::CMMouseEnter(Message);
    if (!FMouseInControl && Enabled() && GetCapture() == nullptr) {
        FMouseInControl = true;
        if (FFlat) Repaint();
    }
}

void TSpeedButton::CMMouseLeave(TMessage& Message)
{
    TGraphicControl::CMMouseLeave(Message);
    if (FMouseInControl && Enabled() && !FDragging) {
        FMouseInControl = false;
        if (FFlat) Invalidate();
    }
}

void TSpeedButton::CMSysColorChange(TMessage& Message)
{
    TGraphicControl::CMSysColorChange(Message);
    Invalidate();
}
