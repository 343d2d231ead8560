#pragma once
// What the common controls share: the custom-draw vocabulary of tool bars, list and tree views,
// and the one-time registration of the system's common-control window classes.
#include <windows.h>
#include <commctrl.h>

#include "framework/classes/Component.h"

enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
// Element n stands for bit n of NMCUSTOMDRAW::uItemState (CDIS_SELECTED is bit 0).
enum TCustomDrawStateFlag {
    cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked,
    cdsIndeterminate, cdsShowKeyboardCues, cdsNearHot, cdsOtherSideHot, cdsDropHilited
};
using TCustomDrawState = TEnumSet<TCustomDrawStateFlag>;

// Registers the common-control window classes the framework's common controls are built on
// (tabs, bars, up-down, track bar, date and time, list and tree views); once per process.
void InitCommonControlClasses();

// Registers the common controls (and the layers below, menus included) with the form reader.
void RegisterCommonControlsClasses();
