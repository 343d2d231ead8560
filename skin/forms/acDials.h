#pragma once
// Unit acDials: how windows that no skinned component owns get skinned. A thread hook of kind
// WH_CBT, installed by the default skin manager once a skin is active, sees every window the
// user-interface thread creates, activates and destroys; the first activation of a form that has
// no skin provider gives it one made at run time (through a TacProvider, which the form owns),
// and system dialogs ("#32770": message boxes, the shell's dialogs) get a dialog provider, which
// takes over the dialog window and gives each of its child windows the window handler of its
// class. The providers the hook made stay listed until the hook goes; a dialog's provider is
// freed once its dialog window is gone.
#include <windows.h>

#include <memory>
#include <vector>

#include "framework/classes/Component.h"
#include "framework/controls/Forms.h"
#include "framework/graphics/Graphics.h"
#include "skin/core/sSkinManager.h"
#include "skin/subclass/acSBUtilsScrollBars.h"

class TsSkinProvider;
class TacDialogWnd;

// What the hook attaches to a window: for a form, the form's run-time skin provider; for a
// foreign dialog, the dialog's window handler and its children's handlers.
class TacProvider : public TComponent {
public:
    explicit TacProvider(TComponent* AOwner);
    ~TacProvider() override;
    // Gives Form its run-time skin provider and repaints it whole.
    void InitForm(TCustomForm* Form);
    // Takes over the dialog Wnd: its handler, the position MessageBoxLeft/MessageBoxTop ask for,
    // handlers for the children it has, and the skin announced to them all. False when a child
    // was refused (the provider is unlisted then); true without an active default manager.
    bool InitSkin(HWND Wnd);
    // Handlers for every descendant of Wnd (deepest first) that has none yet.
    bool InitHwndControls(HWND Wnd);
    // The handler of the child window's class and style; false only for no window.
    bool AddControl(HWND Wnd);
    // Prints every visible descendant of Wnd into DC, each at its place; always false.
    bool PrintHwndControls(HWND Wnd, HDC DC);
    // The handler made for Wnd, null when none.
    TacMainWnd* FindCtrlInList(HWND Wnd) const;

    bool BiDiLeft = false;
    HWND CtrlHandle = nullptr;
    TsSkinProvider* sp = nullptr;  // owned by the form
    std::unique_ptr<TacDialogWnd> ListSW;
    std::vector<std::unique_ptr<TacMainWnd>> acSkinnedCtrls;
};

// ---- The handler of a child window of a dialog, by class and style ----

enum TacDialogChildKind {
    dckNone, dckEdge, dckIcon, dckStatic, dckTransPanel, dckPanel, dckSilentPaintPanel, dckEdit, dckGroupBox,
    dckCheckBox, dckButton, dckComboBox, dckComboList, dckSizer, dckTabControl, dckListView, dckSpin, dckTrackBar,
    dckListBox, dckLink, dckToolBar, dckTreeView
};
struct TacDialogChild {
    TacDialogChildKind Kind = dckNone;
    const wchar_t* Section = L"";
    // The dialog's own painting must reach its procedure (it has edits, lists or combo boxes).
    bool DialogPaints = false;
};
// LowerClass: the window's class name in lower case; Visible: the window is shown.
TacDialogChild DialogChildHandler(const String& LowerClass, LONG Style, LONG ExStyle, bool Visible);

// ---- The dialog window's handler ----

enum TacBorderStyle { acbsDialog, acbsSingle, acbsNone, acbsSizeable, acbsToolWindow, acbsSizeToolWin };

// Takes over a foreign dialog window: its client background and the background its children
// ask for come from the "DIALOG" section, it answers the skin commands for them, attaches
// children that appear later, and leaves the dialog where MessageBoxLeft/MessageBoxTop asked.
// Its frame, title buttons and system menu are still the system's.
class TacDialogWnd : public TacScrollWnd {
public:
    TacDialogWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
                 bool Repaint = false);
    ~TacDialogWnd() override;

    // Reads the window's styles and border kind once its children have handlers; the dialog
    // paints from then on.
    void InitParams();
    void acWndProc(TMessage& Message) override;

    // Height of the title, 0 without a caption; from the system's metrics.
    int CaptionHeight(bool CheckSkin) const;
    // Where the client area lies in the cache (the whole window's image).
    int OffsetX() const;
    int OffsetY() const;
    // Composes the whole window's image in the cache.
    void PaintAll();
    bool FormActive() const { return FFormActive; }
    // Moves the dialog along each coordinate of (Left, Top) that is not -1.
    void MoveToAskedPosition() const;

    bool FFormActive = true;
    bool FWMPaintForbidden = false;
    int FCaptionSkinIndex = -1;
    bool Initialized = false;
    TRect LastClientRect{0, 0, 0, 0};
    unsigned FormState = 0;
    LONG dwStyle = 0;
    LONG dwExStyle = 0;
    bool RgnChanged = true;
    TacBorderStyle BorderStyle = acbsSingle;
    std::unique_ptr<TFont> TitleFont;
    TacProvider* Provider = nullptr;
    // The position asked when the dialog was taken over; -1 for a coordinate left alone.
    int AskedLeft = -1;
    int AskedTop = -1;

private:
    bool SkinCommand(TMessage& Message);
    void EraseBackground(TMessage& Message);
    void Sized(TMessage& Message);
    void Shown(TMessage& Message);
    void PositionChanged(TMessage& Message);
    void Old(TMessage& Message);
    // The brush the dialog's own background is erased with; the handler keeps one.
    HBRUSH DialogBrush();
    HBRUSH FDialogBrush = nullptr;
    TColor FDialogBrushColor = clNone;
};

// ---- The dialog's animations (played on a layered cover over the dialog) ----

// The dialog's look: its window image with its visible children printed over the client area.
std::unique_ptr<TBitmap> DialogImage(TacDialogWnd* Dlg);
// FromWindow: the client area as the screen shows it, copied into Bmp at the client offset;
// otherwise the children printed there. The image comes out opaque.
void SnapshotDialog(TacDialogWnd* Dlg, TBitmap* Bmp, bool FromWindow);
// Fades (or zooms) the dialog in over Time ms up to AlphaValue, alpha steps of AlphaValue
// divided by one more than the step count; blocks until the dialog shows itself.
void AnimShowDialog(TacDialogWnd* Dlg, unsigned Time, int AlphaValue, TacAnimType AnimType);
// Fades the dialog's image out on the shared hide timer with the manager's DialogHide.
void AnimHideDialog(TacDialogWnd* Dlg);

// Frees the handler when it exists; with an active default manager gives Wnd a new one.
void MakeDialogHandler(HWND Wnd, std::unique_ptr<TacDialogWnd>& Handler);

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
// Dialog providers whose dialog window is shown.
int VisibleDialogCount();
// A descendant of Wnd (depth first) has a class whose lower-case name is LowerName.
bool HasChildOfClass(HWND Wnd, const String& LowerName);
// The dialog windows of the listed dialog providers.
std::vector<HWND> HookedDialogWindows();
// The form of a window handle among the screen's forms (an MDI parent's children included); only
// forms that have their window already are asked, so the hook never creates a window.
TCustomForm* FindFormByHandle(HWND Wnd);
String GetWndClassName(HWND Wnd);
