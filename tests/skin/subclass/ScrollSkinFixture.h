#pragma once
// A skin for the scroll-bar tests: every part of a bar in a colour of its own (normal and hot
// apart), arrow and thumb glyphs as small squares of their own colours, and a size grip, so that
// a pixel read back from a composed bar tells which part landed there and in which state.
#include <cstdint>

#include "skin/core/sMaskData.h"
#include "tests/skin/core/Bitmap32Fixture.h"
#include "tests/skin/core/SkinPaintFixture.h"

namespace scrollskin_test {

using skinpaint_test::PixelOf;

inline constexpr TColor TrackBefore = 0x000010A0, TrackAfter = 0x000020B0;
inline constexpr TColor ArrowBefore = 0x00003060, ArrowAfter = 0x00004070;
inline constexpr TColor Thumb = 0x00505000;
// The hot (and pressed) look of every part.
inline constexpr TColor PartHot = 0x00F0F0F0;
inline constexpr TColor ArrowGlyph = 0x00000001, ThumbGlyph = 0x00000002, Grip = 0x00000003;
inline constexpr int GlyphSize = 3, GripSize = 4;

// RGB of a pixel word, for comparing with PixelOf.
inline std::uint32_t Rgb(std::uint32_t Pixel) { return Pixel & 0x00FFFFFFu; }
inline std::uint32_t RgbOf(TColor C) { return PixelOf(C) & 0x00FFFFFFu; }

// Fills the tables of a skin (a manager's or a TsSkin's).
inline void FillScrollSkin(TsSkinGeneralData& gd, TsMaskArray& ma, TConstantSkinData& cd)
{
    auto section = [&](const wchar_t* Name, TColor Color) {
        TsGeneralData d;
        d.ClassName = Name;
        d.States = 3;
        d.Color = Color;
        d.HotColor = PartHot;
        gd.push_back(d);
        return static_cast<std::int16_t>(gd.size() - 1);
    };
    auto glyph = [&](const wchar_t* Section, const wchar_t* Name, TColor Color, int Size) {
        TsMaskData m;
        m.ClassName = Section;
        m.PropertyName = Name;
        m.Bmp = skintest::Bmp32(Size, Size, PixelOf(Color));
        m.R = TRect{0, 0, Size, Size};
        ma.push_back(std::move(m));
        return static_cast<std::int16_t>(ma.size() - 1);
    };
    cd.IndexScrollBar1H = section(L"SCROLLBAR1H", TrackBefore);
    cd.IndexScrollBar2H = section(L"SCROLLBAR2H", TrackAfter);
    cd.IndexScrollBar1V = section(L"SCROLLBAR1V", TrackBefore);
    cd.IndexScrollBar2V = section(L"SCROLLBAR2V", TrackAfter);
    cd.IndexScrollLeft = section(L"SCROLLBTNLEFT", ArrowBefore);
    cd.IndexScrollRight = section(L"SCROLLBTNRIGHT", ArrowAfter);
    cd.IndexScrollTop = section(L"SCROLLBTNTOP", ArrowBefore);
    cd.IndexScrollBottom = section(L"SCROLLBTNBOTTOM", ArrowAfter);
    cd.IndexSliderHorz = section(L"SCROLLSLIDERH", Thumb);
    cd.IndexSliderVert = section(L"SCROLLSLIDERV", Thumb);
    cd.IndexGLobalInfo = section(L"GLOBALINFO", 0x00808080);
    cd.MaskArrowLeft = glyph(L"SCROLLBTNLEFT", L"ARROWLEFT", ArrowGlyph, GlyphSize);
    cd.MaskArrowRight = glyph(L"SCROLLBTNRIGHT", L"ARROWRIGHT", ArrowGlyph, GlyphSize);
    cd.MaskArrowTop = glyph(L"SCROLLBTNTOP", L"ARROWTOP", ArrowGlyph, GlyphSize);
    cd.MaskArrowBottom = glyph(L"SCROLLBTNBOTTOM", L"ARROWBOTTOM", ArrowGlyph, GlyphSize);
    cd.MaskSliderGlyphHorz = glyph(L"SCROLLSLIDERH", L"GLYPH", ThumbGlyph, GlyphSize);
    cd.MaskSliderGlyphVert = glyph(L"SCROLLSLIDERV", L"GLYPH", ThumbGlyph, GlyphSize);
    glyph(L"GLOBALINFO", L"GRIPIMAGE", Grip, GripSize);
}

struct ScrollSkin {
    TsSkin Skin;
    ScrollSkin() { FillScrollSkin(Skin.gd, Skin.ma, Skin.ConstData); }
};

} // namespace scrollskin_test
