#pragma once
// 32-bit bitmaps for the skin's pixel tests, set up and read back as whole pixel words
// (0xAARRGGBB), so that a swapped channel or a lost alpha byte shows.
#include <cstdint>
#include <functional>
#include <memory>

#include "skin/core/sGraphUtils.h"

namespace skintest {

inline std::unique_ptr<TBitmap> Bmp32(int W, int H, std::uint32_t Fill)
{
    auto b = MakeBitmap32(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) static_cast<std::uint32_t*>(b->ScanLine(y))[x] = Fill;
    return b;
}

// Each pixel from its position.
inline std::unique_ptr<TBitmap> Bmp32(int W, int H, const std::function<std::uint32_t(int, int)>& Pixel)
{
    auto b = MakeBitmap32(W, H);
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) static_cast<std::uint32_t*>(b->ScanLine(y))[x] = Pixel(x, y);
    return b;
}

inline std::uint32_t Px(TBitmap& B, int X, int Y)
{
    return static_cast<std::uint32_t*>(B.ScanLine(Y))[X];
}

inline void SetPx(TBitmap& B, int X, int Y, std::uint32_t V)
{
    static_cast<std::uint32_t*>(B.ScanLine(Y))[X] = V;
}

// Every pixel equal to V.
inline bool All(TBitmap& B, std::uint32_t V)
{
    for (int y = 0; y < B.Height(); ++y)
        for (int x = 0; x < B.Width(); ++x)
            if (Px(B, x, y) != V) return false;
    return true;
}

} // namespace skintest
