// The picture of a block of cells that follows the mouse while cells are dragged or moved: a
// snapshot of the painted grid on a translucent form that never takes the focus.
#include <algorithm>
#include <memory>

#include "framework/stdctrls/Image.h"
#include "grid/control/AdvGrid.h"

TNoActiveForm* TNoActiveForm::CreateNew(TComponent* AOwner)
{
    auto* form = new TNoActiveForm(AOwner);
    form->AfterConstruction();
    return form;
}

void TNoActiveForm::CreateParams(TCreateParams& Params)
{
    TForm::CreateParams(Params);
    Params.Style = WS_POPUP | WS_DISABLED | WS_BORDER;
    Params.WindowClass.style |= CS_SAVEBITS;
}

void TNoActiveForm::WndProc(TMessage& Message)
{
    if (Message.Msg == WM_MOUSEACTIVATE) {
        Message.Result = MA_NOACTIVATE;
        return;
    }
    TForm::WndProc(Message);
    if (Message.Msg == WM_ACTIVATE) Message.Result = 1;
}

TNoActiveForm* TAdvStringGrid::SelectionToForm(TGridRect ARect)
{
    TBitmap snapshot;
    snapshot.SetSize(Width(), Height());
    PaintTo(snapshot.Canvas(), 0, 0);
    TRect first = CellRect(ARect.Left, ARect.Top);
    TRect last = CellRect(ARect.Right, ARect.Bottom);
    // Read right to left, the last cell lies left of the first.
    if (last.left < first.left) std::swap(first, last);
    const TRect area{first.left, first.top, last.right, last.bottom};
    const int width = area.right - area.left + 1, height = area.bottom - area.top + 1;

    auto picture = std::make_unique<TBitmap>();
    picture->SetSize(width, height);
    picture->Canvas()->CopyRect(TRect{0, 0, width, height}, snapshot.Canvas(),
                                TRect{area.left + 1, area.top + 1, area.right + 2, area.bottom + 2});
    TCanvas* canvas = picture->Canvas();
    canvas->Pen()->SetColor(GridFixedLineColor());
    if (ARect.Left == 0 && FixedCols() > 0 && Options().Contains(goFixedHorzLine)) {
        canvas->MoveTo(0, 0);
        canvas->LineTo(0, height);
    }
    if (ARect.Top == 0 && FixedRows() > 0 && Options().Contains(goFixedVertLine)) {
        canvas->MoveTo(0, 0);
        canvas->LineTo(width, 0);
    }

    TNoActiveForm* form = TNoActiveForm::CreateNew(this);
    form->SetBorderStyle(bsNone);
    form->SetFormStyle(fsStayOnTop);
    form->SetClientWidth(width);
    form->SetClientHeight(height);
    auto* image = new TImage(form);
    image->SetParent(form);
    image->SetAlign(alClient);
    image->Picture()->SetGraphic(picture.get());
    form->SetAlphaBlend(true);
    form->SetAlphaBlendValue(192);
    return form;
}
