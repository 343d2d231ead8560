#pragma once
// The vocabulary the standard controls share: text alignment and layout, scroll-bar choice,
// character case, the owner-draw item state and the item events of list-like controls, plus the
// alignment and reading-order helpers that labels, buttons, panels and edits all need.
#include <windows.h>

#include <functional>

#include "framework/classes/Component.h"
#include "framework/graphics/GraphicsBase.h"

class TControl;
class TWinControl;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };
// Check boxes and radio buttons only take the first two.
using TLeftRight = TAlignment;
enum TTextLayout { tlTop, tlCenter, tlBottom };
enum TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

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

using TDrawItemEvent = std::function<void(TWinControl* Control, int Index, TRect Rect, TOwnerDrawState State)>;
using TMeasureItemEvent = std::function<void(TWinControl* Control, int Index, int& Height)>;

// DT_LEFT / DT_RIGHT / DT_CENTER for an alignment.
UINT AlignmentToDrawTextFlag(TAlignment Alignment);
// Left and right swapped (right-to-left controls).
TAlignment MirrorAlignment(TAlignment Alignment);
// Flags adjusted to Control's reading order (DT_RIGHT swapped with DT_LEFT, DT_RTLREADING added).
UINT BiDiDrawTextFlags(TControl* Control, UINT Flags);
