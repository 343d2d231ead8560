#include <gtest/gtest.h>

#include <memory>

#include "framework/classes/PropertyRegistry.h"
#include "skin/core/acntUtils.h"
#include "support/TestSupport.h"

// Outside the anonymous namespace: the registry knows classes by their plain names.
class TAcntProbeFont : public TPersistent {};
class TAcntProbe : public TPersistent {
public:
    int Margin = 0;
    uint64_t Anchors = 0;
    TAcntProbeFont Font;
};

namespace {

TEST(acntUtils, WordsRunsOfSeparatorsCountOnce)
{
    const TSysCharSet comma(",");
    EXPECT_EQ(CountWords(L",,a,,b,", comma), 2);
    EXPECT_EQ(NthWordPos(1, L",,a,,b,", comma), 3);
    EXPECT_EQ(NthWordPos(2, L",,a,,b,", comma), 6);
    EXPECT_EQ(NthWordPos(3, L",,a,,b,", comma), 0);
    EXPECT_EQ(CountWordsA(",,a,,b,", comma), 2);
    EXPECT_EQ(NthWordPosA(2, ",,a,,b,", comma), 6);
    EXPECT_EQ(CopyNthWordA(2, ",,a,,b,", comma), "b");
    EXPECT_EQ(CopyNthWordA(3, ",,a,,b,", comma), "");
    EXPECT_EQ(CountWords(L"", comma), 0);
    EXPECT_EQ(CountWords(L",,,", comma), 0);

    const TSysCharSet blanks(" ;");
    EXPECT_EQ(NthWordInt(2, L"7; -42 x", blanks), -42);
    EXPECT_EQ(NthWordInt(3, L"7; -42 x", blanks), 0);   // not a number
    EXPECT_EQ(NthWordInt(4, L"7; -42 x", blanks), 0);   // missing
    EXPECT_EQ(NthWordInt(1, L"99999999999", blanks), 0);   // does not fit
    // Characters above $FF are never separators, though their low byte is in the set.
    EXPECT_EQ(CountWords(L"a\u012Cb\u4E2Cc", TSysCharSet(",")), 1);
}

TEST(acntUtils, TextHelpers)
{
    EXPECT_EQ(SubstituteText(L"aaa", L"aa", L"b"), L"ba");
    EXPECT_EQ(SubstituteText(L"a.b.c", L".", L".."), L"a..b..c");
    EXPECT_EQ(SubstituteText(L"abc", L"", L"x"), L"abc");
    EXPECT_EQ(StripChar(L"a-b--c-", L'-'), L"abc");
    EXPECT_EQ(RepeatCharA('x', 3), "xxx");
    EXPECT_EQ(RepeatCharW(L'\u73ed', 2), L"\u73ed\u73ed");
    EXPECT_EQ(RepeatCharW(L'x', -1), L"");
    EXPECT_TRUE(AllCharsInSet("", TSysCharSet("0123")));
    EXPECT_TRUE(AllCharsInSet("3012", TSysCharSet("0123")));
    EXPECT_FALSE(AllCharsInSet("3014", TSysCharSet("0123")));
}

TEST(acntUtils, NumbersAndRectangles)
{
    EXPECT_EQ(LimitToByte(300), 255);
    EXPECT_EQ(LimitToByte(256), 255);
    EXPECT_EQ(LimitToByte(-4), 0);
    EXPECT_EQ(LimitToByte(255), 255);
    EXPECT_TRUE(ValueBetween(5, 10, 5));
    EXPECT_TRUE(ValueBetween(10, 5, 10));
    EXPECT_FALSE(ValueBetween(11, 10, 5));
    EXPECT_EQ(GreaterOf(-3, 2), 2);
    EXPECT_EQ(LesserOf(-3, 2), -3);
    int a = 1, b = 2;
    SwapInts(a, b);
    EXPECT_EQ(a * 10 + b, 21);
    EXPECT_EQ(PickString(false, L"a", L"b"), L"b");
    EXPECT_EQ(PickInt(true, 1, 2), 1);
    TMessage m = MakeMessage(WM_USER, 2, 3, 4);
    EXPECT_EQ(m.Msg + m.WParam + m.LParam + m.Result, WM_USER + 9u);

    const TRect r{0, 0, 10, 10};
    struct {
        TRect Other;
        bool Overlaps;
    } overlaps[] = {{{10, 0, 20, 10}, false}, {{0, 10, 10, 20}, false}, {{-10, 0, 0, 10}, false},
                    {{0, -5, 10, 0}, false},  {{9, 9, 20, 20}, true},   {{2, 2, 3, 3}, true},
                    {{-5, -5, 20, 20}, true}, {{5, 5, 5, 8}, false}};   // empty
    for (const auto& k : overlaps)
        EXPECT_EQ(RectOverlaps(r, k.Other), k.Overlaps) << k.Other.left << "," << k.Other.top;
    EXPECT_TRUE(RectInsideRect(r, r));
    EXPECT_TRUE(RectInsideRect(r, TRect{10, 10, 10, 10}));
    EXPECT_FALSE(RectInsideRect(r, TRect{1, 1, 11, 5}));
    EXPECT_EQ(RectExtentX(TRect{5, 0, 2, 0}, false), -3);
    EXPECT_EQ(RectExtentX(TRect{5, 0, 2, 0}, true), 0);
    EXPECT_EQ(RectExtentY(TRect{0, 2, 0, 9}, true), 7);
}

TEST(acntUtils, IncludeTrailingSlash)
{
    struct {
        const wchar_t *In, *Out;
    } cases[] = {{L"", L""},           {L"c", L"c:\\"},        {L"c:\\Skins\\", L"c:\\Skins\\"},
                 {L"c:/Skins/", L"c:/Skins\\"}, {L"/", L"\\"}, {L"c:\\Skins", L"c:\\Skins\\"}};
    for (const auto& k : cases) EXPECT_EQ(IncludeTrailingSlash(k.In), k.Out) << k.In;
}

TEST(acntUtils, IniTextSectionsAndValues)
{
    TStringList lines;
    lines.SetText(L"Orphan=1\r\n[GLOBAL]\r\n; comment\r\n\r\nVersion=0x1F\r\nName=Blue=Sky\r\nBad=x\r\n"
                  L"Neg=-12\r\n[BUTTON]\r\nFontColor=0X00ff\r\nShort=0x\r\n");
    TStringList sections;
    ParseIniText(&lines, &sections);
    ASSERT_EQ(sections.Count(), 2);
    EXPECT_EQ(sections[0], L"GLOBAL");
    auto* global = dynamic_cast<TStringList*>(sections.Objects(0));
    ASSERT_NE(global, nullptr);
    EXPECT_EQ(global->Count(), 4);   // comments, blank lines and lines before a section are dropped

    String value;
    IniTextValue(&sections, &lines, L"GLOBAL", value, L"none", L"Name");
    EXPECT_EQ(value, L"Blue=Sky");
    IniTextValue(&sections, &lines, L"GLOBAL", value, L"none", L"Missing");
    EXPECT_EQ(value, L"none");
    IniTextValue(&sections, &lines, L"EDIT", value, L"none", L"Name");
    EXPECT_EQ(value, L"none");

    struct {
        const wchar_t *Section, *Key;
        int Expected;
    } ints[] = {{L"GLOBAL", L"Version", 31}, {L"GLOBAL", L"Bad", 5},      {L"GLOBAL", L"Neg", -12},
                {L"BUTTON", L"FontColor", 255}, {L"BUTTON", L"Short", 5}, {L"BUTTON", L"Missing", 5}};
    for (const auto& k : ints) EXPECT_EQ(IniTextInt(&sections, &lines, k.Section, 5, k.Key), k.Expected) << k.Key;

    for (int i = 0; i < sections.Count(); ++i) delete sections.Objects(i);
}

TEST(acntUtils, PublishedPropertiesByName)
{
    RegisterEnumType(L"TAcntProbeAnchor", {L"akLeft", L"akTop", L"akRight", L"akBottom", L"akTopmost"});
    RegisterPublishedClass<TAcntProbe>(L"TAcntProbe", L"")
        .Integer(L"Margin", [](TAcntProbe* p, int64_t v) { p->Margin = static_cast<int>(v); })
        .Set(L"Anchors", L"TAcntProbeAnchor", [](TAcntProbe* p, uint64_t v) { p->Anchors = v; })
        .Object(L"Font", L"TAcntProbeFont", [](TAcntProbe* p) { return &p->Font; });
    RegisterOrdinalReader(L"TAcntProbe", L"Margin", [](TObject* o) { return static_cast<TAcntProbe*>(o)->Margin; });
    RegisterOrdinalReader(L"TAcntProbe", L"Anchors",
                          [](TObject* o) { return static_cast<int64_t>(static_cast<TAcntProbe*>(o)->Anchors); });
    TAcntProbe probe;
    EXPECT_TRUE(HasPublishedProp(&probe, L"Margin"));
    EXPECT_FALSE(HasPublishedProp(&probe, L"Padding"));
    EXPECT_FALSE(HasPublishedProp(nullptr, L"Margin"));
    EXPECT_EQ(ReadObjectProp(&probe, L"Font"), &probe.Font);
    EXPECT_EQ(ReadObjectProp(&probe, L"Margin"), nullptr);
    EXPECT_EQ(ReadObjectProp(&probe, L"Padding"), nullptr);
    WriteOrdProp(&probe, L"Margin", 12);
    WriteOrdProp(&probe, L"Padding", 99);
    EXPECT_EQ(probe.Margin, 12);
    EXPECT_EQ(ReadOrdProp(&probe, L"Margin"), 12);
    EXPECT_EQ(ReadOrdProp(&probe, L"Padding"), -1);
    EXPECT_EQ(ReadOrdProp(&probe, L"Font"), -1);

    // Set elements by name; a name inside a longer one ("akTop" in "akTopmost") is another element.
    probe.Anchors = 1u << 4;
    EXPECT_FALSE(SetPropContains(&probe, L"Anchors", L"akTop"));
    EXPECT_TRUE(SetPropContains(&probe, L"Anchors", L"akTopmost"));
    ChangeSetPropElement(&probe, L"Anchors", L"akTop", true);
    ChangeSetPropElement(&probe, L"Anchors", L"akRight", true);
    EXPECT_EQ(probe.Anchors, (1u << 4) | (1u << 1) | (1u << 2));
    ChangeSetPropElement(&probe, L"Anchors", L"akTop", false);
    ChangeSetPropElement(&probe, L"Anchors", L"akBottom", false);
    ChangeSetPropElement(&probe, L"Anchors", L"akNowhere", true);
    ChangeSetPropElement(&probe, L"Margin", L"akTop", true);
    EXPECT_EQ(probe.Anchors, (1u << 4) | (1u << 2));
    EXPECT_EQ(probe.Margin, 12);
    EXPECT_FALSE(SetPropContains(&probe, L"Margin", L"akTop"));
    EXPECT_FALSE(SetPropContains(&probe, L"Padding", L"akTop"));
}

TEST(acntUtils, MakeCacheInfoAndTheEmptyRecord)
{
    TCacheInfo ci = MakeCacheInfo(nullptr, 3, -4);
    EXPECT_EQ(ci.X, 3);
    EXPECT_EQ(ci.Y, -4);
    EXPECT_EQ(ci.FillColor, 0xFF00FF);
    EXPECT_TRUE(ci.Ready);
    EXPECT_EQ(EmptyCI.X, -99);
    EXPECT_FALSE(EmptyCI.Ready);
}

TEST(acntUtils, DirectorySearchSkipsWhatItWasNotAskedFor)
{
    std::wstring dir = kvltest::TempDir(L"acnt");
    CloseHandle(CreateFileW((dir + L"\\a.bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    CloseHandle(CreateFileW((dir + L"\\h.bmp").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_HIDDEN, nullptr));
    CreateDirectoryW((dir + L"\\sub.bmp").c_str(), nullptr);
    auto names = [&](int attr) {
        std::wstring found;
        TSearchRec f;
        for (int r = FindFirstFile(dir + L"\\*.bmp", attr, f); r == 0; r = FindNextFile(f)) found += f.Name + L";";
        FindCloseFile(f);
        return found;
    };
    EXPECT_EQ(names(faArchive), L"a.bmp;");
    EXPECT_EQ(names(faAnyFile).size(), std::wstring(L"a.bmp;h.bmp;sub.bmp;").size());
    TSearchRec none;
    EXPECT_NE(FindFirstFile(dir + L"\\*.png", faAnyFile, none), 0);
    EXPECT_EQ(ProgramFolder(), kvltest::ExeDir());
    EXPECT_EQ(FileIcon(dir + L"\\missing.bmp", 0), nullptr);
    kvltest::RemoveFolder(dir);
}

TEST(acntUtils, SystemSettings)
{
    EXPECT_NE(CaptionFontHeight(), 0);
    HFONT font = MakeCaptionFont();
    EXPECT_NE(font, nullptr);
    DeleteObject(font);
    EXPECT_FALSE(IsWow64());   // the tests run as 64-bit code
    EXPECT_FALSE(Wow64NoComposition());
    // Wine keeps no animation setting, so only the query is exercised here.
    bool was = WindowAnimationOn();
    SetWindowAnimation(was);
}

// The box closes itself once it shows; the hook records its caption and buttons.
TEST(acntUtils, WarningAndErrorBoxes)
{
    static std::wstring seen;
    HHOOK hook = SetWindowsHookExW(
        WH_CBT,
        [](int code, WPARAM w, LPARAM l) -> LRESULT {
            if (code == HCBT_ACTIVATE) {
                HWND box = reinterpret_cast<HWND>(w);
                wchar_t cls[16] = {};
                GetClassNameW(box, cls, 16);
                if (std::wstring(cls) != L"#32770") return CallNextHookEx(nullptr, code, w, l);
                wchar_t caption[64] = {};
                GetWindowTextW(box, caption, 64);
                seen += caption;
                seen += GetDlgItem(box, IDCANCEL) ? L"+cancel;" : L";";
                PostMessageW(box, WM_COMMAND, IDOK, 0);
            }
            return CallNextHookEx(nullptr, code, w, l);
        },
        nullptr, GetCurrentThreadId());
    ShowWarningBox(L"careful");
    ShowErrorBox(L"broken");
    UnhookWindowsHookEx(hook);
    EXPECT_EQ(seen, L"Warning;Error;");
}

} // namespace
