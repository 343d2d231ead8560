#pragma once
// Menus: TMenuItem (one entry, and the sub-menu it holds when it has items of its own), TMenu
// (a tree of items behind one real HMENU), TMainMenu (a window's menu bar) and TPopupMenu (a
// context menu shown with TrackPopupMenu), plus shortcuts as words and as text.
//
// The HMENUs are built on first use of a Handle and rebuilt in place whenever an item changes,
// so a menu attached to a window stays attached. Every item has a command number unique in the
// process (the WM_COMMAND identifier). Owner drawing: when the menu is OwnerDraw (or has images)
// its items are MFT_OWNERDRAW and the owning window routes WM_MEASUREITEM / WM_DRAWITEM to
// MenuMeasureItem / MenuDrawItem, which call the item's events with a canvas on the menu's DC
// (or draw the item the default way when no event is set). Popup menus route their messages
// through one hidden window, the popup list's.
#include <windows.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/controls/Controls.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/ImageList.h"
#include "framework/graphics/OwnerDrawState.h"

KVL_DECLARE_EXCEPTION(EMenuError, Exception);

// TShortCut, ShortCut and ShortCutToKey come with the controls (actions have shortcuts too).
// "Ctrl+Ins", "Shift+F10", "Alt+BkSp"; empty for scNone or a key without a name.
String ShortCutToText(TShortCut ShortCut);
// The reverse, case-insensitive, modifiers in any order; the long key names ("Insert",
// "Delete", "Escape", "Return", "PageUp") are read too. scNone when the text names no key.
TShortCut TextToShortCut(const String& Text);

// A caption without its accelerator marks ("&&" stands for one '&').
String StripHotkey(const String& Text);
// The accelerator character of a caption (upper case), or 0.
wchar_t GetHotkey(const String& Text);

// The caption that makes an item a separator line.
inline constexpr const wchar_t* cLineCaption = L"-";

class TMenu;
class TMenuItem;

enum TMenuBreak { mbNone, mbBreak, mbBarBreak };
enum TFindItemKind { fkCommand, fkHandle, fkShortCut };
enum TPopupAlignment { paLeft, paRight, paCenter };
enum TTrackButton { tbRightButton, tbLeftButton };
enum TMenuAnimations { maLeftToRight, maRightToLeft, maTopToBottom, maBottomToTop, maNone };
using TMenuAnimation = TEnumSet<TMenuAnimations>;

using TMenuChangeEvent = std::function<void(TObject* Sender, TMenuItem* Source, bool Rebuild)>;
using TMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, bool Selected)>;
using TAdvancedMenuDrawItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, TRect ARect, TOwnerDrawState State)>;
using TMenuMeasureItemEvent = std::function<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* AOwner);
    // Leaves its parent and frees its own items.
    ~TMenuItem() override;

    // The items of this item's sub-menu. Index errors raise EMenuError "Menu index out of range".
    int Count() const { return static_cast<int>(FItems.size()); }
    TMenuItem* Items(int Index) const;
    TMenuItem* operator[](int Index) const { return Items(Index); }
    // EMenuError "Menu inserted twice" for an item that already has a parent.
    void Add(TMenuItem* Item);
    void Add(std::initializer_list<TMenuItem*> Items);
    void Insert(int Index, TMenuItem* Item);
    // Take an item out without freeing it; Remove of a stranger raises "Sub-menu is not in menu".
    void Delete(int Index);
    void Remove(TMenuItem* Item);
    // Frees every item.
    void Clear();
    int IndexOf(const TMenuItem* Item) const;
    // The item whose caption matches, accelerators and case aside; null when none does.
    TMenuItem* Find(const String& ACaption) const;
    TMenuItem* Parent() const { return FParent; }
    // Position among the parent's items (-1 without parent); setting it moves the item.
    int MenuIndex() const;
    void SetMenuIndex(int Value);
    // The menu the item belongs to (through its parents), or null.
    TMenu* GetParentMenu() const;
    bool IsLine() const { return FCaption == cLineCaption; }

    const String& Caption() const { return FCaption; }
    void SetCaption(const String& Value);
    bool Checked() const { return FChecked; }
    // Checking a radio item unchecks the radio items of its group among its siblings.
    void SetChecked(bool Value);
    bool AutoCheck() const { return FAutoCheck; }
    void SetAutoCheck(bool Value) { FAutoCheck = Value; }
    bool RadioItem() const { return FRadioItem; }
    void SetRadioItem(bool Value);
    int GroupIndex() const { return FGroupIndex; }
    void SetGroupIndex(int Value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    bool Visible() const { return FVisible; }
    void SetVisible(bool Value);
    bool Default() const { return FDefault; }
    void SetDefault(bool Value);
    TMenuBreak Break() const { return FBreak; }
    void SetBreak(TMenuBreak Value);
    TShortCut ShortCut() const { return FShortCut; }
    void SetShortCut(TShortCut Value);
    const String& Hint() const { return FHint; }
    void SetHint(const String& Value) { FHint = Value; }
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    // The item's own glyph, made on first use.
    TBitmap* Bitmap();
    void SetBitmap(TBitmap* Value);
    bool HasBitmap() const { return FBitmap && !FBitmap->Empty(); }
    // Images for this item's sub-menu in place of the menu's.
    TCustomImageList* SubMenuImages() const { return FSubMenuImages; }
    void SetSubMenuImages(TCustomImageList* Value);

    // The WM_COMMAND identifier, unique in the process.
    WORD Command() const { return FCommand; }
    // The HMENU of this item's sub-menu (made on first use; items without sub-items have none).
    HMENU Handle();
    bool HandleAllocated() const { return FHandle != nullptr; }
    // Whether the item is drawn by the program (the menu is OwnerDraw or shows images).
    bool IsOwnerDraw() const;
    // The images this item's glyph comes from: the parent's SubMenuImages, else the menu's Images.
    TCustomImageList* GetImageList() const;

    // Enabled items: toggles Checked with AutoCheck, then OnClick.
    virtual void Click();
    // Owner drawing, as routed from WM_MEASUREITEM and WM_DRAWITEM. Width and Height come in as
    // the default size; OnMeasureItem may change them. Drawing calls OnAdvancedDrawItem, else
    // OnDrawItem, else draws the item the default way.
    virtual void MeasureItem(TCanvas* ACanvas, int& Width, int& Height);
    virtual void AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel);
    // The default look (background, glyph or check mark, caption, shortcut).
    void DrawDefault(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel);

    TNotifyEvent OnClick;
    TMenuDrawItemEvent OnDrawItem;
    TAdvancedMenuDrawItemEvent OnAdvancedDrawItem;
    TMenuMeasureItemEvent OnMeasureItem;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // The item's entry changed: its parent's HMENU is rebuilt and the menu is told.
    void MenuChanged(bool Rebuild);

private:
    friend class TMenu;
    friend class TMainMenu;
    friend bool MenuMeasureItem(MEASUREITEMSTRUCT& Measure);
    friend bool MenuDrawItem(const DRAWITEMSTRUCT& Draw);
    void AppendTo(HMENU Menu);
    void RebuildHandle();
    void Populate();
    void ItemsChanged();
    void TurnSiblingsOff();
    bool IsTopLevelOfBar() const;
    void ApplyMenuFont(TCanvas* ACanvas) const;
    // The size the default drawing needs, in the canvas's font.
    void DefaultSize(TCanvas* ACanvas, int& Width, int& Height);

    String FCaption;
    HMENU FHandle = nullptr;
    bool FMenuBar = false;  // the root item of a main menu: its HMENU is a menu bar
    bool FChecked = false;
    bool FAutoCheck = false;
    bool FRadioItem = false;
    bool FEnabled = true;
    bool FVisible = true;
    bool FDefault = false;
    int FGroupIndex = 0;
    TMenuBreak FBreak = mbNone;
    TShortCut FShortCut = scNone;
    String FHint;
    int FImageIndex = -1;
    std::unique_ptr<TBitmap> FBitmap;
    TCustomImageList* FSubMenuImages = nullptr;
    WORD FCommand = 0;
    std::vector<TMenuItem*> FItems;
    TMenuItem* FParent = nullptr;
    TMenu* FMenu = nullptr;  // set on a menu's root item only
};

class TMenu : public TComponent {
public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    // The root item: its items are the menu's entries.
    TMenuItem* Items() const { return FItems.get(); }
    HMENU Handle() { return FItems->Handle(); }
    // The window the menu belongs to (the form of a main menu; stored only for a popup menu).
    HWND WindowHandle() const { return FWindowHandle; }
    virtual void SetWindowHandle(HWND Value) { FWindowHandle = Value; }

    TCustomImageList* Images() const { return FImages; }
    void SetImages(TCustomImageList* Value);
    bool OwnerDraw() const { return FOwnerDraw; }
    void SetOwnerDraw(bool Value);

    // Searches the whole tree: by command, by sub-menu HMENU (the root included) or by shortcut.
    TMenuItem* FindItem(UINT_PTR Value, TFindItemKind Kind) const;
    // WM_COMMAND: clicks the item with that command; false when the menu has none.
    bool DispatchCommand(WORD ACommand);
    // WM_INITMENUPOPUP: clicks the item whose sub-menu is opening; false when none.
    bool DispatchPopup(HMENU AMenu);
    // Clicks the item with this shortcut when it and its parents are enabled (hidden items
    // count); true when one was clicked.
    bool IsShortCut(WORD Key, TShiftState Shift);
    // The same for a WM_KEYDOWN / WM_SYSKEYDOWN message (modifiers from the key state).
    bool IsShortCut(TMessage& Message);

    TMenuChangeEvent OnChange;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // An item changed (Source null: the whole menu); tells OnChange.
    virtual void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild);

private:
    friend class TMenuItem;
    void RebuildAll();

    std::unique_ptr<TMenuItem> FItems;
    HWND FWindowHandle = nullptr;
    TCustomImageList* FImages = nullptr;
    bool FOwnerDraw = false;
};

// A window's menu bar. SetWindowHandle attaches the menu to the window (SetMenu) and detaches
// it from the previous one; a window must be given null before it is destroyed, or it takes
// the HMENU with it (the menu then makes a new one on next use). The window routes WM_COMMAND
// (DispatchCommand), WM_INITMENUPOPUP (DispatchPopup) and the owner-draw messages
// (MenuMeasureItem, MenuDrawItem) here.
class TMainMenu : public TMenu {
public:
    explicit TMainMenu(TComponent* AOwner);
    ~TMainMenu() override;

    void SetWindowHandle(HWND Value) override;
    // The menu bar's HMENU, for a form that attaches it itself.
    HMENU GetMenuHandle() { return Handle(); }
    bool AutoMerge() const { return FAutoMerge; }
    void SetAutoMerge(bool Value) { FAutoMerge = Value; }

protected:
    void MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild) override;

private:
    bool FAutoMerge = false;
};

class TPopupMenu : public TMenu {
public:
    // Joins the popup list; the first popup menu also plugs the menus into the controls layer
    // (a control's context menu and its shortcuts).
    explicit TPopupMenu(TComponent* AOwner);
    ~TPopupMenu() override;

    // Calls OnPopup, shows the menu at the screen point and returns when it closes; the chosen
    // item is clicked before Popup returns.
    virtual void Popup(int X, int Y);
    TPoint PopupPoint() const { return FPopupPoint; }
    // The component whose context menu this is while it shows (forgotten when it is freed).
    TComponent* PopupComponent() const { return FPopupComponent; }
    void SetPopupComponent(TComponent* Value);

    TPopupAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TPopupAlignment Value) { FAlignment = Value; }
    // Whether a control shows the menu by itself on a right click or the menu key.
    bool AutoPopup() const { return FAutoPopup; }
    void SetAutoPopup(bool Value) { FAutoPopup = Value; }
    TTrackButton TrackButton() const { return FTrackButton; }
    void SetTrackButton(TTrackButton Value) { FTrackButton = Value; }
    TMenuAnimation MenuAnimation() const { return FMenuAnimation; }
    void SetMenuAnimation(TMenuAnimation Value) { FMenuAnimation = Value; }

    TNotifyEvent OnPopup;
    // After the menu closed (before the chosen item's click).
    TNotifyEvent OnClose;

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override;
    virtual void DoPopup(TObject* Sender);

private:
    TPoint FPopupPoint{0, 0};
    TComponent* FPopupComponent = nullptr;
    TPopupAlignment FAlignment = paLeft;
    bool FAutoPopup = true;
    TTrackButton FTrackButton = tbRightButton;
    TMenuAnimation FMenuAnimation;
};

// The live popup menus and the hidden window their messages go to (WM_COMMAND,
// WM_INITMENUPOPUP, WM_MEASUREITEM, WM_DRAWITEM, WM_MENUCHAR).
class TPopupList {
public:
    int Count() const { return static_cast<int>(FItems.size()); }
    TPopupMenu* Items(int Index) const { return FItems.at(Index); }
    // Made with the first popup menu, freed with the last.
    HWND Window() const { return FWindow; }
    void Add(TPopupMenu* Menu);
    void Remove(TPopupMenu* Menu);

private:
    LRESULT WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
    std::vector<TPopupMenu*> FItems;
    HWND FWindow = nullptr;
};

TPopupList& PopupList();

// For the window that owns a menu: routes the owner-draw messages of menu items (CtlType
// ODT_MENU) to their TMenuItem with a canvas in the menu font; false when the item is not ours.
bool MenuMeasureItem(MEASUREITEMSTRUCT& Measure);
bool MenuDrawItem(const DRAWITEMSTRUCT& Draw);
// WM_MENUCHAR for owner-drawn menus (whose items have no text the system could search): the
// item of Menu whose caption has the accelerator Char, as MAKELRESULT(index, MNC_EXECUTE);
// 0 when none.
LRESULT MenuChar(HMENU Menu, wchar_t Char);
// The live item with this command, or null.
TMenuItem* FindMenuItemByCommand(WORD Command);

// Registers the menu classes with the form reader (items nest inside menus and items).
void RegisterMenuClasses();
