// TColorManager: choosing a converter and its errors, the packed, grey and colour rows, masks,
// gamma and palettes, and the clean-up of transparent white.
#include <gtest/gtest.h>

#include "skin/core/acPNG.h"

namespace {

void Configure(TColorManager& cm, TColorScheme Source, TColorScheme Target, int SourceBits, int TargetBits, int Samples = 1)
{
    cm.SetSourceColorScheme(Source);
    cm.SetTargetColorScheme(Target);
    cm.SetSourceBitsPerSample(static_cast<std::uint8_t>(SourceBits));
    cm.SetTargetBitsPerSample(static_cast<std::uint8_t>(TargetBits));
    cm.SetSourceSamplesPerPixel(static_cast<std::uint8_t>(Samples));
    cm.SetTargetSamplesPerPixel(static_cast<std::uint8_t>(Samples));
}

std::vector<std::uint8_t> Convert(TColorManager& cm, const std::vector<std::uint8_t>& Source, size_t TargetBytes,
                                  unsigned Count, std::uint8_t Mask = 0xFF, std::uint8_t Fill = 0)
{
    std::vector<std::uint8_t> target(TargetBytes, Fill);
    const void* rows[1] = {Source.data()};
    cm.ConvertRow(rows, target.data(), Count, Mask);
    return target;
}

std::wstring ConvertError(TColorManager& cm)
{
    std::uint8_t source[16] = {}, target[64] = {};
    const void* rows[1] = {source};
    try {
        cm.ConvertRow(rows, target, 1, 0xFF);
    } catch (const EColorConversionError& e) {
        return e.Message();
    }
    return L"";
}

std::vector<PALETTEENTRY> Entries(HPALETTE Palette)
{
    std::vector<PALETTEENTRY> e(GetPaletteEntries(Palette, 0, 0, nullptr));
    GetPaletteEntries(Palette, 0, static_cast<UINT>(e.size()), e.data());
    DeleteObject(Palette);
    return e;
}

} // namespace

TEST(ColorManager, ConverterChoiceAndItsErrors)
{
    const std::wstring mix = L"Conversion between indexed and non-indexed pixel formats is not supported.";
    const std::wstring none = L"Color conversion failed. Could not find a proper method.";
    struct Case {
        TColorScheme Source, Target;
        int SourceBits, TargetBits;
        std::wstring Error;
    } cases[] = {
        {csGA, csIndexed, 8, 8, L""},     // both count as palette-like
        {csRGB, csG, 8, 8, mix},
        {csIndexed, csBGR, 8, 8, mix},
        {csCMY, csBGR, 8, 8, none},
        {csRGB, csCMYK, 8, 8, none},
        {csRGB, csBGR, 4, 8, none},       // colour rows are 8 or 16 bits
        {csGA, csIndexed, 4, 8, none},
        {csG, csG, 12, 16, none},
        {csRGBA, csBGRA, 16, 16, L""},
        {csIndexed, csIndexed, 16, 4, L""},
        {csCMYK, csRGB, 8, 8, L""},
        {csYCbCr, csBGR, 8, 8, L""},
    };
    for (const Case& c : cases) {
        TColorManager cm;
    Configure(cm, c.Source, c.Target, c.SourceBits, c.TargetBits, 3);
        EXPECT_EQ(ConvertError(cm), c.Error) << c.Source << "->" << c.Target;
    }
}

TEST(ColorManager, SettersCheckRangesAndKeepTheOldValue)
{
    TColorManager cm;
    for (int bits : {0, 17}) {
        EXPECT_THROW(cm.SetSourceBitsPerSample(static_cast<std::uint8_t>(bits)), EColorConversionError);
        EXPECT_THROW(cm.SetTargetBitsPerSample(static_cast<std::uint8_t>(bits)), EColorConversionError);
    }
    EXPECT_EQ(cm.SourceBitsPerSample(), 8);
    cm.SetSourceBitsPerSample(3); // odd depths pass the setter
    EXPECT_EQ(cm.SourceBitsPerSample(), 3);
    EXPECT_THROW(cm.SetTargetSamplesPerPixel(5), EColorConversionError);
    EXPECT_THROW(cm.SetSourceSamplesPerPixel(0), EColorConversionError);
    EXPECT_EQ(cm.TargetSamplesPerPixel(), 3);
}

TEST(ColorManager, PixelFormatsFollowSamplesAndDepth)
{
    struct Case {
        int Samples, Bits;
        TPixelFormat Want;
    } cases[] = {{1, 1, pf1bit}, {1, 2, pf4bit}, {1, 4, pf4bit}, {1, 5, pfCustom}, {1, 8, pf8bit}, {1, 16, pf8bit},
                 {3, 5, pf15bit}, {3, 8, pf24bit}, {4, 8, pf32bit}, {4, 4, pfCustom}, {2, 8, pfCustom}};
    for (const Case& c : cases) {
        TColorManager cm;
        cm.SetTargetSamplesPerPixel(static_cast<std::uint8_t>(c.Samples));
        cm.SetTargetBitsPerSample(static_cast<std::uint8_t>(c.Bits));
        EXPECT_EQ(cm.TargetPixelFormat(), c.Want) << c.Samples << "x" << c.Bits;
    }
}

TEST(ColorManager, PackedRowsScaleGreyButNotIndexes)
{
    // 2-bit samples 0, 1, 2, 3 into 4-bit targets.
    std::vector<std::uint8_t> row = {0x1B};
    TColorManager grey;
    Configure(grey, csG, csG, 2, 4);
    EXPECT_EQ(Convert(grey, row, 2, 4), (std::vector<std::uint8_t>{0x05, 0xAF}));
    TColorManager indexed;
    Configure(indexed, csIndexed, csIndexed, 2, 4);
    EXPECT_EQ(Convert(indexed, row, 2, 4), (std::vector<std::uint8_t>{0x01, 0x23}));
    // Wider and narrower: 1 bit to 8, 16-bit indexes to 4 bits, 4 bits to 16 (swapped).
    TColorManager wide;
    Configure(wide, csG, csG, 1, 8);
    EXPECT_EQ(Convert(wide, {0xA0}, 3, 3), (std::vector<std::uint8_t>{255, 0, 255}));
    TColorManager narrow;
    Configure(narrow, csIndexed, csIndexed, 16, 4);
    narrow.SourceOptions = {coNeedByteSwap};
    EXPECT_EQ(Convert(narrow, {0xFF, 0xFF, 0x00, 0x00}, 1, 2), (std::vector<std::uint8_t>{0xF0}));
    TColorManager to16;
    Configure(to16, csIndexed, csIndexed, 4, 16);
    to16.SourceOptions = {coNeedByteSwap};
    EXPECT_EQ(Convert(to16, {0xF1}, 4, 2), (std::vector<std::uint8_t>{0xFF, 0xFF, 0x11, 0x11}));
}

TEST(ColorManager, MaskWritesOnlyItsPixels)
{
    std::vector<std::uint8_t> source = {1, 2, 3, 4, 5, 6};
    TColorManager cm;
    Configure(cm, csRGB, csBGR, 8, 8, 3);
    std::vector<std::uint8_t> out = Convert(cm, source, 16 * 3, 16, 0x80, 0xEE);
    for (int x = 0; x < 16; ++x) {
        const std::uint8_t* p = &out[3 * x];
        if (x == 0) EXPECT_EQ((std::vector<std::uint8_t>(p, p + 3)), (std::vector<std::uint8_t>{3, 2, 1}));
        else if (x == 8) EXPECT_EQ((std::vector<std::uint8_t>(p, p + 3)), (std::vector<std::uint8_t>{6, 5, 4}));
        else EXPECT_EQ(p[0] & p[1] & p[2], 0xEE) << x;
    }
    // Packed targets keep the other bits of a byte.
    TColorManager packed;
    Configure(packed, csIndexed, csIndexed, 4, 4);
    EXPECT_EQ(Convert(packed, {0x90}, 1, 2, 0x40, 0x35), (std::vector<std::uint8_t>{0x39}));
}

TEST(ColorManager, ColourRowsReorderScaleAndKeepAlpha)
{
    // 16-bit big-endian RGBA to BGRA: scaled by 255/65535, alpha kept, no gamma on alpha.
    TColorManager cm;
    Configure(cm, csRGBA, csBGRA, 16, 8, 4);
    cm.SourceOptions = {coNeedByteSwap};
    EXPECT_EQ(Convert(cm, {0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00, 0x40, 0x00}, 4, 1),
              (std::vector<std::uint8_t>{0, 127, 255, 63}));
    // Gamma applies to colour samples only.
    cm.TargetOptions.Include(coApplyGamma);
    cm.SetGamma(0.5f, 1.0f); // exponent 2
    EXPECT_EQ(Convert(cm, {0xFF, 0xFF, 0x80, 0x00, 0x00, 0x00, 0x40, 0x00}, 4, 1),
              (std::vector<std::uint8_t>{0, 63, 255, 63}));
    // BGR to RGB at 8 bits into 16-bit targets: widened, then swapped on writing.
    TColorManager wide;
    Configure(wide, csBGR, csRGB, 8, 16, 3);
    wide.SourceOptions = {coNeedByteSwap};
    EXPECT_EQ(Convert(wide, {1, 2, 0xFF}, 6, 1), (std::vector<std::uint8_t>{0xFF, 0xFF, 2, 2, 1, 1}));
    // Planes: one pointer per sample.
    std::uint8_t r[2] = {10, 11}, g[2] = {20, 21}, b[2] = {30, 31};
    const void* planes[3] = {r, g, b};
    std::uint8_t target[6] = {};
    TColorManager planar;
    Configure(planar, csRGB, csBGR, 8, 8, 3);
    planar.ConvertRow(planes, target, 2, 0xFF);
    EXPECT_EQ((std::vector<std::uint8_t>(target, target + 6)), (std::vector<std::uint8_t>{30, 20, 10, 31, 21, 11}));
}

TEST(ColorManager, OtherColourSpaces)
{
    TColorManager cmyk;
    Configure(cmyk, csCMYK, csRGB, 8, 8, 4);
    EXPECT_EQ(Convert(cmyk, {0, 255, 100, 0}, 3, 1), (std::vector<std::uint8_t>{255, 0, 155}));
    TColorManager ycc;
    Configure(ycc, csYCbCr, csRGB, 8, 8, 3);
    EXPECT_EQ(Convert(ycc, {100, 128, 128}, 3, 1), (std::vector<std::uint8_t>{100, 100, 100}));
    TColorManager lab;
    Configure(lab, csCIELab, csRGB, 8, 8, 3);
    std::vector<std::uint8_t> white = Convert(lab, {100, 0, 0}, 3, 1);
    EXPECT_GE(white[0], 250);
    EXPECT_GE(white[1], 250);
}

TEST(ColorManager, GammaTableAndPalettes)
{
    // SetGamma(0, 0) is SetGamma(1, 2.2).
    TColorManager a, b;
    a.SetTargetSamplesPerPixel(1);
    b.SetTargetSamplesPerPixel(1);
    a.TargetOptions = b.TargetOptions = {coApplyGamma};
    a.SetGamma(0, 0);
    b.SetGamma(1.0f, 2.2f);
    std::vector<PALETTEENTRY> pa = Entries(a.CreateGrayscalePalette(false)), pb = Entries(b.CreateGrayscalePalette(false));
    ASSERT_EQ(pa.size(), 256u);
    for (size_t i = 0; i < 256; ++i) EXPECT_EQ(pa[i].peRed, pb[i].peRed);
    EXPECT_EQ(pa[128].peRed, 186);

    // A depth below 8 widened to 16 bits keeps the table's index range inside its 256 entries.
    TColorManager low;
    Configure(low, csG, csG, 2, 16);
    low.TargetOptions = {coApplyGamma};
    low.SetGamma(0.5f, 1.0f);
    std::vector<PALETTEENTRY> lp = Entries(low.CreateGrayscalePalette(false));
    ASSERT_EQ(lp.size(), 256u);
    EXPECT_EQ(lp[128].peRed, 64); // round(128^2 / 255)
    EXPECT_EQ(lp[255].peRed, 255);

    // Grey ramps: 4-bit targets step 17, reversed with minimum-is-white.
    TColorManager ramp;
    Configure(ramp, csG, csG, 2, 4);
    std::vector<PALETTEENTRY> r = Entries(ramp.CreateGrayscalePalette(true));
    ASSERT_EQ(r.size(), 16u);
    EXPECT_EQ(r[0].peRed, 255);
    EXPECT_EQ(r[15].peRed, 0);
    EXPECT_EQ(r[14].peGreen, 17);

    // Colour palettes: at most 256 entries; blue-first and 16-bit layouts.
    std::vector<std::uint8_t> data(300 * 3, 9);
    data[0] = 1, data[2] = 3;
    const void* rows[1] = {data.data()};
    TColorManager cm;
    std::vector<PALETTEENTRY> big = Entries(cm.CreateColorPalette(rows, 0, 300, false));
    EXPECT_EQ(big.size(), 256u);
    EXPECT_EQ(big[0].peRed, 1);
    EXPECT_EQ(Entries(cm.CreateColorPalette(rows, 0, 1, true))[0].peRed, 3);
    std::uint8_t words[6] = {0xFF, 0xFF, 0, 0, 0x80, 0};
    const void* wrows[1] = {words};
    cm.SourceOptions = {coNeedByteSwap};
    PALETTEENTRY w = Entries(cm.CreateColorPalette(wrows, 4, 1, false))[0];
    EXPECT_EQ(w.peRed, 255);
    EXPECT_EQ(w.peGreen, 0);
    EXPECT_EQ(w.peBlue, 127);
}

TEST(ColorManager, ClearTransparentWhite)
{
    TBitmap bmp;
    bmp.SetPixelFormat(pf32bit);
    bmp.SetSize(2, 2);
    auto* row = static_cast<std::uint32_t*>(bmp.ScanLine(0));
    row[0] = 0x00FFFFFF;
    row[1] = 0x01FFFFFF;
    static_cast<std::uint32_t*>(bmp.ScanLine(1))[0] = 0x00FFFFFE;
    ClearTransparentWhite(&bmp);
    row = static_cast<std::uint32_t*>(bmp.ScanLine(0));
    EXPECT_EQ(row[0], 0u);
    EXPECT_EQ(row[1], 0x01FFFFFFu);
    EXPECT_EQ(static_cast<std::uint32_t*>(bmp.ScanLine(1))[0], 0x00FFFFFEu);

    TBitmap thin; // below 2 x 2: untouched
    thin.SetPixelFormat(pf32bit);
    thin.SetSize(5, 1);
    static_cast<std::uint32_t*>(thin.ScanLine(0))[0] = 0x00FFFFFF;
    ClearTransparentWhite(&thin);
    EXPECT_EQ(static_cast<std::uint32_t*>(thin.ScanLine(0))[0], 0x00FFFFFFu);
}
