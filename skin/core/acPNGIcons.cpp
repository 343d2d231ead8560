// What the rest of the skin engine does with a decoded PNG: draw it with its alpha, make icons
// of it for the alpha image list, and clean fully transparent white out of 32-bit skin images.
#include <cstring>

#include "skin/core/acPNG.h"

namespace {

std::uint32_t* Row32(TBitmap* Bitmap, int Y) { return static_cast<std::uint32_t*>(Bitmap->ScanLine(Y)); }

void SetMaskBit(TBitmap* Mask, int X, int Y, bool Set)
{
    auto* row = static_cast<std::uint8_t*>(Mask->ScanLine(Y));
    std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (X & 7));
    if (Set) row[X >> 3] |= bit;
    else row[X >> 3] &= static_cast<std::uint8_t>(~bit);
}

// A 1-bit mask of the image's size, all black (every pixel shown).
void MakeMask(TBitmap& Mask, int Width, int Height)
{
    Mask.SetPixelFormat(pf1bit);
    Mask.SetSize(Width, Height);
    for (int y = 0; y < Height; ++y) std::memset(Mask.ScanLine(y), 0, static_cast<size_t>(Mask.RowStride()));
}

HICON IconOf(TBitmap& Mask, TBitmap* Colour)
{
    ICONINFO info{TRUE, 0, 0, Mask.Handle(), Colour->Handle()};
    return CreateIconIndirect(&info);
}

} // namespace

void TPNGGraphic::Draw(TCanvas* ACanvas, const TRect& Rect)
{
    if (PixelFormat() != pf32bit) {
        TBitmap::Draw(ACanvas, Rect);
        return;
    }
    int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
    if (w <= 0 || h <= 0 || Empty()) return;
    int fullHeight = Reflected ? h + h / 2 : h;
    TBitmap work;
    work.SetPixelFormat(pf32bit);
    work.SetSize(w, fullHeight);
    BitBlt(work.Canvas()->Handle(), 0, 0, w, fullHeight, ACanvas->Handle(), Rect.left, Rect.top, SRCCOPY);
    // The image goes over what the canvas showed, by its own alpha (left for the 32-bit bitmap
    // unit: the keyed blend with the fading reflection below the image when Reflected).
    TBitmap::DrawTransparent(work.Canvas(), Bounds(0, 0, w, h), 255);
    BitBlt(ACanvas->Handle(), Rect.left, Rect.top, w, fullHeight, work.Canvas()->Handle(), 0, 0, SRCCOPY);
}

HICON CreatePNGIcon(TPNGGraphic* PNG, bool KeyMask)
{
    int w = PNG->Width(), h = PNG->Height();
    TBitmap mask;
    MakeMask(mask, w, h);
    if (PNG->PixelFormat() != pf32bit || KeyMask) {
        PNG->SetPixelFormat(pf32bit);
        if (w > 0 && h > 0) {
            std::uint32_t key = Row32(PNG, 0)[0];
            for (int y = 0; y < h; ++y) {
                const std::uint32_t* row = Row32(PNG, y);
                for (int x = 0; x < w; ++x)
                    if (row[x] == key) SetMaskBit(&mask, x, y, true);
            }
        }
    }
    return IconOf(mask, PNG);
}

HICON CreatePNGIconOnColor(TPNGGraphic* PNG, TColor Color)
{
    int w = PNG->Width(), h = PNG->Height();
    TBitmap mask;
    MakeMask(mask, w, h);
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(w, h);
    bitmap.Canvas()->Brush()->SetColor(Color);
    bitmap.Canvas()->FillRect(Rect(0, 0, w, h));
    PNG->Draw(bitmap.Canvas(), Rect(0, 0, w, h));
    if (w >= 2 && h >= 2) {
        if (PNG->PixelFormat() != pf32bit) {
            PNG->SetPixelFormat(pf32bit);
            for (int y = 0; y < h; ++y) {
                std::uint32_t* row = Row32(PNG, y);
                for (int x = 0; x < w; ++x)
                    row[x] = (row[x] & 0xFFFFFF) == 0xFF00FF ? row[x] & 0xFFFFFF : row[x] | 0xFF000000u;
            }
        }
        for (int y = 0; y < h; ++y) {
            const std::uint32_t* src = Row32(PNG, y);
            std::uint32_t* dst = Row32(&bitmap, y);
            for (int x = 0; x < w; ++x) {
                dst[x] = src[x];
                SetMaskBit(&mask, x, y, (src[x] >> 24) == 0);
            }
        }
    }
    return IconOf(mask, &bitmap);
}

void ClearTransparentWhite(TBitmap* Bitmap)
{
    if (Bitmap->PixelFormat() != pf32bit || Bitmap->Width() < 2 || Bitmap->Height() < 2) return;
    for (int y = 0; y < Bitmap->Height(); ++y) {
        std::uint32_t* row = Row32(Bitmap, y);
        for (int x = 0; x < Bitmap->Width(); ++x)
            if (row[x] == 0x00FFFFFFu) row[x] = 0;
    }
}
