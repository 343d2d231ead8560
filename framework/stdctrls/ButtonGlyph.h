#pragma once
// TButtonGlyph is the one place a glyph strip (up / disabled / down / exclusive frames side by
// side) and a caption are laid out and drawn for a layout, margin and spacing; both TBitBtn and
// TSpeedButton paint through it.
#include <memory>

#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
enum TButtonState { bsUp, bsDisabled, bsDown, bsExclusive };

using TNumGlyphs = int;

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

    // A button linked to Action (a TCustomAction with an action list that has Images) whose
    // strip is empty takes the action's image as its glyph, on the transparent fuchsia, unless
    // CopyActionImage is off.
    void TakeActionImage(TObject* Action);
    // Buttons that draw an action's image from its list themselves turn this off: a copy would
    // hide the next image the action names.
    bool CopyActionImage = true;

    TNotifyEvent OnChange;

private:
    void GlyphChanged(TObject* Sender);
    std::unique_ptr<TBitmap> FOriginal;
    TNumGlyphs FNumGlyphs = 1;
    bool FUpdating = false;
};
