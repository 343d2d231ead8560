#pragma once
// The program's run from start to end, which the entry (KVL2.cpp) calls. The calendar library
// beside the program is bound first; without it the program does not start and tells which file
// it missed. The shut-down keeps the order of the units: their finalizations run first (the grid
// unit removes its hook and releases OLE while the grids still exist), then the forms and the
// application go, and the library is unbound last.

// The whole run; answers the process's exit code (1: the program refused to start).
int RunProgram();
// Everything after the message loop has ended.
void ShutDownProgram();
