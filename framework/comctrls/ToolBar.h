#pragma once
// TToolBar over ToolbarWindow32, whose buttons are TToolButton controls mirrored into the system
// bar and drawn through its custom-draw events. A button's DropdownMenu is a popup menu of the
// menus unit, a peer of this one: it is only linked here and dropped down through PopupMenuHandler.
#include <windows.h>
#include <commctrl.h>
#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/controls/Controls.h"
#include "framework/graphics/ImageList.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

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
    // Any class whose pointer converts to TPopupMenu* (as TControl::SetPopupMenu): the conversion
    // is made where the menu class is known, so the tool bar needs no menus header.
    template <class M>
    void SetDropdownMenu(M* Value) { SetDropdownMenuLink(static_cast<TPopupMenu*>(Value), Value); }
    void SetDropdownMenu(std::nullptr_t) { SetDropdownMenuLink(nullptr, nullptr); }
    void SetDropdownMenuLink(TPopupMenu* Menu, TComponent* AsComponent);

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
    TComponent* FDropdownMenuComponent = nullptr;
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
