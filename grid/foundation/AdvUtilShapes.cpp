// The nineteen cell shapes of TCellShape (shape and rating cell graphics).
#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "grid/foundation/AdvUtil.h"
#include "grid/foundation/AdvUtilDraw.h"

using namespace advutil;

namespace {

// The ten points of the star around (CX, CY): even ones on the outer radii, odd ones on a third
// of them, every 36 degrees clockwise from 12 o'clock.
std::vector<TPoint> StarPoints(int CX, int CY, int RX, int RY)
{
    std::vector<TPoint> points;
    for (int k = 0; k < 10; ++k) {
        const double theta = k * 36.0 * std::numbers::pi / 180.0;
        const double rx = k % 2 == 0 ? RX : RX / 3.0, ry = k % 2 == 0 ? RY : RY / 3.0;
        points.push_back(TPoint{CX + static_cast<int>(std::nearbyint(std::sin(theta) * rx)),
                                CY - static_cast<int>(std::nearbyint(std::cos(theta) * ry))});
    }
    return points;
}

} // namespace

void PaintCellShape(TCanvas* Canvas, int X, int Y, TColor PenColor, TColor BrushColor, int Shape, int Width,
                    int Height)
{
    if (Shape < csRectangle || Shape > csHalfStar) return;
    int w = Width, h = Height;
    if (Shape == csCircle || Shape == csSquare || Shape == csRoundSquare) w = h = std::min(w, h);
    if (w <= 0 || h <= 0) return;
    if (!InCoordRange(X) || !InCoordRange(Y) || !InCoordRange(static_cast<long long>(X) + w) ||
        !InCoordRange(static_cast<long long>(Y) + h))
        return;
    const int w2 = w / 2, h2 = h / 2;
    const int W = w & ~1, w4 = W / 4, w34 = 3 * w4;
    const int H = h & ~1, h4 = H / 4, h34 = 3 * h4;
    const int x = X, y = Y;

    Canvas->Pen()->SetStyle(psSolid);
    Canvas->Pen()->SetWidth(1);
    Canvas->Pen()->SetColor(PenColor);
    Canvas->Brush()->SetStyle(bsSolid);
    Canvas->Brush()->SetColor(BrushColor);

    switch (Shape) {
    case csRectangle:
    case csSquare:
        Canvas->Rectangle(x + 1, y + 1, x + w - 1, y + h - 1);
        break;
    case csCircle:
    case csEllips:
        Canvas->Ellipse(x, y, x + w, y + h);
        break;
    case csTriangleLeft:
        Canvas->Polygon({TPoint{x + w, y}, TPoint{x + w, y + h}, TPoint{x, y + h2}});
        break;
    case csTriangleRight:
        Canvas->Polygon({TPoint{x, y}, TPoint{x, y + h}, TPoint{x + w, y + h2}});
        break;
    case csTriangleUp:
        Canvas->Polygon({TPoint{x, y + h}, TPoint{x + w, y + h}, TPoint{x + w2, y}});
        break;
    case csTriangleDown:
        Canvas->Polygon({TPoint{x, y}, TPoint{x + w, y}, TPoint{x + w2, y + h}});
        break;
    case csDiamond:
        Canvas->Polygon({TPoint{x, y + h2}, TPoint{x + w2, y}, TPoint{x + 2 * w2, y + h2}, TPoint{x + w2, y + 2 * h2}});
        break;
    case csLineVert:
        Canvas->Rectangle(x + w2, y, x + w2 + 1, y + h);
        break;
    case csLineHorz:
        Canvas->Rectangle(x, y + h2, x + w, y + h2 + 1);
        break;
    case csRoundRect:
    case csRoundSquare:
        Canvas->RoundRect(x, y, x + w, y + h, 10, 10);
        break;
    case csStar: {
        const std::vector<TPoint> star = StarPoints(x + w2, y + h2, w2, h2);
        Canvas->Polygon(std::span<const TPoint>(star));
        break;
    }
    case csHalfStar: {
        const std::vector<TPoint> star = StarPoints(x + w2, y + h2, w2, h2);
        // 0 (outer), 180 (inner), 216 (outer), 252 (inner), 288 (outer), 324 (inner) degrees.
        Canvas->Polygon({star[0], star[5], star[6], star[7], star[8], star[9]});
        break;
    }
    case csArrowUp:
        Canvas->Polygon({TPoint{x, y + h2}, TPoint{x + W / 2, y}, TPoint{x + W, y + h2}, TPoint{x + w34, y + h2},
                         TPoint{x + w34, y + h}, TPoint{x + w4, y + h}, TPoint{x + w4, y + h2}});
        break;
    case csArrowDown:
        Canvas->Polygon({TPoint{x, y + h2}, TPoint{x + W / 2, y + h}, TPoint{x + W, y + h2}, TPoint{x + w34, y + h2},
                         TPoint{x + w34, y}, TPoint{x + w4, y}, TPoint{x + w4, y + h2}});
        break;
    case csArrowLeft:
        Canvas->Polygon({TPoint{x, y + H / 2}, TPoint{x + w2, y}, TPoint{x + w2, y + h4}, TPoint{x + w, y + h4},
                         TPoint{x + w, y + h34}, TPoint{x + w2, y + h34}, TPoint{x + w2, y + H}});
        break;
    case csArrowRight:
        Canvas->Polygon({TPoint{x + w, y + H / 2}, TPoint{x + w2, y}, TPoint{x + w2, y + h4}, TPoint{x, y + h4},
                         TPoint{x, y + h34}, TPoint{x + w2, y + h34}, TPoint{x + w2, y + H}});
        break;
    }
}
