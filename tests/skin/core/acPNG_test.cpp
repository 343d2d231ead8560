// The PNG reader: pixels of every colour type and depth (interlaced or not) equal the samples
// they were written from; chunk handling and every format error; the size checks that keep
// damaged files from reading past their data or allocating without bound.
#include <gtest/gtest.h>

#include "skin/core/PngTestSupport.h"

using namespace PngTest;

namespace {

struct Format {
    int ColorType, BitDepth;
    TPixelFormat Expected;
};

const Format AllFormats[] = {
    {0, 1, pf1bit}, {0, 2, pf4bit}, {0, 4, pf4bit}, {0, 8, pf8bit}, {0, 16, pf8bit},
    {2, 8, pf24bit}, {2, 16, pf24bit},
    {3, 1, pf1bit}, {3, 2, pf4bit}, {3, 4, pf4bit}, {3, 8, pf8bit},
    {4, 8, pf8bit}, {4, 16, pf8bit},
    {6, 8, pf32bit}, {6, 16, pf32bit},
};

void ExpectSamePixels(const Image& im, bool Interlaced)
{
    SCOPED_TRACE(testing::Message() << "type " << im.ColorType << " depth " << im.BitDepth << " "
                                    << im.Width << "x" << im.Height << (Interlaced ? " interlaced" : ""));
    TPNGGraphic g;
    Options o;
    o.Interlaced = Interlaced;
    o.SplitData = 37; // rows cross chunk boundaries
    Load(g, WritePNG(im, o));
    ASSERT_EQ(g.Width(), im.Width);
    ASSERT_EQ(g.Height(), im.Height);
    int wrong = 0;
    for (int y = 0; y < im.Height; ++y)
        for (int x = 0; x < im.Width; ++x)
            if (PixelOf(g, x, y) != ExpectedPixel(im, x, y) && wrong++ < 3)
                ADD_FAILURE() << "pixel " << x << "," << y << std::hex << " got " << PixelOf(g, x, y) << " want "
                              << ExpectedPixel(im, x, y);
    EXPECT_EQ(wrong, 0);
}

Bytes Grey8(int W = 4, int H = 3, const Options& o = {}) { return WritePNG(MakeImage(W, H, 0, 8), o); }

// Corrupts the CRC of the first chunk of Type.
Bytes BreakCRC(Bytes Png, const std::string& Type)
{
    size_t at = FindChunk(Png, Type);
    std::uint32_t len = std::uint32_t(Png[at]) << 24 | Png[at + 1] << 16 | Png[at + 2] << 8 | Png[at + 3];
    Png[at + 8 + len] ^= 0x55;
    return Png;
}

} // namespace

TEST(PNGGraphic, EveryColourTypeAndDepthDecodesToItsSourcePixels)
{
    for (const Format& f : AllFormats) {
        for (bool interlaced : {false, true}) {
            Image im = MakeImage(33, 33, f.ColorType, f.BitDepth, f.ColorType * 100 + f.BitDepth);
            ExpectSamePixels(im, interlaced);
            TPNGGraphic g;
            Load(g, WritePNG(im, Options{interlaced}));
            EXPECT_EQ(g.PixelFormat(), f.Expected) << f.ColorType << "/" << f.BitDepth;
        }
    }
}

TEST(PNGGraphic, SmallAndOddSizesDecodeInterlacedAndNot)
{
    // 1x1 interlaced comes from pass 1 alone; the others leave some passes empty.
    const int sizes[][2] = {{1, 1}, {2, 1}, {1, 9}, {5, 3}, {9, 2}};
    for (const auto& s : sizes)
        for (const Format& f : {AllFormats[1], AllFormats[5], AllFormats[8], AllFormats[14]})
            for (bool interlaced : {false, true}) ExpectSamePixels(MakeImage(s[0], s[1], f.ColorType, f.BitDepth), interlaced);
}

TEST(PNGGraphic, ReadsTheHeaderFacts)
{
    TPNGGraphic g;
    Options o;
    o.Interlaced = true;
    o.BeforeData = Chunk("gAMA", {0, 0, 0xB1, 0x8F}); // 45455
    Load(g, WritePNG(MakeImage(7, 5, 6, 16), o));
    const TImageProperties& p = g.ImageProperties();
    EXPECT_EQ(p.Width, 7u);
    EXPECT_EQ(p.Height, 5u);
    EXPECT_EQ(p.ColorScheme, csRGBA);
    EXPECT_EQ(p.BitsPerSample, 16);
    EXPECT_EQ(p.SamplesPerPixel, 4);
    EXPECT_EQ(p.BitsPerPixel, 64);
    EXPECT_EQ(p.Compression, ctLZ77);
    EXPECT_TRUE(p.Interlaced);
    EXPECT_TRUE(p.HasAlpha);
    EXPECT_TRUE(p.Options.Contains(ioBigEndian));
    EXPECT_TRUE(p.Options.Contains(ioUseGamma));
    EXPECT_NEAR(p.FileGamma, 0.45455f, 1e-5);
}

TEST(PNGGraphic, GammaChunkPassesColourSamplesThroughTheTable)
{
    // File gamma 1.0 against display 2.2: 128 becomes round((128/255)^(1/2.2) * 255) = 186.
    Image im{1, 1, 2, 8, {128, 0, 255}};
    TPNGGraphic g;
    Options o;
    o.BeforeData = Chunk("gAMA", {0, 1, 0x86, 0xA0});
    Load(g, WritePNG(im, o));
    EXPECT_EQ(PixelOf(g, 0, 0), 0xBA00FFu);
    // A later image without gAMA is not passed through the previous image's gamma.
    Load(g, WritePNG(im));
    EXPECT_EQ(PixelOf(g, 0, 0), 0x8000FFu);
}

TEST(PNGGraphic, ReloadingReplacesFormatPaletteAndState)
{
    TPNGGraphic g;
    Image rgba = MakeImage(6, 4, 6, 8), grey1 = MakeImage(19, 3, 0, 1), indexed = MakeImage(5, 5, 3, 8);
    Options o;
    o.BeforeData = Chunk("bKGD", {7});
    Load(g, WritePNG(indexed, o));
    EXPECT_EQ(g.BackgroundColor(), 7);
    Load(g, WritePNG(rgba));
    EXPECT_EQ(g.PixelFormat(), pf32bit);
    EXPECT_EQ(g.BackgroundColor(), 0xFFFFFF);
    Load(g, WritePNG(grey1));
    EXPECT_EQ(g.PixelFormat(), pf1bit);
    for (int x = 0; x < 19; ++x) EXPECT_EQ(PixelOf(g, x, 2), ExpectedPixel(grey1, x, 2));
}

TEST(PNGGraphic, AnyRowFilterAboveFourLeavesTheRowAsItIs)
{
    Image im = MakeImage(3, 2, 0, 8);
    Bytes raw = RawData(im, false, 0);
    raw[0] = 5; // the first row's filter byte
    Bytes png = Concat({Signature(), Header(3, 2, 8, 0, 0), Chunk("IDAT", Deflate(raw)), Chunk("IEND", {})});
    TPNGGraphic g;
    Load(g, png);
    EXPECT_EQ(PixelOf(g, 2, 0), ExpectedPixel(im, 2, 0));
    EXPECT_EQ(PixelOf(g, 2, 1), ExpectedPixel(im, 2, 1));
}

TEST(PNGGraphic, BackgroundAndTransparencyChunks)
{
    struct Case {
        int ColorType, BitDepth;
        Bytes Background;
        TColor Want;
    } cases[] = {
        {0, 8, {0, 0x40}, 0x40},
        {0, 2, {0, 2}, 10},          // a grey level scaled 15/3
        {0, 16, {0x80, 0x00}, 0x7F}, // 0x8000 * 255 / 65535
        {2, 8, {0, 1, 0, 2, 0, 3}, 0x030201},
        {2, 16, {0xFF, 0xFF, 0, 0, 0x80, 0}, 0x7F00FF},
        {3, 4, {9}, 9},
    };
    for (const Case& c : cases) {
        Options o;
        o.BeforeData = Chunk("bKGD", c.Background);
        TPNGGraphic g;
        Load(g, WritePNG(MakeImage(3, 3, c.ColorType, c.BitDepth), o));
        EXPECT_EQ(g.BackgroundColor(), c.Want) << c.ColorType << "/" << c.BitDepth;
    }

    // Indexed: three alpha values from the file, 253 opaque ones.
    Options o;
    o.BeforeData = Chunk("tRNS", {0, 128, 7});
    TPNGGraphic g;
    Load(g, WritePNG(MakeImage(3, 3, 3, 8), o));
    ASSERT_EQ(g.Transparency().size(), 256u);
    EXPECT_EQ(g.Transparency()[0], 0);
    EXPECT_EQ(g.Transparency()[1], 128);
    EXPECT_EQ(g.Transparency()[2], 7);
    EXPECT_EQ(std::count(g.Transparency().begin(), g.Transparency().end(), 255), 253);

    // Grey and RGB keys become the bitmap's transparent colour, as the pixels show it.
    o.BeforeData = Chunk("tRNS", {0, 2});
    Load(g, WritePNG(MakeImage(3, 3, 0, 2), o));
    EXPECT_TRUE(g.Transparent());
    EXPECT_EQ(g.TransparentColor(), static_cast<TColor>(RGB(170, 170, 170)));
    o.BeforeData = Chunk("tRNS", {0, 1, 0, 2, 0, 3});
    Load(g, WritePNG(MakeImage(3, 3, 2, 8), o));
    EXPECT_EQ(g.TransparentColor(), static_cast<TColor>(RGB(1, 2, 3)));
    Load(g, WritePNG(MakeImage(3, 3, 2, 8)));
    EXPECT_FALSE(g.Transparent());
}

TEST(PNGGraphic, ChunkHandling)
{
    // Ancillary chunks are skipped (their CRC unchecked), image data may come in empty pieces
    // and be followed by leftovers, chunk types match in either case.
    Options o;
    o.BeforeData = Concat({BreakCRC(Concat({Signature(), Chunk("teXt", {1, 2, 3})}), "teXt"), Chunk("IDAT", {})});
    o.BeforeData.erase(o.BeforeData.begin(), o.BeforeData.begin() + 8);
    o.SplitData = 5;
    Image im = MakeImage(6, 6, 2, 8);
    EXPECT_EQ(LoadError(WritePNG(im, o)), L"");

    // A PLTE for a colour image is ignored.
    o = {};
    o.BeforeData = Chunk("PLTE", Palette(4));
    EXPECT_EQ(LoadError(WritePNG(im, o)), L"");
}

TEST(PNGGraphic, FormatErrorsHaveTheirTexts)
{
    const std::wstring invalid = L"Cannot load image. Invalid or unexpected PNG image format.";
    const std::wstring crc = L"Cannot load image. CRC error found in PNG file.";
    const std::wstring truncated = L"Cannot load image. Image data in PNG file is truncated.";
    const std::wstring chunkLength = L"Cannot load image. Invalid chunk length in PNG file.";
    const std::wstring tooLarge = L"Cannot load image. Image size in PNG file is too large.";
    Bytes good = Grey8();
    Bytes idat = Chunk("IDAT", Deflate(RawData(MakeImage(4, 3, 0, 8), false)));
    auto withHeader = [&](Bytes ihdr) { return Concat({Signature(), ihdr, idat, Chunk("IEND", {})}); };
    auto withBefore = [&](Bytes chunks, int type = 0, int depth = 8) {
        Options o;
        o.BeforeData = chunks;
        return WritePNG(MakeImage(4, 3, type, depth), o);
    };
    Bytes hugeLength = good;
    size_t at = FindChunk(hugeLength, "IDAT");
    hugeLength[at] = 0x80; // 2^31 and more
    Bytes pastEnd = good;
    pastEnd[at + 2] = 0x10;
    Bytes cut = good;
    cut.resize(FindChunk(good, "IDAT") + 8 + 10);
    Bytes shortImage = Concat({Signature(), Header(4, 9, 8, 0, 0), idat, Chunk("IEND", {})});
    Bytes noData = Concat({Signature(), Header(4, 3, 8, 0, 0), Chunk("IEND", {})});

    struct Case {
        const char* Name;
        Bytes Png;
        std::wstring Text;
    } cases[] = {
        {"first chunk not IHDR", Concat({Signature(), Chunk("gAMA", {0, 0, 0, 1}), Header(4, 3, 8, 0, 0)}), invalid},
        {"width 0", withHeader(Header(0, 3, 8, 0, 0)), invalid},
        {"height 0", withHeader(Header(4, 0, 8, 0, 0)), invalid},
        {"short header", Concat({Signature(), Chunk("IHDR", {0, 0, 0, 4})}), invalid},
        {"not a PNG", Bytes{'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0}, invalid},
        {"IHDR CRC", BreakCRC(good, "IHDR"), crc},
        {"IDAT CRC", BreakCRC(good, "IDAT"), crc},
        {"PLTE CRC", BreakCRC(WritePNG(MakeImage(2, 2, 3, 4)), "PLTE"), crc},
        {"gAMA CRC", BreakCRC(withBefore(Chunk("gAMA", {0, 0, 0xB1, 0x8F})), "gAMA"), crc},
        {"bKGD CRC", BreakCRC(withBefore(Chunk("bKGD", {0, 1})), "bKGD"), crc},
        {"tRNS CRC", BreakCRC(withBefore(Chunk("tRNS", {0, 1})), "tRNS"), crc},
        {"critical unknown chunk", withBefore(Chunk("XxXx", {1})), L"Cannot load PNG image. Unexpected but critical chunk detected."},
        {"palette of 10 bytes", withBefore(Chunk("PLTE", Bytes(10, 1)), 3, 4), L"Cannot load image. Palette in PNG file is invalid."},
        {"RGB at depth 4", withHeader(Header(4, 3, 4, 2, 0)), L"Invalid color format in PNG file."},
        {"colour type 5", withHeader(Header(4, 3, 8, 5, 0)), L"Invalid color format in PNG file."},
        {"compression 1", withHeader([] { Bytes h = Header(4, 3, 8, 0, 0); h[18] = 1; FixCRC(h, 0); return h; }()),
         L"Cannot load image. The compression scheme is not supported for PNG files."},
        {"length above 2^31-1", hugeLength, chunkLength},
        {"length past the stream", pastEnd, chunkLength},
        {"width above the cap", withHeader(Header(MaxPNGSide + 1, 1, 8, 0, 0)), tooLarge},
        {"width x height above the cap", withHeader(Header(20000, 20000, 8, 0, 0)), tooLarge},
        {"rows missing", shortImage, truncated},
        {"stream cut in the image data", cut, chunkLength},
        {"no image data", noData, truncated},
        {"huge image from a few bytes", withHeader(Header(8000, 8000, 8, 6, 0)), truncated},
    };
    for (const Case& c : cases) EXPECT_EQ(LoadError(c.Png), c.Text) << c.Name;

    // Garbage instead of deflate data.
    Bytes garbage = Concat({Signature(), Header(4, 3, 8, 0, 0), Chunk("IDAT", Bytes(20, 0xFF)), Chunk("IEND", {})});
    EXPECT_EQ(LoadError(garbage), L"Cannot load image. Compression error found in PNG file.");
    // More deflate data after the stream's end inside the chunk.
    Bytes z = Deflate(RawData(MakeImage(4, 3, 0, 8), false));
    z.insert(z.end(), {1, 2, 3});
    Bytes extra = Concat({Signature(), Header(4, 3, 8, 0, 0), Chunk("IDAT", z), Chunk("IEND", {})});
    EXPECT_EQ(LoadError(extra), L"Cannot load image. Extra compressed data found in PNG file.");
}

TEST(PNGGraphic, CanLoadWantsMoreThanTheSignatureAndKeepsThePosition)
{
    for (size_t extra : {0u, 1u}) {
        TMemoryStream stream;
        Bytes data = Signature();
        data.resize(8 + extra);
        stream.WriteBuffer(data.data(), static_cast<int>(data.size()));
        stream.SetPosition(0);
        EXPECT_EQ(TPNGGraphic::CanLoad(&stream), extra > 0);
        EXPECT_EQ(stream.Position(), 0);
    }
}

TEST(PNGGraphic, PictureLoadsPngThroughTheRegisteredFormat)
{
    bool found = false;
    for (const TFileFormat& f : TPicture::FileFormats())
        if (f.Extension == L"png") found = f.Description == L"Portable network graphics (Lumacore)";
    EXPECT_TRUE(found);
    Bytes png = Grey8(5, 2);
    TMemoryStream stream;
    stream.WriteBuffer(png.data(), static_cast<int>(png.size()));
    stream.SetPosition(0);
    TPicture picture;
    picture.LoadFromStream(&stream);
    ASSERT_NE(dynamic_cast<TPNGGraphic*>(picture.Graphic()), nullptr);
    EXPECT_EQ(picture.Width(), 5);
}

TEST(PNGGraphic, DrawBlendsAlphaImagesOverTheCanvas)
{
    // Red at alpha 0, 128 and 255 over white.
    Image im{3, 1, 6, 8, {255, 0, 0, 0, 255, 0, 0, 128, 255, 0, 0, 255}};
    TPNGGraphic g;
    Load(g, WritePNG(im));
    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(3, 1);
    target.Canvas()->Brush()->SetColor(0xFFFFFF);
    target.Canvas()->FillRect(Rect(0, 0, 3, 1));
    g.Draw(target.Canvas(), Rect(0, 0, 3, 1));
    EXPECT_EQ(PixelOf(target, 0, 0), 0xFFFFFFu);
    std::uint32_t half = PixelOf(target, 1, 0);
    EXPECT_EQ(half >> 16, 0xFFu);
    EXPECT_NEAR(static_cast<int>(half & 0xFF), 127, 2);
    EXPECT_EQ(PixelOf(target, 2, 0), 0xFF0000u);
}

TEST(PNGGraphic, DrawAddsAReflectionAndStretchesColourAndAlphaApart)
{
    auto whiteTarget = [](int W, int H) {
        auto t = std::make_unique<TBitmap>();
        t->SetPixelFormat(pf24bit);
        t->SetSize(W, H);
        t->Canvas()->Brush()->SetColor(0xFFFFFF);
        t->Canvas()->FillRect(Rect(0, 0, W, H));
        return t;
    };
    // Opaque red, 2 x 4: half its height again below it, of which the second row mirrors source
    // row 2 at a third of its alpha (white loses 85 of green and blue); the first stays clear.
    Image red{2, 4, 6, 8, {}};
    for (int i = 0; i < 8; ++i) red.Samples.insert(red.Samples.end(), {255, 0, 0, 255});
    TPNGGraphic g;
    Load(g, WritePNG(red));
    g.Reflected = true;
    auto t = whiteTarget(2, 7);
    g.Draw(t->Canvas(), Rect(0, 0, 2, 4));
    EXPECT_EQ(PixelOf(*t, 1, 3), 0xFF0000u);
    EXPECT_EQ(PixelOf(*t, 1, 4), 0xFFFFFFu);
    EXPECT_EQ(PixelOf(*t, 1, 5), 0xFFAAAAu);
    EXPECT_EQ(PixelOf(*t, 1, 6), 0xFFFFFFu);

    // Stretched: the opaque left column stays red, the clear right column shows the canvas.
    Image half{2, 2, 6, 8, {255, 0, 0, 255, 0, 0, 255, 0, 255, 0, 0, 255, 0, 0, 255, 0}};
    TPNGGraphic h;
    Load(h, WritePNG(half));
    auto s = whiteTarget(8, 4);
    h.Draw(s->Canvas(), Rect(0, 0, 8, 4));
    for (int y = 0; y < 4; ++y) {
        EXPECT_EQ(PixelOf(*s, 0, y), 0xFF0000u) << y;
        EXPECT_EQ(PixelOf(*s, 7, y), 0xFFFFFFu) << y;
    }
}
