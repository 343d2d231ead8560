#include "skin/controls/sGroupBox.h"

TsGroupBox::TsGroupBox(TComponent* AOwner) : TCustomGroupBox(AOwner)
{
}
