// AdvGDIP: the drawing surface, and text drawn and measured with a framework font.
#include "grid/foundation/AdvGDIP.h"

#include <cmath>
#include <vector>

#include "grid/foundation/AdvGDIPFlat.h"

namespace {

void* H(TGPPen* P) { return P != nullptr ? P->NativeHandle() : nullptr; }
void* H(TGPBrush* B) { return B != nullptr ? B->NativeHandle() : nullptr; }
void* H(TGPGraphicsPath* P) { return P != nullptr ? P->NativeHandle() : nullptr; }
void* H(TGPImage* I) { return I != nullptr ? I->NativeHandle() : nullptr; }
void* H(TGPImageAttributes* A) { return A != nullptr ? A->NativeHandle() : nullptr; }
void* H(TGPRegion* R) { return R != nullptr ? R->NativeHandle() : nullptr; }
void* H(TGPMatrix* M) { return M != nullptr ? M->NativeHandle() : nullptr; }
void* H(TGPFont* F) { return F != nullptr ? F->NativeHandle() : nullptr; }
void* H(TGPStringFormat* F) { return F != nullptr ? F->NativeHandle() : nullptr; }

// A caller's length never reaches past the text: negative or too long means the whole text.
int ClampedLength(const String& Text, int Length)
{
    int size = static_cast<int>(Text.size());
    return (Length < 0 || Length > size) ? size : Length;
}

// The text copied into a zero-filled buffer of Length characters and a terminator.
std::vector<wchar_t> TextBuffer(const String& Text, int Length)
{
    std::vector<wchar_t> buffer(static_cast<size_t>(Length) + 1, L'\0');
    Text.copy(buffer.data(), static_cast<size_t>(Length));
    return buffer;
}

String FromAnsi(const std::string& Text)
{
    if (Text.empty()) return String();
    int n = MultiByteToWideChar(CP_ACP, 0, Text.data(), static_cast<int>(Text.size()), nullptr, 0);
    String result(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, Text.data(), static_cast<int>(Text.size()), result.data(), n);
    return result;
}

} // namespace

Status TGPGraphics::SetStatus(Status Value)
{
    if (Value != Ok) lastResult = Value;
    return Value;
}

TGPGraphics::TGPGraphics(HDC DC) { lastResult = GdipCreateFromHDC(DC, &nativeGraphics); }
TGPGraphics::TGPGraphics(TGPImage* Image)
{
    if (Image != nullptr) lastResult = GdipGetImageGraphicsContext(Image->NativeHandle(), &nativeGraphics);
}
TGPGraphics::~TGPGraphics() { GdipDeleteGraphics(nativeGraphics); }
TGPGraphics* TGPGraphics::FromImage(TGPImage* Image) { return new TGPGraphics(Image); }

void TGPGraphics::Flush(FlushIntention Intention) { GdipFlush(nativeGraphics, Intention); }
Status TGPGraphics::Clear(ARGB Color) { return SetStatus(GdipGraphicsClear(nativeGraphics, Color)); }

HDC TGPGraphics::GetHDC()
{
    HDC dc = nullptr;
    SetStatus(GdipGetDC(nativeGraphics, &dc));
    return dc;
}

void TGPGraphics::ReleaseHDC(HDC DC) { SetStatus(GdipReleaseDC(nativeGraphics, DC)); }
Status TGPGraphics::SetTextRenderingHint(TextRenderingHint Mode) { return SetStatus(GdipSetTextRenderingHint(nativeGraphics, Mode)); }
TextRenderingHint TGPGraphics::GetTextRenderingHint()
{
    TextRenderingHint result = TextRenderingHintSystemDefault;
    SetStatus(GdipGetTextRenderingHint(nativeGraphics, &result));
    return result;
}
Status TGPGraphics::SetSmoothingMode(SmoothingMode Mode) { return SetStatus(GdipSetSmoothingMode(nativeGraphics, Mode)); }
SmoothingMode TGPGraphics::GetSmoothingMode()
{
    SmoothingMode result = SmoothingModeInvalid;
    if (SetStatus(GdipGetSmoothingMode(nativeGraphics, &result)) != Ok) return SmoothingModeInvalid;
    return result;
}
Status TGPGraphics::SetCompositingQuality(CompositingQuality Quality)
{
    return SetStatus(GdipSetCompositingQuality(nativeGraphics, Quality));
}
CompositingQuality TGPGraphics::GetCompositingQuality()
{
    CompositingQuality result = CompositingQualityInvalid;
    SetStatus(GdipGetCompositingQuality(nativeGraphics, &result));
    return result;
}
Status TGPGraphics::SetTransform(TGPMatrix* Matrix) { return SetStatus(GdipSetWorldTransform(nativeGraphics, H(Matrix))); }
Status TGPGraphics::ResetTransform() { return SetStatus(GdipResetWorldTransform(nativeGraphics)); }
Status TGPGraphics::SetClip(TGPRegion* Region, CombineMode Mode) { return SetStatus(GdipSetClipRegion(nativeGraphics, H(Region), Mode)); }
Status TGPGraphics::SetClip(TGPGraphicsPath* Path, CombineMode Mode) { return SetStatus(GdipSetClipPath(nativeGraphics, H(Path), Mode)); }
Status TGPGraphics::ExcludeClip(const TGPRectF& R)
{
    return SetStatus(GdipSetClipRect(nativeGraphics, R.X, R.Y, R.Width, R.Height, CombineModeExclude));
}
Status TGPGraphics::ExcludeClip(TGPRegion* Region) { return SetStatus(GdipSetClipRegion(nativeGraphics, H(Region), CombineModeExclude)); }
Status TGPGraphics::ResetClip() { return SetStatus(GdipResetClip(nativeGraphics)); }

Status TGPGraphics::DrawPath(TGPPen* Pen, TGPGraphicsPath* Path) { return SetStatus(GdipDrawPath(nativeGraphics, H(Pen), H(Path))); }
Status TGPGraphics::FillPath(TGPBrush* Brush, TGPGraphicsPath* Path) { return SetStatus(GdipFillPath(nativeGraphics, H(Brush), H(Path))); }

Status TGPGraphics::FillRectangle(TGPBrush* B, const TGPRectF& R) { return FillRectangle(B, R.X, R.Y, R.Width, R.Height); }
Status TGPGraphics::FillRectangle(TGPBrush* B, float X, float Y, float W, float Ht)
{
    return SetStatus(GdipFillRectangle(nativeGraphics, H(B), X, Y, W, Ht));
}
Status TGPGraphics::FillRectangle(TGPBrush* B, const TGPRect& R) { return FillRectangle(B, R.X, R.Y, R.Width, R.Height); }
Status TGPGraphics::FillRectangle(TGPBrush* B, int X, int Y, int W, int Ht)
{
    return SetStatus(GdipFillRectangleI(nativeGraphics, H(B), X, Y, W, Ht));
}
Status TGPGraphics::DrawRectangle(TGPPen* P, const TGPRectF& R) { return DrawRectangle(P, R.X, R.Y, R.Width, R.Height); }
Status TGPGraphics::DrawRectangle(TGPPen* P, float X, float Y, float W, float Ht)
{
    return SetStatus(GdipDrawRectangle(nativeGraphics, H(P), X, Y, W, Ht));
}
Status TGPGraphics::DrawRectangle(TGPPen* P, const TGPRect& R) { return DrawRectangle(P, R.X, R.Y, R.Width, R.Height); }
Status TGPGraphics::DrawRectangle(TGPPen* P, int X, int Y, int W, int Ht)
{
    return SetStatus(GdipDrawRectangleI(nativeGraphics, H(P), X, Y, W, Ht));
}
Status TGPGraphics::DrawEllipse(TGPPen* P, const TGPRectF& R) { return DrawEllipse(P, R.X, R.Y, R.Width, R.Height); }
Status TGPGraphics::DrawEllipse(TGPPen* P, float X, float Y, float W, float Ht)
{
    return SetStatus(GdipDrawEllipse(nativeGraphics, H(P), X, Y, W, Ht));
}
Status TGPGraphics::DrawEllipse(TGPPen* P, const TGPRect& R) { return DrawEllipse(P, R.X, R.Y, R.Width, R.Height); }
Status TGPGraphics::DrawEllipse(TGPPen* P, int X, int Y, int W, int Ht)
{
    return SetStatus(GdipDrawEllipseI(nativeGraphics, H(P), X, Y, W, Ht));
}
Status TGPGraphics::FillEllipse(TGPBrush* B, const TGPRectF& R) { return FillEllipse(B, R.X, R.Y, R.Width, R.Height); }
Status TGPGraphics::FillEllipse(TGPBrush* B, float X, float Y, float W, float Ht)
{
    return SetStatus(GdipFillEllipse(nativeGraphics, H(B), X, Y, W, Ht));
}
Status TGPGraphics::FillEllipse(TGPBrush* B, const TGPRect& R) { return FillEllipse(B, R.X, R.Y, R.Width, R.Height); }
Status TGPGraphics::FillEllipse(TGPBrush* B, int X, int Y, int W, int Ht)
{
    return SetStatus(GdipFillEllipseI(nativeGraphics, H(B), X, Y, W, Ht));
}
Status TGPGraphics::DrawArc(TGPPen* P, float X, float Y, float W, float Ht, float Start, float Sweep)
{
    return SetStatus(GdipDrawArc(nativeGraphics, H(P), X, Y, W, Ht, Start, Sweep));
}
Status TGPGraphics::DrawLine(TGPPen* P, float X1, float Y1, float X2, float Y2)
{
    return SetStatus(GdipDrawLine(nativeGraphics, H(P), X1, Y1, X2, Y2));
}
Status TGPGraphics::FillPolygon(TGPBrush* B, const TGPPointF* Points, int Count, FillMode Mode)
{
    return SetStatus(GdipFillPolygon(nativeGraphics, H(B), Points, Count, Mode));
}
Status TGPGraphics::FillPolygon(TGPBrush* B, const TGPPoint* Points, int Count, FillMode Mode)
{
    return SetStatus(GdipFillPolygonI(nativeGraphics, H(B), Points, Count, Mode));
}

Status TGPGraphics::DrawImage(TGPImage* Image, int X, int Y) { return SetStatus(GdipDrawImageI(nativeGraphics, H(Image), X, Y)); }
Status TGPGraphics::DrawImage(TGPImage* Image, const TGPRectF& R) { return DrawImage(Image, R.X, R.Y, R.Width, R.Height); }
Status TGPGraphics::DrawImage(TGPImage* Image, float X, float Y, float W, float Ht)
{
    return SetStatus(GdipDrawImageRect(nativeGraphics, H(Image), X, Y, W, Ht));
}
Status TGPGraphics::DrawImage(TGPImage* Image, const TGPRectF& D, float SrcX, float SrcY, float SrcWidth, float SrcHeight,
                              Unit_ SrcUnit, TGPImageAttributes* Attributes, ImageAbort Callback, void* CallbackData)
{
    return SetStatus(GdipDrawImageRectRect(nativeGraphics, H(Image), D.X, D.Y, D.Width, D.Height, SrcX, SrcY, SrcWidth,
                                           SrcHeight, SrcUnit, H(Attributes), Callback, CallbackData));
}
Status TGPGraphics::DrawImageRect(TGPImage* Image, int X, int Y, int W, int Ht)
{
    return SetStatus(GdipDrawImageRect(nativeGraphics, H(Image), float(X), float(Y), float(W), float(Ht)));
}
Status TGPGraphics::DrawImageRect(TGPImage* Image, const TGPRectF& R)
{
    return DrawImageRect(Image, int(std::lround(R.X)), int(std::lround(R.Y)), int(std::lround(R.Width)),
                         int(std::lround(R.Height)));
}

// ---- Text --------------------------------------------------------------------------------------

Status TGPGraphics::MeasureString(const String& Text, int Length, TGPFont* Font, const TGPRectF& LayoutRect,
                                  TGPStringFormat* Format, TGPRectF& BoundingBox, int* CodepointsFitted, int* LinesFilled)
{
    return SetStatus(GdipMeasureString(nativeGraphics, Text.c_str(), ClampedLength(Text, Length), H(Font), &LayoutRect,
                                       H(Format), &BoundingBox, CodepointsFitted, LinesFilled));
}
Status TGPGraphics::MeasureString(const String& Text, int Length, TGPFont* Font, const TGPPointF& Origin,
                                  TGPStringFormat* Format, TGPRectF& BoundingBox)
{
    TGPRectF layout{Origin.X, Origin.Y, 0.0f, 0.0f};
    return MeasureString(Text, Length, Font, layout, Format, BoundingBox);
}
Status TGPGraphics::MeasureString(const String& Text, int Length, TGPFont* Font, const TGPRectF& LayoutRect, TGPRectF& BoundingBox)
{
    return MeasureString(Text, Length, Font, LayoutRect, nullptr, BoundingBox);
}

Status TGPGraphics::DrawString(const String& Text, int Length, TGPFont* Font, const TGPPointF& Origin, TGPBrush* Brush)
{
    return DrawString(Text, Length, Font, Origin, nullptr, Brush);
}
Status TGPGraphics::DrawString(const String& Text, int Length, TGPFont* Font, const TGPPointF& Origin,
                               TGPStringFormat* Format, TGPBrush* Brush)
{
    return DrawString(Text, Length, Font, TGPRectF{Origin.X, Origin.Y, 0.0f, 0.0f}, Format, Brush);
}
Status TGPGraphics::DrawString(const String& Text, int Length, TGPFont* Font, const TGPRectF& LayoutRect,
                               TGPStringFormat* Format, TGPBrush* Brush)
{
    int length = ClampedLength(Text, Length);
    std::vector<wchar_t> buffer = TextBuffer(Text, length);
    return SetStatus(GdipDrawString(nativeGraphics, buffer.data(), length, H(Font), &LayoutRect, H(Format), H(Brush)));
}
Status TGPGraphics::DrawString(const std::string& Text, int Length, TGPFont* Font, const TGPPointF& Origin, TGPBrush* Brush)
{
    return DrawString(FromAnsi(Text), Length, Font, Origin, nullptr, Brush);
}
Status TGPGraphics::DrawString(const std::string& Text, int Length, TGPFont* Font, const TGPPointF& Origin,
                               TGPStringFormat* Format, TGPBrush* Brush)
{
    return DrawString(FromAnsi(Text), Length, Font, Origin, Format, Brush);
}
Status TGPGraphics::DrawString(const std::string& Text, int Length, TGPFont* Font, const TGPRectF& LayoutRect,
                               TGPStringFormat* Format, TGPBrush* Brush)
{
    return DrawString(FromAnsi(Text), Length, Font, LayoutRect, Format, Brush);
}

TGPFont* TGPGraphics::MakeFont(TFont* Font)
{
    auto* family = new TGPFontFamily(Font->Name());
    if (family->Status() == FontFamilyNotFound || family->Status() == FontStyleNotFound) {
        delete family;
        family = new TGPFontFamily(L"Arial");
    }
    int style = 0;
    TFontStyles styles = Font->Style();
    if (styles.Contains(fsBold)) style |= 1;
    if (styles.Contains(fsItalic)) style |= 2;
    if (styles.Contains(fsUnderline)) style |= 4;
    auto* font = new TGPFont(family, static_cast<float>(Font->Size()), style, UnitPoint);
    delete family;
    return font;
}

int TGPGraphics::TextWidth(const String& Text, TFont* Font)
{
    TGPFont* font = MakeFont(Font);
    TGPRectF box{};
    MeasureString(Text, static_cast<int>(Text.size()), font, TGPRectF{0, 0, 10000, 10000}, box);
    delete font;
    return static_cast<int>(std::lround(box.Width));
}

int TGPGraphics::TextHeight(const String& Text, TFont* Font)
{
    TGPFont* font = MakeFont(Font);
    TGPRectF box{};
    MeasureString(Text, static_cast<int>(Text.size()), font, TGPRectF{0, 0, 10000, 10000}, box);
    delete font;
    return static_cast<int>(std::lround(box.Height));
}

int TGPGraphics::DrawText(const String& Text, int Length, TRect& Rect, TFont* Font, UINT Flags, TColor Background)
{
    TGPFont* font = MakeFont(Font);
    if ((Flags & DT_CALCRECT) != 0 || Background != clNone) {
        int reduction = 2;
        if (Font->Size() > 8) reduction += static_cast<int>(std::lround((Font->Size() - 8) / 1.5));
        // A trailing blank would not count in the width: measure it as a narrow letter.
        String measured = Text;
        if (measured.size() > 1 && measured.back() == L' ') measured.back() = L'i';
        TGPRectF layout{float(Rect.left), float(Rect.top), float(Rect.right - Rect.left + 1000), float(Rect.bottom - Rect.top)};
        TGPRectF box{};
        MeasureString(measured, Length, font, layout, box);
        Rect.right = Rect.left + static_cast<int>(std::lround(box.Width - reduction));
        Rect.bottom = Rect.top + static_cast<int>(std::lround(box.Height));
        if (Background != clNone) {
            TGPSolidBrush brush(ColorToOpaqueARGB(Background));
            FillRectangle(&brush, TGPRectF{float(Rect.left + 1), float(Rect.top), box.Width - reduction + 1, box.Height});
        }
    }
    if ((Flags & DT_CALCRECT) == 0) {
        TGPSolidBrush brush(ColorToOpaqueARGB(Font->Color()));
        DrawString(Text, Length, font, TGPPointF{float(Rect.left), float(Rect.top)}, &brush);
    }
    delete font;
    return Rect.bottom - Rect.top;
}

Status TGPGraphics::GetLastStatus()
{
    Status result = lastResult;
    lastResult = Ok;
    return result;
}
