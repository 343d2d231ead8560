#include "framework/system/Conversions.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "framework/system/StringUtils.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Integers

String UnsignedToStr(uint64_t value)
{
    wchar_t buffer[24];
    wchar_t* p = buffer + 24;
    do {
        *--p = static_cast<wchar_t>(L'0' + value % 10);
        value /= 10;
    } while (value);
    return String(p, buffer + 24);
}

String SignedToStr(int64_t value)
{
    if (value < 0) return L"-" + UnsignedToStr(0 - static_cast<uint64_t>(value));
    return UnsignedToStr(static_cast<uint64_t>(value));
}

String HexOf(uint64_t value, int digits)
{
    static const wchar_t HexDigits[] = L"0123456789ABCDEF";
    String result;
    do {
        result.insert(result.begin(), HexDigits[value & 15]);
        value >>= 4;
    } while (value);
    if (static_cast<int>(result.size()) < digits) result.insert(0, static_cast<size_t>(digits) - result.size(), L'0');
    return result;
}

bool IsBlank(wchar_t c) { return c <= L' '; }

// Reads a whole integer text; bits is 32 or 64. Hexadecimal may fill the unsigned range and is
// then taken as the bit pattern, as the runtime does.
bool ParseInteger(const String& s, int bits, int64_t& value)
{
    size_t i = 0, n = s.size();
    while (i < n && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < n && (s[i] == L'-' || s[i] == L'+')) negative = s[i++] == L'-';
    bool hex = false;
    if (i < n && (s[i] == L'$' || s[i] == L'x' || s[i] == L'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && s[i] == L'0' && (s[i + 1] == L'x' || s[i + 1] == L'X')) {
        hex = true;
        i += 2;
    }
    const uint64_t limit = hex ? (bits == 32 ? 0xFFFFFFFFull : ~0ull)
                               : (bits == 32 ? 0x7FFFFFFFull : 0x7FFFFFFFFFFFFFFFull) + (negative ? 1 : 0);
    const unsigned base = hex ? 16 : 10;
    uint64_t magnitude = 0;
    size_t digits = 0;
    for (; i < n; ++i, ++digits) {
        wchar_t c = s[i];
        unsigned d;
        if (c >= L'0' && c <= L'9') d = c - L'0';
        else if (hex && c >= L'a' && c <= L'f') d = c - L'a' + 10;
        else if (hex && c >= L'A' && c <= L'F') d = c - L'A' + 10;
        else break;
        if (magnitude > (limit - d) / base) return false;
        magnitude = magnitude * base + d;
    }
    if (digits == 0) return false;
    while (i < n && IsBlank(s[i])) ++i;
    if (i != n) return false;
    uint64_t bitsValue = magnitude;
    if (hex && bits == 32) bitsValue = static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(magnitude))));
    value = static_cast<int64_t>(negative ? 0 - bitsValue : bitsValue);
    if (bits == 32) value = static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
    return true;
}

[[noreturn]] void IntegerError(const String& s)
{
    throw EConvertError(L"'" + s + L"' is not a valid integer value");
}

// ---------------------------------------------------------------------------------------------
// Floating point: the value's decimal digits, rounded the runtime's way (half away from zero on
// up to 18 significant digits), from which every float format is laid out.

struct TFloatRec {
    enum TKind { Finite, Infinite, NotANumber } Kind = Finite;
    bool Negative = false;
    // value = 0.Digits * 10^Exponent; no trailing zeros; empty for zero.
    std::string Digits;
    int Exponent = 0;
};

constexpr int MaxPrecision = 18;

TFloatRec FloatToDecimal(double value, int precision, int decimals)
{
    TFloatRec rec;
    rec.Negative = std::signbit(value);
    if (std::isnan(value)) {
        rec.Kind = TFloatRec::NotANumber;
        rec.Negative = false;
        return rec;
    }
    if (std::isinf(value)) {
        rec.Kind = TFloatRec::Infinite;
        return rec;
    }
    if (value == 0) {
        rec.Negative = false;
        return rec;
    }
    precision = std::clamp(precision, 1, MaxPrecision);
    char buffer[64];
    auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, MaxPrecision - 1);
    std::string text(buffer, written.ptr);
    size_t e = text.find('e');
    std::string digits = text.substr(0, 1) + text.substr(2, e - 2);
    int exponent = std::atoi(text.c_str() + e + 1) + 1;

    long long keepWide = std::min<long long>(precision, static_cast<long long>(exponent) + decimals);
    if (keepWide < 0) {
        rec.Negative = false;
        return rec;
    }
    size_t keep = static_cast<size_t>(keepWide);
    if (keep < digits.size()) {
        bool roundUp = digits[keep] >= '5';
        digits.resize(keep);
        if (roundUp) {
            size_t i = digits.size();
            while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
            if (i == 0) {
                digits.insert(digits.begin(), '1');
                ++exponent;
            } else {
                ++digits[i - 1];
            }
        }
    }
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (digits.empty()) {
        rec.Negative = false;
        return rec;
    }
    rec.Digits = digits;
    rec.Exponent = exponent;
    return rec;
}

String Special(const TFloatRec& rec)
{
    if (rec.Kind == TFloatRec::NotANumber) return L"NAN";
    return rec.Negative ? L"-INF" : L"INF";
}

wchar_t DigitAt(const TFloatRec& rec, long long index)
{
    return (index >= 0 && index < static_cast<long long>(rec.Digits.size())) ? static_cast<wchar_t>(rec.Digits[static_cast<size_t>(index)]) : L'0';
}

String ExponentText(int exponent, bool forceSign, int minDigits)
{
    String result = L"E";
    if (exponent < 0) result += L'-';
    else if (forceSign) result += L'+';
    String digits = UnsignedToStr(static_cast<uint64_t>(std::abs(exponent)));
    if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), L'0');
    return result + digits;
}

String GeneralText(const TFloatRec& rec, int precision, int expDigits, wchar_t decimal)
{
    if (rec.Digits.empty()) return L"0";
    String result = rec.Negative ? L"-" : L"";
    const int count = static_cast<int>(rec.Digits.size());
    if (rec.Exponent > precision || rec.Exponent < -3) {
        result += static_cast<wchar_t>(rec.Digits[0]);
        if (count > 1) {
            result += decimal;
            for (int i = 1; i < count; ++i) result += static_cast<wchar_t>(rec.Digits[i]);
        }
        return result + ExponentText(rec.Exponent - 1, false, expDigits);
    }
    if (rec.Exponent <= 0) {
        result += L'0';
        result += decimal;
        result.append(static_cast<size_t>(-rec.Exponent), L'0');
        for (char c : rec.Digits) result += static_cast<wchar_t>(c);
        return result;
    }
    for (int i = 0; i < rec.Exponent; ++i) result += DigitAt(rec, i);
    if (count > rec.Exponent) {
        result += decimal;
        for (int i = rec.Exponent; i < count; ++i) result += static_cast<wchar_t>(rec.Digits[i]);
    }
    return result;
}

String ExponentFormText(const TFloatRec& rec, int precision, int expDigits, wchar_t decimal)
{
    String result = rec.Negative ? L"-" : L"";
    result += DigitAt(rec, 0);
    if (precision > 1) {
        result += decimal;
        for (int i = 1; i < precision; ++i) result += DigitAt(rec, i);
    }
    int exponent = rec.Digits.empty() ? 0 : rec.Exponent - 1;
    return result + ExponentText(exponent, true, expDigits);
}

// Digits of the integer and fraction parts without sign; thousands grouped when separator != 0.
String FixedDigits(const TFloatRec& rec, int decimals, wchar_t decimal, wchar_t thousands)
{
    String result;
    if (rec.Exponent <= 0) {
        result = L"0";
    } else {
        for (int i = 0; i < rec.Exponent; ++i) {
            if (thousands && i > 0 && (rec.Exponent - i) % 3 == 0) result += thousands;
            result += DigitAt(rec, i);
        }
    }
    if (decimals > 0) {
        result += decimal;
        for (int i = 0; i < decimals; ++i) result += DigitAt(rec, static_cast<long long>(rec.Exponent) + i);
    }
    return result;
}

String CurrencyText(const String& number, bool negative, const TFormatSettings& fs)
{
    const String& c = fs.CurrencyString;
    if (!negative) {
        switch (fs.CurrencyFormat) {
        case 1: return number + c;
        case 2: return c + L" " + number;
        case 3: return number + L" " + c;
        default: return c + number;
        }
    }
    switch (fs.NegCurrFormat) {
    case 1: return L"-" + c + number;
    case 2: return c + L"-" + number;
    case 3: return c + number + L"-";
    case 4: return L"(" + number + c + L")";
    case 5: return L"-" + number + c;
    case 6: return number + L"-" + c;
    case 7: return number + c + L"-";
    case 8: return L"-" + number + L" " + c;
    case 9: return L"-" + c + L" " + number;
    case 10: return number + L" " + c + L"-";
    case 11: return c + L" " + number + L"-";
    case 12: return c + L" -" + number;
    case 13: return number + L"- " + c;
    case 14: return L"(" + c + L" " + number + L")";
    case 15: return L"(" + number + L" " + c + L")";
    default: return L"(" + c + number + L")";
    }
}

String FloatToText(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& fs)
{
    precision = std::clamp(precision, 1, MaxPrecision);
    const wchar_t decimal = fs.DecimalSeparator;
    switch (format) {
    case ffExponent: {
        TFloatRec rec = FloatToDecimal(value, precision, 9999);
        if (rec.Kind != TFloatRec::Finite) return Special(rec);
        return ExponentFormText(rec, precision, std::clamp(digits, 0, 4), decimal);
    }
    case ffFixed:
    case ffNumber:
    case ffCurrency: {
        digits = std::clamp(digits, 0, MaxPrecision);
        TFloatRec rec = FloatToDecimal(value, precision, digits);
        if (rec.Kind != TFloatRec::Finite) return Special(rec);
        if (rec.Exponent > precision) return GeneralText(rec, precision, 0, decimal);
        wchar_t thousands = format == ffFixed ? 0 : fs.ThousandSeparator;
        String number = FixedDigits(rec, digits, decimal, thousands);
        if (format == ffCurrency) return CurrencyText(number, rec.Negative, fs);
        return rec.Negative ? L"-" + number : number;
    }
    case ffGeneral:
    default: {
        TFloatRec rec = FloatToDecimal(value, precision, 9999);
        if (rec.Kind != TFloatRec::Finite) return Special(rec);
        return GeneralText(rec, precision, std::clamp(digits, 0, 4), decimal);
    }
    }
}

bool MatchesWord(const String& s, size_t at, const wchar_t* word)
{
    size_t length = String::traits_type::length(word);
    if (s.size() - at < length) return false;
    return SameText(s.substr(at, length), word);
}

bool ParseFloat(const String& s, double& value, const TFormatSettings& fs)
{
    size_t i = 0, n = s.size();
    while (i < n && IsBlank(s[i])) ++i;
    while (n > i && IsBlank(s[n - 1])) --n;
    std::string ascii;
    if (i < n && (s[i] == L'-' || s[i] == L'+')) {
        if (s[i] == L'-') ascii += '-';
        ++i;
    }
    if (n - i == 3 && (MatchesWord(s, i, L"INF") || MatchesWord(s, i, L"NAN"))) {
        bool inf = MatchesWord(s, i, L"INF");
        if (!inf && !ascii.empty()) return false;
        value = inf ? (ascii.empty() ? HUGE_VAL : -HUGE_VAL) : std::nan("");
        return true;
    }
    size_t mantissaDigits = 0;
    for (; i < n && s[i] >= L'0' && s[i] <= L'9'; ++i, ++mantissaDigits) ascii += static_cast<char>(s[i]);
    if (i < n && s[i] == fs.DecimalSeparator) {
        ascii += '.';
        for (++i; i < n && s[i] >= L'0' && s[i] <= L'9'; ++i, ++mantissaDigits) ascii += static_cast<char>(s[i]);
    }
    if (mantissaDigits == 0) return false;
    if (i < n && (s[i] == L'e' || s[i] == L'E')) {
        ascii += 'e';
        ++i;
        if (i < n && (s[i] == L'-' || s[i] == L'+')) ascii += static_cast<char>(s[i++]);
        size_t exponentDigits = 0;
        for (; i < n && s[i] >= L'0' && s[i] <= L'9'; ++i, ++exponentDigits) ascii += static_cast<char>(s[i]);
        if (exponentDigits == 0) return false;
    }
    if (i != n) return false;
    double result = 0;
    auto parsed = std::from_chars(ascii.data(), ascii.data() + ascii.size(), result);
    if (parsed.ec == std::errc::result_out_of_range) {
        // Too small underflows towards zero; too large does not convert.
        result = std::strtod(ascii.c_str(), nullptr);
        if (std::isinf(result)) return false;
    } else if (parsed.ec != std::errc() || parsed.ptr != ascii.data() + ascii.size()) {
        return false;
    }
    value = result;
    return true;
}

// ---------------------------------------------------------------------------------------------
// FormatFloat pictures

struct TPicture {
    String Text;            // the section
    int IntPlaceholders = 0;
    int IntMinDigits = 0;   // placeholders from the first integer '0' to the decimal point
    int DecPlaceholders = 0;
    int DecMinDigits = 0;   // up to the last '0' after the decimal point
    bool Thousands = false;
    bool Scientific = false;
};

std::vector<String> SplitSections(const String& format)
{
    std::vector<String> sections(1);
    wchar_t quote = 0;
    for (wchar_t c : format) {
        if (quote) {
            if (c == quote) quote = 0;
        } else if (c == L'"' || c == L'\'') {
            quote = c;
        } else if (c == L';' && sections.size() < 3) {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

TPicture AnalysePicture(const String& text)
{
    TPicture p;
    p.Text = text;
    bool afterPoint = false;
    int firstZero = -1;
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'"' || c == L'\'') {
            size_t close = text.find(c, i + 1);
            i = close == String::npos ? text.size() : close;
        } else if ((c == L'E' || c == L'e') && i + 1 < text.size() && (text[i + 1] == L'+' || text[i + 1] == L'-')) {
            p.Scientific = true;
            break;
        } else if (c == L'0' || c == L'#') {
            if (afterPoint) {
                ++p.DecPlaceholders;
                if (c == L'0') p.DecMinDigits = p.DecPlaceholders;
            } else {
                if (c == L'0' && firstZero < 0) firstZero = p.IntPlaceholders;
                ++p.IntPlaceholders;
            }
        } else if (c == L'.') {
            afterPoint = true;
        } else if (c == L',' && !afterPoint) {
            p.Thousands = true;
        }
    }
    if (firstZero >= 0) p.IntMinDigits = p.IntPlaceholders - firstZero;
    return p;
}

String LayOutPicture(const TPicture& p, const String& intDigits, const String& decDigits,
                     int exponent, bool minus, const TFormatSettings& fs)
{
    String out;
    if (minus) out += L'-';
    const String& text = p.Text;
    const int length = static_cast<int>(intDigits.size());
    int intIndex = 0, decIndex = 0;
    bool afterPoint = false, pointDone = false;
    auto emitInt = [&](int from, int to) {   // digits [from, to] of intDigits
        for (int d = std::max(from, 0); d <= to && d < length; ++d) {
            out += intDigits[static_cast<size_t>(d)];
            int left = length - 1 - d;
            if (p.Thousands && left > 0 && left % 3 == 0) out += fs.ThousandSeparator;
        }
    };
    auto emitPoint = [&]() {
        if (p.IntPlaceholders == 0) emitInt(0, length - 1);
        if (!decDigits.empty()) out += fs.DecimalSeparator;
        pointDone = true;
    };
    for (size_t i = 0; i < text.size(); ++i) {
        wchar_t c = text[i];
        if (c == L'"' || c == L'\'') {
            size_t close = text.find(c, i + 1);
            size_t end = close == String::npos ? text.size() : close;
            out.append(text, i + 1, end - i - 1);
            i = end;
        } else if ((c == L'E' || c == L'e') && i + 1 < text.size() && (text[i + 1] == L'+' || text[i + 1] == L'-')) {
            if (!pointDone) emitPoint();
            out += c;
            if (exponent < 0) out += L'-';
            else if (text[i + 1] == L'+') out += L'+';
            i += 2;
            int minDigits = 0;
            while (i < text.size() && text[i] == L'0') ++minDigits, ++i;
            --i;
            String digits = UnsignedToStr(static_cast<uint64_t>(std::abs(exponent)));
            if (static_cast<int>(digits.size()) < minDigits) digits.insert(0, static_cast<size_t>(minDigits) - digits.size(), L'0');
            out += digits;
            // The rest of the section is literal text.
            for (++i; i < text.size(); ++i) {
                if (text[i] == L'"' || text[i] == L'\'') {
                    size_t close = text.find(text[i], i + 1);
                    size_t end = close == String::npos ? text.size() : close;
                    out.append(text, i + 1, end - i - 1);
                    i = end;
                } else {
                    out += text[i];
                }
            }
            break;
        } else if (c == L'0' || c == L'#') {
            if (afterPoint) {
                if (decIndex < static_cast<int>(decDigits.size())) out += decDigits[static_cast<size_t>(decIndex)];
                ++decIndex;
            } else {
                // Digits align to the right of the placeholders; the first takes any surplus.
                int digit = intIndex - (p.IntPlaceholders - length);
                emitInt(intIndex == 0 ? 0 : digit, digit);
                ++intIndex;
            }
        } else if (c == L'.') {
            if (!afterPoint) {
                afterPoint = true;
                emitPoint();
            } else {
                out += c;
            }
        } else if (c == L',') {
            // Only switches grouping on.
        } else {
            out += c;
        }
    }
    if (!pointDone && p.IntPlaceholders == 0) emitInt(0, length - 1);
    return out;
}

String PictureText(const String& section, double value, bool minus, bool& isZero, const TFormatSettings& fs)
{
    TPicture p = AnalysePicture(section);
    String intDigits, decDigits;
    int exponent = 0;
    TFloatRec rec;
    if (p.Scientific) {
        int intCount = std::max(p.IntPlaceholders, 1);
        rec = FloatToDecimal(value, std::min(intCount + p.DecPlaceholders, MaxPrecision), 9999);
        if (!rec.Digits.empty()) exponent = rec.Exponent - intCount;
        for (int i = 0; i < intCount; ++i) intDigits += DigitAt(rec, i);
        size_t first = intDigits.find_first_not_of(L'0');
        intDigits = first == String::npos ? String() : intDigits.substr(first);
        for (int i = 0; i < p.DecPlaceholders; ++i) decDigits += DigitAt(rec, intCount + i);
    } else {
        rec = FloatToDecimal(value, MaxPrecision, p.DecPlaceholders);
        for (int i = 0; i < rec.Exponent; ++i) intDigits += DigitAt(rec, i);
        for (int i = 0; i < p.DecPlaceholders; ++i) decDigits += DigitAt(rec, static_cast<long long>(rec.Exponent) + i);
    }
    isZero = rec.Digits.empty();
    if (static_cast<int>(intDigits.size()) < p.IntMinDigits)
        intDigits.insert(0, static_cast<size_t>(p.IntMinDigits) - intDigits.size(), L'0');
    size_t shown = decDigits.find_last_not_of(L'0');
    shown = shown == String::npos ? 0 : shown + 1;
    decDigits.resize(std::max(shown, static_cast<size_t>(p.DecMinDigits)));
    return LayOutPicture(p, intDigits, decDigits, exponent, minus && !isZero, fs);
}

// ---------------------------------------------------------------------------------------------
// Format

[[noreturn]] void FormatError(const String& format)
{
    throw EConvertError(L"Format '" + format + L"' invalid or incompatible with argument");
}

String FormatArgument(wchar_t type, int precision, const TFormatArg& arg, const String& format, const TFormatSettings& fs)
{
    using K = TFormatArg::TKind;
    const K kind = arg.Kind();
    const bool integer = kind == K::Int || kind == K::Int64 || kind == K::UInt64;
    switch (type) {
    case L'D': {
        if (!integer) FormatError(format);
        bool negative = kind != K::UInt64 && arg.AsInt64() < 0;
        uint64_t magnitude = kind == K::UInt64 ? arg.AsUInt64() : negative ? 0 - arg.AsUInt64() : arg.AsUInt64();
        String digits = UnsignedToStr(magnitude);
        if (precision > static_cast<int>(digits.size())) digits.insert(0, static_cast<size_t>(precision) - digits.size(), L'0');
        return negative ? L"-" + digits : digits;
    }
    case L'U':
    case L'X': {
        if (!integer) FormatError(format);
        uint64_t bits = kind == K::Int ? static_cast<uint32_t>(arg.AsInt64()) : arg.AsUInt64();
        if (type == L'X') return HexOf(bits, precision);
        String digits = UnsignedToStr(bits);
        if (precision > static_cast<int>(digits.size())) digits.insert(0, static_cast<size_t>(precision) - digits.size(), L'0');
        return digits;
    }
    case L'E':
    case L'F':
    case L'G':
    case L'N':
    case L'M': {
        if (kind != K::Double) FormatError(format);
        double v = arg.AsDouble();
        switch (type) {
        case L'E': return FloatToText(v, ffExponent, precision < 0 ? 15 : precision, 3, fs);
        case L'G': return FloatToText(v, ffGeneral, precision < 0 ? 15 : precision, 3, fs);
        case L'F': return FloatToText(v, ffFixed, MaxPrecision, precision < 0 ? 2 : precision, fs);
        case L'N': return FloatToText(v, ffNumber, MaxPrecision, precision < 0 ? 2 : precision, fs);
        default: return FloatToText(v, ffCurrency, MaxPrecision, precision < 0 ? fs.CurrencyDecimals : precision, fs);
        }
    }
    case L'P':
        if (kind != K::Pointer) FormatError(format);
        return HexOf(reinterpret_cast<uintptr_t>(arg.AsPointer()), static_cast<int>(sizeof(void*) * 2));
    case L'S': {
        String text;
        if (kind == K::Text) text = arg.AsText();
        else if (kind == K::Char) text = String(1, arg.AsChar());
        else FormatError(format);
        if (precision >= 0 && static_cast<size_t>(precision) < text.size()) text.resize(static_cast<size_t>(precision));
        return text;
    }
    default:
        FormatError(format);
    }
}

} // namespace

// ---- Integers ----

String IntToStr(int value) { return SignedToStr(value); }
String IntToStr(long value) { return SignedToStr(value); }
String IntToStr(long long value) { return SignedToStr(value); }
String IntToStr(unsigned value) { return UnsignedToStr(value); }
String IntToStr(unsigned long value) { return UnsignedToStr(value); }
String IntToStr(unsigned long long value) { return UnsignedToStr(value); }

String IntToHex(int value, int digits) { return HexOf(static_cast<uint32_t>(value), digits); }
String IntToHex(long value, int digits) { return HexOf(static_cast<unsigned long>(value), digits); }
String IntToHex(unsigned value, int digits) { return HexOf(value, digits); }
String IntToHex(unsigned long value, int digits) { return HexOf(value, digits); }
String IntToHex(long long value, int digits) { return HexOf(static_cast<uint64_t>(value), digits); }
String IntToHex(unsigned long long value, int digits) { return HexOf(value, digits); }

bool TryStrToInt(const String& s, int& value)
{
    int64_t v;
    if (!ParseInteger(s, 32, v)) return false;
    value = static_cast<int>(v);
    return true;
}

bool TryStrToInt64(const String& s, int64_t& value) { return ParseInteger(s, 64, value); }

int StrToInt(const String& s)
{
    int value;
    if (!TryStrToInt(s, value)) IntegerError(s);
    return value;
}

int64_t StrToInt64(const String& s)
{
    int64_t value;
    if (!TryStrToInt64(s, value)) IntegerError(s);
    return value;
}

int StrToIntDef(const String& s, int defaultValue)
{
    int value;
    return TryStrToInt(s, value) ? value : defaultValue;
}

int64_t StrToInt64Def(const String& s, int64_t defaultValue)
{
    int64_t value;
    return TryStrToInt64(s, value) ? value : defaultValue;
}

// ---- Floating point ----

bool TryStrToFloat(const String& s, double& value, const TFormatSettings& settings) { return ParseFloat(s, value, settings); }
bool TryStrToFloat(const String& s, double& value) { return ParseFloat(s, value, FormatSettings); }

double StrToFloat(const String& s, const TFormatSettings& settings)
{
    double value;
    if (!ParseFloat(s, value, settings)) throw EConvertError(L"'" + s + L"' is not a valid floating point value");
    return value;
}

double StrToFloat(const String& s) { return StrToFloat(s, FormatSettings); }

double StrToFloatDef(const String& s, double defaultValue, const TFormatSettings& settings)
{
    double value;
    return ParseFloat(s, value, settings) ? value : defaultValue;
}

double StrToFloatDef(const String& s, double defaultValue) { return StrToFloatDef(s, defaultValue, FormatSettings); }

String FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& settings)
{
    return FloatToText(value, format, precision, digits, settings);
}

String FloatToStrF(double value, TFloatFormat format, int precision, int digits)
{
    return FloatToText(value, format, precision, digits, FormatSettings);
}

String FloatToStr(double value, const TFormatSettings& settings) { return FloatToText(value, ffGeneral, 15, 0, settings); }
String FloatToStr(double value) { return FloatToStr(value, FormatSettings); }

String FormatFloat(const String& format, double value, const TFormatSettings& settings)
{
    if (format.empty()) return FloatToStr(value, settings);
    if (std::isnan(value) || std::isinf(value)) return FloatToStr(value, settings);
    std::vector<String> sections = SplitSections(format);
    bool negative = value < 0;
    bool ownNegative = negative && sections.size() >= 2 && !sections[1].empty();
    const String& section = ownNegative ? sections[1] : sections[0];
    bool isZero = false;
    String text = PictureText(section, std::fabs(value), negative && !ownNegative, isZero, settings);
    if (isZero && sections.size() >= 3 && !sections[2].empty())
        text = PictureText(sections[2], 0.0, false, isZero, settings);
    return text;
}

String FormatFloat(const String& format, double value) { return FormatFloat(format, value, FormatSettings); }

// ---- Booleans ----

String BoolToStr(bool value, bool useBoolStrs)
{
    if (useBoolStrs) return value ? L"True" : L"False";
    return value ? L"-1" : L"0";
}

bool TryStrToBool(const String& s, bool& value)
{
    double number;
    if (ParseFloat(s, number, FormatSettings)) {
        value = number != 0;
        return true;
    }
    String text = Trim(s);
    if (SameText(text, L"True")) value = true;
    else if (SameText(text, L"False")) value = false;
    else return false;
    return true;
}

bool StrToBool(const String& s)
{
    bool value;
    if (!TryStrToBool(s, value)) throw EConvertError(L"'" + s + L"' is not a valid boolean value");
    return value;
}

bool StrToBoolDef(const String& s, bool defaultValue)
{
    bool value;
    return TryStrToBool(s, value) ? value : defaultValue;
}

// ---- Format ----

String Format(const String& format, const TFormatArg* args, size_t count, const TFormatSettings& settings)
{
    String result;
    const size_t n = format.size();
    size_t argIndex = 0;

    auto nextArg = [&]() -> const TFormatArg& {
        if (argIndex >= count) FormatError(format);
        return args[argIndex++];
    };
    // A run of digits, or "*" taking the next argument; -1 when neither is there.
    auto readNumber = [&](size_t& i) -> int {
        if (i < n && format[i] == L'*') {
            ++i;
            const TFormatArg& arg = nextArg();
            if (arg.Kind() != TFormatArg::TKind::Int) FormatError(format);
            return static_cast<int>(arg.AsInt64());
        }
        if (i >= n || format[i] < L'0' || format[i] > L'9') return -1;
        long long value = 0;
        while (i < n && format[i] >= L'0' && format[i] <= L'9') {
            value = std::min<long long>(value * 10 + (format[i] - L'0'), 0x7FFFFFFF);
            ++i;
        }
        return static_cast<int>(value);
    };

    for (size_t i = 0; i < n;) {
        wchar_t c = format[i++];
        if (c != L'%') {
            result += c;
            continue;
        }
        if (i >= n) FormatError(format);
        if (format[i] == L'%') {
            result += L'%';
            ++i;
            continue;
        }
        int width = readNumber(i);
        if (i < n && format[i] == L':') {
            if (width < 0) FormatError(format);
            argIndex = static_cast<size_t>(width);
            width = -1;
            ++i;
        }
        bool left = false;
        if (width < 0) {
            if (i < n && format[i] == L'-') {
                left = true;
                ++i;
            }
            width = readNumber(i);
        }
        int precision = -1;
        if (i < n && format[i] == L'.') {
            ++i;
            precision = std::max(readNumber(i), 0);
        }
        if (i >= n) FormatError(format);
        wchar_t type = format[i++];
        if (type >= L'a' && type <= L'z') type = static_cast<wchar_t>(type - 32);
        String text = FormatArgument(type, precision, nextArg(), format, settings);
        if (width > static_cast<int>(text.size())) {
            String pad(static_cast<size_t>(width) - text.size(), L' ');
            text = left ? text + pad : pad + text;
        }
        result += text;
    }
    return result;
}

String Format(const String& format, std::initializer_list<TFormatArg> args, const TFormatSettings& settings)
{
    return Format(format, args.begin(), args.size(), settings);
}

String Format(const String& format, std::initializer_list<TFormatArg> args)
{
    return Format(format, args.begin(), args.size(), FormatSettings);
}
