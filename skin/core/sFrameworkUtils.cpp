// sFrameworkUtils: the skin command senders and the control procedures skinned windows share.
#include "skin/core/sFrameworkUtils.h"

#include <algorithm>
#include <memory>

#include "framework/comctrls/ToolBar.h"
#include "framework/controls/Forms.h"
#include "framework/system/ScopeGuards.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

bool AnimationInProgress = false;
HMODULE VisualStylesLibrary = nullptr;
TSetWindowThemeProc SetWindowThemeProc = nullptr;
std::function<bool(TControl* Control)> BroadcastSkipTest;
std::function<bool(TComponent* Component, TMessage& Message)> ProviderDesignHandler;
std::function<void(TsSkinManager* Manager, TPopupMenu* Menu, bool Active)> PopupMenuSkinner;

namespace {

// Loads the visual-styles library at start-up and frees it at shut-down.
struct TVisualStylesLoader {
    TVisualStylesLoader()
    {
        VisualStylesLibrary = LoadLibraryW(L"UXTHEME");
        if (VisualStylesLibrary != nullptr)
            SetWindowThemeProc =
                reinterpret_cast<TSetWindowThemeProc>(reinterpret_cast<void*>(GetProcAddress(VisualStylesLibrary, "SetWindowTheme")));
    }
    ~TVisualStylesLoader()
    {
        SetWindowThemeProc = nullptr;
        if (VisualStylesLibrary != nullptr) FreeLibrary(VisualStylesLibrary);
        VisualStylesLibrary = nullptr;
    }
};
const TVisualStylesLoader VisualStylesLoader;

bool ComponentIn(const TComponent* Component, TComponentStateFlag Flag)
{
    return Component != nullptr && Component->ComponentState().Contains(Flag);
}

bool DrawingGraphicChildren = false;

} // namespace

void HookPopupMenu(TsSkinManager* Manager, TPopupMenu* Menu)
{
    if (Manager == nullptr || Menu == nullptr || !PopupMenuSkinner) return;
    PopupMenuSkinner(Manager, Menu, Manager->Active());
}

// ---- Senders ----------------------------------------------------------------------------------

LRESULT SendSkinCmd(HWND Wnd, int Sub, LPARAM LParam)
{
    return SendMessageW(Wnd, SM_LUMACMD, MakeSkinWParam(Sub), LParam);
}

LRESULT ControlSkinCmd(TControl* Control, int Sub, LPARAM LParam)
{
    if (Control == nullptr) return 0;
    if (auto* win = dynamic_cast<TWinControl*>(Control)) {
        if (ComponentIn(win, csDestroying) || !win->HandleAllocated()) return 0;
        return SendSkinCmd(win->Handle(), Sub, LParam);
    }
    return Control->Perform(SM_LUMACMD, MakeSkinWParam(Sub), LParam);
}

LRESULT QueryControlSkinCmd(TControl* Control, int Sub)
{
    return ControlSkinCmd(Control, Sub, 0);
}

bool WndAnswersSkinCmd(HWND Wnd, int Sub)
{
    return SendSkinCmd(Wnd, Sub, 0) == 1;
}

void NotifyParentForm(TControl* Control)
{
    if (Control == nullptr || ComponentIn(Control, csDesigning) || ComponentIn(Control, csLoading)) return;
    if (TCustomForm* form = GetParentForm(Control, true))
        SendSkinCmd(form->Handle(), AC_CHILDADDED, reinterpret_cast<LPARAM>(Control));
}

void RefreshChildControls(TWinControl* Control)
{
    if (AnimationInProgress || Control == nullptr) return;
    for (int i = 0; i < Control->ControlCount(); ++i) {
        TControl* child = Control->Controls(i);
        if (dynamic_cast<TGraphicControl*>(child) != nullptr || ComponentIn(child, csDestroying)) continue;
        if (auto* win = dynamic_cast<TWinControl*>(child)) {
            if (win->HandleAllocated() && win->Showing()) SendSkinCmd(win->Handle(), AC_RESUMEPAINT, 0);
        } else {
            ControlSkinCmd(child, AC_RESUMEPAINT, 0);
        }
    }
}

void RefreshChildWindows(HWND Wnd)
{
    for (HWND child = GetTopWindow(Wnd); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        if ((GetWindowLongW(child, GWL_STYLE) & WS_CHILD) != 0) SendSkinCmd(child, AC_RESUMEPAINT, 0);
}

void BroadcastToControls(TWinControl* Parent, const TMessage& Message)
{
    if (Parent == nullptr) return;
    // Receivers may add or remove children while the walk runs: the count is read every step.
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        TControl* child = Parent->Controls(i);
        if (ComponentIn(child, csDestroying)) return;
        auto* win = dynamic_cast<TWinControl*>(child);
        if (win == nullptr || !win->HandleAllocated()) {
            child->Perform(Message.Msg, Message.WParam, Message.LParam);
        } else if (QueryControlSkinCmd(win, AC_QUERYSKINNED) != 0) {
            SendMessageW(win->Handle(), Message.Msg, Message.WParam, Message.LParam);
        } else if (!BroadcastSkipTest || !BroadcastSkipTest(win)) {
            BroadcastToControls(win, Message);
        }
    }
}

namespace {

struct TChildWndBroadcast {
    HWND Parent;
    TMessage Message;
};

BOOL CALLBACK SendToDirectChild(HWND Child, LPARAM Data)
{
    const auto* b = reinterpret_cast<const TChildWndBroadcast*>(Data);
    if (GetParent(Child) == b->Parent) SendMessageW(Child, b->Message.Msg, b->Message.WParam, b->Message.LParam);
    return TRUE;
}

} // namespace

void BroadcastToChildWnds(HWND Wnd, const TMessage& Message)
{
    TChildWndBroadcast b{Wnd, Message};
    EnumChildWindows(Wnd, SendToDirectChild, reinterpret_cast<LPARAM>(&b));
}

void ProviderDesignMessage(TCustomForm* Form, TMessage& Message)
{
    if (Form == nullptr || !ProviderDesignHandler) return;
    for (int i = 0; i < Form->ComponentCount(); ++i)
        if (ProviderDesignHandler(Form->Components(i), Message)) return;
}

// ---- Colours --------------------------------------------------------------------------------------

TColor ControlBackColor(TControl* Control)
{
    if (Control == nullptr) return NoSkinColor;
    if (QueryControlSkinCmd(Control, AC_QUERYSKINNED) == 1)
        return ColorToRGB(static_cast<TColor>(Control->Perform(SM_LUMACMD, MakeSkinWParam(AC_QUERYBGCOLOR), NoSkinColor)));
    return ColorToRGB(Control->Color());
}

TColor WndBackColor(HWND Wnd)
{
    if (Wnd == nullptr) return NoSkinColor;
    return ColorToRGB(static_cast<TColor>(SendSkinCmd(Wnd, AC_QUERYBGCOLOR, NoSkinColor)));
}

// ---- Controls and windows -------------------------------------------------------------------------

bool ControlIsReady(TControl* Control)
{
    if (Control == nullptr) return false;
    if (auto* win = dynamic_cast<TWinControl*>(Control); win != nullptr && !win->HandleAllocated()) return false;
    const TControlState state = Control->ControlState();
    if (state.Contains(csCreating) || state.Contains(csReadingState)) return false;
    if (ComponentIn(Control, csLoading) || ComponentIn(Control, csDestroying)) return false;
    return Control->Parent() != nullptr;
}

TCustomForm* FindOwnerForm(TComponent* Component)
{
    for (TComponent* c = Component; c != nullptr; c = c->Owner())
        if (auto* form = dynamic_cast<TCustomForm*>(c)) return form;
    return nullptr;
}

UINT ControlTextFlags(TControl* Control, TAlignment Alignment)
{
    UINT flags = Alignment == taRightJustify ? DT_RIGHT : Alignment == taCenter ? DT_CENTER : DT_LEFT;
    flags |= DT_EXPANDTABS | DT_VCENTER;
    if (Control == nullptr) return flags;
    if (Control->UseRightToLeftAlignment()) {
        if ((flags & DT_RIGHT) != 0)
            flags &= ~static_cast<UINT>(DT_RIGHT);
        else if ((flags & DT_CENTER) == 0)
            flags |= DT_RIGHT;
    }
    if (Control->UseRightToLeftReading()) flags |= DT_RTLREADING;
    return flags;
}

int AlignedChildrenSize(TWinControl* Parent, TAlign Align, bool IncludeGraphic)
{
    if (Parent == nullptr) return 0;
    int size = 0;
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        TControl* child = Parent->Controls(i);
        if (!child->Visible() || child->Align() != Align) continue;
        if (!IncludeGraphic && dynamic_cast<TWinControl*>(child) == nullptr) continue;
        switch (Align) {
        case alTop:
        case alBottom: size += child->Height(); break;
        case alLeft:
        case alRight: size += child->Width(); break;
        default: break;
        }
    }
    return size;
}

TRect ClientRectInWindow(HWND Wnd)
{
    RECT client{}, window{};
    GetClientRect(Wnd, &client);
    GetWindowRect(Wnd, &window);
    POINT origin{0, 0};
    ClientToScreen(Wnd, &origin);
    OffsetRect(&client, origin.x - window.left, origin.y - window.top);
    return TRect{client.left, client.top, client.right, client.bottom};
}

HWND TopParentWindow(HWND Wnd)
{
    HWND top = Wnd;
    for (HWND parent = GetParent(top); parent != nullptr; parent = GetParent(top)) top = parent;
    return top;
}

TPoint ScreenCursorPos()
{
    POINT p{0, 0};
    GetCursorPos(&p);
    return TPoint{p.x, p.y};
}

// ---- Windowless children ----------------------------------------------------------------------------

namespace {

bool IsButtonLikeToolButton(TControl* Child)
{
    auto* button = dynamic_cast<TToolButton*>(Child);
    if (button == nullptr) return false;
    const TToolButtonStyle style = button->Style();
    return style == tbsButton || style == tbsCheck || style == tbsDropDown;
}

bool GraphicChildQualifies(HDC DC, TControl* Child)
{
    if (!Child->Visible() && !ComponentIn(Child, csDesigning)) return false;
    if (dynamic_cast<TGraphicControl*>(Child) == nullptr) return false;
    if (Child->Width() < 1 || Child->Height() < 1) return false;
    if (Child->ControlStyle().Contains(csNoDesignVisible) || ComponentIn(Child, csDestroying)) return false;
    // Tool buttons that are real buttons paint with their tool bar.
    if (IsButtonLikeToolButton(Child)) return false;
    const TRect b = Child->BoundsRect();
    return RectVisible(DC, &b) != FALSE;
}

// The offscreen copy of the parent's area under its windowless children.
class TGraphicChildrenCanvas {
public:
    TGraphicChildrenCanvas(int Width, int Height)
    {
        HDC screen = GetDC(nullptr);
        FBitmap = CreateCompatibleBitmap(screen, std::max(Width, 1), std::max(Height, 1));
        FDC = CreateCompatibleDC(screen);
        ReleaseDC(nullptr, screen);
        FOld = SelectObject(FDC, FBitmap);
    }
    ~TGraphicChildrenCanvas()
    {
        SelectObject(FDC, FOld);
        DeleteDC(FDC);
        DeleteObject(FBitmap);
    }
    TGraphicChildrenCanvas(const TGraphicChildrenCanvas&) = delete;
    TGraphicChildrenCanvas& operator=(const TGraphicChildrenCanvas&) = delete;
    HDC DC() const { return FDC; }

private:
    HBITMAP FBitmap = nullptr;
    HDC FDC = nullptr;
    HGDIOBJ FOld = nullptr;
};

void FillChildBackground(HDC DC, TControl* Child, const TBackgroundQuery& Background)
{
    const TRect b = Child->BoundsRect();
    if (Child->ControlStyle().Contains(csOpaque))
        PaintColorRect(DC, b, ControlBackColor(Child));
    else if (Background.Kind == bgkColor || Background.Bitmap == nullptr)
        PaintColorRect(DC, b, Background.Color);
    else
        BitBlt(DC, b.left, b.top, b.right - b.left, b.bottom - b.top, Background.Bitmap->Canvas()->Handle(),
               b.left + Background.OffsetX, b.top + Background.OffsetY, SRCCOPY);
}

void PaintGraphicChild(HDC DC, TWinControl* Parent, TControl* Child)
{
    const int saved = SaveDC(DC);
    POINT oldOrigin{};
    SetWindowOrgEx(DC, -Child->Left(), -Child->Top(), &oldOrigin);
    IntersectClipRect(DC, 0, 0, Child->Width(), Child->Height());
    const bool paintCopy = Parent->ControlState().Contains(csPaintCopy);
    if (paintCopy) Child->SetControlState(TControlState(Child->ControlState()).Include(csPaintCopy));
    try {
        Child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
    } catch (...) {
        // A child that fails to paint leaves its area as the background showed it.
    }
    if (paintCopy) Child->SetControlState(TControlState(Child->ControlState()).Exclude(csPaintCopy));
    SetWindowOrgEx(DC, oldOrigin.x, oldOrigin.y, nullptr);
    RestoreDC(DC, saved);
}

} // namespace

void DrawGraphicChildren(HDC DC, TWinControl* Parent, TPoint Offset, bool CheckVisible)
{
    if (DrawingGraphicChildren || Parent == nullptr || DC == nullptr) return;
    TValueRestore<bool> drawing(DrawingGraphicChildren, true);
    if (CheckVisible && !Parent->Visible() && !ComponentIn(Parent, csDesigning)) return;
    if (Parent->ControlCount() == 0) return;
    RECT clip{};
    if (GetClipBox(DC, &clip) == NULLREGION || clip.right <= clip.left || clip.bottom <= clip.top) {
        if (Parent->HandleAllocated()) SendSkinCmd(Parent->Handle(), AC_MARKHALFSHOWN, 0);
        return;
    }
    TBackgroundQuery background;
    background.Kind = bgkNone;
    background.DrawRequested = 0;
    QueryControlBackground(background, Parent, false);

    auto* form = dynamic_cast<TCustomForm*>(Parent);
    const bool mdiParent = form != nullptr && form->FormStyle() == fsMDIForm;
    std::unique_ptr<TGraphicChildrenCanvas> offscreen;
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        TControl* child = Parent->Controls(i);
        if (!GraphicChildQualifies(DC, child)) continue;
        if (mdiParent && child->Align() != alNone) child->Perform(SM_LUMACMD, MakeSkinWParam(AC_REDRAWGRAPHIC), 0);
        if (offscreen == nullptr) {
            offscreen = std::make_unique<TGraphicChildrenCanvas>(Parent->Width(), Parent->Height());
            for (int j = 0; j < Parent->ControlCount(); ++j)
                if (GraphicChildQualifies(DC, Parent->Controls(j)))
                    FillChildBackground(offscreen->DC(), Parent->Controls(j), background);
        }
        PaintGraphicChild(offscreen->DC(), Parent, child);
    }
    if (offscreen == nullptr) return;
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        TControl* child = Parent->Controls(i);
        if (!GraphicChildQualifies(DC, child)) continue;
        // A child that left its first pixel on the key painted nothing worth showing.
        if (GetPixel(offscreen->DC(), child->Left(), child->Top()) == NoSkinColor) continue;
        BitBlt(DC, child->Left() + Offset.x, child->Top() + Offset.y, child->Width(), child->Height(), offscreen->DC(),
               child->Left(), child->Top(), SRCCOPY);
    }
}
