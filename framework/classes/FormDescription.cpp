#include "framework/classes/FormDescription.h"

#include <windows.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>

namespace {

enum class TTokenKind { Eof, Ident, Integer, Float, String, Symbol };

struct TToken {
    TTokenKind Kind = TTokenKind::Eof;
    int Line = 1;
    String Text;        // Ident, String (the joined pieces), Symbol (one character)
    int64_t Int = 0;
    double Float = 0;
};

bool IsIdentStart(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z') || c == L'_' || c >= 0x80;
}

bool IsIdentChar(wchar_t c) { return IsIdentStart(c) || (c >= L'0' && c <= L'9'); }
bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool SameText(const String& a, const wchar_t* b)
{
    return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b, -1, TRUE) == CSTR_EQUAL;
}

class TLexer {
public:
    TLexer(const String& text, const String& formName) : FText(text), FFormName(formName) {}

    [[noreturn]] void Error(int line, const String& what) const
    {
        throw EParserError(FFormName + L" line " + std::to_wstring(line) + L": " + what);
    }

    const TToken& Peek()
    {
        if (!FHasPeek) {
            FPeek = Scan();
            FHasPeek = true;
        }
        return FPeek;
    }

    TToken Next()
    {
        Peek();
        FHasPeek = false;
        return FPeek;
    }

    int Line() const { return FLine; }

    // Reads the hex digits after a '{' up to the closing '}'. Only valid right after Next()
    // returned the '{' (no token is looked ahead then).
    std::vector<uint8_t> ReadBinary(int openLine)
    {
        std::vector<uint8_t> bytes;
        int high = -1;
        for (;;) {
            if (FPos >= FText.size()) Error(FLine, L"'}' expected to close the binary data of line " + std::to_wstring(openLine));
            wchar_t c = FText[FPos];
            if (c == L'}') {
                ++FPos;
                break;
            }
            if (SkipLineBreak() || c == L' ' || c == L'\t') {
                if (c == L' ' || c == L'\t') ++FPos;
                continue;
            }
            int d = HexDigit(c);
            if (d < 0) Error(FLine, L"invalid character '" + String(1, c) + L"' in binary data");
            ++FPos;
            if (high < 0) {
                high = d;
            } else {
                bytes.push_back(static_cast<uint8_t>(high * 16 + d));
                high = -1;
            }
        }
        if (high >= 0) Error(FLine, L"binary data has an odd number of hex digits");
        return bytes;
    }

private:
    bool SkipLineBreak()
    {
        wchar_t c = FText[FPos];
        if (c == L'\n') {
            ++FPos;
            ++FLine;
            return true;
        }
        if (c == L'\r') {
            ++FPos;
            if (FPos < FText.size() && FText[FPos] == L'\n') ++FPos;
            ++FLine;
            return true;
        }
        return false;
    }

    void SkipBlanks()
    {
        while (FPos < FText.size()) {
            wchar_t c = FText[FPos];
            if (SkipLineBreak()) continue;
            if (c == L' ' || c == L'\t' || c == 0xFEFF) {
                ++FPos;
                continue;
            }
            break;
        }
    }

    TToken Scan()
    {
        SkipBlanks();
        TToken t;
        t.Line = FLine;
        if (FPos >= FText.size()) return t;
        wchar_t c = FText[FPos];
        if (IsIdentStart(c)) return ScanIdent(t);
        if (c == L'\'' || c == L'#') return ScanString(t);
        if (IsDigit(c) || c == L'$' || (c == L'-' && FPos + 1 < FText.size() && (IsDigit(FText[FPos + 1]) || FText[FPos + 1] == L'$')))
            return ScanNumber(t);
        t.Kind = TTokenKind::Symbol;
        t.Text = String(1, c);
        ++FPos;
        return t;
    }

    TToken ScanIdent(TToken& t)
    {
        // Dotted names (Font.Style, Form2.Button1) are one token: a dot is part of a name only
        // when a name follows it directly.
        size_t start = FPos;
        for (;;) {
            while (FPos < FText.size() && IsIdentChar(FText[FPos])) ++FPos;
            if (FPos + 1 < FText.size() && FText[FPos] == L'.' && IsIdentStart(FText[FPos + 1])) {
                ++FPos;
                continue;
            }
            break;
        }
        t.Kind = TTokenKind::Ident;
        t.Text = FText.substr(start, FPos - start);
        return t;
    }

    TToken ScanString(TToken& t)
    {
        t.Kind = TTokenKind::String;
        while (FPos < FText.size() && (FText[FPos] == L'\'' || FText[FPos] == L'#')) {
            if (FText[FPos] == L'\'') {
                ++FPos;
                for (;;) {
                    if (FPos >= FText.size() || FText[FPos] == L'\r' || FText[FPos] == L'\n')
                        Error(FLine, L"unterminated string");
                    wchar_t c = FText[FPos++];
                    if (c == L'\'') {
                        if (FPos < FText.size() && FText[FPos] == L'\'') {
                            t.Text += L'\'';
                            ++FPos;
                            continue;
                        }
                        break;
                    }
                    t.Text += c;
                }
            } else {
                ++FPos;
                uint32_t code = 0;
                size_t digits = 0;
                bool hex = FPos < FText.size() && FText[FPos] == L'$';
                if (hex) ++FPos;
                while (FPos < FText.size() && (hex ? HexDigit(FText[FPos]) >= 0 : IsDigit(FText[FPos]))) {
                    code = code * (hex ? 16 : 10) + static_cast<uint32_t>(HexDigit(FText[FPos]));
                    if (code > 0xFFFF) Error(FLine, L"character code out of range (0..65535)");
                    ++FPos;
                    ++digits;
                }
                if (digits == 0) Error(FLine, L"character code expected after '#'");
                t.Text += static_cast<wchar_t>(code);
            }
        }
        return t;
    }

    TToken ScanNumber(TToken& t)
    {
        size_t start = FPos;
        bool negative = false;
        if (FText[FPos] == L'-') {
            negative = true;
            ++FPos;
        }
        if (FText[FPos] == L'$') {
            ++FPos;
            uint64_t v = 0;
            size_t digits = 0;
            while (FPos < FText.size() && HexDigit(FText[FPos]) >= 0) {
                v = v * 16 + static_cast<uint64_t>(HexDigit(FText[FPos++]));
                if (++digits > 16) Error(FLine, L"hexadecimal number too long");
            }
            if (digits == 0) Error(FLine, L"hex digits expected after '$'");
            t.Kind = TTokenKind::Integer;
            t.Int = negative ? -static_cast<int64_t>(v) : static_cast<int64_t>(v);
            return CheckNumberEnd(t);
        }
        while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
        bool isFloat = false;
        if (FPos + 1 < FText.size() && FText[FPos] == L'.' && IsDigit(FText[FPos + 1])) {
            isFloat = true;
            ++FPos;
            while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
        }
        if (FPos < FText.size() && (FText[FPos] == L'e' || FText[FPos] == L'E')) {
            size_t p = FPos + 1;
            if (p < FText.size() && (FText[p] == L'+' || FText[p] == L'-')) ++p;
            if (p < FText.size() && IsDigit(FText[p])) {
                isFloat = true;
                FPos = p;
                while (FPos < FText.size() && IsDigit(FText[FPos])) ++FPos;
            }
        }
        String text = FText.substr(start, FPos - start);
        if (isFloat) {
            t.Kind = TTokenKind::Float;
            t.Float = std::wcstod(text.c_str(), nullptr);
            if (!std::isfinite(t.Float)) Error(FLine, L"number out of range: " + text);
        } else {
            t.Kind = TTokenKind::Integer;
            errno = 0;
            t.Int = std::wcstoll(text.c_str(), nullptr, 10);
            if (errno == ERANGE) Error(FLine, L"number out of range: " + text);
        }
        return CheckNumberEnd(t);
    }

    TToken CheckNumberEnd(TToken& t)
    {
        if (FPos < FText.size() && IsIdentChar(FText[FPos]))
            Error(FLine, L"invalid number");
        return t;
    }

    const String& FText;
    const String& FFormName;
    size_t FPos = 0;
    int FLine = 1;
    TToken FPeek;
    bool FHasPeek = false;
};

String DescribeToken(const TToken& t)
{
    switch (t.Kind) {
    case TTokenKind::Eof: return L"end of text";
    case TTokenKind::Ident: return L"'" + t.Text + L"'";
    case TTokenKind::Integer: return L"number " + std::to_wstring(t.Int);
    case TTokenKind::Float: return L"number";
    case TTokenKind::String: return L"string '" + t.Text + L"'";
    case TTokenKind::Symbol: return L"'" + t.Text + L"'";
    }
    return L"?";
}

class TParser {
public:
    TParser(const String& text, const String& formName) : FLex(text, formName) {}

    std::unique_ptr<TFormObject> ParseRoot()
    {
        TToken t = FLex.Next();
        if (t.Kind != TTokenKind::Ident || !SameText(t.Text, L"object"))
            FLex.Error(t.Line, L"'object' expected but " + DescribeToken(t) + L" found");
        auto root = ParseObject(t.Line);
        TToken rest = FLex.Next();
        if (rest.Kind != TTokenKind::Eof)
            FLex.Error(rest.Line, L"end of text expected after the last 'end' but " + DescribeToken(rest) + L" found");
        return root;
    }

private:
    // One level of nesting for as long as it lives; the level past the bound is a parse error.
    class TNestingGuard {
    public:
        TNestingGuard(TParser& Parser, int Line) : FParser(Parser)
        {
            if (++FParser.FDepth > MaxFormNesting)
                FParser.FLex.Error(Line, L"nesting deeper than " + std::to_wstring(MaxFormNesting) + L" levels");
        }
        ~TNestingGuard() { --FParser.FDepth; }
        TNestingGuard(const TNestingGuard&) = delete;
        TNestingGuard& operator=(const TNestingGuard&) = delete;

    private:
        TParser& FParser;
    };

    bool IsKeyword(const TToken& t, const wchar_t* word) const
    {
        return t.Kind == TTokenKind::Ident && SameText(t.Text, word);
    }

    bool IsSymbol(const TToken& t, wchar_t c) const
    {
        return t.Kind == TTokenKind::Symbol && t.Text[0] == c;
    }

    TToken Expect(wchar_t symbol, const String& context)
    {
        TToken t = FLex.Next();
        if (!IsSymbol(t, symbol))
            FLex.Error(t.Line, L"'" + String(1, symbol) + L"' expected " + context + L" but " + DescribeToken(t) + L" found");
        return t;
    }

    String ExpectName(const String& what)
    {
        TToken t = FLex.Next();
        if (t.Kind != TTokenKind::Ident || t.Text.find(L'.') != String::npos)
            FLex.Error(t.Line, what + L" expected but " + DescribeToken(t) + L" found");
        return t.Text;
    }

    // After the keyword 'object'.
    std::unique_ptr<TFormObject> ParseObject(int line)
    {
        TNestingGuard level(*this, line);
        auto obj = std::make_unique<TFormObject>();
        obj->Line = line;
        obj->Name = ExpectName(L"component name");
        Expect(L':', L"after the component name " + obj->Name);
        obj->ClassName = ExpectName(L"class name");
        for (;;) {
            const TToken& t = FLex.Peek();
            if (t.Kind == TTokenKind::Eof)
                FLex.Error(t.Line, L"'end' of object " + obj->Name + L" (line " + std::to_wstring(line) + L") expected but end of text found");
            if (IsKeyword(t, L"end")) {
                FLex.Next();
                return obj;
            }
            if (IsKeyword(t, L"object")) {
                int childLine = FLex.Next().Line;
                obj->Children.push_back(ParseObject(childLine));
                continue;
            }
            if (t.Kind != TTokenKind::Ident)
                FLex.Error(t.Line, L"property name, 'object' or 'end' expected in object " + obj->Name + L" but " + DescribeToken(t) + L" found");
            obj->Properties.push_back(ParseProperty());
        }
    }

    TFormProperty ParseProperty()
    {
        TToken name = FLex.Next();
        TFormProperty prop;
        prop.Name = name.Text;
        prop.Line = name.Line;
        Expect(L'=', L"after the property name " + prop.Name);
        prop.Value = ParseValue(prop.Name);
        return prop;
    }

    TFormValue ParseValue(const String& propName)
    {
        TToken t = FLex.Next();
        TFormValue v;
        v.Line = t.Line;
        switch (t.Kind) {
        case TTokenKind::Integer:
            v.Kind = TFormValueKind::Integer;
            v.Int = t.Int;
            return v;
        case TTokenKind::Float:
            v.Kind = TFormValueKind::Float;
            v.Float = t.Float;
            return v;
        case TTokenKind::String:
            v.Kind = TFormValueKind::String;
            v.Text = t.Text;
            while (IsSymbol(FLex.Peek(), L'+')) {
                FLex.Next();
                TToken piece = FLex.Next();
                if (piece.Kind != TTokenKind::String)
                    FLex.Error(piece.Line, L"string expected after '+' in " + propName + L" but " + DescribeToken(piece) + L" found");
                v.Text += piece.Text;
            }
            return v;
        case TTokenKind::Ident:
            v.Kind = TFormValueKind::Ident;
            v.Text = t.Text;
            return v;
        case TTokenKind::Symbol:
            break;
        case TTokenKind::Eof:
            FLex.Error(t.Line, L"value of " + propName + L" expected but end of text found");
        }
        switch (t.Text[0]) {
        case L'[':
            v.Kind = TFormValueKind::Set;
            if (IsSymbol(FLex.Peek(), L']')) {
                FLex.Next();
                return v;
            }
            for (;;) {
                v.Names.push_back(ExpectName(L"set element of " + propName));
                TToken sep = FLex.Next();
                if (IsSymbol(sep, L']')) return v;
                if (!IsSymbol(sep, L','))
                    FLex.Error(sep.Line, L"',' or ']' expected in the set of " + propName + L" but " + DescribeToken(sep) + L" found");
            }
        case L'(': {
            TNestingGuard level(*this, t.Line);
            v.Kind = TFormValueKind::List;
            for (;;) {
                const TToken& p = FLex.Peek();
                if (IsSymbol(p, L')')) {
                    FLex.Next();
                    return v;
                }
                if (p.Kind == TTokenKind::Eof)
                    FLex.Error(p.Line, L"')' expected to close the list of " + propName + L" (line " + std::to_wstring(v.Line) + L")");
                v.Items.push_back(ParseValue(propName));
            }
        }
        case L'<': {
            TNestingGuard level(*this, t.Line);
            v.Kind = TFormValueKind::Collection;
            for (;;) {
                TToken p = FLex.Next();
                if (IsSymbol(p, L'>')) return v;
                if (!IsKeyword(p, L"item"))
                    FLex.Error(p.Line, L"'item' or '>' expected in the collection " + propName + L" but " + DescribeToken(p) + L" found");
                TFormCollectionItem item;
                item.Line = p.Line;
                for (;;) {
                    const TToken& q = FLex.Peek();
                    if (IsKeyword(q, L"end")) {
                        FLex.Next();
                        break;
                    }
                    if (q.Kind != TTokenKind::Ident)
                        FLex.Error(q.Line, L"property name or 'end' expected in an item of " + propName + L" but " + DescribeToken(q) + L" found");
                    item.Properties.push_back(ParseProperty());
                }
                v.CollectionItems.push_back(std::move(item));
            }
        }
        case L'{':
            v.Kind = TFormValueKind::Binary;
            v.Bytes = FLex.ReadBinary(t.Line);
            return v;
        default:
            FLex.Error(t.Line, L"value of " + propName + L" expected but " + DescribeToken(t) + L" found");
        }
    }

    TLexer FLex;
    int FDepth = 0;
};

// Moves the nested values of V (list items, and the values of its collection items'
// properties) to the end of Pending, leaving V flat.
void TakeNestedValues(TFormValue& V, std::vector<TFormValue>& Pending)
{
    for (TFormValue& item : V.Items) Pending.push_back(std::move(item));
    V.Items.clear();
    for (TFormCollectionItem& item : V.CollectionItems)
        for (TFormProperty& prop : item.Properties) Pending.push_back(std::move(prop.Value));
    V.CollectionItems.clear();
}

} // namespace

TFormValue::~TFormValue()
{
    if (Items.empty() && CollectionItems.empty()) return;
    std::vector<TFormValue> pending;
    TakeNestedValues(*this, pending);
    while (!pending.empty()) {
        TFormValue last = std::move(pending.back());
        pending.pop_back();
        TakeNestedValues(last, pending);
    }
}

TFormObject::~TFormObject()
{
    std::vector<std::unique_ptr<TFormObject>> pending = std::move(Children);
    while (!pending.empty()) {
        std::unique_ptr<TFormObject> last = std::move(pending.back());
        pending.pop_back();
        for (auto& child : last->Children) pending.push_back(std::move(child));
        last->Children.clear();
    }
}

String TFormValue::Describe() const
{
    switch (Kind) {
    case TFormValueKind::Integer: return L"integer " + std::to_wstring(Int);
    case TFormValueKind::Float: return L"number " + std::to_wstring(Float);
    case TFormValueKind::String: return L"string '" + Text + L"'";
    case TFormValueKind::Ident: return L"identifier " + Text;
    case TFormValueKind::Set: return L"set";
    case TFormValueKind::List: return L"list";
    case TFormValueKind::Collection: return L"collection";
    case TFormValueKind::Binary: return L"binary data";
    }
    return L"value";
}

std::unique_ptr<TFormObject> ParseFormDescription(const String& text, const String& formName)
{
    TParser parser(text, formName);
    return parser.ParseRoot();
}

String FormUtf8ToString(const std::string& bytes)
{
    size_t start = 0;
    if (bytes.size() >= 3 && static_cast<uint8_t>(bytes[0]) == 0xEF && static_cast<uint8_t>(bytes[1]) == 0xBB &&
        static_cast<uint8_t>(bytes[2]) == 0xBF)
        start = 3;
    if (bytes.size() == start) return {};
    const char* data = bytes.data() + start;
    int length = static_cast<int>(bytes.size() - start);
    int size = MultiByteToWideChar(CP_UTF8, 0, data, length, nullptr, 0);
    String out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, data, length, out.data(), size);
    return out;
}

std::unique_ptr<TFormObject> ParseFormDescriptionUtf8(const std::string& bytes, const String& formName)
{
    return ParseFormDescription(FormUtf8ToString(bytes), formName);
}
