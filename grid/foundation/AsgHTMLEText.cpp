// Markup texts edited without drawing them: plain text for export, entities, the values of drawn
// controls that the grid edits in place, and search matches marked with a tag.
#include <algorithm>
#include <cwctype>
#include <vector>

#include "framework/system/StringUtils.h"
#include "grid/foundation/AsgHTMLE.h"

namespace {

bool StartsAt(const String& Text, size_t At, const wchar_t* Pattern)
{
    for (size_t k = 0; Pattern[k] != 0; ++k)
        if (At + k >= Text.size() || Text[At + k] != Pattern[k]) return false;
    return true;
}

size_t Length(const wchar_t* S) { return std::char_traits<wchar_t>::length(S); }

// One left-to-right pass, so that what one replacement produces is never decoded again
// ("&amp;lt;" gives "&lt;", not "<"). With Nbsp, "&nbsp;" is a blank too (control values).
String DecodeOnce(const String& Text, bool Nbsp)
{
    static const struct {
        const wchar_t* Name;
        wchar_t Char;
    } basic[] = {{L"&lt;", L'<'}, {L"&gt;", L'>'}, {L"&amp;", L'&'}, {L"&quot;", L'"'}, {L"&nbsp;", L' '}};
    String out;
    out.reserve(Text.size());
    size_t i = 0;
    while (i < Text.size()) {
        if (Text[i] == L'&') {
            bool done = false;
            for (const auto& b : basic) {
                if (b.Char == L' ' && !Nbsp) continue;
                if (StartsAt(Text, i, b.Name)) {
                    out += b.Char;
                    i += Length(b.Name);
                    done = true;
                    break;
                }
            }
            for (int k = 0; !done && k < MarkupEntityCount; ++k) {
                if (StartsAt(Text, i, MarkupEntityNames[k])) {
                    out += MarkupEntityChars[k];
                    i += Length(MarkupEntityNames[k]);
                    done = true;
                }
            }
            if (done) continue;
        }
        out += Text[i++];
    }
    return out;
}

// A control value as written into its tag: it must read back unchanged, so the characters that
// would end the attribute or be taken for an entity are written as entities.
String EncodeControlValue(const String& Value)
{
    String out;
    for (wchar_t c : Value) {
        switch (c) {
        case L' ': out += L"&nbsp;"; break;
        case L'&': out += L"&amp;"; break;
        case L'"': out += L"&quot;"; break;
        case L'<': out += L"&lt;"; break;
        case L'>': out += L"&gt;"; break;
        default: out += c;
        }
    }
    return out;
}

// Every CONTROL tag of the text, in order: where it starts ("<") and ends (after ">", or the
// text's end when it is never closed).
struct TControlSpan {
    size_t Start, End;
    TMarkupControl Control;
};

std::vector<TControlSpan> ControlSpans(const String& Text)
{
    std::vector<TControlSpan> spans;
    String upper = UpperCase(Text);
    size_t at = 0;
    while ((at = upper.find(L"<CONTROL ", at)) != String::npos) {
        size_t close = Text.find(L'>', at);
        size_t end = close == String::npos ? Text.size() : close + 1;
        spans.push_back({at, end, ParseControlTag(Text.substr(at, end - at))});
        at = end;
    }
    return spans;
}

// Finds where a tag that starts at a position ends, for a walk from left to right. A "<" with no
// ">" after it is plain text; once the search for a ">" has failed, none lies further on either,
// so a text full of unclosed "<" is walked once rather than once per "<".
class TTagSkipper {
public:
    explicit TTagSkipper(const String& Text) : FText(Text) {}

    // The position after the tag at At; 0 when no tag starts there.
    size_t After(size_t At)
    {
        if (FText[At] != L'<' || FNoCloseLeft) return 0;
        size_t close = FText.find(L'>', At + 1);
        if (close == String::npos) {
            FNoCloseLeft = true;
            return 0;
        }
        return close + 1;
    }

private:
    const String& FText;
    bool FNoCloseLeft = false;
};

} // namespace

String StripTags(const String& Text)
{
    String out;
    out.reserve(Text.size());
    size_t i = 0;
    while (i < Text.size()) {
        if (Text[i] == L'<') {
            size_t close = Text.find(L'>', i + 1);
            if (close == String::npos) {
                out.append(Text, i, String::npos);
                break;
            }
            i = close + 1;
            continue;
        }
        out += Text[i++];
    }
    return out;
}

String StripMarkup(const String& Text)
{
    String s = StringReplace(Text, L"<BR>", L"\r\n", rfReplaceAll | rfIgnoreCase);
    s = StringReplace(s, L"<HR>", L"\r\n", rfReplaceAll | rfIgnoreCase);
    return StripTags(s);
}

String DecodeEntities(const String& Text) { return DecodeOnce(Text, false); }

// One pass: an "&" already written as "&amp;" is never turned into something else.
String EncodeEntities(const String& Text)
{
    String out;
    out.reserve(Text.size());
    for (wchar_t c : Text) {
        switch (c) {
        case L'&': out += L"&amp;"; continue;
        case L'"': out += L"&quot;"; continue;
        case L'<': out += L"&lt;"; continue;
        case L'>': out += L"&gt;"; continue;
        default: break;
        }
        auto it = std::find(MarkupEntityChars.begin(), MarkupEntityChars.end(), c);
        if (it != MarkupEntityChars.end())
            out += MarkupEntityNames[static_cast<size_t>(it - MarkupEntityChars.begin())];
        else
            out += c;
    }
    return out;
}

String SpacesToNbsp(const String& Text) { return StringReplace(Text, L" ", L"&nbsp;", rfReplaceAll); }

bool HasMarkupControl(const String& Text) { return Pos(L"<CONTROL", UpperCase(Text)) > 0; }

// Attributes are read as NAME="value" pairs in order, so a value that holds text like ID= is
// never taken for another attribute. A name without a quoted value reads as empty.
TMarkupControl ParseControlTag(const String& Tag)
{
    TMarkupControl c;
    size_t i = 0;
    const size_t n = Tag.size();
    while (i < n) {
        if (Tag[i] == L'"') { // a stray quoted piece: skip it whole
            size_t close = Tag.find(L'"', i + 1);
            i = close == String::npos ? n : close + 1;
            continue;
        }
        if (!std::iswalpha(Tag[i])) {
            ++i;
            continue;
        }
        size_t nameStart = i;
        while (i < n && std::iswalnum(Tag[i])) ++i;
        String name = UpperCase(Tag.substr(nameStart, i - nameStart));
        size_t j = i;
        while (j < n && Tag[j] == L' ') ++j;
        if (j >= n || Tag[j] != L'=') continue;
        ++j;
        while (j < n && Tag[j] == L' ') ++j;
        String value;
        if (j < n && Tag[j] == L'"') {
            size_t close = Tag.find(L'"', j + 1);
            size_t end = close == String::npos ? n : close;
            value = Tag.substr(j + 1, end - j - 1);
            i = close == String::npos ? n : close + 1;
        } else {
            i = j;
        }
        if (name == L"TYPE") c.Kind = UpperCase(value);
        else if (name == L"ID") c.Id = value;
        else if (name == L"VALUE") c.Value = DecodeOnce(value, true);
        else if (name == L"WIDTH") c.Width = value;
        else if (name == L"HEIGHT") c.Height = value;
        else if (name == L"PROP") c.Prop = DecodeOnce(value, true);
        else if (name == L"MAXLEN") c.MaxLen = value;
    }
    return c;
}

String NextMarkupEditControl(const String& Text, const String& Id)
{
    bool passed = Id.empty();
    for (const TControlSpan& s : ControlSpans(Text)) {
        if (!passed) {
            passed = s.Control.Id == Id;
            continue;
        }
        const String& k = s.Control.Kind;
        if (k != L"BUTTON" && k != L"CHECK" && k != L"RADIO") return s.Control.Id;
    }
    return String();
}

String ClearMarkupRadios(const String& Text)
{
    String result = Text;
    std::vector<String> radios;
    for (const TControlSpan& s : ControlSpans(Text))
        if (s.Control.Kind == L"RADIO") radios.push_back(s.Control.Id);
    for (const String& id : radios) SetMarkupControlValue(result, id, L"FALSE");
    return result;
}

String GetMarkupControlProp(const String& Text, const String& Id)
{
    for (const TControlSpan& s : ControlSpans(Text))
        if (s.Control.Id == Id) return s.Control.Prop;
    return String();
}

int GetMarkupControlMaxLen(const String& Text, const String& Id)
{
    for (const TControlSpan& s : ControlSpans(Text))
        if (s.Control.Id == Id) return MarkupNumber(s.Control.MaxLen);
    return 0;
}

bool SetMarkupControlValue(String& Text, const String& Id, const String& Value)
{
    for (const TControlSpan& s : ControlSpans(Text)) {
        if (s.Control.Id != Id) continue;
        const TMarkupControl& c = s.Control;
        String tag = L"<CONTROL ID=\"" + c.Id + L"\" VALUE=\"" + EncodeControlValue(Value) + L"\" WIDTH=\"" + c.Width +
                     L"\" TYPE=\"" + c.Kind + L"\"";
        String upper = UpperCase(Text.substr(s.Start, s.End - s.Start));
        if (upper.find(L"PROP=") != String::npos) tag += L" PROP=\"" + EncodeControlValue(c.Prop) + L"\"";
        if (upper.find(L"MAXLEN=") != String::npos) tag += L" MAXLEN=\"" + c.MaxLen + L"\"";
        if (upper.find(L"HEIGHT=") != String::npos) tag += L" HEIGHT=\"" + c.Height + L"\"";
        tag += L">";
        Text = Text.substr(0, s.Start) + tag + Text.substr(s.End);
        return true;
    }
    return false;
}

int PlainToMarkupIndex(const String& Markup, int N)
{
    if (N < 1) return 0;
    int count = 0;
    size_t i = 0;
    TTagSkipper tags(Markup);
    while (i < Markup.size()) {
        if (size_t next = tags.After(i)) {
            i = next;
            continue;
        }
        if (++count == N) return static_cast<int>(i) + 1;
        ++i;
    }
    return N == count + 1 ? static_cast<int>(Markup.size()) + 1 : 0;
}

bool FindFromPos(const String& Sub, const String& Text, int Start, int& Position, bool CaseSensitive)
{
    Position = 0;
    if (Sub.empty() || Start < 0 || static_cast<size_t>(Start) >= Text.size()) return false;
    String hay = Text.substr(static_cast<size_t>(Start));
    String needle = Sub;
    if (!CaseSensitive) {
        hay = AnsiUpperCase(hay);
        needle = AnsiUpperCase(needle);
    }
    int at = Pos(needle, hay);
    if (at == 0) return false;
    Position = Start + at;
    return true;
}

void MarkMatches(const String& Markup, const String& Search, const String& Tag, String& Result, bool CaseSensitive)
{
    String markup = Markup;
    String search = Search;
    String plain = StripTags(markup);
    if (plain.find_first_of(L"<>") != String::npos) {
        auto escape = [](const String& s) {
            return StringReplace(StringReplace(s, L"<", L"&lt;", rfReplaceAll), L">", L"&gt;", rfReplaceAll);
        };
        plain = escape(plain);
        search = escape(search);
        markup = plain;
    }
    Result = markup;
    if (search.empty()) return;

    // One walk over the markup: where each plain character sits, then the matches, then the
    // result with the tags put in, so that long texts with many matches stay linear.
    std::vector<size_t> where;
    where.reserve(plain.size());
    TTagSkipper tags(markup);
    for (size_t i = 0; i < markup.size();) {
        if (size_t next = tags.After(i)) {
            i = next;
            continue;
        }
        where.push_back(i++);
    }
    String hay = CaseSensitive ? plain : AnsiUpperCase(plain);
    String needle = CaseSensitive ? search : AnsiUpperCase(search);
    std::vector<size_t> opens, closes; // markup positions, ascending
    for (size_t at = hay.find(needle); at != String::npos && at + needle.size() <= where.size();
         at = hay.find(needle, at + needle.size())) {
        opens.push_back(where[at]);
        closes.push_back(where[at + needle.size() - 1] + 1);
    }
    if (opens.empty()) return;
    String out;
    out.reserve(markup.size() + opens.size() * (2 * Tag.size() + 5));
    size_t o = 0, c = 0;
    for (size_t i = 0; i <= markup.size(); ++i) {
        while (c < closes.size() && closes[c] == i) {
            out += L"</" + Tag + L">";
            ++c;
        }
        while (o < opens.size() && opens[o] == i) {
            out += L"<" + Tag + L">";
            ++o;
        }
        if (i < markup.size()) out += markup[i];
    }
    Result = out;
}

void UnmarkTag(const String& Markup, const String& Tag, String& Result)
{
    String tag = UpperCase(Tag);
    Result = StringReplace(Markup, L"<" + tag + L">", L"", rfReplaceAll | rfIgnoreCase);
    Result = StringReplace(Result, L"</" + tag + L">", L"", rfReplaceAll | rfIgnoreCase);
    Result = StringReplace(Result, L"&lt;", L"<", rfReplaceAll);
    Result = StringReplace(Result, L"&gt;", L">", rfReplaceAll);
}

String MaskPassword(const String& Text) { return String(Text.size(), L'*'); }
