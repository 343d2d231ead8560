// The dialog provider: a foreign dialog's window and the handlers of its child windows.
#include "skin/forms/acDials.h"

#include "framework/system/StringUtils.h"
#include "skin/core/sDialogs.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/subclass/acSBUtils.h"
#include "skin/subclass/acSBUtilsComboWnd.h"
#include "skin/subclass/acSBUtilsEditWnd.h"

namespace {

bool AnswersSkinned(HWND Wnd)
{
    return SendMessageW(Wnd, SM_LUMACMD, MakeSkinWParam(AC_QUERYSKINNED), 0) == 1;
}

// Raised while handlers are made for a dialog's children: each copies it as its dialog mode.
class TDialogHandlerModeScope {
public:
    TDialogHandlerModeScope() { DialogHandlerMode = true; }
    ~TDialogHandlerModeScope() { DialogHandlerMode = false; }
    TDialogHandlerModeScope(const TDialogHandlerModeScope&) = delete;
    TDialogHandlerModeScope& operator=(const TDialogHandlerModeScope&) = delete;
};

TacDialogChild Child(TacDialogChildKind Kind, const wchar_t* Section, bool DialogPaints = false)
{
    return TacDialogChild{Kind, Section, DialogPaints};
}

TacDialogChild StaticChild(LONG Style, LONG ExStyle)
{
    const LONG type = Style & 0x1F;
    // Frames, rectangles, icons and bitmaps (and the types that share their low bits).
    if ((Style & 3) == 3 || (Style & 0xE) == 0xE)
        return (ExStyle & WS_EX_STATICEDGE) != 0 ? Child(dckEdge, L"EDIT") : Child(dckIcon, L"CHECKBOX");
    // Owner-drawn, gray and white rectangles keep their own look.
    if ((Style & 0xD) == 0xD || type == SS_GRAYRECT || type == SS_WHITERECT) return Child(dckNone, L"");
    return Child(dckStatic, L"CHECKBOX");
}

TacDialogChild ButtonChild(LONG Style)
{
    if ((Style & 7) == 7) return Child(dckGroupBox, L"GROUPBOX");
    if ((Style & 3) == 3 || (Style & 2) == 2 || (Style & 5) == 5 || (Style & 9) == 9 || (Style & 4) == 4)
        return Child(dckCheckBox, L"CHECKBOX");
    return Child(dckButton, L"BUTTON");
}

// The handler made for a child window; null for kinds that have no handler here.
TacMainWnd* MakeChildHandler(const TacDialogChild& C, HWND Wnd, TsSkinManager* Manager)
{
    switch (C.Kind) {
    case dckIcon: return new TacIconWnd(Wnd, nullptr, Manager, C.Section, true);
    case dckStatic: return new TacStaticWnd(Wnd, nullptr, Manager, C.Section, true);
    case dckTransPanel: return new TacTransPanelWnd(Wnd, nullptr, Manager, C.Section, true);
    case dckEdit:
    case dckComboList:
    case dckListBox: return new TacEditWnd(Wnd, nullptr, Manager, C.Section, true);
    case dckButton: return new TacBtnWnd(Wnd, nullptr, Manager, C.Section, true);
    case dckComboBox: return new TacComboBoxWnd(Wnd, nullptr, Manager, C.Section, true);
    case dckSizer: return new TacSizerWnd(Wnd, nullptr, Manager, C.Section, true);
    case dckListView: return new TacListViewWnd(Wnd, nullptr, Manager, C.Section, true);
    case dckSpin: {
        auto* spin = new TacSpinWnd(Wnd, nullptr, Manager, C.Section, true);
        spin->lOffset = 2;
        return spin;
    }
    case dckLink: return new TacLinkWnd(Wnd, nullptr, Manager, C.Section, true);
    // Still to come: TacEdgeWnd, TacPanelWnd (with the framework panel's labels and children),
    // TacGroupBoxWnd, TacCheckBoxWnd, TacTabControlWnd, TacTrackWnd, TacToolBarWnd and
    // TacTreeViewWnd: those windows keep the system's look until their handlers exist.
    default: return nullptr;
    }
}

} // namespace

TacDialogChild DialogChildHandler(const String& LowerClass, LONG Style, LONG ExStyle, bool Visible)
{
    const String& c = LowerClass;
    if (c == L"static") return StaticChild(Style, ExStyle);
    if (c == L"#32770") return Child(dckTransPanel, L"CHECKBOX");
    if (c == L"tpanel") return Child(dckPanel, L"CHECKBOX");
    if (c == L"tsilentpaintpanel") return Child(dckSilentPaintPanel, L"GROUPBOX");
    // An edit lets the dialog paint even while it is hidden and gets its handler once shown.
    if (c == L"edit") return Visible ? Child(dckEdit, L"EDIT", true) : Child(dckNone, L"", true);
    if (c == L"button") return ButtonChild(Style);
    if (c == L"combobox" || c == L"comboboxex32") return Child(dckComboBox, L"COMBOBOX", true);
    if (c == L"combolbox") return Child(dckComboList, L"COMBOBOX", true);
    if (c == L"scrollbar") return (Style & SBS_SIZEGRIP) != 0 ? Child(dckSizer, L"CHECKBOX") : Child(dckNone, L"");
    if (c == L"systabcontrol32")
        return (Style & TCS_OWNERDRAWFIXED) == 0 ? Child(dckTabControl, L"PAGECONTROL") : Child(dckNone, L"");
    if (c == L"syslistview32") return Child(dckListView, L"EDIT");
    if (c == L"msctls_updown32") return Child(dckSpin, L"SPEEDBUTTON_SMALL");
    if (c == L"msctls_trackbar32") return Child(dckTrackBar, L"TRACKBAR");
    if (c == L"listbox") return Child(dckListBox, L"EDIT", true);
    if (c == L"link window" || c == L"syslink") return Child(dckLink, L"CHECKBOX");
    if (c == L"toolbarwindow32") return Child(dckToolBar, (Style & TBSTYLE_WRAPABLE) != 0 ? L"BAR" : L"CHECKBOX");
    if (c == L"systreeview32") return Child(dckTreeView, L"EDIT");
    if (c == L"shbrowseforfolder") return Child(dckTransPanel, L"CHECKBOX");
    return Child(dckNone, L"");
}

// ---- TacProvider: the dialog branch ----

bool TacProvider::InitSkin(HWND Wnd)
{
    CtrlHandle = Wnd;
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    // A dialog taken over once keeps its handlers.
    if (ListSW != nullptr || manager == nullptr || !manager->Active()) return true;
    acSkinnedCtrls.clear();
    BiDiLeft = (GetWindowLongPtrW(Wnd, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) != 0;
    MakeDialogHandler(Wnd, ListSW);
    if (ListSW == nullptr) return true;
    ListSW->Provider = this;
    ListSW->AskedLeft = MessageBoxLeft;
    ListSW->AskedTop = MessageBoxTop;
    ListSW->MoveToAskedPosition();
    if (!InitHwndControls(Wnd)) {
        if (std::vector<TacProvider*>* list = ProviderList())
            for (TacProvider*& slot : *list)
                if (slot == this) slot = nullptr;
        return false;
    }
    ListSW->InitParams();
    SendSkinCmd(Wnd, AC_SKINLOADED, reinterpret_cast<LPARAM>(manager));
    return true;
}

bool TacProvider::InitHwndControls(HWND Wnd)
{
    for (HWND child = GetTopWindow(Wnd); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!InitHwndControls(child)) return false;
        if ((GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) != 0 && !AddControl(child)) return false;
    }
    return true;
}

bool TacProvider::AddControl(HWND Wnd)
{
    if (Wnd == nullptr) return false;
    if (AnswersSkinned(Wnd)) return true;
    TDialogHandlerModeScope mode;
    const TacDialogChild child =
        DialogChildHandler(LowerCase(GetWndClassName(Wnd)), static_cast<LONG>(GetWindowLongPtrW(Wnd, GWL_STYLE)),
                           static_cast<LONG>(GetWindowLongPtrW(Wnd, GWL_EXSTYLE)), IsWindowVisible(Wnd) != FALSE);
    if (child.DialogPaints && ListSW != nullptr) ListSW->FWMPaintForbidden = false;
    TsSkinManager* manager = ListSW != nullptr ? ListSW->SkinData->GetSkinManager() : TsSkinManager::DefaultSkinManager();
    TacMainWnd* handler = MakeChildHandler(child, Wnd, manager);
    if (handler != nullptr) {
        acSkinnedCtrls.emplace_back(handler);
        ReadWndPlacement(Wnd, handler->ParentWnd, handler->WndRect, handler->ParentRect, handler->WndSize,
                         handler->WndPos);
    }
    return true;
}

bool TacProvider::PrintHwndControls(HWND Wnd, HDC DC)
{
    for (HWND child = GetTopWindow(Wnd); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        const int saved = SaveDC(DC);
        RECT r{};
        GetWindowRect(child, &r);
        POINT at{r.left, r.top};
        ScreenToClient(Wnd, &at);
        POINT origin{};
        GetWindowOrgEx(DC, &origin);
        SetWindowOrgEx(DC, origin.x - at.x, origin.y - at.y, nullptr);
        const LONG_PTR style = GetWindowLongPtrW(child, GWL_STYLE);
        if ((style & WS_CHILD) != 0 && (style & WS_VISIBLE) != 0) {
            SendSkinCmd(child, AC_SETPRINTDC, reinterpret_cast<LPARAM>(DC));
            SendMessageW(child, WM_PRINT, reinterpret_cast<WPARAM>(DC), 0);
            SendSkinCmd(child, AC_SETPRINTDC, 0);
        }
        PrintHwndControls(child, DC);
        RestoreDC(DC, saved);
    }
    return false;
}

TacMainWnd* TacProvider::FindCtrlInList(HWND Wnd) const
{
    for (const std::unique_ptr<TacMainWnd>& handler : acSkinnedCtrls)
        if (handler != nullptr && handler->CtrlHandle == Wnd) return handler.get();
    return nullptr;
}

void MakeDialogHandler(HWND Wnd, std::unique_ptr<TacDialogWnd>& Handler)
{
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    if (manager != nullptr && manager->Active()) {
        // The window's flat scroll bars give way to the skinned ones.
        if (UninitializeFlatSBFunc != nullptr) UninitializeFlatSBFunc(Wnd);
        if (Handler != nullptr && Handler->Destroyed) Handler.reset();
        if (Handler == nullptr) {
            Handler = std::make_unique<TacDialogWnd>(Wnd, nullptr, manager, L"DIALOG", false);
            Handler->CtrlHandle = Wnd;
        }
    } else {
        Handler.reset();
        if (InitializeFlatSBFunc != nullptr) InitializeFlatSBFunc(Wnd);
    }
}
