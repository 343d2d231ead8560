#include "framework/classes/Registry.h"

#include <cwchar>
#include <vector>

#include "framework/classes/Streams.h"
#include "framework/system/Conversions.h"
#include "framework/classes/StringList.h"
#include "framework/system/ScopeGuards.h"

namespace {

// Splits off a leading "\" (a path from the root) and any trailing ones.
String KeyPathOf(const String& key, bool& relative)
{
    relative = key.empty() || key[0] != L'\\';
    String path = relative ? key : key.substr(1);
    while (!path.empty() && path.back() == L'\\')
        path.pop_back();
    return path;
}

TRegDataType DataTypeToRegData(DWORD type)
{
    switch (type) {
    case REG_SZ: return rdString;
    case REG_EXPAND_SZ: return rdExpandString;
    case REG_DWORD: return rdInteger;
    case REG_BINARY: return rdBinary;
    default: return rdUnknown;
    }
}

DWORD RegDataToDataType(TRegDataType type)
{
    switch (type) {
    case rdString: return REG_SZ;
    case rdExpandString: return REG_EXPAND_SZ;
    case rdInteger: return REG_DWORD;
    case rdBinary: return REG_BINARY;
    default: return REG_NONE;
    }
}

[[noreturn]] void ReadError(const String& name)
{
    throw ERegistryException(L"Invalid data type for '" + name + L"'");
}

} // namespace

TRegistry::TRegistry() = default;

TRegistry::TRegistry(REGSAM AAccess) : FAccess(AAccess) {}

TRegistry::~TRegistry() { CloseKey(); }

void TRegistry::SetRootKey(HKEY Value)
{
    if (Value == FRootKey)
        return;
    CloseKey();
    FRootKey = Value;
}

void TRegistry::ChangeKey(HKEY Value, const String& Path)
{
    CloseKey();
    FCurrentKey = Value;
    FCurrentPath = Path;
}

HKEY TRegistry::GetBaseKey(bool Relative) const
{
    return (FCurrentKey == nullptr || !Relative) ? FRootKey : FCurrentKey;
}

HKEY TRegistry::GetKey(const String& Key)
{
    bool relative;
    String path = KeyPathOf(Key, relative);
    HKEY key = nullptr;
    if (RegOpenKeyExW(GetBaseKey(relative), path.c_str(), 0, FAccess, &key) != ERROR_SUCCESS)
        return nullptr;
    return key;
}

bool TRegistry::OpenKey(const String& Key, bool CanCreate)
{
    bool relative;
    String path = KeyPathOf(Key, relative);
    HKEY key = nullptr;
    LONG result;
    if (!CanCreate || path.empty())
        result = RegOpenKeyExW(GetBaseKey(relative), path.c_str(), 0, FAccess, &key);
    else
        result = RegCreateKeyExW(GetBaseKey(relative), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess,
                                 nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS)
        return false;
    if (relative && FCurrentKey != nullptr && !FCurrentPath.empty())
        path = path.empty() ? FCurrentPath : FCurrentPath + L"\\" + path;
    ChangeKey(key, path);
    return true;
}

bool TRegistry::OpenKeyReadOnly(const String& Key)
{
    REGSAM old = FAccess;
    FAccess = KEY_READ | (old & (KEY_WOW64_32KEY | KEY_WOW64_64KEY));
    if (OpenKey(Key, false))
        return true;
    FAccess = old;
    return false;
}

bool TRegistry::CreateKey(const String& Key)
{
    bool relative;
    String path = KeyPathOf(Key, relative);
    HKEY key = nullptr;
    if (RegCreateKeyExW(GetBaseKey(relative), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, FAccess, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        throw ERegistryException(L"Failed to create key " + Key);
    RegCloseKey(key);
    return true;
}

void TRegistry::CloseKey()
{
    if (FCurrentKey == nullptr)
        return;
    if (!FLazyWrite)
        RegFlushKey(FCurrentKey);
    RegCloseKey(FCurrentKey);
    FCurrentKey = nullptr;
    FCurrentPath.clear();
}

bool TRegistry::DeleteKey(const String& Key)
{
    bool relative;
    String path = KeyPathOf(Key, relative);
    if (path.empty())
        return false;
    HKEY doomed = GetKey(Key);
    if (doomed != nullptr) {
        // Subkeys first: the system only deletes empty keys. Names are taken before any
        // deletion shifts the enumeration.
        std::vector<String> names;
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (RegEnumKeyExW(doomed, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            names.emplace_back(name, length);
        }
        // The key is closed after the current key is back.
        TScopeExit closed([doomed] { RegCloseKey(doomed); });
        TValueRestore<HKEY> current(FCurrentKey, doomed);
        for (const String& sub : names)
            DeleteKey(sub);
    }
    return RegDeleteKeyW(GetBaseKey(relative), path.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const String& Name)
{
    return RegDeleteValueW(FCurrentKey, Name.c_str()) == ERROR_SUCCESS;
}

bool TRegistry::KeyExists(const String& Key)
{
    REGSAM old = FAccess;
    FAccess = STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | (old & (KEY_WOW64_32KEY | KEY_WOW64_64KEY));
    HKEY key = GetKey(Key);
    FAccess = old;
    if (key == nullptr)
        return false;
    RegCloseKey(key);
    return true;
}

bool TRegistry::ValueExists(const String& Name)
{
    TRegDataInfo info;
    return GetDataInfo(Name, info);
}

bool TRegistry::HasSubKeys()
{
    TRegKeyInfo info;
    return GetKeyInfo(info) && info.NumSubKeys > 0;
}

bool TRegistry::GetKeyInfo(TRegKeyInfo& Value)
{
    Value = TRegKeyInfo();
    DWORD subKeys = 0, maxSubKeyLen = 0, values = 0, maxValueLen = 0, maxDataLen = 0;
    if (RegQueryInfoKeyW(FCurrentKey, nullptr, nullptr, nullptr, &subKeys, &maxSubKeyLen, nullptr, &values, &maxValueLen,
                         &maxDataLen, nullptr, &Value.FileTime) != ERROR_SUCCESS)
        return false;
    Value.NumSubKeys = static_cast<int>(subKeys);
    Value.MaxSubKeyLen = static_cast<int>(maxSubKeyLen);
    Value.NumValues = static_cast<int>(values);
    Value.MaxValueLen = static_cast<int>(maxValueLen);
    Value.MaxDataLen = static_cast<int>(maxDataLen);
    return true;
}

void TRegistry::GetKeyNames(TStrings* Strings)
{
    TUpdateGuard<TStrings> update(*Strings);
    Strings->Clear();
    if (FCurrentKey != nullptr) {
        wchar_t name[256];
        for (DWORD i = 0;; ++i) {
            DWORD length = 256;
            if (RegEnumKeyExW(FCurrentKey, i, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            Strings->Add(String(name, length));
        }
    }
}

void TRegistry::GetValueNames(TStrings* Strings)
{
    TUpdateGuard<TStrings> update(*Strings);
    Strings->Clear();
    if (FCurrentKey != nullptr) {
        std::vector<wchar_t> name(16384);
        for (DWORD i = 0;; ++i) {
            DWORD length = static_cast<DWORD>(name.size());
            if (RegEnumValueW(FCurrentKey, i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                break;
            Strings->Add(String(name.data(), length));
        }
    }
}

bool TRegistry::GetDataInfo(const String& ValueName, TRegDataInfo& Value)
{
    Value = TRegDataInfo();
    DWORD type = REG_NONE, size = 0;
    if (RegQueryValueExW(FCurrentKey, ValueName.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    Value.RegData = DataTypeToRegData(type);
    Value.DataSize = static_cast<int>(size);
    return true;
}

TRegDataType TRegistry::GetDataType(const String& ValueName)
{
    TRegDataInfo info;
    return GetDataInfo(ValueName, info) ? info.RegData : rdUnknown;
}

int TRegistry::GetDataSize(const String& ValueName)
{
    TRegDataInfo info;
    return GetDataInfo(ValueName, info) ? info.DataSize : -1;
}

int TRegistry::GetData(const String& Name, void* Buffer, DWORD BufSize, TRegDataType& RegData)
{
    DWORD type = REG_NONE;
    if (RegQueryValueExW(FCurrentKey, Name.c_str(), nullptr, &type, static_cast<BYTE*>(Buffer), &BufSize) != ERROR_SUCCESS)
        throw ERegistryException(L"Failed to get data for '" + Name + L"'");
    RegData = DataTypeToRegData(type);
    return static_cast<int>(BufSize);
}

void TRegistry::PutData(const String& Name, const void* Buffer, DWORD BufSize, TRegDataType RegData)
{
    if (RegSetValueExW(FCurrentKey, Name.c_str(), 0, RegDataToDataType(RegData), static_cast<const BYTE*>(Buffer),
                       BufSize) != ERROR_SUCCESS)
        throw ERegistryException(L"Failed to set data for '" + Name + L"'");
}

String TRegistry::ReadString(const String& Name)
{
    int size = GetDataSize(Name);
    if (size <= 0)
        return String();
    // One spare character: a value stored without its terminating zero still ends.
    String result(static_cast<size_t>(size) / sizeof(wchar_t) + 1, L'\0');
    TRegDataType type;
    GetData(Name, result.data(), static_cast<DWORD>(size), type);
    if (type != rdString && type != rdExpandString)
        ReadError(Name);
    result.resize(wcsnlen(result.c_str(), result.size()));
    return result;
}

void TRegistry::WriteString(const String& Name, const String& Value)
{
    PutData(Name, Value.c_str(), static_cast<DWORD>((Value.size() + 1) * sizeof(wchar_t)), rdString);
}

void TRegistry::WriteExpandString(const String& Name, const String& Value)
{
    PutData(Name, Value.c_str(), static_cast<DWORD>((Value.size() + 1) * sizeof(wchar_t)), rdExpandString);
}

int TRegistry::ReadInteger(const String& Name)
{
    TRegDataInfo info;
    if (GetDataInfo(Name, info) && info.RegData != rdInteger)
        ReadError(Name);
    DWORD value = 0;
    TRegDataType type;
    GetData(Name, &value, sizeof(value), type);
    if (type != rdInteger)
        ReadError(Name);
    return static_cast<int>(value);
}

void TRegistry::WriteInteger(const String& Name, int Value)
{
    DWORD value = static_cast<DWORD>(Value);
    PutData(Name, &value, sizeof(value), rdInteger);
}

bool TRegistry::ReadBool(const String& Name) { return ReadInteger(Name) != 0; }

void TRegistry::WriteBool(const String& Name, bool Value) { WriteInteger(Name, Value ? 1 : 0); }

double TRegistry::ReadEightBytes(const String& Name)
{
    TRegDataInfo info;
    if (GetDataInfo(Name, info) && (info.RegData != rdBinary || info.DataSize != sizeof(double)))
        ReadError(Name);
    double value = 0;
    TRegDataType type;
    int size = GetData(Name, &value, sizeof(value), type);
    if (type != rdBinary || size != sizeof(double))
        ReadError(Name);
    return value;
}

double TRegistry::ReadFloat(const String& Name) { return ReadEightBytes(Name); }

void TRegistry::WriteFloat(const String& Name, double Value) { PutData(Name, &Value, sizeof(Value), rdBinary); }

TDateTime TRegistry::ReadDateTime(const String& Name) { return ReadEightBytes(Name); }

void TRegistry::WriteDateTime(const String& Name, TDateTime Value) { PutData(Name, &Value, sizeof(Value), rdBinary); }

int TRegistry::ReadBinaryData(const String& Name, void* Buffer, int BufSize)
{
    TRegDataInfo info;
    if (!GetDataInfo(Name, info))
        return 0;
    if ((info.RegData != rdBinary && info.RegData != rdUnknown) || info.DataSize > BufSize)
        ReadError(Name);
    TRegDataType type;
    return GetData(Name, Buffer, static_cast<DWORD>(info.DataSize), type);
}

void TRegistry::WriteBinaryData(const String& Name, const void* Buffer, int BufSize)
{
    PutData(Name, Buffer, static_cast<DWORD>(BufSize), rdBinary);
}

TRegistryIniFile::TRegistryIniFile(const String& FileName, REGSAM AAccess)
    : TCustomIniFile(FileName), FRegistry(AAccess)
{
    FRegistry.OpenKey(L"\\" + FileName, true);
}

TRegistryIniFile::~TRegistryIniFile() = default;

bool TRegistryIniFile::OpenSection(TRegistry& Reg, const String& Section, bool Create)
{
    Reg.SetRootKey(FRegistry.RootKey());
    Reg.SetAccess(FRegistry.Access());
    bool relative;
    String path = KeyPathOf(FFileName, relative);
    if (!Section.empty())
        path += L"\\" + Section;
    return Reg.OpenKey(L"\\" + path, Create);
}

String TRegistryIniFile::ReadString(const String& Section, const String& Ident, const String& Default)
{
    TRegistry reg;
    if (!OpenSection(reg, Section, false) || !reg.ValueExists(Ident))
        return Default;
    if (reg.GetDataType(Ident) == rdInteger)
        return IntToStr(reg.ReadInteger(Ident));
    return reg.ReadString(Ident);
}

void TRegistryIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    TRegistry reg;
    OpenSection(reg, Section, true);
    reg.WriteString(Ident, Value);
}

int TRegistryIniFile::ReadInteger(const String& Section, const String& Ident, int Default)
{
    TRegistry reg;
    if (!OpenSection(reg, Section, false) || !reg.ValueExists(Ident))
        return Default;
    if (reg.GetDataType(Ident) == rdString)
        return StrToIntDef(reg.ReadString(Ident), Default);
    return reg.ReadInteger(Ident);
}

void TRegistryIniFile::WriteInteger(const String& Section, const String& Ident, int Value)
{
    TRegistry reg;
    OpenSection(reg, Section, true);
    if (reg.GetDataType(Ident) == rdString)
        reg.WriteString(Ident, IntToStr(Value));
    else
        reg.WriteInteger(Ident, Value);
}

template <class ReadBase>
double TRegistryIniFile::ReadEightByteValue(const String& Section, const String& Ident, double Default, ReadBase Base)
{
    TRegistry reg;
    if (!OpenSection(reg, Section, false) || !reg.ValueExists(Ident))
        return Default;
    if (reg.GetDataType(Ident) == rdBinary)
        return reg.ReadFloat(Ident);
    return Base();
}

void TRegistryIniFile::WriteEightByteValue(const String& Section, const String& Ident, double Value)
{
    TRegistry reg;
    OpenSection(reg, Section, true);
    reg.WriteFloat(Ident, Value);
}

double TRegistryIniFile::ReadFloat(const String& Section, const String& Ident, double Default)
{
    return ReadEightByteValue(Section, Ident, Default,
                              [&] { return TCustomIniFile::ReadFloat(Section, Ident, Default); });
}

void TRegistryIniFile::WriteFloat(const String& Section, const String& Ident, double Value)
{
    WriteEightByteValue(Section, Ident, Value);
}

TDateTime TRegistryIniFile::ReadDate(const String& Section, const String& Ident, TDateTime Default)
{
    return ReadEightByteValue(Section, Ident, Default,
                              [&] { return TCustomIniFile::ReadDate(Section, Ident, Default); });
}

void TRegistryIniFile::WriteDate(const String& Section, const String& Ident, TDateTime Value)
{
    WriteEightByteValue(Section, Ident, Value);
}

TDateTime TRegistryIniFile::ReadDateTime(const String& Section, const String& Ident, TDateTime Default)
{
    return ReadEightByteValue(Section, Ident, Default,
                              [&] { return TCustomIniFile::ReadDateTime(Section, Ident, Default); });
}

void TRegistryIniFile::WriteDateTime(const String& Section, const String& Ident, TDateTime Value)
{
    WriteEightByteValue(Section, Ident, Value);
}

TDateTime TRegistryIniFile::ReadTime(const String& Section, const String& Ident, TDateTime Default)
{
    return ReadEightByteValue(Section, Ident, Default,
                              [&] { return TCustomIniFile::ReadTime(Section, Ident, Default); });
}

void TRegistryIniFile::WriteTime(const String& Section, const String& Ident, TDateTime Value)
{
    WriteEightByteValue(Section, Ident, Value);
}

int TRegistryIniFile::ReadBinaryStream(const String& Section, const String& Ident, TStream* Value)
{
    TRegistry reg;
    if (!OpenSection(reg, Section, false) || !reg.ValueExists(Ident))
        return 0;
    if (reg.GetDataType(Ident) != rdBinary)
        return TCustomIniFile::ReadBinaryStream(Section, Ident, Value);
    std::vector<unsigned char> bytes(static_cast<size_t>(reg.GetDataSize(Ident)));
    if (bytes.empty())
        return 0;
    int count = reg.ReadBinaryData(Ident, bytes.data(), static_cast<int>(bytes.size()));
    int64_t start = Value->Position();
    Value->WriteBuffer(bytes.data(), count);
    Value->SetPosition(start);
    return count;
}

void TRegistryIniFile::WriteBinaryStream(const String& Section, const String& Ident, TStream* Value)
{
    int64_t start = Value->Position();
    std::vector<unsigned char> bytes(static_cast<size_t>(Value->Size() - start));
    if (!bytes.empty())
        Value->ReadBuffer(bytes.data(), static_cast<int>(bytes.size()));
    Value->SetPosition(start);
    TRegistry reg;
    OpenSection(reg, Section, true);
    reg.WriteBinaryData(Ident, bytes.data(), static_cast<int>(bytes.size()));
}

bool TRegistryIniFile::SectionExists(const String& Section)
{
    TRegistry reg;
    return OpenSection(reg, Section, false);
}

bool TRegistryIniFile::ValueExists(const String& Section, const String& Ident)
{
    TRegistry reg;
    return OpenSection(reg, Section, false) && reg.ValueExists(Ident);
}

void TRegistryIniFile::ReadSection(const String& Section, TStrings* Strings)
{
    TRegistry reg;
    if (OpenSection(reg, Section, false))
        reg.GetValueNames(Strings);
    else
        Strings->Clear();
}

void TRegistryIniFile::ReadSections(TStrings* Strings)
{
    TRegistry reg;
    if (OpenSection(reg, L"", false))
        reg.GetKeyNames(Strings);
    else
        Strings->Clear();
}

void TRegistryIniFile::EraseSection(const String& Section)
{
    if (Section.empty())
        return;
    TRegistry reg;
    reg.SetRootKey(FRegistry.RootKey());
    reg.SetAccess(FRegistry.Access());
    bool relative;
    if (reg.OpenKey(L"\\" + KeyPathOf(FFileName, relative), false))
        reg.DeleteKey(Section);
}

void TRegistryIniFile::DeleteKey(const String& Section, const String& Ident)
{
    TRegistry reg;
    if (OpenSection(reg, Section, false))
        reg.DeleteValue(Ident);
}

void TRegistryIniFile::UpdateFile()
{
    if (FRegistry.CurrentKey() != nullptr)
        RegFlushKey(FRegistry.CurrentKey());
}
