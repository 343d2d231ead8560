// The manager's answers about the skin in use: sections and images by name, border widths of
// masks, and the colours controls take from the skin.
#include <windows.h>

#include "skin/core/sSkinManager.h"

int TsSkinManager::GetSkinIndex(const String& SkinSection) const
{
    return FSkin.GetSkinIndex(SkinSection);
}

int TsSkinManager::GetMaskIndex(int SkinIndex, const String& SkinSection, const String& MaskName) const
{
    return FSkin.GetMaskIndex(SkinIndex, SkinSection, MaskName);
}

int TsSkinManager::GetMaskIndex(const String& SkinSection, const String& MaskName) const
{
    return FSkin.GetMaskIndex(SkinSection, MaskName);
}

int TsSkinManager::GetTextureIndex(int SkinIndex, const String& SkinSection, const String& PropName) const
{
    return FSkin.GetTextureIndex(SkinIndex, SkinSection, PropName);
}

int TsSkinManager::GetPatternIndex(int SkinIndex, const String& SkinSection, const String& PatternName) const
{
    return FSkin.GetPatternIndex(SkinIndex, SkinSection, PatternName);
}

int TsSkinManager::MaskWidthLeft(int MaskIndex)
{
    return FSkin.MaskWidthLeft(MaskIndex);
}

int TsSkinManager::MaskWidthTop(int MaskIndex) const
{
    return FSkin.MaskWidthTop(MaskIndex);
}

int TsSkinManager::MaskWidthRight(int MaskIndex) const
{
    return FSkin.MaskWidthRight(MaskIndex);
}

int TsSkinManager::MaskWidthBottom(int MaskIndex) const
{
    return FSkin.MaskWidthBottom(MaskIndex);
}

// ---- Colours ----

namespace {

bool IsNoColour(TColor C)
{
    return C == -1 || C == 0xFF00FF;
}

}  // namespace

TColor TsSkinManager::GetGlobalColor() const
{
    int global = ConstData.IndexGLobalInfo;
    return IsValidSkinIndex(global) ? SkinColorToRGB(gd[global].Color) : SkinColorToRGB(clBtnFace);
}

TColor TsSkinManager::GetGlobalFontColor() const
{
    int global = ConstData.IndexGLobalInfo;
    return IsValidSkinIndex(global) ? SkinColorToRGB(gd[global].FontColor.Color) : 0xFF00FF;
}

TColor TsSkinManager::GetActiveEditColor() const
{
    int global = ConstData.IndexGLobalInfo;
    return IsValidSkinIndex(global) ? SkinColorToRGB(gd[global].HotColor) : SkinColorToRGB(clWindow);
}

TColor TsSkinManager::GetActiveEditFontColor() const
{
    int edit = GetSkinIndex(L"EDIT");
    return edit >= 0 ? SkinColorToRGB(gd[edit].Props[0].FontColor.Color) : clWindowText;
}

TColor TsSkinManager::GetHighLightColor(bool Focused) const
{
    int selection = GetSkinIndex(L"SELECTION");
    if (selection >= 0) {
        const TsGeneralData& d = gd[selection];
        TColor c = d.Props[Focused && d.States > 1 ? 1 : 0].Color;
        if (!IsNoColour(c)) return SkinColorToRGB(c);
    }
    int item = GetSkinIndex(L"MENUITEM");
    if (item >= 0) {
        TColor c = gd[item].HotColor;
        if (!IsNoColour(c) && c != 0xFFFFFF) return SkinColorToRGB(c);
    }
    return clHighlight;
}

TColor TsSkinManager::GetHighLightFontColor(bool Focused) const
{
    int selection = GetSkinIndex(L"SELECTION");
    if (selection >= 0) {
        const TsGeneralData& d = gd[selection];
        TColor c = d.Props[Focused && d.States > 1 ? 1 : 0].FontColor.Color;
        if (!IsNoColour(c)) return SkinColorToRGB(c);
    }
    int item = GetSkinIndex(L"MENUITEM");
    if (item >= 0) {
        TColor c = gd[item].HotFontColor.Color;
        if (!IsNoColour(c)) return SkinColorToRGB(c);
    }
    return clHighlightText;
}
