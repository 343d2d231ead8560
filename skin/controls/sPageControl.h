#pragma once
// Unit sPageControl: the skinned page control, TsPageControl, and its pages, TsTabSheet. The page
// control keeps the standard control's behaviour (selection, keys, rows, scroll arrows) and
// paints from the skin: the tab strip and the inactive tabs are composed once into the cache
// together with the page body, the active tab is painted last straight onto the screen, 2
// pixels larger than its neighbours, and hovering repaints only the tab or the close button
// under the mouse. The pages copy their background and border from the page control's cache,
// so that their controls stand on the skinned body. Without a skin the control paints as the
// standard one, with its optional close buttons as small child buttons (TsTabBtn).
#include <functional>
#include <memory>

#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/TabControl.h"
#include "skin/controls/sControlTypes.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/core/sCommonData.h"

class TacSpinWnd;
class TsPageControl;
class TsTabSheet;

enum TacCloseAction { acaHide, acaFree };
// Asked before a page is closed by its close button; CanClose false keeps it, Action says whether
// the page goes or only its tab.
using TacCloseBtnClick =
    std::function<void(TComponent* Sender, int TabIndex, bool& CanClose, TacCloseAction& Action)>;

// Tab states.
inline constexpr int tsNormal = 0;
inline constexpr int tsHot = 1;
inline constexpr int tsActive = 2;

// A close button pressed on some page control's tab waits for its release (one for the process:
// only one button can be held down at a time).
extern bool CloseBtnPressed;

// What the skin of a single tab may change.
class TsTabSkinData : public TPersistent {
public:
    bool CustomColor = false;
    bool CustomFont = false;
    String SkinSection;
};

// The unskinned close button of a tab: a flat "X" in bold red.
class TsTabBtn : public TsSpeedButton {
public:
    explicit TsTabBtn(TComponent* AOwner);
    ~TsTabBtn() override;
    void UpdateGlyph();
    void Paint() override;
    TsTabSheet* Page = nullptr;
};

class TsTabSheet : public TTabSheet {
public:
    explicit TsTabSheet(TComponent* AOwner);
    ~TsTabSheet() override;

    // Section of this page's tab ("" : the skin's tab section for the position).
    const String& TabSkin() const { return FTabSkin; }
    void SetTabSkin(const String& Value);
    // Stored with the form; the tab is not painted from it.
    const String& ButtonSkin() const { return FButtonSkin; }
    void SetButtonSkin(const String& Value);
    bool UseCloseBtn() const { return FUseCloseBtn; }
    void SetUseCloseBtn(bool Value);
    TsTabSkinData* SkinData() const { return FSkinData.get(); }

    TsPageControl* SkinnedPageControl() const;
    void WndProc(TMessage& Message) override;

    // The unskinned close button, while it exists.
    TsTabBtn* Btn = nullptr;

private:
    // The page control's cache is there to copy from.
    bool PaintsFromPageControl() const;
    void EraseFromCache(HDC DC);
    void PaintBorderFromCache(HDC DC);
    bool HandleSkinCommand(TMessage& Message);

    String FTabSkin;
    String FButtonSkin;
    bool FUseCloseBtn = true;
    std::unique_ptr<TsTabSkinData> FSkinData;
};

class TsPageControl : public TPageControl {
public:
    explicit TsPageControl(TComponent* AOwner);
    ~TsPageControl() override;
    void Loaded() override;

    // ---- Published properties ----
    TsCommonData* SkinData() const { return FCommonData.get(); }
    TacAnimatEvents AnimatEvents() const { return FAnimatEvents; }
    void SetAnimatEvents(TacAnimatEvents Value) { FAnimatEvents = Value; }
    bool ShowCloseBtns() const { return FShowCloseBtns; }
    void SetShowCloseBtns(bool Value);
    const String& CloseBtnSkin() const { return FCloseBtnSkin; }
    void SetCloseBtnSkin(const String& Value);
    bool ShowFocus() const { return FShowFocus; }
    void SetShowFocus(bool Value);
    bool ShowUpDown() const { return FShowUpDown; }
    void SetShowUpDown(bool Value);
    TsTabSheet* ActivePage() const { return dynamic_cast<TsTabSheet*>(TPageControl::ActivePage()); }
    TacCloseBtnClick OnCloseBtnClick;

    // ---- Geometry ----
    // Where a tab is painted (the active one larger than the standard rectangle); empty for an
    // index outside the tabs.
    TRect SkinTabRect(int TabIndex, bool Active);
    // The tab strip and the page body in client coordinates (the whole control without tabs).
    TRect TabsRect();
    TRect PageRect();
    int TabRow(int TabIndex);
    // The page whose tab lies under a client point, -1 for none.
    int TabAtPos(TPoint P);
    int VisibleTabsCount() const;

    // ---- Painting ----
    virtual void DrawCloseBtn(HDC DC, const TRect& TabRect, int State, const TCacheInfo& BG);
    // One tab in State into Bmp; Offset moves tab coordinates to bitmap ones.
    void DrawSkinTab(int PageIndex, int State, TPoint Offset, TBitmap* Bmp);
    // One tab straight onto a DC, with its close button.
    void DrawSkinTab(int PageIndex, int State, HDC DC);
    // The strip's background and every inactive tab into the cache.
    void DrawSkinTabs(const TCacheInfo& BG);
    // Repaints one tab on the window (DC null: a DC of the window).
    void RepaintTab(int PageIndex, int State, HDC DC = nullptr);
    void RepaintTabsArea(HDC DC);
    // The whole look into the message's DC (WParam; 0: the window's own).
    void AC_WMPaint(TMessage& Message);

    // ---- Close buttons ----
    void UpdateBtnData();
    TRect CloseBtnRect(int PageIndex);
    void DrawCloseButtons(HDC DC);
    void RedrawCloseBtn(int PageIndex, int BtnState, int TabState);
    // Places, shows or frees the unskinned close buttons.
    void ArrangeButtons();
    void CloseClick(TObject* Sender);
    int BtnIndex = -1;
    int BtnWidth = 0;
    int BtnHeight = 0;

    // ---- Tab-scroll arrows ----
    void CheckUpDown();
    String SpinSection();
    TacSpinWnd* SpinWnd = nullptr;

    void UpdateActivePage() override;
    void WndProc(TMessage& Message) override;
    void CNNotify(TMessage& Message) override;
    void CMHintShow(TMessage& Message) override;

    int StoredVisiblePageCount = 0;
    String ChangedSkinSection;
    // The page whose tab is hot under the mouse (never the active one), -1 for none.
    int CurItem = -1;
    bool SkinActive() const;

private:
    friend class TsTabSheet;
    TsTabSheet* SheetOf(int PageIndex) const;
    const TsSkin* Skin() const { return FCommonData->Skin(); }
    // The skin section of a tab: its index and name; -1 when the skin has none for it.
    int TabSection(TsTabSheet* Page, String& Section);
    void DrawTabText(TsTabSheet* Page, int PageIndex, int State, TRect T, TBitmap* Bmp, int SkinIndex);
    void DrawVerticalTabText(TsTabSheet* Page, int State, TRect T, TBitmap* Bmp, int SkinIndex, bool HasImage);
    bool TabHasImage(TsTabSheet* Page) const;
    // The close button of a tab rectangle.
    TRect CloseBtnOf(const TRect& TabRect) const;
    bool HasCloseBtn(TsTabSheet* Page) const;
    // Closes the page of a skinned close button (after OnCloseBtnClick allowed it).
    void ClosePage(int PageIndex);
    // The hover and close-button messages of a skinned control; true when done.
    bool HandleMouseMove(TMessage& Message);
    bool HandleCloseBtnClick(TMessage& Message);
    void HandleMouseLeave(TMessage& Message);
    bool HandleSkinCommand(TMessage& Message);
    bool HandleSkinnedMessage(TMessage& Message);
    void AfterStandardHandling(TMessage& Message);
    void PaintArrows(HDC DC);
    void RefreshAfterSelection();

    std::unique_ptr<TsCommonData> FCommonData;
    TacAnimatEvents FAnimatEvents{aeGlobalDef};
    bool FShowCloseBtns = false;
    String FCloseBtnSkin;
    bool FShowFocus = true;
    bool FShowUpDown = true;
    // The erase inside the current BeginPaint painted the whole look already.
    bool FPaintedOnErase = false;
};
