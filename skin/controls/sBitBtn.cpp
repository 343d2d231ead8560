#include "skin/controls/sBitBtn.h"

TsBitBtn::TsBitBtn(TComponent* AOwner) : TBitBtn(AOwner)
{
}
