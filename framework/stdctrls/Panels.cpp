// Panels, bevels, images, group boxes and radio groups.
#include "framework/stdctrls/Panels.h"

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

bool IsLoading(TComponent* Component)
{
    return Component->ComponentState().Contains(csLoading) || Component->ComponentState().Contains(csReading);
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

// ---- TImage ---------------------------------------------------------------------------------

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner), FPicture(std::make_unique<TPicture>())
{
    FControlStyle.Include(csReplicatable);
    FPicture->OnChange = [this](TObject* Sender) { PictureChanged(Sender); };
    SetBounds(0, 0, 105, 105);
}

TImage::~TImage()
{
    FPicture->OnChange = nullptr;
}

TCanvas* TImage::ImageCanvas()
{
    if (FPicture->Graphic() == nullptr) {
        TBitmap bitmap(Width(), Height());
        FPicture->SetGraphic(&bitmap);
    }
    return FPicture->Bitmap()->Canvas();
}

void TImage::SetStretch(bool Value)
{
    if (FStretch == Value) return;
    FStretch = Value;
    PictureChanged(this);
}

void TImage::SetCenter(bool Value)
{
    if (FCenter == Value) return;
    FCenter = Value;
    PictureChanged(this);
}

void TImage::SetProportional(bool Value)
{
    if (FProportional == Value) return;
    FProportional = Value;
    PictureChanged(this);
}

void TImage::SetTransparent(bool Value)
{
    if (FTransparent == Value) return;
    FTransparent = Value;
    PictureChanged(this);
}

void TImage::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    if (Value) PictureChanged(this);
}

void TImage::PictureChanged(TObject*)
{
    TGraphic* graphic = FPicture->Graphic();
    if (FAutoSize && graphic != nullptr && graphic->Width() > 0 && graphic->Height() > 0)
        SetBounds(Left(), Top(), graphic->Width(), graphic->Height());
    if (graphic != nullptr) {
        if (graphic->Transparent() != FTransparent) graphic->SetTransparent(FTransparent);
        // An opaque picture that fills the control hides what is under it.
        bool covers = !graphic->Transparent() && (FStretch || (graphic->Width() >= Width() && graphic->Height() >= Height()));
        if (covers) FControlStyle.Include(csOpaque);
        else FControlStyle.Exclude(csOpaque);
    } else {
        FControlStyle.Exclude(csOpaque);
    }
    if (!FDrawing) Invalidate();
}

TRect TImage::DestRect()
{
    int w = FPicture->Width(), h = FPicture->Height();
    int cw = ClientWidth(), ch = ClientHeight();
    if (FStretch || (FProportional && (w > cw || h > ch))) {
        if (FProportional && w > 0 && h > 0) {
            double aspect = static_cast<double>(w) / h;
            if (w > h) {
                w = cw;
                h = static_cast<int>(cw / aspect);
                if (h > ch) {
                    h = ch;
                    w = static_cast<int>(ch * aspect);
                }
            } else {
                h = ch;
                w = static_cast<int>(ch * aspect);
                if (w > cw) {
                    w = cw;
                    h = static_cast<int>(cw / aspect);
                }
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    TRect r = Rect(0, 0, w, h);
    if (FCenter) OffsetRect(&r, (cw - w) / 2, (ch - h) / 2);
    return r;
}

void TImage::Paint()
{
    if (ComponentState().Contains(csDesigning)) {
        TCanvas* c = Canvas();
        c->Pen()->SetStyle(psDash);
        c->Brush()->SetStyle(bsClear);
        c->Rectangle(0, 0, Width(), Height());
        c->Pen()->SetStyle(psSolid);
    }
    TGraphic* graphic = FPicture->Graphic();
    if (graphic == nullptr || graphic->Empty()) return;
    bool saved = FDrawing;
    FDrawing = true;
    Canvas()->StretchDraw(DestRect(), graphic);
    FDrawing = saved;
}

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

// ---- TGroupButton ---------------------------------------------------------------------------

TGroupButton::TGroupButton(TCustomRadioGroup* RadioGroup) : TRadioButton(RadioGroup), FGroup(RadioGroup)
{
    FGroup->FButtons.push_back(this);
    SetVisible(false);
    SetEnabled(RadioGroup->Enabled());
    SetParentShowHint(false);
    OnClick = [this](TObject* Sender) { FGroup->ButtonClick(Sender); };
    SetParent(RadioGroup);
}

TGroupButton::~TGroupButton()
{
    auto& buttons = FGroup->FButtons;
    buttons.erase(std::remove(buttons.begin(), buttons.end(), this), buttons.end());
}

void TGroupButton::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        if (FInClick) return;
        FInClick = true;
        WORD code = Message.WParamHi();
        if ((code == BN_CLICKED || code == BN_DOUBLECLICKED) && FGroup->CanModify()) TRadioButton::Dispatch(Message);
        FInClick = false;
        return;
    }
    TRadioButton::Dispatch(Message);
}

void TGroupButton::KeyDown(WORD& Key, TShiftState Shift)
{
    FGroup->KeyDown(Key, Shift);
    if (Key == 0) return;
    if ((Key == VK_LEFT || Key == VK_RIGHT || Key == VK_UP || Key == VK_DOWN) && !FGroup->CanModify()) {
        Key = 0;
        return;
    }
    TRadioButton::KeyDown(Key, Shift);
}

void TGroupButton::KeyPress(wchar_t& Key)
{
    TRadioButton::KeyPress(Key);
    FGroup->KeyPress(Key);
    if ((Key == L'\b' || Key == L' ') && !FGroup->CanModify()) Key = 0;
}

// ---- TCustomRadioGroup ----------------------------------------------------------------------

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner), FItems(std::make_unique<TStringList>())
{
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csParentBackground};
    FItems->OnChange = [this](TObject* Sender) { ItemsChange(Sender); };
}

TCustomRadioGroup::~TCustomRadioGroup()
{
    FItems->OnChange = nullptr;
    SetButtonCount(0);
}

void TCustomRadioGroup::SetButtonCount(int Value)
{
    while (static_cast<int>(FButtons.size()) < Value) new TGroupButton(this);
    while (static_cast<int>(FButtons.size()) > Value) delete FButtons.back();
}

void TCustomRadioGroup::UpdateButtons()
{
    SetButtonCount(FItems->Count());
    for (int i = 0; i < static_cast<int>(FButtons.size()); ++i) {
        FButtons[static_cast<size_t>(i)]->SetCaption(FItems->Strings(i));
        FButtons[static_cast<size_t>(i)]->SetWordWrap(FWordWrap);
    }
    if (FItemIndex >= 0 && FItemIndex < static_cast<int>(FButtons.size())) {
        FUpdating = true;
        FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(true);
        FUpdating = false;
    }
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::ItemsChange(TObject*)
{
    if (IsLoading(this)) return;
    if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
    UpdateButtons();
}

void TCustomRadioGroup::ButtonClick(TObject* Sender)
{
    if (FUpdating) return;
    auto it = std::find(FButtons.begin(), FButtons.end(), Sender);
    FItemIndex = it == FButtons.end() ? -1 : static_cast<int>(it - FButtons.begin());
    Perform(CM_CHANGED);
    Click();
}

void TCustomRadioGroup::SetItemIndex(int Value)
{
    if (IsLoading(this)) {
        FItemIndex = Value;
        return;
    }
    Value = std::clamp(Value, -1, static_cast<int>(FButtons.size()) - 1);
    if (FItemIndex == Value) return;
    if (FItemIndex >= 0 && FItemIndex < static_cast<int>(FButtons.size()))
        FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(false);
    FItemIndex = Value;
    if (FItemIndex >= 0) FButtons[static_cast<size_t>(FItemIndex)]->SetChecked(true);
}

void TCustomRadioGroup::SetColumns(int Value)
{
    Value = std::clamp(Value, 1, 16);
    if (FColumns == Value) return;
    FColumns = Value;
    ArrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    for (TGroupButton* b : FButtons) b->SetWordWrap(Value);
}

void TCustomRadioGroup::ArrangeButtons()
{
    if (FButtons.empty() || IsLoading(this)) return;
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, Font()->Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    int count = static_cast<int>(FButtons.size());
    int perColumn = (count + FColumns - 1) / FColumns;
    int buttonWidth = (Width() - 10) / FColumns;
    int room = Height() - tm.tmHeight - 5;
    int buttonHeight = room / perColumn;
    int topMargin = tm.tmHeight + 1 + (room % perColumn) / 2;
    for (int i = 0; i < count; ++i) {
        TGroupButton* b = FButtons[static_cast<size_t>(i)];
        b->SetBiDiMode(BiDiMode());
        int left = (i / perColumn) * buttonWidth + 8;
        if (UseRightToLeftAlignment()) left = ClientWidth() - left - buttonWidth;
        b->SetBounds(left, (i % perColumn) * buttonHeight + topMargin, buttonWidth, buttonHeight);
        b->SetVisible(true);
    }
}

void TCustomRadioGroup::Loaded()
{
    TCustomGroupBox::Loaded();
    if (FItemIndex >= FItems->Count()) FItemIndex = FItems->Count() - 1;
    UpdateButtons();
}

void TCustomRadioGroup::CMEnabledChanged(TMessage& Message)
{
    TCustomGroupBox::CMEnabledChanged(Message);
    for (TGroupButton* b : FButtons) b->SetEnabled(Enabled());
}

void TCustomRadioGroup::CMFontChanged(TMessage& Message)
{
    TCustomGroupBox::CMFontChanged(Message);
    ArrangeButtons();
}

void TCustomRadioGroup::WMSize(TMessage& Message)
{
    TCustomGroupBox::WMSize(Message);
    ArrangeButtons();
}
