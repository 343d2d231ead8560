#pragma once
// Unit sConst: values the whole skin engine shares: the background record through which a
// skinned child finds what lies under it in its parent, one step of a section gradient, and the
// texts the engine shows, which come from the program's string table so that a translated table
// changes them without code changes.
#include <cstdint>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Colors.h"

// Where a child's background comes from: pixel (x + X, y + Y) of Bmp when Ready, else the plain
// colour FillColor ($FF00FF = none).
struct TCacheInfo {
    TBitmap* Bmp = nullptr;
    int X = -99;
    int Y = -99;
    TColor FillColor = 0xFF00FF;
    bool Ready = false;
};

// No background known yet.
inline const TCacheInfo EmptyCI{};

// A skin colour answer meaning "no colour".
inline constexpr TColor NoSkinColor = 0xFF00FF;

// 0..100.
using TPercent = std::uint8_t;

// One step of a gradient: a ramp from Color1 to Color2 over Percent of the area. The first
// step's Mode1 is the gradient's type (0 vertical, 1 horizontal, 2 four triangles); Mode2 is
// kept for the record's shape only.
struct TsGradPie {
    TColor Color1 = 0;
    TColor Color2 = 0;
    TPercent Percent = 0;
    std::int32_t Mode1 = 0;
    std::int32_t Mode2 = 0;
};
using TsGradArray = std::vector<TsGradPie>;

// Width of a horizontal scroll bar's arrow (SM_CXHSCROLL), read once at start-up.
extern int ScrollArrowWidth;

// The engine's texts, read from the program's string table at start-up; a missing entry keeps
// the English default. Shown by the skinned system menu and dialogs.
extern String acsOK, acsCancel, acsHelp;
extern String acsRestore, acsMove, acsSize, acsMinimize, acsMaximize, acsClose;
extern String acsFileOpen;
extern String acsAvailSkins, acsInternal;
extern String acsErrorSettingCount, acsListBoxMustBeVirtual;
extern String acsAddToCustomColors, acsDefineColors, acsMainPalette, acsAdditionalColors, acsColor;
extern String acsRed, acsGreen, acsBlue, acsDecimal, acsHex;
extern String acsFrameAdapterError;
extern String acsHintDesignerForm, acsPreservedSettings, acsStyle, acsBevelWidth, acsBlur, acsArrowLength;
extern String acsHorizMargin, acsVertMargin, acsCornersRadius, acsMaxWidth, acsPauseHide, acsPercent, acsOffset;
extern String acsTransparency, acsNoPicture, acsFont, acsTexture, acsLoadFromFile, acsSaveToFileAs, acsHintColor;
extern String acsTopBorder, acsBottomBorder, acsShadow, acsBackground, acsGradient, acsHintPreview;
extern String acsRoot, acsSelectDirectory, acsCreate, acsDirWithSkins, acsSelectSkin, acsSkinPreview;

// The string-table identifier and default text behind each of the strings above, in load order.
struct TacSkinString {
    String* Value;
    unsigned Id;
    const wchar_t* Default;
};
const std::vector<TacSkinString>& SkinStrings();
