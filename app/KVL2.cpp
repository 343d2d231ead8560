// KVL2: the shift calendar program. Binds the calendar library beside it (and does not start
// without it), then creates the main form and the About form and runs until the main form closes.
#include <windows.h>

#include "app/AboutUnit.h"
#include "app/CalendarLibrary.h"
#include "app/KVLUnit.h"
#include "framework/controls/Forms.h"
#include "grid/control/AdvGrid.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    String failure = BindCalendarLibrary(ProgramFolder());
    if (!failure.empty()) {
        Application->MessageBox(failure, L"Kelvane v2.0", MB_OK | MB_ICONSTOP);
        return 1;
    }
    Application->Initialize();
    Application->SetMainFormOnTaskBar(true);
    Application->CreateForm(&Form1);
    Application->CreateForm(&Aboutfrm);
    Application->Run();
    // The units' finalizations run before the forms go: the grid's hook is removed and OLE
    // released while the grids still exist.
    AdvGridFinalization();
    DoneApplication();
    UnbindCalendarLibrary();
    return 0;
}
