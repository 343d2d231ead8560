#pragma once
// Image bytes the picture tests make themselves: GIFs of solid frames (an LZW stream that
// restarts its dictionary every two pixels, so every code stays three bits wide) and PNGs
// written through the GDI+ layer.
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/classes/Streams.h"
#include "grid/foundation/AdvGDIP.h"
#include "tests/support/TestSupport.h"

namespace picturetest {

// Palette of every fixture GIF: 0 red, 1 green, 2 blue, 3 white.
inline COLORREF GifColor(int Index)
{
    static const COLORREF colors[] = {RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 255)};
    return colors[Index & 3];
}

struct TGifFrame {
    int ColorIndex;
    int DelayHundredths = 10;
};

inline std::vector<std::uint8_t> MakeGif(int Width, int Height, const std::vector<TGifFrame>& Frames)
{
    std::vector<std::uint8_t> g;
    auto word = [&](int v) {
        g.push_back(static_cast<std::uint8_t>(v & 0xFF));
        g.push_back(static_cast<std::uint8_t>((v >> 8) & 0xFF));
    };
    for (char c : {'G', 'I', 'F', '8', '9', 'a'}) g.push_back(static_cast<std::uint8_t>(c));
    word(Width);
    word(Height);
    g.push_back(0xF1); // global colour table of 4 entries
    g.push_back(0);
    g.push_back(0);
    for (int i = 0; i < 4; ++i) {
        COLORREF c = GifColor(i);
        g.push_back(GetRValue(c));
        g.push_back(GetGValue(c));
        g.push_back(GetBValue(c));
    }
    for (const TGifFrame& frame : Frames) {
        g.insert(g.end(), {0x21, 0xF9, 0x04, 0x00});
        word(frame.DelayHundredths);
        g.insert(g.end(), {0x00, 0x00});
        g.push_back(0x2C);
        word(0);
        word(0);
        word(Width);
        word(Height);
        g.push_back(0);
        g.push_back(2); // minimum code size: clear 4, end 5, codes of 3 bits
        std::vector<int> codes;
        int pixels = Width * Height;
        for (int i = 0; i < pixels; ++i) {
            if (i % 2 == 0) codes.push_back(4);
            codes.push_back(frame.ColorIndex);
        }
        codes.push_back(5);
        std::vector<std::uint8_t> data;
        unsigned bits = 0, count = 0;
        for (int code : codes) {
            bits |= static_cast<unsigned>(code) << count;
            count += 3;
            while (count >= 8) {
                data.push_back(static_cast<std::uint8_t>(bits & 0xFF));
                bits >>= 8;
                count -= 8;
            }
        }
        if (count > 0) data.push_back(static_cast<std::uint8_t>(bits & 0xFF));
        for (size_t p = 0; p < data.size(); p += 255) {
            size_t n = std::min<size_t>(255, data.size() - p);
            g.push_back(static_cast<std::uint8_t>(n));
            g.insert(g.end(), data.begin() + static_cast<std::ptrdiff_t>(p), data.begin() + static_cast<std::ptrdiff_t>(p + n));
        }
        g.push_back(0);
    }
    g.push_back(0x3B);
    return g;
}

// A PNG of one colour, written by GDI+'s own encoder.
inline std::vector<std::uint8_t> MakePng(int Width, int Height, ARGB Color)
{
    static const CLSID pngEncoder = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
    TGPBitmap bitmap(Width, Height);
    for (int y = 0; y < Height; ++y)
        for (int x = 0; x < Width; ++x) bitmap.SetPixel(x, y, Color);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    bitmap.Save(stream, pngEncoder);
    std::vector<std::uint8_t> bytes = IStreamBytes(stream);
    stream->Release();
    return bytes;
}

inline std::vector<std::uint8_t> ReadFileBytes(const String& Name)
{
    TMemoryStream stream;
    stream.LoadFromFile(Name);
    return stream.Bytes();
}


} // namespace picturetest
