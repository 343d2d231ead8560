#pragma once
// Unit sGroupBox: the skinned group box, TsGroupBox: a container framed with its caption.
// The skin engine gives it its looks later; until then it looks and behaves as its base.
#include "framework/stdctrls/GroupBox.h"

class TsGroupBox : public TCustomGroupBox {
public:
    explicit TsGroupBox(TComponent* AOwner);
};
