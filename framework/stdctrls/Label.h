#pragma once
// TLabel: a windowless text, aligned, laid out, word-wrapped or ellipsised, optionally sized to fit.
#include "framework/controls/Controls.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

enum TEllipsisPosition { epNone, epPathEllipsis, epEndEllipsis, epWordEllipsis };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return FLayout; }
    void SetLayout(TTextLayout Value);
    bool AutoSize() const { return FAutoSize; }
    virtual void SetAutoSize(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // A transparent label leaves the parent's background under the text.
    bool Transparent() const { return !FControlStyle.Contains(csOpaque); }
    void SetTransparent(bool Value);
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);
    TEllipsisPosition EllipsisPosition() const { return FEllipsisPosition; }
    void SetEllipsisPosition(TEllipsisPosition Value);
    TWinControl* FocusControl() const { return FFocusControl; }
    void SetFocusControl(TWinControl* Value);

    // The text the label shows (the caption).
    virtual String GetLabelText();
    // Draws (or with DT_CALCRECT measures) the label text into Rect with Flags, on Canvas.
    virtual void DoDrawText(TRect& Rect, UINT Flags);
    // Sizes the label to its text when AutoSize is on.
    virtual void AdjustBounds();

    void Paint() override;
    void Dispatch(TMessage& Message) override;
    void CMFontChanged(TMessage& Message) override;
    virtual void CMTextChanged(TMessage& Message);
    virtual void CMDialogChar(TMessage& Message);
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    TAlignment FAlignment = taLeftJustify;
    TTextLayout FLayout = tlTop;
    bool FAutoSize = true;
    bool FWordWrap = false;
    bool FShowAccelChar = true;
    TEllipsisPosition FEllipsisPosition = epNone;
    TWinControl* FFocusControl = nullptr;
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
};
