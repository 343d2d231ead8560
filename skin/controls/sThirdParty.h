#pragma once
// Unit sThirdParty: what the skinned buttons and the window handlers share about glyphs: the one
// painter of a skinned button's glyph (from its Glyph bitmap or its image list, per button state,
// with blend, grey and reflection), the painter of a tool-bar button's image, and the list of
// form classes the window hook leaves alone.
#include "framework/classes/StringList.h"
#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/comctrls/ToolBar.h"
#include "framework/graphics/ImageList.h"
#include "skin/controls/sControlTypes.h"

class TsCommonData;

// Everything the glyph painter reads from a button.
struct TacButtonGlyphInputs {
    TCustomImageList* Images = nullptr;
    int ImageIndex = -1;
    TBitmap* Glyph = nullptr;
    int NumGlyphs = 1;
    // Where the glyph goes, in the button's coordinates.
    TRect ImgRect{0, 0, 0, 0};
    // 0 normal, 1 hot, 2 pressed.
    int State = 0;
    bool Enabled = true;
    bool Down = false;
    // Percent of transparency of the glyph in the normal state.
    int Blend = 0;
    bool Grayed = false;
    bool Reflected = false;
    TsDisabledGlyphKind DisabledGlyphKind{dgBlended};
    TsCommonData* SkinData = nullptr;
};

// A skinned button whose glyph PaintButtonGlyph draws.
class IacGlyphButton {
public:
    virtual ~IacGlyphButton() = default;
    virtual TacButtonGlyphInputs GlyphInputs() = 0;
};

// Draws the glyph of Button (a control that is an IacGlyphButton; any other is ignored) onto
// Canvas, or into the button's cache bitmap when Canvas is null.
void PaintButtonGlyph(TControl* Button, TCanvas* Canvas = nullptr);
// The same from the inputs themselves; Size is the button's size.
void PaintButtonGlyph(const TacButtonGlyphInputs& In, TSize Size, TCanvas* Canvas);

// The list's image count, 0 for none.
int ImageCount(TCustomImageList* List);

// Draws Button's image into Bmp for the custom-draw State set.
void PaintToolButtonImage(TToolBar* ToolBar, TToolButton* Button, TCustomDrawState State, TBitmap* Bmp);
// Where PaintToolButtonImage puts the image (exposed for the tool-bar handler's hit tests).
TRect ToolButtonImageRect(TToolBar* ToolBar, TToolButton* Button, TCustomDrawState State, TBitmap* Bmp,
                          TCustomImageList* List);

// The form classes the window hook never skins, sorted.
TStringList& HookSkipList();
