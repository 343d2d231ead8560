#pragma once
// Unit sAlphaGraph: direct pixel work on the 32-bit bitmaps in which every skinned picture is
// composed (pixels blue, green, red, alpha; the whole word $00FF00FF is the transparent key).
// TacFast32 addresses one bitmap, TacFastSum32 blends one into another; the procedures fill,
// blend and composite with a key on top of them. Nothing here keeps state between calls, and
// nothing reads or writes outside the bitmaps it is given, whatever rectangle it is passed.
#include <cstddef>
#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "skin/core/sConst.h"

class TControl;

// Direct access to one 32-bit bitmap; the address arithmetic copes with bottom-up rows, which is
// why it needs bitmaps at least 2 pixels high and wide.
class TacFast32 : public TObject {
public:
    bool Attach(TBitmap* Bmp);
    // Colour in pixel order (blue low); written at alpha 255, which is also stored into Color.
    void FillBitmap(std::uint32_t Color);
    // Exclusive rectangle, clipped to the bitmap.
    void FillRect(const TRect& R, std::uint32_t& Color);
    // Colour values with red low and the pixel's alpha high; outside the bitmap ReadPixel answers
    // the key $FF00FF and WritePixel does nothing.
    TColor ReadPixel(int X, int Y) const;
    void WritePixel(int X, int Y, TColor Color);

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }

    TBitmap* FBitmap = nullptr;
    int FWidth = 0;
    int FHeight = 0;
    std::ptrdiff_t FDelta = 0;
    std::uint8_t* FStart = nullptr;
    int FLength = 0;
    std::uint8_t* DstStart = nullptr;
};

// Blends an area of one 32-bit bitmap into an area of another, every byte alike.
class TacFastSum32 : public TObject {
public:
    bool Attach(TBitmap* Src, TBitmap* Dst);
    // Destination byte d and source byte s give (d * Alpha + s * (255 - Alpha) + 127) >> 8 over
    // the destination area; the parts of the areas outside either bitmap are left out.
    void BlendBitmapsRect();
    // The same over the whole common area.
    void BlendBitmaps();

    TBitmap* FBmpSrc = nullptr;
    TBitmap* FBmpDst = nullptr;
    int FWidthDst = 0;
    int FHeightDst = 0;
    std::uint8_t* FStartSrc = nullptr;
    std::uint8_t* FStartDst = nullptr;
    std::ptrdiff_t FDeltaSrc = 0;
    std::ptrdiff_t FDeltaDst = 0;
    std::uint8_t Alpha = 0; // weight of the destination: 255 keeps it
    int DstX1 = 0, DstY1 = 0, DstX2 = 0, DstY2 = 0;
    int SrcX1 = 0, SrcY1 = 0, SrcX2 = 0, SrcY2 = 0;
};

// Fills the exclusive rectangle R with Color (a TColor) at alpha 255; bitmaps 1 pixel high too.
void FillBitmapRect(TBitmap* Bmp, const TRect& R, TColor Color);
// Writes Alpha into the alpha byte over R (exclusive); OnlyNonKey leaves key pixels alone.
void SetRectOpacity(TBitmap* Bmp, const TRect& R, std::uint8_t Alpha, bool OnlyNonKey);

// Alpha is the weight of the destination (255 keeps it). Bitmaps of different sizes: nothing.
void BlendBitmapsWhole(TBitmap* Dst, TBitmap* Src, std::uint8_t Alpha);
// Blends the exclusive SrcRect with its top-left at DstPoint, clipped to both bitmaps.
void BlendBitmapArea(TBitmap* Dst, TBitmap* Src, std::uint8_t Alpha, TRect SrcRect, TPoint DstPoint);
// Each pixel moves towards Color as far as the mask's channel is dark (black: the colour,
// white: the pixel). Bitmaps of different sizes: nothing.
void BlendColorByMask(TBitmap* Bmp, TBitmap* Mask, TColor Color);
// Out = B + (A - B) * w / 256 per channel, w being Weight or WeightBmp's channel when given.
void MixBitmaps(TBitmap* Out, TBitmap* A, TBitmap* B, std::uint8_t Weight, TBitmap* WeightBmp = nullptr);
// Channel 0 blue, 1 green, 2 red, 3 alpha: into the 8-bit bitmap when Extract, back otherwise.
void CopyBitmapChannel(TBitmap* Bmp32, TBitmap* Bmp8, int Channel, bool Extract);

// Composites the exclusive SrcRect of Src over DstRect of Dst by the source's alpha; key pixels
// take the background under them when FromBackground (see TCacheInfo).
void CopyKeyedBitmap(const TRect& DstRect, const TRect& SrcRect, TBitmap* Dst, TBitmap* Src, const TCacheInfo& CI,
                     bool FromBackground);
// For glyphs and image-list items: Src is made 32-bit first; Transparency in percent (0: the
// source's own alpha, 100: invisible); TintColor clNone: no tint; Reflection adds a fading mirror
// image below DstRect.
void CopyKeyedBitmapBlend(const TRect& DstRect, const TRect& SrcRect, TBitmap* Dst, TBitmap* Src, const TCacheInfo& CI,
                          bool FromBackground, TColor TintColor, int Transparency, bool Reflection);

// The disabled look: Options bit 2 greys, bit 1 fades towards the background under Bmp.
void PaintDisabledLook(TBitmap* Bmp, int Options, TControl* Control, TPoint Offset, const TCacheInfo& CI);

// ---- Text written into 32-bit bitmaps (sAlphaGraphText.cpp) ----
class TsSkinManager;
// Writes Text in Color into R of the 32-bit Bmp with Bmp's canvas font: glyph pixels take the
// colour (antialiased edges blend with what lies under them) and alpha 255; the pixels around
// the glyphs keep their colour and alpha. AnsiText draws through the 8-bit text entry.
void WriteTextToBitmap32(TBitmap* Bmp, const String& Text, const TRect& R, UINT Format, TColor Color,
                         bool AnsiText = false);
// Text in the colours of section SkinIndex (contours and main colour) written into a 32-bit bitmap.
void DrawSectionText32(TBitmap* Bmp, const String& Text, bool Enabled, TsSkinManager* Manager, bool Hot,
                       int SkinIndex, UINT Format, const TRect& R, bool AnsiText = false);
