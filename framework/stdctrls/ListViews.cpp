#include "framework/stdctrls/ListViews.h"

#include <algorithm>

#include "framework/stdctrls/PageControls.h"

namespace {

[[noreturn]] void ListIndexError(int Index)
{
    throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
}

// The list view's column format of an alignment.
int ColumnFormat(TAlignment Alignment)
{
    switch (Alignment) {
    case taRightJustify: return LVCFMT_RIGHT;
    case taCenter: return LVCFMT_CENTER;
    default: return LVCFMT_LEFT;
    }
}

// Runs Body with Canvas drawing on DC in the control's font and colour.
template <class F>
void WithCanvas(TCanvas* Canvas, TControl* Control, HDC DC, F&& Body)
{
    DrawOnLentDC(Canvas, DC, [&] {
        Canvas->Font()->Assign(Control->Font());
        Canvas->Brush()->SetColor(Control->Color());
        Body();
    });
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

// Update counting of the item lists: the window draws nothing from the first BeginUpdate to
// the last EndUpdate, and all at once afterwards.
void BeginWindowUpdate(int& Count, TWinControl* Control)
{
    if (Count++ == 0 && Control->HandleAllocated()) SendMessageW(Control->Handle(), WM_SETREDRAW, FALSE, 0);
}

void EndWindowUpdate(int& Count, TWinControl* Control)
{
    if (--Count == 0 && Control->HandleAllocated()) {
        SendMessageW(Control->Handle(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(Control->Handle(), nullptr, TRUE);
    }
}

// Runs Body with Counter raised, as the controls mark work of their own on their windows.
template <class F>
void Counted(int& Counter, F&& Body)
{
    ++Counter;
    try {
        Body();
    } catch (...) {
        --Counter;
        throw;
    }
    --Counter;
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

// ---- TTreeNode ---------------------------------------------------------------------------

TTreeNode::TTreeNode(TTreeNodes* Owner, TTreeNode* Parent) : FOwner(Owner), FParent(Parent)
{
}

TTreeNode::~TTreeNode() = default;

TPersistent* TTreeNode::GetOwner()
{
    return FOwner;
}

TCustomTreeView* TTreeNode::TreeView() const
{
    return FOwner->FOwner;
}

std::vector<std::unique_ptr<TTreeNode>>& TTreeNode::Siblings() const
{
    return FParent != nullptr ? FParent->FChildren : FOwner->FRoots;
}

TTreeNode* TTreeNode::Item(int Index) const
{
    if (Index < 0 || Index >= Count()) ListIndexError(Index);
    return FChildren[static_cast<size_t>(Index)].get();
}

int TTreeNode::Index() const
{
    auto& siblings = Siblings();
    for (size_t i = 0; i < siblings.size(); ++i)
        if (siblings[i].get() == this) return static_cast<int>(i);
    return -1;
}

int TTreeNode::AbsoluteIndex() const
{
    int index = 0;
    for (TTreeNode* node = FOwner->GetFirstNode(); node != nullptr; node = node->GetNext(), ++index)
        if (node == this) return index;
    return -1;
}

int TTreeNode::Level() const
{
    int level = 0;
    for (TTreeNode* node = FParent; node != nullptr; node = node->FParent) ++level;
    return level;
}

TTreeNode* TTreeNode::GetNextSibling() const
{
    auto& siblings = Siblings();
    int index = Index();
    return index + 1 < static_cast<int>(siblings.size()) ? siblings[static_cast<size_t>(index + 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetPrevSibling() const
{
    int index = Index();
    return index > 0 ? Siblings()[static_cast<size_t>(index - 1)].get() : nullptr;
}

TTreeNode* TTreeNode::GetNext() const
{
    if (!FChildren.empty()) return FChildren.front().get();
    for (const TTreeNode* node = this; node != nullptr; node = node->FParent)
        if (TTreeNode* sibling = node->GetNextSibling()) return sibling;
    return nullptr;
}

void TTreeNode::SetText(const String& Value)
{
    FText = Value;
    TreeView()->UpdateWindowItem(this, TVIF_TEXT);
}

void TTreeNode::SetImageIndex(int Value)
{
    FImageIndex = Value;
    TreeView()->UpdateWindowItem(this, TVIF_IMAGE);
}

void TTreeNode::SetSelectedIndex(int Value)
{
    FSelectedIndex = Value;
    TreeView()->UpdateWindowItem(this, TVIF_SELECTEDIMAGE);
}

void TTreeNode::SetStateIndex(int Value)
{
    FStateIndex = Value;
    TreeView()->UpdateWindowItem(this, TVIF_STATE);
}

bool TTreeNode::Expanded() const
{
    TCustomTreeView* tree = TreeView();
    if (tree->HandleAllocated() && FItemId != nullptr)
        return (SendMessageW(tree->Handle(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(FItemId), TVIS_EXPANDED) & TVIS_EXPANDED) != 0;
    return FExpanded;
}

void TTreeNode::SetExpanded(bool Value)
{
    if (Value)
        Expand(false);
    else
        Collapse(false);
}

void TTreeNode::Expand(bool Recurse)
{
    ChangeExpanded(true, Recurse);
}

void TTreeNode::Collapse(bool Recurse)
{
    ChangeExpanded(false, Recurse);
}

void TTreeNode::ChangeExpanded(bool Value, bool Recurse)
{
    TCustomTreeView* tree = TreeView();
    if (HasChildren() && Expanded() != Value && (Value ? tree->CanExpand(this) : tree->CanCollapse(this))) {
        FExpanded = Value;
        if (tree->HandleAllocated() && FItemId != nullptr) {
            ++tree->FExpanding;
            SendMessageW(tree->Handle(), TVM_EXPAND, Value ? TVE_EXPAND : TVE_COLLAPSE, reinterpret_cast<LPARAM>(FItemId));
            --tree->FExpanding;
        }
        if (Value)
            tree->Expand(this);
        else
            tree->Collapse(this);
    }
    if (Recurse)
        for (auto& child : FChildren) child->ChangeExpanded(Value, true);
}

bool TTreeNode::Selected() const
{
    return TreeView()->Selected() == this;
}

void TTreeNode::SetSelected(bool Value)
{
    TCustomTreeView* tree = TreeView();
    if (Value)
        tree->SetSelected(this);
    else if (tree->Selected() == this)
        tree->SetSelected(nullptr);
}

TRect TTreeNode::DisplayRect(bool TextOnly) const
{
    TRect r{0, 0, 0, 0};
    TCustomTreeView* tree = TreeView();
    if (!tree->HandleAllocated() || FItemId == nullptr) return r;
    *reinterpret_cast<HTREEITEM*>(&r) = FItemId;
    if (SendMessageW(tree->Handle(), TVM_GETITEMRECT, TextOnly ? TRUE : FALSE, reinterpret_cast<LPARAM>(&r)) == 0)
        return TRect{0, 0, 0, 0};
    return r;
}

void TTreeNode::MakeVisible()
{
    TCustomTreeView* tree = TreeView();
    if (tree->HandleAllocated() && FItemId != nullptr)
        SendMessageW(tree->Handle(), TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(FItemId));
}

void TTreeNode::Delete()
{
    FOwner->Delete(this);
}

void TTreeNode::DeleteChildren()
{
    while (!FChildren.empty()) FOwner->Delete(FChildren.back().get());
}

// ---- TTreeNodes --------------------------------------------------------------------------

TTreeNodes::~TTreeNodes() = default;

TPersistent* TTreeNodes::GetOwner()
{
    return FOwner;
}

int TTreeNodes::Count() const
{
    int count = 0;
    for (TTreeNode* node = GetFirstNode(); node != nullptr; node = node->GetNext()) ++count;
    return count;
}

TTreeNode* TTreeNodes::Item(int Index) const
{
    int i = 0;
    if (Index >= 0)
        for (TTreeNode* node = GetFirstNode(); node != nullptr; node = node->GetNext(), ++i)
            if (i == Index) return node;
    ListIndexError(Index);
}

TTreeNode* TTreeNodes::InsertNode(TTreeNode* Parent, size_t Position, const String& S, void* Ptr)
{
    auto& siblings = Parent != nullptr ? Parent->FChildren : FRoots;
    auto node = std::make_unique<TTreeNode>(this, Parent);
    node->FText = S;
    node->FData = Ptr;
    TTreeNode* result = node.get();
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(Position), std::move(node));
    if (FOwner->HandleAllocated())
        FOwner->InsertWindowItem(result, Position == 0 ? TVI_FIRST : siblings[Position - 1]->FItemId);
    return result;
}

TTreeNode* TTreeNodes::AddObject(TTreeNode* Sibling, const String& S, void* Ptr)
{
    TTreeNode* parent = Sibling != nullptr ? Sibling->FParent : nullptr;
    size_t position = parent != nullptr ? parent->FChildren.size() : FRoots.size();
    return InsertNode(parent, position, S, Ptr);
}

TTreeNode* TTreeNodes::AddFirst(TTreeNode* Sibling, const String& S)
{
    return InsertNode(Sibling != nullptr ? Sibling->FParent : nullptr, 0, S, nullptr);
}

TTreeNode* TTreeNodes::AddChildObject(TTreeNode* Parent, const String& S, void* Ptr)
{
    return InsertNode(Parent, Parent != nullptr ? Parent->FChildren.size() : FRoots.size(), S, Ptr);
}

TTreeNode* TTreeNodes::AddChildFirst(TTreeNode* Parent, const String& S)
{
    return InsertNode(Parent, 0, S, nullptr);
}

TTreeNode* TTreeNodes::Insert(TTreeNode* Sibling, const String& S)
{
    if (Sibling == nullptr) return InsertNode(nullptr, FRoots.size(), S, nullptr);
    return InsertNode(Sibling->FParent, static_cast<size_t>(Sibling->Index()), S, nullptr);
}

void TTreeNodes::Delete(TTreeNode* Node)
{
    if (Node == nullptr) return;
    if (FOwner->OnDeletion) {
        std::vector<TTreeNode*> doomed;
        for (TTreeNode* n = Node; n != nullptr; n = n->GetNext()) {
            if (n != Node && n->Level() <= Node->Level()) break;
            doomed.push_back(n);
        }
        for (auto it = doomed.rbegin(); it != doomed.rend(); ++it) FOwner->OnDeletion(FOwner, *it);
    }
    for (TTreeNode* n = FOwner->FSavedSelected; n != nullptr; n = n->FParent)
        if (n == Node) {
            FOwner->FSavedSelected = nullptr;
            break;
        }
    if (FOwner->HandleAllocated() && Node->FItemId != nullptr)
        SendMessageW(FOwner->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(Node->FItemId));
    auto& siblings = Node->Siblings();
    siblings.erase(siblings.begin() + Node->Index());
}

void TTreeNodes::Clear()
{
    if (FOwner->OnDeletion)
        for (TTreeNode* node = GetFirstNode(); node != nullptr; node = node->GetNext()) FOwner->OnDeletion(FOwner, node);
    FOwner->FSavedSelected = nullptr;
    if (FOwner->HandleAllocated()) {
        ++FOwner->FRestoring;
        SendMessageW(FOwner->Handle(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
        --FOwner->FRestoring;
    }
    FRoots.clear();
}

void TTreeNodes::BeginUpdate()
{
    BeginWindowUpdate(FUpdateCount, FOwner);
}

void TTreeNodes::EndUpdate()
{
    EndWindowUpdate(FUpdateCount, FOwner);
}

void TTreeNodes::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TTreeNodes*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    BeginUpdate();
    Clear();
    std::function<void(TTreeNode*, const TTreeNode*)> copy = [&](TTreeNode* parent, const TTreeNode* from) {
        TTreeNode* node = AddChildObject(parent, from->FText, from->FData);
        node->FImageIndex = from->FImageIndex;
        node->FSelectedIndex = from->FSelectedIndex;
        node->FStateIndex = from->FStateIndex;
        FOwner->UpdateWindowItem(node, TVIF_IMAGE | TVIF_SELECTEDIMAGE);
        for (auto& child : from->FChildren) copy(node, child.get());
    };
    for (auto& root : other->FRoots) copy(nullptr, root.get());
    EndUpdate();
}

// ---- TCustomTreeView ---------------------------------------------------------------------

TCustomTreeView::TCustomTreeView(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TTreeNodes>(this)), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
    SetControlStyle(ControlStyle() - TControlStyle{csCaptureMouse} + TControlStyle{csDisplayDragImage, csReflector, csPannable});
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomTreeView::~TCustomTreeView() = default;

TTreeNode* TCustomTreeView::NodeFromItem(HTREEITEM Item) const
{
    if (Item == nullptr || FHandle == nullptr) return nullptr;
    TVITEMW info{};
    info.mask = TVIF_PARAM | TVIF_HANDLE;
    info.hItem = Item;
    if (SendMessageW(FHandle, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&info)) == 0) return nullptr;
    return reinterpret_cast<TTreeNode*>(info.lParam);
}

void TCustomTreeView::InsertWindowItem(TTreeNode* Node, HTREEITEM InsertAfter)
{
    TVINSERTSTRUCTW insert{};
    insert.hParent = Node->FParent != nullptr ? Node->FParent->FItemId : TVI_ROOT;
    insert.hInsertAfter = InsertAfter;
    TVITEMW& item = insert.item;
    item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.pszText = Node->FText.data();
    item.lParam = reinterpret_cast<LPARAM>(Node);
    item.iImage = Node->FImageIndex;
    item.iSelectedImage = Node->FSelectedIndex;
    if (Node->FStateIndex >= 0) {
        item.mask |= TVIF_STATE;
        item.stateMask = TVIS_STATEIMAGEMASK;
        item.state = INDEXTOSTATEIMAGEMASK(Node->FStateIndex);
    }
    Node->FItemId = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    for (auto& child : Node->FChildren) InsertWindowItem(child.get(), TVI_LAST);
    if (Node->FExpanded && Node->HasChildren()) {
        ++FExpanding;
        SendMessageW(Handle(), TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Node->FItemId));
        --FExpanding;
    }
}

void TCustomTreeView::UpdateWindowItem(TTreeNode* Node, UINT Mask)
{
    if (!HandleAllocated() || Node->FItemId == nullptr) return;
    TVITEMW item{};
    item.mask = Mask | TVIF_HANDLE;
    item.hItem = Node->FItemId;
    item.pszText = Node->FText.data();
    item.iImage = Node->FImageIndex;
    item.iSelectedImage = Node->FSelectedIndex;
    item.stateMask = TVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(std::max(0, Node->FStateIndex));
    SendMessageW(Handle(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

TTreeNode* TCustomTreeView::Selected() const
{
    if (FHandle == nullptr) return FSavedSelected;
    return NodeFromItem(reinterpret_cast<HTREEITEM>(SendMessageW(FHandle, TVM_GETNEXTITEM, TVGN_CARET, 0)));
}

void TCustomTreeView::SetSelected(TTreeNode* Value)
{
    if (HandleAllocated())
        SendMessageW(Handle(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(Value != nullptr ? Value->FItemId : nullptr));
    else
        FSavedSelected = Value;
}

void TCustomTreeView::StyleChanged()
{
    if (HandleAllocated()) RecreateWnd();
}

void TCustomTreeView::SetShowButtons(bool Value)
{
    if (FShowButtons == Value) return;
    FShowButtons = Value;
    StyleChanged();
}

void TCustomTreeView::SetShowLines(bool Value)
{
    if (FShowLines == Value) return;
    FShowLines = Value;
    StyleChanged();
}

void TCustomTreeView::SetShowRoot(bool Value)
{
    if (FShowRoot == Value) return;
    FShowRoot = Value;
    StyleChanged();
}

void TCustomTreeView::SetReadOnly(bool Value)
{
    if (FReadOnly == Value) return;
    FReadOnly = Value;
    StyleChanged();
}

void TCustomTreeView::SetHideSelection(bool Value)
{
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    StyleChanged();
}

void TCustomTreeView::SetRowSelect(bool Value)
{
    if (FRowSelect == Value) return;
    FRowSelect = Value;
    StyleChanged();
}

void TCustomTreeView::SetHotTrack(bool Value)
{
    if (FHotTrack == Value) return;
    FHotTrack = Value;
    StyleChanged();
}

void TCustomTreeView::SetAutoExpand(bool Value)
{
    if (FAutoExpand == Value) return;
    FAutoExpand = Value;
    StyleChanged();
}

void TCustomTreeView::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    StyleChanged();
}

int TCustomTreeView::Indent() const
{
    if (FHandle != nullptr) return static_cast<int>(SendMessageW(FHandle, TVM_GETINDENT, 0, 0));
    return FIndent;
}

void TCustomTreeView::SetIndent(int Value)
{
    FIndent = Value;
    if (HandleAllocated()) SendMessageW(Handle(), TVM_SETINDENT, static_cast<WPARAM>(Value), 0);
}

void TCustomTreeView::SetImageList(TCustomImageList*& Field, TCustomImageList* Value)
{
    if (ChangeReference(this, Field, Value)) UpdateImageLists();
}

void TCustomTreeView::SetImages(TCustomImageList* Value)
{
    SetImageList(FImages, Value);
}

void TCustomTreeView::SetStateImages(TCustomImageList* Value)
{
    SetImageList(FStateImages, Value);
}

void TCustomTreeView::UpdateImageLists()
{
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_NORMAL, reinterpret_cast<LPARAM>(FImages != nullptr ? FImages->Handle() : nullptr));
    SendMessageW(Handle(), TVM_SETIMAGELIST, TVSIL_STATE,
                 reinterpret_cast<LPARAM>(FStateImages != nullptr ? FStateImages->Handle() : nullptr));
}

void TCustomTreeView::Notification(TComponent* AComponent, TOperation Operation)
{
    TWinControl::Notification(AComponent, Operation);
    if (Operation == opRemove && ForgetReferences(AComponent, {&FImages, &FStateImages}) && !ComponentState().Contains(csDestroying))
        UpdateImageLists();
}

void TCustomTreeView::UpdateColors()
{
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), TVM_SETBKCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    SendMessageW(Handle(), TVM_SETTEXTCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Font()->Color())));
}

void TCustomTreeView::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    UpdateColors();
}

void TCustomTreeView::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    UpdateColors();
}

TTreeNode* TCustomTreeView::GetNodeAt(int X, int Y)
{
    if (!HandleAllocated()) return nullptr;
    TVHITTESTINFO info{};
    info.pt = Point(X, Y);
    auto item = reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&info)));
    return (info.flags & TVHT_ONITEM) != 0 ? NodeFromItem(item) : nullptr;
}

void TCustomTreeView::FullExpand()
{
    for (auto& root : FItems->FRoots) root->Expand(true);
}

void TCustomTreeView::FullCollapse()
{
    for (auto& root : FItems->FRoots) root->Collapse(true);
}

void TCustomTreeView::CreateParams(TCreateParams& Params)
{
    InitCommonControlClasses();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, WC_TREEVIEWW);
    if (FShowButtons) Params.Style |= TVS_HASBUTTONS;
    if (FShowLines) Params.Style |= TVS_HASLINES;
    if (FShowRoot) Params.Style |= TVS_LINESATROOT;
    if (!FReadOnly) Params.Style |= TVS_EDITLABELS;
    if (!FHideSelection) Params.Style |= TVS_SHOWSELALWAYS;
    if (FRowSelect) Params.Style |= TVS_FULLROWSELECT;
    if (FHotTrack) Params.Style |= TVS_TRACKSELECT;
    if (FAutoExpand) Params.Style |= TVS_SINGLEEXPAND;
    if (FBorderStyle == bsSingle) AddSingleBorder(Params, Ctl3D());
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomTreeView::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    UpdateImageLists();
    UpdateColors();
    SendMessageW(wnd, TVM_SETINDENT, static_cast<WPARAM>(FIndent), 0);
    Counted(FRestoring, [&] {
        for (auto& root : FItems->FRoots) InsertWindowItem(root.get(), TVI_LAST);
        if (FSavedSelected != nullptr)
            SendMessageW(wnd, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(FSavedSelected->FItemId));
    });
    FSavedSelected = nullptr;
}

void TCustomTreeView::DestroyWnd()
{
    if (HandleAllocated()) {
        FIndent = Indent();
        FSavedSelected = Selected();
        for (TTreeNode* node = FItems->GetFirstNode(); node != nullptr; node = node->GetNext()) node->FExpanded = node->Expanded();
    }
    Counted(FRestoring, [&] { TWinControl::DestroyWnd(); });
    for (TTreeNode* node = FItems->GetFirstNode(); node != nullptr; node = node->GetNext()) node->FItemId = nullptr;
}

void TCustomTreeView::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_NOTIFY)
        CNNotify(Message);
    else
        TWinControl::Dispatch(Message);
}

void TCustomTreeView::CNNotify(TMessage& Message)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    Message.Result = 0;
    switch (header->code) {
    case TVN_SELCHANGINGW: {
        const NMTREEVIEWW* info = reinterpret_cast<const NMTREEVIEWW*>(Message.LParam);
        if (FRestoring == 0 && !CanChange(reinterpret_cast<TTreeNode*>(info->itemNew.lParam))) Message.Result = 1;
        break;
    }
    case TVN_SELCHANGEDW: {
        const NMTREEVIEWW* info = reinterpret_cast<const NMTREEVIEWW*>(Message.LParam);
        if (FRestoring == 0) Change(reinterpret_cast<TTreeNode*>(info->itemNew.lParam));
        break;
    }
    case TVN_ITEMEXPANDINGW: {
        const NMTREEVIEWW* info = reinterpret_cast<const NMTREEVIEWW*>(Message.LParam);
        auto* node = reinterpret_cast<TTreeNode*>(info->itemNew.lParam);
        if (FExpanding != 0 || FRestoring != 0 || node == nullptr) break;
        if ((info->action & TVE_EXPAND) != 0 && !CanExpand(node))
            Message.Result = 1;
        else if ((info->action & TVE_COLLAPSE) != 0 && !CanCollapse(node))
            Message.Result = 1;
        break;
    }
    case TVN_ITEMEXPANDEDW: {
        const NMTREEVIEWW* info = reinterpret_cast<const NMTREEVIEWW*>(Message.LParam);
        auto* node = reinterpret_cast<TTreeNode*>(info->itemNew.lParam);
        if (FExpanding != 0 || FRestoring != 0 || node == nullptr) break;
        node->FExpanded = (info->action & TVE_EXPAND) != 0;
        if (node->FExpanded)
            Expand(node);
        else
            Collapse(node);
        break;
    }
    case TVN_BEGINLABELEDITW: Message.Result = FReadOnly ? 1 : 0; break;
    case TVN_ENDLABELEDITW: {
        const NMTVDISPINFOW* info = reinterpret_cast<const NMTVDISPINFOW*>(Message.LParam);
        auto* node = reinterpret_cast<TTreeNode*>(info->item.lParam);
        if (node == nullptr) node = NodeFromItem(info->item.hItem);
        if (node != nullptr && info->item.pszText != nullptr) {
            node->FText = info->item.pszText;
            Message.Result = 1;
        }
        break;
    }
    case NM_CUSTOMDRAW: {
        NMTVCUSTOMDRAW* draw = reinterpret_cast<NMTVCUSTOMDRAW*>(Message.LParam);
        Message.Result = CDRF_DODEFAULT;
        if (draw->nmcd.dwDrawStage == CDDS_PREPAINT && (OnCustomDraw || OnAdvancedCustomDraw)) {
            bool defaultDraw = true;
            TRect r = draw->nmcd.rc;
            WithCanvas(FCanvas.get(), this, draw->nmcd.hdc, [&] {
                if (OnCustomDraw) OnCustomDraw(this, r, defaultDraw);
                if (defaultDraw && OnAdvancedCustomDraw) OnAdvancedCustomDraw(this, r, cdPrePaint, defaultDraw);
            });
            if (!defaultDraw) Message.Result = CDRF_SKIPDEFAULT;
        }
        break;
    }
    case TVN_DELETEITEMW: break;
    default: TWinControl::Dispatch(Message); break;
    }
}

bool TCustomTreeView::CanChange(TTreeNode* Node)
{
    bool allow = true;
    if (OnChanging) OnChanging(this, Node, allow);
    return allow;
}

void TCustomTreeView::Change(TTreeNode* Node)
{
    if (OnChange) OnChange(this, Node);
}

bool TCustomTreeView::CanExpand(TTreeNode* Node)
{
    bool allow = true;
    if (OnExpanding) OnExpanding(this, Node, allow);
    return allow;
}

void TCustomTreeView::Expand(TTreeNode* Node)
{
    if (OnExpanded) OnExpanded(this, Node);
}

bool TCustomTreeView::CanCollapse(TTreeNode* Node)
{
    bool allow = true;
    if (OnCollapsing) OnCollapsing(this, Node, allow);
    return allow;
}

void TCustomTreeView::Collapse(TTreeNode* Node)
{
    if (OnCollapsed) OnCollapsed(this, Node);
}
