#pragma once
// TBevel: a windowless box, frame or line in lowered or raised 3D.
#include "framework/controls/Controls.h"

enum TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine, bsSpacer };
enum TBevelStyle { bsLowered, bsRaised };

class TBevel : public TGraphicControl {
public:
    explicit TBevel(TComponent* AOwner);

    TBevelShape Shape() const { return FShape; }
    void SetShape(TBevelShape Value);
    TBevelStyle Style() const { return FStyle; }
    void SetStyle(TBevelStyle Value);

    void Paint() override;

protected:
    TBevelShape FShape = bsBox;
    TBevelStyle FStyle = bsLowered;
};
