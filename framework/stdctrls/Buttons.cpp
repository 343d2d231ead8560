// Push buttons, check boxes, radio buttons, bitmap buttons and speed buttons, and the glyph
// layout they share.
#include "framework/stdctrls/Buttons.h"

#include <algorithm>

namespace {

bool IsArrowKey(WPARAM Key)
{
    return Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN;
}

// Average of the three channels of a resolved colour.
int Luminance(TColor Color)
{
    COLORREF c = static_cast<COLORREF>(ColorToRGB(Color));
    return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
}

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

// ---- TButtonGlyph ---------------------------------------------------------------------------

TButtonGlyph::TButtonGlyph() : FOriginal(std::make_unique<TBitmap>())
{
    FOriginal->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
}

TButtonGlyph::~TButtonGlyph() = default;

void TButtonGlyph::SetGlyph(TBitmap* Value)
{
    FUpdating = true;
    if (Value == nullptr) FOriginal->Assign(nullptr);
    else FOriginal->Assign(Value);
    FUpdating = false;
    GlyphChanged(FOriginal.get());
}

void TButtonGlyph::GlyphChanged(TObject*)
{
    if (FUpdating) return;
    // A strip of square frames tells how many frames it holds.
    if (!FOriginal->Empty() && FOriginal->Height() > 0 && FOriginal->Width() % FOriginal->Height() == 0) {
        int n = FOriginal->Width() / FOriginal->Height();
        if (n > 4) n = 1;
        FNumGlyphs = std::max(n, 1);
    }
    if (OnChange) OnChange(this);
}

void TButtonGlyph::SetNumGlyphs(TNumGlyphs Value)
{
    Value = std::clamp(Value, 1, 4);
    if (Value == FNumGlyphs) return;
    FNumGlyphs = Value;
    if (OnChange) OnChange(this);
}

int TButtonGlyph::GlyphWidth() const
{
    return FOriginal->Empty() ? 0 : FOriginal->Width() / FNumGlyphs;
}

int TButtonGlyph::GlyphHeight() const
{
    return FOriginal->Empty() ? 0 : FOriginal->Height();
}

void TButtonGlyph::CalcButtonLayout(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
                                    TButtonLayout Layout, int Margin, int Spacing, TPoint& GlyphPos, TRect& TextBounds,
                                    UINT BiDiFlags)
{
    if (BiDiFlags & DT_RIGHT) {
        if (Layout == blGlyphLeft) Layout = blGlyphRight;
        else if (Layout == blGlyphRight) Layout = blGlyphLeft;
    }
    TPoint clientSize{Client.right - Client.left, Client.bottom - Client.top};
    TPoint glyphSize{GlyphWidth(), GlyphHeight()};
    TPoint textSize{0, 0};
    TPoint textPos{0, 0};
    GlyphPos = TPoint{0, 0};
    if (!Caption.empty()) {
        TextBounds = TRect{0, 0, clientSize.x, 0};
        String text = Caption;
        Canvas->TextRect(TextBounds, text, DT_CALCRECT | BiDiFlags);
        textSize = TPoint{TextBounds.right - TextBounds.left, TextBounds.bottom - TextBounds.top};
    } else {
        TextBounds = TRect{0, 0, 0, 0};
    }
    bool horizontal = Layout == blGlyphLeft || Layout == blGlyphRight;
    if (horizontal) {
        GlyphPos.y = (clientSize.y - glyphSize.y + 1) / 2;
        textPos.y = (clientSize.y - textSize.y + 1) / 2;
    } else {
        GlyphPos.x = (clientSize.x - glyphSize.x + 1) / 2;
        textPos.x = (clientSize.x - textSize.x + 1) / 2;
    }
    if (textSize.x == 0 || glyphSize.x == 0) Spacing = 0;
    if (Margin == -1) {
        if (Spacing == -1) {
            TPoint total{glyphSize.x + textSize.x, glyphSize.y + textSize.y};
            Margin = horizontal ? (clientSize.x - total.x) / 3 : (clientSize.y - total.y) / 3;
            Spacing = Margin;
        } else {
            TPoint total{glyphSize.x + Spacing + textSize.x, glyphSize.y + Spacing + textSize.y};
            Margin = horizontal ? (clientSize.x - total.x + 1) / 2 : (clientSize.y - total.y + 1) / 2;
        }
    } else if (Spacing == -1) {
        TPoint total{clientSize.x - (Margin + glyphSize.x), clientSize.y - (Margin + glyphSize.y)};
        Spacing = horizontal ? (total.x - textSize.x) / 2 : (total.y - textSize.y) / 2;
    }
    switch (Layout) {
    case blGlyphLeft:
        GlyphPos.x = Margin;
        textPos.x = GlyphPos.x + glyphSize.x + Spacing;
        break;
    case blGlyphRight:
        GlyphPos.x = clientSize.x - Margin - glyphSize.x;
        textPos.x = GlyphPos.x - Spacing - textSize.x;
        break;
    case blGlyphTop:
        GlyphPos.y = Margin;
        textPos.y = GlyphPos.y + glyphSize.y + Spacing;
        break;
    case blGlyphBottom:
        GlyphPos.y = clientSize.y - Margin - glyphSize.y;
        textPos.y = GlyphPos.y - Spacing - textSize.y;
        break;
    }
    GlyphPos.x += Client.left + Offset.x;
    GlyphPos.y += Client.top + Offset.y;
    OffsetRect(&TextBounds, textPos.x + Client.left + Offset.x, textPos.y + Client.top + Offset.y);
}

void TButtonGlyph::DrawButtonGlyph(TCanvas* Canvas, const TPoint& GlyphPos, TButtonState State, bool)
{
    if (FOriginal->Empty()) return;
    int w = GlyphWidth(), h = GlyphHeight();
    TColor transparent = FOriginal->TransparentColor();
    if (State == bsDown && FNumGlyphs < 3) State = bsUp;
    bool emboss = State == bsDisabled && FNumGlyphs < 2;
    int index = emboss ? 0 : static_cast<int>(State);
    if (index >= FNumGlyphs) index = 0;

    TBitmap frame(w, h);
    frame.Canvas()->CopyRect(Rect(0, 0, w, h), FOriginal->Canvas(), Rect(index * w, 0, (index + 1) * w, h));
    if (!emboss) {
        frame.SetTransparentColor(transparent);
        frame.SetTransparent(true);
        Canvas->Draw(GlyphPos.x, GlyphPos.y, &frame);
        return;
    }
    // Without a disabled frame: the dark pixels become an etched shape, highlight under shadow.
    COLORREF key = static_cast<COLORREF>(ColorToRGB(transparent));
    TColor marker = (ColorToRGB(clBtnHighlight) == ColorToRGB(clFuchsia)) ? clLime : clFuchsia;
    TBitmap ink(w, h);
    std::vector<bool> isInk(static_cast<size_t>(w * h));
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            TColor c = frame.Canvas()->Pixels(x, y);
            isInk[static_cast<size_t>(y * w + x)] = static_cast<COLORREF>(c) != key && Luminance(c) < 0xC0;
        }
    ink.SetTransparentColor(marker);
    ink.SetTransparent(true);
    for (TColor colour : {clBtnHighlight, clBtnShadow}) {
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                ink.Canvas()->SetPixels(x, y, isInk[static_cast<size_t>(y * w + x)] ? ColorToRGB(colour) : marker);
        int shift = colour == clBtnHighlight ? 1 : 0;
        Canvas->Draw(GlyphPos.x + shift, GlyphPos.y + shift, &ink);
    }
}

void TButtonGlyph::DrawButtonText(TCanvas* Canvas, const String& Caption, TRect TextBounds, TButtonState State, UINT BiDiFlags)
{
    Canvas->Brush()->SetStyle(bsClear);
    UINT flags = DT_CENTER | DT_VCENTER | BiDiFlags;
    String text = Caption;
    if (State == bsDisabled) {
        TColor saved = Canvas->Font()->Color();
        OffsetRect(&TextBounds, 1, 1);
        Canvas->Font()->SetColor(clBtnHighlight);
        Canvas->TextRect(TextBounds, text, flags);
        OffsetRect(&TextBounds, -1, -1);
        text = Caption;
        Canvas->Font()->SetColor(clBtnShadow);
        Canvas->TextRect(TextBounds, text, flags);
        Canvas->Font()->SetColor(saved);
    } else {
        Canvas->TextRect(TextBounds, text, flags);
    }
}

TRect TButtonGlyph::Draw(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
                         TButtonLayout Layout, int Margin, int Spacing, TButtonState State, bool Transparent,
                         UINT BiDiFlags)
{
    TPoint glyphPos{0, 0};
    TRect textBounds{0, 0, 0, 0};
    CalcButtonLayout(Canvas, Client, Offset, Caption, Layout, Margin, Spacing, glyphPos, textBounds, BiDiFlags);
    DrawButtonGlyph(Canvas, glyphPos, State, Transparent);
    DrawButtonText(Canvas, Caption, textBounds, State, BiDiFlags);
    return textBounds;
}

// ---- TButtonControl -------------------------------------------------------------------------

TButtonControl::TButtonControl(TComponent* AOwner) : TWinControl(AOwner) {}

void TButtonControl::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TButtonControl::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    if (FWordWrap) Params.Style |= BS_MULTILINE;
}

void TButtonControl::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        // The click that brings the focus must not also count as a change (a radio button
        // would be checked by the focus alone).
        if (!ComponentState().Contains(csDesigning) && !Focused()) {
            FClicksDisabled = true;
            ::SetFocus(Handle());
            FClicksDisabled = false;
            if (!Focused()) return;
        }
        break;
    case CN_COMMAND:
        if (FClicksDisabled) return;
        break;
    }
    TWinControl::WndProc(Message);
}

// ---- TButton --------------------------------------------------------------------------------

TButton::TButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    Params.Style |= FDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    FActive = FDefault;
}

void TButton::SetButtonStyle(bool ADefault)
{
    if (!HandleAllocated()) return;
    DWORD style = ADefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((GetWindowLongW(Handle(), GWL_STYLE) & 0x0F) != style) SendMessageW(Handle(), BM_SETSTYLE, style, 1);
}

void TButton::SetDefault(bool Value)
{
    FDefault = Value;
    FActive = Value;
    if (HandleAllocated()) {
        TCustomForm* form = GetParentForm(this);
        if (form != nullptr) form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form->ActiveControl()));
        else SetButtonStyle(Value);
    }
}

void TButton::Click()
{
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr) form->SetModalResult(FModalResult);
    TButtonControl::Click();
}

void TButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        CNCommand(Message);
        return;
    }
    TButtonControl::Dispatch(Message);
}

void TButton::CNCommand(TMessage& Message)
{
    if (Message.WParamHi() == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& Message)
{
    WPARAM key = Message.WParam;
    if (((key == VK_RETURN && FActive) || (key == VK_ESCAPE && FCancel)) && KeyDataToShiftState(Message.LParam).Empty() &&
        CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogKey(Message);
}

void TButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
        Click();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}

void TButton::CMFocusChanged(TMessage& Message)
{
    // A focused button is the one Enter clicks; while anything else has the focus, the default one is.
    auto* sender = reinterpret_cast<TWinControl*>(Message.LParam);
    if (dynamic_cast<TButton*>(sender) != nullptr) FActive = sender == this;
    else FActive = FDefault;
    SetButtonStyle(FActive);
    TButtonControl::CMFocusChanged(Message);
}

// ---- TCustomCheckBox ------------------------------------------------------------------------

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TButtonControl(AOwner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
}

void TCustomCheckBox::SetAlignment(TLeftRight Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    if (HandleAllocated()) RecreateWnd();
}

TAlignment TCustomCheckBox::GetControlsAlignment()
{
    return UseRightToLeftAlignment() ? MirrorAlignment(FAlignment) : FAlignment;
}

void TCustomCheckBox::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    Params.Style |= BS_3STATE;
    if (GetControlsAlignment() == taLeftJustify) Params.Style |= BS_LEFTTEXT;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomCheckBox::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState Value)
{
    if (FState == Value) return;
    FState = Value;
    if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, static_cast<WPARAM>(FState), 0);
    if (!FClicksDisabled) Click();
}

void TCustomCheckBox::Toggle()
{
    switch (FState) {
    case cbUnchecked: SetState(FAllowGrayed ? cbGrayed : cbChecked); break;
    case cbChecked: SetState(cbUnchecked); break;
    case cbGrayed: SetState(cbChecked); break;
    }
}

void TCustomCheckBox::Click()
{
    Perform(CM_CHANGED);
    TButtonControl::Click();
}

void TCustomCheckBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        CNCommand(Message);
        return;
    }
    TButtonControl::Dispatch(Message);
}

void TCustomCheckBox::CNCommand(TMessage& Message)
{
    if (Message.WParamHi() == BN_CLICKED) Toggle();
}

void TCustomCheckBox::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        if (Focused()) Toggle();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}

// ---- TRadioButton ---------------------------------------------------------------------------

TRadioButton::TRadioButton(TComponent* AOwner) : TButtonControl(AOwner)
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks};
    SetBounds(0, 0, 113, 17);
}

void TRadioButton::SetAlignment(TLeftRight Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    if (HandleAllocated()) RecreateWnd();
}

TAlignment TRadioButton::GetControlsAlignment()
{
    return UseRightToLeftAlignment() ? MirrorAlignment(FAlignment) : FAlignment;
}

void TRadioButton::CreateParams(TCreateParams& Params)
{
    TButtonControl::CreateParams(Params);
    CreateSubClass(Params, L"BUTTON");
    Params.Style |= BS_RADIOBUTTON;
    if (GetControlsAlignment() == taLeftJustify) Params.Style |= BS_LEFTTEXT;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TRadioButton::CreateWnd()
{
    TButtonControl::CreateWnd();
    SendMessageW(Handle(), BM_SETCHECK, FChecked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool Value)
{
    if (FChecked == Value) return;
    FChecked = Value;
    // Only the checked button of a group is a tab stop: Tab enters the group at its choice.
    SetTabStop(Value);
    if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, Value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!Value) return;
    if (TWinControl* parent = Parent()) {
        for (int i = 0; i < parent->ControlCount(); ++i) {
            auto* sibling = dynamic_cast<TRadioButton*>(parent->Controls(i));
            if (sibling != nullptr && sibling != this) sibling->SetChecked(false);
        }
    }
    Perform(CM_CHANGED);
    if (!FClicksDisabled) Click();
}

void TRadioButton::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); return;
    case CM_WANTSPECIALKEY:
        // Arrows stay with the button, which moves the check itself (see KeyDown).
        if (IsArrowKey(Message.WParam)) {
            Message.Result = 1;
            return;
        }
        break;
    }
    TButtonControl::Dispatch(Message);
}

void TRadioButton::CNCommand(TMessage& Message)
{
    switch (Message.WParamHi()) {
    case BN_CLICKED: SetChecked(true); break;
    case BN_DOUBLECLICKED: DblClick(); break;
    }
}

void TRadioButton::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
        SetFocus();
        Message.Result = 1;
        return;
    }
    TButtonControl::CMDialogChar(Message);
}

void TRadioButton::KeyDown(WORD& Key, TShiftState Shift)
{
    TButtonControl::KeyDown(Key, Shift);
    if (!IsArrowKey(Key) || Parent() == nullptr) return;
    std::vector<TRadioButton*> group;
    for (int i = 0; i < Parent()->ControlCount(); ++i) {
        auto* radio = dynamic_cast<TRadioButton*>(Parent()->Controls(i));
        if (radio != nullptr && (radio == this || (radio->Visible() && radio->Enabled()))) group.push_back(radio);
    }
    std::stable_sort(group.begin(), group.end(), [](TRadioButton* a, TRadioButton* b) { return a->TabOrder() < b->TabOrder(); });
    if (group.size() < 2) return;
    auto here = std::find(group.begin(), group.end(), this) - group.begin();
    int step = (Key == VK_LEFT || Key == VK_UP) ? -1 : 1;
    int count = static_cast<int>(group.size());
    TRadioButton* next = group[static_cast<size_t>((here + step + count) % count)];
    Key = 0;
    next->SetFocus();
    next->SetChecked(true);
}

// ---- TBitBtn --------------------------------------------------------------------------------

namespace {

struct TKindInfo {
    const wchar_t* Caption;
    TModalResult Result;
};

const TKindInfo KindInfos[] = {
    {L"", mrNone},        {L"OK", mrOk},          {L"Cancel", mrCancel},  {L"&Help", mrNone},
    {L"&Yes", mrYes},     {L"&No", mrNo},         {L"&Close", mrNone},    {L"Abort", mrAbort},
    {L"&Retry", mrRetry}, {L"&Ignore", mrIgnore}, {L"&All", mrAll},
};

void Tick(TCanvas* C, int X, int Y)
{
    C->Polyline({Point(X, Y + 5), Point(X + 4, Y + 9), Point(X + 12, Y + 1)});
}

// Draws the picture of a kind into an 18 x 18 frame at X on an olive (transparent) ground.
void DrawKindPicture(TCanvas* C, TBitBtnKind Kind, int X)
{
    C->Pen()->SetWidth(3);
    C->Brush()->SetStyle(bsClear);
    switch (Kind) {
    case bkOK:
    case bkYes:
        C->Pen()->SetColor(clGreen);
        Tick(C, X + 2, 3);
        break;
    case bkAll:
        C->Pen()->SetWidth(2);
        C->Pen()->SetColor(clGreen);
        Tick(C, X + 1, 1);
        Tick(C, X + 4, 6);
        break;
    case bkCancel:
        C->Pen()->SetColor(clRed);
        C->MoveTo(X + 4, 4);
        C->LineTo(X + 14, 14);
        C->MoveTo(X + 14, 4);
        C->LineTo(X + 4, 14);
        break;
    case bkNo:
        C->Pen()->SetWidth(2);
        C->Pen()->SetColor(clRed);
        C->Ellipse(X + 2, 2, X + 16, 16);
        C->MoveTo(X + 5, 13);
        C->LineTo(X + 13, 5);
        break;
    case bkAbort:
        C->Pen()->SetWidth(1);
        C->Pen()->SetColor(clMaroon);
        C->Brush()->SetColor(clRed);
        C->Ellipse(X + 1, 1, X + 17, 17);
        C->Pen()->SetWidth(2);
        C->Pen()->SetColor(clWhite);
        C->MoveTo(X + 6, 6);
        C->LineTo(X + 12, 12);
        C->MoveTo(X + 12, 6);
        C->LineTo(X + 6, 12);
        break;
    case bkRetry:
        C->Pen()->SetWidth(2);
        C->Pen()->SetColor(clGreen);
        C->Arc(X + 3, 3, X + 15, 15, X + 15, 9, X + 9, 3);
        C->Pen()->SetWidth(1);
        C->Brush()->SetColor(clGreen);
        C->Polygon({Point(X + 9, 0), Point(X + 9, 7), Point(X + 5, 3)});
        break;
    case bkIgnore:
        C->Pen()->SetWidth(2);
        C->Pen()->SetColor(clNavy);
        C->MoveTo(X + 2, 9);
        C->LineTo(X + 14, 9);
        C->Pen()->SetWidth(1);
        C->Brush()->SetColor(clNavy);
        C->Polygon({Point(X + 11, 4), Point(X + 16, 9), Point(X + 11, 14)});
        break;
    case bkHelp:
        C->Font()->SetName(L"Tahoma");
        C->Font()->SetHeight(-16);
        C->Font()->SetStyle(TFontStyles{fsBold});
        C->Font()->SetColor(clNavy);
        C->TextOut(X + 4, 0, L"?");
        break;
    case bkClose:
        C->Pen()->SetWidth(1);
        C->Pen()->SetColor(clBlack);
        C->Brush()->SetColor(clTeal);
        C->Rectangle(X + 4, 1, X + 14, 17);
        C->Brush()->SetColor(clYellow);
        C->Rectangle(X + 10, 8, X + 12, 10);
        break;
    case bkCustom: break;
    }
    C->Pen()->SetWidth(1);
}

} // namespace

String BitBtnCaption(TBitBtnKind Kind)
{
    return KindInfos[Kind].Caption;
}

TModalResult BitBtnModalResult(TBitBtnKind Kind)
{
    return KindInfos[Kind].Result;
}

std::unique_ptr<TBitmap> MakeBitBtnGlyph(TBitBtnKind Kind)
{
    auto glyph = std::make_unique<TBitmap>();
    if (Kind == bkCustom) return glyph;
    glyph->SetSize(36, 18);
    TCanvas* c = glyph->Canvas();
    c->Brush()->SetColor(clOlive);
    c->FillRect(Rect(0, 0, 36, 18));
    DrawKindPicture(c, Kind, 0);
    // The disabled frame: the same shape in shadow grey.
    COLORREF olive = static_cast<COLORREF>(clOlive);
    for (int y = 0; y < 18; ++y)
        for (int x = 0; x < 18; ++x) {
            bool ink = static_cast<COLORREF>(c->Pixels(x, y)) != olive;
            c->SetPixels(18 + x, y, ink ? ColorToRGB(clBtnShadow) : clOlive);
        }
    return glyph;
}

TBitBtn::TBitBtn(TComponent* AOwner)
    : TButton(AOwner), FGlyph(std::make_unique<TButtonGlyph>()), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
    FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
}

TBitBtn::~TBitBtn()
{
    FGlyph->OnChange = nullptr;
}

void TBitBtn::CreateParams(TCreateParams& Params)
{
    TButton::CreateParams(Params);
    Params.Style |= BS_OWNERDRAW;
}

void TBitBtn::GlyphChanged(TObject*)
{
    if (!FSettingKind) FModifiedGlyph = true;
    Invalidate();
}

void TBitBtn::SetGlyph(TBitmap* Value)
{
    FGlyph->SetGlyph(Value);
    FModifiedGlyph = true;
}

void TBitBtn::SetNumGlyphs(TNumGlyphs Value)
{
    FGlyph->SetNumGlyphs(Value);
}

TBitBtnKind TBitBtn::Kind() const
{
    if (FKind == bkCustom) return bkCustom;
    // Any change of what the kind set makes the button a custom one.
    bool defaults = FKind == bkOK || FKind == bkYes;
    bool cancels = FKind == bkCancel || FKind == bkNo;
    if (defaults != FDefault || cancels != FCancel || FModalResult != BitBtnModalResult(FKind) || FModifiedGlyph) return bkCustom;
    return FKind;
}

void TBitBtn::SetKind(TBitBtnKind Value)
{
    if (Value == FKind) return;
    if (Value != bkCustom) {
        SetDefault(Value == bkOK || Value == bkYes);
        SetCancel(Value == bkCancel || Value == bkNo);
        bool loading = ComponentState().Contains(csLoading);
        if ((!loading || Caption().empty()) && !BitBtnCaption(Value).empty()) SetCaption(BitBtnCaption(Value));
        SetModalResult(BitBtnModalResult(Value));
        FSettingKind = true;
        std::unique_ptr<TBitmap> glyph = MakeBitBtnGlyph(Value);
        FGlyph->SetGlyph(glyph.get());
        FGlyph->SetNumGlyphs(2);
        FSettingKind = false;
        FModifiedGlyph = false;
    }
    FKind = Value;
    Invalidate();
}

void TBitBtn::SetLayout(TButtonLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TBitBtn::SetMargin(int Value)
{
    if (FMargin == Value || Value < -1) return;
    FMargin = Value;
    Invalidate();
}

void TBitBtn::SetSpacing(int Value)
{
    if (FSpacing == Value) return;
    FSpacing = Value;
    Invalidate();
}

void TBitBtn::SetStyle(TButtonStyle Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    Invalidate();
}

void TBitBtn::SetButtonStyle(bool ADefault)
{
    // The window stays owner-drawn; the default look is painted by DrawItem.
    if (ADefault == IsFocused) return;
    IsFocused = ADefault;
    Refresh();
}

void TBitBtn::Click()
{
    if (FKind == bkClose) {
        if (TCustomForm* form = GetParentForm(this)) {
            form->Close();
            return;
        }
    }
    TButton::Click();
}

void TBitBtn::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_MEASUREITEM: {
        auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
        mis->itemWidth = static_cast<UINT>(Width());
        mis->itemHeight = static_cast<UINT>(Height());
        Message.Result = 1;
        return;
    }
    case CN_DRAWITEM:
        DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam));
        Message.Result = 1;
        return;
    case WM_LBUTTONDBLCLK:
        // An owner-drawn button reports a quick second click as a double click: count it as a click.
        Message.Result = Perform(WM_LBUTTONDOWN, Message.WParam, Message.LParam);
        return;
    }
    TButton::Dispatch(Message);
}

void TBitBtn::CMFontChanged(TMessage& Message)
{
    TButton::CMFontChanged(Message);
    Invalidate();
}

void TBitBtn::CMEnabledChanged(TMessage& Message)
{
    TButton::CMEnabledChanged(Message);
    Invalidate();
}

void TBitBtn::DrawItem(const DRAWITEMSTRUCT& DrawItemStruct)
{
    FCanvas->SetHandle(DrawItemStruct.hDC);
    TCanvas* c = FCanvas.get();
    TRect r = ClientRect();
    bool isDown = (DrawItemStruct.itemState & ODS_SELECTED) != 0;
    bool isDefault = (DrawItemStruct.itemState & ODS_FOCUS) != 0;
    TButtonState state = !Enabled() ? bsDisabled : (isDown ? bsDown : bsUp);

    UINT flags = DFCS_BUTTONPUSH | DFCS_ADJUSTRECT;
    if (isDown) flags |= DFCS_PUSHED;
    if (DrawItemStruct.itemState & ODS_DISABLED) flags |= DFCS_INACTIVE;
    // DrawFrameControl has no default look: the dark frame of the default button is drawn here.
    if (IsFocused || isDefault) {
        c->Pen()->SetColor(clWindowFrame);
        c->Pen()->SetWidth(1);
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(r);
        InflateRect(&r, -1, -1);
    }
    if (isDown) {
        c->Pen()->SetColor(clBtnShadow);
        c->Pen()->SetWidth(1);
        c->Brush()->SetColor(clBtnFace);
        c->Rectangle(r);
        InflateRect(&r, -1, -1);
    } else {
        DrawFrameControl(c->Handle(), &r, DFC_BUTTON, flags);
    }
    if (IsFocused) {
        r = ClientRect();
        InflateRect(&r, -1, -1);
    }
    c->SetFont(Font());
    if (isDown) OffsetRect(&r, 1, 1);
    FGlyph->Draw(c, r, TPoint{0, 0}, Caption(), FLayout, FMargin, FSpacing, state, false,
                 BiDiDrawTextFlags(this, 0) | (FWordWrap ? DT_WORDBREAK : 0));
    if (IsFocused && isDefault) {
        r = ClientRect();
        InflateRect(&r, -4, -4);
        c->Pen()->SetColor(clWindowFrame);
        c->Brush()->SetColor(clBtnFace);
        c->DrawFocusRect(r);
    }
    FCanvas->SetHandle(nullptr);
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
