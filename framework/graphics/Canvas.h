#pragma once
// TCanvas: drawing on any device context with the canvas's own font, pen and brush. The GDI
// objects are selected lazily, right before an operation needs them, and deselected when they
// change or the DC goes away. A descendant may create its DC on demand (CreateHandle): the
// bitmap canvas makes a memory DC, a control canvas gets the window's DC.
#include <initializer_list>
#include <memory>
#include <span>
#include <string_view>

#include "framework/classes/Persistent.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/GraphicsBase.h"
#include "framework/graphics/GraphicsObjects.h"

class TGraphic;

enum TCanvasStateFlag { csHandleValid, csFontValid, csPenValid, csBrushValid };
using TCanvasState = TEnumSet<TCanvasStateFlag>;

enum TFillStyle { fsSurface, fsBorder };

// Raster operations for CopyMode (CopyRect, and Draw of untransparent bitmaps).
using TCopyMode = DWORD;
constexpr TCopyMode cmBlackness = BLACKNESS;
constexpr TCopyMode cmDstInvert = DSTINVERT;
constexpr TCopyMode cmMergeCopy = MERGECOPY;
constexpr TCopyMode cmMergePaint = MERGEPAINT;
constexpr TCopyMode cmNotSrcCopy = NOTSRCCOPY;
constexpr TCopyMode cmNotSrcErase = NOTSRCERASE;
constexpr TCopyMode cmPatCopy = PATCOPY;
constexpr TCopyMode cmPatInvert = PATINVERT;
constexpr TCopyMode cmPatPaint = PATPAINT;
constexpr TCopyMode cmSrcAnd = SRCAND;
constexpr TCopyMode cmSrcCopy = SRCCOPY;
constexpr TCopyMode cmSrcErase = SRCERASE;
constexpr TCopyMode cmSrcInvert = SRCINVERT;
constexpr TCopyMode cmSrcPaint = SRCPAINT;
constexpr TCopyMode cmWhiteness = WHITENESS;

class TCanvas : public TPersistent {
public:
    TCanvas();
    ~TCanvas() override;

    // The DC; asks CreateHandle for one when none is set, and raises EInvalidOperation
    // "Canvas does not allow drawing" when there is still none.
    HDC Handle();
    // Attaches a DC the canvas does not own (deselecting its objects from the previous one).
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return FHandle != nullptr; }
    TCanvasState State() const { return FState; }

    TFont* Font() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TPen* Pen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* Brush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

    TCopyMode CopyMode() const { return FCopyMode; }
    void SetCopyMode(TCopyMode Value) { FCopyMode = Value; }
    // ETO_* options given to every ExtTextOut (TextOut, TextRect).
    int TextFlags() const { return FTextFlags; }
    void SetTextFlags(int Value) { FTextFlags = Value; }

    TPoint PenPos();
    void SetPenPos(TPoint Value) { MoveTo(Value.x, Value.y); }

    // Drawing. Rectangles exclude their right and bottom edges, as in GDI.
    void MoveTo(int X, int Y);
    void LineTo(int X, int Y);
    void FillRect(const TRect& Rect);
    void FrameRect(const TRect& Rect);
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& Rect) { Rectangle(Rect.left, Rect.top, Rect.right, Rect.bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& Rect) { Ellipse(Rect.left, Rect.top, Rect.right, Rect.bottom); }
    void Arc(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Pie(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Chord(int X1, int Y1, int X2, int Y2, int X3, int Y3, int X4, int Y4);
    void Polygon(std::span<const TPoint> Points);
    void Polygon(std::initializer_list<TPoint> Points) { Polygon(std::span<const TPoint>(Points.begin(), Points.size())); }
    void Polyline(std::span<const TPoint> Points);
    void Polyline(std::initializer_list<TPoint> Points) { Polyline(std::span<const TPoint>(Points.begin(), Points.size())); }
    void PolyBezier(std::span<const TPoint> Points);
    void FloodFill(int X, int Y, TColor Color, TFillStyle FillStyle);
    void DrawFocusRect(const TRect& Rect);

    // Text in the canvas font, background per brush (a clear brush draws transparent text).
    void TextOut(int X, int Y, const String& Text);
    // Text at X, Y clipped to Rect; Rect is filled with the brush unless the brush is clear.
    void TextRect(const TRect& Rect, int X, int Y, const String& Text);
    // Text at X, Y clipped to Clip, with the background DrawText gives a line: the brush's colour
    // behind the text's own cell (nothing for a clear brush), the rest of Clip left as it is.
    void TextOutClipped(const TRect& Clip, int X, int Y, std::wstring_view Text);
    // Whether text drawn now would find the canvas's font already selected in the DC (nothing to
    // select); when it would, the font is made ready for drawing at once.
    bool FontInPlace();
    // DrawTextW with Format (DT_* flags) into Rect; with DT_CALCRECT, Rect receives the size
    // and nothing is drawn; with DT_MODIFYSTRING, Text receives the shortened text.
    int TextRect(TRect& Rect, String& Text, UINT Format);
    TSize TextExtent(const String& Text);
    int TextWidth(const String& Text) { return TextExtent(Text).cx; }
    int TextHeight(const String& Text) { return TextExtent(Text).cy; }

    // Pictures: Draw honours the graphic's transparency; StretchDraw scales it into Rect.
    void Draw(int X, int Y, TGraphic* Graphic);
    // Draws with a constant opacity (0..255) on top of any alpha of the graphic.
    void Draw(int X, int Y, TGraphic* Graphic, unsigned char Opacity);
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    // Copies Source's SourceRect into Dest (stretching) with CopyMode.
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    // Copies Source's SourceRect from Bitmap, replacing Color by the brush (as a button face does).
    void BrushCopy(const TRect& Dest, TBitmap* Bitmap, const TRect& Source, TColor Color);

    TColor Pixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Value);

    TRect ClipRect();
    // Forgets the selected objects (they are selected again before the next drawing), for
    // callers that changed the DC behind the canvas's back.
    void Refresh();

    // Serialises drawing from several threads (a critical section, re-entrant).
    void Lock();
    void Unlock();
    bool TryLock();
    int LockCount() const { return FLockCount; }

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    virtual void CreateHandle() {}
    // Makes sure the states in Required are valid (handle, then font, pen, brush).
    void RequiredState(TCanvasState Required);
    // Selects the stock objects back and drops the references to ours.
    void DeselectHandles();
    virtual void Changing();
    virtual void Changed();

private:
    void CreateFont();
    void CreatePen();
    void CreateBrush();
    void FontChanged(TObject*);
    void PenChanged(TObject*);
    void BrushChanged(TObject*);

    HDC FHandle = nullptr;
    TCanvasState FState;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    TGdiResourceRef FSelectedFont, FSelectedPen, FSelectedBrush;
    TPoint FPenPos{0, 0};
    TCopyMode FCopyMode = cmSrcCopy;
    int FTextFlags = 0;
    CRITICAL_SECTION FLock;
    int FLockCount = 0;
};
