// TWinControl's children: the lists of graphic and windowed children, inserting and removing
// them (with the notifications around it), finding the child at a point, broadcasting to the
// children, and laying them out by Align and Anchors.
#include <algorithm>

#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"
#include "framework/system/ScopeGuards.h"

TControl* TWinControl::Controls(int Index) const
{
    if (Index < 0 || Index >= ControlCount()) throw EListError(L"List index out of bounds (" + std::to_wstring(Index) + L")");
    size_t i = static_cast<size_t>(Index);
    if (i < FControls.size()) return FControls[i];
    return FWinControls[i - FControls.size()];
}

void TWinControl::Insert(TControl* AControl)
{
    if (auto* windowed = dynamic_cast<TWinControl*>(AControl)) {
        FWinControls.push_back(windowed);
        FTabList.push_back(windowed);
    } else {
        FControls.push_back(AControl);
    }
    AControl->FParent = this;
}

void TWinControl::Remove(TControl* AControl)
{
    // By pointer only: the control may be half destroyed already.
    auto erase = [AControl](auto& list) {
        auto it = std::find(list.begin(), list.end(), AControl);
        if (it != list.end()) list.erase(it);
    };
    erase(FControls);
    erase(FWinControls);
    erase(FTabList);
    AControl->FParent = nullptr;
}

void TWinControl::InsertControl(TControl* AControl)
{
    Perform(CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(AControl), 1);
    Insert(AControl);
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
    if (!AControl->ComponentState().Contains(csReading)) {
        AControl->Perform(CM_PARENTCOLORCHANGED);
        AControl->Perform(CM_PARENTFONTCHANGED);
        AControl->Perform(CM_PARENTSHOWHINTCHANGED);
        AControl->Perform(CM_PARENTBIDIMODECHANGED);
        if (auto* windowed = dynamic_cast<TWinControl*>(AControl)) {
            AControl->Perform(CM_PARENTCTL3DCHANGED);
            windowed->UpdateControlState();
        } else if (HandleAllocated()) {
            AControl->Invalidate();
        }
        AlignControl(AControl);
    }
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 1);
}

void TWinControl::RemoveControl(TControl* AControl)
{
    Perform(CM_CONTROLLISTCHANGING, reinterpret_cast<WPARAM>(AControl), 0);
    Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    bool windowed = std::find(FWinControls.begin(), FWinControls.end(), AControl) != FWinControls.end();
    if (windowed) {
        auto* child = static_cast<TWinControl*>(AControl);
        child->RemoveFocus(true);
        child->DestroyHandle();
    } else if (HandleAllocated()) {
        AControl->InvalidateControl(AControl->Visible(), false);
    }
    Remove(AControl);
    Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(AControl), 0);
    Realign();
}

bool TWinControl::ContainsControl(TControl* Control) const
{
    while (Control != nullptr && Control != this) Control = Control->Parent();
    return Control != nullptr;
}

TControl* TWinControl::ControlAtPos(const TPoint& Pos, bool AllowDisabled, bool AllowWinControls)
{
    auto hit = [&](TControl* control) {
        POINT p{Pos.x - control->Left(), Pos.y - control->Top()};
        // The whole control counts (no window is made just to learn its client area).
        TRect area = Rect(0, 0, control->Width(), control->Height());
        if (!PtInRect(&area, p)) return false;
        if (control->ComponentState().Contains(csDesigning))
            return control->Visible() || !control->ControlStyle().Contains(csNoDesignVisible);
        return control->Visible() && (control->Enabled() || AllowDisabled) &&
               control->Perform(CM_HITTEST, 0, PointToLParam(p.x, p.y)) != 0;
    };
    if (AllowWinControls) {
        for (size_t i = FWinControls.size(); i-- > 0;)
            if (hit(FWinControls[i])) return FWinControls[i];
    }
    for (size_t i = FControls.size(); i-- > 0;)
        if (hit(FControls[i])) return FControls[i];
    return nullptr;
}

void TWinControl::Broadcast(TMessage& Message)
{
    for (int i = 0; i < ControlCount(); ++i) {
        Controls(i)->WindowProc(Message);
        if (Message.Result != 0) return;
    }
}

void TWinControl::NotifyControls(UINT Msg)
{
    TMessage message;
    message.Msg = Msg;
    Broadcast(message);
}

// ---- Alignment -----------------------------------------------------------------------------

void TWinControl::DisableAlign() { ++FAlignLevel; }

void TWinControl::EnableAlign()
{
    if (--FAlignLevel == 0 && !ComponentState().Contains(csDestroying) && FControlState.Contains(csAlignmentNeeded))
        Realign();
}

void TWinControl::Realign() { AlignControl(nullptr); }

void TWinControl::AlignControl(TControl* AControl)
{
    if (FHandle == nullptr || ComponentState().Contains(csDestroying)) return;
    if (FAlignLevel != 0) {
        FControlState.Include(csAlignmentNeeded);
        return;
    }
    // Undone last to first: the pending request and the aligning flag go before the level comes back.
    DisableAlign();
    TScopeExit enable([this] { EnableAlign(); });
    TFlagGuard aligning(FControlState, csAligning);
    TScopeExit handled([this] { FControlState.Exclude(csAlignmentNeeded); });
    TRect rect = ClientRect();
    AlignControls(AControl, rect);
}

namespace {

bool InsertBefore(TControl* C1, TControl* C2, TAlign Align)
{
    switch (Align) {
    case alTop: return C1->Top() < C2->Top();
    case alBottom: return C1->Top() + C1->Height() >= C2->Top() + C2->Height();
    case alLeft: return C1->Left() < C2->Left();
    case alRight: return C1->Left() + C1->Width() >= C2->Left() + C2->Width();
    default: return false;
    }
}

} // namespace

void TWinControl::AlignControls(TControl* AControl, TRect& Rect)
{
    bool work = false;
    for (int i = 0; i < ControlCount() && !work; ++i) {
        TControl* c = Controls(i);
        work = c->Align() != alNone || !(c->Anchors() == TAnchors{akLeft, akTop});
    }
    if (!work) return;

    AdjustClientRect(Rect);

    // Gives control its new bounds with FAnchorMove up: a move by the layout keeps its anchor rules.
    auto moveControl = [](TControl* control, int left, int top, int width, int height) {
        control->FAnchorMove = true;
        TScopeExit moved([control] { control->FAnchorMove = false; });
        control->SetBounds(left, top, width, height);
    };

    // Moves an anchored control after a change of the parent's size; places an aligned one in
    // what is left of Rect, taking its size out of Rect.
    auto doPosition = [&](TControl* control, TAlign align) {
        if (align == alNone || !(control->Anchors() == AnchorAlign(align))) {
            if (control->FOriginalParentSize.x != 0 && control->FOriginalParentSize.y != 0) {
                int newLeft = control->Left(), newTop = control->Top();
                int newWidth = control->Width(), newHeight = control->Height();
                TPoint parentSize;
                if (HandleAllocated()) {
                    TRect client = ClientRect();
                    parentSize = TPoint{client.right, client.bottom};
                } else {
                    parentSize = TPoint{FWidth, FHeight};
                }
                const TAnchors anchors = control->Anchors();
                const TPoint rules = control->FAnchorRules;
                const TPoint original = control->FOriginalParentSize;
                if (anchors.Contains(akRight)) {
                    if (anchors.Contains(akLeft))
                        newWidth = parentSize.x - (original.x - rules.x);
                    else
                        newLeft = parentSize.x - (original.x - rules.x);
                } else if (!anchors.Contains(akLeft)) {
                    newLeft = MulDiv(rules.x, parentSize.x, original.x) - newWidth / 2;
                }
                if (anchors.Contains(akBottom)) {
                    if (anchors.Contains(akTop))
                        newHeight = parentSize.y - (original.y - rules.y);
                    else
                        newTop = parentSize.y - (original.y - rules.y);
                } else if (!anchors.Contains(akTop)) {
                    newTop = MulDiv(rules.y, parentSize.y, original.y) - newHeight / 2;
                }
                moveControl(control, newLeft, newTop, newWidth, newHeight);
            }
            if (align == alNone) return;
        }
        int newWidth = Rect.right - Rect.left;
        if (newWidth < 0 || align == alLeft || align == alRight || align == alCustom) newWidth = control->Width();
        int newHeight = Rect.bottom - Rect.top;
        if (newHeight < 0 || align == alTop || align == alBottom || align == alCustom) newHeight = control->Height();
        int newLeft = Rect.left;
        int newTop = Rect.top;
        switch (align) {
        case alTop: Rect.top += newHeight; break;
        case alBottom:
            Rect.bottom -= newHeight;
            newTop = Rect.bottom;
            break;
        case alLeft: Rect.left += newWidth; break;
        case alRight:
            Rect.right -= newWidth;
            newLeft = Rect.right;
            break;
        case alCustom:
            newLeft = control->Left();
            newTop = control->Top();
            break;
        default: break;
        }
        moveControl(control, newLeft, newTop, newWidth, newHeight);
        // A control that did not take the size it was given (constraints) gives the rest back.
        if (control->Width() != newWidth || control->Height() != newHeight) {
            switch (align) {
            case alTop: Rect.top -= newHeight - control->Height(); break;
            case alBottom: Rect.bottom += newHeight - control->Height(); break;
            case alLeft: Rect.left -= newWidth - control->Width(); break;
            case alRight: Rect.right += newWidth - control->Width(); break;
            case alClient:
                Rect.right += newWidth - control->Width();
                Rect.bottom += newHeight - control->Height();
                break;
            default: break;
            }
        }
    };

    std::vector<TControl*> alignList;
    auto doAlign = [&](TAlign align) {
        alignList.clear();
        auto shown = [&](TControl* c) {
            return align == alNone || c->Visible() ||
                   (c->ControlStyle().Contains(csAcceptsControls) && c->ControlStyle().Contains(csNoDesignVisible)) ||
                   (c->ComponentState().Contains(csDesigning) && !c->ControlStyle().Contains(csNoDesignVisible));
        };
        if (AControl != nullptr && AControl->Align() == align && shown(AControl)) alignList.push_back(AControl);
        for (int i = 0; i < ControlCount(); ++i) {
            TControl* control = Controls(i);
            if (control == AControl || control->Align() != align || !shown(control)) continue;
            size_t j = 0;
            while (j < alignList.size() && !InsertBefore(control, alignList[j], align)) ++j;
            alignList.insert(alignList.begin() + static_cast<std::ptrdiff_t>(j), control);
        }
        // The list may change under the handlers of SetBounds: work on a copy.
        std::vector<TControl*> work = alignList;
        for (TControl* control : work) doPosition(control, align);
    };

    doAlign(alTop);
    doAlign(alBottom);
    doAlign(alLeft);
    doAlign(alRight);
    doAlign(alClient);
    doAlign(alCustom);
    doAlign(alNone);
    ControlsAligned();
}

void TWinControl::ChangeScale(int M, int D)
{
    if (M == D) return;
    DisableAlign();
    TScopeExit enable([this] { EnableAlign(); });
    for (int i = 0; i < ControlCount(); ++i) Controls(i)->ChangeScale(M, D);
    TControl::ChangeScale(M, D);
}
