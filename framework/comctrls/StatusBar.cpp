#include "framework/comctrls/StatusBar.h"

#include <algorithm>

#include "framework/controls/Forms.h"

// ---- TStatusPanel ------------------------------------------------------------------------

void TStatusPanel::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TStatusPanel*>(Source);
    if (other == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    FText = other->FText;
    FWidth = other->FWidth;
    FStyle = other->FStyle;
    FAlignment = other->FAlignment;
    FBevel = other->FBevel;
    Changed(true);
}

String TStatusPanel::DisplayName() const
{
    return FText.empty() ? TCollectionItem::DisplayName() : FText;
}

void TStatusPanel::SetText(const String& Value)
{
    if (FText == Value) return;
    FText = Value;
    Changed(false);
}

void TStatusPanel::SetWidth(int Value)
{
    if (FWidth == Value) return;
    FWidth = Value;
    Changed(true);
}

void TStatusPanel::SetStyle(TStatusPanelStyle Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    Changed(false);
}

void TStatusPanel::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Changed(false);
}

void TStatusPanel::SetBevel(TStatusPanelBevel Value)
{
    if (FBevel == Value) return;
    FBevel = Value;
    Changed(false);
}

// ---- TStatusPanels -----------------------------------------------------------------------

TStatusPanels::TStatusPanels(TCustomStatusBar* StatusBar) : TCollection(ItemClassOf<TStatusPanel>()), FStatusBar(StatusBar)
{
}

TPersistent* TStatusPanels::GetOwner()
{
    return FStatusBar;
}

void TStatusPanels::Update(TCollectionItem* Item)
{
    if (Item != nullptr)
        FStatusBar->UpdatePanel(Item->Index(), false);
    else
        FStatusBar->UpdatePanels(true, true);
    TCollection::Update(Item);
}

// ---- TCustomStatusBar --------------------------------------------------------------------

TCustomStatusBar::TCustomStatusBar(TComponent* AOwner)
    : TWinControl(AOwner), FPanels(std::make_unique<TStatusPanels>(this)), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
    SetControlStyle(TControlStyle{csCaptureMouse, csClickEvents, csDoubleClicks, csOpaque});
    SetColor(clBtnFace);
    SetParentColor(false);
    SetBounds(0, 0, 200, 19);
    SetAlign(alBottom);
}

TCustomStatusBar::~TCustomStatusBar() = default;

void TCustomStatusBar::SetSimplePanel(bool Value)
{
    if (FSimplePanel == Value) return;
    FSimplePanel = Value;
    if (HandleAllocated()) {
        SendMessageW(Handle(), SB_SIMPLE, Value ? TRUE : FALSE, 0);
        InvalidateRect(Handle(), nullptr, TRUE);
    }
}

void TCustomStatusBar::SetSimpleText(const String& Value)
{
    if (FSimpleText == Value) return;
    FSimpleText = Value;
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
    // Without panels the one part shows the simple text too.
    if (FPanels->Count() == 0) SendMessageW(Handle(), SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
}

void TCustomStatusBar::SetSizeGrip(bool Value)
{
    if (FSizeGrip == Value) return;
    FSizeGrip = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomStatusBar::UpdatePanel(int Index, bool Repaint)
{
    if (!HandleAllocated() || Index < 0 || Index >= FPanels->Count()) return;
    TStatusPanel* panel = FPanels->Items(Index);
    WPARAM flags = static_cast<WPARAM>(Index);
    if (panel->Bevel() == pbNone) flags |= SBT_NOBORDERS;
    if (panel->Bevel() == pbRaised) flags |= SBT_POPOUT;
    if (UseRightToLeftReading()) flags |= SBT_RTLREADING;
    if (panel->Style() == psOwnerDraw) {
        SendMessageW(Handle(), SB_SETTEXTW, flags | SBT_OWNERDRAW, reinterpret_cast<LPARAM>(panel));
    } else {
        // A tab before the text centres it, two right-align it.
        String text = panel->Text();
        if (panel->Alignment() == taCenter)
            text = L"\t" + text;
        else if (panel->Alignment() == taRightJustify)
            text = L"\t\t" + text;
        SendMessageW(Handle(), SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(text.c_str()));
    }
    if (Repaint) InvalidateRect(Handle(), nullptr, TRUE);
}

void TCustomStatusBar::UpdatePanels(bool UpdateRects, bool UpdateText)
{
    if (!HandleAllocated()) return;
    HWND wnd = Handle();
    int count = FPanels->Count();
    if (UpdateRects) {
        if (count == 0) {
            int edge = -1;
            SendMessageW(wnd, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(&edge));
            SendMessageW(wnd, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
        } else {
            std::vector<int> edges(static_cast<size_t>(count));
            int pos = 0;
            for (int i = 0; i < count - 1; ++i) {
                pos += FPanels->Items(i)->Width();
                edges[static_cast<size_t>(i)] = pos;
            }
            edges.back() = -1;
            SendMessageW(wnd, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(edges.data()));
        }
    }
    if (UpdateText || UpdateRects)
        for (int i = 0; i < count; ++i) UpdatePanel(i, false);
    InvalidateRect(wnd, nullptr, TRUE);
}

void TCustomStatusBar::DrawPanel(TStatusPanel* Panel, const TRect& Rect)
{
    if (OnDrawPanel)
        OnDrawPanel(this, Panel, Rect);
    else
        FCanvas->FillRect(Rect);
}

void TCustomStatusBar::CreateParams(TCreateParams& Params)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, STATUSCLASSNAMEW);
    // The framework places the bar; the system control must not move or size itself.
    Params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    auto* form = dynamic_cast<TCustomForm*>(Parent());
    if (FSizeGrip && form != nullptr && (form->BorderStyle() == bsSizeable || form->BorderStyle() == bsSizeToolWin))
        Params.Style |= SBARS_SIZEGRIP;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW);
}

void TCustomStatusBar::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    UpdatePanels(true, true);
    SendMessageW(wnd, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(FSimpleText.c_str()));
    if (FSimplePanel) SendMessageW(wnd, SB_SIMPLE, TRUE, 0);
}

void TCustomStatusBar::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_DRAWITEM)
        CNDrawItem(Message);
    else
        TWinControl::Dispatch(Message);
}

void TCustomStatusBar::CNDrawItem(TMessage& Message)
{
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    int index = static_cast<int>(item->itemID);
    if (index >= 0 && index < FPanels->Count()) {
        DrawOnLentDC(FCanvas.get(), item->hDC, [&] {
            FCanvas->Font()->Assign(Font());
            FCanvas->Brush()->SetColor(Color());
            DrawPanel(FPanels->Items(index), item->rcItem);
        });
    }
    Message.Result = 1;
}

void TCustomStatusBar::WMSize(TMessage& Message)
{
    TWinControl::WMSize(Message);
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, TRUE);
}
