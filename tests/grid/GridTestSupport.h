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

namespace gridtest {

inline void Pump()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
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

// A 32-bit top-down bitmap a control paints into (PaintTo), read back pixel by pixel.
class TGridPixels {
public:
    TGridPixels(int Width, int Height) : FWidth(Width), FHeight(Height)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = -Height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        FDC = CreateCompatibleDC(nullptr);
        FBitmap = CreateDIBSection(FDC, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&FBits), nullptr, 0);
        FOld = SelectObject(FDC, FBitmap);
    }
    ~TGridPixels()
    {
        SelectObject(FDC, FOld);
        DeleteObject(FBitmap);
        DeleteDC(FDC);
    }
    TGridPixels(const TGridPixels&) = delete;
    TGridPixels& operator=(const TGridPixels&) = delete;
    HDC DC() const { return FDC; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // COLORREF (0x00BBGGRR), comparable with TColor values of plain colours.
    COLORREF At(int X, int Y) const
    {
        GdiFlush();
        uint32_t v = FBits[static_cast<size_t>(Y) * static_cast<size_t>(FWidth) + static_cast<size_t>(X)];
        return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
    }
    // Bounding box of the pixels in R that match (empty rectangle when none).
    template <class Pred> RECT Find(RECT R, Pred Match) const
    {
        RECT box{R.right, R.bottom, R.left, R.top};
        for (int y = R.top; y < R.bottom; ++y)
            for (int x = R.left; x < R.right; ++x)
                if (Match(At(x, y))) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x + 1);
                    box.bottom = std::max<LONG>(box.bottom, y + 1);
                }
        return box;
    }

private:
    int FWidth, FHeight;
    HDC FDC = nullptr;
    HBITMAP FBitmap = nullptr;
    HGDIOBJ FOld = nullptr;
    uint32_t* FBits = nullptr;
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
