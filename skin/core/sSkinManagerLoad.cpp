// Where the manager's skins come from (a folder, a packed file, a skin stored in the form), how
// a loaded skin is recoloured and checked before it is taken into use, the list of skins
// available and the extraction of stored skins to files.
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdlib>
#include <ctime>
#include <unordered_set>

#include "framework/system/StringUtils.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sDialogs.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sSkinManager.h"

namespace {

const wchar_t* const sOptionsFile = L"Options.dat";

bool ProgramRunWith(const wchar_t* Switch)
{
    int count = 0;
    LPWSTR* args = CommandLineToArgvW(GetCommandLineW(), &count);
    bool found = false;
    for (int i = 1; args != nullptr && i < count && !found; ++i) found = SameText(args[i], Switch);
    if (args != nullptr) LocalFree(args);
    return found;
}

// ---- Recolouring ----

// -1 means "no colour" and stays so.
template <class Shift>
void ShiftColour(TColor& Colour, Shift&& How)
{
    if (Colour != -1) Colour = How(Colour);
}

template <class Shift>
void ShiftFontColour(TsFontColor& F, Shift&& How)
{
    for (TColor* c : {&F.Color, &F.Left, &F.Top, &F.Right, &F.Bottom}) ShiftColour(*c, How);
}

template <class Shift>
void ShiftGradient(TsGradArray& Steps, Shift&& How)
{
    for (TsGradPie& step : Steps) {
        ShiftColour(step.Color1, How);
        ShiftColour(step.Color2, How);
    }
}

template <class Shift>
void ShiftSectionColours(TsGeneralData& D, Shift&& How)
{
    for (TColor* c : {&D.Color, &D.HotColor, &D.GlowColor, &D.HotGlowColor}) ShiftColour(*c, How);
    ShiftFontColour(D.FontColor, How);
    ShiftFontColour(D.HotFontColor, How);
    ShiftGradient(D.GradientArray, How);
    ShiftGradient(D.HotGradientArray, How);
    for (TsGenState& state : D.Props) {
        ShiftColour(state.Color, How);
        ShiftColour(state.GlowColor, How);
        ShiftFontColour(state.FontColor, How);
        ShiftGradient(state.GradientArray, How);
    }
}

// The title-button images a skin asks to keep in their own colours (BIKEEPHUE): their regions
// of the master bitmap are put back after the shift, their own bitmaps are not shifted.
class TKeptImages {
public:
    TKeptImages(const TsSkin& Skin)
    {
        int keep = Skin.SkinData.BIKeepHUE;
        if (keep == 0) return;
        std::vector<const wchar_t*> names{L"BICONCLOSE", L"SICONCLOSE"};
        if (keep == 1)
            names.insert(names.end(), {L"BICONMAX", L"BICONMIN", L"BICONNORM", L"BICONHELP", L"SICONMAX", L"SICONMIN",
                                       L"SICONNORM"});
        for (const wchar_t* name : names) {
            for (const String& mask : {String(name), String(name) + L"GLOW0"}) {
                int index = Skin.GetMaskIndex(L"GLOBALINFO", mask);
                if (index < 0) continue;
                const TsMaskData& m = Skin.ma[index];
                if (m.Bmp) FOwnBitmaps.insert(m.Bmp.get());
                else SaveRegion(Skin.MasterBitmap.get(), m.R);
            }
        }
    }

    bool Keeps(const TBitmap* Bmp) const { return FOwnBitmaps.count(Bmp) != 0; }

    void Restore(TBitmap* Master) const
    {
        for (const TRegion& region : FRegions)
            for (int y = region.R.top; y < region.R.bottom; ++y)
                std::copy_n(region.Pixels.begin() + (y - region.R.top) * (region.R.right - region.R.left),
                            region.R.right - region.R.left,
                            static_cast<std::uint32_t*>(Master->ScanLine(y)) + region.R.left);
    }

private:
    struct TRegion {
        TRect R;
        std::vector<std::uint32_t> Pixels;
    };

    void SaveRegion(TBitmap* Master, TRect R)
    {
        if (Master == nullptr || Master->Empty() || Master->PixelFormat() != pf32bit) return;
        R.left = std::clamp<int>(R.left, 0, Master->Width());
        R.right = std::clamp<int>(R.right, R.left, Master->Width());
        R.top = std::clamp<int>(R.top, 0, Master->Height());
        R.bottom = std::clamp<int>(R.bottom, R.top, Master->Height());
        if (R.right == R.left || R.bottom == R.top) return;
        TRegion region{R, {}};
        for (int y = R.top; y < R.bottom; ++y) {
            const auto* row = static_cast<const std::uint32_t*>(Master->ScanLine(y));
            region.Pixels.insert(region.Pixels.end(), row + R.left, row + R.right);
        }
        FRegions.push_back(std::move(region));
    }

    std::vector<TRegion> FRegions;
    std::unordered_set<const TBitmap*> FOwnBitmaps;
};

template <class ShiftBitmap, class Shift>
void Recolour(TsSkin& Skin, ShiftBitmap&& Bitmaps, Shift&& Colours)
{
    TKeptImages kept(Skin);
    if (Skin.MasterBitmap && !Skin.MasterBitmap->Empty()) {
        Bitmaps(Skin.MasterBitmap.get());
        kept.Restore(Skin.MasterBitmap.get());
    }
    for (TsMaskData& m : Skin.ma)
        if (m.Bmp && !kept.Keeps(m.Bmp.get())) Bitmaps(m.Bmp.get());
    for (TsGeneralData& d : Skin.gd) ShiftSectionColours(d, Colours);
    ShiftColour(Skin.SkinData.Shadow1Color, Colours);
    ShiftColour(Skin.SkinData.BorderColor, Colours);
}

// Hue first, then saturation, as each is set on the manager.
void RecolourSkin(TsSkin& Skin, int HueOffset, int Saturation)
{
    if (HueOffset != 0)
        Recolour(
            Skin, [&](TBitmap* Bmp) { ShiftBitmapHue(Bmp, HueOffset); },
            [&](TColor C) { return ShiftColorHue(HueOffset, C); });
    int saturation = Saturation % 101;
    if (saturation != 0)
        Recolour(
            Skin, [&](TBitmap* Bmp) { ShiftBitmapSaturation(Bmp, saturation); },
            [&](TColor C) { return ShiftColorSaturation(C, saturation); });
}

}  // namespace

// ---- Directories ----

String TsSkinManager::FullSkinDirectory() const
{
    String dir = FSkinDirectory;
    String program = ProgramFolder();
    auto startsWith = [&](const wchar_t* Prefix) { return dir.rfind(Prefix, 0) == 0; };
    if (startsWith(L"..\\") || startsWith(L"../")) {
        String parent = ExtractFilePath(ExcludeTrailingPathDelimiter(program));
        return parent + dir.substr(3);
    }
    if (startsWith(L".\\") || startsWith(L"./")) return program + dir.substr(2);
    if (dir.find(L':') == String::npos && dir.find(L"\\\\") == String::npos) return program + dir;
    return dir;
}

String TsSkinManager::PackedFileName(const String& Name) const
{
    String dir = FSkinDirectory;
    if (dir.size() == 1) dir += L":\\";
    else if (!dir.empty() && dir.back() == L'/') dir.back() = L'\\';
    else if (dir.empty() || dir.back() != L'\\') dir += L'\\';
    return dir + Name + L"." + acSkinExt;
}

// ---- Loading ----

void TsSkinManager::LoadFrom(const TsSkinSource& Source, bool Packed)
{
    std::unique_ptr<TsSkin> skin = LoadSkin(Source, TsSkinLoadSettings{this, FCommonSections.get()});
    skin->SkinIsPacked = Packed;
    RecolourSkin(*skin, FHueOffset, FSaturation);
    skin->SkinData.Active = false;
    FSkin = std::move(*skin);
    FSkinableMenus->FSkinBorderWidth = -1;
    CheckVersion();
    CheckShadows();
}

void TsSkinManager::ReloadSkin()
{
    if (!FActive) return;
    TSkinLoadingScope loading;
    String skinPath = IncludeTrailingPathDelimiter(FullSkinDirectory()) + FSkinName + L"\\";
    if (EditorOptionsText != nullptr) {
        LoadFrom(TsSkinSource{skinPath, nullptr, EditorOptionsText.get()}, false);
        return;
    }
    if (FileExists(skinPath + sOptionsFile)) {
        LoadFrom(TsSkinSource{skinPath, nullptr, nullptr}, false);
        return;
    }
    int index = FBuiltInSkins->IndexOf(FSkinName);
    if (index < 0) {
        if (FBuiltInSkins->Count() == 0) {
            FActive = false;
            return;
        }
        index = 0;
        FSkinName = FBuiltInSkins->Items(0)->Name();
    }
    TsStoredSkin* stored = FBuiltInSkins->Items(index);
    if (stored->PackedData->Size() == 0)
        throw EacSkinLoadError(L"The internal skin \"" + stored->Name() + L"\" holds no data");
    // The stored stream is lent to the reader, which never frees it.
    auto owner = std::make_unique<TacSkinConvertor>();
    TacSkinConvertor* convertor = owner.release();
    convertor->SetPackedData(stored->PackedData.get(), false);
    UnpackSkinFile(convertor);
    owner.reset(convertor);
    stored->PackedData->SetPosition(0);
    LoadFrom(TsSkinSource{L"", convertor, nullptr}, true);
}

void TsSkinManager::ReloadPackedSkin()
{
    if (!FActive) return;
    TSkinLoadingScope loading;
    String file = PackedFileName(FSkinName);
    TacSkinConvertor* convertor = nullptr;
    LoadSkinFile(file, convertor, true);
    std::unique_ptr<TacSkinConvertor> owner(convertor);
    if (!convertor) throw EacSkinLoadError(L"File " + file + L" not found");
    LoadFrom(TsSkinSource{IncludeTrailingPathDelimiter(FullSkinDirectory()), convertor, nullptr}, true);
}

void TsSkinManager::CheckVersion()
{
    double version = SkinData.Version;
    if (version > 7.99) {
        MessageBoxDlg(L"This version of the skin have not complete support by used Lumacore package release.\r\n"
                      L"Components must be updated up to latest version for using this skin.",
                      mtInformation, {mbOK}, 0);
    } else if (version < 7 && (ComponentState().Contains(csDesigning) || ProgramRunWith(L"/actest"))) {
        MessageBoxDlg(L"You are using an old version of the \"" + FSkinName +
                          L"\" skin. Please, update a skins to latest or link with the Lumacore support for upgrading "
                          L"of existing skin.\r\n\r\nThis notification occurs in design-time only for your information "
                          L"and will not occur in real-time.",
                      mtInformation, {mbOK}, 0);
    }
}

void TsSkinManager::CheckShadows()
{
    FormShadowSize = TRect{0, 0, 0, 0};
    if (!FActive || !ExtendedBorders()) return;
    ShdaTemplate = std::make_unique<TBitmap>();
    ShdiTemplate = std::make_unique<TBitmap>();
    int exBorder = ConstData.ExBorder;
    if (!IsValidImgIndex(exBorder)) return;   // the built-in shadow images arrive with the form borders
    const TsMaskData& m = ma[exBorder];
    if (SkinData.ExDrawMode != 0) {
        int offs = SkinData.ExContentOffs;
        FormShadowSize = TRect{offs, offs, offs, offs};
    } else {
        int offs = SkinData.ExContentOffs;
        FormShadowSize = TRect{m.WL - offs, m.WT - offs, m.WR - offs, m.WB - offs};
    }
    TBitmap* source = m.Bmp ? m.Bmp.get() : MasterBitmap.get();
    int w = m.FrameWidth(), h = m.FrameHeight();
    if (source == nullptr || source->Empty() || w <= 0 || h <= 0) return;
    auto frame = [&](int Index) {
        std::unique_ptr<TBitmap> bmp = MakeBitmap32(w, h);
        TRect r{m.R.left + Index * w, m.R.top, m.R.left + (Index + 1) * w, m.R.top + h};
        for (int y = 0; y < h && r.top + y < source->Height(); ++y) {
            const auto* src = static_cast<const std::uint32_t*>(source->ScanLine(r.top + y));
            auto* dst = static_cast<std::uint32_t*>(bmp->ScanLine(y));
            for (int x = 0; x < w && r.left + x < source->Width(); ++x) {
                std::uint32_t p = src[r.left + x];
                // Pure white with no alpha is nothing.
                dst[x] = p == 0x00FFFFFFu ? 0 : p;
            }
        }
        return bmp;
    };
    ShdiTemplate = frame(0);
    ShdaTemplate = frame(m.ImageCount > 1 ? 1 : 0);
}

// ---- Skins available ----

String TsSkinManager::GetSkinNames(TStrings* List, TacSkinTypes SkinType) const
{
    List->Clear();
    for (int i = 0; i < FBuiltInSkins->Count(); ++i) List->Add(FBuiltInSkins->Items(i)->Name());
    String first = List->Count() > 0 ? List->Strings(0) : String();
    TStringList external;
    String firstExternal = GetExternalSkinNames(&external, SkinType);
    if (first.empty()) first = firstExternal;
    for (int i = 0; i < external.Count(); ++i) List->Add(external.Strings(i));
    if (auto* sorted = dynamic_cast<TStringList*>(List)) sorted->Sort();
    else {
        TStringList all;
        all.Assign(List);
        all.Sort();
        List->Assign(&all);
    }
    return first;
}

String TsSkinManager::GetExternalSkinNames(TStrings* List, TacSkinTypes SkinType) const
{
    List->Clear();
    String dir = FullSkinDirectory();
    String first;
    if (!DirectoryExists(dir)) return first;
    String prefix = IncludeTrailingPathDelimiter(dir);
    TSearchRec f;
    for (int found = FindFirstFile(prefix + L"*", faAnyFile, f); found == 0; found = FindNextFile(f)) {
        if (f.Name.empty() || f.Name[0] == L'.') continue;
        String name;
        if ((f.Attr & faDirectory) != 0) {
            if (SkinType != stPacked && FileExists(prefix + f.Name + L"\\" + sOptionsFile)) name = f.Name;
        } else if (SkinType != stUnpacked && ExtractFileExt(f.Name) == String(L".") + acSkinExt) {
            name = f.Name.substr(0, f.Name.find(L'.'));
        }
        if (name.empty()) continue;
        if (first.empty()) first = name;
        List->Add(name);
    }
    FindCloseFile(f);
    TStringList sorted;
    sorted.Assign(List);
    sorted.Sort();
    List->Assign(&sorted);
    return first;
}

void TsSkinManager::GetSkinSections(TStrings* List) const
{
    List->Clear();
    if (!FActive) return;
    for (const TsGeneralData& d : gd) List->Add(d.ClassName);
}

String TsSkinManager::GetRandomSkin() const
{
    TStringList names;
    GetSkinNames(&names, stAllSkins);
    if (names.Count() == 0) return String();
    std::srand(static_cast<unsigned>(std::time(nullptr)) ^ GetTickCount());
    return names.Strings(std::rand() % names.Count());
}

// ---- Extracting stored skins ----

void TsSkinManager::ExtractInternalSkin(const String& NameOfSkin, const String& DestDir)
{
    if (!DirectoryExists(DestDir)) {
        MessageBoxDlg(L"Directory does not exists.", mtError, {mbOK}, 0);
        return;
    }
    int index = FBuiltInSkins->IndexOf(NameOfSkin);
    if (index < 0) {
        MessageBoxDlg(L"Skin does not exists.", mtError, {mbOK}, 0);
        return;
    }
    ExtractByIndex(index, DestDir);
}

void TsSkinManager::ExtractByIndex(int Index, const String& DestDir)
{
    if (Index < 0 || Index >= FBuiltInSkins->Count()) return;
    String dir = ExcludeTrailingPathDelimiter(DestDir);
    if (!DirectoryExists(dir) && SHCreateDirectoryExW(nullptr, dir.c_str(), nullptr) != ERROR_SUCCESS) {
        MessageBoxDlg(L"Directory " + dir + L" creation error.", mtError, {mbOK}, 0);
        return;
    }
    TsStoredSkin* stored = FBuiltInSkins->Items(Index);
    if (stored->PackedData->Size() == 0) return;
    stored->PackedData->SaveToFile(IncludeTrailingPathDelimiter(dir) + stored->Name() + L" extracted." + acSkinExt);
    stored->PackedData->SetPosition(0);
}
