#pragma once
// Unit sStyleSimply: TsSkinData, what a skin says about itself as a whole (its GLOBALINFO
// section: version, form border geometry, shadow, title-button placement) and where it lives.
#include <cstdint>

#include "framework/graphics/Colors.h"
#include "framework/system/SystemTypes.h"

class TsSkinData : public TObject {
public:
    TsSkinData() = default;
    // Takes the values of another skin's record, so that a skin loaded aside can replace the
    // one in use in place.
    TsSkinData& operator=(const TsSkinData& Other);

    // Folder of the skin with a trailing backslash; '' for an internal skin.
    String SkinPath;
    // False while a skin is being announced or removed.
    bool Active = false;
    double Version = 0;
    String Author;
    String Description;
    TColor Shadow1Color = 0;
    std::int16_t Shadow1Offset = 0;
    std::int16_t Shadow1Blur = -1;
    std::int16_t Shadow1Transparency = 0;
    // Geometry of the extended form border.
    std::int16_t ExBorderWidth = 4;
    std::int16_t ExTitleHeight = 30;
    std::int16_t ExMaxHeight = 0;
    std::int16_t ExContentOffs = 0;
    std::int16_t ExShadowOffs = 0;
    std::int16_t ExCenterOffs = 0;
    std::int16_t ExDrawMode = 0;
    TColor FXColor = 0;
    TColor BorderColor = 0;
    // Placement, hue keeping and glow of the title-bar buttons.
    std::int16_t BISpacing = 0;
    std::int16_t BIVAlign = 0;
    std::int16_t BIRightMargin = 0;
    std::int16_t BILeftMargin = 0;
    std::int16_t BITopMargin = 0;
    std::int16_t BIKeepHUE = 0;
    std::int16_t BICloseGlow = 0;
    std::int16_t BICloseGlowMargin = 0;
    std::int16_t BIMaxGlow = 0;
    std::int16_t BIMaxGlowMargin = 0;
    std::int16_t BIMinGlow = 0;
    std::int16_t BIMinGlowMargin = 0;
};
