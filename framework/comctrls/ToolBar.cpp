#include "framework/comctrls/ToolBar.h"

#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/graphics/DrawingGuards.h"

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

void TToolButton::SetDropdownMenuLink(TPopupMenu* Menu, TComponent* AsComponent)
{
    if (FDropdownMenuComponent == AsComponent) return;
    if (FDropdownMenuComponent != nullptr) RemoveFreeNotification(FDropdownMenuComponent);
    FDropdownMenu = Menu;
    FDropdownMenuComponent = AsComponent;
    if (FDropdownMenuComponent != nullptr) FreeNotification(FDropdownMenuComponent);
}

void TToolButton::Notification(TComponent* AComponent, TOperation Operation)
{
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == opRemove && FDropdownMenuComponent != nullptr && AComponent == FDropdownMenuComponent) {
        FDropdownMenu = nullptr;
        FDropdownMenuComponent = nullptr;
    }
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
        TSavedDC saved(cd.hdc);
        TCanvasHandleGuard<TCanvas> lent(*FCanvas, cd.hdc);
        FCanvas->Font()->Assign(Font());
        FCanvas->Brush()->SetColor(Color());
        Body();
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
