#include "framework/stdctrls/Bevel.h"

// ---- TBevel ---------------------------------------------------------------------------------

TBevel::TBevel(TComponent* AOwner) : TGraphicControl(AOwner)
{
    FControlStyle.Include(csReplicatable);
    SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape Value)
{
    if (FShape == Value) return;
    FShape = Value;
    Invalidate();
}

void TBevel::SetStyle(TBevelStyle Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    Invalidate();
}

void TBevel::Paint()
{
    TCanvas* c = Canvas();
    TColor color1 = FStyle == bsLowered ? clBtnShadow : clBtnHighlight;
    TColor color2 = FStyle == bsLowered ? clBtnHighlight : clBtnShadow;
    c->Pen()->SetWidth(1);
    auto rect = [&](int L, int T, int R, int B) {
        c->Pen()->SetColor(color1);
        c->Polyline({Point(L, B), Point(L, T), Point(R, T)});
        c->Pen()->SetColor(color2);
        c->Polyline({Point(R, T), Point(R, B), Point(L, B)});
    };
    auto line = [&](TColor Color, int X1, int Y1, int X2, int Y2) {
        c->Pen()->SetColor(Color);
        c->MoveTo(X1, Y1);
        c->LineTo(X2, Y2);
    };
    int w = Width(), h = Height();
    switch (FShape) {
    case bsBox: rect(0, 0, w - 1, h - 1); break;
    case bsFrame: {
        // Two nested boxes of opposite colours make the etched groove.
        TColor saved = color1;
        color1 = color2;
        rect(1, 1, w - 1, h - 1);
        color1 = color2 = saved;
        c->Pen()->SetColor(saved);
        c->Polyline({Point(0, h - 2), Point(0, 0), Point(w - 2, 0)});
        c->Polyline({Point(w - 2, 0), Point(w - 2, h - 2), Point(0, h - 2)});
        break;
    }
    case bsTopLine:
        line(color1, 0, 0, w, 0);
        line(color2, 0, 1, w, 1);
        break;
    case bsBottomLine:
        line(color1, 0, h - 2, w, h - 2);
        line(color2, 0, h - 1, w, h - 1);
        break;
    case bsLeftLine:
        line(color1, 0, 0, 0, h);
        line(color2, 1, 0, 1, h);
        break;
    case bsRightLine:
        line(color1, w - 2, 0, w - 2, h);
        line(color2, w - 1, 0, w - 1, h);
        break;
    case bsSpacer:
        if (ComponentState().Contains(csDesigning)) {
            c->Pen()->SetStyle(psDot);
            c->Pen()->SetColor(clBlack);
            c->Brush()->SetStyle(bsClear);
            c->Rectangle(0, 0, w, h);
            c->Pen()->SetStyle(psSolid);
        }
        break;
    }
}
