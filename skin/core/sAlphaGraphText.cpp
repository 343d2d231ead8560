// Text written into 32-bit bitmaps so that their alpha survives: the system's text output clears
// the alpha byte of every pixel it touches, so the glyphs are drawn on a scratch picture and
// composed into the target pixel by pixel.
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sGraphUtilsPixels.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sSkinManager.h"

using namespace skinpixels;

void WriteTextToBitmap32(TBitmap* Bmp, const String& Text, const TRect& R, UINT Format, TColor Color, bool AnsiText)
{
    const int width = R.right - R.left, height = R.bottom - R.top;
    if (Bmp == nullptr || Text.empty() || width <= 0 || height <= 0) return;
    TRows dst;
    if (!dst.Attach(Bmp)) return;
    auto scratch = MakeBitmap32(width, height);
    TCanvas* c = scratch->Canvas();
    c->Font()->Assign(Bmp->Canvas()->Font());
    c->Font()->SetColor(clBlack);
    c->Brush()->SetColor(clWhite);
    c->Brush()->SetStyle(bsClear);
    HDC dc = c->Handle();
    SelectObject(dc, c->Font()->Handle());
    SetTextColor(dc, 0);
    SetBkColor(dc, 0xFFFFFF);
    SetBkMode(dc, TRANSPARENT);
    RECT r{0, 0, width, height};
    if (AnsiText) {
        const int n = WideCharToMultiByte(CP_ACP, 0, Text.c_str(), static_cast<int>(Text.size()), nullptr, 0, nullptr, nullptr);
        std::string ansi(n, '\0');
        WideCharToMultiByte(CP_ACP, 0, Text.c_str(), static_cast<int>(Text.size()), ansi.data(), n, nullptr, nullptr);
        DrawTextA(dc, ansi.c_str(), n, &r, Format);
    } else {
        DrawTextW(dc, Text.c_str(), static_cast<int>(Text.size()), &r, Format);
    }
    GdiFlush();

    TRows src;
    if (!src.Attach(scratch.get())) return;
    const std::uint32_t colour = SwapRedBlue(static_cast<std::uint32_t>(Color)) & 0xFFFFFFu;
    for (int y = 0; y < height; ++y) {
        const int ty = R.top + y;
        if (ty < 0 || ty >= dst.Height) continue;
        const std::uint32_t* s = src.Row32(y);
        for (int x = 0; x < width; ++x) {
            const int tx = R.left + x;
            if (tx < 0 || tx >= dst.Width || (s[x] & 0xFFFFFFu) == 0xFFFFFFu) continue;
            const std::uint32_t g = (B(s[x], 0) + B(s[x], 8) + B(s[x], 16)) / 3;
            std::uint32_t& p = dst.At(tx, ty);
            std::uint32_t out = 0xFF000000u;
            for (int shift = 0; shift < 24; shift += 8) {
                const int cc = B(colour, shift), t = B(p, shift);
                out |= std::uint32_t(ClampByte(cc + (t - cc) * static_cast<int>(g) / 256)) << shift;
            }
            p = out;
        }
    }
}

void DrawSectionText32(TBitmap* Bmp, const String& Text, bool Enabled, TsSkinManager* Manager, bool Hot,
                       int SkinIndex, UINT Format, const TRect& R, bool AnsiText)
{
    if (Manager == nullptr) Manager = TsSkinManager::DefaultSkinManager();
    if (Text.empty() || Manager == nullptr || Bmp == nullptr) return;
    if (!Manager->IsValidSkinIndex(SkinIndex)) {
        WriteTextToBitmap32(Bmp, Text, R, Format, Bmp->Canvas()->Font()->Color(), AnsiText);
        return;
    }
    const TsGeneralData& section = Manager->gd[SkinIndex];
    const TsFontColor& colors = section.Props[Hot && section.States > 0 ? 1 : 0].FontColor;
    if (Enabled) {
        const struct {
            TColor Color;
            int DX, DY;
        } contours[] = {{colors.Left, -1, 0}, {colors.Top, 0, -1}, {colors.Right, 1, 0}, {colors.Bottom, 0, 1}};
        for (const auto& c : contours)
            if (c.Color != static_cast<TColor>(-1))
                WriteTextToBitmap32(Bmp, Text, TRect{R.left + c.DX, R.top + c.DY, R.right + c.DX, R.bottom + c.DY},
                                    Format, c.Color, AnsiText);
    }
    WriteTextToBitmap32(Bmp, Text, R, Format, colors.Color, AnsiText);
}
