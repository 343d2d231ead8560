// The provider as a component: taking over the form's window procedure, preparing the form for
// the skin, property setters and giving the form back when the provider goes.
#include "skin/forms/sSkinProvider.h"

#include <shellapi.h>

#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"
#include "skin/subclass/acSBUtilsScrollBars.h"

namespace {

// The form's WindowProc while a provider holds it. Kept as its own type so that the provider can
// tell, when it goes, whether the form's procedure is still its own.
struct TProviderWndProc {
    TsSkinProvider* Owner;
    void operator()(TMessage& Message) const { Owner->NewWndProc(Message); }
};

bool HoldsWindowProc(TCustomForm* Form, TsSkinProvider* Provider)
{
    const auto* hook = Form->WindowProc.target<TProviderWndProc>();
    return hook != nullptr && hook->Owner == Provider;
}

} // namespace

// Set when the program was started by the skin editor for a preview.
bool acPreviewNeeded = false;

TsSkinProvider* FindFormProvider(TCustomForm* Form)
{
    if (Form == nullptr) return nullptr;
    return reinterpret_cast<TsSkinProvider*>(Form->Perform(SM_LUMACMD, MakeSkinWParam(AC_QUERYPROVIDER), 0));
}

TsSkinProvider::TsSkinProvider(TComponent* AOwner, bool RunTime) : TComponent(AOwner)
{
    Form = dynamic_cast<TCustomForm*>(AOwner);
    if (Form == nullptr) throw EAbort(L"TsSkinProvider component may be used with forms only!");
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    acPreviewNeeded = argv != nullptr && argc > 1 && lstrcmpW(argv[1], L"/acpreview") == 0;
    if (argv != nullptr) LocalFree(argv);

    if (Form->ComponentState().Contains(csDesigning)) {
        for (int i = 0; i < Form->ComponentCount(); ++i)
            if (Form->Components(i) != this && dynamic_cast<TsSkinProvider*>(Form->Components(i)) != nullptr) {
                Form = nullptr;
                throw EAbort(L"Only one instance of the TsSkinProvider component is allowed!");
            }
    } else if (TsSkinProvider* previous = FindFormProvider(Form); previous != nullptr && previous != this) {
        // A provider made at run time gives way; one placed on the form at design time stays
        // and this one keeps out of its way.
        if (previous->RTInit) delete previous;
        else RTEmpty = true;
    }

    RTInit = RunTime;
    static const bool animationsLinked = (LinkFormAnimations(), true);
    (void)animationsLinked;
    // A window handler whose state object is a provider's takes over that provider's form.
    static const bool handlersLinked = (ProviderFormOf = [](TObject* Owner) -> TCustomForm* {
        auto* provider = dynamic_cast<TsSkinProvider*>(Owner);
        return provider != nullptr ? provider->Form : nullptr;
    }, true);
    (void)handlersLinked;
    FCommonData = std::make_unique<TsCommonData>(this, false);
    FCommonData->SetSkinSection(L"FORM");
    FCommonData->COC = 224;
    if (!Form->ControlState().Empty() || Form->ComponentState().Contains(csLoading)) FCommonData->SetUpdating(true);
    FAddedTitle = std::make_unique<TacAddedTitle>(this);
    InAero = IsCompositionActive();
    FTitleIcon = std::make_unique<TsTitleIcon>();
    FTitleButtons = std::make_unique<TsTitleButtons>(this);

    if (!Designing() && !RTEmpty) {
        Form->SetDoubleBuffered(false);
        TempBmp = std::make_unique<TBitmap>();
        MenuLineBmp = std::make_unique<TBitmap>();
        MenuLineBmp->SetPixelFormat(pf32bit);
        ClearButtons = true;
        ArOR.assign(1, TRect{0, 0, 0, 0});
        FLinesCount = -1;
        OldWndProc = Form->WindowProc;
        Form->WindowProc = TProviderWndProc{this};
        RegisterSkinnedForm(Form);
        FormActive = true;
    }
    AfterConstruction();
}

TsSkinProvider* TsSkinProvider::CreateRT(TComponent* AOwner, bool /*InitRT*/)
{
    return new TsSkinProvider(AOwner, true);
}

TsSkinProvider::~TsSkinProvider()
{
    if (FAddedTitle) {
        FAddedTitle.reset();
        if (!Designing()) {
            KillAnimations();
            // The scroll handler sits on top of our procedure: it gives ours back first.
            FreeScrollHandler();
            HideCaptionForm();
            // The procedure goes back only while the form still calls ours: someone who
            // subclassed the form after us would be cut out otherwise.
            if (Form != nullptr && !RTEmpty) UnregisterSkinnedForm(Form);
            if (Form != nullptr && !RTEmpty && OldWndProc && HoldsWindowProc(Form, this))
                Form->WindowProc = OldWndProc;
        }
        SystemMenu.reset();
        delete CoverForm;
        CoverForm = nullptr;
        TempBmp.reset();
        MenuLineBmp.reset();
    }
    for (auto* button : {&ButtonMin, &ButtonMax, &ButtonClose, &ButtonHelp}) button->GlowID = -1;
    FTitleButtons.reset();
    FCommonData.reset();
}

void TsSkinProvider::AfterConstruction()
{
    TsSkinManager* manager = Manager();
    if (RTEmpty || RTInit || manager == nullptr || !manager->Active() || Designing()) return;
    PrepareForm();
}

void TsSkinProvider::Loaded()
{
    TComponent::Loaded();
    if (RTEmpty || RTInit || Designing()) return;
    if (Manager() != nullptr && Skinned()) LoadInit();
}

TsSkinManager* TsSkinProvider::Manager() const
{
    return FCommonData ? FCommonData->GetSkinManager() : nullptr;
}

void TsSkinProvider::LoadInit()
{
    if (Form->HandleAllocated()) DisableDwmTransitions(Form->Handle(), true);
    PrepareForm();
    CreateAdapter();
    if (SystemMenu) SystemMenu->UpdateItems(false);
    if (TsSkinManager* manager = Manager()) {
        int titleButton = manager->GetMaskIndex(L"GLOBALINFO", L"TITLEBUTTON");
        for (int i = 0; i < FTitleButtons->Count(); ++i) {
            TsTitleButton* item = FTitleButtons->Items(i);
            item->BtnData.ImageIndex = item->UseSkinData() ? titleButton : -1;
        }
    }
    if (Form->BorderStyle() == bsSizeToolWin) {
        FAllowBlendOnMoving = false;
        SetUseGlobalColor(true);
    }
}

void TsSkinProvider::PrepareForm()
{
    if (RTInit || RTEmpty || Manager() == nullptr || Form == nullptr || !Form->HandleAllocated()) return;
    FCommonData->Loaded();
    if (!SystemMenu) {
        SystemMenu = std::make_unique<TsSystemMenu>(this);
        SystemMenu->UpdateItems(false);
    }
    UpdateSysMenuStyle(true);
    if (ClearButtons && Manager()->Active()) {
        ClearButtons = false;
        if (IsMDIForm() && !Designing()) HookMDI(true);
    }
    FCommonData->UpdateIndexes();
    FCaptionSkinIndex = Manager()->GetSkinIndex(L"CAPTION");
    InitTitleButtonMasks();
    RegionChanged = CaptChanged = CaptRgnChanged = true;
    if (!Form->ControlState().Contains(csCreating) && !Loading() && FUseGlobalColor && !FCommonData->CustomColor())
        ApplyGlobalColor();
    // The skinned menus come later: the menu items are prepared for owner drawing (InitMenuItems,
    // UpdateMenu); the menu line is not skinned yet, so there is nothing to prepare.
    // The extended-border window comes later: it is made here when the manager asks for it.
}

void TsSkinProvider::ApplyGlobalColor()
{
    if (Form != nullptr && Skinned()) Form->SetColor(Manager()->GetGlobalColor());
}

void TsSkinProvider::CreateAdapter()
{
    // The control adapter, which attaches window handlers to the form's children, comes later.
}

void TsSkinProvider::DeleteAdapter()
{
    // The control adapter comes later: none is made yet, so there is none to tell and free.
}

void TsSkinProvider::AdapterNotify(TMessage& /*Message*/)
{
    // The control adapter comes later; its window procedure will hear the message.
}

void TsSkinProvider::AttachScrollHandler()
{
    if (ComponentState().Contains(csDestroying) || Form == nullptr || !Form->HandleAllocated() || !Form->AutoScroll())
        return;
    HWND wnd = Form->Handle();
    if (!Skinned()) {
        FreeScrollHandler();
        if (UninitializeFlatSBFunc != nullptr) UninitializeFlatSBFunc(wnd);
        return;
    }
    if (InitializeFlatSBFunc != nullptr) InitializeFlatSBFunc(wnd);
    if (ListSW != nullptr && ListSW->Destroyed) FreeScrollHandler();
    if (ListSW == nullptr) ListSW = new TacScrollWnd(wnd, FCommonData.get(), Manager(), L"", true);
}

void TsSkinProvider::FreeScrollHandler()
{
    if (ListSW == nullptr) return;
    TacMainWnd* handler = ListSW;
    ListSW = nullptr;
    if (Form != nullptr && Form->HandleAllocated()) {
        UninstallWndHandler(Form->Handle(), true, false, handler);
    } else {
        delete handler;
    }
}

void TsSkinProvider::HookMDI(bool /*Active*/)
{
    // The MDI support object of an MDI parent form comes later.
}

void TsSkinProvider::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    auto* manager = dynamic_cast<TsSkinManager*>(AComponent);
    if (manager == nullptr || !FCommonData) return;
    if (Operation == opInsert) {
        if (!FCommonData->ManagerStored()) FCommonData->SetSkinManager(manager);
    } else if (Operation == opRemove && FCommonData->ManagerStored() && FCommonData->SkinManager() == manager) {
        FCommonData->SetSkinManager(nullptr);
    }
}

int TsSkinProvider::LinesCount()
{
    // Without a skinned menu line no menu rows are drawn in the frame.
    if (FLinesCount < 0) FLinesCount = MenuPresent() ? 1 : 0;
    return FLinesCount;
}

// ---- Property setters ----

void TsSkinProvider::SetCaptionAlignment(TAlignment Value)
{
    if (Value == FCaptionAlignment) return;
    FCaptionAlignment = Value;
    FCommonData->BGChanged = true;
    if (Form->Visible() && !Designing() && Skinned()) RepaintFormFrame();
}

void TsSkinProvider::SetShowAppIcon(bool Value)
{
    if (Value == FShowAppIcon) return;
    FShowAppIcon = Value;
    FCommonData->BGChanged = true;
    if (Form->Visible() && Form->HandleAllocated()) SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
}

void TsSkinProvider::SetUseGlobalColor(bool Value)
{
    if (Value == FUseGlobalColor) return;
    FUseGlobalColor = Value;
    if (Form == nullptr) return;
    if (Skinned() && Value && !FCommonData->CustomColor()) ApplyGlobalColor();
    else Form->SetColor(clBtnFace);
}

void TsSkinProvider::SetTitleSkin(const String& Value)
{
    if (Value == FTitleSkin) return;
    FTitleSkin = Value;
    FTitleSkinIndex = -1;
    FCommonData->BGChanged = true;
    if (Form->Visible() && Form->HandleAllocated()) SendMessageW(Form->Handle(), WM_NCPAINT, 0, 0);
}

void TsSkinProvider::SetMenuLineSkin(const String& Value)
{
    if (Value == FMenuLineSkin) return;
    FMenuLineSkin = Value;
    if (Designing()) FCommonData->Invalidate();
}

void TsSkinProvider::SetDrawNonClientArea(bool Value)
{
    if (Value == FDrawNonClientArea) return;
    FDrawNonClientArea = Value;
    if (Designing()) return;
    if (Value) {
        UpdateSysMenuStyle(true);
        if (Form->Showing() && Skinned()) {
            FCommonData->BGChanged = true;
            RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
            AttachScrollHandler();
        }
        return;
    }
    if (Form->HandleAllocated() && SetWindowThemeProc != nullptr) SetWindowThemeProc(Form->Handle(), nullptr, nullptr);
    FreeScrollHandler();
    UpdateSysMenuStyle(false);
    if (Form->Showing()) SetWindowRgn(Form->Handle(), nullptr, TRUE);
}

void TsSkinProvider::SetAllowExtBorders(bool Value)
{
    if (Value == FAllowExtBorders) return;
    FAllowExtBorders = Value;
    if (Loading()) return;
    FCommonData->BGChanged = true;
    if (Form->HandleAllocated()) RedrawWindow(Form->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}
