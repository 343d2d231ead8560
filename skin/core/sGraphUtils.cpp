// sGraphUtils: bitmap creation, colour mixing, the keyed copies and weighted blends, and the
// unit's start-up lookup of the layered-window entry points.
#include "skin/core/sGraphUtils.h"

#include <algorithm>
#include <cmath>

#include "skin/core/sGraphUtilsPixels.h"

using namespace skinpixels;

namespace {

// The inclusive source rectangle limited to the source; negative Left and Top come back as
// how far they were raised.
struct TInclusiveArea {
    int Left, Top, Right, Bottom, RaisedX, RaisedY;
};

TInclusiveArea LimitInclusive(const TRect& R, int W, int H)
{
    TInclusiveArea a{R.left, R.top, std::min<int>(R.right, W - 1), std::min<int>(R.bottom, H - 1), 0, 0};
    if (a.Left < 0) {
        a.RaisedX = -a.Left;
        a.Left = 0;
    }
    if (a.Top < 0) {
        a.RaisedY = -a.Top;
        a.Top = 0;
    }
    return a;
}

// Visits the inclusive source area copied to (X, Y) of the destination: rows outside the
// destination are skipped, a column past its right edge ends the row, one left of it is skipped.
// Visit returns false to end the row.
template <class TVisit>
void WalkArea(const TRows& D, const TRows& S, const TInclusiveArea& A, int X, int Y, TVisit Visit)
{
    for (int sy = A.Top; sy <= A.Bottom; ++sy) {
        int dy = Y + sy - A.Top;
        if (dy < 0 || dy >= D.Height) continue;
        const std::uint32_t* ps = S.Row32(sy);
        std::uint32_t* pd = D.Row32(dy);
        for (int sx = A.Left; sx <= A.Right; ++sx) {
            int dx = X + sx - A.Left;
            if (dx >= D.Width) break;
            if (dx < 0) continue;
            if (!Visit(pd[dx], ps[sx], dx, dy)) break;
        }
    }
}

std::uint8_t RoundByte(double V)
{
    return ClampByte(std::lrint(V));
}

} // namespace

// --- Bitmaps and colours ----------------------------------------------------------------------

std::unique_ptr<TBitmap> MakeBitmap32(int Width, int Height)
{
    auto bmp = std::make_unique<TBitmap>();
    bmp->SetPixelFormat(pf32bit);
    bmp->SetHandleType(bmDIB);
    bmp->SetSize(Width, Height);
    return bmp;
}

std::unique_ptr<TBitmap> MakeSameSizeBitmap(TBitmap* Bmp)
{
    auto bmp = std::make_unique<TBitmap>();
    if (Bmp == nullptr) return bmp;
    bmp->SetPixelFormat(Bmp->PixelFormat());
    bmp->SetHandleType(bmDIB);
    bmp->SetSize(Bmp->Width(), Bmp->Height());
    return bmp;
}

TColor MixColors(TColor A, TColor Bc, double Weight)
{
    auto a = static_cast<std::uint32_t>(A), b = static_cast<std::uint32_t>(Bc);
    auto ch = [&](int shift) {
        return std::uint32_t(RoundByte(B(a, shift) * Weight + B(b, shift) * (1 - Weight))) << shift;
    };
    return static_cast<TColor>((a & 0xFF000000u) | ch(16) | ch(8) | ch(0));
}

// --- Weighted blends --------------------------------------------------------------------------

void BlendBitmapKeyed(TBitmap* Dst, int X, int Y, TBitmap* Src, TRect SrcRect, double Weight, std::uint32_t Key)
{
    TRows d, s;
    if (!d.Attach(Dst) || !s.Attach(Src)) return;
    TInclusiveArea a = LimitInclusive(SrcRect, s.Width, s.Height);
    WalkArea(d, s, a, X + a.RaisedX, Y + a.RaisedY, [&](std::uint32_t& dv, std::uint32_t sv, int, int) {
        if (sv == Key) return true;
        auto ch = [&](int shift) {
            return std::uint32_t(RoundByte(B(sv, shift) - (B(sv, shift) - double(B(dv, shift))) * Weight)) << shift;
        };
        dv = (dv & 0xFF000000u) | ch(16) | ch(8) | ch(0);
        return true;
    });
}

void TintBitmap(TBitmap* Bmp, TColor Color, double Weight)
{
    TRows rows;
    if (!rows.Attach(Bmp)) return;
    std::uint32_t c = SwapRedBlue(static_cast<std::uint32_t>(ColorToRGB(Color)));
    for (int y = 0; y < rows.Height; ++y) {
        std::uint32_t* p = rows.Row32(y);
        for (int x = 0; x < rows.Width; ++x) {
            std::uint32_t v = p[x];
            if (v == KeyPixel) continue;
            auto ch = [&](int shift) {
                return std::uint32_t(RoundByte(Weight * (double(B(v, shift)) - B(c, shift)) + B(c, shift))) << shift;
            };
            p[x] = (v & 0xFF000000u) | ch(16) | ch(8) | ch(0);
        }
    }
}

// --- Keyed copies -----------------------------------------------------------------------------

void PutBitmapTransparent(TBitmap* Dst, TBitmap* Src, int X, int Y, TColor TransColor)
{
    TRows d;
    if (Src == nullptr || Src->Empty() || !d.Attach(Dst)) return;
    const bool wide = Src->BitsPerPixel() == 32;
    if (!wide) Src->SetPixelFormat(pf24bit);
    TRows s;
    if (!s.Attach(Src, wide ? 4 : 3)) return;
    const std::uint32_t key = SwapRedBlue(static_cast<std::uint32_t>(TransColor));
    for (int sy = 0; sy < s.Height; ++sy) {
        int dy = Y + sy;
        if (dy < 0 || dy >= d.Height) continue;
        const std::uint8_t* ps = s.Row(sy);
        std::uint32_t* pd = d.Row32(dy);
        for (int sx = std::max(0, -X); sx < s.Width && X + sx < d.Width; ++sx) {
            std::uint32_t v;
            if (wide) {
                v = reinterpret_cast<const std::uint32_t*>(ps)[sx];
                if (v == key) continue;
            } else {
                const std::uint8_t* p = ps + 3 * sx;
                v = p[0] | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16;
                if (v == (key & 0x00FFFFFFu)) continue;
            }
            pd[X + sx] = v | 0xFF000000u;
        }
    }
}

void CopyAreaKeyed(TBitmap* Dst, TBitmap* Src, int X, int Y, bool FromBackground, const TCacheInfo& CI,
                   std::uint32_t Key, TRect SrcRect)
{
    TRows d, s;
    if (!d.Attach(Dst) || !s.Attach(Src)) return;
    TInclusiveArea a = LimitInclusive(SrcRect, s.Width, s.Height);
    if (FromBackground && CI.Ready && CI.Bmp != nullptr) {
        if (CI.Bmp == Dst) {
            WalkArea(d, s, a, X, Y, [&](std::uint32_t& dv, std::uint32_t sv, int, int) {
                if (sv != Key) dv = sv | 0xFF000000u;
                return true;
            });
            return;
        }
        TRows bg;
        const bool direct = bg.Attach(CI.Bmp);
        WalkArea(d, s, a, X, Y, [&](std::uint32_t& dv, std::uint32_t sv, int dx, int dy) {
            if (sv != Key) {
                dv = sv | 0xFF000000u;
                return true;
            }
            int bx = dx + CI.X, by = dy + CI.Y;
            if (direct) {
                if (!bg.Inside(bx, by)) return false;
                dv = bg.At(bx, by) | 0xFF000000u;
                return true;
            }
            if (bx < 0 || by < 0 || bx >= CI.Bmp->Width() || by >= CI.Bmp->Height()) return false;
            dv = SwapRedBlue(static_cast<std::uint32_t>(CI.Bmp->Canvas()->Pixels(bx, by)) & 0xFFFFFF) | 0xFF000000u;
            return true;
        });
        return;
    }
    if (CI.Ready) {
        WalkArea(d, s, a, X, Y, [&](std::uint32_t& dv, std::uint32_t sv, int, int) {
            if (sv != Key) dv = sv;
            return true;
        });
        return;
    }
    const std::uint32_t fill = SwapRedBlue(static_cast<std::uint32_t>(ColorToRGB(CI.FillColor)) & 0xFFFFFF) | 0xFF000000u;
    WalkArea(d, s, a, X, Y, [&](std::uint32_t& dv, std::uint32_t sv, int, int) {
        dv = sv == Key ? fill : sv;
        return true;
    });
}

void CopyAreaTransparent(TBitmap* Dst, TBitmap* Src, int X, int Y, TColor Key, TRect SrcRect)
{
    TRows d, s;
    if (!d.Attach(Dst) || !s.Attach(Src)) return;
    const std::uint32_t key = SwapRedBlue(static_cast<std::uint32_t>(Key)) & 0x00FFFFFFu;
    WalkArea(d, s, LimitInclusive(SrcRect, s.Width, s.Height), X, Y, [&](std::uint32_t& dv, std::uint32_t sv, int, int) {
        if (sv != key) dv = sv;
        return true;
    });
}

// --- Layered windows --------------------------------------------------------------------------

TUpdateLayeredWindowFunc UpdateLayeredWindowFunc = nullptr;
TSetLayeredWindowAttributesFunc SetLayeredWindowAttributesFunc = nullptr;

namespace {

// Once per process: the entry points may be missing on old systems, so they are looked up by
// name instead of imported; whoever set them earlier is left alone.
struct TLayeredEntryPoints {
    HMODULE Library = nullptr;
    TLayeredEntryPoints()
    {
        if (UpdateLayeredWindowFunc != nullptr || SetLayeredWindowAttributesFunc != nullptr) return;
        Library = LoadLibraryW(L"user32.dll");
        if (Library == nullptr) return;
        UpdateLayeredWindowFunc =
            reinterpret_cast<TUpdateLayeredWindowFunc>(reinterpret_cast<void*>(GetProcAddress(Library, "UpdateLayeredWindow")));
        SetLayeredWindowAttributesFunc = reinterpret_cast<TSetLayeredWindowAttributesFunc>(
            reinterpret_cast<void*>(GetProcAddress(Library, "SetLayeredWindowAttributes")));
    }
    ~TLayeredEntryPoints()
    {
        if (Library != nullptr) FreeLibrary(Library);
    }
};

TLayeredEntryPoints LayeredEntryPoints;

} // namespace

bool LayeredWindowsAvailable()
{
    return UpdateLayeredWindowFunc != nullptr;
}
