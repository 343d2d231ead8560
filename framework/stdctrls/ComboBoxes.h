#pragma once
// Combo boxes and list boxes over the system COMBOBOX and LISTBOX classes.
//
// Items live in the window while it exists (so the window sorts and draws them) and in memory
// while it does not; creating and destroying the window moves them across, with the selection.
// The combo box subclasses its inner edit window so the keys typed there reach the control
// (OnKeyDown/OnKeyPress/OnKeyUp, dialog keys, auto-completion) and the form learns that the
// combo box has the focus. OnChange fires when the user types (CBN_EDITCHANGE) or picks an item
// (CBN_SELCHANGE, through Select when no OnSelect is assigned); setting Text or ItemIndex in code
// fires nothing. Owner-drawn styles draw through DrawItem (OnDrawItem) on the control's canvas.
#include <memory>

#include "framework/controls/Controls.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "framework/classes/StringList.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };
enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

// The items of a list window, in the window while it exists and in memory otherwise.
class TWinListStrings : public TStrings {
public:
    // The window messages of one kind of list (the CB_ or the LB_ family).
    struct TMessages {
        UINT GetCount, GetTextLen, GetText, GetItemData, SetItemData, AddString, InsertString, DeleteString,
            ResetContent, FindStringExact;
    };
    TWinListStrings(TWinControl* Control, const TMessages& Messages);

    String Get(int Index) const override;
    int GetCount() const override;
    TObject* GetObjectAt(int Index) const override;
    void PutObjectAt(int Index, TObject* AObject) override;
    void Put(int Index, const String& S) override;
    int Add(const String& S) override;
    int AddObject(const String& S, TObject* AObject) override;
    void Insert(int Index, const String& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int IndexOf(const String& S) const override;

    // The window sorts new items (memory keeps the same order while there is no window).
    void SetSorted(bool Value);
    // Moves the items into a new window / out of a window about to be destroyed.
    void WindowCreated();
    void WindowDestroying();

protected:
    void SetUpdateState(bool Updating) override;

private:
    bool InWindow() const { return FControl->HandleAllocated() && !FMoving; }
    LRESULT Send(UINT Msg, WPARAM WParam = 0, LPARAM LParam = 0) const;
    TWinControl* FControl;
    TMessages FMsg;
    TStringList FStore;
    bool FMoving = false;
};

class TCustomComboBox : public TWinControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);
    ~TCustomComboBox() override;

    TComboBoxStyle Style() const { return FStyle; }
    void SetStyle(TComboBoxStyle Value);
    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    int ItemCount() const { return FItems->Count(); }
    // -1 for none. Setting it selects the item (and shows its text) without firing events.
    int ItemIndex();
    void SetItemIndex(int Value);
    bool DroppedDown();
    // Opens or closes the list (which fires OnDropDown / OnCloseUp).
    void SetDroppedDown(bool Value);
    // Lines the open list shows before it scrolls.
    int DropDownCount() const { return FDropDownCount; }
    virtual void SetDropDownCount(int Value);
    // The item height (owner-drawn styles: the stored value; otherwise the window's).
    int ItemHeight();
    void SetItemHeight(int Value);
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    // Typing selects the first item the typed text starts (the rest shown selected).
    bool AutoComplete() const { return FAutoComplete; }
    void SetAutoComplete(bool Value) { FAutoComplete = Value; }
    bool AutoDropDown() const { return FAutoDropDown; }
    void SetAutoDropDown(bool Value) { FAutoDropDown = Value; }
    bool AutoCloseUp() const { return FAutoCloseUp; }
    void SetAutoCloseUp(bool Value) { FAutoCloseUp = Value; }
    // Milliseconds after which typing in a list style starts a new search.
    int AutoCompleteDelay() const { return FAutoCompleteDelay; }
    void SetAutoCompleteDelay(int Value) { FAutoCompleteDelay = Value; }
    const String& TextHint() const { return FTextHint; }
    void SetTextHint(const String& Value);

    // The edit part's selection, 0-based.
    int SelStart();
    void SetSelStart(int Value);
    int SelLength();
    void SetSelLength(int Value);
    String SelText();
    void SetSelText(const String& Value);
    void SelectAll();
    void ClearSelection() { SetItemIndex(-1); }
    void Clear();
    void AddItem(const String& Item, TObject* AObject) { FItems->AddObject(Item, AObject); }

    // The inner edit window (0 for the list styles) and the list window.
    HWND EditHandle() const { return FEditHandle; }
    HWND ListHandle() const { return FListHandle; }
    TCanvas* Canvas() const { return FCanvas.get(); }
    bool Focused() override;

    virtual void Change();
    // A pick by the user: OnSelect, or OnChange when OnSelect is not assigned.
    virtual void Select();
    virtual void DropDown();
    virtual void CloseUp();
    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);
    // Selects the first item starting with AnItem, completing the edit text; true when found.
    virtual bool SelectItem(const String& AnItem);
    void KeyPress(wchar_t& Key) override;

    // The inner edit's messages (after the control's own handling in ComboWndProc).
    virtual void EditWndProc(TMessage& Message);
    // Key, focus and mouse handling shared by the inner windows; ComboProc is their own procedure.
    virtual void ComboWndProc(TMessage& Message, HWND ComboWnd, WNDPROC ComboProc);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    virtual void CNCommand(TMessage& Message);
    virtual void CNDrawItem(TMessage& Message);
    virtual void CNMeasureItem(TMessage& Message);

    TNotifyEvent OnChange;
    TNotifyEvent OnSelect;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;
    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    bool HasEdit() const { return FStyle == csDropDown || FStyle == csSimple; }
    bool IsOwnerDraw() const { return FStyle == csOwnerDrawFixed || FStyle == csOwnerDrawVariable; }
    // Sizes the open list for DropDownCount lines.
    void AdjustDropDown();
    // Sets the edit text without counting it as the user's change.
    void SetTextQuietly(const String& Value);
    void HookEdit();
    void UnhookEdit();
    static LRESULT CALLBACK EditProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

    std::unique_ptr<TWinListStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    TComboBoxStyle FStyle = csDropDown;
    bool FSorted = false;
    int FMaxLength = 0;
    int FDropDownCount = 8;
    int FItemHeight = 16;
    int FItemIndex = -1;
    TEditCharCase FCharCase = ecNormal;
    bool FAutoComplete = true;
    bool FAutoDropDown = false;
    bool FAutoCloseUp = false;
    int FAutoCompleteDelay = 500;
    String FTextHint;
    HWND FEditHandle = nullptr;
    HWND FListHandle = nullptr;
    WNDPROC FDefEditProc = nullptr;
    bool FDroppingDown = false;
    bool FSettingText = false;
    bool FIsFocused = false;
    bool FFocusChanged = false;
    String FFilter;
    DWORD FLastTime = 0;
};

class TComboBox : public TCustomComboBox {
public:
    using TCustomComboBox::TCustomComboBox;
};

class TCustomListBox : public TWinControl {
public:
    explicit TCustomListBox(TComponent* AOwner);
    ~TCustomListBox() override;

    TStrings* Items() const { return FItems.get(); }
    void SetItems(TStrings* Value) { FItems->Assign(Value); }
    int Count() const { return FItems->Count(); }
    // The selected item (the focused one with MultiSelect), -1 for none.
    int ItemIndex();
    void SetItemIndex(int Value);
    bool MultiSelect() const { return FMultiSelect; }
    void SetMultiSelect(bool Value);
    // With MultiSelect: Shift/Ctrl extend the selection (otherwise each click toggles an item).
    bool ExtendedSelect() const { return FExtendedSelect; }
    void SetExtendedSelect(bool Value);
    bool Selected(int Index);
    void SetSelected(int Index, bool Value);
    int SelCount();
    bool Sorted() const { return FSorted; }
    void SetSorted(bool Value);
    TListBoxStyle Style() const { return FStyle; }
    void SetStyle(TListBoxStyle Value);
    int ItemHeight();
    void SetItemHeight(int Value);
    int TopIndex();
    void SetTopIndex(int Value);
    int Columns() const { return FColumns; }
    void SetColumns(int Value);
    bool IntegralHeight() const { return FIntegralHeight; }
    void SetIntegralHeight(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    // Tab stops in dialog units (0: none).
    int TabWidth() const { return FTabWidth; }
    void SetTabWidth(int Value);
    TCanvas* Canvas() const { return FCanvas.get(); }

    // The item at a client point; -1 when none (Existing false: past the last item gives Count).
    int ItemAtPos(const TPoint& Pos, bool Existing);
    // An item's rectangle (Count: the one after the last; others outside: empty).
    TRect ItemRect(int Index);
    void Clear() { FItems->Clear(); }
    void ClearSelection();
    void SelectAll();
    void DeleteSelected();
    void AddItem(const String& Item, TObject* AObject) { FItems->AddObject(Item, AObject); }

    virtual void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State);
    virtual void MeasureItem(int Index, int& Height);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void CNCommand(TMessage& Message);
    virtual void CNDrawItem(TMessage& Message);
    virtual void CNMeasureItem(TMessage& Message);

    TDrawItemEvent OnDrawItem;
    TMeasureItemEvent OnMeasureItem;

protected:
    std::unique_ptr<TWinListStrings> FItems;
    std::unique_ptr<TControlCanvas> FCanvas;
    TListBoxStyle FStyle = lbStandard;
    bool FSorted = false;
    bool FMultiSelect = false;
    bool FExtendedSelect = true;
    bool FIntegralHeight = false;
    int FItemHeight = 16;
    int FColumns = 0;
    int FTabWidth = 0;
    TBorderStyle FBorderStyle = bsSingle;
    int FSaveItemIndex = -1;
    int FSaveTopIndex = 0;
};

class TListBox : public TCustomListBox {
public:
    using TCustomListBox::TCustomListBox;
};
