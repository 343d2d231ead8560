// Extents summed from a font's advance widths must equal what the DC measures with the font
// selected, for every font and text the tables accept: ASCII, Latin-1, Greek and Cyrillic, CJK
// through the linked font, faces that are substituted, symbol fonts, character spacing. Texts
// whose characters are shaped or combined are refused rather than measured wrong.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/FontWidths.h"
#include "tests/support/PixelBuffer.h"

namespace {

String Range(wchar_t From, wchar_t To)
{
    String s;
    for (wchar_t c = From; c <= To; ++c) s += c;
    return s;
}

struct TFontCase {
    const char* Name;
    const wchar_t* Face;
    int Size;
    TFontStyles Style;
};

const TFontCase Fonts[] = {
    {"Tahoma 8", L"Tahoma", 8, {}},
    {"Tahoma 10 bold", L"Tahoma", 10, TFontStyles{fsBold}},
    {"Tahoma 9 italic underlined", L"Tahoma", 9, TFontStyles{fsItalic, fsUnderline}},
    {"Tahoma 14 bold italic struck out", L"Tahoma", 14, TFontStyles{fsBold, fsItalic, fsStrikeOut}},
    {"a face that is not installed", L"No Such Face", 10, {}},
    {"Symbol", L"Symbol", 10, {}},
    {"the CJK face itself", L"WenQuanYi Micro Hei", 11, {}},
};

} // namespace

TEST(FontWidths, SummedWidthsEqualTheDcsExtent)
{
    kvltest::TPixelBuffer pixels(10, 10);
    const String texts[] = {
        Range(0x20, 0x7E),
        Range(0xA0, 0xFF),
        L"Shift day 12 details here",
        L"\u672C\u6708\u5171\u5DE5\u4F5C 31 \u5929\u3002\uFF08\u8282\u65E5\uFF09",
        L"\u0391\u03B2\u03B3 \u0416\u0438\u0437\u043D\u044C \u2013 \u201Cquoted\u201D \u2026 \u20AC5",
    };
    for (int extra : {0, 3}) {
        SetTextCharacterExtra(pixels.DC(), extra);
        for (const TFontCase& f : Fonts) {
            TCanvas canvas;
            canvas.SetHandle(pixels.DC());
            canvas.Font()->SetName(f.Face);
            canvas.Font()->SetSize(f.Size);
            canvas.Font()->SetStyle(f.Style);
            for (const String& text : texts) {
                SCOPED_TRACE(std::string(f.Name) + ", spacing " + std::to_string(extra) + ", text of " +
                             std::to_string(text.size()) + " starting " + std::to_string(text.empty() ? 0 : text[0]));
                TSize summed{-1, -1};
                ASSERT_TRUE(TextExtentFromWidths(*canvas.Font(), text, extra, summed));
                TSize measured = canvas.TextExtent(text);
                EXPECT_EQ(summed.cx, measured.cx);
                EXPECT_EQ(summed.cy, measured.cy);
            }
            TEXTMETRICW metrics{};
            GetTextMetricsW(pixels.DC(), &metrics);
            EXPECT_EQ(FontTextMetrics(*canvas.Font()).tmHeight, metrics.tmHeight) << f.Name;
            EXPECT_EQ(FontTextMetrics(*canvas.Font()).tmAscent, metrics.tmAscent) << f.Name;
            canvas.SetHandle(nullptr);
        }
    }
    SetTextCharacterExtra(pixels.DC(), 0);
    ReleaseFontWidths();
}

TEST(FontWidths, RefusesTextsThatAreNotTheSumOfTheirCharacters)
{
    TFont font;
    font.SetName(L"Tahoma");
    TSize size{7, 7};
    const wchar_t* const refused[] = {
        L"tab\there", L"e\u0301",                   // a control character, a combining accent
        L"\u05E9\u05DC\u05D5\u05DD",                // Hebrew
        L"\u0645\u0631\u062D\u0628\u0627",          // Arabic, joined
        L"\u0E2A\u0E27\u0E31\u0E2A",                // Thai
        L"a\u200Db", L"\xD83D\xDE00",                 // a zero-width joiner, a surrogate pair
        L"",                                        // nothing: systems differ in its height
    };
    for (const wchar_t* text : refused) {
        EXPECT_FALSE(TextExtentFromWidths(font, text, 0, size)) << static_cast<int>(text[0]);
        EXPECT_EQ(size.cx, 7) << "left untouched";
    }
    ReleaseFontWidths();
}

TEST(FontWidths, OnlyDisplayDcsInPlainMappingMeasureLikeTheTables)
{
    kvltest::TPixelBuffer pixels(10, 10);
    EXPECT_TRUE(MeasuresLikeDisplay(pixels.DC()));
    SetMapMode(pixels.DC(), MM_LOMETRIC);
    EXPECT_FALSE(MeasuresLikeDisplay(pixels.DC()));
    SetMapMode(pixels.DC(), MM_TEXT);
    SetGraphicsMode(pixels.DC(), GM_ADVANCED);
    EXPECT_FALSE(MeasuresLikeDisplay(pixels.DC()));
    SetGraphicsMode(pixels.DC(), GM_COMPATIBLE);
    HDC metafile = CreateEnhMetaFileW(pixels.DC(), nullptr, nullptr, nullptr);
    EXPECT_FALSE(MeasuresLikeDisplay(metafile));
    DeleteEnhMetaFile(CloseEnhMetaFile(metafile));
}
