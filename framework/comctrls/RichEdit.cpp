#include "framework/comctrls/RichEdit.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "framework/classes/Streams.h"

namespace {

// The search flags of EM_FINDTEXTEX (the common dialogs' FR_ values; their header turns FindText
// into a macro).
constexpr WPARAM FindDown = 0x1, FindWholeWord = 0x2, FindMatchCase = 0x4;

// The rich edit class of the newest library there is; loaded once.
const wchar_t* RichEditClassName()
{
    static const wchar_t* name = [] {
        if (LoadLibraryW(L"msftedit.dll") != nullptr) return L"RICHEDIT50W";
        if (LoadLibraryW(L"riched20.dll") != nullptr) return L"RichEdit20W";
        throw EOutOfResources(L"The rich edit library cannot be loaded");
    }();
    return name;
}

struct TStreamCookie {
    TStream* Stream = nullptr;
    const uint8_t* Data = nullptr;
    size_t Size = 0;
    size_t Position = 0;
    std::exception_ptr Error;
};

DWORD CALLBACK StreamInCallback(DWORD_PTR Cookie, LPBYTE Buffer, LONG Count, LONG* Done)
{
    auto* cookie = reinterpret_cast<TStreamCookie*>(Cookie);
    try {
        if (cookie->Stream != nullptr)
            *Done = cookie->Stream->Read(Buffer, Count);
        else {
            size_t n = std::min(static_cast<size_t>(Count), cookie->Size - cookie->Position);
            std::copy_n(cookie->Data + cookie->Position, n, Buffer);
            cookie->Position += n;
            *Done = static_cast<LONG>(n);
        }
        return 0;
    } catch (...) {
        // An exception must not cross the control's code: it is raised again afterwards.
        cookie->Error = std::current_exception();
        *Done = 0;
        return 1;
    }
}

DWORD CALLBACK StreamOutCallback(DWORD_PTR Cookie, LPBYTE Buffer, LONG Count, LONG* Done)
{
    auto* cookie = reinterpret_cast<TStreamCookie*>(Cookie);
    try {
        cookie->Stream->WriteBuffer(Buffer, Count);
        *Done = Count;
        return 0;
    } catch (...) {
        cookie->Error = std::current_exception();
        *Done = 0;
        return 1;
    }
}

// Paragraph texts of the control's raw text (a CR between paragraphs); a final CR does not
// start another paragraph.
std::vector<String> SplitParagraphs(const String& Raw)
{
    std::vector<String> result;
    size_t start = 0;
    while (start <= Raw.size()) {
        size_t end = Raw.find(L'\r', start);
        if (end == String::npos) {
            if (start < Raw.size()) result.push_back(Raw.substr(start));
            break;
        }
        result.push_back(Raw.substr(start, end - start));
        start = end + 1;
    }
    return result;
}

std::vector<uint8_t> ReadRest(TStream* Stream)
{
    std::vector<uint8_t> bytes;
    uint8_t buffer[8192];
    for (;;) {
        int n = Stream->Read(buffer, sizeof buffer);
        if (n <= 0) break;
        bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
}

bool IsRtf(const std::vector<uint8_t>& Bytes)
{
    static const char prefix[] = "{\\rtf";
    return Bytes.size() >= 5 && std::equal(prefix, prefix + 5, Bytes.begin());
}

// EM_STREAMIN or EM_STREAMOUT (Message) over Cookie; the control's error code comes back.
DWORD Transfer(HWND Wnd, UINT Message, UINT Format, TStreamCookie& Cookie)
{
    EDITSTREAM info{reinterpret_cast<DWORD_PTR>(&Cookie), 0, Message == EM_STREAMIN ? StreamInCallback : StreamOutCallback};
    SendMessageW(Wnd, Message, Format, reinterpret_cast<LPARAM>(&info));
    return info.dwError;
}

// A transfer that raises what went wrong: the stream's own exception first, else the control's error.
void TransferOrRaise(HWND Wnd, UINT Message, UINT Format, TStreamCookie& Cookie)
{
    DWORD error = Transfer(Wnd, Message, Format, Cookie);
    if (Cookie.Error) std::rethrow_exception(Cookie.Error);
    if (error == 0) return;
    if (Message == EM_STREAMIN) throw EReadError(L"Rich edit content cannot be read");
    throw EWriteError(L"Rich edit content cannot be written");
}

// Whether the control's window exists or can be made (it has somewhere to live).
bool CanReachWindow(TCustomRichEdit* RichEdit)
{
    return RichEdit->HandleAllocated() || RichEdit->Parent() != nullptr || RichEdit->ParentWindow() != nullptr;
}

void PutColor(CHARFORMAT2W& Format, TColor Color)
{
    if (Color == clWindowText)
        Format.dwEffects = CFE_AUTOCOLOR;
    else
        Format.crTextColor = static_cast<COLORREF>(ColorToRGB(Color));
}

void PutFaceName(CHARFORMAT2W& Format, const String& Name)
{
    String name = Name.substr(0, LF_FACESIZE - 1);
    std::copy(name.begin(), name.end(), Format.szFaceName);
}

DWORD StyleEffects(TFontStyles Style)
{
    DWORD effects = 0;
    if (Style.Contains(fsBold)) effects |= CFE_BOLD;
    if (Style.Contains(fsItalic)) effects |= CFE_ITALIC;
    if (Style.Contains(fsUnderline)) effects |= CFE_UNDERLINE;
    if (Style.Contains(fsStrikeOut)) effects |= CFE_STRIKEOUT;
    return effects;
}

BYTE PitchBits(TFontPitch Pitch)
{
    switch (Pitch) {
    case fpVariable: return VARIABLE_PITCH;
    case fpFixed: return FIXED_PITCH;
    default: return DEFAULT_PITCH;
    }
}

CHARRANGE GetSelection(HWND Wnd)
{
    CHARRANGE range{0, 0};
    SendMessageW(Wnd, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&range));
    return range;
}

void SetSelection(HWND Wnd, CHARRANGE Range)
{
    SendMessageW(Wnd, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&Range));
}

} // namespace

// ---- TTextAttributes ---------------------------------------------------------------------

TTextAttributes::TTextAttributes(TCustomRichEdit* RichEdit, TAttributeType AttributeType)
    : FRichEdit(RichEdit), FType(AttributeType)
{
}

void TTextAttributes::InitFormat(CHARFORMAT2W& Format)
{
    ZeroMemory(&Format, sizeof Format);
    Format.cbSize = sizeof Format;
}

void TTextAttributes::GetAttributes(CHARFORMAT2W& Format)
{
    InitFormat(Format);
    if (!CanReachWindow(FRichEdit)) return;
    SendMessageW(FRichEdit->Handle(), EM_GETCHARFORMAT, FType == atSelected ? SCF_SELECTION : SCF_DEFAULT,
                 reinterpret_cast<LPARAM>(&Format));
}

void TTextAttributes::SetAttributes(CHARFORMAT2W& Format)
{
    if (!CanReachWindow(FRichEdit)) return;
    SendMessageW(FRichEdit->Handle(), EM_SETCHARFORMAT, FType == atSelected ? SCF_SELECTION : SCF_DEFAULT,
                 reinterpret_cast<LPARAM>(&Format));
}

void TTextAttributes::Assign(TPersistent* Source)
{
    CHARFORMAT2W format;
    if (auto* font = dynamic_cast<TFont*>(Source)) {
        InitFormat(format);
        format.dwMask = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
        PutColor(format, font->Color());
        format.dwEffects |= StyleEffects(font->Style());
        format.yHeight = font->Size() * 20;
        format.bCharSet = font->Charset();
        PutFaceName(format, font->Name());
        format.bPitchAndFamily = PitchBits(font->Pitch());
        SetAttributes(format);
    } else if (auto* other = dynamic_cast<TTextAttributes*>(Source)) {
        other->GetAttributes(format);
        format.dwMask = CFM_SIZE | CFM_COLOR | CFM_FACE | CFM_CHARSET | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE |
                        CFM_STRIKEOUT | CFM_PROTECTED;
        SetAttributes(format);
    } else
        TPersistent::Assign(Source);
}

void TTextAttributes::AssignTo(TPersistent* Dest)
{
    if (auto* font = dynamic_cast<TFont*>(Dest)) {
        font->SetColor(Color());
        font->SetName(Name());
        font->SetCharset(Charset());
        font->SetSize(Size());
        font->SetStyle(Style());
        font->SetPitch(Pitch());
    } else if (auto* other = dynamic_cast<TTextAttributes*>(Dest))
        other->Assign(this);
    else
        TPersistent::AssignTo(Dest);
}

TColor TTextAttributes::Color()
{
    CHARFORMAT2W format;
    GetAttributes(format);
    if ((format.dwEffects & CFE_AUTOCOLOR) != 0) return clWindowText;
    return static_cast<TColor>(format.crTextColor);
}

void TTextAttributes::SetColor(TColor Value)
{
    CHARFORMAT2W format;
    InitFormat(format);
    format.dwMask = CFM_COLOR;
    PutColor(format, Value);
    SetAttributes(format);
}

String TTextAttributes::Name()
{
    CHARFORMAT2W format;
    GetAttributes(format);
    return format.szFaceName;
}

void TTextAttributes::SetName(const String& Value)
{
    CHARFORMAT2W format;
    InitFormat(format);
    format.dwMask = CFM_FACE;
    PutFaceName(format, Value);
    SetAttributes(format);
}

int TTextAttributes::Size()
{
    CHARFORMAT2W format;
    GetAttributes(format);
    return format.yHeight / 20;
}

void TTextAttributes::SetSize(int Value)
{
    CHARFORMAT2W format;
    InitFormat(format);
    format.dwMask = CFM_SIZE;
    format.yHeight = Value * 20;
    SetAttributes(format);
}

int TTextAttributes::Height()
{
    return MulDiv(Size(), ScreenPixelsPerInch(), 72);
}

void TTextAttributes::SetHeight(int Value)
{
    SetSize(MulDiv(Value, 72, ScreenPixelsPerInch()));
}

TFontStyles TTextAttributes::Style()
{
    CHARFORMAT2W format;
    GetAttributes(format);
    TFontStyles result;
    if ((format.dwEffects & CFE_BOLD) != 0) result.Include(fsBold);
    if ((format.dwEffects & CFE_ITALIC) != 0) result.Include(fsItalic);
    if ((format.dwEffects & CFE_UNDERLINE) != 0) result.Include(fsUnderline);
    if ((format.dwEffects & CFE_STRIKEOUT) != 0) result.Include(fsStrikeOut);
    return result;
}

void TTextAttributes::SetStyle(TFontStyles Value)
{
    CHARFORMAT2W format;
    InitFormat(format);
    format.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    format.dwEffects = StyleEffects(Value);
    SetAttributes(format);
}

TFontCharset TTextAttributes::Charset()
{
    CHARFORMAT2W format;
    GetAttributes(format);
    return format.bCharSet;
}

void TTextAttributes::SetCharset(TFontCharset Value)
{
    CHARFORMAT2W format;
    InitFormat(format);
    format.dwMask = CFM_CHARSET;
    format.bCharSet = Value;
    SetAttributes(format);
}

TFontPitch TTextAttributes::Pitch()
{
    CHARFORMAT2W format;
    GetAttributes(format);
    switch (format.bPitchAndFamily & 3) {
    case VARIABLE_PITCH: return fpVariable;
    case FIXED_PITCH: return fpFixed;
    default: return fpDefault;
    }
}

void TTextAttributes::SetPitch(TFontPitch Value)
{
    // The pitch goes with the face.
    CHARFORMAT2W format;
    GetAttributes(format);
    format.dwMask = CFM_FACE;
    format.bPitchAndFamily = static_cast<BYTE>((format.bPitchAndFamily & ~3) | PitchBits(Value));
    SetAttributes(format);
}

bool TTextAttributes::Protected()
{
    CHARFORMAT2W format;
    GetAttributes(format);
    return (format.dwEffects & CFE_PROTECTED) != 0;
}

void TTextAttributes::SetProtected(bool Value)
{
    CHARFORMAT2W format;
    InitFormat(format);
    format.dwMask = CFM_PROTECTED;
    if (Value) format.dwEffects = CFE_PROTECTED;
    SetAttributes(format);
}

TConsistentAttributes TTextAttributes::ConsistentAttributes()
{
    CHARFORMAT2W format;
    GetAttributes(format);
    TConsistentAttributes result;
    if ((format.dwMask & CFM_BOLD) != 0) result.Include(caBold);
    if ((format.dwMask & CFM_COLOR) != 0) result.Include(caColor);
    if ((format.dwMask & CFM_FACE) != 0) result.Include(caFace);
    if ((format.dwMask & CFM_ITALIC) != 0) result.Include(caItalic);
    if ((format.dwMask & CFM_SIZE) != 0) result.Include(caSize);
    if ((format.dwMask & CFM_STRIKEOUT) != 0) result.Include(caStrikeOut);
    if ((format.dwMask & CFM_UNDERLINE) != 0) result.Include(caUnderline);
    if ((format.dwMask & CFM_PROTECTED) != 0) result.Include(caProtected);
    return result;
}

// ---- TParaAttributes ---------------------------------------------------------------------

void TParaAttributes::InitFormat(PARAFORMAT2& Format)
{
    ZeroMemory(&Format, sizeof Format);
    Format.cbSize = sizeof Format;
}

void TParaAttributes::GetAttributes(PARAFORMAT2& Format)
{
    InitFormat(Format);
    if (!CanReachWindow(FRichEdit)) return;
    SendMessageW(FRichEdit->Handle(), EM_GETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&Format));
}

void TParaAttributes::SetAttributes(PARAFORMAT2& Format)
{
    if (!CanReachWindow(FRichEdit)) return;
    SendMessageW(FRichEdit->Handle(), EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&Format));
}

void TParaAttributes::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TParaAttributes*>(Source);
    if (other == nullptr) {
        TPersistent::Assign(Source);
        return;
    }
    PARAFORMAT2 format;
    other->GetAttributes(format);
    format.dwMask = PFM_ALIGNMENT | PFM_STARTINDENT | PFM_OFFSET | PFM_RIGHTINDENT | PFM_NUMBERING | PFM_TABSTOPS;
    SetAttributes(format);
}

TAlignment TParaAttributes::Alignment()
{
    PARAFORMAT2 format;
    GetAttributes(format);
    switch (format.wAlignment) {
    case PFA_RIGHT: return taRightJustify;
    case PFA_CENTER: return taCenter;
    default: return taLeftJustify;
    }
}

void TParaAttributes::SetAlignment(TAlignment Value)
{
    PARAFORMAT2 format;
    InitFormat(format);
    format.dwMask = PFM_ALIGNMENT;
    format.wAlignment = Value == taRightJustify ? PFA_RIGHT : Value == taCenter ? PFA_CENTER : PFA_LEFT;
    SetAttributes(format);
}

// The control keeps indents in twips (20 to a point).
int TParaAttributes::Indent(LONG PARAFORMAT2::*Field)
{
    PARAFORMAT2 format;
    GetAttributes(format);
    return format.*Field / 20;
}

void TParaAttributes::SetIndent(DWORD Mask, LONG PARAFORMAT2::*Field, int Value)
{
    PARAFORMAT2 format;
    InitFormat(format);
    format.dwMask = Mask;
    format.*Field = Value * 20;
    SetAttributes(format);
}

int TParaAttributes::FirstIndent()
{
    return Indent(&PARAFORMAT2::dxStartIndent);
}

void TParaAttributes::SetFirstIndent(int Value)
{
    SetIndent(PFM_STARTINDENT, &PARAFORMAT2::dxStartIndent, Value);
}

int TParaAttributes::LeftIndent()
{
    return Indent(&PARAFORMAT2::dxOffset);
}

void TParaAttributes::SetLeftIndent(int Value)
{
    SetIndent(PFM_OFFSET, &PARAFORMAT2::dxOffset, Value);
}

int TParaAttributes::RightIndent()
{
    return Indent(&PARAFORMAT2::dxRightIndent);
}

void TParaAttributes::SetRightIndent(int Value)
{
    SetIndent(PFM_RIGHTINDENT, &PARAFORMAT2::dxRightIndent, Value);
}

TNumberingStyle TParaAttributes::Numbering()
{
    PARAFORMAT2 format;
    GetAttributes(format);
    return format.wNumbering == PFN_BULLET ? nsBullet : nsNone;
}

void TParaAttributes::SetNumbering(TNumberingStyle Value)
{
    PARAFORMAT2 format;
    InitFormat(format);
    format.dwMask = PFM_NUMBERING;
    format.wNumbering = Value == nsBullet ? PFN_BULLET : 0;
    SetAttributes(format);
}

int TParaAttributes::TabCount()
{
    PARAFORMAT2 format;
    GetAttributes(format);
    return format.cTabCount;
}

void TParaAttributes::SetTabCount(int Value)
{
    PARAFORMAT2 format;
    GetAttributes(format);
    format.dwMask = PFM_TABSTOPS;
    format.cTabCount = static_cast<SHORT>(std::clamp(Value, 0, MAX_TAB_STOPS));
    SetAttributes(format);
}

int TParaAttributes::Tab(int Index)
{
    PARAFORMAT2 format;
    GetAttributes(format);
    if (Index < 0 || Index >= MAX_TAB_STOPS) return 0;
    return format.rgxTabs[Index] / 20;
}

void TParaAttributes::SetTab(int Index, int Value)
{
    if (Index < 0 || Index >= MAX_TAB_STOPS) return;
    PARAFORMAT2 format;
    GetAttributes(format);
    format.dwMask = PFM_TABSTOPS;
    format.rgxTabs[Index] = Value * 20;
    if (format.cTabCount <= Index) format.cTabCount = static_cast<SHORT>(Index + 1);
    SetAttributes(format);
}

// ---- TRichEditStrings --------------------------------------------------------------------

TRichEditStrings::TRichEditStrings(TCustomRichEdit* RichEdit)
    : FRichEdit(RichEdit), FPending(std::make_unique<TStringList>())
{
}

TRichEditStrings::~TRichEditStrings() = default;

bool TRichEditStrings::UsePending() const
{
    // No window is made for the lines while the control is read from a description.
    if (FRichEdit->HandleAllocated()) return false;
    return FRichEdit->ComponentState().Contains(csLoading) ||
           (FRichEdit->Parent() == nullptr && FRichEdit->ParentWindow() == nullptr);
}

String TRichEditStrings::RawText() const
{
    HWND wnd = FRichEdit->Handle();
    GETTEXTLENGTHEX lengthInfo{GTL_PRECISE | GTL_NUMCHARS, 1200};
    LRESULT length = SendMessageW(wnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&lengthInfo), 0);
    if (length <= 0) return String();
    String buffer(static_cast<size_t>(length) + 1, L'\0');
    GETTEXTEX info{};
    info.cb = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    info.flags = GT_DEFAULT;
    info.codepage = 1200;
    LRESULT n = SendMessageW(wnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&info), reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<size_t>(std::max<LRESULT>(0, n)));
    // One CR per paragraph break, whatever the library hands out.
    String raw;
    raw.reserve(buffer.size());
    for (size_t i = 0; i < buffer.size(); ++i) {
        wchar_t c = buffer[i];
        if (c == L'\r' && i + 1 < buffer.size() && buffer[i + 1] == L'\n') ++i;
        raw += c == L'\n' ? L'\r' : c;
    }
    return raw;
}

int TRichEditStrings::ParagraphStart(const String& Raw, int Index) const
{
    size_t pos = 0;
    for (int i = 0; i < Index; ++i) {
        size_t end = Raw.find(L'\r', pos);
        if (end == String::npos) return static_cast<int>(Raw.size());
        pos = end + 1;
    }
    return static_cast<int>(pos);
}

void TRichEditStrings::Replace(int Start, int End, const String& S)
{
    HWND wnd = FRichEdit->Handle();
    SetSelection(wnd, CHARRANGE{Start, End});
    SendMessageW(wnd, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(S.c_str()));
}

String TRichEditStrings::Get(int Index) const
{
    if (UsePending()) return FPending->Get(Index);
    std::vector<String> lines = SplitParagraphs(RawText());
    if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
    return lines[static_cast<size_t>(Index)];
}

int TRichEditStrings::GetCount() const
{
    if (UsePending()) return FPending->Count();
    return static_cast<int>(SplitParagraphs(RawText()).size());
}

void TRichEditStrings::Put(int Index, const String& S)
{
    if (UsePending()) {
        FPending->Put(Index, S);
        return;
    }
    String raw = RawText();
    std::vector<String> lines = SplitParagraphs(raw);
    if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
    int start = ParagraphStart(raw, Index);
    Replace(start, start + static_cast<int>(lines[static_cast<size_t>(Index)].size()), S);
}

void TRichEditStrings::Insert(int Index, const String& S)
{
    if (UsePending()) {
        FPending->Insert(Index, S);
        return;
    }
    String raw = RawText();
    int count = static_cast<int>(SplitParagraphs(raw).size());
    if (Index < 0 || Index > count) IndexError(Index);
    if (Index < count) {
        int pos = ParagraphStart(raw, Index);
        Replace(pos, pos, S + L"\r");
    } else {
        // The control's last paragraph has no mark of its own: a new last line needs one
        // before it, and an empty one needs one after it too, or it would not count.
        int pos = static_cast<int>(raw.size());
        String text = (!raw.empty() && raw.back() != L'\r' ? L"\r" : L"") + S + (S.empty() ? L"\r" : L"");
        Replace(pos, pos, text);
    }
}

void TRichEditStrings::Delete(int Index)
{
    if (UsePending()) {
        FPending->Delete(Index);
        return;
    }
    String raw = RawText();
    int count = static_cast<int>(SplitParagraphs(raw).size());
    if (Index < 0 || Index >= count) IndexError(Index);
    int start = ParagraphStart(raw, Index);
    int end = ParagraphStart(raw, Index + 1);
    // The last paragraph takes the break before it along.
    if (Index == count - 1 && Index > 0 && end == static_cast<int>(raw.size()) && raw.back() != L'\r') --start;
    Replace(start, end, String());
}

void TRichEditStrings::Clear()
{
    if (UsePending()) {
        FPending->Clear();
        FRichEdit->FHasSavedContent = false;
        FRichEdit->FSavedContent.clear();
        return;
    }
    SendMessageW(FRichEdit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
}

String TRichEditStrings::Text() const
{
    if (UsePending()) return FPending->Text();
    String result;
    for (const String& line : SplitParagraphs(RawText())) result += line + L"\r\n";
    return result;
}

void TRichEditStrings::SetText(const String& Value)
{
    if (UsePending()) {
        FPending->SetText(Value);
        return;
    }
    SETTEXTEX info{ST_DEFAULT, 1200};
    SendMessageW(FRichEdit->Handle(), EM_SETTEXTEX, reinterpret_cast<WPARAM>(&info), reinterpret_cast<LPARAM>(Value.c_str()));
}

void TRichEditStrings::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TRichEditStrings*>(Source);
    if (other != nullptr && !other->UsePending() && !UsePending()) {
        // Between rich edits the formatting goes along.
        TMemoryStream stream;
        other->FRichEdit->StreamOut(&stream, SF_RTF);
        stream.SetPosition(0);
        FRichEdit->StreamIn(&stream, SF_RTF);
    } else if (auto* strings = dynamic_cast<TStrings*>(Source))
        SetText(strings->Text());
    else
        TStrings::Assign(Source);
}

void TRichEditStrings::LoadFromStream(TStream* Stream)
{
    std::vector<uint8_t> bytes = ReadRest(Stream);
    if (!FRichEdit->PlainText() && IsRtf(bytes)) {
        if (UsePending()) {
            FPending->Clear();
            FRichEdit->FSavedContent.assign(bytes.begin(), bytes.end());
            FRichEdit->FHasSavedContent = true;
            return;
        }
        TStreamCookie cookie;
        cookie.Data = bytes.data();
        cookie.Size = bytes.size();
        TransferOrRaise(FRichEdit->Handle(), EM_STREAMIN, SF_RTF, cookie);
        return;
    }
    String text = DecodeText(bytes.data(), bytes.size());
    if (UsePending()) {
        FRichEdit->FHasSavedContent = false;
        FRichEdit->FSavedContent.clear();
    }
    SetText(text);
}

void TRichEditStrings::SaveToStream(TStream* Stream, TTextEncoding Encoding) const
{
    if (!FRichEdit->PlainText()) {
        if (!UsePending()) {
            FRichEdit->StreamOut(Stream, SF_RTF);
            return;
        }
        if (FRichEdit->FHasSavedContent) {
            Stream->WriteBuffer(FRichEdit->FSavedContent.data(), static_cast<int>(FRichEdit->FSavedContent.size()));
            return;
        }
    }
    std::string bytes = EncodeText(Text(), Encoding);
    if (!bytes.empty()) Stream->WriteBuffer(bytes.data(), static_cast<int>(bytes.size()));
}

// ---- TCustomRichEdit ---------------------------------------------------------------------

TCustomRichEdit::TCustomRichEdit(TComponent* AOwner)
    : TWinControl(AOwner),
      FLines(std::make_unique<TRichEditStrings>(this)),
      FSelAttributes(std::make_unique<TTextAttributes>(this, atSelected)),
      FDefAttributes(std::make_unique<TTextAttributes>(this, atDefaultText)),
      FParagraph(std::make_unique<TParaAttributes>(this))
{
    SetControlStyle(TControlStyle{csClickEvents, csSetCaption, csDoubleClicks});
    SetBounds(0, 0, 185, 89);
    SetTabStop(true);
    SetParentColor(false);
    SetColor(clWindow);
}

TCustomRichEdit::~TCustomRichEdit() = default;

void TCustomRichEdit::CreateParams(TCreateParams& Params)
{
    const wchar_t* className = RichEditClassName();
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, className);
    Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (!FHideSelection) Params.Style |= ES_NOHIDESEL;
    if (FReadOnly) Params.Style |= ES_READONLY;
    if (FWantReturns) Params.Style |= ES_WANTRETURN;
    if (!FWordWrap) Params.Style |= ES_AUTOHSCROLL;
    if ((FScrollBars == ssHorizontal || FScrollBars == ssBoth) && !FWordWrap) Params.Style |= WS_HSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth) Params.Style |= WS_VSCROLL;
    if (!FHideScrollBars) Params.Style |= ES_DISABLENOSCROLL;
    if (FBorderStyle == bsSingle) AddSingleBorder(Params, Ctl3D());
    Params.WindowClass.style &= ~static_cast<UINT>(CS_HREDRAW | CS_VREDRAW);
}

void TCustomRichEdit::CreateWnd()
{
    TWinControl::CreateWnd();
    HWND wnd = Handle();
    SendMessageW(wnd, EM_SETEVENTMASK, 0, ENM_CHANGE | ENM_SELCHANGE | ENM_REQUESTRESIZE | ENM_PROTECTED);
    SendMessageW(wnd, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
    SendMessageW(wnd, EM_EXLIMITTEXT, 0, FMaxLength > 0 ? FMaxLength : 0x7FFFFFF0);
    ApplyWordWrap();
    FDefAttributes->Assign(Font());
    if (FHasSavedContent) {
        TStreamCookie cookie;
        cookie.Data = reinterpret_cast<const uint8_t*>(FSavedContent.data());
        cookie.Size = FSavedContent.size();
        Transfer(wnd, EM_STREAMIN, SF_RTF, cookie);
        FHasSavedContent = false;
        FSavedContent.clear();
    } else if (FLines->FPending->Count() > 0) {
        String text = FLines->FPending->Text();
        FLines->FPending->Clear();
        FLines->SetText(text);
    }
    SendMessageW(wnd, EM_SETMODIFY, FALSE, 0);
}

void TCustomRichEdit::DestroyWnd()
{
    if (HandleAllocated() && !ComponentState().Contains(csDestroying)) {
        TMemoryStream stream;
        StreamOut(&stream, SF_RTF);
        std::vector<uint8_t> bytes = stream.Bytes();
        FSavedContent.assign(bytes.begin(), bytes.end());
        FHasSavedContent = true;
    }
    TWinControl::DestroyWnd();
}

void TCustomRichEdit::StyleChanged()
{
    if (HandleAllocated()) RecreateWnd();
}

void TCustomRichEdit::ApplyWordWrap()
{
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETTARGETDEVICE, 0, FWordWrap ? 0 : 1);
}

void TCustomRichEdit::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    StyleChanged();
}

void TCustomRichEdit::SetScrollBars(TScrollStyle Value)
{
    if (FScrollBars == Value) return;
    FScrollBars = Value;
    StyleChanged();
}

void TCustomRichEdit::SetReadOnly(bool Value)
{
    if (FReadOnly == Value) return;
    FReadOnly = Value;
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, Value ? TRUE : FALSE, 0);
}

void TCustomRichEdit::SetHideSelection(bool Value)
{
    if (FHideSelection == Value) return;
    FHideSelection = Value;
    if (HandleAllocated()) SendMessageW(Handle(), EM_HIDESELECTION, Value && !Focused() ? TRUE : FALSE, 0);
    StyleChanged();
}

void TCustomRichEdit::SetHideScrollBars(bool Value)
{
    if (FHideScrollBars == Value) return;
    FHideScrollBars = Value;
    StyleChanged();
}

void TCustomRichEdit::SetWantReturns(bool Value)
{
    if (FWantReturns == Value) return;
    FWantReturns = Value;
    StyleChanged();
}

void TCustomRichEdit::SetMaxLength(int Value)
{
    FMaxLength = Value;
    if (HandleAllocated()) SendMessageW(Handle(), EM_EXLIMITTEXT, 0, Value > 0 ? Value : 0x7FFFFFF0);
}

void TCustomRichEdit::SetBorderStyle(TBorderStyle Value)
{
    if (FBorderStyle == Value) return;
    FBorderStyle = Value;
    StyleChanged();
}

int TCustomRichEdit::SelStart()
{
    return GetSelection(Handle()).cpMin;
}

void TCustomRichEdit::SetSelStart(int Value)
{
    SetSelection(Handle(), CHARRANGE{Value, Value});
}

int TCustomRichEdit::SelLength()
{
    CHARRANGE range = GetSelection(Handle());
    return range.cpMax - range.cpMin;
}

void TCustomRichEdit::SetSelLength(int Value)
{
    CHARRANGE range = GetSelection(Handle());
    range.cpMax = range.cpMin + Value;
    SetSelection(Handle(), range);
}

String TCustomRichEdit::SelText()
{
    int length = SelLength();
    if (length <= 0) return String();
    String buffer(static_cast<size_t>(length) + 1, L'\0');
    LRESULT n = SendMessageW(Handle(), EM_GETSELTEXT, 0, reinterpret_cast<LPARAM>(buffer.data()));
    buffer.resize(static_cast<size_t>(std::max<LRESULT>(0, n)));
    return buffer;
}

void TCustomRichEdit::SetSelText(const String& Value)
{
    SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomRichEdit::SelectAll()
{
    SetSelection(Handle(), CHARRANGE{0, -1});
}

void TCustomRichEdit::ClearSelection()
{
    SendMessageW(Handle(), WM_CLEAR, 0, 0);
}

void TCustomRichEdit::Clear()
{
    FLines->Clear();
}

bool TCustomRichEdit::Modified()
{
    return HandleAllocated() && SendMessageW(Handle(), EM_GETMODIFY, 0, 0) != 0;
}

void TCustomRichEdit::SetModified(bool Value)
{
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETMODIFY, Value ? TRUE : FALSE, 0);
}

int TCustomRichEdit::FindText(const String& SearchStr, int StartPos, int Length, TSearchTypes Options)
{
    FINDTEXTEXW find{};
    find.chrg.cpMin = StartPos;
    find.chrg.cpMax = Length < 0 ? -1 : StartPos + Length;
    find.lpstrText = SearchStr.c_str();
    WPARAM flags = FindDown;
    if (Options.Contains(stWholeWord)) flags |= FindWholeWord;
    if (Options.Contains(stMatchCase)) flags |= FindMatchCase;
    return static_cast<int>(SendMessageW(Handle(), EM_FINDTEXTEXW, flags, reinterpret_cast<LPARAM>(&find)));
}

void TCustomRichEdit::StreamIn(TStream* Stream, UINT Format)
{
    TStreamCookie cookie;
    cookie.Stream = Stream;
    TransferOrRaise(Handle(), EM_STREAMIN, Format, cookie);
}

void TCustomRichEdit::StreamOut(TStream* Stream, UINT Format)
{
    TStreamCookie cookie;
    cookie.Stream = Stream;
    TransferOrRaise(Handle(), EM_STREAMOUT, Format, cookie);
}

void TCustomRichEdit::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
    case CN_NOTIFY: CNNotify(Message); break;
    case CN_COMMAND: CNCommand(Message); break;
    case WM_GETDLGCODE: WMGetDlgCode(Message); break;
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomRichEdit::CNNotify(TMessage& Message)
{
    const NMHDR* header = reinterpret_cast<const NMHDR*>(Message.LParam);
    switch (header->code) {
    case EN_SELCHANGE:
        Message.Result = 0;
        SelectionChange();
        break;
    case EN_REQUESTRESIZE:
        Message.Result = 0;
        RequestSize(reinterpret_cast<const REQRESIZE*>(Message.LParam)->rc);
        break;
    case EN_PROTECTED: {
        const ENPROTECTED* info = reinterpret_cast<const ENPROTECTED*>(Message.LParam);
        Message.Result = ProtectChange(info->chrg.cpMin, info->chrg.cpMax) ? 0 : 1;
        break;
    }
    default: TWinControl::Dispatch(Message); break;
    }
}

void TCustomRichEdit::CNCommand(TMessage& Message)
{
    if (HIWORD(Message.WParam) == EN_CHANGE) {
        Message.Result = 0;
        Change();
    } else
        TWinControl::Dispatch(Message);
}

void TCustomRichEdit::WMGetDlgCode(TMessage& Message)
{
    DefaultHandler(Message);
    if (!FWantTabs) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
    if (!FWantReturns) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

void TCustomRichEdit::CMFontChanged(TMessage& Message)
{
    TWinControl::CMFontChanged(Message);
    if (HandleAllocated()) FDefAttributes->Assign(Font());
}

void TCustomRichEdit::CMColorChanged(TMessage& Message)
{
    TWinControl::CMColorChanged(Message);
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorToRGB(Color())));
}

void TCustomRichEdit::Change()
{
    if (OnChange) OnChange(this);
}

void TCustomRichEdit::SelectionChange()
{
    if (OnSelectionChange) OnSelectionChange(this);
}

void TCustomRichEdit::RequestSize(const TRect& Rect)
{
    if (OnResizeRequest) OnResizeRequest(this, Rect);
}

bool TCustomRichEdit::ProtectChange(int StartPos, int EndPos)
{
    bool allow = false;
    if (OnProtectChange) OnProtectChange(this, StartPos, EndPos, allow);
    return allow;
}
