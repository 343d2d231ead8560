#include "framework/stdctrls/ListBox.h"

#include <algorithm>

#include "framework/controls/Forms.h"

namespace {

const TWinListStrings::TMessages ListMessages = {LB_GETCOUNT,    LB_GETTEXTLEN, LB_GETTEXT,      LB_GETITEMDATA,
                                                 LB_SETITEMDATA, LB_ADDSTRING,  LB_INSERTSTRING, LB_DELETESTRING,
                                                 LB_RESETCONTENT, LB_FINDSTRINGEXACT};

} // namespace

// ---- TCustomListBox -------------------------------------------------------------------------

TCustomListBox::TCustomListBox(TComponent* AOwner)
    : TWinControl(AOwner), FItems(std::make_unique<TWinListStrings>(this, ListMessages)),
      FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
    FControlStyle = TControlStyle{csSetCaption, csDoubleClicks, csOpaque};
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomListBox::~TCustomListBox()
{
    if (HandleAllocated()) DestroyHandle();
}

void TCustomListBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, L"LISTBOX");
    static const DWORD styles[] = {0, LBS_OWNERDRAWFIXED, LBS_OWNERDRAWVARIABLE};
    Params.Style |= WS_HSCROLL | WS_VSCROLL | LBS_HASSTRINGS | LBS_NOTIFY | styles[FStyle];
    if (FSorted) Params.Style |= LBS_SORT;
    if (FMultiSelect) Params.Style |= FExtendedSelect ? LBS_EXTENDEDSEL : LBS_MULTIPLESEL;
    if (!FIntegralHeight) Params.Style |= LBS_NOINTEGRALHEIGHT;
    if (FColumns != 0) Params.Style |= LBS_MULTICOLUMN;
    if (FTabWidth != 0) Params.Style |= LBS_USETABSTOPS;
    if (FBorderStyle == bsSingle) AddSingleBorder(Params, Ctl3D());
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomListBox::CreateWnd()
{
    TWinControl::CreateWnd();
    if (FColumns != 0) SendMessageW(FHandle, LB_SETCOLUMNWIDTH, static_cast<WPARAM>((Width() + FColumns - 3) / FColumns), 0);
    if (FTabWidth != 0) SendMessageW(FHandle, LB_SETTABSTOPS, 1, reinterpret_cast<LPARAM>(&FTabWidth));
    if (FStyle == lbOwnerDrawFixed) SendMessageW(FHandle, LB_SETITEMHEIGHT, 0, FItemHeight);
    FItems->WindowCreated();
    SetItemIndex(FSaveItemIndex);
    SetTopIndex(FSaveTopIndex);
}

void TCustomListBox::DestroyWnd()
{
    FSaveItemIndex = ItemIndex();
    FSaveTopIndex = TopIndex();
    FItems->WindowDestroying();
    TWinControl::DestroyWnd();
}

int TCustomListBox::ItemIndex()
{
    if (!HandleAllocated()) return FSaveItemIndex;
    return static_cast<int>(SendMessageW(FHandle, FMultiSelect ? LB_GETCARETINDEX : LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int Value)
{
    if (!HandleAllocated()) {
        FSaveItemIndex = Value;
        return;
    }
    if (ItemIndex() == Value) return;
    if (FMultiSelect) SendMessageW(FHandle, LB_SETCARETINDEX, static_cast<WPARAM>(Value), FALSE);
    else SendMessageW(FHandle, LB_SETCURSEL, static_cast<WPARAM>(Value), 0);
}

void TCustomListBox::SetMultiSelect(bool Value)
{
    if (FMultiSelect == Value) return;
    FMultiSelect = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListBox::SetExtendedSelect(bool Value)
{
    if (FExtendedSelect == Value) return;
    FExtendedSelect = Value;
    if (HandleAllocated()) RecreateWnd();
}

bool TCustomListBox::Selected(int Index)
{
    if (!HandleAllocated()) return Index == FSaveItemIndex && Index >= 0;
    LRESULT r = SendMessageW(FHandle, LB_GETSEL, static_cast<WPARAM>(Index), 0);
    if (r == LB_ERR) throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    return r != 0;
}

void TCustomListBox::SetSelected(int Index, bool Value)
{
    if (FMultiSelect) {
        if (SendMessageW(Handle(), LB_SETSEL, Value, Index) == LB_ERR)
            throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    } else if (Value) {
        SetItemIndex(Index);
    } else if (ItemIndex() == Index) {
        SetItemIndex(-1);
    }
}

int TCustomListBox::SelCount()
{
    if (!HandleAllocated()) return FSaveItemIndex >= 0 ? 1 : 0;
    if (!FMultiSelect) return ItemIndex() >= 0 ? 1 : 0;
    return static_cast<int>(SendMessageW(FHandle, LB_GETSELCOUNT, 0, 0));
}

void TCustomListBox::SetSorted(bool Value)
{
    if (FSorted == Value) return;
    FSorted = Value;
    FItems->SetSorted(Value);
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListBox::SetStyle(TListBoxStyle Value)
{
    if (FStyle == Value) return;
    FStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

int TCustomListBox::ItemHeight()
{
    if (FStyle != lbStandard || !HandleAllocated()) return FItemHeight;
    return static_cast<int>(SendMessageW(FHandle, LB_GETITEMHEIGHT, 0, 0));
}

void TCustomListBox::SetItemHeight(int Value)
{
    if (Value <= 0 || FItemHeight == Value) return;
    FItemHeight = Value;
    if (HandleAllocated() && FStyle != lbStandard) RecreateWnd();
}

int TCustomListBox::TopIndex()
{
    if (!HandleAllocated()) return FSaveTopIndex;
    return static_cast<int>(SendMessageW(FHandle, LB_GETTOPINDEX, 0, 0));
}

void TCustomListBox::SetTopIndex(int Value)
{
    if (!HandleAllocated()) {
        FSaveTopIndex = Value;
        return;
    }
    if (TopIndex() != Value) SendMessageW(FHandle, LB_SETTOPINDEX, static_cast<WPARAM>(Value), 0);
}

void TCustomListBox::SetColumns(int Value)
{
    if (FColumns == Value) return;
    bool recreate = (FColumns == 0) != (Value == 0);
    FColumns = Value;
    if (!HandleAllocated()) return;
    if (recreate) RecreateWnd();
    else if (Value != 0) SendMessageW(FHandle, LB_SETCOLUMNWIDTH, static_cast<WPARAM>((Width() + Value - 3) / Value), 0);
}

void TCustomListBox::SetIntegralHeight(bool Value)
{
    if (FIntegralHeight == Value) return;
    FIntegralHeight = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListBox::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomListBox::SetTabWidth(int Value)
{
    if (FTabWidth == Value || Value < 0) return;
    FTabWidth = Value;
    if (HandleAllocated()) RecreateWnd();
}

int TCustomListBox::ItemAtPos(const TPoint& Pos, bool Existing)
{
    RECT client = ClientRect();
    if (PtInRect(&client, Pos)) {
        int count = FItems->Count();
        for (int i = TopIndex(); i < count; ++i) {
            RECT r{};
            SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r));
            if (PtInRect(&r, Pos)) return i;
        }
        if (!Existing) return count;
    }
    return -1;
}

TRect TCustomListBox::ItemRect(int Index)
{
    RECT r{0, 0, 0, 0};
    int count = FItems->Count();
    if (Index == 0 || (Index > 0 && Index < count)) {
        SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(Index), reinterpret_cast<LPARAM>(&r));
    } else if (Index == count) {
        SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(Index - 1), reinterpret_cast<LPARAM>(&r));
        OffsetRect(&r, 0, r.bottom - r.top);
    }
    return r;
}

void TCustomListBox::ClearSelection()
{
    if (FMultiSelect) {
        if (HandleAllocated()) SendMessageW(FHandle, LB_SETSEL, FALSE, -1);
    } else {
        SetItemIndex(-1);
    }
}

void TCustomListBox::SelectAll()
{
    if (FMultiSelect && HandleAllocated()) SendMessageW(FHandle, LB_SETSEL, TRUE, -1);
}

void TCustomListBox::DeleteSelected()
{
    if (FMultiSelect) {
        for (int i = FItems->Count() - 1; i >= 0; --i)
            if (Selected(i)) FItems->Delete(i);
    } else if (int index = ItemIndex(); index >= 0) {
        FItems->Delete(index);
    }
}

void TCustomListBox::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_COMMAND: CNCommand(Message); return;
    case CN_DRAWITEM: CNDrawItem(Message); return;
    case CN_MEASUREITEM: CNMeasureItem(Message); return;
    }
    TWinControl::Dispatch(Message);
}

void TCustomListBox::CNCommand(TMessage& Message)
{
    switch (Message.WParamHi()) {
    case LBN_SELCHANGE:
        Perform(CM_CHANGED);
        Click();
        break;
    case LBN_DBLCLK: DblClick(); break;
    }
}

void TCustomListBox::CNDrawItem(TMessage& Message)
{
    DrawOwnerDrawnItem(FCanvas.get(), this, Message,
                       [this](int Index, const TRect& Rect, TOwnerDrawState State) { DrawItem(Index, Rect, State); });
}

void TCustomListBox::CNMeasureItem(TMessage& Message)
{
    MeasureOwnerDrawnItem(Message, FItemHeight, FStyle == lbOwnerDrawVariable,
                          [this](int Index, int& Height) { MeasureItem(Index, Height); });
}

void TCustomListBox::DrawItem(int Index, const TRect& Rect, TOwnerDrawState State)
{
    FCanvas->UpdateTextFlags();
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    FCanvas->FillRect(Rect);
    if (Index < FItems->Count()) FCanvas->TextOut(Rect.left + 2, Rect.top, FItems->Get(Index));
}

void TCustomListBox::MeasureItem(int Index, int& Height)
{
    if (OnMeasureItem) OnMeasureItem(this, Index, Height);
}
