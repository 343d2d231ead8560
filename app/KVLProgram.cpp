#include "app/KVLProgram.h"

#include <windows.h>

#include "app/AboutUnit.h"
#include "app/CalendarLibrary.h"
#include "app/KVLUnit.h"
#include "framework/controls/Forms.h"
#include "grid/control/AdvGrid.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sDialogs.h"
#include "skin/forms/acDials.h"

int RunProgram()
{
    String failure = BindCalendarLibrary(ProgramFolder());
    if (!failure.empty()) {
        MessageBoxPos(L"Kelvane v2.0", failure, mtError, {mbOK}, 0, -1, -1);
        return 1;
    }
    Application->Initialize();
    // Every form gets its skinned frame when it is first activated.
    LinkSkinHook();
    Application->SetMainFormOnTaskBar(true);
    Application->CreateForm(&Form1);
    Application->CreateForm(&Aboutfrm);
    Application->Run();
    ShutDownProgram();
    return 0;
}

void ShutDownProgram()
{
    AdvGridFinalization();
    DoneApplication();
    UnbindCalendarLibrary();
}
