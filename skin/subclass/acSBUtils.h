#pragma once
// Unit acSBUtils: window handlers. A handler takes over the window procedure of one window, so
// that the skin can paint and steer a window whose class knows nothing of skins: a framework
// control whose own class is not skinned, the form of a skin provider, or a foreign window (a
// child of a system dialog, a popup menu, an MDI client). TacMainWnd is the root of every
// handler; the procedures here install, find, detach and free handlers, and build the frame
// cache of handlers that paint a window's border themselves.
//
// A handler is found from its window through the window property "ACSBSC", which holds it for as
// long as it owns the window procedure.
#include <windows.h>

#include <functional>
#include <memory>

#include "framework/classes/Component.h"
#include "framework/controls/Controls.h"
#include "skin/core/sCommonData.h"

class TsSkinManager;
class TCustomForm;

// The window property through which a window's handler is found.
inline constexpr const wchar_t* HandlerProp = L"ACSBSC";

// Set by the dialog provider while it makes handlers for a skinned dialog's children.
extern bool DialogHandlerMode;
// Set by the control adapter while it frees all its handlers: their windows go with their form.
extern bool AdapterItemsRemoving;

// The form layer plugs its skin providers in here: the form of a provider, null for any other
// owner object. A handler whose state object belongs to a provider subclasses that form.
extern std::function<TCustomForm*(TObject* Owner)> ProviderFormOf;

// System functions looked up at start-up; null where the system has none.
using TGetScrollBarInfoFunc = BOOL(WINAPI*)(HWND Wnd, LONG ObjectId, PSCROLLBARINFO Info);
using TFlatSBFunc = BOOL(WINAPI*)(HWND Wnd);
extern TGetScrollBarInfoFunc GetScrollBarInfoFunc;
extern TFlatSBFunc InitializeFlatSBFunc;
extern TFlatSBFunc UninitializeFlatSBFunc;

class TacMainWnd : public TObject {
public:
    // Makes the handler and installs it on AHandle at once. Without ASkinData it makes a state
    // object of its own (no owner, with a cache) and frees it with itself. Repaint asks scroll-bar
    // handlers for a frame recalculation once installed.
    TacMainWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
               bool Repaint = true);
    ~TacMainWnd() override;
    TacMainWnd(const TacMainWnd&) = delete;
    TacMainWnd& operator=(const TacMainWnd&) = delete;

    // Remembers / gives back the window's own look; the root handler keeps none.
    virtual void SaveStdParams() {}
    virtual void RestoreStdParams() {}
    // Gives the window the skin's colours; the root only notes that it did.
    virtual void SetSkinParams() { ParamsChanged = true; }
    // The procedure that replaces the window's own.
    virtual void acWndProc(TMessage& Message);
    // Passes a message to what the handler replaced (0 when nothing is kept); LParam comes back
    // as the previous procedure left it.
    LRESULT CallPrevWndProc(HWND Handle, UINT Msg, WPARAM WParam, LPARAM& LParam);
    // The method that installation puts in the window's place (calls acWndProc).
    TWndMethod* InstalledMethod() { return FInstalledMethod.get(); }

    bool DlgMode = false;
    String Caption;
    TRect WndRect{0, 0, 0, 0};
    TSize WndSize{0, 0};
    TPoint WndPos{0, 0};
    TRect ParentRect{0, 0, 0, 0};
    HWND ParentWnd = nullptr;
    TControlStyle OldCtrlStyle;
    TWndMethod OldWndProc;
    WNDPROC OldProc = nullptr;
    HWND CtrlHandle = nullptr;
    TsSkinManager* SkinManager = nullptr;
    TsCommonData* SkinData = nullptr;
    bool DontRepaint = false;
    bool ParamsChanged = false;
    TColor StdColor = clNone;
    TColor StdFontColor = clNone;
    bool Destroyed = false;
    bool OwnSkinData = false;
    WNDPROC NewWndProcInstance = nullptr;
    int Tag = 0;

protected:
    // For descendants that install themselves once their own construction is done.
    struct TInstallLater {};
    TacMainWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
               TInstallLater);
    // The skin commands of the general path; false leaves the message to the previous procedure.
    virtual bool HandleSkinCommand(TMessage& Message);

private:
    friend void InstallWndHandler(TacMainWnd* Handler, HWND Wnd);
    friend void UninstallWndHandler(HWND Wnd, bool FreeHandler, bool Repaint, TacMainWnd*& Handler);
    void Construct(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection);
    void PassOn(TMessage& Message);
    void OnDestroyMessage(TMessage& Message);
    // Gives the window procedure back; false when someone subclassed the window after us.
    bool GiveProcedureBack();
    // The stub stays in a window that someone else subclassed after us: from now on it only
    // forwards to the procedure we replaced.
    void LeaveStubForwarding();

    std::unique_ptr<TWndMethod> FInstalledMethod;
};

// Puts Handler in the window's place: for a provider's form or a framework control its
// WindowProc, for a foreign window its window procedure (through an object-instance stub).
void InstallWndHandler(TacMainWnd* Handler, HWND Wnd);
// Gives the window procedure back when nobody subclassed the window since, removes the property,
// gives the window its own look back and redraws its frame; with FreeHandler frees the handler
// and clears Handler. Nothing for a null Handler.
void UninstallWndHandler(HWND Wnd, bool FreeHandler, bool Repaint, TacMainWnd*& Handler);
// The window's handler, null when none.
TacMainWnd* GetWndHandler(HWND Wnd);
// The smallest thumb of replaced scroll bars.
int DefaultMinThumbSize();
// FrameChanged: the frame is recalculated (SWP_FRAMECHANGED); else only repainted (WM_NCPAINT).
void RedrawFrame(HWND Wnd, bool FrameChanged);
// The window's whole text, however long.
String WindowText(HWND Wnd);
// The window's screen rectangle, its parent and the parent's screen rectangle, its size and its
// top-left in the parent's client coordinates.
void ReadWndPlacement(HWND Wnd, HWND& ParentWnd, TRect& WndRect, TRect& ParentRect, TSize& WndSize, TPoint& WndPos);
// To the control's children when there is a control, else to the window's child windows.
void BroadcastToOwner(TControl* Control, HWND Wnd, TMessage& Message);
// Tells the window's top-level window that a child arrived (AC_CHILDADDED, LParam 0).
void NotifyChildAdded(HWND Wnd);

// ---- The frame cache of handlers that paint a window's border ----

// The state's section looks different when hot: a border with more than one image, or a
// section with more than one state.
bool HasHotLook(TsCommonData* SkinData);
// Brings the cache up to date for the window when it is marked changed: a plain window-coloured
// box with the skin's border colour (Plain, when the skin has one), else the section over the
// parent's background, hot when focused or under the mouse; a disabled owner control looks
// disabled. A window without parent keeps its cache unpainted and marked changed.
void PrepareFrameCache(TsCommonData* SkinData, HWND Wnd, bool Plain);
// Lets the parent's background show through the key-coloured corner pixels of the border mask's
// State image in the handler's cache (not in dialogs).
void RestoreCornerBackground(TsCommonData* SkinData, int State, TacMainWnd* Handler);

// ---- Static texts and push buttons ----

// Static text of foreign dialogs (and the base of the link, icon and edge handlers): the section
// over the parent's background with the window's text on it. A tab-stop or static-edge window
// keeps its own look.
class TacStaticWnd : public TacMainWnd {
public:
    using TacMainWnd::TacMainWnd;
    void acWndProc(TMessage& Message) override;
    // Composes the cache and copies it to the message's DC (or the window's own).
    virtual void AC_WMPaint(TMessage& Message);
    // Writes the text into the cache; true when the cache is to be shown.
    virtual bool PaintText();

protected:
    // The style keeps the window's own painting.
    bool PaintsItself() const;
};

// Push buttons of foreign dialogs and framework forms (section "BUTTON" unless one is given):
// skin state by pressed, disabled, focused, hot and default, caption, glyph and disabled look
// composed in the cache.
class TacBtnWnd : public TacMainWnd {
public:
    TacBtnWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
              bool Repaint = true);
    void acWndProc(TMessage& Message) override;

    virtual void DrawCaption();
    virtual void DrawGlyph() {}
    virtual TSize GlyphSize() { return TSize{0, 0}; }
    virtual void DoDrawText(TRect& R, UINT Flags);
    virtual TRect CaptionRect();
    virtual int MaxCaptionWidth();
    virtual TSize TextRectSize();
    virtual void PrepareCache();

    void AC_WMPaint(TMessage& Message);
    // 0 normal, 1 hot (focused, under the mouse or default), 2 pressed.
    int CurrentState();
    LONG CtrlStyle() const;
    bool Down() const;
    void Repaint();

protected:
    TCanvas* CacheCanvas() const { return SkinData->CacheBmp()->Canvas(); }
    // The section's caption font for this window: the control's own, or the window's WM_GETFONT.
    void TakeCaptionFont();
    // Runs the previous procedure with redrawing off, then repaints the new look.
    void PassOnUnseen(TMessage& Message);

private:
    bool OnSkinCommand(TMessage& Message);
    void TrackHover();
};

// A framework bit button: its glyph (a 32-bit single frame with its alpha, else the frame of the
// state) placed by the button's Layout, Margin and Spacing.
class TacBitBtnWnd : public TacBtnWnd {
public:
    using TacBtnWnd::TacBtnWnd;
    void DrawGlyph() override;
    TSize GlyphSize() override;
    TRect CaptionRect() override;
    int MaxCaptionWidth() override;
    TRect GlyphRect();

    HBITMAP hBmp = nullptr;
    HICON hIco = nullptr;
};

// A framework button with an image list (its published Images, ImageIndex, ImageAlignment,
// ImageMargins and per-state image indexes, read by name).
class TacButtonWnd : public TacBtnWnd {
public:
    TacButtonWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
                 bool Repaint = true);
    void DrawGlyph() override;
    TSize GlyphSize() override;
    TRect CaptionRect() override;
    bool HaveImage();
    int GlyphIndex();
    TRect GlyphRect();

    TControl* Btn = nullptr;
};

// ---- Up-down, size grip, transparent panel, link and icon ----

// An up-down control as two skinned buttons with arrows, hot and pressed by the pointer.
class TacSpinWnd : public TacMainWnd {
public:
    TacSpinWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
               bool Repaint = true);
    void acWndProc(TMessage& Message) override;
    virtual bool IsVertical();
    void AC_WMPaint(TMessage& Message);
    void PrepareCache();

    // Left edge of the painted part of a vertical up-down.
    int lOffset = 0;
    bool bMousePressed = false;
    // First (upper or left) and second button: 0 normal, 1 hot, 2 pressed.
    int Btn1State = 0;
    int Btn2State = 0;

private:
    void ReadButtonStates();
};

// A dialog's size grip: the skin's grip image in the bottom-right corner over the parent.
class TacSizerWnd : public TacMainWnd {
public:
    using TacMainWnd::TacMainWnd;
    void acWndProc(TMessage& Message) override;
    void AC_WMPaint(TMessage& Message);
};

// A dialog-like container that shows the skin background behind its children.
class TacTransPanelWnd : public TacMainWnd {
public:
    using TacMainWnd::TacMainWnd;
    void acWndProc(TMessage& Message) override;
    virtual void AC_WMPaint(TMessage& Message);
};

// A link control as underlined text without its <A> and </A> tags.
class TacLinkWnd : public TacStaticWnd {
public:
    using TacStaticWnd::TacStaticWnd;
    void acWndProc(TMessage& Message) override;
    bool PaintText() override;
};

// A static icon or bitmap drawn over the section's background. The window's image stays the
// window's: the handler only draws from it.
class TacIconWnd : public TacStaticWnd {
public:
    TacIconWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager, const String& SkinSection,
               bool Repaint = true);
    bool PaintText() override;

    bool IsBmp = false;
    // The window's bitmap as seen at the first paint; it does not own the image.
    std::unique_ptr<TBitmap> FBmp;
};

// A caption with every upper-case "<A>" and "</A>" taken out (other markup stays).
String StripLinkTags(const String& Caption);
