#include "skin/core/sConst.h"

#include <windows.h>

int ScrollArrowWidth = 0;

bool SkinChangeRunning = false;
String UpdatedSkinSection;
bool FormAnimating = false;
bool PrintingControls = false;
bool AppShuttingDown = false;
bool ForceCustomFont = false;

String acsOK, acsCancel, acsHelp;
String acsRestore, acsMove, acsSize, acsMinimize, acsMaximize, acsClose;
String acsFileOpen;
String acsAvailSkins, acsInternal;
String acsErrorSettingCount, acsListBoxMustBeVirtual;
String acsAddToCustomColors, acsDefineColors, acsMainPalette, acsAdditionalColors, acsColor;
String acsRed, acsGreen, acsBlue, acsDecimal, acsHex;
String acsFrameAdapterError;
String acsHintDesignerForm, acsPreservedSettings, acsStyle, acsBevelWidth, acsBlur, acsArrowLength;
String acsHorizMargin, acsVertMargin, acsCornersRadius, acsMaxWidth, acsPauseHide, acsPercent, acsOffset;
String acsTransparency, acsNoPicture, acsFont, acsTexture, acsLoadFromFile, acsSaveToFileAs, acsHintColor;
String acsTopBorder, acsBottomBorder, acsShadow, acsBackground, acsGradient, acsHintPreview;
String acsRoot, acsSelectDirectory, acsCreate, acsDirWithSkins, acsSelectSkin, acsSkinPreview;

const std::vector<TacSkinString>& SkinStrings()
{
    static const std::vector<TacSkinString> table = {
        {&acsOK, 58992, L"OK"},
        {&acsCancel, 58991, L"Cancel"},
        {&acsHelp, 58990, L"&Help"},
        {&acsRestore, 58981, L"Restore"},
        {&acsMove, 58980, L"Move"},
        {&acsSize, 58979, L"Size"},
        {&acsMinimize, 58978, L"Minimize"},
        {&acsMaximize, 58977, L"Maximize"},
        {&acsClose, 58976, L"Close"},
        {&acsFileOpen, 58970, L"File open"},
        {&acsAvailSkins, 58964, L"Available skins"},
        {&acsInternal, 58963, L"(internal)"},
        {&acsErrorSettingCount, 58962, L"Error setting %s.Count"},
        {&acsListBoxMustBeVirtual, 58961, L"Listbox (%s) style must be virtual in order to set Count"},
        {&acsAddToCustomColors, 58960, L"Add to custom colors set"},
        {&acsDefineColors, 58959, L"Define colors"},
        {&acsMainPalette, 58958, L"Main palette :"},
        {&acsAdditionalColors, 58957, L"Additional colors :"},
        {&acsColor, 58956, L"Color"},
        {&acsRed, 58955, L"Red :"},
        {&acsGreen, 58954, L"Green :"},
        {&acsBlue, 58953, L"Blue :"},
        {&acsDecimal, 58952, L"Decimal - "},
        {&acsHex, 58951, L"Hex - "},
        {&acsFrameAdapterError, 58950, L"TsFrameAdapter adapter must be placed on the handled frame"},
        {&acsHintDesignerForm, 58949, L"Hint Designer Form"},
        {&acsPreservedSettings, 58948, L"Preserved settings :"},
        {&acsStyle, 58947, L"Style :"},
        {&acsBevelWidth, 58946, L"Bevel width"},
        {&acsBlur, 58945, L"Blur"},
        {&acsArrowLength, 58944, L"Arrow length"},
        {&acsHorizMargin, 58943, L"Horiz. margin"},
        {&acsVertMargin, 58942, L"Vert. margin"},
        {&acsCornersRadius, 58941, L"Corners radius"},
        {&acsMaxWidth, 58940, L"Max width"},
        {&acsPauseHide, 58939, L"Pause hide (ms)"},
        {&acsPercent, 58938, L"Percent"},
        {&acsOffset, 58937, L"Offset"},
        {&acsTransparency, 58936, L"Transparency"},
        {&acsNoPicture, 58935, L"No picture available"},
        {&acsFont, 58934, L"Font"},
        {&acsTexture, 58933, L"Texture"},
        {&acsLoadFromFile, 58932, L"Load from file"},
        {&acsSaveToFileAs, 58931, L"Save to file as..."},
        {&acsHintColor, 58930, L"Color"},
        {&acsTopBorder, 58929, L"Top border"},
        {&acsBottomBorder, 58928, L"Bottom border"},
        {&acsShadow, 58927, L"Shadow"},
        {&acsBackground, 58926, L"Background"},
        {&acsGradient, 58925, L"Gradient"},
        {&acsHintPreview, 58924, L"Preview of the future hint window"},
        {&acsRoot, 65225, L"Root :"},
        {&acsSelectDirectory, 58911, L"Select directory"},
        {&acsCreate, 58910, L"Create"},
        {&acsDirWithSkins, 65226, L"Directory with skins :"},
        {&acsSelectSkin, 65227, L"Select skin"},
        {&acsSkinPreview, 65228, L"Skin preview"},
    };
    return table;
}

namespace {

// The program's own table, not the DLL's this code might one day be linked into.
String LoadTableString(unsigned Id, const wchar_t* Default)
{
    const wchar_t* text = nullptr;
    int length = LoadStringW(GetModuleHandleW(nullptr), Id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr) return Default;
    return String(text, static_cast<size_t>(length));
}

struct TSkinConstInit {
    TSkinConstInit()
    {
        for (const TacSkinString& s : SkinStrings()) *s.Value = LoadTableString(s.Id, s.Default);
        ScrollArrowWidth = GetSystemMetrics(SM_CXHSCROLL);
    }
};

TSkinConstInit SkinConstInit;

} // namespace
