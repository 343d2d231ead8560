#pragma once
// Unit AsgHTMLE: the small tag language that cell texts, hints and captions may carry. Three
// concerns share this header: the vocabulary (colour names and values, entities, the highlight
// colours of the HI tag; AsgHTMLE.cpp), routines that edit markup texts without drawing them
// (strip, entities, drawn-control values, match marking; AsgHTMLEText.cpp), and RenderMarkup,
// which paints, measures and hit-tests a markup text inside a rectangle (AsgHTMLERender.cpp).
// Nothing here raises on malformed markup: unknown tags and entities are passed over, and no
// routine reads outside the text it is given.
#include <windows.h>

#include <array>
#include <string_view>

#include "framework/graphics/Canvas.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/ImageList.h"
#include "framework/system/SystemTypes.h"

class TBitmap;
class THTMLPictureCache;
struct TMarkupPaintRecord;
class TPictureContainer;

// ---- Vocabulary ----------------------------------------------------------------------------

// The colour of one of the 40 markup colour names ("clred", "clbtnface", ...); the caller
// lower-cases the name. 0 (black) for a name not in the table.
TColor ColorFromName(const String& Name);
// "#RRGGBB", red first, into a colour with red in the low byte. Missing digits read as 0.
TColor ColorFromHex(const String& Text);
// One hexadecimal digit ("0".."9", "A".."F", "a".."f"); 0 for anything else.
int HexByteValue(wchar_t Digit);

constexpr int MarkupEntityCount = 51;
// Parallel tables: MarkupEntityChars[i] is written as MarkupEntityNames[i] ("&eacute;", ...).
extern const std::array<wchar_t, MarkupEntityCount> MarkupEntityChars;
extern const std::array<const wchar_t*, MarkupEntityCount> MarkupEntityNames;

// Colours of the HI tag, process-wide: the last grid to set its highlight colours decides them.
extern TColor MarkupHighlightBrush;
extern TColor MarkupHighlightText;
void SetMarkupHighlightColors(TColor Brush, TColor Text);

// Renderer pre-pass pieces: "<#12>" shows as "#12"; CR becomes "<BR>" and LF is dropped.
String UnwrapHashTags(const String& Text);
String LineBreaksToMarkup(const String& Text);

// The value of an attribute inside a tag's text: Name (found ignoring case, outside quoted values),
// "=", and the text between the next two double quotes. Empty when the attribute, its "=" or its
// quotes are missing.
String MarkupAttribute(const String& Tag, const String& Name);
// A number as markup writes it: optional sign, "$" or "0x" for hexadecimal, digits up to the first
// other character; leading blanks, "=" and quotes are skipped. 0 when there is no number.
int MarkupNumber(const String& Text);

// ---- Text utilities ------------------------------------------------------------------------

struct TMarkupControl {
    String Kind;   // TYPE, upper-cased
    String Id;
    String Value;  // entities decoded
    String Width;
    String Height;
    String Prop;   // entities decoded
    String MaxLen;
};

// "<BR>" and "<HR>" become CR LF, every other tag goes; text after a "<" without ">" stays.
String StripMarkup(const String& Text);
String StripTags(const String& Text);
// "&lt;", "&gt;", "&amp;", "&quot;" and the 51 named entities become their characters, each once.
String DecodeEntities(const String& Text);
// The reverse: "&", quote, "<", ">" and the 51 characters become their entity names.
String EncodeEntities(const String& Text);
String SpacesToNbsp(const String& Text);
bool HasMarkupControl(const String& Text);
// ID of the first editable control (not BUTTON, CHECK or RADIO) after the control Id (from the
// start when Id is empty); empty when there is none.
String NextMarkupEditControl(const String& Text, const String& Id);
String ClearMarkupRadios(const String& Text);
String GetMarkupControlProp(const String& Text, const String& Id);
int GetMarkupControlMaxLen(const String& Text, const String& Id);
// Rewrites the first control with that ID with its new VALUE; false when there is none.
bool SetMarkupControlValue(String& Text, const String& Id, const String& Value);
// Wraps every occurrence of Search in the plain text with <Tag> and </Tag>.
void MarkMatches(const String& Markup, const String& Search, const String& Tag, String& Result,
                 bool CaseSensitive);
// Removes every <Tag> and </Tag> (any case), then turns "&lt;" and "&gt;" back into "<" and ">".
void UnmarkTag(const String& Markup, const String& Tag, String& Result);
// 1-based index in Markup of the N-th character outside tags; one past the end for the count
// plus one; 0 beyond that.
int PlainToMarkupIndex(const String& Markup, int N);
// Finds Sub in Text after skipping Start characters; Position is 1-based from the text's start.
bool FindFromPos(const String& Sub, const String& Text, int Start, int& Position, bool CaseSensitive);
TMarkupControl ParseControlTag(const String& Tag);
String MaskPassword(const String& Text);

// ---- Renderer ------------------------------------------------------------------------------

// The tag-driven state that one pass carries from line to line. RenderMarkup keeps one for the
// measuring passes and one for the painting passes, so that a tag opened on one line keeps
// acting on the next in both.
struct TMarkupFlow {
    TFont Font;
    int AnchorCount = 0;
    int ListLevel = 0;
    int PictureCount = 0;
    bool InAnchor = false;
    String AnchorHref, AnchorTitle;
    int Align = 0;   // 0 left, 1 right, 2 centre
    int Indent = 0;
    bool Shadow = false, Hidden = false, ErrorMark = false, ParaFill = false;
    bool Subscript = false, Superscript = false;
    TColor ParaColor = clNone;
    TColor SavedAnchorBrush = clNone, SavedAnchorText = clNone;
    TColor SavedFontBrush = clNone;
    TColor SavedHiBrush = clNone, SavedHiText = clNone;
    TColor SavedParaBrush = clNone;
    bool AnchorHot = false;  // the open anchor took the hot look
};

// One line's measures, in and out of RenderMarkupLine.
struct TMarkupLine {
    int Height = 0;
    int BaselineOffset = 0;
    int SuperExtra = 0, SubExtra = 0;
    int RunPos = 0;
    int Width = 0;
    int TrailingBlank = 0;
};

// Everything one RenderMarkup call works with: its arguments, its results and the state shared
// by its passes.
struct TMarkupRender {
    TCanvas* Canvas = nullptr;
    TRect Bounds{};
    TCustomImageList* ImageList = nullptr;
    int PointX = -1, PointY = -1;
    int FocusIndex = -1, HotNumber = 0, ShadowShift = 1;
    bool LookupMode = false, SizeOnly = false, PrintMode = false, InSelection = false;
    bool BlinkVisible = true, HotOnlyUnderline = false, WrapWords = false, ButtonDown = false;
    double PrintScale = 1.0;
    TColor LinkColor = clBlue, HotBackColor = clNone, HotTextColor = clNone, ShadeColor = clGray;
    THTMLPictureCache* PictureCache = nullptr;
    TPictureContainer* PictureStore = nullptr;
    HWND ThemeWindow = nullptr;
    int BiDi = 0;

    // Results.
    String HitHref, PlainText, FocusHref, HitTitle;
    int ExtentX = 0, ExtentY = 0, AnchorTotal = 0, HitNumber = -1;
    TRect HitRect{};
    TRect ControlRect{};
    String ControlId, ControlValue, ControlKind;

    // Shared state.
    TFont BaseFont;
    TMarkupFlow Measure, Paint;
    TColor StartBrush = clNone;
    bool Themed = false, ThemeChecked = false;
    int GhHeight = 0;
    // An anchor under the point whose rectangle is reported when it closes.
    bool AnchorHitPending = false;
    int AnchorLineLeft = 0;   // where the open anchor's text began on the current line
    // What a painting call draws, kept for the next call with the same text and arguments; set
    // when the call may be kept. Pictures, controls and the few tags whose drawing depends on more
    // than the text, the font and the rectangle's size make the call one not to keep.
    TMarkupPaintRecord* Record = nullptr;
    bool Unrecordable = false;
    // Buffers the passes reuse from tag to tag and line to line: the tag being acted on, its
    // upper case, and the runs waiting to be drawn as one text.
    String TagText, TagUpper, PendingRuns;
};

enum TMarkupPass { mpLayout, mpLookup, mpPaint };

// One pass over one line. Text is the remaining markup (shortened by what a layout pass
// consumes); LineMarkup receives the consumed markup, a view into the text the call began with.
// ItemHit and AnchorHit report a picture or control, and an anchor, under the point.
void RenderMarkupLine(TMarkupRender& R, std::wstring_view& Text, TRect LineRect, std::wstring_view& LineMarkup,
                      bool& ItemHit, bool& AnchorHit, TMarkupLine& Line, TMarkupPass Pass);

bool RenderMarkup(TCanvas* Canvas, const String& Markup, TRect Bounds, TCustomImageList* ImageList, int PointX,
                  int PointY, int FocusIndex, int HotNumber, int ShadowShift, bool LookupMode, bool SizeOnly,
                  bool PrintMode, bool InSelection, bool BlinkVisible, bool HotOnlyUnderline, bool WrapWords,
                  bool ButtonDown, double PrintScale, TColor LinkColor, TColor HotBackColor, TColor HotTextColor,
                  TColor ShadeColor, String& HitHref, String& PlainText, String& FocusHref, String& HitTitle,
                  int& ExtentX, int& ExtentY, int& AnchorTotal, int& HitNumber, TRect& HitRect,
                  TRect& ControlRect, String& ControlId, String& ControlValue, String& ControlKind,
                  THTMLPictureCache* PictureCache, TPictureContainer* PictureStore, HWND ThemeWindow,
                  unsigned char BiDi);

// DrawText flags adjusted for the calling control's bidirectional mode on a right-to-left system.
UINT BiDiTextFlags(UINT Flags, int BiDi);
// The R tag: the canvas font turned by Degrees (escapement and orientation of Degrees x 10), and
// the unturned font put back.
void SelectRotatedFont(TCanvas* Canvas, int Degrees);
void RestoreRotatedFont(TCanvas* Canvas);
// The bitmap's bits copied, stretched, into Rect (printing).
void StretchBitmapToRect(TCanvas* Canvas, const TRect& Rect, TBitmap* Bitmap);
// A small or large system icon: Source is an index of the system image list, or a file or folder
// path whose icon the shell names. Size receives the icon size; Draw paints it at (X, Y), in
// print mode stretched by Scale.
void PaintShellIcon(TCanvas* Canvas, int X, int Y, TSize& Size, double Scale, bool Print, bool Draw, bool Large,
                    const String& Source);
