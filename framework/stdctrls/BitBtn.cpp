#include "framework/stdctrls/BitBtn.h"

#include <algorithm>

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

void TBitBtn::ActionChange(TObject* Sender, bool CheckDefaults)
{
    TButton::ActionChange(Sender, CheckDefaults);
    FGlyph->TakeActionImage(Sender);
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
