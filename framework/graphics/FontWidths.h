#pragma once
// Text measured from each font's table of advance widths instead of on a DC. Measuring on a DC
// needs the font selected there, and under Wine selecting a font costs several times what
// measuring or drawing a word does (about 8 us, even for the font already selected). GDI applies
// no kerning when it measures a line, so the extent of a text is the sum of its characters'
// advance widths: once a font's widths are known, a text in it is measured without any GDI call.
// Each font's widths are fetched on a memory DC of the module's own, the first 256 characters
// at once and any other character when it is first met. Fonts are told apart by their shared
// handle (the table holds it alive); the most recently used are kept. For the GUI thread only.
#include <windows.h>

#include <string_view>

#include "framework/graphics/GraphicsBase.h"
#include "framework/graphics/GraphicsObjects.h"

// What GetTextExtentPoint32W gives for Text in Font on a display DC in MM_TEXT whose character
// spacing is CharExtra: the advance widths and the spacing summed, and the font's cell height.
// False, with Extent untouched, for no text and when Text holds a character measured otherwise
// (control characters, surrogates, combining marks and the scripts whose characters are shaped
// together): the caller then measures on its DC.
bool TextExtentFromWidths(const TFont& Font, std::wstring_view Text, int CharExtra, TSize& Extent);

// The font's metrics, as GetTextMetricsW gives them on a display DC.
const TEXTMETRICW& FontTextMetrics(const TFont& Font);
// Where GDI draws a font's underline and strike-out along a line of text: each a band Width rows
// thick whose middle lies Position rows above the baseline (below when negative). Known for fonts
// with outline metrics only (Known false otherwise).
struct TFontLines {
    bool Known = false;
    int Ascent = 0;
    int UnderlinePosition = 0, UnderlineWidth = 1;
    int StrikeoutPosition = 0, StrikeoutWidth = 1;
    // The band's first row, relative to the text's top.
    int UnderlineTop() const { return Ascent - (UnderlinePosition + UnderlineWidth / 2); }
    int StrikeoutTop() const { return Ascent - (StrikeoutPosition + StrikeoutWidth / 2); }
};
TFontLines FontLines(const TFont& Font);

// Whether a DC measures text as the tables do: a display or memory DC in MM_TEXT without a world
// transform (printers and metafiles measure in their own terms).
bool MeasuresLikeDisplay(HDC DC);

// Frees the tables and the measuring DC (they are made again on the next use).
void ReleaseFontWidths();
