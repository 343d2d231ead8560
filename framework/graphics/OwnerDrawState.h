#pragma once
// The state an owner-drawn item is drawn in (list and combo items, menu items), as the system
// hands it over in DRAWITEMSTRUCT.
#include <windows.h>

#include "framework/classes/Component.h"

// Element n stands for bit n of DRAWITEMSTRUCT::itemState (ODS_SELECTED is bit 0 ...
// ODS_COMBOBOXEDIT bit 12), so the state converts with FromBits.
enum TOwnerDrawStateItem {
    odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight, odInactive,
    odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit
};
using TOwnerDrawState = TEnumSet<TOwnerDrawStateItem>;
inline TOwnerDrawState OwnerDrawStateFromItemState(UINT ItemState)
{
    return TOwnerDrawState::FromBits(ItemState & 0xFFFF);
}
