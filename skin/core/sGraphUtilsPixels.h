#pragma once
// Private to the skin's pixel routines: direct row access to a 32-bit (or 24-bit) bitmap that
// checks coordinates, so that no routine ever reads or writes outside the image, whatever
// rectangles its caller passes.
#include <cstddef>
#include <cstdint>

#include "framework/graphics/Bitmap.h"

namespace skinpixels {

constexpr std::uint32_t KeyPixel = 0x00FF00FFu;

struct TRows {
    std::uint8_t* Start = nullptr;
    std::ptrdiff_t Delta = 0;
    int Width = 0;
    int Height = 0;
    int Bytes = 4;

    // Attaches to a non-empty bitmap of BytesPerPixel bytes a pixel; false (and unusable) otherwise.
    // Works for bitmaps one pixel high, which the fast classes refuse.
    bool Attach(TBitmap* Bmp, int BytesPerPixel = 4)
    {
        Start = nullptr;
        if (Bmp == nullptr || Bmp->Empty() || Bmp->BitsPerPixel() != 8 * BytesPerPixel) return false;
        Bytes = BytesPerPixel;
        Width = Bmp->Width();
        Height = Bmp->Height();
        Start = static_cast<std::uint8_t*>(Bmp->ScanLine(0));
        Delta = Height > 1 ? static_cast<std::uint8_t*>(Bmp->ScanLine(1)) - Start : 0;
        return true;
    }
    bool Valid() const { return Start != nullptr; }
    bool Inside(int X, int Y) const { return Start != nullptr && X >= 0 && Y >= 0 && X < Width && Y < Height; }
    std::uint8_t* Row(int Y) const { return Start + static_cast<std::ptrdiff_t>(Y) * Delta; }
    std::uint32_t* Row32(int Y) const { return reinterpret_cast<std::uint32_t*>(Row(Y)); }
    std::uint32_t& At(int X, int Y) const { return Row32(Y)[X]; }
};

inline std::uint8_t B(std::uint32_t P, int Shift) { return static_cast<std::uint8_t>(P >> Shift); }

// The blend rule of the skin: d + floor((s - d) * w / 256).
inline std::uint32_t BlendByte(std::uint32_t D, std::uint32_t S, std::uint32_t W)
{
    return ((S - D) * W + 256 * D) >> 8 & 0xFF;
}

inline std::uint8_t ClampByte(long V) { return static_cast<std::uint8_t>(V < 0 ? 0 : V > 255 ? 255 : V); }

} // namespace skinpixels
