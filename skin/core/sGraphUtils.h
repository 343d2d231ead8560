#pragma once
// Unit sGraphUtils: making 32-bit bitmaps and working on their colours: mixing and swapping
// colour values, the keyed copies and weighted blends that glyphs and masks are drawn with, hue,
// saturation and grey transforms, button glyph states and their layout beside a caption, small
// frame painters, a soft rounded shading and filtered resampling. The unit also finds the
// layered-window entry points once, at start-up, for whoever composes layered windows.
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "skin/core/sAlphaGraph.h"

// A pf32bit DIB of the given size, white with alpha 0 as the framework makes new bitmaps.
std::unique_ptr<TBitmap> MakeBitmap32(int Width, int Height);
std::unique_ptr<TBitmap> MakeSameSizeBitmap(TBitmap* Bmp);

// Exchanges the low and third bytes: a TColor becomes a pixel word and back.
constexpr std::uint32_t SwapRedBlue(std::uint32_t Value)
{
    return (Value & 0xFF00FF00u) | ((Value & 0xFFu) << 16) | ((Value >> 16) & 0xFFu);
}
// round(A * Weight + B * (1 - Weight)) per channel, Weight 0..1; A's high byte is kept.
TColor MixColors(TColor A, TColor B, double Weight);

// Blends the inclusive SrcRect into Dst at (X, Y): d' = s * (1 - Weight) + d * Weight; source
// words equal to Key are skipped; alpha stays.
void BlendBitmapKeyed(TBitmap* Dst, int X, int Y, TBitmap* Src, TRect SrcRect, double Weight, std::uint32_t Key);
// Non-key pixels move towards Color: d' = Weight * (d - c) + c.
void TintBitmap(TBitmap* Bmp, TColor Color, double Weight);
// Copies the whole Src at (X, Y) with alpha 255, leaving out the pixels of TransColor.
void PutBitmapTransparent(TBitmap* Dst, TBitmap* Src, int X, int Y, TColor TransColor);
// Copies the inclusive SrcRect at (X, Y); pixels equal to the pixel word Key are filled from
// the background CI describes (or left out) instead.
void CopyAreaKeyed(TBitmap* Dst, TBitmap* Src, int X, int Y, bool FromBackground, const TCacheInfo& CI,
                   std::uint32_t Key, TRect SrcRect);
// Copies the inclusive SrcRect at (X, Y), leaving out the pixels of colour Key with alpha 0.
void CopyAreaTransparent(TBitmap* Dst, TBitmap* Src, int X, int Y, TColor Key, TRect SrcRect);

// Colour transforms. Amounts: degrees of hue, percent of saturation (negative: towards grey).
std::uint32_t ChangeSaturation(int Amount, std::uint32_t Value);
TColor ShiftColorSaturation(TColor Value, int Amount);
std::uint32_t ChangeHue(int Amount, std::uint32_t Pixel);
TColor ShiftColorHue(int Amount, TColor Color);
// Key pixels and grey pixels are left as they are.
void ShiftBitmapHue(TBitmap* Bmp, int Amount);
void ShiftBitmapSaturation(TBitmap* Bmp, int Amount);
// Red, green and blue become their mean; key pixels (and those equal to Keep) stay.
void MakeBitmapGray(TBitmap* Bmp);
void MakeBitmapGrayExcept(TBitmap* Bmp, std::uint32_t Keep);

// One frame of a button glyph (a strip of FrameCount frames) at R's top-left in the 32-bit Dst.
// Kind 0 normal, 1 hot, 2 by State; DisabledOptions as for PaintDisabledLook.
void DrawGlyphState(TBitmap* Glyph, TBitmap* Dst, const TRect& R, int State, int BlendPercent, int Kind,
                    int DisabledOptions, bool Enabled, int FrameCount);
// Places a glyph and a caption in Client. Layout 0 glyph left, 1 right, 2 top, 3 bottom;
// Alignment 0 start, 1 end, 2 centre; Margin or Spacing -1: shared out evenly.
void CalcGlyphTextLayout(const TRect& Client, TSize GlyphSize, TSize TextSize, int BiDiFlags, TRect& TextRect,
                         TPoint& GlyphPos, int Spacing, int Margin, int Alignment, int Layout);
// Width rings: left and top lines in Color1, right and bottom ones in Color2. R shrinks by
// Width on each side and Width becomes 0.
void DrawTwoToneFrame(HDC DC, TRect& R, TColor Color1, int& Width, TColor Color2);
void DrawDottedFrame(TCanvas* Canvas, const TRect& R, TColor Color1, TColor Color2);
// Color shows through R down to the level Transparency (percent), fading out over Size pixels
// towards the rounded edge.
void ShadeRoundedRect(TBitmap* Bmp, const TRect& R, int Transparency, int Radius, int Size, TColor Color);

// Resizes Src into Dst with filter 0 (box), 1 (triangle), 2 (Hermite), 3 (bell), 4 (B-spline),
// 5 (windowed sinc) or 6 (Mitchell). Src is converted to pf32bit or pf24bit as it is used.
// Raises Exception "Source bitmap is too small" below 2 x 2 pixels.
void ResampleBitmap(TBitmap* Src, TBitmap* Dst, int NewWidth, int Filter, int NewHeight);

// Layered-window entry points of user32, looked up once at start-up (null when absent).
using TUpdateLayeredWindowFunc = BOOL(WINAPI*)(HWND, HDC, POINT*, SIZE*, HDC, POINT*, COLORREF, BLENDFUNCTION*, DWORD);
using TSetLayeredWindowAttributesFunc = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
extern TUpdateLayeredWindowFunc UpdateLayeredWindowFunc;
extern TSetLayeredWindowAttributesFunc SetLayeredWindowAttributesFunc;
bool LayeredWindowsAvailable();

// ---- Text with effects (sGraphUtilsText.cpp) ----
// Captions in a section's font colours: a main colour per state and up to four contour colours
// drawn one pixel off, a glow of the state's colour behind the text, and a mixed colour for
// disabled text. The measuring helpers are the ones every skinned control shares.
class TFont;
class TsCommonData;
class TsSkinManager;

// DrawTextW of the whole text; its result (the text height).
int DCDrawText(HDC DC, const String& Text, TRect& R, UINT Format);
int CanvasTextWidth(TCanvas* Canvas, const String& Text);
int CanvasTextHeight(TCanvas* Canvas, const String& Text);
TSize CanvasTextSize(TCanvas* Canvas, const String& Text);
void CanvasTextRect(TCanvas* Canvas, const TRect& R, int X, int Y, const String& Text);
void DCTextSize(HDC DC, const String& Text, TSize& Size);
// Measured on the screen's context with the font's handle; 0 x 0 when measuring fails.
void FontTextSize(TFont* Font, const String& Text, TSize& Size);
// The text when it fits Width, else its longest prefix that still fits with "..." appended;
// empty when Width <= 0 or not even one character and "..." fit.
void FitTextWithEllipsis(TCanvas* Canvas, const String& Text, int Width, String& Result);
// Text in the colours of section SkinIndex of Manager (the default manager when null).
void DrawSectionText(TCanvas* Canvas, const String& Text, bool Enabled, TsSkinManager* Manager, bool Hot,
                     int SkinIndex, UINT Format, TRect R);
// A control's caption in the colours, glow, hue and saturation of its skin state.
void DrawControlText(TCanvas* Canvas, const String& Text, bool Enabled, bool Hot, TsCommonData* Data, UINT Format,
                     TRect R);
// Glow side bits of PaintTextGlow.
inline constexpr int gsLeft = 1, gsTop = 2, gsRight = 4, gsBottom = 8, gsAll = 15;
// Paints a glow of GlowColor, GlowSize pixels wide, around the text at R of the 32-bit Bmp.
// Mask is the caller's blurred 8-bit text mask: made when missing or of another size, reused
// as it is otherwise (even for another text).
void PaintTextGlow(TBitmap* Bmp, const String& Text, const TRect& R, std::unique_ptr<TBitmap>& Mask,
                   TColor GlowColor, int GlowSize, int Sides, UINT Format);
// The Gaussian weights of BlurBitmap8 for Radius, from -H to H (2H + 1 values summing to 1):
// the tails whose weights do not change a byte are cut off.
std::vector<double> GaussianKernel(double Radius);
// Gaussian blur in place of a pf8bit bitmap (any other bitmap, or Radius <= 0, is left alone).
void BlurBitmap8(TBitmap* Bmp, double Radius);
