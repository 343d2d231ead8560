// TAdvStringGrid as a window: the unit's start-up and shut-down with the focus-frame hook, the
// grid's construction, lifecycle and owned objects, its window procedure with the wheel and
// middle-button panning, the 500 ms grid timer, painting under the update lock, sizing, focus and
// hints.
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cmath>
#include <cwctype>

#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "framework/system/Conversions.h"
#include "grid/control/AdvGrid.h"
#include "grid/foundation/AsgHTMLE.h"

// ---- Unit-wide state -------------------------------------------------------------------------

namespace {

struct TAdvGridUnit {
    // Start-up runs once however many grids are made; shut-down undoes it once.
    bool Initialized = false;
    UINT CellsFormat = 0;
    UINT EditDoneMsg = 0;
    UINT DTPShiftFocusMsg = 0;
    HHOOK Hook = nullptr;
    TAdvStringGrid* FocusGrid = nullptr;
    bool InHook = false;
    bool DatePickers = false;
    bool OleStarted = false;
    String HintFontName;
};

TAdvGridUnit& Unit()
{
    static TAdvGridUnit unit;
    return unit;
}

constexpr UINT_PTR GridTimerId = 111;
constexpr UINT_PTR PanTimerId = 999;
// The framework grid's timer that scrolls while selecting or moving.
constexpr UINT_PTR GridScrollTimerId = 1;

// The grid's own cursors, resources of every program that links the grid; a program built without
// them gets the nearest system cursor.
enum TGridCursor : int {
    gcPan = 8000,
    gcPanDown = 8001,
    gcPanLeft = 8002,
    gcPanRight = 8003,
    gcPanUp = 8004,
    gcPanUpRight = 8005,
    gcPanUpLeft = 8006,
    gcPanDownRight = 8007,
    gcPanDownLeft = 8008,
    gcSelectRow = 8010,
    gcSelectColumn = 8011,
    gcSelectAll = 8012,
    gcCellSelector = 8014,
};

HCURSOR LoadGridCursor(TGridCursor Id)
{
    if (HCURSOR own = LoadCursorW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(Id))) return own;
    LPCWSTR fallback = IDC_ARROW;
    switch (Id) {
    case gcPan: fallback = IDC_SIZEALL; break;
    case gcPanDown:
    case gcPanUp: fallback = IDC_SIZENS; break;
    case gcPanLeft:
    case gcPanRight: fallback = IDC_SIZEWE; break;
    case gcPanUpLeft:
    case gcPanDownRight: fallback = IDC_SIZENWSE; break;
    case gcPanUpRight:
    case gcPanDownLeft: fallback = IDC_SIZENESW; break;
    case gcCellSelector: fallback = IDC_CROSS; break;
    default: break;
    }
    return LoadCursorW(nullptr, fallback);
}

// The pan cursor for a direction: Vert -1 up, +1 down; Horz -1 left, +1 right.
TGridCursor PanCursor(int Vert, int Horz)
{
    static const TGridCursor cursors[3][3] = {
        {gcPanUpLeft, gcPanUp, gcPanUpRight},
        {gcPanLeft, gcPan, gcPanRight},
        {gcPanDownLeft, gcPanDown, gcPanDownRight},
    };
    return cursors[Vert + 1][Horz + 1];
}

LRESULT CALLBACK GridCallWndProcHook(int Code, WPARAM WParam, LPARAM LParam)
{
    TAdvGridUnit& unit = Unit();
    if (Code == HC_ACTION && unit.FocusGrid != nullptr && !unit.InHook) {
        const auto* info = reinterpret_cast<const CWPSTRUCT*>(LParam);
        TGridFocusWindow* frame = unit.FocusGrid->FocusWindow();
        // Moving the frame sends these messages to the frame itself: they must not move it again.
        bool toFrame = frame != nullptr && frame->HandleAllocated() && info->hwnd == frame->Handle();
        if ((info->message == WM_WINDOWPOSCHANGING || info->message == WM_WINDOWPOSCHANGED) && !toFrame) {
            unit.InHook = true;
            unit.FocusGrid->MoveFocusFrame();
            unit.InHook = false;
        }
    }
    return CallNextHookEx(unit.Hook, Code, WParam, LParam);
}

// The hook has work only while a grid shows its focus frame, and every message the thread sends
// passes through an installed hook (under Wine at the cost of round trips to the server, a
// quarter of all the program makes while it starts): it is in place only while a frame grid is
// recorded.
void SetFocusFrameGrid(TAdvStringGrid* Grid)
{
    TAdvGridUnit& unit = Unit();
    unit.FocusGrid = Grid;
    if (Grid != nullptr && unit.Initialized && unit.Hook == nullptr)
        unit.Hook = SetWindowsHookExW(WH_CALLWNDPROC, GridCallWndProcHook, nullptr, GetCurrentThreadId());
    else if (Grid == nullptr && unit.Hook != nullptr) {
        UnhookWindowsHookEx(unit.Hook);
        unit.Hook = nullptr;
    }
}

} // namespace

void AdvGridInitialization()
{
    TAdvGridUnit& unit = Unit();
    if (unit.Initialized) return;
    unit.Initialized = true;
    unit.OleStarted = SUCCEEDED(OleInitialize(nullptr));
    SetFocusFrameGrid(nullptr);
    unit.DatePickers = SystemFacts().CommonControlsVersion() > MakeVersion(4, 69);
    unit.CellsFormat = RegisterClipboardFormatW(L"TAdvStringGrid Cells");
    unit.EditDoneMsg = RegisterWindowMessageW(L"GridEditDone");
    unit.DTPShiftFocusMsg = RegisterWindowMessageW(L"DTPShiftFocus");
}

void AdvGridFinalization()
{
    TAdvGridUnit& unit = Unit();
    if (!unit.Initialized) return;
    unit.Initialized = false;
    if (unit.OleStarted) OleUninitialize();
    unit.OleStarted = false;
    if (unit.Hook != nullptr) UnhookWindowsHookEx(unit.Hook);
    unit.Hook = nullptr;
    unit.HintFontName.clear();
}

UINT GridCellsClipboardFormat() { return Unit().CellsFormat; }
UINT GridEditDoneMessage() { return Unit().EditDoneMsg; }
UINT DTPShiftFocusMessage() { return Unit().DTPShiftFocusMsg; }
bool GridDatePickersAvailable() { return Unit().DatePickers; }
TAdvStringGrid* FocusFrameGrid() { return Unit().FocusGrid; }

// ---- Construction and destruction ------------------------------------------------------------

TAdvStringGrid::TAdvStringGrid(TComponent* AOwner) : TBaseGrid(AOwner)
{
    AdvGridInitialization();
    bool designing = ComponentState().Contains(csDesigning);
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetDrawingStyle(gdsClassic);
    InstallCellPainters();

    FFooterPanel = new TFooterPanel(this);
    FSearchPanel = new TSearchPanel(this);
    FCalcFont = std::make_unique<TFont>();
    FFocusHelper = std::make_unique<TFocusHelper>(this);
    bool ownerReading = AOwner != nullptr && (AOwner->ComponentState().Contains(csReading) || AOwner->ComponentState().Contains(csLoading));
    FSearchFooter = std::make_unique<TSearchFooter>(this, designing && !ownerReading);
    FSearchFooter->OnChange = [this](TObject* Sender) { SearchFooterChanged(Sender); };
    FFloatingFooter = std::make_unique<TFloatingFooter>(this);
    FPrintSettings = std::make_unique<TPrintSettings>(this);
    FHTMLSettings = std::make_unique<THTMLSettings>();
    FSortSettings = std::make_unique<TSortSettings>(this);
    FDragDropSettings = std::make_unique<TDragDropSettings>(this);
    FDragScrollOptions = std::make_unique<TDragScrollOptions>();
    FControlLook = std::make_unique<TControlLook>(this);
    FNavigation = std::make_unique<TNavigation>();
    FNavigation->OnChange = [this](TObject* Sender) { NavigationChanged(Sender); };
    FColumnSize = std::make_unique<TColumnSize>(this);
    FCellNode = std::make_unique<TCellNode>(this);
    FBands = std::make_unique<TBands>();
    FBands->OnChange = [this](TObject* Sender) { BandsChanged(Sender); };
    FSizeWhileTyping = std::make_unique<TSizeWhileTyping>();
    FMouseActions = std::make_unique<TMouseActions>(this);
    FMouseActions->OnChange = [this](TObject* Sender) { MouseActionsChanged(Sender); };
    FMouseActions->OnIsDesigning = [this](TObject* Sender, bool& IsDesigning) { GetIsDesigning(Sender, IsDesigning); };
    FMouseActions->OnInvalidate = [this](TObject* Sender) { MouseActionsInvalidate(Sender); };
    FGrouping = std::make_unique<TGrouping>();
    FColumnHeaders = std::make_unique<TStringList>();
    FColumnHeaders->OnChange = [this](TObject* Sender) { ColumnHeadersChanged(Sender); };
    FImageCache = std::make_unique<THTMLPictureCache>();
    FOrigColSizes = std::make_unique<TIntList>();
    FFixedFont = std::make_unique<TFont>();
    FFixedFont->SetName(L"Tahoma");
    FFixedFont->SetStyle(TFontStyles{fsBold});
    FFixedFont->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
    FActiveCellFont = std::make_unique<TFont>();
    FActiveCellFont->SetStyle(TFontStyles{fsBold});
    if (designing) FActiveCellFont->SetName(L"Tahoma");
    FActiveCellFont->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
    FRowHeaders = std::make_unique<TStringList>();
    FRowHeaders->OnChange = [this](TObject* Sender) { RowHeadersChanged(Sender); };
    FSortlist = std::make_unique<TStringList>();
    FLookupItems = std::make_unique<TStringList>();
    FRowSelect = std::make_unique<TIntList>();
    FColSelect = std::make_unique<TIntList>();
    FSortIndexes = std::make_unique<TSortIndexList>();
    FSortRowXRef = std::make_unique<TIntList>();
    FUnSortRowXRef = std::make_unique<TIntList>();
    FMergedColumns = std::make_unique<TIntList>();
    FMergedColumns->OnChange = [this](TObject*, int, int) { MergedColumnsChanged(); };
    FSelectedCells = std::make_unique<TIntList>();
    FSelectedRows = std::make_unique<TIntList>();
    FModifiedRows = std::make_unique<TIntList>();
    FEnabledRows = std::make_unique<TIntList>();
    FRowIndicator = std::make_unique<TBitmap>();
    FBackGround = std::make_unique<TBackGround>(this);
    FScrollHintWnd = new THTMLHintWindow(this);
    FControlList = std::make_unique<TControlList>();
    FProgressAppearance = std::make_unique<TGridProgressAppearance>();
    FProgressAppearance->OnChange = [this](TObject* Sender) { AppearanceChanged(Sender); };
    FSyncGrid = std::make_unique<TSyncGrid>(this);
    FGridItems = std::make_unique<TOwnedCollection>(this, ItemClassOf<TGridItem>());
    FFilter = std::make_unique<TFilter>(this);
    FBalloon = std::make_unique<TBalloonSettings>();
    FBalloon->OnEnableChange = [this](TObject* Sender) { BalloonEnableChanged(Sender); };
    FShowModified = std::make_unique<TShowModified>();
    FShowModified->OnChange = [this](TObject* Sender) { ShowModifiedChanged(Sender); };
    FColumnOrder = std::make_unique<TIntList>();
    IgnoreColumns = std::make_unique<TIntList>();
    FCellGraphic = std::make_unique<TCellGraphic>();
    FOfficeHint = std::make_unique<TAdvHintInfo>();
    FFilterDropDown = std::make_unique<TFilterDropDown>();
    FFilterDropDown->OnChange = [this](TObject* Sender) { FilterDropDownChanged(Sender); };
    FDropList = new TDropList(this);
    FDropList->OnSelect = [this](TObject* Sender, int ItemIndex) { DoFilterSelect(Sender, ItemIndex); };
    FDropList->SetVisible(false);
    FDropList->SetBounds(0, 0, 0, 0);
    FDropList->SetParent(this);
    FFilterList = std::make_unique<TStringList>();
    FFilterList->SetDuplicates(dupIgnore);
    FFilterList->SetSorted(true);

    SetRowCount(10);
    SetBounds(Left(), Top(), 400, 250);
    SetDefaultRowHeight(22);
    FFixedRowHeight = 22;
    SetScrollBars(ssBoth);
    ScrollWidth = GetSystemMetrics(SM_CXVSCROLL);

    // The owning form's resize handler goes through the grid (SizeWithForm) while the grid lives.
    if (auto* form = dynamic_cast<TForm*>(AOwner); form != nullptr && !designing) {
        FFormResize.Form = form;
        FFormResize.OldHandler = form->OnResize;
        FFormResize.HadHandler = static_cast<bool>(FFormResize.OldHandler);
        form->OnResize = [this](TObject* Sender) { FormResize(Sender); };
        FFormResize.PrevWidth = form->Width();
        FFormResize.PrevHeight = form->Height();
    }

    std::fill(std::begin(FHiddenCols.Visible), std::end(FHiddenCols.Visible), true);
    std::fill(std::begin(FHiddenCols.Widths), std::end(FHiddenCols.Widths), static_cast<short>(0));
    FHiddenCols.Count = 0;
    FOldSelection = Selection();

    TWindowsVersion windows = SystemFacts().WindowsVersion();
    FIsWinXP = windows.AtLeast(5, 1);
    FIsWin7 = windows.AtLeast(6, 1);
    FIsWinVista = windows.AtLeast(6, 0);
    FIsComCtl6 = SystemFacts().CommonControlsVersion() >= MakeVersion(6, 0);
    FIsFlat = false;

    if (!designing) {
        FFocusWindow = new TGridFocusWindow(this);
        FArrows[arrUp] = new TArrowWindow(this, arrUp);
        FArrows[arrDown] = new TArrowWindow(this, arrDown);
        FArrows[arrLeft] = new TArrowWindow(this, arrLeft);
        FArrows[arrRight] = new TArrowWindow(this, arrRight);
        FMoveButton = new TPopupButton(this);
        FScrollBar = new TScrollBar(this);
        FPaintScrollBar = new TScrollBar(this);
    }
}

TAdvStringGrid::~TAdvStringGrid()
{
    Destroying();
    bool designing = ComponentState().Contains(csDesigning);
    if (Unit().FocusGrid == this) SetFocusFrameGrid(nullptr);
    if (HandleAllocated() && FTimer.Id != 0) KillTimer(FHandle, GridTimerId);
    FTimer.Id = 0;
    if (FWheel.Panning) StopPanning();
    if (!designing) BalloonDone();
    if (FFormResize.Form != nullptr && !designing) FFormResize.Form->OnResize = FFormResize.OldHandler;
    FFormResize.Form = nullptr;

    ClearTextOnly = false;
    SaveHiddenCells = false;
    ClearRect(0, 0, TotalColCount() - 1, RowCount() - 1);
    // Hidden rows own the property objects of their cells; the grid must still be whole for them.
    FGridItems->Clear();
    HiddenRowsChanged();

    delete FFooterPanel;
    delete FSearchPanel;
    delete FDropList;
    delete FScrollHintWnd;
    for (TArrowWindow*& arrow : FArrows) {
        delete arrow;
        arrow = nullptr;
    }
    delete FFocusWindow;
    delete FMoveButton;
    delete FScrollBar;
    delete FPaintScrollBar;
    FFooterPanel = nullptr;
    FSearchPanel = nullptr;
    FDropList = nullptr;
    FScrollHintWnd = nullptr;
    FFocusWindow = nullptr;
    FMoveButton = nullptr;
    FScrollBar = nullptr;
    FPaintScrollBar = nullptr;
    for (TGridChangeNotifier* notifier : FNotifierList)
        notifier->RemoveFreeNotification(this);
    FNotifierList.clear();
    if (FLoaded) TBaseGrid::SetCursor(FLoadedCursor);
}

bool TAdvStringGrid::OwnsCellGraphic(TObject* Graphic) const
{
    return Graphic != nullptr && Graphic != FCellGraphic.get() && dynamic_cast<TCellGraphic*>(Graphic) != nullptr;
}

// ---- Lifecycle -------------------------------------------------------------------------------

void TAdvStringGrid::CreateWnd()
{
    if (ComponentState().Contains(csDestroying)) return;
    TBaseGrid::CreateWnd();
    if (Parent() == nullptr) return;
    bool designing = ComponentState().Contains(csDesigning);
    if (!designing) {
        for (TScrollBar* bar : {FScrollBar, FPaintScrollBar}) {
            if (bar == nullptr) continue;
            bar->SetVisible(false);
            bar->SetTabStop(false);
            bar->SetKind(sbVertical);
            bar->SetCtl3D(false);
            bar->SetParent(this);
        }
    }
    FFooterPanel->SetParent(this);
    FFooterPanel->SetVisible(FFloatingFooter->Visible());
    FSearchPanel->SetParent(this);
    FSearchPanel->SetVisible(FSearchFooter->Visible());
    FSearchPanel->SetHeight(FSearchFooter->Visible() ? 32 : 0);

    if (!designing && FBalloon->Enable()) BalloonInit();
    FTimer.Id = SetTimer(FHandle, GridTimerId, 500, nullptr);
    if (designing && !ComponentState().Contains(csLoading) && !FLoaded) Font()->SetName(L"Tahoma");
    FIsWinXP = FIsWinXP && SystemFacts().ThemeActive();

    // Every system this runs on has the wheel message; the lines per notch come from the system.
    FWheel.Message = WM_MOUSEWHEEL;
    FWheel.Panning = false;
    UINT lines = 3;
    if (!SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0)) lines = 3;
    FWheel.Lines = lines == WHEEL_PAGESCROLL ? VisibleRowCount() : static_cast<int>(lines);
}

void TAdvStringGrid::Loaded()
{
    TBaseGrid::Loaded();
    FLoadedCursor = Cursor();
    ShowColumnHeaders();
    ShowRowHeaders();
    FFixedRowsMin = TBaseGrid::FixedRows();
    FFixedColsMin = TBaseGrid::FixedCols();
    MinRowHeight = DefaultRowHeight();
    MinColWidth = 10;
    FMaxRowCount = RowCount();
    FLoaded = true;
    if (FAutoSize) AutoSizeColumns(false, 4);
    if (Options().Contains(goAlwaysShowEditor)) {
        SetOptions(Options() - TGridOptions{goAlwaysShowEditor});
        FNavigation->AlwaysEdit = true;
    }
    if (!FIsWinXP && FControlLook->ControlStyle() == csTheme && !ComponentState().Contains(csDesigning))
        FControlLook->SetControlStyle(csClassic);
    FSearchFooter->SetAutoThemeAdapt(AutoThemeAdapt);
    SearchFooterChanged(FSearchFooter.get());
    // The start-up column sizes and the column order.
    InitOrigColSizes();
    SetColumnOrder();
    if (FBalloon->Enable()) BalloonInit();
}

void TAdvStringGrid::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove) {
        if (!ComponentState().Contains(csDestroying) && FSyncGrid != nullptr && AComponent == FSyncGrid->Grid())
            FSyncGrid->SetGrid(nullptr);
        auto it = std::find(FNotifierList.begin(), FNotifierList.end(), AComponent);
        if (it != FNotifierList.end()) FNotifierList.erase(it);
        if (AComponent == FGridImages) FGridImages = nullptr;
        if (AComponent == FPictureContainer) FPictureContainer = nullptr;
    }
    TBaseGrid::Notification(AComponent, Operation);
}

void TAdvStringGrid::SetBounds(int ALeft, int ATop, int AWidth, int AHeight)
{
    int rowHeight = DefaultRowHeight();
    if (FIntegralHeight && FUpdate.Count == 0 && rowHeight > 0) {
        int border = BorderStyle() == bsSingle ? 2 : 0;
        int columns = 0;
        for (int i = 0; i < ColCount(); ++i)
            columns += ColWidths(i);
        int scrollBar = columns > AWidth - border ? GetSystemMetrics(SM_CYHSCROLL) : 0;
        AHeight = AHeight + border - ((AHeight - scrollBar - border) % rowHeight);
    }
    TBaseGrid::SetBounds(ALeft, ATop, AWidth, AHeight);
}

void TAdvStringGrid::Resize()
{
    TBaseGrid::Resize();
    if ((FBackGround->Display() == bdGradientHorz || FBackGround->Display() == bdGradientVert) && FBackGround->ColorTo() != clNone)
        Invalidate();
    CellControlsUpdate(false);
    if (ComponentState().Contains(csDesigning)) Invalidate();
}

void TAdvStringGrid::Invalidate()
{
    if (FEditChange) {
        FEditChange = false;
        return;
    }
    TBaseGrid::Invalidate();
    if (!ComponentState().Contains(csLoading) && FFloatingFooter != nullptr && FFloatingFooter->Visible()) InvalidateFooterPanel();
}

void TAdvStringGrid::InvalidateFooterPanel()
{
    if (FFooterPanel != nullptr) FFooterPanel->Invalidate();
}

void TAdvStringGrid::LastRowChanged()
{
    TBaseGrid::LastRowChanged();
    InvalidateFooterPanel();
}

void TAdvStringGrid::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<TAdvStringGrid*>(Source);
    if (src == nullptr) return;
    Font()->Assign(src->Font());
    ActiveCellColor = src->ActiveCellColor;
    ActiveCellColorTo = src->ActiveCellColorTo;
    FActiveCellFont->Assign(src->FActiveCellFont.get());
    ActiveCellShow = src->ActiveCellShow;
    SetActiveRowShow(src->ActiveRowShow());
    SetAlign(src->Align());
    FFilterDropDown->AutoSize = src->FFilterDropDown->AutoSize;
    FFilterDropDown->Height = src->FFilterDropDown->Height;
    FFilterDropDown->Width = src->FFilterDropDown->Width;
    FFilterDropDown->Color = src->FFilterDropDown->Color;
    FFilterDropDown->Font()->Assign(src->FFilterDropDown->Font());
    AnchorHint = src->AnchorHint;
    AutoNumAlign = src->AutoNumAlign;
    FAutoSize = src->FAutoSize;
    AutoThemeAdapt = src->AutoThemeAdapt;
    AutoFilterUpdate = src->AutoFilterUpdate;
    FMouseActions->Assign(src->FMouseActions.get());
    FNavigation->Assign(src->FNavigation.get());
    FGrouping->Assign(src->FGrouping.get());
    FSearchFooter->Assign(src->FSearchFooter.get());
    FPrintSettings->Assign(src->FPrintSettings.get());
    FFilter->Assign(src->FFilter.get());
    FHTMLSettings->Assign(src->FHTMLSettings.get());
    FBands->Assign(src->FBands.get());
    FCellNode->Assign(src->FCellNode.get());
    FSortSettings->Assign(src->FSortSettings.get());
    FDragScrollOptions->Assign(src->FDragScrollOptions.get());
    FDragDropSettings->Assign(src->FDragDropSettings.get());
    FProgressAppearance->Assign(src->FProgressAppearance.get());
    FColumnSize->Assign(src->FColumnSize.get());
    FSyncGrid->Assign(src->FSyncGrid.get());
    FFocusHelper->Assign(src->FFocusHelper.get());
    FOfficeHint->Assign(src->FOfficeHint.get());
    FixedRowAlways = src->FixedRowAlways;
    SetColCount(src->ColCount());
    SetRowCount(src->RowCount());
    SetFixedRows(src->FixedRows());
    SetFixedCols(src->FixedCols());
    SetDefaultColWidth(src->DefaultColWidth());
    SetDefaultRowHeight(src->DefaultRowHeight());
    SetFixedRowHeight(src->FixedRowHeight());
    SetFixedColWidth(src->FixedColWidth());
    InvalidEntryTitle = src->InvalidEntryTitle;
    InvalidEntryIcon = src->InvalidEntryIcon;
    InvalidEntryText = src->InvalidEntryText;
    SetOptions(src->Options());
    for (int i = 0; i < ColCount() && i < src->ColCount(); ++i)
        SetColWidths(i, src->ColWidths(i));
    FColumnHeaders->Assign(src->FColumnHeaders.get());
    for (int i = 0; i < RowCount() && i < src->RowCount(); ++i)
        SetRowHeights(i, src->RowHeights(i));
    ScrollProportional = src->ScrollProportional;
    ScrollSynch = src->ScrollSynch;
    ScrollHints = src->ScrollHints;
    ScrollBarAlways = src->ScrollBarAlways;
    SetScrollBars(src->ScrollBars());
    ScrollColor = src->ScrollColor;
    ScrollType = src->ScrollType;
    ScrollWidth = src->ScrollWidth;
    AssignCells(Source);
}

void TAdvStringGrid::AssignCells(TPersistent* Source)
{
    auto* src = dynamic_cast<TAdvStringGrid*>(Source);
    if (src == nullptr || src == this) return;
    ClearRect(0, 0, TotalColCount() - 1, RowCount() - 1);
    int cols = std::min(TotalColCount(), src->TotalColCount());
    int rows = std::min(RowCount(), src->RowCount());
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            SetStoredCell(c, r, src->GetStoredCell(c, r));
            if (TCellProperties* from = src->GetStoredObject(c, r)) {
                TCellProperties* props = CreateCellProperties(c, r);
                props->Assign(from);
                props->SetBrushColorTo(from->BrushColorTo());
                props->SetGradientDirection(from->GradientDirection());
                props->SetCalcType(from->CalcType());
                SetStoredObject(c, r, props);
            }
        }
    Invalidate();
}

TInplaceEdit* TAdvStringGrid::CreateEditor()
{
    return new TAdvInplaceEdit(this);
}

TAdvInplaceEdit* TAdvStringGrid::NormalEdit() const
{
    return dynamic_cast<TAdvInplaceEdit*>(InplaceEditor());
}

String TAdvStringGrid::GetEditMask(int ACol, int ARow)
{
    String value = EditMask;
    if (OnGetEditMask) OnGetEditMask(this, ACol, ARow, value);
    return value;
}

int TAdvStringGrid::GetVersionNr() const
{
    return (5 << 24) | (8 << 16) | (0 << 8) | 2;
}

String TAdvStringGrid::Version() const
{
    unsigned nr = static_cast<unsigned>(GetVersionNr());
    return IntToStr((nr >> 24) & 0xFF) + L"." + IntToStr((nr >> 16) & 0xFF) + L"." + IntToStr((nr >> 8) & 0xFF) + L"." +
           IntToStr(nr & 0xFF);
}

String TAdvStringGrid::GetVersionString() const
{
    return Version() + L" Mar, 2011";
}

void TAdvStringGrid::FormResize(TObject* Sender)
{
    if (ComponentState().Contains(csDesigning) || ComponentState().Contains(csDestroying)) return;
    if (auto* form = dynamic_cast<TForm*>(FFormResize.Form); form != nullptr && SizeWithForm) {
        int newWidth = form->Width() + Width() - FFormResize.PrevWidth;
        int newHeight = form->Height() + Height() - FFormResize.PrevHeight;
        if (newWidth > 0 && newHeight > 0) {
            SetBounds(Left(), Top(), newWidth, newHeight);
            FFormResize.PrevWidth = form->Width();
            FFormResize.PrevHeight = form->Height();
        }
    }
    if (FFormResize.HadHandler && FFormResize.OldHandler) {
        try {
            FFormResize.OldHandler(FFormResize.Form);
        } catch (...) {
            // The form's own handler must not break the grid's sizing.
        }
    }
    ApplyColumnStretch();
}

void TAdvStringGrid::ApplyColumnStretch()
{
    if (!FColumnSize->Stretch || ColCount() == 0) return;
    int column = FColumnSize->StretchColumn;
    if (column < 0 || column >= ColCount()) column = ColCount() - 1;
    int others = 0;
    for (int i = 0; i < ColCount(); ++i)
        if (i != column) others += ColWidths(i) + (Options().Contains(goVertLine) ? TCustomGrid::GridLineWidth() : 0);
    int width = ClientWidth() - others;
    if (width > 0 && width != ColWidths(column)) SetColWidths(column, width);
}

void TAdvStringGrid::ShowModifiedChanged(TObject*)
{
    RepaintCol(0);
}

void TAdvStringGrid::SearchFooterChanged(TObject*)
{
    if (ComponentState().Contains(csLoading) || FSearchPanel == nullptr) return;
    FSearchPanel->SetColor(FSearchFooter->Color());
    FSearchPanel->SetVisible(FSearchFooter->Visible());
    FSearchPanel->SetHeight(FSearchFooter->Visible() ? 32 : 0);
}

void TAdvStringGrid::GetIsDesigning(TObject*, bool& IsDesigning)
{
    IsDesigning = ComponentState().Contains(csDesigning);
}

void TAdvStringGrid::CellControlsUpdate(bool)
{
    for (int i = 0; i < FControlList->Count(); ++i) {
        TControlItem* item = FControlList->Items(i);
        if (item->Control == nullptr) continue;
        int row = RealToDisplRow(item->Y);
        int col = RealToDisplCol(item->X);
        bool shown = !IsHiddenRow(item->Y) && !IsHiddenColumn(item->X) && row < RowCount() && col < ColCount();
        if (shown) {
            TRect r = TCustomGrid::CellRect(col, row);
            shown = r.right > r.left && r.bottom > r.top;
            if (shown) item->Control->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        }
        item->Control->SetVisible(shown);
    }
}

// ---- Update lock -----------------------------------------------------------------------------

void TAdvStringGrid::BeginUpdate()
{
    if (!Visible()) return;
    ++FUpdate.Count;
    if (HandleAllocated()) {
        SendMessageW(FHandle, WM_SETREDRAW, FALSE, 0);
        FUpdate.RedrawOff = true;
    }
}

void TAdvStringGrid::EndUpdate()
{
    if (!Visible()) return;
    if (FUpdate.Count > 0) --FUpdate.Count;
    if (FUpdate.Count == 0 && !ComponentState().Contains(csDestroying) && HandleAllocated()) {
        SendMessageW(FHandle, WM_SETREDRAW, TRUE, 0);
        FUpdate.RedrawOff = false;
        RedrawWindow(FHandle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOERASE);
    }
}

void TAdvStringGrid::StartUpdate()
{
    ++FUpdate.Count;
}

void TAdvStringGrid::ResetUpdate()
{
    FUpdate.Count = 0;
}

void TAdvStringGrid::SetLockUpdate(bool Value)
{
    if (Value)
        BeginUpdate();
    else
        EndUpdate();
}

// ---- Window procedure ------------------------------------------------------------------------

void TAdvStringGrid::WndProc(TMessage& Message)
{
    if (ComponentState().Contains(csDestroying)) return WhileDestroying(Message);
    // A registered message: it has no constant to switch on.
    if (Message.Msg != 0 && Message.Msg == GridEditDoneMessage()) return EditCellDone(Message);
    RecalculateProportionalScroll(Message);
    switch (Message.Msg) {
    case WM_DESTROY: return Destroy(Message);
    case WM_CANCELMODE: return CancelModeMessage(Message);
    case WM_COMMAND: return Command(Message);
    case WM_MOUSEWHEEL: return MouseWheel(Message);
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_KEYDOWN: return ButtonOrKeyDown(Message);
    case WM_TIMER: return Timer(Message);
    default: return TBaseGrid::WndProc(Message);
    }
}

void TAdvStringGrid::CancelModeMessage(TMessage& Message)
{
    // A move cancelled by the system (another window captured the mouse) must not leave the drag
    // cursor, the move button or the scroll timer behind.
    bool moving = GridState() == gsRowMoving || GridState() == gsColMoving;
    if (Screen != nullptr && Screen->Cursor() == crDrag && moving && EnhRowColMove) {
        Screen->SetCursor(crDefault);
        if (FMoveButton != nullptr) {
            FMoveButton->SetEnabled(false);
            FMoveButton->SetVisible(false);
        }
        if (HandleAllocated()) KillTimer(FHandle, GridScrollTimerId);
        FGridState = gsNormal;
    }
    TBaseGrid::WndProc(Message);
}

void TAdvStringGrid::RecalculateProportionalScroll(const TMessage& Message)
{
    if (ComponentState().Contains(csDesigning)) return;
    bool recalculate = false;
    switch (Message.Msg) {
    case WM_PAINT: recalculate = FUpdate.PaintCount == 0 && ScrollProportional; break;
    case WM_SIZE:
    case WM_LBUTTONUP:
    case CM_UIACTIVATE: recalculate = true; break;
    default: break;
    }
    if (!recalculate) return;
    UpdateProportionalVert();
    UpdateProportionalHorz();
}

void TAdvStringGrid::StopWindowTimers()
{
    if (FTimer.Id != 0 && HandleAllocated()) KillTimer(FHandle, GridTimerId);
    FTimer.Id = 0;
    if (FWheel.Panning) StopPanning();
}

void TAdvStringGrid::WhileDestroying(TMessage& Message)
{
    if (Message.Msg == WM_DESTROY) StopWindowTimers();
    TBaseGrid::WndProc(Message);
}

void TAdvStringGrid::Destroy(TMessage& Message)
{
    StopWindowTimers();
    TBaseGrid::WndProc(Message);
}

void TAdvStringGrid::EditCellDone(TMessage& Message)
{
    if (OnEditCellDone) OnEditCellDone(this, static_cast<int>(Message.WParam), static_cast<int>(Message.LParam));
    if (FMouseActions->EditOnDblClickOnly()) {
        HideEditor();
        FEditMode = false;
        SetOptions(Options() - TGridOptions{goEditing});
    }
    TBaseGrid::WndProc(Message);
}

void TAdvStringGrid::Command(TMessage& Message)
{
    auto target = reinterpret_cast<HWND>(Message.LParam);
    // A command from a child goes back to that child's window as well (editors rely on it);
    // never to the grid itself, which would bounce it here for ever.
    if (target != nullptr && target != FHandle && IsWindow(target)) {
        if (HIWORD(Message.WParam) == EN_CHANGE) SendMessageW(target, WM_COMMAND, Message.WParam, Message.LParam);
        SendMessageW(target, WM_COMMAND, Message.WParam, Message.LParam);
    }
    TBaseGrid::WndProc(Message);
}

bool TAdvStringGrid::PanningAllowed() const
{
    return IntelliPan != ipNone && FWheel.Message != 0;
}

void TAdvStringGrid::MouseWheel(TMessage& Message)
{
    if (FWheel.Message == 0 || FWheel.Panning) return TBaseGrid::WndProc(Message);
    TGridRect oldSelection = Selection();
    if (!WheelMessageStep(Message)) return;
    TBaseGrid::WndProc(Message);
    NotifySelectionMoved(oldSelection);
}

void TAdvStringGrid::ButtonOrKeyDown(TMessage& Message)
{
    // Any press ends panning; the middle button starts it.
    if (PanningAllowed()) {
        if (FWheel.Panning)
            StopPanning();
        else if (Message.Msg == WM_MBUTTONDOWN && RowCount() > TBaseGrid::FixedRows())
            StartPanning(TPoint{Message.XPos(), Message.YPos()});
    }
    TBaseGrid::WndProc(Message);
}

void TAdvStringGrid::Timer(TMessage& Message)
{
    // While panning every timer message moves the view or the current cell one step.
    TGridRect oldSelection = Selection();
    bool moved = PanningAllowed() && FWheel.Panning && PanningStep();
    TBaseGrid::WndProc(Message);
    if (moved) NotifySelectionMoved(oldSelection);
}

void TAdvStringGrid::NotifySelectionMoved(const TGridRect& OldSelection)
{
    if (Selection() == OldSelection) return;
    TGridRect s = Selection();
    DoSelectionChanged(s.Left, s.Top, s.Right, s.Bottom);
}

void TAdvStringGrid::DoSelectionChanged(int, int, int, int) {}

void TAdvStringGrid::ScrollHook(int, bool&) {}

bool TAdvStringGrid::WheelMessageStep(TMessage& Message)
{
    FWheel.Moved = false;
    if (Parent() != nullptr && Parent()->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam) != 0) return true;
    bool ctrl = (SystemFacts().KeyState(VK_CONTROL) & 0x8000) != 0;
    if (ctrl && IntelliZoom) {
        // Turning the wheel towards the user zooms in.
        Zoom(static_cast<short>(HIWORD(Message.WParam)) < 0 ? FWheel.Lines : -FWheel.Lines);
        AutoSizeCells(true, 4, 4);
        return true;
    }
    if (!EnableWheel) return true;
    if (FixedRowAlways && RowCount() == 1) {
        Message.Result = 0;
        return false;
    }
    int delta = static_cast<short>(HIWORD(Message.WParam));
    int step = FMouseActions->WheelIncrement >= 1 ? FMouseActions->WheelIncrement : FWheel.Lines;
    int oldRow = Row();
    int target = -1;
    if (FMouseActions->WheelAction() == waScroll) {
        if (delta < 0) {
            if (TopRow() < RowCount() - VisibleRowCount()) SetTopRowEx(std::min(TopRow() + step, RowCount() - 1));
        } else {
            if (TopRow() - step < TBaseGrid::FixedRows()) step = TopRow() - TBaseGrid::FixedRows();
            if (TopRow() > TBaseGrid::FixedRows() && TopRow() - step >= TBaseGrid::FixedRows()) SetTopRowEx(TopRow() - step);
        }
    } else {
        target = delta < 0 ? Row() + step : Row() - step;
        target = std::clamp(target, TBaseGrid::FixedRows(), std::max(TBaseGrid::FixedRows(), NormalLastRow()));
        if (Col() >= ColCount() && Row() >= RowCount()) FocusCell(ColCount() - 1, RowCount() - 1);
        if (Col() < TBaseGrid::FixedCols() || Col() >= ColCount())
            SetCol(std::clamp(Col(), TBaseGrid::FixedCols(), ColCount() - 1));
    }
    int moved = 0;
    if (target >= 0 && target < RowCount()) {
        int left = LeftCol();
        StartUpdate();
        if (FMouseActions->DisjunctRowSelect()) ClearRowSelect();
        SetRowEx(target);
        if (Row() != target) {
            double half = std::nearbyint((target - Row()) / 2.0);
            int halfway = Row() + static_cast<int>(half);
            if (halfway >= 0 && halfway < RowCount()) SetRowEx(halfway);
            if (delta > 0 && TopRow() > TBaseGrid::FixedRows()) TBaseGrid::SetTopRow(TopRow() - 1);
        }
        if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll) SetLeftCol(left);
        ResetUpdate();
        moved = target - oldRow;
        FWheel.Moved = true;
    }
    bool handled = true;
    ScrollHook(moved, handled);
    if ((FMouseActions->WheelIncrement != 0 || FMouseActions->DisjunctRowSelect()) && handled) {
        Message.Result = 1;
        if (FMouseActions->DisjunctRowSelect()) {
            bool eventHandled = false;
            TPoint p{static_cast<short>(LOWORD(Message.LParam)), static_cast<short>(HIWORD(Message.LParam))};
            TShiftState shift = KeyboardStateToShiftState();
            if (delta < 0) {
                if (OnMouseWheelDown) OnMouseWheelDown(this, shift, p, eventHandled);
            } else if (OnMouseWheelUp) {
                OnMouseWheelUp(this, shift, p, eventHandled);
            }
        }
    }
    return true;
}

bool TAdvStringGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    // The window procedure has moved the rows already for this notch: the framework's pass only
    // reports it.
    if (FMouseActions->WheelAction() == waScroll || !EnableWheel || FWheel.Moved) {
        FWheel.Moved = false;
        bool handled = false;
        if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, handled);
        return handled;
    }
    bool directEdit = FMouseActions->DirectEdit;
    FMouseActions->DirectEdit = false;
    bool result;
    if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll) {
        StartUpdate();
        int left = LeftCol();
        result = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
        SetLeftCol(left);
        ResetUpdate();
    } else {
        bool editing = EditorMode();
        result = TBaseGrid::DoMouseWheelDown(Shift, MousePos);
        if (editing && CanFocus()) SetFocus();
    }
    FMouseActions->DirectEdit = directEdit;
    return result;
}

bool TAdvStringGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    if (FMouseActions->WheelAction() == waScroll || !EnableWheel || FWheel.Moved) {
        FWheel.Moved = false;
        bool handled = false;
        if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, handled);
        return handled;
    }
    bool directEdit = FMouseActions->DirectEdit;
    FMouseActions->DirectEdit = false;
    bool result = true;
    if (Options().Contains(goRowSelect) && FNavigation->KeepHorizScroll) {
        StartUpdate();
        int left = LeftCol();
        result = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
        SetLeftCol(left);
        ResetUpdate();
    } else if (Col() < ColCount() && Row() < RowCount()) {
        bool editing = EditorMode();
        result = TBaseGrid::DoMouseWheelUp(Shift, MousePos);
        if (editing && CanFocus()) SetFocus();
    }
    FMouseActions->DirectEdit = directEdit;
    return result;
}

// ---- Middle-button panning -------------------------------------------------------------------

void TAdvStringGrid::StopPanning()
{
    if (GetCapture() == FHandle) ReleaseCapture();
    if (FWheel.PanTimer != 0 && HandleAllocated()) KillTimer(FHandle, PanTimerId);
    FWheel.PanTimer = 0;
    if (FWheel.SavedCursor != nullptr) ::SetCursor(FWheel.SavedCursor);
    FWheel.SavedCursor = nullptr;
    FWheel.Panning = false;
    if (!ComponentState().Contains(csDestroying)) SetShowHint(true);
    InvalidatePanMarker();
}

void TAdvStringGrid::StartPanning(TPoint Origin)
{
    FWheel.PanCursor = LoadGridCursor(gcPan);
    FWheel.SavedCursor = ::SetCursor(FWheel.PanCursor);
    FWheel.Panning = true;
    FWheel.PanTimer = SetTimer(FHandle, PanTimerId, 10, nullptr);
    FWheel.PanOrigin = Origin;
    SetCapture(FHandle);
    SetShowHint(false);
    DrawPanMarker();
}

bool TAdvStringGrid::PanningStep()
{
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(FHandle, &p);
    int vert = 0, horz = 0;
    if (IntelliPan != ipHorizontal) {
        if (p.y < FWheel.PanOrigin.y - 5) vert = -1;
        if (p.y > FWheel.PanOrigin.y + 5) vert = 1;
    }
    if (IntelliPan != ipVertical) {
        if (p.x > FWheel.PanOrigin.x + 5) horz = 1;
        if (p.x < FWheel.PanOrigin.x - 5) horz = -1;
    }
    TGridCursor cursor = PanCursor(vert, horz);
    ::SetCursor(cursor == gcPan ? FWheel.PanCursor : LoadGridCursor(cursor));

    int fixedRows = TBaseGrid::FixedRows(), fixedCols = TBaseGrid::FixedCols();
    int lastRow = std::max(fixedRows, NormalLastRow());
    int lastCol = std::max(fixedCols, ColCount() - FFixedRightCols - 1);
    if (Row() < fixedRows || Row() > lastRow) SetRowEx(std::clamp(Row(), fixedRows, lastRow));
    if (Col() < fixedCols || Col() > lastCol) SetCol(std::clamp(Col(), fixedCols, lastCol));
    bool moved = false;
    if (FMouseActions->WheelAction() == waScroll) {
        int left = std::clamp(LeftCol() + horz, fixedCols, std::max(fixedCols, ColCount() - VisibleColCount()));
        int top = std::clamp(TopRow() + vert, fixedRows, std::max(fixedRows, RowCount() - VisibleRowCount()));
        if (left != LeftCol() || top != TopRow()) InvalidatePanMarker();
        if (left != LeftCol()) SetLeftCol(left);
        if (top != TopRow()) TBaseGrid::SetTopRow(top);
    } else {
        int col = Col() + horz, row = Row() + vert;
        if (horz != 0 && col >= fixedCols && col < ColCount() - FFixedRightCols) {
            InvalidatePanMarker();
            SetCol(col);
            moved = true;
        }
        if (vert != 0 && row >= fixedRows && row < RowCount() - FFixedFooters) {
            InvalidatePanMarker();
            SetRowEx(row);
            moved = true;
        }
    }
    // The moves repaint under the marker: it is drawn again on top.
    if (HandleAllocated()) UpdateWindow(FHandle);
    DrawPanMarker();
    return moved;
}

// ---- Timer -----------------------------------------------------------------------------------

void TAdvStringGrid::WMTimer(TMessage& Message)
{
    if (Message.WParam == GridTimerId && FTimer.Id != 0) {
        GridTimerTick();
        return;
    }
    if (Message.WParam == PanTimerId) return;
    TBaseGrid::WMTimer(Message);
}

void TAdvStringGrid::SetIncrSearchText(const String& Value)
{
    IncrSearchText = Value;
    FTimer.SearchTicks = 0;
}

void TAdvStringGrid::GridTimerTick()
{
    ++FTimer.Ticks;
    if (FNavigation->AutoGotoIncremental) {
        if (FTimer.SearchTicks == 3) {
            IncrSearchText.clear();
            FTimer.SearchTicks = 0;
        } else {
            ++FTimer.SearchTicks;
        }
    }
    if (Hovering && !ComponentState().Contains(csDesigning) && HandleAllocated()) {
        POINT p;
        GetCursorPos(&p);
        if (WindowFromPoint(p) == FHandle) {
            ::ScreenToClient(FHandle, &p);
            RECT client;
            GetClientRect(FHandle, &client);
            if (PtInRect(&client, p)) {
                int col = -1, row = -1;
                MouseToCell(p.x, p.y, col, row);
                if (col >= TBaseGrid::FixedCols() && row >= TBaseGrid::FixedRows() && col < ColCount() && row < RowCount()) {
                    if (CanFocus()) SetFocus();
                    SetRowEx(row);
                    SetCol(col);
                }
            }
        }
    }
    if (EnableBlink) {
        FTimer.Blink = !FTimer.Blink;
        auto blinks = [this](int DisplCol, int ARow) {
            String text = ReadCellText(RealColIndex(DisplCol), ARow);
            for (auto& ch : text)
                ch = static_cast<wchar_t>(towupper(ch));
            return text.find(L"<BLI") != String::npos;
        };
        int lastCol = std::min(ColCount() - 1, LeftCol() + VisibleColCount() + FHiddenCols.Count);
        int lastRow = std::min(RowCount() - 1, TopRow() + VisibleRowCount());
        for (int r = TopRow(); r <= lastRow; ++r)
            for (int c = LeftCol(); c <= lastCol; ++c)
                if (blinks(c, r)) InvalidateCell(c, r);
        for (int r = 0; r < TBaseGrid::FixedRows(); ++r)
            for (int c = LeftCol(); c <= lastCol; ++c)
                if (blinks(c, r)) InvalidateCell(c, r);
        for (int c = 0; c < TBaseGrid::FixedCols(); ++c)
            for (int r = TopRow(); r <= lastRow; ++r)
                if (blinks(c, r)) InvalidateCell(c, r);
    }
}

// ---- Paint, erase, size, cursor --------------------------------------------------------------

void TAdvStringGrid::WMPaint(TMessage& Message)
{
    if (FUpdate.Count > 0) {
        Message.Result = 0;
        return;
    }
    TBaseGrid::WMPaint(Message);
    // A grid without a tab stop recalculates its thumb once after the first paint; with one the
    // window procedure recalculates it before every paint.
    if (!TabStop() && FUpdate.PaintCount == 0) {
        FUpdate.PaintCount = 1;
        UpdateProportionalVert();
    }
}

void TAdvStringGrid::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 0;
}

void TAdvStringGrid::WMSize(TMessage& Message)
{
    if (FSearchPanel != nullptr && FSearchPanel->Visible()) Realign();
    if (FColumnSize == nullptr) {
        TBaseGrid::WMSize(Message);
        return;
    }
    int newWidth = LOWORD(Message.LParam);
    if (FColumnSize->SynchWithGrid && FOldSize > 0) {
        HideEditor();
        double factor = (newWidth + (BorderStyle() == bsSingle ? 2 : 0)) / static_cast<double>(FOldSize);
        int from = FColumnSize->SynchNormalCellsOnly ? TBaseGrid::FixedCols() : 0;
        int to = FColumnSize->SynchNormalCellsOnly ? ColCount() - FFixedRightCols - 1 : ColCount() - 1;
        for (int i = from; i <= to && i < FOrigColSizes->Count(); ++i)
            SetColWidths(i, static_cast<int>(std::lround(FOrigColSizes->Items(i) * factor)));
    }
    bool stretched = false;
    if (FColumnSize->Stretch && (ScrollBarAlways == saNone || ScrollBarAlways == saVert) && ColCount() > 0) {
        int column = FColumnSize->StretchColumn;
        if (column < 0 || column >= ColCount()) column = ColCount() - 1;
        int others = 0;
        for (int i = 0; i < ColCount(); ++i)
            if (i != column) others += ColWidths(i);
        if (others < Width()) {
            ApplyColumnStretch();
            stretched = true;
        }
        if ((ScrollBars() == ssHorizontal || ScrollBars() == ssBoth) && ScrollBarAlways == saNone && HandleAllocated()) {
            ShowScrollBar(FHandle, SB_HORZ, ClientWidth() < others + ColWidths(column));
            ForgetScrollBars();
        }
        if (stretched && ScrollBarAlways == saNone) {
            if (OnResize) OnResize(this);
            return;
        }
    }
    TBaseGrid::WMSize(Message);
    if (!stretched && !FDisableSize && HandleAllocated()) {
        FDisableSize = true;
        if (ScrollBars() != ssHorizontal && ScrollBars() != ssBoth) ShowScrollBar(FHandle, SB_HORZ, FALSE);
        if (ScrollBars() != ssVertical && ScrollBars() != ssBoth) ShowScrollBar(FHandle, SB_VERT, FALSE);
        ForgetScrollBars();
        FDisableSize = false;
    }
}

void TAdvStringGrid::WMSetCursor(TMessage& Message)
{
    if (FMouseSelectMode != msNormal && GridState() != gsColSizing && GridState() != gsRowSizing) {
        if (FMouseSelectMode != msURL) {
            TGridCursor id = FMouseSelectMode == msColumn ? gcSelectColumn
                             : FMouseSelectMode == msRow  ? gcSelectRow
                                                          : gcSelectAll;
            ::SetCursor(LoadGridCursor(id));
            Message.Result = 1;
        } else {
            TBaseGrid::WMSetCursor(Message);
        }
    } else if (FCellSelectorMode) {
        ::SetCursor(LoadGridCursor(gcCellSelector));
        Message.Result = 1;
    } else {
        TBaseGrid::WMSetCursor(Message);
    }
    if (Screen != nullptr) {
        if (FFixedCells.SizeCol || FFixedCells.SizingCol) {
            ::SetCursor(Screen->Cursors(crHSplit));
            Message.Result = 1;
        } else if (FFixedCells.SizeRow || FFixedCells.SizingRow) {
            ::SetCursor(Screen->Cursors(crVSplit));
            Message.Result = 1;
        }
    }
}

// ---- Focus -----------------------------------------------------------------------------------

void TAdvStringGrid::WMKillFocus(TMessage& Message)
{
    if (FFocus.BlockKill) {
        Message.Result = 1;
        return;
    }
    TBaseGrid::WMKillFocus(Message);
    if (IsMergedCell(RealCol(), Row())) RepaintCell(Col(), Row());
    if (FFocus.CtrlDown) {
        FFocus.CtrlDown = false;
        RepaintCell(FFocus.CtrlCell.x, FFocus.CtrlCell.y);
    }
}

void TAdvStringGrid::WMSetFocus(TMessage& Message)
{
    if (FFocus.InvokedChange) return;
    TBaseGrid::WMSetFocus(Message);
    if ((FixedRowAlways && RowCount() == 1) || (FixedColAlways && ColCount() == 1)) HideSelection();
    if (IsMergedCell(RealCol(), Row())) RepaintCell(Col(), Row());
}

void TAdvStringGrid::DoEnter()
{
    if (FFocus.BlockEnter) return;
    TBaseGrid::DoEnter();
    if (Options().Contains(goEditing) || FMouseActions->RangeSelectAndEdit) SelectCell(Col(), Row());
}

void TAdvStringGrid::DoExit()
{
    if (!FFocus.BlockKill) TBaseGrid::DoExit();
}

// ---- Component notifications and hints -------------------------------------------------------

void TAdvStringGrid::CMDialogChar(TMessage& Message)
{
    // The search panel's buttons take their accelerators only while the search footer shows.
    Message.Result = 0;
}

void TAdvStringGrid::CMColorChanged(TMessage& Message)
{
    TBaseGrid::CMColorChanged(Message);
    if (FFloatingFooter != nullptr && FFloatingFooter->Visible()) InvalidateFooterPanel();
}

void TAdvStringGrid::CMFontChanged(TMessage& Message)
{
    TBaseGrid::CMFontChanged(Message);
}

void TAdvStringGrid::CMCursorChanged(TMessage& Message)
{
    TBaseGrid::CMCursorChanged(Message);
    if (!FInvokedCursorChange) FMouseSelectMode = msNormal;
    FInvokedCursorChange = false;
}

void TAdvStringGrid::CMHintShow(TMessage& Message)
{
    auto* info = reinterpret_cast<THintInfo*>(Message.LParam);
    Message.Result = 0;
    if (info == nullptr) return;
    Unit().HintFontName = Font()->Name();
    int col = -1, row = -1;
    MouseToCell(info->CursorPos.x, info->CursorPos.y, col, row);
    if (col >= 0 && row >= 0) {
        FLastHintCell = TPoint{col, row};
        TRect cell = TCustomGrid::CellRect(col, row);
        int realCol = RealColIndex(col);
        String hint = info->HintStr;
        String comment;
        TPoint pos{info->CursorPos.x, cell.bottom + 6};
        if (IsComment(realCol, row, comment)) {
            hint = comment;
            pos = TPoint{cell.right, cell.top};
        }
        String text = ReadCellText(realCol, row);
        int kind = CellTextKind(text, EnableHTML);
        String href, title;
        if (kind == 1 && AnchorHint && MarkupAnchorAt(col, row, info->CursorPos, href, title)) {
            String anchor = title.empty() ? href : title;
            if (OnAnchorHint) OnAnchorHint(this, row, realCol, anchor);
            FLastAnchorHint = anchor;
            hint = anchor;
            pos = TPoint{info->CursorPos.x + 8, info->CursorPos.y - 16};
        }
        auto cellHint = [&](bool Raw) { return kind == 5 ? DecodeWideCellText(text) : Raw ? text : StripMarkup(text); };
        bool normal = col >= TBaseGrid::FixedCols() && col < ColCount() - FFixedRightCols && row >= TBaseGrid::FixedRows() &&
                      row < RowCount() - FFixedFooters;
        if (HintShowCells && normal) {
            pos = TPoint{cell.left, cell.top};
            hint = cellHint(HTMLHint);
        }
        if (HintShowLargeText) {
            TSize size = GetCellTextSize(realCol, row, false, false);
            if (size.cx > cell.right - cell.left || size.cy > cell.bottom - cell.top) {
                pos = TPoint{cell.left, cell.top};
                hint = cellHint(HTMLHint || kind != 1);
            }
        }
        String wide;
        if (!(FFloatingFooter->Visible() && row == RowCount() - 1)) DoGridHint(realCol, row, wide, hint);
        if ((CellTextKind(hint, true) == 1 || CellTextKind(hint, false) == 5) && UseInternalHintClass)
            info->HintWindowClass = [] { return new THTMLHintWindow(nullptr); };
        info->HintStr = hint;
        info->CursorRect = cell;
        info->HintPos = ClientToScreen(pos);
    }
    info->HintColor = HintColor;
}

bool TAdvStringGrid::MarkupAnchorAt(int ACol, int ARow, TPoint P, String& Href, String& Title)
{
    TRect r = TCustomGrid::CellRect(ACol, ARow);
    r.left += XYOffset.x;
    r.top += XYOffset.y;
    TCanvas* canvas = Canvas();
    TGridDrawState state;
    TBrush brush;
    GetFontProperties(ACol, RealColIndex(ACol), ARow, state, canvas->Font(), &brush, false);
    String plain, focus;
    int extentX = 0, extentY = 0, anchors = 0, hitNumber = -1;
    TRect hitRect{}, controlRect{};
    String controlId, controlValue, controlKind;
    bool hit = RenderMarkup(canvas, ReadCellText(RealColIndex(ACol), ARow), r, FGridImages, P.x, P.y, -1, -1, 1, true,
                            false, false, false, false, false, true, false, 0.0, URLColor, clNone, clNone, clGray, Href,
                            plain, focus, Title, extentX, extentY, anchors, hitNumber, hitRect, controlRect, controlId,
                            controlValue, controlKind, FImageCache.get(), FPictureContainer, FHandle, 0);
    return hit && !Href.empty();
}

void TAdvStringGrid::DoGridHint(int ACol, int ARow, String& WideHint, String& HintText)
{
    if (OnGridHint) {
        OnGridHint(this, ARow, ACol, HintText);
        FOfficeHint->Notes()->SetText(HintText);
    }
    if (OnGridWideHint) {
        OnGridWideHint(this, ARow, ACol, WideHint);
        if (!WideHint.empty()) HintText = EncodeWideCellText(WideHint);
    }
}

void TAdvStringGrid::ResetFixedCellHighlight()
{
    FFixedCells.SizeCol = false;
    FFixedCells.SizeRow = false;
    FFixedCells.NoMouseLeave = false;
    if (HoverFixedCells != hfNone && (FFixedCells.HoverCol != -1 || FFixedCells.HoverRow != -1)) {
        int x = FFixedCells.HoverCol, y = FFixedCells.HoverRow;
        FFixedCells.HoverCol = -1;
        FFixedCells.HoverRow = -1;
        RepaintCell(x, y);
    }
}

// ---- Focus frame -----------------------------------------------------------------------------

void TAdvStringGrid::MoveFocusFrame()
{
    if (FFocusWindow == nullptr || !HandleAllocated() || !FFocusWindow->HandleAllocated()) return;
    TRect r = TBaseGrid::CellRect(Col(), Row());
    TPoint topLeft = ClientToScreen(TPoint{r.left, r.top});
    MoveWindow(FFocusWindow->Handle(), topLeft.x - 4, topLeft.y - 4, (r.right - r.left) + 9, (r.bottom - r.top) + 9, TRUE);
}

void TAdvStringGrid::ShowFocusFrame(TRect R)
{
    if (FFocusWindow == nullptr || !HandleAllocated()) return;
    SetFocusFrameGrid(this);
    TPoint topLeft = ClientToScreen(TPoint{R.left, R.top});
    HWND frame = FFocusWindow->Handle();
    ShowWindow(frame, SW_HIDE);
    ShapeFocusFrame(frame, R);
    SetWindowPos(frame, HWND_TOPMOST, topLeft.x - 4, topLeft.y - 4, (R.right - R.left) + 9, (R.bottom - R.top) + 9,
                 SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TAdvStringGrid::HideFocusFrame()
{
    if (Unit().FocusGrid == this) SetFocusFrameGrid(nullptr);
    if (FFocusWindow != nullptr && FFocusWindow->HandleAllocated()) ShowWindow(FFocusWindow->Handle(), SW_HIDE);
}
