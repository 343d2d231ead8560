#include "framework/stdctrls/Label.h"

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle = FControlStyle + TControlStyle{csOpaque, csReplicatable};
    SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value)
{
    if (FLayout == Value) return;
    FLayout = Value;
    Invalidate();
}

void TCustomLabel::SetAutoSize(bool Value)
{
    if (FAutoSize == Value) return;
    FAutoSize = Value;
    AdjustBounds();
}

void TCustomLabel::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value)
{
    if (Transparent() == Value) return;
    if (Value) FControlStyle.Exclude(csOpaque);
    else FControlStyle.Include(csOpaque);
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value)
{
    if (FShowAccelChar == Value) return;
    FShowAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetEllipsisPosition(TEllipsisPosition Value)
{
    if (FEllipsisPosition == Value) return;
    FEllipsisPosition = Value;
    FAutoSize = false;
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value)
{
    ChangeReference(this, FFocusControl, Value);
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FFocusControl) FFocusControl = nullptr;
}

String TCustomLabel::GetLabelText()
{
    return Caption();
}

void TCustomLabel::DoDrawText(TRect& Rect, UINT Flags)
{
    String text = GetLabelText();
    // An empty (or accelerator-only) caption still measures one line high.
    if ((Flags & DT_CALCRECT) && (text.empty() || (FShowAccelChar && text == L"&"))) text += L" ";
    if (!FShowAccelChar) Flags |= DT_NOPREFIX;
    if (FEllipsisPosition != epNone && !(Flags & DT_CALCRECT)) {
        static const UINT ellipsis[] = {0, DT_PATH_ELLIPSIS, DT_END_ELLIPSIS, DT_WORD_ELLIPSIS};
        Flags |= ellipsis[FEllipsisPosition];
        if (!FWordWrap) Flags |= DT_SINGLELINE;
    }
    Flags = BiDiDrawTextFlags(this, Flags);
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    if (!Enabled()) {
        // Embossed: a highlight copy one pixel down-right under the shadow-coloured text.
        TRect shifted = Rect;
        OffsetRect(&shifted, 1, 1);
        String copy = text;
        canvas->Font()->SetColor(clBtnHighlight);
        canvas->TextRect(shifted, copy, Flags);
        copy = text;
        canvas->Font()->SetColor(clBtnShadow);
        canvas->TextRect(Rect, copy, Flags);
    } else {
        canvas->TextRect(Rect, text, Flags);
    }
}

void TCustomLabel::Paint()
{
    TCanvas* canvas = Canvas();
    TRect client = ClientRect();
    if (!Transparent()) {
        canvas->Brush()->SetColor(Color());
        canvas->Brush()->SetStyle(bsSolid);
        canvas->FillRect(client);
    }
    canvas->Brush()->SetStyle(bsClear);
    UINT flags = DT_EXPANDTABS | (FWordWrap ? DT_WORDBREAK : 0) | AlignmentToDrawTextFlag(FAlignment);
    TRect rect = client;
    if (FLayout != tlTop) {
        TRect calc = rect;
        DoDrawText(calc, flags | DT_CALCRECT);
        int offset = FLayout == tlBottom ? Height() - calc.bottom : (Height() - calc.bottom) / 2;
        OffsetRect(&rect, 0, offset);
    }
    DoDrawText(rect, flags);
}

void TCustomLabel::AdjustBounds()
{
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading) || !FAutoSize) return;
    HDC dc = GetDC(nullptr);
    TCanvas* canvas = Canvas();
    canvas->SetHandle(dc);
    TRect rect = ClientRect();
    DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (FWordWrap ? DT_WORDBREAK : 0));
    canvas->SetHandle(nullptr);
    ReleaseDC(nullptr, dc);
    int x = Left();
    TAlignment alignment = UseRightToLeftAlignment() ? MirrorAlignment(FAlignment) : FAlignment;
    // A right-aligned label keeps its right edge; the others keep their left one.
    if (alignment == taRightJustify) x += Width() - rect.right;
    SetBounds(x, Top(), rect.right, rect.bottom);
}

void TCustomLabel::Loaded()
{
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_TEXTCHANGED: CMTextChanged(Message); return;
    case CM_DIALOGCHAR: CMDialogChar(Message); return;
    default: TGraphicControl::Dispatch(Message);
    }
}

void TCustomLabel::CMFontChanged(TMessage& Message)
{
    TGraphicControl::CMFontChanged(Message);
    AdjustBounds();
}

void TCustomLabel::CMTextChanged(TMessage&)
{
    Invalidate();
    AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& Message)
{
    if (FFocusControl != nullptr && Enabled() && FShowAccelChar && IsAccel(static_cast<WORD>(Message.WParam), Caption()) &&
        FFocusControl->CanFocus()) {
        FFocusControl->SetFocus();
        Message.Result = 1;
    }
}
