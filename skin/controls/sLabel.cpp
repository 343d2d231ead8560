#include "skin/controls/sLabel.h"

#include <shellapi.h>

namespace {

bool ShellExecuteOpen(const String& Target)
{
    HINSTANCE result = ShellExecuteW(nullptr, L"open", Target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    // ShellExecute answers a value above 32 on success.
    return reinterpret_cast<INT_PTR>(result) > 32;
}

TShellOpenFunction& ShellOpenFunction()
{
    static TShellOpenFunction function = ShellExecuteOpen;
    return function;
}

} // namespace

bool ShellOpen(const String& Target)
{
    return ShellOpenFunction()(Target);
}

TShellOpenFunction SetShellOpenFunction(TShellOpenFunction F)
{
    TShellOpenFunction previous = ShellOpenFunction();
    ShellOpenFunction() = F ? std::move(F) : TShellOpenFunction(ShellExecuteOpen);
    return previous;
}

TsWebLabel::TsWebLabel(TComponent* AOwner) : TsLabel(AOwner)
{
    SetCursor(crHandPoint);
}

void TsWebLabel::Click()
{
    TsLabel::Click();
    if (!FURL.empty()) ShellOpen(FURL);
}
