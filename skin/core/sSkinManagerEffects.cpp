// The skin manager's effect permissions, which depend on what the system offers. Kept apart from
// the other options so that a program that never asks for them does not link the system probes.
#include "skin/core/acntUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sSkinManager.h"

bool TacSkinEffects::AllowGlowing() const
{
    if (!FAllowGlowing) return false;
    bool designing = Manager != nullptr && Manager->ComponentState().Contains(csDesigning);
    if (!LayeredWindowsAvailable() && !designing) return false;
    return !Wow64NoComposition();
}
