#include "framework/graphics/FontDCCache.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "framework/graphics/FontWidths.h"

namespace {

// Enough for the fonts one markup text switches between (plain, bold, italic, link, ...).
constexpr size_t MaxFonts = 8;

COLORREF ColorRef(TColor Color)
{
    return static_cast<COLORREF>(ColorToRGB(Color)) & 0x00FFFFFFu;
}

using TSurfaceFormat = TTextTarget::TFormat;

// 32-bit bitmaps only: their pixels copy back and forth unchanged, while palettes and 16-bit
// formats could round colours differently in a bitmap of another origin.
bool ReadFormat(HDC DC, TSurfaceFormat& Format)
{
    DIBSECTION dib{};
    int size = GetObjectW(GetCurrentObject(DC, OBJ_BITMAP), sizeof(dib), &dib);
    if (size != sizeof(BITMAP) && size != sizeof(DIBSECTION)) return false;
    if (dib.dsBm.bmBitsPixel != 32 || dib.dsBm.bmPlanes != 1) return false;
    Format.Dib = size == sizeof(DIBSECTION);
    if (!Format.Dib) return true;
    Format.TopDown = dib.dsBmih.biHeight < 0;
    Format.Compression = dib.dsBmih.biCompression;
    if (Format.Compression == BI_BITFIELDS) {
        std::copy(std::begin(dib.dsBitfields), std::end(dib.dsBitfields), Format.Masks);
        return Format.Masks[0] == 0xFF0000 && Format.Masks[1] == 0xFF00 && Format.Masks[2] == 0xFF;
    }
    return Format.Compression == BI_RGB;
}

// A memory DC that keeps one font selected, with a bitmap of the target's format to draw on.
struct TFontSurface {
    TGdiResourceRef Font; // holds the font's handle alive while it is selected here
    HDC DC = nullptr;
    HGDIOBJ OldFont = nullptr;
    HBITMAP Bitmap = nullptr;
    HGDIOBJ OldBitmap = nullptr;
    int Width = 0, Height = 0;

    void Free()
    {
        if (DC == nullptr) return;
        if (Bitmap != nullptr) {
            SelectObject(DC, OldBitmap);
            DeleteObject(Bitmap);
        }
        SelectObject(DC, OldFont);
        DeleteDC(DC);
        DC = nullptr;
        Bitmap = nullptr;
    }

    // Room for Width x Height; grown in steps so that runs of growing size do not remake it each time.
    bool Reserve(HDC Target, int NeedWidth, int NeedHeight)
    {
        if (Bitmap != nullptr && NeedWidth <= Width && NeedHeight <= Height) return true;
        int width = std::max(Width, (NeedWidth + 63) & ~63), height = std::max(Height, (NeedHeight + 15) & ~15);
        HBITMAP bitmap = CreateCompatibleBitmap(Target, width, height);
        if (bitmap == nullptr) return false;
        if (Bitmap != nullptr) {
            SelectObject(DC, bitmap);
            DeleteObject(Bitmap);
        } else {
            OldBitmap = SelectObject(DC, bitmap);
        }
        Bitmap = bitmap;
        Width = width;
        Height = height;
        return true;
    }
};

class TFontDCs {
public:
    ~TFontDCs() { Clear(); }

    void Clear()
    {
        for (auto& s : FSurfaces) s.Free();
        FSurfaces.clear();
    }

    // The surface of the font, most recently used last; made on first use.
    TFontSurface* For(const TSurfaceFormat& Format, const TGdiResourceRef& Font, HFONT Handle, HDC Target)
    {
        if (!(Format == FFormat)) {
            Clear();
            FFormat = Format;
        }
        for (size_t i = 0; i < FSurfaces.size(); ++i) {
            if (FSurfaces[i].Font != Font) continue;
            if (i + 1 != FSurfaces.size()) std::rotate(FSurfaces.begin() + i, FSurfaces.begin() + i + 1, FSurfaces.end());
            return &FSurfaces.back();
        }
        TFontSurface s;
        s.DC = CreateCompatibleDC(Target);
        if (s.DC == nullptr) return nullptr;
        s.OldFont = SelectObject(s.DC, Handle);
        s.Font = Font;
        if (FSurfaces.size() >= MaxFonts) {
            FSurfaces.front().Free();
            FSurfaces.erase(FSurfaces.begin());
        }
        FSurfaces.push_back(std::move(s));
        return &FSurfaces.back();
    }

private:
    TSurfaceFormat FFormat;
    std::vector<TFontSurface> FSurfaces;
};

TFontDCs& FontDCs()
{
    static TFontDCs dcs;
    return dcs;
}

// Where DrawText puts a single line, when that is known without asking it: left-aligned at the
// top or bottom of Rect, in a font measured from its widths, on a DC that places text as it is
// told, with no prefix, tab or ellipsis to work out (an end ellipsis only when the text fits,
// which DrawText then leaves off). DrawText draws such a line with one clipped ExtTextOut there.
struct TLinePlace {
    int X = 0, Y = 0;
    TSize Extent{0, 0};
};

bool PlaceLine(TCanvas* Canvas, const TTextTarget& Target, const TRect& Rect, const String& Text, UINT Format,
               TLinePlace& Place)
{
    constexpr UINT Kept = DT_SINGLELINE | DT_BOTTOM | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_NOPREFIX | DT_END_ELLIPSIS;
    if ((Format & DT_SINGLELINE) == 0 || (Format & ~Kept) != 0) return false;
    if ((Format & DT_NOPREFIX) == 0 && Text.find(L'&') != String::npos) return false;
    TFont* font = Canvas->Font();
    if (font->Orientation() != 0 || !Target.PlacesText ||
        !TextExtentFromWidths(*font, Text, GetTextCharacterExtra(Target.DC), Place.Extent))
        return false;
    if ((Format & DT_END_ELLIPSIS) != 0 && Place.Extent.cx > Rect.right - Rect.left) return false;
    Place.X = Rect.left;
    Place.Y = (Format & DT_BOTTOM) != 0 ? Rect.bottom - Place.Extent.cy : Rect.top;
    return true;
}

// The target as read for this call: the caller's, when it read it for this DC, or read now.
struct TTargetOf {
    std::optional<TTextTarget> Own;
    const TTextTarget* Target;
    TTargetOf(HDC DC, const TTextTarget* Given)
    {
        if (Given == nullptr || Given->DC != DC) Given = &Own.emplace(DC);
        Target = Given;
    }
};

} // namespace

TTextTarget::TTextTarget(HDC Target) : DC(Target)
{
    // Lines are placed as DrawText would place them on a DC that puts text where it is told and
    // measures as the width tables do.
    const bool places = GetLayout(DC) == 0 && GetTextAlign(DC) == (TA_LEFT | TA_TOP | TA_NOUPDATECP);
    PlacesText = places && MeasuresLikeDisplay(DC);
    // DrawText's own positions, clipping and background depend on nothing else of a memory DC.
    DrawsInFontDCs = places && GetObjectType(DC) == OBJ_MEMDC && GetMapMode(DC) == MM_TEXT &&
                     GetGraphicsMode(DC) == GM_COMPATIBLE && ReadFormat(DC, Format);
}

bool DrawTextInFontDC(TCanvas* Canvas, const TRect& Rect, const String& Text, UINT Format, const TTextTarget* Target)
{
    constexpr UINT Refused = DT_CALCRECT | DT_MODIFYSTRING | DT_TABSTOP | DT_INTERNAL | DT_NOCLIP;
    if (Text.empty() || (Format & Refused) != 0 || (Format & DT_SINGLELINE) == 0) return false;
    if (Text.find_first_of(L"\t\r\n") != String::npos) return false;
    TFont* font = Canvas->Font();
    HDC dc = Canvas->Handle();
    HFONT handle = font->Handle();
    if (font->Orientation() != 0 || Canvas->FontInPlace()) return false;
    TTargetOf targetOf(dc, Target);
    const TTextTarget& read = *targetOf.Target;
    if (!read.DrawsInFontDCs) return false;
    const TSurfaceFormat& format = read.Format;
    TRect visible{};
    int clip = GetClipBox(dc, &visible);
    if (clip == ERROR) return false;

    TFontSurface* surface = FontDCs().For(format, font->Resource(), handle, dc);
    if (surface == nullptr) return false;
    const int length = static_cast<int>(Text.size());
    // Everything the text may touch, within what the target shows (copying untouched pixels back
    // changes nothing). The glyphs are clipped to Rect, and a placed line's glyphs reach no
    // further than its extent and an overhang of at most the widest character. The lines of an
    // underlined or struck-out font are not clipped: they follow the text, which may be wider
    // than Rect, so those take the text's whole extent.
    TRect area = Rect;
    TLinePlace place;
    const bool placed = PlaceLine(Canvas, read, Rect, Text, Format, place);
    TFontStyles style = font->Style();
    const bool lined = style.Contains(fsUnderline) || style.Contains(fsStrikeOut);
    if (placed) {
        const int overhang = FontTextMetrics(*font).tmMaxCharWidth;
        area.left = place.X - overhang;
        area.right = place.X + place.Extent.cx + overhang;
        if (lined) {
            // The lines where the font puts them (a row more on either side for rounding), or
            // a text height above and below.
            const TFontLines lines = FontLines(*font);
            const int height = place.Extent.cy;
            const int top = lines.Known ? std::min({0, lines.UnderlineTop(), lines.StrikeoutTop()}) - 1 : -height;
            const int bottom = lines.Known ? std::max({height, lines.UnderlineTop() + lines.UnderlineWidth,
                                                       lines.StrikeoutTop() + lines.StrikeoutWidth}) + 1
                                           : 2 * height;
            area.top = std::min<int>(Rect.top, place.Y + top);
            area.bottom = std::max<int>(Rect.bottom, place.Y + bottom);
        } else {
            area.left = std::max<int>(area.left, Rect.left);
            area.right = std::min<int>(area.right, Rect.right);
        }
    } else if (lined) {
        SIZE size{0, 0};
        GetTextExtentPoint32W(surface->DC, Text.c_str(), length, &size);
        const int pad = size.cy;
        area = TRect{std::min<int>(Rect.left, Rect.right - size.cx) - pad,
                     std::min<int>(Rect.top, Rect.bottom - size.cy) - pad,
                     std::max<int>(Rect.right, Rect.left + size.cx) + pad,
                     std::max<int>(Rect.bottom, Rect.top + size.cy) + pad};
    }
    if (clip == NULLREGION || !IntersectRect(&area, &area, &visible)) return true;
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (!surface->Reserve(dc, width, height)) return false;

    HDC side = surface->DC;
    SetTextColor(side, ColorRef(font->Color()));
    // As the canvas sets the background for its brush before it draws text.
    TBrush* brush = Canvas->Brush();
    if (brush->Style() == bsSolid) {
        SetBkMode(side, OPAQUE);
        SetBkColor(side, ColorRef(brush->Color()));
    } else {
        SetBkMode(side, TRANSPARENT);
    }
    SetTextCharacterExtra(side, GetTextCharacterExtra(dc));

    if (Canvas->OnChanging) Canvas->OnChanging(Canvas);
    BitBlt(side, 0, 0, width, height, dc, area.left, area.top, SRCCOPY);
    RECT box{Rect.left - area.left, Rect.top - area.top, Rect.right - area.left, Rect.bottom - area.top};
    if (placed)
        ExtTextOutW(side, place.X - area.left, place.Y - area.top, ETO_CLIPPED, &box, Text.c_str(), length, nullptr);
    else
        DrawTextW(side, Text.c_str(), length, &box, Format);
    BitBlt(dc, area.left, area.top, width, height, side, 0, 0, SRCCOPY);
    if (Canvas->OnChange) Canvas->OnChange(Canvas);
    return true;
}

namespace {

// A placed line in an underlined or struck-out font: its text in the same font without the lines,
// then the lines where GDI draws them (the text's advance wide, in the text's colour, over the
// glyphs). Drawing an underline costs GDI more than the text itself, and the text then shares
// the plain font, which is mostly the DC's own. False when the line cannot be placed.
bool DrawLinedLine(TCanvas* Canvas, const TTextTarget& Target, const TRect& Rect, const String& Text, UINT Format)
{
    TLinePlace place;
    if (!PlaceLine(Canvas, Target, Rect, Text, Format, place)) return false;
    TFont* font = Canvas->Font();
    const TFontStyles style = font->Style();
    const TFontLines lines = FontLines(*font);
    if (!lines.Known) return false;
    font->SetStyle(style - TFontStyles{fsUnderline, fsStrikeOut});
    DrawTextLine(Canvas, Rect, Text, Format, &Target);
    font->SetStyle(style);

    HDC dc = Canvas->Handle();
    if (Canvas->OnChanging) Canvas->OnChanging(Canvas);
    const COLORREF background = SetBkColor(dc, static_cast<COLORREF>(ColorToRGB(font->Color())) & 0x00FFFFFFu);
    auto band = [&](int Top, int Width) {
        RECT r{place.X, place.Y + Top, place.X + place.Extent.cx, place.Y + Top + Width};
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &r, L"", 0, nullptr);
    };
    if (style.Contains(fsUnderline)) band(lines.UnderlineTop(), lines.UnderlineWidth);
    if (style.Contains(fsStrikeOut)) band(lines.StrikeoutTop(), lines.StrikeoutWidth);
    SetBkColor(dc, background);
    if (Canvas->OnChange) Canvas->OnChange(Canvas);
    return true;
}

} // namespace

void DrawTextLine(TCanvas* Canvas, const TRect& Rect, const String& Text, UINT Format, const TTextTarget* Target)
{
    TTargetOf targetOf(Canvas->Handle(), Target);
    const TFontStyles style = Canvas->Font()->Style();
    if ((style.Contains(fsUnderline) || style.Contains(fsStrikeOut)) &&
        DrawLinedLine(Canvas, *targetOf.Target, Rect, Text, Format))
        return;
    if (DrawTextInFontDC(Canvas, Rect, Text, Format, targetOf.Target)) return;
    TLinePlace place;
    if (PlaceLine(Canvas, *targetOf.Target, Rect, Text, Format, place)) {
        Canvas->TextOutClipped(Rect, place.X, place.Y, Text);
        return;
    }
    TRect box = Rect;
    String text = Text;
    Canvas->TextRect(box, text, Format);
}

void ReleaseFontDCs()
{
    FontDCs().Clear();
}
