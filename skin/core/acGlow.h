#pragma once
// Unit acGlow: the soft halo shown around a skinned control under the mouse. The halo is a
// borderless layered window of its own, placed just above the control in the window order and
// showing a 32-bit picture with per-pixel alpha painted from the section's glow mask, so that it
// reaches beyond the control over whatever lies around it. The mouse passes through it. Shown
// glows live in one list whose indexes stay valid: a freed glow leaves an empty slot.
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/controls/Forms.h"
#include "framework/graphics/Bitmap.h"

class TsSkinManager;

class TacGlowEffect : public TObject {
public:
    // No window yet.
    explicit TacGlowEffect(TsSkinManager* Manager);
    // Gives the window its own procedure back; frees it at once while the manager or the
    // application goes away, otherwise once its pending messages are handled.
    ~TacGlowEffect() override;

    // A black, fully transparent Width x Height picture with the glow mask painted over it.
    virtual void CreateAlphaBmp(int Width, int Height);
    // R: the control in screen coordinates; RealRect: its visible part in its own coordinates;
    // Wnd: the window the glow is placed above. A second call is ignored.
    void Show(const TRect& R, const TRect& RealRect, HWND Wnd);
    // Hit tests answer HTTRANSPARENT; everything else goes to the window's own procedure.
    void NewWndProc(TMessage& Message);
    int IntBorderWidth() const { return 2; }

    TsSkinManager* SkinManager = nullptr;
    int MaskIndex = -1;
    // Inset of the glow window from the mask's full border widths, on each side.
    int Margin = 0;
    TForm* Wnd = nullptr;
    std::unique_ptr<TBitmap> AlphaBmp;
    TWndMethod OldWndProc;

    // Gives the window its own procedure back and frees it now.
    void FreeWindowNow();
};

// The shown glows; a freed entry is null and keeps its index.
using TacGlowEffects = std::vector<TacGlowEffect*>;
TacGlowEffects& GlowEffects();

// AC_SRC_OVER with per-pixel alpha, as the glow windows are composed.
extern BLENDFUNCTION GlowBlend;

// Shows the glow of mask MaskPrefix + "0" of SkinSection around the control and answers its
// index in the list; -1 without layered windows or without that mask. Manager null: the default.
int ShowGlowEffect(const TRect& R, const TRect& RealRect, const String& SkinSection, const String& MaskPrefix,
                   int Margin, HWND Wnd, TsSkinManager* Manager);
// Indexes outside the list and freed slots are ignored.
void FreeGlowEffect(int Index);
// Frees every glow and empties the list; RestoreWndProcs frees their windows at once.
void FreeAllGlowEffects(bool RestoreWndProcs);
