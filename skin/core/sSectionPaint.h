#pragma once
// Unit sSectionPaint: painting one state (normal, hot, ...) of a skin section into a rectangle of
// a 32-bit bitmap, normally a control's cache: the state's background (colour, texture or
// pattern, gradient, each with its share, and the section's transparency against what lies
// behind the control), then the corner images and the border. Also how a child asks its parent
// what lies behind it (the background query over the skin message), and the small fills and
// copies the painters and their callers share. Nothing keeps state between calls and nothing
// raises: an index outside the tables, an empty or misplaced rectangle paints nothing.
#include <windows.h>

#include <cstdint>

#include "framework/graphics/Bitmap.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sConst.h"
#include "skin/core/sMaskData.h"

class TControl;
class TsCommonData;

// What a child passes by address with AC_QUERYBGINFO to learn what lies behind it.
struct TBackgroundQuery {
    TBitmap* Bitmap = nullptr;  // the answering parent's cache (Kind 2); not owned
    TColor Color = 0;           // the background colour (Kind 1)
    std::int32_t OffsetX = 0;   // where the child's origin lies in Bitmap
    std::int32_t OffsetY = 0;
    TRect Rect{0, 0, 0, 0};     // area the asker wants drawn
    std::uint8_t Kind = 0;      // 0 not answered, 1 plain colour, 2 bitmap
    std::uint8_t DrawRequested = 0;
    HDC DC = nullptr;
};

inline constexpr std::uint8_t bgkNone = 0;
inline constexpr std::uint8_t bgkColor = 1;
inline constexpr std::uint8_t bgkBitmap = 2;

// ---- Background query ----

// True when the window (control) answered. Nobody answering: a drawing asker gets the window
// painted into Query.DC; otherwise the query becomes a plain colour (the control's colour answer
// or its Color; for a window the default skin colour).
bool QueryWndBackground(TBackgroundQuery& Query, HWND Wnd, bool ReceiverDraws);
bool QueryControlBackground(TBackgroundQuery& Query, TControl* Control, bool ReceiverDraws);
TCacheInfo BackgroundToCacheInfo(const TBackgroundQuery& Query);

// ---- Section painting (the Skin holds the section and mask tables, none: the default manager's;
// Offset is where R's origin lies in the background CI describes; R is exclusive) ----

// The state's background only. CustomColor $FF00FF: the section's own colour and transparency.
void DrawSectionBackground(int SkinIndex, const String& Section, const TCacheInfo& CI, int State, const TRect& R,
                           TPoint Offset, TBitmap* Bmp, const TsSkin* Skin, int Texture, int HotTexture,
                           TColor CustomColor = NoSkinColor);
// Background, corner images and border.
void DrawSection(int SkinIndex, const String& Section, const TCacheInfo& CI, int HotTexture, int Texture,
                 const TsSkin* Skin, TBitmap* Bmp, TPoint Offset, const TRect& R, int State);
// The section's four corner images at R's corners.
void DrawSectionCorners(const TsSkin* Skin, int SkinIndex, TBitmap* Bmp, const TRect& R, int State);
// DrawSection into a bitmap of R's size, copied to DC at R.
void DrawSectionToDC(int SkinIndex, const String& Section, const TCacheInfo& CI, const TsSkin* Skin, HDC DC,
                     TPoint Offset, const TRect& R, int State);
// The background with the given textures and the border BorderIndex; no corner images.
void DrawSectionWithIndexes(int SkinIndex, int BorderIndex, int Texture, int HotTexture, const TsSkin* Skin,
                            TBitmap* Bmp, TPoint Offset, const TRect& R, int State, const TCacheInfo& CI,
                            const String& Section);
// Paints section Name (else FallbackName) over the whole Bmp, over SrcDC's pixels at R's
// top-left or over FillColor; the index used, -1 when neither is a section.
int DrawSectionByName(TBitmap* Bmp, const String& Name, const String& FallbackName, HDC SrcDC, TColor FillColor,
                      const TRect& R, const TsSkin* Skin, int State);

// ---- A control's whole look from its skin state ----

void DrawControlBackground(TsCommonData* Data, const TCacheInfo& CI, int State, TBitmap* Bmp, TPoint Offset,
                           const TRect& R);
void DrawControlSkin(TsCommonData* Data, const TCacheInfo& CI, bool FromBackground, TBitmap* Bmp, TPoint Offset,
                     const TRect& R, int State);
// The same over the background Parent answers; the border before the corners, no colour shift.
void DrawControlSkinOnParent(TsCommonData* Data, TControl* Parent, bool FromBackground, TBitmap* Bmp, TPoint Offset,
                             const TRect& R, int State);

// ---- Fills and copies shared with the callers ----

void PaintColorRect(HDC DC, const TRect& R, TColor Color);
// The ring inside R: top WT high, left WL wide, bottom WB high, right WR wide.
void PaintColorFrame(HDC DC, const TRect& R, int WL, TColor Color, int WB, int WR, int WT);
// Copies the ring of thickness W of (X, Y, Width, Height) from SrcDC at (SrcX, SrcY).
void CopyFrameStrips(HDC DstDC, int X, int Y, int Width, int Height, HDC SrcDC, int SrcX, int SrcY, int W);
// Excludes from DC's clip the bounds (moved by the offsets) of Control's visible graphic children.
void ClipOutChildren(HDC DC, TControl* Control, int OffsetX, int OffsetY);
// Every pixel of R becomes Percent percent of itself and the rest Color; alpha stays.
void BlendColorPercent(TBitmap* Bmp, const TRect& R, int Percent, TColor Color);

// ---- The texture painters ----

// Paints the texture mask (a plain one, by its DrawMode) into R of Bmp; R comes back as the part
// left uncovered, or with Right -1 when all of it was covered.
void PaintTextureMask(TBitmap* Bmp, TRect& R, const TsMaskData& Mask, const TsSkin* Skin);
// Tiles a picture over R from R's top-left; R comes back covered.
void PaintTexturePicture(TBitmap* Bmp, TRect& R, TBitmap* Picture);
// A masked texture (MaskType above 0) by its DrawMode 0 or 10; key pixels show CI's background.
void PaintMaskedTexture(TBitmap* Bmp, const TRect& R, const TsMaskData& Mask, const TCacheInfo& CI, const TsSkin* Skin);
