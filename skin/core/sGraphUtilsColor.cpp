// sGraphUtils: hue, saturation and grey transforms of colours and whole bitmaps. The key pixel
// is never transformed, so a recoloured skin keeps its transparent areas.
#include <algorithm>
#include <cmath>

#include "skin/core/sGraphUtils.h"
#include "skin/core/sGraphUtilsPixels.h"

using namespace skinpixels;

namespace {

bool IsGrey(std::uint32_t P)
{
    return B(P, 0) == B(P, 8) && B(P, 8) == B(P, 16);
}

template <class TTransform>
void TransformColoured(TBitmap* Bmp, TTransform Transform)
{
    TRows rows;
    if (!rows.Attach(Bmp)) return;
    for (int y = 0; y < rows.Height; ++y) {
        std::uint32_t* p = rows.Row32(y);
        for (int x = 0; x < rows.Width; ++x)
            if (p[x] != KeyPixel && !IsGrey(p[x])) p[x] = Transform(p[x]);
    }
}

std::uint32_t Channel(double V)
{
    return ClampByte(std::lrint(V));
}

} // namespace

std::uint32_t ChangeSaturation(int Amount, std::uint32_t Value)
{
    if (Amount == 0) return Value;
    double g = (B(Value, 0) + B(Value, 8) + B(Value, 16)) / 3.0;
    auto ch = [&](int shift) {
        double c = B(Value, shift);
        return Channel(c - (g - c) * Amount / 100.0) << shift;
    };
    return (Value & 0xFF000000u) | ch(16) | ch(8) | ch(0);
}

TColor ShiftColorSaturation(TColor Value, int Amount)
{
    return Amount != 0 ? static_cast<TColor>(ChangeSaturation(Amount, static_cast<std::uint32_t>(Value))) : Value;
}

std::uint32_t ChangeHue(int Amount, std::uint32_t Pixel)
{
    const int r = B(Pixel, 16), g = B(Pixel, 8), b = B(Pixel, 0);
    const int v = std::max({r, g, b}), delta = v - std::min({r, g, b});
    const double s = v == 0 ? 0.0 : double(delta) / v;
    if (s == 0) return (Pixel & 0xFF00FFFFu) | std::uint32_t(v) << 16;
    double hue = r == v ? 60.0 * (g - b) / delta : g == v ? 120.0 + 60.0 * (b - r) / delta : 240.0 + 60.0 * (r - g) / delta;
    if (hue < 0) hue += 360;
    long h = std::lrint(hue + Amount) % 360;
    if (h < 0) h += 360;
    const int k = static_cast<int>(h / 60);
    const double f = h / 60.0 - k;
    const std::uint32_t V = static_cast<std::uint32_t>(v), p = Channel(v * (1 - s)), q = Channel(v * (1 - f * s)),
                        t = Channel(v * (1 - (1 - f) * s));
    std::uint32_t nr, ng, nb;
    switch (k) {
    case 0: nr = V, ng = t, nb = p; break;
    case 1: nr = q, ng = V, nb = p; break;
    case 2: nr = p, ng = V, nb = t; break;
    case 3: nr = p, ng = q, nb = V; break;
    case 4: nr = t, ng = p, nb = V; break;
    default: nr = V, ng = p, nb = q; break;
    }
    return (Pixel & 0xFF000000u) | nr << 16 | ng << 8 | nb;
}

TColor ShiftColorHue(int Amount, TColor Color)
{
    if (Amount == 0) return Color;
    return static_cast<TColor>(SwapRedBlue(ChangeHue(Amount, SwapRedBlue(static_cast<std::uint32_t>(Color)))));
}

void ShiftBitmapHue(TBitmap* Bmp, int Amount)
{
    if (Amount == 0) return;
    TransformColoured(Bmp, [Amount](std::uint32_t p) { return ChangeHue(Amount, p); });
}

void ShiftBitmapSaturation(TBitmap* Bmp, int Amount)
{
    if (Amount == 0) return;
    TransformColoured(Bmp, [Amount](std::uint32_t p) { return ChangeSaturation(Amount, p); });
}

void MakeBitmapGrayExcept(TBitmap* Bmp, std::uint32_t Keep)
{
    TRows rows;
    if (!rows.Attach(Bmp)) return;
    for (int y = 0; y < rows.Height; ++y) {
        std::uint32_t* p = rows.Row32(y);
        for (int x = 0; x < rows.Width; ++x) {
            std::uint32_t v = p[x];
            if (v == KeyPixel || v == Keep) continue;
            std::uint32_t g = (B(v, 0) + B(v, 8) + B(v, 16)) / 3;
            p[x] = (v & 0xFF000000u) | g * 0x010101u;
        }
    }
}

void MakeBitmapGray(TBitmap* Bmp)
{
    MakeBitmapGrayExcept(Bmp, KeyPixel);
}
