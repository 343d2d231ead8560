#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/ImageList.h"
#include "tests/framework/graphics/GraphicsTestSupport.h"

using gtest_graphics::CountDifferent;
using gtest_graphics::MakeCanvasBitmap;
using gtest_graphics::Pixel32;

namespace {

// A 16x16 glyph: a black square on a fuchsia background.
void MakeGlyph(TBitmap& glyph, TColor ink = clBlack)
{
    MakeCanvasBitmap(glyph, 16, 16, clFuchsia);
    glyph.Canvas()->Brush()->SetColor(ink);
    glyph.Canvas()->FillRect(Rect(4, 4, 12, 12));
}

} // namespace

TEST(ImageList, AddMaskedDrawsOnlyTheImage)
{
    TImageList list(nullptr);
    EXPECT_EQ(16, list.Width());
    EXPECT_EQ(16, list.Height());
    EXPECT_EQ(0, list.Count());
    int changes = 0;
    list.OnChange = [&](TObject*) { ++changes; };

    TBitmap glyph;
    MakeGlyph(glyph);
    EXPECT_EQ(0, list.AddMasked(&glyph, clFuchsia));
    EXPECT_EQ(1, list.Count());
    EXPECT_EQ(1, changes);
    EXPECT_EQ(clFuchsia, Pixel32(glyph, 0, 0)); // the caller's bitmap is left alone
    ASSERT_NE(nullptr, list.Handle());

    TBitmap target;
    MakeCanvasBitmap(target, 20, 20, clYellow);
    list.Draw(target.Canvas(), 2, 2, 0);
    EXPECT_EQ(clBlack, Pixel32(target, 10, 10));
    EXPECT_EQ(clYellow, Pixel32(target, 3, 3));
    EXPECT_EQ(clYellow, Pixel32(target, 17, 17));
}

TEST(ImageList, AddWithMaskAndGetBitmap)
{
    TImageList list(nullptr);
    TBitmap image, mask;
    MakeCanvasBitmap(image, 16, 16, clBlack); // black where the mask is transparent
    image.Canvas()->Brush()->SetColor(clRed);
    image.Canvas()->FillRect(Rect(0, 0, 8, 16));
    mask.SetMonochrome(true);
    mask.SetSize(16, 16);
    mask.Canvas()->Brush()->SetColor(clWhite);
    mask.Canvas()->FillRect(Rect(0, 0, 16, 16));
    mask.Canvas()->Brush()->SetColor(clBlack);
    mask.Canvas()->FillRect(Rect(0, 0, 8, 16)); // opaque left half
    EXPECT_EQ(0, list.Add(&image, &mask));

    TBitmap target;
    MakeCanvasBitmap(target, 16, 16, clLime);
    list.Draw(target.Canvas(), 0, 0, 0);
    EXPECT_EQ(clRed, Pixel32(target, 2, 8));
    EXPECT_EQ(clLime, Pixel32(target, 12, 8));

    TBitmap copy;
    list.GetBitmap(0, &copy);
    EXPECT_EQ(16, copy.Width());
    EXPECT_EQ(clRed, Pixel32(copy, 2, 2));
    EXPECT_EQ(clWhite, Pixel32(copy, 12, 2)); // no background colour: white
}

TEST(ImageList, DisabledImagesAreDrawnEmbossed)
{
    TImageList list(nullptr);
    TBitmap glyph;
    MakeGlyph(glyph);
    list.AddMasked(&glyph, clFuchsia);

    TBitmap enabled, disabled;
    MakeCanvasBitmap(enabled, 20, 20, clYellow);
    MakeCanvasBitmap(disabled, 20, 20, clYellow);
    list.Draw(enabled.Canvas(), 0, 0, 0, true);
    list.Draw(disabled.Canvas(), 0, 0, 0, false);
    EXPECT_EQ(clBlack, Pixel32(enabled, 8, 8));
    EXPECT_EQ(ColorToRGB(clBtnShadow), Pixel32(disabled, 8, 8));
    EXPECT_EQ(ColorToRGB(clBtnHighlight), Pixel32(disabled, 12, 12)); // the offset highlight
    EXPECT_EQ(clYellow, Pixel32(disabled, 2, 2));
    EXPECT_EQ(0, CountDifferent(disabled, Rect(14, 0, 20, 20), clYellow));
}

TEST(ImageList, EditingTheList)
{
    TImageList list(nullptr);
    TBitmap red, green, blue;
    MakeGlyph(red, clRed);
    MakeGlyph(green, clGreen);
    MakeGlyph(blue, clBlue);
    list.AddMasked(&red, clFuchsia);
    list.AddMasked(&green, clFuchsia);
    list.AddMasked(&blue, clFuchsia);
    ASSERT_EQ(3, list.Count());

    auto centre = [&](int index) {
        TBitmap out;
        list.GetBitmap(index, &out);
        return Pixel32(out, 8, 8);
    };
    list.Move(2, 0);
    EXPECT_EQ(clBlue, centre(0));
    EXPECT_EQ(clRed, centre(1));
    EXPECT_EQ(clGreen, centre(2));

    list.ReplaceMasked(1, &green, clFuchsia);
    EXPECT_EQ(clGreen, centre(1));
    TBitmap target;
    MakeCanvasBitmap(target, 16, 16, clWhite);
    list.Draw(target.Canvas(), 0, 0, 1);
    EXPECT_EQ(clWhite, Pixel32(target, 0, 0)); // the replaced image keeps its transparency

    list.Delete(0);
    EXPECT_EQ(2, list.Count());
    EXPECT_EQ(clGreen, centre(0));
    EXPECT_THROW(list.Delete(5), EInvalidOperation);

    TIcon icon;
    list.GetIcon(1, &icon);
    EXPECT_EQ(16, icon.Width());
    EXPECT_EQ(2, list.AddIcon(&icon));

    TImageList copy(nullptr);
    copy.Assign(&list);
    EXPECT_EQ(3, copy.Count());
    copy.AddImages(&list);
    EXPECT_EQ(6, copy.Count());

    list.Clear();
    EXPECT_EQ(0, list.Count());
    list.SetSize(24, 24); // a new size empties the list
    EXPECT_EQ(0, list.Count());
    EXPECT_EQ(24, list.Width());
}

TEST(ImageList, ChangeLinksHearEveryChangeAndOutliveEitherSide)
{
    TBitmap red;
    MakeGlyph(red, clRed);
    auto list = std::make_unique<TImageList>(nullptr);
    TChangeLink first, second;
    int firstHeard = 0, secondHeard = 0;
    TObject* sender = nullptr;
    first.OnChange = [&](TObject* Sender) { ++firstHeard; sender = Sender; };
    second.OnChange = [&](TObject*) { ++secondHeard; };
    list->RegisterChanges(&first);
    list->RegisterChanges(&second);
    list->RegisterChanges(&first); // a second registration is the same one
    EXPECT_EQ(list.get(), first.Sender());

    list->AddMasked(&red, clFuchsia);
    EXPECT_EQ(1, firstHeard);
    EXPECT_EQ(1, secondHeard);
    EXPECT_EQ(list.get(), sender);

    // One change for a whole update.
    list->BeginUpdate();
    list->AddMasked(&red, clFuchsia);
    list->Delete(0);
    list->EndUpdate();
    EXPECT_EQ(2, firstHeard);

    // A link freed first leaves the list; a link that unregisters from its own handler is not
    // called again.
    {
        TChangeLink gone;
        int goneHeard = 0;
        gone.OnChange = [&](TObject*) { ++goneHeard; };
        list->RegisterChanges(&gone);
    }
    second.OnChange = [&](TObject*) { ++secondHeard; list->UnRegisterChanges(&second); };
    list->Clear();
    list->Clear();
    EXPECT_EQ(4, firstHeard);
    EXPECT_EQ(3, secondHeard); // heard the first Clear only
    EXPECT_EQ(nullptr, second.Sender());

    // A list freed first leaves its links without a sender.
    list.reset();
    EXPECT_EQ(nullptr, first.Sender());
}
