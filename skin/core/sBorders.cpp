// sBorders: borders from masks into caches, device contexts and window regions, and the
// nine-part copy of bordered pictures.
#include "skin/core/sBorders.h"

#include <algorithm>

#include "framework/controls/Controls.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sGraphUtilsPixels.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sSectionPaint.h"

using namespace skinpixels;

void FillBitmapFrame(TBitmap* Bmp, const TRect& R, int Left, TColor Color, int Bottom, int Right, int Top)
{
    FillBitmapRect(Bmp, TRect{R.left, R.top, R.right, R.top + Top}, Color);
    FillBitmapRect(Bmp, TRect{R.left, R.top + Top, R.left + Left, R.bottom}, Color);
    FillBitmapRect(Bmp, TRect{R.left + Left, R.bottom - Bottom, R.right, R.bottom}, Color);
    FillBitmapRect(Bmp, TRect{R.right - Right, R.top + Top, R.right, R.bottom - Bottom}, Color);
}

// --- A control's border -------------------------------------------------------------------------

void PaintBorderFromMask(HDC DC, const TRect& R, int BorderWidth, TRect& ClientRect, int State, TsCommonData* Data)
{
    if (Data == nullptr) return;
    const TColor c = Data->StateBackColor(State != 0);
    TBackgroundQuery answer;
    answer.Kind = bgkNone;
    TControl* owner = Data->FOwnerControl;
    const bool asked = owner != nullptr && owner->Parent() != nullptr;
    if (asked) QueryControlBackground(answer, owner->Parent(), false);

    const TsSkin* skin = Data->Skin();
    const TsMaskData* mask = SkinMask(skin, Data->BorderIndex);
    if (mask == nullptr) {
        if (BorderWidth > 0) PaintColorFrame(DC, R, BorderWidth, c, BorderWidth, BorderWidth, BorderWidth);
        return;
    }
    if (skin->IsValidSkinIndex(Data->SkinIndex))
        State = std::max(0, std::min(State, skin->gd[Data->SkinIndex].States - 1));
    Data->InitCacheBitmap();
    TBitmap* cache = Data->CacheBmp();
    const TPoint ownerAt = owner != nullptr ? TPoint{owner->Left(), owner->Top()} : TPoint{0, 0};
    if (mask->MaskType == 1) {
        if (asked && answer.Kind == bgkBitmap)
            CopyPixelBlock(cache, R, answer.Bitmap, ownerAt.x + answer.OffsetX + R.left,
                           ownerAt.y + answer.OffsetY + R.top);
        else
            FillBitmapFrame(cache, R, mask->WL, c, mask->WB, mask->WR, mask->WT);
    }
    TCacheInfo ci = BackgroundToCacheInfo(answer);
    if (ci.Ready) {
        // The answer places the parent's origin; the border's pixels lie at the owner's place in it.
        ci.X += ownerAt.x;
        ci.Y += ownerAt.y;
    }
    DrawMaskBorder(cache, R, ci, *mask, State, true, skin);

    ClientRect = TRect{R.left + mask->WL, R.top + mask->WT, R.right - mask->WR, R.bottom - mask->WB};
    if (BorderWidth > 0) {
        const int w = R.right - R.left, h = R.bottom - R.top;
        const int left = std::max(std::min(BorderWidth, w - mask->WR) - mask->WL, 0);
        const int top = std::max(std::min(BorderWidth, h - mask->WB) - mask->WT, 0);
        const int right = std::max(std::min(BorderWidth, w - mask->WL) - mask->WR, 0);
        const int bottom = std::max(std::min(BorderWidth, h - mask->WT) - mask->WB, 0);
        FillBitmapFrame(cache, ClientRect, left, c, bottom, right, top);
        ClientRect = TRect{R.left + BorderWidth, R.top + BorderWidth, R.right - BorderWidth, R.bottom - BorderWidth};
        ClientRect.right = std::max(ClientRect.right, ClientRect.left);
        ClientRect.bottom = std::max(ClientRect.bottom, ClientRect.top);
        HDC cacheDC = cache->Empty() ? nullptr : cache->Canvas()->Handle();
        if (DC != nullptr && cacheDC != nullptr && DC != cacheDC)
            CopyFrameStrips(DC, R.left, R.top, w, h, cacheDC, R.left, R.top, BorderWidth);
    }
}

// --- Borders cut into window regions -----------------------------------------------------------

void CopyMaskPartToRegion(int DstLeft, int DstTop, int DstRight, bool Transparent, const TsMaskData& Mask, HRGN Region,
                          TBitmap* Dst, int SrcBottom, int SrcRight, int SrcTop, int SrcLeft, int DstBottom,
                          const TsSkin* Skin)
{
    if (DstLeft < 0 || DstTop < 0 || DstRight < 0 || DstBottom < 0) return;
    if (DstRight - DstLeft + 1 < 2 || DstBottom - DstTop + 1 < 2) return;
    TRows d, s;
    if (!d.Attach(Dst) || !s.Attach(MaskSourceBitmap(Mask, Skin))) return;
    if (SrcLeft < 0 || SrcTop < 0) return;
    const int cols = std::min({DstRight - DstLeft, SrcRight - SrcLeft, d.Width - 1 - DstLeft, s.Width - 1 - SrcLeft}) + 1;
    int rows = std::min({DstBottom - DstTop, SrcBottom - SrcTop, d.Height - 1 - DstTop, s.Height - 1 - SrcTop}) + 1;
    const bool masked = Mask.MaskType == 1;
    const int maskOffset = masked ? (Mask.R.bottom - Mask.R.top) / 2 : 0;
    if (masked) rows = std::min(rows, s.Height - maskOffset - SrcTop);
    if (cols <= 0 || rows <= 0) return;
    auto cut = [&](int Left, int Right, int Y, int Mode) {
        if (Region == nullptr) return;
        HRGN piece = CreateRectRgn(Left, Y, Right, Y + 1);
        CombineRgn(Region, Region, piece, Mode);
        DeleteObject(piece);
    };
    for (int y = 0; y < rows; ++y) {
        std::uint32_t* pd = d.Row32(DstTop + y) + DstLeft;
        const std::uint32_t* ps = s.Row32(SrcTop + y) + SrcLeft;
        const std::uint32_t* pm = masked ? s.Row32(SrcTop + y + maskOffset) + SrcLeft : nullptr;
        int runStart = -1;
        for (int x = 0; x < cols; ++x) {
            const bool key = IsKeyPixel(ps[x]);
            if (Transparent && key) {
                if (runStart < 0) runStart = x;
                continue;
            }
            if (runStart >= 0) {
                cut(DstLeft + runStart, DstLeft + x, DstTop + y, RGN_XOR);
                runStart = -1;
            }
            pd[x] = masked ? ComposeMaskedPixel(pd[x], ps[x], pm[x]) : ps[x];
        }
        if (runStart >= 0) cut(DstLeft + runStart, DstLeft + cols, DstTop + y, RGN_DIFF);
    }
}

void StretchMaskBorder(TBitmap* Bmp, HRGN Region, bool FillCentre, int State, const TsMaskData& Mask, const TsSkin* Skin)
{
    if (Bmp == nullptr || Bmp->Width() <= 1 || Bmp->Height() <= 1) return;
    TBitmap* src = MaskSourceBitmap(Mask, Skin);
    if (src == nullptr) return;
    const int w = Bmp->Width(), h = Bmp->Height();
    int wl = Mask.WL, wt = Mask.WT, wr = Mask.WR, wb = Mask.WB;
    ShrinkBorderPair(wl, wr, w);
    ShrinkBorderPair(wt, wb, h);
    // A mask without frames is one frame over its whole picture.
    TRect r = Mask.R;
    int count = Mask.ImageCount;
    if (count < 1) {
        count = 1;
        if (Mask.Bmp != nullptr && !Mask.Bmp->Empty()) r = TRect{0, 0, Mask.Bmp->Width(), Mask.Bmp->Height()};
    }
    const int index = std::max(0, std::min(State, count - 1));
    const int fw = (r.right - r.left) / count;
    const int fh = (r.bottom - r.top) / (std::max<int>(Mask.MaskType, 0) + 1);
    const int mw = std::max(fw - wl - wr, 0), mh = std::max(fh - wt - wb, 0);
    const int x0 = r.left + fw * index, y0 = r.top;
    const bool stretch = (Mask.DrawMode & dmStretch) != 0 && Mask.MaskType != 1;

    // Inclusive destination and the source piece's top-left and size.
    auto part = [&](int DL, int DT, int DR, int DB, int SX, int SY, int PW, int PH, bool Transparent) {
        if (DR < DL || DB < DT || PW <= 0 || PH <= 0) return;
        CopyMaskPartToRegion(DL, DT, DR, Transparent, Mask, Region, Bmp, SY + std::min(PH, DB - DT + 1) - 1,
                             SX + std::min(PW, DR - DL + 1) - 1, SY, SX, DB, Skin);
    };
    auto band = [&](int DL, int DT, int DR, int DB, int SX, int SY, int PW, int PH) {
        if (DR < DL || DB < DT || PW <= 0 || PH <= 0) return;
        if (stretch) {
            StretchPixelBlock(Bmp, TRect{DL, DT, DR + 1, DB + 1}, src, TRect{SX, SY, SX + PW, SY + PH});
            return;
        }
        ForEachTile(TRect{DL, DT, DR + 1, DB + 1}, SX, SY, PW, PH, [&](const TRect& Tile, TPoint From) {
            CopyMaskPartToRegion(Tile.left, Tile.top, Tile.right - 1, false, Mask, Region, Bmp,
                                 From.y + Tile.bottom - Tile.top - 1, From.x + Tile.right - Tile.left - 1, From.y,
                                 From.x, Tile.bottom - 1, Skin);
        });
    };
    part(0, 0, wl - 1, wt - 1, x0, y0, wl, wt, true);
    part(0, h - wb, wl - 1, h - 1, x0, y0 + fh - wb, wl, wb, true);
    band(0, wt, wl - 1, h - wb - 1, x0, y0 + wt, wl, mh);
    band(wl, 0, w - wr - 1, wt - 1, x0 + wl, y0, mw, wt);
    band(wl, h - wb, w - wr - 1, h - 1, x0 + wl, y0 + fh - wb, mw, wb);
    band(w - wr, wt, w - 1, h - wb - 1, x0 + fw - wr, y0 + wt, wr, mh);
    part(w - wr, h - wb, w - 1, h - 1, x0 + fw - wr, y0 + fh - wb, wr, wb, true);
    part(w - wr, 0, w - 1, wt - 1, x0 + fw - wr, y0, wr, wt, true);
    if (FillCentre && (Mask.DrawMode & dmCentre) != 0 && mw > 0 && mh > 0)
        band(wl, wt, w - wr - 1, h - wb - 1, x0 + wl, y0 + wt, mw, mh);
}

// --- Nine-part copy of a bordered picture ------------------------------------------------------

void CopyBorderedImage(TBitmap* Dst, TBitmap* Src, const TRect& DstRect, bool FillCentre, int CentreMode,
                       const TRect& EdgeModes, const TRect& Bands, const TRect& Corners, const TRect& SrcRect)
{
    if (Dst == nullptr || Src == nullptr) return;
    const int cl = Corners.left, ct = Corners.top, cr = Corners.right, cb = Corners.bottom;
    const int sw = std::max<int>(0, SrcRect.right - SrcRect.left - cl - cr);
    const int sh = std::max<int>(0, SrcRect.bottom - SrcRect.top - ct - cb);
    const int bl = std::min<int>(cl, Bands.left), bt = std::min<int>(ct, Bands.top);
    const int br = std::min<int>(cr, Bands.right), bb = std::min<int>(cb, Bands.bottom);
    auto copy = [&](int DX, int DY, int W, int H, int SX, int SY) {
        if (W > 0 && H > 0) CopyPixelBlock(Dst, TRect{DX, DY, DX + W, DY + H}, Src, SX, SY);
    };
    const TRect& d = DstRect;
    const TRect& s = SrcRect;
    // L-shaped corners: the full corner width over the band's height, then the band's width below.
    copy(d.left, d.top, cl, bt, s.left, s.top);
    copy(d.left, d.top + bt, bl, ct - bt, s.left, s.top + bt);
    copy(d.right - cr, d.top, cr, bt, s.right - cr, s.top);
    copy(d.right - br, d.top + bt, br, ct - bt, s.right - br, s.top + bt);
    copy(d.left, d.bottom - bb, cl, bb, s.left, s.bottom - bb);
    copy(d.left, d.bottom - cb, bl, cb - bb, s.left, s.bottom - cb);
    copy(d.right - cr, d.bottom - bb, cr, bb, s.right - cr, s.bottom - bb);
    copy(d.right - br, d.bottom - cb, br, cb - bb, s.right - br, s.bottom - cb);

    auto fill = [&](int Mode, const TRect& Band, const TRect& Piece) {
        if (Band.right <= Band.left || Band.bottom <= Band.top || Piece.right <= Piece.left || Piece.bottom <= Piece.top)
            return;
        if (Mode == bmTile)
            TilePixelBlock(Dst, Band, Src, Piece);
        else if (Mode == bmStretch)
            StretchPixelBlock(Dst, Band, Src, Piece);
    };
    fill(EdgeModes.left, TRect{d.left, d.top + ct, d.left + bl, d.bottom - cb},
         TRect{s.left, s.top + ct, s.left + bl, s.top + ct + sh});
    fill(EdgeModes.top, TRect{d.left + cl, d.top, d.right - cr, d.top + bt},
         TRect{s.left + cl, s.top, s.left + cl + sw, s.top + bt});
    fill(EdgeModes.right, TRect{d.right - br, d.top + ct, d.right, d.bottom - cb},
         TRect{s.right - br, s.top + ct, s.right, s.top + ct + sh});
    fill(EdgeModes.bottom, TRect{d.left + cl, d.bottom - bb, d.right - cr, d.bottom},
         TRect{s.left + cl, s.bottom - bb, s.left + cl + sw, s.bottom});
    if (FillCentre)
        fill(CentreMode, TRect{d.left + cl, d.top + ct, d.right - cr, d.bottom - cb},
             TRect{s.left + cl, s.top + ct, s.left + cl + sw, s.top + ct + sh});
}
