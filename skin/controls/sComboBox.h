#pragma once
// Unit sComboBox: TsCustomComboBox and its published form TsComboBox, the skinned combo box. The
// platform combo box keeps the items, the selection, the text, the drop-down list and
// auto-completion; the skinned class paints the closed box itself from the section "COMBOBOX"
// through the 32-bit cache of its skin state (frame, item or edit text, the drop-down button from
// "COMBOBTN" and the skin's combo glyph), draws the lines of the open list with the "SELECTION"
// section, and gives a list that has to scroll a list handler with skinned scroll bars.
// Every style but the simple one is owner-drawn, so that the list lines and the edit part of a
// drop-down list are drawn by DrawItem. A text written while there is no window survives the
// window's creation even when an entry was selected before it.
#include <windows.h>

#include <memory>

#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/ListBox.h"
#include "skin/controls/sControlTypes.h"
#include "skin/core/sCommonData.h"

class TacComboListWnd;

class TsCustomComboBox : public TCustomComboBox {
public:
    explicit TsCustomComboBox(TComponent* AOwner);
    ~TsCustomComboBox() override;

    // ---- Properties ----
    TsCommonData* SkinData() const { return FCommonData.get(); }
    TsBoundLabel* BoundLabel() const { return FBoundLabel.get(); }
    // Kept for the text of the closed box; the items are drawn as the reading order says.
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // Clicks only focus the box; typing, paging keys and opening the list do nothing.
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    TsDisabledKind DisabledKind() const { return FDisabledKind; }
    void SetDisabledKind(TsDisabledKind Value);
    bool ShowButton() const { return FShowButton; }
    void SetShowButton(bool Value);

    // ---- Queries ----
    // The drop-down button in client coordinates (no width for the simple style or without button).
    TRect ButtonRect();
    // Height of the skin's combo glyph, 16 without one.
    int ButtonHeight();
    // The first item exactly equal to S, -1 when none.
    int IndexOf(const String& S) const;
    // The items are drawn by an OnDrawItem handler of an owner-draw style.
    bool IsOwnerDrawn() const;
    bool Focused() override;
    // The drop-down list window that has a handler (0 when none) and that handler.
    HWND ListBoxHandle() const { return lboxhandle; }
    TacComboListWnd* ListHandler() const { return ListSW; }
    // The list is open as far as the box knows (it paints its button pressed).
    bool DropDownShown() const { return FDropDown; }

    // ---- Painting ----
    void PrepareCache();
    void PaintButton();
    // The closed box from the cache into DC (0: a client DC of its own).
    void OurPaint(HDC DC);

    void Invalidate() override;
    void SetDropDownCount(int Value) override;
    void DrawItem(int Index, const TRect& Rect, TOwnerDrawState State) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void Loaded() override;
    void WndProc(TMessage& Message) override;
    void EditWndProc(TMessage& Message) override;
    void CNDrawItem(TMessage& Message) override;

protected:
    std::unique_ptr<TsCommonData> FCommonData;
    std::unique_ptr<TsBoundLabel> FBoundLabel;
    TAlignment FAlignment = taLeftJustify;
    bool FReadOnly = false;
    TsDisabledKind FDisabledKind{dkBlended};
    bool FShowButton = true;
    bool FDropDown = false;
    HWND lboxhandle = nullptr;
    TacComboListWnd* ListSW = nullptr;
    int OldDropcountValue = 0;
    WNDPROC FDefListProc = nullptr;

private:
    int CacheHeight();
    bool RightToLeft() const;
    // The box is focused, enabled and writable: its inner edit then paints itself.
    bool EditPaintsItself();
    void DrawSkinnedItem(int Index, const TRect& Rect, TOwnerDrawState State);
    void DrawPlainItem(int Index, const TRect& Rect, TOwnerDrawState State);
    // Gives the list window its plain border back and frees its handler.
    void ReleaseList();
    void RedrawNow();
    bool HandleSkinCommand(TMessage& Message);
    bool ReadOnlyDrops(const TMessage& Message) const;
    bool HandleSkinnedMessage(TMessage& Message);
    void MouseEnterLeave(TMessage& Message);
    void ListAsksColors(TMessage& Message);
    void DefaultSkinnedHandling(TMessage& Message);
};

class TsComboBox : public TsCustomComboBox {
public:
    using TsCustomComboBox::TsCustomComboBox;
};
