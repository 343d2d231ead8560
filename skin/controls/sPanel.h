#pragma once
// Unit sPanel: the skinned panel, TsPanel: a container with bevels and a caption.
// The skin engine gives it its looks later; until then it looks and behaves as its base.
#include "framework/stdctrls/Panel.h"

class TsPanel : public TCustomPanel {
public:
    explicit TsPanel(TComponent* AOwner);
};
