#pragma once
// A 32-bit top-down bitmap in a memory DC that painting tests draw into (PaintTo, WM_PRINTCLIENT,
// a canvas on DC()) and read back pixel by pixel.
#include <windows.h>

#include <algorithm>
#include <cstdint>

namespace kvltest {

class TPixelBuffer {
public:
    // White at the start unless Clear is false (then all pixels are 0, black).
    TPixelBuffer(int Width, int Height, bool Clear = true) : FWidth(Width), FHeight(Height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = -Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        FDC = CreateCompatibleDC(nullptr);
        FBitmap = CreateDIBSection(FDC, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
        FOld = SelectObject(FDC, FBitmap);
        if (Clear) {
            RECT r{0, 0, Width, Height};
            FillRect(FDC, &r, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        }
    }
    ~TPixelBuffer()
    {
        SelectObject(FDC, FOld);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
    }
    TPixelBuffer(const TPixelBuffer&) = delete;
    TPixelBuffer& operator=(const TPixelBuffer&) = delete;

    HDC DC() const { return FDC; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // The pixel as a COLORREF (0x00BBGGRR), comparable with TColor values of plain colours.
    COLORREF At(int X, int Y) const
    {
        GdiFlush();
        uint32_t v = FBits[static_cast<size_t>(Y) * static_cast<size_t>(FWidth) + static_cast<size_t>(X)];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // Bounding box of the pixels in R that match (an empty rectangle when none).
    template <class Pred> RECT Find(RECT R, Pred Match) const
    {
        RECT box{R.right, R.bottom, R.left, R.top};
        for (int y = R.top; y < R.bottom; ++y)
            for (int x = R.left; x < R.right; ++x)
                if (Match(At(x, y))) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }

private:
    int FWidth, FHeight;
    HDC FDC = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOld = nullptr;
    uint32_t* FBits = nullptr;
};

} // namespace kvltest
