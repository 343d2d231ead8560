// Mouse actions on the skinned frame become window actions: the hit test, pressing and releasing
// caption and user title buttons, double clicks on the title, the system menu, and the system
// commands that follow them.
#include <windowsx.h>

#include "framework/system/ScopeGuards.h"
#include "skin/core/acntUtils.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

namespace {

inline constexpr UINT WM_POPUPSYSTEMMENU = 0x0313;
inline constexpr WPARAM SC_DRAGMOVE = 0xF012;

bool DragFullWindows()
{
    BOOL on = FALSE;
    SystemParametersInfoW(SPI_GETDRAGFULLWINDOWS, 0, &on, 0);
    return on != FALSE;
}

} // namespace

// True when the message was one of the mouse or system-command messages and is done.
bool TsSkinProvider::MouseMessage(TMessage& Message)
{
    HWND wnd = Form->Handle();
    switch (Message.Msg) {
    case WM_NCHITTEST:
        if (RTInit) {
            RTInit = false;
            LoadInit();
        }
        if (CaptionHeight(true) == 0 || !FDrawNonClientArea) {
            CallOld(Message);
            return true;
        }
        Message.Result = HitTest(Message);
        if (Message.Result < HTSYSMENU || Message.Result == HTMENU) {
            CallOld(Message);
            SetHotHT(0);
        } else if (FResizeMode == rmBorder && !RubberBandActive() && Form->Enabled() &&
                   (Message.Result == HTCAPTION || (Message.Result >= HTLEFT && Message.Result <= HTBOTTOMRIGHT))) {
            RubberBandPrepare(Message.Result == HTCAPTION, static_cast<int>(Message.Result), TPoint{0, 0});
        }
        return true;
    case WM_NCLBUTTONDOWN:
        if (!FDrawNonClientArea) {
            CallOld(Message);
            return true;
        }
        PressButton(Message);
        return true;
    case WM_NCLBUTTONUP:
    case WM_LBUTTONUP:
        if (!FDrawNonClientArea) {
            CallOld(Message);
            return true;
        }
        ReleaseButton(Message);
        return true;
    case WM_NCLBUTTONDBLCLK:
        DoubleClick(Message);
        return true;
    case WM_NCRBUTTONDOWN:
        if (Message.WParam != HTCAPTION && Message.WParam != HTSYSMENU) CallOld(Message);
        return true;
    case WM_NCRBUTTONUP:
        if (HasFrame()) {
            int code = HitTest(Message);
            if (code == HTCAPTION || code == HTSYSMENU) {
                SetHotHT(0);
                DropSysMenu(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
            }
        } else {
            CallOld(Message);
        }
        return true;
    case WM_POPUPSYSTEMMENU: {
        POINT p{};
        GetCursorPos(&p);
        DropSysMenu(p.x, p.y);
        return true;
    }
    case WM_MOUSEMOVE:
        HandleMouseMove(Message);
        if (TsSkinManager* manager = TsSkinManager::DefaultSkinManager(); manager != nullptr && !manager->ComponentState().Contains(csDesigning))
            manager->SetActiveControl(nullptr);
        return true;
    case WM_MOUSELEAVE:
    case CM_MOUSELEAVE:
        SetHotHT(0);
        if (TsSkinManager* manager = TsSkinManager::DefaultSkinManager(); manager != nullptr && manager->ActiveControl() != nullptr)
            manager->SetActiveControl(nullptr);
        CallOld(Message);
        return true;
    case WM_SYSCOMMAND:
        SysCommand(Message);
        return true;
    default:
        (void)wnd;
        return false;
    }
}

void TsSkinProvider::PressButton(TMessage& Message)
{
    int code = static_cast<int>(Message.WParam);
    HWND wnd = Form->Handle();
    switch (code) {
    case HTMINBUTTON:
    case HTMAXBUTTON:
    case HTCLOSE:
    case HTHELP:
    case HTMDICLOSE:
    case HTMDIMAX:
    case HTMDIMIN:
        SetPressedHT(code);
        return;
    case HTMENU:
        CallOld(Message);
        return;
    case HTSYSMENU: {
        Message.Result = 0;
        CallOld(Message);
        if (Message.Result != 0) return;
        SetHotHT(0);
        TsSkinManager* manager = Manager();
        if (manager == nullptr || !manager->SkinnedPopups()) {
            // A double click within this time closes the form instead.
            PauseWithMessages(200);
            if (FCommonData->Updating()) return;
        }
        if (!Form->HandleAllocated()) return;
        RECT r{};
        GetWindowRect(wnd, &r);
        DropSysMenu(r.left + WindowFrameWidth(wnd, BorderForm, false),
                    r.top + BorderHeight(true) + TitleIconHeight() + StdFrameWidth(wnd, BorderForm, false));
        return;
    }
    default:
        break;
    }
    if (code >= HTUDBTN && code < HTUDBTN + FTitleButtons->Count()) {
        SetPressedHT(code);
        FTitleButtons->Items(code - HTUDBTN)->MouseDown(mbLeft, TShiftState{}, GET_X_LPARAM(Message.LParam),
                                                        GET_Y_LPARAM(Message.LParam));
        return;
    }
    if (Iconic()) {
        Form->Perform(WM_SYSCOMMAND, SC_DRAGMOVE, 0);
        return;
    }
    SetHotHT(0);
    if (Zoomed()) {
        // The title of a maximized form does not drag it.
        TPoint p;
        ScreenToFormPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam), p);
        if (p.y <= StdFrameWidth(wnd, BorderForm, true) + CaptionHeight(true)) {
            if (GetActiveWindow() != wnd) SetFocus(wnd);
            return;
        }
    }
    if (!DragFullWindows()) {
        CallOld(Message);
        return;
    }
    if (FResizeMode == rmBorder && Form->Enabled() && code != HTMENU) {
        if (code == HTCAPTION) CallOld(Message);
        bool moving = code < HTLEFT || code > HTBOTTOMRIGHT;
        TPoint point{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        RubberBandPrepare(moving, -1, point);
        SendMessageW(wnd, WM_SYSCOMMAND, moving ? SC_MOVE : SC_SIZE, 0);
        StartRubberBand(point.x, point.y);
        return;
    }
    // Blend on moving while the title is dragged comes later.
    CallOld(Message);
}

void TsSkinProvider::ReleaseButton(TMessage& Message)
{
    int code = static_cast<int>(Message.WParam);
    HWND wnd = Form->Handle();
    if (Message.Msg == WM_LBUTTONUP) code = ButtonPressed ? CurrentHT : HTCLIENT;
    TPoint p;
    if (Message.Msg == WM_LBUTTONUP) {
        POINT client{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        ClientToScreen(wnd, &client);
        ScreenToFormPoint(client.x, client.y, p);
    } else {
        ScreenToFormPoint(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam), p);
    }
    auto pressedHere = [&](const TsCaptionButton& Button) { return PtInRect(&Button.Rect, p) != FALSE; };
    bool wasPressed = ButtonPressed;
    ButtonPressed = false;
    switch (code) {
    case HTMINBUTTON:
        if (wasPressed && PtInRect(&ButtonMin.Rect, p)) {
            SetHotHT(0);
            if (IsMainForm()) {
                SkipAnimation = true;
                SendMessageW(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
                SkipAnimation = false;
            } else {
                SendMessageW(wnd, WM_SYSCOMMAND, Iconic() ? SC_RESTORE : SC_MINIMIZE, 0);
            }
            FCommonData->BGChanged = true;
            RegionChanged = true;
        } else {
            SetHotHT(0);
            if (!wasPressed) CallOld(Message);
        }
        return;
    case HTMAXBUTTON:
        if (SystemMenu && !SystemMenu->EnabledMax() && !(Zoomed() && SystemMenu->EnabledRestore())) return;
        SetHotHT(0);
        if (wasPressed && PtInRect(&ButtonMax.Rect, p)) {
            if (Zoomed()) {
                Form->SetWindowState(wsNormal);
                SendMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
                RepaintFormFrame();
            } else {
                SendMessageW(wnd, WM_SYSCOMMAND, SC_MAXIMIZE, 0);
            }
            if (SystemMenu) SystemMenu->UpdateItems(false);
        } else if (!wasPressed) {
            CallOld(Message);
        }
        return;
    case HTCLOSE:
        if (wasPressed && PtInRect(&ButtonClose.Rect, p)) {
            ButtonClose.State = 0;
            SendMessageW(wnd, WM_SYSCOMMAND, SC_CLOSE, 0);
            if (!Form->ComponentState().Contains(csDestroying)) {
                KillAnimations();
                if (Form->HandleAllocated() && IsWindowVisible(wnd)) SetHotHT(0);
            }
        } else {
            SetHotHT(0);
        }
        return;
    case HTHELP:
        if (wasPressed && PtInRect(&ButtonHelp.Rect, p)) {
            SendMessageW(wnd, WM_SYSCOMMAND, SC_CONTEXTHELP, 0);
            SetHotHT(0);
            if (SystemMenu) SystemMenu->UpdateItems(false);
            Form->Perform(WM_NCPAINT, 0, 0);
        } else {
            SetHotHT(0);
        }
        return;
    case HTMDICLOSE:
    case HTMDIMAX:
    case HTMDIMIN:
        // MDI support comes later: no MDI child buttons are shown in a menu line yet.
        SetHotHT(0);
        return;
    default:
        break;
    }
    if (code >= HTUDBTN && code < HTUDBTN + FTitleButtons->Count()) {
        TsTitleButton* item = FTitleButtons->Items(code - HTUDBTN);
        if (wasPressed && pressedHere(item->BtnData))
            item->MouseUp(mbLeft, TShiftState{}, GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        SetHotHT(0);
        return;
    }
    if (wasPressed) {
        // A press on a button released elsewhere: the button only comes back up.
        SetHotHT(0);
        if (Message.Msg == WM_LBUTTONUP) CallOld(Message);
        return;
    }
    if (FResizeMode == rmBorder && Form->Enabled() && !Zoomed() && RubberBandActive()) {
        EndRubberBand(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        ReleaseCapture();
        return;
    }
    CallOld(Message);
}

void TsSkinProvider::DoubleClick(TMessage& Message)
{
    HWND wnd = Form->Handle();
    if (FResizeMode == rmBorder && RubberBandActive()) {
        EndRubberBand(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam));
        ReleaseCapture();
        RubberBandClear();
    }
    switch (Message.WParam) {
    case HTCAPTION: {
        bool closeShown = SystemMenu && SystemMenu->VisibleClose();
        bool canToggle = closeShown && (SystemMenu->EnabledMax() || SystemMenu->EnabledRestore());
        if (canToggle || (!HasFrame() && Iconic())) {
            SendMessageW(wnd, WM_SYSCOMMAND, Zoomed() || Iconic() ? SC_RESTORE : SC_MAXIMIZE, 0);
            if (SystemMenu) SystemMenu->UpdateItems(false);
        } else if (Iconic()) {
            SendMessageW(wnd, WM_SYSCOMMAND, SC_RESTORE, 0);
            if (SystemMenu) SystemMenu->UpdateItems(false);
        }
        Message.WParam = 0;
        return;
    }
    case HTSYSMENU:
        if (Manager() == nullptr || !Manager()->SkinnedPopups()) FCommonData->SetUpdating(true);
        Form->Close();
        return;
    default:
        return;
    }
}

void TsSkinProvider::SysCommand(TMessage& Message)
{
    WPARAM command = Message.WParam & 0xFFF0;
    HWND wnd = Form->Handle();
    if (!IsMDIChild()) {
        if (Message.WParam == SC_DRAGMOVE) {
            FCommonData->BGChanged = true;
            RepaintFormFrame();
        } else if (Message.WParam == SC_RESTORE && RestoreCommand(Message)) {
            return;
        }
    }
    if (FResizeMode == rmBorder && Form->Enabled() && !RubberBandActive()) {
        if (command == SC_MOVE) {
            SetCapture(wnd);
            RubberBandPrepare(true, -1, TPoint{0, 0});
        } else if (command == SC_SIZE) {
            SetCapture(wnd);
            RubberBandPrepare(false, 0, TPoint{0, 0});
        }
    }
    // MDI children and parents, and the forms' own minimize and restore animations, come later:
    // until then they take the path of any other form.
    CallOld(Message);
    switch (command) {
    case SC_MINIMIZE:
        FCommonData->EmptyCache();
        break;
    case SC_MAXIMIZE:
    case SC_RESTORE:
        if (SystemMenu && SystemMenu->VisibleMax()) CurrentHT = HTMAXBUTTON;
        SetHotHT(0);
        if (command == SC_RESTORE && Form->HandleAllocated()) {
            FCommonData->BGChanged = true;
            RgnChanged = true;
            if (HasFrame()) RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE | RDW_UPDATENOW);
            else SetWindowRgn(wnd, nullptr, TRUE);
        }
        break;
    case SC_KEYMENU:
        if (LOWORD(Message.LParam) == VK_SPACE && SystemMenu && SystemMenu->VisibleClose() && HasFrame()) {
            TRect icon;
            IconRect(icon);
            RECT r{};
            GetWindowRect(wnd, &r);
            DropSysMenu(r.left + icon.left, r.top + icon.bottom - (Iconic() ? 16 : 0));
        }
        break;
    default:
        break;
    }
    if (command == SC_MINIMIZE) {
        TsSkinManager* manager = Manager();
        if (manager != nullptr && manager->AnimEffects()->Minimizing()->Active()) fAnimating = false;
    }
}

bool TsSkinProvider::RestoreCommand(TMessage& Message)
{
    // The system's own restore animation would play over the skinned frame.
    auto callOldWithoutAnimation = [this, &Message] {
        const bool animated = WindowAnimationOn();
        if (animated) SetWindowAnimation(false);
        TScopeExit animationBack([animated] {
            if (animated) SetWindowAnimation(true);
        });
        CallOld(Message);
    };
    if (FormState & 0x200) {
        // The form was hidden with its hide picture taken; it comes back as it is.
        FormState &= ~0x200u;
        callOldWithoutAnimation();
        return true;
    }
    if (!IsMainForm()) {
        callOldWithoutAnimation();
        return true;
    }
    if (Application->MainFormOnTaskBar() && Iconic() && Form->Parent() == nullptr && BorderForm == nullptr &&
        IsCompositionActive()) {
        HWND wnd = Form->Handle();
        CallOld(Message);
        RedrawWindow(wnd, nullptr, nullptr, RDW_FRAME | RDW_ALLCHILDREN | RDW_INVALIDATE);
        InvalidateRect(wnd, nullptr, TRUE);
        return true;
    }
    return false;
}
