// The GDI+ object layer: colours reach GDI+ as ARGB, failures are statuses kept in the objects
// (never exceptions), text is measured and drawn with framework fonts as DrawText promises, and
// a caller's text length never reaches past the text. Geometry is read from aliased pixels.
#include <gtest/gtest.h>

#include <memory>

#include "grid/foundation/AdvGDIP.h"
#include "tests/grid/PictureFixtures.h"
#include "tests/support/PixelBuffer.h"

namespace {

using kvltest::TPixelBuffer;

bool IsWhite(COLORREF c) { return c == RGB(255, 255, 255); }
bool IsInk(COLORREF c) { return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128; }

// Exposes the status field that brushes keep to themselves.
struct TProbeBrush : TGPBrush {
    Status LastResult() const { return lastResult; }
};

TEST(AdvGDIP, StartsWithTheProgramAndALibraryEndLeavesItRunning)
{
    EXPECT_TRUE(GdiplusStarted());
    AdvGDIPFinalization(true);
    EXPECT_TRUE(GdiplusStarted());
    TGPSolidBrush brush(0xFF000000);
    EXPECT_NE(brush.NativeHandle(), nullptr);
}

TEST(AdvGDIP, ColoursBecomeArgbWithSystemColoursResolved)
{
    EXPECT_EQ(ColorToOpaqueARGB(0xFF0000), 0xFF0000FFu);
    EXPECT_EQ(ColorToOpaqueARGB(0x0000FF), 0xFFFF0000u);
    COLORREF face = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(ColorToOpaqueARGB(clBtnFace), ComposeOpaqueARGB(GetRValue(face), GetGValue(face), GetBValue(face)));
    ARGB c = ComposeARGB(0x80, 0x11, 0x22, 0x33);
    EXPECT_EQ(c, 0x80112233u);
    EXPECT_EQ(ARGBRed(c), 0x11);
    EXPECT_EQ(ARGBGreen(c), 0x22);
    EXPECT_EQ(ARGBBlue(c), 0x33);
}

TEST(AdvGDIP, FailuresAreStatusesKeptUntilRead)
{
    TGPFontFamily missing(L"No Such Family Kvl");
    EXPECT_EQ(missing.Status(), FontFamilyNotFound);
    EXPECT_EQ(missing.NativeHandle(), nullptr);

    TProbeBrush brush;
    EXPECT_EQ(brush.LastResult(), NotImplemented);

    TGPMatrix singular(0, 0, 0, 0, 0, 0);
    EXPECT_NE(singular.Invert(), Ok);
    EXPECT_EQ(singular.Translate(1, 2), Ok);
    EXPECT_EQ(singular.Clone(), nullptr) << "the earlier failure counts against the clone";
    EXPECT_NE(singular.GetLastStatus(), Ok); // the successes did not clear the failure
    EXPECT_EQ(singular.GetLastStatus(), Ok);

    TGPMatrix m;
    m.Translate(5, 7);
    EXPECT_FLOAT_EQ(m.OffsetX(), 5);
    EXPECT_FLOAT_EQ(m.OffsetY(), 7);
    std::unique_ptr<TGPMatrix> clone(m.Clone());
    ASSERT_NE(clone, nullptr);
    EXPECT_FLOAT_EQ(clone->OffsetX(), 5);
    TGPPointF p{10, 0};
    TGPMatrix rot;
    rot.RotateAt(90, TGPPointF{5, 0});
    rot.TransformPoints(&p);
    EXPECT_NEAR(p.X, 5, 1e-4);
    EXPECT_NEAR(p.Y, 5, 1e-4);

    TGPGraphics noSurface(static_cast<TGPImage*>(nullptr));
    EXPECT_EQ(noSurface.NativeHandle(), nullptr);
    EXPECT_EQ(noSurface.GetSmoothingMode(), SmoothingModeInvalid);
    EXPECT_NE(noSurface.Clear(0xFFFFFFFF), Ok);
    EXPECT_NE(noSurface.GetLastStatus(), Ok);
}

TEST(AdvGDIP, GradientColourCountsAreCheckedBeforeGdiplus)
{
    TGPGraphicsPath line;
    line.AddLine(0.0f, 0.0f, 10.0f, 10.0f);
    TGPPathGradientBrush twoPoints(&line);
    ASSERT_EQ(twoPoints.GetPointCount(), 2);
    ARGB colours[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    int count = 3;
    EXPECT_EQ(twoPoints.SetSurroundColors(colours, count), InvalidParameter);
    EXPECT_EQ(count, 3);
    count = 2;
    EXPECT_EQ(twoPoints.SetSurroundColors(colours, count), Ok);
    EXPECT_GE(count, 1);
    EXPECT_LE(count, 2);
    EXPECT_EQ(twoPoints.SetInterpolationColors(colours, nullptr, 0), InvalidParameter);
    EXPECT_EQ(twoPoints.SetInterpolationColors(nullptr, nullptr, 2), InvalidParameter);

    TGPGraphicsPath box;
    box.AddRectangle(TGPRectF{0, 0, 10, 10});
    TGPPathGradientBrush fourPoints(&box);
    count = 4;
    ASSERT_EQ(fourPoints.SetSurroundColors(colours, count), Ok);
    ARGB room[1];
    int roomCount = 1;
    EXPECT_EQ(fourPoints.GetSurroundColors(room, roomCount), InsufficientBuffer);
    EXPECT_EQ(fourPoints.GetSurroundColors(nullptr, roomCount), InvalidParameter);

    TGPLinearGradientBrush linear(TGPRectF{0, 0, 10, 10}, 0xFF000000, 0xFFFFFFFF, LinearGradientModeHorizontal);
    EXPECT_EQ(linear.SetInterpolationColors(colours, nullptr, 0), InvalidParameter);
}

TEST(AdvGDIP, ShapesLandOnTheirPixels)
{
    TPixelBuffer pixels(40, 30);
    {
        TGPGraphics g(pixels.DC());
        g.SetSmoothingMode(SmoothingModeNone);
        TGPSolidBrush red(ComposeOpaqueARGB(255, 0, 0));
        EXPECT_EQ(g.FillRectangle(&red, 4, 6, 10, 8), Ok);
        TGPPoint triangle[3] = {{20, 2}, {38, 2}, {20, 20}};
        TGPSolidBrush blue(ComposeOpaqueARGB(0, 0, 255));
        EXPECT_EQ(g.FillPolygon(&blue, triangle, 3), Ok);
    }
    EXPECT_EQ(pixels.At(5, 7), RGB(255, 0, 0));
    EXPECT_EQ(pixels.At(13, 13), RGB(255, 0, 0));
    EXPECT_TRUE(IsWhite(pixels.At(15, 7)));
    EXPECT_TRUE(IsWhite(pixels.At(5, 15)));
    EXPECT_EQ(pixels.At(22, 4), RGB(0, 0, 255));
    EXPECT_TRUE(IsWhite(pixels.At(36, 18)));
}

TEST(AdvGDIP, PngStreamsAreRecognisedWithTheirSize)
{
    std::vector<std::uint8_t> png = picturetest::MakePng(6, 4, 0xFF00FF00);
    IStream* stream = CreateGlobalMemoryStream(png.data(), png.size());
    TGPImage image(stream);
    stream->Release();
    EXPECT_EQ(image.GetFormat(), ifPNG);
    EXPECT_EQ(image.Width(), 6u);
    EXPECT_EQ(image.Height(), 4u);
    EXPECT_EQ(image.SaveAdd(nullptr, nullptr), InvalidParameter);
}

class AdvGDIPText : public ::testing::Test {
protected:
    void SetUp() override
    {
        Font.SetName(L"Tahoma");
        Font.SetSize(8);
        Font.SetColor(clBlack);
    }
    TFont Font;
};

TEST_F(AdvGDIPText, MissingFaceFallsBackToArialOfTheSameSizeAndStyle)
{
    TPixelBuffer pixels(10, 10);
    TGPGraphics g(pixels.DC());
    Font.SetName(L"No Such Face Kvl");
    Font.SetStyle(TFontStyles{fsBold});
    std::unique_ptr<TGPFont> made(g.MakeFont(&Font));
    // Whether Arial itself is installed is the machine's business: the fallback is whatever it gives.
    TGPFontFamily arial(L"Arial");
    TGPFont expected(&arial, 8.0f, 1, UnitPoint);
    EXPECT_EQ(made->Status(), expected.Status());
    EXPECT_EQ(made->NativeHandle() != nullptr, expected.NativeHandle() != nullptr);
    Font.SetName(L"Tahoma");
    std::unique_ptr<TGPFont> tahoma(g.MakeFont(&Font));
    EXPECT_EQ(tahoma->Status(), Ok);
    TGPRectF a{}, b{};
    g.MeasureString(L"Kelvane", -1, made.get(), TGPRectF{0, 0, 1000, 1000}, a);
    g.MeasureString(L"Kelvane", -1, &expected, TGPRectF{0, 0, 1000, 1000}, b);
    EXPECT_FLOAT_EQ(a.Width, b.Width);
    EXPECT_FLOAT_EQ(a.Height, b.Height);
}

TEST_F(AdvGDIPText, CalcRectMeasuresWithoutDrawingAndCountsATrailingBlank)
{
    TPixelBuffer pixels(200, 60);
    TGPGraphics g(pixels.DC());
    struct {
        int Size;
        int Reduction;
    } cases[] = {{8, 2}, {14, 6}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Size);
        Font.SetSize(c.Size);
        TRect r{10, 5, 20, 100};
        int height = g.DrawText(L"ab ", 3, r, &Font, DT_CALCRECT, clNone);
        EXPECT_EQ(r.left, 10);
        EXPECT_EQ(r.top, 5);
        EXPECT_EQ(r.right - r.left, g.TextWidth(L"abi", &Font) - c.Reduction);
        EXPECT_EQ(height, g.TextHeight(L"abi", &Font));
        EXPECT_EQ(r.bottom - r.top, height);
    }
    g.Flush();
    RECT all{0, 0, 200, 60};
    RECT ink = pixels.Find(all, [](COLORREF p) { return !IsWhite(p); });
    EXPECT_GE(ink.left, ink.right) << "nothing drawn";
}

TEST_F(AdvGDIPText, DrawTextDrawsAtTheTopLeftAndAnswersTheGivenHeight)
{
    TPixelBuffer pixels(200, 60);
    int height = 0;
    {
        TGPGraphics g(pixels.DC());
        TRect r{30, 20, 150, 57};
        height = g.DrawText(L"WWW", 3, r, &Font, 0, clNone);
    }
    EXPECT_EQ(height, 37);
    RECT ink = pixels.Find(RECT{0, 0, 200, 60}, IsInk);
    ASSERT_LT(ink.left, ink.right);
    EXPECT_GE(ink.left, 30);
    EXPECT_LE(ink.left, 36);
    EXPECT_GE(ink.top, 20);
    EXPECT_LE(ink.top, 28);
}

TEST_F(AdvGDIPText, BackgroundIsFilledBehindTheMeasuredText)
{
    TPixelBuffer pixels(200, 60);
    TRect r{10, 10, 100, 40};
    {
        TGPGraphics g(pixels.DC());
        g.DrawText(L"abc", 3, r, &Font, 0, clYellow);
    }
    RECT yellow = pixels.Find(RECT{0, 0, 200, 60}, [](COLORREF p) { return p == RGB(255, 255, 0); });
    EXPECT_EQ(yellow.left, 11);
    EXPECT_EQ(yellow.top, 10);
    EXPECT_LE(yellow.right, r.right + 2);
    EXPECT_LE(yellow.bottom, r.bottom + 1);
}

TEST_F(AdvGDIPText, DrawStringNeverReadsPastTheText)
{
    auto draw = [&](const String& text, int length) {
        auto pixels = std::make_unique<TPixelBuffer>(120, 30);
        TGPGraphics g(pixels->DC());
        std::unique_ptr<TGPFont> font(g.MakeFont(&Font));
        TGPSolidBrush black(0xFF000000);
        EXPECT_EQ(g.DrawString(text, length, font.get(), TGPPointF{2, 2}, &black), Ok);
        g.Flush();
        return pixels;
    };
    // The text lives in a longer buffer whose tail must never show.
    String buffer = L"abXYZW";
    String text = buffer.substr(0, 2);
    auto whole = draw(text, 2);
    for (int length : {1000, -1}) {
        SCOPED_TRACE(length);
        auto clamped = draw(text, length);
        for (int y = 0; y < 30; ++y)
            for (int x = 0; x < 120; ++x) ASSERT_EQ(clamped->At(x, y), whole->At(x, y)) << x << "," << y;
    }
    auto shorter = draw(text, 1);
    RECT inkWhole = whole->Find(RECT{0, 0, 120, 30}, IsInk);
    RECT inkShort = shorter->Find(RECT{0, 0, 120, 30}, IsInk);
    EXPECT_LT(inkShort.right, inkWhole.right);
    std::string ansi = "ab";
    auto fromAnsi = std::make_unique<TPixelBuffer>(120, 30);
    {
        TGPGraphics g(fromAnsi->DC());
        std::unique_ptr<TGPFont> font(g.MakeFont(&Font));
        TGPSolidBrush black(0xFF000000);
        EXPECT_EQ(g.DrawString(ansi, 50, font.get(), TGPPointF{2, 2}, &black), Ok);
    }
    EXPECT_EQ(fromAnsi->Find(RECT{0, 0, 120, 30}, IsInk).right, inkWhole.right);
}

} // namespace
