#include "skin/controls/sBevel.h"

TsBevel::TsBevel(TComponent* AOwner) : TBevel(AOwner)
{
}
