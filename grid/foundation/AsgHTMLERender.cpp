// RenderMarkup: lays markup out line by line inside a rectangle and paints, measures or
// hit-tests it. Each line is taken twice: a layout pass decides which markup forms the line and
// how wide and high it is, then a second pass paints it at its aligned place (or, when hit-testing,
// measures it there again so that the point is compared with where the text really lies).
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>
#include <uxtheme.h>
#include <vssym32.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "framework/facts/SystemFacts.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/DrawingGuards.h"
#include "framework/graphics/FontDCCache.h"
#include "framework/graphics/FontWidths.h"
#include "framework/system/StringUtils.h"
#include "grid/foundation/AsgHTMLE.h"
#include "grid/foundation/PictureContainer.h"

namespace {

constexpr UINT MarkupTextFlags = DT_BOTTOM | DT_SINGLELINE | DT_EXPANDTABS | DT_EXTERNALLEADING | DT_NOPREFIX;
constexpr int ListIndent = 12;

// The visual-styles calls, looked up once: a system without them draws the flat controls.
struct TThemeApi {
    decltype(&::OpenThemeData) Open = nullptr;
    decltype(&::DrawThemeBackground) Draw = nullptr;
    decltype(&::CloseThemeData) Close = nullptr;
    TThemeApi()
    {
        HMODULE lib = LoadLibraryW(L"uxtheme.dll");
        if (lib == nullptr) return;
        Open = reinterpret_cast<decltype(Open)>(reinterpret_cast<void*>(GetProcAddress(lib, "OpenThemeData")));
        Draw = reinterpret_cast<decltype(Draw)>(reinterpret_cast<void*>(GetProcAddress(lib, "DrawThemeBackground")));
        Close = reinterpret_cast<decltype(Close)>(reinterpret_cast<void*>(GetProcAddress(lib, "CloseThemeData")));
    }
    bool Available() const { return Open != nullptr && Draw != nullptr && Close != nullptr; }
};

const TThemeApi& ThemeApi()
{
    static TThemeApi api;
    return api;
}

// The framework frees a GDI object's handle when its last user lets go, so a text that turns bold
// on and off, or a call that clears the brush and puts it back, would create and delete the same
// object at every tag and every call. The renderer keeps the fonts and brushes it used last alive,
// so that each is created once and then found in the shared cache.
void KeepAlive(const TGraphicsObject* Object)
{
    static std::vector<TGdiResourceRef> kept;
    static size_t next = 0;
    constexpr size_t Capacity = 32;
    const TGdiResourceRef& resource = Object->Resource();
    if (!resource) return;
    for (const auto& r : kept)
        if (r == resource) return;
    if (kept.size() < Capacity) {
        kept.push_back(resource);
    } else {
        kept[next] = resource;
        next = (next + 1) % Capacity;
    }
}

// How the current call measures text. A display DC measures as the fonts' width tables do, so
// the layout needs no font selected at all (selecting one is the dearest thing the renderer
// could do) and the painting selects none either; any other DC (a printer, a metafile, a mapping
// mode or a world transform) measures itself with the font selected.
class TTextMeasure {
public:
    // Set once per call, before any measure.
    void Begin(HDC DC)
    {
        FByWidths = MeasuresLikeDisplay(DC);
        FCharExtra = FByWidths ? GetTextCharacterExtra(DC) : 0;
        FTarget.reset();
    }

    // The DC as text drawing reads it, read once per call when text is first drawn (the call
    // changes nothing of it that this covers).
    const TTextTarget* Target(HDC DC)
    {
        if (!FTarget || FTarget->DC != DC) FTarget.emplace(DC);
        return &*FTarget;
    }

    TSize Extent(TCanvas* C, std::wstring_view Text) const
    {
        TSize size;
        if (FByWidths && TextExtentFromWidths(*C->Font(), Text, FCharExtra, size)) return size;
        return C->TextExtent(String(Text));
    }

    // Whether the DC of the current call measures from the tables, and its character spacing.
    bool ByWidths() const { return FByWidths; }
    int CharExtra() const { return FCharExtra; }

private:
    bool FByWidths = false;
    int FCharExtra = 0;
    std::optional<TTextTarget> FTarget;
};

TTextMeasure& Extents()
{
    static TTextMeasure measure;
    return measure;
}

TColor BrushColorOrNone(const TBrush* B) { return B->Style() == bsClear ? clNone : B->Color(); }
TColor BrushColorOrNone(TCanvas* C) { return BrushColorOrNone(C->Brush()); }

void SetBrushColor(TCanvas* C, TColor Color)
{
    if (Color == clNone)
        C->Brush()->SetStyle(bsClear);
    else
        C->Brush()->SetColor(Color);
}

// A colour attribute of BODY, FONT or P (already upper-cased): a name when it holds "CL", a
// hexadecimal value when it holds "#"; anything else leaves Color alone.
bool ReadColor(const String& Value, TColor& Color)
{
    if (Value.find(L"CL") != String::npos) {
        Color = ColorFromName(LowerCase(Trim(Value)));
        return true;
    }
    size_t hash = Value.find(L'#');
    if (hash != String::npos) {
        Color = ColorFromHex(Value.substr(hash));
        return true;
    }
    return false;
}

// The renderer's own pre-pass replacements, each made once, left to right.
String DecodePrePass(const String& Text)
{
    static const struct {
        const wchar_t* Name;
        wchar_t Char;
    } table[] = {{L"&amp;", L'&'},     {L"&quot;", L'"'},      {L"&sect;", L'\u00A7'},
                 {L"&permil;", L'\u2030'}, {L"&reg;", L'\u00AE'}, {L"&copy;", L'\u00A9'},
                 {L"&para;", L'\u00B6'}, {L"&trade;", L'\u2122'}, {L"&euro;", L'\u20AC'}};
    if (Text.find(L'&') == String::npos) return Text;
    String out;
    out.reserve(Text.size());
    size_t i = 0;
    while (i < Text.size()) {
        if (Text[i] == L'&') {
            bool done = false;
            for (const auto& e : table) {
                size_t n = std::char_traits<wchar_t>::length(e.Name);
                if (Text.size() - i >= n && CompareText(std::wstring_view(Text).substr(i, n), e.Name) == 0) {
                    out += e.Char;
                    i += n;
                    done = true;
                    break;
                }
            }
            if (done) continue;
        }
        out += Text[i++];
    }
    return out;
}

String DecodeRun(std::wstring_view Raw)
{
    String s = StringReplace(String(Raw), L"&nbsp;", L" ", rfReplaceAll | rfIgnoreCase);
    s = StringReplace(s, L"&lt;", L"<", rfReplaceAll | rfIgnoreCase);
    return StringReplace(s, L"&gt;", L">", rfReplaceAll | rfIgnoreCase);
}

// A run's text. Runs change font at every style tag, and selecting a font into the DC costs
// several times what drawing the run does, so a run in a font other than the DC's current one is
// drawn in a DC that keeps that font selected (same pixels; the canvas draws when that DC cannot).
// Blanks that would leave no mark are not drawn at all.
void DrawRunText(TCanvas* C, TRect Box, String& Text, UINT Flags)
{
    if (C->Brush()->Style() == bsClear && Text.find_first_not_of(L' ') == String::npos) {
        TFontStyles style = C->Font()->Style();
        if (!style.Contains(fsUnderline) && !style.Contains(fsStrikeOut) &&
            Extents().Extent(C, Text).cx <= Box.right - Box.left)
            return;
    }
    DrawTextLine(C, Box, Text, Flags, Extents().Target(C->Handle()));
}

TSize MeasureText(TCanvas* C, std::wstring_view Text, UINT Flags)
{
    if (Text.find(L'\t') == String::npos) return Extents().Extent(C, Text);
    TRect r{0, 0, 0, 0};
    String s(Text);
    C->TextRect(r, s, Flags | DT_CALCRECT);
    return TSize{r.right - r.left, r.bottom - r.top};
}

// ---- Painting calls kept for the next identical call ----------------------------------------
// A grid repaints the same cells again and again; a painting call whose drawing depends only on
// its text, the canvas font and brush, the rectangle's size and its arguments keeps what it drew
// (texts, fills and focus frames, relative to the rectangle) and its results, and the next such
// call draws the kept steps without laying the text out again.

struct TPaintKey {
    TGdiResourceRef Font;
    TColor FontColor = clNone, Brush = clNone;
    int PixelsPerInch = 0;
    int Width = 0, Height = 0;
    int FocusIndex = 0, HotNumber = 0, ShadowShift = 0;
    bool InSelection = false, BlinkVisible = false, HotOnlyUnderline = false, WrapWords = false;
    TColor LinkColor = clNone, HotBackColor = clNone, HotTextColor = clNone, ShadeColor = clNone;
    TColor HighlightBrush = clNone, HighlightText = clNone;
    UINT Flags = 0;
    int CharExtra = 0;
    bool operator==(const TPaintKey&) const = default;
};

enum TPaintStepKind { psText, psFill, psFocus };

struct TPaintStep {
    TPaintStepKind Kind = psText;
    size_t Font = 0;        // into the record's fonts
    TColor Color = clNone;  // brush of a text, colour of a fill
    TRect Box{};            // relative to the rectangle's top-left corner
    String Text;
    UINT Flags = 0;
};

// The fonts and brushes kept calls draw with, shared by all of them: making a font or brush looks
// it up by its settings, while assigning one made before costs almost nothing.
std::shared_ptr<TFont> KeptFont(TFont* Font)
{
    struct TKept {
        TGdiResourceRef Resource;
        TColor Color;
        int PixelsPerInch;
        std::shared_ptr<TFont> Font;
    };
    static std::vector<TKept> kept;
    constexpr size_t Capacity = 64;
    TGdiResourceRef resource = Font->ResourceRef();
    for (const TKept& k : kept)
        if (k.Resource == resource && k.Color == Font->Color() && k.PixelsPerInch == Font->PixelsPerInch()) return k.Font;
    auto copy = std::make_shared<TFont>();
    copy->SetPixelsPerInch(Font->PixelsPerInch());
    copy->Assign(Font);
    if (kept.size() >= Capacity) kept.erase(kept.begin());
    kept.push_back(TKept{std::move(resource), Font->Color(), Font->PixelsPerInch(), copy});
    return copy;
}

// The brush the renderer sets for Color (clNone: clear).
std::shared_ptr<TBrush> KeptBrush(TColor Color)
{
    static std::vector<std::pair<TColor, std::shared_ptr<TBrush>>> kept;
    constexpr size_t Capacity = 64;
    for (const auto& k : kept)
        if (k.first == Color) return k.second;
    auto brush = std::make_shared<TBrush>();
    if (Color == clNone)
        brush->SetStyle(bsClear);
    else
        brush->SetColor(Color);
    if (kept.size() >= Capacity) kept.erase(kept.begin());
    kept.emplace_back(Color, brush);
    return brush;
}

} // namespace

struct TMarkupPaintRecord {
    TPaintKey Key;
    std::vector<std::shared_ptr<TFont>> Fonts; // the canvas font at entry first
    std::vector<TPaintStep> Steps;
    String PlainText, FocusHref;
    int ExtentX = 0, ExtentY = 0, AnchorTotal = 0;
    int OriginX = 0, OriginY = 0;

    size_t FontIndex(TFont* Font)
    {
        std::shared_ptr<TFont> kept = KeptFont(Font);
        for (size_t i = 0; i < Fonts.size(); ++i)
            if (Fonts[i] == kept) return i;
        Fonts.push_back(std::move(kept));
        return Fonts.size() - 1;
    }
    TRect Relative(const TRect& Box) const
    {
        return TRect{Box.left - OriginX, Box.top - OriginY, Box.right - OriginX, Box.bottom - OriginY};
    }
};

namespace {

class TPaintRecords {
public:
    TMarkupPaintRecord* Find(const String& Markup, const TPaintKey& Key)
    {
        auto it = FRecords.find(Markup);
        if (it == FRecords.end()) return nullptr;
        for (auto& r : it->second)
            if (r->Key == Key) return r.get();
        return nullptr;
    }
    void Add(const String& Markup, std::unique_ptr<TMarkupPaintRecord> Record)
    {
        if (FCount >= MaxRecords) {
            FRecords.clear();
            FCount = 0;
        }
        ++FCount;
        FRecords[Markup].push_back(std::move(Record));
    }

    // Whether a text was painted before (a hash of it is remembered, in a slot its hash picks;
    // a later text of the same slot takes it over). Only a text painted again is kept: the first
    // paint of a cell, which a scrolled or edited grid makes all the time, then pays nothing for
    // keeping what it draws.
    bool PaintedBefore(const String& Markup)
    {
        size_t hash = std::hash<String>{}(Markup) | 1; // never 0, the empty slot
        size_t& slot = FPainted[(hash >> 1) % FPainted.size()];
        if (slot == hash) return true;
        slot = hash;
        return false;
    }

private:
    static constexpr size_t MaxRecords = 1024, PaintedSlots = 8192;
    std::unordered_map<String, std::vector<std::unique_ptr<TMarkupPaintRecord>>> FRecords;
    size_t FCount = 0;
    std::vector<size_t> FPainted = std::vector<size_t>(PaintedSlots, 0);
};

TPaintRecords& PaintRecords()
{
    static TPaintRecords records;
    return records;
}

// The drawing steps of a painting pass, kept when the call is being recorded.
void PaintText(TMarkupRender& R, TRect Box, String& Text, UINT Flags)
{
    TCanvas* C = R.Canvas;
    if (R.Record != nullptr) {
        R.Record->Steps.push_back(
            TPaintStep{psText, R.Record->FontIndex(C->Font()), BrushColorOrNone(C), R.Record->Relative(Box), Text, Flags});
    }
    DrawRunText(C, Box, Text, Flags);
}

void PaintFill(TMarkupRender& R, const TRect& Box, TColor Color)
{
    if (R.Record != nullptr) R.Record->Steps.push_back(TPaintStep{psFill, 0, Color, R.Record->Relative(Box), {}, 0});
    SetBrushColor(R.Canvas, Color);
    R.Canvas->FillRect(Box);
}

void PaintFocus(TMarkupRender& R, const TRect& Box)
{
    if (R.Record != nullptr) R.Record->Steps.push_back(TPaintStep{psFocus, 0, clNone, R.Record->Relative(Box), {}, 0});
    R.Canvas->DrawFocusRect(Box);
}

void SetStyle(TFont* Font, TFontStyle Style, bool On)
{
    TFontStyles s = Font->Style();
    if (On)
        s.Include(Style);
    else
        s.Exclude(Style);
    Font->SetStyle(s);
    KeepAlive(Font);
}

// A picture that an IMG or BODY tag names: an image-list entry, a system icon, or a picture of
// the container (by name) or of the cache (by address). Width and Height are its natural size,
// 0 when it is missing or empty.
struct TMarkupPicture {
    int Width = 0, Height = 0;
    TCustomImageList* List = nullptr;
    int Index = -1;
    bool Shell = false, Large = false;
    String ShellSource;
    THTMLPicture* Html = nullptr;
    bool Found() const { return Width > 0 && Height > 0; }
};

TMarkupPicture ResolvePicture(TMarkupRender& R, const String& Src)
{
    TMarkupPicture p;
    if (Src.empty()) return p;
    String upper = UpperCase(Src);
    if (upper.starts_with(L"IDX:")) {
        int index = MarkupNumber(Src.substr(4));
        if (R.ImageList != nullptr && index >= 0 && index < R.ImageList->Count()) {
            p.List = R.ImageList;
            p.Index = index;
            p.Width = R.ImageList->Width();
            p.Height = R.ImageList->Height();
        }
    } else if (upper.starts_with(L"SSYS:") || upper.starts_with(L"LSYS:")) {
        p.Shell = true;
        p.Large = upper[0] == L'L';
        p.ShellSource = Src.substr(5);
        TSize size{0, 0};
        PaintShellIcon(R.Canvas, 0, 0, size, R.PrintScale, R.PrintMode, false, p.Large, p.ShellSource);
        p.Width = size.cx;
        p.Height = size.cy;
    } else if (Src.find(L':') == String::npos) {
        if (R.PictureStore != nullptr) p.Html = R.PictureStore->FindPicture(Src);
    } else if (Src.find(L"://") != String::npos && R.PictureCache != nullptr) {
        p.Html = R.PictureCache->FindPicture(Src);
        if (p.Html == nullptr) {
            // Loaded once per address: the picture keeps the address as its ID even when it
            // cannot be fetched, so that later calls find it instead of trying again.
            p.Html = R.PictureCache->AddPicture();
            p.Html->LoadFromURL(Src);
            p.Html->ID = Src;
        }
    }
    if (p.Html != nullptr) {
        if (p.Html->Empty()) {
            p.Html = nullptr;
        } else {
            p.Width = p.Html->MaxWidth();
            p.Height = p.Html->MaxHeight();
        }
    }
    return p;
}

// Draws a resolved picture into Box: image-list and system pictures at Box's corner (stretched
// by the print scale when printing), container and cache pictures stretched into Box or at
// their natural size and frame offset.
void DrawPicture(TMarkupRender& R, const TMarkupPicture& P, const TRect& Box, bool Stretch)
{
    TCanvas* C = R.Canvas;
    if (P.List != nullptr) {
        if (!R.PrintMode) {
            P.List->Draw(C, Box.left, Box.top, P.Index);
            return;
        }
        TBitmap bmp(P.Width, P.Height);
        bmp.Canvas()->Brush()->SetColor(R.StartBrush == clNone ? clWhite : R.StartBrush);
        bmp.Canvas()->FillRect(TRect{0, 0, P.Width, P.Height});
        P.List->Draw(bmp.Canvas(), 0, 0, P.Index);
        StretchBitmapToRect(C, TRect{Box.left, Box.top, Box.left + static_cast<int>(std::lround(P.Width * R.PrintScale)),
                                     Box.top + static_cast<int>(std::lround(P.Height * R.PrintScale))},
                            &bmp);
        return;
    }
    if (P.Shell) {
        TSize size{0, 0};
        PaintShellIcon(C, Box.left, Box.top, size, R.PrintScale, R.PrintMode, true, P.Large, P.ShellSource);
        return;
    }
    if (P.Html == nullptr) return;
    THTMLPicture* picture = P.Html;
    if (Stretch) {
        bool was = picture->Stretch();
        picture->SetStretch(true);
        picture->Draw(C, Box);
        picture->SetStretch(was);
        return;
    }
    // An animated picture's frames differ in size and place: its whole area is cleared first.
    if (picture->FrameCount() > 1 && R.StartBrush != clNone) {
        TColor brush = BrushColorOrNone(C);
        SetBrushColor(C, R.StartBrush);
        C->FillRect(TRect{Box.left, Box.top, Box.left + P.Width, Box.top + P.Height});
        SetBrushColor(C, brush);
    }
    int x = Box.left + picture->FrameXPos(), y = Box.top + picture->FrameYPos();
    picture->Draw(C, TRect{x, y, x + picture->Width(), y + picture->Height()});
}

bool Render(TMarkupRender& R, const String& Markup, TPaintKey* Key);
bool PaintKeyFor(TCanvas* C, const TRect& Bounds, const String& Markup, TPaintKey& Key);
void Replay(TCanvas* C, const TRect& Bounds, TMarkupPaintRecord& Record);

TFontData RotatedFontSaved;
bool RotatedFontActive = false;

// The state of one pass over one line.
struct TLinePass {
    TMarkupRender& R;
    TMarkupFlow& F;
    TCanvas* C;
    TRect LR;
    TMarkupLine& Line;
    TMarkupPass Pass;
    bool& ItemHit;
    bool& AnchorHit;
    UINT Flags;
    String& Pending;   // text runs waiting to be drawn together, from PendingX to PendingEnd
    int X;             // drawing position (left to right; runs read right to left are mirrored)
    int Bottom;        // the text's bottom before superscript, subscript and baseline shifts
    int LineWidth;     // room the layout may fill
    bool LineDone = false;
    bool FirstRun = true;
    bool LastBlank = false;
    bool ListItemOnLine = false;
    int AnchorStartX;  // where the open anchor's text began on this line
    int FocusStartX;
    size_t Consumed = 0; // markup taken from the front of the line's text
    int PendingX = 0, PendingEnd = 0, PendingBottom = 0, PendingHeight = 0;

    bool Painting() const { return Pass == mpPaint; }
    bool Layout() const { return Pass == mpLayout; }
    bool Focused() const { return F.InAnchor && F.AnchorCount == R.FocusIndex + 1; }
    bool RightToLeft() const { return (Flags & DT_RTLREADING) != 0; }
    // Where a run laid out from Left with Width shows: read right to left, the line starts at its
    // right edge and each run ends where the one before it began.
    int ShownLeft(int Left, int Width) const { return RightToLeft() ? LR.left + LR.right - Left - Width : Left; }
    int BandBottom() const { return LR.bottom - Line.BaselineOffset; }
    bool PointIn(const TRect& Box) const
    {
        return R.PointX >= Box.left && R.PointX < Box.right && R.PointY >= Box.top && R.PointY < Box.bottom;
    }

    void Run(std::wstring_view& Text);
    void Flush();
    bool Tag(const String& Tag);
    bool Anchor(const String& Tag, const String& Upper, bool Closing);
    bool Control(const String& Tag);
    bool Picture(const String& Tag);
    void TileBackground(const String& Source);
    bool PlaceItem(int Width, int LineHeight);
    void DrawControl(const TMarkupControl& Ctl, int Width, int Height, bool Over);
    void DrawFocus(int Right, bool LineEnd);
};

void TLinePass::DrawFocus(int Right, bool LineEnd)
{
    if (!Painting()) return;
    const int left = ShownLeft(FocusStartX, Right - FocusStartX);
    TRect r{left - 1, BandBottom() - R.GhHeight, left + Right - FocusStartX + 1, BandBottom()};
    if (LineEnd) r.bottom = LR.bottom;
    PaintFocus(R, r);
}

// Runs that no tag separates share font, colours and place: they are drawn as one text, which
// costs one system call instead of one per word.
void TLinePass::Flush()
{
    if (Pending.empty()) return;
    int bottom = PendingBottom;
    int left = ShownLeft(PendingX, PendingEnd - PendingX);
    int right = RightToLeft() ? left + PendingEnd - PendingX : std::max<int>(LR.right, PendingX);
    // A run wider than the line is cut at the line's edge, whichever way it reads.
    left = std::max<int>(left, std::min<int>(LR.left, PendingX));
    TRect box{left, std::min<int>(LR.top, bottom - PendingHeight), right, bottom};
    if (F.Shadow) {
        TColor color = C->Font()->Color();
        TColor brush = BrushColorOrNone(C);
        SetBrushColor(C, clNone);
        C->Font()->SetColor(R.ShadeColor);
        TRect shadow{box.left + R.ShadowShift, box.top + R.ShadowShift, box.right + R.ShadowShift,
                     box.bottom + R.ShadowShift};
        PaintText(R, shadow, Pending, Flags);
        C->Font()->SetColor(color);
        SetBrushColor(C, brush);
    }
    PaintText(R, box, Pending, Flags);
    if (F.ErrorMark) {
        std::vector<TPoint> zigzag;
        for (int px = left; px <= left + PendingEnd - PendingX; px += 2)
            zigzag.push_back(TPoint{px, (px % 4) == 0 ? bottom - 1 : bottom + 1});
        TColor pen = C->Pen()->Color();
        C->Pen()->SetColor(clRed);
        C->Pen()->SetWidth(1);
        if (zigzag.size() > 1) C->Polyline(std::span<const TPoint>(zigzag.data(), zigzag.size()));
        C->Pen()->SetColor(pen);
    }
    Pending.clear();
}

void TLinePass::Run(std::wstring_view& Text)
{
    size_t end = Text.find(L'<');
    if (end == String::npos) end = Text.size();
    if (R.WrapWords) {
        size_t blank = Text.find(L' ');
        if (blank != String::npos && blank < end) end = blank + 1;
    }
    std::wstring_view shown = Text.substr(0, end);
    String decoded;
    if (shown.find(L'&') != String::npos) {
        decoded = DecodeRun(shown);
        shown = decoded;
    }
    auto consume = [&] {
        Consumed += end;
        Text.remove_prefix(end);
        FirstRun = false;
    };
    if (F.Hidden) {
        Line.Height = std::max<int>(Line.Height, Extents().Extent(C, shown).cy);
        if (Layout()) R.PlainText += shown;
        consume();
        return;
    }
    TSize size = MeasureText(C, shown, Flags);
    int blank = !shown.empty() && shown.back() == L' ' ? Extents().Extent(C, L" ").cx : 0;
    if (Layout()) {
        bool fits = Line.RunPos + size.cx - blank <= LineWidth || size.cx >= LineWidth || !LastBlank;
        if (!fits) {
            LineDone = true;
            // Without word wrap nothing after an overflowing run can show: the rest is dropped.
            if (!R.WrapWords && !FirstRun) Text = {};
            return;
        }
        R.PlainText += shown;
    }
    Line.Height = std::max<int>(Line.Height, size.cy);
    if (F.Subscript) Line.SubExtra = std::max<int>(Line.SubExtra, size.cy / 4);
    if (F.Superscript) Line.SuperExtra = std::max<int>(Line.SuperExtra, size.cy / 4);

    int bottom = Bottom - Line.BaselineOffset;
    if (F.Superscript) bottom -= Line.SuperExtra;
    if (F.Subscript) bottom += Line.SubExtra;
    if (Painting() && !shown.empty()) {
        // Read right to left, every run has its own mirrored place, so runs are never drawn as one.
        if (!Pending.empty() && (bottom != PendingBottom || RightToLeft())) Flush();
        if (Pending.empty()) {
            PendingX = X;
            PendingBottom = bottom;
            PendingHeight = 0;
        }
        Pending += shown;
        PendingHeight = std::max<int>(PendingHeight, size.cy);
        PendingEnd = X + size.cx;
    }
    if (Focused()) R.FocusHref = F.AnchorHref;
    // Only the second pass knows where the line really lies, so only it tests the point.
    int pointX = RightToLeft() ? LR.left + LR.right - 1 - R.PointX : R.PointX;
    if (Pass == mpLookup && F.InAnchor && pointX >= X && pointX < X + size.cx &&
        R.PointY > BandBottom() - R.GhHeight && R.PointY < BandBottom()) {
        AnchorHit = true;
        R.HitHref = F.AnchorHref;
        R.HitTitle = F.AnchorTitle;
        R.HitNumber = F.AnchorCount;
        R.AnchorHitPending = true;
    }
    X += size.cx;
    Line.RunPos += size.cx;
    Line.TrailingBlank = blank;
    LastBlank = blank > 0;
    consume();
}

bool TLinePass::Anchor(const String& Tag, const String& Upper, bool Closing)
{
    TFont* font = C->Font();
    if (!Closing) {
        ++F.AnchorCount;
        F.InAnchor = Upper.find(L"HREF") != String::npos;
        F.AnchorHref = MarkupAttribute(Tag, L"HREF");
        F.AnchorTitle = MarkupAttribute(Tag, L"TITLE");
        AnchorStartX = X;
        FocusStartX = X;
        if (Painting()) {
            bool isHot = F.AnchorCount == R.HotNumber;
            F.AnchorHot = !R.HotOnlyUnderline || isHot;
            if (F.AnchorHot) {
                SetStyle(font, fsUnderline, true);
                if (R.HotBackColor != clNone) {
                    F.SavedAnchorBrush = BrushColorOrNone(C);
                    SetBrushColor(C, R.HotBackColor);
                }
                if (R.HotTextColor != clNone) {
                    F.SavedAnchorText = font->Color();
                    font->SetColor(R.HotTextColor);
                }
            }
            bool hotText = R.HotTextColor != clNone && isHot && R.HotOnlyUnderline;
            if (!R.InSelection && !hotText) font->SetColor(R.LinkColor);
        }
        return true;
    }
    if (Painting()) {
        if (F.AnchorHot) {
            SetStyle(font, fsUnderline, false);
            if (R.HotBackColor != clNone) SetBrushColor(C, F.SavedAnchorBrush);
            if (R.HotTextColor != clNone) font->SetColor(F.SavedAnchorText);
        }
        if (!R.InSelection) font->SetColor(R.BaseFont.Color());
        F.AnchorHot = false;
    }
    if (F.InAnchor && Focused()) DrawFocus(X, false);
    if (Pass == mpLookup && R.AnchorHitPending && F.AnchorCount == R.HitNumber) {
        // The rectangle is where the anchor shows, so it is mirrored with the runs.
        const int left = ShownLeft(AnchorStartX, X - AnchorStartX);
        R.HitRect = TRect{left, LR.top, left + X - AnchorStartX, LR.bottom};
        R.AnchorHitPending = false;
    }
    F.InAnchor = false;
    return true;
}

// Room for a picture or control: an item that does not fit on what is left of the line but
// would fit on an empty one waits for the next line.
bool TLinePass::PlaceItem(int Width, int ItemLineHeight)
{
    if (Layout() && Width > LineWidth - Line.RunPos && Width < LineWidth) {
        LineDone = true;
        return false;
    }
    Line.Height = std::max(Line.Height, ItemLineHeight);
    Line.TrailingBlank = 0;
    LastBlank = false;
    return true;
}

void TLinePass::DrawControl(const TMarkupControl& Ctl, int Width, int Height, bool Over)
{
    if (!R.ThemeChecked) {
        R.Themed = SystemFacts().WindowsVersion().AtLeast(5, 1) && SystemFacts().ThemeActive() &&
                   ThemeApi().Available();
        R.ThemeChecked = true;
    }
    const TThemeApi& api = ThemeApi();
    HDC dc = C->Handle();
    TColor pen = C->Pen()->Color();
    TColor brush = BrushColorOrNone(C);
    TColor text = C->Font()->Color();
    int x = X, bottom = Bottom;
    C->Pen()->SetColor(R.Themed ? ToColor(0xB99D7Fu) : clGray);
    auto themed = [&](const wchar_t* Class, int Part, int State, TRect Box) {
        HTHEME theme = api.Open(R.ThemeWindow, Class);
        if (theme == nullptr) return false;
        api.Draw(theme, dc, Part, State, &Box, nullptr);
        api.Close(theme);
        return true;
    };
    const String& kind = Ctl.Kind;
    bool checked = UpperCase(Ctl.Value) == L"TRUE";
    if (kind == L"EDIT" || kind == L"PASSWORD" || kind == L"MASK" || kind == L"COMBO") {
        C->Brush()->SetColor(clWhite);
        C->Rectangle(x, bottom - Line.Height + 4, x + Width, bottom + 2);
        SetBrushColor(C, clNone);
        C->Font()->SetColor(clBlack);
        bool combo = kind == L"COMBO";
        TRect box{x + (combo ? 4 : 2), bottom - Line.Height + 4, x + Width - (combo ? 18 : 2), bottom + 2};
        String value = kind == L"PASSWORD" ? MaskPassword(Ctl.Value) : Ctl.Value;
        C->TextRect(box, value, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
        if (combo) {
            TRect button{x + Width - 18, bottom - Line.Height + 5, x + Width - 1, bottom + 1};
            if (!R.Themed || !themed(L"COMBOBOX", CP_DROPDOWNBUTTON, Over ? CBXS_HOT : CBXS_NORMAL, button))
                DrawFrameControl(dc, &button, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_FLAT);
        }
    } else if (kind == L"CHECK") {
        TRect box{x + 2, bottom - 15, x + 15, bottom};
        if (!R.Themed ||
            !themed(L"BUTTON", BP_CHECKBOX, checked ? CBS_CHECKEDNORMAL : CBS_UNCHECKEDNORMAL, box))
            DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
    } else if (kind == L"RADIO") {
        TRect box{x + 2, bottom - 14, x + 14, bottom};
        if (!R.Themed ||
            !themed(L"BUTTON", BP_RADIOBUTTON, checked ? RBS_CHECKEDNORMAL : RBS_UNCHECKEDNORMAL, box))
            DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_FLAT | (checked ? DFCS_CHECKED : 0));
    } else if (kind == L"BUTTON") {
        TRect box{x + 2, bottom - Height, x + Width - 2, bottom};
        int state = R.ButtonDown ? PBS_PRESSED : Over ? PBS_HOT : PBS_NORMAL;
        if (!R.Themed || !themed(L"BUTTON", BP_PUSHBUTTON, state, box))
            DrawFrameControl(dc, &box, DFC_BUTTON, DFCS_BUTTONPUSH | (R.ButtonDown && Over ? DFCS_PUSHED : 0));
        SetBrushColor(C, clNone);
        C->Font()->SetColor(clBtnText);
        TRect inner{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2};
        String value = Ctl.Value;
        C->TextRect(inner, value, DT_SINGLELINE | DT_VCENTER | DT_CENTER | DT_NOPREFIX);
    }
    C->Pen()->SetColor(pen);
    SetBrushColor(C, brush);
    C->Font()->SetColor(text);
}

bool TLinePass::Control(const String& Tag)
{
    R.Unrecordable = true;
    TMarkupControl ctl = ParseControlTag(Tag);
    int width = MarkupNumber(ctl.Width);
    if (width <= 0) return true; // without WIDTH: no room, nothing drawn
    int height = ctl.Height.empty() ? 25 : MarkupNumber(ctl.Height);
    if (height <= 0) height = 25;
    bool box = ctl.Kind == L"CHECK" || ctl.Kind == L"RADIO";
    int itemWidth = box ? 16 : width;
    int itemLine = box ? 16 : height > 25 ? height - 2 : 23;
    int itemHeight = box ? 16 : (ctl.Kind == L"BUTTON" || ctl.Kind == L"COMBO") ? 25 : R.GhHeight + 10;
    if (!PlaceItem(itemWidth, itemLine)) return false;
    TRect area{X, LR.top, X + itemWidth, LR.top + itemHeight};
    bool over = Pass != mpLayout && PointIn(area);
    if (Pass != mpLayout && (over || (R.LookupMode && !R.ControlId.empty() && ctl.Id == R.ControlId))) {
        ItemHit = true;
        R.HitHref = L"ctrl";
        R.ControlRect = area;
        R.ControlValue = ctl.Value;
        R.ControlId = ctl.Id;
        R.ControlKind = ctl.Kind;
    }
    if (Painting()) DrawControl(ctl, width, height, over);
    X += itemWidth;
    Line.RunPos += itemWidth;
    return true;
}

bool TLinePass::Picture(const String& Tag)
{
    R.Unrecordable = true;
    ++F.PictureCount;
    TMarkupPicture picture = ResolvePicture(R, MarkupAttribute(Tag, L"SRC"));
    if (!picture.Found()) return true; // a picture that cannot be found or loaded takes no room
    HDC dc = C->Handle();
    int width = MulDiv(picture.Width, GetDeviceCaps(dc, LOGPIXELSX), 96);
    int height = MulDiv(picture.Height, GetDeviceCaps(dc, LOGPIXELSY), 96);
    bool stretch = false;
    if (picture.Html != nullptr) {
        int w = MarkupNumber(MarkupAttribute(Tag, L"WIDTH")), h = MarkupNumber(MarkupAttribute(Tag, L"HEIGHT"));
        if (w >= 1 && h >= 1) {
            width = w;
            height = h;
            stretch = true;
        }
    }
    if (!PlaceItem(width, height)) {
        --F.PictureCount;
        return false;
    }
    String align = UpperCase(MarkupAttribute(Tag, L"ALIGN"));
    if (align == L"TOP")
        Line.BaselineOffset = std::max(0, Line.Height - R.GhHeight);
    else if (align == L"MIDDLE")
        Line.BaselineOffset = std::max(0, (Line.Height - R.GhHeight) / 2);
    TRect area{X, LR.top, X + width, LR.top + height};
    bool hovered = Pass != mpLayout && F.InAnchor && PointIn(area);
    if (Painting()) {
        // A picture inside an anchor shows its ALT picture while the point is on it.
        TMarkupPicture shown = picture;
        if (hovered) {
            TMarkupPicture alt = ResolvePicture(R, MarkupAttribute(Tag, L"ALT"));
            if (alt.Found()) shown = alt;
        }
        DrawPicture(R, shown, area, stretch);
    }
    if (hovered) {
        ItemHit = true;
        R.HitHref = F.AnchorHref;
        R.HitTitle = F.AnchorTitle;
    }
    X += width;
    Line.RunPos += width;
    return true;
}

// BODY BACKGROUND: the picture tiled from the layout rectangle's top-left corner, clipped to it.
void TLinePass::TileBackground(const String& Source)
{
    TMarkupPicture picture = ResolvePicture(R, Source);
    if (picture.Html == nullptr || !picture.Found()) return;
    const TRect& b = R.Bounds;
    TSavedDC saved(C->Handle());
    IntersectClipRect(C->Handle(), b.left, b.top, b.right, b.bottom);
    for (int y = b.top; y < b.bottom; y += picture.Height)
        for (int x = b.left; x < b.right; x += picture.Width)
            DrawPicture(R, picture, TRect{x, y, x + picture.Width, y + picture.Height}, false);
}

// Acts on one tag; false when the tag must wait for the next line.
bool TLinePass::Tag(const String& Tag)
{
    String& upper = R.TagUpper;
    upper.assign(Tag);
    UpperCaseInPlace(upper);
    bool closing = upper.size() > 1 && upper[1] == L'/';
    std::wstring_view name = std::wstring_view(upper).substr(closing ? 2 : 1); // after "<" or "</", ">" included
    wchar_t c0 = name.empty() ? 0 : name[0];
    wchar_t c1 = name.size() > 1 ? name[1] : 0;
    TFont* font = C->Font();
    auto baseColor = [&] {
        if (Painting()) font->SetColor(R.BaseFont.Color());
    };
    switch (c0) {
    case L'A':
        return Anchor(Tag, upper, closing);
    case L'B':
        if (c1 == L'>') {
            SetStyle(font, fsBold, !closing);
        } else if (closing) {
            baseColor();
        } else if (c1 == L'R') {
            if (Layout()) R.PlainText += L'\r';
            LineDone = true;
        } else if (c1 == L'L') {
            if (Painting() && !R.BlinkVisible && R.StartBrush != clNone) font->SetColor(R.StartBrush);
        } else if (c1 == L'O') {
            R.Unrecordable = true;
            if (!Painting()) return true;
            TColor color = clNone;
            if (ReadColor(MarkupAttribute(upper, L"BGCOLOR"), color)) {
                SetBrushColor(C, color);
                F.SavedFontBrush = color;
                TColor pen = C->Pen()->Color();
                C->Pen()->SetColor(color);
                C->FillRect(R.Bounds);
                C->Pen()->SetColor(pen);
            }
            // The address keeps its case: the cache finds pictures by the address as written.
            TileBackground(MarkupAttribute(Tag, L"BACKGROUND"));
        }
        return true;
    case L'C':
        return closing || Control(Tag);
    case L'E':
        R.Unrecordable = true;
        F.ErrorMark = !closing;
        return true;
    case L'F':
        if (!closing) {
            String face = MarkupAttribute(upper, L"FACE");
            if (!face.empty()) font->SetName(face);
            KeepAlive(font);
            TColor color;
            if (!R.InSelection && ReadColor(MarkupAttribute(upper, L" COLOR"), color)) font->SetColor(color);
            if (Painting() && !R.InSelection && ReadColor(MarkupAttribute(upper, L"BGCOLOR"), color)) {
                F.SavedFontBrush = BrushColorOrNone(C);
                SetBrushColor(C, color);
            }
            if (upper.find(L"SIZE") != String::npos) {
                static const int sizes[] = {8, 10, 12, 14, 16};
                int size = MarkupNumber(MarkupAttribute(upper, L"SIZE"));
                if (size >= 1 && size <= 5) size = sizes[size - 1];
                if (size > 0) font->SetSize(std::min(size, 1000));
                KeepAlive(font);
            }
        } else {
            font->SetName(R.BaseFont.Name());
            font->SetSize(R.BaseFont.Size());
            if (Painting() && !R.InSelection) {
                font->SetColor(R.BaseFont.Color());
                SetBrushColor(C, F.SavedFontBrush);
            }
        }
        return true;
    case L'H':
        if (closing) {
            if ((c1 == L'I' || c1 == L'R') && Painting()) {
                font->SetColor(F.SavedHiText);
                SetBrushColor(C, F.SavedHiBrush);
            }
        } else if (c1 == L'I') {
            if (Painting()) {
                F.SavedHiText = font->Color();
                F.SavedHiBrush = BrushColorOrNone(C);
                font->SetColor(MarkupHighlightText);
                SetBrushColor(C, MarkupHighlightBrush);
            }
        } else if (c1 == L'R') {
            R.Unrecordable = true;
            if (Painting()) {
                TColor pen = C->Pen()->Color();
                C->Pen()->SetColor(clBlack);
                C->MoveTo(LR.left, LR.bottom + 1);
                C->LineTo(LR.right, LR.bottom + 1);
                C->Pen()->SetColor(pen);
            }
            LineDone = true;
        }
        return true;
    case L'I':
        if (closing) {
            SetStyle(font, fsItalic, false);
        } else if (c1 == L'>') {
            SetStyle(font, fsItalic, true);
        } else if (c1 == L'N') {
            int to = MarkupNumber(MarkupAttribute(Tag, L"x"));
            if (Line.RunPos < to) {
                Line.RunPos = to;
                X = LR.left + to;
            }
        } else if (c1 == L'M') {
            return Picture(Tag);
        }
        return true;
    case L'L':
        if (closing) {
            LineDone = true;
            return true;
        }
        if (ListItemOnLine) {
            LineDone = true;
            return false;
        }
        ListItemOnLine = true;
        if (F.ListLevel > 0) {
            int shift = ListIndent * F.ListLevel;
            if (Painting()) {
                TFontData saved = font->Data();
                TColor color = font->Color();
                font->SetName(L"Symbol");
                String bullet = F.ListLevel % 2 == 0 ? L"o" : L"\u00B7";
                TRect box{X + shift - ListIndent, LR.top, X + shift, Bottom - Line.BaselineOffset};
                PaintText(R, box, bullet, Flags);
                font->SetData(saved);
                font->SetColor(color);
            }
            Line.RunPos += shift;
            X += shift;
        }
        return true;
    case L'P':
        if (closing) {
            if (Painting()) SetBrushColor(C, F.SavedParaBrush);
            F.ParaFill = false;
            LineDone = true;
            return true;
        } else {
            String align = MarkupAttribute(upper, L"ALIGN");
            if (align == L"LEFT") F.Align = 0;
            else if (align == L"RIGHT") F.Align = 1;
            else if (align == L"CENTER") F.Align = 2;
            if (upper.find(L"INDENT") != String::npos) F.Indent = MarkupNumber(MarkupAttribute(upper, L"INDENT"));
            if (upper.find(L"BGCOLOR") != String::npos) {
                TColor color = clNone;
                ReadColor(MarkupAttribute(upper, L"BGCOLOR"), color);
                F.ParaColor = color;
                if (color != clNone) {
                    if (Painting()) {
                        F.SavedParaBrush = BrushColorOrNone(C);
                        C->Pen()->SetColor(color);
                        PaintFill(R, TRect{LR.left, LR.top, LR.right, LR.top + Line.Height}, color);
                    }
                    F.ParaFill = true;
                }
            }
        }
        return true;
    case L'R':
        R.Unrecordable = true;
        if (closing)
            RestoreRotatedFont(C);
        else
            SelectRotatedFont(C, MarkupNumber(MarkupAttribute(Tag, L"a")));
        return true;
    case L'S':
        if (closing) {
            if (c1 == L'H') F.Shadow = false;
            else if (c1 == L'U') F.Subscript = F.Superscript = false;
            else SetStyle(font, fsStrikeOut, false);
        } else if (c1 == L'>') {
            SetStyle(font, fsStrikeOut, true);
        } else if (c1 == L'H') {
            F.Shadow = true;
        } else if (name == L"SUB>") {
            F.Subscript = true;
        } else if (name == L"SUP>") {
            F.Superscript = true;
        }
        return true;
    case L'U':
        if (c1 == L'>') {
            SetStyle(font, fsUnderline, !closing);
        } else if (closing) {
            if (F.ListLevel > 0)
                --F.ListLevel;
            else
                SetStyle(font, fsUnderline, false);
        } else {
            ++F.ListLevel;
            LineDone = true;
        }
        return true;
    case L'Z':
        F.Hidden = !closing;
        return true;
    default:
        return true;
    }
}

} // namespace

void RenderMarkupLine(TMarkupRender& R, std::wstring_view& Text, TRect LineRect, std::wstring_view& LineMarkup,
                      bool& ItemHit, bool& AnchorHit, TMarkupLine& Line, TMarkupPass Pass)
{
    TMarkupFlow& flow = Pass == mpLayout ? R.Measure : R.Paint;
    TLinePass p{R, flow, R.Canvas, LineRect, Line, Pass, ItemHit, AnchorHit,
                BiDiTextFlags(MarkupTextFlags | (R.WrapWords ? 0 : DT_END_ELLIPSIS), R.BiDi), R.PendingRuns};
    const wchar_t* lineStart = Text.data();
    p.X = LineRect.left;
    p.Bottom = LineRect.bottom - Line.SubExtra;
    p.LineWidth = LineRect.right - LineRect.left;
    p.AnchorStartX = LineRect.left;
    p.FocusStartX = LineRect.left;
    Line.RunPos = 0;
    Line.TrailingBlank = 0;
    if (p.Painting() && flow.ParaFill) {
        TColor brush = BrushColorOrNone(p.C);
        PaintFill(R, TRect{LineRect.left, LineRect.top, LineRect.right, LineRect.top + Line.Height}, flow.ParaColor);
        SetBrushColor(p.C, brush);
    }
    while (!Text.empty() && !p.LineDone) {
        if (Text[0] != L'<') {
            p.Run(Text);
            continue;
        }
        size_t close = Text.find(L'>');
        if (close == String::npos) { // a tag that never closes ends the text
            Text = {};
            break;
        }
        R.TagText.assign(Text.substr(0, close + 1));
        p.Flush();
        if (p.Tag(R.TagText)) {
            p.Consumed += close + 1;
            Text.remove_prefix(close + 1);
        }
    }
    // What was taken lies at the front of the text the call began with: runs and tags are taken
    // in order, and only the rest is ever dropped.
    LineMarkup = std::wstring_view(lineStart, p.Consumed);
    p.Flush();
    if (flow.InAnchor && p.Focused()) p.DrawFocus(LineRect.right, true);
    Line.Width = Line.RunPos - Line.TrailingBlank;
    if (Pass == mpLayout) R.ExtentX = std::max(R.ExtentX, Line.Width);
}

bool RenderMarkup(TCanvas* Canvas, const String& Markup, TRect Bounds, TCustomImageList* ImageList, int PointX,
                  int PointY, int FocusIndex, int HotNumber, int ShadowShift, bool LookupMode, bool SizeOnly,
                  bool PrintMode, bool InSelection, bool BlinkVisible, bool HotOnlyUnderline, bool WrapWords,
                  bool ButtonDown, double PrintScale, TColor LinkColor, TColor HotBackColor, TColor HotTextColor,
                  TColor ShadeColor, String& HitHref, String& PlainText, String& FocusHref, String& HitTitle,
                  int& ExtentX, int& ExtentY, int& AnchorTotal, int& HitNumber, TRect& HitRect,
                  TRect& ControlRect, String& ControlId, String& ControlValue, String& ControlKind,
                  THTMLPictureCache* PictureCache, TPictureContainer* PictureStore, HWND ThemeWindow,
                  unsigned char BiDi)
{
    Extents().Begin(Canvas->Handle());
    TPaintKey key;
    key.FocusIndex = FocusIndex;
    key.HotNumber = HotNumber;
    key.ShadowShift = ShadowShift;
    key.InSelection = InSelection;
    key.BlinkVisible = BlinkVisible;
    key.HotOnlyUnderline = HotOnlyUnderline;
    key.WrapWords = WrapWords;
    key.LinkColor = LinkColor;
    key.HotBackColor = HotBackColor;
    key.HotTextColor = HotTextColor;
    key.ShadeColor = ShadeColor;
    key.Flags = BiDiTextFlags(MarkupTextFlags | (WrapWords ? 0 : DT_END_ELLIPSIS), BiDi);
    bool keep = !LookupMode && !SizeOnly && !PrintMode && PaintKeyFor(Canvas, Bounds, Markup, key);
    if (keep) {
        if (TMarkupPaintRecord* kept = PaintRecords().Find(Markup, key)) {
            Replay(Canvas, Bounds, *kept);
            PlainText = kept->PlainText;
            FocusHref = kept->FocusHref;
            HitTitle.clear();
            ExtentX = kept->ExtentX;
            ExtentY = kept->ExtentY;
            AnchorTotal = kept->AnchorTotal;
            HitNumber = -1;
            ControlRect = TRect{0, 0, 0, 0};
            ControlId.clear();
            ControlValue.clear();
            ControlKind.clear();
            return false;
        }
        keep = PaintRecords().PaintedBefore(Markup);
    }

    TMarkupRender R;
    R.Canvas = Canvas;
    R.Bounds = Bounds;
    R.ImageList = ImageList;
    R.PointX = PointX;
    R.PointY = PointY;
    R.FocusIndex = FocusIndex;
    R.HotNumber = HotNumber;
    R.ShadowShift = ShadowShift;
    R.LookupMode = LookupMode;
    R.SizeOnly = SizeOnly;
    R.PrintMode = PrintMode;
    R.InSelection = InSelection;
    R.BlinkVisible = BlinkVisible;
    R.HotOnlyUnderline = HotOnlyUnderline;
    R.WrapWords = WrapWords;
    R.ButtonDown = ButtonDown;
    R.PrintScale = PrintScale;
    R.LinkColor = LinkColor;
    R.HotBackColor = HotBackColor;
    R.HotTextColor = HotTextColor;
    R.ShadeColor = ShadeColor;
    R.PictureCache = PictureCache;
    R.PictureStore = PictureStore;
    R.ThemeWindow = ThemeWindow;
    R.BiDi = BiDi;
    R.HitHref = HitHref; // written only on a hit
    R.HitRect = HitRect;
    if (LookupMode) R.ControlId = ControlId;

    bool result = Render(R, Markup, keep ? &key : nullptr);

    HitHref = std::move(R.HitHref);
    PlainText = std::move(R.PlainText);
    FocusHref = std::move(R.FocusHref);
    HitTitle = std::move(R.HitTitle);
    ExtentX = R.ExtentX;
    ExtentY = R.ExtentY;
    AnchorTotal = R.AnchorTotal;
    HitNumber = R.HitNumber;
    HitRect = R.HitRect;
    ControlRect = R.ControlRect;
    ControlId = std::move(R.ControlId);
    ControlValue = std::move(R.ControlValue);
    ControlKind = std::move(R.ControlKind);
    return result;
}

namespace {

// Whether a painting call may be kept or replayed, and the rest of the key it is kept under (the
// caller fills in its arguments): a DC measured through the extent store, a plain brush, an
// unturned font, a text of reasonable length.
bool PaintKeyFor(TCanvas* C, const TRect& Bounds, const String& Markup, TPaintKey& Key)
{
    constexpr size_t MaxKeptText = 4096;
    TBrushStyle brush = C->Brush()->Style();
    if (Markup.empty() || Markup.size() > MaxKeptText || !Extents().ByWidths() || RotatedFontActive ||
        C->Brush()->Bitmap() != nullptr || (brush != bsSolid && brush != bsClear))
        return false;
    TFont* font = C->Font();
    if (font->Orientation() != 0) return false;
    Key.Font = font->ResourceRef();
    Key.FontColor = font->Color();
    Key.Brush = BrushColorOrNone(C);
    Key.PixelsPerInch = font->PixelsPerInch();
    Key.Width = Bounds.right - Bounds.left;
    Key.Height = Bounds.bottom - Bounds.top;
    Key.HighlightBrush = MarkupHighlightBrush;
    Key.HighlightText = MarkupHighlightText;
    Key.CharExtra = Extents().CharExtra();
    return true;
}

// Draws a kept call's steps at this call's rectangle; the canvas ends as the full call leaves it.
void Replay(TCanvas* C, const TRect& Bounds, TMarkupPaintRecord& Record)
{
    static TBrush startBrush;
    startBrush.Assign(C->Brush());
    auto useBrush = [&](TColor Color) {
        if (BrushColorOrNone(C) != Color) C->Brush()->Assign(KeptBrush(Color).get());
    };
    for (TPaintStep& step : Record.Steps) {
        TRect box{step.Box.left + Bounds.left, step.Box.top + Bounds.top, step.Box.right + Bounds.left,
                  step.Box.bottom + Bounds.top};
        switch (step.Kind) {
        case psText:
            C->Font()->Assign(Record.Fonts[step.Font].get());
            useBrush(step.Color);
            DrawRunText(C, box, step.Text, step.Flags);
            break;
        case psFill:
            useBrush(step.Color);
            C->FillRect(box);
            break;
        case psFocus:
            C->DrawFocusRect(box);
            break;
        }
    }
    C->Font()->Assign(Record.Fonts.front().get());
    C->Brush()->Assign(&startBrush);
}

bool Render(TMarkupRender& R, const String& Markup, TPaintKey* Key)
{
    TCanvas* C = R.Canvas;
    R.StartBrush = BrushColorOrNone(C);
    TBrushStyle startStyle = C->Brush()->Style();
    if (Markup.empty() && (startStyle == bsSolid || startStyle == bsClear) && C->Brush()->Bitmap() == nullptr) {
        // Nothing to lay out, and putting a plain brush back would leave it as it is.
        R.ExtentY = Extents().Extent(C, L"gh").cy;
        RotatedFontActive = false;
        return false;
    }
    std::unique_ptr<TMarkupPaintRecord> record;
    if (Key != nullptr) {
        record = std::make_unique<TMarkupPaintRecord>();
        record->OriginX = R.Bounds.left;
        record->OriginY = R.Bounds.top;
        record->FontIndex(C->Font());
        R.Record = record.get();
    }
    TColor penColor = C->Pen()->Color();
    int penWidth = C->Pen()->Width();
    R.BaseFont.Assign(C->Font());
    R.Measure.Font.Assign(C->Font());
    R.Paint.Font.Assign(C->Font());
    KeepAlive(C->Brush());
    SetBrushColor(C, clNone);
    KeepAlive(C->Brush());

    // The pre-pass copies the text only when it has something to replace.
    String prepared;
    std::wstring_view text = Markup;
    if (Markup.find(L'&') != String::npos) text = prepared = DecodePrePass(Markup);
    if (text.find(L"<#") != String::npos) text = prepared = UnwrapHashTags(String(text));
    if (text.find_first_of(L"\r\n") != String::npos) text = prepared = LineBreaksToMarkup(String(text));
    R.PlainText.reserve(text.size());
    bool result = false;
    int top = R.Bounds.top;
    TRect lineRect = R.Bounds;
    lineRect.left += 1;
    while (!text.empty()) {
        C->Font()->Assign(&R.Measure.Font);
        TMarkupLine line;
        R.GhHeight = line.Height = Extents().Extent(C, L"gh").cy;
        lineRect.top = top;
        lineRect.bottom = R.Bounds.bottom;
        std::wstring_view lineMarkup;
        bool itemHit = false, anchorHit = false;
        size_t before = text.size();
        RenderMarkupLine(R, text, lineRect, lineMarkup, itemHit, anchorHit, line, mpLayout);
        R.Measure.Font.Assign(C->Font());
        if (text.size() == before && lineMarkup.empty() && !text.empty()) break; // nothing more can be laid out

        int extra = line.SuperExtra + line.SubExtra;
        if (!R.SizeOnly) {
            TRect paint = lineRect;
            int available = lineRect.right - lineRect.left;
            if (R.Measure.Align == 1 && lineRect.right - line.Width > paint.left) paint.left = lineRect.right - line.Width;
            if (R.Measure.Align == 2 && available - line.Width > 0) paint.left += (available - line.Width) / 2;
            paint.left += R.Measure.Indent;
            paint.bottom = top + line.Height + extra;
            C->Font()->Assign(&R.Paint.Font);
            TMarkupLine second = line;
            std::wstring_view markup = lineMarkup;
            std::wstring_view unused;
            RenderMarkupLine(R, markup, paint, unused, itemHit, anchorHit, second, R.LookupMode ? mpLookup : mpPaint);
            R.Paint.Font.Assign(C->Font());
            if (anchorHit || itemHit) result = true;
        }
        top += line.Height + extra;
        R.ExtentY += line.Height + extra;
        if (!R.SizeOnly && top + R.GhHeight > R.Bounds.bottom) break;
    }
    R.AnchorTotal = R.Measure.AnchorCount;
    C->Font()->Assign(&R.BaseFont);
    if (R.ExtentY == 0) R.ExtentY = Extents().Extent(C, L"gh").cy;
    if (RotatedFontActive) RotatedFontActive = false;
    if (C->Pen()->Color() != penColor) C->Pen()->SetColor(penColor);
    if (C->Pen()->Width() != penWidth) C->Pen()->SetWidth(penWidth);
    SetBrushColor(C, R.StartBrush);
    if (record != nullptr && !R.Unrecordable && !result) {
        record->Key = std::move(*Key);
        record->PlainText = R.PlainText;
        record->FocusHref = R.FocusHref;
        record->ExtentX = R.ExtentX;
        record->ExtentY = R.ExtentY;
        record->AnchorTotal = R.AnchorTotal;
        PaintRecords().Add(Markup, std::move(record));
    }
    R.Record = nullptr;
    return result;
}

} // namespace

UINT BiDiTextFlags(UINT Flags, int BiDi)
{
    if (BiDi == 0 || !SystemFacts().RightToLeftLocale()) return Flags;
    if (BiDi == 1) {
        if (Flags & DT_RIGHT)
            Flags &= ~static_cast<UINT>(DT_RIGHT);
        else if (!(Flags & DT_CENTER))
            Flags |= DT_RIGHT;
    }
    return Flags | DT_RTLREADING;
}

void SelectRotatedFont(TCanvas* Canvas, int Degrees)
{
    if (!RotatedFontActive) RotatedFontSaved = Canvas->Font()->Data();
    RotatedFontActive = true;
    Canvas->Font()->SetOrientation(Degrees * 10);
}

void RestoreRotatedFont(TCanvas* Canvas)
{
    if (!RotatedFontActive) return;
    TColor color = Canvas->Font()->Color();
    Canvas->Font()->SetData(RotatedFontSaved);
    Canvas->Font()->SetColor(color);
    RotatedFontActive = false;
}

void StretchBitmapToRect(TCanvas* Canvas, const TRect& Rect, TBitmap* Bitmap)
{
    if (Bitmap == nullptr || Bitmap->Empty()) return;
    HDC dc = Canvas->Handle();
    int old = SetStretchBltMode(dc, COLORONCOLOR);
    StretchBlt(dc, Rect.left, Rect.top, Rect.right - Rect.left, Rect.bottom - Rect.top, Bitmap->Canvas()->Handle(), 0,
               0, Bitmap->Width(), Bitmap->Height(), SRCCOPY);
    SetStretchBltMode(dc, old);
}

void PaintShellIcon(TCanvas* Canvas, int X, int Y, TSize& Size, double Scale, bool Print, bool Draw, bool Large,
                    const String& Source)
{
    UINT kind = Large ? SHGFI_LARGEICON : SHGFI_SMALLICON;
    SHFILEINFOW info{};
    HIMAGELIST list = reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | kind));
    Size = TSize{0, 0};
    if (list == nullptr) return;
    int cx = 0, cy = 0;
    ImageList_GetIconSize(list, &cx, &cy);
    Size = TSize{cx, cy};
    if (!Draw) return;
    int index;
    bool numeric = !Source.empty() && std::all_of(Source.begin(), Source.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
    if (numeric) {
        index = MarkupNumber(Source);
    } else {
        bool exists = FileExists(Source) || DirectoryExists(Source);
        DWORD attributes = DirectoryExists(Source) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
        if (SHGetFileInfoW(Source.c_str(), attributes, &info, sizeof(info),
                           SHGFI_SYSICONINDEX | kind | (exists ? 0 : SHGFI_USEFILEATTRIBUTES)) == 0)
            return;
        index = info.iIcon;
    }
    HDC dc = Canvas->Handle();
    if (!Print) {
        ImageList_Draw(list, index, dc, X, Y, ILD_TRANSPARENT);
        return;
    }
    HICON icon = ImageList_GetIcon(list, index, ILD_TRANSPARENT);
    if (icon == nullptr) return;
    DrawIconEx(dc, X, Y, icon, static_cast<int>(std::lround(cx * Scale)), static_cast<int>(std::lround(cy * Scale)), 0,
               nullptr, DI_NORMAL);
    DestroyIcon(icon);
}
