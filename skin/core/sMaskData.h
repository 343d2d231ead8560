#pragma once
// Unit sMaskData: the records of a loaded skin and their readers. A skin's options text
// ("Options.dat") becomes the section table gd, the global record and the constant indexes; the
// images it names become the master bitmap, the masks ma and the JPEG patterns pa. All of it is
// one TsSkin, built aside by LoadSkin from a folder or an unpacked archive, so that a manager
// can swap it in whole once a load has succeeded and keep its old skin when one fails.
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/classes/StringList.h"
#include "framework/graphics/Bitmap.h"
#include "framework/system/Exceptions.h"
#include "skin/core/sConst.h"
#include "skin/core/sStyleSimply.h"

class TsSkinManager;
class TacSkinConvertor;

// A skin that cannot be loaded (no options text, an image the skin needs that cannot be read).
KVL_DECLARE_EXCEPTION(EacSkinLoadError, Exception);

// The error of a value of the options text that does not convert, with the section and key it
// was read from ("Section [BUTTON], key BORDERSMASK: '' is not a valid integer value"), in
// printable text. Of the same class as Error, so that callers catch what they caught before.
EConvertError SkinValueError(const String& Section, const String& Key, const Exception& Error);

// ---- Section records ----

struct TsFontColor {
    TColor Color = 0;
    // One-pixel text contour on each side; -1 = none.
    TColor Left = -1;
    TColor Top = -1;
    TColor Right = -1;
    TColor Bottom = -1;
};

// One paint state.
struct TsGenState {
    TColor Color = 0;
    TsFontColor FontColor;
    int GradientPercent = 0;
    String GradientData;
    TsGradArray GradientArray;
    int ImagePercent = 0;
    TColor GlowColor = 0;
    std::uint8_t GlowSize = 0;
    int Transparency = 0;
};

// Entry 0 = normal state, entry 1 = hot state.
using TsProps = TsGenState[2];

// One section of the options text.
struct TsGeneralData {
    String ParentClass;
    String ClassName;
    int States = 0;
    TsProps Props{};
    bool GiveOwnFont = false;
    bool ReservedBoolean = false;
    bool ShowFocus = false;
    int GlowCount = 0;
    int GlowMargin = 0;
    // Indexes into ma; -1 = none.
    int BorderIndex = -1;
    int ImgTL = -1;
    int ImgTR = -1;
    int ImgBL = -1;
    int ImgBR = -1;
    TColor Color = 0;
    int Transparency = 0;
    int GradientPercent = 0;
    String GradientData;
    TsGradArray GradientArray;
    int ImagePercent = 0;
    TsFontColor FontColor;
    TColor HotColor = 0;
    int HotTransparency = 0;
    int HotGradientPercent = 0;
    String HotGradientData;
    TsGradArray HotGradientArray;
    int HotImagePercent = 0;
    TsFontColor HotFontColor{0, 0, 0, 0, 0};
    bool FadingEnabled = false;
    int FadingIterations = 0;
    TColor HotGlowColor = 0;
    TColor GlowColor = 0;
    std::uint8_t HotGlowSize = 0;
    std::uint8_t GlowSize = 0;
};
using TsSkinGeneralData = std::vector<TsGeneralData>;

// ---- Images ----

enum TacImgType { itisaBorder, itisaTexture, itisaGlyph, itisaGlow, itisaPngGlyph };

// One image value of the options text: a region of the master bitmap (Bmp empty) or an image
// of its own, cut into ImageCount frames side by side and MaskType + 1 rows.
struct TsMaskData {
    std::unique_ptr<TBitmap> Bmp;
    String ClassName;
    String PropertyName;
    TRect R{0, 0, 0, 0};
    std::int16_t ImageCount = 1;
    // 0 = one row of frames; 1 = picture and mask rows; n > 1 = n + 1 rows; -1 = no frame height.
    std::int16_t MaskType = 0;
    std::int16_t BorderWidth = 0;
    std::int16_t DrawMode = 0;
    TacImgType ImgType = itisaBorder;
    TsSkinManager* Manager = nullptr;
    std::int16_t WL = 0;
    std::int16_t WT = 0;
    std::int16_t WR = 0;
    std::int16_t WB = 0;

    int FrameWidth() const;
    int FrameHeight() const;
};
using TsMaskArray = std::vector<TsMaskData>;
// The width and height of one image of a mask, as the painters of other units name them.
inline int ImageFrameWidth(const TsMaskData& Mask) { return Mask.FrameWidth(); }
inline int ImageFrameHeight(const TsMaskData& Mask) { return Mask.FrameHeight(); }

// A JPEG too large to become a texture mask.
struct TsPatternData {
    std::unique_ptr<TBitmap> Img;
    String ClassName;
    String PropertyName;
};
using TsPatternArray = std::vector<TsPatternData>;

// ---- Constant indexes ----

// Indexes resolved once per skin so that hot paths need no name lookups; -1 = not present.
struct TConstantSkinData {
    std::int16_t IndexGLobalInfo = -1;
    std::int16_t ExBorder = -1;
    std::int16_t IndexTabTop = -1, IndexTabBottom = -1, IndexTabLeft = -1, IndexTabRight = -1;
    std::int16_t MaskTabTop = -1, MaskTabBottom = -1, MaskTabLeft = -1, MaskTabRight = -1;
    std::int16_t IndexScrollTop = -1, IndexScrollBottom = -1, IndexScrollLeft = -1, IndexScrollRight = -1;
    std::int16_t MaskScrollTop = -1, MaskScrollBottom = -1, MaskScrollLeft = -1, MaskScrollRight = -1;
    std::int16_t IndexBGScrollTop = -1, IndexBGScrollBottom = -1, IndexBGScrollLeft = -1, IndexBGScrollRight = -1;
    std::int16_t IndexBGHotScrollTop = -1, IndexBGHotScrollBottom = -1, IndexBGHotScrollLeft = -1,
                 IndexBGHotScrollRight = -1;
    std::int16_t MaskArrowTop = -1, MaskArrowBottom = -1, MaskArrowLeft = -1, MaskArrowRight = -1;
    std::int16_t IndexSliderVert = -1, IndexSliderHorz = -1;
    std::int16_t MaskSliderVert = -1, MaskSliderHorz = -1;
    std::int16_t MaskSliderGlyphVert = -1, MaskSliderGlyphHorz = -1;
    std::int16_t ScrollSliderBGHorz = -1, ScrollSliderBGHotHorz = -1, ScrollSliderBGVert = -1,
                 ScrollSliderBGHotVert = -1;
    std::int16_t IndexScrollBar1H = -1, IndexScrollBar1V = -1, IndexScrollBar2H = -1, IndexScrollBar2V = -1;
    std::int16_t MaskScrollBar1H = -1, MaskScrollBar1V = -1, MaskScrollBar2H = -1, MaskScrollBar2V = -1;
    std::int16_t BGScrollBar1H = -1, BGScrollBar1V = -1, BGScrollBar2H = -1, BGScrollBar2V = -1;
    std::int16_t BGHotScrollBar1H = -1, BGHotScrollBar1V = -1, BGHotScrollBar2H = -1, BGHotScrollBar2V = -1;
    std::int16_t CheckBoxChecked = -1, CheckBoxUnChecked = -1, CheckBoxGrayed = -1;
    std::int16_t RadioButtonChecked = -1, RadioButtonUnChecked = -1, RadioButtonGrayed = -1;
    std::int16_t SmallCheckBoxChecked = -1, SmallCheckBoxUnChecked = -1, SmallCheckBoxGrayed = -1;
    int ComboBtnIndex = -1;
    int ComboBtnBorder = -1;
    int ComboBtnBG = -1;
    int ComboBtnBGHot = -1;
    int ComboGlyph = -1;
};

// ---- The options text ----

// An INI text read case-sensitively, sections and keys kept in text order, with lookups by
// name that stay fast for large texts. A section written twice is one section; of a key written
// twice the first value counts.
class TsSkinOptions {
public:
    void LoadFromStrings(const TStrings* Lines);
    void LoadFromStream(TStream* Stream);

    int SectionCount() const { return static_cast<int>(FSections.size()); }
    const String& SectionName(int Index) const { return FSections[Index].Name; }
    int KeyCount(int Section) const { return static_cast<int>(FSections[Section].Keys.size()); }
    const String& KeyName(int Section, int Key) const { return FSections[Section].Keys[Key].first; }
    const String& KeyValue(int Section, int Key) const { return FSections[Section].Keys[Key].second; }
    // -1 when the text has no such section.
    int IndexOfSection(const String& Name) const;

    // The section named by a section's PARENTCLASS; -1 when it names none or one the text lacks.
    int ParentIndex(int Section) const { return FSections[Section].Parent; }
    // The value of a key, or null when the section lacks it.
    const String* Find(int Section, const String& Key) const;

    String ReadString(const String& Section, const String& Key, const String& Default) const;
    // Decimal, or hexadecimal with "$" or "0x" (up to 8 digits, taken as the 32 bits of the
    // value); anything else, an empty value included, gives Default.
    int ReadInteger(const String& Section, const String& Key, int Default) const;

private:
    struct TSection {
        String Name;
        std::vector<std::pair<String, String>> Keys;
        std::unordered_map<String, int> Index;
        int Parent = -1;
    };
    const String* Find(const String& Section, const String& Key) const;
    std::vector<TSection> FSections;
    std::unordered_map<String, int> FIndex;
};

// A colour with the high bit set names system colour (Value and $FF); others are unchanged.
TColor SkinColorToRGB(TColor Value);

// ---- A loaded skin ----

class TsSkin {
public:
    TsSkinData SkinData;
    TsSkinGeneralData gd;
    TsMaskArray ma;
    TsPatternArray pa;
    TConstantSkinData ConstData;
    // 32-bit, transparent key $FF00FF; empty when the skin names none or it is missing.
    std::unique_ptr<TBitmap> MasterBitmap = std::make_unique<TBitmap>();
    // The images came from an unpacked archive.
    bool SkinIsPacked = false;

    // Index in gd of the first section named exactly SkinSection; -1 when none.
    int GetSkinIndex(const String& SkinSection) const;
    bool IsValidSkinIndex(int Index) const { return Index >= 0 && Index < static_cast<int>(gd.size()); }
    bool IsValidImgIndex(int Index) const { return Index >= 0 && Index < static_cast<int>(ma.size()); }
    // The mask of that section and name, else the one its parent sections give (a parent chain
    // that comes back to a section already asked stops there); -1 when SkinIndex < 0, the
    // section is empty or nothing matches.
    int GetMaskIndex(int SkinIndex, const String& SkinSection, const String& MaskName) const;
    // The same without asking parent sections.
    int GetMaskIndex(const String& SkinSection, const String& MaskName) const;
    // As the first GetMaskIndex, among the texture masks only.
    int GetTextureIndex(int SkinIndex, const String& SkinSection, const String& PropName) const;
    int GetPatternIndex(int SkinIndex, const String& SkinSection, const String& PatternName) const;

    // Widths of a mask's border parts: WL (WT, WR, WB) when above 0, else BorderWidth when above
    // 0, else the frame width (left, right) or height (top, bottom). 0 for an invalid index.
    int MaskWidthLeft(int MaskIndex);
    int MaskWidthTop(int MaskIndex) const;
    int MaskWidthRight(int MaskIndex) const;
    int MaskWidthBottom(int MaskIndex) const;

    // Resolves BorderIndex and the corner images of every section but GLOBALINFO.
    void InitMaskIndexes();
    // Fills ConstData from the tables, then resolves the section mask indexes again.
    void InitConstantIndexes();
    // Makes name lookups hashed instead of linear. The loader calls it once the tables are
    // full; a table changed afterwards in size is searched linearly again.
    void BuildIndexes();

private:
    std::unordered_map<String, int> FSectionIndex;
    std::unordered_map<String, int> FMaskIndex;
    size_t FIndexedSections = static_cast<size_t>(-1);
    size_t FIndexedMasks = static_cast<size_t>(-1);
    template <class Match>
    int FindMask(int SkinIndex, const String& SkinSection, const String& Name, Match&& Accept) const;
};

// Where a skin is read from. The options text is OptionsText when given (the skin editor's),
// else the archive's options entry, else the file SkinPath + "Options.dat".
struct TsSkinSource {
    // Folder of the skin with a trailing backslash ('' for an internal skin).
    String SkinPath;
    // An unpacked archive (TacSkinConvertor): images are its entries, not files.
    TacSkinConvertor* Archive = nullptr;
    const TStrings* OptionsText = nullptr;
};

struct TsSkinLoadSettings {
    // Stamped into every mask.
    TsSkinManager* Manager = nullptr;
    // The manager's CommonSections: INI text of sections the skin may lack.
    const TStrings* CommonSections = nullptr;
};

// Reads a whole skin into a new TsSkin: masks and master bitmap, patterns, GLOBALINFO, the
// section table with the common sections, mask and constant indexes. Version notices and
// recolouring are the manager's. Raises EacSkinLoadError when the options text is missing or
// empty or a needed image cannot be read, EConvertError for a malformed value; nothing of a
// failed load escapes.
std::unique_ptr<TsSkin> LoadSkin(const TsSkinSource& Source, const TsSkinLoadSettings& Settings = {});

// The steps of LoadSkin, for a caller that drives them itself.
void LoadSkinMasks(TsSkin& Skin, const TsSkinOptions& Options, const TsSkinSource& Source,
                   const TsSkinLoadSettings& Settings);
void LoadSkinPatterns(TsSkin& Skin, const TsSkinOptions& Options, const TsSkinSource& Source,
                      const TsSkinLoadSettings& Settings);
void LoadGlobalInfo(TsSkinData& Data, const TsSkinOptions& Options);
void LoadGeneralData(TsSkin& Skin, const TsSkinOptions& Options, const TStrings* CommonSections);
