#include "framework/graphics/FontDCCache.h"

#include <algorithm>
#include <vector>

namespace {

// Enough for the fonts one markup text switches between (plain, bold, italic, link, ...).
constexpr size_t MaxFonts = 8;

COLORREF ColorRef(TColor Color)
{
    return static_cast<COLORREF>(ColorToRGB(Color)) & 0x00FFFFFFu;
}

// What of a target bitmap's format decides the bytes text leaves on it. The font DCs' bitmaps are
// made compatible with the target's, so they share it; a target of another format starts afresh.
struct TSurfaceFormat {
    bool Dib = false;
    bool TopDown = false;
    DWORD Compression = BI_RGB;
    DWORD Masks[3] = {0, 0, 0};
    bool operator==(const TSurfaceFormat&) const = default;
};

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
    TFontSurface* For(const TSurfaceFormat& Format, TGdiResourceRef Font, HFONT Handle, HDC Target)
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
        s.Font = std::move(Font);
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

// DrawText's own positions, clipping and background depend on nothing else of the DC.
bool TargetAccepted(HDC DC)
{
    return GetObjectType(DC) == OBJ_MEMDC && GetMapMode(DC) == MM_TEXT && GetGraphicsMode(DC) == GM_COMPATIBLE &&
           GetLayout(DC) == 0 && GetTextAlign(DC) == (TA_LEFT | TA_TOP | TA_NOUPDATECP);
}

} // namespace

bool DrawTextInFontDC(TCanvas* Canvas, const TRect& Rect, const String& Text, UINT Format)
{
    constexpr UINT Refused = DT_CALCRECT | DT_MODIFYSTRING | DT_TABSTOP | DT_INTERNAL | DT_NOCLIP;
    if (Text.empty() || (Format & Refused) != 0 || (Format & DT_SINGLELINE) == 0) return false;
    if (Text.find_first_of(L"\t\r\n") != String::npos) return false;
    TFont* font = Canvas->Font();
    HDC dc = Canvas->Handle();
    HFONT handle = font->Handle();
    if (GetCurrentObject(dc, OBJ_FONT) == handle || font->Orientation() != 0 || !TargetAccepted(dc)) return false;
    TSurfaceFormat format;
    if (!ReadFormat(dc, format)) return false;
    TRect visible{};
    int clip = GetClipBox(dc, &visible);
    if (clip == ERROR) return false;

    TFontSurface* surface = FontDCs().For(format, font->ResourceRef(), handle, dc);
    if (surface == nullptr) return false;
    const int length = static_cast<int>(Text.size());
    // Everything the text may touch, within what the target shows (copying untouched pixels back
    // changes nothing). The glyphs are clipped to Rect; the lines of an underlined or struck-out
    // font follow the text, which may be wider than Rect, so those take the text's whole extent.
    TRect area = Rect;
    TFontStyles style = font->Style();
    if (style.Contains(fsUnderline) || style.Contains(fsStrikeOut)) {
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
    DrawTextW(side, Text.c_str(), length, &box, Format);
    BitBlt(dc, area.left, area.top, width, height, side, 0, 0, SRCCOPY);
    if (Canvas->OnChange) Canvas->OnChange(Canvas);
    return true;
}

void ReleaseFontDCs()
{
    FontDCs().Clear();
}
