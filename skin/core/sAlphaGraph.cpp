#include "skin/core/sAlphaGraph.h"

#include <algorithm>
#include <cmath>

#include "framework/controls/Controls.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sGraphUtilsPixels.h"

using namespace skinpixels;

namespace {

bool Is32(TBitmap* Bmp)
{
    return Bmp != nullptr && !Bmp->Empty() && Bmp->BitsPerPixel() == 32;
}

// The exclusive rectangle R limited to a W x H image; negative extents become empty.
TRect ClipTo(TRect R, int W, int H)
{
    R.left = std::max<LONG>(R.left, 0);
    R.top = std::max<LONG>(R.top, 0);
    R.right = std::min<LONG>(R.right, W);
    R.bottom = std::min<LONG>(R.bottom, H);
    return R;
}

// The background pixel under a key pixel, as a pixel word; false where the background has none.
bool BackgroundPixel(const TCacheInfo& CI, const TRows& Bg, int X, int Y, std::uint32_t& Pixel)
{
    int bx = X + CI.X, by = Y + CI.Y;
    if (Bg.Valid()) {
        if (!Bg.Inside(bx, by)) return false;
        Pixel = Bg.At(bx, by);
        return true;
    }
    if (CI.Bmp == nullptr || CI.Bmp->Empty() || bx < 0 || by < 0 || bx >= CI.Bmp->Width() || by >= CI.Bmp->Height())
        return false;
    Pixel = SwapRedBlue(static_cast<std::uint32_t>(CI.Bmp->Canvas()->Pixels(bx, by)) & 0xFFFFFF);
    return true;
}

// The overlap of two exclusive rectangles over two bitmaps, as the keyed copies walk it.
struct TOverlap {
    int DstX = 0, DstY = 0, SrcX = 0, SrcY = 0, Cols = 0, Rows = 0;
    bool Empty() const { return Cols <= 0 || Rows <= 0; }
};

TOverlap OverlapOf(const TRect& DstRect, const TRect& SrcRect, const TRows& D, const TRows& S)
{
    TOverlap o;
    o.Rows = std::min({DstRect.bottom - DstRect.top, SrcRect.bottom - SrcRect.top, D.Height - DstRect.top,
                       S.Height - SrcRect.top});
    o.Cols = std::min({DstRect.right - DstRect.left, SrcRect.right - SrcRect.left, D.Width - DstRect.left,
                       S.Width - SrcRect.left});
    o.DstX = DstRect.left;
    o.DstY = DstRect.top;
    o.SrcX = SrcRect.left;
    o.SrcY = SrcRect.top;
    if (o.Empty()) return o;
    int m = std::min(o.DstX, o.SrcX);
    if (m < 0) {
        o.DstX -= m;
        o.SrcX -= m;
        o.Cols += m;
    }
    m = std::min(o.DstY, o.SrcY);
    if (m < 0) {
        o.DstY -= m;
        o.SrcY -= m;
        o.Rows += m;
    }
    if (o.Empty()) o.Rows = o.Cols = 0;
    return o;
}

std::uint32_t BlendRgb(std::uint32_t D, std::uint32_t S, std::uint32_t W)
{
    return (D & 0xFF000000u) | BlendByte(B(D, 16), B(S, 16), W) << 16 | BlendByte(B(D, 8), B(S, 8), W) << 8 |
           BlendByte(B(D, 0), B(S, 0), W);
}

// Every pixel of R becomes p * pixel + (1 - p) * Color per channel; alpha stays.
void BlendColorHalf(TBitmap* Bmp, TColor Color)
{
    TRows rows;
    if (!rows.Attach(Bmp)) return;
    std::uint32_t c = SwapRedBlue(static_cast<std::uint32_t>(ColorToRGB(Color)));
    for (int y = 0; y < rows.Height; ++y) {
        std::uint32_t* p = rows.Row32(y);
        for (int x = 0; x < rows.Width; ++x) {
            std::uint32_t v = p[x];
            auto mix = [&](int shift) {
                return static_cast<std::uint32_t>(std::nearbyint(0.5 * B(v, shift) + 0.5 * B(c, shift))) << shift;
            };
            p[x] = (v & 0xFF000000u) | mix(16) | mix(8) | mix(0);
        }
    }
}

} // namespace

// --- TacFast32 --------------------------------------------------------------------------------

bool TacFast32::Attach(TBitmap* Bmp)
{
    if (!Is32(Bmp) || Bmp->Width() < 2 || Bmp->Height() < 2) {
        FWidth = 0;
        FStart = nullptr;
        return false;
    }
    FBitmap = Bmp;
    FWidth = Bmp->Width();
    FHeight = Bmp->Height();
    FStart = static_cast<std::uint8_t*>(Bmp->ScanLine(0));
    FDelta = static_cast<std::uint8_t*>(Bmp->ScanLine(1)) - FStart;
    return true;
}

void TacFast32::FillBitmap(std::uint32_t Color)
{
    std::uint32_t c = Color;
    FillRect(TRect{0, 0, FWidth, FHeight}, c);
}

void TacFast32::FillRect(const TRect& R, std::uint32_t& Color)
{
    Color |= 0xFF000000u;
    if (FStart == nullptr || FWidth == 0) return;
    TRect r = ClipTo(R, FWidth, FHeight);
    for (int y = r.top; y < r.bottom; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(FStart + y * FDelta);
        for (int x = r.left; x < r.right; ++x) row[x] = Color;
    }
}

TColor TacFast32::ReadPixel(int X, int Y) const
{
    if (FStart == nullptr || FWidth == 0 || X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return 0xFF00FF;
    return static_cast<TColor>(SwapRedBlue(reinterpret_cast<const std::uint32_t*>(FStart + Y * FDelta)[X]));
}

void TacFast32::WritePixel(int X, int Y, TColor Color)
{
    if (FStart == nullptr || FWidth == 0 || X < 0 || Y < 0 || X >= FWidth || Y >= FHeight) return;
    reinterpret_cast<std::uint32_t*>(FStart + Y * FDelta)[X] = SwapRedBlue(static_cast<std::uint32_t>(Color));
}

// --- TacFastSum32 -----------------------------------------------------------------------------

bool TacFastSum32::Attach(TBitmap* Src, TBitmap* Dst)
{
    FStartSrc = FStartDst = nullptr;
    if (!Is32(Src) || !Is32(Dst) || Src->Width() < 2 || Src->Height() < 2 || Dst->Width() < 2 || Dst->Height() < 2)
        return false;
    FBmpSrc = Src;
    FBmpDst = Dst;
    FWidthDst = std::min(Src->Width(), Dst->Width());
    FHeightDst = std::min(Src->Height(), Dst->Height());
    FStartSrc = static_cast<std::uint8_t*>(Src->ScanLine(0));
    FDeltaSrc = static_cast<std::uint8_t*>(Src->ScanLine(1)) - FStartSrc;
    FStartDst = static_cast<std::uint8_t*>(Dst->ScanLine(0));
    FDeltaDst = static_cast<std::uint8_t*>(Dst->ScanLine(1)) - FStartDst;
    return true;
}

void TacFastSum32::BlendBitmapsRect()
{
    if (FStartSrc == nullptr || FStartDst == nullptr) return;
    // Source row = destination row - dy, source column = destination column - dx.
    const int dy = DstY2 - SrcY2, dx = DstX1 - SrcX1;
    const int sw = FBmpSrc->Width(), sh = FBmpSrc->Height();
    const int x1 = std::max({DstX1, 0, dx}), x2 = std::min({DstX2, FBmpDst->Width(), sw + dx});
    const int y1 = std::max({DstY1, 0, dy}), y2 = std::min({DstY2, FBmpDst->Height(), sh + dy});
    const unsigned a = Alpha, na = 255 - Alpha;
    for (int y = y2 - 1; y >= y1; --y) {
        std::uint8_t* d = FStartDst + y * FDeltaDst;
        const std::uint8_t* s = FStartSrc + (y - dy) * FDeltaSrc - 4 * dx;
        for (int b = 4 * x2 - 1; b >= 4 * x1; --b) d[b] = static_cast<std::uint8_t>((d[b] * a + s[b] * na + 127) >> 8);
    }
}

void TacFastSum32::BlendBitmaps()
{
    if (FStartSrc == nullptr || FStartDst == nullptr) return;
    const unsigned a = Alpha, na = 255 - Alpha;
    for (int y = 0; y < FHeightDst; ++y) {
        std::uint8_t* d = FStartDst + y * FDeltaDst;
        const std::uint8_t* s = FStartSrc + y * FDeltaSrc;
        for (int b = 0; b < 4 * FWidthDst; ++b) d[b] = static_cast<std::uint8_t>((d[b] * a + s[b] * na + 127) >> 8);
    }
}

// --- Fills ------------------------------------------------------------------------------------

void FillBitmapRect(TBitmap* Bmp, const TRect& R, TColor Color)
{
    std::uint32_t c = SwapRedBlue(static_cast<std::uint32_t>(Color));
    TacFast32 fast;
    if (fast.Attach(Bmp)) {
        fast.FillRect(R, c);
        return;
    }
    // The fast class refuses a single row; such strips (a 1-pixel line of a border) still fill.
    TRows rows;
    if (!rows.Attach(Bmp)) return;
    TRect r = ClipTo(R, rows.Width, rows.Height);
    c |= 0xFF000000u;
    if (rows.Height == 1 && r.top == 0 && r.bottom > 0) {
        std::uint32_t* row = rows.Row32(0);
        for (int x = r.left; x < r.right; ++x) row[x] = c;
        return;
    }
    for (int y = r.top; y < r.bottom; ++y)
        for (int x = r.left; x < r.right; ++x) rows.At(x, y) = c;
}

void SetRectOpacity(TBitmap* Bmp, const TRect& R, std::uint8_t Alpha, bool OnlyNonKey)
{
    TRows rows;
    if (!rows.Attach(Bmp)) return;
    TRect r = ClipTo(R, rows.Width, rows.Height);
    for (int y = r.top; y < r.bottom; ++y) {
        std::uint32_t* p = rows.Row32(y);
        for (int x = r.left; x < r.right; ++x)
            if (!OnlyNonKey || p[x] != KeyPixel) p[x] = (p[x] & 0x00FFFFFFu) | std::uint32_t(Alpha) << 24;
    }
}

// --- Blends -----------------------------------------------------------------------------------

void BlendBitmapsWhole(TBitmap* Dst, TBitmap* Src, std::uint8_t Alpha)
{
    if (Dst == nullptr || Src == nullptr || Dst->Width() != Src->Width() || Dst->Height() != Src->Height()) return;
    TacFastSum32 sum;
    if (!sum.Attach(Src, Dst)) return;
    sum.Alpha = Alpha;
    sum.DstX1 = sum.SrcX1 = 0;
    sum.DstY1 = sum.SrcY1 = 0;
    sum.DstX2 = sum.SrcX2 = Dst->Width();
    sum.DstY2 = sum.SrcY2 = Dst->Height();
    sum.BlendBitmapsRect();
}

void BlendBitmapArea(TBitmap* Dst, TBitmap* Src, std::uint8_t Alpha, TRect R, TPoint P)
{
    if (Dst == nullptr || Src == nullptr) return;
    auto clipDestination = [&] {
        if (P.x < 0) {
            R.left -= P.x;
            P.x = 0;
        }
        if (P.y < 0) {
            R.top -= P.y;
            P.y = 0;
        }
    };
    clipDestination();
    if (R.left < 0) {
        P.x -= R.left;
        R.left = 0;
    }
    if (R.top < 0) {
        P.y -= R.top;
        R.top = 0;
    }
    clipDestination();
    if (R.right <= R.left || R.bottom <= R.top) return;
    if (P.x >= Dst->Width() || P.y >= Dst->Height() || R.left >= Src->Width() || R.top >= Src->Height()) return;
    R.right = std::min<LONG>(R.right, Src->Width());
    R.bottom = std::min<LONG>(R.bottom, Src->Height());
    if (P.x + (R.right - R.left) > Dst->Width()) R.right = Dst->Width() - P.x + R.left;
    if (P.y + (R.bottom - R.top) > Dst->Height()) R.bottom = Dst->Height() - P.y + R.top;
    TacFastSum32 sum;
    if (!sum.Attach(Src, Dst)) return;
    int w = R.right - R.left, h = R.bottom - R.top;
    sum.Alpha = Alpha;
    sum.DstX1 = P.x;
    sum.DstY1 = P.y;
    sum.DstX2 = P.x + w;
    sum.DstY2 = P.y + h;
    sum.SrcX1 = R.left;
    sum.SrcY1 = R.top;
    sum.SrcX2 = R.left + w;
    sum.SrcY2 = R.top + h;
    sum.BlendBitmapsRect();
}

void BlendColorByMask(TBitmap* Bmp, TBitmap* Mask, TColor Color)
{
    TRows b, m;
    if (!b.Attach(Bmp) || !m.Attach(Mask) || b.Width != m.Width || b.Height != m.Height) return;
    std::uint32_t c = SwapRedBlue(static_cast<std::uint32_t>(ColorToRGB(Color)));
    for (int y = 0; y < b.Height; ++y) {
        std::uint32_t* p = b.Row32(y);
        const std::uint32_t* q = m.Row32(y);
        for (int x = 0; x < b.Width; ++x) {
            std::uint32_t d = p[x], w = q[x];
            p[x] = (d & 0xFF000000u) | BlendByte(B(c, 16), B(d, 16), B(w, 16)) << 16 |
                   BlendByte(B(c, 8), B(d, 8), B(w, 8)) << 8 | BlendByte(B(c, 0), B(d, 0), B(w, 0));
        }
    }
}

void MixBitmaps(TBitmap* Out, TBitmap* A, TBitmap* Bm, std::uint8_t Weight, TBitmap* WeightBmp)
{
    TRows o, a, b, w;
    if (!o.Attach(Out) || !a.Attach(A) || !b.Attach(Bm)) return;
    if (a.Width != b.Width || a.Height != b.Height || o.Width != a.Width || o.Height != a.Height) return;
    if (WeightBmp != nullptr && (!w.Attach(WeightBmp) || w.Width != a.Width || w.Height != a.Height)) return;
    const std::uint32_t fixed = std::uint32_t(Weight) * 0x010101u;
    for (int y = 0; y < o.Height; ++y) {
        std::uint32_t* po = o.Row32(y);
        const std::uint32_t *pa = a.Row32(y), *pb = b.Row32(y);
        const std::uint32_t* pw = w.Valid() ? w.Row32(y) : nullptr;
        for (int x = 0; x < o.Width; ++x) {
            std::uint32_t k = pw != nullptr ? pw[x] : fixed, va = pa[x], vb = pb[x];
            po[x] = (po[x] & 0xFF000000u) | BlendByte(B(vb, 16), B(va, 16), B(k, 16)) << 16 |
                    BlendByte(B(vb, 8), B(va, 8), B(k, 8)) << 8 | BlendByte(B(vb, 0), B(va, 0), B(k, 0));
        }
    }
}

void CopyBitmapChannel(TBitmap* Bmp32, TBitmap* Bmp8, int Channel, bool Extract)
{
    TRows a, b;
    if (Channel < 0 || Channel > 3 || !a.Attach(Bmp32) || !b.Attach(Bmp8, 1)) return;
    if (a.Width != b.Width || a.Height != b.Height) return;
    for (int y = 0; y < a.Height; ++y) {
        std::uint8_t *p = a.Row(y) + Channel, *q = b.Row(y);
        for (int x = 0; x < a.Width; ++x, p += 4, ++q) {
            if (Extract) *q = *p;
            else *p = *q;
        }
    }
}

// --- Keyed copies -----------------------------------------------------------------------------

void CopyKeyedBitmap(const TRect& DstRect, const TRect& SrcRect, TBitmap* Dst, TBitmap* Src, const TCacheInfo& CI,
                     bool FromBackground)
{
    TRows d, s, bg;
    if (!s.Attach(Src) || !d.Attach(Dst)) return;
    TOverlap o = OverlapOf(DstRect, SrcRect, d, s);
    if (o.Empty()) return;
    if (CI.Ready && FromBackground) bg.Attach(CI.Bmp);
    for (int row = 0; row < o.Rows; ++row) {
        const int dy = o.DstY + row;
        const std::uint32_t* ps = s.Row32(o.SrcY + row) + o.SrcX;
        std::uint32_t* pd = d.Row32(dy) + o.DstX;
        for (int col = 0; col < o.Cols; ++col) {
            std::uint32_t sv = ps[col];
            if (CI.Ready && sv == KeyPixel) {
                if (!FromBackground) continue;
                std::uint32_t b;
                if (!BackgroundPixel(CI, bg, o.DstX + col, dy, b)) break;
                pd[col] = b | 0xFF000000u;
                continue;
            }
            std::uint32_t a = sv >> 24, dv = pd[col];
            std::uint32_t out = BlendRgb(dv, sv, a);
            if (a != 0) {
                std::uint32_t da = dv >> 24;
                out = (out & 0x00FFFFFFu) | (da + a * (255 - da) / 255) << 24;
            }
            pd[col] = out;
        }
    }
}

void CopyKeyedBitmapBlend(const TRect& DstRect, const TRect& SrcRect, TBitmap* Dst, TBitmap* Src, const TCacheInfo& CI,
                          bool FromBackground, TColor TintColor, int Transparency, bool Reflection)
{
    if (Src == nullptr || Src->Empty() || Dst == nullptr) return;
    Src->SetPixelFormat(pf32bit);
    TRows d, s, bg;
    if (!s.Attach(Src) || !d.Attach(Dst)) return;
    TOverlap o = OverlapOf(DstRect, SrcRect, d, s);
    if (o.Empty()) return;
    const int t = std::clamp(Transparency, 0, 100);
    const bool tinted = TintColor != clNone;
    const std::uint32_t tint = tinted ? static_cast<std::uint32_t>(ColorToRGB(TintColor)) : 0;
    if (CI.Ready && FromBackground) bg.Attach(CI.Bmp);

    // The source colour as drawn: itself, or its grey value carried by the tint.
    auto shade = [&](std::uint32_t sv) {
        if (!tinted) return sv;
        std::uint32_t g = (B(sv, 16) + B(sv, 8) + B(sv, 0)) / 3;
        auto ch = [&](int tintShift) {
            return std::min<std::uint32_t>(255, static_cast<std::uint32_t>(std::nearbyint(g * B(tint, tintShift) / 255.0)));
        };
        return (sv & 0xFF000000u) | ch(0) << 16 | ch(8) << 8 | ch(16);
    };

    for (int row = 0; row < o.Rows; ++row) {
        const int dy = o.DstY + row;
        const std::uint32_t* ps = s.Row32(o.SrcY + row) + o.SrcX;
        std::uint32_t* pd = d.Row32(dy) + o.DstX;
        for (int col = 0; col < o.Cols; ++col) {
            std::uint32_t sv = ps[col];
            if (CI.Ready && sv == KeyPixel) {
                if (!FromBackground) continue;
                std::uint32_t b;
                if (!BackgroundPixel(CI, bg, o.DstX + col, dy, b)) break;
                pd[col] = (pd[col] & 0xFF000000u) | (b & 0x00FFFFFFu);
                continue;
            }
            std::uint32_t a = sv >> 24, w = t == 0 ? a : (100 - t) * a / 100, dv = pd[col];
            std::uint32_t out = BlendRgb(dv, shade(sv), w);
            if (t == 0 && !tinted && CI.Ready) out = (out & 0x00FFFFFFu) | std::max(dv >> 24, a) << 24;
            pd[col] = out;
        }
    }

    if (!Reflection) return;
    const int h = s.Height / 2;
    if (h < 1) return;
    const int count = std::min(h - 1, d.Height - static_cast<int>(DstRect.bottom) - 1);
    std::uint8_t fade = 255;
    for (int i = 1; i <= count; ++i, fade = static_cast<std::uint8_t>(fade - 255 / h)) {
        const int dy = DstRect.bottom + i, sy = SrcRect.bottom - i - 1;
        if (dy < 0 || dy >= d.Height || sy < 0 || sy >= s.Height) continue;
        const std::uint32_t* ps = s.Row32(sy) + o.SrcX;
        std::uint32_t* pd = d.Row32(dy) + o.DstX;
        for (int col = 0; col < o.Cols; ++col) {
            std::uint32_t sv = ps[col];
            if (sv == KeyPixel) continue;
            std::uint32_t a = sv >> 24;
            std::uint32_t w = (t == 0 ? a / 3 : (100 - t) * a / 300) * fade / 255;
            pd[col] = BlendRgb(pd[col], shade(sv), w);
        }
    }
}

// --- The disabled look ------------------------------------------------------------------------

void PaintDisabledLook(TBitmap* Bmp, int Options, TControl* Control, TPoint Offset, const TCacheInfo& CI)
{
    if (!Is32(Bmp)) return;
    if (Options & 2) MakeBitmapGray(Bmp);
    if (!(Options & 1)) return;
    if (CI.Ready && CI.Bmp != nullptr) {
        int x = CI.X + Offset.x, y = CI.Y + Offset.y;
        BlendBitmapKeyed(Bmp, 0, 0, CI.Bmp, TRect{x, y, x + Bmp->Width() - 1, y + Bmp->Height() - 1}, 0.4, KeyPixel);
        return;
    }
    TColor color = CI.FillColor;
    if (color == 0xFF00FF) {
        if (Control == nullptr) return;
        color = ColorToRGB(Control->Color());
    }
    BlendColorHalf(Bmp, color);
}
