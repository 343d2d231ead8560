#pragma once
// The bar-like common controls, each over its system window class: TStatusBar
// (msctls_statusbar32) with a collection of panels or one simple panel; TToolBar
// (ToolbarWindow32) whose buttons are TToolButton controls mirrored into the system bar and
// drawn through its custom-draw events; TTrackBar (msctls_trackbar32); TScrollBar (SCROLLBAR);
// TUpDown (msctls_updown32). Each keeps its values while it has no window and writes them into
// the window when it is made; the system's notifications reach it reflected by its parent
// (CN_NOTIFY, CN_COMMAND, CN_DRAWITEM, CN_HSCROLL, CN_VSCROLL) and become its events.
#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <memory>
#include <vector>

#include "framework/classes/Collection.h"
#include "framework/controls/Controls.h"
#include "framework/graphics/ImageList.h"
#include "framework/stdctrls/ScrollBox.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

// ---- Custom drawing (tool bars, list and tree views) -------------------------------------

enum TCustomDrawStage { cdPrePaint, cdPostPaint, cdPreErase, cdPostErase };
// Element n stands for bit n of NMCUSTOMDRAW::uItemState (CDIS_SELECTED is bit 0).
enum TCustomDrawStateFlag {
    cdsSelected, cdsGrayed, cdsDisabled, cdsChecked, cdsFocused, cdsDefault, cdsHot, cdsMarked,
    cdsIndeterminate, cdsShowKeyboardCues, cdsNearHot, cdsOtherSideHot, cdsDropHilited
};
using TCustomDrawState = TEnumSet<TCustomDrawStateFlag>;

// ---- Status bar --------------------------------------------------------------------------

class TCustomStatusBar;

enum TStatusPanelStyle { psText, psOwnerDraw };
enum TStatusPanelBevel { pbNone, pbLowered, pbRaised };

class TStatusPanel : public TCollectionItem {
public:
    explicit TStatusPanel(TCollection* Collection) : TCollectionItem(Collection) {}
    void Assign(TPersistent* Source) override;
    String DisplayName() const override;

    const String& Text() const { return FText; }
    void SetText(const String& Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    TStatusPanelStyle Style() const { return FStyle; }
    void SetStyle(TStatusPanelStyle Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel Value);

private:
    String FText;
    int FWidth = 50;
    TStatusPanelStyle FStyle = psText;
    TAlignment FAlignment = taLeftJustify;
    TStatusPanelBevel FBevel = pbLowered;
};

class TStatusPanels : public TCollection {
public:
    explicit TStatusPanels(TCustomStatusBar* StatusBar);
    TStatusPanel* Add() { return static_cast<TStatusPanel*>(TCollection::Add()); }
    TStatusPanel* Items(int Index) const { return static_cast<TStatusPanel*>(TCollection::Items(Index)); }
    TPersistent* GetOwner() override;

protected:
    void Update(TCollectionItem* Item) override;

private:
    TCustomStatusBar* FStatusBar;
};

using TDrawPanelEvent = std::function<void(TCustomStatusBar* StatusBar, TStatusPanel* Panel, const TRect& Rect)>;

class TCustomStatusBar : public TWinControl {
public:
    explicit TCustomStatusBar(TComponent* AOwner);
    ~TCustomStatusBar() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    TStatusPanels* Panels() const { return FPanels.get(); }
    void SetPanels(TStatusPanels* Value) { FPanels->Assign(Value); }
    // One panel over the whole bar showing SimpleText, instead of the panels.
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool Value);
    const String& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const String& Value);
    // The grip shows when the bar's parent is a form with a sizeable border.
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);
    bool AutoHint() const { return FAutoHint; }
    void SetAutoHint(bool Value) { FAutoHint = Value; }

    // Writes the panels' edges (UpdateRects) and texts into the window.
    void UpdatePanels(bool UpdateRects, bool UpdateText);
    void UpdatePanel(int Index, bool Repaint);
    // An owner-drawn panel: OnDrawPanel, or the background filled.
    virtual void DrawPanel(TStatusPanel* Panel, const TRect& Rect);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void CNDrawItem(TMessage& Message);
    void WMSize(TMessage& Message) override;

    TDrawPanelEvent OnDrawPanel;
    TNotifyEvent OnHint;

private:
    std::unique_ptr<TStatusPanels> FPanels;
    std::unique_ptr<TControlCanvas> FCanvas;
    bool FSimplePanel = false;
    String FSimpleText;
    bool FSizeGrip = true;
    bool FAutoHint = false;
};

class TStatusBar : public TCustomStatusBar {
public:
    explicit TStatusBar(TComponent* AOwner) : TCustomStatusBar(AOwner) {}
};

// ---- Tool bar ----------------------------------------------------------------------------

class TToolBar;

enum TToolButtonStyle { tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider, tbsTextButton };
enum TEdgeBorder { ebLeft, ebTop, ebRight, ebBottom };
using TEdgeBorders = TEnumSet<TEdgeBorder>;
enum TEdgeStyle { esNone, esRaised, esLowered };
enum TTBCustomDrawFlag { tbNoEdges, tbHiliteHotTrack, tbNoOffset, tbNoMark, tbNoEtchedEffect };
using TTBCustomDrawFlags = TEnumSet<TTBCustomDrawFlag>;

class TToolButton;
using TTBAdvancedCustomDrawEvent =
    std::function<void(TToolBar* Sender, const TRect& ARect, TCustomDrawStage Stage, bool& DefaultDraw)>;
using TTBAdvancedCustomDrawBtnEvent =
    std::function<void(TToolBar* Sender, TToolButton* Button, TCustomDrawState State, TCustomDrawStage Stage,
                       TTBCustomDrawFlags& Flags, bool& DefaultDraw)>;

// One button of a tool bar: a control placed where the system bar shows the button. The bar
// itself handles the mouse and reports clicks.
class TToolButton : public TGraphicControl {
public:
    explicit TToolButton(TComponent* AOwner);
    ~TToolButton() override;

    TToolBar* ToolBar() const { return FToolBar; }
    // Position among the bar's buttons, -1 off a bar.
    int Index() const;
    TToolButtonStyle Style() const { return FStyle; }
    void SetStyle(TToolButtonStyle Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    // Checked (a check button) or held pressed.
    bool Down() const;
    void SetDown(bool Value);
    // Check buttons of one group (neighbours with Grouped) are exclusive.
    bool Grouped() const { return FGrouped; }
    void SetGrouped(bool Value);
    bool AllowAllUp() const { return FAllowAllUp; }
    void SetAllowAllUp(bool Value) { FAllowAllUp = Value; }
    bool Indeterminate() const { return FIndeterminate; }
    void SetIndeterminate(bool Value);
    bool Marked() const { return FMarked; }
    void SetMarked(bool Value);
    bool Wrap() const { return FWrap; }
    void SetWrap(bool Value);
    TPopupMenu* DropdownMenu() const { return FDropdownMenu; }
    void SetDropdownMenu(TPopupMenu* Value);

    void SetParent(TWinControl* AParent) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Dispatch(TMessage& Message) override;
    void CMHitTest(TMessage& Message) override;
    void Paint() override;

private:
    friend class TToolBar;
    // The TBSTATE_ bits of the button.
    BYTE NativeState() const;
    void RefreshControl();

    TToolBar* FToolBar = nullptr;
    TToolButtonStyle FStyle = tbsButton;
    int FImageIndex = -1;
    bool FDown = false;
    bool FGrouped = false;
    bool FAllowAllUp = false;
    bool FIndeterminate = false;
    bool FMarked = false;
    bool FWrap = false;
    TPopupMenu* FDropdownMenu = nullptr;
    bool FUpdatingBounds = false;
};

class TToolBar : public TWinControl {
public:
    explicit TToolBar(TComponent* AOwner);
    ~TToolBar() override;

    TCanvas* Canvas() const { return FCanvas.get(); }
    int ButtonCount() const { return static_cast<int>(FButtons.size()); }
    TToolButton* Buttons(int Index) const;

    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    TCustomImageList* DisabledImages() const { return FDisabledImages; }
    void SetDisabledImages(TCustomImageList* Value);
    TCustomImageList* HotImages() const { return FHotImages; }
    void SetHotImages(TCustomImageList* Value);
    bool Flat() const { return FFlat; }
    void SetFlat(bool Value);
    bool ShowCaptions() const { return FShowCaptions; }
    void SetShowCaptions(bool Value);
    // Captions right of the images instead of below.
    bool List() const { return FList; }
    void SetList(bool Value);
    bool Wrapable() const { return FWrapable; }
    void SetWrapable(bool Value);
    bool Transparent() const { return FTransparent; }
    void SetTransparent(bool Value);
    int ButtonWidth() const { return FButtonWidth; }
    void SetButtonWidth(int Value);
    int ButtonHeight() const { return FButtonHeight; }
    void SetButtonHeight(int Value);
    int Indent() const { return FIndent; }
    void SetIndent(int Value);
    TEdgeBorders EdgeBorders() const { return FEdgeBorders; }
    void SetEdgeBorders(TEdgeBorders Value);
    TEdgeStyle EdgeInner() const { return FEdgeInner; }
    void SetEdgeInner(TEdgeStyle Value);
    TEdgeStyle EdgeOuter() const { return FEdgeOuter; }
    void SetEdgeOuter(TEdgeStyle Value);

    // Puts every button into the window again and reads their places back.
    void RecreateButtons();
    // Reads the buttons' places from the window.
    void UpdateButtonBounds();

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    virtual void CNCommand(TMessage& Message);
    virtual void CNNotify(TMessage& Message);
    virtual void CNDropDownClosed(TMessage& Message);
    void WMSize(TMessage& Message) override;
    void WMNCCalcSize(TMessage& Message) override;
    void WMNCPaint(TMessage& Message) override;

    TTBAdvancedCustomDrawEvent OnAdvancedCustomDraw;
    TTBAdvancedCustomDrawBtnEvent OnAdvancedCustomDrawButton;

private:
    friend class TToolButton;
    void InsertButton(TToolButton* Button);
    void RemoveButton(TToolButton* Button);
    void UpdateButton(int Index);
    void UpdateImageLists();
    // Check buttons: the others of Button's group go up.
    void UpdateGroup(TToolButton* Button);
    void SetImageList(TCustomImageList*& Field, TCustomImageList* Value, UINT Message);
    int EdgeWidth() const;
    LRESULT CustomDraw(NMTBCUSTOMDRAW* Draw);

    std::vector<TToolButton*> FButtons;
    std::unique_ptr<TControlCanvas> FCanvas;
    TCustomImageList* FImages = nullptr;
    TCustomImageList* FDisabledImages = nullptr;
    TCustomImageList* FHotImages = nullptr;
    bool FFlat = false;
    bool FShowCaptions = false;
    bool FList = false;
    bool FWrapable = true;
    bool FTransparent = false;
    int FButtonWidth = 23;
    int FButtonHeight = 22;
    int FIndent = 0;
    TEdgeBorders FEdgeBorders{ebTop};
    TEdgeStyle FEdgeInner = esRaised;
    TEdgeStyle FEdgeOuter = esLowered;
    TToolButton* FDroppedButton = nullptr;
    int FUpdating = 0;
};

// ---- Track bar ---------------------------------------------------------------------------

enum TTrackBarOrientation { trHorizontal, trVertical };
enum TTickMark { tmBottomRight, tmTopLeft, tmBoth };
enum TTickStyle { tsNone, tsAuto, tsManual };

class TTrackBar : public TWinControl {
public:
    explicit TTrackBar(TComponent* AOwner);

    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    // Kept within Min .. Max.
    int Position() const;
    void SetPosition(int Value);
    // Distance between automatic ticks.
    int Frequency() const { return FFrequency; }
    void SetFrequency(int Value);
    int LineSize() const { return FLineSize; }
    void SetLineSize(int Value);
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    TTrackBarOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TTrackBarOrientation Value);
    TTickMark TickMarks() const { return FTickMarks; }
    void SetTickMarks(TTickMark Value);
    TTickStyle TickStyle() const { return FTickStyle; }
    void SetTickStyle(TTickStyle Value);
    int SelStart() const { return FSelStart; }
    void SetSelStart(int Value);
    int SelEnd() const { return FSelEnd; }
    void SetSelEnd(int Value);
    bool SliderVisible() const { return FSliderVisible; }
    void SetSliderVisible(bool Value);
    int ThumbLength() const { return FThumbLength; }
    void SetThumbLength(int Value);
    // A manual tick (tsManual) at Value.
    void SetTick(int Value);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    // The thumb moved (OnChange).
    virtual void Changed();

    TNotifyEvent OnChange;

private:
    void UpdateSelection();

    int FMin = 0;
    int FMax = 10;
    int FPosition = 0;
    int FFrequency = 1;
    int FLineSize = 1;
    int FPageSize = 2;
    TTrackBarOrientation FOrientation = trHorizontal;
    TTickMark FTickMarks = tmBottomRight;
    TTickStyle FTickStyle = tsAuto;
    int FSelStart = 0;
    int FSelEnd = 0;
    bool FSliderVisible = true;
    int FThumbLength = 20;
};

// ---- Scroll bar --------------------------------------------------------------------------

using TScrollEvent = std::function<void(TObject* Sender, TScrollCode ScrollCode, int& ScrollPos)>;

KVL_DECLARE_EXCEPTION(EScrollBarError, EInvalidOperation);

class TScrollBar : public TWinControl {
public:
    explicit TScrollBar(TComponent* AOwner);

    TScrollBarKind Kind() const { return FKind; }
    void SetKind(TScrollBarKind Value);
    int Min() const { return FMin; }
    void SetMin(int Value) { SetParams(FPosition, Value, FMax); }
    int Max() const { return FMax; }
    void SetMax(int Value) { SetParams(FPosition, FMin, Value); }
    int Position() const { return FPosition; }
    void SetPosition(int Value) { SetParams(Value, FMin, FMax); }
    // The thumb's size in positions (0: a square thumb).
    int PageSize() const { return FPageSize; }
    void SetPageSize(int Value);
    int SmallChange() const { return FSmallChange; }
    void SetSmallChange(int Value) { FSmallChange = Value; }
    int LargeChange() const { return FLargeChange; }
    void SetLargeChange(int Value) { FLargeChange = Value; }
    // EScrollBarError "Scroll bar property out of range" when AMax < AMin or the page does not fit.
    // A new position fires OnChange.
    void SetParams(int APosition, int AMin, int AMax);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void Change();
    virtual void Scroll(TScrollCode ScrollCode, int& ScrollPos);

    TNotifyEvent OnChange;
    TScrollEvent OnScroll;

private:
    void DoScroll(TMessage& Message);
    void UpdateScrollInfo();
    int MaxPosition() const;

    TScrollBarKind FKind = sbHorizontal;
    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FPageSize = 0;
    int FSmallChange = 1;
    int FLargeChange = 1;
};

// ---- Up-down -----------------------------------------------------------------------------

enum TUDAlignButton { udLeft, udRight };
enum TUDOrientation { udHorizontal, udVertical };
enum TUDBtnType { btNext, btPrev };
enum TUpDownDirection { updNone, updUp, updDown };

using TUDClickEvent = std::function<void(TObject* Sender, TUDBtnType Button)>;
using TUDChangingEvent = std::function<void(TObject* Sender, bool& AllowChange)>;
using TUDChangingEventEx =
    std::function<void(TObject* Sender, bool& AllowChange, int NewValue, TUpDownDirection Direction)>;

class TUpDown : public TWinControl {
public:
    explicit TUpDown(TComponent* AOwner);

    int Min() const { return FMin; }
    void SetMin(int Value);
    int Max() const { return FMax; }
    void SetMax(int Value);
    int Position() const;
    void SetPosition(int Value);
    // Step of one click or arrow key.
    int Increment() const { return FIncrement; }
    void SetIncrement(int Value);
    // The control (an edit) that shows the position.
    TWinControl* Associate() const { return FAssociate; }
    void SetAssociate(TWinControl* Value);
    TUDAlignButton AlignButton() const { return FAlignButton; }
    void SetAlignButton(TUDAlignButton Value);
    bool ArrowKeys() const { return FArrowKeys; }
    void SetArrowKeys(bool Value);
    bool Thousands() const { return FThousands; }
    void SetThousands(bool Value);
    TUDOrientation Orientation() const { return FOrientation; }
    void SetOrientation(TUDOrientation Value);
    // Past one end the position continues at the other.
    bool Wrap() const { return FWrap; }
    void SetWrap(bool Value);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Dispatch(TMessage& Message) override;
    // OnChanging / OnChangingEx; false keeps the position.
    virtual bool CanChange(int NewValue, int Delta);
    virtual void Click(TUDBtnType Button);

    // Hides TControl::OnClick: an up-down reports which button was used.
    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;
    TUDChangingEventEx OnChangingEx;

private:
    void StyleChanged();

    int FMin = 0;
    int FMax = 100;
    int FPosition = 0;
    int FIncrement = 1;
    TWinControl* FAssociate = nullptr;
    TUDAlignButton FAlignButton = udRight;
    bool FArrowKeys = true;
    bool FThousands = true;
    TUDOrientation FOrientation = udVertical;
    bool FWrap = false;
    int FLastDelta = 0;
};
