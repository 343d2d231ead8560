#pragma once
// Combo boxes over the system COMBOBOX class.
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
#include "framework/stdctrls/WinListStrings.h"

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

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
