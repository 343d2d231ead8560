#pragma once
// Unit sBevel: the skinned bevel, TsBevel: a windowless box, frame or line drawn from the skin.
// It composes its section in its cache and shows only what its shape shows: a 3-pixel frame for
// boxes and frames, a 3-pixel strip for lines; everything inside stays transparent. The section
// follows the shape and style: "GROUPBOX" for a frame, "PANEL" raised, "PANEL_LOW" lowered.
#include <memory>

#include "framework/stdctrls/Bevel.h"
#include "skin/core/sCommonData.h"

class TsBevel : public TBevel {
public:
    explicit TsBevel(TComponent* AOwner);
    ~TsBevel() override;

    TsCommonData* SkinData() const { return FCommonData.get(); }
    // Chooses the section for the shape and style.
    void CheckSkinSection();

    void Loaded() override;
    // Picks the section again when the shape or style changed since the last choice.
    void Invalidate() override;
    void Paint() override;
    void WndProc(TMessage& Message) override;

    TBevelStyle StoredBevel = bsLowered;
    TBevelShape StoredShape = bsBox;

private:
    void PaintSkinned();
    // The skin command's sub-commands; true when the message is done with.
    bool HandleSkinMessage(TMessage& Message);

    std::unique_ptr<TsCommonData> FCommonData;
};
