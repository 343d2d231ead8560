#pragma once
// Unit sBitBtn: the skinned bitmap button, TsBitBtn. It composes its look in the cache of its skin
// state (section background for the state, the border mask, caption and glyph), gives its window
// a region without the transparent corner pixels of the border mask, and shows normal, hot and
// pressed looks. Without an active skin it draws as the framework's owner-drawn button.
#include <algorithm>
#include <functional>
#include <memory>

#include "framework/graphics/ImageList.h"
#include "framework/stdctrls/BitBtn.h"
#include "skin/controls/sControlTypes.h"
#include "skin/core/sCommonData.h"

class TsFadeTimer;

// Called with the composed cache before it reaches the screen.
using TBmpPaintEvent = std::function<void(TObject* Sender, TBitmap* Bmp)>;

class TsBitBtn : public TBitBtn {
public:
    explicit TsBitBtn(TComponent* AOwner);
    ~TsBitBtn() override;

    TsCtrlSkinData* SkinData() const { return FCommonData.get(); }
    // 0 normal, 1 hot or default, 2 pressed.
    virtual int CurrentState();
    // Where the glyph lies in the cache for the current state.
    TRect ImgRect();

    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value) { Store(FAlignment, Value); }
    TAlignment TextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(TAlignment Value) { Store(FTextAlignment, Value); }
    int Blend() const { return FBlend; }
    // Percent, held to 0..100.
    void SetBlend(int Value) { Store(FBlend, std::clamp(Value, 0, 100)); }
    bool Down() const { return FDown; }
    void SetDown(bool Value);
    bool DrawOverBorder() const { return FDrawOverBorder; }
    void SetDrawOverBorder(bool Value) { Store(FDrawOverBorder, Value); }
    int FocusMargin() const { return FFocusMargin; }
    void SetFocusMargin(int Value) { FFocusMargin = Value; }
    bool Grayed() const { return FGrayed; }
    void SetGrayed(bool Value) { Store(FGrayed, Value); }
    bool Reflected() const { return FReflected; }
    void SetReflected(bool Value) { Store(FReflected, Value); }
    bool ShowCaption() const { return FShowCaption; }
    void SetShowCaption(bool Value) { Store(FShowCaption, Value); }
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool Value) { Store(FShowFocus, Value); }
    // Stored and repainted; the caption does not move by it.
    int TextOffset() const { return FTextOffset; }
    void SetTextOffset(int Value) { Store(FTextOffset, Value); }
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value) { Store(FWordWrap, Value); }
    // How the whole button and its glyph look while disabled.
    TsDisabledKind DisabledKind() const { return FDisabledKind; }
    void SetDisabledKind(TsDisabledKind Value) { Store(FDisabledKind, Value); }
    TsDisabledGlyphKind DisabledGlyphKind() const { return FDisabledGlyphKind; }
    void SetDisabledGlyphKind(TsDisabledGlyphKind Value) { Store(FDisabledGlyphKind, Value); }

    // The glyph source instead of Glyph (watched: a freed list is forgotten).
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value) { Store(FImageIndex, Value); }
    // Images is set, has images and ImageIndex points into it.
    bool ImageListInUse() const;

    // Which state changes fade; aeGlobalDef leaves it to the skin manager.
    TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
    void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
    // The running fade, null when none.
    TsFadeTimer* FadeTimer() const { return FFadeTimer; }

    TBmpPaintEvent OnPaint;
    bool MouseAbove = false;

    void SetButtonStyle(bool ADefault) override;
    void Invalidate() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Composes the look of the current state in the cache.
    void PrepareCache();
    // The region PrepareCache made that the window has not taken yet (null when none).
    HRGN PendingRegion() const { return FRegion; }

protected:
    // Also the action list's Images and the action's ImageIndex, and the look composed again.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;

private:
    template <class T>
    void Store(T& Field, T Value)
    {
        Field = Value;
        FCommonData->Invalidate();
    }
    bool SkinActive() const;
    void GlyphAndTextSizes(TSize& Glyph, TSize& Text);
    void WriteCaption(TCanvas* Canvas);
    void PaintBorder(int State);
    // Paints into DC (the message's or the window's); gives the window the composed region.
    void PaintToDC(HDC DC);
    void DropRegion();
    void SkinnedRepaint();
    bool HandleSkinMessage(TMessage& Message);
    bool HandleSkinnedMessage(TMessage& Message);

    std::unique_ptr<TsCtrlSkinData> FCommonData;
    TAlignment FAlignment = taCenter;
    TAlignment FTextAlignment = taCenter;
    int FBlend = 0;
    TsDisabledGlyphKind FDisabledGlyphKind{dgBlended};
    TsDisabledKind FDisabledKind{dkBlended};
    bool FDown = false;
    bool FDrawOverBorder = true;
    int FFocusMargin = 1;
    bool FGrayed = false;
    bool FReflected = false;
    bool FShowCaption = true;
    bool FShowFocus = true;
    int FTextOffset = 0;
    bool FWordWrap = true;
    TCustomImageList* FImages = nullptr;
    // Recomposes the button when the images of Images change.
    TChangeLink FImageChangeLink;
    int FImageIndex = -1;
    bool FMouseClicked = false;
    TacAnimatEvents FAnimatEvents{aeGlobalDef};
    TsFadeTimer* FFadeTimer = nullptr;
    // The region of the last composition until the window takes it; every region the window
    // does not take is deleted.
    HRGN FRegion = nullptr;
    // The window has had no region yet (its first paint sets one with redrawing).
    bool FFirstRegion = true;
    TRect LastRect{0, 0, 0, 0};
    TPoint GlyphPos{0, 0};
    TRect CaptionRect{0, 0, 0, 0};
    TButtonLayout OldLayout = blGlyphLeft;
    int FOldSpacing = 4;
};
