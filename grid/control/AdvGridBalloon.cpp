// The grid's balloon tooltip: a system tooltip window in balloon style over the whole grid,
// set up while the balloon settings are enabled.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "grid/control/AdvGrid.h"

namespace {

// The balloon shows a warning icon until a cell supplies its own.
constexpr WPARAM BalloonTitleIcon = 3;

} // namespace

void TAdvStringGrid::BalloonInit()
{
    if (FBalloon->Init || !HandleAllocated()) return;
    FToolTip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX | TTS_BALLOON, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, FHandle, nullptr, GetModuleHandleW(nullptr),
                               nullptr);
    if (FToolTip == nullptr) return;
    FBalloon->Init = true;
    SetWindowPos(FToolTip, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    AddBalloonTool(BalloonTitleIcon, L"ToolTipText");
    const std::pair<int, WPARAM> delays[] = {
        {FBalloon->InitialDelay, TTDT_INITIAL}, {FBalloon->ReshowDelay, TTDT_RESHOW}, {FBalloon->AutoHideDelay, TTDT_AUTOPOP}};
    for (auto [delay, which] : delays)
        if (delay != -1) SendMessageW(FToolTip, TTM_SETDELAYTIME, which, MAKELPARAM(delay, 0));
    if (FBalloon->Transparency > 0) {
        SetWindowLongPtrW(FToolTip, GWL_EXSTYLE, GetWindowLongPtrW(FToolTip, GWL_EXSTYLE) | WS_EX_LAYERED);
        SetLayeredWindowAttributes(FToolTip, 0, static_cast<BYTE>(255 - std::min(FBalloon->Transparency, 255)), LWA_ALPHA);
    }
}

void TAdvStringGrid::AddBalloonTool(WPARAM Icon, const String& Title)
{
    TOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V1_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = FHandle;
    tool.uId = reinterpret_cast<UINT_PTR>(FHandle);
    GetClientRect(FHandle, &tool.rect);
    tool.hinst = GetModuleHandleW(nullptr);
    tool.lpszText = LPSTR_TEXTCALLBACKW;
    SendMessageW(FToolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(FToolTip, TTM_SETTITLEW, Icon <= 3 ? Icon : 0, reinterpret_cast<LPARAM>(Title.c_str()));
}

void TAdvStringGrid::BalloonDone()
{
    if (FToolTip != nullptr) DestroyWindow(FToolTip);
    FToolTip = nullptr;
    FBalloon->Init = false;
}

void TAdvStringGrid::BalloonEnableChanged(TObject*)
{
    if (ComponentState().Contains(csLoading)) return;
    if (FBalloon->Enable())
        BalloonInit();
    else
        BalloonDone();
}
