#pragma once
// TSpeedButton: a windowless button painted on its parent, with exclusive groups (GroupIndex, one
// Down per group among its siblings) and a flat, hot-tracked look.
#include <memory>

#include "framework/controls/ActionList.h"
#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/ButtonGlyph.h"

class TSpeedButton;

// Links a speed button's Down to the action's Checked (a grouped button that allows all up, while
// it shows the action's state) and its GroupIndex to the action's.
class TSpeedButtonActionLink : public TControlActionLink {
public:
    explicit TSpeedButtonActionLink(TSpeedButton* AClient);
    bool IsCheckedLinked() override;
    bool IsGroupIndexLinked() override;
    void SetChecked(bool Value) override;
    void SetGroupIndex(int Value) override;

private:
    TSpeedButton* FButton;
};

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
    std::unique_ptr<TControlActionLink> CreateActionLink() override;
    // Also Down from the action's Checked, GroupIndex from its GroupIndex, and an empty glyph
    // from the action's image.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
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
