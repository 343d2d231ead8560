#pragma once
// TPageControl: a tab control that shows one TTabSheet at a time in its display rectangle and
// keeps one tab per page whose tab is visible.
#include <windows.h>
#include <vector>

#include "framework/comctrls/TabControl.h"

// One page of a TPageControl: a container shown in the page control's display rectangle while
// it is the active page, with a tab while TabVisible.
class TTabSheet : public TWinControl {
public:
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* Value);
    // Position among all pages of the page control, -1 without one.
    int PageIndex() const;
    void SetPageIndex(int Value);
    // Position among the visible tabs, -1 while the tab is hidden.
    int TabIndex() const;
    bool TabVisible() const { return FTabVisible; }
    void SetTabVisible(bool Value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int Value);
    bool Highlighted() const { return FHighlighted; }
    void SetHighlighted(bool Value);

    void SetParent(TWinControl* AParent) override;
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;
    virtual void CMTextChanged(TMessage& Message);

    TNotifyEvent OnShow;
    TNotifyEvent OnHide;

protected:
    friend class TPageControl;
    void SetTabShowing(bool Value);
    void UpdateTabShowing();
    void DoShow();
    void DoHide();

    TPageControl* FPageControl = nullptr;
    bool FTabVisible = true;
    bool FTabShowing = false;
    int FImageIndex = -1;
    bool FHighlighted = false;
};

class TPageControl : public TCustomTabControl {
public:
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return static_cast<int>(FPages.size()); }
    TTabSheet* Pages(int Index) const;
    TTabSheet* ActivePage() const { return FActivePage; }
    // Shows Page (one of this control's pages, or null for none) and selects its tab, without
    // OnChanging/OnChange.
    void SetActivePage(TTabSheet* Page);
    int ActivePageIndex() const;
    void SetActivePageIndex(int Value);

    // The page after (or before) CurPage, wrapping around; pages with hidden tabs are skipped
    // with CheckTabVisible. Null when there is none.
    TTabSheet* FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible);
    // Moves to the next page as a tab click would: OnChanging may refuse, OnChange follows.
    void SelectNextPage(bool GoForward, bool CheckTabVisible = true);

    void Change() override;
    int GetImageIndex(int TabIndex) override;
    void ShowControl(TControl* AControl) override;
    // Makes the page of the selected tab the active one.
    virtual void UpdateActivePage();
    void CMDialogKey(TMessage& Message) override;

protected:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void InsertTab(TTabSheet* Page);
    void DeleteTab(TTabSheet* Page, int Index);
    void MoveTab(int CurIndex, int NewIndex);
    void UpdateTab(TTabSheet* Page);
    void ChangeActivePage(TTabSheet* Page);

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};
