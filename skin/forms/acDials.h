#pragma once
// Unit acDials: how windows that no skinned component owns get skinned. A thread hook of kind
// WH_CBT, installed by the default skin manager once a skin is active, sees every window the
// user-interface thread creates, activates and destroys; the first activation of a form that has
// no skin provider gives it one made at run time (through a TacProvider, which the form owns),
// and system dialogs are handed to a dialog provider. The providers the hook made stay listed
// until the hook goes.
#include <windows.h>

#include <vector>

#include "framework/classes/Component.h"
#include "framework/controls/Forms.h"

class TsSkinProvider;

// What the hook attaches to a window: for a form, the form's run-time skin provider.
class TacProvider : public TComponent {
public:
    explicit TacProvider(TComponent* AOwner);
    ~TacProvider() override;
    // Gives Form its run-time skin provider and repaints it whole.
    void InitForm(TCustomForm* Form);

    bool BiDiLeft = false;
    HWND CtrlHandle = nullptr;
    TsSkinProvider* sp = nullptr;  // owned by the form
};

// The hook procedure; always answers what the next hook in the chain answers.
LRESULT CALLBACK CBTHookProc(int Code, WPARAM WParam, LPARAM LParam);
// Gives the window a provider when the rules let it be skinned; true when one was made.
bool AttachDialogProvider(HWND Wnd, const CREATESTRUCTW* Params = nullptr);
// Frees the listed providers whose dialog handler let go of its window.
void ReleaseDeadProviders();
// Frees the window handlers made for popup-menu windows.
void FreeMenuHandlers();

// Plugs the hook procedure and the release of what it made into the skin manager, which
// installs the hook once a skin is active. A program whose forms are skinned this way calls it
// once at start-up, before its forms are made.
void LinkSkinHook();

// The list of providers the hook made: made when the hook is installed, freed (with every
// provider still in it) when it is removed. Slots of providers that went are null.
std::vector<TacProvider*>* ProviderList();
void CreateProviderList();
void FreeProviderList();
// The form of a window handle among the screen's forms (an MDI parent's children included); only
// forms that have their window already are asked, so the hook never creates a window.
TCustomForm* FindFormByHandle(HWND Wnd);
String GetWndClassName(HWND Wnd);
