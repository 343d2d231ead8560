#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "framework/classes/Streams.h"
#include "framework/classes/StringList.h"
#include "framework/system/StringUtils.h"
#include "tests/support/TestSupport.h"

namespace {

using Lines = std::vector<String>;

void Fill(TStrings& list, const Lines& lines)
{
    for (const String& s : lines) list.Add(s);
}

template <typename E>
void ExpectError(const std::function<void()>& call, const String& message, const char* what)
{
    try {
        call();
        ADD_FAILURE() << what << ": no exception";
    } catch (const E& e) {
        EXPECT_EQ(message, e.Message()) << what;
    }
}

std::string ReadBytes(const std::wstring& path)
{
    TMemoryStream m;
    m.LoadFromFile(path);
    return std::string(static_cast<const char*>(m.Memory()), static_cast<size_t>(m.Size()));
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    TFileStream f(path, fmCreate);
    f.WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

class TCounted : public TObject {
public:
    explicit TCounted(int& alive) : FAlive(alive) { ++FAlive; }
    ~TCounted() override { --FAlive; }

private:
    int& FAlive;
};

// Records the change events of a list as a string: "<" for OnChanging, ">" for OnChange.
struct TEventLog {
    String Log;
    explicit TEventLog(TStringList& list)
    {
        list.OnChanging = [this](TObject*) { Log += L"<"; };
        list.OnChange = [this](TObject*) { Log += L">"; };
    }
};

const String Chinese = L"\x672C\x6708\x5171\x5DE5\x4F5C"; // 本月共工作

} // namespace

TEST(StringList, IndexErrorsNameTheIndex)
{
    TStringList list;
    Fill(list, {L"a", L"b"});
    ExpectError<EStringListError>([&] { list.Get(2); }, L"List index out of bounds (2)", "Get");
    ExpectError<EStringListError>([&] { list.Put(-1, L"x"); }, L"List index out of bounds (-1)", "Put");
    ExpectError<EStringListError>([&] { list.Delete(5); }, L"List index out of bounds (5)", "Delete");
    ExpectError<EStringListError>([&] { list.Insert(3, L"x"); }, L"List index out of bounds (3)", "Insert");
    ExpectError<EStringListError>([&] { list.Objects(2); }, L"List index out of bounds (2)", "Objects");
    ExpectError<EStringListError>([&] { list.Exchange(0, 2); }, L"List index out of bounds (2)", "Exchange");
    list.Insert(2, L"c"); // one past the end appends
    list.Move(2, 0);
    EXPECT_EQ((Lines{L"c", L"a", L"b"}), list.ToVector());
}

TEST(StringList, LookupsIgnoreCaseUnlessCaseSensitive)
{
    TStringList list;
    TObject marker;
    Fill(list, {L"Alpha", L"beta=2", L"Gamma=3"});
    list.SetObjects(2, &marker);
    EXPECT_EQ(0, list.IndexOf(L"ALPHA"));
    EXPECT_EQ(-1, list.IndexOf(L"Alph"));
    EXPECT_EQ(1, list.IndexOfName(L"BETA"));
    EXPECT_EQ(-1, list.IndexOfName(L"Alpha")); // no separator, so no name
    EXPECT_EQ(2, list.IndexOfObject(&marker));

    list.SetCaseSensitive(true);
    EXPECT_EQ(-1, list.IndexOf(L"ALPHA"));
    EXPECT_EQ(0, list.IndexOf(L"Alpha"));
    EXPECT_EQ(-1, list.IndexOfName(L"BETA"));
}

TEST(StringList, SortedListsInsertInOrderAndRefusePositionalEdits)
{
    TStringList list;
    list.SetSorted(true);
    Fill(list, {L"pear", L"Apple", L"fig", L"banana"});
    EXPECT_EQ((Lines{L"Apple", L"banana", L"fig", L"pear"}), list.ToVector());
    EXPECT_EQ(2, list.IndexOf(L"FIG"));
    int at = -1;
    EXPECT_FALSE(list.Find(L"cherry", at));
    EXPECT_EQ(2, at);

    ExpectError<EStringListError>([&] { list.Insert(0, L"x"); }, L"Operation not allowed on sorted list", "Insert");
    ExpectError<EStringListError>([&] { list.Put(0, L"x"); }, L"Operation not allowed on sorted list", "Put");
    ExpectError<EStringListError>([&] { list.Move(0, 1); }, L"Operation not allowed on sorted list", "Move");
    EXPECT_EQ(4, list.Count());

    // Duplicates are judged by the list's comparison, which ignores case here.
    EXPECT_EQ(dupIgnore, list.Duplicates());
    EXPECT_EQ(1, list.Add(L"BANANA"));
    EXPECT_EQ(4, list.Count());
    EXPECT_EQ(L"banana", list[1]);
    list.SetDuplicates(dupError);
    ExpectError<EStringListError>([&] { list.Add(L"Pear"); }, L"String list does not allow duplicates", "dupError");
    EXPECT_EQ(4, list.Count());
    list.SetDuplicates(dupAccept);
    list.Add(L"Fig");
    EXPECT_EQ(5, list.Count());
    EXPECT_TRUE(list.Find(L"fig", at));
    EXPECT_EQ(2, at); // the first of the equal ones

    list.SetCaseSensitive(true); // re-sorts by the case-sensitive order
    for (int i = 1; i < list.Count(); ++i) EXPECT_LE(AnsiCompareStr(list[i - 1], list[i]), 0) << i;
    EXPECT_EQ(-1, list.IndexOf(L"FIG"));
}

TEST(StringList, SortAndCustomSortReorderAnUnsortedList)
{
    TStringList list;
    Fill(list, {L"10", L"9", L"100", L"b", L"A"});
    list.Sort();
    EXPECT_EQ((Lines{L"10", L"100", L"9", L"A", L"b"}), list.ToVector());
    list.CustomSort([](TStringList* l, int a, int b) { return static_cast<int>(l->Get(b).size()) - static_cast<int>(l->Get(a).size()); });
    EXPECT_EQ((Lines{L"100", L"10", L"9", L"A", L"b"}), list.ToVector());
    EXPECT_FALSE(list.Sorted());
}

TEST(StringList, TextJoinsWithCrLfAndSplitsOnAnyLineBreak)
{
    TStringList list;
    Fill(list, {L"one", L"", Chinese});
    EXPECT_EQ(L"one\r\n\r\n" + Chinese + L"\r\n", list.Text());

    struct Case {
        String text;
        Lines lines;
    } cases[] = {
        {L"", {}},
        {L"a", {L"a"}},
        {L"a\r\n", {L"a"}},
        {L"a\r\nb\nc\rd", {L"a", L"b", L"c", L"d"}},
        {L"a\n\nb\r\n\r\n", {L"a", L"", L"b", L""}},
        {L"\r\n", {L""}},
        {L"a\n\rb", {L"a", L"", L"b"}}, // LF CR is two breaks
    };
    for (const Case& c : cases) {
        list.SetText(c.text);
        EXPECT_EQ(c.lines, list.ToVector()) << testing::PrintToString(std::string(c.text.begin(), c.text.end()));
    }
}

TEST(StringList, CommaAndDelimitedTextQuoteWhatNeedsIt)
{
    TStringList list;
    Fill(list, {L"plain", L"two words", L"say \"hi\"", L"a,b", L""});
    EXPECT_EQ(L"plain,\"two words\",\"say \"\"hi\"\"\",\"a,b\",", list.CommaText());

    list.SetDelimiter(L';');
    list.SetQuoteChar(L'\'');
    EXPECT_EQ(L"plain;'two words';'say \"hi\"';a,b;", list.DelimitedText());
    list.SetStrictDelimiter(true);
    EXPECT_EQ(L"plain;two words;say \"hi\";a,b;", list.DelimitedText());
    // CommaText keeps its own delimiter and quote, and leaves the list's alone.
    EXPECT_EQ(L"plain,two words,\"say \"\"hi\"\"\",\"a,b\",", list.CommaText());
    EXPECT_EQ(L';', list.Delimiter());

    TStringList one;
    one.Add(L"");
    EXPECT_EQ(L"\"\"", one.CommaText());
}

TEST(StringList, SettingCommaAndDelimitedTextParsesItems)
{
    struct Case {
        const char* what;
        String text;
        bool strict;
        Lines items;
    } cases[] = {
        {"blanks separate", L"  a b,c  ", false, {L"a", L"b", L"c"}},
        {"quotes keep blanks", L"\"a b\",\"say \"\"hi\"\"\"", false, {L"a b", L"say \"hi\""}},
        {"empty items", L"a,,b,", false, {L"a", L"", L"b", L""}},
        {"empty quoted", L"\"\"", false, {L""}},
        {"unclosed quote runs to end", L"\"a,b", false, {L"a,b"}},
        {"strict keeps blanks", L" a b ,c", true, {L" a b ", L"c"}},
        {"empty", L"", false, {}},
    };
    for (const Case& c : cases) {
        TStringList list;
        list.SetStrictDelimiter(c.strict);
        list.SetCommaText(c.text);
        EXPECT_EQ(c.items, list.ToVector()) << c.what;
    }

    TStringList list;
    list.SetDelimiter(L'|');
    list.SetStrictDelimiter(true);
    list.SetDelimitedText(L"x y|z");
    EXPECT_EQ((Lines{L"x y", L"z"}), list.ToVector());
    // A round trip gives the same items back.
    TStringList source, again;
    Fill(source, {L"q\"uote", L" lead", L"comma,", L""});
    again.SetCommaText(source.CommaText());
    EXPECT_TRUE(again.Equals(&source));
}

TEST(StringList, NamesAndValues)
{
    TStringList list;
    Fill(list, {L"Width=10", L"plain", L"Empty=", L"Expr=a=b"});
    EXPECT_EQ(L"Width", list.Names(0));
    EXPECT_EQ(L"", list.Names(1));
    EXPECT_EQ(L"10", list.Values(L"width"));
    EXPECT_EQ(L"a=b", list.Values(L"Expr"));
    EXPECT_EQ(L"", list.Values(L"missing"));
    EXPECT_EQ(L"a=b", list.ValueFromIndex(3));
    EXPECT_EQ(L"", list.ValueFromIndex(1));

    list.SetValues(L"WIDTH", L"20"); // replaces the line, with the name as given
    list.SetValues(L"Height", L"5"); // appends
    list.SetValues(L"Empty", L"");   // removes
    EXPECT_EQ((Lines{L"WIDTH=20", L"plain", L"Expr=a=b", L"Height=5"}), list.ToVector());
    list.SetValueFromIndex(2, L"c");
    EXPECT_EQ(L"Expr=c", list[2]);

    list.SetNameValueSeparator(L':');
    list.Add(L"Key:Val");
    EXPECT_EQ(L"Val", list.Values(L"key"));
    EXPECT_EQ(5, list.AddPair(L"A", L"B"));
    EXPECT_EQ(L"A:B", list[5]);
}

TEST(StringList, ChangeEventsFireOncePerChangeAndOncePerUpdate)
{
    TStringList list;
    TEventLog events(list);
    list.Add(L"a");
    list.Insert(0, L"b");
    list.SetStrings(0, L"c");
    list.Exchange(0, 1);
    list.Delete(0);
    EXPECT_EQ(L"<><><><><>", events.Log);

    events.Log.clear();
    list.Clear();
    list.Clear(); // already empty: no change
    list.Sort();  // fewer than two lines: nothing to do
    EXPECT_EQ(L"<>", events.Log);

    events.Log.clear();
    list.BeginUpdate();
    list.Add(L"x");
    list.BeginUpdate();
    list.Add(L"y");
    list.EndUpdate();
    EXPECT_EQ(L"<", events.Log); // the inner EndUpdate does not end the update
    list.Add(L"z");
    list.EndUpdate();
    EXPECT_EQ(L"<>", events.Log);

    events.Log.clear();
    list.BeginUpdate();
    list.IndexOf(L"x");
    list.EndUpdate();
    EXPECT_EQ(L"", events.Log); // nothing changed

    events.Log.clear();
    list.SetText(L"1\r\n2\r\n3");
    list.SetCommaText(L"a,b");
    TStringList other;
    Fill(other, {L"p", L"q"});
    list.Assign(&other);
    list.AddStrings(&other);
    EXPECT_EQ(L"<><><><>", events.Log);
    EXPECT_EQ(4, list.Count());

    // An exception inside an update still ends it.
    list.SetSorted(true);
    list.SetDuplicates(dupError);
    events.Log.clear();
    EXPECT_THROW(list.SetCommaText(L"k,k"), EStringListError);
    EXPECT_EQ(0, list.UpdateCount());
    EXPECT_EQ(L"<>", events.Log);
}

// The change event fired when an operation's update ends may throw: the error reaches the caller
// (instead of ending the program) and the update is over, with the operation's change made.
TEST(StringList, AnOnChangeThatThrowsAsAnUpdateEndsReachesTheCaller)
{
    TStringList other;
    Fill(other, {L"p", L"q"});
    const struct {
        const char* Name;
        std::function<void(TStringList&)> Operation;
        String Text;
    } cases[] = {
        {"SetText", [](TStringList& l) { l.SetText(L"1\r\n2"); }, L"1\r\n2\r\n"},
        {"SetCommaText", [](TStringList& l) { l.SetCommaText(L"a,b"); }, L"a\r\nb\r\n"},
        {"AddStrings", [&](TStringList& l) { l.AddStrings(&other); }, L"x\r\ny\r\np\r\nq\r\n"},
        {"Assign", [&](TStringList& l) { l.Assign(&other); }, L"p\r\nq\r\n"},
        {"Exchange", [](TStringList& l) { l.Exchange(0, 1); }, L"y\r\nx\r\n"},
    };
    for (const auto& c : cases) {
        TStringList list;
        Fill(list, {L"x", L"y"});
        list.OnChange = [](TObject*) { throw Exception(L"listener failed"); };
        ExpectError<Exception>([&] { c.Operation(list); }, L"listener failed", c.Name);
        EXPECT_EQ(0, list.UpdateCount()) << c.Name;
        EXPECT_EQ(c.Text, list.Text()) << c.Name;
    }
}

TEST(StringList, AssignCopiesLinesObjectsAndSettings)
{
    TObject marker;
    TStringList source;
    source.SetCaseSensitive(true);
    source.SetSorted(true);
    source.SetDelimiter(L';');
    source.AddObject(L"b", &marker);
    source.Add(L"a");

    TStringList dest;
    dest.Add(L"old");
    dest.Assign(&source);
    EXPECT_TRUE(dest.Equals(&source));
    EXPECT_EQ(&marker, dest.Objects(1));
    EXPECT_TRUE(dest.Sorted());
    EXPECT_TRUE(dest.CaseSensitive());
    EXPECT_EQ(L';', dest.Delimiter());
    dest.Add(L"B"); // not a duplicate of "b" in a case-sensitive list
    EXPECT_EQ(3, dest.Count());

    EXPECT_FALSE(dest.Equals(&source));
    TPersistent notStrings;
    EXPECT_THROW(dest.Assign(&notStrings), EConvertError);
}

TEST(StringList, OwnedObjectsAreFreedWithTheirLines)
{
    int alive = 0;
    {
        TStringList list(true);
        list.AddObject(L"a", new TCounted(alive));
        list.AddObject(L"b", new TCounted(alive));
        list.AddObject(L"c", new TCounted(alive));
        list.AddObject(L"d", new TCounted(alive));
        list.Move(0, 3); // moving keeps the object alive
        EXPECT_EQ(4, alive);
        list.Delete(0);
        EXPECT_EQ(3, alive);
        list.SetText(L"x"); // clears
        EXPECT_EQ(0, alive);
        list.AddObject(L"e", new TCounted(alive));
    }
    EXPECT_EQ(0, alive);

    TObject kept;
    {
        TStringList notOwning;
        notOwning.AddObject(L"k", &kept);
        notOwning.Delete(0);
    } // deleting a borrowed object here would crash the test
}

TEST(StringList, FilesRoundTripInEveryEncoding)
{
    const std::wstring dir = kvltest::TempDir(L"stringlist");
    TStringList list;
    Fill(list, {L"caf\x00E9", Chinese, L""});

    struct Case {
        TTextEncoding encoding;
        std::string start;
    } cases[] = {
        {teUTF8, "caf\xC3\xA9\r\n"},
        {teUTF8BOM, "\xEF\xBB\xBF" "caf"},
        {teUTF16LE, std::string("\xFF\xFE" "c\0", 4)},
        {teUTF16BE, std::string("\xFE\xFF\0c", 4)},
    };
    for (const Case& c : cases) {
        std::wstring path = dir + L"enc" + std::to_wstring(c.encoding) + L".txt";
        list.SaveToFile(path, c.encoding);
        std::string bytes = ReadBytes(path);
        EXPECT_EQ(c.start, bytes.substr(0, c.start.size())) << c.encoding;
        TStringList back;
        back.LoadFromFile(path);
        EXPECT_TRUE(back.Equals(&list)) << c.encoding;
        EXPECT_EQ(c.encoding, back.LoadedEncoding());
    }
    // The default is UTF-8 without a byte-order mark.
    list.SaveToFile(dir + L"default.txt");
    EXPECT_EQ("caf\xC3\xA9\r\n", ReadBytes(dir + L"default.txt").substr(0, 7));

    // Without a byte-order mark, bytes that are not UTF-8 are the ANSI code page.
    WriteBytes(dir + L"ansi.txt", "caf\xE9\r\nx");
    TStringList ansi;
    ansi.LoadFromFile(dir + L"ansi.txt");
    EXPECT_EQ(teANSI, ansi.LoadedEncoding());
    EXPECT_EQ((Lines{AnsiToString("caf\xE9"), L"x"}), ansi.ToVector());

    try {
        ansi.LoadFromFile(dir + L"missing.txt");
        FAIL() << "expected EFOpenError";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(0u, e.Message().find(L"Cannot open file \"" + dir + L"missing.txt\". ")) << e.what();
    }
    EXPECT_EQ(2, ansi.Count());
}

TEST(StringList, StreamsLoadFromTheirPosition)
{
    TMemoryStream stream;
    stream.WriteBuffer("skip", 4);
    TStringList list;
    Fill(list, {Chinese, L"b"});
    list.SaveToStream(&stream);
    stream.SetPosition(4);
    TStringList back;
    back.LoadFromStream(&stream);
    EXPECT_TRUE(back.Equals(&list));
}
