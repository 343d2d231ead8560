#pragma once
// Unit sDialogs: the system message box, owned by the application, with a caption, an icon and
// buttons chosen from a message type and a set of buttons. The skin engine reports its warnings
// and errors through it, and the program shows its own messages through it. While a skin is
// active the dialog hook skins the box, and places it where MessageBoxLeft/MessageBoxTop ask.
#include <windows.h>

#include "framework/classes/Component.h"
#include "framework/system/SystemTypes.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
// The members are bit positions of a button set; positions 7 to 9 show no button.
enum TMsgDlgBtn { mbYes = 0, mbNo = 1, mbOK = 2, mbCancel = 3, mbAbort = 4, mbRetry = 5, mbIgnore = 6, mbHelp = 10 };
using TMsgDlgButtons = TEnumSet<TMsgDlgBtn>;

// The position asked for the next message box, -1 when none: the dialog hook moves a box it
// skins along each coordinate that is not -1.
extern int MessageBoxLeft;
extern int MessageBoxTop;

// "Warning", "Error", "Information", "Confirm"; empty for mtCustom.
String DefaultMessageCaption(TMsgDlgType DlgType);
// The box's style: the icon of the type, the buttons of the set (first match: OK, then Abort or
// Ignore, Yes or No, Retry; an empty set shows OK) and MB_HELP when Help is in the set.
UINT MessageBoxStyle(TMsgDlgType DlgType, TMsgDlgButtons Buttons);

// MessageBoxPos with the type's caption and no position.
int MessageBoxDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
// Shows the box (an empty Caption takes the type's) and answers the button pressed (IDOK ...).
// X and Y stay in MessageBoxLeft/MessageBoxTop while the box is up. A help request in the box
// shows the application's help for HelpCtx.
int MessageBoxPos(const String& Caption, const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                  int X, int Y);
