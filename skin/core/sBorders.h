#pragma once
// Unit sBorders: the border painters for special callers, beside the general nine-part border
// of sMaskDraw. A control's border painted into its cache over the parent's background and
// copied out to a device context (panels, frames, form frames); a border mask laid over a whole
// bitmap while its transparent corner pixels are cut out of a window region (shaped buttons);
// and a nine-part copy of any bordered picture with per-edge tile or stretch modes and L-shaped
// corners (form borders and shadows). All of them clip to the bitmaps they are given.
#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "skin/core/sMaskData.h"

class TsCommonData;

// Edge and centre modes of CopyBorderedImage.
inline constexpr int bmTile = 0;
inline constexpr int bmStretch = 1;

// Fills four bands of R: top (full width, Top high), left (below it, Left wide), bottom (right
// of the left band, Bottom high) and right (between the top and bottom bands, Right wide).
void FillBitmapFrame(TBitmap* Bmp, const TRect& R, int Left, TColor Color, int Bottom, int Right, int Top);

// Paints the border of Data's control into its cache at R and copies the BorderWidth ring to
// DC; ClientRect becomes the area inside the border (left alone without a border mask).
void PaintBorderFromMask(HDC DC, const TRect& R, int BorderWidth, TRect& ClientRect, int State, TsCommonData* Data);

// Copies the inclusive source area of the mask's picture into the inclusive destination area of
// Dst; with Transparent the key pixels are not drawn but cut out of Region (which may be 0).
void CopyMaskPartToRegion(int DstLeft, int DstTop, int DstRight, bool Transparent, const TsMaskData& Mask, HRGN Region,
                          TBitmap* Dst, int SrcBottom, int SrcRight, int SrcTop, int SrcLeft, int DstBottom,
                          const TsSkin* Skin);

// Lays the state frame of the border mask over the whole Bmp; the key pixels of its corners are
// cut out of Region. The centre is painted only with FillCentre and the mask's centre bit.
void StretchMaskBorder(TBitmap* Bmp, HRGN Region, bool FillCentre, int State, const TsMaskData& Mask,
                       const TsSkin* Skin);

// Nine-part copy of SrcRect of Src into DstRect of Dst. Corners = sizes of the corner pieces
// (left, top, right, bottom), Bands = thickness of the edge bands, EdgeModes per edge and
// CentreMode: bmTile, bmStretch, anything else not drawn.
void CopyBorderedImage(TBitmap* Dst, TBitmap* Src, const TRect& DstRect, bool FillCentre, int CentreMode,
                       const TRect& EdgeModes, const TRect& Bands, const TRect& Corners, const TRect& SrcRect);
