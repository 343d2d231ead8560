#include "framework/stdctrls/ButtonGlyph.h"

#include <algorithm>

#include "framework/controls/ActionList.h"

namespace {

// Average of the three channels of a resolved colour.
int Luminance(TColor Color)
{
    COLORREF c = static_cast<COLORREF>(ColorToRGB(Color));
    return (GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3;
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

void TButtonGlyph::TakeActionImage(TObject* Action)
{
    auto* action = dynamic_cast<TCustomAction*>(Action);
    if (!CopyActionImage || action == nullptr || (FOriginal != nullptr && !FOriginal->Empty()) || action->ActionList() == nullptr) return;
    TCustomImageList* images = action->ActionList()->Images();
    const int index = action->ImageIndex();
    if (images == nullptr || index < 0 || index >= images->Count()) return;
    TBitmap image(images->Width(), images->Height());
    image.Canvas()->Brush()->SetColor(clFuchsia);
    image.Canvas()->FillRect(Rect(0, 0, images->Width(), images->Height()));
    images->Draw(image.Canvas(), 0, 0, index);
    SetGlyph(&image);
}
