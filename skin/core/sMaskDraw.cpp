// sMaskDraw: skin images drawn by state, nine-part borders, key-colour copies and corner runs.
#include "skin/core/sMaskDraw.h"

#include <algorithm>

#include "framework/controls/Controls.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sGraphUtilsPixels.h"
#include "skin/core/sSectionPaint.h"

using namespace skinpixels;

namespace {

// A destination block and its source origin, both clipped so that every visited pixel lies
// inside both bitmaps; empty when nothing is left.
struct TClippedBlock {
    int DstX = 0, DstY = 0, SrcX = 0, SrcY = 0, Width = 0, Height = 0;
    bool Empty() const { return Width <= 0 || Height <= 0; }
};

TClippedBlock ClipBlock(const TRows& D, TRect DstRect, const TRows& S, int SrcX, int SrcY, int SrcRows = -1)
{
    TClippedBlock b{static_cast<int>(DstRect.left), static_cast<int>(DstRect.top), SrcX, SrcY,
                    static_cast<int>(DstRect.right - DstRect.left), static_cast<int>(DstRect.bottom - DstRect.top)};
    const int srcHeight = SrcRows < 0 ? S.Height : SrcRows;
    auto raise = [](int& A, int& B, int& Size) {
        if (A < 0) {
            B -= A;
            Size += A;
            A = 0;
        }
    };
    raise(b.DstX, b.SrcX, b.Width);
    raise(b.SrcX, b.DstX, b.Width);
    raise(b.DstY, b.SrcY, b.Height);
    raise(b.SrcY, b.DstY, b.Height);
    b.Width = std::min({b.Width, D.Width - b.DstX, S.Width - b.SrcX});
    b.Height = std::min({b.Height, D.Height - b.DstY, srcHeight - b.SrcY});
    return b;
}

struct TFrame {
    int Index = 0;
    int Width = 0;
    int Height = 0;
    int Left = 0;
    int Top = 0;
};

TFrame StateFrame(const TsMaskData& Mask, int State)
{
    TFrame f;
    f.Width = Mask.FrameWidth();
    f.Height = Mask.FrameHeight();
    f.Index = std::max(0, std::min(State, Mask.ImageCount - 1));
    f.Left = Mask.R.left + f.Width * f.Index;
    f.Top = Mask.R.top;
    return f;
}

// Rows between a picture row and its opacity row.
int MaskRowOffset(const TsMaskData& Mask)
{
    return Mask.MaskType > 0 ? (Mask.R.bottom - Mask.R.top) / (Mask.MaskType + 1) : 0;
}

// The masked picture copy of DrawMaskImage: the frame's area at DstRect, weights biased by Bias.
void CopyMaskedImage(TBitmap* Dst, const TRect& DstRect, TBitmap* Src, int SrcX, int SrcY, int MaskOffset, int Bias)
{
    TRows d, s;
    if (!d.Attach(Dst) || !s.Attach(Src)) return;
    TClippedBlock b = ClipBlock(d, DstRect, s, SrcX, SrcY, s.Height - MaskOffset);
    for (int y = 0; y < b.Height; ++y) {
        std::uint32_t* pd = d.Row32(b.DstY + y) + b.DstX;
        const std::uint32_t* pi = s.Row32(b.SrcY + y) + b.SrcX;
        const std::uint32_t* pm = s.Row32(b.SrcY + y + MaskOffset) + b.SrcX;
        for (int x = 0; x < b.Width; ++x)
            if (!IsKeyPixel(pi[x]) && B(pm[x], 16) < 255) pd[x] = ComposeMaskedPixel(pd[x], pi[x], pm[x], Bias);
    }
}

} // namespace

// --- Building blocks --------------------------------------------------------------------------

std::uint32_t ComposeMaskedPixel(std::uint32_t Dst, std::uint32_t Image, std::uint32_t Mask, int Bias)
{
    std::uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        long m = std::min<long>(B(Mask, shift) + Bias, 255);
        long i = B(Image, shift), dv = B(Dst, shift);
        out |= std::uint32_t(ClampByte(((dv - i) * m + 256 * i) >> 8)) << shift;
    }
    const unsigned opacity = 255u - B(Mask, 16);
    const unsigned alpha = B(Dst, 24);
    return out | std::uint32_t(std::min(255u, alpha + opacity * (255u - alpha) / 255u)) << 24;
}

TBitmap* MaskSourceBitmap(const TsMaskData& Mask, const TsSkin* Skin)
{
    if (Mask.Bmp != nullptr && !Mask.Bmp->Empty()) return Mask.Bmp.get();
    if (Skin != nullptr && Skin->MasterBitmap != nullptr && !Skin->MasterBitmap->Empty()) return Skin->MasterBitmap.get();
    return nullptr;
}

const TsMaskData* SkinMask(const TsSkin* Skin, int MaskIndex)
{
    return Skin != nullptr && Skin->IsValidImgIndex(MaskIndex) ? &Skin->ma[MaskIndex] : nullptr;
}

void CopyPixelBlock(TBitmap* Dst, const TRect& DstRect, TBitmap* Src, int SrcX, int SrcY)
{
    TRows d, s;
    if (!d.Attach(Dst) || !s.Attach(Src)) return;
    TClippedBlock b = ClipBlock(d, DstRect, s, SrcX, SrcY);
    for (int y = 0; y < b.Height; ++y)
        std::copy_n(s.Row32(b.SrcY + y) + b.SrcX, b.Width, d.Row32(b.DstY + y) + b.DstX);
}

void TilePixelBlock(TBitmap* Dst, const TRect& DstRect, TBitmap* Src, const TRect& SrcRect)
{
    ForEachTile(DstRect, SrcRect.left, SrcRect.top, SrcRect.right - SrcRect.left, SrcRect.bottom - SrcRect.top,
                [&](const TRect& Tile, TPoint From) { CopyPixelBlock(Dst, Tile, Src, From.x, From.y); });
}

void StretchPixelBlock(TBitmap* Dst, const TRect& DstRect, TBitmap* Src, const TRect& SrcRect)
{
    TRows d, s;
    if (!d.Attach(Dst) || !s.Attach(Src)) return;
    const long dw = DstRect.right - DstRect.left, dh = DstRect.bottom - DstRect.top;
    const long sw = SrcRect.right - SrcRect.left, sh = SrcRect.bottom - SrcRect.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    const int y0 = std::max<int>(DstRect.top, 0), y1 = std::min<int>(DstRect.bottom, d.Height);
    const int x0 = std::max<int>(DstRect.left, 0), x1 = std::min<int>(DstRect.right, d.Width);
    for (int y = y0; y < y1; ++y) {
        const int sy = SrcRect.top + static_cast<int>(((y - DstRect.top) * 2 + 1) * sh / (2 * dh));
        if (sy < 0 || sy >= s.Height) continue;
        const std::uint32_t* ps = s.Row32(sy);
        std::uint32_t* pd = d.Row32(y);
        for (int x = x0; x < x1; ++x) {
            const int sx = SrcRect.left + static_cast<int>(((x - DstRect.left) * 2 + 1) * sw / (2 * dw));
            if (sx >= 0 && sx < s.Width) pd[x] = ps[sx];
        }
    }
}

void CopyMaskedPart(TBitmap* Dst, const TRect& DstRect, TBitmap* Src, int SrcX, int SrcY, int MaskOffset,
                    const TCacheInfo& CI, bool FromBackground)
{
    TRows d, s, bg;
    if (!d.Attach(Dst) || !s.Attach(Src)) return;
    const bool ready = CI.Ready && bg.Attach(CI.Bmp);
    const std::uint32_t fill = SwapRedBlue(static_cast<std::uint32_t>(CI.FillColor));
    TClippedBlock b = ClipBlock(d, DstRect, s, SrcX, SrcY, s.Height - MaskOffset);
    for (int y = 0; y < b.Height; ++y) {
        const int dy = b.DstY + y;
        std::uint32_t* pd = d.Row32(dy);
        const std::uint32_t* pi = s.Row32(b.SrcY + y) + b.SrcX;
        const std::uint32_t* pm = s.Row32(b.SrcY + y + MaskOffset) + b.SrcX;
        for (int x = 0; x < b.Width; ++x) {
            const int dx = b.DstX + x;
            if (ready && FromBackground) {
                if (IsKeyPixel(pi[x])) {
                    const int bx = dx + CI.X, by = dy + CI.Y;
                    if (!bg.Inside(bx, by)) break;
                    pd[dx] = bg.At(bx, by) | 0xFF000000u;
                } else {
                    pd[dx] = ComposeMaskedPixel(pd[dx], pi[x], pm[x]) | 0xFF000000u;
                }
            } else if (ready) {
                pd[dx] = ComposeMaskedPixel(pd[dx], pi[x], pm[x]);
            } else if (IsKeyPixel(pi[x])) {
                if (FromBackground) pd[dx] = fill;
            } else {
                pd[dx] = ComposeMaskedPixel(pd[dx], pi[x], pm[x]);
            }
        }
    }
}

// --- Drawing one state ------------------------------------------------------------------------

void DrawMaskImage(TBitmap* Bmp, TPoint Point, int State, const TCacheInfo& CI, const TsMaskData& Mask, int Mode,
                   const TsSkin* Skin)
{
    if (Bmp == nullptr || Mask.ImageCount <= 0) return;
    TFrame f = StateFrame(Mask, State);
    if (f.Width <= 0 || f.Height <= 0) return;
    // A point left of or above the bitmap cuts the frame instead of moving it.
    int srcX = f.Left, srcY = f.Top, w = f.Width, h = f.Height;
    if (Point.x < 0) {
        srcX -= Point.x;
        w += Point.x;
        Point.x = 0;
    }
    if (Point.y < 0) {
        srcY -= Point.y;
        h += Point.y;
        Point.y = 0;
    }
    if (w <= 0 || h <= 0) return;
    const TRect dst{Point.x, Point.y, Point.x + w, Point.y + h};
    const bool own = Mask.Bmp != nullptr && !Mask.Bmp->Empty();
    TBitmap* src = MaskSourceBitmap(Mask, Skin);
    if (src == nullptr) return;
    if (own && (Mask.Bmp->Width() < Mask.R.right || Mask.Bmp->Height() < Mask.R.bottom)) return;
    const TRect inclusive{srcX, srcY, srcX + w - 1, srcY + h - 1};
    if (Mask.MaskType > 0) {
        CopyMaskedImage(Bmp, dst, src, srcX, srcY, MaskRowOffset(Mask), Mode == 1 ? 0 : 100);
    } else if (own) {
        CopyAreaTransparent(Bmp, src, Point.x, Point.y, 0xFF00FF, inclusive);
    } else if (Mode == 1) {
        CopyAreaKeyed(Bmp, src, Point.x, Point.y, true, CI, KeyPixel, inclusive);
    } else {
        BlendBitmapKeyed(Bmp, Point.x, Point.y, src, inclusive, 0.5, KeyPixel);
    }
}

// --- Nine-part borders ------------------------------------------------------------------------

void ShrinkBorderPair(int& Near, int& Far, int Size)
{
    if (Size >= Near + Far) return;
    const int d = (Near + Far - Size) / 2;
    Near -= d;
    Far -= d;
    if (Size % 2 != 0) --Far;
    Near = std::max(Near, 0);
    Far = std::max(Far, 0);
}

void DrawMaskBorder(TBitmap* Bmp, const TRect& R, const TCacheInfo& CI, const TsMaskData& Mask, int State,
                    bool FromBackground, const TsSkin* Skin)
{
    if (State == 0 && (Mask.DrawMode & dmHotOnly) != 0) return;
    if (R.right - R.left < 2 || R.bottom - R.top < 2) return;
    TBitmap* src = MaskSourceBitmap(Mask, Skin);
    if (Bmp == nullptr || src == nullptr) return;
    int wl = Mask.WL, wt = Mask.WT, wr = Mask.WR, wb = Mask.WB;
    ShrinkBorderPair(wl, wr, R.right - R.left);
    ShrinkBorderPair(wt, wb, R.bottom - R.top);
    if (Mask.ImageCount <= 0) return;
    const TFrame f = StateFrame(Mask, State);
    const int mw = f.Width - wl - wr, mh = f.Height - wt - wb;
    if (mw < 0 || mh < 0) return;
    const int x0 = f.Left, y0 = f.Top;
    const bool masked = Mask.MaskType > 0;
    const bool stretch = !masked && (Mask.DrawMode & dmStretch) != 0;
    const int maskOffset = MaskRowOffset(Mask);

    auto corner = [&](int DstX, int DstY, int SrcX, int SrcY, int W, int H) {
        if (W <= 0 || H <= 0) return;
        if (masked)
            CopyMaskedPart(Bmp, TRect{DstX, DstY, DstX + W, DstY + H}, src, SrcX, SrcY, maskOffset, CI, FromBackground);
        else
            CopyAreaKeyed(Bmp, src, DstX, DstY, FromBackground, CI, KeyPixel, TRect{SrcX, SrcY, SrcX + W - 1, SrcY + H - 1});
    };
    // Edges and centre: masked pieces leave their key pixels alone.
    const TCacheInfo noBackground{};
    auto band = [&](const TRect& Band, int SrcX, int SrcY, int W, int H) {
        if (Band.right <= Band.left || Band.bottom <= Band.top || W <= 0 || H <= 0) return;
        if (stretch) {
            StretchPixelBlock(Bmp, Band, src, TRect{SrcX, SrcY, SrcX + W, SrcY + H});
        } else if (masked) {
            ForEachTile(Band, SrcX, SrcY, W, H, [&](const TRect& Tile, TPoint From) {
                CopyMaskedPart(Bmp, Tile, src, From.x, From.y, maskOffset, noBackground, false);
            });
        } else {
            TilePixelBlock(Bmp, Band, src, TRect{SrcX, SrcY, SrcX + W, SrcY + H});
        }
    };

    corner(R.left, R.top, x0, y0, wl, wt);
    band(TRect{R.left, R.top + wt, R.left + wl, R.bottom - wb}, x0, y0 + wt, wl, mh);
    band(TRect{R.left + wl, R.top, R.right - wr, R.top + wt}, x0 + wl, y0, mw, wt);
    corner(R.left, R.bottom - wb, x0, y0 + f.Height - wb, wl, wb);
    band(TRect{R.left + wl, R.bottom - wb, R.right - wr, R.bottom}, x0 + wl, y0 + f.Height - wb, mw, wb);
    corner(R.right - wr, R.bottom - wb, x0 + f.Width - wr, y0 + f.Height - wb, wr, wb);
    corner(R.right - wr, R.top, x0 + f.Width - wr, y0, wr, wt);
    band(TRect{R.right - wr, R.top + wt, R.right, R.bottom - wb}, x0 + f.Width - wr, y0 + wt, wr, mh);
    if ((Mask.DrawMode & dmCentre) != 0)
        band(TRect{R.left + wl, R.top + wt, R.right - wr, R.bottom - wb}, x0 + wl, y0 + wt, mw, mh);
}

// --- Key-colour copies and corner runs ----------------------------------------------------------

void CopyWhereKeyColor(TBitmap* Dst, TBitmap* Src, const TRect& R, int Part, const TsSkin* Skin, int MaskIndex,
                       TPoint SrcPoint)
{
    TRows d, s, ref;
    if (!d.Attach(Dst) || !s.Attach(Src)) return;
    const int w = std::min<int>(R.right - R.left, s.Width - SrcPoint.x);
    const int h = std::min<int>(R.bottom - R.top, s.Height - SrcPoint.y);
    int refX = 0, refY = 0;
    if (MaskIndex >= 0) {
        const TsMaskData* mask = SkinMask(Skin, MaskIndex);
        if (mask == nullptr || !ref.Attach(MaskSourceBitmap(*mask, Skin))) return;
        refX = mask->R.left;
        refY = mask->R.top;
        if (Part == cpTopRight || Part == cpBottomRight) refX += mask->FrameWidth() - mask->WR;
        if (Part == cpBottomLeft || Part == cpBottomRight) refY += mask->FrameHeight() - mask->WB;
    }
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int dx = R.left + x, dy = R.top + y, sx = SrcPoint.x + x, sy = SrcPoint.y + y;
            if (!d.Inside(dx, dy) || !s.Inside(sx, sy)) continue;
            std::uint32_t reference;
            if (MaskIndex >= 0) {
                if (!ref.Inside(refX + x, refY + y)) continue;
                reference = ref.At(refX + x, refY + y);
            } else {
                reference = d.At(dx, dy);
            }
            if (IsKeyPixel(reference)) d.At(dx, dy) = s.At(sx, sy);
        }
}

void CollectMaskCornerRects(TAOR& Rects, int Width, const TsMaskData& Mask, bool Bottom, int Top, const TsSkin* Skin)
{
    TRows s;
    if (!s.Attach(MaskSourceBitmap(Mask, Skin))) return;
    const int fw = Mask.FrameWidth();
    const int rows = Bottom ? Mask.WB : Mask.WT;
    const int firstRow =
        Bottom ? Mask.R.top + (Mask.R.bottom - Mask.R.top) / (std::max<int>(Mask.MaskType, 0) + 1) - Mask.WB : Mask.R.top;
    // Columns of a corner in the frame and where column 0 of the corner lands in the window.
    auto scan = [&](int FirstCol, int Cols, int WindowX) {
        for (int row = 0; row < rows; ++row) {
            const int sy = firstRow + row;
            int runStart = -1;
            for (int col = 0; col <= Cols; ++col) {
                const int sx = Mask.R.left + FirstCol + col;
                const bool key = col < Cols && s.Inside(sx, sy) && s.At(sx, sy) == KeyPixel;
                if (key && runStart < 0) runStart = col;
                if (!key && runStart >= 0) {
                    Rects.push_back(TRect{WindowX + runStart, Top + row, WindowX + col, Top + row + 1});
                    runStart = -1;
                }
            }
        }
    };
    scan(0, Mask.WL, 0);
    scan(fw - Mask.WR, Mask.WR, Width - Mask.WR);
}

// --- Cache corners ------------------------------------------------------------------------------

void FillCacheCorners(TsCommonData* Data, int State)
{
    if (Data == nullptr || Data->FOwnerControl == nullptr) return;
    const TsSkin* skin = Data->Skin();
    const TsMaskData* border = SkinMask(skin, Data->BorderIndex);
    TRows cache;
    if (border == nullptr || !cache.Attach(Data->CacheBmp())) return;
    TControl* owner = Data->FOwnerControl;
    TBackgroundQuery answer;
    TPoint ownerAt{owner->Left(), owner->Top()};
    if (owner->Parent() != nullptr) {
        QueryControlBackground(answer, owner->Parent(), false);
    } else if (auto* win = dynamic_cast<TWinControl*>(owner); win != nullptr && win->HandleAllocated()) {
        HWND parent = GetParent(win->Handle());
        QueryWndBackground(answer, parent, false);
        RECT r{};
        GetWindowRect(win->Handle(), &r);
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 1);
        ownerAt = TPoint{r.left, r.top};
    } else {
        return;
    }
    // A border picture of its own without frames holds three masked states.
    TsMaskData frames;
    frames.R = border->R;
    frames.ImageCount = border->ImageCount;
    frames.MaskType = border->MaskType;
    if (border->ImageCount == 0 && border->Bmp != nullptr && !border->Bmp->Empty()) {
        frames.R = TRect{0, 0, border->Bmp->Width(), border->Bmp->Height()};
        frames.ImageCount = 3;
        frames.MaskType = 1;
    }
    TRows src, bg;
    if (!src.Attach(MaskSourceBitmap(*border, skin))) return;
    const bool fromBitmap = answer.Kind == bgkBitmap && bg.Attach(answer.Bitmap);
    if (!fromBitmap && (answer.Kind != bgkColor || answer.Color == NoSkinColor)) return;
    const std::uint32_t colour = SwapRedBlue(static_cast<std::uint32_t>(ColorToRGB(answer.Color))) & 0x00FFFFFFu;
    const bool masked = frames.MaskType > 0;
    const TFrame f = StateFrame(frames, State);
    const int cw = cache.Width, ch = cache.Height;
    // One corner: its size, where it starts in the frame and in the cache.
    auto corner = [&](int W, int H, int FrameX, int FrameY, int CacheX, int CacheY) {
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                const int sx = f.Left + FrameX + x, sy = f.Top + FrameY + y, cx = CacheX + x, cy = CacheY + y;
                if (!src.Inside(sx, sy) || !cache.Inside(cx, cy) || !IsKeyPixel(src.At(sx, sy))) continue;
                std::uint32_t value = colour;
                if (fromBitmap) {
                    const int bx = cx + ownerAt.x + answer.OffsetX, by = cy + ownerAt.y + answer.OffsetY;
                    if (!bg.Inside(bx, by)) continue;
                    value = bg.At(bx, by) & 0x00FFFFFFu;
                }
                std::uint32_t& p = cache.At(cx, cy);
                p = masked ? (p & 0xFF000000u) | value : value;
            }
    };
    const int wl = border->WL, wt = border->WT, wr = border->WR, wb = border->WB;
    corner(wl, wt, 0, 0, 0, 0);
    corner(wl, wb, 0, f.Height - wb, 0, ch - wb);
    corner(wr, wb, f.Width - wr, f.Height - wb, cw - wr, ch - wb);
    corner(wr, wt, f.Width - wr, 0, cw - wr, 0);
}
