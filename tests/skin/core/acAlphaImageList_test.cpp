// The alpha image list from PNG bytes made here: the system list built from the items, images
// read back with their alpha (resampled when their size differs), frames drawn by state,
// drawing over a canvas through the transparent pixels, and the file formats it accepts.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "framework/graphics/Canvas.h"
#include "skin/core/acAlphaImageList.h"
#include "skin/core/sGraphUtils.h"
#include "tests/skin/core/Bitmap32Fixture.h"
#include "tests/skin/core/PngTestWriter.h"

using skintest::Px;

namespace {

struct Rgba {
    unsigned R, G, B, A;
};

// A W x H RGBA PNG whose pixels Pixel gives.
PngTest::Bytes RgbaPng(int W, int H, const std::function<Rgba(int, int)>& Pixel)
{
    PngTest::Image im{W, H, 6, 8, {}};
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) {
            const Rgba p = Pixel(x, y);
            im.Samples.insert(im.Samples.end(), {p.R, p.G, p.B, p.A});
        }
    return PngTest::WritePNG(im);
}

void AddPngItem(TsAlphaImageList& List, const PngTest::Bytes& Png)
{
    TsImgListItem* item = List.Items()->Add();
    item->SetImageFormat(ifPNG);
    item->ImgData()->Write(Png.data(), static_cast<int>(Png.size()));
}

String WriteFile(const wchar_t* Name, const PngTest::Bytes& Bytes)
{
    const std::filesystem::path path = std::filesystem::temp_directory_path() / Name;
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(Bytes.data()), static_cast<std::streamsize>(Bytes.size()));
    return path.wstring();
}

constexpr Rgba Opaque(unsigned R, unsigned G, unsigned B) { return Rgba{R, G, B, 255}; }

// The colour of a pixel word (alpha ignored) within Tolerance per channel of Expected (0xRRGGBB):
// blending and resampling round by a step or two.
::testing::AssertionResult NearColour(std::uint32_t Pixel, std::uint32_t Expected, int Tolerance)
{
    for (int shift = 0; shift < 24; shift += 8) {
        const int a = static_cast<int>(Pixel >> shift & 0xFF), e = static_cast<int>(Expected >> shift & 0xFF);
        if (std::abs(a - e) > Tolerance)
            return ::testing::AssertionFailure() << std::hex << (Pixel & 0xFFFFFF) << " is not near " << Expected;
    }
    return ::testing::AssertionSuccess();
}
constexpr std::uint32_t PixelWord(Rgba P) { return P.A << 24 | P.R << 16 | P.G << 8 | P.B; }

} // namespace

TEST(acAlphaImageList, OnlyPngAndIcoFilesAreTakenAndAnIconNeedsItsExtension)
{
    const PngTest::Bytes png = RgbaPng(4, 4, [](int, int) { return Opaque(1, 2, 3); });
    const PngTest::Bytes ico = {0, 0, 1, 0, 1, 0, 16, 16, 0, 0};
    const PngTest::Bytes signatureOnly(PngTest::Signature().begin(), PngTest::Signature().end());
    struct Case {
        const wchar_t* Name;
        const PngTest::Bytes* Bytes;
        bool Known;
        TsImageFormat Format;
    } cases[] = {{L"kvl-alpha.png", &png, true, ifPNG},     {L"kvl-alpha.bin", &png, true, ifPNG},
                 {L"kvl-alpha.ico", &ico, true, ifICO},     {L"kvl-alpha.ICO", &ico, true, ifICO},
                 {L"kvl-alpha.icn", &ico, false, ifPNG},    {L"kvl-short.png", &signatureOnly, false, ifPNG}};
    for (const Case& c : cases) {
        TsImageFormat format = ifPNG;
        EXPECT_EQ(DetectImageFormat(WriteFile(c.Name, *c.Bytes), format), c.Known) << c.Name;
        if (c.Known) EXPECT_EQ(format, c.Format) << c.Name;
    }
    TsImageFormat format;
    EXPECT_FALSE(DetectImageFormat(L"Z:\\no\\such\\file.png", format));
}

TEST(acAlphaImageList, ImagesComeBackWithAlphaAndResampledWhenTheirSizeDiffers)
{
    TsAlphaImageList list(nullptr);
    list.SetSize(8, 8);
    const Rgba half{200, 100, 50, 128};
    AddPngItem(list, RgbaPng(8, 8, [&](int X, int) { return X < 4 ? half : Opaque(0, 0, 255); }));
    AddPngItem(list, RgbaPng(16, 16, [](int, int) { return Opaque(10, 20, 30); }));
    list.GenerateStdList();
    ASSERT_EQ(list.Count(), 2);
    EXPECT_TRUE(list.StdListIsGenerated);
    EXPECT_EQ(list.Items()->Count(), 2);  // the bytes are kept

    auto same = MakeBitmap32(8, 8);
    ASSERT_TRUE(list.GetBitmap32(0, same.get()));
    EXPECT_EQ(Px(*same, 1, 1) >> 24, 128u);
    EXPECT_EQ(Px(*same, 6, 1), PixelWord(Opaque(0, 0, 255)));

    auto resampled = MakeBitmap32(8, 8);
    ASSERT_TRUE(list.GetBitmap32(1, resampled.get()));
    EXPECT_EQ(resampled->Width(), 8);
    EXPECT_TRUE(NearColour(Px(*resampled, 4, 4), 0x0A141Eu, 3));

    auto none = MakeBitmap32(8, 8);
    EXPECT_FALSE(list.GetBitmap32(2, none.get()));
    EXPECT_FALSE(list.GetBitmap32(-1, none.get()));
}

TEST(acAlphaImageList, AListThatDoesNotKeepDataDropsItsItemsOnceBuilt)
{
    TsAlphaImageList list(nullptr);
    list.DoubleData = false;
    list.SetSize(4, 4);
    AddPngItem(list, RgbaPng(4, 4, [](int, int) { return Opaque(9, 9, 9); }));
    list.GenerateStdList();
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items()->Count(), 0);
    auto image = MakeBitmap32(4, 4);
    EXPECT_TRUE(list.GetBitmap32(0, image.get()));  // from the system list now
}

TEST(acAlphaImageList, AStatePastTheLastDrawsTheLastFrame)
{
    // Three 10 x 10 frames side by side: red, green, blue.
    TsAlphaImageList list(nullptr);
    list.SetSize(30, 10);
    AddPngItem(list, RgbaPng(30, 10, [](int X, int) {
        return X < 10 ? Opaque(255, 0, 0) : X < 20 ? Opaque(0, 255, 0) : Opaque(0, 0, 255);
    }));
    list.GenerateStdList();
    auto target = skintest::Bmp32(40, 20, 0xFF000000u);
    TSize size{};
    DrawListImage(&list, target.get(), 5, 5, 0, 0, clNone, 5, 3, false, size);
    EXPECT_EQ(size.cx, 10);
    EXPECT_EQ(size.cy, 10);
    EXPECT_TRUE(NearColour(Px(*target, 10, 10), 0x0000FFu, 1));  // blue, the third frame
    EXPECT_EQ(Px(*target, 16, 10) & 0xFFFFFF, 0u);          // right of the frame: untouched
    DrawListImage(&list, target.get(), 25, 5, 0, 0, clNone, 1, 3, false, size);
    EXPECT_TRUE(NearColour(Px(*target, 30, 10), 0x00FF00u, 1));
}

TEST(acAlphaImageList, DrawingAPngShowsTheCanvasThroughItsTransparentPixels)
{
    TsAlphaImageList list(nullptr);
    list.SetSize(6, 6);
    AddPngItem(list, RgbaPng(6, 6, [](int X, int) { return X < 3 ? Rgba{0, 0, 0, 0} : Opaque(255, 255, 0); }));
    list.GenerateStdList();
    auto canvasBmp = skintest::Bmp32(10, 10, 0xFF0000FFu);  // blue
    list.Draw(canvasBmp->Canvas(), 2, 2, 0, true);
    EXPECT_TRUE(NearColour(Px(*canvasBmp, 3, 4), 0x0000FFu, 1));  // transparent half: the canvas
    EXPECT_TRUE(NearColour(Px(*canvasBmp, 6, 4), 0xFFFF00u, 1));  // opaque half: the image
}
