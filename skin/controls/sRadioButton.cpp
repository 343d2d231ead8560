#include "skin/controls/sRadioButton.h"

TsRadioButton::TsRadioButton(TComponent* AOwner) : TRadioButton(AOwner)
{
}
