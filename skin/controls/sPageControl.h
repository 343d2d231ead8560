#pragma once
// Unit sPageControl: the skinned page control, TsPageControl, and its pages, TsTabSheet: one page
// shown at a time under a row of tabs.
// The skin engine gives them their looks later; until then they look and behave as their bases.
#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/TabControl.h"

class TsPageControl : public TPageControl {
public:
    explicit TsPageControl(TComponent* AOwner);
};

class TsTabSheet : public TTabSheet {
public:
    explicit TsTabSheet(TComponent* AOwner);
};
