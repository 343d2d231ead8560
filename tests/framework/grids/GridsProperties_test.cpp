// The grids' published properties: a string grid read from a form description takes its
// counts, sizes, options, colours and events.
#include <gtest/gtest.h>

#include <memory>

#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "framework/controls/Forms.h"
#include "framework/grids/Grids.h"

namespace {

class TGridForm : public TForm {
public:
    explicit TGridForm(TComponent* AOwner) : TForm(AOwner)
    {
        ReadComponentFromText(this,
                              L"object GridForm: TGridForm\n"
                              L"  object Grid: TStringGrid\n"
                              L"    Left = 8\n"
                              L"    Width = 300\n"
                              L"    ColCount = 7\n"
                              L"    RowCount = 3\n"
                              L"    FixedCols = 0\n"
                              L"    DefaultColWidth = 40\n"
                              L"    DefaultRowHeight = 20\n"
                              L"    GridLineWidth = 2\n"
                              L"    Options = [goFixedHorzLine, goEditing, goTabs]\n"
                              L"    ScrollBars = ssVertical\n"
                              L"    BorderStyle = bsNone\n"
                              L"    FixedColor = clRed\n"
                              L"    DrawingStyle = gdsGradient\n"
                              L"    DefaultDrawing = False\n"
                              L"    OnSelectCell = GridSelectCell\n"
                              L"  end\n"
                              L"end\n",
                              L"Grid.form");
    }
    void GridSelectCell(TObject*, int ACol, int, bool& CanSelect) { CanSelect = ACol != 2; }
    TStringGrid* Grid = nullptr;
};

TEST(GridsProperties, AStringGridReadsItsPublishedProperties)
{
    RegisterGridsClasses();
    RegisterPublishedClass<TGridForm>(L"TGridForm", L"TForm")
        .Field(L"Grid", &TGridForm::Grid)
        .Method(L"GridSelectCell", &TGridForm::GridSelectCell);
    std::unique_ptr<TGridForm> form(new TGridForm(nullptr));
    TStringGrid* grid = form->Grid;
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->Parent(), form.get());
    EXPECT_EQ(grid->Left(), 8);
    EXPECT_EQ(grid->ColCount(), 7);
    EXPECT_EQ(grid->RowCount(), 3);
    EXPECT_EQ(grid->FixedCols(), 0);
    EXPECT_EQ(grid->FixedRows(), 1);
    EXPECT_EQ(grid->ColWidths(6), 40);
    EXPECT_EQ(grid->RowHeights(2), 20);
    EXPECT_EQ(grid->GridLineWidth(), 2);
    EXPECT_EQ(grid->Options(), (TGridOptions{goFixedHorzLine, goEditing, goTabs}));
    EXPECT_EQ(grid->ScrollBars(), ssVertical);
    EXPECT_EQ(grid->BorderStyle(), bsNone);
    EXPECT_EQ(grid->FixedColor(), clRed);
    EXPECT_EQ(grid->DrawingStyle(), gdsGradient);
    EXPECT_FALSE(grid->DefaultDrawing());
    grid->SetCol(2);
    EXPECT_EQ(grid->Col(), 0);
    grid->SetCol(3);
    EXPECT_EQ(grid->Col(), 3);
}

} // namespace
