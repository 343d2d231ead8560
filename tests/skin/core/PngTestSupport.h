#pragma once
// Loading test PNGs from memory and reading back what the decoder made of each pixel.
#include <gtest/gtest.h>

#include "framework/classes/Streams.h"
#include "skin/core/acPNG.h"
#include "skin/core/PngTestWriter.h"

namespace PngTest {

inline void Load(TPNGGraphic& Graphic, const Bytes& Png)
{
    TMemoryStream stream;
    if (!Png.empty()) stream.WriteBuffer(Png.data(), static_cast<int>(Png.size()));
    stream.SetPosition(0);
    Graphic.LoadFromStream(&stream);
}

// The message of the EInvalidGraphic that loading raises, or "" when it loads.
inline std::wstring LoadError(const Bytes& Png)
{
    TPNGGraphic g;
    try {
        Load(g, Png);
    } catch (const EInvalidGraphic& e) {
        return e.Message();
    }
    return L"";
}

// Pixel (X, Y) as $AARRGGBB, through the colour table for palette formats (alpha 0 there).
inline std::uint32_t PixelOf(TBitmap& Bitmap, int X, int Y)
{
    const auto* row = static_cast<const std::uint8_t*>(Bitmap.ScanLine(Y));
    auto fromTable = [&](unsigned index) -> std::uint32_t {
        std::vector<RGBQUAD> table = Bitmap.ColorTable();
        if (index >= table.size()) return 0xDEADBEEF;
        return std::uint32_t(table[index].rgbRed) << 16 | table[index].rgbGreen << 8 | table[index].rgbBlue;
    };
    switch (Bitmap.PixelFormat()) {
    case pf1bit: return fromTable((row[X >> 3] >> (7 - (X & 7))) & 1);
    case pf4bit: return fromTable((X & 1) ? row[X >> 1] & 15 : row[X >> 1] >> 4);
    case pf8bit: return fromTable(row[X]);
    case pf24bit: return std::uint32_t(row[3 * X + 2]) << 16 | row[3 * X + 1] << 8 | row[3 * X];
    case pf32bit: return std::uint32_t(row[4 * X + 3]) << 24 | row[4 * X + 2] << 16 | row[4 * X + 1] << 8 | row[4 * X];
    default: return 0xDEADBEEF;
    }
}

// What pixel (X, Y) of a test image must look like after decoding.
inline std::uint32_t ExpectedPixel(const Image& im, int X, int Y)
{
    unsigned max = (1u << im.BitDepth) - 1;
    auto to8 = [&](unsigned v) { return im.BitDepth == 16 ? v * 255 / 65535 : v * 255 / max; };
    switch (im.ColorType) {
    case 0:
    case 4: {
        std::uint32_t g = to8(im.At(X, Y, 0));
        return g << 16 | g << 8 | g;
    }
    case 2: return to8(im.At(X, Y, 0)) << 16 | to8(im.At(X, Y, 1)) << 8 | to8(im.At(X, Y, 2));
    case 3: {
        unsigned i = im.At(X, Y, 0);
        return std::uint32_t(i * 3 & 255) << 16 | (i * 5 & 255) << 8 | (i * 7 & 255);
    }
    default:
        return to8(im.At(X, Y, 3)) << 24 | to8(im.At(X, Y, 0)) << 16 | to8(im.At(X, Y, 1)) << 8 | to8(im.At(X, Y, 2));
    }
}

} // namespace PngTest
