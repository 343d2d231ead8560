#pragma once
// Unit sRadioButton: the skinned radio button, TsRadioButton: checking one unchecks the others of
// its parent and fires OnClick.
// The skin engine gives it its looks later; until then it looks and behaves as its base.
#include "framework/stdctrls/RadioButton.h"

class TsRadioButton : public TRadioButton {
public:
    explicit TsRadioButton(TComponent* AOwner);
};
