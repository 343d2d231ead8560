// The grid's settings objects: their look setters repaint the grid, the fixed gradient colours
// reach the grid's own (From and To only when set), Assign copies what it should and nothing is
// fired or forwarded by it, and the change reports fire as their owners rely on.
#include "tests/grid/GridTestSupport.h"

using namespace gridtest;

namespace {

class GridSettings : public GridTest {
protected:
    TCountingGrid* Shown()
    {
        TCountingGrid* grid = Add(4, 4);
        ShowForm();
        PumpFor(50);
        return grid;
    }
    // Whether Change made the grid paint again.
    static bool Repaints(TCountingGrid* Grid, const std::function<void()>& Change)
    {
        Pump();
        const int before = Grid->Paints;
        Change();
        Pump();
        return Grid->Paints > before;
    }
};

TEST_F(GridSettings, ControlLookSettersRepaintAndThePlainOnesStoreOnly)
{
    TCountingGrid* grid = Shown();
    TControlLook* look = grid->ControlLook();
    TBitmap glyph;
    glyph.SetSize(4, 4);
    struct Case {
        const char* Name;
        std::function<void()> Change;
        bool Repaint;
    } cases[] = {
        {"CheckSize", [&] { look->SetCheckSize(20); }, true},
        {"RadioSize", [&] { look->SetRadioSize(12); }, true},
        {"Color", [&] { look->SetColor(clRed); }, true},
        {"CommentColor", [&] { look->SetCommentColor(clBlue); }, true},
        {"ControlStyle", [&] { look->SetControlStyle(csFlat); }, true},
        {"FlatButton", [&] { look->SetFlatButton(true); }, true},
        {"ProgressMarginX", [&] { look->SetProgressMarginX(4); }, true},
        {"ProgressXP", [&] { look->SetProgressXP(true); }, true},
        {"CheckedGlyph", [&] { look->SetCheckedGlyph(&glyph); }, true},
        {"CheckAlwaysActive", [&] { look->CheckAlwaysActive = true; }, false},
        {"ProgressBorderColor", [&] { look->ProgressBorderColor = clRed; }, false},
    };
    for (const Case& c : cases) EXPECT_EQ(c.Repaint, Repaints(grid, c.Change)) << c.Name;
    // The glyph is a copy: the caller's bitmap stays the caller's.
    glyph.SetSize(9, 9);
    EXPECT_EQ(4, look->CheckedGlyph()->Width());
}

TEST_F(GridSettings, FixedGradientColoursReachTheGrid)
{
    TCountingGrid* grid = Add();
    TControlLook* look = grid->ControlLook();
    // Constructing the look sent its hover and down defaults, the mirror ones as none.
    EXPECT_EQ(clWhite, grid->QRXGradientHoverFrom);
    EXPECT_EQ(clGray, grid->QRXGradientDownTo);
    EXPECT_EQ(clNone, grid->QRXGradientHoverMirrorFrom);

    look->SetFixedGradientFrom(clRed);
    look->SetFixedGradientFrom(clNone);
    EXPECT_EQ(clNone, look->FixedGradientFrom());
    EXPECT_EQ(ColorToRGB(clRed), grid->QRXGradientFrom()) << "clNone leaves the grid's colour";

    look->SetFixedGradientMirrorFrom(clBlue);
    look->SetFixedGradientMirrorFrom(clNone);
    EXPECT_EQ(clNone, grid->QRXGradientMirrorFrom()) << "mirror colours are always forwarded";

    look->SetFixedGradientHoverBorder(clNone);
    EXPECT_EQ(clSilver, grid->QRXGradientHoverBorder);
    look->SetFixedGradientDownMirrorTo(clLime);
    EXPECT_EQ(clLime, grid->QRXGradientDownMirrorTo);
}

TEST_F(GridSettings, FixedGradientShowsInTheHeaders)
{
    TCountingGrid* grid = Add(4, 4);
    grid->SetBorderStyle(bsNone);
    grid->SetBounds(0, 0, 200, 100);
    grid->Look = glXP;
    ShowForm();
    auto headerMiddle = [&] {
        TGridPixels pixels(200, 100);
        grid->PaintTo(pixels.DC(), 0, 0);
        TRect r = grid->CellRect(2, 0);
        return pixels.At((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    };
    grid->ControlLook()->SetFixedGradientFrom(clRed);
    grid->ControlLook()->SetFixedGradientTo(clRed);
    EXPECT_EQ(RGB(255, 0, 0), headerMiddle());
    grid->ControlLook()->SetFixedGradientTo(clNone); // not forwarded: the header stays red
    EXPECT_EQ(RGB(255, 0, 0), headerMiddle());
}

TEST_F(GridSettings, AssignCopiesWithoutSideEffects)
{
    TCountingGrid* a = Add();
    TCountingGrid* b = Add();
    TControlLook* src = a->ControlLook();
    src->SetFixedGradientFrom(clRed);
    src->SetFixedGradientTo(clBlue);
    src->SetCheckSize(22);
    src->SetFlatButton(true);
    const TColor gridFrom = b->QRXGradientFrom();
    b->ControlLook()->Assign(src);
    EXPECT_EQ(clRed, b->ControlLook()->FixedGradientFrom()) << "From stays From";
    EXPECT_EQ(clBlue, b->ControlLook()->FixedGradientTo());
    EXPECT_EQ(22, b->ControlLook()->CheckSize());
    EXPECT_FALSE(b->ControlLook()->FlatButton()) << "FlatButton is not copied";
    EXPECT_EQ(gridFrom, b->QRXGradientFrom()) << "Assign forwards nothing";
    b->ControlLook()->Assign(a->Grouping()); // another class: ignored
    EXPECT_EQ(22, b->ControlLook()->CheckSize());

    TGrouping from, to;
    from.Summary = true;
    from.SummaryLineWidth = 7;
    from.HeaderColor = clRed;
    to.Assign(&from);
    EXPECT_EQ(clRed, to.HeaderColor);
    EXPECT_FALSE(to.Summary);
    EXPECT_EQ(2, to.SummaryLineWidth);

    TBalloonSettings bFrom, bTo;
    int fired = 0;
    bTo.OnEnableChange = [&](TObject*) { ++fired; };
    bFrom.Transparency = 50;
    bFrom.InitialDelay = 300;
    bFrom.SetEnable(true);
    bTo.Assign(&bFrom);
    EXPECT_TRUE(bTo.Enable());
    EXPECT_EQ(300, bTo.InitialDelay);
    EXPECT_EQ(0, bTo.Transparency);
    EXPECT_EQ(0, fired);
}

// What the print, export and sort settings copy, and what each keeps of its own.
TEST_F(GridSettings, PrintExportAndSortSettingsCopyTheirOwnSettings)
{
    TCountingGrid* a = Add();
    TCountingGrid* b = Add();

    TPrintSettings* print = a->PrintSettings();
    print->TitleText = L"Rota";
    print->TitleLines()->Add(L"line");
    print->Font()->SetSize(14);
    print->Orientation = poLandscape;
    print->BorderStyle = psDash;
    print->FooterSize = 30;
    print->UseDisplayFont = false;
    print->FixedCellsAlways = true;
    b->PrintSettings()->Assign(print);
    EXPECT_EQ(L"Rota", b->PrintSettings()->TitleText);
    EXPECT_EQ(L"line", b->PrintSettings()->TitleLines()->Strings(0));
    EXPECT_NE(print->TitleLines(), b->PrintSettings()->TitleLines());
    EXPECT_EQ(14, b->PrintSettings()->Font()->Size());
    EXPECT_EQ(poLandscape, b->PrintSettings()->Orientation);
    EXPECT_EQ(psDash, b->PrintSettings()->BorderStyle);
    EXPECT_EQ(30, b->PrintSettings()->FooterSize);
    EXPECT_FALSE(b->PrintSettings()->UseDisplayFont);
    EXPECT_FALSE(b->PrintSettings()->FixedCellsAlways) << "not copied";
    EXPECT_THROW(b->PrintSettings()->Assign(a->HTMLSettings()), EInvalidCast);
    EXPECT_EQ(L"Rota", b->PrintSettings()->TitleText);

    THTMLSettings* html = a->HTMLSettings();
    html->TableStyle = L"t";
    html->XHTML = true;
    html->Width = 80;
    html->ExportImages = false;
    html->ColWidths()->Add(40);
    b->HTMLSettings()->Assign(html);
    EXPECT_EQ(L"t", b->HTMLSettings()->TableStyle);
    EXPECT_TRUE(b->HTMLSettings()->XHTML);
    EXPECT_EQ(80, b->HTMLSettings()->Width);
    EXPECT_TRUE(b->HTMLSettings()->ExportImages) << "not copied";
    EXPECT_EQ(0, b->HTMLSettings()->ColWidths()->Count()) << "not copied";

    TSortSettings* sort = a->SortSettings();
    sort->Column = 2;
    sort->Direction = sdDescending;
    sort->BlankPos = blLast;
    sort->IndexSortKey = ikCtrl;
    sort->SetShow(true);
    sort->UpGlyph()->SetSize(7, 5);
    sort->VirtualCells = false;
    sort->IgnoreCase = true;
    b->SortSettings()->Assign(sort);
    EXPECT_EQ(2, b->SortSettings()->Column);
    EXPECT_EQ(sdDescending, b->SortSettings()->Direction);
    EXPECT_EQ(blLast, b->SortSettings()->BlankPos);
    EXPECT_EQ(ikCtrl, b->SortSettings()->IndexSortKey);
    EXPECT_TRUE(b->SortSettings()->Show());
    EXPECT_EQ(7, b->SortSettings()->UpGlyph()->Width());
    EXPECT_NE(sort->UpGlyph(), b->SortSettings()->UpGlyph());
    EXPECT_TRUE(b->SortSettings()->VirtualCells) << "not copied";
    EXPECT_FALSE(b->SortSettings()->IgnoreCase) << "not copied";
}

TEST_F(GridSettings, ChangeReportsFireAsTheirOwnersExpect)
{
    TBalloonSettings balloon;
    int enableChanges = 0;
    balloon.OnEnableChange = [&](TObject* Sender) {
        EXPECT_EQ(&balloon, Sender);
        ++enableChanges;
    };
    balloon.SetEnable(false); // the same value still reports
    balloon.SetEnable(true);
    EXPECT_EQ(2, enableChanges);

    TShowModified modified;
    int colourChanges = 0;
    modified.OnChange = [&](TObject*) { ++colourChanges; };
    modified.SetColor(clYellow);
    modified.SetColor(clYellow);
    modified.Enabled = true;
    EXPECT_EQ(2, colourChanges);

    TGridProgressAppearance progress;
    int progressChanges = 0;
    progress.OnChange = [&](TObject*) { ++progressChanges; };
    progress.SetLevel1Perc(70);
    EXPECT_EQ(0, progressChanges) << "an equal value reports nothing";
    progress.SetLevel1Perc(75);
    EXPECT_EQ(1, progressChanges);
    TGridProgressAppearance other;
    other.SetSteps(20);
    other.SetCompleteColor(clLime);
    progress.Assign(&other);
    EXPECT_EQ(2, progressChanges) << "Assign reports once";
    EXPECT_EQ(20, progress.Steps());
    EXPECT_EQ(70, progress.Level1Perc());
    progress.Assign(&modified);
    EXPECT_EQ(2, progressChanges) << "another class is ignored";
}

TEST_F(GridSettings, DefaultsOfProgressAndBackground)
{
    TCountingGrid* grid = Add();
    TGridProgressAppearance* p = grid->ProgressAppearance();
    EXPECT_EQ(static_cast<TColor>(0x0000FF), p->CompleteColor());
    EXPECT_EQ(static_cast<TColor>(0xFF0000), p->CompleteFontColor());
    EXPECT_EQ(clNone, p->UnCompleteColor());
    EXPECT_EQ(static_cast<TColor>(0xFF000008), p->UnCompleteFontColor());
    EXPECT_EQ(static_cast<TColor>(0x53A9FF), p->Level2Color());
    EXPECT_EQ(90, p->Level2Perc());
    EXPECT_EQ(11, p->Steps());
    EXPECT_EQ(psXP, p->Style());
    EXPECT_TRUE(p->ShowPercentage() && p->CompletionSmooth() && p->ShowGradient());
    TBackGround* bg = grid->BackGround();
    EXPECT_EQ(bdTile, bg->Display());
    EXPECT_EQ(bcNormal, bg->Cells());
    EXPECT_EQ(clWindow, bg->Color());
    EXPECT_EQ(clBtnFace, bg->ColorTo());
}

TEST_F(GridSettings, BackgroundAndProgressChangesRepaintTheGrid)
{
    TCountingGrid* grid = Shown();
    EXPECT_TRUE(Repaints(grid, [&] { grid->BackGround()->SetDisplay(bdGradientVert); }));
    EXPECT_TRUE(Repaints(grid, [&] { grid->BackGround()->SetColorTo(clRed); }));
    TBitmap picture;
    picture.SetSize(8, 8);
    EXPECT_TRUE(Repaints(grid, [&] { grid->BackGround()->SetBitmap(&picture); }));
    picture.SetSize(3, 3);
    EXPECT_EQ(8, grid->BackGround()->Bitmap()->Width()) << "the background keeps its own copy";
    EXPECT_TRUE(Repaints(grid, [&] { grid->ProgressAppearance()->SetLevel0Color(clBlue); }));
}

} // namespace
