#pragma once
// Edit controls over the system EDIT class. TCustomEdit keeps the settings (MaxLength, ReadOnly,
// PasswordChar, CharCase ...) while no window exists and mirrors them into the window; OnChange
// fires on the window's EN_CHANGE (reflected by the parent as CN_COMMAND), except while the window
// is being created. Selection, clipboard and undo are the window's own.
#include <memory>

#include "framework/controls/Controls.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

class TCustomEdit : public TWinControl {
public:
    explicit TCustomEdit(TComponent* AOwner);

    // 0: no limit (beyond the window's own).
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // The text changed since the flag was last cleared (the window's EM_GETMODIFY).
    bool Modified();
    void SetModified(bool Value);
    // Select the whole text when the edit is entered by the keyboard.
    bool AutoSelect() const { return FAutoSelect; }
    void SetAutoSelect(bool Value) { FAutoSelect = Value; }
    // The height follows the font (single-line edits with a border).
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);
    TBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    wchar_t PasswordChar() const { return FPasswordChar; }
    void SetPasswordChar(wchar_t Value);
    TEditCharCase CharCase() const { return FCharCase; }
    void SetCharCase(TEditCharCase Value);
    bool HideSelection() const { return FHideSelection; }
    void SetHideSelection(bool Value);
    bool OEMConvert() const { return FOEMConvert; }
    void SetOEMConvert(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    bool NumbersOnly() const { return FNumbersOnly; }
    void SetNumbersOnly(bool Value);

    // Selection, 0-based in UTF-16 units.
    virtual int SelStart();
    virtual void SetSelStart(int Value);
    virtual int SelLength();
    virtual void SetSelLength(int Value);
    virtual String SelText();
    // Replaces the selection (the window's EM_REPLACESEL, so it can be undone).
    virtual void SetSelText(const String& Value);
    virtual void SelectAll();
    void ClearSelection();
    void CopyToClipboard();
    void CutToClipboard();
    void PasteFromClipboard();
    void Undo();
    bool CanUndo();
    void ClearUndo();
    void Clear();

    // Fires OnChange.
    virtual void Change();
    TNotifyEvent OnChange;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void CNCommand(TMessage& Message);
    virtual void WMSetFont(TMessage& Message);
    void CMEnter(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMCtl3DChanged(TMessage& Message) override;

protected:
    virtual void DoSetMaxLength(int Value);
    // Sets the height a border and the font need.
    virtual void AdjustHeight();
    void UpdateHeight();

    int FMaxLength = 0;
    TBorderStyle FBorderStyle = bsSingle;
    wchar_t FPasswordChar = 0;
    bool FReadOnly = false;
    bool FAutoSize = true;
    bool FAutoSelect = true;
    bool FHideSelection = true;
    bool FOEMConvert = false;
    bool FNumbersOnly = false;
    TEditCharCase FCharCase = ecNormal;
    TAlignment FAlignment = taLeftJustify;
    bool FCreating = false;
    bool FModified = false;
};

class TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
};
