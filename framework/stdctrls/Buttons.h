#pragma once
// Buttons. TButton, TCheckBox and TRadioButton are windows of the system BUTTON class: the
// control keeps the state (Checked, State, Default) and mirrors it into the window, and reacts to
// the BN_CLICKED notification its parent reflects to it as CN_COMMAND. TBitBtn is an owner-drawn
// push button with a glyph; TSpeedButton a windowless button painted on its parent, with
// exclusive groups (GroupIndex, one Down per group among its siblings) and a flat, hot-tracked look.
//
// TButtonGlyph is the one place a glyph strip (up / disabled / down / exclusive frames side by
// side) and a caption are laid out and drawn for a layout, margin and spacing; both TBitBtn and
// TSpeedButton paint through it.
#include <memory>

#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"
#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };
enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };
using TNumGlyphs = int;
enum TCheckBoxState { cbUnchecked, cbChecked, cbGrayed };
enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

class TButtonGlyph : public TObject {
public:
    TButtonGlyph();
    ~TButtonGlyph() override;

    // The strip of frames; SetGlyph copies Value (null empties). A new strip whose width is a
    // multiple (2 to 4) of its height sets NumGlyphs to that multiple.
    TBitmap* Glyph() const { return FOriginal.get(); }
    void SetGlyph(TBitmap* Value);
    TNumGlyphs NumGlyphs() const { return FNumGlyphs; }
    void SetNumGlyphs(TNumGlyphs Value);
    // One frame's size (0 x 0 without glyph).
    int GlyphWidth() const;
    int GlyphHeight() const;

    // Places the glyph and the caption in Client (moved by Offset): Margin -1 centres the block,
    // Spacing -1 spreads the free room evenly. GlyphPos receives the glyph's top-left, TextBounds
    // the caption's rectangle.
    void CalcButtonLayout(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
                          TButtonLayout Layout, int Margin, int Spacing, TPoint& GlyphPos, TRect& TextBounds,
                          UINT BiDiFlags);
    // Lays out and draws the glyph frame for State and the caption; answers the caption rectangle.
    TRect Draw(TCanvas* Canvas, const TRect& Client, const TPoint& Offset, const String& Caption,
               TButtonLayout Layout, int Margin, int Spacing, TButtonState State, bool Transparent,
               UINT BiDiFlags);
    // The frame for State (frame 0 when the strip has none for it; a strip without a disabled
    // frame is drawn embossed when disabled), transparent on its bottom-left pixel's colour.
    void DrawButtonGlyph(TCanvas* Canvas, const TPoint& GlyphPos, TButtonState State, bool Transparent);
    // The caption, embossed when disabled.
    void DrawButtonText(TCanvas* Canvas, const String& Caption, TRect TextBounds, TButtonState State, UINT BiDiFlags);

    TNotifyEvent OnChange;

private:
    void GlyphChanged(TObject* Sender);
    std::unique_ptr<TBitmap> FOriginal;
    TNumGlyphs FNumGlyphs = 1;
    bool FUpdating = false;
};

// Base of the BUTTON-class controls.
class TButtonControl : public TWinControl {
public:
    explicit TButtonControl(TComponent* AOwner);

    virtual bool Checked() { return false; }
    virtual void SetChecked(bool Value) {}
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // Set while a click arrives that must not count (the focus taken by a mouse press).
    bool ClicksDisabled() const { return FClicksDisabled; }
    void SetClicksDisabled(bool Value) { FClicksDisabled = Value; }
    // The side the check mark's text is on, in the reading order of the control.
    virtual TAlignment GetControlsAlignment() { return taLeftJustify; }

    void CreateParams(TCreateParams& Params) override;
    void WndProc(TMessage& Message) override;

protected:
    bool FClicksDisabled = false;
    bool FWordWrap = false;
};

class TButton : public TButtonControl {
public:
    explicit TButton(TComponent* AOwner);

    // Enter clicks the default button (when no other button has the focus).
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    // Escape clicks a cancel button.
    bool Cancel() const { return FCancel; }
    void SetCancel(bool Value) { FCancel = Value; }
    // Clicking sets the parent form's ModalResult (which ends a modal form).
    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    // The button is the one Enter clicks now.
    bool Active() const { return FActive; }

    // Shows the button as the default one or not (BS_DEFPUSHBUTTON).
    virtual void SetButtonStyle(bool ADefault);
    void Click() override;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void CNCommand(TMessage& Message);
    void CMDialogKey(TMessage& Message) override;
    void CMDialogChar(TMessage& Message) override;
    void CMFocusChanged(TMessage& Message) override;

protected:
    bool FDefault = false;
    bool FCancel = false;
    bool FActive = false;
    TModalResult FModalResult = mrNone;
};

class TCustomCheckBox : public TButtonControl {
public:
    explicit TCustomCheckBox(TComponent* AOwner);

    // taRightJustify: the text is right of the box (the default).
    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    bool AllowGrayed() const { return FAllowGrayed; }
    void SetAllowGrayed(bool Value) { FAllowGrayed = Value; }
    TCheckBoxState State() const { return FState; }
    // A change fires OnClick (unless clicks are disabled).
    void SetState(TCheckBoxState Value);
    bool Checked() override { return FState == cbChecked; }
    void SetChecked(bool Value) override { SetState(Value ? cbChecked : cbUnchecked); }
    TAlignment GetControlsAlignment() override;

    // The user's click: unchecked -> checked (or grayed when allowed) -> unchecked.
    virtual void Toggle();
    void Click() override;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void CNCommand(TMessage& Message);
    void CMDialogChar(TMessage& Message) override;

protected:
    TLeftRight FAlignment = taRightJustify;
    bool FAllowGrayed = false;
    TCheckBoxState FState = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
public:
    using TCustomCheckBox::TCustomCheckBox;
};

class TRadioButton : public TButtonControl {
public:
    explicit TRadioButton(TComponent* AOwner);

    TLeftRight Alignment() const { return FAlignment; }
    void SetAlignment(TLeftRight Value);
    bool Checked() override { return FChecked; }
    // Checking unchecks every other radio button of the same parent, takes the tab stop and
    // fires OnClick (unless clicks are disabled).
    void SetChecked(bool Value) override;
    TAlignment GetControlsAlignment() override;

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void CNCommand(TMessage& Message);
    void CMDialogChar(TMessage& Message) override;
    // The arrow keys move the check to the previous or next radio button of the parent.
    void KeyDown(WORD& Key, TShiftState Shift) override;

protected:
    TLeftRight FAlignment = taRightJustify;
    bool FChecked = false;
};

class TBitBtn : public TButton {
public:
    explicit TBitBtn(TComponent* AOwner);
    ~TBitBtn() override;

    TBitmap* Glyph() const { return FGlyph->Glyph(); }
    void SetGlyph(TBitmap* Value);
    TNumGlyphs NumGlyphs() const { return FGlyph->NumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value);
    // A standard kind sets caption, glyph, ModalResult and Default/Cancel.
    TBitBtnKind Kind() const;
    void SetKind(TBitBtnKind Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    // -1: the glyph and caption are centred.
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    TButtonStyle Style() const { return FStyle; }
    void SetStyle(TButtonStyle Value);
    TCanvas* Canvas() const { return FCanvas.get(); }
    TButtonGlyph* ButtonGlyph() const { return FGlyph.get(); }

    void SetButtonStyle(bool ADefault) override;
    void Click() override;
    // Paints the face, the glyph and the caption on the item's DC.
    virtual void DrawItem(const DRAWITEMSTRUCT& DrawItemStruct);

    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMEnabledChanged(TMessage& Message) override;

protected:
    void GlyphChanged(TObject* Sender);
    std::unique_ptr<TButtonGlyph> FGlyph;
    std::unique_ptr<TControlCanvas> FCanvas;
    TBitBtnKind FKind = bkCustom;
    TButtonLayout FLayout = blGlyphLeft;
    int FMargin = -1;
    int FSpacing = 4;
    TButtonStyle FStyle = bsAutoDetect;
    // The button shows as the default one (from SetButtonStyle).
    bool IsFocused = false;
    bool FModifiedGlyph = false;
    bool FSettingKind = false;
};

// The glyph strip of a standard kind, drawn by code: NumGlyphs 2 (up, disabled), or empty for bkCustom.
std::unique_ptr<TBitmap> MakeBitBtnGlyph(TBitBtnKind Kind);
String BitBtnCaption(TBitBtnKind Kind);
TModalResult BitBtnModalResult(TBitBtnKind Kind);

class TSpeedButton : public TGraphicControl {
public:
    explicit TSpeedButton(TComponent* AOwner);
    ~TSpeedButton() override;

    // With AllowAllUp the Down button of the group may be released again.
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value);
    // 0: a plain push button; otherwise at most one button of this index among the parent's
    // speed buttons is Down.
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    TBitmap* Glyph() const { return FGlyph->Glyph(); }
    void SetGlyph(TBitmap* Value);
    TNumGlyphs NumGlyphs() const { return FGlyph->NumGlyphs(); }
    void SetNumGlyphs(TNumGlyphs Value);
    TButtonLayout Layout() const { return FLayout; }
    void SetLayout(TButtonLayout Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int Spacing() const { return FSpacing; }
    void SetSpacing(int Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    TButtonState State() const { return FState; }
    void SetState(TButtonState Value) { FState = Value; }
    // The mouse is over the button (a flat button shows its hot face).
    bool MouseInControl() const { return FMouseInControl; }
    TButtonGlyph* ButtonGlyph() const { return FGlyph.get(); }

    void Click() override;
    void Paint() override;
    void Loaded() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    void Dispatch(TMessage& Message) override;
    virtual void CMButtonPressed(TMessage& Message);
    virtual void CMDialogChar(TMessage& Message);
    void CMEnabledChanged(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    void CMMouseEnter(TMessage& Message) override;
    void CMMouseLeave(TMessage& Message) override;
    void CMSysColorChange(TMessage& Message) override;

protected:
    // Tells the siblings of the same group that this one went down (CM_BUTTONPRESSED).
    void UpdateExclusive();
    void UpdateTracking();
    void GlyphChanged(TObject* Sender);

    std::unique_ptr<TButtonGlyph> FGlyph;
    int FGroupIndex = 0;
    bool FDown = false;
    bool FDragging = false;
    bool FAllowAllUp = false;
    TButtonLayout FLayout = blGlyphLeft;
    int FSpacing = 4;
    int FMargin = -1;
    bool FFlat = false;
    bool FMouseInControl = false;
    bool FTransparent = true;
    TButtonState FState = bsUp;
};
