#include "framework/menus/Menus.h"

#include <algorithm>
#include <cwctype>
#include <unordered_map>
#include <unordered_set>

#include "framework/classes/UtilityWindow.h"
#include "framework/controls/Forms.h"
#include "framework/graphics/Colors.h"
#include "framework/graphics/DrawingGuards.h"
#include "framework/system/StringUtils.h"

namespace {

// Command numbers of the live items (WM_COMMAND identifiers are 16 bits) and the items by
// address, so a message's item data is only followed when it names a live item. Never freed:
// items in static objects may outlive any static of this unit.
struct TItemRegistry {
    std::unordered_map<WORD, TMenuItem*> ByCommand;
    std::unordered_set<const TMenuItem*> Live;
    unsigned Next = 1;

    WORD Allocate(TMenuItem* Item)
    {
        for (unsigned tries = 0; tries < 0xFFFF; ++tries) {
            WORD command = static_cast<WORD>(Next);
            Next = Next >= 0xFFFF ? 1 : Next + 1;
            if (ByCommand.emplace(command, Item).second) {
                Live.insert(Item);
                return command;
            }
        }
        throw EMenuError(L"Too many menu items");
    }
    void Release(TMenuItem* Item, WORD Command)
    {
        ByCommand.erase(Command);
        Live.erase(Item);
    }
};

TItemRegistry& Registry()
{
    static TItemRegistry* registry = new TItemRegistry;
    return *registry;
}

TMenuItem* ItemOfMessage(UINT ItemID, ULONG_PTR ItemData)
{
    auto* byData = reinterpret_cast<TMenuItem*>(ItemData);
    if (byData != nullptr && Registry().Live.count(byData) != 0) return byData;
    return FindMenuItemByCommand(static_cast<WORD>(ItemID));
}

const wchar_t* const SMenuIndexError = L"Menu index out of range";
const wchar_t* const SMenuReinserted = L"Menu inserted twice";
const wchar_t* const SMenuNotFound = L"Sub-menu is not in menu";

String KeyName(BYTE Key)
{
    switch (Key) {
    case VK_BACK: return L"BkSp";
    case VK_TAB: return L"Tab";
    case VK_RETURN: return L"Enter";
    case VK_ESCAPE: return L"Esc";
    case VK_SPACE: return L"Space";
    case VK_PRIOR: return L"PgUp";
    case VK_NEXT: return L"PgDn";
    case VK_END: return L"End";
    case VK_HOME: return L"Home";
    case VK_LEFT: return L"Left";
    case VK_UP: return L"Up";
    case VK_RIGHT: return L"Right";
    case VK_DOWN: return L"Down";
    case VK_INSERT: return L"Ins";
    case VK_DELETE: return L"Del";
    default: break;
    }
    if ((Key >= '0' && Key <= '9') || (Key >= 'A' && Key <= 'Z')) return String(1, static_cast<wchar_t>(Key));
    if (Key >= VK_NUMPAD0 && Key <= VK_NUMPAD9) return L"Num " + String(1, static_cast<wchar_t>(L'0' + Key - VK_NUMPAD0));
    if (Key >= VK_F1 && Key <= VK_F24) return L"F" + std::to_wstring(Key - VK_F1 + 1);
    // Everything else by the keyboard layout's own name.
    UINT scan = MapVirtualKeyW(Key, MAPVK_VK_TO_VSC);
    if (scan == 0) return String();
    wchar_t name[64];
    int length = GetKeyNameTextW(static_cast<LONG>(scan << 16), name, 64);
    return String(name, length > 0 ? length : 0);
}

bool StartsText(const String& Prefix, const String& S)
{
    return S.size() >= Prefix.size() && SameText(S.substr(0, Prefix.size()), Prefix);
}

void RebuildTree(TMenuItem* Item, const std::function<void(TMenuItem*)>& Rebuild)
{
    Rebuild(Item);
    for (int i = 0; i < Item->Count(); ++i) RebuildTree(Item->Items(i), Rebuild);
}

// Frees items already taken out of their parent, last first.
void FreeDetached(std::vector<TMenuItem*>& Items)
{
    while (!Items.empty()) {
        TMenuItem* item = Items.back();
        Items.pop_back();
        delete item;
    }
}

} // namespace

// ---- Shortcuts and captions ------------------------------------------------------------------

String ShortCutToText(TShortCut ShortCut)
{
    String name = KeyName(LOBYTE(ShortCut));
    if (name.empty()) return String();
    String result;
    if (ShortCut & scShift) result += L"Shift+";
    if (ShortCut & scCtrl) result += L"Ctrl+";
    if (ShortCut & scAlt) result += L"Alt+";
    return result + name;
}

TShortCut TextToShortCut(const String& Text)
{
    String s = Trim(Text);
    TShortCut modifiers = 0;
    for (;;) {
        if (StartsText(L"Shift+", s)) {
            modifiers |= scShift;
            s.erase(0, 6);
        } else if (StartsText(L"Ctrl+", s)) {
            modifiers |= scCtrl;
            s.erase(0, 5);
        } else if (StartsText(L"Alt+", s)) {
            modifiers |= scAlt;
            s.erase(0, 4);
        } else {
            break;
        }
    }
    if (s.empty()) return scNone;
    static const std::pair<const wchar_t*, BYTE> longNames[] = {
        {L"Insert", VK_INSERT}, {L"Delete", VK_DELETE}, {L"Escape", VK_ESCAPE}, {L"Return", VK_RETURN},
        {L"Backspace", VK_BACK}, {L"PageUp", VK_PRIOR}, {L"PageDown", VK_NEXT}, {L"Page Up", VK_PRIOR},
        {L"Page Down", VK_NEXT}};
    for (const auto& [name, key] : longNames)
        if (SameText(s, name)) return modifiers | key;
    for (int key = 0x08; key <= 0xFF; ++key) {
        String name = KeyName(static_cast<BYTE>(key));
        if (!name.empty() && SameText(name, s)) return modifiers | static_cast<TShortCut>(key);
    }
    return scNone;
}

String StripHotkey(const String& Text)
{
    String result;
    result.reserve(Text.size());
    for (size_t i = 0; i < Text.size(); ++i) {
        if (Text[i] == L'&') {
            if (i + 1 < Text.size() && Text[i + 1] == L'&') result += Text[++i];
            continue;
        }
        result += Text[i];
    }
    return result;
}

wchar_t GetHotkey(const String& Text)
{
    for (size_t i = 0; i + 1 < Text.size(); ++i) {
        if (Text[i] != L'&') continue;
        if (Text[i + 1] == L'&') {
            ++i;
            continue;
        }
        return AnsiUpperCase(String(1, Text[i + 1]))[0];
    }
    return 0;
}

// ---- TMenuItem -------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner)
{
    FCommand = Registry().Allocate(this);
}

TMenuItem::~TMenuItem()
{
    if (FParent != nullptr) FParent->Remove(this);
    // Our sub-menus leave our HMENU before they are destroyed one by one.
    if (FHandle != nullptr && IsMenu(FHandle))
        while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
    std::vector<TMenuItem*> items;
    items.swap(FItems);
    for (TMenuItem* item : items) item->FParent = nullptr;
    FreeDetached(items);
    if (FHandle != nullptr && IsMenu(FHandle)) DestroyMenu(FHandle);
    Registry().Release(this, FCommand);
}

TMenuItem* TMenuItem::Items(int Index) const
{
    if (Index < 0 || Index >= Count()) throw EMenuError(SMenuIndexError);
    return FItems[Index];
}

void TMenuItem::Add(TMenuItem* Item)
{
    Insert(Count(), Item);
}

void TMenuItem::Add(std::initializer_list<TMenuItem*> Items)
{
    for (TMenuItem* item : Items) Add(item);
}

void TMenuItem::Insert(int Index, TMenuItem* Item)
{
    if (Item == nullptr) return;
    if (Item->FParent != nullptr || Item->FMenu != nullptr || Item == this) throw EMenuError(SMenuReinserted);
    if (Index < 0 || Index > Count()) throw EMenuError(SMenuIndexError);
    FItems.insert(FItems.begin() + Index, Item);
    Item->FParent = this;
    if (Item->FRadioItem && Item->FChecked) Item->TurnSiblingsOff();
    ItemsChanged();
}

void TMenuItem::Delete(int Index)
{
    if (Index < 0 || Index >= Count()) throw EMenuError(SMenuIndexError);
    TMenuItem* item = FItems[Index];
    FItems.erase(FItems.begin() + Index);
    item->FParent = nullptr;
    ItemsChanged();
}

void TMenuItem::Remove(TMenuItem* Item)
{
    int index = IndexOf(Item);
    if (index < 0) throw EMenuError(SMenuNotFound);
    Delete(index);
}

void TMenuItem::Clear()
{
    if (FItems.empty()) return;
    if (FHandle != nullptr && IsMenu(FHandle))
        while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
    std::vector<TMenuItem*> items;
    items.swap(FItems);
    for (TMenuItem* item : items) item->FParent = nullptr;
    FreeDetached(items);
    ItemsChanged();
}

int TMenuItem::IndexOf(const TMenuItem* Item) const
{
    auto it = std::find(FItems.begin(), FItems.end(), Item);
    return it == FItems.end() ? -1 : static_cast<int>(it - FItems.begin());
}

TMenuItem* TMenuItem::Find(const String& ACaption) const
{
    String wanted = StripHotkey(ACaption);
    for (TMenuItem* item : FItems)
        if (SameText(StripHotkey(item->FCaption), wanted)) return item;
    return nullptr;
}

int TMenuItem::MenuIndex() const
{
    return FParent != nullptr ? FParent->IndexOf(this) : -1;
}

void TMenuItem::SetMenuIndex(int Value)
{
    if (FParent == nullptr) return;
    int current = MenuIndex();
    Value = std::clamp(Value, 0, FParent->Count() - 1);
    if (Value == current) return;
    std::vector<TMenuItem*>& siblings = FParent->FItems;
    siblings.erase(siblings.begin() + current);
    siblings.insert(siblings.begin() + Value, this);
    FParent->ItemsChanged();
}

TMenu* TMenuItem::GetParentMenu() const
{
    const TMenuItem* item = this;
    while (item->FParent != nullptr) item = item->FParent;
    return item->FMenu;
}

void TMenuItem::SetCaption(const String& Value)
{
    if (FCaption == Value) return;
    FCaption = Value;
    MenuChanged(false);
}

void TMenuItem::SetChecked(bool Value)
{
    if (FChecked == Value) return;
    FChecked = Value;
    if (Value && FRadioItem) TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::SetRadioItem(bool Value)
{
    if (FRadioItem == Value) return;
    FRadioItem = Value;
    if (FRadioItem && FChecked) TurnSiblingsOff();
    MenuChanged(true);
}

void TMenuItem::SetGroupIndex(int Value)
{
    if (FGroupIndex == Value) return;
    FGroupIndex = Value;
    if (FRadioItem && FChecked) TurnSiblingsOff();
    MenuChanged(false);
}

void TMenuItem::TurnSiblingsOff()
{
    if (FParent == nullptr) return;
    for (TMenuItem* sibling : FParent->FItems)
        if (sibling != this && sibling->FRadioItem && sibling->FGroupIndex == FGroupIndex) sibling->FChecked = false;
}

void TMenuItem::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    MenuChanged(false);
}

void TMenuItem::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    FVisible = Value;
    MenuChanged(true);
}

void TMenuItem::SetDefault(bool Value)
{
    if (FDefault == Value) return;
    FDefault = Value;
    MenuChanged(false);
}

void TMenuItem::SetBreak(TMenuBreak Value)
{
    if (FBreak == Value) return;
    FBreak = Value;
    MenuChanged(true);
}

void TMenuItem::SetShortCut(TShortCut Value)
{
    if (FShortCut == Value) return;
    FShortCut = Value;
    MenuChanged(false);
}

void TMenuItem::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    MenuChanged(false);
}

TBitmap* TMenuItem::Bitmap()
{
    if (!FBitmap) {
        FBitmap = std::make_unique<TBitmap>();
        FBitmap->OnChange = [this](TObject*) { MenuChanged(true); };
    }
    return FBitmap.get();
}

void TMenuItem::SetBitmap(TBitmap* Value)
{
    Bitmap()->Assign(Value);
}

void TMenuItem::SetSubMenuImages(TCustomImageList* Value)
{
    if (FSubMenuImages == Value) return;
    if (FSubMenuImages != nullptr) RemoveFreeNotification(FSubMenuImages);
    FSubMenuImages = Value;
    if (Value != nullptr) FreeNotification(Value);
    RebuildHandle();  // the items' owner drawing depends on it
    MenuChanged(true);
}

void TMenuItem::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FSubMenuImages) {
        FSubMenuImages = nullptr;
        if (!ComponentState().Contains(csDestroying)) {
            RebuildHandle();
            MenuChanged(true);
        }
    }
}

HMENU TMenuItem::Handle()
{
    // A window destroyed with our menu bar attached took the HMENU with it.
    if (FHandle != nullptr && !IsMenu(FHandle)) FHandle = nullptr;
    if (FHandle == nullptr) {
        FHandle = FMenuBar ? CreateMenu() : CreatePopupMenu();
        if (FHandle == nullptr) throw EMenuError(L"Cannot create a menu");
        Populate();
    }
    return FHandle;
}

void TMenuItem::Populate()
{
    while (GetMenuItemCount(FHandle) > 0) RemoveMenu(FHandle, 0, MF_BYPOSITION);
    for (TMenuItem* item : FItems)
        if (item->FVisible) item->AppendTo(FHandle);
}

void TMenuItem::RebuildHandle()
{
    if (FHandle == nullptr) return;
    if (!IsMenu(FHandle)) {
        FHandle = nullptr;
        return;
    }
    Populate();
}

void TMenuItem::AppendTo(HMENU Menu)
{
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
    const bool line = IsLine();
    UINT type = line ? MFT_SEPARATOR : MFT_STRING;
    if (IsOwnerDraw()) type |= MFT_OWNERDRAW;
    if (FRadioItem) type |= MFT_RADIOCHECK;
    if (FBreak == mbBreak) type |= MFT_MENUBREAK;
    else if (FBreak == mbBarBreak) type |= MFT_MENUBARBREAK;
    info.fType = type;
    if (FChecked) info.fState |= MFS_CHECKED;
    if (!FEnabled) info.fState |= MFS_GRAYED;
    if (FDefault) info.fState |= MFS_DEFAULT;
    info.wID = FCommand;
    info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
    if (FItems.empty()) {
        // No longer a sub-menu: the old HMENU is referenced nowhere now.
        if (FHandle != nullptr && IsMenu(FHandle)) DestroyMenu(FHandle);
        FHandle = nullptr;
    } else {
        info.hSubMenu = Handle();
    }
    String text;
    if (!line) {
        text = FCaption;
        if (FShortCut != scNone) text += L"\t" + ShortCutToText(FShortCut);
        info.fMask |= MIIM_STRING;
        info.dwTypeData = text.data();
        info.cch = static_cast<UINT>(text.size());
    }
    InsertMenuItemW(Menu, static_cast<UINT>(GetMenuItemCount(Menu)), TRUE, &info);
}

void TMenuItem::ItemsChanged()
{
    RebuildHandle();
    MenuChanged(true);
}

void TMenuItem::MenuChanged(bool Rebuild)
{
    if (FParent != nullptr) FParent->RebuildHandle();
    if (TMenu* menu = GetParentMenu()) menu->MenuChanged(menu, this, Rebuild);
}

bool TMenuItem::IsOwnerDraw() const
{
    TMenu* menu = GetParentMenu();
    if (menu != nullptr && (menu->OwnerDraw() || menu->Images() != nullptr)) return true;
    if (FParent != nullptr && FParent->FSubMenuImages != nullptr) return true;
    return HasBitmap();
}

TCustomImageList* TMenuItem::GetImageList() const
{
    for (const TMenuItem* parent = FParent; parent != nullptr; parent = parent->FParent)
        if (parent->FSubMenuImages != nullptr) return parent->FSubMenuImages;
    TMenu* menu = GetParentMenu();
    return menu != nullptr ? menu->Images() : nullptr;
}

bool TMenuItem::IsTopLevelOfBar() const
{
    return FParent != nullptr && FParent->FMenuBar;
}

void TMenuItem::Click()
{
    if (!FEnabled) return;
    if (FAutoCheck) SetChecked(!FChecked);
    if (OnClick) OnClick(this);
}

void TMenuItem::ApplyMenuFont(TCanvas* ACanvas) const
{
    ACanvas->Font()->Assign(Screen->MenuFont());
    if (FDefault) ACanvas->Font()->SetStyle(ACanvas->Font()->Style() + TFontStyles{fsBold});
}

void TMenuItem::DefaultSize(TCanvas* ACanvas, int& Width, int& Height)
{
    const bool topLevel = IsTopLevelOfBar();
    if (IsLine()) {
        Width = topLevel ? 8 : 12;
        Height = 8;
        return;
    }
    TSize text = ACanvas->TextExtent(StripHotkey(FCaption));
    TCustomImageList* images = GetImageList();
    int glyphWidth = 16, glyphHeight = 16;
    if (images != nullptr) {
        glyphWidth = images->Width();
        glyphHeight = images->Height();
    } else if (HasBitmap()) {
        glyphWidth = FBitmap->Width();
        glyphHeight = FBitmap->Height();
    }
    if (topLevel) {
        bool glyph = (images != nullptr && FImageIndex >= 0) || HasBitmap();
        Width = text.cx + 8 + (glyph ? glyphWidth + 4 : 0);
        Height = std::max<int>(text.cy, glyph ? glyphHeight : 0) + 4;
        return;
    }
    Width = glyphWidth + 8 + text.cx + 16;
    if (FShortCut != scNone) Width += ACanvas->TextWidth(ShortCutToText(FShortCut)) + 24;
    Height = std::max<int>(text.cy + 6, glyphHeight + 4);
}

void TMenuItem::MeasureItem(TCanvas* ACanvas, int& Width, int& Height)
{
    if (OnMeasureItem) OnMeasureItem(this, ACanvas, Width, Height);
}

void TMenuItem::AdvancedDrawItem(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel)
{
    if (OnAdvancedDrawItem)
        OnAdvancedDrawItem(this, ACanvas, ARect, State);
    else if (OnDrawItem)
        OnDrawItem(this, ACanvas, ARect, State.Contains(odSelected));
    else
        DrawDefault(ACanvas, ARect, State, TopLevel);
}

void TMenuItem::DrawDefault(TCanvas* ACanvas, const TRect& ARect, TOwnerDrawState State, bool TopLevel)
{
    const bool selected = State.Contains(odSelected) || State.Contains(odHotLight);
    ACanvas->Brush()->SetColor(selected ? clHighlight : (TopLevel ? clMenuBar : clMenu));
    ACanvas->FillRect(ARect);
    if (IsLine()) {
        TRect line = ARect;
        line.top += (ARect.bottom - ARect.top) / 2 - 1;
        DrawEdge(ACanvas->Handle(), &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    TColor textColor = !FEnabled ? clGrayText : selected ? clHighlightText : clMenuText;

    TCustomImageList* images = GetImageList();
    int glyphColumn = 0;
    if (!TopLevel) {
        int glyphWidth = images != nullptr ? images->Width() : HasBitmap() ? FBitmap->Width() : 16;
        int glyphHeight = images != nullptr ? images->Height() : HasBitmap() ? FBitmap->Height() : 16;
        glyphColumn = glyphWidth + 8;
        int x = ARect.left + 4;
        int y = ARect.top + (ARect.bottom - ARect.top - glyphHeight) / 2;
        bool glyph = false;
        if (images != nullptr && FImageIndex >= 0 && FImageIndex < images->Count()) {
            images->Draw(ACanvas, x, y, FImageIndex, FEnabled);
            glyph = true;
        } else if (HasBitmap()) {
            ACanvas->Draw(x, y, FBitmap.get());
            glyph = true;
        }
        if (FChecked) {
            ACanvas->Pen()->SetColor(textColor);
            if (glyph) {
                ACanvas->Brush()->SetStyle(bsClear);
                ACanvas->Rectangle(x - 1, y - 1, x + glyphWidth + 1, y + glyphHeight + 1);
            } else {
                int cx = x + glyphWidth / 2, cy = y + glyphHeight / 2;
                if (FRadioItem) {
                    ACanvas->Brush()->SetColor(textColor);
                    ACanvas->Ellipse(cx - 3, cy - 3, cx + 4, cy + 4);
                } else {
                    ACanvas->Pen()->SetWidth(2);
                    ACanvas->Polyline({Point(cx - 4, cy), Point(cx - 1, cy + 3), Point(cx + 4, cy - 3)});
                    ACanvas->Pen()->SetWidth(1);
                }
            }
        }
    }

    ACanvas->Brush()->SetStyle(bsClear);
    ACanvas->Font()->SetColor(textColor);
    UINT flags = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;
    if (State.Contains(odNoAccel)) flags |= DT_HIDEPREFIX;
    TRect textRect = ARect;
    if (TopLevel) {
        flags |= DT_CENTER;
    } else {
        textRect.left += glyphColumn + 4;
        textRect.right -= 8;
    }
    String caption = FCaption;
    ACanvas->TextRect(textRect, caption, flags);
    if (!TopLevel && FShortCut != scNone) {
        String shortCut = ShortCutToText(FShortCut);
        ACanvas->TextRect(textRect, shortCut, (flags & ~DT_CENTER) | DT_RIGHT | DT_NOPREFIX);
    }
}

// ---- TMenu -----------------------------------------------------------------------------------

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), FItems(std::make_unique<TMenuItem>(nullptr))
{
    FItems->FMenu = this;
}

TMenu::~TMenu()
{
    FItems.reset();
}

void TMenu::SetImages(TCustomImageList* Value)
{
    if (FImages == Value) return;
    if (FImages != nullptr) RemoveFreeNotification(FImages);
    FImages = Value;
    if (Value != nullptr) FreeNotification(Value);
    RebuildAll();
}

void TMenu::SetOwnerDraw(bool Value)
{
    if (FOwnerDraw == Value) return;
    FOwnerDraw = Value;
    RebuildAll();
}

void TMenu::RebuildAll()
{
    RebuildTree(FItems.get(), [](TMenuItem* item) { item->RebuildHandle(); });
    MenuChanged(this, nullptr, true);
}

void TMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FImages) {
        FImages = nullptr;
        if (!ComponentState().Contains(csDestroying)) RebuildAll();
    }
}

void TMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild)
{
    if (OnChange) OnChange(this, Source, Rebuild);
}

TMenuItem* TMenu::FindItem(UINT_PTR Value, TFindItemKind Kind) const
{
    if (Kind == fkCommand) {
        TMenuItem* item = FindMenuItemByCommand(static_cast<WORD>(Value));
        return item != nullptr && item != FItems.get() && item->GetParentMenu() == this ? item : nullptr;
    }
    TMenuItem* found = nullptr;
    std::function<void(TMenuItem*)> search = [&](TMenuItem* item) {
        if (found != nullptr) return;
        bool match = Kind == fkHandle ? (item->FHandle != nullptr && reinterpret_cast<UINT_PTR>(item->FHandle) == Value)
                                      : (item != FItems.get() && Value != 0 && item->FShortCut == Value);
        if (match) {
            found = item;
            return;
        }
        for (TMenuItem* child : item->FItems) search(child);
    };
    search(FItems.get());
    return found;
}

bool TMenu::DispatchCommand(WORD ACommand)
{
    TMenuItem* item = FindItem(ACommand, fkCommand);
    if (item == nullptr) return false;
    item->Click();
    return true;
}

bool TMenu::DispatchPopup(HMENU AMenu)
{
    TMenuItem* item = FindItem(reinterpret_cast<UINT_PTR>(AMenu), fkHandle);
    if (item == nullptr) return false;
    item->Click();
    return true;
}

bool TMenu::IsShortCut(WORD Key, TShiftState Shift)
{
    TShortCut shortCut = ::ShortCut(Key, Shift);
    if (shortCut == scNone) return false;
    TMenuItem* found = nullptr;
    // Only items reachable through enabled parents count; hidden ones do.
    std::function<void(TMenuItem*)> search = [&](TMenuItem* item) {
        for (TMenuItem* child : item->FItems) {
            if (found != nullptr) return;
            if (!child->FEnabled) continue;
            if (child->FShortCut == shortCut) {
                found = child;
                return;
            }
            search(child);
        }
    };
    search(FItems.get());
    if (found == nullptr) return false;
    found->Click();
    return true;
}

bool TMenu::IsShortCut(TMessage& Message)
{
    if (Message.Msg != WM_KEYDOWN && Message.Msg != WM_SYSKEYDOWN) return false;
    return IsShortCut(static_cast<WORD>(Message.WParam), KeyDataToShiftState(Message.LParam));
}

// ---- TMainMenu -------------------------------------------------------------------------------

namespace {

// A form's menu bar reaches its menu through the forms layer's hooks: attaching to the form's
// window, the menu messages the window receives, and the shortcuts of the keys it handles.
void PlugMainMenusIntoForms()
{
    static bool plugged = false;
    if (plugged) return;
    plugged = true;
    if (!MainMenuAttachFunction)
        MainMenuAttachFunction = [](TMainMenu* Menu, HWND Window) { Menu->SetWindowHandle(Window); };
    if (!MainMenuShortCutHandler)
        MainMenuShortCutHandler = [](TMainMenu* Menu, TMessage& Message) { return Menu->IsShortCut(Message); };
    if (!MainMenuMessageHandler) {
        MainMenuMessageHandler = [](TMainMenu* Menu, TMessage& Message) {
            switch (Message.Msg) {
            case WM_COMMAND:
                if (Menu->DispatchCommand(LOWORD(Message.WParam))) { Message.Result = 0; return true; }
                return false;
            case WM_INITMENUPOPUP:
                if (Menu->DispatchPopup(reinterpret_cast<HMENU>(Message.WParam))) { Message.Result = 0; return true; }
                return false;
            case WM_MEASUREITEM:
                if (MenuMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(Message.LParam))) { Message.Result = TRUE; return true; }
                return false;
            case WM_DRAWITEM:
                if (MenuDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(Message.LParam))) { Message.Result = TRUE; return true; }
                return false;
            case WM_MENUCHAR:
                if (LRESULT result = MenuChar(reinterpret_cast<HMENU>(Message.LParam), static_cast<wchar_t>(LOWORD(Message.WParam)))) {
                    Message.Result = result;
                    return true;
                }
                return false;
            default:
                return false;
            }
        };
    }
}

} // namespace

TMainMenu::TMainMenu(TComponent* AOwner) : TMenu(AOwner)
{
    Items()->FMenuBar = true;
    PlugMainMenusIntoForms();
}

TMainMenu::~TMainMenu()
{
    SetWindowHandle(nullptr);
}

void TMainMenu::SetWindowHandle(HWND Value)
{
    HWND old = WindowHandle();
    if (old == Value) return;
    if (old != nullptr && IsWindow(old) && Items()->FHandle != nullptr && GetMenu(old) == Items()->FHandle) {
        SetMenu(old, nullptr);
        DrawMenuBar(old);
    }
    TMenu::SetWindowHandle(Value);
    if (Value != nullptr) MenuChanged(this, nullptr, true);
}

void TMainMenu::MenuChanged(TObject* Sender, TMenuItem* Source, bool Rebuild)
{
    HWND window = WindowHandle();
    if (window != nullptr && IsWindow(window) && !ComponentState().Contains(csDestroying)) {
        HMENU wanted = Items()->Count() > 0 ? Handle() : nullptr;
        if (GetMenu(window) != wanted) SetMenu(window, wanted);
        DrawMenuBar(window);
    }
    TMenu::MenuChanged(Sender, Source, Rebuild);
}

// ---- TPopupMenu ------------------------------------------------------------------------------

namespace {

// A control's context menu and its shortcuts reach the menus through the controls layer's hooks.
void PlugIntoControls()
{
    static bool plugged = false;
    if (plugged) return;
    plugged = true;
    if (!PopupMenuHandler) {
        PopupMenuHandler = [](TPopupMenu* Menu, TControl* Control, TPoint ScreenPos) {
            if (!Menu->AutoPopup()) return false;
            Menu->SetPopupComponent(Control);
            Menu->Popup(ScreenPos.x, ScreenPos.y);
            return true;
        };
    }
    if (!PopupMenuShortCutHandler)
        PopupMenuShortCutHandler = [](TPopupMenu* Menu, TMessage& Message) { return Menu->IsShortCut(Message); };
}

} // namespace

TPopupMenu::TPopupMenu(TComponent* AOwner) : TMenu(AOwner)
{
    PopupList().Add(this);
    PlugIntoControls();
}

TPopupMenu::~TPopupMenu()
{
    PopupList().Remove(this);
}

void TPopupMenu::SetPopupComponent(TComponent* Value)
{
    if (FPopupComponent == Value) return;
    if (FPopupComponent != nullptr) RemoveFreeNotification(FPopupComponent);
    FPopupComponent = Value;
    if (Value != nullptr) FreeNotification(Value);
}

void TPopupMenu::Notification(TComponent* AComponent, TOperation Operation)
{
    TMenu::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FPopupComponent) FPopupComponent = nullptr;
}

void TPopupMenu::DoPopup(TObject* Sender)
{
    if (OnPopup) OnPopup(Sender);
}

void TPopupMenu::Popup(int X, int Y)
{
    DoPopup(this);
    FPopupPoint = Point(X, Y);
    UINT flags = TPM_RETURNCMD;
    switch (FAlignment) {
    case paLeft: flags |= TPM_LEFTALIGN; break;
    case paRight: flags |= TPM_RIGHTALIGN; break;
    case paCenter: flags |= TPM_CENTERALIGN; break;
    }
    flags |= FTrackButton == tbLeftButton ? TPM_LEFTBUTTON : TPM_RIGHTBUTTON;
    if (FMenuAnimation.Contains(maNone)) {
        flags |= TPM_NOANIMATION;
    } else {
        if (FMenuAnimation.Contains(maLeftToRight)) flags |= TPM_HORPOSANIMATION;
        if (FMenuAnimation.Contains(maRightToLeft)) flags |= TPM_HORNEGANIMATION;
        if (FMenuAnimation.Contains(maTopToBottom)) flags |= TPM_VERPOSANIMATION;
        if (FMenuAnimation.Contains(maBottomToTop)) flags |= TPM_VERNEGANIMATION;
    }
    // With TPM_RETURNCMD the choice comes back here instead of as a WM_COMMAND, so the item is
    // clicked before Popup returns.
    UINT command = TrackPopupMenu(Handle(), flags, X, Y, 0, PopupList().Window(), nullptr);
    if (OnClose) OnClose(this);
    if (command != 0) DispatchCommand(static_cast<WORD>(command));
}

// ---- Popup list and owner-draw routing -------------------------------------------------------

TPopupList& PopupList()
{
    static TPopupList* list = new TPopupList;
    return *list;
}

void TPopupList::Add(TPopupMenu* Menu)
{
    if (FWindow == nullptr)
        FWindow = AllocateHWnd([this](HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam) { return WndProc(Wnd, Msg, WParam, LParam); });
    FItems.push_back(Menu);
}

void TPopupList::Remove(TPopupMenu* Menu)
{
    FItems.erase(std::remove(FItems.begin(), FItems.end(), Menu), FItems.end());
    if (FItems.empty() && FWindow != nullptr) {
        DeallocateHWnd(FWindow);
        FWindow = nullptr;
    }
}

LRESULT TPopupList::WndProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    switch (Msg) {
    case WM_COMMAND:
        if (HIWORD(WParam) == 0 && LParam == 0) {
            std::vector<TPopupMenu*> menus = FItems;
            for (TPopupMenu* menu : menus)
                if (menu->DispatchCommand(LOWORD(WParam))) return 0;
        }
        break;
    case WM_INITMENUPOPUP: {
        std::vector<TPopupMenu*> menus = FItems;
        for (TPopupMenu* menu : menus)
            if (menu->DispatchPopup(reinterpret_cast<HMENU>(WParam))) return 0;
        break;
    }
    case WM_MEASUREITEM:
        if (MenuMeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(LParam))) return TRUE;
        break;
    case WM_DRAWITEM:
        if (MenuDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(LParam))) return TRUE;
        break;
    case WM_MENUCHAR:
        if (LRESULT result = MenuChar(reinterpret_cast<HMENU>(LParam), static_cast<wchar_t>(LOWORD(WParam)))) return result;
        break;
    default:
        break;
    }
    return DefWindowProcW(Wnd, Msg, WParam, LParam);
}

TMenuItem* FindMenuItemByCommand(WORD Command)
{
    auto& byCommand = Registry().ByCommand;
    auto it = byCommand.find(Command);
    return it == byCommand.end() ? nullptr : it->second;
}

bool MenuMeasureItem(MEASUREITEMSTRUCT& Measure)
{
    if (Measure.CtlType != ODT_MENU) return false;
    TMenuItem* item = ItemOfMessage(Measure.itemID, Measure.itemData);
    if (item == nullptr) return false;
    int width = 0, height = 0;
    {
        TWindowDCGuard screen(nullptr);
        TSavedDC saved(screen.DC());
        TCanvas canvas;
        TCanvasHandleGuard<TCanvas> lent(canvas, screen.DC());
        item->ApplyMenuFont(&canvas);
        item->DefaultSize(&canvas, width, height);
        item->MeasureItem(&canvas, width, height);
    }
    Measure.itemWidth = static_cast<UINT>(std::max(width, 0));
    Measure.itemHeight = static_cast<UINT>(std::max(height, 0));
    return true;
}

bool MenuDrawItem(const DRAWITEMSTRUCT& Draw)
{
    if (Draw.CtlType != ODT_MENU) return false;
    TMenuItem* item = ItemOfMessage(Draw.itemID, Draw.itemData);
    if (item == nullptr) return false;
    TSavedDC saved(Draw.hDC);
    TCanvas canvas;
    TCanvasHandleGuard<TCanvas> lent(canvas, Draw.hDC);
    item->ApplyMenuFont(&canvas);
    item->AdvancedDrawItem(&canvas, Draw.rcItem, OwnerDrawStateFromItemState(Draw.itemState), item->IsTopLevelOfBar());
    return true;
}

LRESULT MenuChar(HMENU Menu, wchar_t Char)
{
    if (Menu == nullptr) return 0;
    wchar_t wanted = AnsiUpperCase(String(1, Char))[0];
    int count = GetMenuItemCount(Menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_DATA | MIIM_FTYPE;
        if (!GetMenuItemInfoW(Menu, static_cast<UINT>(i), TRUE, &info)) continue;
        auto* item = reinterpret_cast<TMenuItem*>(info.dwItemData);
        if (item == nullptr || Registry().Live.count(item) == 0) continue;
        if ((info.fType & MFT_OWNERDRAW) == 0 || !item->Enabled() || item->IsLine()) continue;
        if (GetHotkey(item->Caption()) == wanted) return MAKELRESULT(i, MNC_EXECUTE);
    }
    return 0;
}
