#include "skin/controls/sLabel.h"

#include "framework/facts/SystemFacts.h"

TsWebLabel::TsWebLabel(TComponent* AOwner) : TsLabel(AOwner)
{
    SetCursor(crHandPoint);
}

void TsWebLabel::Click()
{
    TsLabel::Click();
    if (!FURL.empty()) SystemFacts().ShellOpen(FURL);
}
