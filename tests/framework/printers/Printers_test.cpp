// TPrinter through the printer seam: a stand-in printer with a memory DC records the job calls,
// answers an A4 page at 300 dpi, and keeps what the canvas drew; an empty seam stands for this
// machine, which has no printer.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <map>
#include <memory>

#include "framework/graphics/Colors.h"
#include "framework/printers/Printers.h"

namespace {

struct TPrinterLog {
    std::vector<String> Calls;
    std::vector<std::pair<String, TPrinterSettings>> Created;
    int LiveDCs = 0;
    bool FailStartDoc = false;
};

// Printers "Office Laser" (the default) and "Label Printer"; each DC is a memory DC over a
// 40 x 30 white DIB.
class TFakePrinterSystem : public TPrinterSystem {
public:
    TFakePrinterSystem(std::shared_ptr<TPrinterLog> Log, std::vector<String> Names, String Default)
        : FLog(std::move(Log)), FNames(std::move(Names)), FDefault(std::move(Default)) {}

    std::vector<String> PrinterNames() override { return FNames; }
    String DefaultPrinter() override { return FDefault; }
    HDC CreatePrinterDC(const String& Name, const TPrinterSettings& Settings) override
    {
        FLog->Created.emplace_back(Name, Settings);
        HDC dc = CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = 40;
        info.bmiHeader.biHeight = -30;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        HBITMAP page = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        FPages[dc] = {page, SelectObject(dc, page)};
        PatBlt(dc, 0, 0, 40, 30, WHITENESS);
        ++FLog->LiveDCs;
        return dc;
    }
    void DeletePrinterDC(HDC DC) override
    {
        auto [page, original] = FPages.at(DC);
        SelectObject(DC, original);
        DeleteObject(page);
        DeleteDC(DC);
        FPages.erase(DC);
        --FLog->LiveDCs;
    }
    int StartDoc(HDC, const String& Title) override
    {
        FLog->Calls.push_back(L"StartDoc " + Title);
        return FLog->FailStartDoc ? SP_ERROR : 1;
    }
    int StartPage(HDC) override { return Log(L"StartPage"); }
    int EndPage(HDC) override { return Log(L"EndPage"); }
    int EndDoc(HDC) override { return Log(L"EndDoc"); }
    int AbortDoc(HDC) override { return Log(L"AbortDoc"); }
    int DeviceCaps(HDC DC, int Index) override
    {
        bool landscape = !FLog->Created.empty() && FLog->Created.back().second.Orientation == poLandscape;
        switch (Index) {
        case HORZRES: return landscape ? 3508 : 2480;
        case VERTRES: return landscape ? 2480 : 3508;
        case LOGPIXELSX: case LOGPIXELSY: return 300;
        default: return GetDeviceCaps(DC, Index);
        }
    }

private:
    int Log(const wchar_t* Call)
    {
        FLog->Calls.push_back(Call);
        return 1;
    }
    std::shared_ptr<TPrinterLog> FLog;
    std::vector<String> FNames;
    String FDefault;
    std::map<HDC, std::pair<HBITMAP, HGDIOBJ>> FPages;
};

class PrinterTest : public ::testing::Test {
protected:
    void Install(std::vector<String> Names, String Default)
    {
        FSaved = SetPrinterSystem(std::make_unique<TFakePrinterSystem>(FLog, std::move(Names), std::move(Default)));
        FInstalled = true;
        FPrinter = std::make_unique<TPrinter>();
    }
    void InstallTwoPrinters() { Install({L"Office Laser", L"Label Printer"}, L"Office Laser"); }
    void TearDown() override
    {
        FPrinter.reset();  // its DC goes back through the seam that made it
        if (FInstalled) SetPrinterSystem(std::move(FSaved));
        EXPECT_EQ(FLog->LiveDCs, 0);
    }
    static void ExpectPrinterError(const std::function<void()>& Action, const String& Message)
    {
        try {
            Action();
            ADD_FAILURE() << "no EPrinter: " << testing::PrintToString(Message);
        } catch (const EPrinter& e) {
            EXPECT_EQ(e.Message(), Message);
        }
    }

    std::shared_ptr<TPrinterLog> FLog = std::make_shared<TPrinterLog>();
    std::unique_ptr<TPrinterSystem> FSaved;
    bool FInstalled = false;
    std::unique_ptr<TPrinter> FPrinter;
};

TEST_F(PrinterTest, WithoutAPrinterEveryUseFailsClearly)
{
    Install({}, L"");
    const String none = L"There is no default printer currently selected";
    TPrinter& p = *FPrinter;
    EXPECT_EQ(p.Printers()->Count(), 0);
    p.SetTitle(L"Roster");  // needs no printer
    ExpectPrinterError([&] { p.BeginDoc(); }, none);
    ExpectPrinterError([&] { p.PageWidth(); }, none);
    ExpectPrinterError([&] { p.PixelsPerInchY(); }, none);
    ExpectPrinterError([&] { p.PrinterIndex(); }, none);
    ExpectPrinterError([&] { p.SetPrinterIndex(-1); }, none);
    ExpectPrinterError([&] { p.SetOrientation(poLandscape); }, none);
    ExpectPrinterError([&] { p.Orientation(); }, none);
    ExpectPrinterError([&] { p.Canvas()->TextOut(0, 0, L"x"); }, none);
    ExpectPrinterError([&] { p.EndDoc(); }, L"Printer is not currently printing");
    EXPECT_FALSE(p.Printing());
    EXPECT_EQ(p.PageNumber(), 0);
    EXPECT_TRUE(FLog->Created.empty());
}

// This machine has no printer installed: the system's own seam must give the same clear error.
TEST_F(PrinterTest, SystemWithoutPrinterFailsClearly)
{
    if (!PrinterSystem()->DefaultPrinter().empty()) GTEST_SKIP() << "a default printer is installed";
    ExpectPrinterError([] { Printer()->BeginDoc(); }, L"There is no default printer currently selected");
    EXPECT_FALSE(Printer()->Printing());
    ReplacePrinter(nullptr);
}

TEST_F(PrinterTest, JobCallsAndDrawingGoThroughTheSeam)
{
    InstallTwoPrinters();
    TPrinter& p = *FPrinter;
    p.SetTitle(L"Roster 2012");
    EXPECT_EQ(p.PrinterIndex(), 0);
    EXPECT_EQ(p.PrinterName(), L"Office Laser");

    p.BeginDoc();
    EXPECT_TRUE(p.Printing());
    EXPECT_EQ(p.PageNumber(), 1);
    p.Canvas()->Brush()->SetColor(clRed);
    p.Canvas()->FillRect(Rect(0, 0, 10, 10));
    EXPECT_EQ(GetPixel(p.Handle(), 5, 5), RGB(255, 0, 0));
    EXPECT_EQ(GetPixel(p.Handle(), 20, 5), RGB(255, 255, 255));
    p.NewPage();
    EXPECT_EQ(p.PageNumber(), 2);
    p.Canvas()->FillRect(Rect(20, 0, 30, 10));  // objects are selected again on the new page
    EXPECT_EQ(GetPixel(p.Handle(), 25, 5), RGB(255, 0, 0));
    p.EndDoc();
    EXPECT_FALSE(p.Printing());
    EXPECT_EQ(p.PageNumber(), 0);

    const std::vector<String> expected{L"StartDoc Roster 2012", L"StartPage", L"EndPage", L"StartPage",
                                       L"EndPage", L"EndDoc"};
    EXPECT_EQ(FLog->Calls, expected);
    ASSERT_EQ(FLog->Created.size(), 1u);
    EXPECT_EQ(FLog->Created[0].first, L"Office Laser");
    EXPECT_EQ(FLog->Created[0].second.Orientation, poPortrait);
}

TEST_F(PrinterTest, SelectionAndSettingsMakeANewDC)
{
    InstallTwoPrinters();
    TPrinter& p = *FPrinter;
    EXPECT_EQ(p.PageWidth(), 2480);
    EXPECT_EQ(p.PageHeight(), 3508);
    EXPECT_EQ(p.PixelsPerInchX(), 300);

    p.SelectPrinter(L"label printer");
    EXPECT_EQ(p.PrinterIndex(), 1);
    p.SetOrientation(poLandscape);
    p.SetCopies(3);
    EXPECT_EQ(p.Orientation(), poLandscape);
    EXPECT_EQ(p.PageWidth(), 3508);
    EXPECT_EQ(p.PageHeight(), 2480);
    ASSERT_EQ(FLog->Created.size(), 2u);
    EXPECT_EQ(FLog->Created[1].first, L"Label Printer");
    EXPECT_EQ(FLog->Created[1].second.Copies, 3);

    ExpectPrinterError([&] { p.SetPrinterIndex(2); }, L"Printer index out of range");
    ExpectPrinterError([&] { p.SetPrinterIndex(-2); }, L"Printer index out of range");
    ExpectPrinterError([&] { p.SelectPrinter(L"Plotter"); }, L"Printer selected is not valid");
    p.SetPrinterIndex(-1);
    EXPECT_EQ(p.PrinterName(), L"Office Laser");
}

TEST_F(PrinterTest, JobStateIsChecked)
{
    InstallTwoPrinters();
    TPrinter& p = *FPrinter;
    ExpectPrinterError([&] { p.NewPage(); }, L"Printer is not currently printing");
    p.BeginDoc();
    ExpectPrinterError([&] { p.BeginDoc(); }, L"Printing in progress");
    ExpectPrinterError([&] { p.SetOrientation(poLandscape); }, L"Printing in progress");
    ExpectPrinterError([&] { p.SetPrinterIndex(1); }, L"Printing in progress");
    p.Abort();
    EXPECT_FALSE(p.Printing());
    EXPECT_TRUE(p.Aborted());
    EXPECT_EQ(FLog->Calls.back(), L"AbortDoc");  // an aborted job is not ended as well

    FLog->Calls.clear();
    FLog->FailStartDoc = true;
    EXPECT_THROW(p.BeginDoc(), EPrinter);
    EXPECT_FALSE(p.Printing());
    EXPECT_EQ(FLog->Calls, std::vector<String>{L"StartDoc "});
}

TEST_F(PrinterTest, DestroyingDuringAJobAbortsIt)
{
    InstallTwoPrinters();
    FPrinter->BeginDoc();
    FPrinter.reset();
    EXPECT_EQ(FLog->Calls.back(), L"AbortDoc");
}

} // namespace
