// RenderMarkup painting into memory bitmaps, measuring and hit-testing: lines and wrapping,
// anchors (hot look, hits on wrapped anchors), drawn controls, the tag vocabulary's effect on
// what is drawn, and malformed or huge texts.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "framework/facts/SystemFacts.h"
#include "framework/graphics/Canvas.h"
#include "grid/foundation/AsgHTMLE.h"
#include "grid/foundation/PictureContainer.h"
#include "tests/grid/PictureFixtures.h"
#include "tests/support/PixelBuffer.h"

namespace {

using kvltest::TPixelBuffer;

bool IsBlue(COLORREF c) { return GetBValue(c) > 160 && GetRValue(c) < 90 && GetGValue(c) < 90; }
bool IsRed(COLORREF c) { return GetRValue(c) > 160 && GetGValue(c) < 90 && GetBValue(c) < 90; }
bool IsInk(COLORREF c) { return c != RGB(255, 255, 255); }
bool Empty(const RECT& r) { return r.left >= r.right; }

std::string Narrow(const String& s)
{
    std::string out;
    for (wchar_t c : s) out += c < 128 ? static_cast<char>(c) : '?';
    return out;
}

// One RenderMarkup call with its many arguments named.
struct TMarkupCall {
    TRect Bounds{0, 0, 200, 100};
    int PointX = -1, PointY = -1, FocusIndex = -1, HotNumber = 0;
    bool Lookup = false, SizeOnly = false, Wrap = false, HotOnly = false, InSelection = false;
    TColor Link = clBlue, HotBack = clNone, HotText = clNone;
    String HitHref, PlainText, FocusHref, HitTitle, ControlId, ControlValue, ControlKind;
    int ExtentX = -1, ExtentY = -1, AnchorTotal = -1, HitNumber = -2;
    TRect HitRect{}, ControlRect{};
    THTMLPictureCache* Cache = nullptr;
    TPictureContainer* Store = nullptr;
    unsigned char BiDi = 0;
    bool Result = false;

    bool Run(TCanvas* C, const String& Markup)
    {
        Result = RenderMarkup(C, Markup, Bounds, nullptr, PointX, PointY, FocusIndex, HotNumber, 1, Lookup, SizeOnly,
                              false, InSelection, true, HotOnly, Wrap, false, 1.0, Link, HotBack, HotText, clGray,
                              HitHref, PlainText, FocusHref, HitTitle, ExtentX, ExtentY, AnchorTotal, HitNumber,
                              HitRect, ControlRect, ControlId, ControlValue, ControlKind, Cache, Store, nullptr, BiDi);
        return Result;
    }
};

class MarkupRender : public ::testing::Test {
protected:
    MarkupRender() : Pixels(240, 160)
    {
        Canvas.SetHandle(Pixels.DC());
        Canvas.Font()->SetName(L"Tahoma");
        Canvas.Font()->SetSize(10);
        Canvas.Font()->SetColor(clBlack);
        Gh = Canvas.TextHeight(L"gh");
    }
    ~MarkupRender() override { Canvas.SetHandle(nullptr); }

    TMarkupCall Measure(const String& Markup, bool Wrap = false, int Width = 200)
    {
        TMarkupCall call;
        call.SizeOnly = true;
        call.Wrap = Wrap;
        call.Bounds = TRect{0, 0, Width, 1000};
        call.Run(&Canvas, Markup);
        return call;
    }
    void Clear()
    {
        RECT all{0, 0, Pixels.Width(), Pixels.Height()};
        FillRect(Pixels.DC(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    // Whether some row of Box is link-coloured from its second to its second-last column.
    bool Underlined(RECT Box)
    {
        for (int y = Box.top; y < Box.bottom; ++y) {
            bool full = true;
            for (int x = Box.left + 1; x < Box.right - 1 && full; ++x) full = IsBlue(Pixels.At(x, y));
            if (full) return true;
        }
        return false;
    }

    TPixelBuffer Pixels;
    TCanvas Canvas;
    int Gh = 0;
};

TEST_F(MarkupRender, EmptyTextHasTheHeightOfGhAndLineBreaksMakeLines)
{
    TMarkupCall empty = Measure(L"");
    EXPECT_EQ(empty.ExtentY, Gh);
    EXPECT_EQ(empty.ExtentX, 0);
    EXPECT_FALSE(empty.Result);
    EXPECT_EQ(empty.HitNumber, -1);

    TMarkupCall two = Measure(L"a<BR>b");
    EXPECT_EQ(two.PlainText, L"a\rb");
    EXPECT_EQ(two.ExtentY, 2 * Gh);
    EXPECT_EQ(two.ExtentX, std::max(Canvas.TextWidth(L"a"), Canvas.TextWidth(L"b"))) << "the widest line";
    EXPECT_EQ(Measure(L"a\r\nb").ExtentY, 2 * Gh) << "line breaks become BR";

    // The paint call draws both lines, each in its own band.
    TMarkupCall paint;
    paint.Run(&Canvas, L"a<BR>b");
    EXPECT_FALSE(Empty(Pixels.Find(TRect{0, 0, 40, Gh}, IsInk)));
    EXPECT_FALSE(Empty(Pixels.Find(TRect{0, Gh, 40, 2 * Gh}, IsInk)));
}

TEST_F(MarkupRender, WithoutWrapTheTextAfterAnOverflowingRunIsDropped)
{
    const String text = L"Short <I>goes on</I><BR>second";
    for (bool wrap : {false, true}) {
        SCOPED_TRACE(wrap ? "wrap" : "no wrap");
        Clear();
        TMarkupCall call;
        call.Wrap = wrap;
        call.Bounds = TRect{0, 0, 70, 150};
        call.Run(&Canvas, text);
        RECT below = Pixels.Find(TRect{0, Gh + 1, 240, 160}, IsInk);
        EXPECT_EQ(Empty(below), !wrap);
        EXPECT_TRUE(Empty(Pixels.Find(TRect{71, 0, 240, 160}, IsInk))) << "nothing right of the rectangle";
        TMarkupCall size = Measure(text, wrap, 70);
        if (wrap) {
            EXPECT_GE(size.ExtentY, 3 * Gh);
            EXPECT_LE(size.ExtentX, 70);
            EXPECT_EQ(size.PlainText, L"Short goes on\rsecond");
        } else {
            EXPECT_EQ(size.ExtentY, Gh);
            EXPECT_EQ(size.PlainText, L"Short ");
        }
    }
}

TEST_F(MarkupRender, HitOnTheSecondLineOfAWrappedAnchorGivesItsHrefAndSecondLineRectangle)
{
    const String text = L"Go to <A href=\"Next://Page\" title=\"T\">far place</A> now";
    TMarkupCall paint;
    paint.Wrap = true;
    paint.Bounds = TRect{10, 5, 80, 120};
    paint.Run(&Canvas, text);
    RECT second = Pixels.Find(TRect{0, 5 + Gh, 240, 5 + 2 * Gh}, IsBlue);
    ASSERT_FALSE(Empty(second)) << "the anchor wraps onto the second line";

    TMarkupCall hit = paint;
    hit.Lookup = true;
    hit.PointX = (second.left + second.right) / 2;
    hit.PointY = (second.top + second.bottom) / 2;
    EXPECT_TRUE(hit.Run(&Canvas, text));
    EXPECT_EQ(hit.HitHref, L"Next://Page");
    EXPECT_EQ(hit.HitTitle, L"T");
    EXPECT_EQ(hit.HitNumber, 1);
    EXPECT_EQ(hit.AnchorTotal, 1);
    EXPECT_EQ(hit.HitRect.left, 11) << "the second line's left edge";
    EXPECT_EQ(hit.HitRect.top, 5 + Gh);
    EXPECT_NEAR(hit.HitRect.right, second.right, 3);
    EXPECT_GE(hit.HitRect.bottom, second.bottom);

    // Beside the anchor, or below the text, nothing is hit and HitHref keeps its value.
    for (POINT p : {POINT{12, 5 + Gh / 2}, POINT{50, 110}}) {
        TMarkupCall miss = paint;
        miss.Lookup = true;
        miss.HitHref = L"before";
        miss.PointX = p.x;
        miss.PointY = p.y;
        EXPECT_FALSE(miss.Run(&Canvas, text)) << p.x << "," << p.y;
        EXPECT_EQ(miss.HitHref, L"before");
        EXPECT_EQ(miss.HitNumber, -1);
    }
}

TEST_F(MarkupRender, ReadRightToLeftRunsAreMirroredAndHitAtTheirMirroredPlace)
{
    struct TRightToLeftSystem : TForwardingFacts {
        bool RightToLeftLocale() override { return true; }
    } facts;
    TSystemFactsOverride use(facts);
    const String text = L"<FONT COLOR=\"clRed\">WWW</FONT><A href=\"far\">WWW</A>";
    const int run = Canvas.TextWidth(L"WWW");
    // Bidirectional mode 0 keeps left-to-right order even on a right-to-left system.
    struct {
        unsigned char BiDi;
        int RedLeft, BlueLeft; // where each run's band starts
    } cases[] = {{0, 1, 1 + run}, {3, 200 - run, 200 - 2 * run}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.BiDi));
        Clear();
        TMarkupCall paint;
        paint.BiDi = c.BiDi;
        paint.Run(&Canvas, text);
        RECT red = Pixels.Find(TRect{0, 0, 240, Gh}, IsRed);
        RECT blue = Pixels.Find(TRect{0, 0, 240, Gh}, IsBlue);
        ASSERT_FALSE(Empty(red));
        ASSERT_FALSE(Empty(blue));
        EXPECT_NEAR(red.left, c.RedLeft, 3);
        EXPECT_NEAR(blue.left, c.BlueLeft, 3);
        EXPECT_LE(std::max(red.right, blue.right), 200) << "nothing beyond the line";

        TMarkupCall hit = paint;
        hit.Lookup = true;
        hit.PointX = (blue.left + blue.right) / 2;
        hit.PointY = Gh / 2;
        EXPECT_TRUE(hit.Run(&Canvas, text));
        EXPECT_EQ(hit.HitHref, L"far");
        EXPECT_EQ(hit.HitNumber, 1);
        // The anchor's rectangle is where the anchor shows, mirrored with its run.
        EXPECT_NEAR(hit.HitRect.left, blue.left, 3);
        EXPECT_NEAR(hit.HitRect.right, blue.right, 3);

        TMarkupCall miss = paint;
        miss.Lookup = true;
        miss.PointX = (red.left + red.right) / 2;
        miss.PointY = Gh / 2;
        EXPECT_FALSE(miss.Run(&Canvas, text)) << "the plain run is not the anchor";
    }
}

TEST_F(MarkupRender, HotOnlyUnderlineUnderlinesOnlyTheHotAnchor)
{
    const String text = L"<A href=\"1\">one</A> <A href=\"2\">two</A>";
    struct {
        bool HotOnly;
        bool First, Second;
    } cases[] = {{true, false, true}, {false, true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.HotOnly);
        Clear();
        TMarkupCall call;
        call.HotOnly = c.HotOnly;
        call.HotNumber = 2;
        call.Run(&Canvas, text);
        int middle = 1 + Canvas.TextWidth(L"one ");
        RECT first = Pixels.Find(TRect{0, 0, middle, Gh + 2}, IsBlue);
        RECT second = Pixels.Find(TRect{middle, 0, 200, Gh + 2}, IsBlue);
        ASSERT_FALSE(Empty(first));
        ASSERT_FALSE(Empty(second));
        EXPECT_EQ(Underlined(first), c.First);
        EXPECT_EQ(Underlined(second), c.Second);
    }
    // The hot text colour goes to the hot anchor only; the other keeps the link colour.
    Clear();
    TMarkupCall hot;
    hot.HotOnly = true;
    hot.HotNumber = 2;
    hot.HotText = clRed;
    hot.Run(&Canvas, text);
    int middle = 1 + Canvas.TextWidth(L"one ");
    EXPECT_FALSE(Empty(Pixels.Find(TRect{0, 0, middle, Gh + 2}, IsBlue)));
    EXPECT_TRUE(Empty(Pixels.Find(TRect{0, 0, middle, Gh + 2}, IsRed)));
    EXPECT_FALSE(Empty(Pixels.Find(TRect{middle, 0, 200, Gh + 2}, IsRed)));
}

struct TNoTheme : TForwardingFacts {
    bool ThemeActive() override { return false; }
};

TEST_F(MarkupRender, CheckControlWithValueTrueDrawsChecked)
{
    auto dark = [&](const String& value) {
        Clear();
        TMarkupCall call;
        call.Run(&Canvas, L"x<CONTROL TYPE=\"CHECK\" ID=\"c1\" WIDTH=\"16\" VALUE=\"" + value + L"\">");
        int count = 0;
        for (int y = 0; y < 20; ++y)
            for (int x = Canvas.TextWidth(L"x") + 1; x < 40; ++x) {
                COLORREF c = Pixels.At(x, y);
                count += GetRValue(c) + GetGValue(c) + GetBValue(c) < 200;
            }
        return count;
    };
    for (bool themed : {true, false}) {
        SCOPED_TRACE(themed ? "themed" : "flat");
        TNoTheme flat;
        std::unique_ptr<TSystemFactsOverride> use;
        if (!themed) use = std::make_unique<TSystemFactsOverride>(flat);
        int unchecked = dark(L"false");
        int checked = dark(L"true");
        EXPECT_GT(checked, unchecked + 5) << checked << " dark pixels checked, " << unchecked << " unchecked";
        EXPECT_EQ(dark(L"TRUE"), checked) << "any case";
    }

    // Hit-testing the control names it; ControlId finds it in lookup mode without a point.
    const String text = L"x<CONTROL TYPE=\"check\" ID=\"c1\" WIDTH=\"16\" VALUE=\"true\">";
    TMarkupCall hit;
    hit.Lookup = true;
    hit.PointX = Canvas.TextWidth(L"x") + 8;
    hit.PointY = 8;
    EXPECT_TRUE(hit.Run(&Canvas, text));
    EXPECT_EQ(hit.HitHref, L"ctrl");
    EXPECT_EQ(hit.ControlId, L"c1");
    EXPECT_EQ(hit.ControlKind, L"CHECK");
    EXPECT_EQ(hit.ControlValue, L"true");
    EXPECT_EQ(hit.ControlRect.right - hit.ControlRect.left, 16);
    TMarkupCall byId;
    byId.Lookup = true;
    byId.ControlId = L"c1";
    EXPECT_TRUE(byId.Run(&Canvas, text));
    EXPECT_EQ(byId.ControlKind, L"CHECK");

    // A control without WIDTH takes no room.
    EXPECT_EQ(Measure(L"a<CONTROL TYPE=\"EDIT\" ID=\"e\">b").ExtentX, Measure(L"ab").ExtentX);
    EXPECT_EQ(Measure(L"a<CONTROL TYPE=\"EDIT\" ID=\"e\" WIDTH=\"50\">b").ExtentX, Measure(L"ab").ExtentX + 50);
}

TEST_F(MarkupRender, TagsChangeWhatIsDrawnAndMeasured)
{
    EXPECT_GT(Measure(L"<b>bold</B>").ExtentX, Measure(L"bold").ExtentX) << "tag names ignore case";
    EXPECT_EQ(Measure(L"<i>ab</IND>cd").ExtentX, Measure(L"<i>ab</i>cd").ExtentX);
    EXPECT_EQ(Measure(L"<i>ab</IMG>cd").ExtentX, Measure(L"<i>ab</i>cd").ExtentX);
    EXPECT_EQ(Measure(L"<blah>a<xyz>b</blah><QQ>").ExtentX, Measure(L"ab").ExtentX) << "unknown tags";
    EXPECT_EQ(Measure(L"&amp;lt;").PlainText, L"<");
    EXPECT_EQ(Measure(L"a&nbsp;&gt;").PlainText, L"a >");
    EXPECT_EQ(Measure(L"<#1>").PlainText, L"#1");
    EXPECT_EQ(Measure(L"a<Z>hidden</Z>b").ExtentX, Measure(L"ab").ExtentX);
    EXPECT_EQ(Measure(L"a<Z>hidden</Z>b").PlainText, L"ahiddenb");
    EXPECT_EQ(Measure(L"<IND x=\"40\">a").ExtentX, 40 + Canvas.TextWidth(L"a"));
    EXPECT_EQ(Measure(L"a<HR>b").ExtentY, 2 * Gh);

    TFont twelve;
    twelve.Assign(Canvas.Font());
    for (auto [size, points] : {std::pair{L"3", 12}, {L"9", 9}, {L"1", 8}}) {
        twelve.SetSize(points);
        TCanvas probe;
        probe.SetHandle(Pixels.DC());
        probe.SetFont(&twelve);
        EXPECT_EQ(Measure(String(L"<FONT SIZE=\"") + size + L"\">Wg</FONT>").ExtentX, probe.TextWidth(L"Wg")) << points;
        probe.SetHandle(nullptr);
    }

    struct {
        const wchar_t* Tag;
        bool (*Check)(COLORREF);
    } colours[] = {{L"<FONT COLOR=\"clRed\">", IsRed}, {L"<font color=\"#0000ff\">", IsBlue},
                   {L"<FONT COLOR=\"#FF0000\">", IsRed}};
    for (const auto& c : colours) {
        Clear();
        TMarkupCall call;
        call.Run(&Canvas, String(c.Tag) + L"WWW</FONT>");
        EXPECT_FALSE(Empty(Pixels.Find(TRect{0, 0, 60, Gh}, c.Check))) << Narrow(c.Tag);
    }

    // Paragraph alignment moves the line.
    struct {
        const wchar_t* Align;
        int Left, Right;
    } aligns[] = {{L"LEFT", 0, 40}, {L"CENTER", 80, 120}, {L"RIGHT", 160, 201}};
    for (const auto& a : aligns) {
        Clear();
        TMarkupCall call;
        call.Run(&Canvas, String(L"<P align=\"") + a.Align + L"\">WW</P>");
        RECT ink = Pixels.Find(TRect{0, 0, 240, Gh}, IsInk);
        EXPECT_GE(ink.left, a.Left) << Narrow(a.Align);
        EXPECT_LE(ink.right, a.Right) << Narrow(a.Align);
    }
}

TEST_F(MarkupRender, RepeatedMeasuresFollowTheFontAndTheDc)
{
    // Each case is measured right after the one before on the same canvas, so a measure that
    // outlived its font or its DC's spacing would show as a wrong width.
    struct {
        const char* Name;
        int Size, Extra;
    } cases[] = {{"plain", 10, 0}, {"again", 10, 0}, {"larger font", 14, 0}, {"character spacing", 10, 3},
                 {"plain again", 10, 0}};
    for (const auto& c : cases) {
        Canvas.Font()->SetSize(c.Size);
        SetTextCharacterExtra(Pixels.DC(), c.Extra);
        Canvas.Font()->SetStyle(TFontStyles{fsBold});
        int bold = Canvas.TextWidth(L"WWW");
        Canvas.Font()->SetStyle(TFontStyles{});
        TMarkupCall call = Measure(L"<B>WWW</B> x");
        EXPECT_EQ(call.ExtentX, bold + Canvas.TextWidth(L" x")) << c.Name;
        EXPECT_EQ(call.ExtentY, Canvas.TextHeight(L"gh")) << c.Name;
        EXPECT_EQ(Measure(L"").ExtentY, Canvas.TextHeight(L"gh")) << c.Name;
    }
    SetTextCharacterExtra(Pixels.DC(), 0);
}

TEST_F(MarkupRender, CanvasStateIsRestored)
{
    Canvas.Brush()->SetColor(clYellow);
    Canvas.Pen()->SetColor(clGreen);
    Canvas.Pen()->SetWidth(3);
    TMarkupCall call;
    call.Run(&Canvas, L"<B><FONT COLOR=\"clRed\" SIZE=\"5\" BGCOLOR=\"clBlue\">x<HI>y<P BGCOLOR=\"clLime\">z<R a=\"90\">");
    EXPECT_EQ(Canvas.Brush()->Color(), clYellow);
    EXPECT_EQ(Canvas.Brush()->Style(), bsSolid);
    EXPECT_EQ(Canvas.Pen()->Color(), clGreen);
    EXPECT_EQ(Canvas.Pen()->Width(), 3);
    EXPECT_EQ(Canvas.Font()->Color(), clBlack);
    EXPECT_EQ(Canvas.Font()->Size(), 10);
    EXPECT_EQ(Canvas.Font()->Orientation(), 0);
    EXPECT_TRUE(Canvas.Font()->Style().Empty());
}

TEST_F(MarkupRender, RepeatedPaintingCallsDrawAndAnswerAsTheFirstWhereverTheyAre)
{
    // A painting call that repeats an earlier one draws what the earlier one kept: the same pixels
    // at its own rectangle and the same answers, for every kind of step a text may draw.
    const wchar_t* const texts[] = {
        L"<FONT COLOR=\"clRed\">Shift</FONT> <B>day 12</B><BR><A href=\"d12\">details</A> here",
        L"<P BGCOLOR=\"clAqua\">filled</P><UL><LI>one<LI>two</UL><Z>hidden</Z> <SHAD>shade</SHAD>",
        L"x<SUB>2</SUB> <HI>lit</HI> <FONT BGCOLOR=\"clYellow\">on yellow</FONT>   <U>   </U>",
    };
    auto snapshot = [&](int Left, int Top) {
        std::vector<COLORREF> pixels;
        for (int y = Top; y < Top + 70; ++y)
            for (int x = Left; x < Left + 110; ++x) pixels.push_back(Pixels.At(x, y));
        return pixels;
    };
    for (const wchar_t* text : texts) {
        SCOPED_TRACE(Narrow(text));
        std::vector<std::vector<COLORREF>> drawn;
        std::vector<TMarkupCall> calls;
        for (TRect bounds : {TRect{0, 0, 100, 60}, TRect{0, 0, 100, 60}, TRect{120, 80, 220, 140}}) {
            Clear();
            TMarkupCall call;
            call.Wrap = true;
            call.FocusIndex = 0;
            call.Bounds = bounds;
            call.Run(&Canvas, text);
            drawn.push_back(snapshot(bounds.left, bounds.top));
            calls.push_back(call);
        }
        for (size_t i = 1; i < calls.size(); ++i) {
            EXPECT_TRUE(drawn[i] == drawn[0]) << "call " << i;
            EXPECT_EQ(calls[i].PlainText, calls[0].PlainText);
            EXPECT_EQ(calls[i].FocusHref, calls[0].FocusHref);
            EXPECT_EQ(calls[i].ExtentX, calls[0].ExtentX);
            EXPECT_EQ(calls[i].ExtentY, calls[0].ExtentY);
            EXPECT_EQ(calls[i].AnchorTotal, calls[0].AnchorTotal);
            EXPECT_EQ(calls[i].HitNumber, -1);
        }
        EXPECT_EQ(Canvas.Font()->Color(), clBlack);
        EXPECT_EQ(Canvas.Brush()->Style(), bsSolid) << "the canvas's brush is put back";
    }

    // What decides the drawing besides the text is never taken from an earlier call.
    const String text = L"<HI>lit</HI> word";
    TMarkupCall first;
    first.Run(&Canvas, text);
    Clear();
    Canvas.Font()->SetColor(clRed);
    TMarkupCall red;
    red.Run(&Canvas, text);
    EXPECT_FALSE(Empty(Pixels.Find(TRect{0, 0, 200, Gh}, IsRed))) << "the canvas's font colour";
    Canvas.Font()->SetColor(clBlack);
    Clear();
    SetMarkupHighlightColors(clBlue, clWhite);
    TMarkupCall blue;
    blue.Run(&Canvas, text);
    SetMarkupHighlightColors(clHighlight, clHighlightText);
    EXPECT_FALSE(Empty(Pixels.Find(TRect{0, 0, 200, Gh}, IsBlue))) << "the highlight colours";
    Canvas.Font()->SetSize(16);
    TMarkupCall larger;
    larger.Run(&Canvas, text);
    EXPECT_GT(larger.ExtentY, first.ExtentY) << "the canvas's font";
}

TEST_F(MarkupRender, PaintsTheBytesOfEveryRunMeasuredAndDrawnWithItsFontSelected)
{
    // A DC in the advanced graphics mode (an identity transform) is measured and drawn on with
    // each run's font selected and DrawText; an ordinary one takes the fonts' width tables, lines
    // placed by hand and font DCs. Both must come out the same, byte for byte.
    const wchar_t* const texts[] = {
        L"<FONT COLOR=\"clRed\">Shift</FONT> <B>day 12</B><BR><A href=\"d12\">details</A> here",
        L"<I>Wolf</I> <U>under</U> <S>struck</S> <FONT FACE=\"Symbol\" SIZE=\"12\">abc</FONT> caf\u00E9 \u672C\u6708",
        L"<P align=\"center\">mid <B>bold</B></P><P align=\"right\">right</P><SHAD>shade</SHAD> x<SUP>2</SUP>",
        L"a long line without wrapping that ends in dots",
    };
    for (bool wrap : {true, false}) {
        for (const wchar_t* text : texts) {
            SCOPED_TRACE(Narrow(text) + (wrap ? " (wrapped)" : ""));
            TPixelBuffer reference(200, 80);
            SetGraphicsMode(reference.DC(), GM_ADVANCED);
            std::vector<COLORREF> drawn[2];
            for (int i = 0; i < 2; ++i) {
                TPixelBuffer ordinary(200, 80);
                HDC dc = i == 0 ? ordinary.DC() : reference.DC();
                TCanvas canvas;
                canvas.SetHandle(dc);
                canvas.Font()->SetName(L"Tahoma");
                canvas.Font()->SetSize(9);
                canvas.Font()->SetColor(clBlack);
                canvas.Brush()->SetStyle(bsClear);
                TMarkupCall call;
                call.Wrap = wrap;
                call.HotNumber = 1;
                call.Bounds = TRect{2, 2, 150, 78};
                call.Run(&canvas, text);
                canvas.SetHandle(nullptr);
                const TPixelBuffer& shown = i == 0 ? ordinary : reference;
                for (int y = 0; y < 80; ++y)
                    for (int x = 0; x < 200; ++x) drawn[i].push_back(shown.At(x, y));
            }
            EXPECT_TRUE(std::any_of(drawn[0].begin(), drawn[0].end(), IsInk)) << "something is drawn";
            EXPECT_TRUE(drawn[0] == drawn[1]);
        }
    }
}

TEST_F(MarkupRender, MalformedHugeAndDeeplyNestedTextsNeverRaise)
{
    String huge;
    int anchors = 0;
    for (; huge.size() < 100000; ++anchors) huge += L"<b>word</b> <FONT COLOR=\"clRed\">more</FONT> <A href=\"x\">link</A> ";
    String nested;
    for (int i = 0; i < 50; ++i) nested += L"<UL><LI>level";
    for (int i = 0; i < 50; ++i) nested += L"</UL>";
    const String texts[] = {L"<", L"a <", L"a < b", L"a <b", L"<b", L"<unknown>x</unknown>", L"<FONT COLOR>x",
                            L"<FONT SIZE=>x", L"<P ALIGN>x", L"<IMG SRC=\"IDX:99\">", L"<IMG>", L"<A>x</A>",
                            L"<CONTROL WIDTH=\"x\">", L"&bogus;", L"</UL></UL></A></FONT></P>", huge, nested};
    for (const String& t : texts) {
        for (bool wrap : {false, true}) {
            TMarkupCall size;
            size.SizeOnly = true;
            size.Wrap = wrap;
            size.Bounds = TRect{0, 0, 200, 100};
            EXPECT_NO_THROW(size.Run(&Canvas, t)) << t.size();
            EXPECT_GE(size.ExtentY, Gh);
            TMarkupCall paint;
            paint.Wrap = wrap;
            paint.Lookup = wrap;
            paint.PointX = paint.PointY = 10;
            EXPECT_NO_THROW(paint.Run(&Canvas, t));
        }
    }
    EXPECT_EQ(Measure(L"a <").PlainText, L"a ") << "a \"<\" at the end is dropped";
    EXPECT_EQ(Measure(L"a <b c").PlainText, L"a ") << "a tag without \">\" ends the text";
    TMarkupCall deep = Measure(nested, true);
    EXPECT_EQ(StripTags(nested), deep.PlainText);
    EXPECT_GT(deep.ExtentX, 12 * 49) << "fifty list levels indent";
    TMarkupCall big = Measure(huge, true);
    EXPECT_EQ(big.AnchorTotal, anchors);
}

// Pictures named in the container or addressed in the cache, stretched, swapped for their ALT
// picture under the point and tiled behind the text; a picture that cannot be had takes no room.
class MarkupPictures : public MarkupRender {
protected:
    MarkupPictures() : Store(nullptr)
    {
        using picturetest::MakeGif;
        AddPicture(L"Green", MakeGif(8, 6, {{1}}));
        AddPicture(L"Blue", MakeGif(8, 6, {{2}}));
        AddPicture(L"Tile", MakeGif(4, 4, {{0}}));
        std::vector<std::uint8_t> cut = MakeGif(8, 6, {{1}});
        cut.resize(30);
        AddPicture(L"Corrupt", cut);
        wchar_t dir[MAX_PATH], file[MAX_PATH];
        GetTempPathW(MAX_PATH, dir);
        GetTempFileNameW(dir, L"kvl", 0, file);
        File = file;
        std::vector<std::uint8_t> gif = MakeGif(6, 5, {{2}, {1}});
        TFileStream out(File, fmCreate);
        out.WriteBuffer(gif.data(), static_cast<int>(gif.size()));
    }
    ~MarkupPictures() override { DeleteFileW(File.c_str()); }

    void AddPicture(const String& Name, const std::vector<std::uint8_t>& Bytes)
    {
        TPictureItem* item = Store.Items()->Add();
        item->SetName(Name);
        TBytesStream stream(Bytes);
        item->Picture()->LoadFromStream(&stream);
    }
    TMarkupCall Call(bool SizeOnly = false)
    {
        TMarkupCall call;
        call.SizeOnly = SizeOnly;
        call.Store = &Store;
        call.Cache = &Cache;
        return call;
    }

    TPictureContainer Store;
    THTMLPictureCache Cache;
    String File;
};

bool IsGreen(COLORREF c) { return GetGValue(c) > 160 && GetRValue(c) < 90 && GetBValue(c) < 90; }

TEST_F(MarkupPictures, PicturesTakeTheirRoomOnlyWhenTheyLoad)
{
    const int text = Canvas.TextWidth(L"a") + Canvas.TextWidth(L"b");
    const String file = L"FILE://" + File;
    struct {
        String Src;
        int Width;
    } cases[] = {{L"Green", 8},
                 {L"gREEN", 8},
                 {L"Green\" WIDTH=\"20\" HEIGHT=\"12", 20},
                 {L"Green\" WIDTH=\"20", 8},
                 {L"missing", 0},
                 {L"Corrupt", 0},
                 {L"", 0},
                 {file, 6},
                 {L"FILE://Z:\\no\\such\\picture.gif", 0},
                 {L"http://example.invalid/a.gif", 0},
                 {L"other:thing", 0}};
    for (int round = 0; round < 2; ++round) {
        for (const auto& c : cases) {
            SCOPED_TRACE(Narrow(c.Src));
            TMarkupCall call = Call(true);
            EXPECT_NO_THROW(call.Run(&Canvas, L"a<IMG SRC=\"" + c.Src + L"\">b"));
            EXPECT_EQ(call.ExtentX, text + c.Width);
            EXPECT_EQ(call.PlainText, L"ab");
        }
    }
    EXPECT_EQ(Cache.Count(), 3) << "each address is loaded once, over all calls";
    ASSERT_NE(Cache.FindPicture(file), nullptr);
    EXPECT_EQ(Cache.FindPicture(file)->FrameCount(), 2);
    TMarkupCall attributeWithoutValue = Call(true);
    attributeWithoutValue.Run(&Canvas, L"a<IMG SRC ALT=\"Green\">b");
    EXPECT_EQ(attributeWithoutValue.ExtentX, text) << "SRC without a value is no picture";
}

TEST_F(MarkupPictures, StretchedAndAltPicturesAndTiledBackgroundsArePainted)
{
    TMarkupCall stretched = Call();
    stretched.Run(&Canvas, L"<IMG SRC=\"Green\" WIDTH=\"20\" HEIGHT=\"12\">");
    RECT green = Pixels.Find(TRect{0, 0, 60, 30}, IsGreen);
    EXPECT_EQ(green.left, 1);
    EXPECT_EQ(green.top, 0);
    EXPECT_EQ(green.right, 21);
    EXPECT_EQ(green.bottom, 12);

    const String anchored = L"<A HREF=\"go\"><IMG SRC=\"Green\" ALT=\"Blue\"></A>";
    for (bool over : {false, true}) {
        SCOPED_TRACE(over ? "point on the picture" : "point elsewhere");
        Clear();
        TMarkupCall paint = Call();
        paint.PointX = paint.PointY = over ? 3 : 100;
        paint.Run(&Canvas, anchored);
        COLORREF shown = Pixels.At(4, 3);
        EXPECT_EQ(IsBlue(shown), over);
        EXPECT_EQ(IsGreen(shown), !over);
        TMarkupCall hit = Call();
        hit.Lookup = true;
        hit.PointX = hit.PointY = over ? 3 : 100;
        EXPECT_EQ(hit.Run(&Canvas, anchored), over);
        EXPECT_EQ(hit.HitHref, over ? L"go" : L"");
    }

    Clear();
    TMarkupCall body = Call();
    body.Bounds = TRect{10, 10, 50, 40};
    body.Run(&Canvas, L"<BODY BACKGROUND=\"Tile\">");
    RECT red = Pixels.Find(TRect{0, 0, 80, 60}, IsRed);
    EXPECT_EQ(red.left, 10);
    EXPECT_EQ(red.top, 10);
    EXPECT_EQ(red.right, 50) << "tiled up to the rectangle's edge, clipped there";
    EXPECT_EQ(red.bottom, 40);
    Clear();
    TMarkupCall broken = Call();
    EXPECT_NO_THROW(broken.Run(&Canvas, L"<BODY BACKGROUND=\"Corrupt\">x<BODY BACKGROUND>"));
    EXPECT_TRUE(Empty(Pixels.Find(TRect{0, 0, 80, 60}, IsRed)));
}

} // namespace
