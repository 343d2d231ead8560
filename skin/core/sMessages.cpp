#include "skin/core/sMessages.h"

#include "skin/core/acntUtils.h"

namespace {

// The name is registered so that other processes' tools can find it; its number is not used
// (the fixed one is).
struct TSkinMessageRegistration {
    TSkinMessageRegistration() { RegisterWindowMessageW(L"SM_LUMACMD"); }
};

TSkinMessageRegistration SkinMessageRegistration;

TColor ParentAnswer(HWND Parent)
{
    return static_cast<TColor>(SendMessageW(Parent, SM_LUMACMD, MakeSkinWParam(AC_QUERYBGCOLOR), 0));
}

} // namespace

bool TacSkinCmdDispatcher::Dispatch(TMessage& Msg) const
{
    if (Msg.Msg != SM_LUMACMD) return false;
    auto found = FHandlers.find(SkinCmdSub(Msg.WParam));
    if (found == FHandlers.end() || !found->second) return false;
    return found->second(Msg);
}

TColor MixSkinBgColor(int Transparency, TColor ParentColor, TColor SectionColor)
{
    TColor result = ParentColor & 0xFF000000u;
    for (int shift = 0; shift < 24; shift += 8) {
        int p = static_cast<int>((ParentColor >> shift) & 0xFF);
        int c = static_cast<int>((SectionColor >> shift) & 0xFF);
        // An arithmetic shift: a negative product rounds down as the byte-wise shr does.
        int mixed = LimitToByte((Transparency * (p - c) + c * 256) >> 8);
        result |= static_cast<TColor>(mixed) << shift;
    }
    return result;
}

bool AnswerBgColorQuery(const TacBgColorSource& Source, LRESULT& Result)
{
    if (!Source.HasOwner) return false;
    const TColor own = ColorToRGB(Source.OwnerColor);
    if (!Source.Skinned) {
        Result = static_cast<LRESULT>(own);
    } else if (Source.Transparency == 0) {
        Result = static_cast<LRESULT>(Source.SectionColor);
    } else if (Source.Transparency == 100) {
        if (Source.ParentWnd == nullptr) {
            Result = static_cast<LRESULT>(own);
        } else {
            TColor answer = ParentAnswer(Source.ParentWnd);
            Result = static_cast<LRESULT>(answer == 0xFF00FF ? Source.ParentControlColor : answer);
        }
    } else {
        TColor parent = Source.ParentWnd != nullptr ? ParentAnswer(Source.ParentWnd) : own;
        Result = static_cast<LRESULT>(MixSkinBgColor(Source.Transparency, parent, Source.SectionColor));
    }
    return true;
}
