// What the rest of the skin engine does with a decoded PNG: draw it with its alpha, make icons
// of it for the alpha image list, and clean fully transparent white out of 32-bit skin images.
#include <cstring>
#include <memory>
#include <vector>

#include "skin/core/acPNG.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sGraphUtils.h"

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
    const int w = Rect.right - Rect.left, h = Rect.bottom - Rect.top;
    if (w <= 0 || h <= 0 || Empty()) return;
    // What the canvas shows under the image (and under its reflection) is the background the
    // image is blended over.
    const int fullHeight = Reflected ? h + h / 2 : h;
    std::unique_ptr<TBitmap> work = MakeBitmap32(w, fullHeight);
    BitBlt(work->Canvas()->Handle(), 0, 0, w, fullHeight, ACanvas->Handle(), Rect.left, Rect.top, SRCCOPY);
    const TRect area = ::Rect(0, 0, w, h);
    if (w == Width() && h == Height()) {
        CopyKeyedBitmapBlend(area, area, work.get(), this, EmptyCI, false, clNone, 0, Reflected);
    } else {
        // Colours stretch by dropping pixels; the alpha channel is stretched on its own, smoothly,
        // so that edges fade instead of stepping.
        std::unique_ptr<TBitmap> stretched = MakeBitmap32(w, h);
        SetStretchBltMode(stretched->Canvas()->Handle(), COLORONCOLOR);
        StretchBlt(stretched->Canvas()->Handle(), 0, 0, w, h, Canvas()->Handle(), 0, 0, Width(), Height(), SRCCOPY);
        std::vector<RGBQUAD> greys(256);
        for (int i = 0; i < 256; ++i) greys[i] = RGBQUAD{BYTE(i), BYTE(i), BYTE(i), 0};
        auto greyBitmap = [&](int W, int H) {
            auto b = std::make_unique<TBitmap>();
            b->SetPixelFormat(pf8bit);
            b->SetColorTable(greys);
            b->SetSize(W, H);
            return b;
        };
        std::unique_ptr<TBitmap> alpha = greyBitmap(Width(), Height()), stretchedAlpha = greyBitmap(w, h);
        CopyBitmapChannel(this, alpha.get(), 3, true);
        SetStretchBltMode(stretchedAlpha->Canvas()->Handle(), HALFTONE);
        SetBrushOrgEx(stretchedAlpha->Canvas()->Handle(), 0, 0, nullptr);
        StretchBlt(stretchedAlpha->Canvas()->Handle(), 0, 0, w, h, alpha->Canvas()->Handle(), 0, 0, Width(), Height(),
                   SRCCOPY);
        CopyBitmapChannel(stretched.get(), stretchedAlpha.get(), 3, false);
        CopyKeyedBitmapBlend(area, area, work.get(), stretched.get(), EmptyCI, false, clNone, 0, false);
    }
    BitBlt(ACanvas->Handle(), Rect.left, Rect.top, w, fullHeight, work->Canvas()->Handle(), 0, 0, SRCCOPY);
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
