#pragma once
// TBitBtn: an owner-drawn push button with a glyph, of a standard kind or a custom one.
#include <memory>

#include "framework/controls/Forms.h"
#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/Button.h"
#include "framework/stdctrls/ButtonGlyph.h"

enum TButtonStyle { bsAutoDetect, bsWin31, bsNew };

enum TBitBtnKind { bkCustom, bkOK, bkCancel, bkHelp, bkYes, bkNo, bkClose, bkAbort, bkRetry, bkIgnore, bkAll };

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
    // Also an empty glyph from the action's image.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;
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
