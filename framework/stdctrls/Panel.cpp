#include "framework/stdctrls/Panel.h"

#include <algorithm>

namespace {

// Width rings of a 3D frame inside Rect, shrinking it: top-left in TopColor, bottom-right in BottomColor.
void Frame3D(TCanvas* Canvas, TRect& Rect, TColor TopColor, TColor BottomColor, int Width)
{
    Canvas->Pen()->SetWidth(1);
    Rect.bottom--;
    Rect.right--;
    while (Width-- > 0) {
        Canvas->Pen()->SetColor(TopColor);
        Canvas->Polyline({Point(Rect.left, Rect.bottom), Point(Rect.left, Rect.top), Point(Rect.right, Rect.top)});
        Canvas->Pen()->SetColor(BottomColor);
        Canvas->Polyline({Point(Rect.right, Rect.top), Point(Rect.right, Rect.bottom), Point(Rect.left - 1, Rect.bottom)});
        InflateRect(&Rect, -1, -1);
    }
    Rect.bottom++;
    Rect.right++;
}

} // namespace

// ---- TCustomPanel ---------------------------------------------------------------------------

TCustomPanel::TCustomPanel(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csOpaque,
                                  csDoubleClicks, csReplicatable, csParentBackground};
    SetBounds(0, 0, 185, 41);
    SetColor(clBtnFace);
}

void TCustomPanel::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    if (FBorderStyle == bsSingle) AddSingleBorder(Params, Ctl3D());
}

void TCustomPanel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetVerticalAlignment(TTextLayout Value)
{
    if (FVerticalAlignment == Value) return;
    FVerticalAlignment = Value;
    Invalidate();
}

void TCustomPanel::SetBevelInner(TBevelCut Value)
{
    if (FPanelBevelInner == Value) return;
    FPanelBevelInner = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelOuter(TBevelCut Value)
{
    if (FPanelBevelOuter == Value) return;
    FPanelBevelOuter = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBevelWidth(int Value)
{
    if (FPanelBevelWidth == Value || Value < 1) return;
    FPanelBevelWidth = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderWidth(int Value)
{
    if (FPanelBorderWidth == Value || Value < 0) return;
    FPanelBorderWidth = Value;
    Realign();
    Invalidate();
}

void TCustomPanel::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomPanel::SetShowCaption(bool Value)
{
    if (FShowCaption == Value) return;
    FShowCaption = Value;
    Invalidate();
}

TRect TCustomPanel::InnerRect()
{
    TRect r = ClientRect();
    int inset = FPanelBorderWidth;
    if (FPanelBevelOuter != bvNone) inset += FPanelBevelWidth;
    if (FPanelBevelInner != bvNone) inset += FPanelBevelWidth;
    InflateRect(&r, -inset, -inset);
    return r;
}

void TCustomPanel::AdjustClientRect(TRect& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    int inset = FPanelBorderWidth;
    if (FPanelBevelOuter != bvNone) inset += FPanelBevelWidth;
    if (FPanelBevelInner != bvNone) inset += FPanelBevelWidth;
    InflateRect(&Rect, -inset, -inset);
}

void TCustomPanel::Paint()
{
    TCanvas* c = Canvas();
    TRect r = ClientRect();
    auto bevel = [&](TBevelCut Cut) {
        TColor top = Cut == bvLowered ? clBtnShadow : clBtnHighlight;
        TColor bottom = Cut == bvLowered ? clBtnHighlight : clBtnShadow;
        if (Cut == bvSpace) top = bottom = Color();
        Frame3D(c, r, top, bottom, FPanelBevelWidth);
    };
    if (ParentBackground()) DrawParentBackground(c->Handle());
    if (FPanelBevelOuter != bvNone) bevel(FPanelBevelOuter);
    if (ParentBackground()) InflateRect(&r, -FPanelBorderWidth, -FPanelBorderWidth);
    else Frame3D(c, r, Color(), Color(), FPanelBorderWidth);
    if (FPanelBevelInner != bvNone) bevel(FPanelBevelInner);
    if (!ParentBackground()) {
        c->Brush()->SetColor(Color());
        c->FillRect(r);
    }
    String caption = Caption();
    if (FShowCaption && !caption.empty()) {
        static const UINT vertical[] = {DT_TOP, DT_VCENTER, DT_BOTTOM};
        c->Brush()->SetStyle(bsClear);
        c->SetFont(Font());
        UINT flags = DT_EXPANDTABS | DT_SINGLELINE | vertical[FVerticalAlignment] | AlignmentToDrawTextFlag(FAlignment);
        c->TextRect(r, caption, BiDiDrawTextFlags(this, flags));
    }
}

void TCustomPanel::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_TEXTCHANGED:
    case CM_BORDERCHANGED:
        Invalidate();
        return;
    case WM_SIZE:
        TCustomControl::Dispatch(Message);
        if (FFullRepaint) Invalidate();
        return;
    }
    TCustomControl::Dispatch(Message);
}

void TCustomPanel::CMCtl3DChanged(TMessage& Message)
{
    TCustomControl::CMCtl3DChanged(Message);
    if (FBorderStyle == bsSingle && HandleAllocated()) RecreateWnd();
}
