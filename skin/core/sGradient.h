#pragma once
// Unit sGradient: the gradients a skin section may paint its background with. The options text
// describes a gradient as a row of numbers ("Color1;Color2;Percent;Mode;-" per step); it is parsed
// once when the skin loads and painted into 32-bit bitmaps whenever a section is drawn: vertical
// or horizontal chains of linear ramps, a four-triangle gradient through the system's
// GradientFill (looked up at start-up; without it that kind paints nothing), and the same ramps
// with a texture laid over them in one pass.
#include "framework/graphics/Bitmap.h"
#include "skin/core/sConst.h"

// Fills Steps from a description text (empty text: no steps). Fields are ";"-separated, empty
// fields vanish, and every five fields make one step; a trailing incomplete group is dropped.
// Colours below 0 become 0, percentages are held to 0..100. A field that is not an integer
// raises EConvertError.
void ParseGradientData(const String& Text, TsGradArray& Steps);

// Paints Steps into the exclusive rectangle R of the 32-bit Bmp (clipped to it), alpha 255.
void PaintGradient(TBitmap* Bmp, const TRect& R, const TsGradArray& Steps);

// A vertical or horizontal gradient with the TexRect tile of TexBmp (all of it when TexRect is
// empty) blended over it: TextureWeight 0..255 is the texture's share.
void PaintGradientTextured(TBitmap* Bmp, const TRect& R, const TsGradArray& Steps, int TextureWeight,
                           const TRect& TexRect, TBitmap* TexBmp);

// The system's triangle gradient is available (msimg32's GradientFill was found).
bool GradientFillAvailable();
