#pragma once
// The items of a list window (a combo box's or a list box's), kept in the window while it exists
// and in memory while it does not, and the owner-draw plumbing the combo and list boxes share.
#include <windows.h>

#include "framework/controls/Controls.h"
#include "framework/graphics/Canvas.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "framework/classes/StringList.h"

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

// CB_ERR and LB_ERR are both -1; CB_ERRSPACE and LB_ERRSPACE both -2.
constexpr LRESULT ListError = -1;

// WM_DRAWITEM of an owner-drawn combo or list box: the canvas in the control's font and brush
// (the highlight colours for a selected item), the item drawn by Draw or the space without one
// filled, and the focus rectangle over it.
template <class F>
void DrawOwnerDrawnItem(TCanvas* Canvas, TWinControl* Control, TMessage& Message, F&& Draw)
{
    auto* dis = reinterpret_cast<DRAWITEMSTRUCT*>(Message.LParam);
    TOwnerDrawState state = OwnerDrawStateFromItemState(dis->itemState);
    Canvas->SetHandle(dis->hDC);
    Canvas->SetFont(Control->Font());
    Canvas->SetBrush(Control->Brush());
    int index = static_cast<int>(dis->itemID);
    if (index >= 0 && state.Contains(odSelected)) {
        Canvas->Brush()->SetColor(clHighlight);
        Canvas->Font()->SetColor(clHighlightText);
    }
    if (index >= 0) Draw(index, dis->rcItem, state);
    else Canvas->FillRect(dis->rcItem);
    if (state.Contains(odFocused)) DrawFocusRect(dis->hDC, &dis->rcItem);
    Canvas->SetHandle(nullptr);
    Message.Result = 1;
}

// WM_MEASUREITEM of an owner-drawn combo or list box: ItemHeight, which Measure may change
// item by item in the variable style.
template <class F>
void MeasureOwnerDrawnItem(TMessage& Message, int ItemHeight, bool Variable, F&& Measure)
{
    auto* mis = reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam);
    int height = ItemHeight;
    if (Variable) Measure(static_cast<int>(mis->itemID), height);
    mis->itemHeight = static_cast<UINT>(height);
    Message.Result = 1;
}
