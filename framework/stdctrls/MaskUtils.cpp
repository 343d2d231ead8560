#include "framework/stdctrls/MaskUtils.h"

#include <windows.h>

#include <algorithm>

#include "framework/system/FormatSettings.h"
#include "framework/system/StringUtils.h"

const wchar_t* const SMaskEditErr = L"Invalid input value.  Use escape key to abandon changes";

namespace {

bool IsMaskChar(wchar_t c)
{
    switch (c) {
    case L'L': case L'l': case L'A': case L'a': case L'C': case L'c': case L'0': case L'9': case L'#':
        return true;
    default:
        return false;
    }
}

bool IsOptionalMaskChar(wchar_t c)
{
    return c == L'l' || c == L'a' || c == L'c' || c == L'9' || c == L'#';
}

// What may follow the first section separator: "", "1", "1;", ";_", "1;_" (each section at most
// one character). A ';' followed by anything longer is an ordinary literal of the mask.
bool IsSectionTail(const String& Tail)
{
    size_t p = Tail.find(L';');
    if (p == String::npos) return Tail.size() <= 1;
    return p <= 1 && Tail.size() - p - 1 <= 1;
}

} // namespace

TEditMask::TEditMask(const String& Mask) : FMask(Mask)
{
    const int n = static_cast<int>(FMask.size());
    FChars.resize(n);
    std::vector<bool> escaped(n, false);
    for (int i = 0; i < n; ++i)
        if (!escaped[i] && FMask[i] == L'\\' && i + 1 < n) escaped[i + 1] = true;

    int separator = -1;
    for (int i = 0; i < n && separator < 0; ++i)
        if (FMask[i] == MaskFieldSeparator && !escaped[i] && IsSectionTail(FMask.substr(i + 1)))
            separator = i;
    const int maskEnd = separator < 0 ? n : separator;

    if (separator >= 0) {
        FChars[separator].Type = mcFieldSeparator;
        String tail = FMask.substr(separator + 1);
        size_t p = tail.find(L';');
        String save = p == String::npos ? tail : tail.substr(0, p);
        String blank = p == String::npos ? String() : tail.substr(p + 1);
        FSaveLiterals = save.empty() || save[0] != MaskNoSave;
        FBlank = blank.empty() ? DefaultBlank : blank[0];
        for (int i = 0; i < static_cast<int>(tail.size()); ++i)
            FChars[separator + 1 + i].Type = (p != String::npos && i == static_cast<int>(p)) ? mcFieldSeparator : mcField;
    }

    TCase textCase = caNone;
    for (int i = 0; i < maskEnd; ++i) {
        wchar_t c = FMask[i];
        TMaskChar& info = FChars[i];
        info.Directives = textCase == caUpper ? TMaskDirectives{mdUpperCase}
                        : textCase == caLower ? TMaskDirectives{mdLowerCase} : TMaskDirectives{};
        auto addSlot = [&](bool literal, wchar_t ch, TMaskCharType type) {
            info.Type = type;
            info.Offset = static_cast<int>(FSlots.size());
            FSlots.push_back(TSlot{literal, ch, literal ? caNone : textCase, i + 1});
        };
        if (escaped[i]) {
            info.Directives.Include(mdLiteralChar);
            addSlot(true, c, mcLiteral);
        } else if (c == L'\\') {
            info.Type = mcDirective;
        } else if (c == L'!') {
            info.Type = mcDirective;
            FReversed = true;
        } else if (c == L'>') {
            info.Type = mcDirective;
            textCase = caUpper;
        } else if (c == L'<') {
            info.Type = mcDirective;
            if (i + 1 < maskEnd && FMask[i + 1] == L'>' && !escaped[i + 1]) {
                textCase = caNone;
                FChars[++i].Type = mcDirective;
            } else {
                textCase = caLower;
            }
        } else if (IsMaskChar(c)) {
            addSlot(false, c, IsOptionalMaskChar(c) ? mcMaskOpt : mcMask);
        } else if (c == L':' || c == L'/') {
            addSlot(true, MaskIntlLiteralToChar(c), mcIntlLiteral);
        } else if (c == L'_') {
            addSlot(true, L' ', mcLiteral);
        } else {
            addSlot(true, c, mcLiteral);
        }
    }
    if (FReversed)
        for (TMaskChar& info : FChars) info.Directives.Include(mdReverseDir);
}

TMaskCharType TEditMask::CharType(int MaskOffset) const
{
    if (MaskOffset < 1 || MaskOffset > static_cast<int>(FChars.size())) return mcNone;
    return FChars[MaskOffset - 1].Type;
}

TMaskDirectives TEditMask::Directives(int MaskOffset) const
{
    if (MaskOffset < 1 || MaskOffset > static_cast<int>(FChars.size()))
        return FReversed ? TMaskDirectives{mdReverseDir} : TMaskDirectives{};
    return FChars[MaskOffset - 1].Directives;
}

int TEditMask::MaskOffsetToOffset(int MaskOffset) const
{
    int last = std::min(MaskOffset, static_cast<int>(FChars.size()));
    int result = -1;
    for (int i = 0; i < last; ++i)
        if (FChars[i].Offset >= 0) result = FChars[i].Offset;
    return result;
}

int TEditMask::OffsetToMaskOffset(int Offset) const
{
    if (Offset < 0 || Offset >= Length()) return -1;
    return FSlots[Offset].MaskOffset;
}

bool TEditMask::IsLiteral(int Offset) const
{
    return Offset >= 0 && Offset < Length() && FSlots[Offset].Literal;
}

bool TEditMask::IsRequired(int Offset) const
{
    return Offset >= 0 && Offset < Length() && !FSlots[Offset].Literal && !IsOptionalMaskChar(FSlots[Offset].Char);
}

wchar_t TEditMask::CharAt(int Offset) const
{
    return Offset >= 0 && Offset < Length() ? FSlots[Offset].Char : L'\0';
}

bool TEditMask::InputChar(wchar_t& Key, int Offset) const
{
    if (Offset < 0 || Offset >= Length()) return false;
    const TSlot& slot = FSlots[Offset];
    if (slot.Literal) {
        Key = slot.Char;
        return true;
    }
    bool ok = false;
    switch (slot.Char) {
    case L'0': case L'9':
        ok = Key >= L'0' && Key <= L'9';
        break;
    case L'#':
        ok = (Key >= L'0' && Key <= L'9') || Key == L'+' || Key == L'-';
        break;
    case L'L': case L'l':
        ok = IsCharAlphaW(Key) != FALSE;
        break;
    case L'A': case L'a':
        ok = IsCharAlphaNumericW(Key) != FALSE;
        break;
    default: // C, c
        ok = Key >= L' ';
        break;
    }
    if (ok) {
        if (slot.Case == caUpper) Key = AnsiUpperCase(String(1, Key))[0];
        else if (slot.Case == caLower) Key = AnsiLowerCase(String(1, Key))[0];
        return true;
    }
    if (Key == FBlank || Key == L' ') {
        Key = FBlank;
        return true;
    }
    return false;
}

int TEditMask::NextEditable(int Offset) const
{
    int i = std::max(Offset, 0);
    while (i < Length() && FSlots[i].Literal) ++i;
    return std::min(i, Length());
}

int TEditMask::PriorEditable(int Offset) const
{
    int i = std::min(Offset, Length() - 1);
    while (i >= 0 && FSlots[i].Literal) --i;
    return i;
}

String TEditMask::BlankEditText() const
{
    String s;
    s.reserve(FSlots.size());
    for (const TSlot& slot : FSlots) s += slot.Literal ? slot.Char : FBlank;
    return s;
}

String TEditMask::InsertLiterals(const String& Value, wchar_t Blank) const
{
    const int n = Length();
    String s(n, Blank);
    if (!FReversed) {
        size_t v = 0;
        for (int i = 0; i < n; ++i)
            s[i] = FSlots[i].Literal ? FSlots[i].Char : (v < Value.size() ? Value[v++] : Blank);
    } else {
        size_t v = Value.size();
        for (int i = n - 1; i >= 0; --i)
            s[i] = FSlots[i].Literal ? FSlots[i].Char : (v > 0 ? Value[--v] : Blank);
    }
    return s;
}

String TEditMask::PadInputLiterals(const String& Value, wchar_t Blank) const
{
    const int n = Length();
    String s;
    s.reserve(n);
    size_t v = 0;
    int i = 0;
    while (i < n) {
        if (FSlots[i].Literal) {
            if (v < Value.size() && Value[v] == FSlots[i].Char) ++v;
            s += FSlots[i].Char;
            ++i;
            continue;
        }
        int j = i;
        while (j < n && !FSlots[j].Literal) ++j;
        const size_t width = static_cast<size_t>(j - i);
        String field;
        size_t close = (j < n && v < Value.size()) ? Value.find(FSlots[j].Char, v) : String::npos;
        if (close != String::npos) {
            field = Value.substr(v, close - v);
            v = close;
        } else {
            field = v < Value.size() ? Value.substr(v, width) : String();
            v += field.size();
        }
        if (field.size() > width) field = FReversed ? field.substr(field.size() - width) : field.substr(0, width);
        String pad(width - field.size(), Blank);
        s += FReversed ? pad + field : field + pad;
        i = j;
    }
    return s;
}

String TEditMask::TextToEditText(const String& Text) const
{
    if (Empty()) return Text;
    String s = FSaveLiterals ? PadInputLiterals(Text, FBlank) : InsertLiterals(Text, FBlank);
    for (int i = 0; i < Length(); ++i) {
        wchar_t k = s[i];
        if (!InputChar(k, i)) k = FBlank;
        s[i] = k;
    }
    return s;
}

String TEditMask::EditTextToText(const String& EditText) const
{
    if (Empty()) return EditText;
    String s = Normalised(EditText);
    String data;
    for (int i = 0; i < Length(); ++i) {
        if (FSlots[i].Literal) {
            if (FSaveLiterals) data += s[i];
        } else {
            data += s[i] == FBlank ? L' ' : s[i];
        }
    }
    if (FSaveLiterals) return data;
    return FReversed ? TrimLeft(data) : TrimRight(data);
}

String TEditMask::FormatText(const String& Value) const
{
    if (Empty()) return Value;
    return FSaveLiterals ? PadInputLiterals(Value, L' ') : InsertLiterals(Value, L' ');
}

bool TEditMask::Validate(const String& EditText, int& Pos) const
{
    if (EditText.empty()) return true;
    for (int i = 0; i < Length(); ++i) {
        if (!IsRequired(i)) continue;
        wchar_t c = i < static_cast<int>(EditText.size()) ? EditText[i] : FBlank;
        if (c == FBlank || (c == L' ' && FSlots[i].Char != L'C')) {
            Pos = i;
            return false;
        }
    }
    return true;
}

void TEditMask::ValidateEdit(const String& EditText) const
{
    int pos = 0;
    if (!Validate(EditText, pos)) throw EDBEditError(SMaskEditErr);
}

String TEditMask::Normalised(const String& EditText) const
{
    if (static_cast<int>(EditText.size()) == Length()) return EditText;
    String s = BlankEditText();
    for (int i = 0; i < Length() && i < static_cast<int>(EditText.size()); ++i) s[i] = EditText[i];
    return s;
}

String TEditMask::Blanked(const String& EditText, int From, int To) const
{
    String s = EditText;
    for (int i = std::max(From, 0); i < std::min(To, Length()); ++i)
        if (!FSlots[i].Literal) s[i] = FBlank;
    return s;
}

namespace {

void OrderSelection(int& SelStart, int& SelStop, int Length)
{
    SelStart = std::clamp(SelStart, 0, Length);
    SelStop = std::clamp(SelStop, 0, Length);
    if (SelStop < SelStart) std::swap(SelStart, SelStop);
}

TMaskEditChange Refused(const String& EditText, int Cursor)
{
    return TMaskEditChange{false, EditText, Cursor};
}

} // namespace

TMaskEditChange TEditMask::TypeChar(const String& EditText, int SelStart, int SelStop, wchar_t Key) const
{
    if (Empty()) {
        String s = EditText;
        OrderSelection(SelStart, SelStop, static_cast<int>(s.size()));
        s.replace(SelStart, SelStop - SelStart, 1, Key);
        return TMaskEditChange{true, s, SelStart + 1};
    }
    OrderSelection(SelStart, SelStop, Length());
    String s = Blanked(Normalised(EditText), SelStart, SelStop);
    int pos = SelStart;
    // Typing the separator under the caret steps over it; typing the one the caret has just
    // skipped is taken as already done, so "2012/05/07" can be typed as written.
    if (IsLiteral(pos) && FSlots[pos].Char == Key) return TMaskEditChange{true, s, NextEditable(pos + 1)};
    if (IsLiteral(pos - 1) && FSlots[pos - 1].Char == Key) return TMaskEditChange{true, s, pos};
    pos = NextEditable(pos);
    wchar_t k = Key;
    if (pos >= Length() || !InputChar(k, pos)) return Refused(EditText, SelStart);
    s[pos] = k;
    return TMaskEditChange{true, s, NextEditable(pos + 1)};
}

TMaskEditChange TEditMask::DeleteKey(const String& EditText, int SelStart, int SelStop, bool Backspace) const
{
    if (Empty()) {
        String s = EditText;
        OrderSelection(SelStart, SelStop, static_cast<int>(s.size()));
        if (SelStop == SelStart) {
            if (Backspace ? SelStart == 0 : SelStart >= static_cast<int>(s.size())) return Refused(EditText, SelStart);
            if (Backspace) --SelStart;
            SelStop = SelStart + 1;
        }
        s.erase(SelStart, SelStop - SelStart);
        return TMaskEditChange{true, s, SelStart};
    }
    OrderSelection(SelStart, SelStop, Length());
    String s = Normalised(EditText);
    if (SelStop > SelStart) return TMaskEditChange{true, Blanked(s, SelStart, SelStop), SelStart};
    int pos = Backspace ? PriorEditable(SelStart - 1) : NextEditable(SelStart);
    if (pos < 0 || pos >= Length()) return Refused(EditText, SelStart);
    s[pos] = FBlank;
    return TMaskEditChange{true, s, Backspace ? pos : SelStart};
}

TMaskEditChange TEditMask::InsertText(const String& EditText, int SelStart, int SelStop, const String& Text) const
{
    if (Empty()) {
        String s = EditText;
        OrderSelection(SelStart, SelStop, static_cast<int>(s.size()));
        s.replace(SelStart, SelStop - SelStart, Text);
        return TMaskEditChange{true, s, SelStart + static_cast<int>(Text.size())};
    }
    OrderSelection(SelStart, SelStop, Length());
    TMaskEditChange change{true, Blanked(Normalised(EditText), SelStart, SelStop), SelStart};
    for (wchar_t c : Text) {
        if (change.Cursor >= Length()) break;
        TMaskEditChange next = TypeChar(change.EditText, change.Cursor, change.Cursor, c);
        if (!next.Accepted) return Refused(EditText, SelStart);
        change = next;
    }
    return change;
}

String FormatMaskText(const String& EditMask, const String& Value)
{
    return TEditMask(EditMask).FormatText(Value);
}

bool MaskGetMaskSave(const String& EditMask)
{
    return TEditMask(EditMask).SaveLiterals();
}

wchar_t MaskGetMaskBlank(const String& EditMask)
{
    return TEditMask(EditMask).Blank();
}

int MaskGetFldSeparator(const String& EditMask)
{
    TEditMask mask(EditMask);
    for (int i = 1; i <= static_cast<int>(EditMask.size()); ++i)
        if (mask.CharType(i) == mcFieldSeparator) return i;
    return -1;
}

TMaskCharType MaskGetCharType(const String& EditMask, int MaskOffset)
{
    return TEditMask(EditMask).CharType(MaskOffset);
}

TMaskDirectives MaskGetCurrentDirectives(const String& EditMask, int MaskOffset)
{
    return TEditMask(EditMask).Directives(MaskOffset);
}

wchar_t MaskIntlLiteralToChar(wchar_t IChar)
{
    if (IChar == L':') return FormatSettings.TimeSeparator;
    if (IChar == L'/') return FormatSettings.DateSeparator;
    return IChar;
}

int MaskOffsetToOffset(const String& EditMask, int MaskOffset)
{
    return TEditMask(EditMask).MaskOffsetToOffset(MaskOffset);
}

int OffsetToMaskOffset(const String& EditMask, int Offset)
{
    return TEditMask(EditMask).OffsetToMaskOffset(Offset);
}

bool IsLiteralChar(const String& EditMask, int Offset)
{
    return TEditMask(EditMask).IsLiteral(Offset);
}

String PadInputLiterals(const String& EditMask, const String& Value, wchar_t Blank)
{
    TEditMask mask(EditMask);
    return mask.Empty() ? Value : mask.PadInputLiterals(Value, Blank);
}

String MaskDoFormatText(const String& EditMask, const String& Value, wchar_t Blank)
{
    TEditMask mask(EditMask);
    return mask.Empty() ? Value : mask.InsertLiterals(Value, Blank);
}
