// Geometry and composition of the replaced scroll bars (see acSBUtilsScrollBars.h).
#include "skin/subclass/acSBUtilsScrollBars.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "skin/core/acntUtils.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sSectionPaint.h"

void TacScrollBar::ReadScrollInfo(HWND Wnd)
{
    ScrollInfo.cbSize = sizeof(SCROLLINFO);
    ScrollInfo.fMask = SIF_ALL;
    if (!GetScrollInfo(Wnd, Vertical() ? SB_VERT : SB_HORZ, &ScrollInfo)) {
        ScrollInfo = SCROLLINFO{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
    }
}

namespace {

// Differences of two scroll values can leave the int range (nMin far below nMax).
int ClampToInt(std::int64_t Value)
{
    return static_cast<int>(std::clamp<std::int64_t>(Value, INT_MIN, INT_MAX));
}

// Value * Numerator / Denominator rounded half away from zero, 0 for a zero denominator.
int ScaleBy(std::int64_t Value, std::int64_t Numerator, std::int64_t Denominator)
{
    if (Denominator == 0) return 0;
    const std::int64_t product = Value * Numerator;
    const bool negative = (product < 0) != (Denominator < 0);
    const std::int64_t magnitude = product < 0 ? -product : product;
    const std::int64_t divisor = Denominator < 0 ? -Denominator : Denominator;
    const std::int64_t quotient = (magnitude + divisor / 2) / divisor;
    return ClampToInt(negative ? -quotient : quotient);
}

// The arrow length the skin's arrow images ask for, or 0 when the skin does not ask.
int SkinArrowLength(const TsSkin& Skin, bool Vertical)
{
    const TConstantSkinData& cd = Skin.ConstData;
    const int section = Vertical ? cd.IndexScrollTop : cd.IndexScrollLeft;
    const int mask = Vertical ? cd.MaskScrollTop : cd.MaskScrollLeft;
    if (!Skin.IsValidSkinIndex(section) || !Skin.gd[section].ReservedBoolean || !Skin.IsValidImgIndex(mask)) return 0;
    const TsMaskData& m = Skin.ma[mask];
    return Vertical ? m.FrameHeight() : m.FrameWidth();
}

// Start and end of R along the bar's axis.
int AxisStart(const TacScrollBar& Bar, const TRect& R) { return Bar.Vertical() ? R.top : R.left; }
int AxisLength(const TacScrollBar& Bar, const TRect& R) { return Bar.Vertical() ? R.bottom - R.top : R.right - R.left; }

} // namespace

int ScrollBarSize(const TacScrollBar& Bar, bool Thickness, const TsSkin* Skin)
{
    if (Bar.nBarType != SB_BAR_HORZ && Bar.nBarType != SB_BAR_VERT) return 0;
    if (Thickness) {
        if (Bar.nArrowWidth >= 0) return Bar.nArrowWidth;
        return -Bar.nArrowWidth * GetSystemMetrics(Bar.Vertical() ? SM_CXVSCROLL : SM_CYHSCROLL);
    }
    if (Bar.nArrowLength >= 0) return Bar.nArrowLength;
    int length = ScrollArrowWidth;
    if (Skin != nullptr) length = std::max(length, SkinArrowLength(*Skin, Bar.Vertical()));
    return -Bar.nArrowLength * length;
}

void GetThumbMetrics(const TacScrollBar& Bar, const TRect& R, int& ThumbSize, int& ThumbStart)
{
    const SCROLLINFO& si = Bar.ScrollInfo;
    const int arrow = ScrollBarSize(Bar, false, nullptr);
    const int track = AxisLength(Bar, R) - 2 * arrow;
    const std::int64_t range = std::int64_t(si.nMax) - si.nMin + 1;
    if (si.nPage == 0)
        ThumbSize = arrow;
    else if (range > 0)
        ThumbSize = std::max(ScaleBy(si.nPage, track, range), Bar.nMinThumbSize);
    else
        ThumbSize = 0;
    int offset = 0;
    if (range > 0) {
        const std::int64_t positions = range - std::max<std::int64_t>(1, si.nPage);
        // No positions to spread over (a page as long as the range): the thumb stays at the start.
        offset = positions > 0 ? ScaleBy(std::int64_t(si.nPos) - si.nMin, track - ThumbSize, positions) : 0;
        offset = std::max(0, std::min(offset, track - ThumbSize));
    }
    ThumbStart = AxisStart(Bar, R) + arrow + offset;
}

bool ThumbFits(const TacScrollBar& Bar, int Length, int ArrowLength, int ThumbSize)
{
    const SCROLLINFO& si = Bar.ScrollInfo;
    const int track = Length - 2 * ArrowLength;
    const int share = std::max(ScaleBy(si.nPage, track, std::int64_t(si.nMax) - si.nMin), Bar.nMinThumbSize);
    return (Bar.Vertical() ? ThumbSize > 0 : share > 0) && track >= share;
}

int ScrollBarPortion(const TacScrollBar& Bar, const TRect& R, int X, int Y)
{
    const bool vertical = Bar.Vertical();
    const int across = vertical ? X : Y;
    const int along = vertical ? Y : X;
    const int acrossStart = vertical ? R.left : R.top;
    const int acrossEnd = vertical ? R.right : R.bottom;
    if (across < acrossStart || across >= acrossEnd) return sbpNone;
    const int start = AxisStart(Bar, R);
    const int length = AxisLength(Bar, R);
    const int end = start + length;
    const int arrow = ScrollBarSize(Bar, false, nullptr);
    const int d = 2 * arrow < length ? arrow : length / 2;
    if (along >= start && along < start + d) return sbpArrowBefore;
    if (along >= end - d && along < end) return sbpArrowAfter;
    int thumbSize = 0;
    int thumbStart = 0;
    GetThumbMetrics(Bar, R, thumbSize, thumbStart);
    if (thumbSize >= length - 2 * arrow) return sbpNone;
    if (along >= thumbStart && along < thumbStart + thumbSize) return sbpThumb;
    if (along >= start + d && along < thumbStart) return sbpPageBefore;
    if (along >= thumbStart + thumbSize && along < end - d) return sbpPageAfter;
    return sbpNone;
}

int ThumbDragPosition(const SCROLLINFO& Info, int Offset, int TrackLength, int ThumbSize)
{
    const std::int64_t lastPos =
        std::max<std::int64_t>(Info.nMin, std::int64_t(Info.nMax) - std::max<std::int64_t>(1, Info.nPage) + 1);
    const std::int64_t span = TrackLength - ThumbSize;
    if (span <= 0) return Info.nMin;
    const std::int64_t pos = Info.nMin + ScaleBy(std::clamp<std::int64_t>(Offset, 0, span), lastPos - Info.nMin, span);
    return ClampToInt(std::clamp<std::int64_t>(pos, Info.nMin, lastPos));
}

// ---- Composition ----

namespace {

// The skin entries of one part of a bar.
struct TScrollPartSkin {
    int Section;
    int Border;
    int Texture;
    int HotTexture;
    const wchar_t* Name;
    int Glyph;
};

TScrollPartSkin ArrowSkin(const TConstantSkinData& cd, bool Vertical, bool After)
{
    if (Vertical)
        return After ? TScrollPartSkin{cd.IndexScrollBottom, cd.MaskScrollBottom, cd.IndexBGScrollBottom,
                                       cd.IndexBGHotScrollBottom, L"SCROLLBTNBOTTOM", cd.MaskArrowBottom}
                     : TScrollPartSkin{cd.IndexScrollTop, cd.MaskScrollTop, cd.IndexBGScrollTop,
                                       cd.IndexBGHotScrollTop, L"SCROLLBTNTOP", cd.MaskArrowTop};
    return After ? TScrollPartSkin{cd.IndexScrollRight, cd.MaskScrollRight, cd.IndexBGScrollRight,
                                   cd.IndexBGHotScrollRight, L"SCROLLBTNRIGHT", cd.MaskArrowRight}
                 : TScrollPartSkin{cd.IndexScrollLeft, cd.MaskScrollLeft, cd.IndexBGScrollLeft,
                                   cd.IndexBGHotScrollLeft, L"SCROLLBTNLEFT", cd.MaskArrowLeft};
}

TScrollPartSkin TrackSkin(const TConstantSkinData& cd, bool Vertical, bool After)
{
    if (Vertical)
        return After ? TScrollPartSkin{cd.IndexScrollBar2V, cd.MaskScrollBar2V, cd.BGScrollBar2V, cd.BGHotScrollBar2V,
                                       L"SCROLLBAR2V", -1}
                     : TScrollPartSkin{cd.IndexScrollBar1V, cd.MaskScrollBar1V, cd.BGScrollBar1V, cd.BGHotScrollBar1V,
                                       L"SCROLLBAR1V", -1};
    return After ? TScrollPartSkin{cd.IndexScrollBar2H, cd.MaskScrollBar2H, cd.BGScrollBar2H, cd.BGHotScrollBar2H,
                                   L"SCROLLBAR2H", -1}
                 : TScrollPartSkin{cd.IndexScrollBar1H, cd.MaskScrollBar1H, cd.BGScrollBar1H, cd.BGHotScrollBar1H,
                                   L"SCROLLBAR1H", -1};
}

TScrollPartSkin ThumbSkin(const TConstantSkinData& cd, bool Vertical)
{
    return Vertical ? TScrollPartSkin{cd.IndexSliderVert, cd.MaskSliderVert, cd.ScrollSliderBGVert,
                                      cd.ScrollSliderBGHotVert, L"SCROLLSLIDERV", cd.MaskSliderGlyphVert}
                    : TScrollPartSkin{cd.IndexSliderHorz, cd.MaskSliderHorz, cd.ScrollSliderBGHorz,
                                      cd.ScrollSliderBGHotHorz, L"SCROLLSLIDERH", cd.MaskSliderGlyphHorz};
}

// The rectangle From .. To along the bar, across its whole thickness.
TRect Span(const TacScrollBarLook& Look, int From, int To)
{
    return Look.Vertical ? TRect{0, From, Look.Thickness, To} : TRect{From, 0, To, Look.Thickness};
}

TPoint Moved(TPoint Origin, const TRect& R) { return TPoint{Origin.x + R.left, Origin.y + R.top}; }

// Draws one image of a glyph mask centred in Area.
void DrawCentredGlyph(TBitmap* Bmp, const TsSkin& Skin, int MaskIndex, const TRect& Area, int State)
{
    const TsMaskData* mask = SkinMask(&Skin, MaskIndex);
    if (mask == nullptr) return;
    const int x = (Area.right - Area.left - mask->FrameWidth()) / 2 + Area.left;
    const int y = (Area.bottom - Area.top - mask->FrameHeight()) / 2 + Area.top;
    DrawMaskImage(Bmp, TPoint{x, y}, State, MakeCacheInfo(Bmp, 0, 0), *mask, 1, &Skin);
}

// A button-like part (arrow or thumb) composed on its own, then copied into the bar.
void DrawButtonPart(TBitmap* Bmp, const TsSkin& Skin, const TScrollPartSkin& Part, const TRect& R, int State,
                    const TRect& GlyphArea, const TCacheInfo& BG, TPoint Origin)
{
    const int w = R.right - R.left;
    const int h = R.bottom - R.top;
    if (w <= 0 || h <= 0) return;
    auto part = MakeBitmap32(w, h);
    CopyPixelBlock(part.get(), TRect{0, 0, w, h}, Bmp, R.left, R.top);
    DrawSectionWithIndexes(Part.Section, Part.Border, Part.Texture, Part.HotTexture, &Skin, part.get(),
                           Moved(Origin, R), TRect{0, 0, w, h}, State, BG, Part.Name);
    DrawCentredGlyph(part.get(), Skin, Part.Glyph, GlyphArea, State);
    CopyPixelBlock(Bmp, R, part.get(), 0, 0);
}

// An arrow button over R; its glyph sits in a square of the system's arrow size at the
// button's outer end.
void DrawArrowButton(TBitmap* Bmp, const TsSkin& Skin, const TacScrollBarLook& Look, bool After, const TRect& R,
                     int State, const TCacheInfo& BG, TPoint Origin)
{
    const int w = R.right - R.left;
    const int h = R.bottom - R.top;
    TRect glyph{0, 0, w, h};
    if (Look.Vertical) {
        if (After) glyph.top = h - ScrollArrowWidth; else glyph.bottom = ScrollArrowWidth;
    } else {
        if (After) glyph.left = w - ScrollArrowWidth; else glyph.right = ScrollArrowWidth;
    }
    DrawButtonPart(Bmp, Skin, ArrowSkin(Skin.ConstData, Look.Vertical, After), R, State, glyph, BG, Origin);
}

void DrawTrackPart(TBitmap* Bmp, const TsSkin& Skin, const TacScrollBarLook& Look, bool After, const TRect& R,
                   int State, const TCacheInfo& BG, TPoint Origin)
{
    const TScrollPartSkin part = TrackSkin(Skin.ConstData, Look.Vertical, After);
    DrawSectionWithIndexes(part.Section, part.Border, part.Texture, part.HotTexture, &Skin, Bmp, Origin, R, State,
                           BG, part.Name);
}

} // namespace

void ComposeScrollBar(TBitmap* Bmp, const TacScrollBarLook& Look, const TsSkin* Skin, const TCacheInfo& BG,
                      TPoint Origin)
{
    if (Bmp == nullptr || Skin == nullptr || Look.Length <= 0 || Look.Thickness <= 0) return;
    const int length = Look.Length;
    const int b = Look.ArrowLength;
    if (2 * b < length) {
        const int split = std::clamp(Look.ThumbStart + Look.ThumbSize / 2, 0, length);
        DrawTrackPart(Bmp, *Skin, Look, false, Span(Look, 0, split), Look.PageStates[0], BG, Origin);
        DrawTrackPart(Bmp, *Skin, Look, true, Span(Look, split, length), Look.PageStates[1], BG, Origin);
        DrawArrowButton(Bmp, *Skin, Look, false, Span(Look, 0, b), Look.ArrowStates[0], BG, Origin);
        DrawArrowButton(Bmp, *Skin, Look, true, Span(Look, length - b, length), Look.ArrowStates[1], BG, Origin);
        if (Look.ThumbShown && Look.ThumbSize > 0) {
            const TRect thumb = Span(Look, Look.ThumbStart, Look.ThumbStart + Look.ThumbSize);
            const TRect glyphArea{0, 0, thumb.right - thumb.left, thumb.bottom - thumb.top};
            DrawButtonPart(Bmp, *Skin, ThumbSkin(Skin->ConstData, Look.Vertical), thumb, Look.ThumbState, glyphArea,
                           BG, Origin);
        }
    } else {
        const int half = length / 2;
        DrawTrackPart(Bmp, *Skin, Look, false, Span(Look, 0, half), 0, BG, Origin);
        DrawTrackPart(Bmp, *Skin, Look, true, Span(Look, half, length), 0, BG, Origin);
        DrawArrowButton(Bmp, *Skin, Look, false, Span(Look, 0, half), Look.ArrowStates[0], BG, Origin);
        DrawArrowButton(Bmp, *Skin, Look, true, Span(Look, half, length), Look.ArrowStates[1], BG, Origin);
    }
}

void FadeScrollBar(TBitmap* Bmp, const TCacheInfo& BG, TPoint Origin)
{
    if (Bmp == nullptr || Bmp->Width() <= 0 || Bmp->Height() <= 0) return;
    if (BG.Ready && BG.Bmp != nullptr) {
        // The part of the bar lying outside the background keeps its own look.
        const TRect src{BG.X + Origin.x, BG.Y + Origin.y, BG.X + Origin.x + Bmp->Width() - 1,
                        BG.Y + Origin.y + Bmp->Height() - 1};
        BlendBitmapKeyed(Bmp, 0, 0, BG.Bmp, src, 0.4, 0xFF00FF);
    } else {
        ShadeRoundedRect(Bmp, TRect{0, 0, Bmp->Width() + 1, Bmp->Height() + 1}, 60, 0, 0, BG.FillColor);
    }
}

void DrawSizeGrip(TBitmap* Bmp, const TsSkin* Skin, TPoint Corner)
{
    if (Bmp == nullptr || Skin == nullptr) return;
    const int global = Skin->ConstData.IndexGLobalInfo;
    if (!Skin->IsValidSkinIndex(global)) return;
    const TsMaskData* grip = SkinMask(Skin, Skin->GetMaskIndex(global, L"GLOBALINFO", L"GRIPIMAGE"));
    if (grip == nullptr) return;
    DrawMaskImage(Bmp, TPoint{Corner.x - grip->FrameWidth(), Corner.y - grip->FrameHeight()}, 0,
                  MakeCacheInfo(Bmp, 0, 0), *grip, 1, Skin);
}
