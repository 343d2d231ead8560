// The options text of a skin and the records read from it: GLOBALINFO into TsSkinData, every
// section into a TsGeneralData with keys inherited along PARENTCLASS, and the application's
// common sections.
#include <windows.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

#include "framework/system/Conversions.h"
#include "framework/system/FormatSettings.h"
#include "framework/system/StringUtils.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sGradient.h"
#include "skin/core/sMaskData.h"

namespace {

const wchar_t* const sGlobalInfo = L"GLOBALINFO";

std::int16_t ToInt16(int Value)
{
    return static_cast<std::int16_t>(std::clamp(Value, -32768, 32767));
}

}  // namespace

// ---- TsSkinOptions ----

void TsSkinOptions::LoadFromStrings(const TStrings* Lines)
{
    FSections.clear();
    FIndex.clear();
    TSection* current = nullptr;
    for (int i = 0; i < Lines->Count(); ++i) {
        String line = Trim(Lines->Strings(i));
        if (line.empty() || line[0] == L';') continue;
        if (line.front() == L'[' && line.back() == L']' && line.size() >= 2) {
            String name = line.substr(1, line.size() - 2);
            auto found = FIndex.find(name);
            if (found != FIndex.end()) {
                current = &FSections[found->second];
            } else {
                FIndex.emplace(name, static_cast<int>(FSections.size()));
                FSections.push_back(TSection{name, {}, {}});
                current = &FSections.back();
            }
            continue;
        }
        size_t eq = line.find(L'=');
        if (current == nullptr || eq == String::npos || eq == 0) continue;
        String key = TrimRight(line.substr(0, eq));
        if (current->Index.count(key) != 0) continue;
        current->Index.emplace(key, static_cast<int>(current->Keys.size()));
        current->Keys.emplace_back(key, TrimLeft(line.substr(eq + 1)));
    }
    for (TSection& section : FSections) {
        auto parent = section.Index.find(L"PARENTCLASS");
        if (parent != section.Index.end()) section.Parent = IndexOfSection(section.Keys[parent->second].second);
    }
}

void TsSkinOptions::LoadFromStream(TStream* Stream)
{
    TStringList lines;
    lines.LoadFromStream(Stream);
    LoadFromStrings(&lines);
}

int TsSkinOptions::IndexOfSection(const String& Name) const
{
    auto found = FIndex.find(Name);
    return found == FIndex.end() ? -1 : found->second;
}

const String* TsSkinOptions::Find(int Section, const String& Key) const
{
    const TSection& section = FSections[Section];
    // Most sections hold a handful of keys: a scan beats hashing the name.
    if (section.Keys.size() <= 8) {
        for (const auto& key : section.Keys)
            if (key.first == Key) return &key.second;
        return nullptr;
    }
    auto found = section.Index.find(Key);
    return found == section.Index.end() ? nullptr : &section.Keys[found->second].second;
}

const String* TsSkinOptions::Find(const String& Section, const String& Key) const
{
    int s = IndexOfSection(Section);
    return s < 0 ? nullptr : Find(s, Key);
}

String TsSkinOptions::ReadString(const String& Section, const String& Key, const String& Default) const
{
    const String* value = Find(Section, Key);
    return value ? *value : Default;
}

int TsSkinOptions::ReadInteger(const String& Section, const String& Key, int Default) const
{
    const String* text = Find(Section, Key);
    int value = 0;
    return text && TryStrToInt(*text, value) ? value : Default;
}

TColor SkinColorToRGB(TColor Value)
{
    if ((static_cast<std::uint32_t>(Value) & 0x80000000u) == 0) return Value;
    return static_cast<TColor>(GetSysColor(Value & 0xFF));
}

// ---- GLOBALINFO ----

namespace {

// A key whose value is a number written as text: a value that is not a number is an error of
// the skin, not a default.
std::int16_t TextNumber(const TsSkinOptions& Options, const wchar_t* Key, const wchar_t* Default)
{
    String text = Options.ReadString(sGlobalInfo, Key, Default);
    if (Trim(text).empty()) text = Default;
    try {
        return ToInt16(StrToInt(text));
    } catch (const EConvertError& e) {
        throw SkinValueError(sGlobalInfo, Key, e);
    }
}

}  // namespace

void LoadGlobalInfo(TsSkinData& Data, const TsSkinOptions& Options)
{
    auto integer = [&](const wchar_t* Key, int Default) { return Options.ReadInteger(sGlobalInfo, Key, Default); };
    double version = 0;
    if (!TryStrToFloat(Trim(Options.ReadString(sGlobalInfo, L"VERSION", L"0")), version, TFormatSettings{}))
        version = 0;
    Data.Version = version;
    Data.Author = Options.ReadString(sGlobalInfo, L"AUTHOR", L"");
    Data.Description = Options.ReadString(sGlobalInfo, L"DESCRIPTION", L"");
    Data.ExBorderWidth = ToInt16(integer(L"BORDERWIDTH", 4));
    Data.ExTitleHeight = ToInt16(integer(L"TITLEHEIGHT", 30));
    Data.ExMaxHeight = ToInt16(integer(L"MAXHEIGHT", 0));
    if (Data.ExMaxHeight == 0) Data.ExMaxHeight = Data.ExTitleHeight;
    Data.ExContentOffs = ToInt16(integer(L"FORMOFFSET", GetSystemMetrics(SM_CXFRAME)));
    Data.ExShadowOffs = ToInt16(integer(L"ALIGNOFFSET", 0));
    Data.ExCenterOffs = ToInt16(integer(L"CENTEROFFSET", 0));
    Data.ExDrawMode = ToInt16(integer(L"BORDERMODE", 0));
    Data.Shadow1Color = integer(L"SHADOW1COLOR", 0);
    Data.Shadow1Offset = TextNumber(Options, L"SHADOW1OFFSET", L"0");
    Data.Shadow1Blur = TextNumber(Options, L"SHADOW1BLUR", L"-1");
    Data.Shadow1Transparency = TextNumber(Options, L"SHADOW1TRANSPARENCY", L"0");
    Data.BISpacing = ToInt16(integer(L"BISPACE", 0));
    Data.BIVAlign = ToInt16(integer(L"BIVALIGN", 0));
    Data.BIRightMargin = ToInt16(integer(L"BIRIGHT", 0));
    Data.BILeftMargin = ToInt16(integer(L"BILEFT", 0));
    Data.BITopMargin = ToInt16(integer(L"BITOP", 0));
    Data.BorderColor = integer(L"BORDERCOLOR", 0);
    Data.BIKeepHUE = ToInt16(integer(L"BIKEEPHUE", 0));
    Data.BICloseGlow = TextNumber(Options, L"BICONCLOSEGLOW", L"0");
    Data.BICloseGlowMargin = TextNumber(Options, L"BICONCLOSEGLOWMARGIN", L"0");
    Data.BIMaxGlow = TextNumber(Options, L"BICONMAXGLOW", L"0");
    Data.BIMaxGlowMargin = TextNumber(Options, L"BICONMAXGLOWMARGIN", L"0");
    Data.BIMinGlow = TextNumber(Options, L"BICONMINGLOW", L"0");
    Data.BIMinGlowMargin = TextNumber(Options, L"BICONMINGLOWMARGIN", L"0");
}

// ---- Sections ----

namespace {

// Where the keys of one section come from. Each answer says whether the key was found; a key
// that is not found keeps the field as it is or takes the table's default.
class TKeySource {
public:
    virtual ~TKeySource() = default;
    virtual bool Int(const String& Key, bool ToRGB, int& Value) const = 0;
    virtual bool Text(const String& Key, String& Value) const = 0;
};

// A section of the skin's own options text. A missing key is looked for in the parent named
// by PARENTCLASS and up its chain. A chain that comes back to a section already visited ends
// there, as if that section had no parent; a chain is followed at most MaxInheritanceDepth
// sections up, which no skin needs and which keeps a hostile text from costing more.
class TInheritedKeys : public TKeySource {
public:
    static constexpr int MaxInheritanceDepth = 32;

    TInheritedKeys(const TsSkinOptions& Options, int Section) : FOptions(Options), FSection(Section) {}

    bool Int(const String& Key, bool ToRGB, int& Value) const override
    {
        return Walk([&](int Section) {
            const String* text = FOptions.Find(Section, Key);
            int v = 0;
            if (text == nullptr || !TryStrToInt(*text, v) || v == -1) return false;
            Value = ToRGB || Section != FSection ? SkinColorToRGB(v) : v;
            return true;
        });
    }

    bool Text(const String& Key, String& Value) const override
    {
        return Walk([&](int Section) {
            const String* text = FOptions.Find(Section, Key);
            if (text == nullptr || text->empty() || *text == L"?") return false;
            Value = *text;
            return true;
        });
    }

private:
    template <class Probe>
    bool Walk(Probe&& Try) const
    {
        int chain[MaxInheritanceDepth];
        int depth = 0;
        int section = FSection;
        while (section >= 0) {
            if (Try(section)) return true;
            chain[depth++] = section;
            if (depth == MaxInheritanceDepth) return false;
            section = FOptions.ParentIndex(section);
            if (std::find(chain, chain + depth, section) != chain + depth) return false;
        }
        return false;
    }

    const TsSkinOptions& FOptions;
    int FSection;
};

// A section of the application's common sections, as written there: its own lines.
class TCommonKeys : public TKeySource {
public:
    explicit TCommonKeys(const TStrings* Lines) : FLines(Lines) {}

    bool Int(const String& Key, bool, int& Value) const override
    {
        String text;
        return Text(Key, text) && TryStrToInt(text, Value);
    }

    bool Text(const String& Key, String& Value) const override
    {
        int k = FLines != nullptr ? FLines->IndexOfName(Key) : -1;
        if (k < 0) return false;
        String line = FLines->Strings(k);
        Value = line.substr(line.find(L'=') + 1);
        return true;
    }

private:
    const TStrings* FLines;
};

bool IsTrue(const String& Text)
{
    String upper = UpperCase(Text);
    return upper == L"1" || upper == L"TRUE";
}

// A gradient that is no row of numbers paints nothing rather than failing the whole skin.
void ParseSectionGradient(const String& Data, TsGradArray& Steps, int& Percent)
{
    Steps.clear();
    if (Data.size() < 2) {
        Percent = 0;
        return;
    }
    try {
        ParseGradientData(Data, Steps);
    } catch (const EConvertError&) {
        Steps.clear();
        Percent = 0;
    }
}

void FillProps(TsGeneralData& D)
{
    ParseSectionGradient(D.GradientData, D.GradientArray, D.GradientPercent);
    if (D.States >= 2) ParseSectionGradient(D.HotGradientData, D.HotGradientArray, D.HotGradientPercent);
    else D.HotGradientArray.clear();
    TsGenState& normal = D.Props[0];
    normal.Color = D.Color;
    normal.FontColor = D.FontColor;
    normal.GlowColor = D.GlowColor;
    normal.GlowSize = D.GlowSize;
    normal.GradientPercent = D.GradientPercent;
    normal.GradientData = D.GradientData;
    normal.GradientArray = D.GradientArray;
    normal.ImagePercent = D.ImagePercent;
    normal.Transparency = D.Transparency;
    if (D.States < 2) {
        D.Props[1] = D.Props[0];
        return;
    }
    TsGenState& hot = D.Props[1];
    hot.Color = D.HotColor;
    hot.FontColor = D.HotFontColor;
    hot.GlowColor = D.HotGlowColor;
    hot.GlowSize = D.HotGlowSize;
    hot.GradientPercent = D.HotGradientPercent;
    hot.GradientData = D.HotGradientData;
    hot.GradientArray = D.HotGradientArray;
    hot.ImagePercent = D.HotImagePercent;
    hot.Transparency = D.HotTransparency;
}

void ClearHotFields(TsGeneralData& D)
{
    D.HotColor = 0;
    D.HotTransparency = 0;
    D.HotGradientPercent = 0;
    D.HotGradientData.clear();
    D.HotImagePercent = 0;
    D.HotFontColor = TsFontColor{0, 0, 0, 0, 0};
    D.HotGlowColor = 0;
    D.HotGlowSize = 0;
}

// Reads the section keys into D. With Defaults a key that is not found takes the table's
// default, else it keeps D's value (a common section's parent). States is read by the caller.
void ReadSectionKeys(TsGeneralData& D, const TKeySource& Keys, bool Defaults)
{
    auto integer = [&](const wchar_t* Key, int Default, bool ToRGB, auto& Field) {
        int v = 0;
        if (Keys.Int(Key, ToRGB, v)) Field = v;
        else if (Defaults) Field = Default;
    };
    // Shares and transparency are percentages and glow sizes bytes: a value beyond them is
    // held at the nearest bound rather than wrapped.
    auto percent = [&](const wchar_t* Key, int& Field) {
        integer(Key, 0, false, Field);
        Field = std::clamp(Field, 0, 100);
    };
    auto byte = [&](const wchar_t* Key, std::uint8_t& Field) {
        int v = Field;
        integer(Key, 0, false, v);
        Field = static_cast<std::uint8_t>(std::clamp(v, 0, 255));
    };
    auto boolean = [&](const wchar_t* Key, bool& Field) {
        String v;
        if (Keys.Text(Key, v)) Field = IsTrue(v);
        else if (Defaults) Field = false;
    };
    auto text = [&](const wchar_t* Key, const wchar_t* Default, String& Field) {
        String v;
        if (Keys.Text(Key, v)) Field = v;
        else if (Defaults) Field = Default;
    };

    integer(L"COLOR", 0xFFFFFF, true, D.Color);
    boolean(L"RESERVEDBOOLEAN", D.ReservedBoolean);
    boolean(L"GIVEOWNFONT", D.GiveOwnFont);
    integer(L"GLOW", 0, false, D.GlowCount);
    integer(L"GLOWMARGIN", 0, false, D.GlowMargin);
    integer(L"FONTCOLOR", 0, false, D.FontColor.Color);
    integer(L"TCLEFT", -1, false, D.FontColor.Left);
    integer(L"TCTOP", -1, false, D.FontColor.Top);
    integer(L"TCRIGHT", -1, false, D.FontColor.Right);
    integer(L"TCBOTTOM", -1, false, D.FontColor.Bottom);
    percent(L"TRANSPARENCY", D.Transparency);
    percent(L"GRADIENTPERCENT", D.GradientPercent);
    percent(L"IMAGEPERCENT", D.ImagePercent);
    text(L"GRADIENTDATA", L" ", D.GradientData);
    if (D.GradientData.size() < 2) D.GradientPercent = 0;
    boolean(L"SHOWFOCUS", D.ShowFocus);
    boolean(L"FADINGENABLED", D.FadingEnabled);
    integer(L"FADINGITERATIONS", 5, false, D.FadingIterations);
    integer(L"GCOL", 0xFFFFFF, true, D.GlowColor);
    byte(L"GSIZE", D.GlowSize);
}

void ReadHotKeys(TsGeneralData& D, const TKeySource& Keys, bool Defaults)
{
    auto integer = [&](const wchar_t* Key, int Default, bool ToRGB, auto& Field) {
        int v = 0;
        if (Keys.Int(Key, ToRGB, v)) Field = v;
        else if (Defaults) Field = Default;
    };
    auto percent = [&](const wchar_t* Key, int& Field) {
        integer(Key, 0, false, Field);
        Field = std::clamp(Field, 0, 100);
    };
    integer(L"HOTFONTCOLOR", 0, false, D.HotFontColor.Color);
    integer(L"HOTTCLEFT", -1, false, D.HotFontColor.Left);
    integer(L"HOTTCTOP", -1, false, D.HotFontColor.Top);
    integer(L"HOTTCRIGHT", -1, false, D.HotFontColor.Right);
    integer(L"HOTTCBOTTOM", -1, false, D.HotFontColor.Bottom);
    integer(L"HGCOL", 0xFFFFFF, true, D.HotGlowColor);
    int size = D.HotGlowSize;
    integer(L"HGSIZE", 0, false, size);
    D.HotGlowSize = static_cast<std::uint8_t>(std::clamp(size, 0, 255));
    integer(L"HOTCOLOR", 0xFFFFFF, false, D.HotColor);
    percent(L"HOTTRANSPARENCY", D.HotTransparency);
    percent(L"HOTGRADIENTPERCENT", D.HotGradientPercent);
    String gradient;
    if (Keys.Text(L"HOTGRADIENTDATA", gradient)) D.HotGradientData = gradient;
    else if (Defaults) D.HotGradientData.clear();
    if (D.HotGradientData.size() < 2) D.HotGradientPercent = 0;
    percent(L"HOTIMAGEPERCENT", D.HotImagePercent);
}

TsGeneralData ReadSkinSection(const TsSkinOptions& Options, const String& Name)
{
    TsGeneralData d;
    d.ClassName = Name;
    d.ParentClass = Options.ReadString(Name, L"PARENTCLASS", L"");
    TInheritedKeys keys(Options, Options.IndexOfSection(Name));
    ReadSectionKeys(d, keys, true);
    int states = 4;
    keys.Int(L"STATES", false, states);
    d.States = states;
    if (d.States >= 2) ReadHotKeys(d, keys, true);
    FillProps(d);
    return d;
}

void AddCommonSections(TsSkinGeneralData& gd, const TsSkinOptions& Options, const TStrings* Common)
{
    TStringList sections(true);
    ParseIniText(Common, &sections);
    // Every lookup by name goes through a hash: a search of the whole table per common section
    // made the merge quadratic when the skin and the common text are both large.
    std::unordered_set<String> present;
    std::unordered_map<String, size_t> byUpperName;   // the first section of each name in any case
    auto remember = [&](size_t Index) {
        present.insert(gd[Index].ClassName);
        byUpperName.emplace(UpperCase(gd[Index].ClassName), Index);
    };
    for (size_t i = 0; i < gd.size(); ++i) remember(i);
    // A name written twice in the common text reads the lines of its first section, as the
    // section list finds it (without regard to case).
    std::unordered_map<String, int> firstOfName;
    for (int i = 0; i < sections.Count(); ++i) firstOfName.emplace(AnsiUpperCase(sections.Strings(i)), i);

    for (int i = 0; i < sections.Count(); ++i) {
        const String name = sections.Strings(i);
        if (present.count(name) != 0) continue;
        TCommonKeys keys(dynamic_cast<const TStrings*>(sections.Objects(firstOfName[AnsiUpperCase(name)])));
        String parentName;
        if (!keys.Text(L"PARENTCLASS", parentName)) parentName = L"-1";
        parentName = UpperCase(parentName);
        auto parent = byUpperName.find(parentName);
        TsGeneralData d;
        bool hasParent = parent != byUpperName.end();
        if (hasParent) d = gd[parent->second];
        d.ClassName = name;
        d.ParentClass = parentName;
        d.BorderIndex = d.ImgTL = d.ImgTR = d.ImgBL = d.ImgBR = -1;
        ReadSectionKeys(d, keys, !hasParent);
        int states = 0;
        if (keys.Int(L"STATES", false, states)) d.States = states;
        else if (!hasParent) {
            states = 4;
            TInheritedKeys(Options, Options.IndexOfSection(name)).Int(L"STATES", false, states);
            d.States = states;
        }
        if (d.States >= 2) ReadHotKeys(d, keys, !hasParent);
        else ClearHotFields(d);
        FillProps(d);
        gd.push_back(std::move(d));
        remember(gd.size() - 1);
    }
}

}  // namespace

void LoadGeneralData(TsSkin& Skin, const TsSkinOptions& Options, const TStrings* CommonSections)
{
    TsSkinGeneralData gd;
    gd.reserve(Options.SectionCount());
    for (int i = 0; i < Options.SectionCount(); ++i) gd.push_back(ReadSkinSection(Options, Options.SectionName(i)));
    if (CommonSections != nullptr && CommonSections->Count() > 0) AddCommonSections(gd, Options, CommonSections);
    Skin.gd = std::move(gd);
}
