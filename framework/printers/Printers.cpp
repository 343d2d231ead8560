#include "framework/printers/Printers.h"

#include <winspool.h>

#include "framework/system/StringUtils.h"

namespace {

const wchar_t* const SNoDefaultPrinter = L"There is no default printer currently selected";
const wchar_t* const SPrinterIndexError = L"Printer index out of range";
const wchar_t* const SInvalidPrinter = L"Printer selected is not valid";
const wchar_t* const SPrinting = L"Printing in progress";
const wchar_t* const SNotPrinting = L"Printer is not currently printing";

// The system's printing service.
class TWinPrinterSystem : public TPrinterSystem {
public:
    std::vector<String> PrinterNames() override
    {
        const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
        DWORD needed = 0, count = 0;
        EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &count);
        if (needed == 0) return {};
        std::vector<BYTE> buffer(needed);
        if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return {};
        auto* info = reinterpret_cast<PRINTER_INFO_4W*>(buffer.data());
        std::vector<String> names;
        for (DWORD i = 0; i < count; ++i)
            if (info[i].pPrinterName != nullptr) names.emplace_back(info[i].pPrinterName);
        return names;
    }

    String DefaultPrinter() override
    {
        DWORD size = 0;
        GetDefaultPrinterW(nullptr, &size);
        if (size == 0) return String();
        std::vector<wchar_t> name(size);
        if (!GetDefaultPrinterW(name.data(), &size)) return String();
        return String(name.data());
    }

    HDC CreatePrinterDC(const String& Name, const TPrinterSettings& Settings) override
    {
        std::vector<BYTE> devMode = DeviceMode(Name, Settings);
        auto* mode = devMode.empty() ? nullptr : reinterpret_cast<DEVMODEW*>(devMode.data());
        return CreateDCW(L"WINSPOOL", Name.c_str(), nullptr, mode);
    }

    void DeletePrinterDC(HDC DC) override { DeleteDC(DC); }

    int StartDoc(HDC DC, const String& Title) override
    {
        DOCINFOW info{};
        info.cbSize = sizeof(info);
        info.lpszDocName = Title.c_str();
        return ::StartDocW(DC, &info);
    }
    int StartPage(HDC DC) override { return ::StartPage(DC); }
    int EndPage(HDC DC) override { return ::EndPage(DC); }
    int EndDoc(HDC DC) override { return ::EndDoc(DC); }
    int AbortDoc(HDC DC) override { return ::AbortDoc(DC); }
    int DeviceCaps(HDC DC, int Index) override { return GetDeviceCaps(DC, Index); }

private:
    // The printer's own device mode with our orientation and copies merged in; empty when the
    // driver does not give one (the DC then takes the driver's defaults).
    static std::vector<BYTE> DeviceMode(const String& Name, const TPrinterSettings& Settings)
    {
        HANDLE printer = nullptr;
        if (!OpenPrinterW(const_cast<wchar_t*>(Name.c_str()), &printer, nullptr)) return {};
        std::vector<BYTE> buffer;
        wchar_t* device = const_cast<wchar_t*>(Name.c_str());
        LONG size = DocumentPropertiesW(nullptr, printer, device, nullptr, nullptr, 0);
        if (size > 0) {
            buffer.resize(size);
            auto* mode = reinterpret_cast<DEVMODEW*>(buffer.data());
            if (DocumentPropertiesW(nullptr, printer, device, mode, nullptr, DM_OUT_BUFFER) == IDOK) {
                mode->dmFields |= DM_ORIENTATION | DM_COPIES;
                mode->dmOrientation = Settings.Orientation == poLandscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
                mode->dmCopies = static_cast<short>(Settings.Copies);
                DocumentPropertiesW(nullptr, printer, device, mode, mode, DM_IN_BUFFER | DM_OUT_BUFFER);
            } else {
                buffer.clear();
            }
        }
        ClosePrinter(printer);
        return buffer;
    }
};

std::unique_ptr<TPrinterSystem>& InstalledPrinterSystem()
{
    static std::unique_ptr<TPrinterSystem> system;
    return system;
}

std::unique_ptr<TPrinter>& GlobalPrinter()
{
    static std::unique_ptr<TPrinter> printer;
    return printer;
}

} // namespace

TPrinterSystem* PrinterSystem()
{
    std::unique_ptr<TPrinterSystem>& system = InstalledPrinterSystem();
    if (!system) system = std::make_unique<TWinPrinterSystem>();
    return system.get();
}

std::unique_ptr<TPrinterSystem> SetPrinterSystem(std::unique_ptr<TPrinterSystem> System)
{
    std::unique_ptr<TPrinterSystem> old = std::move(InstalledPrinterSystem());
    InstalledPrinterSystem() = std::move(System);
    return old;
}

// Gets its DC from the printer when drawing first needs one.
class TPrinter::TPrinterCanvas : public TCanvas {
public:
    explicit TPrinterCanvas(TPrinter* Printer) : FPrinter(Printer) {}

protected:
    void CreateHandle() override { SetHandle(FPrinter->Handle()); }

private:
    TPrinter* FPrinter;
};

TPrinter::TPrinter() = default;

TPrinter::~TPrinter()
{
    if (FPrinting) {
        PrinterSystem()->AbortDoc(FDC);
        FPrinting = false;
    }
    FreeDC();
}

TStrings* TPrinter::Printers()
{
    if (!FPrinters) {
        FPrinters = std::make_unique<TStringList>();
        for (const String& name : PrinterSystem()->PrinterNames()) FPrinters->Add(name);
    }
    return FPrinters.get();
}

void TPrinter::Refresh()
{
    CheckPrinting(false);
    FreeDC();
    FPrinters.reset();
    FPrinterIndex = -1;
}

String TPrinter::CurrentDevice()
{
    if (FPrinterIndex >= 0) return Printers()->Strings(FPrinterIndex);
    String name = PrinterSystem()->DefaultPrinter();
    if (name.empty()) throw EPrinter(SNoDefaultPrinter);
    return name;
}

int TPrinter::PrinterIndex()
{
    if (FPrinterIndex >= 0) return FPrinterIndex;
    int index = Printers()->IndexOf(CurrentDevice());
    if (index < 0) throw EPrinter(SNoDefaultPrinter);
    return index;
}

void TPrinter::SetPrinterIndex(int Value)
{
    CheckPrinting(false);
    if (Value == -1) {
        CurrentDevice();  // there must be a default to go back to
    } else if (Value < -1 || Value >= Printers()->Count()) {
        throw EPrinter(SPrinterIndexError);
    }
    if (Value == FPrinterIndex) return;
    FreeDC();
    FPrinterIndex = Value;
}

String TPrinter::PrinterName()
{
    return CurrentDevice();
}

void TPrinter::SelectPrinter(const String& Device)
{
    int index = Printers()->IndexOf(Device);
    if (index < 0) throw EPrinter(SInvalidPrinter);
    SetPrinterIndex(index);
}

TPrinterOrientation TPrinter::Orientation()
{
    CurrentDevice();
    return FSettings.Orientation;
}

void TPrinter::SetOrientation(TPrinterOrientation Value)
{
    SettingsChanging();
    if (Value == FSettings.Orientation) return;
    FreeDC();
    FSettings.Orientation = Value;
}

int TPrinter::Copies()
{
    CurrentDevice();
    return FSettings.Copies;
}

void TPrinter::SetCopies(int Value)
{
    SettingsChanging();
    if (Value < 1) Value = 1;
    if (Value == FSettings.Copies) return;
    FreeDC();
    FSettings.Copies = Value;
}

void TPrinter::SettingsChanging()
{
    CheckPrinting(false);
    CurrentDevice();
}

int TPrinter::PageWidth()
{
    return PrinterSystem()->DeviceCaps(Handle(), HORZRES);
}

int TPrinter::PageHeight()
{
    return PrinterSystem()->DeviceCaps(Handle(), VERTRES);
}

int TPrinter::PixelsPerInchX()
{
    return PrinterSystem()->DeviceCaps(Handle(), LOGPIXELSX);
}

int TPrinter::PixelsPerInchY()
{
    return PrinterSystem()->DeviceCaps(Handle(), LOGPIXELSY);
}

void TPrinter::CheckPrinting(bool Value)
{
    if (FPrinting != Value) throw EPrinter(Value ? SNotPrinting : SPrinting);
}

void TPrinter::BeginDoc()
{
    CheckPrinting(false);
    HDC dc = Handle();
    FAborted = false;
    if (PrinterSystem()->StartDoc(dc, FTitle) <= 0) throw EPrinter(L"The print job could not be started");
    FPrinting = true;
    FPageNumber = 1;
    PrinterSystem()->StartPage(dc);
    // A new page may reset the DC's objects: select the canvas's again before drawing.
    Canvas()->Refresh();
}

void TPrinter::NewPage()
{
    CheckPrinting(true);
    PrinterSystem()->EndPage(FDC);
    PrinterSystem()->StartPage(FDC);
    ++FPageNumber;
    Canvas()->Refresh();
}

void TPrinter::EndDoc()
{
    CheckPrinting(true);
    if (!FAborted) {
        PrinterSystem()->EndPage(FDC);
        PrinterSystem()->EndDoc(FDC);
    }
    FPrinting = false;
    FPageNumber = 0;
}

void TPrinter::Abort()
{
    CheckPrinting(true);
    PrinterSystem()->AbortDoc(FDC);
    FAborted = true;
    EndDoc();
}

TCanvas* TPrinter::Canvas()
{
    if (!FCanvas) FCanvas = std::make_unique<TPrinterCanvas>(this);
    return FCanvas.get();
}

HDC TPrinter::Handle()
{
    if (FDC == nullptr) {
        String device = CurrentDevice();
        FDC = PrinterSystem()->CreatePrinterDC(device, FSettings);
        if (FDC == nullptr) throw EPrinter(SInvalidPrinter);
    }
    return FDC;
}

void TPrinter::FreeDC()
{
    if (FCanvas) FCanvas->SetHandle(nullptr);
    if (FDC != nullptr) {
        PrinterSystem()->DeletePrinterDC(FDC);
        FDC = nullptr;
    }
}

TPrinter* Printer()
{
    std::unique_ptr<TPrinter>& printer = GlobalPrinter();
    if (!printer) printer = std::make_unique<TPrinter>();
    return printer.get();
}

std::unique_ptr<TPrinter> ReplacePrinter(std::unique_ptr<TPrinter> NewPrinter)
{
    std::unique_ptr<TPrinter> old = std::move(GlobalPrinter());
    GlobalPrinter() = std::move(NewPrinter);
    return old;
}
