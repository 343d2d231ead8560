#include "skin/controls/sPanel.h"

TsPanel::TsPanel(TComponent* AOwner) : TCustomPanel(AOwner)
{
}
