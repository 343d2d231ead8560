#pragma once
// The handlers of unit acSBUtils for edits, list boxes and list views. TacBaseWnd keeps the
// frame cache and the replaced bars in step with sizing and scrolling; TacEditWnd paints the
// window's border from the skin section (default "EDIT"), gives the control the skin's colours
// and gives its own back when the skin goes; TacListViewWnd also takes over the list view's
// column header and paints its columns from the section "COLHEADER".
#include <windows.h>

#include <memory>

#include "framework/comctrls/ListView.h"

#include "skin/subclass/acSBUtilsScrollBars.h"

class TBrush;

class TacBaseWnd : public TacScrollWnd {
public:
    using TacScrollWnd::TacScrollWnd;
    void acWndProc(TMessage& Message) override;
};

class TacEditWnd : public TacBaseWnd {
public:
    TacEditWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
               bool Repaint = true);
    ~TacEditWnd() override;

    void SaveStdParams() override;
    void RestoreStdParams() override;
    void SetSkinParams() override;
    void acWndProc(TMessage& Message) override;

    TColor Color = clWindow;
    TColor FocusColor = clNone;
    int FrameColor = 0;
    TBrush* Brush = nullptr;

protected:
    // The handler kind decides whether the window's visual styles go off at construction.
    enum class TEditKind { Edit, Grid, DropDownList };
    TacEditWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
               bool Repaint, TEditKind Kind);
    // Passes on to the base procedure and does what follows it (syncing bars, repainting).
    void PassToBase(TMessage& Message);
    // Gives the window its own look back, once, from the most derived destructor: by the time
    // the root handler's destructor runs, its call reaches none of the overrides.
    void RestoreBeforeDestruction();

private:
    bool PaintNonClient(TMessage& Message);
    void PrintWindow(TMessage& Message);
    // The window's DC has nothing to paint (not a print DC and an empty clip box).
    bool NothingToPaint(HDC DC) const;
    void FocusChanged(TMessage& Message);

    bool FRestoredForDestruction = false;
};

class TacListViewWnd : public TacEditWnd {
public:
    TacListViewWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
                   bool Repaint = true);
    ~TacListViewWnd() override;

    void SaveStdParams() override;
    void RestoreStdParams() override;
    void SetSkinParams() override;
    void acWndProc(TMessage& Message) override;

    // The window procedure of the taken-over column header.
    void HeaderWndProc(TMessage& Message);
    // Paints every column (and the empty rest) into DC, or the header's own DC when null.
    void PaintHeader(HDC DC);
    // One column (cIndex -2: the area right of the last column) in its state.
    void ColumnSkinPaint(const TRect& ControlRect, int cIndex, HDC DC);
    // The header rectangle of display position iItem (of item iItem without drag and drop).
    void GetHeaderColumnRect(int iItem, TRect& Result) const;
    TViewStyle ViewStyle() const;
    bool HotTrack() const { return true; }
    int AllColWidth() const;

    HWND FhWndHeader = nullptr;
    WNDPROC FhHeaderProc = nullptr;
    WNDPROC FhDefHeaderProc = nullptr;
    int FPressedColumn = -1;
    int HoverColIndex = -1;
    int ListLineHeight = 0;
    bool FFlag = false;

private:
    void SaveListColors();
    void HookHeader(HWND Header);
    void UnhookHeader();
    void CallHeaderProc(TMessage& Message);
    void RepaintHeader();
    void HoverAt(POINT Screen);
    void ScrollMessage(TMessage& Message);

    std::unique_ptr<TWndMethod> FHeaderMethod;
    TColor FStdTextBkColor = clNone;
};

// Keeps an edit handler on a skinned control's window while its state is skinned.
void AttachEditWnd(TsCommonData* SkinData, TacEditWnd*& Handler);
