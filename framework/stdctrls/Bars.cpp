#include "framework/stdctrls/Bars.h"

#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/stdctrls/Menus.h"
#include "framework/stdctrls/PageControls.h"

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

// ---- TToolButton -------------------------------------------------------------------------

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetControlStyle(TControlStyle{csSetCaption});
    SetBounds(0, 0, 23, 22);
}

TToolButton::~TToolButton()
{
    if (FToolBar != nullptr) FToolBar->RemoveButton(this);
}

int TToolButton::Index() const
{
    if (FToolBar == nullptr) return -1;
    auto& buttons = FToolBar->FButtons;
    auto it = std::find(buttons.begin(), buttons.end(), this);
    return it == buttons.end() ? -1 : static_cast<int>(it - buttons.begin());
}

void TToolButton::SetDropdownMenu(TPopupMenu* Value)
{
    if (FDropdownMenu == Value) return;
    if (FDropdownMenu != nullptr) RemoveFreeNotification(FDropdownMenu);
    FDropdownMenu = Value;
    if (FDropdownMenu != nullptr) FreeNotification(FDropdownMenu);
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && FDropdownMenu != nullptr && AComponent == static_cast<TComponent*>(FDropdownMenu))
        FDropdownMenu = nullptr;
}

void TToolButton::SetParent(TWinControl* AParent)
{
    auto* bar = dynamic_cast<TToolBar*>(AParent);
    if (FToolBar != nullptr && FToolBar != bar) FToolBar->RemoveButton(this);
    TGraphicControl::SetParent(AParent);
    if (bar != nullptr && FToolBar != bar) bar->InsertButton(this);
}

void TToolButton::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    bool widthChanged = AWidth != Width();
    TGraphicControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (FUpdatingBounds || FToolBar == nullptr || FToolBar->FUpdating != 0) return;
    if (FToolBar->ComponentState().Contains(csLoading) || ComponentState().Contains(csLoading)) return;
    // The bar decides where buttons go; only a separator's width is the button's own.
    if (widthChanged && (FStyle == tbsSeparator || FStyle == tbsDivider))
        FToolBar->RecreateButtons();
    else
        FToolBar->UpdateButtonBounds();
}

void TToolButton::SetStyle(TToolButtonStyle Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    if ((Value == tbsSeparator || Value == tbsDivider) && !ComponentState().Contains(csLoading)) {
        FUpdatingBounds = true;
        TGraphicControl::SetBounds(Left(), Top(), 8, Height());
        FUpdatingBounds = false;
    }
    if (FToolBar != nullptr) FToolBar->RecreateButtons();
}

void TToolButton::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    RefreshControl();
}

bool TToolButton::Down() const
{
    return FDown;
}

void TToolButton::SetDown(bool Value)
{
    if (FDown == Value) return;
    // The down button of an exclusive group stays down.
    if (FDown && FStyle == tbsCheck && FGrouped && !FAllowAllUp && FToolBar != nullptr &&
        !ComponentState().Contains(csLoading))
        return;
    FDown = Value;
    if (FToolBar != nullptr && FGrouped && Value) FToolBar->UpdateGroup(this);
    RefreshControl();
}

void TToolButton::SetGrouped(bool Value)
{
    if (FGrouped == Value) return;
    FGrouped = Value;
    if (FToolBar != nullptr) FToolBar->RecreateButtons();
}

void TToolButton::SetIndeterminate(bool Value)
{
    if (FIndeterminate == Value) return;
    FIndeterminate = Value;
    RefreshControl();
}

void TToolButton::SetMarked(bool Value)
{
    if (FMarked == Value) return;
    FMarked = Value;
    RefreshControl();
}

void TToolButton::SetWrap(bool Value)
{
    if (FWrap == Value) return;
    FWrap = Value;
    RefreshControl();
}

BYTE TToolButton::NativeState() const
{
    BYTE state = 0;
    if (Enabled()) state |= TBSTATE_ENABLED;
    if (!Visible()) state |= TBSTATE_HIDDEN;
    if (FDown) state |= FStyle == tbsCheck ? TBSTATE_CHECKED : TBSTATE_PRESSED;
    if (FIndeterminate) state |= TBSTATE_INDETERMINATE;
    if (FMarked) state |= TBSTATE_MARKED;
    if (FWrap) state |= TBSTATE_WRAP;
    return state;
}

void TToolButton::RefreshControl()
{
    if (FToolBar != nullptr) FToolBar->UpdateButton(Index());
}

void TToolButton::Dispatch(TMessage& Message)
{
    TGraphicControl::Dispatch(Message);
    if (FToolBar == nullptr) return;
    switch (Message.Msg) {
    case CM_TEXTCHANGED: FToolBar->RecreateButtons(); break;
    case CM_ENABLEDCHANGED:
    case CM_VISIBLECHANGED: RefreshControl(); break;
    default: break;
    }
}

void TToolButton::CMHitTest(TMessage& Message)
{
    // The system bar takes the mouse over its buttons.
    Message.Result = FToolBar != nullptr ? 0 : HTCLIENT;
}

void TToolButton::Paint()
{
}

// ---- TToolBar ----------------------------------------------------------------------------

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
    SetControlStyle(TControlStyle{csAcceptsControls, csCaptureMouse, csClickEvents, csDoubleClicks, csMenuEvents, csSetCaption});
    SetColor(clBtnFace);
    SetParentColor(false);
    SetBounds(0, 0, 150, 29);
    SetAlign(alTop);
}

TToolBar::~TToolBar()
{
    for (TToolButton* button : FButtons) button->FToolBar = nullptr;
    FButtons.clear();
}

TToolButton* TToolBar::Buttons(int Index) const
{
    if (Index < 0 || Index >= ButtonCount()) throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    return FButtons[static_cast<size_t>(Index)];
}

void TToolBar::InsertButton(TToolButton* Button)
{
    FButtons.push_back(Button);
    Button->FToolBar = this;
    if (!ComponentState().Contains(csLoading)) RecreateButtons();
}

void TToolBar::RemoveButton(TToolButton* Button)
{
    FButtons.erase(std::remove(FButtons.begin(), FButtons.end(), Button), FButtons.end());
    Button->FToolBar = nullptr;
    if (FDroppedButton == Button) FDroppedButton = nullptr;
    if (!ComponentState().Contains(csDestroying)) RecreateButtons();
}

void TToolBar::UpdateGroup(TToolButton* Button)
{
    int index = Button->Index();
    auto release = [this](int i) {
        TToolButton* other = FButtons[static_cast<size_t>(i)];
        if (other->FDown) {
            other->FDown = false;
            UpdateButton(i);
        }
    };
    for (int i = index - 1; i >= 0 && FButtons[static_cast<size_t>(i)]->FGrouped && FButtons[static_cast<size_t>(i)]->FStyle == tbsCheck; --i)
        release(i);
    for (int i = index + 1; i < ButtonCount() && FButtons[static_cast<size_t>(i)]->FGrouped && FButtons[static_cast<size_t>(i)]->FStyle == tbsCheck; ++i)
        release(i);
}

void TToolBar::RecreateButtons()
{
    if (!HandleAllocated() || ComponentState().Contains(csLoading)) return;
    HWND wnd = Handle();
    ++FUpdating;
    while (SendMessageW(wnd, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(wnd, TB_DELETEBUTTON, 0, 0);
    std::vector<String> captions(FButtons.size());
    std::vector<TBBUTTON> buttons(FButtons.size());
    for (size_t i = 0; i < FButtons.size(); ++i) {
        TToolButton* b = FButtons[i];
        TBBUTTON& tb = buttons[i];
        tb = TBBUTTON{};
        tb.idCommand = static_cast<int>(i);
        tb.fsState = b->NativeState();
        tb.dwData = reinterpret_cast<DWORD_PTR>(b);
        tb.iString = -1;
        switch (b->FStyle) {
        case tbsSeparator:
        case tbsDivider:
            tb.fsStyle = BTNS_SEP;
            tb.iBitmap = b->Width();
            break;
        case tbsCheck: tb.fsStyle = BTNS_CHECK | (b->FGrouped ? BTNS_GROUP : 0); break;
        case tbsDropDown: tb.fsStyle = BTNS_DROPDOWN; break;
        case tbsTextButton: tb.fsStyle = BTNS_BUTTON | BTNS_SHOWTEXT | BTNS_AUTOSIZE; break;
        default: tb.fsStyle = BTNS_BUTTON; break;
        }
        if (tb.fsStyle != BTNS_SEP) {
            tb.iBitmap = b->FImageIndex >= 0 ? b->FImageIndex : I_IMAGENONE;
            captions[i] = b->Caption();
            if ((FShowCaptions || b->FStyle == tbsTextButton) && !captions[i].empty())
                tb.iString = reinterpret_cast<INT_PTR>(captions[i].c_str());
        }
    }
    if (!buttons.empty()) SendMessageW(wnd, TB_ADDBUTTONSW, buttons.size(), reinterpret_cast<LPARAM>(buttons.data()));
    SendMessageW(wnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(FButtonWidth, FButtonHeight));
    --FUpdating;
    UpdateButtonBounds();
    InvalidateRect(wnd, nullptr, TRUE);
}

void TToolBar::UpdateButtonBounds()
{
    if (!HandleAllocated()) return;
    ++FUpdating;
    for (size_t i = 0; i < FButtons.size(); ++i) {
        RECT r{0, 0, 0, 0};
        SendMessageW(Handle(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r));
        TToolButton* b = FButtons[i];
        if (r.right <= r.left) continue;
        b->FUpdatingBounds = true;
        b->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        b->FUpdatingBounds = false;
    }
    --FUpdating;
}

void TToolBar::UpdateButton(int Index)
{
    if (!HandleAllocated() || Index < 0 || Index >= ButtonCount()) return;
    TToolButton* b = FButtons[static_cast<size_t>(Index)];
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_STATE;
    info.fsState = b->NativeState();
    if (b->FStyle != tbsSeparator && b->FStyle != tbsDivider) {
        info.dwMask |= TBIF_IMAGE;
        info.iImage = b->FImageIndex >= 0 ? b->FImageIndex : I_IMAGENONE;
    }
    SendMessageW(Handle(), TB_SETBUTTONINFOW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&info));
    UpdateButtonBounds();
}

void TToolBar::SetImageList(TCustomImageList*& Field, TCustomImageList* Value, UINT Message)
{
    if (!ChangeReference(this, Field, Value)) return;
    UpdateImageLists();
    RecreateButtons();
}

void TToolBar::SetImages(TCustomImageList* Value)
{
    SetImageList(FImages, Value, TB_SETIMAGELIST);
}

void TToolBar::SetDisabledImages(TCustomImageList* Value)
{
    SetImageList(FDisabledImages, Value, TB_SETDISABLEDIMAGELIST);
}

void TToolBar::SetHotImages(TCustomImageList* Value)
{
    SetImageList(FHotImages, Value, TB_SETHOTIMAGELIST);
}

void TToolBar::UpdateImageLists()
{
    if (!HandleAllocated()) return;
    HWND wnd = Handle();
    auto handleOf = [](TCustomImageList* list) { return reinterpret_cast<LPARAM>(list != nullptr ? list->Handle() : nullptr); };
    if (FImages != nullptr)
        SendMessageW(wnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(FImages->Width(), FImages->Height()));
    else
        SendMessageW(wnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    SendMessageW(wnd, TB_SETIMAGELIST, 0, handleOf(FImages));
    SendMessageW(wnd, TB_SETDISABLEDIMAGELIST, 0, handleOf(FDisabledImages));
    SendMessageW(wnd, TB_SETHOTIMAGELIST, 0, handleOf(FHotImages));
}

void TToolBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && ForgetReferences(AComponent, {&FImages, &FDisabledImages, &FHotImages}) &&
        !ComponentState().Contains(csDestroying))
        UpdateImageLists();
}

void TToolBar::SetFlat(bool Value)
{
    if (FFlat == Value) return;
    FFlat = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TToolBar::SetShowCaptions(bool Value)
{
    if (FShowCaptions == Value) return;
    FShowCaptions = Value;
    // A bar without captions keeps its buttons to the images.
    if (HandleAllocated()) RecreateWnd();
}

void TToolBar::SetList(bool Value)
{
    if (FList == Value) return;
    FList = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TToolBar::SetWrapable(bool Value)
{
    if (FWrapable == Value) return;
    FWrapable = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TToolBar::SetTransparent(bool Value)
{
    if (FTransparent == Value) return;
    FTransparent = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TToolBar::SetButtonWidth(int Value)
{
    if (FButtonWidth == Value) return;
    FButtonWidth = Value;
    RecreateButtons();
}

void TToolBar::SetButtonHeight(int Value)
{
    if (FButtonHeight == Value) return;
    FButtonHeight = Value;
    RecreateButtons();
}

void TToolBar::SetIndent(int Value)
{
    if (FIndent == Value) return;
    FIndent = Value;
    if (HandleAllocated()) {
        SendMessageW(Handle(), TB_SETINDENT, static_cast<WPARAM>(Value), 0);
        UpdateButtonBounds();
    }
}

void TToolBar::SetEdgeBorders(TEdgeBorders Value)
{
    if (FEdgeBorders == Value) return;
    FEdgeBorders = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TToolBar::SetEdgeInner(TEdgeStyle Value)
{
    if (FEdgeInner == Value) return;
    FEdgeInner = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TToolBar::SetEdgeOuter(TEdgeStyle Value)
{
    if (FEdgeOuter == Value) return;
    FEdgeOuter = Value;
    if (HandleAllocated()) RecreateWnd();
}

int TToolBar::EdgeWidth() const
{
    return (FEdgeInner != esNone ? 1 : 0) + (FEdgeOuter != esNone ? 1 : 0);
}

void TToolBar::CreateParams(TCreateParams& Params)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, TOOLBARCLASSNAMEW);
    // The framework places the bar.
    Params.Style |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NORESIZE | CCS_NODIVIDER;
    if (FFlat) Params.Style |= TBSTYLE_FLAT;
    if (FList) Params.Style |= TBSTYLE_LIST;
    if (FWrapable) Params.Style |= TBSTYLE_WRAPABLE;
    if (FTransparent) Params.Style |= TBSTYLE_TRANSPARENT;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TToolBar::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    SendMessageW(wnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(wnd, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageW(wnd, TB_SETINDENT, static_cast<WPARAM>(FIndent), 0);
    if (!FShowCaptions) SendMessageW(wnd, TB_SETMAXTEXTROWS, 0, 0);
    UpdateImageLists();
    RecreateButtons();
}

void TToolBar::Loaded()
{
    TWinControl::Loaded();
    // Buttons read from a description go in the order of their places.
    std::stable_sort(FButtons.begin(), FButtons.end(), [](TToolButton* a, TToolButton* b) {
        return a->Top() != b->Top() ? a->Top() < b->Top() : a->Left() < b->Left();
    });
    RecreateButtons();
}

void TToolBar::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); break;
    case CN_NOTIFY: CNNotify(Message); break;
    case CN_DROPDOWNCLOSED: CNDropDownClosed(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TToolBar::CNCommand(TMessage& Message)
{
    int index = LOWORD(Message.WParam);
    Message.Result = 0;
    if (index < 0 || index >= ButtonCount()) return;
    TToolButton* button = FButtons[static_cast<size_t>(index)];
    if (button->FStyle == tbsCheck && HandleAllocated())
        for (size_t i = 0; i < FButtons.size(); ++i)
            if (FButtons[i]->FStyle == tbsCheck)
                FButtons[i]->FDown = SendMessageW(Handle(), TB_ISBUTTONCHECKED, i, 0) != 0;
    button->Click();
}

void TToolBar::CNNotify(TMessage& Message)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    switch (header->code) {
    case NM_CUSTOMDRAW:
        Message.Result = CustomDraw(reinterpret_cast<NMTBCUSTOMDRAW*>(Message.LParam));
        break;
    case TBN_DROPDOWN: {
        const NMTOOLBARW* info = reinterpret_cast<const NMTOOLBARW*>(Message.LParam);
        Message.Result = TBDDRET_DEFAULT;
        if (info->iItem < 0 || info->iItem >= ButtonCount()) break;
        TToolButton* button = FButtons[static_cast<size_t>(info->iItem)];
        if (button->FDropdownMenu != nullptr && PopupMenuHandler) {
            FDroppedButton = button;
            RECT r{0, 0, 0, 0};
            SendMessageW(Handle(), TB_GETITEMRECT, static_cast<WPARAM>(info->iItem), reinterpret_cast<LPARAM>(&r));
            TPoint pos = ClientToScreen(Point(r.left, r.bottom));
            PopupMenuHandler(button->FDropdownMenu, button, pos);
            PostMessageW(Handle(), CN_DROPDOWNCLOSED, 0, 0);
        } else
            button->Click();
        break;
    }
    default: TWinControl::Dispatch(Message); break;
    }
}

void TToolBar::CNDropDownClosed(TMessage& Message)
{
    FDroppedButton = nullptr;
    Message.Result = 0;
}

LRESULT TToolBar::CustomDraw(NMTBCUSTOMDRAW* Draw)
{
    NMCUSTOMDRAW& cd = Draw->nmcd;
    LRESULT result = CDRF_DODEFAULT;
    auto withCanvas = [&](auto&& Body) {
        int saved = SaveDC(cd.hdc);
        FCanvas->SetHandle(cd.hdc);
        FCanvas->Font()->Assign(Font());
        FCanvas->Brush()->SetColor(Color());
        try {
            Body();
        } catch (...) {
            FCanvas->SetHandle(nullptr);
            RestoreDC(cd.hdc, saved);
            throw;
        }
        FCanvas->SetHandle(nullptr);
        RestoreDC(cd.hdc, saved);
    };
    switch (cd.dwDrawStage) {
    case CDDS_PREPAINT: {
        if (OnAdvancedCustomDraw) {
            bool defaultDraw = true;
            TRect r = cd.rc;
            withCanvas([&] { OnAdvancedCustomDraw(this, r, cdPrePaint, defaultDraw); });
            if (!defaultDraw) return CDRF_SKIPDEFAULT;
        }
        if (OnAdvancedCustomDrawButton) result |= CDRF_NOTIFYITEMDRAW;
        if (OnAdvancedCustomDraw) result |= CDRF_NOTIFYPOSTPAINT;
        break;
    }
    case CDDS_POSTPAINT:
        if (OnAdvancedCustomDraw) {
            bool defaultDraw = true;
            TRect r = cd.rc;
            withCanvas([&] { OnAdvancedCustomDraw(this, r, cdPostPaint, defaultDraw); });
        }
        break;
    case CDDS_ITEMPREPAINT: {
        int index = static_cast<int>(cd.dwItemSpec);
        if (!OnAdvancedCustomDrawButton || index < 0 || index >= ButtonCount()) break;
        TToolButton* button = FButtons[static_cast<size_t>(index)];
        TCustomDrawState state = TCustomDrawState::FromBits(cd.uItemState & 0x1FFF);
        TTBCustomDrawFlags flags;
        bool defaultDraw = true;
        withCanvas([&] { OnAdvancedCustomDrawButton(this, button, state, cdPrePaint, flags, defaultDraw); });
        if (!defaultDraw) return CDRF_SKIPDEFAULT;
        if (flags.Contains(tbNoEdges)) result |= TBCDRF_NOEDGES;
        if (flags.Contains(tbHiliteHotTrack)) result |= TBCDRF_HILITEHOTTRACK;
        if (flags.Contains(tbNoOffset)) result |= TBCDRF_NOOFFSET;
        if (flags.Contains(tbNoMark)) result |= TBCDRF_NOMARK;
        if (flags.Contains(tbNoEtchedEffect)) result |= TBCDRF_NOETCHEDEFFECT;
        break;
    }
    default: break;
    }
    return result;
}

void TToolBar::WMSize(TMessage& Message)
{
    TWinControl::WMSize(Message);
    UpdateButtonBounds();
}

void TToolBar::WMNCCalcSize(TMessage& Message)
{
    TWinControl::WMNCCalcSize(Message);
    int e = EdgeWidth();
    if (e == 0) return;
    RECT* r = Message.WParam != 0 ? &reinterpret_cast<NCCALCSIZE_PARAMS*>(Message.LParam)->rgrc[0]
                                  : reinterpret_cast<RECT*>(Message.LParam);
    if (FEdgeBorders.Contains(ebLeft)) r->left += e;
    if (FEdgeBorders.Contains(ebTop)) r->top += e;
    if (FEdgeBorders.Contains(ebRight)) r->right -= e;
    if (FEdgeBorders.Contains(ebBottom)) r->bottom -= e;
}

void TToolBar::WMNCPaint(TMessage& Message)
{
    TWinControl::WMNCPaint(Message);
    if (EdgeWidth() == 0 || FEdgeBorders.Empty()) return;
    HWND wnd = Handle();
    HDC dc = GetWindowDC(wnd);
    RECT r;
    GetWindowRect(wnd, &r);
    OffsetRect(&r, -r.left, -r.top);
    UINT edge = 0;
    if (FEdgeOuter == esRaised) edge |= BDR_RAISEDOUTER;
    if (FEdgeOuter == esLowered) edge |= BDR_SUNKENOUTER;
    if (FEdgeInner == esRaised) edge |= BDR_RAISEDINNER;
    if (FEdgeInner == esLowered) edge |= BDR_SUNKENINNER;
    UINT sides = 0;
    if (FEdgeBorders.Contains(ebLeft)) sides |= BF_LEFT;
    if (FEdgeBorders.Contains(ebTop)) sides |= BF_TOP;
    if (FEdgeBorders.Contains(ebRight)) sides |= BF_RIGHT;
    if (FEdgeBorders.Contains(ebBottom)) sides |= BF_BOTTOM;
    DrawEdge(dc, &r, edge, sides);
    ReleaseDC(wnd, dc);
}

// ---- TTrackBar ---------------------------------------------------------------------------

TTrackBar::TTrackBar(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks, csCaptureMouse});
    SetBounds(0, 0, 150, 45);
    SetTabStop(true);
}

int TTrackBar::Position() const
{
    if (FHandle != nullptr) return static_cast<int>(SendMessageW(FHandle, TBM_GETPOS, 0, 0));
    return FPosition;
}

void TTrackBar::SetPosition(int Value)
{
    if (HandleAllocated()) {
        SendMessageW(Handle(), TBM_SETPOS, TRUE, Value);
        FPosition = static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
    } else
        FPosition = std::clamp(Value, FMin, std::max(FMin, FMax));
}

void TTrackBar::SetMin(int Value)
{
    if (Value > FMax && !ComponentState().Contains(csLoading)) return;
    FMin = Value;
    if (HandleAllocated()) {
        SendMessageW(Handle(), TBM_SETRANGEMIN, TRUE, Value);
        FPosition = Position();
    } else if (FPosition < FMin)
        FPosition = FMin;
}

void TTrackBar::SetMax(int Value)
{
    if (Value < FMin && !ComponentState().Contains(csLoading)) return;
    FMax = Value;
    if (HandleAllocated()) {
        SendMessageW(Handle(), TBM_SETRANGEMAX, TRUE, Value);
        FPosition = Position();
    } else if (FPosition > FMax)
        FPosition = FMax;
}

void TTrackBar::SetFrequency(int Value)
{
    if (FFrequency == Value) return;
    FFrequency = Value;
    if (HandleAllocated() && FTickStyle == tsAuto) SendMessageW(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(Value), 0);
}

void TTrackBar::SetLineSize(int Value)
{
    FLineSize = Value;
    if (HandleAllocated()) SendMessageW(Handle(), TBM_SETLINESIZE, 0, Value);
}

void TTrackBar::SetPageSize(int Value)
{
    FPageSize = Value;
    if (HandleAllocated()) SendMessageW(Handle(), TBM_SETPAGESIZE, 0, Value);
}

void TTrackBar::SetOrientation(TTrackBarOrientation Value)
{
    if (FOrientation == Value) return;
    FOrientation = Value;
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    if (HandleAllocated()) RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark Value)
{
    if (FTickMarks == Value) return;
    FTickMarks = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle Value)
{
    if (FTickStyle == Value) return;
    FTickStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TTrackBar::SetSelStart(int Value)
{
    FSelStart = Value;
    UpdateSelection();
}

void TTrackBar::SetSelEnd(int Value)
{
    FSelEnd = Value;
    UpdateSelection();
}

void TTrackBar::UpdateSelection()
{
    if (!HandleAllocated()) return;
    if (FSelStart == 0 && FSelEnd == 0)
        SendMessageW(Handle(), TBM_CLEARSEL, TRUE, 0);
    else
        SendMessageW(Handle(), TBM_SETSEL, TRUE, MAKELPARAM(FSelStart, FSelEnd));
}

void TTrackBar::SetSliderVisible(bool Value)
{
    if (FSliderVisible == Value) return;
    FSliderVisible = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TTrackBar::SetThumbLength(int Value)
{
    if (FThumbLength == Value) return;
    FThumbLength = Value;
    if (HandleAllocated()) SendMessageW(Handle(), TBM_SETTHUMBLENGTH, static_cast<WPARAM>(Value), 0);
}

void TTrackBar::SetTick(int Value)
{
    if (HandleAllocated()) SendMessageW(Handle(), TBM_SETTIC, 0, Value);
}

void TTrackBar::CreateParams(TCreateParams& Params)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, TRACKBAR_CLASSW);
    Params.Style |= TBS_ENABLESELRANGE | TBS_FIXEDLENGTH;
    if (FOrientation == trVertical) Params.Style |= TBS_VERT;
    if (FTickMarks == tmBoth)
        Params.Style |= TBS_BOTH;
    else if (FTickMarks == tmTopLeft)
        Params.Style |= TBS_TOP;
    if (FTickStyle == tsNone)
        Params.Style |= TBS_NOTICKS;
    else if (FTickStyle == tsAuto)
        Params.Style |= TBS_AUTOTICKS;
    if (!FSliderVisible) Params.Style |= TBS_NOTHUMB;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
}

void TTrackBar::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    SendMessageW(wnd, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(FThumbLength), 0);
    SendMessageW(wnd, TBM_SETRANGEMIN, FALSE, FMin);
    SendMessageW(wnd, TBM_SETRANGEMAX, FALSE, FMax);
    SendMessageW(wnd, TBM_SETLINESIZE, 0, FLineSize);
    SendMessageW(wnd, TBM_SETPAGESIZE, 0, FPageSize);
    if (FTickStyle == tsAuto) SendMessageW(wnd, TBM_SETTICFREQ, static_cast<WPARAM>(FFrequency), 0);
    SendMessageW(wnd, TBM_SETPOS, TRUE, FPosition);
    UpdateSelection();
}

void TTrackBar::DestroyWnd()
{
    if (HandleAllocated()) FPosition = static_cast<int>(SendMessageW(Handle(), TBM_GETPOS, 0, 0));
    TWinControl::DestroyWnd();
}

void TTrackBar::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL) {
        FPosition = Position();
        Changed();
        Message.Result = 0;
    } else
        TWinControl::Dispatch(Message);
}

void TTrackBar::Changed()
{
    if (OnChange) OnChange(this);
}

// ---- TScrollBar --------------------------------------------------------------------------

TScrollBar::TScrollBar(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(TControlStyle{csFramed, csDoubleClicks, csOpaque});
    SetBounds(0, 0, 121, GetSystemMetrics(SM_CYHSCROLL));
    SetTabStop(true);
}

void TScrollBar::SetKind(TScrollBarKind Value)
{
    if (FKind == Value) return;
    FKind = Value;
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    if (HandleAllocated()) RecreateWnd();
}

int TScrollBar::MaxPosition() const
{
    return FPageSize > 0 ? std::max(FMin, FMax - FPageSize + 1) : FMax;
}

void TScrollBar::SetPageSize(int Value)
{
    if (FPageSize == Value) return;
    if (Value < 0 || Value > FMax - FMin + 1) throw EScrollBarError(L"Scroll bar property out of range");
    FPageSize = Value;
    if (FPosition > MaxPosition()) {
        FPosition = MaxPosition();
        UpdateScrollInfo();
        Change();
    } else
        UpdateScrollInfo();
}

void TScrollBar::SetParams(int APosition, int AMin, int AMax)
{
    if (AMax < AMin || FPageSize > AMax - AMin + 1) throw EScrollBarError(L"Scroll bar property out of range");
    FMin = AMin;
    FMax = AMax;
    APosition = std::clamp(APosition, FMin, MaxPosition());
    bool changed = APosition != FPosition;
    FPosition = APosition;
    UpdateScrollInfo();
    if (changed) Change();
}

void TScrollBar::UpdateScrollInfo()
{
    if (!HandleAllocated()) return;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, FMin, FMax, static_cast<UINT>(FPageSize), FPosition, 0};
    SetScrollInfo(Handle(), SB_CTL, &info, TRUE);
}

void TScrollBar::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"SCROLLBAR");
    Params.Style |= FKind == sbVertical ? SBS_VERT : SBS_HORZ;
}

void TScrollBar::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateScrollInfo();
    EnableWindow(Handle(), Enabled() ? TRUE : FALSE);
}

void TScrollBar::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_HSCROLL || Message.Msg == CN_VSCROLL)
        DoScroll(Message);
    else
        TWinControl::Dispatch(Message);
}

void TScrollBar::DoScroll(TMessage& Message)
{
    int code = LOWORD(Message.WParam);
    int pos = FPosition;
    switch (code) {
    case SB_LINEUP: pos -= FSmallChange; break;
    case SB_LINEDOWN: pos += FSmallChange; break;
    case SB_PAGEUP: pos -= FLargeChange; break;
    case SB_PAGEDOWN: pos += FLargeChange; break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        SCROLLINFO info{sizeof(SCROLLINFO), SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(Handle(), SB_CTL, &info);
        pos = info.nTrackPos;
        break;
    }
    case SB_TOP: pos = FMin; break;
    case SB_BOTTOM: pos = FMax; break;
    default: break;
    }
    pos = std::clamp(pos, FMin, MaxPosition());
    Scroll(code <= SB_ENDSCROLL ? static_cast<TScrollCode>(code) : scEndScroll, pos);
    SetPosition(pos);
    Message.Result = 0;
}

void TScrollBar::Change()
{
    if (OnChange) OnChange(this);
}

void TScrollBar::Scroll(TScrollCode ScrollCode, int& ScrollPos)
{
    if (OnScroll) OnScroll(this, ScrollCode, ScrollPos);
}

// ---- TUpDown -----------------------------------------------------------------------------

TUpDown::TUpDown(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() - TControlStyle{csDoubleClicks, csCaptureMouse, csSetCaption});
    int w = GetSystemMetrics(SM_CXVSCROLL), h = GetSystemMetrics(SM_CYVSCROLL);
    SetBounds(0, 0, w, h + h / 2);
}

int TUpDown::Position() const
{
    if (FHandle != nullptr) return static_cast<int>(SendMessageW(FHandle, UDM_GETPOS32, 0, 0));
    return FPosition;
}

void TUpDown::SetPosition(int Value)
{
    FPosition = Value;
    if (HandleAllocated()) {
        SendMessageW(Handle(), UDM_SETPOS32, 0, Value);
        FPosition = Position();
    } else if (FMin <= FMax)
        FPosition = std::clamp(Value, FMin, FMax);
}

void TUpDown::SetMin(int Value)
{
    if (FMin == Value) return;
    FMin = Value;
    if (HandleAllocated()) SendMessageW(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TUpDown::SetMax(int Value)
{
    if (FMax == Value) return;
    FMax = Value;
    if (HandleAllocated()) SendMessageW(Handle(), UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
}

void TUpDown::SetIncrement(int Value)
{
    if (FIncrement == Value) return;
    FIncrement = Value;
    if (HandleAllocated()) {
        UDACCEL accel{0, static_cast<UINT>(Value)};
        SendMessageW(Handle(), UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    }
}

void TUpDown::SetAssociate(TWinControl* Value)
{
    if (Value == this) Value = nullptr;
    if (!ChangeReference(this, FAssociate, Value)) return;
    if (HandleAllocated()) {
        SendMessageW(Handle(), UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate != nullptr ? FAssociate->Handle() : nullptr), 0);
        // The buddy shows the position at once.
        SendMessageW(Handle(), UDM_SETPOS32, 0, Position());
    }
}

void TUpDown::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAssociate) {
        FAssociate = nullptr;
        if (HandleAllocated() && !ComponentState().Contains(csDestroying)) SendMessageW(Handle(), UDM_SETBUDDY, 0, 0);
    }
}

void TUpDown::StyleChanged()
{
    if (HandleAllocated()) RecreateWnd();
}

void TUpDown::SetAlignButton(TUDAlignButton Value)
{
    if (FAlignButton == Value) return;
    FAlignButton = Value;
    StyleChanged();
}

void TUpDown::SetArrowKeys(bool Value)
{
    if (FArrowKeys == Value) return;
    FArrowKeys = Value;
    StyleChanged();
}

void TUpDown::SetThousands(bool Value)
{
    if (FThousands == Value) return;
    FThousands = Value;
    StyleChanged();
}

void TUpDown::SetOrientation(TUDOrientation Value)
{
    if (FOrientation == Value) return;
    FOrientation = Value;
    if (!ComponentState().Contains(csLoading)) SetBounds(Left(), Top(), Height(), Width());
    StyleChanged();
}

void TUpDown::SetWrap(bool Value)
{
    if (FWrap == Value) return;
    FWrap = Value;
    StyleChanged();
}

void TUpDown::CreateParams(TCreateParams& Params)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, UPDOWN_CLASSW);
    Params.Style |= UDS_SETBUDDYINT;
    if (FAssociate != nullptr) Params.Style |= FAlignButton == udLeft ? UDS_ALIGNLEFT : UDS_ALIGNRIGHT;
    if (FArrowKeys) Params.Style |= UDS_ARROWKEYS;
    if (!FThousands) Params.Style |= UDS_NOTHOUSANDS;
    if (FOrientation == udHorizontal) Params.Style |= UDS_HORZ;
    if (FWrap) Params.Style |= UDS_WRAP;
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS);
}

void TUpDown::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    SendMessageW(wnd, UDM_SETRANGE32, static_cast<WPARAM>(FMin), FMax);
    UDACCEL accel{0, static_cast<UINT>(FIncrement)};
    SendMessageW(wnd, UDM_SETACCEL, 1, reinterpret_cast<LPARAM>(&accel));
    if (FAssociate != nullptr) SendMessageW(wnd, UDM_SETBUDDY, reinterpret_cast<WPARAM>(FAssociate->Handle()), 0);
    SendMessageW(wnd, UDM_SETPOS32, 0, FPosition);
}

void TUpDown::DestroyWnd()
{
    if (HandleAllocated()) FPosition = Position();
    TWinControl::DestroyWnd();
}

bool TUpDown::CanChange(int NewValue, int Delta)
{
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    if (OnChangingEx) OnChangingEx(this, allow, NewValue, Delta > 0 ? updUp : Delta < 0 ? updDown : updNone);
    return allow;
}

void TUpDown::Click(TUDBtnType Button)
{
    if (OnClick) OnClick(this, Button);
}

void TUpDown::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: {
        const NMHDR* header = reinterpret_cast<const NMHDR*>(Message.LParam);
        if (header->code == UDN_DELTAPOS) {
            const NMUPDOWN* info = reinterpret_cast<const NMUPDOWN*>(Message.LParam);
            bool allow = CanChange(info->iPos + info->iDelta, info->iDelta);
            FLastDelta = allow ? info->iDelta : 0;
            Message.Result = allow ? 0 : 1;
        } else
            TWinControl::Dispatch(Message);
        break;
    }
    case CN_HSCROLL:
    case CN_VSCROLL:
        if (LOWORD(Message.WParam) == SB_THUMBPOSITION) {
            int pos = Position();
            if (pos != FPosition) {
                // The delta tells the button even when the position wrapped around.
                TUDBtnType button = FLastDelta != 0 ? (FLastDelta > 0 ? btNext : btPrev) : (pos > FPosition ? btNext : btPrev);
                FPosition = pos;
                FLastDelta = 0;
                Click(button);
            }
        }
        Message.Result = 0;
        break;
    default: TWinControl::Dispatch(Message); break;
    }
}
