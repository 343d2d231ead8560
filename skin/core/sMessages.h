#pragma once
// Unit sMessages: the one window message all skin components talk through. The high word of
// WParam names a sub-command (a new or removed skin, a child asking its parent for background or
// colour, a form asked for its skin provider, small state switches), the low word carries an
// on/off argument for the three switching sub-commands. The message number is fixed so that
// every component, whoever registered first, sends and compares the same value.
#include <windows.h>

#include <functional>
#include <map>

#include "framework/controls/Messages.h"
#include "framework/graphics/Colors.h"
#include "framework/system/SystemTypes.h"

inline constexpr UINT SM_LUMACMD = 0xA100;

enum : int {
    AC_SKINLOADED = 1,
    AC_SKINUNLOADED = 2,
    AC_RESKIN = 3,
    AC_QUERYPROVIDER = 4,
    AC_CHILDPAINTING = 5,
    AC_RESUMEPAINT = 6,
    AC_QUERYSKINNED = 7,
    AC_UPDATINGSTATE = 8,
    AC_SETURGENCY = 9,
    AC_QUERYBUSY = 10,
    AC_QUERYHALFSHOWN = 11,
    AC_SECTIONCHANGED = 13,
    AC_POPUPSTATE = 14,
    AC_ASSIGNSECTION = 15,
    AC_ENDFADE = 16,
    AC_MARKDIRTY = 17,
    AC_REDRAWGRAPHIC = 18,
    AC_QUERYMOVEREPAINT = 19,
    AC_MOVEDREPAINT = 20,
    AC_QUERYBGCOLOR = 21,
    AC_MARKHALFSHOWN = 22,
    AC_BUILDCACHE = 23,
    AC_PAINTFADESTEP = 24,
    AC_CHILDADDED = 25,
    AC_QUERYSKININDEX = 26,
    AC_QUERYAUX = 27,
    AC_HOOKCHILDREN = 28,
    AC_HOTON = 29,
    AC_HOTOFF = 30,
    AC_UPDATESTART = 31,
    AC_UPDATEDONE = 32,
    AC_QUERYBGINFO = 34,
    AC_QUERYDISABLEDLOOK = 35,
    AC_QUERYSTATEBITS = 36,
    AC_SETPRINTDC = 38,
    AC_SCROLLSTART = 51,
    AC_SCROLLEND = 52,
    AC_QUERYAPP = 60,
    AC_QUERYCLIENTOFFSET = 61,
    // Sent to a speed button whose drop-down was pressed; nobody answers it.
    AC_DROPDOWNPRESSED = 675,
};

// Passed by address with AC_QUERYSKININDEX; receivers fill SkinIndex only.
struct TacSectionInfo {
    std::int32_t SkinIndex = -1;
    String Name;
    bool RepaintNeeded = false;
};

inline constexpr WPARAM MakeSkinWParam(int Sub, int Arg = 0)
{
    return (static_cast<WPARAM>(static_cast<unsigned>(Sub) & 0xFFFF) << 16) | (static_cast<unsigned>(Arg) & 0xFFFF);
}
inline int SkinCmdSub(WPARAM WParam) { return HIWORD(WParam); }
inline int SkinCmdArg(WPARAM WParam) { return LOWORD(WParam); }
// The switching sub-commands (8, 9, 20) mean "on" for Arg 1 only; any other value is "off".
inline bool SkinCmdSwitchOn(WPARAM WParam) { return LOWORD(WParam) == 1; }

// A receiver's table of the sub-commands it knows. A handler sets Msg.Result and answers true
// when it handled the message; a message that is not SM_LUMACMD, or a sub-command without a
// handler, is left to the receiver's normal window procedure (Dispatch answers false and leaves
// Result alone).
using TacSkinCmdHandler = std::function<bool(TMessage& Msg)>;

class TacSkinCmdDispatcher {
public:
    void Add(int Sub, TacSkinCmdHandler Handler) { FHandlers[Sub] = std::move(Handler); }
    bool Dispatch(TMessage& Msg) const;

private:
    std::map<int, TacSkinCmdHandler> FHandlers;
};

// What a skinned control knows when it answers AC_QUERYBGCOLOR.
struct TacBgColorSource {
    bool HasOwner = true;
    bool Skinned = true;
    TColor OwnerColor = clBtnFace;       // the owner's Color property
    int Transparency = 0;                // of the control's section, percent
    TColor SectionColor = 0;             // the section's Color
    HWND ParentWnd = nullptr;            // asked for its own answer; none: the owner's colour stands in
    TColor ParentControlColor = clNone;  // the parent control's Color, for a parent without an answer
};

// The answer of a skinned control to AC_QUERYBGCOLOR; false when it cannot answer (no owner).
// A partly transparent section mixes its colour with the parent's answer per byte:
// (T * (P - C) + C * 256) shr 8, held to 0..255.
bool AnswerBgColorQuery(const TacBgColorSource& Source, LRESULT& Result);
// The byte-wise mix above on its own.
TColor MixSkinBgColor(int Transparency, TColor ParentColor, TColor SectionColor);
