// How a skin reaches the forms: the skinned-form list, each form hearing of a new skin once, the
// announcement held back while the manager is read, the hook only the default manager installs,
// and the skin editor's preview link with its bounds.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstring>
#include <string>

#include "TestSkins.h"
#include "framework/controls/Forms.h"
#include "framework/system/StringUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"

namespace {

using namespace testskins;

const std::string Options = "[GLOBALINFO]\r\nVERSION=7.5\r\nMASTERBITMAP=MASTER.BMP\r\nCOLOR=$00C0C0C0\r\n"
                            "FONTCOLOR=$00101010\r\n[FORM]\r\nCOLOR=$00A0A0A0\r\n";

// A form that counts the skin sub-commands it hears, and may claim to be skinned by a provider.
class TListeningForm : public TForm {
public:
    explicit TListeningForm(bool Skinned) : TForm(Application), FSkinned(Skinned) { AfterConstruction(); }
    bool AnimatingAtReskin = false;
    int Heard(int Sub) const { return static_cast<int>(std::count(FSubs.begin(), FSubs.end(), Sub)); }
    void WndProc(TMessage& M) override
    {
        if (M.Msg == SM_LUMACMD) {
            FSubs.push_back(SkinCmdSub(M.WParam));
            if (SkinCmdSub(M.WParam) == AC_QUERYSKINNED) M.Result = FSkinned ? 1 : 0;
            if (SkinCmdSub(M.WParam) == AC_RESKIN) AnimatingAtReskin = FormAnimating;
            return;
        }
        TForm::WndProc(M);
    }

private:
    bool FSkinned;
    std::vector<int> FSubs;
};

struct TSkinFolder {
    std::wstring Dir = kvltest::TempDir(L"skinbroadcast");
    TSkinFolder()
    {
        CreateDirectoryW((Dir + L"Plain").c_str(), nullptr);
        TTestSkin(Options, {{"MASTER.BMP", BmpBytes(40, 20)}}).WriteTo(Dir + L"Plain\\");
    }
    std::unique_ptr<TsSkinManager> Manager() const
    {
        auto m = std::make_unique<TsSkinManager>(nullptr);
        m->SetSkinDirectory(ExcludeTrailingPathDelimiter(Dir));
        return m;
    }
};

TEST(SkinBroadcast, UnregisteringAFormPutsTheLastInItsPlace)
{
    auto* a = reinterpret_cast<TCustomForm*>(0x10);
    auto* b = reinterpret_cast<TCustomForm*>(0x20);
    auto* c = reinterpret_cast<TCustomForm*>(0x30);
    for (TCustomForm* f : {a, b, c}) RegisterSkinnedForm(f);
    UnregisterSkinnedForm(b);
    EXPECT_EQ(SkinnedForms(), (std::vector<TCustomForm*>{a, c}));
    UnregisterSkinnedForm(a);
    UnregisterSkinnedForm(c);
    EXPECT_TRUE(SkinnedForms().empty());
}

TEST(SkinBroadcast, EveryFormHearsOfANewSkinOnceAndOfItsRemoval)
{
    TSkinFolder folder;
    auto plain = std::make_unique<TListeningForm>(false);
    auto skinned = std::make_unique<TListeningForm>(true);
    RegisterSkinnedForm(skinned.get());
    {
        auto manager = folder.Manager();
        manager->SetSkinName(L"Plain");
        ASSERT_TRUE(manager->SkinData.Active);
        EXPECT_EQ(plain->Heard(AC_SKINLOADED), 1);
        EXPECT_EQ(skinned->Heard(AC_SKINLOADED), 1);
        EXPECT_EQ(skinned->Heard(AC_RESKIN), 1);
        // The forms were held for the skin-change animation and are free again.
        EXPECT_FALSE(FormAnimating);
    }
    // A manager freed while forms are skinned takes its skin away from them.
    EXPECT_EQ(plain->Heard(AC_SKINUNLOADED), 1);
    EXPECT_EQ(skinned->Heard(AC_SKINUNLOADED), 1);
    UnregisterSkinnedForm(skinned.get());
}

TEST(SkinBroadcast, ASkinNameThatFindsNothingTakesTheSkinAwayFromTheForms)
{
    TSkinFolder folder;
    auto form = std::make_unique<TListeningForm>(false);
    auto manager = folder.Manager();
    manager->SetSkinName(L"Plain");
    ASSERT_TRUE(manager->SkinData.Active);
    manager->SetSkinName(L"Missing");
    EXPECT_FALSE(manager->Active());
    EXPECT_FALSE(manager->SkinData.Active);
    EXPECT_EQ(form->Heard(AC_SKINUNLOADED), 1);
    // Nothing is left to lose: freeing the manager says nothing more.
    manager.reset();
    EXPECT_EQ(form->Heard(AC_SKINUNLOADED), 1);
}

TEST(SkinBroadcast, EndUpdateRepaintsWithTheSkinChangeAnimationOnlyWhenAllowed)
{
    TSkinFolder folder;
    auto form = std::make_unique<TListeningForm>(false);
    auto manager = folder.Manager();
    ASSERT_TRUE(manager->IsDefault());
    ASSERT_TRUE(manager->AnimEffects()->SkinChanging()->Active());
    manager->BeginUpdate();
    manager->SetSkinName(L"Plain");
    EXPECT_EQ(form->Heard(AC_SKINLOADED), 0);
    for (bool allowed : {false, true}) {
        manager->EndUpdate(true, allowed);
        EXPECT_EQ(form->AnimatingAtReskin, allowed);
        EXPECT_TRUE(manager->AnimEffects()->SkinChanging()->Active());
        EXPECT_FALSE(FormAnimating);
    }
}

TEST(SkinBroadcast, AManagerBeingReadAnnouncesItsSkinOnceWhenLoaded)
{
    TSkinFolder folder;
    auto form = std::make_unique<TListeningForm>(false);
    auto manager = folder.Manager();
    manager->SetLoading(true);
    manager->SetSkinName(L"Plain");
    EXPECT_EQ(form->Heard(AC_SKINLOADED), 0);
    manager->Loaded();
    EXPECT_EQ(form->Heard(AC_SKINLOADED), 1);
}

TEST(SkinBroadcast, OnlyTheDefaultManagerHooksAndItsHookGoesWithItsSkin)
{
    TSkinFolder folder;
    auto first = folder.Manager();
    auto second = folder.Manager();
    ASSERT_TRUE(first->IsDefault());
    second->SetSkinName(L"Plain");
    EXPECT_FALSE(second->GlobalHookInstalled);
    EXPECT_EQ(SkinHookHandle(), nullptr);
    first->SetSkinName(L"Plain");
    EXPECT_TRUE(first->GlobalHookInstalled);
    EXPECT_NE(SkinHookHandle(), nullptr);
    first->SetActive(false);
    EXPECT_FALSE(first->GlobalHookInstalled);
    EXPECT_EQ(SkinHookHandle(), nullptr);
}

// The editor's record: command, name, directory, options text.
std::vector<std::uint8_t> EditorBlock(std::uint32_t Command, const std::string& Name, const std::string& Dir,
                                      const std::string& Text, size_t Size = 30646)
{
    std::vector<std::uint8_t> block(Size, 0);
    auto put = [&](size_t At, const std::string& S, size_t Room) {
        if (At < Size) std::memcpy(block.data() + At, S.data(), std::min({S.size(), Room, Size - At}));
    };
    if (Size >= 4) std::memcpy(block.data(), &Command, 4);
    put(4, Name, 128);
    put(132, Dir, 513);
    put(645, Text, 30001);
    return block;
}

LRESULT SendEditorBlock(TsSkinManager* Manager, WPARAM WParam, std::vector<std::uint8_t>& Block)
{
    COPYDATASTRUCT copy{0, static_cast<DWORD>(Block.size()), Block.data()};
    TMessage m{WM_COPYDATA, WParam, reinterpret_cast<LPARAM>(&copy), 0};
    LoadSkinFromEditor(m, Manager);
    return m.Result;
}

TEST(SkinBroadcast, EditorPreviewLinkSetsTheSkinOnlyFromAWholeRecord)
{
    TSkinFolder folder;
    auto manager = folder.Manager();
    const std::string dir = StringToAnsi(ExcludeTrailingPathDelimiter(folder.Dir));
    // The editor's text names no images, so any name loads from it.
    const std::string text = "[GLOBALINFO]\r\nVERSION=7.5\r\nCOLOR=$00123456\r\n";

    auto good = EditorBlock(0xA400, "Plain", dir, text);
    EXPECT_EQ(SendEditorBlock(manager.get(), 3, good), 0);
    EXPECT_FALSE(manager->SkinData.Active);
    auto wrong = EditorBlock(0xA401, "Plain", dir, text);
    EXPECT_EQ(SendEditorBlock(manager.get(), 7, wrong), 0);
    // A block shorter than the record is not read at all.
    auto shortBlock = EditorBlock(0xA400, "Plain", dir, text, 700);
    EXPECT_EQ(SendEditorBlock(manager.get(), 7, shortBlock), 0);
    EXPECT_FALSE(manager->SkinData.Active);

    // A name filling its whole field ends at the field's end, not in the directory after it.
    auto full = EditorBlock(0xA400, std::string(128, 'N'), dir, text);
    EXPECT_EQ(SendEditorBlock(manager.get(), 7, full), 1);
    EXPECT_EQ(manager->SkinName().size(), 128u);

    EXPECT_EQ(SendEditorBlock(manager.get(), 7, good), 1);
    EXPECT_EQ(manager->SkinName(), L"Plain");
    ASSERT_TRUE(manager->SkinData.Active);
    // The editor's text, not the folder's file.
    int global = manager->GetSkinIndex(L"GLOBALINFO");
    ASSERT_GE(global, 0);
    EXPECT_EQ(manager->gd[global].Color, TColor(0x00123456));
}

} // namespace
