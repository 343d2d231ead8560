// Cell objects: every kind is attached, replaced and removed with its ownership right (counted
// live objects), queries on empty and foreign cells answer nothing, cells beyond the grid raise,
// and the picture sizes follow the stretch modes.
#include <functional>
#include <vector>

#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

// A caller's bitmap that says when it goes.
class TCountedBitmap : public TBitmap {
public:
    TCountedBitmap() { ++Live; }
    ~TCountedBitmap() override { --Live; }
    static inline int Live = 0;
};

class TCountedPicture : public TPicture {
public:
    TCountedPicture() { ++Live; }
    ~TCountedPicture() override { --Live; }
    static inline int Live = 0;
};

class TSizedCellObject : public TInterfacedPersistent, public ICellObject {
public:
    void Draw(TCanvas*, const TRect&, int, int, bool, TObject*) override {}
    int GetWidth() override { return 33; }
    int GetHeight() override { return 0; }
};

} // namespace

class CellObjectsTest : public GridTest {
protected:
    void SetUp() override
    {
        GridTest::SetUp();
        TCountedBitmap::Live = 0;
        TCountedPicture::Live = 0;
    }
};

// Every kind is made through its Add operation, reports its kind and lands in the cell's
// properties; the text of the cell stays as it was.
TEST_F(CellObjectsTest, EveryKindIsAddedWithItsKindAndLeavesTheTextAlone)
{
    TCountingGrid* grid = Add(4, 4);
    TImageList images(nullptr);
    grid->SetGridImages(&images);
    TBitmap bitmap;
    TPicture picture;
    TIcon icon;
    TSizedCellObject object;
    struct Case {
        const char* Name;
        std::function<void()> AddIt;
        TCellType Kind;
    };
    const std::vector<Case> cases = {
        {"bitmap", [&] { grid->AddBitmap(1, 1, &bitmap, true, haLeft, vaTop); }, ctBitmap},
        {"icon", [&] { grid->AddIcon(1, 1, &icon, haLeft, vaTop); }, ctIcon},
        {"image index", [&] { grid->AddImageIdx(1, 1, 2, haLeft, vaTop); }, ctImageList},
        {"check box", [&] { grid->AddCheckBox(1, 1, true, false); }, ctCheckBox},
        {"data check box", [&] { grid->AddCheckBox(1, 1, true, true); }, ctDataCheckBox},
        {"data image", [&] { grid->AddDataImage(1, 1, 3, haLeft, vaTop); }, ctDataImage},
        {"multi image", [&] { grid->AddMultiImage(1, 1, 0, haLeft, vaTop); }, ctImages},
        {"picture", [&] { grid->AddPicture(1, 1, &picture, false, noStretch, 0, haLeft, vaTop); }, ctPicture},
        {"file picture", [&] { grid->CreateFilePicture(1, 1, false, noStretch, 0, haLeft, vaTop); }, ctFilePicture},
        {"progress", [&] { grid->AddProgress(1, 1, clRed, clWhite); }, ctProgress},
        {"comment", [&] { grid->AddComment(1, 1, L"note"); }, ctComment},
        {"button", [&] { grid->AddButton(1, 1, 40, 18, L"Go", haRight, vaCenter); }, ctButton},
        {"bit button", [&] { grid->CreateBitButton(1, 1, 40, 18, L"Go", haRight, vaCenter); }, ctBitButton},
        {"pie", [&] { grid->AddProgressPie(1, 1, clBlue, 40); }, ctProgressPie},
        {"range", [&] { grid->AddRangeIndicator(1, 1, 100, clRed, clGreen, true); }, ctRangeIndicator},
        {"xp progress", [&] { grid->AddAdvProgress(1, 1, 0, 50); }, ctXPProgress},
        {"interface", [&] { grid->AddInterfacedCell(1, 1, &object); }, ctInterface},
        {"scroll bar", [&] { grid->AddScrollBar(1, 1, false); }, ctScrollbar},
        {"radio button", [&] { grid->AddRadioButton(1, 1, true); }, ctRadioButton},
        {"shape", [&] { grid->AddShape(1, 1, csCircle, clRed, clBlack, haLeft, vaTop); }, ctShape},
        {"rating", [&] { grid->AddRating(1, 1, 5, clYellow, clGray); }, ctRating},
        {"marker", [&] { grid->AddMarker(1, 1, 2, 3); }, ctEmpty},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->SetCells(1, 1, L"");
        grid->RemoveCellGraphic(1, 1);
        c.AddIt();
        EXPECT_EQ(c.Kind, grid->GetCellType(1, 1));
        ASSERT_NE(nullptr, grid->GetCellGraphic(1, 1));
        EXPECT_TRUE(grid->HasCellProperties(1, 1));
        if (c.Kind != ctDataCheckBox && c.Kind != ctDataImage) EXPECT_EQ(L"", grid->Cells(1, 1));
    }
    grid->SetCells(2, 2, L"keep");
    grid->AddRating(2, 2, 5, clYellow, clGray);
    EXPECT_EQ(L"keep", grid->Cells(2, 2));
    EXPECT_TRUE(grid->HasRating(2, 2));
    EXPECT_EQ(0, TCountedGraphic::Live);
}

// A grid whose cells hold counted objects, whatever kind the Add operations make of them.
class TCountedObjectsGrid : public TCountingGrid {
public:
    using TCountingGrid::TCountingGrid;
    TCellGraphic* NewCellGraphic() override { return new TCountedGraphic(); }
};

// Every kind, each added over the one before: the cell holds exactly one object throughout; each
// kind's own remove operation frees it; clearing and the grid's end free the rest.
TEST_F(CellObjectsTest, EveryKindReplacesAndFreesItsObjectOnce)
{
    auto* grid = new TCountedObjectsGrid(Form);
    grid->SetParent(Form);
    grid->SetColCount(4);
    grid->SetRowCount(4);
    TImageList images(nullptr);
    grid->SetGridImages(&images);
    TBitmap bitmap;
    TPicture picture;
    TIcon icon;
    TSizedCellObject object;
    struct Case {
        const char* Name;
        std::function<void(int, int)> AddIt;
        std::function<bool(int, int)> RemoveIt; // the kind's own remove operation
    };
    const std::vector<Case> cases = {
        {"bitmap", [&](int c, int r) { grid->AddBitmap(c, r, &bitmap, true, haLeft, vaTop); },
         [&](int c, int r) { return grid->RemoveBitmap(c, r); }},
        {"created bitmap", [&](int c, int r) { grid->CreateBitmap(c, r, false, haLeft, vaTop); },
         [&](int c, int r) { return grid->RemoveBitmap(c, r); }},
        {"icon", [&](int c, int r) { grid->AddIcon(c, r, &icon, haLeft, vaTop); },
         [&](int c, int r) { return grid->RemoveIcon(c, r); }},
        {"created icon", [&](int c, int r) { grid->CreateIcon(c, r, haLeft, vaTop); },
         [&](int c, int r) { return grid->RemoveIcon(c, r); }},
        {"image index", [&](int c, int r) { grid->AddImageIdx(c, r, 2, haLeft, vaTop); },
         [&](int c, int r) { return grid->RemoveImageIdx(c, r); }},
        {"data image", [&](int c, int r) { grid->AddDataImage(c, r, 3, haLeft, vaTop); },
         [&](int c, int r) { return grid->RemoveDataImage(c, r); }},
        {"multi image", [&](int c, int r) { grid->AddMultiImage(c, r, 0, haLeft, vaTop); },
         [&](int c, int r) { return grid->RemoveMultiImage(c, r); }},
        {"picture", [&](int c, int r) { grid->AddPicture(c, r, &picture, false, noStretch, 0, haLeft, vaTop); },
         [&](int c, int r) { return grid->RemovePicture(c, r); }},
        {"created picture", [&](int c, int r) { grid->CreatePicture(c, r, false, noStretch, 0, haLeft, vaTop); },
         [&](int c, int r) { return grid->RemovePicture(c, r); }},
        {"file picture", [&](int c, int r) { grid->CreateFilePicture(c, r, false, noStretch, 0, haLeft, vaTop); },
         [&](int c, int r) { return grid->RemoveFilePicture(c, r); }},
        {"check box", [&](int c, int r) { grid->AddCheckBox(c, r, true, false); },
         [&](int c, int r) { grid->RemoveCheckBox(c, r); return true; }},
        {"data check box", [&](int c, int r) { grid->AddCheckBox(c, r, true, true); },
         [&](int c, int r) { grid->RemoveCheckBox(c, r); return true; }},
        {"progress", [&](int c, int r) { grid->AddProgress(c, r, clRed, clWhite); },
         [&](int c, int r) { return grid->RemoveProgress(c, r); }},
        {"comment", [&](int c, int r) { grid->AddComment(c, r, L"note"); },
         [&](int c, int r) { return grid->RemoveComment(c, r); }},
        {"button", [&](int c, int r) { grid->AddButton(c, r, 40, 18, L"Go", haRight, vaCenter); },
         [&](int c, int r) { return grid->RemoveButton(c, r); }},
        {"bit button", [&](int c, int r) { grid->CreateBitButton(c, r, 40, 18, L"Go", haRight, vaCenter); },
         [&](int c, int r) { return grid->RemoveButton(c, r); }},
        {"pie", [&](int c, int r) { grid->AddProgressPie(c, r, clBlue, 40); },
         [&](int c, int r) { return grid->RemoveProgressPie(c, r); }},
        {"range", [&](int c, int r) { grid->AddRangeIndicator(c, r, 100, clRed, clGreen, true); },
         [&](int c, int r) { return grid->RemoveRangeIndicator(c, r); }},
        {"xp progress", [&](int c, int r) { grid->AddAdvProgress(c, r, 0, 50); },
         [&](int c, int r) { return grid->RemoveAdvProgress(c, r); }},
        {"interface", [&](int c, int r) { grid->AddInterfacedCell(c, r, &object); },
         [&](int c, int r) { return grid->RemoveInterfacedCell(c, r); }},
        {"scroll bar", [&](int c, int r) { grid->AddScrollBar(c, r, false); },
         [&](int c, int r) { return grid->RemoveScrollBar(c, r); }},
        {"radio button", [&](int c, int r) { grid->AddRadioButton(c, r, true); },
         [&](int c, int r) { grid->RemoveRadioButton(c, r); return true; }},
        {"shape", [&](int c, int r) { grid->AddShape(c, r, csCircle, clRed, clBlack, haLeft, vaTop); },
         [&](int c, int r) { return grid->RemoveShape(c, r); }},
        {"rating", [&](int c, int r) { grid->AddRating(c, r, 5, clYellow, clGray); },
         [&](int c, int r) { return grid->RemoveRating(c, r); }},
        {"marker", [&](int c, int r) { grid->AddMarker(c, r, 2, 3); },
         [&](int c, int r) { grid->RemoveMarker(c, r); return true; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        c.AddIt(1, 1); // over the kind before
        EXPECT_EQ(1, TCountedGraphic::Live);
        c.AddIt(2, 2);
        EXPECT_EQ(2, TCountedGraphic::Live);
        EXPECT_TRUE(c.RemoveIt(2, 2));
        EXPECT_EQ(1, TCountedGraphic::Live);
        EXPECT_EQ(ctEmpty, grid->GetCellType(2, 2));
    }
    grid->AddCheckBox(2, 2, true, false);
    grid->ClearRect(2, 2, 2, 2);
    EXPECT_EQ(1, TCountedGraphic::Live) << "clearing frees the cell's object";
    delete grid;
    EXPECT_EQ(0, TCountedGraphic::Live);
    EXPECT_EQ(0, TCountedProps::Live);
}

// Ownership over add, replace, remove, clear and destroy: the grid's objects live exactly as
// long as their cells hold them; a caller's bitmap outlives every step.
TEST_F(CellObjectsTest, OwnershipOverAddReplaceRemoveClearAndDestroy)
{
    TCountingGrid* grid = Add(5, 5);
    auto* callerBitmap = new TCountedBitmap();

    // A picture the cell made is the cell's: replacing it frees it once.
    TCellGraphic* made = grid->CreateCellGraphic(1, 1);
    made->SetPicture(new TCountedPicture(), false, noStretch, 0, haLeft, vaTop);
    made->SetCellCreated(true);
    EXPECT_EQ(1, TCountedPicture::Live);
    grid->AddBitmap(1, 1, callerBitmap, false, haLeft, vaTop);
    EXPECT_EQ(0, TCountedPicture::Live);
    EXPECT_EQ(callerBitmap, grid->GetBitmap(1, 1));

    // A passed-in bitmap stays the caller's through replace, remove, clear and destroy.
    grid->AddBitmap(1, 1, callerBitmap, false, haLeft, vaTop);
    grid->AddBitmap(2, 2, callerBitmap, false, haLeft, vaTop);
    EXPECT_TRUE(grid->RemoveBitmap(1, 1));
    EXPECT_FALSE(grid->RemoveBitmap(1, 1));
    grid->AddCheckBox(3, 3, true, false);
    grid->ClearAll();
    EXPECT_EQ(ctEmpty, grid->GetCellType(2, 2));
    EXPECT_EQ(1, TCountedBitmap::Live);
    EXPECT_EQ(0, TCountedProps::Live);

    grid->AddBitmap(1, 1, callerBitmap, false, haLeft, vaTop);
    auto* own = new TCountedPicture();
    TCellGraphic* g = grid->CreateCellGraphic(2, 2);
    g->SetPicture(own, false, noStretch, 0, haLeft, vaTop);
    g->SetCellCreated(true);
    delete Form;
    Form = nullptr;
    EXPECT_EQ(1, TCountedBitmap::Live);
    EXPECT_EQ(0, TCountedPicture::Live);
    EXPECT_EQ(0, TCountedProps::Live);
    delete callerBitmap;
}

// The grid's own cell objects, counted: add, replace, remove, clear, hiding and the grid's end
// each leave the count where it must be.
TEST_F(CellObjectsTest, LiveCellObjectCountFollowsTheCells)
{
    TCountingGrid* grid = Add(5, 5);
    auto attach = [&](int c, int r) {
        // The counted object goes in where CreateCellGraphic would put the grid's own.
        grid->RemoveCellGraphic(c, r);
        grid->SetCellGraphic(c, r, new TCountedGraphic());
    };
    attach(1, 1);
    attach(2, 2);
    attach(3, 3);
    EXPECT_EQ(3, TCountedGraphic::Live);
    grid->AddCheckBox(1, 1, false, false);  // replaces: the old one goes
    EXPECT_EQ(2, TCountedGraphic::Live);
    EXPECT_TRUE(grid->RemoveCellGraphic(2, 2));
    EXPECT_EQ(1, TCountedGraphic::Live);
    attach(2, 2);
    grid->ClearRect(0, 0, 2, 2);
    EXPECT_EQ(1, TCountedGraphic::Live);
    grid->HideRow(3);
    EXPECT_EQ(1, TCountedGraphic::Live);
    delete Form;
    Form = nullptr;
    EXPECT_EQ(0, TCountedGraphic::Live);
}

TEST_F(CellObjectsTest, CellsBeyondTheGridRaiseAndChangeNothing)
{
    TCountingGrid* grid = Add(4, 4);
    grid->HideColumn(3);  // its cells are still addressable
    grid->AddComment(3, 1, L"hidden column");
    EXPECT_EQ(ctComment, grid->GetCellType(3, 1));

    struct Case {
        const char* Name;
        std::function<void()> Call;
        const wchar_t* Message;
    };
    TBitmap bitmap;
    const std::vector<Case> cases = {
        {"check box column", [&] { grid->AddCheckBox(4, 1, true, false); }, L"Invalid cell"},
        {"check box row", [&] { grid->AddCheckBox(1, 4, true, false); }, L"Invalid cell"},
        {"radio negative", [&] { grid->AddRadioButton(-1, 1, true); }, L"Invalid cell"},
        {"bitmap column", [&] { grid->AddBitmap(4, 1, &bitmap, false, haLeft, vaTop); }, L"Invalid column accessed"},
        {"comment row", [&] { grid->AddComment(1, 9, L"x"); }, L"Invalid row accessed"},
        {"picture created", [&] { grid->CreatePicture(1, -1, false, noStretch, 0, haLeft, vaTop); },
         L"Invalid row accessed"},
    };
    const int props = TCountedProps::Live;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Name);
        try {
            c.Call();
            ADD_FAILURE() << "no exception";
        } catch (const EAdvGridError& e) {
            EXPECT_EQ(String(c.Message), e.Message());
        }
    }
    EXPECT_EQ(props, TCountedProps::Live);
    // Queries beyond the grid answer nothing and make nothing.
    EXPECT_EQ(ctEmpty, grid->GetCellType(9, 9));
    EXPECT_EQ(nullptr, grid->GetCellGraphic(9, 9));
    EXPECT_FALSE(grid->HasCheckBox(-1, 0));
    EXPECT_FALSE(grid->IsChecked(9, 9));
    EXPECT_FALSE(grid->RemoveCellGraphic(9, 9));
    EXPECT_EQ(props, TCountedProps::Live);
}

TEST_F(CellObjectsTest, QueriesOfOtherKindsAnswerTheirEmptyValues)
{
    TCountingGrid* grid = Add(4, 4);
    grid->AddProgress(1, 1, clRed, clWhite);
    EXPECT_EQ(clNone, grid->GetShapeColor(1, 1));
    TScrollProp prop = grid->GetScrollProp(1, 1);
    EXPECT_EQ(-1, prop.PageSize);
    EXPECT_EQ(-1, prop.Range);
    EXPECT_EQ(-1, grid->GetScrollPosition(1, 1));
    EXPECT_EQ(nullptr, grid->GetBitmap(1, 1));
    EXPECT_EQ(nullptr, grid->GetPicture(2, 2));
    int idx = 7;
    EXPECT_FALSE(grid->GetImageIdx(1, 1, idx));
    EXPECT_EQ(7, idx);
    String comment = L"x";
    EXPECT_FALSE(grid->IsComment(1, 1, comment));
    EXPECT_FALSE(grid->HasCellProperties(2, 2));

    // A marker on a progress cell comes and goes without touching the bar.
    grid->AddMarker(1, 1, 2, 4);
    int pos = 0, len = 0;
    grid->GetMarker(1, 1, pos, len);
    EXPECT_EQ(2, pos);
    EXPECT_EQ(4, len);
    grid->RemoveMarker(1, 1);
    EXPECT_TRUE(grid->HasProgress(1, 1));
    grid->GetMarker(1, 1, pos, len);
    EXPECT_EQ(0, pos + len);
    grid->AddMarker(2, 2, 1, 1);
    grid->RemoveMarker(2, 2);
    EXPECT_EQ(ctEmpty, grid->GetCellType(2, 2));
    EXPECT_EQ(nullptr, grid->GetCellGraphic(2, 2));

    // Image kinds need the grid's image list.
    grid->AddImageIdx(3, 3, 1, haLeft, vaTop);
    EXPECT_EQ(ctEmpty, grid->GetCellType(3, 3));
}

// Progress cells keep their limits and colours where painting and the stream read them; with
// AutoNumAlign they right-align.
TEST_F(CellObjectsTest, ProgressKeepsLimitsColoursAndAlignment)
{
    TCountingGrid* grid = Add(4, 4);
    grid->AutoNumAlign = true;
    grid->AddProgressFormatted(1, 1, clRed, clWhite, clBlue, clBlack, L"%d", 5, 5);
    TCellGraphic* g = grid->GetCellGraphic(1, 1);
    EXPECT_EQ(clRed, g->CellBitmapColor());
    EXPECT_EQ(nullptr, g->CellBitmap());
    EXPECT_EQ(clBlue, g->CellIconColor());
    EXPECT_EQ(static_cast<int>(clWhite), g->CellIndex());
    EXPECT_EQ(5, g->CellErrFrom());
    EXPECT_EQ(5, g->CellErrLen());
    EXPECT_TRUE(g->CellBoolean());
    EXPECT_EQ(taRightJustify, grid->GetCellProperties(1, 1)->Alignment());
    grid->AddProgress(2, 2, clRed, clWhite);
    EXPECT_FALSE(grid->GetCellGraphic(2, 2)->CellBoolean());
    EXPECT_EQ(100, grid->GetCellGraphic(2, 2)->CellErrLen());
}

// Under HotmailRowSelect column 0 answers the shared row check box, filled from the row's
// selection; removing or replacing there never frees it.
TEST_F(CellObjectsTest, SharedRowCheckBoxUnderHotmailRowSelect)
{
    TCountingGrid* grid = Add(3, 4);
    grid->MouseActions()->SetDisjunctRowSelect(true);
    grid->MouseActions()->SetHotmailRowSelect(true);
    grid->SetRowSelect(2, true);
    EXPECT_EQ(ctRowCheckBox, grid->GetCellType(0, 1));
    TCellGraphic* shared = grid->GetCellGraphic(0, 2);
    EXPECT_EQ(grid->SharedCellGraphic(), shared);
    EXPECT_TRUE(shared->CellBoolean());
    EXPECT_FALSE(grid->GetCellGraphic(0, 1)->CellBoolean());
    EXPECT_EQ(1, grid->GetCellGraphic(0, 0)->CellAngle());
    EXPECT_TRUE(grid->GetCellGraphic(0, 0)->IsGrayedCheck());
    EXPECT_FALSE(grid->RemoveCellGraphic(0, 2));
    grid->AddComment(0, 2, L"own");
    EXPECT_TRUE(grid->RemoveCellGraphic(0, 2));
    EXPECT_EQ(ctRowCheckBox, grid->GetCellGraphic(0, 2)->CellType());

    EXPECT_TRUE(grid->IsChecked(0, 2));
    EXPECT_TRUE(grid->ToggleCheckBox(0, 2));
    EXPECT_FALSE(grid->RowSelect(2));
    EXPECT_EQ(L"", grid->Cells(0, 2));
}

TEST(CellGraphicTest, PictureSizeFollowsTheStretchMode)
{
    TPicture picture;
    picture.Bitmap()->SetSize(100, 50);
    struct Case {
        TStretchMode Mode;
        int Padding, Cw, Rh;
        LONG W, H;
    };
    const Case cases[] = {
        {StretchWithAspectRatio, 0, 50, 50, 50, 25},
        {StretchWithAspectRatio, 0, 400, 100, 200, 100},
        {StretchWithAspectRatio, 10, 60, 60, 50, 25},
        {noStretch, 0, 10, 10, 100, 50},
        {Stretch, 4, 30, 24, 26, 20},
        {Shrink, 0, 200, 200, 100, 50},
        {Shrink, 0, 80, 200, 80, 200},
        {ShrinkWithAspectRatio, 0, 200, 200, 100, 50},
        {ShrinkWithAspectRatio, 0, 50, 200, 50, 25},
        {StretchWithAspectRatio, 0, 25, 100, 25, 12},  // 50 * 0.25 = 12.5 ties to even
    };
    for (const Case& c : cases) {
        TCellGraphic g;
        g.SetPicture(&picture, false, c.Mode, c.Padding, haLeft, vaTop);
        TPoint size = g.GetPictureSize(c.Cw, c.Rh, false);
        EXPECT_EQ(c.W, size.x) << "mode " << c.Mode << " " << c.Cw << "x" << c.Rh;
        EXPECT_EQ(c.H, size.y) << "mode " << c.Mode << " " << c.Cw << "x" << c.Rh;
    }
    TCellGraphic other;
    other.SetCheckBox(true, false, true, haLeft, vaTop);
    EXPECT_EQ(0, other.GetPictureSize(50, 50, false).x);
}

// The object frees what it made and the lists it always owns, never what a caller gave it;
// Assign copies the plain fields only.
TEST(CellGraphicTest, OwnsOnlyWhatItMadeAndAssignCopiesPlainFields)
{
    TCountedBitmap::Live = 0;
    auto* callers = new TCountedBitmap();
    {
        TCellGraphic g;
        g.SetBitmap(callers, true, haRight, vaBottom);
    }
    EXPECT_EQ(1, TCountedBitmap::Live);
    {
        TCellGraphic g;
        g.SetBitButton(10, 10, L"x", new TCountedBitmap(), haLeft, vaTop);
        g.SetCellCreated(true);
        // Turning the object into another kind gives up the glyph it owned.
        g.SetCheckBox(true, false, true, haLeft, vaTop);
        EXPECT_EQ(1, TCountedBitmap::Live);
        g.SetCellAngle(1);
        g.SetCellBitmap(new TCountedBitmap());  // an attached balloon's texts stand in here
    }
    EXPECT_EQ(1, TCountedBitmap::Live);
    delete callers;

    TCellGraphic source;
    TBitmap bitmap;
    source.SetButton(20, 10, L"Go", haFull, vaCenter);
    source.SetCellBitmap(&bitmap);
    source.SetCellVar(3);
    source.SetCellValue(65537);
    TCellGraphic copy;
    copy.Assign(&source);
    EXPECT_EQ(ctButton, copy.CellType());
    EXPECT_EQ(20 + 10 * 65536, copy.CellIndex());
    EXPECT_EQ(L"Go", copy.CellText());
    EXPECT_EQ(haFull, copy.CellHAlign());
    EXPECT_EQ(65537.0, copy.CellValue());
    EXPECT_EQ(nullptr, copy.CellBitmap());
    EXPECT_TRUE(std::holds_alternative<std::monostate>(copy.CellVar()));
}

TEST_F(CellObjectsTest, GraphicSizesForSizingAndPrinting)
{
    TCountingGrid* grid = Add(4, 4);
    grid->SetColWidths(1, 80);
    grid->SetRowHeights(1, 40);
    TBitmap bitmap;
    bitmap.SetSize(30, 20);
    grid->AddBitmap(1, 1, &bitmap, false, haBeforeText, vaTop);
    grid->SetCells(1, 1, L"text");
    EXPECT_EQ(30, grid->GetCellGraphicSize(1, 1).x);  // beside the text
    EXPECT_EQ(0, grid->GetCellGraphicSize(1, 1).y);
    EXPECT_EQ(30, grid->GetCellGraphicPrintSize(1, 1, 0, 0, 1).x);
    EXPECT_EQ(20, grid->GetCellGraphicPrintSize(1, 1, 0, 0, 1).y);

    grid->AddCheckBox(2, 1, false, false);
    EXPECT_EQ(grid->ControlLook()->CheckSize(), grid->GetCellGraphicSize(2, 1).x);
    grid->AddRadioButton(2, 2);
    EXPECT_EQ(grid->ControlLook()->RadioSize(), grid->GetCellGraphicSize(2, 2).y);
    grid->AddRating(1, 2, 5, clYellow, clGray);
    EXPECT_EQ(90, grid->GetCellGraphicSize(1, 2).x);  // haFull, but the width is kept
    EXPECT_EQ(16, grid->GetCellGraphicSize(1, 2).y);
    EXPECT_EQ(0, grid->GetCellGraphicPrintSize(1, 2, 0, 0, 1).x);
    grid->AddProgressPie(3, 3, clBlue, 10);
    EXPECT_EQ(20, grid->GetCellGraphicSize(3, 3).x);

    TPicture picture;
    picture.Bitmap()->SetSize(100, 50);
    grid->AddPicture(1, 3, &picture, false, StretchWithAspectRatio, 0, haLeft, vaTop);
    TPoint print = grid->GetCellGraphicPrintSize(1, 3, 50, 50, 2.0);
    EXPECT_EQ(25, print.x);
    EXPECT_EQ(12, print.y);  // 12.5 rounds to even

    TSizedCellObject object;
    grid->AddInterfacedCell(0, 1, &object);
    TPoint isize = grid->GetCellGraphicPrintSize(0, 1, 0, 0, 1);
    EXPECT_EQ(33, isize.x);
    EXPECT_EQ(40, isize.y);  // a zero height takes the cell's
    EXPECT_EQ(&object, grid->GetInterfacedCell(0, 1));
}

TEST_F(CellObjectsTest, ButtonRectangleFromThePaintedOffset)
{
    TCountingGrid* grid = Add(4, 4);
    ShowForm();
    grid->AddButton(2, 1, 30, 14, L"Go", haRight, vaCenter);
    grid->GetCellGraphic(2, 1)->SetCellValue(5 + 3 * 65536);
    TRect cell = grid->CellRect(2, 1);
    TRect r = grid->GetCellButtonRect(2, 1);
    EXPECT_EQ(cell.left + 5, r.left);
    EXPECT_EQ(cell.top + 3, r.top);
    EXPECT_EQ(r.left + 30, r.right);
    EXPECT_EQ(r.top + 14, r.bottom);
    grid->PushButton(2, 1, true);
    EXPECT_TRUE(grid->GetCellGraphic(2, 1)->CellBoolean());
    grid->SetButtonText(2, 1, L"Stop");
    EXPECT_EQ(L"Stop", grid->GetButtonText(2, 1));
    grid->RemoveAllButtons();
    EXPECT_FALSE(grid->HasButton(2, 1));
}

TEST_F(CellObjectsTest, RadioGroupsSelectWrapAndWriteTheirItem)
{
    TCountingGrid* grid = Add();
    TStringList items;
    for (const wchar_t* item : {L"early", L"late", L"night"}) items.Add(item);
    struct {
        const char* Name;
        int Index;
        const wchar_t* Text;
        int NextIndex; // CellIndex afterwards
        const wchar_t* NextText;
    } cases[] = {
        {"last item wraps to the first", 2, L"night", 0, L"early"},
        {"no index: the item after the text", -1, L"late", 2, L"night"},
        {"no index, text not an item: the first", -1, L"other", 0, L"early"},
        {"index below -1 follows the text only", -2, L"early", -2, L"late"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        grid->AddRadio(1, 1, 0, c.Index, &items);
        grid->SetCells(1, 1, c.Text);
        SelectNextRadio(grid, 1, 1, false);
        int index = 99;
        EXPECT_TRUE(grid->GetRadioIdx(1, 1, index));
        EXPECT_EQ(c.NextIndex, index);
        EXPECT_EQ(String(c.NextText), grid->Cells(1, 1));
    }
    EXPECT_TRUE(grid->IsRadio(1, 1));
    EXPECT_EQ(&items, grid->GetRadioStrings(1, 1)) << "the caller's list, not a copy";

    EXPECT_TRUE(grid->SetRadioIdx(1, 1, -1));
    EXPECT_EQ(L"", grid->Cells(1, 1)) << "no item chosen empties the text";
    grid->AddCheckBox(2, 1, true, false);
    EXPECT_FALSE(grid->SetRadioIdx(2, 1, 1));
    EXPECT_EQ(ctCheckBox, grid->GetCellType(2, 1));

    // A group the grid made keeps its own list until the group goes.
    TStrings* owned = grid->CreateRadio(3, 1, 1, 0);
    owned->Add(L"x");
    EXPECT_EQ(owned, grid->GetRadioStrings(3, 1));
    grid->RemoveRadio(3, 1);
    EXPECT_FALSE(grid->IsRadio(3, 1));
    grid->RemoveRadio(1, 1);
    EXPECT_EQ(3, items.Count()) << "the caller's list outlives its group";
}

TEST(CellGraphicTest, AnglesAreKeptWithinOneTurn)
{
    const struct {
        int Given, Stored;
    } cases[] = {{-90, 270}, {720, 360}, {360, 360}, {45, 45}, {-450, 270}};
    for (const auto& c : cases) {
        TCellGraphic g;
        g.SetAngle(c.Given);
        EXPECT_EQ(ctRotated, g.CellType());
        EXPECT_EQ(c.Stored, g.CellAngle()) << c.Given;
    }
}
