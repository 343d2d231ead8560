#pragma once
// Unit AdvUtil: free routines the grid pack shares. The text half classifies cell texts, cleans
// and classifies number texts under FormatSettings' separators, escapes line breaks for the file
// formats, parses and steps dates and matches filter conditions; none of it keeps state and none
// of it raises on any text. Positions are 1-based, 0 meaning "not found".
// The painting half draws gradients, the selection box, the cell graphics, shapes and small
// glyphs on a canvas the caller owns and leaves its pen, brush and font colours changed; callers
// save what they need. clNone ($1FFFFFFF) means "no colour" throughout.
// Sources: AdvUtilText.cpp (kinds, links, line breaks, quoting, case), AdvUtilNumbers.cpp,
// AdvUtilDates.cpp, AdvUtilFilter.cpp, AdvUtil.cpp (gradients, selection box),
// AdvUtilCellGraphics.cpp (progress, pie, range), AdvUtilShapes.cpp, AdvUtilGlyphs.cpp.
#include <windows.h>

#include "framework/classes/StringList.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/grids/Grids.h"
#include "framework/system/SystemTypes.h"

// ---- Text kinds, links and the clipboard wrapper ---------------------------------------------

// 0 plain, 1 markup (only with DetectMarkup), 2 rich text, 3 formula (also wide-encoded), 5 other
// wide-encoded text.
int CellTextKind(const String& Text, bool DetectMarkup);
// Replaces Fragment by the whole "HTML Format" clipboard text. The offsets in its header count
// bytes of the UTF-8 form (StringToUtf8) of the result, which is what goes on the clipboard.
void WrapClipboardHTML(String& Fragment);
int WidePos(const String& Sub, const String& Text);
// "R<row>C<column>" in any case: Point.X = column, Point.Y = row.
bool ParseCellAnchor(const String& Text, TPoint& Point);
bool LooksLikeURL(const String& Text);
void StripURLScheme(String& Text);
// Turns the first address starting with UpperPrefix (given in upper case) into an anchor, with
// "<" and ">" of the text escaped; false (Result untouched) when the prefix does not occur.
bool AutoLinkURLs(const String& Text, const String& UpperPrefix, String& Result);

// ---- Numbers, colours, small integer helpers -------------------------------------------------

// 0 integer, 1 decimal number, 5 number with exponent, 2 anything else.
int NumberTextKind(const String& Text);
// A number text ready for conversion: "." as decimal point, no thousand separators, "-" in front
// of a negative ("(1,234.50)" gives "-1234.50").
String CleanNumberText(const String& Text);
bool IsDigitChar(wchar_t C);
String ColorToHexRGB(TColor Color);
TColor HalveColor(TColor Color);
int IntMax(int A, int B);
int IntMin(int A, int B);
bool GridRectContains(const TGridRect& Rect, int Col, int Row);
// A limit of 0 is "no limit"; equal limits leave the value alone.
int ClampToLimits(int Value, int Min, int Max);

// ---- Line breaks and delimited text ------------------------------------------------------------

String LineBreaksToBR(const String& Text);
String EscapeLineBreaks(const String& Text);
String UnescapeLineBreaks(const String& Text);
// The grid file format keeps a cell on one line: CR -> #9, LF -> #8, #0 -> #1.
String EncodeCellLineBreaks(const String& Text);
String DecodeCellLineBreaks(const String& Text, bool MultiLine);
// Line receives Text up to its first CR (a LF right after it is dropped); Text keeps the rest
// only when KeepRest, else it becomes empty.
void SplitFirstLine(String& Text, bool KeepRest, String& Line);
int CountTextLines(const String& Text, bool MultiLine);
String LineBreaksToTilde(const String& Text);
String TildeToLineBreaks(const String& Text);
String QuoteMultiLine(const String& Text);
String VTabToCRLF(const String& Text);
String CRLFToLF(const String& Text);
String StripCR(const String& Text);
String CRToLF(const String& Text);
String DoubleQuoteChars(const String& Text);
String UndoubleChar(wchar_t C, const String& Text);
int FindClosingQuote(wchar_t Quote, const String& Text);
int CountUnescapedQuotes(wchar_t Quote, const String& Text);
int CountChar(wchar_t C, const String& Text);
int FirstCharPos(wchar_t C, const String& Text);
int LocateChar(wchar_t C, const String& Text, int& Position);
int PosInUpperCase(const String& UpperSub, const String& Text);
int FindPos(const String& Sub, const String& Text, int& Position);
// The text before the first Separator, removed from Text together with the separator's first
// character; empty and Text unchanged when there is no separator.
String TakeToken(String& Text, const String& Separator);
void FillWithChar(String& Text, wchar_t C);
String ConcatStrings(const TStrings* List);
String RemoveBlanksOutsideQuotes(const String& Text);
int MatchingParenPos(const String& Text);
// The first character of Set outside double quotes, its position in Position; #0 and -1 when none.
wchar_t FirstDelimiterOutsideQuotes(const String& Set, const String& Text, int& Position);
// Each character as its OEM code page byte, those bytes read back as ANSI characters, so that the
// ANSI form of the result is the OEM text; OemToString undoes it.
String StringToOem(const String& Text);
String OemToString(const String& Text);

// ---- Dates -----------------------------------------------------------------------------------

// Two-digit years get a century (below 26: 2000, else 1900); longer years stay. 0 when a part
// is not a number or the parts make no date.
TDateTime ParseMDYDate(const String& Text);
TDateTime ParseDMYDate(const String& Text);
// A date in the order of FormatSettings.ShortDateFormat, optionally " h:n[:s]".
bool ParseDateTimeText(const String& Text, TDateTime& Value);
bool LooksLikeDate(const String& Text);
// Only Days: Date + Days; only Years or only Months: the same day that many years or months on,
// clipped to the target month's length; anything else: Date + Difference. The time of day stays.
TDateTime StepDate(int Years, int Months, int Days, TDateTime Difference, TDateTime Date);

String NameCase(const String& Text);

// ---- Filter conditions -----------------------------------------------------------------------

// Operands joined by "&" (and) or ";", "^", "|" (or), evaluated strictly left to right; "( )"
// groups; each operand a wildcard pattern ("*", "?"), "!" pattern, or a bound ("<", "<=", ">",
// ">=") compared as date, text or number.
bool MatchFilterCondition(const String& Condition, const String& Text, bool CaseSensitive);
bool WildcardMatch(const String& Operand, const String& Text, bool CaseSensitive);

// ---- Gradients and the selection box ---------------------------------------------------------

// Bands from ColorFrom to ColorTo across Rect (left to right when Horizontal, else top to
// bottom); a solid fill when ColorTo is clNone.
void PaintStepGradient(TCanvas* Canvas, TColor ColorFrom, TColor ColorTo, bool Horizontal, TRect Rect, int Steps);

// Solid, one gradient or two half gradients (mirror), then an optional border (SidesOnly: just
// the left and right edges).
void PaintMirrorGradient(TCanvas* Canvas, TRect Rect, TColor Color, bool Fill, bool SidesOnly, TColor BorderColor,
                         bool Vertical, TColor MirrorColorTo, TColor MirrorColor, TColor ColorTo);

// Colour at Step of the range Start..End between two colours.
TColor InterpolateColor(TColor ColorFrom, TColor ColorTo, int Start, int Step, int End);

// Which piece of a selection that spans several columns a cell shows: the whole box, the left
// end, the right end or a middle piece (no rounded corners).
enum TSelectionBoxPart { sbpWhole = 0, sbpLeft = 1, sbpRight = 2, sbpMiddle = 3 };

void PaintSelectionBox(TCanvas* Canvas, TColor Color, TColor ColorTo, int Part, TRect Rect, TColor OuterCornerColor,
                       TColor InnerCornerColor, TColor BorderColor, TColor LowerInnerLineColor,
                       TColor UpperInnerLineColor, TColor MirrorColorTo, TColor MirrorColor);

// ---- Cell graphics ---------------------------------------------------------------------------

// A progress bar filling Value's share of Min..Max (or Value percent without a Format) with the
// text centred, each side of the split in its own colours.
void PaintProgressBar(TCanvas* Canvas, TRect Rect, TColor Color, const String& Format, double Max, double Min,
                      int MarginY, int MarginX, double Value, TColor RemainingColor, TColor RemainingTextColor,
                      TColor TextColor, TColor BorderColor);
// A circle with the sector 0..Value percent (clockwise from 12 o'clock) flooded in Color.
// FillAbove starts the flood above the circle's top instead of below.
void PaintProgressPie(TCanvas* Canvas, TRect Rect, TColor Color, bool FillAbove, int Value);
// A bar from the centre: right for positive values, left for negative ones.
void PaintRangeIndicator(TCanvas* Canvas, TRect Rect, int Value, TColor PositiveColor, TColor NegativeColor,
                         bool ShowValue, int Range);

struct TXPProgressAppearance {
    TColor BackgroundColor = clWhite;
    bool ShowBorder = true;
    TColor BorderColor = clGray;
    bool Vertical = false;
    int Level1Percent = 70;
    int Level2Percent = 90;
    TColor Level0Color = clLime, Level0ColorTo = clNone;
    TColor Level1Color = clYellow, Level1ColorTo = clNone;
    TColor Level2Color = clRed, Level2ColorTo = clNone;
    TColor Level3Color = clGreen, Level3ColorTo = clNone;
    bool Stacked = false;
    bool Gradient = false;
    bool Segmented = false;
    bool ShowPercentage = true;
    TColor TextColor = clBlack;
};
void PaintXPProgress(TCanvas* Canvas, TRect Rect, int Percent, TXPProgressAppearance Appearance);

enum TCellShape {
    csRectangle, csCircle, csTriangleLeft, csTriangleRight, csTriangleUp, csTriangleDown, csDiamond,
    csLineVert, csLineHorz, csRoundRect, csEllips, csSquare, csRoundSquare, csStar, csArrowUp,
    csArrowDown, csArrowLeft, csArrowRight, csHalfStar
};
// The shape in the box at X, Y of Width x Height; shapes beyond csHalfStar draw nothing.
void PaintCellShape(TCanvas* Canvas, int X, int Y, TColor PenColor, TColor BrushColor, int Shape, int Width,
                    int Height);

// ---- Glyphs, bitmaps, the error underline ----------------------------------------------------

// The drop-down button (17 pixels) or the spin pair (15 pixels) at Rect's right edge, through
// visual styles when Themed (falling back to frame controls when the style cannot be opened).
void PaintComboButton(TCanvas* Canvas, HWND Window, TRect Rect, bool Enabled, bool Themed);
// One part of a visual-styles class (e.g. L"button", L"progress") in Rect; false when the style
// cannot be opened, so that the caller draws its own fallback.
bool PaintThemedPart(TCanvas* Canvas, HWND Window, const wchar_t* ClassName, int Part, int State, const TRect& Rect);
void PaintSpinButtons(TCanvas* Canvas, HWND Window, TRect Rect, bool Enabled, bool Themed);
void PaintDownTriangle(TCanvas* Canvas, int X, int Y, TColor Color);
// Loads the module's bitmap resource ResName; draws nothing when it does not exist.
void PaintResourceBitmap(TCanvas* Canvas, TColor BackgroundColor, TRect Rect, const String& ResName);
// Bitmap at Rect's top-left (clipped to Rect), its top-left pixel's colour shown as BackgroundColor.
void PaintBitmapTransparent(TCanvas* Canvas, TBitmap* Bitmap, TColor BackgroundColor, TRect Rect);
// Red zig-zag under characters Start .. Start + Length - 1 (1-based) of Text as an edit control
// lays it out in Rect; Offset is the text's line height.
void PaintErrorUnderline(HWND Owner, TCanvas* Canvas, const String& Text, int Length, int Start, int Offset,
                         TRect Rect);
void FillRectColor(TCanvas* Canvas, TRect Rect, TColor Color);

// ---- Layered windows -------------------------------------------------------------------------

// user32's functions looked up at each call; a system without them counts as success.
bool DynamicUpdateLayeredWindow(HWND Window, HDC DestDC, POINT* DestPoint, SIZE* Size, HDC SourceDC,
                                POINT* SourcePoint, COLORREF Key, BLENDFUNCTION* Blend, DWORD Flags);
bool DynamicSetLayeredWindowAttributes(HWND Window, COLORREF Key, BYTE Alpha, DWORD Flags);
