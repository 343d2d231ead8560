#pragma once
// The masked edit: an edit whose text follows an edit mask (framework/stdctrls/MaskUtils.h).
// The window shows the edit text (literals and blanks in place); Text is the value the mask
// saves (with or without the literals). Typing overwrites positions and steps over literals,
// Backspace and Delete blank positions instead of closing up the text, and a character that does
// not fit its position is refused with a beep (through the system facts). Entering the
// control, or clicking it, puts the caret on an editable position. ValidateEdit raises
// EDBEditError while a required position is empty; leaving a modified control validates it.
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/MaskUtils.h"
#include "framework/stdctrls/Memo.h"

class TCustomMaskEdit : public TCustomEdit {
public:
    explicit TCustomMaskEdit(TComponent* AOwner);

    const String& EditMask() const { return FEditMask; }
    // Reformats the current value into the new mask.
    void SetEditMask(const String& Value);
    bool IsMasked() const { return !FEditMask.empty(); }
    const TEditMask& Mask() const { return FMask; }

    // What the window shows: every position of the mask, literals and blanks included.
    String EditText() { return TCustomEdit::Text(); }
    void SetEditText(const String& Value);
    // The value: the edit text as the mask saves it (the edit text itself without a mask).
    String Text();
    void SetText(const String& Value);

    // Raises EDBEditError (with the caret put on the first empty required position) when the
    // text was modified and does not satisfy the mask.
    virtual void ValidateEdit();
    virtual bool Validate(const String& Value, int& Pos);
    virtual void ValidateError();
    // False keeps the user from changing the text (read-only views).
    virtual bool EditCanModify() { return true; }
    // Escape: back to the text the control had when it was entered.
    virtual void Reset();
    // Puts the caret on an editable position (when there is no selection).
    void CheckCursor();

    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyUp(WORD& Key, TShiftState Shift) override;
    void KeyPress(wchar_t& Key) override;
    void Dispatch(TMessage& Message) override;
    void CMEnter(TMessage& Message) override;
    void CMExit(TMessage& Message) override;

protected:
    void DoSetMaxLength(int Value) override;
    void GetSel(int& SelStart, int& SelStop);
    void SetSel(int SelStart, int SelStop);
    // Moves the caret to Pos, or to the next editable position after it.
    void SetCaret(int Pos);
    // Writes a change of the engine into the window (only the part that differs, so it can be undone).
    void ApplyChange(const TMaskEditChange& Change);
    bool CharKeys(wchar_t& Key);
    void DeleteKeys(WORD Key);
    void PasteText();
    bool IsBlank();

    String FEditMask;
    TEditMask FMask;
    String FOldValue;
    bool FSettingCursor = false;
    bool FReEnter = false;
    int FBtnDownX = 0;
};

class TMaskEdit : public TCustomMaskEdit {
public:
    using TCustomMaskEdit::TCustomMaskEdit;
};
