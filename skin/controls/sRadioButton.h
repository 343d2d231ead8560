#pragma once
// Unit sRadioButton: TsRadioButton, the platform radio button painted wholly from the skin. The
// window keeps the check and group behaviour (BM_SETCHECK, siblings unchecked); the look is the
// section's background, the skin's check-mark image (or glyphs of the control's own), the caption
// in the skin colours and a dotted focus frame, composed in the cache of the skin state and faded
// between normal, hot and pressed. A read-only button refuses every change by mouse or keyboard.
#include <memory>

#include "framework/stdctrls/RadioButton.h"
#include "skin/controls/sControlTypes.h"
#include "skin/core/sCommonData.h"

class TsFadeTimer;

class TsRadioButton : public TRadioButton {
public:
    explicit TsRadioButton(TComponent* AOwner);
    ~TsRadioButton() override;

    TsCommonData* SkinData() const { return FCommonData.get(); }
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    int Margin() const { return FMargin; }
    void SetMargin(int Value);
    int TextIndent() const { return FTextIndent; }
    void SetTextIndent(int Value);
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool Value);
    TsDisabledKind DisabledKind() const { return FDisabledKind; }
    void SetDisabledKind(TsDisabledKind Value);
    TBitmap* GlyphChecked() const { return FGlyphChecked.get(); }
    void SetGlyphChecked(TBitmap* Value);
    TBitmap* GlyphUnChecked() const { return FGlyphUnChecked.get(); }
    void SetGlyphUnChecked(TBitmap* Value);
    virtual bool GetReadOnly() { return FReadOnly; }
    bool ReadOnly() { return GetReadOnly(); }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
    void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
    virtual bool CanCheck() { return true; }

    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // The size the control takes with AutoSize; false when it keeps its size.
    bool CanAutoSize(int& NewWidth, int& NewHeight);
    // Applies CanAutoSize.
    void AdjustSize();
    // Where the check mark goes.
    TRect GlyphRect();
    // The frame size of the check mark shown (16 x 16 without one).
    TSize GlyphSize();
    void PrepareCache();
    void PaintTo(HDC DC);
    bool Pressed() const { return FPressed; }
    TsFadeTimer* FadeTimer() const { return FFadeTimer; }

    TAlignment GetControlsAlignment() override;
    void Invalidate() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;

private:
    TBitmap* CustomGlyph();
    // Index of the skin's check-mark mask for the state, -1 without one.
    int SkinGlyphMask();
    bool Hot();
    bool GlyphAtLeft();
    void PaintCaption();
    void PaintGlyph();
    void PaintMessage(TMessage& Message);
    void TakeFocus();
    bool HandleSkinCommand(TMessage& Message);
    bool HandleFocusAndHover(TMessage& Message);
    bool HandleSkinned(TMessage& Message);
    void TrackPressUnskinned(TMessage& Message);

    std::unique_ptr<TsCommonData> FCommonData;
    std::unique_ptr<TBitmap> FGlyphChecked;
    std::unique_ptr<TBitmap> FGlyphUnChecked;
    TsFadeTimer* FFadeTimer = nullptr;
    bool FPressed = false;
    bool FReadOnly = false;
    bool FAutoSize = true;
    int FMargin = 2;
    int FTextIndent = 0;
    bool FShowFocus = true;
    TsDisabledKind FDisabledKind{dkBlended};
    TacAnimatEvents FAnimatEvents{aeGlobalDef};
};
