#pragma once
// Unit sLabel: the skinned labels. They are windowless, transparent labels whose text takes the
// skin's font colour: that of the nearest parent section giving its own font, else the skin's
// global one. TsLabel can keep its own colour (UseSkinColor off); TsWebLabel is a link that
// changes font under the mouse and opens its URL through the system facts' shell-open when
// clicked; TsEditLabel is the caption label an edit control's bound-label settings create.
#include "framework/stdctrls/Label.h"

class TsBoundLabel;

class TsCustomLabel : public TCustomLabel {
public:
    explicit TsCustomLabel(TComponent* AOwner);

    // A section painted as the label's background (empty: none).
    const String& SkinSection() const { return FSkinSection; }
    void SetSkinSection(const String& Value);

    // The font the text is drawn with, its colour taken from the skin.
    virtual TFont* GetPaintFont();

    void Paint() override;
    void DoDrawText(TRect& Rect, UINT Flags) override;
    void WndProc(TMessage& Message) override;

protected:
    bool Destroying() const { return ComponentState().Contains(csDestroying); }
    // The colour the skin gives the label's text; $FF00FF without an active default skin.
    TColor SkinFontColor();

private:
    void PaintSkinSection();

    String FSkinSection;
};

class TsLabel : public TsCustomLabel {
public:
    explicit TsLabel(TComponent* AOwner);

    // Off: the label keeps its own font colour under a skin.
    bool UseSkinColor() const { return FUseSkinColor; }
    void SetUseSkinColor(bool Value) { FUseSkinColor = Value; }

    TFont* GetPaintFont() override;
    void WndProc(TMessage& Message) override;

private:
    bool FUseSkinColor = true;
};

// How the shell shows what a web label opens; the values are the platform's show commands.
enum TsWindowShowMode {
    soHide, soNormal, soShowMinimized, soMaximize, soShowNoActivate, soShow, soMinimize, soShowMinNoActive,
    soShowNA, soRestore, soDefault
};

class TsWebLabel : public TsLabel {
public:
    explicit TsWebLabel(TComponent* AOwner);

    // The address a click opens; nothing is opened while it is empty.
    const String& URL() const { return FURL; }
    void SetURL(const String& Value) { FURL = Value; }
    TsWindowShowMode ShowMode() const { return FShowMode; }
    void SetShowMode(TsWindowShowMode Value) { FShowMode = Value; }
    // The font shown while the mouse is away; setting it sets the label's Font too.
    void SetFont(TFont* Value);
    // The font shown while the mouse is above the label.
    TFont* HoverFont() const { return FHoverFont.get(); }
    void SetHoverFont(TFont* Value) { FHoverFont->Assign(Value); }
    TFont* NormalFont() const { return FNormalFont.get(); }
    bool MouseAbove = false;

    TFont* GetPaintFont() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;

private:
    void HoverChanged(bool Above);

    std::unique_ptr<TFont> FNormalFont;
    std::unique_ptr<TFont> FHoverFont;
    String FURL;
    TsWindowShowMode FShowMode = soDefault;
};

// The caption label an edit control's bound-label settings own while they are active.
class TsEditLabel : public TsLabel {
public:
    TsEditLabel(TComponent* AOwner, TsBoundLabel* BoundStruct);
    ~TsEditLabel() override;
    TsBoundLabel* BoundLabel;
};
