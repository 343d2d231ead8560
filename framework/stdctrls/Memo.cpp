#include "framework/stdctrls/Memo.h"

namespace {

std::vector<String> SplitLines(const String& Text)
{
    std::vector<String> lines;
    size_t start = 0, i = 0;
    while (i < Text.size()) {
        wchar_t c = Text[i];
        if (c == L'\r' || c == L'\n') {
            lines.push_back(Text.substr(start, i - start));
            if (c == L'\r' && i + 1 < Text.size() && Text[i + 1] == L'\n') ++i;
            start = ++i;
        } else {
            ++i;
        }
    }
    if (start < Text.size()) lines.push_back(Text.substr(start));
    return lines;
}

String JoinLines(const std::vector<String>& Lines)
{
    String text;
    for (size_t i = 0; i < Lines.size(); ++i) {
        if (i > 0) text += L"\r\n";
        text += Lines[i];
    }
    return text;
}

} // namespace

// ---- TMemoStrings ---------------------------------------------------------------------------

std::vector<String> TMemoStrings::Lines() const
{
    return SplitLines(FMemo->Text());
}

void TMemoStrings::SetLines(const std::vector<String>& Lines)
{
    FMemo->SetText(JoinLines(Lines));
}

String TMemoStrings::Get(int Index) const
{
    std::vector<String> lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
    return lines[static_cast<size_t>(Index)];
}

int TMemoStrings::GetCount() const
{
    return static_cast<int>(Lines().size());
}

void TMemoStrings::Put(int Index, const String& S)
{
    std::vector<String> lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
    lines[static_cast<size_t>(Index)] = S;
    SetLines(lines);
}

void TMemoStrings::Insert(int Index, const String& S)
{
    std::vector<String> lines = Lines();
    if (Index < 0 || Index > static_cast<int>(lines.size())) IndexError(Index);
    // A line may itself hold line breaks; they become lines of their own.
    std::vector<String> parts = SplitLines(S);
    if (parts.empty()) parts.push_back(L"");
    lines.insert(lines.begin() + Index, parts.begin(), parts.end());
    SetLines(lines);
}

void TMemoStrings::Delete(int Index)
{
    std::vector<String> lines = Lines();
    if (Index < 0 || Index >= static_cast<int>(lines.size())) IndexError(Index);
    lines.erase(lines.begin() + Index);
    SetLines(lines);
}

void TMemoStrings::Clear()
{
    FMemo->Clear();
}

String TMemoStrings::Text() const
{
    return FMemo->Text();
}

void TMemoStrings::SetText(const String& Value)
{
    FMemo->SetText(Value);
}

void TMemoStrings::SetUpdateState(bool Updating)
{
    if (!FMemo->HandleAllocated()) return;
    SendMessageW(FMemo->Handle(), WM_SETREDRAW, !Updating, 0);
    if (!Updating) FMemo->Invalidate();
}

// ---- TCustomMemo ----------------------------------------------------------------------------

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(std::make_unique<TMemoStrings>(this))
{
    FAutoSize = false;
    FControlStyle.Exclude(csFixedHeight);
    SetBounds(0, 0, 185, 89);
}

TCustomMemo::~TCustomMemo() = default;

void TCustomMemo::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    static const DWORD scrollBars[] = {0, WS_HSCROLL, WS_VSCROLL, WS_HSCROLL | WS_VSCROLL};
    if (FWordWrap) Params.Style &= ~static_cast<DWORD>(ES_AUTOHSCROLL);
    Params.Style |= ES_MULTILINE | scrollBars[FScrollBars];
}

void TCustomMemo::SetScrollBars(TScrollStyle Value)
{
    if (FScrollBars == Value) return;
    FScrollBars = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value)
{
    if (FWordWrap == Value) return;
    FWordWrap = Value;
    if (HandleAllocated()) RecreateWnd();
}

TPoint TCustomMemo::CaretPos()
{
    if (!HandleAllocated()) return TPoint{0, 0};
    DWORD start = 0, stop = 0;
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&stop));
    int line = static_cast<int>(SendMessageW(Handle(), EM_LINEFROMCHAR, stop, 0));
    int lineStart = static_cast<int>(SendMessageW(Handle(), EM_LINEINDEX, static_cast<WPARAM>(line), 0));
    return TPoint{static_cast<LONG>(stop) - lineStart, line};
}

void TCustomMemo::SetCaretPos(const TPoint& Value)
{
    int start = static_cast<int>(SendMessageW(Handle(), EM_LINEINDEX, static_cast<WPARAM>(Value.y), 0));
    if (start < 0) return;
    SetSelStart(start + Value.x);
}

void TCustomMemo::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        TCustomEdit::Dispatch(Message);
        if (FWantTabs) Message.Result |= DLGC_WANTTAB;
        else Message.Result &= ~static_cast<LRESULT>(DLGC_WANTTAB);
        if (!FWantReturns) Message.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
        return;
    }
    TCustomEdit::Dispatch(Message);
}

void TCustomMemo::KeyPress(wchar_t& Key)
{
    TCustomEdit::KeyPress(Key);
    if (Key == L'\r' && !FWantReturns) Key = 0;
}
