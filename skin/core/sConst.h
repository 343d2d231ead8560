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

// ---- Process-wide states every skinned window reads ----

// Set while a skin manager loads a skin and announces it to the forms; the first receiver of
// the announcement clears it. Controls then skip marking their caches dirty and fades do not start.
extern bool SkinChangeRunning;
// The section whose look the skin manager changed last (upper case); receivers of
// AC_SECTIONCHANGED compare their own section with it.
extern String UpdatedSkinSection;
// Set while a form or dialog show, hide or look-change animation or a skin change prepares or
// plays its frames: painting into windows waits (snapshots and printing excepted).
extern bool FormAnimating;
// Set while controls are printed into a DC: only that DC is painted.
extern bool PrintingControls;
// Set once a form was asked whether the session may end: fades stop.
extern bool AppShuttingDown;
// An application option: window handlers keep the window's own font (CustomFont on).
extern bool ForceCustomFont;
// The Tag of the engine's own auxiliary windows (glow, cover, border, animation, popup
// calendar), which the hook and the control adapter leave alone.
inline constexpr int NoSkinTag = -98;

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
