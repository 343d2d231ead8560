#include "skin/core/sDialogs.h"

#include "framework/controls/Forms.h"
#include "framework/system/ScopeGuards.h"

int MessageBoxLeft = -1;
int MessageBoxTop = -1;

namespace {

void CALLBACK MessageBoxHelp(LPHELPINFO Info)
{
    if (Info != nullptr && Info->dwContextId != 0) Application->HelpContext(static_cast<int>(Info->dwContextId));
}

// The window the box belongs to. The application window is hidden; while the main form stands
// on the task bar it owns no form, and a box owned by it alone would leave the form the user
// works in usable under it: the thread's active window owns the box then.
HWND MessageBoxOwner()
{
    if (Application->MainFormOnTaskBar())
        if (HWND active = GetActiveWindow(); active != nullptr) return active;
    return Application->Handle();
}

} // namespace

String DefaultMessageCaption(TMsgDlgType DlgType)
{
    switch (DlgType) {
    case mtWarning: return L"Warning";
    case mtError: return L"Error";
    case mtInformation: return L"Information";
    case mtConfirmation: return L"Confirm";
    default: return L"";
    }
}

UINT MessageBoxStyle(TMsgDlgType DlgType, TMsgDlgButtons Buttons)
{
    UINT style = 0;
    switch (DlgType) {
    case mtWarning: style = MB_ICONWARNING; break;
    case mtError: style = MB_ICONERROR; break;
    case mtInformation: style = MB_ICONINFORMATION; break;
    case mtConfirmation: style = MB_ICONQUESTION; break;
    default: break;
    }
    if (Buttons.Contains(mbOK))
        style |= Buttons.Contains(mbCancel) ? MB_OKCANCEL : MB_OK;
    else if (Buttons.Contains(mbAbort) || Buttons.Contains(mbIgnore))
        style |= MB_ABORTRETRYIGNORE;
    else if (Buttons.Contains(mbYes) || Buttons.Contains(mbNo))
        style |= Buttons.Contains(mbCancel) ? MB_YESNOCANCEL : MB_YESNO;
    else if (Buttons.Contains(mbRetry))
        style |= MB_RETRYCANCEL;
    else
        style |= MB_OK;
    if (Buttons.Contains(mbHelp)) style |= MB_HELP;
    return style;
}

int MessageBoxDlg(const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx)
{
    return MessageBoxPos(L"", Msg, DlgType, Buttons, HelpCtx, -1, -1);
}

int MessageBoxPos(const String& Caption, const String& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx,
                  int X, int Y)
{
    const String caption = Caption.empty() ? DefaultMessageCaption(DlgType) : Caption;
    MessageBoxLeft = X;
    MessageBoxTop = Y;
    Application->ModalStarted();
    // Whatever way the box ends, its position is not asked for the next dialog.
    TScopeExit finished([] {
        Application->ModalFinished();
        MessageBoxLeft = MessageBoxTop = -1;
    });
    MSGBOXPARAMSW params{};
    params.cbSize = sizeof params;
    params.hwndOwner = MessageBoxOwner();
    params.lpszText = Msg.c_str();
    params.lpszCaption = caption.c_str();
    params.dwStyle = MessageBoxStyle(DlgType, Buttons);
    params.dwContextHelpId = static_cast<DWORD_PTR>(HelpCtx);
    params.lpfnMsgBoxCallback = MessageBoxHelp;
    return ShowMessageBoxIndirect(params);
}
