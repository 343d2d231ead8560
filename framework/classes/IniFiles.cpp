#include "framework/classes/IniFiles.h"

#include <algorithm>

#include "framework/classes/Streams.h"
#include "framework/system/Conversions.h"
#include "framework/system/DateTimeUtils.h"
#include "framework/system/ScopeGuards.h"
#include "framework/system/StringUtils.h"

namespace {

// The value Parse reads from Text; Default when the text is empty or Parse cannot read it.
template <class T, class F>
T ParseOrDefault(const String& Text, T Default, F&& Parse)
{
    T value = Default;
    if (!Text.empty() && !Parse(Text, value)) value = Default;
    return value;
}

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

} // namespace

// TCustomIniFile --------------------------------------------------------------------------------

bool TCustomIniFile::SectionExists(const String& Section)
{
    TStringList keys;
    ReadSection(Section, &keys);
    return keys.Count() > 0;
}

bool TCustomIniFile::ValueExists(const String& Section, const String& Ident)
{
    TStringList keys;
    ReadSection(Section, &keys);
    return keys.IndexOf(Ident) >= 0;
}

int TCustomIniFile::ReadInteger(const String& Section, const String& Ident, int Default)
{
    return StrToIntDef(ReadString(Section, Ident, String()), Default);
}

void TCustomIniFile::WriteInteger(const String& Section, const String& Ident, int Value)
{
    WriteString(Section, Ident, IntToStr(Value));
}

bool TCustomIniFile::ReadBool(const String& Section, const String& Ident, bool Default)
{
    return ReadInteger(Section, Ident, Default ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const String& Section, const String& Ident, bool Value)
{
    WriteString(Section, Ident, Value ? L"1" : L"0");
}

double TCustomIniFile::ReadFloat(const String& Section, const String& Ident, double Default)
{
    return ParseOrDefault(ReadString(Section, Ident, String()), Default,
                          [](const String& Text, double& Value) { return TryStrToFloat(Text, Value); });
}

void TCustomIniFile::WriteFloat(const String& Section, const String& Ident, double Value)
{
    WriteString(Section, Ident, FloatToStr(Value));
}

TDateTime TCustomIniFile::ReadDate(const String& Section, const String& Ident, TDateTime Default)
{
    return ParseOrDefault(ReadString(Section, Ident, String()), Default,
                          [](const String& Text, TDateTime& Value) { return TryStrToDate(Text, Value); });
}

void TCustomIniFile::WriteDate(const String& Section, const String& Ident, TDateTime Value)
{
    WriteString(Section, Ident, DateToStr(Value));
}

TDateTime TCustomIniFile::ReadDateTime(const String& Section, const String& Ident, TDateTime Default)
{
    return ParseOrDefault(ReadString(Section, Ident, String()), Default,
                          [](const String& Text, TDateTime& Value) { return TryStrToDateTime(Text, Value); });
}

void TCustomIniFile::WriteDateTime(const String& Section, const String& Ident, TDateTime Value)
{
    WriteString(Section, Ident, DateTimeToStr(Value));
}

TDateTime TCustomIniFile::ReadTime(const String& Section, const String& Ident, TDateTime Default)
{
    return ParseOrDefault(ReadString(Section, Ident, String()), Default,
                          [](const String& Text, TDateTime& Value) { return TryStrToTime(Text, Value); });
}

void TCustomIniFile::WriteTime(const String& Section, const String& Ident, TDateTime Value)
{
    WriteString(Section, Ident, TimeToStr(Value));
}

int TCustomIniFile::ReadBinaryStream(const String& Section, const String& Ident, TStream* Value)
{
    String text = ReadString(Section, Ident, String());
    std::vector<uint8_t> bytes;
    bytes.reserve(text.size() / 2);
    // Decoding stops at the first pair that is not hexadecimal.
    for (size_t i = 0; i + 1 < text.size(); i += 2) {
        int hi = HexDigit(text[i]), lo = HexDigit(text[i + 1]);
        if (hi < 0 || lo < 0) break;
        bytes.push_back(static_cast<uint8_t>(hi * 16 + lo));
    }
    if (bytes.empty()) return 0;
    int64_t start = Value->Position();
    Value->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
    Value->SetPosition(start);
    return static_cast<int>(bytes.size());
}

void TCustomIniFile::WriteBinaryStream(const String& Section, const String& Ident, TStream* Value)
{
    static const wchar_t digits[] = L"0123456789ABCDEF";
    int64_t start = Value->Position();
    int64_t count = std::max<int64_t>(Value->Size() - start, 0);
    std::vector<uint8_t> bytes(static_cast<size_t>(count));
    if (count > 0) Value->ReadBuffer(bytes.data(), static_cast<int>(count));
    Value->SetPosition(start);
    String text;
    text.reserve(bytes.size() * 2);
    for (uint8_t b : bytes) {
        text += digits[b >> 4];
        text += digits[b & 15];
    }
    WriteString(Section, Ident, text);
}

void TCustomIniFile::ReadSectionValues(const String& Section, TStrings* Strings)
{
    TStringList keys;
    ReadSection(Section, &keys);
    TUpdateGuard<TStrings> update(*Strings);
    Strings->Clear();
    for (int i = 0; i < keys.Count(); ++i)
        Strings->Add(keys[i] + L"=" + ReadString(Section, keys[i], String()));
}

// TMemIniFile -----------------------------------------------------------------------------------

TMemIniFile::TMemIniFile(const String& FileName) : TCustomIniFile(FileName)
{
    LoadValues();
}

TMemIniFile::~TMemIniFile() = default;

void TMemIniFile::LoadValues()
{
    Clear();
    if (FFileName.empty() || !FileExists(FFileName)) return;
    TStringList lines;
    lines.LoadFromFile(FFileName);
    // A file without a byte-order mark is written back as UTF-8, whatever it was read as.
    TTextEncoding found = lines.LoadedEncoding();
    FEncoding = found == teANSI ? teUTF8 : found;
    SetStrings(&lines);
}

void TMemIniFile::Clear()
{
    FPreamble.clear();
    FSections.clear();
}

void TMemIniFile::SetStrings(const TStrings* List)
{
    Clear();
    std::vector<TIniLine>* target = &FPreamble;
    int count = List->Count();
    for (int i = 0; i < count; ++i) {
        String raw = List->Get(i);
        String text = Trim(raw);
        if (text.size() >= 2 && text.front() == L'[' && text.back() == L']') {
            TIniSection section;
            section.FName = Trim(text.substr(1, text.size() - 2));
            section.FUpperName = AnsiUpperCase(section.FName);
            section.FHeader = raw;
            FSections.push_back(std::move(section));
            target = &FSections.back().FLines;
            continue;
        }
        TIniLine line;
        line.FText = raw;
        size_t sep = text.find(L'=');
        if (!text.empty() && text.front() != L';' && sep != String::npos) {
            line.FName = Trim(text.substr(0, sep));
            line.FUpperName = AnsiUpperCase(line.FName);
            line.FValue = Trim(text.substr(sep + 1));
            line.FIsKey = !line.FName.empty();
        }
        target->push_back(std::move(line));
    }
}

void TMemIniFile::GetStrings(TStrings* List) const
{
    TUpdateGuard<TStrings> update(*List);
    List->Clear();
    for (const TIniLine& line : FPreamble) List->Add(line.FText);
    for (const TIniSection& section : FSections) {
        List->Add(section.FHeader);
        for (const TIniLine& line : section.FLines) List->Add(line.FText);
    }
}

void TMemIniFile::Rename(const String& FileName, bool Reload)
{
    FFileName = FileName;
    if (Reload) LoadValues();
}

bool TMemIniFile::SameName(const String& Name, const String& UpperName, const String& Wanted, const String& UpperWanted) const
{
    return FCaseSensitive ? Name == Wanted : UpperName == UpperWanted;
}

TMemIniFile::TIniSection* TMemIniFile::FindSection(const String& Section)
{
    String upper = FCaseSensitive ? String() : AnsiUpperCase(Section);
    for (TIniSection& section : FSections)
        if (SameName(section.FName, section.FUpperName, Section, upper)) return &section;
    return nullptr;
}

TMemIniFile::TIniLine* TMemIniFile::FindKey(TIniSection* Section, const String& Ident)
{
    if (Section == nullptr) return nullptr;
    String upper = FCaseSensitive ? String() : AnsiUpperCase(Ident);
    for (TIniLine& line : Section->FLines)
        if (line.FIsKey && SameName(line.FName, line.FUpperName, Ident, upper)) return &line;
    return nullptr;
}

TMemIniFile::TIniSection& TMemIniFile::AddSection(const String& Section)
{
    // Keep a blank line between the last section and the new one.
    std::vector<TIniLine>& last = FSections.empty() ? FPreamble : FSections.back().FLines;
    bool fileHasText = !FSections.empty() || !FPreamble.empty();
    if (fileHasText && (last.empty() ? !FSections.empty() : !Trim(last.back().FText).empty()))
        last.push_back(TIniLine{});
    TIniSection section;
    section.FName = Section;
    section.FUpperName = AnsiUpperCase(Section);
    section.FHeader = L"[" + Section + L"]";
    FSections.push_back(std::move(section));
    return FSections.back();
}

String TMemIniFile::ReadString(const String& Section, const String& Ident, const String& Default)
{
    TIniLine* line = FindKey(FindSection(Section), Ident);
    return line != nullptr ? line->FValue : Default;
}

void TMemIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    TIniSection* section = FindSection(Section);
    if (section == nullptr) section = &AddSection(Section);
    if (TIniLine* line = FindKey(section, Ident)) {
        line->FValue = Value;
        line->FText = line->FName + L"=" + Value;
        return;
    }
    TIniLine line;
    line.FName = Ident;
    line.FUpperName = AnsiUpperCase(Ident);
    line.FValue = Value;
    line.FText = Ident + L"=" + Value;
    line.FIsKey = true;
    // After the section's last non-blank line, so the blank line before the next section stays.
    auto& lines = section->FLines;
    size_t at = lines.size();
    while (at > 0 && Trim(lines[at - 1].FText).empty()) --at;
    lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), std::move(line));
}

void TMemIniFile::ReadSection(const String& Section, TStrings* Strings)
{
    TUpdateGuard<TStrings> update(*Strings);
    Strings->Clear();
    if (TIniSection* section = FindSection(Section))
        for (const TIniLine& line : section->FLines)
            if (line.FIsKey) Strings->Add(line.FName);
}

void TMemIniFile::ReadSections(TStrings* Strings)
{
    TUpdateGuard<TStrings> update(*Strings);
    Strings->Clear();
    for (size_t i = 0; i < FSections.size(); ++i) {
        // A section written twice in the file is one section to the reader.
        bool seen = false;
        for (size_t j = 0; j < i && !seen; ++j)
            seen = SameName(FSections[j].FName, FSections[j].FUpperName, FSections[i].FName, FSections[i].FUpperName);
        if (!seen) Strings->Add(FSections[i].FName);
    }
}

void TMemIniFile::ReadSectionValues(const String& Section, TStrings* Strings)
{
    TUpdateGuard<TStrings> update(*Strings);
    Strings->Clear();
    if (TIniSection* section = FindSection(Section))
        for (const TIniLine& line : section->FLines)
            if (line.FIsKey) Strings->Add(line.FName + L"=" + line.FValue);
}

void TMemIniFile::EraseSection(const String& Section)
{
    String upper = AnsiUpperCase(Section);
    FSections.erase(std::remove_if(FSections.begin(), FSections.end(),
                                   [&](const TIniSection& s) { return SameName(s.FName, s.FUpperName, Section, upper); }),
                    FSections.end());
}

void TMemIniFile::DeleteKey(const String& Section, const String& Ident)
{
    TIniSection* section = FindSection(Section);
    TIniLine* line = FindKey(section, Ident);
    if (line != nullptr) section->FLines.erase(section->FLines.begin() + (line - section->FLines.data()));
}

bool TMemIniFile::SectionExists(const String& Section)
{
    return FindSection(Section) != nullptr;
}

bool TMemIniFile::ValueExists(const String& Section, const String& Ident)
{
    return FindKey(FindSection(Section), Ident) != nullptr;
}

void TMemIniFile::UpdateFile()
{
    TStringList lines;
    GetStrings(&lines);
    try {
        lines.SaveToFile(FFileName, FEncoding);
    } catch (const EStreamError&) {
        throw EIniFileException(L"Unable to write to " + FFileName);
    }
}

// TIniFile --------------------------------------------------------------------------------------

TIniFile::TIniFile(const String& FileName) : TCustomIniFile(FileName) {}

TIniFile::~TIniFile() = default;

TMemIniFile& TIniFile::Current()
{
    // Another object (or program) may have changed the file since the last call.
    if (FFile)
        FFile->Rename(FFileName, true);
    else
        FFile = std::make_unique<TMemIniFile>(FFileName);
    return *FFile;
}

String TIniFile::ReadString(const String& Section, const String& Ident, const String& Default)
{
    return Current().ReadString(Section, Ident, Default);
}

void TIniFile::WriteString(const String& Section, const String& Ident, const String& Value)
{
    TMemIniFile& file = Current();
    file.WriteString(Section, Ident, Value);
    file.UpdateFile();
}

void TIniFile::ReadSection(const String& Section, TStrings* Strings)
{
    Current().ReadSection(Section, Strings);
}

void TIniFile::ReadSections(TStrings* Strings)
{
    Current().ReadSections(Strings);
}

void TIniFile::ReadSectionValues(const String& Section, TStrings* Strings)
{
    Current().ReadSectionValues(Section, Strings);
}

void TIniFile::EraseSection(const String& Section)
{
    TMemIniFile& file = Current();
    if (!file.SectionExists(Section)) return;
    file.EraseSection(Section);
    file.UpdateFile();
}

void TIniFile::DeleteKey(const String& Section, const String& Ident)
{
    TMemIniFile& file = Current();
    if (!file.ValueExists(Section, Ident)) return;
    file.DeleteKey(Section, Ident);
    file.UpdateFile();
}

bool TIniFile::SectionExists(const String& Section)
{
    return Current().SectionExists(Section);
}

bool TIniFile::ValueExists(const String& Section, const String& Ident)
{
    return Current().ValueExists(Section, Ident);
}
