// The filter-condition matcher: operands joined by and/or strictly left to right, groups in
// parentheses, wildcard patterns, negation and bounds compared as dates, texts or numbers.
#include "framework/system/Conversions.h"
#include "framework/system/FormatSettings.h"
#include "framework/system/StringUtils.h"
#include "grid/foundation/AdvUtil.h"

namespace {

// Deeper nesting than any hand-written condition; beyond it a group matches nothing, so that a
// pathological text cannot exhaust the stack.
constexpr int MaxGroupDepth = 64;

bool PatternMatch(const String& Pattern, const String& Text)
{
    String p;
    p.reserve(Pattern.size());
    for (wchar_t ch : Pattern)
        if (ch != L'"') p += ch;
    // Greedy match that backtracks only to the last "*": linear in practice, never exponential.
    size_t pi = 0, ti = 0, star = String::npos, mark = 0;
    while (ti < Text.size()) {
        if (pi < p.size() && (p[pi] == L'?' || (p[pi] != L'*' && p[pi] == Text[ti]))) {
            ++pi;
            ++ti;
        } else if (pi < p.size() && p[pi] == L'*') {
            star = pi++;
            mark = ti;
        } else if (star != String::npos) {
            pi = star + 1;
            ti = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == L'*') ++pi;
    return pi == p.size();
}

double ReadNumber(const String& Text)
{
    String s = Trim(Text);
    for (wchar_t& ch : s)
        if (ch == FormatSettings.DecimalSeparator) ch = L'.';
    double value = 0;
    return TryStrToFloat(s, value, TFormatSettings::Invariant()) ? value : 0;
}

// One bound ("<", "<=", ">", ">=" and a value) against the text.
bool BoundHolds(const String& Op, const String& Value, const String& Text)
{
    int order = 0;
    TDateTime a = 0, b = 0;
    const bool textIsDate = ParseDateTimeText(Text, a);
    const bool valueIsDate = ParseDateTimeText(Value, b);
    if (textIsDate && valueIsDate) {
        order = a < b ? -1 : (a > b ? 1 : 0);
    } else if (textIsDate || valueIsDate) {
        order = CompareStr(Copy(Text, 1, 255), Copy(Value, 1, 255));
    } else {
        const double x = ReadNumber(Text), y = ReadNumber(Value);
        order = x < y ? -1 : (x > y ? 1 : 0);
    }
    if (Op == L">") return order > 0;
    if (Op == L">=") return order >= 0;
    if (Op == L"<") return order < 0;
    return order <= 0;
}

// Reads a bound at I; false when there is none.
bool ReadBound(const String& S, size_t& I, String& Op, String& Value)
{
    if (I >= S.size() || (S[I] != L'<' && S[I] != L'>')) return false;
    Op = S.substr(I, 1);
    ++I;
    if (I < S.size() && S[I] == L'=') {
        Op += L'=';
        ++I;
    }
    bool quoted = false;
    Value.clear();
    for (; I < S.size(); ++I) {
        const wchar_t ch = S[I];
        if (ch == L'"') {
            quoted = !quoted;
            continue;
        }
        if (!quoted && (ch == L' ' || ch == L'&' || ch == L'|' || ch == L'^')) break;
        Value += ch;
    }
    return true;
}

bool BoundsMatch(const String& Operand, const String& Text)
{
    size_t i = 0;
    String op, value;
    ReadBound(Operand, i, op, value);
    bool result = BoundHolds(op, value, Text);
    while (i < Operand.size() && Operand[i] == L' ') ++i;
    if (i >= Operand.size()) return result;
    const wchar_t join = Operand[i++];
    while (i < Operand.size() && Operand[i] == L' ') ++i;
    String op2, value2;
    if (!ReadBound(Operand, i, op2, value2)) return result;
    const bool second = BoundHolds(op2, value2, Text);
    return join == L'&' ? result && second : result || second;
}

// Position (0-based) of the first of Set at or after From outside double quotes; npos when none.
size_t NextDelimiter(const String& S, size_t From, const wchar_t* Set)
{
    bool quoted = false;
    for (size_t i = From; i < S.size(); ++i) {
        if (S[i] == L'"') quoted = !quoted;
        if (!quoted && String(Set).find(S[i]) != String::npos) return i;
    }
    return String::npos;
}

// Position (0-based) of the ")" closing the "(" at Open outside quotes; npos when unclosed.
size_t ClosingParen(const String& S, size_t Open)
{
    int depth = 0;
    bool quoted = false;
    for (size_t i = Open; i < S.size(); ++i) {
        if (S[i] == L'"') quoted = !quoted;
        if (quoted) continue;
        if (S[i] == L'(') ++depth;
        if (S[i] == L')' && --depth == 0) return i;
    }
    return String::npos;
}

bool MatchGroup(const String& S, const String& Text, bool CaseSensitive, int Depth)
{
    if (Depth > MaxGroupDepth) return false;
    bool result = false, first = true;
    wchar_t join = L'|';
    size_t i = 0;
    do {
        bool operand;
        if (i < S.size() && S[i] == L'(') {
            size_t close = ClosingParen(S, i);
            const size_t end = close == String::npos ? S.size() : close;
            operand = MatchGroup(S.substr(i + 1, end - i - 1), Text, CaseSensitive, Depth + 1);
            i = close == String::npos ? S.size() : close + 1;
            // Text between a group's ")" and the next operator belongs to no operand.
            size_t next = NextDelimiter(S, i, L";^&|(");
            i = next == String::npos ? S.size() : next;
        } else {
            size_t next = NextDelimiter(S, i, L"(;^&|");
            const size_t end = next == String::npos ? S.size() : next;
            operand = WildcardMatch(S.substr(i, end - i), Text, CaseSensitive);
            i = end;
        }
        result = first ? operand : (join == L'&' ? result && operand : result || operand);
        first = false;
        if (i < S.size() && S[i] != L'(') join = S[i++];
        else if (i < S.size()) join = L'|';
    } while (i < S.size());
    return result;
}

} // namespace

bool WildcardMatch(const String& Operand, const String& Text, bool CaseSensitive)
{
    const String op = CaseSensitive ? Operand : AnsiUpperCase(Operand);
    const String text = CaseSensitive ? Text : AnsiUpperCase(Text);
    if (!op.empty() && (op[0] == L'<' || op[0] == L'>')) return BoundsMatch(op, text);
    if (!op.empty() && op[0] == L'!') return !PatternMatch(op.substr(1), text);
    return PatternMatch(op, text);
}

bool MatchFilterCondition(const String& Condition, const String& Text, bool CaseSensitive)
{
    String s = RemoveBlanksOutsideQuotes(Trim(Condition));
    if (!s.empty() && s[0] == L'=') s.erase(0, 1);
    return MatchGroup(s, Text, CaseSensitive, 0);
}
