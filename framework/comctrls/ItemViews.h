#pragma once
// Helpers the list view and the tree view share: index errors of their item lists, update
// counting of their windows, custom drawing on a lent DC, and marking work of their own.
#include <windows.h>

#include "framework/controls/Controls.h"
#include "framework/graphics/Canvas.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "framework/system/Exceptions.h"
#include "framework/system/ScopeGuards.h"

[[noreturn]] inline void ListIndexError(int Index)
{
    throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
}

// Runs Body with Canvas drawing on DC in the control's font and colour.
template <class F>
void WithCanvas(TCanvas* Canvas, TControl* Control, HDC DC, F&& Body)
{
    DrawOnLentDC(Canvas, DC, [&] {
        Canvas->Font()->Assign(Control->Font());
        Canvas->Brush()->SetColor(Control->Color());
        Body();
    });
}

// Update counting of the item lists: the window draws nothing from the first BeginUpdate to
// the last EndUpdate, and all at once afterwards.
inline void BeginWindowUpdate(int& Count, TWinControl* Control)
{
    if (Count++ == 0 && Control->HandleAllocated()) SendMessageW(Control->Handle(), WM_SETREDRAW, FALSE, 0);
}

inline void EndWindowUpdate(int& Count, TWinControl* Control)
{
    if (--Count == 0 && Control->HandleAllocated()) {
        SendMessageW(Control->Handle(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(Control->Handle(), nullptr, TRUE);
    }
}

// Runs Body with Counter raised, as the controls mark work of their own on their windows.
template <class F>
void Counted(int& Counter, F&& Body)
{
    ++Counter;
    TScopeExit lower([&] { --Counter; });
    Body();
}
