#include "framework/graphics/FontWidths.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace {

// Enough for the fonts a screen of markup switches between, with room for a few faces and sizes.
constexpr size_t MaxFonts = 32;
constexpr int Unknown = -1;

// Characters whose advance widths add up to the extent GDI measures for a line: they are drawn
// one glyph each, with no shaping, joining or combining. Anything else is measured on the DC.
bool MeasuredByWidth(wchar_t C)
{
    if (C < 0x20) return false;
    if (C < 0x7F) return true;
    if (C < 0xA0) return false;                   // DEL and the C1 controls
    if (C < 0x0300) return true;                  // Latin-1, Latin extended, IPA, modifiers
    if (C < 0x0370) return false;                 // combining diacritics
    if (C < 0x0483) return true;                  // Greek, Cyrillic
    if (C < 0x048A) return false;                 // Cyrillic combining marks
    if (C < 0x0530) return true;                  // Cyrillic supplement
    if (C < 0x1E00) return false;                 // Armenian on: right-to-left and shaped scripts
    if (C < 0x2000) return true;                  // Latin extended additional, Greek extended
    if (C < 0x2010) return false;                 // spaces of other widths, zero-width marks
    if (C < 0x2028) return true;                  // dashes, quotes, bullets, ellipsis
    if (C < 0x2030) return false;                 // line and paragraph separators, embeddings
    if (C < 0x205F) return true;                  // per mille, primes, other punctuation
    if (C < 0x2070) return false;                 // invisible operators, deprecated format marks
    if (C < 0x20D0) return true;                  // super- and subscripts, currency
    if (C < 0x2100) return false;                 // combining marks for symbols
    if (C < 0x2C00) return true;                  // letterlike, numbers, arrows, maths, boxes, shapes
    if (C < 0x2E80) return false;
    if (C >= 0x302A && C <= 0x302F) return false; // ideographic tone marks
    if (C == 0x3099 || C == 0x309A) return false; // combining kana voicing marks
    if (C < 0xA000) return true;                  // CJK radicals, punctuation, kana, ideographs
    if (C < 0xAC00) return false;
    if (C < 0xD7A4) return true;                  // Hangul syllables
    if (C < 0xF900) return false;                 // surrogates and private use
    if (C < 0xFB00) return true;                  // CJK compatibility ideographs
    if (C < 0xFF01) return false;                 // presentation forms, variation selectors
    if (C < 0xFFF0) return true;                  // full- and half-width forms
    return false;
}

struct TFontTable {
    TGdiResourceRef Font;
    HFONT Handle = nullptr; // alive while Font is held
    TEXTMETRICW Metrics{};
    TFontLines Lines;
    // Widths in pages of 256 characters; the first is fetched whole, the others per character.
    std::array<std::unique_ptr<std::array<int, 256>>, 256> Pages;
};

class TWidthTables {
public:
    ~TWidthTables() { Clear(); }

    void Clear()
    {
        FTables.clear();
        if (FDC != nullptr) {
            SelectObject(FDC, FOldFont);
            DeleteDC(FDC);
            FDC = nullptr;
        }
        FSelected.reset();
    }

    // The font's table, most recently used first; made (metrics and first page) on first use.
    TFontTable& For(const TFont& Font)
    {
        const TGdiResourceRef& font = Font.Resource();
        for (size_t i = 0; i < FTables.size(); ++i) {
            if (FTables[i]->Font != font) continue;
            if (i != 0) std::rotate(FTables.begin(), FTables.begin() + i, FTables.begin() + i + 1);
            return *FTables.front();
        }
        auto table = std::make_unique<TFontTable>();
        table->Handle = Font.Handle();
        table->Font = Font.Resource();
        Select(*table);
        GetTextMetricsW(FDC, &table->Metrics);
        table->Lines = Lines(table->Metrics);
        auto& first = table->Pages[0];
        first = std::make_unique<std::array<int, 256>>();
        if (!GetCharWidth32W(FDC, 0, 255, first->data())) first->fill(Unknown);
        if (FTables.size() >= MaxFonts) FTables.pop_back();
        FTables.insert(FTables.begin(), std::move(table));
        return *FTables.front();
    }

    int Width(TFontTable& Table, wchar_t C)
    {
        auto& page = Table.Pages[C >> 8];
        if (page == nullptr) {
            page = std::make_unique<std::array<int, 256>>();
            page->fill(Unknown);
        }
        int& width = (*page)[C & 0xFF];
        if (width == Unknown) {
            Select(Table);
            INT w = 0;
            if (GetCharWidth32W(FDC, C, C, &w)) width = w;
        }
        return width;
    }

private:
    // Where GDI draws the font's underline and strike-out, from its outline metrics (each line at
    // least a pixel thick); a font without them is marked so.
    TFontLines Lines(const TEXTMETRICW& Metrics)
    {
        OUTLINETEXTMETRICW outline{};
        outline.otmSize = sizeof(outline);
        if (GetOutlineTextMetricsW(FDC, sizeof(outline), &outline) == 0) return TFontLines{};
        auto thickness = [](UINT Size) { return std::max(1, static_cast<int>(Size)); };
        return TFontLines{true, static_cast<int>(Metrics.tmAscent), outline.otmsUnderscorePosition,
                          thickness(outline.otmsUnderscoreSize), outline.otmsStrikeoutPosition,
                          thickness(outline.otmsStrikeoutSize)};
    }

    void Select(const TFontTable& Table)
    {
        if (FDC == nullptr) {
            FDC = CreateCompatibleDC(nullptr);
            FOldFont = GetCurrentObject(FDC, OBJ_FONT);
        }
        if (FSelected == Table.Font) return;
        SelectObject(FDC, Table.Handle);
        FSelected = Table.Font;
    }

    HDC FDC = nullptr;
    HGDIOBJ FOldFont = nullptr;
    TGdiResourceRef FSelected;
    std::vector<std::unique_ptr<TFontTable>> FTables;
};

TWidthTables& Tables()
{
    static TWidthTables tables;
    return tables;
}

} // namespace

bool TextExtentFromWidths(const TFont& Font, std::wstring_view Text, int CharExtra, TSize& Extent)
{
    if (Text.empty()) return false; // GDI's answer for no text varies between systems
    for (wchar_t c : Text)
        if (!MeasuredByWidth(c)) return false;
    TWidthTables& tables = Tables();
    TFontTable& table = tables.For(Font);
    int sum = 0;
    for (wchar_t c : Text) {
        int width = tables.Width(table, c);
        if (width == Unknown) return false;
        sum += width + CharExtra;
    }
    Extent = TSize{sum, table.Metrics.tmHeight};
    return true;
}

const TEXTMETRICW& FontTextMetrics(const TFont& Font)
{
    return Tables().For(Font).Metrics;
}

TFontLines FontLines(const TFont& Font)
{
    return Tables().For(Font).Lines;
}

bool MeasuresLikeDisplay(HDC DC)
{
    // A metafile DC reports its reference device's technology.
    DWORD kind = GetObjectType(DC);
    return (kind == OBJ_DC || kind == OBJ_MEMDC) && GetMapMode(DC) == MM_TEXT && GetGraphicsMode(DC) == GM_COMPATIBLE &&
           GetDeviceCaps(DC, TECHNOLOGY) == DT_RASDISPLAY;
}

void ReleaseFontWidths()
{
    Tables().Clear();
}
