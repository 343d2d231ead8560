#pragma once
// The combo-box handlers of unit acSBUtils. TacComboBoxWnd skins a combo box whose class is not
// skinned: its border and text area from the frame cache and its drop-down button from the
// skin; the first time the drop-down list asks for its colours it gets a TacComboListWnd, which
// frames the list plainly in the section colour, replaces its bars and keeps the combo box's
// capture while the list is dropped.
#include <windows.h>

#include <memory>

#include "skin/subclass/acSBUtilsEditWnd.h"

class TacComboListWnd;

// The last drop-down notification said the list is open.
extern bool ComboDropped;

class TacComboBoxWnd : public TacEditWnd {
public:
    TacComboBoxWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
                   bool Repaint = true);
    ~TacComboBoxWnd() override;

    void acWndProc(TMessage& Message) override;

    // The drop-down button in window coordinates.
    virtual void ButtonRect(TRect& R) const;
    // Height of the button glyph (16 without a glyph in the skin).
    int ButtonHeight() const;
    void PaintButton(HDC DC);
    void RepaintButton();
    // Writes the selected item's text (or the window text) into the cache.
    void PaintText();
    // The edit part of a simple combo box into the cache.
    void PrepareSimple();
    void Invalidate();
    bool DroppedDown() const { return ComboDropped; }

    HWND FListHandle = nullptr;
    WNDPROC FDefListProc = nullptr;
    std::unique_ptr<TsCommonData> LBSkinData;
    TacComboListWnd* ListSW = nullptr;
    bool LBoxOpening = false;

private:
    bool Simple() const;
    void ListColors(TMessage& Message);
    void PrintCombo(TMessage& Message);
    void PaintCombo(TMessage& Message);
    void DropNotification(WORD Code);
    void ForgetList();
    // The brush the list is painted with: one per handler, made again only for a new colour.
    HBRUSH ListBrush(TColor Color);
    void ReleaseListBrush();

    HBRUSH FListBrush = nullptr;
    TColor FListBrushColor = clNone;
};

class TacComboListWnd : public TacEditWnd {
public:
    TacComboListWnd(HWND AHandle, bool Repaint, const String& Section, TsSkinManager* Manager, TsCommonData* Data);
    ~TacComboListWnd() override;
    // A list handler for a simple combo box's list (always shown) or a drop-down list.
    static TacComboListWnd* CreateEx(HWND AHandle, bool SimplyBox, bool Repaint, const String& Section,
                                     TsSkinManager* Manager, TsCommonData* Data);

    void acWndProc(TMessage& Message) override;

    bool Showed = false;
    bool SimplyBox = false;

protected:
    bool ListKeepsCapture() const override;

private:
    void PrepareListCache();
    void PaintListFrame(TMessage& Message);
    void ListButtonUp(TMessage& Message);
    void PrintList(TMessage& Message);
};
