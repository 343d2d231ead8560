#pragma once
// Numbers to text and back, and Format: the runtime's printf, driven by a list of typed
// arguments. Everything that reads or writes a decimal separator, a thousand separator or a
// currency symbol has an overload taking the settings to use; the others use FormatSettings.
// Text that does not convert raises EConvertError with the runtime's wording.
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "framework/system/Exceptions.h"
#include "framework/system/FormatSettings.h"
#include "framework/system/SystemTypes.h"

// shlwapi.h defines StrToInt as a macro for its own function; ours must keep its name.
#ifdef StrToInt
#undef StrToInt
#endif

// ---- Integers ----
String IntToStr(int value);
String IntToStr(long value);
String IntToStr(long long value);
String IntToStr(unsigned value);
String IntToStr(unsigned long value);
String IntToStr(unsigned long long value);
// Upper-case hexadecimal, zero-padded to at least digits. 32-bit types print their 32-bit
// pattern (IntToHex(-1, 1) is "FFFFFFFF"), 64-bit types their 64-bit one.
String IntToHex(int value, int digits);
String IntToHex(long value, int digits);
String IntToHex(unsigned value, int digits);
String IntToHex(unsigned long value, int digits);
String IntToHex(long long value, int digits);
String IntToHex(unsigned long long value, int digits);

// Decimal with an optional sign, blanks around it allowed; "$", "0x" or "x" before the digits
// reads hexadecimal (hexadecimal may use the full unsigned range: "$FFFFFFFF" is -1).
// EConvertError "'<s>' is not a valid integer value" when s is anything else or out of range.
int StrToInt(const String& s);
int64_t StrToInt64(const String& s);
int StrToIntDef(const String& s, int defaultValue);
int64_t StrToInt64Def(const String& s, int64_t defaultValue);
bool TryStrToInt(const String& s, int& value);
bool TryStrToInt64(const String& s, int64_t& value);

// ---- Floating point ----
// Sign, digits, the settings' decimal separator, an exponent ("1,5E3" under de-DE); blanks around
// it allowed, no thousand separators; "INF", "-INF" and "NAN" as FloatToStr writes them.
// EConvertError "'<s>' is not a valid floating point value".
double StrToFloat(const String& s);
double StrToFloat(const String& s, const TFormatSettings& settings);
double StrToFloatDef(const String& s, double defaultValue);
double StrToFloatDef(const String& s, double defaultValue, const TFormatSettings& settings);
bool TryStrToFloat(const String& s, double& value);
bool TryStrToFloat(const String& s, double& value, const TFormatSettings& settings);

enum TFloatFormat { ffGeneral, ffExponent, ffFixed, ffNumber, ffCurrency };
// precision = significant digits (at most 18); digits = exponent digits for ffGeneral and
// ffExponent (0..4), decimals for ffFixed, ffNumber and ffCurrency. Rounding is half away from
// zero on the decimal digits. ffFixed and ffNumber fall back to ffGeneral when the integer part
// has more than precision digits.
String FloatToStrF(double value, TFloatFormat format, int precision, int digits);
String FloatToStrF(double value, TFloatFormat format, int precision, int digits, const TFormatSettings& settings);
// Shortest form with at most 15 significant digits: "0.1", "1E15", "1E-5", "-INF", "NAN".
String FloatToStr(double value);
String FloatToStr(double value, const TFormatSettings& settings);
// Picture formats: sections "positive;negative;zero" of 0 # . , E+ E- e+ e- and quoted or plain
// literals ("#,##0.00", "000-0000", "0.0E+00"). An empty picture is FloatToStr.
String FormatFloat(const String& format, double value);
String FormatFloat(const String& format, double value, const TFormatSettings& settings);

// ---- Booleans ----
// "True"/"False" with useBoolStrs, else "-1"/"0".
String BoolToStr(bool value, bool useBoolStrs = false);
// "True"/"False" in any case, or a number (0 is false). EConvertError
// "'<s>' is not a valid boolean value".
bool StrToBool(const String& s);
bool StrToBoolDef(const String& s, bool defaultValue);
bool TryStrToBool(const String& s, bool& value);

// ---- Format ----
// One argument of Format. Holds texts by pointer: build the list in the call's own expression
// (Format(L"%s", {IntToStr(n)}) is fine), never keep a TFormatArg beyond it.
class TFormatArg {
public:
    enum class TKind { Int, Int64, UInt64, Double, Char, Text, Pointer };

    TFormatArg(int v) : FKind(TKind::Int) { FValue.i = v; }
    TFormatArg(long v) : FKind(sizeof(long) == 4 ? TKind::Int : TKind::Int64) { FValue.i = v; }
    TFormatArg(long long v) : FKind(TKind::Int64) { FValue.i = v; }
    TFormatArg(unsigned v) : FKind(TKind::Int64) { FValue.i = v; }
    TFormatArg(unsigned long v) : FKind(sizeof(unsigned long) == 4 ? TKind::Int64 : TKind::UInt64) { FValue.u = v; }
    TFormatArg(unsigned long long v) : FKind(TKind::UInt64) { FValue.u = v; }
    TFormatArg(double v) : FKind(TKind::Double) { FValue.d = v; }
    TFormatArg(float v) : FKind(TKind::Double) { FValue.d = v; }
    TFormatArg(long double v) : FKind(TKind::Double) { FValue.d = static_cast<double>(v); }
    TFormatArg(wchar_t v) : FKind(TKind::Char) { FValue.c = v; }
    TFormatArg(const wchar_t* v) : FKind(TKind::Text) { FValue.text = v; FLength = v ? String::traits_type::length(v) : 0; }
    TFormatArg(const String& v) : FKind(TKind::Text) { FValue.text = v.data(); FLength = v.size(); }
    TFormatArg(const void* v) : FKind(TKind::Pointer) { FValue.p = v; }
    TFormatArg(std::nullptr_t) : FKind(TKind::Pointer) { FValue.p = nullptr; }

    TKind Kind() const { return FKind; }
    int64_t AsInt64() const { return FValue.i; }
    uint64_t AsUInt64() const { return FValue.u; }
    double AsDouble() const { return FValue.d; }
    wchar_t AsChar() const { return FValue.c; }
    const void* AsPointer() const { return FValue.p; }
    String AsText() const { return FValue.text ? String(FValue.text, FLength) : String(); }

private:
    TKind FKind;
    union {
        int64_t i;
        uint64_t u;
        double d;
        wchar_t c;
        const wchar_t* text;
        const void* p;
    } FValue;
    size_t FLength = 0;
};

// %[index:][-][width][.precision]type, with * for index, width or precision taken from the next
// (integer) argument and %% for a percent sign. Types, in either case:
//   d  integer; a precision pads with zeros           u  integer as unsigned
//   x  upper-case hexadecimal; precision pads          p  pointer, upper-case hex, full width
//   s  text or character; precision cuts it
//   e  scientific, precision = significant digits (15), exponent sign and 3 digits: 1.50E+003
//   f  fixed, precision = decimals (2)                 n  f with thousand separators
//   g  general (shortest, 15 digits)                   m  currency (CurrencyDecimals)
// width pads with blanks on the left, or on the right after "-". Index is 0-based and later
// arguments follow on from it. A bad format, a missing argument or one of the wrong kind raises
// EConvertError "Format '<format>' invalid or incompatible with argument".
String Format(const String& format, std::initializer_list<TFormatArg> args);
String Format(const String& format, std::initializer_list<TFormatArg> args, const TFormatSettings& settings);
String Format(const String& format, const TFormatArg* args, size_t count, const TFormatSettings& settings);
