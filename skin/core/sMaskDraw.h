#pragma once
// Unit sMaskDraw: drawing skin images (masks) into 32-bit bitmaps. A mask holds one frame per
// state side by side, either a plain picture whose $FF00FF pixels are transparent or a picture
// with a grey opacity mask in the rows below it. This unit draws one state of such an image at a
// point, a border stretched or tiled around a rectangle from nine parts of a frame, pixels copied
// where a corner is transparent, and the transparent corner runs that window regions cut away.
// Every routine clips to the bitmaps it is given: a mask smaller than its declared borders, a
// rectangle outside the target or an index past the tables paints less or nothing, never
// outside an image.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "skin/core/sConst.h"
#include "skin/core/sMaskData.h"

// DrawMode bits of a mask.
inline constexpr int dmStretch = 1;   // edges and centre stretched instead of tiled (plain images)
inline constexpr int dmHotOnly = 2;   // nothing drawn in the normal state
inline constexpr int dmCentre = 4;    // the centre part is painted too

// Corner selectors of CopyWhereKeyColor.
inline constexpr int cpTopLeft = 13;
inline constexpr int cpTopRight = 14;
inline constexpr int cpBottomLeft = 16;
inline constexpr int cpBottomRight = 17;

class TsCommonData;

// Rectangles that a window region loses.
using TAOR = std::vector<TRect>;

// The bitmap a mask's pixels live in: its own, else the master bitmap of Skin; null when neither
// has pixels.
TBitmap* MaskSourceBitmap(const TsMaskData& Mask, const TsSkin* Skin);
// The mask of that index in Skin, or null for an index outside the table.
const TsMaskData* SkinMask(const TsSkin* Skin, int MaskIndex);

// Draws the frame of State (the last frame for a larger state) with its top-left at Point.
// Mode 1 draws normally; any other mode draws the image half transparent. Key pixels of a plain
// image from the master bitmap take the background CI describes.
void DrawMaskImage(TBitmap* Bmp, TPoint Point, int State, const TCacheInfo& CI, const TsMaskData& Mask, int Mode,
                   const TsSkin* Skin);

// Paints the frame of State as nine parts around (and, with dmCentre, inside) the exclusive R.
// Borders wider than R shrink evenly (the right or bottom one takes the odd pixel). With
// FromBackground the corners' key pixels show the background CI describes.
void DrawMaskBorder(TBitmap* Bmp, const TRect& R, const TCacheInfo& CI, const TsMaskData& Mask, int State,
                    bool FromBackground, const TsSkin* Skin);

// Copies Src pixels (from SrcPoint) into R of Dst wherever a corner of mask MaskIndex (Part
// cpTopLeft ... cpBottomRight, anything else the image's origin) holds the key colour; with
// MaskIndex -1 wherever Dst itself holds it.
void CopyWhereKeyColor(TBitmap* Dst, TBitmap* Src, const TRect& R, int Part, const TsSkin* Skin, int MaskIndex,
                       TPoint SrcPoint);

// Appends one-row rectangles covering the key-colour runs of the top (or, with Bottom, the
// bottom) corners of the mask's first frame, placed for a window Width pixels wide whose first
// row is Top: the left corner's rows first, then the right corner's.
void CollectMaskCornerRects(TAOR& Rects, int Width, const TsMaskData& Mask, bool Bottom, int Top, const TsSkin* Skin);

// Fills the key-colour pixels of the border mask's corners in the cache bitmap of Data from
// the background its parent describes.
void FillCacheCorners(TsCommonData* Data, int State);

// ---- Building blocks shared with the other skin painters ----

// The skin's masked composition of one pixel: a black mask shows the image pixel, a white one
// keeps the destination; Bias raises every weight (0 normally, 100 for the half-transparent
// look). The destination's alpha grows by the image's opacity.
std::uint32_t ComposeMaskedPixel(std::uint32_t Dst, std::uint32_t Image, std::uint32_t Mask, int Bias = 0);

// Calls Piece(destination, source top-left) for every tile that covers Band from the
// Source-sized piece at SrcLeft, SrcTop: whole tiles in rows and columns, the last ones clipped.
// A piece of size 0 covers nothing.
template <class TPiece>
void ForEachTile(const TRect& Band, int SrcLeft, int SrcTop, int PieceWidth, int PieceHeight, TPiece&& Piece)
{
    if (PieceWidth <= 0 || PieceHeight <= 0) return;
    for (int y = Band.top; y < Band.bottom; y += PieceHeight)
        for (int x = Band.left; x < Band.right; x += PieceWidth) {
            TRect dst{x, y, std::min<int>(x + PieceWidth, Band.right), std::min<int>(y + PieceHeight, Band.bottom)};
            Piece(dst, TPoint{SrcLeft, SrcTop});
        }
}

// Copies the exclusive Dst-sized block from (SrcX, SrcY) of Src into Dst, clipped to both.
void CopyPixelBlock(TBitmap* Dst, const TRect& DstRect, TBitmap* Src, int SrcX, int SrcY);
// Tiles the exclusive SrcRect of Src over DstRect (last tiles clipped).
void TilePixelBlock(TBitmap* Dst, const TRect& DstRect, TBitmap* Src, const TRect& SrcRect);
// Stretches the exclusive SrcRect over DstRect, each target pixel taking the source pixel its
// centre falls on (colour-on-colour stretching).
void StretchPixelBlock(TBitmap* Dst, const TRect& DstRect, TBitmap* Src, const TRect& SrcRect);

// The masked copy of one border part: source rows from (SrcX, SrcY), their mask MaskOffset rows
// lower. Key image pixels take the background of CI (ready, FromBackground), its FillColor (not
// ready, FromBackground), are composed like the others (ready, not FromBackground) or skipped.
void CopyMaskedPart(TBitmap* Dst, const TRect& DstRect, TBitmap* Src, int SrcX, int SrcY, int MaskOffset,
                    const TCacheInfo& CI, bool FromBackground);

// Border widths Near and Far of a rectangle Size pixels across, shrunk evenly when their sum
// does not fit (Far takes the odd pixel), never below 0.
void ShrinkBorderPair(int& Near, int& Far, int Size);

// Key colour test on a pixel word (the alpha byte plays no part).
inline bool IsKeyPixel(std::uint32_t Pixel) { return (Pixel & 0x00FFFFFFu) == 0x00FF00FFu; }
