#pragma once
// TListView over SysListView32. The items live in the framework objects (TListItems), which are
// the truth while there is no window and are mirrored into the window while there is one: each
// window item carries its object in lParam. Selection and check come back from the window, and
// the notifications the parent reflects (CN_NOTIFY: LVN_ITEMCHANGED, LVN_COLUMNCLICK ...) become
// the control's events.
#include <windows.h>
#include <commctrl.h>
#include <functional>
#include <memory>
#include <vector>

#include "framework/classes/Collection.h"
#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/controls/Controls.h"
#include "framework/graphics/ImageList.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "framework/classes/StringList.h"

class TCustomListView;
class TListItems;
class TListItem;

enum TViewStyle { vsIcon, vsSmallIcon, vsList, vsReport };
enum TItemChange { ctText, ctImage, ctState };

class TListColumn : public TCollectionItem {
public:
    explicit TListColumn(TCollection* Collection) : TCollectionItem(Collection) {}
    void Assign(TPersistent* Source) override;
    String DisplayName() const override;

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    // The width in the window (the user may have dragged it).
    int Width() const;
    void SetWidth(int Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int MinWidth() const { return FMinWidth; }
    void SetMinWidth(int Value) { FMinWidth = Value; }
    int MaxWidth() const { return FMaxWidth; }
    void SetMaxWidth(int Value) { FMaxWidth = Value; }

private:
    friend class TCustomListView;
    TCustomListView* ListView() const;
    String FCaption;
    int FWidth = 50;
    TAlignment FAlignment = taLeftJustify;
    int FImageIndex = -1;
    int FMinWidth = 0;
    int FMaxWidth = 0;
};

class TListColumns : public TCollection {
public:
    explicit TListColumns(TCustomListView* ListView);
    TListColumn* Add() { return static_cast<TListColumn*>(TCollection::Add()); }
    TListColumn* Items(int Index) const { return static_cast<TListColumn*>(TCollection::Items(Index)); }
    TPersistent* GetOwner() override;
    TCustomListView* ListView() const { return FListView; }

protected:
    void Update(TCollectionItem* Item) override;

private:
    TCustomListView* FListView;
};

// The texts of the columns after the first of one item.
class TSubItems : public TStringList {
public:
    explicit TSubItems(TListItem* Owner) : FOwner(Owner) {}

protected:
    void Changed() override;

private:
    TListItem* FOwner;
};

class TListItem : public TPersistent {
public:
    explicit TListItem(TListItems* Owner);
    ~TListItem() override;
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override;

    TListItems* Owner() const { return FOwner; }
    TCustomListView* ListView() const;
    int Index() const;
    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    TStrings* SubItems() const { return FSubItems.get(); }
    void SetSubItems(TStrings* Value) { FSubItems->Assign(Value); }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool Selected() const;
    void SetSelected(bool Value);
    // The check box (Checkboxes).
    bool Checked() const;
    void SetChecked(bool Value);
    bool Focused() const;
    void SetFocused(bool Value);
    void* Data() const { return FData; }
    void SetData(void* Value) { FData = Value; }
    // The item's rectangle in the list view's client area (empty without a window).
    TRect DisplayRect() const;
    void MakeVisible(bool PartialOK = false);
    void Delete();

private:
    friend class TListItems;
    friend class TCustomListView;
    friend class TSubItems;
    bool State(UINT Mask) const;
    void SetState(UINT Mask, UINT Value);
    void SubItemsChanged();

    TListItems* FOwner;
    String FCaption;
    std::unique_ptr<TSubItems> FSubItems;
    int FImageIndex = -1;
    bool FSelected = false;
    bool FChecked = false;
    bool FFocused = false;
    void* FData = nullptr;
    // The number of sub-item texts the window was given.
    int FShownSubItems = 0;
};

class TListItems : public TPersistent {
public:
    explicit TListItems(TCustomListView* Owner) : FOwner(Owner) {}
    ~TListItems() override;
    void Assign(TPersistent* Source) override;
    TPersistent* GetOwner() override;

    TCustomListView* Owner() const { return FOwner; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TListItem* Item(int Index) const;
    TListItem* operator[](int Index) const { return Item(Index); }
    TListItem* Add() { return Insert(Count()); }
    TListItem* Insert(int Index);
    void Delete(int Index);
    void Clear();
    int IndexOf(const TListItem* Value) const;
    void BeginUpdate();
    void EndUpdate();

private:
    friend class TCustomListView;
    friend class TListItem;
    TCustomListView* FOwner;
    std::vector<std::unique_ptr<TListItem>> FItems;
    int FUpdateCount = 0;
};

using TLVChangeEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change)>;
using TLVChangingEvent = std::function<void(TObject* Sender, TListItem* Item, TItemChange Change, bool& AllowChange)>;
using TLVSelectItemEvent = std::function<void(TObject* Sender, TListItem* Item, bool Selected)>;
using TLVColumnClickEvent = std::function<void(TObject* Sender, TListColumn* Column)>;
using TLVDeletedEvent = std::function<void(TObject* Sender, TListItem* Item)>;
using TLVCustomDrawEvent = std::function<void(TCustomListView* Sender, const TRect& ARect, bool& DefaultDraw)>;

class TCustomListView : public TWinControl {
public:
    explicit TCustomListView(TComponent* AOwner);
    ~TCustomListView() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    TListColumns* Columns() const { return FColumns.get(); }
    void SetColumns(TListColumns* Value) { FColumns->Assign(Value); }
    TListItems* Items() const { return FItems.get(); }
    void SetItems(TListItems* Value) { FItems->Assign(Value); }
    TViewStyle ViewStyle() const { return FViewStyle; }
    void SetViewStyle(TViewStyle Value);
    TCustomImageList* SmallImages() const { return FSmallImages; }
    void SetSmallImages(TCustomImageList* Value);
    TCustomImageList* LargeImages() const { return FLargeImages; }
    void SetLargeImages(TCustomImageList* Value);
    TCustomImageList* StateImages() const { return FStateImages; }
    void SetStateImages(TCustomImageList* Value);
    bool Checkboxes() const { return FCheckboxes; }
    void SetCheckboxes(bool Value);
    bool RowSelect() const { return FRowSelect; }
    void SetRowSelect(bool Value);
    bool GridLines() const { return FGridLines; }
    void SetGridLines(bool Value);
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    // No editing of the captions in place.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool ShowColumnHeaders() const { return FShowColumnHeaders; }
    void SetShowColumnHeaders(bool Value);
    // Column headers act as buttons (OnColumnClick).
    bool ColumnClick() const { return FColumnClick; }
    void SetColumnClick(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);

    // The first selected item; setting it selects that one item (null: none).
    TListItem* Selected() const;
    void SetSelected(TListItem* Value);
    int SelCount() const;
    int ItemIndex() const;
    void SetItemIndex(int Value);
    TListItem* ItemFocused() const;
    void SetItemFocused(TListItem* Value);
    TListItem* GetItemAt(int X, int Y);
    void ClearSelection();

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void CMColorChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    virtual void CNNotify(TMessage& Message);

    virtual bool CanChange(TListItem* Item, TItemChange Change);
    virtual void Change(TListItem* Item, TItemChange Change);
    virtual void DoSelectItem(TListItem* Item, bool Selected);
    virtual void ColClick(TListColumn* Column);

    TLVChangeEvent OnChange;
    TLVChangingEvent OnChanging;
    TLVSelectItemEvent OnSelectItem;
    TLVColumnClickEvent OnColumnClick;
    TLVDeletedEvent OnDeletion;
    TLVCustomDrawEvent OnCustomDraw;

protected:
    friend class TListColumn;
    friend class TListColumns;
    friend class TListItem;
    friend class TListItems;
    void UpdateColumns();
    void UpdateColumn(int Index);
    // Column Index as the window takes it (its text points into the column's caption).
    LVCOLUMNW ColumnInfo(int Index) const;
    void UpdateExtendedStyles();
    void UpdateImageLists();
    void UpdateColors();
    void InsertWindowItem(TListItem* Item, int Index);
    void UpdateWindowItem(TListItem* Item);
    void StyleChanged();
    TListItem* ItemOf(int Index) const;
    void SetImageList(TCustomImageList*& Field, TCustomImageList* Value);

    std::unique_ptr<TListColumns> FColumns;
    std::unique_ptr<TListItems> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    TViewStyle FViewStyle = vsIcon;
    TCustomImageList* FSmallImages = nullptr;
    TCustomImageList* FLargeImages = nullptr;
    TCustomImageList* FStateImages = nullptr;
    bool FCheckboxes = false;
    bool FRowSelect = false;
    bool FGridLines = false;
    bool FHotTrack = false;
    bool FReadOnly = false;
    bool FMultiSelect = false;
    bool FHideSelection = true;
    bool FShowColumnHeaders = true;
    bool FColumnClick = true;
    TBorderStyle FBorderStyle = bsSingle;
    // Set while the control writes items into its window itself.
    int FChanging = 0;
};

class TListView : public TCustomListView {
public:
    explicit TListView(TComponent* AOwner) : TCustomListView(AOwner) {}
};
