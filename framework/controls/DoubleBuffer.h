#pragma once
// Painting off screen: a memory DC with a bitmap of the size asked for, compatible with the
// screen (or with a reference DC), that a control paints into and then copies out in one go.
// Shared by the double-buffered WM_PAINT, PaintTo callers and every control that composes its
// image before showing it.
#include <windows.h>

class TMemoryDC {
public:
    // A Width x Height bitmap compatible with Reference (the screen when null).
    TMemoryDC(int Width, int Height, HDC Reference = nullptr);
    ~TMemoryDC();
    TMemoryDC(const TMemoryDC&) = delete;
    TMemoryDC& operator=(const TMemoryDC&) = delete;

    HDC DC() const { return FDC; }
    HBITMAP Bitmap() const { return FBitmap; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Copies the whole image to Dest at (X, Y).
    void CopyTo(HDC Dest, int X = 0, int Y = 0) const;

private:
    HDC FDC = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOldBitmap = nullptr;
    int FWidth = 0;
    int FHeight = 0;
};
