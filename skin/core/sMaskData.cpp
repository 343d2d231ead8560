// A loaded skin as one object: the lookups by section and image name, the border widths of a
// mask, the section and constant indexes, and LoadSkin, which builds the whole skin aside.
#include <unordered_set>

#include "framework/classes/Streams.h"
#include "framework/system/StringUtils.h"
#include "skin/core/acSkinPack.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sMaskData.h"

namespace {

const wchar_t* const sOptionsFile = L"Options.dat";

String MaskKey(const String& Section, const String& Name)
{
    return Section + L'\0' + Name;
}

}  // namespace

EConvertError SkinValueError(const String& Section, const String& Key, const Exception& Error)
{
    return EConvertError(PrintableText(L"Section [" + Section + L"], key " + Key + L": " + Error.Message()));
}

void TsSkin::BuildIndexes()
{
    FSectionIndex.clear();
    FMaskIndex.clear();
    for (size_t i = 0; i < gd.size(); ++i) FSectionIndex.emplace(gd[i].ClassName, static_cast<int>(i));
    for (size_t i = 0; i < ma.size(); ++i) FMaskIndex.emplace(MaskKey(ma[i].ClassName, ma[i].PropertyName), static_cast<int>(i));
    FIndexedSections = gd.size();
    FIndexedMasks = ma.size();
}

int TsSkin::GetSkinIndex(const String& SkinSection) const
{
    if (FIndexedSections == gd.size()) {
        auto found = FSectionIndex.find(SkinSection);
        return found == FSectionIndex.end() ? -1 : found->second;
    }
    for (size_t i = 0; i < gd.size(); ++i)
        if (gd[i].ClassName == SkinSection) return static_cast<int>(i);
    return -1;
}

template <class Match>
int TsSkin::FindMask(int SkinIndex, const String& SkinSection, const String& Name, Match&& Accept) const
{
    // A parent chain that comes back to a section already asked has no more to give.
    std::unordered_set<String> visited;
    String section = SkinSection;
    int index = SkinIndex;
    while (index >= 0 && !section.empty()) {
        int found = Accept(section, Name);
        if (found >= 0) return found;
        visited.insert(section);
        if (!IsValidSkinIndex(index)) return -1;
        const String& parent = gd[index].ParentClass;
        if (parent.empty() || visited.count(parent) != 0) return -1;
        section = parent;
        index = GetSkinIndex(parent);
    }
    return -1;
}

int TsSkin::GetMaskIndex(const String& SkinSection, const String& MaskName) const
{
    if (FIndexedMasks == ma.size()) {
        auto found = FMaskIndex.find(MaskKey(SkinSection, MaskName));
        return found == FMaskIndex.end() ? -1 : found->second;
    }
    for (size_t i = 0; i < ma.size(); ++i)
        if (ma[i].ClassName == SkinSection && ma[i].PropertyName == MaskName) return static_cast<int>(i);
    return -1;
}

int TsSkin::GetMaskIndex(int SkinIndex, const String& SkinSection, const String& MaskName) const
{
    return FindMask(SkinIndex, SkinSection, MaskName,
                    [this](const String& Section, const String& Name) { return GetMaskIndex(Section, Name); });
}

int TsSkin::GetTextureIndex(int SkinIndex, const String& SkinSection, const String& PropName) const
{
    return FindMask(SkinIndex, SkinSection, PropName, [this](const String& Section, const String& Name) {
        for (size_t i = 0; i < ma.size(); ++i)
            if (ma[i].ImgType == itisaTexture && ma[i].ClassName == Section && ma[i].PropertyName == Name)
                return static_cast<int>(i);
        return -1;
    });
}

int TsSkin::GetPatternIndex(int SkinIndex, const String& SkinSection, const String& PatternName) const
{
    if (pa.empty()) return -1;
    return FindMask(SkinIndex, SkinSection, PatternName, [this](const String& Section, const String& Name) {
        for (size_t i = 0; i < pa.size(); ++i)
            if (pa[i].ClassName == Section && pa[i].PropertyName == Name) return static_cast<int>(i);
        return -1;
    });
}

int TsSkin::MaskWidthLeft(int MaskIndex)
{
    if (!IsValidImgIndex(MaskIndex)) return 0;
    TsMaskData& m = ma[MaskIndex];
    if (m.ImageCount == 0) m.ImageCount = 1;
    return m.WL > 0 ? m.WL : m.BorderWidth > 0 ? m.BorderWidth : m.FrameWidth();
}

int TsSkin::MaskWidthTop(int MaskIndex) const
{
    if (!IsValidImgIndex(MaskIndex)) return 0;
    const TsMaskData& m = ma[MaskIndex];
    return m.WT > 0 ? m.WT : m.BorderWidth > 0 ? m.BorderWidth : m.FrameHeight();
}

int TsSkin::MaskWidthRight(int MaskIndex) const
{
    if (!IsValidImgIndex(MaskIndex)) return 0;
    const TsMaskData& m = ma[MaskIndex];
    return m.WR > 0 ? m.WR : m.BorderWidth > 0 ? m.BorderWidth : m.FrameWidth();
}

int TsSkin::MaskWidthBottom(int MaskIndex) const
{
    if (!IsValidImgIndex(MaskIndex)) return 0;
    const TsMaskData& m = ma[MaskIndex];
    return m.WB > 0 ? m.WB : m.BorderWidth > 0 ? m.BorderWidth : m.FrameHeight();
}

void TsSkin::InitMaskIndexes()
{
    for (size_t i = 0; i < gd.size(); ++i) {
        TsGeneralData& d = gd[i];
        if (d.ClassName == L"GLOBALINFO") continue;
        int index = static_cast<int>(i);
        d.BorderIndex = GetMaskIndex(index, d.ClassName, L"BORDERSMASK");
        d.ImgTL = GetMaskIndex(index, d.ClassName, L"IMGTOPLEFT");
        d.ImgTR = GetMaskIndex(index, d.ClassName, L"IMGTOPRIGHT");
        d.ImgBL = GetMaskIndex(index, d.ClassName, L"IMGBTMLEFT");
        d.ImgBR = GetMaskIndex(index, d.ClassName, L"IMGBTMRIGHT");
    }
}

void TsSkin::InitConstantIndexes()
{
    TConstantSkinData& c = ConstData;
    c = TConstantSkinData{};
    // The indexes are held in 16 bits: one beyond that range is not found, never the item that
    // the cut-off bits would name.
    auto fit = [](int Index) {
        return Index >= 0 && Index <= INT16_MAX ? static_cast<std::int16_t>(Index) : std::int16_t(-1);
    };
    auto S = [this, fit](const wchar_t* Section) { return fit(GetSkinIndex(Section)); };
    auto M = [this, fit](int Index, const wchar_t* Section, const wchar_t* Mask) {
        return fit(GetMaskIndex(Index, Section, Mask));
    };
    // The border, pattern and hot-pattern masks of a section; the glyph only when it exists.
    struct TPart {
        std::int16_t *Index, *Mask, *BG, *HotBG, *Glyph;
        const wchar_t* Section;
    };
    auto fill = [&](const TPart& P) {
        std::int16_t index = S(P.Section);
        if (P.Index) *P.Index = index;
        if (P.Mask) *P.Mask = M(index, P.Section, L"BORDERSMASK");
        if (P.BG) *P.BG = M(index, P.Section, L"PATTERN");
        if (P.HotBG) *P.HotBG = M(index, P.Section, L"HOTPATTERN");
        if (P.Glyph && index >= 0) *P.Glyph = M(index, P.Section, L"GLYPHMASK");
    };

    c.IndexGLobalInfo = S(L"GLOBALINFO");
    c.ExBorder = M(c.IndexGLobalInfo, L"GLOBALINFO", L"EXBORDER");
    fill({&c.IndexTabTop, &c.MaskTabTop, nullptr, nullptr, nullptr, L"TABTOP"});
    fill({&c.IndexTabBottom, &c.MaskTabBottom, nullptr, nullptr, nullptr, L"TABBOTTOM"});
    fill({&c.IndexTabLeft, &c.MaskTabLeft, nullptr, nullptr, nullptr, L"TABLEFT"});
    fill({&c.IndexTabRight, &c.MaskTabRight, nullptr, nullptr, nullptr, L"TABRIGHT"});
    fill({&c.IndexScrollTop, &c.MaskScrollTop, &c.IndexBGScrollTop, &c.IndexBGHotScrollTop, &c.MaskArrowTop,
          L"SCROLLBTNTOP"});
    fill({&c.IndexScrollBottom, &c.MaskScrollBottom, &c.IndexBGScrollBottom, &c.IndexBGHotScrollBottom,
          &c.MaskArrowBottom, L"SCROLLBTNBOTTOM"});
    fill({&c.IndexScrollLeft, &c.MaskScrollLeft, &c.IndexBGScrollLeft, &c.IndexBGHotScrollLeft, &c.MaskArrowLeft,
          L"SCROLLBTNLEFT"});
    fill({&c.IndexScrollRight, &c.MaskScrollRight, &c.IndexBGScrollRight, &c.IndexBGHotScrollRight,
          &c.MaskArrowRight, L"SCROLLBTNRIGHT"});
    fill({&c.IndexSliderVert, &c.MaskSliderVert, &c.ScrollSliderBGVert, &c.ScrollSliderBGHotVert,
          &c.MaskSliderGlyphVert, L"SCROLLSLIDERV"});
    fill({&c.IndexSliderHorz, &c.MaskSliderHorz, &c.ScrollSliderBGHorz, &c.ScrollSliderBGHotHorz,
          &c.MaskSliderGlyphHorz, L"SCROLLSLIDERH"});
    fill({&c.IndexScrollBar1H, &c.MaskScrollBar1H, &c.BGScrollBar1H, &c.BGHotScrollBar1H, nullptr, L"SCROLLBAR1H"});
    fill({&c.IndexScrollBar1V, &c.MaskScrollBar1V, &c.BGScrollBar1V, &c.BGHotScrollBar1V, nullptr, L"SCROLLBAR1V"});
    fill({&c.IndexScrollBar2H, &c.MaskScrollBar2H, &c.BGScrollBar2H, &c.BGHotScrollBar2H, nullptr, L"SCROLLBAR2H"});
    fill({&c.IndexScrollBar2V, &c.MaskScrollBar2V, &c.BGScrollBar2V, &c.BGHotScrollBar2V, nullptr, L"SCROLLBAR2V"});

    std::int16_t g = c.IndexGLobalInfo;
    c.CheckBoxChecked = M(g, L"GLOBALINFO", L"BOXCHECKED");
    c.CheckBoxUnChecked = M(g, L"GLOBALINFO", L"BOXUNCHECKED");
    c.CheckBoxGrayed = M(g, L"GLOBALINFO", L"BOXGRAYED");
    c.RadioButtonChecked = M(g, L"GLOBALINFO", L"RADIOCHECKED");
    c.RadioButtonUnChecked = M(g, L"GLOBALINFO", L"RADIOUNCHECKED");
    c.RadioButtonGrayed = M(g, L"GLOBALINFO", L"RADIOGRAYED");
    c.SmallCheckBoxChecked = M(g, L"GLOBALINFO", L"SMALLCHECKED");
    c.SmallCheckBoxUnChecked = M(g, L"GLOBALINFO", L"SMALLUNCHECKED");
    c.SmallCheckBoxGrayed = M(g, L"GLOBALINFO", L"SMALLGRAYED");

    c.ComboBtnIndex = GetSkinIndex(L"COMBOBTN");
    c.ComboBtnBorder = GetMaskIndex(L"COMBOBTN", L"BORDERSMASK");
    c.ComboBtnBG = GetTextureIndex(c.ComboBtnIndex, L"COMBOBTN", L"PATTERN");
    c.ComboBtnBGHot = GetTextureIndex(c.ComboBtnIndex, L"COMBOBTN", L"HOTPATTERN");
    c.ComboGlyph = GetMaskIndex(L"COMBOBOX", L"GLYPHMASK");

    InitMaskIndexes();
}

namespace {

// The options text of a source; an error when it has none or it holds no section.
std::unique_ptr<TsSkinOptions> ReadOptions(const TsSkinSource& Source)
{
    auto options = std::make_unique<TsSkinOptions>();
    if (Source.OptionsText != nullptr) {
        options->LoadFromStrings(Source.OptionsText);
    } else if (Source.Archive != nullptr) {
        if (!Source.Archive->Options) throw EacSkinLoadError(L"The packed skin holds no Options.dat");
        Source.Archive->Options->SetPosition(0);
        options->LoadFromStream(Source.Archive->Options.get());
    } else {
        String path = Source.SkinPath + sOptionsFile;
        if (!FileExists(path)) throw EacSkinLoadError(L"File " + path + L" not found");
        TMemoryStream file;
        file.LoadFromFile(path);
        options->LoadFromStream(&file);
    }
    if (options->SectionCount() == 0) throw EacSkinLoadError(L"Options.dat of the skin holds no sections");
    return options;
}

}  // namespace

std::unique_ptr<TsSkin> LoadSkin(const TsSkinSource& Source, const TsSkinLoadSettings& Settings)
{
    std::unique_ptr<TsSkinOptions> options = ReadOptions(Source);
    auto skin = std::make_unique<TsSkin>();
    skin->SkinData.SkinPath = Source.SkinPath;
    LoadSkinMasks(*skin, *options, Source, Settings);
    LoadSkinPatterns(*skin, *options, Source, Settings);
    LoadGlobalInfo(skin->SkinData, *options);
    LoadGeneralData(*skin, *options, Settings.CommonSections);
    skin->BuildIndexes();
    skin->InitMaskIndexes();
    skin->InitConstantIndexes();
    return skin;
}
