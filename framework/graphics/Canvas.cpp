#include "framework/graphics/Canvas.h"

#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Graphic.h"

namespace {

COLORREF ColorRef(TColor Color)
{
    return static_cast<COLORREF>(ColorToRGB(Color)) & 0x00FFFFFFu;
}

} // namespace

TCanvas::TCanvas()
    : FFont(std::make_unique<TFont>()), FPen(std::make_unique<TPen>()), FBrush(std::make_unique<TBrush>())
{
    InitializeCriticalSection(&FLock);
    FFont->OnChange = [this](TObject* Sender) { FontChanged(Sender); };
    FPen->OnChange = [this](TObject* Sender) { PenChanged(Sender); };
    FBrush->OnChange = [this](TObject* Sender) { BrushChanged(Sender); };
}

TCanvas::~TCanvas()
{
    SetHandle(nullptr);
    DeleteCriticalSection(&FLock);
}

HDC TCanvas::Handle()
{
    RequiredState(TCanvasState{csHandleValid});
    return FHandle;
}

void TCanvas::SetHandle(HDC Value)
{
    if (FHandle == Value) return;
    if (FHandle != nullptr) {
        DeselectHandles();
        POINT p;
        if (GetCurrentPositionEx(FHandle, &p)) FPenPos = p;
        FHandle = nullptr;
        FState.Exclude(csHandleValid);
    }
    if (Value != nullptr) {
        FState.Include(csHandleValid);
        FHandle = Value;
        MoveToEx(FHandle, FPenPos.x, FPenPos.y, nullptr);
    }
}

void TCanvas::RequiredState(TCanvasState Required)
{
    TCanvasState needed = Required - FState;
    if (needed.Empty()) return;
    if (needed.Contains(csHandleValid)) {
        CreateHandle();
        if (FHandle == nullptr) throw EInvalidOperation(L"Canvas does not allow drawing");
    }
    if (needed.Contains(csFontValid)) CreateFont();
    if (needed.Contains(csPenValid)) CreatePen();
    if (needed.Contains(csBrushValid)) CreateBrush();
}

bool TCanvas::FontInPlace()
{
    if (FState.Contains(csFontValid)) return true;
    if (FHandle == nullptr || FSelectedFont != FFont->Resource() || GetCurrentObject(FHandle, OBJ_FONT) != FFont->Handle())
        return false;
    CreateFont();
    return true;
}

void TCanvas::CreateFont()
{
    // Selecting a font costs far more than any other object (the font is realised for the DC
    // again even when it is the one already there), and a text that switches styles run by run
    // would pay it twice per switch. So a change only marks the font stale; the DC keeps the old
    // one (held alive by FSelectedFont) until text needs the new one, and a font that is still
    // the DC's current one is not selected again.
    const TGdiResourceRef& font = FFont->Resource();
    HFONT handle = FFont->Handle();
    if (font != FSelectedFont || GetCurrentObject(FHandle, OBJ_FONT) != handle) {
        SelectObject(FHandle, handle);
        FSelectedFont = font;
    }
    SetTextColor(FHandle, ColorRef(FFont->Color()));
    FState.Include(csFontValid);
}

void TCanvas::CreatePen()
{
    FSelectedPen = FPen->ResourceRef();
    SelectObject(FHandle, FPen->Handle());
    SetROP2(FHandle, PenModeToRop2(FPen->Mode()));
    FState.Include(csPenValid);
}

void TCanvas::CreateBrush()
{
    // As with fonts, a change only marks the brush stale (a text run that clears the brush and
    // puts it back would select twice per run otherwise); the brush still in the DC is held
    // alive by FSelectedBrush, and selected again only when it is not the canvas's any more.
    const TGdiResourceRef& brush = FBrush->Resource();
    HBRUSH handle = FBrush->Handle();
    if (brush != FSelectedBrush || GetCurrentObject(FHandle, OBJ_BRUSH) != handle) {
        UnrealizeObject(handle);
        SelectObject(FHandle, handle);
        FSelectedBrush = brush;
    }
    if (FBrush->Style() == bsSolid) {
        SetBkColor(FHandle, ColorRef(FBrush->Color()));
        SetBkMode(FHandle, OPAQUE);
    } else {
        // Hatches vanish when the background equals the brush colour; transparent mode makes
        // the background colour irrelevant anyway.
        SetBkColor(FHandle, ~ColorRef(FBrush->Color()) & 0x00FFFFFFu);
        SetBkMode(FHandle, TRANSPARENT);
    }
    FState.Include(csBrushValid);
}

void TCanvas::DeselectHandles()
{
    if (FHandle != nullptr) {
        if (FSelectedFont) SelectObject(FHandle, GetStockObject(SYSTEM_FONT));
        if (FState.Contains(csPenValid)) SelectObject(FHandle, GetStockObject(BLACK_PEN));
        if (FSelectedBrush) SelectObject(FHandle, GetStockObject(HOLLOW_BRUSH));
    }
    FState = FState - TCanvasState{csFontValid, csPenValid, csBrushValid};
    FSelectedFont.reset();
    FSelectedPen.reset();
    FSelectedBrush.reset();
}

void TCanvas::FontChanged(TObject*)
{
    FState.Exclude(csFontValid);
}

void TCanvas::PenChanged(TObject*)
{
    if (FState.Contains(csPenValid)) {
        FState.Exclude(csPenValid);
        SelectObject(FHandle, GetStockObject(BLACK_PEN));
        FSelectedPen.reset();
    }
}

void TCanvas::BrushChanged(TObject*)
{
    FState.Exclude(csBrushValid);
}

void TCanvas::Changing()
{
    if (OnChanging) OnChanging(this);
}

void TCanvas::Changed()
{
    if (OnChange) OnChange(this);
}

TPoint TCanvas::PenPos()
{
    RequiredState(TCanvasState{csHandleValid});
    POINT p{};
    GetCurrentPositionEx(FHandle, &p);
    return p;
}

void TCanvas::MoveTo(int X, int Y)
{
    RequiredState(TCanvasState{csHandleValid});
    MoveToEx(FHandle, X, Y, nullptr);
}

void TCanvas::LineTo(int X, int Y)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
    ::LineTo(FHandle, X, Y);
    Changed();
}

void TCanvas::FillRect(const TRect& Rect)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csBrushValid});
    ::FillRect(FHandle, &Rect, FBrush->Handle());
    Changed();
}

void TCanvas::FrameRect(const TRect& Rect)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csBrushValid});
    ::FrameRect(FHandle, &Rect, FBrush->Handle());
    Changed();
}

void TCanvas::Rectangle(int X1, int Y1, int X2, int Y2)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
    ::Rectangle(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
    ::RoundRect(FHandle, X1, Y1, X2, Y2, X3, Y3);
    Changed();
}

void TCanvas::Ellipse(int X1, int Y1, int X2, int Y2)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
    ::Ellipse(FHandle, X1, Y1, X2, Y2);
    Changed();
}

void TCanvas::Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
    ::Arc(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    Changed();
}

void TCanvas::Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
    ::Pie(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    Changed();
}

void TCanvas::Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
    ::Chord(FHandle, X1, Y1, X2, Y2, X3, Y3, X4, Y4);
    Changed();
}

void TCanvas::Polygon(std::span<const TPoint> Points)
{
    if (Points.empty()) return;
    Changing();
    RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
    ::Polygon(FHandle, Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::Polyline(std::span<const TPoint> Points)
{
    if (Points.empty()) return;
    Changing();
    RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
    ::Polyline(FHandle, Points.data(), static_cast<int>(Points.size()));
    Changed();
}

void TCanvas::PolyBezier(std::span<const TPoint> Points)
{
    if (Points.empty()) return;
    Changing();
    RequiredState(TCanvasState{csHandleValid, csPenValid, csBrushValid});
    ::PolyBezier(FHandle, Points.data(), static_cast<DWORD>(Points.size()));
    Changed();
}

void TCanvas::FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csBrushValid});
    ExtFloodFill(FHandle, X, Y, ColorRef(Color), FillStyle == fsSurface ? FLOODFILLSURFACE : FLOODFILLBORDER);
    Changed();
}

void TCanvas::DrawFocusRect(const TRect& Rect)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csBrushValid});
    ::DrawFocusRect(FHandle, &Rect);
    Changed();
}

void TCanvas::TextOut(int X, int Y, const String& Text)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
    ExtTextOutW(FHandle, X, Y, FTextFlags, nullptr, Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
    MoveTo(X + TextWidth(Text), Y);
    Changed();
}

void TCanvas::TextRect(const TRect& Rect, int X, int Y, const String& Text)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
    UINT options = ETO_CLIPPED | FTextFlags;
    if (FBrush->Style() != bsClear) options |= ETO_OPAQUE;
    ExtTextOutW(FHandle, X, Y, options, &Rect, Text.c_str(), static_cast<UINT>(Text.size()), nullptr);
    Changed();
}

void TCanvas::TextOutClipped(const TRect& Clip, int X, int Y, std::wstring_view Text)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
    ExtTextOutW(FHandle, X, Y, ETO_CLIPPED, &Clip, Text.data(), static_cast<UINT>(Text.size()), nullptr);
    Changed();
}

int TCanvas::TextRect(TRect& Rect, String& Text, UINT Format)
{
    bool calcOnly = (Format & DT_CALCRECT) != 0;
    if (!calcOnly) Changing();
    RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
    int result;
    if (Format & DT_MODIFYSTRING) {
        // DrawText may append an ellipsis of up to four characters.
        std::vector<wchar_t> buffer(Text.begin(), Text.end());
        buffer.resize(Text.size() + 5, L'\0');
        result = DrawTextW(FHandle, buffer.data(), static_cast<int>(Text.size()), &Rect, Format);
        Text = buffer.data();
    } else {
        result = DrawTextW(FHandle, Text.c_str(), static_cast<int>(Text.size()), &Rect, Format);
    }
    if (!calcOnly) Changed();
    return result;
}

TSize TCanvas::TextExtent(const String& Text)
{
    RequiredState(TCanvasState{csHandleValid, csFontValid});
    SIZE size{0, 0};
    GetTextExtentPoint32W(FHandle, Text.c_str(), static_cast<int>(Text.size()), &size);
    return size;
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic)
{
    if (Graphic == nullptr || Graphic->Empty()) return;
    Changing();
    RequiredState(TCanvasState{csHandleValid});
    Graphic->Draw(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()));
    Changed();
}

void TCanvas::Draw(int X, int Y, TGraphic* Graphic, unsigned char Opacity)
{
    if (Graphic == nullptr || Graphic->Empty()) return;
    Changing();
    RequiredState(TCanvasState{csHandleValid});
    Graphic->DrawTransparent(this, Bounds(X, Y, Graphic->Width(), Graphic->Height()), Opacity);
    Changed();
}

void TCanvas::StretchDraw(const TRect& Rect, TGraphic* Graphic)
{
    if (Graphic == nullptr || Graphic->Empty()) return;
    Changing();
    RequiredState(TCanvasState{csHandleValid});
    Graphic->Draw(this, Rect);
    Changed();
}

void TCanvas::CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csFontValid, csBrushValid});
    Canvas->RequiredState(TCanvasState{csHandleValid, csBrushValid});
    StretchBlt(FHandle, Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top,
               Canvas->FHandle, Source.left, Source.top, Source.right - Source.left,
               Source.bottom - Source.top, FCopyMode);
    Changed();
}

void TCanvas::BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color)
{
    if (Bitmap == nullptr || Bitmap->Empty()) return;
    Changing();
    RequiredState(TCanvasState{csHandleValid, csBrushValid});
    ::FillRect(FHandle, &Dest, FBrush->Handle());
    GdiTransparentBlt(FHandle, Dest.left, Dest.top, Dest.right - Dest.left, Dest.bottom - Dest.top,
                      Bitmap->Canvas()->Handle(), Source.left, Source.top, Source.right - Source.left,
                      Source.bottom - Source.top, ColorRef(Color));
    Changed();
}

TColor TCanvas::Pixels(int X, int Y)
{
    RequiredState(TCanvasState{csHandleValid});
    return static_cast<TColor>(GetPixel(FHandle, X, Y));
}

void TCanvas::SetPixels(int X, int Y, TColor Value)
{
    Changing();
    RequiredState(TCanvasState{csHandleValid, csPenValid});
    SetPixel(FHandle, X, Y, ColorRef(Value));
    Changed();
}

TRect TCanvas::ClipRect()
{
    RequiredState(TCanvasState{csHandleValid});
    RECT r{};
    GetClipBox(FHandle, &r);
    return r;
}

void TCanvas::Refresh()
{
    DeselectHandles();
}

void TCanvas::Lock()
{
    EnterCriticalSection(&FLock);
    ++FLockCount;
}

void TCanvas::Unlock()
{
    --FLockCount;
    LeaveCriticalSection(&FLock);
}

bool TCanvas::TryLock()
{
    if (!TryEnterCriticalSection(&FLock)) return false;
    ++FLockCount;
    return true;
}
