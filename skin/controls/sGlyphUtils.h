#pragma once
// Unit sGlyphUtils: which glyph the button of a drop-down edit shows. TsGlyphMode names a custom
// image list with an image per button state; without one the button shows one of the standard
// glyphs, a list built at start-up from five PNG resources of the program ("SF", "SR", "SD",
// "SE", "SC"), each 48 x 16 pixels holding three 16 x 16 frames: normal, hot and pressed.
#include "framework/graphics/ImageList.h"
#include "framework/classes/Persistent.h"

class TWinControl;
class TsSpeedButton;

// The standard glyphs, from the resources every program linking the skinned controls carries.
TCustomImageList* StandardGlyphs();
inline constexpr int StandardGlyphCount = 5;

class TsGlyphMode : public TPersistent {
public:
    TsGlyphMode(TWinControl* AOwner, TsSpeedButton* AButton);

    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    int ImageIndexHot() const { return FImageIndexHot; }
    void SetImageIndexHot(int Value);
    int ImageIndexPressed() const { return FImageIndexPressed; }
    void SetImageIndexPressed(int Value);
    // Kept in the button (0 and not written while it is missing, loading or being destroyed).
    int Blend() const;
    void SetBlend(int Value);
    bool Grayed() const;
    void SetGrayed(bool Value);
    // The hint of the owner's button, else the owner's own.
    String Hint() const;
    void SetHint(const String& Value);

    // A custom image is set and its index lies in the list.
    bool CustomImageUsable() const;
    // Frames per image: width div height when the width is a multiple of it, else 1.
    int ImageCount() const;
    // One frame's width and the height.
    int Width() const;
    int Height() const;
    // Gives the owner's button the glyph's width and frame count and repaints it.
    void Invalidate();

    TsSpeedButton* Btn;

private:
    bool ButtonUsable() const;
    TCustomImageList* ShownList() const;

    TWinControl* FOwner;
    TCustomImageList* FImages = nullptr;
    int FImageIndex = -1;
    int FImageIndexHot = -1;
    int FImageIndexPressed = -1;
};
