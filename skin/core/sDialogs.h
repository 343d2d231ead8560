#pragma once
// Unit sDialogs: the system message box the skin engine reports warnings and errors with.
// The skinned controls build the rest of the message dialogs on top of it.
#include "framework/system/SystemTypes.h"

// DlgType: 0 warning, 1 error, 2 information, 3 confirmation, with their captions and icons.
// Buttons: a set of button bits; bit 2 (4) is OK, the one set the skin engine asks for, and
// every set shows an OK button for now. Owned by the application window; answers the button
// pressed.
int MessageBoxDlg(const String& Text, int DlgType, int Buttons, int HelpCtx);
