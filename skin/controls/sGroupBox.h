#pragma once
// Unit sGroupBox: the skinned group box, TsGroupBox. It composes a caption band and a framed body
// in its cache: the band shows the parent's background (or a section of its own, CaptionSkin)
// with the caption, and the body, from half the band's height down, shows the group box's
// section. Its children take their background from that cache through the skin messages.
#include <memory>

#include "framework/stdctrls/GroupBox.h"
#include "skin/core/sCommonData.h"

class TsGroupBox : public TCustomGroupBox {
public:
    // Where the caption sits along the top (the bound labels of edits have a layout of their own).
    enum TsCaptionLayout { clTopLeft, clTopCenter, clTopRight };

    explicit TsGroupBox(TComponent* AOwner);
    ~TsGroupBox() override;

    TsCommonData* SkinData() const { return FCommonData.get(); }
    TsCaptionLayout CaptionLayout() const { return FCaptionLayout; }
    void SetCaptionLayout(TsCaptionLayout Value);
    // Moves the body and the client area down (negative: the caption up).
    int CaptionYOffset() const { return FCaptionYOffset; }
    void SetCaptionYOffset(int Value);
    // A section for the caption band instead of the parent's background.
    const String& CaptionSkin() const { return FCaptionSkin; }
    void SetCaptionSkin(const String& Value);

    // Height of the caption band: the font's "W" plus 2 (at least 6).
    int CaptionHeight();
    // The band behind the caption text, in the group box's coordinates.
    TRect CaptionRect();

    void Loaded() override;
    void AdjustClientRect(TRect& Rect) override;
    void Paint() override;
    void CMFontChanged(TMessage& Message) override;
    void WndProc(TMessage& Message) override;

    // Composes the look in the cache.
    void PrepareCache();
    // Composes when needed and copies the look, with the windowless children, into DC.
    void PaintToDC(HDC DC);

private:
    bool SkinActive() const;
    void WriteText(const TRect& R, const TCacheInfo& CI);
    // The skin command's sub-commands handled before readiness counts; true when done.
    bool HandleSkinMessage(TMessage& Message);
    // The messages of a ready, skinned group box; true when done.
    bool HandleSkinnedMessage(TMessage& Message);

    std::unique_ptr<TsCommonData> FCommonData;
    TsCaptionLayout FCaptionLayout = clTopLeft;
    int FCaptionYOffset = 0;
    String FCaptionSkin;
};
