// The drawing helpers every standard control shares.
#include "framework/stdctrls/StdCtrlsTypes.h"

#include "framework/controls/Controls.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/DrawingGuards.h"

UINT AlignmentToDrawTextFlag(TAlignment Alignment)
{
    switch (Alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

TAlignment MirrorAlignment(TAlignment Alignment)
{
    switch (Alignment) {
    case taLeftJustify: return taRightJustify;
    case taRightJustify: return taLeftJustify;
    default: return Alignment;
    }
}

UINT BiDiDrawTextFlags(TControl* Control, UINT Flags)
{
    if (Control == nullptr) return Flags;
    if (Control->UseRightToLeftAlignment()) {
        if (Flags & DT_RIGHT) Flags &= ~static_cast<UINT>(DT_RIGHT);
        else if (!(Flags & DT_CENTER)) Flags |= DT_RIGHT;
    }
    if (Control->UseRightToLeftReading()) Flags |= DT_RTLREADING;
    return Flags;
}

void AddSingleBorder(TCreateParams& Params, bool Ctl3D)
{
    if (Ctl3D)
        Params.ExStyle |= WS_EX_CLIENTEDGE;
    else
        Params.Style |= WS_BORDER;
}

void DrawOnLentDC(TCanvas* Canvas, HDC DC, const std::function<void()>& Draw)
{
    TSavedDC saved(DC);
    TCanvasHandleGuard<TCanvas> lent(*Canvas, DC);
    Draw();
}
