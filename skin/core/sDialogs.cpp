#include "skin/core/sDialogs.h"

#include <windows.h>

#include "framework/controls/Forms.h"

int MessageBoxDlg(const String& Text, int DlgType, int /*Buttons*/, int HelpCtx)
{
    static const wchar_t* const Captions[] = {L"Warning", L"Error", L"Information", L"Confirm"};
    static const UINT Icons[] = {MB_ICONWARNING, MB_ICONERROR, MB_ICONINFORMATION, MB_ICONQUESTION};
    const bool known = DlgType >= 0 && DlgType < 4;
    MSGBOXPARAMSW p{};
    p.cbSize = sizeof p;
    p.hwndOwner = Application->Handle();
    p.lpszText = Text.c_str();
    p.lpszCaption = known ? Captions[DlgType] : L"";
    p.dwStyle = MB_OK | (known ? Icons[DlgType] : 0);
    p.dwContextHelpId = static_cast<DWORD_PTR>(HelpCtx);
    return MessageBoxIndirectW(&p);
}
