// GDI+ pictures and hint content: any image GDI+ reads is sized and drawn stretched, bitmaps are
// drawn by the framework with their corner colour transparent, unreadable bytes leave the picture
// empty, and the hint content copies all it holds.
#include <gtest/gtest.h>

#include "framework/graphics/Bitmap.h"
#include "grid/foundation/AdvHintInfo.h"
#include "grid/foundation/GDIPicture.h"
#include "tests/grid/PictureFixtures.h"
#include "tests/support/PixelBuffer.h"

namespace {

using namespace picturetest;
using kvltest::TPixelBuffer;

void Load(TGDIPPicture& Picture, const std::vector<std::uint8_t>& Bytes)
{
    TBytesStream stream(Bytes);
    Picture.LoadFromStream(&stream);
}

TEST(GDIPPicture, ImagesAreSizedAndDrawnStretched)
{
    TGDIPPicture picture;
    int changes = 0, clears = 0;
    picture.OnChange = [&](TObject*) { ++changes; };
    picture.OnClear = [&](TObject*) { ++clears; };
    Load(picture, MakePng(6, 4, 0xFF00FF00));
    EXPECT_FALSE(picture.Empty());
    EXPECT_EQ(picture.Width(), 6);
    EXPECT_EQ(picture.Height(), 4);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(clears, 1);

    TPixelBuffer pixels(40, 30);
    TCanvas canvas;
    canvas.SetHandle(pixels.DC());
    picture.Draw(&canvas, TRect{2, 2, 26, 18});
    canvas.SetHandle(nullptr);
    EXPECT_EQ(pixels.At(22, 14), RGB(0, 255, 0));
    EXPECT_EQ(pixels.At(30, 22), RGB(255, 255, 255));

    TPixelBuffer direct(40, 30);
    {
        TGPGraphics g(direct.DC());
        picture.DrawImage(&g, 20, 20);
    }
    EXPECT_EQ(direct.At(25, 23), RGB(0, 255, 0));
    EXPECT_EQ(direct.At(27, 23), RGB(255, 255, 255));
}

TEST(GDIPPicture, BitmapsDrawWithTheirCornerColourTransparent)
{
    TBitmap bitmap(4, 4);
    bitmap.Canvas()->Brush()->SetColor(clBlue);
    bitmap.Canvas()->FillRect(TRect{0, 0, 4, 4});
    bitmap.Canvas()->Brush()->SetColor(clRed);
    bitmap.Canvas()->FillRect(TRect{1, 1, 3, 3});
    TGDIPPicture picture;
    picture.Assign(&bitmap);
    EXPECT_EQ(picture.Width(), 4);
    EXPECT_EQ(picture.Height(), 4);
    TPixelBuffer pixels(20, 20);
    TCanvas canvas;
    canvas.SetHandle(pixels.DC());
    picture.Draw(&canvas, TRect{0, 0, 16, 16});
    canvas.SetHandle(nullptr);
    EXPECT_EQ(pixels.At(8, 8), RGB(255, 0, 0));
    EXPECT_EQ(pixels.At(1, 1), RGB(255, 255, 255)) << "the blue frame is transparent";
}

TEST(GDIPPicture, UnreadableBytesAndNullLeaveItEmpty)
{
    TGDIPPicture picture;
    Load(picture, MakePng(3, 3, 0xFFFF0000));
    ASSERT_FALSE(picture.Empty());
    std::vector<std::uint8_t> png = MakePng(3, 3, 0xFFFF0000);
    for (auto bytes : {std::vector<std::uint8_t>{'x', 'y', 'z'}, std::vector<std::uint8_t>(png.begin(), png.begin() + 12),
                       std::vector<std::uint8_t>{}}) {
        EXPECT_NO_THROW(Load(picture, bytes));
        EXPECT_TRUE(picture.Empty());
        EXPECT_EQ(picture.Width(), 0);
    }
    TPixelBuffer pixels(10, 10);
    TCanvas canvas;
    canvas.SetHandle(pixels.DC());
    picture.Draw(&canvas, TRect{0, 0, 10, 10});
    canvas.SetHandle(nullptr);
    EXPECT_EQ(pixels.At(5, 5), RGB(255, 255, 255));

    Load(picture, png);
    int clears = 0;
    picture.OnClear = [&](TObject*) { ++clears; };
    picture.Assign(nullptr);
    EXPECT_TRUE(picture.Empty());
    EXPECT_TRUE(picture.Bytes().empty());
    EXPECT_EQ(clears, 1);
}

TEST(GDIPPicture, LoadsFromResourcesAndFilesOnly)
{
    TGDIPPicture picture;
    picture.LoadFromURL(L"RES://bitmap1");
    EXPECT_FALSE(picture.Empty());
    EXPECT_EQ(picture.Width(), 5);
    EXPECT_EQ(picture.Height(), 3);
    TGDIPPicture file;
    file.LoadFromURL(L"file://" + kvltest::DataPath(L"graphics\\pal4.bmp"));
    EXPECT_EQ(file.Width(), 5);
    TGDIPPicture web;
    web.LoadFromURL(L"http://example.invalid/a.png");
    EXPECT_TRUE(web.Empty());
}

TEST(AdvHintInfo, AssignCopiesTitleNotesPictureAndWideTexts)
{
    TAdvHintInfo source;
    source.Title = L"Title";
    source.Notes()->Add(L"line");
    source.ShowHelp = true;
    source.WideTitle = L"本月";
    source.WideNotes = L"共工作";
    Load(*source.Picture(), MakePng(2, 2, 0xFF0000FF));
    TAdvHintInfo copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.Title, L"Title");
    EXPECT_EQ(copy.Notes()->Count(), 1);
    EXPECT_TRUE(copy.ShowHelp);
    EXPECT_EQ(copy.WideTitle, L"本月");
    EXPECT_EQ(copy.WideNotes, L"共工作");
    EXPECT_EQ(copy.Picture()->Bytes(), source.Picture()->Bytes());
    EXPECT_NE(copy.Picture(), source.Picture());
    EXPECT_EQ(copy.Picture()->Width(), 2);

    TStringList other;
    copy.Assign(&other);
    EXPECT_EQ(copy.Title, L"Title");
}

} // namespace
