// How a skin reaches the windows: the list of skinned forms, the announcements of a new, removed
// or changed skin that walk the forms, the skin-change animation around them, the thread's
// window-creation hook, the application window's messages, and the skin editor's preview link.
#include <algorithm>
#include <cstring>

#include "framework/controls/Forms.h"
#include "framework/system/StringUtils.h"
#include "skin/core/acGlow.h"
#include "skin/core/sConst.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"

namespace {

std::vector<TCustomForm*> GSkinnedForms;
HHOOK GHook = nullptr;

// Called when no layer above plugged its hook in: the hook still stands for the default
// manager, it only passes every event on.
LRESULT CALLBACK PassOnHook(int Code, WPARAM WParam, LPARAM LParam)
{
    return CallNextHookEx(GHook, Code, WParam, LParam);
}

TMessage SkinCmdMessage(int Sub, TsSkinManager* Manager)
{
    return TMessage{SM_LUMACMD, MakeSkinWParam(Sub), reinterpret_cast<LPARAM>(Manager), 0};
}

bool Busy(TComponent* Component)
{
    return Component->ComponentState().Contains(csDestroying) || Component->ComponentState().Contains(csLoading);
}

void SendToForm(TCustomForm* Form, const TMessage& Message)
{
    SendMessageW(Form->Handle(), Message.Msg, Message.WParam, Message.LParam);
    BroadcastToControls(Form, Message);
}

std::vector<HWND> VisibleHookedDialogs()
{
    std::vector<HWND> visible;
    if (!SkinHookLinks().HookedDialogWindows) return visible;
    for (HWND wnd : SkinHookLinks().HookedDialogWindows())
        if (wnd != nullptr && IsWindowVisible(wnd)) visible.push_back(wnd);
    return visible;
}

// The skin editor's copy-data record.
constexpr std::uint32_t EditorCommand = 0xA400;
constexpr WPARAM EditorWParam = 7;
constexpr size_t EditorNameAt = 4, EditorNameSize = 128;
constexpr size_t EditorDirAt = 132, EditorDirSize = 513;
constexpr size_t EditorTextAt = 645, EditorTextSize = 30001;
constexpr size_t EditorRecordSize = EditorTextAt + EditorTextSize;

// An 8-bit text field: up to its first NUL, never past its own size.
String FieldText(const std::uint8_t* Block, size_t At, size_t Size)
{
    const char* start = reinterpret_cast<const char*>(Block + At);
    const size_t length = strnlen(start, Size);
    return AnsiToString(std::string(start, length));
}

} // namespace

TacSkinHookLinks& SkinHookLinks()
{
    static TacSkinHookLinks links;
    return links;
}

HHOOK SkinHookHandle()
{
    return GHook;
}

// ---- The skinned-form list --------------------------------------------------------------------

void RegisterSkinnedForm(TCustomForm* Form)
{
    GSkinnedForms.push_back(Form);
}

void UnregisterSkinnedForm(TCustomForm* Form)
{
    for (size_t i = 0; i < GSkinnedForms.size();) {
        if (GSkinnedForms[i] != Form) {
            ++i;
            continue;
        }
        GSkinnedForms[i] = GSkinnedForms.back();
        GSkinnedForms.pop_back();
    }
}

const std::vector<TCustomForm*>& SkinnedForms()
{
    return GSkinnedForms;
}

// ---- Broadcasts -------------------------------------------------------------------------------

void BroadcastToForms(const TMessage& Message)
{
    TApplication* app = Application;
    for (int i = app->ComponentCount() - 1; i >= 0; --i) {
        // Forms freed by an earlier receiver: the walk ends here.
        if (i >= app->ComponentCount()) return;
        auto* form = dynamic_cast<TCustomForm*>(app->Components(i));
        if (form == nullptr || form->FormStyle() == fsMDIChild || Busy(form)) continue;
        // A skinned form hears it through the skinned-form list.
        if (WndAnswersSkinCmd(form->Handle(), AC_QUERYSKINNED)) continue;
        SendToForm(form, Message);
    }
    BroadcastToSkinnedForms(Message);
}

void BroadcastToSkinnedForms(const TMessage& Message)
{
    // A receiver may unregister forms: walk a copy, and skip the ones that left meanwhile.
    const std::vector<TCustomForm*> forms = GSkinnedForms;
    for (TCustomForm* form : forms) {
        if (form == nullptr || std::find(GSkinnedForms.begin(), GSkinnedForms.end(), form) == GSkinnedForms.end())
            continue;
        if (form->ComponentState().Contains(csDestroying)) continue;
        SendToForm(form, Message);
    }
    for (HWND dialog : VisibleHookedDialogs()) SendMessageW(dialog, Message.Msg, Message.WParam, Message.LParam);
}

// ---- Announcements ----------------------------------------------------------------------------

void TsSkinManager::AnnounceSkin(bool Repaint)
{
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csReading)) return;
    if (gd.empty()) return;
    FreeAllGlowEffects(false);
    const bool designing = ComponentState().Contains(csDesigning);
    if (!designing && Repaint) LockFormsForAnimation();
    FSkinableMenus->FSkinBorderWidth = -1;
    SkinData.Active = false;
    SkinChangeRunning = true;
    FSkin.InitConstantIndexes();
    BroadcastToForms(SkinCmdMessage(AC_SKINLOADED, this));
    SkinChangeRunning = false;
    SkinData.Active = true;
    if (IsDefault() && !GlobalHookInstalled) InstallHook();
    if (Repaint) RepaintForms(false);
}

void TsSkinManager::RemoveSkin()
{
    SkinRemoving = true;
    FreeAllGlowEffects(false);
    UnInstallHook();
    // Forms hear of it only when they had a skin to lose. A change of skin switches the skin off
    // before it looks for the new one, so a skin still held in the tables counts as shown too:
    // otherwise a name that finds nothing would leave controls with their old caches and colours.
    const bool announce = SkinData.Active || !gd.empty();
    SkinData.Active = false;
    if (announce) BroadcastToForms(SkinCmdMessage(AC_SKINUNLOADED, this));
    FSkin = TsSkin{};
    FSkinableMenus->FSkinBorderWidth = -1;
    FormShadowSize = TRect{0, 0, 0, 0};
    SkinRemoving = false;
}

void TsSkinManager::RepaintForms(bool DoLockForms)
{
    BroadcastToForms(SkinCmdMessage(AC_ENDFADE, this));
    const TMessage reskin = SkinCmdMessage(AC_RESKIN, this);
    if (ComponentState().Contains(csLoading)) {
        BroadcastToForms(reskin);
    } else {
        if (DoLockForms) LockFormsForAnimation();
        BroadcastToForms(reskin);
        FinishFormsAnimation(true);
    }
    for (HWND dialog : VisibleHookedDialogs())
        RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void TsSkinManager::UpdateSkinSection(const String& SectionName)
{
    UpdatedSkinSection = UpperCase(SectionName);
    BroadcastToForms(SkinCmdMessage(AC_SECTIONCHANGED, nullptr));
}

// ---- The skin-change animation ----------------------------------------------------------------

std::vector<TCustomForm*> TsSkinManager::AnimatedForms() const
{
    std::vector<TCustomForm*> forms;
    TApplication* app = Application;
    if (app->MainForm() != nullptr && app->MainForm()->HandleAllocated() && IsIconic(app->MainForm()->Handle()))
        return forms;
    auto& links = SkinHookLinks();
    for (TCustomForm* form : GSkinnedForms) {
        if (form == nullptr || Busy(form) || form->FormStyle() == fsMDIChild || form->Parent() != nullptr) continue;
        if (!form->Visible() || form->WindowState() == wsMinimized) continue;
        if (links.AnimatesSkinChange && !links.AnimatesSkinChange(form, const_cast<TsSkinManager*>(this))) continue;
        forms.push_back(form);
    }
    return forms;
}

void TsSkinManager::PrepareFormsForAnimation()
{
    if (ComponentState().Contains(csDesigning) || ComponentState().Contains(csLoading) ||
        ComponentState().Contains(csReading) || !ExtendedBorders())
        return;
    if (IsDefault() && FAnimEffects->SkinChanging()->Active()) FormAnimating = true;
    if (!SkinHookLinks().PrepareSkinChange) return;
    for (TCustomForm* form : AnimatedForms()) SkinHookLinks().PrepareSkinChange(form);
}

void TsSkinManager::LockFormsForAnimation()
{
    if (IsDefault() && FAnimEffects->SkinChanging()->Active()) FormAnimating = true;
    for (TCustomForm* form : AnimatedForms()) {
        if (SkinHookLinks().LockSkinChange) SkinHookLinks().LockSkinChange(form);
        if (form->HandleAllocated()) SendMessageW(form->Handle(), WM_SETREDRAW, 0, 0);
    }
}

void TsSkinManager::FinishFormsAnimation(bool Allow)
{
    if (IsDefault()) FormAnimating = false;
    for (TCustomForm* form : GSkinnedForms) {
        if (form == nullptr || Busy(form) || form->FormStyle() == fsMDIChild || form->Parent() != nullptr) continue;
        if (form->Visible() && form->HandleAllocated()) SendMessageW(form->Handle(), WM_SETREDRAW, 1, 0);
    }
    for (TCustomForm* form : AnimatedForms()) {
        if (SkinHookLinks().FinishSkinChange) {
            SkinHookLinks().FinishSkinChange(form, this, Allow);
        } else if (form->HandleAllocated()) {
            RedrawWindow(form->Handle(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
    }
}

// ---- Hooks ------------------------------------------------------------------------------------

void TsSkinManager::InstallHook()
{
    if (!IsDefault() || ComponentState().Contains(csDesigning) || GlobalHookInstalled) return;
    GlobalHookInstalled = true;
    HOOKPROC proc = SkinHookLinks().CBTHookProc != nullptr ? SkinHookLinks().CBTHookProc : PassOnHook;
    GHook = SetWindowsHookExW(WH_CBT, proc, nullptr, GetCurrentThreadId());
}

void TsSkinManager::UnInstallHook()
{
    if (!IsDefault() || ComponentState().Contains(csDesigning) || !GlobalHookInstalled) return;
    if (GHook != nullptr) UnhookWindowsHookEx(GHook);
    GHook = nullptr;
    if (SkinHookLinks().ReleaseHooked) SkinHookLinks().ReleaseHooked();
    GlobalHookInstalled = false;
}

bool TsSkinManager::AppWindowHook(TMessage& Message)
{
    // Only the default manager speaks for the application window.
    if (!IsDefault()) return false;
    switch (Message.Msg) {
    case WM_SYSCOMMAND:
        if (!SkinData.Active) break;
        switch (Message.WParam & 0xFFF0) {
        case SC_MINIMIZE: ShowState = saMinimize; break;
        case SC_RESTORE: ShowState = saRestore; break;
        default: ShowState = saIgnore; break;
        }
        break;
    case WM_THEMECHANGED: return true;
    case CM_ACTIVATE: {
        TScreen* screen = Screen;
        for (int i = 0; i < screen->FormCount(); ++i) {
            TCustomForm* form = screen->Forms(i);
            if (form->HandleAllocated()) SendSkinCmd(form->Handle(), AC_REDRAWGRAPHIC, 0);
        }
        break;
    }
    default: break;
    }
    if (SkinHookLinks().AppWindowMessage && SkinHookLinks().AppWindowMessage(this, Message)) return true;
    // The task bar's system-menu request is answered as a theme change once a provider shows
    // the menu.
    return Message.Msg == 0x0313;
}

// ---- The skin editor's preview link ------------------------------------------------------------

void LoadSkinFromEditor(TMessage& Message, TsSkinManager* Manager)
{
    if (Message.Msg != WM_COPYDATA || Message.WParam != EditorWParam || Manager == nullptr) return;
    const auto* copy = reinterpret_cast<const COPYDATASTRUCT*>(Message.LParam);
    // The block comes from another process: read nothing it does not hold.
    if (copy == nullptr || copy->lpData == nullptr || copy->cbData < EditorRecordSize) return;
    const auto* block = static_cast<const std::uint8_t*>(copy->lpData);
    std::uint32_t command = 0;
    std::memcpy(&command, block, sizeof command);
    if (command != EditorCommand) return;
    SkinEditorLink = true;
    Manager->BeginUpdate();
    EditorOptionsText = std::make_unique<TStringList>();
    EditorOptionsText->SetText(FieldText(block, EditorTextAt, EditorTextSize));
    Manager->SetSkinDirectory(FieldText(block, EditorDirAt, EditorDirSize));
    Manager->SetSkinName(FieldText(block, EditorNameAt, EditorNameSize));
    Manager->EndUpdate(true, false);
    EditorOptionsText.reset();
    Message.Result = 1;
}
