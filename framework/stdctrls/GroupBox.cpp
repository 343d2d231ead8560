#include "framework/stdctrls/GroupBox.h"

// ---- TCustomGroupBox ------------------------------------------------------------------------

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TCustomControl(AOwner)
{
    FControlStyle = TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks,
                                  csReplicatable};
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::AdjustClientRect(TRect& Rect)
{
    TCustomControl::AdjustClientRect(Rect);
    Canvas()->SetFont(Font());
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    Rect.top += tm.tmHeight;
    InflateRect(&Rect, -1, -1);
    if (Ctl3D()) InflateRect(&Rect, -1, -1);
}

void TCustomGroupBox::Paint()
{
    TCanvas* c = Canvas();
    c->SetFont(Font());
    c->Brush()->SetColor(Color());
    c->FillRect(ClientRect());
    int h = c->TextHeight(L"0");
    TRect r = Rect(0, h / 2 - 1, Width(), Height());
    if (Ctl3D()) {
        r.left++;
        r.top++;
        c->Brush()->SetColor(clBtnHighlight);
        c->FrameRect(r);
        OffsetRect(&r, -1, -1);
        c->Brush()->SetColor(clBtnShadow);
    } else {
        c->Brush()->SetColor(clWindowFrame);
    }
    c->FrameRect(r);
    String text = Caption();
    if (text.empty()) return;
    // The caption sits on the top line, with the box's colour behind it.
    if (!UseRightToLeftAlignment()) r = Rect(8, 0, 0, h);
    else r = Rect(r.right - c->TextWidth(text) - 8, 0, 0, h);
    UINT flags = BiDiDrawTextFlags(this, DT_SINGLELINE);
    String measured = text;
    c->TextRect(r, measured, flags | DT_CALCRECT);
    c->Brush()->SetColor(Color());
    c->TextRect(r, text, flags);
}

void TCustomGroupBox::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_TEXTCHANGED) {
        Invalidate();
        Realign();
        return;
    }
    TCustomControl::Dispatch(Message);
}

void TCustomGroupBox::CMDialogChar(TMessage& Message)
{
    if (IsAccel(static_cast<WORD>(Message.WParam), Caption()) && CanFocus()) {
        SelectNext(nullptr, true, true);
        Message.Result = 1;
        return;
    }
    TCustomControl::CMDialogChar(Message);
}

void TCustomGroupBox::CMCtl3DChanged(TMessage& Message)
{
    TCustomControl::CMCtl3DChanged(Message);
    Invalidate();
    Realign();
}

void TCustomGroupBox::CMFontChanged(TMessage& Message)
{
    TCustomControl::CMFontChanged(Message);
    Realign();
}
