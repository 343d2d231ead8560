#include <gtest/gtest.h>

#include <windows.h>

#include "framework/system/StringUtils.h"
#include "tests/support/TestSupport.h"

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

} // namespace

TEST(StringUtils, TrimRemovesBlanksAndControlCharactersOnly)
{
    struct {
        const wchar_t* in;
        const wchar_t* both;
        const wchar_t* left;
        const wchar_t* right;
    } cases[] = {
        {L"", L"", L"", L""},
        {L"   ", L"", L"", L""},
        {L"abc", L"abc", L"abc", L"abc"},
        {L" \t a b \r\n", L"a b", L"a b \r\n", L" \t a b"},
        {L"\x3000x\x3000", L"\x3000x\x3000", L"\x3000x\x3000", L"\x3000x\x3000"},  // ideographic space is text
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.both, Trim(c.in)) << c.in;
        EXPECT_EQ(c.left, TrimLeft(c.in)) << c.in;
        EXPECT_EQ(c.right, TrimRight(c.in)) << c.in;
    }
}

TEST(StringUtils, PlainCaseMappingTouchesAsciiOnlyAnsiMapsEveryLetter)
{
    EXPECT_EQ(L"ABC\u00E4\u672C1", UpperCase(L"aBc\u00E4\u672C1"));
    EXPECT_EQ(L"abc\u00C4", LowerCase(L"ABC\u00C4"));
    EXPECT_EQ(L"ABC\u00C4\u672C1", AnsiUpperCase(L"aBc\u00E4\u672C1"));
    EXPECT_EQ(L"abc\u00E4", AnsiLowerCase(L"ABC\u00C4"));
}

TEST(StringUtils, Comparisons)
{
    struct {
        const wchar_t* a;
        const wchar_t* b;
        int str, text;
    } cases[] = {
        {L"", L"", 0, 0},
        {L"abc", L"abc", 0, 0},
        {L"abc", L"ABC", 1, 0},
        {L"ab", L"abc", -1, -1},
        {L"b", L"a", 1, 1},
        {L"a", L"B", 1, -1},
        {L"\u00E4", L"\u00C4", 1, 1},   // not ASCII: CompareText keeps the case
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.str, Sign(CompareStr(c.a, c.b))) << c.a << L" vs " << c.b;
        EXPECT_EQ(c.text, Sign(CompareText(c.a, c.b))) << c.a << L" vs " << c.b;
        EXPECT_EQ(c.text == 0, SameText(c.a, c.b)) << c.a << L" vs " << c.b;
    }
    // Locale order sorts letters alphabetically before by case, and folds every letter.
    EXPECT_LT(AnsiCompareStr(L"a", L"B"), 0);
    EXPECT_GT(AnsiCompareStr(L"b", L"A"), 0);
    EXPECT_NE(0, AnsiCompareStr(L"a", L"A"));
    EXPECT_EQ(0, AnsiCompareText(L"\u00E4bc", L"\u00C4BC"));
    EXPECT_TRUE(AnsiSameText(L"Stra\u00DFe", L"STRA\u00DFE"));
    EXPECT_FALSE(AnsiSameText(L"abc", L"abd"));
}

TEST(StringUtils, PosAndPosExAreOneBased)
{
    struct {
        const wchar_t* sub;
        const wchar_t* s;
        int offset;
        int expected;
    } cases[] = {
        {L"b", L"abcabc", 1, 2},  {L"bc", L"abcabc", 3, 5}, {L"bc", L"abcabc", 2, 2},
        {L"x", L"abc", 1, 0},     {L"", L"abc", 1, 0},      {L"a", L"", 1, 0},
        {L"c", L"abc", 3, 3},     {L"c", L"abc", 4, 0},     {L"a", L"abc", 0, 0},
        {L"abcd", L"abc", 1, 0},  {L"\u6708", L"\u672C\u6708", 1, 2},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, PosEx(c.sub, c.s, c.offset)) << c.sub << L" in " << c.s << L" @" << c.offset;
    EXPECT_EQ(3, Pos(L"c", L"abc"));
    EXPECT_EQ(0, Pos(L"", L"abc"));
}

TEST(StringUtils, CopyDeleteInsertClampOutOfRangeArguments)
{
    struct {
        int index, count;
        const wchar_t* copied;
        const wchar_t* afterDelete;
    } cases[] = {
        {1, 2, L"ab", L"cde"},  {2, 3, L"bcd", L"ae"},  {4, 10, L"de", L"abc"}, {5, 1, L"e", L"abcd"},
        {6, 1, L"", L"abcde"},  {0, 2, L"ab", L"abcde"}, {-3, 1, L"a", L"abcde"}, {2, 0, L"", L"abcde"},
        {2, -1, L"", L"abcde"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.copied, Copy(L"abcde", c.index, c.count)) << c.index << L"," << c.count;
        String s = L"abcde";
        Delete(s, c.index, c.count);
        EXPECT_EQ(c.afterDelete, s) << c.index << L"," << c.count;
    }
    struct {
        int index;
        const wchar_t* expected;
    } inserts[] = {{1, L"XYabc"}, {2, L"aXYbc"}, {4, L"abcXY"}, {9, L"abcXY"}, {0, L"XYabc"}, {-5, L"XYabc"}};
    for (const auto& c : inserts) {
        String s = L"abc";
        Insert(L"XY", s, c.index);
        EXPECT_EQ(c.expected, s) << c.index;
    }
}

TEST(StringUtils, StringReplace)
{
    struct {
        const wchar_t* s;
        const wchar_t* from;
        const wchar_t* to;
        TReplaceFlags flags;
        const wchar_t* expected;
    } cases[] = {
        {L"a-b-c", L"-", L"+", rfNone, L"a+b-c"},
        {L"a-b-c", L"-", L"+", rfReplaceAll, L"a+b+c"},
        {L"aXbxc", L"x", L"", rfReplaceAll, L"aXbc"},
        {L"aXbxc", L"x", L"_", rfReplaceAll | rfIgnoreCase, L"a_b_c"},
        {L"\u00C4b\u00E4", L"\u00E4", L"ae", rfReplaceAll | rfIgnoreCase, L"aebae"},
        {L"aa", L"a", L"aa", rfReplaceAll, L"aaaa"},   // the replacement is not searched again
        {L"abc", L"", L"x", rfReplaceAll, L"abc"},
        {L"abc", L"abcd", L"x", rfReplaceAll, L"abc"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.expected, StringReplace(c.s, c.from, c.to, c.flags)) << c.s;
}

TEST(StringUtils, QuotingAndDequoting)
{
    EXPECT_EQ(L"'it''s'", QuotedStr(L"it's"));
    EXPECT_EQ(L"''", QuotedStr(L""));
    EXPECT_EQ(L"\"say \"\"hi\"\"\"", AnsiQuotedStr(L"say \"hi\"", L'"'));
    EXPECT_EQ(L"xxx", StringOfChar(L'x', 3));
    EXPECT_EQ(L"", StringOfChar(L'x', -1));

    struct {
        const wchar_t* in;
        const wchar_t* out;
    } cases[] = {
        {L"'abc'", L"abc"}, {L"'it''s'", L"it's"}, {L"abc", L"abc"}, {L"''", L""}, {L"", L""},
        {L"'abc", L"'abc"}, {L"'ab'cd", L"ab"},    {L"''x", L"''x"},
    };
    for (const auto& c : cases) EXPECT_EQ(c.out, AnsiDequotedStr(c.in, L'\'')) << c.in;
    EXPECT_EQ(String(L"abc"), AnsiDequotedStr(QuotedStr(L"abc"), L'\''));
}

TEST(StringUtils, Delimiters)
{
    EXPECT_TRUE(IsDelimiter(L",;", L"a;b", 2));
    EXPECT_FALSE(IsDelimiter(L",;", L"a;b", 1));
    EXPECT_FALSE(IsDelimiter(L",;", L"a;b", 0));
    EXPECT_FALSE(IsDelimiter(L",;", L"a;b", 4));
    EXPECT_EQ(4, LastDelimiter(L"\\.", L"a\\b.c"));
    EXPECT_EQ(0, LastDelimiter(L"\\.", L"abc"));
    EXPECT_EQ(0, LastDelimiter(L"", L"abc"));
}

TEST(StringUtils, FileNameParts)
{
    struct {
        const wchar_t* name;
        const wchar_t* path;
        const wchar_t* dir;
        const wchar_t* file;
        const wchar_t* ext;
        const wchar_t* changed;   // to ".bak"
    } cases[] = {
        {L"C:\\skins\\blue.skn", L"C:\\skins\\", L"C:\\skins", L"blue.skn", L".skn", L"C:\\skins\\blue.bak"},
        {L"C:\\a.b\\readme", L"C:\\a.b\\", L"C:\\a.b", L"readme", L"", L"C:\\a.b\\readme.bak"},
        {L"C:\\file.tar.gz", L"C:\\", L"C:\\", L"file.tar.gz", L".gz", L"C:\\file.tar.bak"},
        {L"C:file.txt", L"C:", L"C:", L"file.txt", L".txt", L"C:file.bak"},
        {L"Z:/tmp/x.png", L"Z:/tmp/", L"Z:/tmp", L"x.png", L".png", L"Z:/tmp/x.bak"},
        {L"name.", L"", L"", L"name.", L".", L"name.bak"},
        {L"", L"", L"", L"", L"", L".bak"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.path, ExtractFilePath(c.name)) << c.name;
        EXPECT_EQ(c.dir, ExtractFileDir(c.name)) << c.name;
        EXPECT_EQ(c.file, ExtractFileName(c.name)) << c.name;
        EXPECT_EQ(c.ext, ExtractFileExt(c.name)) << c.name;
        EXPECT_EQ(c.changed, ChangeFileExt(c.name, L".bak")) << c.name;
    }
    EXPECT_EQ(L"C:\\x\\", IncludeTrailingPathDelimiter(L"C:\\x"));
    EXPECT_EQ(L"C:\\x\\", IncludeTrailingPathDelimiter(L"C:\\x\\"));
    EXPECT_EQ(L"\\", IncludeTrailingPathDelimiter(L""));
    EXPECT_EQ(L"C:\\x", ExcludeTrailingPathDelimiter(L"C:\\x\\"));
    EXPECT_EQ(L"C:\\x", ExcludeTrailingPathDelimiter(L"C:\\x"));
}

TEST(StringUtils, FileAndDirectoryExistTellFilesFromFolders)
{
    String dir = kvltest::TempDir(L"strings-exists");
    String file = dir + L"\u6587\u4EF6.txt";
    HANDLE h = CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);

    EXPECT_TRUE(FileExists(file));
    EXPECT_FALSE(DirectoryExists(file));
    EXPECT_TRUE(DirectoryExists(dir));
    EXPECT_TRUE(DirectoryExists(ExcludeTrailingPathDelimiter(dir)));
    EXPECT_FALSE(FileExists(dir));
    EXPECT_FALSE(FileExists(dir + L"missing.txt"));
    EXPECT_FALSE(DirectoryExists(dir + L"missing"));
    EXPECT_FALSE(FileExists(L""));

    DeleteFileW(file.c_str());
    RemoveDirectoryW(dir.c_str());
}

TEST(StringUtils, EncodingsAtBoundaries)
{
    const String chinese = L"\u672C\u6708\u5171\u5DE5\u4F5C";
    const std::string utf8 = "\xE6\x9C\xAC\xE6\x9C\x88\xE5\x85\xB1\xE5\xB7\xA5\xE4\xBD\x9C";
    EXPECT_EQ(utf8, StringToUtf8(chinese));
    EXPECT_EQ(chinese, Utf8ToString(utf8));
    EXPECT_EQ(String(L"\U0001F600"), Utf8ToString(StringToUtf8(L"\U0001F600")));   // surrogate pair survives
    EXPECT_EQ(L"", Utf8ToString(""));
    EXPECT_EQ("", StringToUtf8(L""));

    EXPECT_EQ(L"caf\u00E9", CodePageToString("caf\xE9", 1252));
    EXPECT_EQ("caf\xE9", StringToCodePage(L"caf\u00E9", 1252));
    EXPECT_EQ(L"Kelvane v2.0", AnsiToString(StringToAnsi(L"Kelvane v2.0")));
}
