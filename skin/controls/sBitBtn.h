#pragma once
// Unit sBitBtn: the skinned bitmap button, TsBitBtn: a push button with a glyph beside its caption.
// The skin engine gives it its looks later; until then it looks and behaves as its base.
#include "framework/stdctrls/BitBtn.h"

class TsBitBtn : public TBitBtn {
public:
    explicit TsBitBtn(TComponent* AOwner);
};
