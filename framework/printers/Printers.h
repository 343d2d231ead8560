#pragma once
// TPrinter: the selected printer as one object: the list of installed printers and the one in
// use (the system's default unless chosen), its orientation and copies, the page size and
// resolution, and a print job (BeginDoc, NewPage, EndDoc, Abort) drawn through a canvas on the
// printer's device context.
//
// Everything the printer asks of the system goes through the printer seam (TPrinterSystem):
// listing printers, finding the default, making and freeing the device context, the job calls
// and the device capabilities. A test installs its own seam to stand for a printer with a memory
// or metafile DC. Without any printer, whatever needs one raises EPrinter "There is no default
// printer currently selected".
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/system/Exceptions.h"
#include "framework/classes/StringList.h"

KVL_DECLARE_EXCEPTION(EPrinter, Exception);

enum TPrinterOrientation { poPortrait, poLandscape };

// The device settings a printer DC is made with.
struct TPrinterSettings {
    TPrinterOrientation Orientation = poPortrait;
    int Copies = 1;
};

// The printer seam. The default instance is the system's printing service (winspool and GDI).
class TPrinterSystem {
public:
    virtual ~TPrinterSystem() = default;
    // Names of the installed printers.
    virtual std::vector<String> PrinterNames() = 0;
    // The default printer's name; empty when there is none.
    virtual String DefaultPrinter() = 0;
    // A device context for the named printer made with Settings, or null when it cannot be made.
    virtual HDC CreatePrinterDC(const String& Name, const TPrinterSettings& Settings) = 0;
    virtual void DeletePrinterDC(HDC DC) = 0;
    // The job calls answer what their GDI namesakes answer (> 0 is success).
    virtual int StartDoc(HDC DC, const String& Title) = 0;
    virtual int StartPage(HDC DC) = 0;
    virtual int EndPage(HDC DC) = 0;
    virtual int EndDoc(HDC DC) = 0;
    virtual int AbortDoc(HDC DC) = 0;
    // GetDeviceCaps (HORZRES, VERTRES, LOGPIXELSX, ...).
    virtual int DeviceCaps(HDC DC, int Index) = 0;
};

// The seam in use (the system's own unless replaced).
TPrinterSystem* PrinterSystem();
// Installs a replacement (null: the system's own again) and answers the previous one. A printer
// frees its DC through the seam in use, so swap seams only while no printer holds a DC.
std::unique_ptr<TPrinterSystem> SetPrinterSystem(std::unique_ptr<TPrinterSystem> System);

class TPrinter : public TObject {
public:
    TPrinter();
    // A job still running is aborted.
    ~TPrinter() override;

    // The installed printers, read on first use; Refresh reads them again and goes back to
    // the default printer.
    TStrings* Printers();
    void Refresh();

    // The printer in use: -1 means the system's default. Reading resolves the default to its
    // place in Printers (EPrinter when there is none); writing an index outside the list raises
    // EPrinter "Printer index out of range". Not while printing.
    int PrinterIndex();
    void SetPrinterIndex(int Value);
    // The name of the printer in use, and selection by name (case-insensitive; EPrinter
    // "Printer selected is not valid" for an unknown one).
    String PrinterName();
    void SelectPrinter(const String& Device);

    // Device settings; they need a printer, and cannot change while printing.
    TPrinterOrientation Orientation();
    void SetOrientation(TPrinterOrientation Value);
    int Copies();
    void SetCopies(int Value);

    // The printable page in device pixels and the device resolution.
    int PageWidth();
    int PageHeight();
    int PixelsPerInchX();
    int PixelsPerInchY();

    // The job's name in the print queue.
    const String& Title() const { return FTitle; }
    void SetTitle(const String& Value) { FTitle = Value; }
    bool Printing() const { return FPrinting; }
    // The last job was ended by Abort (cleared by the next BeginDoc).
    bool Aborted() const { return FAborted; }
    // The page being drawn (1 after BeginDoc); 0 outside a job.
    int PageNumber() const { return FPageNumber; }

    // Starts a job on its first page; EPrinter "Printing in progress" while one runs.
    void BeginDoc();
    // Starts the next page; EPrinter "Printer is not currently printing" outside a job.
    void NewPage();
    // Ends the job (its last page) and sends it to the printer.
    void EndDoc();
    // Throws the job away.
    void Abort();

    // Draws on the printer's DC (made on first drawing; outside a job it serves for measuring).
    TCanvas* Canvas();
    // The printer's device context, made on first use.
    HDC Handle();

private:
    class TPrinterCanvas;
    String CurrentDevice();
    void CheckPrinting(bool Value);
    void FreeDC();
    void SettingsChanging();

    std::unique_ptr<TStringList> FPrinters;
    int FPrinterIndex = -1;
    TPrinterSettings FSettings;
    HDC FDC = nullptr;
    std::unique_ptr<TPrinterCanvas> FCanvas;
    String FTitle;
    bool FPrinting = false;
    bool FAborted = false;
    int FPageNumber = 0;
};

// The process's printer object, made on first use.
TPrinter* Printer();
// Replaces it (null: a fresh one is made on next use) and answers the previous one.
std::unique_ptr<TPrinter> ReplacePrinter(std::unique_ptr<TPrinter> NewPrinter);
