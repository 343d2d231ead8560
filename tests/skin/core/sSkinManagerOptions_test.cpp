#include <gtest/gtest.h>

#include "framework/classes/FormReader.h"
#include "skin/core/sSkinManager.h"

namespace {

// Reads a manager from a description; the manager is the root, so its own properties apply.
std::unique_ptr<TsSkinManager> ReadManager(const String& Body)
{
    RegisterSkinManagerClasses();
    auto m = std::make_unique<TsSkinManager>(nullptr);
    ReadComponentFromText(m.get(), L"object sSkinManager1: TsSkinManager\n" + Body + L"end\n", L"Skin.form");
    return m;
}

std::vector<String> Lines(const TStringList& List)
{
    std::vector<String> out;
    for (int i = 0; i < List.Count(); ++i) out.push_back(List.Strings(i));
    return out;
}

} // namespace

TEST(sSkinManagerOptions, NewManagerHoldsTheDocumentedDefaults)
{
    TsSkinManager m(nullptr);
    EXPECT_EQ((TacSkinningRules{srStdForms, srStdDialogs, srThirdParty}), m.SkinningRules());
    EXPECT_TRUE(m.Active());
    EXPECT_EQ(L"c:\\Skins", m.SkinDirectory());
    EXPECT_EQ(L"N/A", m.SkinInfo());
    EXPECT_EQ(L"7.42", m.Version());
    EXPECT_EQ(-1, m.SkinableMenus()->FSkinBorderWidth);
    EXPECT_EQ(&m, m.SkinableMenus()->Owner());
    EXPECT_TRUE(m.Effects()->StoredAllowGlowing());
    EXPECT_EQ(&m, m.Effects()->Manager);
    TacAnimEffects* a = m.AnimEffects();
    EXPECT_EQ(&m, a->Manager);
    EXPECT_EQ((TacBtnEvents{beMouseEnter, beMouseLeave, beMouseDown, beMouseUp}), a->Buttons()->Events());
    struct Case { const char* Name; TacFormAnimation* Anim; bool Active; int Time; TacAnimType Mode; } cases[] = {
        {"DialogShow", a->DialogShow(), true, 0, atAero},     {"FormShow", a->FormShow(), true, 0, atAero},
        {"FormHide", a->FormHide(), true, 0, atAero},         {"DialogHide", a->DialogHide(), true, 0, atAero},
        {"SkinChanging", a->SkinChanging(), true, 100, atFading}, {"PageChange", a->PageChange(), true, 0, atAero},
        {"Minimizing", a->Minimizing(), true, 200, atAero},   {"BlendOnMoving", a->BlendOnMoving(), false, 1000, atAero},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.Active, c.Anim->Active()) << c.Name;
        EXPECT_EQ(c.Time, c.Anim->Time()) << c.Name;
        EXPECT_EQ(c.Mode, c.Anim->Mode()) << c.Name;
    }
    EXPECT_NE(static_cast<TacFormAnimation*>(a->FormHide()), a->DialogHide());
    EXPECT_EQ(170, a->BlendOnMoving()->BlendValue());

    EXPECT_EQ(L"", m.MenuSupport()->IcoLineSkin());
    EXPECT_FALSE(m.MenuSupport()->UseExtraLine());
    EXPECT_EQ(32, m.MenuSupport()->ExtraLineWidth());
    EXPECT_NE(nullptr, m.MenuSupport()->ExtraLineFont());
    EXPECT_TRUE(m.CommonSections()->CaseSensitive());
    EXPECT_EQ(0, m.InternalSkins()->Count());
    EXPECT_EQ(&m, m.InternalSkins()->GetOwner());

    TsStoredSkin* s = m.InternalSkins()->Add();
    EXPECT_EQ(-1, s->Shadow1Blur());
    EXPECT_EQ(0xFF00FFu, s->BorderColor());
    EXPECT_EQ(0, s->PackedData->Size());
    EXPECT_TRUE(s->MasterBitmap()->Empty());

    // Every third-party kind starts filled from its default.
    EXPECT_EQ((std::vector<String>{L"TEdit", L"TMemo", L"TMaskEdit", L"TLabeledEdit", L"THotKey", L"TListBox", L"TCheckListBox",
                                   L"TRichEdit", L"TDateTimePicker"}),
              Lines(*m.ThirdLists[0]));
    EXPECT_EQ(std::vector<String>{L"TPanel"}, Lines(*m.ThirdLists[8]));
    EXPECT_EQ(std::vector<String>{L" "}, Lines(*m.ThirdLists[10]));
    EXPECT_EQ(L"Edit", ThirdPartyList::DisplayName(0));
    EXPECT_EQ(L"SpeedButton", ThirdPartyList::DisplayName(17));
    EXPECT_EQ(L"TSpeedButton", m.ThirdParty()->ThirdSpeedButton());
}

TEST(sSkinManagerOptions, AllowGlowingNeedsTheStoredFlag)
{
    TsSkinManager m(nullptr);
    // Wine offers layered windows and this is a 64-bit process: the stored flag decides.
    EXPECT_TRUE(m.AllowGlowing());
    m.Effects()->SetAllowGlowing(false);
    EXPECT_FALSE(m.AllowGlowing());
}

TEST(sSkinManagerOptions, ThirdPartyListsFillFromTheFormAndASpaceMatchesNothing)
{
    auto m = ReadManager(L"  ThirdParty.ThirdEdits = ' '\n"
                         L"  ThirdParty.ThirdButtons = 'TButton'\n"
                         L"  ThirdParty.ThirdPanels = ''\n"
                         L"  ThirdParty.ThirdGrids = 'TMyGrid'#13#10'TOtherGrid'\n");
    EXPECT_EQ(std::vector<String>{L" "}, Lines(*m->ThirdLists[0]));
    EXPECT_EQ(-1, m->ThirdLists[0]->IndexOf(L"TEdit"));
    EXPECT_EQ(-1, m->ThirdLists[0]->IndexOf(L""));
    EXPECT_EQ(std::vector<String>{L"TButton"}, Lines(*m->ThirdLists[1]));
    EXPECT_EQ(L"TPanel", m->ThirdParty()->ThirdPanels());
    EXPECT_EQ(std::vector<String>{L"TPanel"}, Lines(*m->ThirdLists[8]));
    EXPECT_EQ((std::vector<String>{L"TMyGrid", L"TOtherGrid"}), Lines(*m->ThirdLists[5]));
    // The lists are case-sensitive, as class names are.
    EXPECT_EQ(-1, m->ThirdLists[5]->IndexOf(L"tmygrid"));

    // A reset brings every default back; storing writes the lists back to the texts.
    m->FillThirdLists(true);
    EXPECT_EQ(9, m->ThirdLists[0]->Count());
    m->ThirdLists[1]->Add(L"TMyButton");
    m->StoreThirdLists();
    EXPECT_EQ(L"TButton\r\nTMyButton\r\n", m->ThirdParty()->ThirdButtons());

    ThirdPartyList t;
    t.SetItems(18, L"x");
    t.SetItems(-1, L"x");
    EXPECT_EQ(L"", t.Items(18));
    EXPECT_EQ(L"", t.Items(-1));
    t.SetItems(3, L"TCheckBox");
    EXPECT_EQ(L"TCheckBox", t.ThirdCheckBoxes());
}

TEST(sSkinManagerOptions, OptionsAndStoredSkinsStreamWithTheForm)
{
    auto m = ReadManager(L"  Effects.AllowGlowing = False\n"
                         L"  SkinningRules = [srStdForms, srThirdParty]\n"
                         L"  AnimEffects.Buttons.Events = [beMouseDown]\n"
                         L"  AnimEffects.SkinChanging.Time = 250\n"
                         L"  AnimEffects.SkinChanging.Mode = atAero\n"
                         L"  AnimEffects.DialogHide.Active = False\n"
                         L"  AnimEffects.BlendOnMoving.BlendValue = 200\n"
                         L"  AnimEffects.BlendOnMoving.Active = True\n"
                         L"  MenuSupport.ExtraLineWidth = 40\n"
                         L"  MenuSupport.UseExtraLine = True\n"
                         L"  CommonSections.Strings = (\n"
                         L"    '[MY SECTION]'\n"
                         L"    'Color = 255'\n"
                         L"    '; keep  these spaces')\n"
                         L"  InternalSkins = <\n"
                         L"    item\n"
                         L"      Name = 'Tarn'\n"
                         L"      Version = 7.5\n"
                         L"      Author = 'Kelvane'\n"
                         L"      Shadow1Blur = 3\n"
                         L"      BorderColor = clRed\n"
                         L"      Data = {565A7A66}\n"
                         L"    end\n"
                         L"    item\n"
                         L"      Name = 'Dark'\n"
                         L"    end>\n");
    EXPECT_FALSE(m->Effects()->StoredAllowGlowing());
    EXPECT_EQ((TacSkinningRules{srStdForms, srThirdParty}), m->SkinningRules());
    EXPECT_EQ(TacBtnEvents{beMouseDown}, m->AnimEffects()->Buttons()->Events());
    EXPECT_EQ(250, m->AnimEffects()->SkinChanging()->Time());
    EXPECT_EQ(atAero, m->AnimEffects()->SkinChanging()->Mode());
    EXPECT_FALSE(m->AnimEffects()->DialogHide()->Active());
    EXPECT_TRUE(m->AnimEffects()->FormHide()->Active());
    EXPECT_EQ(200, m->AnimEffects()->BlendOnMoving()->BlendValue());
    EXPECT_TRUE(m->AnimEffects()->BlendOnMoving()->Active());
    EXPECT_EQ(40, m->MenuSupport()->ExtraLineWidth());
    EXPECT_TRUE(m->MenuSupport()->UseExtraLine());
    // Left empty, the icon column's section is named when loading ends.
    EXPECT_EQ(L"ICOLINE", m->MenuSupport()->IcoLineSkin());
    EXPECT_EQ((std::vector<String>{L"[MYSECTION]", L"Color=255", L"; keep  these spaces"}), Lines(*m->CommonSections()));

    TsStoredSkins* skins = m->InternalSkins();
    ASSERT_EQ(2, skins->Count());
    TsStoredSkin* tarn = skins->Items(0);
    EXPECT_EQ(L"Tarn", tarn->Name());
    EXPECT_DOUBLE_EQ(7.5, tarn->Version());
    EXPECT_EQ(L"Kelvane", tarn->Author());
    EXPECT_EQ(3, tarn->Shadow1Blur());
    EXPECT_EQ(0x0000FFu, tarn->BorderColor());
    EXPECT_EQ((std::vector<uint8_t>{'V', 'Z', 'z', 'f'}), tarn->PackedData->Bytes());
    TMemoryStream written;
    tarn->WriteData(&written);
    EXPECT_EQ(tarn->PackedData->Bytes(), written.Bytes());

    // Names are found exactly.
    EXPECT_EQ(0, skins->IndexOf(L"Tarn"));
    EXPECT_EQ(1, skins->IndexOf(L"Dark"));
    EXPECT_EQ(-1, skins->IndexOf(L"tarn"));
    EXPECT_EQ(-1, skins->IndexOf(L"Tarn "));
    EXPECT_EQ(-1, skins->IndexOf(L""));

    // A stored skin copies another whole; the collection itself ignores assignments.
    TsStoredSkin* dark = skins->Items(1);
    dark->Assign(tarn);
    EXPECT_EQ(L"Tarn", dark->Name());
    EXPECT_EQ(3, dark->Shadow1Blur());
    EXPECT_EQ(0x0000FFu, dark->BorderColor());
    EXPECT_EQ(tarn->PackedData->Bytes(), dark->PackedData->Bytes());
    EXPECT_THROW(dark->Assign(m->Effects()), EConvertError);
    TsStoredSkins other(nullptr);
    skins->Assign(&other);
    EXPECT_EQ(2, skins->Count());
}

TEST(sSkinManagerOptions, AnimationsPublishOnlyTheirOwnProperties)
{
    // The page-change and minimizing animations have no mode; blending while moving has a value.
    EXPECT_THROW(ReadManager(L"  AnimEffects.PageChange.Mode = atFading\n"), EReadError);
    EXPECT_THROW(ReadManager(L"  AnimEffects.Minimizing.Mode = atFading\n"), EReadError);
    EXPECT_THROW(ReadManager(L"  AnimEffects.FormShow.BlendValue = 3\n"), EReadError);
    auto m = ReadManager(L"  AnimEffects.PageChange.Time = 30\n  AnimEffects.Minimizing.Active = False\n");
    EXPECT_EQ(30, m->AnimEffects()->PageChange()->Time());
    EXPECT_FALSE(m->AnimEffects()->Minimizing()->Active());
}
