#pragma once
// What the grid tests share: a form per test with grids on it, message pumping, and grids whose
// property objects and cell objects count how many of them live, so that a test can show that a
// clear, a removal or the grid's destruction frees each of them exactly once.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "framework/controls/Forms.h"
#include "grid/control/AdvGrid.h"
#include "tests/support/MessagePump.h"
#include "tests/support/PixelBuffer.h"

namespace gridtest {

inline void Pump()
{
    kvltest::PumpPending();
}

// Runs messages for about Milliseconds.
inline void PumpFor(DWORD Milliseconds)
{
    DWORD start = GetTickCount();
    while (GetTickCount() - start < Milliseconds) {
        Pump();
        Sleep(5);
    }
    Pump();
}

inline std::string Narrow(const String& s) { return Exception(s).what(); }

// A property object that counts the live ones (freed twice would show as a negative count or a crash).
class TCountedProps : public TCellProperties {
public:
    TCountedProps(TBaseGrid* AOwner, int ACol, int ARow) : TCellProperties(AOwner, ACol, ARow) { ++Live; }
    ~TCountedProps() override { --Live; }
    static inline int Live = 0;
};

// A cell object the grid owns through the cell's properties.
class TCountedGraphic : public TCellGraphic {
public:
    TCountedGraphic() { ++Live; }
    ~TCountedGraphic() override { --Live; }
    static inline int Live = 0;
};

class TCountingGrid : public TAdvStringGrid {
public:
    using TAdvStringGrid::TAdvStringGrid;
    void Paint() override
    {
        ++Paints;
        TAdvStringGrid::Paint();
    }
    int Paints = 0;

protected:
    TCellProperties* CreateCellProperties(int ACol, int ARow) override { return new TCountedProps(this, ACol, ARow); }
};

// A bitmap a grid paints into (PaintTo), black at the start so that unpainted pixels show.
class TGridPixels : public kvltest::TPixelBuffer {
public:
    TGridPixels(int Width, int Height) : TPixelBuffer(Width, Height, false) {}
};

// Each test gets a shown form; grids made with Add live on it and go with it.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        TCountedProps::Live = 0;
        TCountedGraphic::Live = 0;
        Form = TForm::CreateNew(nullptr);
        Form->SetBounds(40, 40, 500, 400);
    }
    void TearDown() override
    {
        delete Form;
        Pump();
    }

    TCountingGrid* Add(int Cols = 7, int Rows = 7)
    {
        auto* grid = new TCountingGrid(Form);
        grid->SetParent(Form);
        grid->SetBounds(8, 8, 300, 250);
        grid->SetColCount(Cols);
        grid->SetRowCount(Rows);
        return grid;
    }

    // A shown, borderless 300 x 200 grid, white throughout with black text, plain lines and no
    // selection colour, so painting tests can tell every mark they look for from the background.
    TCountingGrid* AddPlainWhite(int Cols, int Rows, int ColWidth, int RowHeight)
    {
        TCountingGrid* grid = Add(Cols, Rows);
        grid->SetBorderStyle(bsNone);
        grid->SetBounds(0, 0, 300, 200);
        grid->SetDefaultColWidth(ColWidth);
        grid->SetDefaultRowHeight(RowHeight);
        grid->SetColor(clWhite);
        grid->SetFixedColor(clWhite);
        grid->Font()->SetColor(clBlack);
        grid->FixedFont()->SetColor(clBlack);
        grid->SetShowSelection(false);
        grid->Look = glStandard;
        ShowForm();
        return grid;
    }

    void ShowForm()
    {
        Form->Show();
        Pump();
    }

    // Texts of one row, joined by "|", for compact comparisons.
    static String RowText(TAdvStringGrid* Grid, int ARow)
    {
        String s;
        for (int c = 0; c < Grid->TotalColCount(); ++c) {
            if (c > 0) s += L'|';
            s += Grid->Cells(c, ARow);
        }
        return s;
    }
    static String ColText(TAdvStringGrid* Grid, int ACol)
    {
        String s;
        for (int r = 0; r < Grid->RowCount(); ++r) {
            if (r > 0) s += L'|';
            s += Grid->Cells(ACol, r);
        }
        return s;
    }

    TForm* Form = nullptr;
};

} // namespace gridtest
