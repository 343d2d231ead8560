#pragma once
// Helpers shared by the graphics tests: 32-bit test bitmaps and their pixels as TColor values.
#include <cstdint>

#include "framework/graphics/Bitmap.h"

namespace gtest_graphics {

// The RGB of a pf32bit pixel (alpha dropped), read through ScanLine.
inline TColor Pixel32(TBitmap& Bitmap, int X, int Y)
{
    auto* row = static_cast<const std::uint8_t*>(Bitmap.ScanLine(Y)) + 4 * X;
    return RGB(row[2], row[1], row[0]);
}

// A pf32bit bitmap of the given size, filled with Color.
inline void MakeCanvasBitmap(TBitmap& Bitmap, int Width, int Height, TColor Color = clWhite)
{
    Bitmap.SetPixelFormat(pf32bit);
    Bitmap.SetSize(Width, Height);
    Bitmap.Canvas()->Brush()->SetColor(Color);
    Bitmap.Canvas()->FillRect(Rect(0, 0, Width, Height));
}

// Number of pixels in R (clipped to the bitmap) whose colour differs from Background.
inline int CountDifferent(TBitmap& Bitmap, const TRect& R, TColor Background)
{
    int n = 0;
    for (int y = std::max<int>(R.top, 0); y < std::min<int>(R.bottom, Bitmap.Height()); ++y)
        for (int x = std::max<int>(R.left, 0); x < std::min<int>(R.right, Bitmap.Width()); ++x)
            if (Pixel32(Bitmap, x, y) != Background) ++n;
    return n;
}

} // namespace gtest_graphics
