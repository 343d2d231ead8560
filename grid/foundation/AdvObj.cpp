#include "grid/foundation/AdvObj.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "framework/system/Conversions.h"
#include "framework/classes/StringList.h"
#include "framework/graphics/Canvas.h"
#include "framework/system/StringUtils.h"

// ---- TIntList --------------------------------------------------------------------------------

namespace {

void* ToSlot(int Value) { return reinterpret_cast<void*>(static_cast<intptr_t>(Value)); }
int FromSlot(void* Slot) { return static_cast<int>(reinterpret_cast<intptr_t>(Slot)); }

constexpr uint32_t DescendingBit = 0x80000000u;

} // namespace

void TIntList::Changed()
{
    if (OnChange) OnChange(this, FCol, FRow);
}

int TIntList::Add(int Value)
{
    int index = TList::Add(ToSlot(Value));
    Changed();
    return index;
}

void TIntList::Insert(int Index, int Value)
{
    TList::Insert(Index, ToSlot(Value));
}

void TIntList::Delete(int Index)
{
    TList::Delete(Index);
    Changed();
}

void TIntList::DeleteValue(int Value)
{
    int index = TList::IndexOf(ToSlot(Value));
    if (index >= 0) Delete(index);
}

bool TIntList::HasValue(int Value) const
{
    return TList::IndexOf(ToSlot(Value)) >= 0;
}

int TIntList::Items(int Index) const
{
    return FromSlot(TList::Items(Index));
}

void TIntList::SetItems(int Index, int Value)
{
    TList::SetItems(Index, ToSlot(Value));
    Changed();
}

String TIntList::StrValue() const
{
    String s;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0) s += L',';
        s += IntToStr(Items(i));
    }
    return s;
}

void TIntList::SetStrValue(const String& Value)
{
    Clear();
    TStringList parts;
    parts.SetCommaText(Value);
    for (int i = 0; i < parts.Count(); ++i)
        Add(StrToIntDef(parts[i], 0));
}

// ---- TSortIndexList --------------------------------------------------------------------------

void TSortIndexList::AddIndex(int ColumnIndex, bool Ascending)
{
    uint32_t value = static_cast<uint32_t>(ColumnIndex);
    if (!Ascending) value |= DescendingBit;
    Add(static_cast<int>(value));
}

int TSortIndexList::FindIndex(int ColumnIndex) const
{
    for (int i = 0; i < Count(); ++i)
        if (GetSortColumn(i) == ColumnIndex) return i;
    return -1;
}

int TSortIndexList::GetSortColumn(int Index) const
{
    return static_cast<int>(static_cast<uint32_t>(Items(Index)) & ~DescendingBit);
}

void TSortIndexList::ToggleIndex(int ColumnIndex)
{
    int index = FindIndex(ColumnIndex);
    if (index < 0) return;
    SetItems(index, static_cast<int>(static_cast<uint32_t>(Items(index)) ^ DescendingBit));
}

String TSortIndexList::SaveToString() const
{
    String s;
    for (int i = 0; i < Count(); ++i) {
        if (i > 0) s += L';';
        uint32_t value = static_cast<uint32_t>(Items(i));
        s += (value & DescendingBit) ? L'd' : L'u';
        s += IntToStr(static_cast<int>(value & 0xFFFF));
    }
    return s;
}

void TSortIndexList::LoadFromString(const String& S)
{
    Clear();
    size_t start = 0;
    while (start <= S.size()) {
        size_t end = S.find(L';', start);
        if (end == String::npos) end = S.size();
        String part = S.substr(start, end - start);
        if (part.size() >= 2) {
            int column = 0;
            // A part whose rest is no number names no column: it is skipped.
            if (TryStrToInt(part.substr(1), column)) AddIndex(column, part[0] == L'u');
        }
        start = end + 1;
    }
}

// ---- TControlList ----------------------------------------------------------------------------

TControlList::~TControlList()
{
    Clear();
}

void TControlList::Notify(void* Ptr, TListNotification Action)
{
    if (Action == lnDeleted) delete static_cast<TControlItem*>(Ptr);
    TList::Notify(Ptr, Action);
}

void TControlList::AddControl(int X, int Y, TControl* AObject)
{
    TList::Add(new TControlItem(X, Y, AObject));
}

int TControlList::ControlIndex(int X, int Y) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->X == X && Items(i)->Y == Y) return i;
    return -1;
}

void TControlList::RemoveControl(int Index)
{
    TList::Delete(Index);
}

bool TControlList::HasHandle(HWND Handle) const
{
    for (int i = 0; i < Count(); ++i) {
        auto* control = dynamic_cast<TWinControl*>(Items(i)->Control);
        if (control != nullptr && control->HandleAllocated() && control->Handle() == Handle) return true;
    }
    return false;
}

// ---- TFileStringList --------------------------------------------------------------------------

void TFileStringList::Reset()
{
    fp = 0;
    cache.clear();
}

void TFileStringList::ReadLn(String& S)
{
    S = Strings(fp);
    ++fp;
}

void TFileStringList::Write(const String& S) { cache += S; }

void TFileStringList::WriteLn(const String& S)
{
    Add(cache + S);
    cache.clear();
}

// ---- Option groups ---------------------------------------------------------------------------

TSearchFooter::TSearchFooter(TPersistent* AOwner, bool InitDesign) : FOwner(AOwner), FFont(std::make_unique<TFont>())
{
    if (InitDesign) {
        FFindNextCaption = L"Find &next";
        FFindPrevCaption = L"Find &previous";
        FMatchCaseCaption = L"Match case";
        FHighLightCaption = L"Highlight";
        FHintClose = L"Close";
        FHintFindNext = L"Find next occurrence";
        FHintFindPrev = L"Find previous occurrence";
        FHintHighlight = L"Highlight occurrences";
    }
}

void TSearchFooter::SetFont(TFont* Value)
{
    FFont->Assign(Value);
    if (OnChange) OnChange(this);
}

void TSearchFooter::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TSearchFooter*>(Source);
    if (src == nullptr) return;
    FVisible = src->FVisible;
    FColor = src->FColor;
    FColorTo = src->FColorTo;
    FFont->Assign(src->FFont.get());
    FShowFindNext = src->FShowFindNext;
    FShowFindPrev = src->FShowFindPrev;
    FShowMatchCase = src->FShowMatchCase;
    FShowHighLight = src->FShowHighLight;
    FShowClose = src->FShowClose;
    FFindNextCaption = src->FFindNextCaption;
    FFindPrevCaption = src->FFindPrevCaption;
    FMatchCaseCaption = src->FMatchCaseCaption;
    FHighLightCaption = src->FHighLightCaption;
    FHintClose = src->FHintClose;
    FHintFindNext = src->FHintFindNext;
    FHintFindPrev = src->FHintFindPrev;
    FHintHighlight = src->FHintHighlight;
    FAlwaysHighLight = src->FAlwaysHighLight;
    FSearchActiveColumnOnly = src->FSearchActiveColumnOnly;
    FSearchMatchStart = src->FSearchMatchStart;
    FSearchHiddenRows = src->FSearchHiddenRows;
    FSearchColumn = src->FSearchColumn;
    FSearchDirection = src->FSearchDirection;
}

void TNavigation::Changed()
{
    if (OnChange) OnChange(this);
}

void TNavigation::SetAdvanceDirection(TAdvanceDirection Value)
{
    if (Value == FAdvanceDirection) return;
    FAdvanceDirection = Value;
    Changed();
}

void TNavigation::SetAdvanceInsert(bool Value)
{
    if (Value == FAdvanceInsert) return;
    FAdvanceInsert = Value;
    Changed();
}

void TNavigation::SetAdvanceAuto(bool Value)
{
    if (Value == FAdvanceAuto) return;
    FAdvanceAuto = Value;
    // Advancing by itself is advancing after Enter too.
    if (Value) AdvanceOnEnter = true;
}

void TNavigation::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TNavigation*>(Source);
    if (src == nullptr) return;
    bool keep = KeepScrollOnSort;
    TNotifyEvent onChange = OnChange;
    AllowClipboardRowGrow = src->AllowClipboardRowGrow;
    AllowClipboardColGrow = src->AllowClipboardColGrow;
    CopyHTMLTagsToClipboard = src->CopyHTMLTagsToClipboard;
    EditSelectAll = src->EditSelectAll;
    SkipFixedCells = src->SkipFixedCells;
    SkipDisabledRows = src->SkipDisabledRows;
    AllowCtrlEnter = src->AllowCtrlEnter;
    CursorWalkAlwaysEdit = src->CursorWalkAlwaysEdit;
    AdvanceAutoEdit = src->AdvanceAutoEdit;
    LeftRightRowSelect = src->LeftRightRowSelect;
    ComboGetUpDown = src->ComboGetUpDown;
    AllowInsertRow = src->AllowInsertRow;
    AllowDeleteRow = src->AllowDeleteRow;
    AlwaysEdit = src->AlwaysEdit;
    AdvanceOnEnter = src->AdvanceOnEnter;
    FAdvanceInsert = src->FAdvanceInsert;
    FAdvanceAuto = src->FAdvanceAuto;
    AutoGotoWhenSorted = src->AutoGotoWhenSorted;
    AutoGotoIncremental = src->AutoGotoIncremental;
    AutoComboDropSize = src->AutoComboDropSize;
    AllowClipboardShortCuts = src->AllowClipboardShortCuts;
    AllowSmartClipboard = src->AllowSmartClipboard;
    AllowRTFClipboard = src->AllowRTFClipboard;
    AllowFmtClipboard = src->AllowFmtClipboard;
    AllowClipboardAlways = src->AllowClipboardAlways;
    AppendOnArrowDown = src->AppendOnArrowDown;
    CursorWalkEditor = src->CursorWalkEditor;
    MoveRowOnSort = src->MoveRowOnSort;
    MoveScrollOnly = src->MoveScrollOnly;
    ImproveMaskSel = src->ImproveMaskSel;
    KeepHorizScroll = src->KeepHorizScroll;
    LineFeedOnEnter = src->LineFeedOnEnter;
    TabToNextAtEnd = src->TabToNextAtEnd;
    FAdvanceDirection = src->FAdvanceDirection;
    TabAdvanceDirection = src->TabAdvanceDirection;
    InsertPosition = src->InsertPosition;
    ClipboardPasteAction = src->ClipboardPasteAction;
    HomeEndKey = src->HomeEndKey;
    KeepScrollOnSort = keep;
    OnChange = onChange;
}

void TMouseActions::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TMouseActions*>(Source);
    if (src == nullptr) return;
    AutoSizeColOnDblClick = src->AutoSizeColOnDblClick;
    PreciseNodeClick = src->PreciseNodeClick;
    AllColumnSize = src->AllColumnSize;
    AllRowSize = src->AllRowSize;
    AllSelect = src->AllSelect;
    CaretPositioning = src->CaretPositioning;
    CheckAllCheck = src->CheckAllCheck;
    ColSelect = src->ColSelect;
    DirectComboClose = src->DirectComboClose;
    DirectComboDrop = src->DirectComboDrop;
    DirectDateClose = src->DirectDateClose;
    DirectDateDrop = src->DirectDateDrop;
    DirectEdit = src->DirectEdit;
    FDisjunctRowSelect = src->FDisjunctRowSelect;
    DisjunctRowSelectNoCtrl = src->DisjunctRowSelectNoCtrl;
    FDisjunctColSelect = src->FDisjunctColSelect;
    FDisjunctCellSelect = src->FDisjunctCellSelect;
    MoveRowOnNodeClick = src->MoveRowOnNodeClick;
    NoAutoRangeScroll = src->NoAutoRangeScroll;
    NodeAllExpandContract = src->NodeAllExpandContract;
    NoScrollOnPartialRow = src->NoScrollOnPartialRow;
    PreciseCheckBoxCheck = src->PreciseCheckBoxCheck;
    RangeSelectAndEdit = src->RangeSelectAndEdit;
    RowSelect = src->RowSelect;
    RowSelectPersistent = src->RowSelectPersistent;
    SelectOnRightClick = src->SelectOnRightClick;
    SizeFixedCol = src->SizeFixedCol;
    FixedRowsEdit = src->FixedRowsEdit;
    FixedColsEdit = src->FixedColsEdit;
    WheelIncrement = src->WheelIncrement;
    FWheelAction = src->FWheelAction;
}

bool TMouseActions::IsDesigning()
{
    bool designing = false;
    if (OnIsDesigning) OnIsDesigning(this, designing);
    return designing;
}

void TMouseActions::SetHotmailRowSelect(bool Value)
{
    FHotmailRowSelect = Value;
    if (Value) {
        FDisjunctRowSelect = true;
        CheckAllCheck = true;
    }
    if (OnInvalidate) OnInvalidate(this);
}

void TMouseActions::SetEditOnDblClickOnly(bool Value)
{
    FEditOnDblClickOnly = Value;
    if (Value && OnDisableEdit) OnDisableEdit(this);
}

// A designer picks one disjunct selection at a time; code may combine them.
void TMouseActions::SetDisjunctRowSelect(bool Value)
{
    FDisjunctRowSelect = Value;
    if (Value && IsDesigning()) FDisjunctColSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctColSelect(bool Value)
{
    FDisjunctColSelect = Value;
    if (Value && IsDesigning()) FDisjunctRowSelect = FDisjunctCellSelect = false;
}

void TMouseActions::SetDisjunctCellSelect(bool Value)
{
    FDisjunctCellSelect = Value;
    if (Value && IsDesigning()) FDisjunctRowSelect = FDisjunctColSelect = false;
}

void TMouseActions::SetWheelAction(TWheelAction Value)
{
    if (Value == FWheelAction) return;
    FWheelAction = Value;
    if (OnChange) OnChange(this);
}

void TSyncGrid::SetGrid(TCustomGrid* Value)
{
    if (Value == FOwner) return;
    FGrid = Value;
}

void TSyncGrid::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TSyncGrid*>(Source);
    if (src == nullptr) return;
    SetGrid(src->FGrid);
    ScrollVertical = src->ScrollVertical;
    ScrollHorizontal = src->ScrollHorizontal;
    SelectionColumn = src->SelectionColumn;
    SelectionRow = src->SelectionRow;
    MoveColumn = src->MoveColumn;
    MoveRow = src->MoveRow;
}

void TBands::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TBands*>(Source);
    if (src == nullptr) return;
    FActive = src->FActive;
    FPrimaryColor = src->FPrimaryColor;
    FSecondaryColor = src->FSecondaryColor;
    FPrimaryLength = src->FPrimaryLength;
    FSecondaryLength = src->FSecondaryLength;
    Print = src->Print;
}

void TBands::SetActive(bool Value)
{
    if (Value == FActive) return;
    FActive = Value;
    if (OnChange) OnChange(this);
}

void TBands::SetPrimaryColor(TColor Value) { Store(FPrimaryColor, Value); }
void TBands::SetSecondaryColor(TColor Value) { Store(FSecondaryColor, Value); }
void TBands::SetPrimaryLength(int Value) { Store(FPrimaryLength, Value); }
void TBands::SetSecondaryLength(int Value) { Store(FSecondaryLength, Value); }

void TFocusHelper::Assign(TPersistent* Source)
{
    if (auto* src = dynamic_cast<TFocusHelper*>(Source)) Enabled = src->Enabled;
}

// ---- Small windows ---------------------------------------------------------------------------

namespace {

const POINT ArrowShapes[4][7] = {
    {{5, 0}, {10, 5}, {7, 5}, {7, 9}, {3, 9}, {3, 5}, {0, 5}},   // arrUp
    {{3, 0}, {7, 0}, {7, 4}, {9, 4}, {5, 8}, {1, 4}, {3, 4}},    // arrDown
    {{0, 3}, {0, 7}, {4, 7}, {4, 10}, {8, 5}, {4, 0}, {4, 3}},   // arrLeft
    {{0, 5}, {4, 10}, {4, 7}, {8, 7}, {8, 3}, {4, 3}, {4, 0}},   // arrRight
};

} // namespace

TArrowWindow::TArrowWindow(TWinControl* AOwner, TArrowDirection Direction) : TPanel(AOwner), FDir(Direction)
{
    SetParentColor(false);
    SetColor(clLime);
    SetVisible(false);
    SetParent(AOwner);
}

void TArrowWindow::CreateParams(TCreateParams& Params)
{
    TPanel::CreateParams(Params);
    Params.Style = WS_POPUP;
    Params.ExStyle = 0;
}

void TArrowWindow::CreateWnd()
{
    TPanel::CreateWnd();
    for (int i = 0; i < 7; ++i)
        FArrow[i] = ArrowShapes[FDir][i];
    // The window owns the region once it is set.
    HRGN region = CreatePolygonRgn(FArrow, 7, WINDING);
    if (region != nullptr && SetWindowRgn(FHandle, region, TRUE) == 0) DeleteObject(region);
}

void TArrowWindow::Paint()
{
    Canvas()->Pen()->SetColor(Color());
    Canvas()->Brush()->SetColor(Color());
    Canvas()->FillRect(ClientRect());
}

TPopupButton::TPopupButton(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetParentColor(false);
    SetColor(clBtnFace);
    SetEnabled(false);
    SetDoubleBuffered(true);
    SetVisible(false);
}

void TPopupButton::SetCaption(const String& Value)
{
    FCaption = Value;
    Invalidate();
}

void TPopupButton::SetFlat(bool Value)
{
    FFlat = Value;
    Invalidate();
}

void TPopupButton::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_DISABLED | WS_BORDER;
    Params.WindowClass.style |= CS_SAVEBITS;
}

void TPopupButton::CreateWnd()
{
    TCustomControl::CreateWnd();
    SetWindowPos(FHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TPopupButton::Paint()
{
    TRect r = ClientRect();
    TCanvas* canvas = Canvas();
    if (!FFlat) {
        canvas->Pen()->SetColor(clWhite);
        canvas->MoveTo(r.left, r.bottom - 1);
        canvas->LineTo(r.left, r.top);
        canvas->LineTo(r.right - 1, r.top);
        canvas->Pen()->SetColor(clGray);
        canvas->LineTo(r.right - 1, r.bottom - 1);
        canvas->LineTo(r.left, r.bottom - 1);
        InflateRect(&r, -1, -1);
    }
    canvas->Brush()->SetColor(GradFrom == clNone ? Color() : GradFrom);
    canvas->FillRect(r);
    canvas->Brush()->SetStyle(bsClear);
    canvas->SetFont(Font());
    String text = FCaption;
    canvas->TextRect(r, text, DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS);
}

TGridFocusWindow::TGridFocusWindow(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetParentColor(false);
    SetColor(clRed);
    SetEnabled(false);
    SetVisible(false);
    SetBounds(0, 0, 0, 0);
}

void TGridFocusWindow::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    Params.Style = WS_POPUP | WS_DISABLED;
    Params.ExStyle = WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
}

// ---- TFilePicture --------------------------------------------------------------------------------

void TFilePicture::SetFilename(const String& Value)
{
    if (Value == FFilename) return;
    FFilename = Value;
    FPicture.reset();
    FLoaded = false;
}

bool TFilePicture::Load()
{
    if (FLoaded) return FPicture != nullptr;
    FLoaded = true;
    if (FFilename.empty() || !FileExists(FFilename)) return false;
    auto picture = std::make_unique<TPicture>();
    try {
        picture->LoadFromFile(FFilename);
    } catch (const Exception&) {
        // A corrupt or unknown file is a cell without a picture, not a failure of the grid.
        return false;
    }
    if (picture->Graphic() == nullptr) return false;
    FPicture = std::move(picture);
    return true;
}

int TFilePicture::Width() { return Load() ? FPicture->Width() : 0; }

int TFilePicture::Height() { return Load() ? FPicture->Height() : 0; }

void TFilePicture::Assign(TPersistent* Source)
{
    if (auto* other = dynamic_cast<TFilePicture*>(Source)) {
        SetFilename(other->FFilename);
        return;
    }
    TPersistent::Assign(Source);
}

void TFilePicture::DrawPicture(TCanvas* Canvas, const TRect& R)
{
    if (Canvas == nullptr || !Load()) return;
    Canvas->StretchDraw(R, FPicture->Graphic());
}

// ---- TCellGraphic --------------------------------------------------------------------------------

TCellGraphic::~TCellGraphic()
{
    FreeOwnedReferences();
}

void TCellGraphic::FreeOwnedReferences()
{
    TObject* bitmap = FCellBitmap.Object;
    TObject* icon = FCellIcon.Object;
    bool freeBitmap = false, freeIcon = false;
    switch (FCellType) {
    case ctBitmap:
    case ctRadio:
    case ctPicture:
    case ctFilePicture:
    case ctBitButton:
        freeBitmap = FCellCreated;
        break;
    case ctIcon:
        freeIcon = FCellCreated;
        break;
    case ctImages:
    case ctBalloon:
        freeBitmap = true;
        break;
    case ctCheckBox:
    case ctDataCheckBox:
    case ctRadioButton:
        freeBitmap = FCellAngle == 1;
        break;
    default:
        break;
    }
    if (freeBitmap) {
        FCellBitmap = {};
        delete bitmap;
    }
    if (freeIcon) {
        FCellIcon = {};
        delete icon;
    }
    FCellCreated = false;
}

void TCellGraphic::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TCellGraphic*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    FCellType = other->FCellType;
    FCellVAlign = other->FCellVAlign;
    FCellHAlign = other->FCellHAlign;
    FCellIndex = other->FCellIndex;
    FCellTransparent = other->FCellTransparent;
    FCellValue = other->FCellValue;
    FCellAngle = other->FCellAngle;
    FCellBoolean = other->FCellBoolean;
    FCellErrFrom = other->FCellErrFrom;
    FCellErrLen = other->FCellErrLen;
    FCellText = other->FCellText;
    FCellCreated = other->FCellCreated;
}

// Every kind setter starts here: what the object owned under its old kind goes first, so that
// reusing an object for another kind neither leaks nor frees the caller's new reference.
void TCellGraphic::BecomeKind(TCellType Kind)
{
    FreeOwnedReferences();
    FCellType = Kind;
}

void TCellGraphic::SetBitmap(TBitmap* ABmp, bool Transparent, TCellHAlign hal, TCellVAlign val)
{
    BecomeKind(ctBitmap);
    SetCellBitmap(ABmp);
    FCellTransparent = Transparent;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetIcon(TIcon* AIcon, TCellHAlign hal, TCellVAlign val)
{
    BecomeKind(ctIcon);
    SetCellIcon(AIcon);
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetImageIdx(int Idx, TCellHAlign hal, TCellVAlign val)
{
    BecomeKind(ctImageList);
    FCellIndex = Idx;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetDataImage(int Idx, TCellHAlign hal, TCellVAlign val)
{
    BecomeKind(ctDataImage);
    FCellIndex = Idx;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetPicture(TPicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                              TCellHAlign hal, TCellVAlign val)
{
    BecomeKind(ctPicture);
    SetCellBitmap(APicture);
    FCellTransparent = Transparent;
    FCellAngle = StretchMode;
    FCellIndex = Padding;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetFilePicture(TFilePicture* APicture, bool Transparent, TStretchMode StretchMode, int Padding,
                                  TCellHAlign hal, TCellVAlign val)
{
    SetPicture(nullptr, Transparent, StretchMode, Padding, hal, val);
    FCellType = ctFilePicture;
    SetCellBitmap(APicture);
}

void TCellGraphic::SetCheckBox(bool Value, bool Data, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    BecomeKind(Data ? ctDataCheckBox : ctCheckBox);
    FCellBoolean = Value;
    FCellTransparent = Flat;
    FCellAngle = 0;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetRadioButton(bool Value, bool Flat, TCellHAlign hal, TCellVAlign val)
{
    BecomeKind(ctRadioButton);
    FCellBoolean = Value;
    FCellTransparent = Flat;
    FCellAngle = 0;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetButton(int bw, int bh, const String& Caption, TCellHAlign hal, TCellVAlign val)
{
    BecomeKind(ctButton);
    FCellIndex = bw + bh * 65536;
    FCellText = Caption;
    FCellBoolean = false;
    FCellHAlign = hal;
    FCellVAlign = val;
}

void TCellGraphic::SetBitButton(int bw, int bh, const String& Caption, TBitmap* Glyph, TCellHAlign hal,
                                TCellVAlign val)
{
    SetButton(bw, bh, Caption, hal, val);
    FCellType = ctBitButton;
    SetCellBitmap(Glyph);
}

void TCellGraphic::SetMultiImage(int Col, int Row, int Dir, TCellHAlign hal, TCellVAlign val,
                                 TImageChangeEvent Notifier)
{
    BecomeKind(ctImages);
    auto* list = new TIntList(Col, Row);
    list->OnChange = std::move(Notifier);
    SetCellBitmap(list);
    FCellBoolean = Dir == 0;
    FCellHAlign = hal;
    FCellVAlign = val;
    FCellCreated = true;
}

void TCellGraphic::SetInterfacedCell(TInterfacedPersistent* AObject)
{
    BecomeKind(ctInterface);
    SetCellBitmap(AObject);
}

void TCellGraphic::SetAngle(int AAngle)
{
    BecomeKind(ctRotated);
    while (AAngle < 0) AAngle += 360;
    while (AAngle > 360) AAngle -= 360;
    FCellAngle = AAngle;
}

TPoint TCellGraphic::GetPictureSize(int cw, int rh, bool HasText) const
{
    (void)HasText;
    int w = 0, h = 0;
    if (FCellType == ctPicture) {
        auto* picture = dynamic_cast<TPicture*>(FCellBitmap.Object);
        if (picture == nullptr) return TPoint{0, 0};
        w = picture->Width();
        h = picture->Height();
    } else if (FCellType == ctFilePicture) {
        auto* picture = dynamic_cast<TFilePicture*>(FCellBitmap.Object);
        if (picture == nullptr) return TPoint{0, 0};
        w = picture->Width();
        h = picture->Height();
    } else {
        return TPoint{0, 0};
    }
    const int aw = cw - FCellIndex;
    const int ah = rh - FCellIndex;
    auto round = [](double v) { return static_cast<int>(std::nearbyint(v)); };
    auto aspect = [&](bool Cap) {
        double rx = w > 0 ? static_cast<double>(aw) / w : 1.0;
        double ry = h > 0 ? static_cast<double>(ah) / h : 1.0;
        if (Cap) {
            rx = std::min(rx, 1.0);
            ry = std::min(ry, 1.0);
        }
        if (rx >= ry) return TPoint{round(w * ry), ah};
        return TPoint{aw, round(h * rx)};
    };
    const bool fits = w <= aw && h <= ah;
    switch (FCellAngle) {
    case noStretch:
        return TPoint{w, h};
    case Stretch:
        return TPoint{aw, ah};
    case StretchWithAspectRatio:
        return aspect(false);
    case Shrink:
        return fits ? TPoint{w, h} : TPoint{aw, ah};
    case ShrinkWithAspectRatio:
        return fits ? TPoint{w, h} : aspect(true);
    default:
        return TPoint{w, h};
    }
}
