// The grid as a component and a window: construction, the form description, the form's resize
// handler, the timer, the focus-frame hook, the update lock and the window procedure.
#include "framework/classes/FormReader.h"
#include "tests/grid/GridTestSupport.h"
#include "tests/support/MessageSequence.h"

using namespace gridtest;

namespace {

class AdvGridLifecycle : public GridTest {};

// The application's month table as its form description stores it.
const wchar_t* MonthForm = LR"(object MonthForm: TForm
  Left = 0
  Top = 0
  ClientHeight = 343
  ClientWidth = 367
  object caleGrid: TAdvStringGrid
    Left = 8
    Top = 16
    Width = 170
    Height = 145
    Cursor = crDefault
    ColCount = 7
    DefaultColWidth = 23
    DefaultRowHeight = 20
    Enabled = False
    FixedCols = 0
    RowCount = 7
    ScrollBars = ssNone
    TabOrder = 0
    ActiveCellFont.Charset = DEFAULT_CHARSET
    ActiveCellFont.Color = clWindowText
    ActiveCellFont.Height = -11
    ActiveCellFont.Name = 'Tahoma'
    ActiveCellFont.Style = [fsBold]
    ControlLook.FixedGradientFrom = clWhite
    ControlLook.FixedGradientTo = clBtnFace
    DefaultAlignment = taCenter
    FixedColWidth = 23
    FixedRowHeight = 20
    FixedFont.Charset = DEFAULT_CHARSET
    FixedFont.Color = clWindowText
    FixedFont.Height = -11
    FixedFont.Name = 'Tahoma'
    FixedFont.Style = [fsBold]
    FloatFormat = '%.2f'
    Navigation.AdvanceOnEnter = False
    PrintSettings.DateFormat = 'dd/mm/yyyy'
    PrintSettings.PageNumSep = '/'
    SearchFooter.FindNextCaption = 'Find &next'
    SearchFooter.FindPrevCaption = 'Find &previous'
    SelectionColor = clWhite
    VAlignment = vtaCenter
    Version = '9.9.9.9'
  end
end
)";

} // namespace

TEST_F(AdvGridLifecycle, StartsWithItsDefaultsAndObjects)
{
    auto* grid = new TAdvStringGrid(nullptr);
    EXPECT_EQ(L"5.8.0.2", grid->Version());
    grid->SetVersion(L"1.0.0.0");
    EXPECT_EQ(L"5.8.0.2", grid->Version());
    EXPECT_EQ(10, grid->RowCount());
    EXPECT_EQ(5, grid->ColCount());
    EXPECT_EQ(22, grid->DefaultRowHeight());
    EXPECT_EQ(22, grid->FixedRowHeight());
    EXPECT_EQ(400, grid->Width());
    EXPECT_EQ(250, grid->Height());
    EXPECT_EQ(0xEACAB6, grid->SelectionColor());
    EXPECT_EQ(L"%.2f", grid->FloatFormat);
    EXPECT_EQ(L"(All)", grid->FilterDropDownClear);
    EXPECT_EQ(L"Y", grid->CheckTrue);
    EXPECT_EQ(glXP, grid->Look);
    EXPECT_EQ(-1, grid->GroupColumn);
    EXPECT_EQ(22, grid->FloatingFooter()->Height());
    EXPECT_EQ(L"Tahoma", grid->FixedFont()->Name());
    EXPECT_TRUE(grid->FixedFont()->Style().Contains(fsBold));
    EXPECT_TRUE(grid->SearchFooter()->FindNextCaption().empty());
    EXPECT_TRUE(grid->ControlStyle().Contains(csAcceptsControls));
    EXPECT_FALSE(grid->IsHiddenColumn(0));
    EXPECT_FALSE(grid->IsHiddenColumn(511));
    EXPECT_EQ(0, grid->NumHiddenColumns());
    // The windows only a running grid needs.
    EXPECT_NE(nullptr, grid->FocusWindow());
    EXPECT_NE(nullptr, grid->ArrowWindow(arrLeft));
    EXPECT_NE(nullptr, grid->MoveButton());
    EXPECT_NE(nullptr, grid->CellScrollBar());
    delete grid;
}

TEST_F(AdvGridLifecycle, ReadsTheMonthTableFromItsFormDescription)
{
    RegisterGridClasses();
    ReadComponentFromText(Form, MonthForm, L"Month.form");
    auto* grid = dynamic_cast<TAdvStringGrid*>(Form->FindComponent(L"caleGrid"));
    ASSERT_NE(nullptr, grid);
    EXPECT_EQ(Form, grid->Parent());
    EXPECT_EQ(7, grid->ColCount());
    EXPECT_EQ(7, grid->RowCount());
    EXPECT_EQ(1, grid->FixedRows());
    EXPECT_EQ(0, grid->FixedCols());
    for (int c = 0; c < 7; ++c)
        EXPECT_EQ(23, grid->ColWidths(c));
    for (int r = 0; r < 7; ++r)
        EXPECT_EQ(20, grid->RowHeights(r));
    EXPECT_EQ(20, grid->FixedRowHeight());
    EXPECT_FALSE(grid->Enabled());
    EXPECT_EQ(taCenter, grid->DefaultAlignment());
    EXPECT_EQ(vtaCenter, grid->VAlignment());
    EXPECT_EQ(static_cast<UINT>(DT_VCENTER), grid->VAlign());
    EXPECT_EQ(clWhite, grid->SelectionColor());
    EXPECT_EQ(clWhite, grid->ControlLook()->FixedGradientFrom());
    EXPECT_EQ(L"Find &next", grid->SearchFooter()->FindNextCaption());
    EXPECT_EQ(L"5.8.0.2", grid->Version());
    // Loading remembered the counts and limits it started with.
    EXPECT_EQ(7, grid->MaxRowCount());
    EXPECT_EQ(20, grid->MinRowHeight);
    EXPECT_EQ(10, grid->MinColWidth);
    EXPECT_EQ(7, grid->ColumnOrder()->Count());

    // The stored gradient start is what the header row is painted from (just under the look's
    // white top edge), and a new one repaints it there.
    ShowForm();
    const int frame = (grid->Height() - grid->ClientHeight()) / 2; // the picture holds the border
    const TRect header = grid->CellRect(3, 0);
    const int x = frame + header.left + 5, top = frame + header.top + 1, bottom = frame + header.bottom - 2;
    TGridPixels before(grid->Width(), grid->Height());
    grid->PaintTo(before.DC(), 0, 0);
    EXPECT_GE(GetBValue(before.At(x, top)), 0xFA) << "starts white";
    EXPECT_NE(before.At(x, top), before.At(x, bottom)) << "a gradient, not a plain fill";
    grid->ControlLook()->SetFixedGradientFrom(clYellow);
    TGridPixels after(grid->Width(), grid->Height());
    grid->PaintTo(after.DC(), 0, 0);
    const COLORREF yellowish = after.At(x, top);
    EXPECT_LE(GetBValue(yellowish), 0x20) << "starts yellow";
    EXPECT_GE(GetRValue(yellowish), 0xF0);
    EXPECT_GE(GetGValue(yellowish), 0xF0);
    EXPECT_EQ(before.At(x, frame + 30), after.At(x, frame + 30)) << "body cells stay as they were";
}

TEST_F(AdvGridLifecycle, TakesOverTheFormsResizeHandlerAndGivesItBack)
{
    int formResizes = 0;
    TNotifyEvent own = [&formResizes](TObject*) { ++formResizes; };
    Form->OnResize = own;
    auto* grid = new TAdvStringGrid(Form);
    grid->SetParent(Form);
    grid->SetBounds(10, 10, 200, 100);
    grid->SizeWithForm = true;
    ShowForm();

    Form->SetBounds(40, 40, 560, 430);
    Pump();
    EXPECT_GE(formResizes, 1);
    EXPECT_EQ(260, grid->Width());
    EXPECT_EQ(130, grid->Height());

    // A failing form handler does not stop the grid.
    Form->OnResize(Form);
    delete grid;
    int before = formResizes;
    ASSERT_TRUE(static_cast<bool>(Form->OnResize));
    Form->OnResize(Form);
    EXPECT_EQ(before + 1, formResizes);

    // A grid without a form owner keeps no handler.
    delete new TAdvStringGrid(nullptr);
    Form->OnResize(Form);
    EXPECT_EQ(before + 2, formResizes);
}

TEST_F(AdvGridLifecycle, FormHandlerExceptionsAreSwallowed)
{
    int calls = 0;
    Form->OnResize = [&calls](TObject*) {
        ++calls;
        throw Exception(L"broken handler");
    };
    auto* grid = new TAdvStringGrid(Form);
    grid->SetParent(Form);
    grid->SetColCount(3);
    grid->ColumnSize()->Stretch = true;
    calls = 0;
    EXPECT_NO_THROW(grid->FormResize(Form));
    // The form's handler ran and failed; the grid's own sizing after it still happened.
    EXPECT_EQ(1, calls);
    EXPECT_EQ(grid->ClientWidth() - grid->ColWidths(0) - grid->ColWidths(1), grid->ColWidths(2));
}

TEST_F(AdvGridLifecycle, IntegralHeightFitsWholeRows)
{
    TCountingGrid* grid = Add(2, 10);
    grid->SetBorderStyle(bsSingle);
    grid->SetDefaultRowHeight(20);
    grid->SetIntegralHeight(true);
    grid->SetBounds(8, 8, 300, 150);
    EXPECT_EQ(144, grid->Height());
}

TEST_F(AdvGridLifecycle, AssignTakesSettingsAndCellsFromAnotherGridOnly)
{
    TCountingGrid* source = Add(4, 6);
    source->SetCells(2, 3, L"copied");
    source->GetCellProperties(2, 3)->SetFontColor(clRed);
    source->SetDefaultRowHeight(18);
    source->Navigation()->AllowInsertRow = true;
    source->Grouping()->HeaderColor = clAqua;
    source->PrintSettings()->TitleText = L"Rota";
    source->Filter()->GetColumnFilter(1)->Condition = L">3";
    source->HTMLSettings()->TableStyle = L"t";
    source->CellNode()->SetNodeIndent(20);
    source->SortSettings()->Column = 2;
    source->ProgressAppearance()->SetLevel1Perc(40);
    TCountingGrid* target = Add(2, 2);

    auto* other = new TPanel(Form);
    target->Assign(other);
    EXPECT_EQ(2, target->ColCount());

    target->Assign(source);
    EXPECT_EQ(4, target->ColCount());
    EXPECT_EQ(6, target->RowCount());
    EXPECT_EQ(18, target->DefaultRowHeight());
    EXPECT_TRUE(target->Navigation()->AllowInsertRow);
    EXPECT_EQ(clAqua, target->Grouping()->HeaderColor);
    EXPECT_EQ(L"Rota", target->PrintSettings()->TitleText);
    ASSERT_EQ(1, target->Filter()->Count());
    EXPECT_EQ(1, target->Filter()->Items(0)->Column);
    EXPECT_EQ(L">3", target->Filter()->Items(0)->Condition);
    EXPECT_EQ(L"t", target->HTMLSettings()->TableStyle);
    EXPECT_EQ(20, target->CellNode()->NodeIndent());
    EXPECT_EQ(2, target->SortSettings()->Column);
    EXPECT_EQ(40, target->ProgressAppearance()->Level1Perc());
    EXPECT_EQ(L"copied", target->Cells(2, 3));
    ASSERT_TRUE(target->HasCellProperties(2, 3));
    EXPECT_EQ(clRed, target->GetCellProperties(2, 3)->FontColor());
    EXPECT_NE(source->GetCellProperties(2, 3), target->GetCellProperties(2, 3));
}

TEST_F(AdvGridLifecycle, NothingIsPaintedInsideTheUpdateLock)
{
    TCountingGrid* grid = Add();
    ShowForm();
    UpdateWindow(grid->Handle());
    grid->Paints = 0;

    grid->BeginUpdate();
    grid->BeginUpdate();
    for (int r = 1; r < 7; ++r)
        grid->SetCells(1, r, L"x");
    grid->Invalidate();
    UpdateWindow(grid->Handle());
    PumpFor(50);
    EXPECT_EQ(0, grid->Paints);
    grid->EndUpdate();
    UpdateWindow(grid->Handle());
    EXPECT_EQ(0, grid->Paints);
    EXPECT_TRUE(grid->LockUpdate());

    grid->EndUpdate();
    EXPECT_FALSE(grid->LockUpdate());
    UpdateWindow(grid->Handle());
    PumpFor(50);
    EXPECT_EQ(1, grid->Paints);

    // An unmatched EndUpdate keeps the count at 0 and drawing on.
    grid->EndUpdate();
    EXPECT_EQ(0, grid->UpdateCount());
    grid->SetCells(2, 2, L"y");
    UpdateWindow(grid->Handle());
    EXPECT_EQ(2, grid->Paints);
}

// Cell writes inside the lock leave nothing to paint; the unlock invalidates the whole client
// once and one paint follows.
TEST_F(AdvGridLifecycle, WritesInsideTheUpdateLockWaitForOneWholeRepaint)
{
    TCountingGrid* grid = Add();
    ShowForm();
    UpdateWindow(grid->Handle());
    grid->Paints = 0;
    RECT update{};

    grid->BeginUpdate();
    for (int r = 1; r < 7; ++r)
        grid->SetCells(1, r, L"x");
    grid->GetCellProperties(2, 2)->SetBrushColor(clRed);
    grid->SetCells(2, 2, L"y");
    grid->ClearRows(3, 1);
    EXPECT_FALSE(GetUpdateRect(grid->Handle(), &update, FALSE));

    grid->EndUpdate();
    ASSERT_TRUE(GetUpdateRect(grid->Handle(), &update, FALSE));
    RECT client{};
    GetClientRect(grid->Handle(), &client);
    EXPECT_TRUE(EqualRect(&client, &update));
    UpdateWindow(grid->Handle());
    PumpFor(50);
    EXPECT_EQ(1, grid->Paints);
}

TEST_F(AdvGridLifecycle, UpdateLockIgnoresAnInvisibleGridAndResetEndsItSilently)
{
    TCountingGrid* grid = Add();
    grid->SetVisible(false);
    grid->BeginUpdate();
    EXPECT_EQ(0, grid->UpdateCount());
    grid->SetVisible(true);
    grid->EndUpdate();
    EXPECT_EQ(0, grid->UpdateCount());

    ShowForm();
    UpdateWindow(grid->Handle());
    grid->StartUpdate();
    grid->StartUpdate();
    EXPECT_EQ(2, grid->UpdateCount());
    grid->Paints = 0;
    grid->ResetUpdate();
    EXPECT_EQ(0, grid->UpdateCount());
    UpdateWindow(grid->Handle());
    EXPECT_EQ(0, grid->Paints);
}

TEST_F(AdvGridLifecycle, TimerTicksAndClearsTheIncrementalSearchOnTheFourthTick)
{
    TCountingGrid* grid = Add();
    ShowForm();
    // The 500 ms timer's first tick, with room for a slow machine.
    EXPECT_TRUE(kvltest::PumpUntil([grid] { return grid->TimerTicks() >= 1; }, 10000));

    grid->Navigation()->AutoGotoIncremental = true;
    grid->SetIncrSearchText(L"A");
    for (int tick = 1; tick <= 3; ++tick) {
        grid->Perform(WM_TIMER, 111, 0);
        EXPECT_EQ(L"A", grid->IncrSearchText) << "tick " << tick;
    }
    grid->Perform(WM_TIMER, 111, 0);
    EXPECT_EQ(L"", grid->IncrSearchText);
}

TEST_F(AdvGridLifecycle, EditDoneMessageFiresOnEditCellDone)
{
    TCountingGrid* grid = Add();
    ShowForm();
    int col = -1, row = -1;
    grid->OnEditCellDone = [&](TObject*, int ACol, int ARow) {
        col = ACol;
        row = ARow;
    };
    ASSERT_NE(0u, GridEditDoneMessage());
    kvltest::TMessageSequence seq;
    seq.Only = {GridEditDoneMessage()};
    {
        kvltest::TWindowProcRecorder<TCountingGrid> rec(seq, grid);
        PostMessageW(grid->Handle(), GridEditDoneMessage(), 3, 4);
        Pump();
    }
    EXPECT_TRUE(seq.Matches({{GridEditDoneMessage(), kvltest::msPosted | kvltest::msWParam | kvltest::msLParam, 3, 4}}));
    EXPECT_EQ(3, col);
    EXPECT_EQ(4, row);
}

// A child's command goes back to the child (an edit's change notification twice), never to the
// grid itself.
TEST_F(AdvGridLifecycle, ChildCommandsAreSentBackToTheChild)
{
    TCountingGrid* grid = Add();
    ShowForm();
    HWND child = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 10, 10, grid->Handle(), nullptr, nullptr, nullptr);
    ASSERT_NE(nullptr, child);
    kvltest::TMessageSequence seq;
    seq.Only = {WM_COMMAND};
    {
        kvltest::TWindowRecorder rec(seq, child);
        kvltest::TWindowRecorder self(seq, grid->Handle(), kvltest::msParent);
        SendMessageW(grid->Handle(), WM_COMMAND, MAKEWPARAM(7, EN_CHANGE), reinterpret_cast<LPARAM>(child));
        SendMessageW(grid->Handle(), WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), reinterpret_cast<LPARAM>(child));
        SendMessageW(grid->Handle(), WM_COMMAND, MAKEWPARAM(7, BN_CLICKED), reinterpret_cast<LPARAM>(grid->Handle()));
    }
    const unsigned w = kvltest::msWParam;
    const unsigned p = kvltest::msParent | kvltest::msWParam;
    EXPECT_TRUE(seq.Matches({{WM_COMMAND, p, MAKEWPARAM(7, EN_CHANGE)},
                             {WM_COMMAND, w, MAKEWPARAM(7, EN_CHANGE)},
                             {WM_COMMAND, w, MAKEWPARAM(7, EN_CHANGE)},
                             {WM_COMMAND, p, MAKEWPARAM(7, BN_CLICKED)},
                             {WM_COMMAND, w, MAKEWPARAM(7, BN_CLICKED)},
                             {WM_COMMAND, p, MAKEWPARAM(7, BN_CLICKED)}}));
    DestroyWindow(child);
}

TEST_F(AdvGridLifecycle, HookKeepsTheFocusFrameOnItsCellWhenTheFormMoves)
{
    TCountingGrid* grid = Add();
    ShowForm();
    grid->FocusCell(2, 3);
    grid->ShowFocusFrame(grid->CellRect(2, 3));
    ASSERT_EQ(grid, FocusFrameGrid());

    Form->SetBounds(120, 90, 500, 400);
    Pump();
    RECT frame;
    GetWindowRect(grid->FocusWindow()->Handle(), &frame);
    TRect cell = grid->CellRect(2, 3);
    TPoint screen = grid->ClientToScreen(TPoint{cell.left, cell.top});
    EXPECT_EQ(screen.x - 4, frame.left);
    EXPECT_EQ(screen.y - 4, frame.top);
    EXPECT_EQ((cell.right - cell.left) + 9, frame.right - frame.left);

    grid->HideFocusFrame();
    EXPECT_EQ(nullptr, FocusFrameGrid());
    // Shown again after a hide, the frame follows the form again.
    grid->ShowFocusFrame(grid->CellRect(2, 3));
    Form->SetBounds(60, 40, 500, 400);
    Pump();
    GetWindowRect(grid->FocusWindow()->Handle(), &frame);
    screen = grid->ClientToScreen(TPoint{cell.left, cell.top});
    EXPECT_EQ(screen.x - 4, frame.left);
    EXPECT_EQ(screen.y - 4, frame.top);
    grid->HideFocusFrame();
    // A grid that goes away while its frame shows leaves no frame grid behind.
    grid->ShowFocusFrame(grid->CellRect(1, 1));
    delete grid;
    EXPECT_EQ(nullptr, FocusFrameGrid());
}

TEST_F(AdvGridLifecycle, WheelMovesTheCurrentRowAndIsSwallowedWithOnlyAFixedRow)
{
    TCountingGrid* grid = Add(3, 12);
    ShowForm();
    grid->MouseActions()->WheelIncrement = 2;
    grid->FocusCell(1, 1);
    grid->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(3, grid->Row());
    grid->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), 0);
    EXPECT_EQ(1, grid->Row());

    TCountingGrid* single = Add(3, 1);
    single->HandleNeeded();
    single->FixedRowAlways = true;
    int wheels = 0;
    single->OnMouseWheel = [&wheels](TObject*, TShiftState, int, TPoint, bool&) { ++wheels; };
    single->Perform(WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
    EXPECT_EQ(0, wheels);
}
