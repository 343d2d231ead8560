// The window hook and the providers it attaches.
#include "skin/forms/acDials.h"

#include <memory>

#include "framework/system/StringUtils.h"
#include "skin/controls/sThirdParty.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"
#include "skin/subclass/acSBUtils.h"

namespace {

std::unique_ptr<std::vector<TacProvider*>> GProviders;

// Tag bits of the skin engine's own auxiliary windows: a form whose Tag has all of them set is
// never skinned.
constexpr std::uint32_t NoSkinTagBits = 0xFFFFFF9Eu;

bool ApplicationDestroying()
{
    return Application->ComponentState().Contains(csDestroying);
}

bool AnswersSkinned(HWND Wnd)
{
    return SendMessageW(Wnd, SM_LUMACMD, MakeSkinWParam(AC_QUERYSKINNED), 0) == 1;
}

// The skip list is compared letter for letter, whatever the list's own comparison.
bool FormClassSkipped(const String& ClassName)
{
    TStringList& skipped = HookSkipList();
    for (int i = 0; i < skipped.Count(); ++i)
        if (lstrcmpW(ClassName.c_str(), skipped.Strings(i).c_str()) == 0) return true;
    return false;
}

TacProvider* FindProviderByHandle(HWND Wnd)
{
    if (!GProviders) return nullptr;
    for (TacProvider* provider : *GProviders)
        if (provider != nullptr && provider->CtrlHandle == Wnd) return provider;
    return nullptr;
}

void ListProvider(TacProvider* Provider)
{
    if (!GProviders) CreateProviderList();
    GProviders->push_back(Provider);
}

void AttachForm(TCustomForm* Form)
{
    auto* provider = new TacProvider(Form);
    ListProvider(provider);
    provider->InitForm(Form);
}

// A top-level window. (The system's parent query answers a pop-up's owner, and every message
// box has one: the window's style tells whether it is a child.)
bool IsTopLevel(HWND Wnd)
{
    return (GetWindowLongPtrW(Wnd, GWL_STYLE) & WS_CHILD) == 0;
}

void AttachDialog(HWND Wnd)
{
    auto* provider = new TacProvider(nullptr);
    ListProvider(provider);
    // A refused dialog stays as it is; its provider has unlisted itself.
    if (!provider->InitSkin(Wnd)) delete provider;
}

// A dialog provider whose dialog window went: its handler let go of the window and the window
// with its children is destroyed, so nothing of it is on the stack any more.
bool DialogIsGone(const TacProvider* Provider)
{
    return Provider->ListSW != nullptr && Provider->ListSW->Destroyed && !IsWindow(Provider->CtrlHandle);
}

} // namespace

std::vector<TacProvider*>* ProviderList()
{
    return GProviders.get();
}

void CreateProviderList()
{
    if (!GProviders) GProviders = std::make_unique<std::vector<TacProvider*>>();
}

void FreeProviderList()
{
    if (!GProviders) return;
    // A provider unlists itself when it goes; the list is emptied from the front.
    while (!GProviders->empty()) {
        TacProvider* first = GProviders->front();
        GProviders->erase(GProviders->begin());
        delete first;
    }
    GProviders.reset();
}

String GetWndClassName(HWND Wnd)
{
    wchar_t name[128] = {0};
    GetClassNameW(Wnd, name, 128);
    return name;
}

int VisibleDialogCount()
{
    int count = 0;
    if (GProviders)
        for (TacProvider* provider : *GProviders)
            if (provider != nullptr && provider->ListSW != nullptr && IsWindowVisible(provider->ListSW->CtrlHandle))
                ++count;
    return count;
}

bool HasChildOfClass(HWND Wnd, const String& LowerName)
{
    for (HWND child = GetTopWindow(Wnd); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (LowerCase(GetWndClassName(child)) == LowerName) return true;
        if (HasChildOfClass(child, LowerName)) return true;
    }
    return false;
}

std::vector<HWND> HookedDialogWindows()
{
    std::vector<HWND> windows;
    if (GProviders)
        for (TacProvider* provider : *GProviders)
            if (provider != nullptr && provider->ListSW != nullptr && !provider->ListSW->Destroyed)
                windows.push_back(provider->CtrlHandle);
    return windows;
}

TCustomForm* FindFormByHandle(HWND Wnd)
{
    for (int i = Screen->CustomFormCount() - 1; i >= 0; --i) {
        TCustomForm* form = Screen->CustomForms(i);
        if (form == nullptr || form->ComponentState().Contains(csDestroying) || !form->HandleAllocated()) continue;
        if (form->Handle() == Wnd) return form;
    }
    return nullptr;
}

// ---- TacProvider ----

TacProvider::TacProvider(TComponent* AOwner) : TComponent(AOwner) {}

TacProvider::~TacProvider()
{
    if (sp != nullptr) {
        if (GProviders)
            for (TacProvider*& slot : *GProviders)
                if (slot == this) {
                    slot = nullptr;
                    break;
                }
        return;
    }
    // The children's handlers before the dialog's: theirs ask the dialog for its background.
    acSkinnedCtrls.clear();
    ListSW.reset();
}

void TacProvider::InitForm(TCustomForm* Form)
{
    sp = TsSkinProvider::CreateRT(Form);
    sp->SetUseGlobalColor(false);
    sp->Form = Form;
    HWND wnd = Form->Handle();
    if (IsCompositionActive()) {
        sp->Loaded();
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    } else {
        UpdateWindow(wnd);
        RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
    }
    sp->SetMakeSkinMenu(false);
}

// ---- The hook ----

bool AttachDialogProvider(HWND Wnd, const CREATESTRUCTW* Params)
{
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    if (manager == nullptr || ApplicationDestroying() || AnswersSkinned(Wnd)) return false;
    String className = Params != nullptr && !IS_INTRESOURCE(Params->lpszClass) && Params->lpszClass[0] != 0
                           ? String(Params->lpszClass)
                           : GetWndClassName(Wnd);
    LONG_PTR style = GetWindowLongPtrW(Wnd, GWL_STYLE);
    if ((style & WS_POPUP) && !(style & WS_BORDER)) return false;
    if (FindProviderByHandle(Wnd) != nullptr) return false;

    TCustomForm* form = FindFormByHandle(Wnd);
    if (form != nullptr && !form->ComponentState().Contains(csLoading)) {
        if ((static_cast<std::uint32_t>(form->Tag()) & NoSkinTagBits) == NoSkinTagBits) return false;
        String formClass = form->ClassName();
        if (FormClassSkipped(formClass)) return false;
        TacSkinningRule rule = formClass == L"TMessageForm" ? srStdDialogs : srStdForms;
        if (!manager->SkinningRules().Contains(rule)) return false;
        AttachForm(form);
        return true;
    }
    if (className != L"#32770" || !IsTopLevel(Wnd) || !manager->SkinningRules().Contains(srStdDialogs)) return false;
    // Beyond two skinned dialogs at once only the shell's (with a tool bar) are skinned.
    if (VisibleDialogCount() > 1 && !HasChildOfClass(Wnd, L"toolbarwindow32")) return false;
    AttachDialog(Wnd);
    return true;
}

void ReleaseDeadProviders()
{
    // Form providers unlist themselves when their form frees them; dialog providers go here.
    if (!GProviders) return;
    for (TacProvider*& slot : *GProviders)
        if (slot != nullptr && DialogIsGone(slot)) {
            TacProvider* provider = slot;
            slot = nullptr;
            delete provider;
        }
}

void FreeMenuHandlers()
{
    // The popup-menu window handlers come later: the hook makes none yet.
}

void LinkSkinHook()
{
    TacSkinHookLinks& links = SkinHookLinks();
    links.CBTHookProc = CBTHookProc;
    links.ReleaseHooked = [] {
        FreeMenuHandlers();
        FreeProviderList();
    };
    links.HookedDialogWindows = HookedDialogWindows;
}

LRESULT CALLBACK CBTHookProc(int Code, WPARAM WParam, LPARAM LParam)
{
    LRESULT result = CallNextHookEx(nullptr, Code, WParam, LParam);
    if (ApplicationDestroying()) return result;
    switch (Code) {
    case HCBT_CREATEWND: {
        auto* create = reinterpret_cast<CBT_CREATEWNDW*>(LParam);
        if (WParam == 0 || create == nullptr || create->lpcs == nullptr) break;
        const CREATESTRUCTW* cs = create->lpcs;
        auto wnd = reinterpret_cast<HWND>(WParam);
        if (cs->lpszClass == MAKEINTATOM(0x8002)) {
            AttachDialogProvider(wnd);
        } else if (IS_INTRESOURCE(cs->lpszClass)) {
            // Popup-menu windows (atom $8000) get their handlers later; other atoms are left alone.
        } else if (GetWndClassName(wnd) != L"TPUtilWindow" && cs->style != 0 && cs->dwExStyle != 0 &&
                   GetParent(wnd) == nullptr) {
            TCustomForm* mainForm = Application->MainForm();
            if (mainForm == nullptr || (mainForm->HandleAllocated() && mainForm->Handle() != wnd))
                AttachDialogProvider(wnd);
        }
        break;
    }
    case HCBT_DESTROYWND:
        ReleaseDeadProviders();
        break;
    case HCBT_ACTIVATE:
        AttachDialogProvider(reinterpret_cast<HWND>(WParam));
        break;
    default:
        break;
    }
    return result;
}
