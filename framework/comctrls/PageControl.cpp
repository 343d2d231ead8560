#include "framework/comctrls/PageControl.h"

#include <commctrl.h>
#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"

// ---- TTabSheet ---------------------------------------------------------------------------

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls, csNoDesignVisible, csParentBackground, csPannable});
    SetAlign(alClient);
    SetVisible(false);
}

TTabSheet::~TTabSheet()
{
    if (FPageControl != nullptr) FPageControl->RemovePage(this);
}

void TTabSheet::SetPageControl(TPageControl* Value)
{
    SetParent(Value);
}

void TTabSheet::SetParent(TWinControl* AParent)
{
    TPageControl* control = dynamic_cast<TPageControl*>(AParent);
    if (FPageControl != nullptr && FPageControl != control) FPageControl->RemovePage(this);
    TWinControl::SetParent(AParent);
    if (control != nullptr && FPageControl != control) control->InsertPage(this);
}

void TTabSheet::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    Params.Style |= WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
}

int TTabSheet::PageIndex() const
{
    if (FPageControl == nullptr) return -1;
    auto& pages = FPageControl->FPages;
    auto it = std::find(pages.begin(), pages.end(), this);
    return it == pages.end() ? -1 : static_cast<int>(it - pages.begin());
}

void TTabSheet::SetPageIndex(int Value)
{
    if (FPageControl == nullptr) return;
    auto& pages = FPageControl->FPages;
    int maxIndex = static_cast<int>(pages.size()) - 1;
    if (Value < 0 || Value > maxIndex)
        throw EListError(L"Page index " + std::to_wstring(Value) + L" out of bounds (0 .. " + std::to_wstring(maxIndex) + L")");
    int oldTab = TabIndex();
    int current = PageIndex();
    pages.erase(pages.begin() + current);
    pages.insert(pages.begin() + Value, this);
    if (oldTab >= 0) FPageControl->MoveTab(oldTab, TabIndex());
}

int TTabSheet::TabIndex() const
{
    if (!FTabShowing) return -1;
    int result = 0;
    for (TTabSheet* page : FPageControl->FPages) {
        if (page == this) break;
        if (page->FTabShowing) ++result;
    }
    return result;
}

void TTabSheet::SetTabVisible(bool Value)
{
    if (FTabVisible == Value) return;
    FTabVisible = Value;
    UpdateTabShowing();
}

void TTabSheet::SetImageIndex(int Value)
{
    if (FImageIndex == Value) return;
    FImageIndex = Value;
    if (FTabShowing) FPageControl->UpdateTab(this);
}

void TTabSheet::SetHighlighted(bool Value)
{
    if (FHighlighted == Value) return;
    FHighlighted = Value;
    int index = TabIndex();
    if (index >= 0 && FPageControl->HandleAllocated())
        SendMessageW(FPageControl->Handle(), TCM_HIGHLIGHTITEM, static_cast<WPARAM>(index), MAKELPARAM(Value ? 1 : 0, 0));
}

void TTabSheet::SetTabShowing(bool Value)
{
    if (FTabShowing == Value) return;
    if (Value) {
        FTabShowing = true;
        FPageControl->InsertTab(this);
    } else {
        int index = TabIndex();
        FTabShowing = false;
        FPageControl->DeleteTab(this, index);
    }
}

void TTabSheet::UpdateTabShowing()
{
    SetTabShowing(FPageControl != nullptr && FTabVisible);
}

void TTabSheet::DoShow()
{
    if (OnShow) OnShow(this);
}

void TTabSheet::DoHide()
{
    if (OnHide) OnHide(this);
}

void TTabSheet::Dispatch(TMessage& Message)
{
    if (Message.Msg == CM_TEXTCHANGED)
        CMTextChanged(Message);
    else if (Message.Msg == CM_SHOWINGCHANGED) {
        bool wasShowing = Showing();
        TWinControl::Dispatch(Message);
        if (Showing() != wasShowing) {
            if (Showing())
                DoShow();
            else
                DoHide();
        }
    } else
        TWinControl::Dispatch(Message);
}

void TTabSheet::CMTextChanged(TMessage& Message)
{
    TWinControl::Dispatch(Message);
    if (FTabShowing) FPageControl->UpdateTab(this);
}

// ---- TPageControl ------------------------------------------------------------------------

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner)
{
    SetControlStyle(TControlStyle{csDoubleClicks, csOpaque, csPannable});
}

TPageControl::~TPageControl()
{
    for (TTabSheet* page : FPages) {
        page->FPageControl = nullptr;
        page->FTabShowing = false;
    }
    FPages.clear();
    FActivePage = nullptr;
}

TTabSheet* TPageControl::Pages(int Index) const
{
    if (Index < 0 || Index >= PageCount())
        throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    return FPages[static_cast<size_t>(Index)];
}

int TPageControl::ActivePageIndex() const
{
    return FActivePage != nullptr ? FActivePage->PageIndex() : -1;
}

void TPageControl::SetActivePageIndex(int Value)
{
    if (Value >= 0 && Value < PageCount())
        SetActivePage(FPages[static_cast<size_t>(Value)]);
    else
        SetActivePage(nullptr);
}

void TPageControl::InsertPage(TTabSheet* Page)
{
    FPages.push_back(Page);
    Page->FPageControl = this;
    Page->UpdateTabShowing();
}

void TPageControl::RemovePage(TTabSheet* Page)
{
    bool destroying = ComponentState().Contains(csDestroying);
    TTabSheet* next = destroying ? nullptr : FindNextPage(Page, true, true);
    if (next == Page) next = nullptr;
    Page->SetTabShowing(false);
    Page->FPageControl = nullptr;
    FPages.erase(std::remove(FPages.begin(), FPages.end(), Page), FPages.end());
    if (FActivePage == Page) FActivePage = nullptr;
    if (!destroying) SetActivePage(next);
}

void TPageControl::InsertTab(TTabSheet* Page)
{
    Tabs()->InsertObject(Page->TabIndex(), Page->Caption(), Page);
    UpdateActivePage();
}

void TPageControl::DeleteTab(TTabSheet* Page, int Index)
{
    bool updateIndex = Page == FActivePage;
    Tabs()->Delete(Index);
    if (updateIndex) {
        if (Index >= Tabs()->Count()) Index = Tabs()->Count() - 1;
        SetTabIndex(Index);
    }
    UpdateActivePage();
}

void TPageControl::MoveTab(int CurIndex, int NewIndex)
{
    Tabs()->Move(CurIndex, NewIndex);
}

void TPageControl::UpdateTab(TTabSheet* Page)
{
    int index = Page->TabIndex();
    if (index >= 0) Tabs()->SetStrings(index, Page->Caption());
}

int TPageControl::GetImageIndex(int TabIndex)
{
    int result = -1;
    if (TabIndex >= 0 && TabIndex < Tabs()->Count()) {
        auto* page = static_cast<TTabSheet*>(Tabs()->Objects(TabIndex));
        if (page != nullptr) result = page->ImageIndex();
    }
    if (OnGetImageIndex) OnGetImageIndex(this, TabIndex, result);
    return result;
}

void TPageControl::UpdateActivePage()
{
    int index = TabIndex();
    if (index >= 0 && index < Tabs()->Count())
        SetActivePage(static_cast<TTabSheet*>(Tabs()->Objects(index)));
    else
        SetActivePage(nullptr);
}

void TPageControl::SetActivePage(TTabSheet* Page)
{
    if (Page != nullptr && Page->FPageControl != this) return;
    ChangeActivePage(Page);
    if (Page == nullptr)
        SetTabIndex(-1);
    else if (Page == FActivePage)
        SetTabIndex(Page->TabIndex());
}

void TPageControl::ChangeActivePage(TTabSheet* Page)
{
    if (FActivePage == Page) return;
    TCustomForm* form = GetParentForm(this);
    // The focus leaves the page that goes; a form that refuses keeps the old page's tab.
    if (form != nullptr && FActivePage != nullptr && form->ActiveControl() != nullptr &&
        FActivePage->ContainsControl(form->ActiveControl())) {
        if (FActivePage->CanFocus()) form->SetActiveControl(FActivePage);
        if (form->ActiveControl() != FActivePage) {
            SetTabIndex(FActivePage->TabIndex());
            return;
        }
    }
    if (Page != nullptr) {
        Page->BringToFront();
        Page->SetVisible(true);
        if (form != nullptr && FActivePage != nullptr && form->ActiveControl() == FActivePage) {
            if (Page->CanFocus())
                form->SetActiveControl(Page);
            else if (CanFocus())
                form->SetActiveControl(this);
        }
    }
    if (FActivePage != nullptr) FActivePage->SetVisible(false);
    FActivePage = Page;
    if (form != nullptr && FActivePage != nullptr && form->ActiveControl() == FActivePage) {
        TWinControl* first = FActivePage->FindNextControl(nullptr, true, true, false);
        if (first == nullptr) first = FActivePage->FindNextControl(nullptr, true, false, false);
        if (first != nullptr && first->CanFocus()) form->SetActiveControl(first);
    }
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* CurPage, bool GoForward, bool CheckTabVisible)
{
    int count = PageCount();
    if (count == 0) return nullptr;
    auto it = std::find(FPages.begin(), FPages.end(), CurPage);
    int start = it == FPages.end() ? -1 : static_cast<int>(it - FPages.begin());
    if (start == -1) start = GoForward ? count - 1 : 0;
    int i = start;
    do {
        if (GoForward) {
            if (++i == count) i = 0;
        } else {
            if (i == 0) i = count;
            --i;
        }
        TTabSheet* page = FPages[static_cast<size_t>(i)];
        if (!CheckTabVisible || page->TabVisible()) return page;
    } while (i != start);
    return nullptr;
}

void TPageControl::SelectNextPage(bool GoForward, bool CheckTabVisible)
{
    TTabSheet* page = FindNextPage(FActivePage, GoForward, CheckTabVisible);
    if (page != nullptr && page != FActivePage && CanChange()) {
        SetActivePage(page);
        Change();
    }
}

void TPageControl::Change()
{
    if (TabIndex() >= 0) UpdateActivePage();
    TCustomTabControl::Change();
}

void TPageControl::ShowControl(TControl* AControl)
{
    auto* page = dynamic_cast<TTabSheet*>(AControl);
    if (page != nullptr && page->FPageControl == this) SetActivePage(page);
    TCustomTabControl::ShowControl(AControl);
}

void TPageControl::CMDialogKey(TMessage& Message)
{
    bool focusInside = false;
    if (HandleAllocated()) {
        HWND focus = GetFocus();
        focusInside = focus == Handle() || IsChild(Handle(), focus);
    }
    if (focusInside && Message.WParam == VK_TAB && SystemFacts().KeyState(VK_CONTROL) < 0) {
        SelectNextPage(SystemFacts().KeyState(VK_SHIFT) >= 0);
        Message.Result = 1;
    } else
        TCustomTabControl::CMDialogKey(Message);
}
