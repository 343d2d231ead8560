// sGraphUtils: button glyphs (one state of a strip of frames), the layout of glyph and caption,
// two small frame painters and the soft rounded shading.
#include <algorithm>
#include <cmath>

#include "framework/graphics/DrawingGuards.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sGraphUtilsPixels.h"

using namespace skinpixels;

void DrawGlyphState(TBitmap* Glyph, TBitmap* Dst, const TRect& R, int State, int BlendPercent, int Kind,
                    int DisabledOptions, bool Enabled, int FrameCount)
{
    if (Glyph == nullptr || Glyph->Empty() || Dst == nullptr) return;
    TBitmap copy;
    copy.Assign(Glyph);
    copy.SetPixelFormat(pf32bit);
    TRows rows;
    if (!rows.Attach(&copy)) return;
    const int w = rows.Width, h = rows.Height;
    const bool sixteenColours = Glyph->PixelFormat() == pf4bit;
    const double weight = BlendPercent / 100.0;
    // The glyph's transparent colour is its bottom-left pixel, taken as the whole word so that
    // it also matches a 32-bit glyph's own alpha.
    const std::uint32_t trans = rows.At(0, h - 1);
    const TColor transColor = static_cast<TColor>(SwapRedBlue(trans));

    if (FrameCount <= 1) {
        if (Enabled) {
            if (Kind != 0 || BlendPercent < 1) PutBitmapTransparent(Dst, &copy, R.left, R.top, transColor);
            else BlendBitmapKeyed(Dst, R.left, R.top, &copy, TRect{0, 0, w - 1, h - 1}, weight, KeyPixel);
            return;
        }
        // Greying keeps the transparent pixels as they are, or they would be drawn as grey.
        if (DisabledOptions & 2) MakeBitmapGrayExcept(&copy, trans);
        if (DisabledOptions & 1) BlendBitmapKeyed(Dst, R.left, R.top, &copy, TRect{0, 0, w - 1, h - 1}, 0.5, trans);
        else PutBitmapTransparent(Dst, &copy, R.left, R.top, transColor);
        return;
    }

    const int frameWidth = w / FrameCount;
    if (frameWidth < 1) return;
    int index = 0;
    if (Enabled && Kind == 1) {
        index = sixteenColours ? 0 : 1;
    } else if (Enabled && Kind == 2) {
        index = State + 2;
        if (index >= FrameCount) index = sixteenColours ? 0 : std::min(1, FrameCount - 1);
    }
    index = std::clamp(index, 0, FrameCount - 1);
    const TRect frame{index * frameWidth, 0, index * frameWidth + frameWidth - 1, h - 1};
    if (!Enabled && Kind == 0 && BlendPercent > 0) {
        BlendBitmapKeyed(Dst, R.left, R.top, &copy, frame, weight, KeyPixel);
        return;
    }
    const std::uint32_t key = rows.At(Enabled ? frame.left : 0, h - 1);
    CopyAreaTransparent(Dst, &copy, R.left, R.top, static_cast<TColor>(SwapRedBlue(key) & 0xFFFFFF), frame);
}

void CalcGlyphTextLayout(const TRect& Client, TSize GlyphSize, TSize TextSize, int BiDiFlags, TRect& TextRect,
                         TPoint& GlyphPos, int Spacing, int Margin, int Alignment, int Layout)
{
    const int cw = Client.right - Client.left, ch = Client.bottom - Client.top;
    const int gw = GlyphSize.cx, gh = GlyphSize.cy, th = TextSize.cy;
    int tw = TextSize.cx;
    if ((BiDiFlags & 2) && (Layout == 0 || Layout == 1)) Layout = 1 - Layout;
    const bool horizontal = Layout != 2 && Layout != 3;
    int textLeft = 0, textTop = 0;
    GlyphPos = TPoint{0, 0};
    if (horizontal) {
        GlyphPos.y = (ch - gh + 1) / 2;
        textTop = (ch - th + 1) / 2;
    } else {
        GlyphPos.x = (cw - gw + 1) / 2;
        textLeft = (cw - tw + 1) / 2;
    }
    if (tw == 0 || gw == 0) Spacing = 0;
    const int extent = horizontal ? cw : ch, glyph = horizontal ? gw : gh, text = horizontal ? tw : th;
    if (Margin == -1 && Spacing == -1) {
        Margin = Spacing = (extent - glyph - text) / 3;
    } else if (Margin == -1) {
        Margin = Alignment == 2 ? (extent - glyph - Spacing - text + 1) / 2 : 2;
    } else if (Spacing == -1) {
        Spacing = (extent - glyph - Margin - text) / 2;
    }
    switch (Layout) {
    case 2:
        GlyphPos.y = (ch - gh - Spacing - th) / 2;
        textTop = GlyphPos.y + gh + Spacing;
        break;
    case 3:
        GlyphPos.y = ch - gh - (ch - gh - Spacing - th) / 2;
        textTop = GlyphPos.y - Spacing - th;
        break;
    case 1:
        if (Alignment == 2) {
            textLeft = (cw - tw - Spacing - gw) / 2;
            GlyphPos.x = textLeft + tw + Spacing;
        } else if (Alignment == 1) {
            GlyphPos.x = cw - Margin - gw;
            textLeft = GlyphPos.x - Spacing - tw;
        } else {
            GlyphPos.x = Margin + tw + Spacing;
            textLeft = Margin;
        }
        break;
    default:
        if (Alignment == 2) {
            GlyphPos.x = std::max((cw - tw - Spacing - gw) / 2, Margin);
            textLeft = GlyphPos.x + gw + Spacing;
        } else if (Alignment == 1) {
            textLeft = cw - Margin - tw;
            GlyphPos.x = textLeft - Spacing - gw;
        } else {
            GlyphPos.x = Margin;
            textLeft = Margin + gw + Spacing;
            tw = std::max(0, std::min(tw, cw - Margin - textLeft));
        }
    }
    GlyphPos.x += Client.left;
    GlyphPos.y += Client.top;
    TextRect = TRect{Client.left + textLeft, Client.top + textTop, Client.left + textLeft + tw, Client.top + textTop + th};
}

void DrawTwoToneFrame(HDC DC, TRect& R, TColor Color1, int& Width, TColor Color2)
{
    const int rings = std::max(Width, 0);
    HPEN pen1 = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(ColorToRGB(Color1)));
    HPEN pen2 = CreatePen(PS_SOLID, 1, static_cast<COLORREF>(ColorToRGB(Color2)));
    {
        TSelectedObject brush(DC, GetStockObject(NULL_BRUSH));
        TSelectedObject pen(DC, pen1);
        for (int i = 0; i < rings; ++i) {
            const int l = R.left + i, t = R.top + i, r = R.right - 1 - i, b = R.bottom - 1 - i;
            if (r < l || b < t) break;
            // Left and top end short of the corners the other colour draws, as a lit frame has.
            const POINT lit[3] = {{l, b}, {l, t}, {r, t}};
            const POINT shaded[3] = {{r, t}, {r, b}, {l - 1, b}};
            SelectObject(DC, pen1);
            Polyline(DC, lit, 3);
            SelectObject(DC, pen2);
            Polyline(DC, shaded, 3);
        }
    }
    DeleteObject(pen1);
    DeleteObject(pen2);
    InflateRect(&R, -rings, -rings);
    Width = 0;
}

void DrawDottedFrame(TCanvas* Canvas, const TRect& R, TColor Color1, TColor Color2)
{
    if (Canvas == nullptr || R.right <= R.left || R.bottom <= R.top) return;
    for (int x = R.left + 2; x < R.right; x += 3) {
        for (int y : {static_cast<int>(R.top), static_cast<int>(R.bottom) - 1}) {
            Canvas->SetPixels(x - 1, y, Color1);
            Canvas->SetPixels(x, y, Color2);
        }
    }
    for (int y = R.top + 2; y < R.bottom; y += 3) {
        for (int x : {static_cast<int>(R.left), static_cast<int>(R.right) - 1}) {
            Canvas->SetPixels(x, y - 1, Color1);
            Canvas->SetPixels(x, y, Color2);
        }
    }
}

void ShadeRoundedRect(TBitmap* Bmp, const TRect& R, int Transparency, int Radius, int Size, TColor Color)
{
    TRows rows;
    if (!rows.Attach(Bmp)) return;
    const int left = std::max<int>(R.left, 0), top = std::max<int>(R.top, 0);
    const int width = std::min<int>(R.right, rows.Width) - left, height = std::min<int>(R.bottom, rows.Height) - top;
    if (width <= 0 || height <= 0) return;
    auto area = MakeBitmap32(width, height);
    auto mask = MakeBitmap32(width, height);
    TRows a;
    a.Attach(area.get());
    for (int y = 0; y < height; ++y) std::copy_n(rows.Row32(top + y) + left, width, a.Row32(y));

    const int h = std::max(0, std::min({width / 2, height / 2, Size}));
    const int o = std::max(0, std::min({width / 2, height / 2, Radius}));
    const int e = std::clamp(Transparency, 0, 100) * 255 / 100;
    TCanvas* canvas = mask->Canvas();
    canvas->Pen()->SetStyle(psClear);
    canvas->Brush()->SetStyle(bsSolid);
    auto grey = [](int v) { return static_cast<TColor>(v * 0x010101); };
    for (int i = 0; i <= h; ++i) {
        canvas->Brush()->SetColor(i == 0 ? clWhite : grey(e + static_cast<int>(std::lrint((255.0 - e) / (h + 1) * (h + 1 - i)))));
        canvas->RoundRect(i, i, width - i, height - i, o, o);
    }
    canvas->Brush()->SetColor(grey(e));
    canvas->RoundRect(h, h, width - h, height - h, o, o);

    BlendColorByMask(area.get(), mask.get(), Color);
    a.Attach(area.get());
    for (int y = 0; y < height; ++y) std::copy_n(a.Row32(y), width, rows.Row32(top + y) + left);
}
