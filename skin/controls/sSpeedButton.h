#pragma once
// Unit sSpeedButton: TsSpeedButton, the windowless push button drawn from the skin, base of every
// small button of the skin engine (the drop-down edits' button, the calendar's navigation
// buttons, tab close buttons). Its whole look is composed in the 32-bit cache bitmap of its skin
// state and copied to its parent in one blit; it lays out its glyph and caption itself (text
// alignment, a text offset, a reflected glyph), takes glyphs from a bitmap or an image list, can
// carry a drop-down menu on its right 16 pixels, and fades between its normal, hot and pressed
// looks. Without an active skin it paints the platform's own look.
#include <memory>

#include "framework/comctrls/ToolBar.h"
#include "framework/graphics/ImageList.h"
#include "framework/menus/Menus.h"
#include "framework/stdctrls/SpeedButton.h"
#include "skin/controls/sControlTypes.h"
#include "skin/controls/sThirdParty.h"
#include "skin/core/sCommonData.h"

class TsAnimTimer;
class TsSpeedButton;

// OnPaint: the composed cache, for the application to draw on.
using TBmpPaintEvent = std::function<void(TObject* Sender, TBitmap* Bmp)>;

// The speed button whose drop-down menu is showing, null otherwise (the menu skinning reads it).
extern TsSpeedButton* DroppedDownButton;
// A press on a skinned button holds the application's hints back until the release.
void SuppressHints();
void RestoreHints();
bool HintsSuppressed();

class TsSpeedButton : public TSpeedButton, public IacGlyphButton {
public:
    explicit TsSpeedButton(TComponent* AOwner);
    ~TsSpeedButton() override;

    // ---- Published properties ----
    TsCommonData* SkinData() const { return FCommonData.get(); }
    TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
    void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TAlignment TextAlignment() const { return FTextAlignment; }
    void SetTextAlignment(TAlignment Value);
    int Blend() const { return FBlend; }
    // Held to 0..100.
    void SetBlend(int Value);
    TToolButtonStyle ButtonStyle() const { return FButtonStyle; }
    // Becoming tbsDropDown widens the button by the drop-down part, leaving it narrows it (not
    // while loading).
    void SetButtonStyle(TToolButtonStyle Value);
    TsDisabledGlyphKind DisabledGlyphKind() const { return FDisabledGlyphKind; }
    void SetDisabledGlyphKind(TsDisabledGlyphKind Value);
    TsDisabledKind DisabledKind() const { return FDisabledKind; }
    void SetDisabledKind(TsDisabledKind Value);
    TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu* Value);
    bool DrawOverBorder() const { return FDrawOverBorder; }
    void SetDrawOverBorder(bool Value);
    bool Grayed() const { return FGrayed; }
    void SetGrayed(bool Value);
    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool Reflected() const { return FReflected; }
    void SetReflected(bool Value);
    bool ShowCaption() const { return FShowCaption; }
    // Off keeps the caption aside and shows none; on brings it back.
    void SetShowCaption(bool Value);
    int TextOffset() const { return FTextOffset; }
    void SetTextOffset(int Value);

    TBmpPaintEvent OnPaint;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

    // ---- Layout and painting (overridable) ----
    virtual void DrawCaptionText(TRect& R, UINT Flags);
    virtual void DrawBtnCaption();
    virtual TSize CaptionTextSize();
    virtual void PaintBtnGlyph();
    virtual int GlyphWidth();
    virtual int GlyphHeight();
    virtual void PrepareCache();
    virtual void StdPaint(bool PaintButton);
    // 0 normal, 1 hot, 2 pressed.
    virtual int CurrentState();
    virtual TRect CaptionRect();
    virtual TRect ImgRect();

    // Repaints from the cache without going through the window system.
    void GraphRepaint();
    // The drop-down menu is showing.
    bool DroppedDown() const { return FDroppedDown; }
    // The fade running now, null otherwise.
    TsAnimTimer* FadeTimer() const { return FFadeTimer; }
    // Width of the drop-down part (16 for tbsDropDown, else 0).
    int ArrowWidth() const;
    // The image list is set, has images and ImageIndex points into it.
    bool ImageListInUse() const;

    TacButtonGlyphInputs GlyphInputs() override;

    void Paint() override;
    void Invalidate() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;

    void Notification(TComponent* AComponent, TOperation Operation) override;

protected:
    // Also the action list's Images and the action's ImageIndex, the caption as ShowCaption
    // wants it, and the look composed again.
    void ActionChange(TObject* Sender, bool CheckDefaults) override;

private:
    int Indent() const;
    bool HasText();
    int CaptionWidthLimit();
    // The drop-down part's state for the skin.
    int DropDownState();
    void ComposeDropDownPart(const TCacheInfo& CI);
    void ComposePart(const TRect& R, int State, const TCacheInfo& CI, bool WithContent);
    void FillWithParentBackground(const TCacheInfo& CI);
    void ShowCache();
    void PaintSiblingsOverCache();
    void RepaintState(bool Half, bool Animate);
    void StartAnimFade(bool Half);
    void StopAnimFade();
    void PropertyChanged(bool Always = false);
    void ListPropertyChanged();
    void GlyphBitmapChanged(TObject* Sender);
    bool HandleSkinCommand(TMessage& Message);
    bool HandleSkinnedMessage(TMessage& Message);
    void AfterInherited(TMessage& Message);
    void HandleMouseEnterLeave(TMessage& Message, bool Skinned);
    void DropMenu();
    void StdPaintFace(const TRect& R);
    void StdPaintDropDownPart();

    std::unique_ptr<TsCommonData> FCommonData;
    TsAnimTimer* FFadeTimer = nullptr;
    TacAnimatEvents FAnimatEvents{aeGlobalDef};
    TAlignment FAlignment = taCenter;
    TAlignment FTextAlignment = taCenter;
    int FBlend = 0;
    TToolButtonStyle FButtonStyle = tbsButton;
    TsDisabledGlyphKind FDisabledGlyphKind{dgBlended};
    TsDisabledKind FDisabledKind{dkBlended};
    TPopupMenu* FDropdownMenu = nullptr;
    bool FDrawOverBorder = true;
    bool FGrayed = false;
    TCustomImageList* FImages = nullptr;
    // Repaints the button when the images of Images change.
    TChangeLink FImageChangeLink;
    int FImageIndex = -1;
    bool FReflected = false;
    bool FShowCaption = true;
    int FTextOffset = 0;

    bool FStoredDown = false;
    int FOldNumGlyphs = 1;
    int FOldSpacing = 4;
    TButtonLayout OldLayout = blGlyphLeft;
    TNotifyEvent OldOnChange;
    String OldCaption;
    bool FDroppedDown = false;
};

// A navigation button of the month calendar: as wide as its height less 4.
class TsTimerSpeedButton : public TsSpeedButton {
public:
    explicit TsTimerSpeedButton(TComponent* AOwner);
    // Stored only.
    bool AllowTimer = false;
};
