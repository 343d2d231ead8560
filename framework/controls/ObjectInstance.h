#pragma once
// Object-instance stubs: a window procedure of its own for one message method, so that a window
// the framework does not own can be subclassed by an object. Each stub is a few bytes of code
// that hand the call, with the method in place of the window, to one common entry; the entry
// builds the message record, runs the method (exceptions go to the application's handler) and
// answers the record's Result. Every stub has its own address, so whoever subclassed a window
// can tell whether the window procedure is still theirs.
#include <windows.h>

#include "framework/controls/Messages.h"

// A window procedure that calls *Method; Method must outlive the stub. Null when no executable
// memory can be had.
WNDPROC MakeObjectInstance(TWndMethod* Method);
// Frees a stub made by MakeObjectInstance; null is ignored.
void FreeObjectInstance(WNDPROC Instance);
