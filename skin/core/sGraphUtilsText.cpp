// Text with effects on canvases: contours, glow, disabled mixing, and the shared measuring helpers.
#include <algorithm>
#include <cmath>

#include "framework/controls/Controls.h"
#include "framework/graphics/DrawingGuards.h"
#include "framework/system/ScopeGuards.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sGraphUtilsPixels.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManager.h"

using namespace skinpixels;

namespace {

// A contour colour and the offset it is drawn at, in drawing order.
struct TContour {
    TColor TsFontColor::*Color;
    int DX;
    int DY;
};
constexpr TContour Contours[] = {
    {&TsFontColor::Left, -1, 0}, {&TsFontColor::Top, 0, -1}, {&TsFontColor::Right, 1, 0}, {&TsFontColor::Bottom, 0, 1}};

constexpr TColor NoContour = -1;

TRect OffsetRectBy(const TRect& R, int DX, int DY) { return TRect{R.left + DX, R.top + DY, R.right + DX, R.bottom + DY}; }

TsSkinManager* ManagerOrDefault(TsSkinManager* Manager)
{
    return Manager != nullptr ? Manager : TsSkinManager::DefaultSkinManager();
}

// The state record of the section: the hot one only where the section has a hot state.
const TsGenState& StateOf(const TsGeneralData& Section, bool Hot)
{
    return Section.Props[Hot && Section.States > 0 ? 1 : 0];
}

void DrawCanvasText(TCanvas* Canvas, const String& Text, TRect R, UINT Format, TColor Color)
{
    Canvas->Font()->SetColor(Color);
    String text = Text;
    Canvas->TextRect(R, text, Format);
}

TColor ShiftedByControl(const TsCommonData* Data, TColor Color)
{
    if (Data->HUEOffset() != 0) Color = ShiftColorHue(Data->HUEOffset(), Color);
    if (Data->Saturation() != 0) Color = ShiftColorSaturation(Color, Data->Saturation());
    return Color;
}

// Contours of the state (those not -1), then the main colour.
template <class TColorOf>
void DrawContouredText(TCanvas* Canvas, const String& Text, const TRect& R, UINT Format, const TsFontColor& Colors,
                       UINT MainFormat, TColorOf&& ColorOf)
{
    for (const TContour& c : Contours) {
        const TColor color = Colors.*c.Color;
        if (color == NoContour) continue;
        DrawCanvasText(Canvas, Text, OffsetRectBy(R, c.DX, c.DY), Format, ColorOf(color));
    }
    DrawCanvasText(Canvas, Text, R, MainFormat, ColorOf(Colors.Color));
}

bool IsGraphicOwner(TControl* Control)
{
    return Control != nullptr && dynamic_cast<TWinControl*>(Control) == nullptr;
}

} // namespace

// --- Measuring ----------------------------------------------------------------------------------

int DCDrawText(HDC DC, const String& Text, TRect& R, UINT Format)
{
    return DrawTextW(DC, Text.c_str(), static_cast<int>(Text.size()), &R, Format);
}

int CanvasTextWidth(TCanvas* Canvas, const String& Text) { return Canvas->TextExtent(Text).cx; }
int CanvasTextHeight(TCanvas* Canvas, const String& Text) { return Canvas->TextExtent(Text).cy; }
TSize CanvasTextSize(TCanvas* Canvas, const String& Text) { return Canvas->TextExtent(Text); }

void CanvasTextRect(TCanvas* Canvas, const TRect& R, int X, int Y, const String& Text)
{
    Canvas->TextRect(R, X, Y, Text);
}

void DCTextSize(HDC DC, const String& Text, TSize& Size)
{
    Size = TSize{0, 0};
    SIZE s{};
    if (GetTextExtentPoint32W(DC, Text.c_str(), static_cast<int>(Text.size()), &s)) Size = TSize{s.cx, s.cy};
}

void FontTextSize(TFont* Font, const String& Text, TSize& Size)
{
    Size = TSize{0, 0};
    if (Font == nullptr) return;
    HDC dc = GetDC(nullptr);
    if (dc == nullptr) return;
    {
        TSelectedObject font(dc, Font->Handle());
        DCTextSize(dc, Text, Size);
    }
    ReleaseDC(nullptr, dc);
}

void FitTextWithEllipsis(TCanvas* Canvas, const String& Text, int Width, String& Result)
{
    Result.clear();
    if (Width <= 0 || Canvas == nullptr) return;
    if (Canvas->TextWidth(Text) <= Width) {
        Result = Text;
        return;
    }
    const int ellipsis = Canvas->TextWidth(L"...");
    // Prefix widths grow with their length: search the longest that fits beside the ellipsis.
    size_t low = 0, high = Text.size();
    while (low < high) {
        const size_t mid = (low + high + 1) / 2;
        if (Canvas->TextWidth(Text.substr(0, mid)) + ellipsis <= Width) low = mid;
        else high = mid - 1;
    }
    if (low >= 1) Result = Text.substr(0, low) + L"...";
}

// --- Painters -----------------------------------------------------------------------------------

void DrawSectionText(TCanvas* Canvas, const String& Text, bool Enabled, TsSkinManager* Manager, bool Hot,
                     int SkinIndex, UINT Format, TRect R)
{
    Manager = ManagerOrDefault(Manager);
    if (Text.empty() || Canvas == nullptr || Manager == nullptr || !Manager->IsValidSkinIndex(SkinIndex)) return;
    const TsGeneralData& section = Manager->gd[SkinIndex];
    SetBkMode(Canvas->Handle(), TRANSPARENT);
    Canvas->Brush()->SetStyle(bsClear);
    if (Enabled) {
        DrawContouredText(Canvas, Text, R, Format, StateOf(section, Hot).FontColor, Format,
                          [](TColor C) { return C; });
    } else {
        DrawCanvasText(Canvas, Text, R, Format, MixColors(section.Props[0].FontColor.Color, section.Color, 0.4));
    }
}

void DrawControlText(TCanvas* Canvas, const String& Text, bool Enabled, bool Hot, TsCommonData* Data, UINT Format,
                     TRect R)
{
    if (Text.empty() || Canvas == nullptr || Data == nullptr) return;
    TsSkinManager* manager = Data->GetSkinManager();
    const bool skinned = Data->Skinned() && manager != nullptr;
    if (Hot && skinned && Data->SkinSection() == L"WEBBUTTON") {
        TFontStyles style = Canvas->Font()->Style();
        style.Include(fsUnderline);
        Canvas->Font()->SetStyle(style);
    }
    // The saved state comes back without the font and brush the canvas selects below: the
    // canvas must forget them afterwards, or its next text would be drawn in the DC's default
    // face while it believes its own font is in place.
    TScopeExit forgetSelection([Canvas] { Canvas->Refresh(); });
    TSavedDC saved(Canvas->Handle());
    IntersectClipRect(Canvas->Handle(), R.left, R.top, R.right, R.bottom);
    Canvas->Brush()->SetStyle(bsClear);
    SetBkMode(Canvas->Handle(), TRANSPARENT);

    if (!skinned || Data->CustomFont()) {
        if (Enabled) {
            String text = Text;
            Canvas->TextRect(R, text, Format);
        } else {
            DrawCanvasText(Canvas, Text, OffsetRectBy(R, 1, 1), Format, clBtnHighlight);
            DrawCanvasText(Canvas, Text, R, Format, clBtnShadow);
        }
        return;
    }

    int index = Data->SkinIndex;
    TControl* owner = Data->FOwnerControl;
    const bool fontFromParent = Data->COC == 32 || Data->COC == 33 || Data->COC == 74 || IsGraphicOwner(owner);
    if (fontFromParent && owner != nullptr && owner->ParentFont() && owner->Parent() != nullptr &&
        manager->IsValidSkinIndex(index) && StateOf(manager->gd[index], Hot).Transparency > 0)
        index = FontSourceSectionIndex(owner, index, manager);
    if (!manager->IsValidSkinIndex(index)) {
        String text = Text;
        Canvas->TextRect(R, text, Format);
        return;
    }
    const TsGeneralData& section = manager->gd[index];
    const TsGenState& state = StateOf(section, Hot);

    if (Data->CacheBmp() != nullptr && state.GlowSize != 0) {
        std::unique_ptr<TBitmap> mask;
        PaintTextGlow(Data->CacheBmp(), Text, R, mask, ShiftedByControl(Data, state.GlowColor), state.GlowSize, gsAll,
                      Format);
    }
    if (!Enabled) {
        const TColor mixed = MixColors(section.FontColor.Color, ManagerGlobalColor(manager), 0.4);
        DrawCanvasText(Canvas, Text, R, Format, ShiftedByControl(Data, mixed));
        return;
    }
    DrawContouredText(Canvas, Text, R, Format, state.FontColor, Format | DT_NOCLIP,
                      [Data](TColor C) { return ShiftedByControl(Data, C); });
}

// --- Glow ---------------------------------------------------------------------------------------

namespace {

// The text drawn black on white into a Width x Height 8-bit mask, once per side bit and once in
// place. The text is drawn on a 32-bit scratch picture first: the mask's bytes are grey levels,
// whatever palette an 8-bit bitmap carries.
std::unique_ptr<TBitmap> MakeTextMask(TBitmap* Bmp, const String& Text, int Width, int Height, const TRect& TextRect,
                                      int Sides, UINT Format)
{
    auto scratch = MakeBitmap32(Width, Height);
    TCanvas* c = scratch->Canvas();
    c->Brush()->SetColor(clWhite);
    c->Brush()->SetStyle(bsSolid);
    c->FillRect(TRect{0, 0, Width, Height});
    c->Font()->Assign(Bmp->Canvas()->Font());
    c->Font()->SetColor(clBlack);
    c->Brush()->SetStyle(bsClear);
    SetBkMode(c->Handle(), TRANSPARENT);
    const TContour sides[] = {{nullptr, -1, 0}, {nullptr, 0, -1}, {nullptr, 1, 0}, {nullptr, 0, 1}};
    for (int bit = 0; bit < 4; ++bit)
        if (Sides & (1 << bit)) {
            String text = Text;
            TRect r = OffsetRectBy(TextRect, sides[bit].DX, sides[bit].DY);
            c->TextRect(r, text, Format);
        }
    String text = Text;
    TRect r = TextRect;
    c->TextRect(r, text, Format);
    GdiFlush();

    auto mask = std::make_unique<TBitmap>();
    mask->SetPixelFormat(pf8bit);
    mask->SetSize(Width, Height);
    TRows src, dst;
    if (!src.Attach(scratch.get()) || !dst.Attach(mask.get(), 1)) return mask;
    for (int y = 0; y < Height; ++y) {
        const std::uint32_t* s = src.Row32(y);
        std::uint8_t* d = dst.Row(y);
        for (int x = 0; x < Width; ++x) d[x] = B(s[x], 16); // red: the text is black on white
    }
    return mask;
}

} // namespace

void PaintTextGlow(TBitmap* Bmp, const String& Text, const TRect& R, std::unique_ptr<TBitmap>& Mask,
                   TColor GlowColor, int GlowSize, int Sides, UINT Format)
{
    if (Bmp == nullptr || GlowSize <= 0) return;
    const int d = GlowSize + 4;
    const int width = R.right - R.left, height = R.bottom - R.top;
    if (width <= 0 || height <= 0) return;
    const int maskWidth = width + 2 * d, maskHeight = height + 2 * d;
    if (Mask == nullptr || Mask->Width() != maskWidth || Mask->Height() != maskHeight) {
        Mask = MakeTextMask(Bmp, Text, maskWidth, maskHeight, TRect{d, d, d + width, d + height}, Sides, Format);
        BlurBitmap8(Mask.get(), GlowSize);
    }
    TRows mask, dst;
    if (!mask.Attach(Mask.get(), 1) || !dst.Attach(Bmp)) return;
    const std::uint32_t glow = SwapRedBlue(static_cast<std::uint32_t>(GlowColor)) & 0xFFFFFFu;
    for (int y = 0; y < maskHeight; ++y) {
        const int ty = R.top - d + y;
        if (ty < 0 || ty >= dst.Height) continue;
        const std::uint8_t* m = mask.Row(y);
        for (int x = 0; x < maskWidth; ++x) {
            const int tx = R.left - d + x;
            const std::uint32_t mv = m[x];
            if (mv == 255 || tx < 0 || tx >= dst.Width) continue;
            std::uint32_t& p = dst.At(tx, ty);
            std::uint32_t out = 0;
            for (int shift = 0; shift < 24; shift += 8) {
                const int g = B(glow, shift), t = B(p, shift);
                out |= std::uint32_t(ClampByte(g + static_cast<long>(mv) * (t - g) / 255)) << shift;
            }
            const std::uint32_t alpha = B(p, 24);
            out |= std::min<std::uint32_t>(255, alpha + (255 - mv) * (255 - alpha) / 255) << 24;
            p = out;
        }
    }
}

std::vector<double> GaussianKernel(double Radius)
{
    constexpr int Centre = 100;
    double w[2 * Centre + 1];
    double sum = 0;
    for (int i = 0; i <= 2 * Centre; ++i) {
        const double t = (i - Centre) / Radius;
        w[i] = std::exp(-t * t / 2);
        sum += w[i];
    }
    for (double& v : w) v /= sum;
    int h = Centre;
    double dropped = 0;
    while (dropped < 1.0 / 510 && h > 1) {
        dropped += w[Centre - h] + w[Centre + h];
        --h;
    }
    std::vector<double> kernel(w + Centre - h, w + Centre + h + 1);
    double kept = 0;
    for (double v : kernel) kept += v;
    for (double& v : kernel) v /= kept;
    return kernel;
}

void BlurBitmap8(TBitmap* Bmp, double Radius)
{
    TRows rows;
    if (Radius <= 0 || Bmp == nullptr || Bmp->PixelFormat() != pf8bit || !rows.Attach(Bmp, 1)) return;
    // Fixed-point weights summing exactly to 1 << 16, so that a uniform area keeps its value
    // (a white mask stays white) where floating sums would fall a hair short and truncate.
    const std::vector<double> kernel = GaussianKernel(Radius);
    const int h = static_cast<int>(kernel.size()) / 2;
    std::vector<std::int64_t> weight(kernel.size());
    std::int64_t total = 0;
    for (size_t i = 0; i < kernel.size(); ++i) total += weight[i] = std::llround(kernel[i] * 65536.0);
    weight[h] += 65536 - total;

    const int width = rows.Width, height = rows.Height;
    std::vector<std::uint8_t> line(std::max(width, height));
    auto convolve = [&](int Count, auto&& At) {
        for (int i = 0; i < Count; ++i) line[i] = At(i);
        for (int i = 0; i < Count; ++i) {
            std::int64_t s = 0;
            for (int k = -h; k <= h; ++k) s += weight[k + h] * line[std::clamp(i + k, 0, Count - 1)];
            At(i) = ClampByte(static_cast<long>(s >> 16));
        }
    };
    for (int y = 0; y < height; ++y) {
        std::uint8_t* row = rows.Row(y);
        convolve(width, [row](int X) -> std::uint8_t& { return row[X]; });
    }
    for (int x = 0; x < width; ++x)
        convolve(height, [&rows, x](int Y) -> std::uint8_t& { return rows.Row(Y)[x]; });
}
