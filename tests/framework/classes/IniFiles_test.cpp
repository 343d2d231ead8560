#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/classes/IniFiles.h"
#include "framework/classes/Streams.h"
#include "framework/system/DateTimeUtils.h"
#include "framework/system/FormatSettings.h"
#include "framework/system/StringUtils.h"
#include "tests/support/TestSupport.h"

namespace {

using Lines = std::vector<String>;

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

Lines ListOf(const TStrings& list)
{
    return list.ToVector();
}

const String Chinese = L"\x8282\x65E5\x8F6E\x73ED"; // 节日轮班

class IniFiles : public testing::Test {
protected:
    std::wstring Dir = kvltest::TempDir(L"inifiles");
};

} // namespace

TEST_F(IniFiles, TypedValuesRoundTripThroughTheFile)
{
    const std::wstring path = Dir + L"typed.ini";
    const TDateTime when = EncodeDate(2024, 2, 29) + EncodeTime(13, 45, 30, 0);
    TMemoryStream blob;
    blob.WriteBuffer("\x00\x01\xAB\xFF", 4);
    blob.SetPosition(1);
    {
        TMemIniFile ini(path);
        ini.WriteString(L"S", L"Text", L"  padded " + Chinese);
        ini.WriteInteger(L"S", L"Int", -42);
        ini.WriteBool(L"S", L"Yes", true);
        ini.WriteBool(L"S", L"No", false);
        ini.WriteFloat(L"S", L"Float", 3.25);
        ini.WriteDate(L"S", L"Date", when);
        ini.WriteTime(L"S", L"Time", when);
        ini.WriteDateTime(L"S", L"Stamp", when);
        ini.WriteBinaryStream(L"S", L"Blob", &blob);
        EXPECT_EQ(1, blob.Position()); // writing leaves the stream where it was
        ini.UpdateFile();
    }
    TMemIniFile ini(path);
    EXPECT_EQ(L"padded " + Chinese, ini.ReadString(L"S", L"Text", L"")); // values are trimmed when read
    EXPECT_EQ(-42, ini.ReadInteger(L"S", L"Int", 0));
    EXPECT_TRUE(ini.ReadBool(L"S", L"Yes", false));
    EXPECT_FALSE(ini.ReadBool(L"S", L"No", true));
    EXPECT_EQ(L"1", ini.ReadString(L"S", L"Yes", L""));
    EXPECT_EQ(L"0", ini.ReadString(L"S", L"No", L""));
    EXPECT_DOUBLE_EQ(3.25, ini.ReadFloat(L"S", L"Float", 0));
    EXPECT_DOUBLE_EQ(EncodeDate(2024, 2, 29), ini.ReadDate(L"S", L"Date", 0));
    EXPECT_NEAR(EncodeTime(13, 45, 30, 0), ini.ReadTime(L"S", L"Time", 0), 1e-9);
    EXPECT_NEAR(when, ini.ReadDateTime(L"S", L"Stamp", 0), 1e-9);
    EXPECT_EQ(L"01ABFF", ini.ReadString(L"S", L"Blob", L""));

    TMemoryStream back;
    back.WriteBuffer("<", 1);
    EXPECT_EQ(3, ini.ReadBinaryStream(L"S", L"Blob", &back));
    EXPECT_EQ(1, back.Position()); // at the start of what was read
    EXPECT_EQ(std::string("<\x01\xAB\xFF", 4), std::string(static_cast<const char*>(back.Memory()), 4));
    EXPECT_EQ(0, ini.ReadBinaryStream(L"S", L"Missing", &back));

    // Missing keys and sections give the defaults; an empty value is a value.
    ini.WriteString(L"S", L"Empty", L"");
    EXPECT_EQ(L"", ini.ReadString(L"S", L"Empty", L"def"));
    EXPECT_EQ(L"def", ini.ReadString(L"S", L"None", L"def"));
    EXPECT_EQ(L"def", ini.ReadString(L"Nowhere", L"Text", L"def"));
    EXPECT_EQ(7, ini.ReadInteger(L"Nowhere", L"Int", 7));
    EXPECT_DOUBLE_EQ(1.5, ini.ReadFloat(L"S", L"None", 1.5));
    EXPECT_DOUBLE_EQ(9.0, ini.ReadDate(L"S", L"None", 9.0));
}

TEST_F(IniFiles, NumbersAndFlagsFallBackToTheDefaultWhenUnreadable)
{
    TMemIniFile ini(L"");
    struct Case {
        String text;
        int integer; // read with default -1
        bool flag;   // read with default true
    } cases[] = {
        {L"42", 42, true},   {L" 7 ", 7, true},    {L"$1F", 31, true}, {L"0x1F", 31, true},
        {L"-3", -3, true},   {L"0", 0, false},     {L"abc", -1, true}, {L"1.5", -1, true},
        {L"", -1, true},     {L"yes", -1, true},
    };
    for (const Case& c : cases) {
        ini.WriteString(L"N", L"v", c.text);
        EXPECT_EQ(c.integer, ini.ReadInteger(L"N", L"v", -1)) << std::string(c.text.begin(), c.text.end());
        EXPECT_EQ(c.flag, ini.ReadBool(L"N", L"v", true)) << std::string(c.text.begin(), c.text.end());
    }
    TFormatSettingsOverride invariant(TFormatSettings::Invariant());
    ini.WriteString(L"N", L"f", L"2.5");
    EXPECT_DOUBLE_EQ(2.5, ini.ReadFloat(L"N", L"f", 0));
    ini.WriteString(L"N", L"f", L"2,5x");
    EXPECT_DOUBLE_EQ(-1.0, ini.ReadFloat(L"N", L"f", -1.0));
    ini.WriteString(L"N", L"d", L"not a date");
    EXPECT_DOUBLE_EQ(5.0, ini.ReadDate(L"N", L"d", 5.0));
    EXPECT_DOUBLE_EQ(5.0, ini.ReadDateTime(L"N", L"d", 5.0));
    EXPECT_DOUBLE_EQ(0.5, ini.ReadTime(L"N", L"d", 0.5));
}

TEST_F(IniFiles, SectionsAndKeysIgnoreCaseUnlessCaseSensitive)
{
    TStringList text;
    text.SetText(L"[Grid]\r\nWidth=10\r\n[" + Chinese + L"]\r\n" + Chinese + L"=\x4E2D\r\n");
    TMemIniFile ini(L"");
    ini.SetStrings(&text);
    EXPECT_EQ(L"10", ini.ReadString(L"GRID", L"width", L""));
    EXPECT_EQ(L"\x4E2D", ini.ReadString(Chinese, Chinese, L""));
    ini.WriteString(L"grid", L"WIDTH", L"11"); // updates the existing key
    EXPECT_EQ(L"11", ini.ReadString(L"Grid", L"Width", L""));
    TStringList keys;
    ini.ReadSection(L"gRiD", &keys);
    EXPECT_EQ((Lines{L"Width"}), ListOf(keys));

    ini.SetCaseSensitive(true);
    EXPECT_EQ(L"", ini.ReadString(L"GRID", L"Width", L""));
    EXPECT_EQ(L"", ini.ReadString(L"Grid", L"width", L""));
    EXPECT_EQ(L"11", ini.ReadString(L"Grid", L"Width", L""));
    ini.WriteString(L"Grid", L"width", L"lower");
    ini.ReadSection(L"Grid", &keys);
    EXPECT_EQ((Lines{L"Width", L"width"}), ListOf(keys));
}

TEST_F(IniFiles, EditingKeepsCommentsBlankLinesAndOrder)
{
    const std::wstring path = Dir + L"layout.ini";
    WriteBytes(path,
               "; settings for the grid\r\n"
               "[Grid]\r\n"
               "  Width = 10  \r\n"
               "; columns\r\n"
               "Col0=5\r\n"
               "\r\n"
               "[Print]\r\n"
               "Title=Hello\r\n");
    TMemIniFile ini(path);
    EXPECT_EQ(L"10", ini.ReadString(L"Grid", L"Width", L""));
    ini.WriteString(L"Grid", L"Width", L"20");
    ini.WriteInteger(L"Grid", L"Col1", 6);
    ini.WriteString(L"New", L"key", L"v");
    ini.DeleteKey(L"Print", L"Title");
    ini.UpdateFile();
    EXPECT_EQ("; settings for the grid\r\n"
              "[Grid]\r\n"
              "Width=20\r\n"
              "; columns\r\n"
              "Col0=5\r\n"
              "Col1=6\r\n"
              "\r\n"
              "[Print]\r\n"
              "\r\n"
              "[New]\r\n"
              "key=v\r\n",
              ReadBytes(path));

    // Untouched lines keep their exact text.
    TMemIniFile again(path);
    again.WriteString(L"New", L"key", L"w");
    TStringList lines;
    again.GetStrings(&lines);
    EXPECT_EQ(L"; columns", lines[3]);
    EXPECT_EQ(L"key=w", lines[10]);
}

TEST_F(IniFiles, SectionListingAndRemoval)
{
    TStringList text;
    text.SetText(L"[A]\nx=1\n; note\ny = 2\nnot a key\n[B]\n[A]\nz=3\n");
    TMemIniFile ini(L"");
    ini.SetStrings(&text);

    TStringList list;
    list.Add(L"stale");
    ini.ReadSections(&list);
    EXPECT_EQ((Lines{L"A", L"B"}), ListOf(list)); // a section written twice is listed once
    ini.ReadSection(L"A", &list);
    EXPECT_EQ((Lines{L"x", L"y"}), ListOf(list));
    ini.ReadSectionValues(L"A", &list);
    EXPECT_EQ((Lines{L"x=1", L"y=2"}), ListOf(list));
    ini.ReadSection(L"None", &list);
    EXPECT_EQ(0, list.Count());

    EXPECT_TRUE(ini.SectionExists(L"B")); // a section without keys exists
    EXPECT_FALSE(ini.SectionExists(L"C"));
    EXPECT_TRUE(ini.ValueExists(L"a", L"Y"));
    EXPECT_FALSE(ini.ValueExists(L"A", L"note"));
    EXPECT_FALSE(ini.ValueExists(L"B", L"x"));

    ini.DeleteKey(L"A", L"x");
    ini.DeleteKey(L"A", L"missing");
    ini.ReadSection(L"A", &list);
    EXPECT_EQ((Lines{L"y"}), ListOf(list));
    ini.EraseSection(L"a");
    ini.ReadSections(&list);
    EXPECT_EQ((Lines{L"B"}), ListOf(list));
    EXPECT_EQ(L"", ini.ReadString(L"A", L"z", L"")); // both blocks of the section are gone

    ini.Clear();
    ini.ReadSections(&list);
    EXPECT_EQ(0, list.Count());
}

// The list's update is ended however the listing goes; an error of its change handler reaches
// the caller (it must not end the program).
TEST_F(IniFiles, ListingIntoAListWhoseChangeHandlerFailsRaisesThatError)
{
    TStringList text;
    text.SetText(L"[A]\nx=1\n");
    TMemIniFile ini(L"");
    ini.SetStrings(&text);
    TStringList list;
    list.OnChange = [](TObject*) { throw Exception(L"listener failed"); };
    EXPECT_THROW(ini.ReadSection(L"A", &list), Exception);
    EXPECT_EQ(0, list.UpdateCount());
    EXPECT_EQ((Lines{L"x"}), ListOf(list));
}

TEST_F(IniFiles, TextEncodingsAreDetectedAndKept)
{
    const std::wstring wide = Dir + L"wide.ini";
    TStringList content;
    content.SetText(L"[" + Chinese + L"]\r\nName=" + Chinese + L"\r\n");
    content.SaveToFile(wide, teUTF16LE);
    {
        TMemIniFile ini(wide);
        EXPECT_EQ(teUTF16LE, ini.Encoding());
        EXPECT_EQ(Chinese, ini.ReadString(Chinese, L"Name", L""));
        ini.WriteString(Chinese, L"More", L"\x4E00");
        ini.UpdateFile();
    }
    EXPECT_EQ("\xFF\xFE", ReadBytes(wide).substr(0, 2));
    EXPECT_EQ(L"\x4E00", TMemIniFile(wide).ReadString(Chinese, L"More", L""));

    const std::wstring utf8 = Dir + L"utf8.ini";
    {
        TMemIniFile ini(utf8); // a new file is UTF-8 without a byte-order mark
        ini.WriteString(L"S", L"k", Chinese);
        ini.UpdateFile();
    }
    EXPECT_EQ("[S]\r\nk=" + StringToUtf8(Chinese) + "\r\n", ReadBytes(utf8));

    const std::wstring ansi = Dir + L"ansi.ini";
    WriteBytes(ansi, "[S]\r\nk=caf\xE9\r\n");
    TMemIniFile ini(ansi);
    EXPECT_EQ(AnsiToString("caf\xE9"), ini.ReadString(L"S", L"k", L""));
    ini.UpdateFile();
    EXPECT_EQ("[S]\r\nk=" + StringToUtf8(AnsiToString("caf\xE9")) + "\r\n", ReadBytes(ansi));
}

TEST_F(IniFiles, StoreCanComeFromTextAndMoveToAnotherFile)
{
    TStringList text;
    text.SetText(L"[GLOBALINFO]\r\nVersion=7.5\r\n");
    TMemIniFile ini(Dir + L"Options.dat_"); // no such file: the text is the store
    ini.SetStrings(&text);
    EXPECT_EQ(L"7.5", ini.ReadString(L"GLOBALINFO", L"Version", L""));

    const std::wstring other = Dir + L"renamed.ini";
    ini.Rename(other, false); // keeps the content
    EXPECT_EQ(other, ini.FileName());
    ini.UpdateFile();
    EXPECT_EQ("[GLOBALINFO]\r\nVersion=7.5\r\n", ReadBytes(other));
    WriteBytes(other, "[X]\r\ny=1\r\n");
    ini.Rename(other, true); // reads the file now there
    EXPECT_EQ(L"", ini.ReadString(L"GLOBALINFO", L"Version", L""));
    EXPECT_EQ(L"1", ini.ReadString(L"X", L"y", L""));
}

TEST_F(IniFiles, IniFileWritesReachTheFileAtOnce)
{
    const std::wstring path = Dir + L"shared.ini";
    TIniFile writer(path);
    TIniFile reader(path);
    EXPECT_EQ(L"none", reader.ReadString(L"S", L"k", L"none"));
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(path.c_str())); // reading creates nothing

    writer.WriteString(L"S", L"k", Chinese);
    EXPECT_EQ(Chinese, reader.ReadString(L"S", L"k", L""));
    reader.WriteInteger(L"S", L"n", 5);
    EXPECT_EQ(5, writer.ReadInteger(L"s", L"N", 0));
    EXPECT_TRUE(writer.ValueExists(L"S", L"n"));

    writer.DeleteKey(L"S", L"k");
    EXPECT_FALSE(reader.ValueExists(L"S", L"k"));
    TMemIniFile snapshot(path);
    EXPECT_FALSE(snapshot.ValueExists(L"S", L"k"));
    EXPECT_TRUE(snapshot.ValueExists(L"S", L"n"));

    writer.EraseSection(L"S");
    EXPECT_FALSE(reader.SectionExists(L"S"));
    TStringList sections;
    reader.ReadSections(&sections);
    EXPECT_EQ(0, sections.Count());
}

TEST_F(IniFiles, UnwritableFileRaisesIniFileExceptionNamingIt)
{
    const std::wstring path = Dir + L"no\\such\\folder\\settings.ini";
    TMemIniFile mem(path);
    mem.WriteString(L"S", L"k", L"v");
    try {
        mem.UpdateFile();
        FAIL() << "expected EIniFileException";
    } catch (const EIniFileException& e) {
        EXPECT_EQ(L"Unable to write to " + path, e.Message());
    }

    TIniFile ini(path);
    EXPECT_THROW(ini.WriteString(L"S", L"k", L"v"), EIniFileException);
}
