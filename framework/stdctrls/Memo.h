#pragma once
// TMemo: the multi-line edit, whose Lines are the window text seen as lines.
#include <memory>

#include "framework/stdctrls/Edit.h"
#include "framework/classes/StringList.h"

class TCustomMemo;

// The memo's text as lines (split at CR LF, CR or LF); writing a line rewrites the window text.
class TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomMemo* Memo) : FMemo(Memo) {}

    String Get(int Index) const override;
    int GetCount() const override;
    void Put(int Index, const String& S) override;
    void Insert(int Index, const String& S) override;
    void Delete(int Index) override;
    void Clear() override;
    String Text() const override;
    void SetText(const String& Value) override;

protected:
    void SetUpdateState(bool Updating) override;

private:
    std::vector<String> Lines() const;
    void SetLines(const std::vector<String>& Lines);
    TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
public:
    explicit TCustomMemo(TComponent* AOwner);
    ~TCustomMemo() override;

    TStrings* Lines() const { return FLines.get(); }
    void SetLines(TStrings* Value) { FLines->Assign(Value); }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // Without WantReturns, Enter goes to the form (the default button) instead of the text.
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    // With WantTabs, Tab types a tab instead of moving the focus.
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    // Caret position as (column, line), 0-based.
    TPoint CaretPos();
    void SetCaretPos(const TPoint& Value);

    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void KeyPress(wchar_t& Key) override;

protected:
    std::unique_ptr<TMemoStrings> FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
};

class TMemo : public TCustomMemo {
public:
    using TCustomMemo::TCustomMemo;
};
