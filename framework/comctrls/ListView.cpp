#include "framework/comctrls/ListView.h"

#include <algorithm>

#include "framework/comctrls/ItemViews.h"

namespace {

// The list view's column format of an alignment.
int ColumnFormat(TAlignment Alignment)
{
    switch (Alignment) {
    case taRightJustify: return LVCFMT_RIGHT;
    case taCenter: return LVCFMT_CENTER;
    default: return LVCFMT_LEFT;
    }
}

// The state image of a list view item's check box, and back.
UINT CheckStateImage(bool Checked)
{
    return INDEXTOSTATEIMAGEMASK(Checked ? 2 : 1);
}

bool IsCheckedState(UINT State)
{
    return ((State & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

} // namespace

// ---- TListColumn -------------------------------------------------------------------------

TCustomListView* TListColumn::ListView() const
{
    auto* columns = static_cast<TListColumns*>(Collection());
    return columns != nullptr ? columns->ListView() : nullptr;
}

void TListColumn::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TListColumn*>(Source);
    if (other == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    FCaption = other->FCaption;
    FWidth = other->Width();
    FAlignment = other->FAlignment;
    FImageIndex = other->FImageIndex;
    FMinWidth = other->FMinWidth;
    FMaxWidth = other->FMaxWidth;
    Changed(false);
}

String TListColumn::DisplayName() const
{
    return FCaption.empty() ? TCollectionItem::DisplayName() : FCaption;
}

void TListColumn::SetCaption(const String& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    Changed(false);
}

int TListColumn::Width() const
{
    TCustomListView* view = ListView();
    if (view != nullptr && view->HandleAllocated() && view->FViewStyle == vsReport) {
        int width = static_cast<int>(SendMessageW(view->Handle(), LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(Index()), 0));
        if (width > 0) return width;
    }
    return FWidth;
}

void TListColumn::SetWidth(int Value)
{
    if (FMinWidth > 0 && Value < FMinWidth) Value = FMinWidth;
    if (FMaxWidth > 0 && Value > FMaxWidth) Value = FMaxWidth;
    FWidth = Value;
    Changed(false);
}

void TListColumn::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    Changed(false);
}

void TListColumn::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    Changed(false);
}

// ---- TListColumns ------------------------------------------------------------------------

TListColumns::TListColumns(TCustomListView* ListView) : TCollection(ItemClassOf<TListColumn>()), FListView(ListView)
{
}

TPersistent* TListColumns::GetOwner()
{
    return FListView;
}

void TListColumns::Update(TCollectionItem* Item)
{
    if (Item != nullptr)
        FListView->UpdateColumn(Item->Index());
    else
        FListView->UpdateColumns();
    TCollection::Update(Item);
}

// ---- TListItem ---------------------------------------------------------------------------

void TSubItems::Changed()
{
    TStringList::Changed();
    FOwner->SubItemsChanged();
}

TListItem::TListItem(TListItems* Owner) : FOwner(Owner), FSubItems(std::make_unique<TSubItems>(this))
{
}

TListItem::~TListItem() = default;

TPersistent* TListItem::GetOwner()
{
    return FOwner;
}

TCustomListView* TListItem::ListView() const
{
    return FOwner->FOwner;
}

int TListItem::Index() const
{
    return FOwner->IndexOf(this);
}

void TListItem::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TListItem*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    SetCaption(other->FCaption);
    SetImageIndex(other->FImageIndex);
    FData = other->FData;
    FSubItems->Assign(other->FSubItems.get());
    SetChecked(other->Checked());
}

bool TListItem::State(UINT Mask) const
{
    TCustomListView* view = ListView();
    return (SendMessageW(view->Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), Mask) & Mask) != 0;
}

void TListItem::SetState(UINT Mask, UINT Value)
{
    LVITEMW item{};
    item.stateMask = Mask;
    item.state = Value;
    SendMessageW(ListView()->Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
}

void TListItem::SetCaption(const String& Value)
{
    FCaption = Value;
    TCustomListView* view = ListView();
    if (!view->HandleAllocated()) return;
    LVITEMW item{};
    item.iSubItem = 0;
    item.pszText = FCaption.data();
    SendMessageW(view->Handle(), LVM_SETITEMTEXTW, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&item));
}

void TListItem::SetImageIndex(int Value)
{
    FImageIndex = Value;
    TCustomListView* view = ListView();
    if (!view->HandleAllocated()) return;
    LVITEMW item{};
    item.mask = LVIF_IMAGE;
    item.iItem = Index();
    item.iImage = Value;
    SendMessageW(view->Handle(), LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

bool TListItem::Selected() const
{
    return ListView()->HandleAllocated() ? State(LVIS_SELECTED) : FSelected;
}

void TListItem::SetSelected(bool Value)
{
    FSelected = Value;
    if (ListView()->HandleAllocated()) SetState(LVIS_SELECTED, Value ? LVIS_SELECTED : 0);
}

bool TListItem::Checked() const
{
    TCustomListView* view = ListView();
    if (!view->HandleAllocated() || !view->FCheckboxes) return FChecked;
    LRESULT state = SendMessageW(view->Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(Index()), LVIS_STATEIMAGEMASK);
    return IsCheckedState(static_cast<UINT>(state));
}

void TListItem::SetChecked(bool Value)
{
    FChecked = Value;
    TCustomListView* view = ListView();
    if (view->HandleAllocated() && view->FCheckboxes) SetState(LVIS_STATEIMAGEMASK, CheckStateImage(Value));
}

bool TListItem::Focused() const
{
    return ListView()->HandleAllocated() ? State(LVIS_FOCUSED) : FFocused;
}

void TListItem::SetFocused(bool Value)
{
    FFocused = Value;
    if (ListView()->HandleAllocated()) SetState(LVIS_FOCUSED, Value ? LVIS_FOCUSED : 0);
}

TRect TListItem::DisplayRect() const
{
    TRect r{LVIR_BOUNDS, 0, 0, 0};
    TCustomListView* view = ListView();
    if (!view->HandleAllocated()) return TRect{0, 0, 0, 0};
    if (SendMessageW(view->Handle(), LVM_GETITEMRECT, static_cast<WPARAM>(Index()), reinterpret_cast<LPARAM>(&r)) == 0)
        return TRect{0, 0, 0, 0};
    return r;
}

void TListItem::MakeVisible(bool PartialOK)
{
    TCustomListView* view = ListView();
    if (view->HandleAllocated()) SendMessageW(view->Handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(Index()), PartialOK ? TRUE : FALSE);
}

void TListItem::Delete()
{
    FOwner->Delete(Index());
}

void TListItem::SubItemsChanged()
{
    TCustomListView* view = ListView();
    if (view == nullptr || !view->HandleAllocated()) return;
    int index = Index();
    if (index < 0) return;
    int count = FSubItems->Count();
    for (int i = 0; i < std::max(count, FShownSubItems); ++i) {
        String text = i < count ? FSubItems->Strings(i) : String();
        LVITEMW item{};
        item.iSubItem = i + 1;
        item.pszText = text.data();
        SendMessageW(view->Handle(), LVM_SETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    FShownSubItems = count;
}

// ---- TListItems --------------------------------------------------------------------------

TListItems::~TListItems() = default;

TPersistent* TListItems::GetOwner()
{
    return FOwner;
}

TListItem* TListItems::Item(int Index) const
{
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    return FItems[static_cast<size_t>(Index)].get();
}

int TListItems::IndexOf(const TListItem* Value) const
{
    for (size_t i = 0; i < FItems.size(); ++i)
        if (FItems[i].get() == Value) return static_cast<int>(i);
    return -1;
}

TListItem* TListItems::Insert(int Index)
{
    if (Index < 0 || Index > Count()) ListIndexError(Index);
    FItems.insert(FItems.begin() + Index, std::make_unique<TListItem>(this));
    TListItem* item = FItems[static_cast<size_t>(Index)].get();
    if (FOwner->HandleAllocated()) FOwner->InsertWindowItem(item, Index);
    return item;
}

void TListItems::Delete(int Index)
{
    TListItem* item = Item(Index);
    if (FOwner->OnDeletion) FOwner->OnDeletion(FOwner, item);
    if (FOwner->HandleAllocated()) {
        ++FOwner->FChanging;
        SendMessageW(FOwner->Handle(), LVM_DELETEITEM, static_cast<WPARAM>(Index), 0);
        --FOwner->FChanging;
    }
    FItems.erase(FItems.begin() + Index);
}

void TListItems::Clear()
{
    if (FOwner->OnDeletion)
        for (auto& item : FItems) FOwner->OnDeletion(FOwner, item.get());
    if (FOwner->HandleAllocated()) {
        ++FOwner->FChanging;
        SendMessageW(FOwner->Handle(), LVM_DELETEALLITEMS, 0, 0);
        --FOwner->FChanging;
    }
    FItems.clear();
}

void TListItems::BeginUpdate()
{
    BeginWindowUpdate(FUpdateCount, FOwner);
}

void TListItems::EndUpdate()
{
    EndWindowUpdate(FUpdateCount, FOwner);
}

void TListItems::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TListItems*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    Clear();
    for (auto& item : other->FItems) Add()->Assign(item.get());
    EndUpdate();
}

// ---- TCustomListView ---------------------------------------------------------------------

TCustomListView::TCustomListView(TComponent* AOwner)
    : TWinControl(AOwner),
      FColumns(std::make_unique<TListColumns>(this)),
      FItems(std::make_unique<TListItems>(this)),
      FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
    SetControlStyle(ControlStyle() - TControlStyle{csCaptureMouse} + TControlStyle{csDisplayDragImage, csReflector, csPannable});
    SetBounds(0, 0, 250, 150);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomListView::~TCustomListView() = default;

TListItem* TCustomListView::ItemOf(int Index) const
{
    return Index >= 0 && Index < FItems->Count() ? FItems->FItems[static_cast<size_t>(Index)].get() : nullptr;
}

void TCustomListView::StyleChanged()
{
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListView::SetViewStyle(TViewStyle Value)
{
    if (FViewStyle == Value) return;
    FViewStyle = Value;
    if (!HandleAllocated()) return;
    static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    LONG style = GetWindowLongW(Handle(), GWL_STYLE);
    SetWindowLongW(Handle(), GWL_STYLE, static_cast<LONG>((style & ~LVS_TYPEMASK) | views[Value]));
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TCustomListView::SetImageList(TCustomImageList*& Field, TCustomImageList* Value)
{
    if (ChangeReference(this, Field, Value)) UpdateImageLists();
}

void TCustomListView::SetSmallImages(TCustomImageList* Value)
{
    SetImageList(FSmallImages, Value);
}

void TCustomListView::SetLargeImages(TCustomImageList* Value)
{
    SetImageList(FLargeImages, Value);
}

void TCustomListView::SetStateImages(TCustomImageList* Value)
{
    SetImageList(FStateImages, Value);
}

void TCustomListView::UpdateImageLists()
{
    if (!HandleAllocated()) return;
    auto handleOf = [](TCustomImageList* list) { return reinterpret_cast<LPARAM>(list != nullptr ? list->Handle() : nullptr); };
    SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_SMALL, handleOf(FSmallImages));
    SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_NORMAL, handleOf(FLargeImages));
    // Check boxes are the control's own state images.
    if (!FCheckboxes) SendMessageW(Handle(), LVM_SETIMAGELIST, LVSIL_STATE, handleOf(FStateImages));
}

void TCustomListView::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && ForgetReferences(AComponent, {&FSmallImages, &FLargeImages, &FStateImages}) &&
        !ComponentState().Contains(csDestroying))
        UpdateImageLists();
}

void TCustomListView::UpdateExtendedStyles()
{
    if (!HandleAllocated()) return;
    DWORD mask = LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_TRACKSELECT;
    DWORD value = (FCheckboxes ? LVS_EX_CHECKBOXES : 0) | (FRowSelect ? LVS_EX_FULLROWSELECT : 0) |
                  (FGridLines ? LVS_EX_GRIDLINES : 0) | (FHotTrack ? LVS_EX_TRACKSELECT : 0);
    // Turning the check boxes on unchecks every item in the window; the items keep their own.
    ++FChanging;
    SendMessageW(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, mask, value);
    if (FCheckboxes)
        for (auto& item : FItems->FItems) item->SetState(LVIS_STATEIMAGEMASK, CheckStateImage(item->FChecked));
    --FChanging;
}

void TCustomListView::SetCheckboxes(bool Value)
{
    if (FCheckboxes == Value) return;
    if (HandleAllocated() && FCheckboxes)
        for (auto& item : FItems->FItems) item->FChecked = item->Checked();
    FCheckboxes = Value;
    UpdateExtendedStyles();
    UpdateImageLists();
}

void TCustomListView::SetRowSelect(bool Value)
{
    FRowSelect = Value;
    UpdateExtendedStyles();
}

void TCustomListView::SetGridLines(bool Value)
{
    FGridLines = Value;
    UpdateExtendedStyles();
}

void TCustomListView::SetHotTrack(bool Value)
{
    FHotTrack = Value;
    UpdateExtendedStyles();
}

void TCustomListView::SetReadOnly(bool Value)
{
    if (FReadOnly == Value) return;
    FReadOnly = Value;
    StyleChanged();
}

void TCustomListView::SetMultiSelect(bool Value)
{
    if (FMultiSelect == Value) return;
    FMultiSelect = Value;
    StyleChanged();
}

void TCustomListView::SetHideSelection(bool Value)
{
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    StyleChanged();
}

void TCustomListView::SetShowColumnHeaders(bool Value)
{
    if (FShowColumnHeaders == Value) return;
    FShowColumnHeaders = Value;
    StyleChanged();
}

void TCustomListView::SetColumnClick(bool Value)
{
    if (FColumnClick == Value) return;
    FColumnClick = Value;
    StyleChanged();
}

void TCustomListView::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    StyleChanged();
}

void TCustomListView::UpdateColors()
{
    if (!HandleAllocated()) return;
    LPARAM back = static_cast<LPARAM>(ColorToRGB(Color()));
    SendMessageW(Handle(), LVM_SETBKCOLOR, 0, back);
    SendMessageW(Handle(), LVM_SETTEXTBKCOLOR, 0, back);
    SendMessageW(Handle(), LVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
}

void TCustomListView::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    UpdateColors();
}

void TCustomListView::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    UpdateColors();
}

LVCOLUMNW TCustomListView::ColumnInfo(int Index) const
{
    TListColumn* column = FColumns->Items(Index);
    LVCOLUMNW info{};
    info.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    // The first column is always left-aligned.
    info.fmt = Index == 0 ? LVCFMT_LEFT : ColumnFormat(column->FAlignment);
    info.cx = column->FWidth;
    info.pszText = column->FCaption.data();
    if (column->FImageIndex >= 0) {
        info.mask |= LVCF_IMAGE;
        info.fmt |= LVCFMT_IMAGE;
        info.iImage = column->FImageIndex;
    }
    return info;
}

void TCustomListView::UpdateColumn(int Index)
{
    if (!HandleAllocated() || Index < 0 || Index >= FColumns->Count()) return;
    LVCOLUMNW info = ColumnInfo(Index);
    SendMessageW(Handle(), LVM_SETCOLUMNW, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&info));
}

void TCustomListView::UpdateColumns()
{
    if (!HandleAllocated()) return;
    HWND wnd = Handle();
    ++FChanging;
    while (SendMessageW(wnd, LVM_DELETECOLUMN, 0, 0) != 0) {
    }
    for (int i = 0; i < FColumns->Count(); ++i) {
        LVCOLUMNW info = ColumnInfo(i);
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = i;
        SendMessageW(wnd, LVM_INSERTCOLUMNW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&info));
    }
    // Sub-item texts need their columns: give them again.
    for (auto& item : FItems->FItems) {
        item->FShownSubItems = 0;
        item->SubItemsChanged();
    }
    --FChanging;
}

void TCustomListView::InsertWindowItem(TListItem* Item, int Index)
{
    LVITEMW info{};
    info.mask = LVIF_TEXT | LVIF_PARAM | LVIF_IMAGE | LVIF_STATE;
    info.iItem = Index;
    info.pszText = Item->FCaption.data();
    info.lParam = reinterpret_cast<LPARAM>(Item);
    info.iImage = Item->FImageIndex;
    info.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    info.state = (Item->FSelected ? LVIS_SELECTED : 0) | (Item->FFocused ? LVIS_FOCUSED : 0);
    if (FCheckboxes) {
        info.stateMask |= LVIS_STATEIMAGEMASK;
        info.state |= CheckStateImage(Item->FChecked);
    }
    ++FChanging;
    SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&info));
    if (FCheckboxes) Item->SetState(LVIS_STATEIMAGEMASK, CheckStateImage(Item->FChecked));
    Item->FShownSubItems = 0;
    Item->SubItemsChanged();
    --FChanging;
}

void TCustomListView::UpdateWindowItem(TListItem* Item)
{
    Item->SetCaption(Item->FCaption);
    Item->SetImageIndex(Item->FImageIndex);
    Item->SubItemsChanged();
}

void TCustomListView::CreateParams(TCreateParams& Params)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_LISTVIEWW);
    static const DWORD views[] = {LVS_ICON, LVS_SMALLICON, LVS_LIST, LVS_REPORT};
    // The image lists belong to the framework, not to the control.
    Params.Style |= LVS_SHAREIMAGELISTS | views[FViewStyle];
    if (!FMultiSelect) Params.Style |= LVS_SINGLESEL;
    if (!FHideSelection) Params.Style |= LVS_SHOWSELALWAYS;
    if (!FReadOnly) Params.Style |= LVS_EDITLABELS;
    if (!FShowColumnHeaders) Params.Style |= LVS_NOCOLUMNHEADER;
    if (!FColumnClick) Params.Style |= LVS_NOSORTHEADER;
    if (FBorderStyle == bsSingle) AddSingleBorder(Params, Ctl3D());
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListView::CreateWnd()
{
    TWinControl::CreateWnd();
    UpdateExtendedStyles();
    UpdateImageLists();
    UpdateColors();
    UpdateColumns();
    for (int i = 0; i < FItems->Count(); ++i) InsertWindowItem(FItems->FItems[static_cast<size_t>(i)].get(), i);
}

void TCustomListView::DestroyWnd()
{
    if (HandleAllocated()) {
        for (auto& item : FItems->FItems) {
            item->FSelected = item->Selected();
            item->FFocused = item->Focused();
            item->FChecked = item->Checked();
        }
        for (int i = 0; i < FColumns->Count(); ++i) FColumns->Items(i)->FWidth = FColumns->Items(i)->Width();
    }
    Counted(FChanging, [&] { TWinControl::DestroyWnd(); });
}

TListItem* TCustomListView::Selected() const
{
    if (FHandle != nullptr)
        return ItemOf(static_cast<int>(SendMessageW(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)));
    for (auto& item : FItems->FItems)
        if (item->FSelected) return item.get();
    return nullptr;
}

void TCustomListView::SetSelected(TListItem* Value)
{
    ClearSelection();
    if (Value != nullptr) {
        Value->SetSelected(true);
        Value->SetFocused(true);
    }
}

int TCustomListView::SelCount() const
{
    if (FHandle != nullptr) return static_cast<int>(SendMessageW(FHandle, LVM_GETSELECTEDCOUNT, 0, 0));
    return static_cast<int>(std::count_if(FItems->FItems.begin(), FItems->FItems.end(), [](auto& item) { return item->FSelected; }));
}

int TCustomListView::ItemIndex() const
{
    TListItem* item = Selected();
    return item != nullptr ? item->Index() : -1;
}

void TCustomListView::SetItemIndex(int Value)
{
    SetSelected(ItemOf(Value));
}

TListItem* TCustomListView::ItemFocused() const
{
    if (FHandle != nullptr)
        return ItemOf(static_cast<int>(SendMessageW(FHandle, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED)));
    for (auto& item : FItems->FItems)
        if (item->FFocused) return item.get();
    return nullptr;
}

void TCustomListView::SetItemFocused(TListItem* Value)
{
    if (Value != nullptr)
        Value->SetFocused(true);
    else if (TListItem* focused = ItemFocused())
        focused->SetFocused(false);
}

void TCustomListView::ClearSelection()
{
    for (auto& item : FItems->FItems) {
        if (HandleAllocated() && item->State(LVIS_SELECTED))
            item->SetSelected(false);
        else
            item->FSelected = false;
    }
}

TListItem* TCustomListView::GetItemAt(int X, int Y)
{
    if (!HandleAllocated()) return nullptr;
    LVHITTESTINFO info{};
    info.pt = Point(X, Y);
    int index = static_cast<int>(SendMessageW(Handle(), LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    return (info.flags & LVHT_ONITEM) != 0 ? ItemOf(index) : nullptr;
}

void TCustomListView::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_NOTIFY)
        CNNotify(Message);
    else
        TWinControl::Dispatch(Message);
}

void TCustomListView::CNNotify(TMessage& Message)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    Message.Result = 0;
    switch (header->code) {
    case LVN_ITEMCHANGING: {
        const NMLISTVIEW* info = reinterpret_cast<const NMLISTVIEW*>(Message.LParam);
        TListItem* item = ItemOf(info->iItem);
        if (FChanging == 0 && (info->uChanged & LVIF_STATE) != 0 && item != nullptr && !CanChange(item, ctState))
            Message.Result = 1;
        break;
    }
    case LVN_ITEMCHANGED: {
        const NMLISTVIEW* info = reinterpret_cast<const NMLISTVIEW*>(Message.LParam);
        if (FChanging != 0 || (info->uChanged & LVIF_STATE) == 0) break;
        TListItem* item = ItemOf(info->iItem);
        if (item == nullptr) {
            Change(nullptr, ctState);
            break;
        }
        bool wasSelected = (info->uOldState & LVIS_SELECTED) != 0;
        bool isSelected = (info->uNewState & LVIS_SELECTED) != 0;
        item->FSelected = isSelected;
        if (FCheckboxes && ((info->uNewState ^ info->uOldState) & LVIS_STATEIMAGEMASK) != 0)
            item->FChecked = IsCheckedState(info->uNewState);
        Change(item, ctState);
        if (wasSelected != isSelected) DoSelectItem(item, isSelected);
        break;
    }
    case LVN_COLUMNCLICK: {
        const NMLISTVIEW* info = reinterpret_cast<const NMLISTVIEW*>(Message.LParam);
        if (info->iSubItem >= 0 && info->iSubItem < FColumns->Count()) ColClick(FColumns->Items(info->iSubItem));
        break;
    }
    case LVN_BEGINLABELEDITW: Message.Result = FReadOnly ? 1 : 0; break;
    case LVN_ENDLABELEDITW: {
        const NMLVDISPINFOW* info = reinterpret_cast<const NMLVDISPINFOW*>(Message.LParam);
        TListItem* item = ItemOf(info->item.iItem);
        if (item != nullptr && info->item.pszText != nullptr) {
            item->FCaption = info->item.pszText;
            Message.Result = 1;
            Change(item, ctText);
        }
        break;
    }
    case NM_CUSTOMDRAW: {
        NMLVCUSTOMDRAW* draw = reinterpret_cast<NMLVCUSTOMDRAW*>(Message.LParam);
        Message.Result = CDRF_DODEFAULT;
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT && OnCustomDraw) {
            bool defaultDraw = true;
            TRect r = draw->nmcd.rc;
            WithCanvas(FCanvas.get(), this, draw->nmcd.hdc, [&] { OnCustomDraw(this, r, defaultDraw); });
            if (!defaultDraw) Message.Result = CDRF_SKIPDEFAULT;
        }
        break;
    }
    case LVN_DELETEITEM:
    case LVN_DELETEALLITEMS:
    case LVN_INSERTITEM: break;
    default: TWinControl::Dispatch(Message); break;
    }
}

bool TCustomListView::CanChange(TListItem* Item, TItemChange Change)
{
    bool allow = true;
    if (OnChanging) OnChanging(this, Item, Change, allow);
    return allow;
}

void TCustomListView::Change(TListItem* Item, TItemChange Change)
{
    if (OnChange) OnChange(this, Item, Change);
}

void TCustomListView::DoSelectItem(TListItem* Item, bool Selected)
{
    if (OnSelectItem) OnSelectItem(this, Item, Selected);
}

void TCustomListView::ColClick(TListColumn* Column)
{
    if (OnColumnClick) OnColumnClick(this, Column);
}
