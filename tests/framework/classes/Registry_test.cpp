#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "framework/classes/Registry.h"
#include "framework/classes/Streams.h"
#include "framework/classes/StringList.h"

namespace {

// Each test works under its own key in HKCU, with no parent shared with tests running in other
// processes, and removes it again. Process ids come round again under Wine: a key left by an
// earlier run is removed first.
class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = info->name();
        Key = L"Software\\KvlTest-Registry-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
              String(name.begin(), name.end());
        TRegistry().DeleteKey(L"\\" + Key);
    }
    void TearDown() override
    {
        TRegistry reg;
        reg.DeleteKey(L"\\" + Key);
        EXPECT_FALSE(reg.KeyExists(L"\\" + Key));
    }
    String Key;
};

String ErrorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ERegistryException& e) {
        return e.Message();
    }
    return L"(no error)";
}

} // namespace

TEST_F(RegistryTest, EveryValueTypeRoundTrips)
{
    TRegistry reg;
    EXPECT_EQ(HKEY_CURRENT_USER, reg.RootKey());
    ASSERT_TRUE(reg.OpenKey(Key, true));
    EXPECT_EQ(Key, reg.CurrentPath());

    reg.WriteString(L"Text", L"\u672c\u6708 shifts");
    reg.WriteString(L"Empty", L"");
    reg.WriteExpandString(L"Path", L"%WINDIR%\\x");
    reg.WriteInteger(L"Int", -123456);
    reg.WriteBool(L"Flag", true);
    reg.WriteFloat(L"Float", 3.25);
    reg.WriteDateTime(L"When", 45000.75);
    const unsigned char bytes[] = {0, 1, 2, 250, 255};
    reg.WriteBinaryData(L"Blob", bytes, sizeof(bytes));
    reg.CloseKey();
    EXPECT_EQ(L"", reg.CurrentPath());

    ASSERT_TRUE(reg.OpenKeyReadOnly(Key));
    EXPECT_EQ(L"\u672c\u6708 shifts", reg.ReadString(L"Text"));
    EXPECT_EQ(L"", reg.ReadString(L"Empty"));
    EXPECT_EQ(L"%WINDIR%\\x", reg.ReadString(L"Path"));   // read as stored, not expanded
    EXPECT_EQ(-123456, reg.ReadInteger(L"Int"));
    EXPECT_TRUE(reg.ReadBool(L"Flag"));
    EXPECT_EQ(3.25, reg.ReadFloat(L"Float"));
    EXPECT_EQ(45000.75, reg.ReadDateTime(L"When"));
    unsigned char back[8] = {};
    EXPECT_EQ(5, reg.ReadBinaryData(L"Blob", back, sizeof(back)));
    EXPECT_EQ(0, std::memcmp(bytes, back, sizeof(bytes)));
    EXPECT_EQ(0, reg.ReadBinaryData(L"Missing", back, sizeof(back)));
    EXPECT_EQ(L"", reg.ReadString(L"Missing"));

    EXPECT_EQ(rdString, reg.GetDataType(L"Text"));
    EXPECT_EQ(rdExpandString, reg.GetDataType(L"Path"));
    EXPECT_EQ(rdInteger, reg.GetDataType(L"Int"));
    EXPECT_EQ(rdBinary, reg.GetDataType(L"Float"));
    EXPECT_EQ(rdUnknown, reg.GetDataType(L"Missing"));
    EXPECT_EQ(4, reg.GetDataSize(L"Int"));
    EXPECT_EQ(8, reg.GetDataSize(L"When"));
    EXPECT_EQ(2 * 10, reg.GetDataSize(L"Text"));   // nine characters and the terminating zero
    EXPECT_EQ(-1, reg.GetDataSize(L"Missing"));
    EXPECT_EQ(static_cast<REGSAM>(KEY_READ), reg.Access());
}

TEST_F(RegistryTest, WrongTypesAndMissingValuesRaiseNamedErrors)
{
    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key, true));
    reg.WriteString(L"S", L"12");
    reg.WriteInteger(L"I", 1);
    const unsigned char three[] = {1, 2, 3};
    reg.WriteBinaryData(L"B", three, 3);

    struct Case {
        const char* what;
        std::function<void()> action;
        String message;
    };
    unsigned char small[2];
    Case cases[] = {
        {"integer from string", [&] { reg.ReadInteger(L"S"); }, L"Invalid data type for 'S'"},
        {"string from integer", [&] { reg.ReadString(L"I"); }, L"Invalid data type for 'I'"},
        {"bool from binary", [&] { reg.ReadBool(L"B"); }, L"Invalid data type for 'B'"},
        {"float from 3 bytes", [&] { reg.ReadFloat(L"B"); }, L"Invalid data type for 'B'"},
        {"date from integer", [&] { reg.ReadDateTime(L"I"); }, L"Invalid data type for 'I'"},
        {"binary from string", [&] { reg.ReadBinaryData(L"S", small, 2); }, L"Invalid data type for 'S'"},
        {"binary too large", [&] { reg.ReadBinaryData(L"B", small, 2); }, L"Invalid data type for 'B'"},
        {"missing integer", [&] { reg.ReadInteger(L"None"); }, L"Failed to get data for 'None'"},
        {"missing float", [&] { reg.ReadFloat(L"None"); }, L"Failed to get data for 'None'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.message, ErrorOf(c.action)) << c.what;

    TRegistry readOnly;
    ASSERT_TRUE(readOnly.OpenKeyReadOnly(Key));
    EXPECT_EQ(L"Failed to set data for 'S'", ErrorOf([&] { readOnly.WriteString(L"S", L"x"); }));
    TRegistry closed;
    EXPECT_EQ(L"Failed to set data for 'X'", ErrorOf([&] { closed.WriteInteger(L"X", 1); }));
}

TEST_F(RegistryTest, KeysAreCreatedEnumeratedAndDeletedWithTheirSubkeys)
{
    TRegistry reg;
    ASSERT_FALSE(reg.OpenKey(Key, false));
    EXPECT_TRUE(reg.CreateKey(Key + L"\\Alpha\\Deep\\Deeper"));
    EXPECT_TRUE(reg.CreateKey(Key + L"\\Beta"));
    EXPECT_TRUE(reg.KeyExists(Key + L"\\Alpha\\Deep"));
    EXPECT_FALSE(reg.KeyExists(Key + L"\\Gamma"));

    ASSERT_TRUE(reg.OpenKey(Key, false));
    EXPECT_TRUE(reg.HasSubKeys());
    reg.WriteInteger(L"One", 1);
    reg.WriteString(L"Two", L"2");
    TStringList names;
    reg.GetKeyNames(&names);
    names.Sort();
    EXPECT_EQ((std::vector<String>{L"Alpha", L"Beta"}), names.ToVector());
    reg.GetValueNames(&names);
    names.Sort();
    EXPECT_EQ((std::vector<String>{L"One", L"Two"}), names.ToVector());
    EXPECT_TRUE(reg.ValueExists(L"One"));
    EXPECT_TRUE(reg.DeleteValue(L"One"));
    EXPECT_FALSE(reg.ValueExists(L"One"));
    EXPECT_FALSE(reg.DeleteValue(L"One"));

    // Relative paths go from the open key, "\" paths from the root.
    EXPECT_TRUE(reg.KeyExists(L"Alpha\\Deep"));
    ASSERT_TRUE(reg.OpenKey(L"Alpha", false));
    EXPECT_EQ(Key + L"\\Alpha", reg.CurrentPath());
    ASSERT_TRUE(reg.OpenKey(L"\\" + Key + L"\\Beta", false));
    EXPECT_EQ(Key + L"\\Beta", reg.CurrentPath());
    reg.CloseKey();

    EXPECT_TRUE(reg.DeleteKey(Key + L"\\Alpha"));
    EXPECT_FALSE(reg.KeyExists(Key + L"\\Alpha"));
    EXPECT_TRUE(reg.KeyExists(Key + L"\\Beta"));
    EXPECT_FALSE(reg.DeleteKey(Key + L"\\Alpha"));
    TRegistry broken;
    broken.SetRootKey(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x7650)));
    try {
        broken.CreateKey(L"Sub");
        ADD_FAILURE() << "expected ERegistryException";
    } catch (const ERegistryException& e) {
        EXPECT_EQ(L"Failed to create key Sub", e.Message());
    }
}

TEST_F(RegistryTest, RegistryIniFileMapsSectionsToSubkeysAndKeepsValueTypes)
{
    {
        TRegistryIniFile ini(Key);
        ini.WriteString(L"Grid", L"Caption", L"Shifts");
        ini.WriteInteger(L"Grid", L"Width", 640);
        ini.WriteBool(L"Grid", L"Visible", true);
        ini.WriteFloat(L"Grid", L"Zoom", 1.5);
        ini.WriteDateTime(L"Grid", L"Saved", 45123.5);
        ini.WriteString(L"Columns", L"Count", L"12");
        ini.WriteInteger(L"Columns", L"Count", 13);   // stays a string
        TMemoryStream blob;
        const char data[] = "\x01\x02\x03";
        blob.WriteBuffer(data, 3);
        blob.SetPosition(1);
        ini.WriteBinaryStream(L"Columns", L"Blob", &blob);
        EXPECT_EQ(1, blob.Position());
        ini.UpdateFile();
    }

    TRegistry reg;
    ASSERT_TRUE(reg.OpenKey(Key + L"\\Grid", false));
    EXPECT_EQ(rdInteger, reg.GetDataType(L"Width"));
    EXPECT_EQ(rdString, reg.GetDataType(L"Caption"));
    EXPECT_EQ(rdBinary, reg.GetDataType(L"Zoom"));
    ASSERT_TRUE(reg.OpenKey(L"\\" + Key + L"\\Columns", false));
    EXPECT_EQ(rdString, reg.GetDataType(L"Count"));
    EXPECT_EQ(2, reg.GetDataSize(L"Blob"));
    reg.WriteString(L"Hex", L"0A0B");
    reg.CloseKey();

    TRegistryIniFile ini(Key);
    EXPECT_EQ(L"Shifts", ini.ReadString(L"Grid", L"Caption", L""));
    EXPECT_EQ(640, ini.ReadInteger(L"Grid", L"Width", 0));
    EXPECT_EQ(L"640", ini.ReadString(L"Grid", L"Width", L""));
    EXPECT_TRUE(ini.ReadBool(L"Grid", L"Visible", false));
    EXPECT_EQ(1.5, ini.ReadFloat(L"Grid", L"Zoom", 0));
    EXPECT_EQ(45123.5, ini.ReadDateTime(L"Grid", L"Saved", 0));
    EXPECT_EQ(13, ini.ReadInteger(L"Columns", L"Count", 0));
    EXPECT_EQ(99, ini.ReadInteger(L"Grid", L"Caption", 99));   // not a number
    EXPECT_EQ(L"dflt", ini.ReadString(L"Grid", L"Missing", L"dflt"));
    EXPECT_EQ(-1, ini.ReadInteger(L"NoSection", L"Width", -1));
    EXPECT_EQ(2.0, ini.ReadFloat(L"NoSection", L"Zoom", 2.0));

    TMemoryStream blob, hex;
    EXPECT_EQ(2, ini.ReadBinaryStream(L"Columns", L"Blob", &blob));
    EXPECT_EQ((std::vector<uint8_t>{2, 3}), blob.Bytes());
    EXPECT_EQ(2, ini.ReadBinaryStream(L"Columns", L"Hex", &hex));
    EXPECT_EQ((std::vector<uint8_t>{10, 11}), hex.Bytes());

    TStringList list;
    ini.ReadSections(&list);
    list.Sort();
    EXPECT_EQ((std::vector<String>{L"Columns", L"Grid"}), list.ToVector());
    ini.ReadSection(L"Grid", &list);
    list.Sort();
    EXPECT_EQ((std::vector<String>{L"Caption", L"Saved", L"Visible", L"Width", L"Zoom"}), list.ToVector());
    ini.ReadSection(L"NoSection", &list);
    EXPECT_EQ(0, list.Count());

    EXPECT_TRUE(ini.SectionExists(L"Grid"));
    EXPECT_TRUE(ini.ValueExists(L"Grid", L"Width"));
    ini.DeleteKey(L"Grid", L"Width");
    EXPECT_FALSE(ini.ValueExists(L"Grid", L"Width"));
    ini.EraseSection(L"Grid");
    EXPECT_FALSE(ini.SectionExists(L"Grid"));
    EXPECT_TRUE(ini.SectionExists(L"Columns"));
}
