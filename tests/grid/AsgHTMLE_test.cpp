// The markup vocabulary and the routines that edit markup texts: colours, entities (each decoded
// once), drawn-control values read and rewritten, search matches marked around tags, and texts
// that are malformed or huge passing through without harm.
#include <gtest/gtest.h>

#include "grid/foundation/AsgHTMLE.h"

namespace {

std::string Narrow(const String& s)
{
    std::string out;
    for (wchar_t c : s) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

// The control tag of that ID, from its "<" to its ">".
TMarkupControl ControlOf(const String& Text, const String& Id)
{
    size_t at = Text.find(L"ID=\"" + Id + L"\"");
    size_t start = Text.rfind(L'<', at);
    return ParseControlTag(Text.substr(start, Text.find(L'>', at) + 1 - start));
}

TEST(MarkupVocabulary, ColourNamesAndHexValues)
{
    EXPECT_EQ(ColorFromName(L"clred"), 0x0000FF);
    EXPECT_EQ(ColorFromName(L"clnavy"), 0x800000);
    EXPECT_EQ(ColorFromName(L"clbtnface"), ToColor(0xFF00000Fu));
    EXPECT_EQ(ColorFromName(L"clinfobk"), ToColor(0xFF000018u));
    EXPECT_EQ(ColorFromName(L"clnothing"), 0);
    EXPECT_EQ(ColorFromHex(L"#0000FF"), 0xFF0000);
    EXPECT_EQ(ColorFromHex(L"#FF8001"), 0x0180FF);
    EXPECT_EQ(ColorFromHex(L"#ff8001"), 0x0180FF) << "lower-case digits read as their values";
    EXPECT_EQ(ColorFromHex(L"#F"), 0xF0) << "missing digits read as 0, nothing past the text";
    EXPECT_EQ(ColorFromHex(L""), 0);
}

TEST(MarkupVocabulary, HighlightColoursAreReplacedTogether)
{
    EXPECT_EQ(MarkupHighlightBrush, clHighlight);
    EXPECT_EQ(MarkupHighlightText, clHighlightText);
    SetMarkupHighlightColors(clYellow, clRed);
    EXPECT_EQ(MarkupHighlightBrush, clYellow);
    EXPECT_EQ(MarkupHighlightText, clRed);
    SetMarkupHighlightColors(clHighlight, clHighlightText);
}

TEST(MarkupVocabulary, AttributesAndNumbers)
{
    EXPECT_EQ(MarkupAttribute(L"FONT color=\"clRed\" size=\"3\"", L"COLOR"), L"clRed");
    EXPECT_EQ(MarkupAttribute(L"FONT COLOR", L"COLOR"), L"") << "attribute without a value";
    EXPECT_EQ(MarkupAttribute(L"FONT COLOR=\"open", L"COLOR"), L"") << "unclosed quote";
    EXPECT_EQ(MarkupAttribute(L"FONT", L"SIZE"), L"");
    struct {
        const wchar_t* Text;
        int Value;
    } numbers[] = {{L"12\"", 12}, {L"=\"25\"", 25}, {L"-7", -7}, {L"$1F", 31}, {L"0x10", 16},
                   {L"abc", 0}, {L"", 0}, {L"99999999999999", 0x7FFFFFFF}};
    for (const auto& n : numbers) EXPECT_EQ(MarkupNumber(n.Text), n.Value) << Narrow(n.Text);
}

TEST(MarkupVocabulary, PrePassPieces)
{
    EXPECT_EQ(UnwrapHashTags(L"no <#12> and <#x"), L"no #12 and <#x");
    EXPECT_EQ(LineBreaksToMarkup(L"a\r\nb\nc"), L"a<BR>bc");
}

TEST(MarkupText, StripMarkupAndTags)
{
    EXPECT_EQ(StripMarkup(L"a<br>b"), L"a\r\nb");
    EXPECT_EQ(StripMarkup(L"<b>x</b><HR>y"), L"x\r\ny");
    EXPECT_EQ(StripTags(L"<b>bold</b> <i>it</i>"), L"bold it");
    EXPECT_EQ(StripTags(L"a < b"), L"a < b") << "a stray \"<\" starts plain text";
    EXPECT_EQ(StripTags(L"x<b>y<"), L"xy<");
    EXPECT_EQ(StripTags(L"<unknown attr>t</unknown>"), L"t");
}

// Decoding is one pass and encoding keeps every text it is given, so that decoding what was
// encoded gives back the text itself: an "&amp;" written by the user never becomes "&", and a
// "*amp;" never becomes "&amp;".
TEST(MarkupText, EntitiesDecodedOnceAndEncodedOnce)
{
    EXPECT_EQ(DecodeEntities(L"&amp;lt;"), L"&lt;");
    EXPECT_EQ(DecodeEntities(L"&amp;eacute;"), L"&eacute;");
    EXPECT_EQ(DecodeEntities(L"&amp;amp;"), L"&amp;");
    EXPECT_EQ(DecodeEntities(L"&amp;quot;"), L"&quot;");
    EXPECT_EQ(DecodeEntities(L"&Eacute;&eacute;"), L"\u00C9\u00E9");
    EXPECT_EQ(DecodeEntities(L"&lt;b&gt; &quot;x&quot; &euro;"), L"<b> \"x\" \u20AC");
    EXPECT_EQ(DecodeEntities(L"&bogus; & &"), L"&bogus; & &") << "unknown entities stay";
    EXPECT_EQ(EncodeEntities(L"a&b"), L"a&amp;b");
    EXPECT_EQ(EncodeEntities(L"\u00E9"), L"&eacute;");
    EXPECT_EQ(EncodeEntities(L"*amp;"), L"*amp;") << "text that looks like an escape is kept";
    EXPECT_EQ(EncodeEntities(L"<\">"), L"&lt;&quot;&gt;");
    for (int i = 0; i < MarkupEntityCount; ++i) {
        String c(1, MarkupEntityChars[i]);
        EXPECT_EQ(DecodeEntities(EncodeEntities(c)), c) << i;
    }
    for (const wchar_t* text : {L"&amp;", L"&eacute;", L"*amp;", L"&amp;quot; \"<a>\""})
        EXPECT_EQ(DecodeEntities(EncodeEntities(text)), text) << Narrow(text);
    EXPECT_EQ(SpacesToNbsp(L"a b  c"), L"a&nbsp;b&nbsp;&nbsp;c");
}

TEST(MarkupText, ControlTagsParsedAndRewritten)
{
    String text = L"x <CONTROL TYPE=\"edit\" ID=\"e1\" WIDTH=\"60\" VALUE=\"a&amp;b\" PROP=\"p&nbsp;q\" MAXLEN=\"8\"> "
                  L"<control type=\"CHECK\" id=\"c1\" width=\"16\" value=\"TRUE\"> "
                  L"<CONTROL TYPE=\"RADIO\" ID=\"r1\" WIDTH=\"16\" VALUE=\"true\" HEIGHT=\"30\"> "
                  L"<CONTROL TYPE=\"COMBO\" ID=\"k1\" WIDTH=\"80\" VALUE=\"\"> tail";
    TMarkupControl c = ParseControlTag(L"<CONTROL TYPE=\"edit\" ID=\"e1\" WIDTH=\"60\" VALUE=\"a&amp;b\">");
    EXPECT_EQ(c.Kind, L"EDIT");
    EXPECT_EQ(c.Id, L"e1");
    EXPECT_EQ(c.Width, L"60");
    EXPECT_EQ(c.Value, L"a&b");
    EXPECT_EQ(ParseControlTag(L"<CONTROL VALUE=\"ID=&quot;z&quot;\" ID=\"real\">").Id, L"real")
        << "a value holding ID= is not the ID";
    EXPECT_EQ(ParseControlTag(L"<CONTROL ID WIDTH= TYPE=\"EDIT").Kind, L"EDIT") << "valueless attributes, no \">\"";

    EXPECT_TRUE(HasMarkupControl(L"a<control type=\"EDIT\">"));
    EXPECT_FALSE(HasMarkupControl(L"a<b>"));
    EXPECT_EQ(GetMarkupControlProp(text, L"e1"), L"p q");
    EXPECT_EQ(GetMarkupControlProp(text, L"none"), L"");
    EXPECT_EQ(GetMarkupControlMaxLen(text, L"e1"), 8);
    EXPECT_EQ(GetMarkupControlMaxLen(text, L"c1"), 0);
    EXPECT_EQ(NextMarkupEditControl(text, L""), L"e1");
    EXPECT_EQ(NextMarkupEditControl(text, L"e1"), L"k1") << "check and radio are skipped";
    EXPECT_EQ(NextMarkupEditControl(text, L"k1"), L"");

    String rewritten = text;
    ASSERT_TRUE(SetMarkupControlValue(rewritten, L"e1", L"a b"));
    EXPECT_NE(rewritten.find(L"<CONTROL ID=\"e1\" VALUE=\"a&nbsp;b\" WIDTH=\"60\" TYPE=\"EDIT\" PROP=\"p&nbsp;q\" "
                             L"MAXLEN=\"8\">"),
              String::npos)
        << Narrow(rewritten);
    EXPECT_EQ(rewritten.substr(0, 2), L"x ");
    EXPECT_EQ(rewritten.substr(rewritten.size() - 5), L" tail");
    EXPECT_EQ(GetMarkupControlMaxLen(rewritten, L"e1"), 8);
    EXPECT_FALSE(SetMarkupControlValue(rewritten, L"none", L"v"));

    // Whatever the value holds, it reads back as written and the rest of the text stays.
    for (const wchar_t* value : {L"say \"hi\" <b>", L"&lt; stays", L"\u00E9 x"}) {
        String t = text;
        ASSERT_TRUE(SetMarkupControlValue(t, L"k1", value));
        EXPECT_EQ(ControlOf(t, L"k1").Value, value) << Narrow(value);
        EXPECT_EQ(t.substr(t.size() - 5), L" tail");
    }

    String cleared = ClearMarkupRadios(text);
    EXPECT_EQ(ControlOf(cleared, L"r1").Value, L"FALSE");
    EXPECT_EQ(ControlOf(cleared, L"r1").Height, L"30");
    EXPECT_NE(cleared.find(L"value=\"TRUE\""), String::npos) << "the check box is not a radio";
}

TEST(MarkupText, MarkMatchesKeepsTagsAndUnmarkTagUndoesIt)
{
    String result;
    MarkMatches(L"<b>abc</b>", L"b", L"HI", result, true);
    EXPECT_EQ(result, L"<b>a<HI>b</HI>c</b>");
    MarkMatches(L"<b>ab</b>c AB", L"ab", L"HI", result, false);
    EXPECT_EQ(result, L"<b><HI>ab</HI></b>c <HI>AB</HI>");
    MarkMatches(L"xx", L"x", L"E", result, true);
    EXPECT_EQ(result, L"<E>x</E><E>x</E>");
    MarkMatches(L"<i>a</i>", L"", L"HI", result, true);
    EXPECT_EQ(result, L"<i>a</i>") << "nothing to search for";
    MarkMatches(L"a < b", L"b", L"HI", result, true);
    EXPECT_EQ(result, L"a &lt; <HI>b</HI>") << "a stray \"<\" gives the escaped plain text";

    String back;
    UnmarkTag(L"<b>a<HI>b</hi>c</b> &lt;x&gt;", L"hi", back);
    EXPECT_EQ(back, L"<b>abc</b> <x>");

    EXPECT_EQ(PlainToMarkupIndex(L"<b>ab</b>", 1), 4);
    EXPECT_EQ(PlainToMarkupIndex(L"<b>ab</b>", 2), 5);
    EXPECT_EQ(PlainToMarkupIndex(L"<b>ab</b>", 3), 10);
    EXPECT_EQ(PlainToMarkupIndex(L"<b>ab</b>", 4), 0);

    int pos = -1;
    EXPECT_TRUE(FindFromPos(L"ab", L"abXab", 1, pos, true));
    EXPECT_EQ(pos, 4);
    EXPECT_TRUE(FindFromPos(L"XA", L"abxab", 0, pos, false));
    EXPECT_EQ(pos, 3);
    EXPECT_FALSE(FindFromPos(L"ab", L"ab", 5, pos, true));
    EXPECT_EQ(MaskPassword(L"abc"), L"***");
}

TEST(MarkupText, HugeAndMalformedTextsPassThrough)
{
    String big;
    while (big.size() < 100000) big += L"<b>word</b> &amp; <ul><li>x ";
    big += L"<unclosed";
    String plain = StripMarkup(big);
    EXPECT_EQ(plain.substr(plain.size() - 9), L"<unclosed");
    EXPECT_EQ(DecodeEntities(EncodeEntities(big)), big);
    String marked;
    MarkMatches(L"<b>" + String(100000, L'a') + L"</b>", L"aaaa", L"HI", marked, true);
    EXPECT_EQ(StripTags(marked), String(100000, L'a'));
    for (const wchar_t* bad : {L"<", L"<<<", L">", L"<CONTROL ", L"<CONTROL ID=\"", L"&", L"&amp"}) {
        String t = bad;
        EXPECT_NO_THROW({
            StripMarkup(t);
            DecodeEntities(t);
            GetMarkupControlProp(t, L"");
            SetMarkupControlValue(t, L"", L"v");
            MarkMatches(t, L"<", L"HI", marked, false);
            PlainToMarkupIndex(t, 3);
        }) << Narrow(bad);
    }
}

TEST(MarkupText, UnclosedTagOpenersAreWalkedOnce)
{
    // Every "<" once searched the rest of the text for a ">": with this many, the walk took far
    // longer than a test may run. The answers are the plain text's own positions.
    const int n = 400000;
    const String opens(n, L'<');
    EXPECT_EQ(PlainToMarkupIndex(opens, n), n);
    EXPECT_EQ(PlainToMarkupIndex(opens, n + 1), n + 1);
    EXPECT_EQ(PlainToMarkupIndex(L"<b>x</b>" + opens, 2), 9);
    String marked;
    MarkMatches(opens + L"a", L"a", L"HI", marked, true);
    EXPECT_EQ(marked.substr(marked.size() - 14), L"&lt;<HI>a</HI>");
    String hashes;
    for (int k = 0; k < n / 2; ++k) hashes += L"<#";
    EXPECT_EQ(UnwrapHashTags(hashes), hashes);
}

} // namespace
