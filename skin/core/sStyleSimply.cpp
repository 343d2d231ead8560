// TsSkinData copied as a record.
#include "skin/core/sStyleSimply.h"

TsSkinData& TsSkinData::operator=(const TsSkinData& Other)
{
    if (this == &Other) return *this;
    SkinPath = Other.SkinPath;
    Active = Other.Active;
    Version = Other.Version;
    Author = Other.Author;
    Description = Other.Description;
    Shadow1Color = Other.Shadow1Color;
    Shadow1Offset = Other.Shadow1Offset;
    Shadow1Blur = Other.Shadow1Blur;
    Shadow1Transparency = Other.Shadow1Transparency;
    ExBorderWidth = Other.ExBorderWidth;
    ExTitleHeight = Other.ExTitleHeight;
    ExMaxHeight = Other.ExMaxHeight;
    ExContentOffs = Other.ExContentOffs;
    ExShadowOffs = Other.ExShadowOffs;
    ExCenterOffs = Other.ExCenterOffs;
    ExDrawMode = Other.ExDrawMode;
    FXColor = Other.FXColor;
    BorderColor = Other.BorderColor;
    BISpacing = Other.BISpacing;
    BIVAlign = Other.BIVAlign;
    BIRightMargin = Other.BIRightMargin;
    BILeftMargin = Other.BILeftMargin;
    BITopMargin = Other.BITopMargin;
    BIKeepHUE = Other.BIKeepHUE;
    BICloseGlow = Other.BICloseGlow;
    BICloseGlowMargin = Other.BICloseGlowMargin;
    BIMaxGlow = Other.BIMaxGlow;
    BIMaxGlowMargin = Other.BIMaxGlowMargin;
    BIMinGlow = Other.BIMinGlow;
    BIMinGlowMargin = Other.BIMinGlowMargin;
    return *this;
}
