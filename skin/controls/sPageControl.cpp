#include "skin/controls/sPageControl.h"

TsPageControl::TsPageControl(TComponent* AOwner) : TPageControl(AOwner)
{
}

TsTabSheet::TsTabSheet(TComponent* AOwner) : TTabSheet(AOwner)
{
}
