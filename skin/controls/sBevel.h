#pragma once
// Unit sBevel: the skinned bevel, TsBevel: a windowless box, frame or line.
// The skin engine gives it its looks later; until then it looks and behaves as its base.
#include "framework/stdctrls/Bevel.h"

class TsBevel : public TBevel {
public:
    explicit TsBevel(TComponent* AOwner);
};
