#pragma once
// What the painting sources of AdvUtil share: solid boxes and lines in one colour, the clip to a
// rectangle that keeps a routine inside the cell it was given (the base grid and the cell
// painters use it too), and the coordinate limit beyond which a routine draws nothing rather
// than overflow.
#include <windows.h>

#include "framework/graphics/Canvas.h"

namespace advutil {

// Coordinates GDI keeps exact; a shape reaching past them is not drawn.
constexpr long long MaxCoord = 1 << 26;

inline bool InCoordRange(long long V) { return V > -MaxCoord && V < MaxCoord; }

inline bool IsEmptyRect(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

// Rectangle in one colour, pen and brush alike.
inline void SolidRect(TCanvas* Canvas, const TRect& R, TColor Color)
{
    Canvas->Brush()->SetColor(Color);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Pen()->SetColor(Color);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Rectangle(R);
}

inline void Line(TCanvas* Canvas, TColor Color, int X1, int Y1, int X2, int Y2)
{
    if (Color == clNone) return;
    Canvas->Pen()->SetColor(Color);
    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->MoveTo(X1, Y1);
    Canvas->LineTo(X2, Y2);
}

// Narrows the canvas's clip region to Rect (logical coordinates, so it follows a window origin
// moved by the caller) for the guard's lifetime and gives back the region it had; only the clip
// changes, so the canvas's selected objects stay valid.
class TClipToRect {
public:
    TClipToRect(TCanvas* Canvas, const TRect& Rect) : FDC(Canvas->Handle())
    {
        FSaved = CreateRectRgn(0, 0, 0, 0);
        FHadClip = GetClipRgn(FDC, FSaved) == 1;
        IntersectClipRect(FDC, Rect.left, Rect.top, Rect.right, Rect.bottom);
    }
    ~TClipToRect()
    {
        SelectClipRgn(FDC, FHadClip ? FSaved : nullptr);
        DeleteObject(FSaved);
    }
    TClipToRect(const TClipToRect&) = delete;
    TClipToRect& operator=(const TClipToRect&) = delete;

private:
    HDC FDC;
    HRGN FSaved = nullptr;
    bool FHadClip = false;
};

} // namespace advutil
