#pragma once
// List boxes over the system LISTBOX class. Items live in the window while it exists and in
// memory while it does not; creating and destroying the window moves them across, with the
// selection. Owner-drawn styles draw through DrawItem (OnDrawItem) on the control's canvas.
#include <memory>

#include "framework/controls/Controls.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "framework/stdctrls/WinListStrings.h"

enum TListBoxStyle { lbStandard, lbOwnerDrawFixed, lbOwnerDrawVariable };

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
