// Random markup from a fixed seed: tags of the vocabulary with and without their ends, broken
// attributes, stray "<" and ">", entities cut short, controls, and plain text in Latin and
// Chinese, through the text functions and through the renderer (measuring, painting into a
// memory bitmap, hit-testing). Nothing may crash or run away, and the answers stay inside the
// text. See support/FuzzSupport.h for a longer run.
#include <windows.h>

#include <gtest/gtest.h>

#include "framework/graphics/Canvas.h"
#include "grid/foundation/AsgHTMLE.h"
#include "tests/support/FuzzSupport.h"
#include "tests/support/PixelBuffer.h"

namespace {

String RandomMarkup(kvlfuzz::TMutator& M)
{
    static const wchar_t* const pieces[] = {
        L"<B>", L"</B>", L"<I>", L"</I>", L"<U>", L"<S>", L"<BR>", L"<HR>", L"<P align=\"right\">", L"</P>",
        L"<FONT color=\"#FF0000\" size=\"14\" face=\"Tahoma\">", L"</FONT>", L"<FONT size=\"-99999\">",
        L"<FONT color=\"#GGG\">", L"<A href=\"x\">", L"</A>", L"<A href=\"", L"<SUB>", L"</SUB>", L"<SUP>",
        L"<UL>", L"<LI>", L"</UL>", L"<IND x=\"40\">", L"<IND x=\"99999999\">", L"<SHAD>", L"</SHAD>",
        L"<Z>", L"</Z>", L"<R 90>", L"<IMG src=\"idx:3\">", L"<IMG src=\"file://nothing.png\" width=\"-5\">",
        L"<CONTROL ID=\"e1\" TYPE=\"EDIT\" WIDTH=\"50\" VALUE=\"a&nbsp;b\">",
        L"<CONTROL ID=\"c1\" TYPE=\"CHECK\" VALUE=\"TRUE\">", L"<CONTROL TYPE=\"RADIO\"", L"<#tag>", L"<#",
        L"&lt;", L"&gt;", L"&amp;", L"&nbsp;", L"&", L"&am", L"&#65;", L"<", L">", L"<<", L"\"", L"=",
        L"word ", L"longwordwithoutbreaks", L"本月共工作", L"\r\n", L"\t", L" ", L"\0", L"\xD800"};
    String text;
    for (size_t k = 0, n = M.Below(60); k < n; ++k) {
        const wchar_t* p = pieces[M.Below(std::size(pieces))];
        text += p[0] == 0 && p != pieces[0] ? String(1, L'\0') : String(p);
    }
    return text;
}

}  // namespace

TEST(MarkupFuzz, RandomMarkupThroughTextFunctionsAndRenderer)
{
    kvltest::TPixelBuffer pixels(200, 120);
    TCanvas canvas;
    canvas.SetHandle(pixels.DC());
    canvas.Font()->SetName(L"Tahoma");
    canvas.Font()->SetSize(9);
    kvlfuzz::TMutator m(kvlfuzz::Seed(4404));
    for (int i = 0; i < kvlfuzz::Rounds(1500); ++i) {
        SCOPED_TRACE("markup " + std::to_string(i));
        String text = RandomMarkup(m);
        String plain = StripTags(text);
        int n = static_cast<int>(m.Below(plain.size() + 3));
        int at = PlainToMarkupIndex(text, n);
        EXPECT_GE(at, 0);
        EXPECT_LE(at, static_cast<int>(text.size()) + 1);
        StripMarkup(text);
        DecodeEntities(text);
        UnwrapHashTags(text);
        String marked, back;
        MarkMatches(text, L"or", L"HI", marked, i % 2 == 0);
        UnmarkTag(marked, L"HI", back);
        String edited = text;
        SetMarkupControlValue(edited, L"e1", L"<new & \"value\">");
        NextMarkupEditControl(edited, L"");
        ClearMarkupRadios(edited);

        String hitHref, plainText, focusHref, hitTitle, controlId, controlValue, controlKind;
        int extentX = 0, extentY = 0, anchors = 0, hitNumber = 0;
        TRect hitRect{}, controlRect{};
        const TRect bounds{0, 0, 40 + static_cast<int>(m.Below(160)), 120};
        for (bool sizeOnly : {true, false}) {
            RenderMarkup(&canvas, text, bounds, nullptr, static_cast<int>(m.Below(200)), static_cast<int>(m.Below(120)),
                         -1, 0, 1, !sizeOnly && i % 3 == 0, sizeOnly, false, false, true, false, i % 2 == 0, false,
                         1.0, clBlue, clNone, clNone, clGray, hitHref, plainText, focusHref, hitTitle, extentX,
                         extentY, anchors, hitNumber, hitRect, controlRect, controlId, controlValue, controlKind,
                         nullptr, nullptr, nullptr, static_cast<unsigned char>(i % 2));
            EXPECT_GE(extentX, 0);
            EXPECT_GE(extentY, 0);
        }
    }
    canvas.SetHandle(nullptr);
}
