#include "framework/comctrls/TabControl.h"

#include <commctrl.h>
#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

// ---- TTabStrings -------------------------------------------------------------------------

void TTabStrings::CheckIndex(int Index, int Limit) const
{
    if (Index < 0 || Index > Limit) IndexError(Index);
}

String TTabStrings::Get(int Index) const
{
    CheckIndex(Index, GetCount() - 1);
    return FItems[static_cast<size_t>(Index)].Text;
}

TObject* TTabStrings::GetObjectAt(int Index) const
{
    CheckIndex(Index, GetCount() - 1);
    return FItems[static_cast<size_t>(Index)].Object;
}

void TTabStrings::UpdateItem(int Index)
{
    if (!FControl->HandleAllocated()) return;
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    String text = FItems[static_cast<size_t>(Index)].Text;
    item.pszText = text.data();
    item.iImage = FControl->GetImageIndex(Index);
    SendMessageW(FControl->Handle(), TCM_SETITEMW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item));
}

void TTabStrings::Put(int Index, const String& S)
{
    CheckIndex(Index, GetCount() - 1);
    FItems[static_cast<size_t>(Index)].Text = S;
    UpdateItem(Index);
    FControl->TabsChanged();
}

void TTabStrings::PutObjectAt(int Index, TObject* AObject)
{
    CheckIndex(Index, GetCount() - 1);
    FItems[static_cast<size_t>(Index)].Object = AObject;
}

void TTabStrings::InsertObject(int Index, const String& S, TObject* AObject)
{
    CheckIndex(Index, GetCount());
    FItems.insert(FItems.begin() + Index, TItem{S, AObject});
    if (FControl->HandleAllocated()) {
        HWND wnd = FControl->Handle();
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        String text = S;
        item.pszText = text.data();
        item.iImage = FControl->GetImageIndex(Index);
        if (SendMessageW(wnd, TCM_INSERTITEMW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&item)) < 0)
            throw EOutOfResources(L"Failed to insert tab " + S);
        // The first tab of an empty control is the selected one.
        if (GetCount() == 1 && SendMessageW(wnd, TCM_GETCURSEL, 0, 0) < 0) SendMessageW(wnd, TCM_SETCURSEL, 0, 0);
        FControl->FTabIndex = static_cast<int>(SendMessageW(wnd, TCM_GETCURSEL, 0, 0));
    } else if (GetCount() == 1)
        FControl->FTabIndex = 0;
    else if (FControl->FTabIndex >= Index)
        ++FControl->FTabIndex;
    FControl->TabsChanged();
}

void TTabStrings::Delete(int Index)
{
    CheckIndex(Index, GetCount() - 1);
    int selected = FControl->TabIndex();
    FItems.erase(FItems.begin() + Index);
    int newSelected = selected == Index ? -1 : (selected > Index ? selected - 1 : selected);
    if (FControl->HandleAllocated()) {
        HWND wnd = FControl->Handle();
        SendMessageW(wnd, TCM_DELETEITEM, static_cast<WPARAM>(Index), 0);
        SendMessageW(wnd, TCM_SETCURSEL, static_cast<WPARAM>(newSelected), 0);
    }
    FControl->FTabIndex = newSelected;
    FControl->TabsChanged();
}

void TTabStrings::Clear()
{
    FItems.clear();
    if (FControl->HandleAllocated()) SendMessageW(FControl->Handle(), TCM_DELETEALLITEMS, 0, 0);
    FControl->FTabIndex = -1;
    FControl->TabsChanged();
}

void TTabStrings::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    CheckIndex(CurIndex, GetCount() - 1);
    CheckIndex(NewIndex, GetCount() - 1);
    bool wasSelected = FControl->TabIndex() == CurIndex;
    TItem item = FItems[static_cast<size_t>(CurIndex)];
    Delete(CurIndex);
    InsertObject(NewIndex, item.Text, item.Object);
    if (wasSelected) FControl->SetTabIndex(NewIndex);
}

void TTabStrings::Restore()
{
    HWND wnd = FControl->Handle();
    SendMessageW(wnd, TCM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < FItems.size(); ++i) {
        TCITEMW item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        String text = FItems[i].Text;
        item.pszText = text.data();
        item.iImage = FControl->GetImageIndex(static_cast<int>(i));
        SendMessageW(wnd, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
    }
}

// ---- TCustomTabControl -------------------------------------------------------------------

TCustomTabControl::TCustomTabControl(TComponent* AOwner)
    : TWinControl(AOwner), FTabs(std::make_unique<TTabStrings>(this)), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
    SetControlStyle(TControlStyle{csDoubleClicks, csOpaque, csPannable});
    SetBounds(0, 0, 289, 193);
    SetTabStop(true);
    SetColor(clBtnFace);
    SetParentColor(false);
}

TCustomTabControl::~TCustomTabControl() = default;

int TCustomTabControl::TabIndex() const
{
    if (FHandle != nullptr) return static_cast<int>(SendMessageW(FHandle, TCM_GETCURSEL, 0, 0));
    return FTabIndex;
}

void TCustomTabControl::SetTabIndex(int Value)
{
    if (Value < -1 || Value >= FTabs->Count()) Value = -1;
    FTabIndex = Value;
    if (HandleAllocated()) SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TCustomTabControl::SetImages(TCustomImageList* Value)
{
    if (ChangeReference(this, FImages, Value)) UpdateImages();
}

void TCustomTabControl::UpdateImages()
{
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages != nullptr ? FImages->Handle() : nullptr));
    for (int i = 0; i < FTabs->Count(); ++i) FTabs->UpdateItem(i);
    TabsChanged();
}

void TCustomTabControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        if (HandleAllocated() && !ComponentState().Contains(csDestroying))
            SendMessageW(Handle(), TCM_SETIMAGELIST, 0, 0);
    }
}

void TCustomTabControl::StyleChanged()
{
    if (HandleAllocated()) RecreateWnd();
    TabsChanged();
}

void TCustomTabControl::SetHotTrack(bool Value)
{
    if (FHotTrack == Value) return;
    FHotTrack = Value;
    StyleChanged();
}

void TCustomTabControl::SetMultiLine(bool Value)
{
    if (FMultiLine == Value) return;
    FMultiLine = Value;
    // Tabs at the sides only come in rows.
    if (!Value && (FTabPosition == tpLeft || FTabPosition == tpRight)) FTabPosition = tpTop;
    StyleChanged();
}

void TCustomTabControl::SetOwnerDraw(bool Value)
{
    if (FOwnerDraw == Value) return;
    FOwnerDraw = Value;
    StyleChanged();
}

void TCustomTabControl::SetRaggedRight(bool Value)
{
    if (FRaggedRight == Value) return;
    FRaggedRight = Value;
    StyleChanged();
}

void TCustomTabControl::SetScrollOpposite(bool Value)
{
    if (FScrollOpposite == Value) return;
    FScrollOpposite = Value;
    if (Value) FMultiLine = true;
    StyleChanged();
}

void TCustomTabControl::SetStyle(TTabStyle Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    StyleChanged();
}

void TCustomTabControl::SetTabPosition(TTabPosition Value)
{
    if (FTabPosition == Value) return;
    FTabPosition = Value;
    if (Value == tpLeft || Value == tpRight) FMultiLine = true;
    StyleChanged();
}

void TCustomTabControl::SetTabHeight(int Value)
{
    if (Value < 0) Value = 0;
    if (FTabHeight == Value) return;
    FTabHeight = Value;
    UpdateTabSize();
}

void TCustomTabControl::SetTabWidth(int Value)
{
    if (Value < 0) Value = 0;
    if (FTabWidth == Value) return;
    bool fixedChanged = (FTabWidth == 0) != (Value == 0);
    FTabWidth = Value;
    // A fixed width needs the fixed-width style.
    if (fixedChanged)
        StyleChanged();
    else
        UpdateTabSize();
}

void TCustomTabControl::UpdateTabSize()
{
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TCM_SETITEMSIZE, 0, MAKELPARAM(FTabWidth, FTabHeight));
    TabsChanged();
}

TRect TCustomTabControl::DisplayRect()
{
    TRect r = ClientRect();
    if (HandleAllocated()) {
        SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
        if (FTabPosition == tpTop) r.top += 2;
    }
    return r;
}

TRect TCustomTabControl::TabRect(int Index)
{
    TRect r{0, 0, 0, 0};
    if (HandleAllocated()) SendMessageW(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
    return r;
}

int TCustomTabControl::RowCount()
{
    if (!HandleAllocated()) return FTabs->Count() > 0 ? 1 : 0;
    return static_cast<int>(SendMessageW(Handle(), TCM_GETROWCOUNT, 0, 0));
}

int TCustomTabControl::IndexOfTabAt(int X, int Y)
{
    if (!HandleAllocated()) return -1;
    TCHITTESTINFO info{};
    info.pt = Point(X, Y);
    return static_cast<int>(SendMessageW(Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
}

void TCustomTabControl::CreateParams(TCreateParams& Params)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TABCONTROLW);
    Params.Style |= WS_CLIPCHILDREN;
    if (FMultiLine) Params.Style |= TCS_MULTILINE;
    if (FHotTrack) Params.Style |= TCS_HOTTRACK;
    if (FOwnerDraw) Params.Style |= TCS_OWNERDRAWFIXED;
    if (FRaggedRight) Params.Style |= TCS_RAGGEDRIGHT;
    if (FScrollOpposite) Params.Style |= TCS_SCROLLOPPOSITE;
    if (FTabWidth > 0) Params.Style |= TCS_FIXEDWIDTH;
    switch (FStyle) {
    case tsButtons: Params.Style |= TCS_BUTTONS; break;
    case tsFlatButtons: Params.Style |= TCS_BUTTONS | TCS_FLATBUTTONS; break;
    default: break;
    }
    switch (FTabPosition) {
    case tpBottom: Params.Style |= TCS_BOTTOM; break;
    case tpLeft: Params.Style |= TCS_VERTICAL; break;
    case tpRight: Params.Style |= TCS_VERTICAL | TCS_RIGHT; break;
    default: break;
    }
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomTabControl::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    if (FImages != nullptr) SendMessageW(wnd, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(FImages->Handle()));
    if (FTabWidth > 0 || FTabHeight > 0) SendMessageW(wnd, TCM_SETITEMSIZE, 0, MAKELPARAM(FTabWidth, FTabHeight));
    FTabs->Restore();
    SendMessageW(wnd, TCM_SETCURSEL, static_cast<WPARAM>(FTabIndex < FTabs->Count() ? FTabIndex : -1), 0);
    Realign();
}

void TCustomTabControl::DestroyWnd()
{
    if (HandleAllocated()) FTabIndex = static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
    TWinControl::DestroyWnd();
}

void TCustomTabControl::AdjustClientRect(TRect& Rect)
{
    Rect = DisplayRect();
    TWinControl::AdjustClientRect(Rect);
}

void TCustomTabControl::TabsChanged()
{
    if (!ComponentState().Contains(csLoading) && HandleAllocated()) Realign();
}

bool TCustomTabControl::CanChange()
{
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::Change()
{
    if (OnChange) OnChange(this);
}

int TCustomTabControl::GetImageIndex(int TabIndex)
{
    int result = TabIndex;
    if (OnGetImageIndex) OnGetImageIndex(this, TabIndex, result);
    return result;
}

void TCustomTabControl::DrawTab(int TabIndex, const TRect& Rect, bool Active)
{
    if (OnDrawTab)
        OnDrawTab(this, TabIndex, Rect, Active);
    else
        FCanvas->FillRect(Rect);
}

void TCustomTabControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    case CN_DRAWITEM: CNDrawItem(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomTabControl::CNNotify(TMessage& Message)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    switch (header->code) {
    case TCN_SELCHANGING:
        Message.Result = CanChange() ? 0 : 1;
        break;
    case TCN_SELCHANGE:
        FTabIndex = TabIndex();
        Change();
        break;
    default:
        TWinControl::Dispatch(Message);
        break;
    }
}

void TCustomTabControl::CNDrawItem(TMessage& Message)
{
    const DRAWITEMSTRUCT* item = reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam);
    DrawOnLentDC(FCanvas.get(), item->hDC, [&] {
        FCanvas->Font()->Assign(Font());
        FCanvas->Brush()->Assign(Brush());
        DrawTab(static_cast<int>(item->itemID), item->rcItem, (item->itemState & ODS_SELECTED) != 0);
    });
    Message.Result = 1;
}

void TCustomTabControl::WMSize(TMessage& Message)
{
    TWinControl::WMSize(Message);
    // Rows of tabs follow the width, and the display area with them.
    Realign();
}

void TCustomTabControl::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    TabsChanged();
}
