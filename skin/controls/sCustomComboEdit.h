#pragma once
// Unit sCustomComboEdit: TsCustomComboEdit, a skinned edit with a small button at its right edge
// that opens a popup window under the edit (above it when there is no room below); the date edit
// builds its calendar on it. The button, a TsEditButton, is a skinned speed button that paints
// itself over the edit's own cache and shows the glyph TsGlyphMode describes. While the popup is
// open the edit fires no change events for its text.
#include <memory>

#include "framework/menus/Menus.h"
#include "skin/controls/sGlyphUtils.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sSpeedButton.h"

class TsCustomComboEdit;

enum TPopupWindowAlign { pwaRight, pwaLeft };

// Where a popup of PopupSize goes for an edit at EditTopLeft (screen) of EditSize on Desktop:
// below the edit, above it when the desktop ends first; right edges aligned (pwaRight) or left
// edges (pwaLeft), turned round when that leaves the desktop, and held inside it.
TPoint PlacePopup(TPoint EditTopLeft, TSize EditSize, TSize PopupSize, const TRect& Desktop,
                  TPopupWindowAlign Align);

class TsEditButton : public TsSpeedButton {
public:
    explicit TsEditButton(TComponent* AOwner);

    // Takes the glyph for the current state (before every paint) and lets it go (after).
    void BeginInitGlyph();
    void EndInitGlyph();

    void PrepareCache() override;
    void Paint() override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    // The button at P of DC.
    void PaintTo(HDC DC, TPoint P);

    TsCustomComboEdit* FOwner;
};

class TsCustomComboEdit : public TsMaskEdit {
public:
    explicit TsCustomComboEdit(TComponent* AOwner);
    ~TsCustomComboEdit() override;

    TsEditButton* Button() const { return FButton; }
    TShortCut ClickKey() const { return FClickKey; }
    void SetClickKey(TShortCut Value) { FClickKey = Value; }
    virtual bool GetReadOnly();
    bool ReadOnly() { return GetReadOnly(); }
    void SetReadOnly(bool Value);
    bool DirectInput() const { return FDirectInput; }
    void SetDirectInput(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TPopupWindowAlign PopupWindowAlign() const { return FPopupWindowAlign; }
    void SetPopupWindowAlign(TPopupWindowAlign Value) { FPopupWindowAlign = Value; }
    TsGlyphMode* GlyphMode() const { return FGlyphMode.get(); }
    int PopupWidth() const { return FPopupWidth; }
    void SetPopupWidth(int Value) { FPopupWidth = Value; }
    int PopupHeight() const { return FPopupHeight; }
    void SetPopupHeight(int Value) { FPopupHeight = Value; }
    bool ShowButton() const { return FShowButton; }
    void SetShowButton(bool Value);
    // The standard glyph shown without a custom one (-1: none).
    int DefBmpID() const { return FDefBmpID; }
    TWinControl* PopupWindow() const { return FPopupWindow; }
    // The popup exists and is visible.
    bool DroppedDown();

    TNotifyEvent OnButtonClick;

    virtual void DropDown();
    virtual void CloseUp();
    virtual void SelectAll();
    // As a click on the button.
    void DoClick();
    // The popup lost the activation. A press on the button takes it away before the press
    // reaches the button: that press closes the popup, and its click must not open it again.
    void PopupDeactivated();
    // OnButtonClick, then the popup opened or closed.
    virtual void ButtonClick();

    void SetEditRect() override;
    void PaintBorder(HDC DC) override;
    void PaintText() override;
    void OurPaint(HDC DC) override;
    bool IsActive() override;
    void WndProc(TMessage& Message) override;
    void Invalidate() override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void Change() override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void KeyPress(wchar_t& Key) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    int FDefBmpID = -1;
    TWinControl* FPopupWindow = nullptr;

private:
    // The width the text leaves for the button.
    int ButtonSpace();
    void PaintButtonOver(HDC DC);
    bool IsInsidePopup(TControl* Control);
    void ApplyReadOnly();
    void ButtonClicked();
    bool ButtonUnderMouse();

    TsEditButton* FButton = nullptr;
    TShortCut FClickKey;
    bool FReadOnly = false;
    bool FDirectInput = true;
    TAlignment FAlignment = taLeftJustify;
    TPopupWindowAlign FPopupWindowAlign = pwaRight;
    std::unique_ptr<TsGlyphMode> FGlyphMode;
    int FPopupWidth = 197;
    int FPopupHeight = 166;
    bool FShowButton = true;
    // The button's press under way closed the popup (see PopupDeactivated).
    bool FPressClosedPopup = false;
    friend class TsEditButton;
};
