// KVL2: the shift calendar program. Binds the calendar library beside it (and does not start
// without it), then creates the main form and the About form and runs until the main form closes;
// the run itself is KVLProgram's, where the tests reach it.
#include <windows.h>

#include "app/KVLProgram.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    return RunProgram();
}
