// Bitmap buttons take their kind (caption, modal result, glyph) and place their glyph on the
// side the layout names.
#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/ButtonGlyph.h"

#include <memory>

#include "tests/framework/stdctrls/StdControlsFixtures.h"
#include "tests/support/ControlTestSupport.h"

using namespace kvltest;

namespace {

TEST_F(Buttons, BitBtnKindSetsCaptionResultAndGlyphUntilChanged)
{
    auto* button = Add<TBitBtn>(Form, 10, 10, 90, 30);
    button->SetKind(bkOK);
    EXPECT_EQ(button->Caption(), L"OK");
    EXPECT_EQ(button->ModalResult(), mrOk);
    EXPECT_TRUE(button->Default());
    EXPECT_FALSE(button->Glyph()->Empty());
    EXPECT_EQ(button->NumGlyphs(), 2);
    EXPECT_EQ(button->Kind(), bkOK);
    button->SetKind(bkCancel);
    EXPECT_TRUE(button->Cancel());
    EXPECT_FALSE(button->Default());
    EXPECT_EQ(button->ModalResult(), mrCancel);
    button->SetModalResult(mrYes);
    EXPECT_EQ(button->Kind(), bkCustom);
    EXPECT_NE(GetWindowLongW(button->Handle(), GWL_STYLE) & BS_OWNERDRAW, 0);
}

TEST_F(Buttons, BitBtnDrawsItsGlyphOnTheSideTheLayoutNames)
{
    auto* button = Add<TBitBtn>(Form, 10, 10, 120, 60);
    button->SetCaption(L"Go");
    std::unique_ptr<TBitmap> glyph = Glyph({clRed});
    button->SetGlyph(glyph.get());
    const COLORREF red = RGB(255, 0, 0);
    for (TButtonLayout layout : {blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom}) {
        button->SetLayout(layout);
        TPixelBuffer pixels(120, 60);
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_BUTTON;
        dis.hwndItem = button->Handle();
        dis.hDC = pixels.DC();
        dis.rcItem = RECT{0, 0, 120, 60};
        button->DrawItem(dis);
        TInk ink = FindInk(pixels, 120, 60, [&](COLORREF c) { return c == red; });
        ASSERT_EQ(ink.Count, 10 * 10) << layout;
        TInk text = FindInk(pixels, 120, 60, IsDark);
        switch (layout) {
        case blGlyphLeft: EXPECT_LT(ink.Right, text.Left); break;
        case blGlyphRight: EXPECT_GT(ink.Left, text.Right); break;
        case blGlyphTop: EXPECT_LT(ink.Bottom, text.Top); break;
        case blGlyphBottom: EXPECT_GT(ink.Top, text.Bottom); break;
        }
    }
}

} // namespace
