// The skin manager loading skins the tests make: from a folder, a packed file and a skin stored
// in a form description; names, directories, recolouring, failed loads and the colour answers.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "TestSkins.h"
#include "framework/classes/FormReader.h"
#include "framework/system/StringUtils.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"

namespace {

using namespace testskins;

// Closes every message box the code under test shows and keeps its text.
class TBoxCatcher {
public:
    TBoxCatcher()
    {
        Texts().clear();
        FHook = SetWindowsHookExW(WH_CBT, Hook, nullptr, GetCurrentThreadId());
    }
    ~TBoxCatcher() { UnhookWindowsHookEx(FHook); }
    static std::vector<std::wstring>& Texts()
    {
        static std::vector<std::wstring> texts;
        return texts;
    }

private:
    static LRESULT CALLBACK Hook(int Code, WPARAM W, LPARAM L)
    {
        if (Code == HCBT_ACTIVATE) {
            HWND box = reinterpret_cast<HWND>(W);
            wchar_t cls[16] = {};
            GetClassNameW(box, cls, 16);
            if (std::wstring(cls) == L"#32770") {
                wchar_t text[1024] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 1024);
                Texts().push_back(text);
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
        }
        return CallNextHookEx(nullptr, Code, W, L);
    }
    HHOOK FHook;
};

const std::string SkinOptions =
    "[GLOBALINFO]\r\nVERSION=7.5\r\nMASTERBITMAP=MASTER.BMP\r\nCOLOR=$00C0C0C0\r\nFONTCOLOR=$00101010\r\n"
    "HOTCOLOR=$00F0F0F0\r\nSHADOW1COLOR=$000000FF\r\nBOXCHECKED=@0000@0000@0030@0010@3@0\r\n"
    "[FORM]\r\nCOLOR=$80000005\r\nFONTCOLOR=$00203040\r\nGRADIENTDATA=255;65280;50;0;-;65280;16711680;50;0;-\r\n"
    "GRADIENTPERCENT=40\r\nBORDERSMASK=^0030^0000^0060^0030^0000^0000^0000^0000^1^1^1^2\r\n"
    "[BUTTON]\r\nPARENTCLASS=FORM\r\nSTATES=3\r\nHOTCOLOR=$000080FF\r\nGLYPHMASK=!GLYPH.BMP!2\r\n"
    "[EDIT]\r\nPARENTCLASS=FORM\r\nSTATES=1\r\nFONTCOLOR=$00112233\r\n"
    "[LOOPA]\r\nPARENTCLASS=LOOPB\r\n[LOOPB]\r\nPARENTCLASS=LOOPA\r\nCOLOR=$00123456\r\n"
    "[SELECTION]\r\nCOLOR=$00FF00FF\r\nFONTCOLOR=$00FF00FF\r\nSTATES=1\r\n[MENUITEM]\r\nSTATES=2\r\nHOTCOLOR=$0000AA00\r\n"
    "HOTFONTCOLOR=$00AA0000\r\n[TEXTURED]\r\nPATTERN=WOOD.JPG\r\n";

TTestSkin TestSkin(const std::string& Options = SkinOptions)
{
    return TTestSkin(Options, {{"MASTER.BMP", BmpBytes(120, 60, 0x2050C0)},
                               {"GLYPH.BMP", BmpBytes(40, 20, 0x30A030)},
                               {"WOOD.JPG", JpegBytes(40, 30)}});
}

std::vector<String> Lines(const TStrings& List)
{
    std::vector<String> out;
    for (int i = 0; i < List.Count(); ++i) out.push_back(List.Strings(i));
    return out;
}

String Hex(const Bytes& Data)
{
    static const wchar_t* const digits = L"0123456789ABCDEF";
    String out;
    for (uint8_t b : Data) {
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

// A skin directory holding the test skin as the folder "Tarn" and the packed file "Dark.vtz".
struct TSkinDir {
    std::wstring Dir = kvltest::TempDir(L"skinman");

    TSkinDir()
    {
        AddFolder(L"Tarn", TestSkin());
        AddPacked(L"Dark", TestSkin());
    }
    void AddFolder(const std::wstring& Name, const TTestSkin& Skin) const
    {
        CreateDirectoryW((Dir + Name).c_str(), nullptr);
        Skin.WriteTo(Dir + Name + L"\\");
    }
    void AddPacked(const std::wstring& Name, const TTestSkin& Skin) const
    {
        WriteFile(Dir + Name + L".vtz", Skin.Packed());
    }
    std::unique_ptr<TsSkinManager> Manager() const
    {
        auto m = std::make_unique<TsSkinManager>(nullptr);
        m->SetSkinDirectory(ExcludeTrailingPathDelimiter(Dir));
        return m;
    }
};

void AddInternal(TsSkinManager& M, const String& Name, const Bytes& Packed)
{
    TsStoredSkin* stored = M.InternalSkins()->Add();
    stored->SetName(Name);
    if (!Packed.empty()) stored->PackedData->WriteBuffer(Packed.data(), static_cast<int>(Packed.size()));
    stored->PackedData->SetPosition(0);
}

bool SameFont(const TsFontColor& A, const TsFontColor& B)
{
    return A.Color == B.Color && A.Left == B.Left && A.Top == B.Top && A.Right == B.Right && A.Bottom == B.Bottom;
}

// The records of two loaded skins, field by field.
void ExpectSameRecords(const TsSkinManager& A, const TsSkinManager& B)
{
    ASSERT_EQ(A.gd.size(), B.gd.size());
    for (size_t i = 0; i < A.gd.size(); ++i) {
        const TsGeneralData &a = A.gd[i], &b = B.gd[i];
        SCOPED_TRACE(std::string(a.ClassName.begin(), a.ClassName.end()));
        EXPECT_EQ(a.ClassName, b.ClassName);
        EXPECT_EQ(a.ParentClass, b.ParentClass);
        EXPECT_EQ(a.States, b.States);
        EXPECT_EQ(a.HotColor, b.HotColor);
        EXPECT_EQ(a.GradientArray.size(), b.GradientArray.size());
        EXPECT_TRUE(SameFont(a.HotFontColor, b.HotFontColor));
        EXPECT_EQ(a.BorderIndex, b.BorderIndex);
        for (int s = 0; s < 2; ++s) EXPECT_TRUE(SameState(a.Props[s], b.Props[s])) << s;
    }
    ASSERT_EQ(A.ma.size(), B.ma.size());
    for (size_t i = 0; i < A.ma.size(); ++i) EXPECT_TRUE(SameMask(A.ma[i], B.ma[i])) << i;
    EXPECT_EQ(A.pa.size(), B.pa.size());
    EXPECT_EQ(A.ConstData.IndexGLobalInfo, B.ConstData.IndexGLobalInfo);
    EXPECT_EQ(A.ConstData.CheckBoxChecked, B.ConstData.CheckBoxChecked);
    EXPECT_EQ(A.ConstData.ExBorder, B.ConstData.ExBorder);
    EXPECT_EQ(A.ConstData.ComboBtnIndex, B.ConstData.ComboBtnIndex);
    EXPECT_DOUBLE_EQ(A.SkinData.Version, B.SkinData.Version);
    ASSERT_EQ(A.MasterBitmap->Width(), B.MasterBitmap->Width());
    ASSERT_EQ(A.MasterBitmap->Height(), B.MasterBitmap->Height());
    for (int y = 0; y < A.MasterBitmap->Height(); ++y)
        ASSERT_EQ(0, memcmp(A.MasterBitmap->ScanLine(y), B.MasterBitmap->ScanLine(y), A.MasterBitmap->Width() * 4u));
}

}  // namespace

TEST(sSkinManager, FolderPackedFileAndFormDescriptionGiveTheSameSkin)
{
    TSkinDir dir;
    TBoxCatcher boxes;
    auto folder = dir.Manager();
    folder->SetSkinName(L"Tarn");
    EXPECT_FALSE(folder->SkinIsPacked());
    EXPECT_EQ(dir.Dir + L"Tarn\\", folder->SkinData.SkinPath);

    auto packed = dir.Manager();
    packed->SetSkinName(L"Dark");
    EXPECT_TRUE(packed->SkinIsPacked());

    RegisterSkinManagerClasses();
    auto form = std::make_unique<TsSkinManager>(nullptr);
    // The name comes before the stored skins, as a designer may write it: the skin loads once
    // the whole description is read.
    ReadComponentFromText(form.get(),
                          L"object sSkinManager1: TsSkinManager\n"
                          L"  SkinDirectory = 'c:\\NoSuchSkins'\n"
                          L"  SkinName = 'Moor'\n"
                          L"  InternalSkins = <\n"
                          L"    item\n"
                          L"      Name = 'Moor'\n"
                          L"      Data = {" +
                              Hex(TestSkin().Packed()) +
                              L"}\n"
                              L"    end>\n"
                              L"end\n",
                          L"Skin.form");
    EXPECT_TRUE(form->SkinIsPacked());
    EXPECT_EQ(L"", form->SkinData.SkinPath);
    EXPECT_TRUE(boxes.Texts().empty());

    for (TsSkinManager* m : {folder.get(), packed.get(), form.get()}) {
        ASSERT_EQ(m->gd.size(), 9u);
        EXPECT_TRUE(m->SkinData.Active);
        EXPECT_EQ(L"7.5", m->SkinInfo());
    }
    ExpectSameRecords(*folder, *packed);
    ExpectSameRecords(*folder, *form);

    // What the records say: inheritance from FORM with its system colour as RGB, one state,
    // a cycle of parents, gradients, the constant indexes and the master bitmap.
    TsSkinManager& m = *folder;
    const TsGeneralData& button = m.gd[m.GetSkinIndex(L"BUTTON")];
    EXPECT_EQ(static_cast<TColor>(GetSysColor(COLOR_WINDOW)), button.Color);
    EXPECT_EQ(0x203040, button.FontColor.Color);
    EXPECT_EQ(0x0080FF, button.Props[1].Color);
    EXPECT_EQ(40, button.GradientPercent);
    ASSERT_EQ(2u, button.GradientArray.size());
    EXPECT_EQ(0xFF00, button.GradientArray[1].Color1);
    EXPECT_EQ(m.GetMaskIndex(L"FORM", L"BORDERSMASK"), button.BorderIndex);
    EXPECT_GE(m.GetMaskIndex(m.GetSkinIndex(L"BUTTON"), L"BUTTON", L"BORDERSMASK"), 0);
    const TsGeneralData& edit = m.gd[m.GetSkinIndex(L"EDIT")];
    EXPECT_EQ(0, edit.HotColor);
    EXPECT_TRUE(SameState(edit.Props[0], edit.Props[1]));
    // A cycle of parents gives what it has and ends with the defaults.
    EXPECT_EQ(0x123456, m.gd[m.GetSkinIndex(L"LOOPA")].Color);
    EXPECT_EQ(0xFFFFFF, m.gd[m.GetSkinIndex(L"LOOPA")].GlowColor);
    EXPECT_EQ(-1, m.GetMaskIndex(m.GetSkinIndex(L"LOOPA"), L"LOOPA", L"NONE"));
    EXPECT_EQ(m.GetSkinIndex(L"GLOBALINFO"), m.ConstData.IndexGLobalInfo);
    EXPECT_EQ(m.GetMaskIndex(L"GLOBALINFO", L"BOXCHECKED"), m.ConstData.CheckBoxChecked);
    EXPECT_GE(m.GetTextureIndex(m.GetSkinIndex(L"TEXTURED"), L"TEXTURED", L"PATTERN"), 0);
    EXPECT_EQ(120, m.MasterBitmap->Width());
    EXPECT_EQ(10, m.MaskWidthLeft(m.GetMaskIndex(L"GLOBALINFO", L"BOXCHECKED")));
}

TEST(sSkinManager, SkinNameFindsItsSource)
{
    TSkinDir dir;
    dir.AddFolder(L"Ice", TestSkin());
    TBoxCatcher boxes;
    auto m = dir.Manager();
    AddInternal(*m, L"Tarn (internal)", TestSkin().Packed());

    m->SetSkinName(L"Dark.vtz");
    EXPECT_EQ(L"Dark", m->SkinName());
    EXPECT_TRUE(m->SkinIsPacked());

    m->SetSkinName(L"Ice");
    EXPECT_EQ(L"Ice", m->SkinName());
    EXPECT_FALSE(m->SkinIsPacked());

    // Neither a packed file nor a folder: the stored skin of that name, else the first one.
    m->SetSkinName(L"Tarn (internal)");
    EXPECT_EQ(L"Tarn (internal)", m->SkinName());
    EXPECT_TRUE(m->SkinIsPacked());
    EXPECT_EQ(L"", m->SkinData.SkinPath);
    m->SetSkinName(L"Nowhere");
    EXPECT_EQ(L"Tarn (internal)", m->SkinName());
    EXPECT_EQ(9u, m->gd.size());

    // An inactive manager only stores the name; becoming active loads it.
    m->SetActive(false);
    EXPECT_TRUE(m->gd.empty());
    m->SetSkinName(L"Dark");
    EXPECT_TRUE(m->gd.empty());
    EXPECT_EQ(L"N/A", m->SkinInfo());
    m->SetActive(true);
    EXPECT_EQ(9u, m->gd.size());
    EXPECT_TRUE(m->SkinIsPacked());
    EXPECT_TRUE(boxes.Texts().empty());

    // With no stored skins an unknown name leaves the manager without a skin.
    auto bare = dir.Manager();
    bare->SetSkinName(L"Tarn");
    bare->SetSkinName(L"Nowhere");
    EXPECT_FALSE(bare->Active());
    EXPECT_TRUE(bare->gd.empty());
    EXPECT_EQ(-1, bare->GetSkinIndex(L"FORM"));
}

TEST(sSkinManager, FailedLoadKeepsThePreviousSkinAndShowsWhy)
{
    TSkinDir dir;
    dir.AddFolder(L"BadNumber", TestSkin("[GLOBALINFO]\r\nSHADOW1OFFSET=wide\r\n[FORM]\r\nCOLOR=1\r\n"));
    dir.AddFolder(L"Empty", TTestSkin(""));
    dir.AddFolder(L"BadPng", TTestSkin("[FORM]\r\nBORDERSMASK=!FRAME.PNG!1\r\n", {{"FRAME.PNG", Text("\x89PNG\r\n\x1a\nbroken")}}));
    dir.AddFolder(L"BadValue", TTestSkin("[FORM]\r\nBORDERSMASK=^00x0^0000\r\n"));
    dir.AddPacked(L"Small", TTestSkin("[FORM]\r\n"));
    WriteFile(dir.Dir + L"Garbage.vtz", Text("this is no archive"));
    WriteFile(dir.Dir + L"NoOptions.vtz", Pack({{"MASTER.BMP", BmpBytes(8, 8)}}));
    Bytes corrupt = Pack({{"Options.dat", Text("[FORM]\r\nCOLOR=1\r\n")}});
    corrupt[8 + 4 + 11 + 4] ^= 0x55;   // the zlib header
    WriteFile(dir.Dir + L"Corrupt.vtz", corrupt);

    auto m = dir.Manager();
    TBoxCatcher boxes;
    m->SetSkinName(L"Tarn");
    ASSERT_EQ(9u, m->gd.size());
    const TsGeneralData* before = &m->gd[0];
    TColor globalColor = m->GetGlobalColor();
    int changes = 0;
    m->OnAfterChange = [&](TObject*) { ++changes; };

    // Each message names the skin, then the section and key or the entry, and what is wrong.
    const struct {
        const wchar_t* Name;
        std::wstring Says;   // the start of the message
    } refusals[] = {
        {L"BadNumber",
         L"Skin \"BadNumber\" cannot be loaded: Section [GLOBALINFO], key SHADOW1OFFSET: 'wide' is not a valid integer"},
        {L"Empty", L"Skin \"Empty\" cannot be loaded: "},
        {L"BadPng", L"Skin \"BadPng\" cannot be loaded: "},
        {L"BadValue", L"Skin \"BadValue\" cannot be loaded: Section [FORM], key BORDERSMASK: "},
        {L"Garbage", L"Skin \"Garbage\" cannot be loaded: Loaded data is not a packed Veltrix file"},
        {L"NoOptions", L"Skin \"NoOptions\" cannot be loaded: "},
        {L"Corrupt",
         L"Skin \"Corrupt\" cannot be loaded: Packed skin is damaged: entry \"Options.dat\" has corrupt compressed data ("},
    };
    for (const auto& refusal : refusals) {
        const wchar_t* name = refusal.Name;
        SCOPED_TRACE(std::wstring(name));
        boxes.Texts().clear();
        m->SetSkinName(name);
        EXPECT_EQ(L"Tarn", m->SkinName());
        ASSERT_EQ(1u, boxes.Texts().size());
        EXPECT_EQ(refusal.Says, boxes.Texts()[0].substr(0, refusal.Says.size()));
        ASSERT_EQ(9u, m->gd.size());
        EXPECT_EQ(before, &m->gd[0]);
        EXPECT_EQ(globalColor, m->GetGlobalColor());
        EXPECT_EQ(120, m->MasterBitmap->Width());
        EXPECT_TRUE(m->SkinData.Active);
    }
    EXPECT_EQ(7, changes);
    // The message says what is wrong.
    m->SetSkinName(L"Empty");
    EXPECT_NE(std::wstring::npos, boxes.Texts().back().find(L"Options.dat"));

    // After all that, a sound skin still loads.
    m->SetSkinName(L"Small");
    EXPECT_EQ(L"Small", m->SkinName());
    EXPECT_EQ(1u, m->gd.size());
}

TEST(sSkinManager, DoubtfulInputLoadsWithDefaults)
{
    struct TCase {
        const char* Name;
        std::string Options;
        std::vector<TEntry> Images;
    } cases[] = {
        {"unknown keys and out-of-range values",
         "[FORM]\r\nWHATEVER=1\r\nTRANSPARENCY=900\r\nGSIZE=-4\r\nSTATES=99999\r\nCOLOR=$1FFFFFFFF\r\n", {}},
        {"a missing image", "[FORM]\r\nBORDERSMASK=!NONE.BMP!3\r\nPATTERN=NONE.JPG\r\n", {}},
        {"an image smaller than its region",
         "[GLOBALINFO]\r\nMASTERBITMAP=M.BMP\r\n[FORM]\r\nBORDERSMASK=^0000^0000^0500^0500^0000^0000^0000^0000^1^1^1^0\r\n",
         {{"M.BMP", BmpBytes(20, 20)}}},
        {"a count of no frames", "[FORM]\r\nA=!G.BMP!0\r\nB=@0000@0000@0010@0010@0@0\r\nC=#C (0,0,9,9) (0,0)\r\n",
         {{"G.BMP", BmpBytes(30, 30)}}},
        {"a JPEG that does not decode", "[FORM]\r\nPATTERN=BAD.JPG\r\n", {{"BAD.JPG", Text("\xFF\xD8 no jpeg")}}},
    };
    TSkinDir dir;
    TBoxCatcher boxes;
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.Name);
        dir.AddFolder(L"Odd", TTestSkin(c.Options, c.Images));
        auto m = dir.Manager();
        m->SetSkinName(L"Odd");
        EXPECT_EQ(L"Odd", m->SkinName());
        EXPECT_GE(m->GetSkinIndex(L"FORM"), 0);
        for (int i = 0; i < static_cast<int>(m->ma.size()); ++i) {
            EXPECT_GE(m->ma[i].ImageCount, 1);
            m->MaskWidthLeft(i);
            m->MaskWidthTop(i);
        }
        const TsGeneralData& form = m->gd[m->GetSkinIndex(L"FORM")];
        EXPECT_LE(form.Transparency, 100);
    }
    EXPECT_TRUE(boxes.Texts().empty()) << std::string(boxes.Texts().empty() ? "" : "box shown");
}

TEST(sSkinManager, HueAndSaturationRecolourTheSkin)
{
    TSkinDir dir;
    TBoxCatcher boxes;
    auto plain = dir.Manager();
    plain->SetSkinName(L"Tarn");
    auto m = dir.Manager();
    m->SetSkinName(L"Tarn");

    m->SetSaturation(150);
    EXPECT_EQ(150, m->Saturation());
    int form = m->GetSkinIndex(L"FORM");
    const TsGeneralData& a = plain->gd[form];
    const TsGeneralData& b = m->gd[form];
    EXPECT_EQ(ShiftColorSaturation(a.FontColor.Color, 49), b.FontColor.Color);
    EXPECT_EQ(ShiftColorSaturation(a.GradientArray[0].Color1, 49), b.GradientArray[0].Color1);
    EXPECT_EQ(ShiftColorSaturation(a.Props[0].Color, 49), b.Props[0].Color);
    EXPECT_EQ(-1, b.FontColor.Left);
    auto pixel = [](TBitmap* Bmp) { return static_cast<uint32_t*>(Bmp->ScanLine(10))[10]; };
    EXPECT_EQ(ChangeSaturation(49, pixel(plain->MasterBitmap.get())), pixel(m->MasterBitmap.get()));

    m->SetSaturation(-150);
    EXPECT_EQ(ShiftColorSaturation(a.FontColor.Color, -49), m->gd[form].FontColor.Color);

    m->SetSaturation(0);
    m->SetHueOffset(120);
    EXPECT_EQ(ShiftColorHue(120, a.FontColor.Color), m->gd[form].FontColor.Color);
    EXPECT_EQ(ShiftColorHue(120, plain->SkinData.Shadow1Color), m->SkinData.Shadow1Color);
    EXPECT_EQ(ChangeHue(120, pixel(plain->MasterBitmap.get())), pixel(m->MasterBitmap.get()));
    EXPECT_TRUE(boxes.Texts().empty());

    // Title-button images the skin wants kept keep their pixels.
    std::string keep = SkinOptions;
    keep.insert(keep.find("BOXCHECKED"), "BIKEEPHUE=2\r\nBICONCLOSE=@0000@0000@0020@0020@1@0\r\n");
    dir.AddFolder(L"Keep", TestSkin(keep));
    m->SetSkinName(L"Keep");
    EXPECT_EQ(pixel(plain->MasterBitmap.get()), pixel(m->MasterBitmap.get()));
    EXPECT_EQ(ChangeHue(120, static_cast<uint32_t*>(plain->MasterBitmap->ScanLine(30))[30]),
              static_cast<uint32_t*>(m->MasterBitmap->ScanLine(30))[30]);
}

TEST(sSkinManager, SkinDirectoryIsResolvedAgainstTheProgramFolder)
{
    TsSkinManager m(nullptr);
    String program = ProgramFolder();
    String parent = ExtractFilePath(ExcludeTrailingPathDelimiter(program));
    struct TCase {
        const wchar_t* Directory;
        String Full;
    } cases[] = {
        {L"..\\Skins", parent + L"Skins"},   {L"../Skins", parent + L"Skins"},
        {L".\\Skins", program + L"Skins"},   {L"Skins", program + L"Skins"},
        {L"c:\\Skins", L"c:\\Skins"},        {L"\\\\server\\Skins", L"\\\\server\\Skins"},
    };
    for (const TCase& c : cases) {
        m.SetSkinDirectory(c.Directory);
        EXPECT_EQ(c.Full, m.FullSkinDirectory()) << c.Directory;
    }
    // A folder skin's path under "..\Skins".
    std::wstring skins = parent + L"Skins";
    bool made = CreateDirectoryW(skins.c_str(), nullptr) != 0;
    CreateDirectoryW((skins + L"\\KvlTestSkin").c_str(), nullptr);
    TestSkin().WriteTo(skins + L"\\KvlTestSkin\\");
    m.SetSkinDirectory(L"..\\Skins");
    m.SetSkinName(L"KvlTestSkin");
    EXPECT_EQ(skins + L"\\KvlTestSkin\\", m.SkinData.SkinPath);
    EXPECT_EQ(9u, m.gd.size());
    kvltest::RemoveFolder(skins + L"\\KvlTestSkin");
    if (made) RemoveDirectoryW(skins.c_str());
}

TEST(sSkinManager, ColourAnswers)
{
    TSkinDir dir;
    auto m = dir.Manager();
    // Without a skin.
    EXPECT_EQ(static_cast<TColor>(GetSysColor(COLOR_BTNFACE)), m->GetGlobalColor());
    EXPECT_EQ(0xFF00FF, m->GetGlobalFontColor());
    EXPECT_EQ(static_cast<TColor>(GetSysColor(COLOR_WINDOW)), m->GetActiveEditColor());
    EXPECT_EQ(clWindowText, m->GetActiveEditFontColor());
    EXPECT_EQ(clHighlight, m->GetHighLightColor(false));
    EXPECT_EQ(clHighlightText, m->GetHighLightFontColor(true));

    m->SetSkinName(L"Tarn");
    EXPECT_EQ(0xC0C0C0, m->GetGlobalColor());
    EXPECT_EQ(0x101010, m->GetGlobalFontColor());
    EXPECT_EQ(0xF0F0F0, m->GetActiveEditColor());
    EXPECT_EQ(0x112233, m->GetActiveEditFontColor());
    // SELECTION's colour is the transparent key: MENUITEM's hot colours stand in.
    EXPECT_EQ(0x00AA00, m->GetHighLightColor(true));
    EXPECT_EQ(0xAA0000, m->GetHighLightFontColor(false));
}

TEST(sSkinManager, SkinNamesSectionsAndExtraction)
{
    TSkinDir dir;
    dir.AddFolder(L"NoOptions", TTestSkin(""));
    DeleteFileW((dir.Dir + L"NoOptions\\Options.dat").c_str());
    dir.AddFolder(L".hidden", TestSkin());
    WriteFile(dir.Dir + L"notes.txt", Text("x"));
    TBoxCatcher boxes;
    auto m = dir.Manager();
    AddInternal(*m, L"Moor", TestSkin().Packed());
    AddInternal(*m, L"Empty", {});

    TStringList names;
    EXPECT_EQ(L"Moor", m->GetSkinNames(&names, stAllSkins));
    EXPECT_EQ((std::vector<String>{L"Dark", L"Empty", L"Moor", L"Tarn"}), Lines(names));
    m->GetExternalSkinNames(&names, stPacked);
    EXPECT_EQ(1, names.Count());
    m->GetExternalSkinNames(&names, stUnpacked);
    ASSERT_EQ(1, names.Count());
    EXPECT_EQ(L"Tarn", names.Strings(0));
    EXPECT_FALSE(m->GetRandomSkin().empty());

    m->GetSkinSections(&names);
    EXPECT_EQ(0, names.Count());
    m->SetSkinName(L"Moor");
    m->GetSkinSections(&names);
    ASSERT_EQ(9, names.Count());
    EXPECT_EQ(L"GLOBALINFO", names.Strings(0));

    std::wstring out = kvltest::TempDir(L"skinout");
    m->ExtractInternalSkin(L"Moor", out);
    TMemoryStream written;
    written.LoadFromFile(out + L"Moor extracted.vtz");
    EXPECT_EQ(m->InternalSkins()->Items(0)->PackedData->Bytes(), written.Bytes());
    m->ExtractByIndex(1, out);
    EXPECT_FALSE(FileExists(out + L"Empty extracted.vtz"));
    m->ExtractByIndex(0, out + L"made\\deeper");
    EXPECT_TRUE(FileExists(out + L"made\\deeper\\Moor extracted.vtz"));
    EXPECT_TRUE(boxes.Texts().empty());

    m->ExtractInternalSkin(L"Moor", out + L"missing");
    m->ExtractInternalSkin(L"moor", out);
    EXPECT_EQ((std::vector<std::wstring>{L"Directory does not exists.", L"Skin does not exists."}), boxes.Texts());
}

TEST(sSkinManager, SkinVersionNotices)
{
    TSkinDir dir;
    std::string newer = SkinOptions;
    newer.replace(newer.find("VERSION=7.5"), 11, "VERSION=8");
    dir.AddFolder(L"Newer", TestSkin(newer));
    std::string older = SkinOptions;
    older.replace(older.find("VERSION=7.5"), 11, "VERSION=6.5");
    dir.AddFolder(L"Older", TestSkin(older));
    TBoxCatcher boxes;
    auto m = dir.Manager();
    m->SetSkinName(L"Newer");
    ASSERT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ(0u, boxes.Texts()[0].find(L"This version of the skin have not complete support"));
    EXPECT_EQ(L"8", m->SkinInfo());
    // At run time without "/actest" an old skin says nothing.
    m->SetSkinName(L"Older");
    EXPECT_EQ(1u, boxes.Texts().size());
    EXPECT_EQ(L"6.5", m->SkinInfo());
}

namespace {

struct THotProbe {
    HWND H = nullptr;
    std::vector<int> Subs;
};
THotProbe HotA, HotB;

LRESULT CALLBACK HotProbeProc(HWND H, UINT Msg, WPARAM W, LPARAM L)
{
    if (Msg == SM_LUMACMD) (H == HotA.H ? HotA : HotB).Subs.push_back(HIWORD(W));
    return DefWindowProcW(H, Msg, W, L);
}

}  // namespace

TEST(sSkinManager, HotControlHearsOfItself)
{
    WNDCLASSW wc{};
    wc.lpszClassName = L"KvlHotProbe";
    wc.lpfnWndProc = HotProbeProc;
    RegisterClassW(&wc);
    HotA.H = CreateWindowW(L"KvlHotProbe", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    HotB.H = CreateWindowW(L"KvlHotProbe", L"", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    TsSkinManager m(nullptr);
    m.SetActiveControl(HotA.H);
    m.SetActiveControl(HotA.H);
    m.SetActiveControl(HotB.H);
    EXPECT_EQ((std::vector<int>{AC_HOTON, AC_HOTOFF}), HotA.Subs);
    EXPECT_EQ((std::vector<int>{AC_HOTON}), HotB.Subs);
    DestroyWindow(HotA.H);
    DestroyWindow(HotB.H);
}
