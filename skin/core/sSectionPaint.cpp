// sSectionPaint: a section state's background, its layers and textures, corner images and
// border, and the shared fills and copies.
#include "skin/core/sSectionPaint.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "framework/system/Exceptions.h"
#include "skin/core/sGradient.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sGraphUtilsPixels.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sSkinManager.h"

using namespace skinpixels;

namespace {

// A painter given no skin paints from the default manager's.
const TsSkin* SkinOrDefault(const TsSkin* Skin)
{
    return Skin != nullptr ? Skin : SkinOfManager(TsSkinManager::DefaultSkinManager());
}

// The texture mode that paints rows of whole tiles and leaves the band below alone.
constexpr int dmTileRows = 10;

bool EmptyRect(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

bool InsideBitmap(const TRect& R, TBitmap* Bmp)
{
    return R.left >= 0 && R.top >= 0 && R.right <= Bmp->Width() && R.bottom <= Bmp->Height();
}

std::uint8_t PercentToAlpha(int Percent) { return static_cast<std::uint8_t>(std::clamp(Percent * 255 / 100, 0, 255)); }

// The paint parameters of one state of a section.
struct TStateLook {
    TColor Color = 0;
    int Transparency = 0;
    int ImagePercent = 0;
    int GradientPercent = 0;
    TsGradArray Gradient;
    // The texture: a mask index, else a pattern picture; neither when both are unset.
    int TextureMask = -1;
    TBitmap* Pattern = nullptr;
};

int LowerState(const TsGeneralData& Section, int State) { return std::max(0, std::min(State, Section.States - 1)); }

// A gradient text that does not parse paints as none: painting never raises.
TsGradArray ParsedGradient(const String& Text)
{
    TsGradArray steps;
    try {
        ParseGradientData(Text, steps);
    } catch (const Exception&) {
        steps.clear();
    }
    return steps;
}

TBitmap* PatternPicture(const TsSkin& Skin, int SkinIndex, const String& Section, const String& Name)
{
    const int p = Skin.GetPatternIndex(SkinIndex, Section, Name);
    if (p < 0 || p >= static_cast<int>(Skin.pa.size())) return nullptr;
    TBitmap* img = Skin.pa[p].Img.get();
    return img != nullptr && !img->Empty() ? img : nullptr;
}

// The state's texture for an explicit index (-1: looked up by name); WithPatternFallback also
// tries the JPEG pattern of that name.
void ChooseTexture(TStateLook& Look, const TsSkin& Skin, int SkinIndex, const String& Section, int State, int Texture,
                   int HotTexture, bool ByName)
{
    const int given = State == 0 ? Texture : HotTexture;
    const String name = State == 0 ? L"PATTERN" : L"HOTPATTERN";
    if (Skin.IsValidImgIndex(given)) {
        if (Skin.ma[given].MaskType == 0) Look.TextureMask = given;
    } else if (given < 0 && ByName) {
        const int found = Skin.GetTextureIndex(SkinIndex, Section, name);
        if (Skin.IsValidImgIndex(found)) Look.TextureMask = found;
    }
    if (Look.TextureMask < 0 && ByName) Look.Pattern = PatternPicture(Skin, SkinIndex, Section, name);
}

TStateLook SectionLook(const TsSkin& Skin, int SkinIndex, const String& Section, int State, int Texture, int HotTexture,
                       TColor CustomColor, bool ByName)
{
    TStateLook look;
    if (CustomColor != NoSkinColor) {
        look.Color = CustomColor;
        return look;
    }
    const TsGeneralData& gd = Skin.gd[SkinIndex];
    const bool hot = State != 0;
    look.Color = hot ? gd.HotColor : gd.Color;
    look.Transparency = hot ? gd.HotTransparency : gd.Transparency;
    if (look.Transparency == 100) return look;
    look.ImagePercent = hot ? gd.HotImagePercent : gd.ImagePercent;
    look.GradientPercent = hot ? gd.HotGradientPercent : gd.GradientPercent;
    look.Gradient = ParsedGradient(hot ? gd.HotGradientData : gd.GradientData);
    if (look.ImagePercent > 0) ChooseTexture(look, Skin, SkinIndex, Section, State, Texture, HotTexture, ByName);
    return look;
}

TColor PixelColor(TColor Color) { return ColorToRGB(SkinColorToRGB(Color)); }

// The background CI describes copied into R, or R filled with its colour.
void PutBackground(TBitmap* Bmp, const TRect& R, const TCacheInfo& CI, TPoint Offset)
{
    if (!CI.Ready) {
        FillBitmapRect(Bmp, R, PixelColor(CI.FillColor));
    } else if (CI.Bmp != Bmp) {
        CopyPixelBlock(Bmp, R, CI.Bmp, CI.X + Offset.x, CI.Y + Offset.y);
    }
}

// Gradient steps, or the plain colour when there are none.
void PaintGradientOrColor(TBitmap* Bmp, const TRect& R, const TStateLook& Look)
{
    if (Look.Gradient.empty())
        FillBitmapRect(Bmp, R, PixelColor(Look.Color));
    else
        PaintGradient(Bmp, R, Look.Gradient);
}

// Variant differences of the layer painter: the general one tries the combined pass; the one
// with explicit indexes fills over-full shares with the colour.
struct TLayerOptions {
    bool CombinedPass = true;
    bool FillWhenOverfull = false;
};

void PaintLayers(TBitmap* Target, const TRect& RL, const TStateLook& Look, const TCacheInfo& CI, const TsSkin& Skin,
                 const TLayerOptions& Options)
{
    if (EmptyRect(RL)) return;
    const int ip = Look.ImagePercent, gp = Look.GradientPercent;
    const TsMaskData* texture = SkinMask(&Skin, Look.TextureMask);
    if (Options.CombinedPass && ip + gp == 100 && gp >= 1 && gp <= 99 && texture != nullptr && texture->MaskType == 0 &&
        texture->DrawMode == 0 && !Look.Gradient.empty() && Look.Gradient[0].Mode1 < 2) {
        TBitmap* src = MaskSourceBitmap(*texture, &Skin);
        if (src != nullptr) {
            const TRect frame{texture->R.left, texture->R.top, texture->R.left + texture->FrameWidth(),
                              texture->R.top + texture->FrameHeight()};
            PaintGradientTextured(Target, RL, Look.Gradient, ip * 255 / 100, frame, src);
            return;
        }
    }
    bool textured = false;
    if (ip > 0 && (texture != nullptr || Look.Pattern != nullptr)) {
        TRect rest = RL;
        if (Look.Pattern != nullptr && texture == nullptr)
            PaintTexturePicture(Target, rest, Look.Pattern);
        else if (texture->MaskType > 0) {
            PaintMaskedTexture(Target, RL, *texture, CI, &Skin);
            rest.right = -1;
        } else
            PaintTextureMask(Target, rest, *texture, &Skin);
        if (rest.right != -1) FillBitmapRect(Target, rest, PixelColor(Look.Color));
        textured = true;
    }
    if (gp > 0) {
        if (textured) {
            auto tmp = MakeBitmap32(RL.right - RL.left, RL.bottom - RL.top);
            PaintGradientOrColor(tmp.get(), TRect{0, 0, tmp->Width(), tmp->Height()}, Look);
            BlendBitmapArea(Target, tmp.get(), PercentToAlpha(ip), TRect{0, 0, tmp->Width(), tmp->Height()},
                            TPoint{RL.left, RL.top});
        } else {
            PaintGradientOrColor(Target, RL, Look);
        }
    }
    const int share = ip + gp;
    if (share == 0 || (Options.FillWhenOverfull && share > 100)) {
        // Without a known background a see-through colour has nothing to mix with: it is painted
        // as it is rather than mixed with the key colour.
        TColor c = Look.Color;
        if (Options.FillWhenOverfull && !CI.Ready && Look.Transparency == 100) c = CI.FillColor;
        FillBitmapRect(Target, RL, PixelColor(c));
    } else if (share <= 99) {
        BlendColorPercent(Target, RL, share, Look.Color);
    }
}

TCacheInfo MovedBy(TCacheInfo CI, TPoint Offset)
{
    CI.X += Offset.x;
    CI.Y += Offset.y;
    return CI;
}

// Paints the layers over the background CI describes with transparency T.
void PaintOverBackground(TBitmap* Bmp, const TRect& R, TPoint Offset, const TCacheInfo& CI, const TStateLook& Look,
                         const TsSkin& Skin, const TLayerOptions& Options, bool MixPlainColour)
{
    const int t = Look.Transparency;
    if ((!CI.Ready && CI.FillColor == NoSkinColor) || t == 0) {
        PaintLayers(Bmp, R, Look, CI, Skin, Options);
    } else if (t == 100) {
        PutBackground(Bmp, R, CI, Offset);
    } else if (!MixPlainColour || CI.Ready || Look.ImagePercent + Look.GradientPercent > 0) {
        auto tmp = MakeBitmap32(R.right - R.left, R.bottom - R.top);
        // The temporary bitmap's origin lies where R's does: at CI's place moved by Offset.
        PaintLayers(tmp.get(), TRect{0, 0, tmp->Width(), tmp->Height()}, Look, MovedBy(CI, Offset), Skin, Options);
        PutBackground(Bmp, R, CI, Offset);
        BlendBitmapArea(Bmp, tmp.get(), PercentToAlpha(t), TRect{0, 0, tmp->Width(), tmp->Height()},
                        TPoint{R.left, R.top});
    } else {
        FillBitmapRect(Bmp, R, MixColors(PixelColor(CI.FillColor), PixelColor(Look.Color), t / 100.0));
    }
}

} // namespace

// --- Section painting ----------------------------------------------------------------------------

void DrawSectionBackground(int SkinIndex, const String& Section, const TCacheInfo& CI, int State, const TRect& R,
                           TPoint Offset, TBitmap* Bmp, const TsSkin* Skin, int Texture, int HotTexture,
                           TColor CustomColor)
{
    Skin = SkinOrDefault(Skin);
    if (Skin == nullptr || !Skin->IsValidSkinIndex(SkinIndex) || Bmp == nullptr || EmptyRect(R)) return;
    State = LowerState(Skin->gd[SkinIndex], State);
    const TStateLook look = SectionLook(*Skin, SkinIndex, Section, State, Texture, HotTexture, CustomColor, true);
    PaintOverBackground(Bmp, R, Offset, CI, look, *Skin, TLayerOptions{}, true);
    if (State != 0) return;
    const int overlay = Texture >= 0 ? Texture : HotTexture;
    const TsMaskData* mask = SkinMask(Skin, overlay);
    if (mask != nullptr && mask->MaskType > 0 && mask->DrawMode == dmTileRows)
        PaintMaskedTexture(Bmp, R, *mask, MovedBy(CI, Offset), Skin);
}

void DrawSection(int SkinIndex, const String& Section, const TCacheInfo& CI, int HotTexture, int Texture,
                 const TsSkin* Skin, TBitmap* Bmp, TPoint Offset, const TRect& R, int State)
{
    Skin = SkinOrDefault(Skin);
    if (Bmp == nullptr || Bmp->Empty() || EmptyRect(R) || Skin == nullptr || !Skin->IsValidSkinIndex(SkinIndex) ||
        !InsideBitmap(R, Bmp))
        return;
    const TsGeneralData& gd = Skin->gd[SkinIndex];
    State = LowerState(gd, State);
    DrawSectionBackground(SkinIndex, Section, CI, State, R, Offset, Bmp, Skin, Texture, HotTexture);
    DrawSectionCorners(Skin, SkinIndex, Bmp, R, State);
    if (const TsMaskData* border = SkinMask(Skin, gd.BorderIndex))
        DrawMaskBorder(Bmp, R, MovedBy(CI, Offset), *border, State, true, Skin);
}

void DrawSectionCorners(const TsSkin* Skin, int SkinIndex, TBitmap* Bmp, const TRect& R, int State)
{
    Skin = SkinOrDefault(Skin);
    if (Skin == nullptr || !Skin->IsValidSkinIndex(SkinIndex)) return;
    const TsGeneralData& gd = Skin->gd[SkinIndex];
    // Corner images take the key pixels' background from the bitmap itself.
    const TCacheInfo self = MakeCacheInfo(Bmp, 0, 0);
    auto corner = [&](int Index, bool Right, bool Bottom) {
        const TsMaskData* m = SkinMask(Skin, Index);
        if (m == nullptr) return;
        const TPoint at{Right ? R.right - m->FrameWidth() : R.left, Bottom ? R.bottom - m->FrameHeight() : R.top};
        DrawMaskImage(Bmp, at, State, self, *m, 1, Skin);
    };
    corner(gd.ImgTL, false, false);
    corner(gd.ImgTR, true, false);
    corner(gd.ImgBL, false, true);
    corner(gd.ImgBR, true, true);
}

void DrawSectionToDC(int SkinIndex, const String& Section, const TCacheInfo& CI, const TsSkin* Skin, HDC DC,
                     TPoint Offset, const TRect& R, int State)
{
    Skin = SkinOrDefault(Skin);
    if (Skin == nullptr || !Skin->IsValidSkinIndex(SkinIndex) || EmptyRect(R) || R.left < 0 || R.top < 0) return;
    auto tmp = MakeBitmap32(R.right - R.left, R.bottom - R.top);
    DrawSection(SkinIndex, Section, CI, -1, -1, Skin, tmp.get(), Offset, TRect{0, 0, tmp->Width(), tmp->Height()}, State);
    const int saved = SaveDC(DC);
    BitBlt(DC, R.left, R.top, tmp->Width(), tmp->Height(), tmp->Canvas()->Handle(), 0, 0, SRCCOPY);
    RestoreDC(DC, saved);
}

void DrawSectionWithIndexes(int SkinIndex, int BorderIndex, int Texture, int HotTexture, const TsSkin* Skin,
                            TBitmap* Bmp, TPoint Offset, const TRect& R, int State, const TCacheInfo& CI,
                            const String& Section)
{
    Skin = SkinOrDefault(Skin);
    if (Skin == nullptr || !Skin->IsValidSkinIndex(SkinIndex) || Bmp == nullptr || EmptyRect(R)) return;
    State = LowerState(Skin->gd[SkinIndex], State);
    const TStateLook look = SectionLook(*Skin, SkinIndex, Section, State, Texture, HotTexture, NoSkinColor, false);
    // Without a background colour the see-through share cannot be mixed: the layers go straight in.
    const TCacheInfo ci = CI;
    if (!ci.Ready || look.Transparency == 0)
        PaintLayers(Bmp, R, look, ci, *Skin, TLayerOptions{false, true});
    else
        PaintOverBackground(Bmp, R, Offset, ci, look, *Skin, TLayerOptions{false, true}, false);
    if (const TsMaskData* border = SkinMask(Skin, BorderIndex))
        DrawMaskBorder(Bmp, R, MovedBy(CI, Offset), *border, State, true, Skin);
}

int DrawSectionByName(TBitmap* Bmp, const String& Name, const String& FallbackName, HDC SrcDC, TColor FillColor,
                      const TRect& R, const TsSkin* Skin, int State)
{
    Skin = SkinOrDefault(Skin);
    if (Skin == nullptr) return -1;
    int index = Skin->GetSkinIndex(Name);
    if (!Skin->IsValidSkinIndex(index)) index = Skin->GetSkinIndex(FallbackName);
    if (!Skin->IsValidSkinIndex(index)) return -1;
    if (Bmp == nullptr || Bmp->Empty()) return index;
    TCacheInfo ci;
    if (SrcDC != nullptr) {
        BitBlt(Bmp->Canvas()->Handle(), 0, 0, Bmp->Width(), Bmp->Height(), SrcDC, R.left, R.top, SRCCOPY);
        ci = MakeCacheInfo(Bmp, 0, 0);
    } else {
        ci.FillColor = FillColor;
        ci.Ready = false;
    }
    DrawSection(index, Skin->gd[index].ClassName, ci, -1, -1, Skin, Bmp, TPoint{0, 0},
                TRect{0, 0, Bmp->Width(), Bmp->Height()}, State);
    return index;
}

// --- Texture painters ----------------------------------------------------------------------------

void PaintTexturePicture(TBitmap* Bmp, TRect& R, TBitmap* Picture)
{
    if (Picture == nullptr || Picture->Empty()) return;
    if (Picture->BitsPerPixel() == 32) {
        TilePixelBlock(Bmp, R, Picture, TRect{0, 0, Picture->Width(), Picture->Height()});
    } else {
        HDC dc = Bmp->Canvas()->Handle();
        const int saved = SaveDC(dc);
        IntersectClipRect(dc, R.left, R.top, R.right, R.bottom);
        HDC src = Picture->Canvas()->Handle();
        for (int y = R.top; y < R.bottom; y += Picture->Height())
            for (int x = R.left; x < R.right; x += Picture->Width())
                BitBlt(dc, x, y, Picture->Width(), Picture->Height(), src, 0, 0, SRCCOPY);
        RestoreDC(dc, saved);
    }
    R.right = -1;
}

void PaintTextureMask(TBitmap* Bmp, TRect& R, const TsMaskData& Mask, const TsSkin* Skin)
{
    TBitmap* src = MaskSourceBitmap(Mask, Skin);
    const int fw = Mask.FrameWidth(), fh = Mask.FrameHeight();
    if (src == nullptr || fw <= 0 || fh <= 0 || EmptyRect(R)) return;
    const TRect frame{Mask.R.left, Mask.R.top, Mask.R.left + fw, Mask.R.top + fh};
    auto tile = [&](const TRect& Band) { TilePixelBlock(Bmp, Band, src, frame); };
    auto stretch = [&](const TRect& Band) { StretchPixelBlock(Bmp, Band, src, frame); };
    const int bandH = std::min<int>(fh, R.bottom - R.top), bandW = std::min<int>(fw, R.right - R.left);
    switch (Mask.DrawMode) {
    case 0:
        tile(R);
        R.right = -1;
        return;
    case dmTileRows:
        for (int y = R.top; y < R.bottom - fh; y += fh) tile(TRect{R.left, y, R.right, y + fh});
        R.right = -1;
        return;
    case 1:
        stretch(R);
        R.right = -1;
        return;
    case 2:
        tile(TRect{R.left, R.top, R.right, R.top + bandH});
        R.top += bandH;
        return;
    case 3:
        tile(TRect{R.left, R.top, R.left + bandW, R.bottom});
        R.left += bandW;
        return;
    case 4:
        stretch(TRect{R.left, R.top, R.right, R.top + bandH});
        R.top += bandH;
        return;
    case 5:
        stretch(TRect{R.left, R.top, R.left + bandW, R.bottom});
        R.left += bandW;
        return;
    case 6:
        tile(TRect{R.left, R.bottom - bandH, R.right, R.bottom});
        R.bottom -= bandH;
        return;
    case 7:
        tile(TRect{R.right - bandW, R.top, R.right, R.bottom});
        R.right -= bandW;
        return;
    default:
        tile(TRect{R.right - bandW, R.top, R.right, R.bottom});
        return;
    }
}

void PaintMaskedTexture(TBitmap* Bmp, const TRect& R, const TsMaskData& Mask, const TCacheInfo& CI, const TsSkin* Skin)
{
    TRows d, s, bg;
    if (!d.Attach(Bmp) || !s.Attach(MaskSourceBitmap(Mask, Skin))) return;
    if (Mask.DrawMode != 0 && Mask.DrawMode != dmTileRows) return;
    const int w = Mask.FrameWidth(), h = Mask.FrameHeight();
    if (w <= 0 || h <= 0) return;
    const int maskOffset = (Mask.R.bottom - Mask.R.top) / (Mask.MaskType + 1);
    const bool fromBitmap = CI.Ready && CI.FillColor == NoSkinColor && bg.Attach(CI.Bmp);
    const std::uint32_t fill = SwapRedBlue(static_cast<std::uint32_t>(PixelColor(CI.FillColor))) | 0xFF000000u;
    auto background = [&](int X, int Y, std::uint32_t& Pixel) {
        if (fromBitmap) {
            if (bg.Inside(X + CI.X, Y + CI.Y)) Pixel = bg.At(X + CI.X, Y + CI.Y);
        } else {
            Pixel = fill;
        }
    };
    const bool wholeColumns = Mask.DrawMode == dmTileRows;
    int lastRowEnd = R.top, lastColumnEnd = R.left;
    for (int y = R.top; y < R.bottom - h; y += h) {
        lastRowEnd = y + h;
        for (int x = R.left; wholeColumns ? x < R.right - w : x < R.right; x += w) {
            lastColumnEnd = x + w;
            for (int ty = 0; ty < h; ++ty) {
                const int dy = y + ty, sy = Mask.R.top + ty;
                if (dy < 0 || dy >= d.Height || !s.Inside(0, sy + maskOffset)) continue;
                for (int tx = 0; tx < w && x + tx < R.right; ++tx) {
                    const int dx = x + tx, sx = Mask.R.left + tx;
                    if (dx < 0 || dx >= d.Width || !s.Inside(sx, sy)) continue;
                    const std::uint32_t image = s.At(sx, sy);
                    std::uint32_t& pixel = d.At(dx, dy);
                    if (IsKeyPixel(image))
                        background(dx, dy, pixel);
                    else
                        pixel = ComposeMaskedPixel(pixel, image, s.At(sx, sy + maskOffset)) | (pixel & 0xFF000000u);
                }
            }
        }
    }
    if (!wholeColumns) return;
    // The bands the whole tiles did not reach show the background.
    auto showBackground = [&](const TRect& Band) {
        for (int y = std::max<int>(Band.top, 0); y < std::min<int>(Band.bottom, d.Height); ++y)
            for (int x = std::max<int>(Band.left, 0); x < std::min<int>(Band.right, d.Width); ++x)
                background(x, y, d.At(x, y));
    };
    showBackground(TRect{lastColumnEnd, R.top, R.right, lastRowEnd});
    showBackground(TRect{R.left, lastRowEnd, R.right, R.bottom});
}

// --- Fills and copies ----------------------------------------------------------------------------

namespace {

// Restores a device context's state and deletes a brush however the painting ends.
struct TSolidBrushScope {
    HDC DC;
    int Saved;
    HBRUSH Brush;
    TSolidBrushScope(HDC ADC, TColor Color)
        : DC(ADC), Saved(SaveDC(ADC)), Brush(CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(Color)))) {}
    ~TSolidBrushScope()
    {
        RestoreDC(DC, Saved);
        DeleteObject(Brush);
    }
    void Fill(int L, int T, int R, int B) const
    {
        if (R <= L || B <= T) return;
        RECT r{L, T, R, B};
        FillRect(DC, &r, Brush);
    }
};

} // namespace

void PaintColorRect(HDC DC, const TRect& R, TColor Color)
{
    if (DC == nullptr) return;
    TSolidBrushScope scope(DC, Color);
    scope.Fill(R.left, R.top, R.right, R.bottom);
}

void PaintColorFrame(HDC DC, const TRect& R, int WL, TColor Color, int WB, int WR, int WT)
{
    if (DC == nullptr) return;
    TSolidBrushScope scope(DC, Color);
    scope.Fill(R.left, R.top, R.right, R.top + WT);
    scope.Fill(R.left, R.top + WT, R.left + WL, R.bottom);
    scope.Fill(R.left + WL, R.bottom - WB, R.right, R.bottom);
    scope.Fill(R.right - WR, R.top + WT, R.right, R.bottom - WB);
}

void CopyFrameStrips(HDC DstDC, int X, int Y, int Width, int Height, HDC SrcDC, int SrcX, int SrcY, int W)
{
    if (W <= 0 || Width <= 0 || Height <= 0) return;
    BitBlt(DstDC, X, Y, W, Height, SrcDC, SrcX, SrcY, SRCCOPY);
    BitBlt(DstDC, X + W, Y, Width - W, W, SrcDC, SrcX + W, SrcY, SRCCOPY);
    BitBlt(DstDC, X + Width - W, Y + W, W, Height - W, SrcDC, SrcX + Width - W, SrcY + W, SRCCOPY);
    BitBlt(DstDC, X + W, Y + Height - W, Width - 2 * W, W, SrcDC, SrcX + W, SrcY + Height - W, SRCCOPY);
}

void BlendColorPercent(TBitmap* Bmp, const TRect& R, int Percent, TColor Color)
{
    TRows d;
    if (!d.Attach(Bmp)) return;
    const double p = Percent / 100.0;
    const std::uint32_t c = SwapRedBlue(static_cast<std::uint32_t>(PixelColor(Color)));
    for (int y = std::max<int>(R.top, 0); y < std::min<int>(R.bottom, d.Height); ++y) {
        std::uint32_t* row = d.Row32(y);
        for (int x = std::max<int>(R.left, 0); x < std::min<int>(R.right, d.Width); ++x) {
            std::uint32_t out = row[x] & 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8)
                out |= std::uint32_t(ClampByte(std::lround(p * B(row[x], shift) + (1 - p) * B(c, shift)))) << shift;
            row[x] = out;
        }
    }
}
