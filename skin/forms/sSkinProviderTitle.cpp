// The title bar's settings objects: the added title text, the user title buttons, the custom
// title icon, and the rules by which the system menu (and so the caption buttons) shows and
// enables its entries; and the cover laid over the title while the system draws its own caption.
#include "skin/forms/sSkinProvider.h"

#include "framework/system/Exceptions.h"
#include "skin/core/sConst.h"

// ---- Added title ----

TacAddedTitle::TacAddedTitle(TsSkinProvider* AOwner) : FOwner(AOwner), FFont(std::make_unique<TFont>())
{
    // No colour of its own: the skin's caption colour is used.
    FFont->SetColor(static_cast<TColor>(0x1FFFFFFF));
}

TacAddedTitle::~TacAddedTitle() = default;

void TacAddedTitle::Changed()
{
    if (FOwner != nullptr && !FOwner->Loading()) FOwner->RepaintFormFrame();
}

void TacAddedTitle::SetShowMainCaption(bool Value)
{
    if (Value == FShowMainCaption) return;
    FShowMainCaption = Value;
    Changed();
}

void TacAddedTitle::SetText(const String& Value)
{
    if (Value == FText) return;
    FText = Value;
    Changed();
}

void TacAddedTitle::SetFont(TFont* Value)
{
    FFont->Assign(Value);
    Changed();
}

// ---- User title buttons ----

TsTitleButton::TsTitleButton(TCollection* ACollection) : TCollectionItem(ACollection), FGlyph(std::make_unique<TBitmap>())
{
    FGlyph->OnChange = [this](TObject* Sender) { GlyphChanged(Sender); };
}

TsTitleButton::~TsTitleButton()
{
    HideHintWindow();
}

void TsTitleButton::GlyphChanged(TObject* /*Sender*/)
{
    // A new picture invalidates a running state animation's frames.
    BtnData.Timer = nullptr;
}

void TsTitleButton::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
}

void TsTitleButton::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    FVisible = Value;
    if (TsSkinProvider* provider = Provider()) provider->RepaintFormFrame();
}

void TsTitleButton::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TsTitleButton*>(Source);
    if (other == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    FEnabled = other->FEnabled;
    FGlyph->Assign(other->FGlyph.get());
    FHint = other->FHint;
    FName = other->FName;
    FUseSkinData = other->FUseSkinData;
    OnMouseDown = other->OnMouseDown;
    OnMouseUp = other->OnMouseUp;
}

TsSkinProvider* TsTitleButton::Provider() const
{
    auto* buttons = dynamic_cast<TsTitleButtons*>(Collection());
    return buttons != nullptr ? buttons->FOwner : nullptr;
}

void TsTitleButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TsTitleButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TsTitleButton::ShowHintWindow()
{
    HideHintWindow();
    if (FHint.empty()) return;
    HintWnd = new THintWindow(Application);
    HintWnd->SetColor(clInfoBk);
    TRect r = HintWnd->CalcHintRect(800, FHint, nullptr);
    POINT cursor{};
    GetCursorPos(&cursor);
    int w = r.right - r.left, h = r.bottom - r.top + 4;
    TRect work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    if (TsSkinProvider* provider = Provider(); provider != nullptr && provider->Form != nullptr)
        FormWorkArea(provider->Form, work);
    int x = std::min<int>(cursor.x + 8, work.right - w);
    int y = std::min<int>(cursor.y + 16, work.bottom - h);
    HintWnd->ActivateHint(Bounds(x, y, w, h), FHint);
}

void TsTitleButton::HideHintWindow()
{
    delete HintWnd;
    HintWnd = nullptr;
}

TsTitleButtons::TsTitleButtons(TsSkinProvider* AOwner) : TCollection(ItemClassOf<TsTitleButton>()), FOwner(AOwner) {}

TsTitleButtons::~TsTitleButtons()
{
    FOwner = nullptr;
}

TPersistent* TsTitleButtons::GetOwner()
{
    return FOwner;
}

TsTitleIcon::TsTitleIcon() : FGlyph(std::make_unique<TBitmap>()) {}

// ---- System menu rules ----

TsSystemMenu::TsSystemMenu(TsSkinProvider* AOwner) : FOwner(AOwner), FForm(AOwner->Form) {}

namespace {

bool IsToolOrDialog(TFormBorderStyle Style)
{
    return Style == bsNone || Style == bsDialog || Style == bsToolWindow || Style == bsSizeToolWin;
}

bool HasFrameStyle(TFormBorderStyle Style)
{
    return Style == bsSingle || Style == bsSizeable;
}

} // namespace

bool TsSystemMenu::VisibleClose() const
{
    return FOwner->HaveSysMenu;
}

bool TsSystemMenu::VisibleMax() const
{
    if (!VisibleClose()) return false;
    if (FOwner->Iconic() || FOwner->IsMDIChild()) return true;
    return !IsToolOrDialog(FForm->BorderStyle()) && FForm->BorderIcons().Contains(biMaximize);
}

bool TsSystemMenu::VisibleMin() const
{
    if (!VisibleClose()) return false;
    if (FOwner->Iconic() || FOwner->IsMDIChild()) return true;
    return !IsToolOrDialog(FForm->BorderStyle()) && FForm->BorderIcons().Contains(biMinimize);
}

bool TsSystemMenu::VisibleRestore() const
{
    if (!VisibleClose()) return false;
    if (FOwner->IsMDIChild()) return true;
    return !IsToolOrDialog(FForm->BorderStyle());
}

bool TsSystemMenu::VisibleSize() const
{
    if (FOwner->IsMDIChild()) return true;
    auto style = FForm->BorderStyle();
    return style != bsNone && style != bsDialog && style != bsToolWindow;
}

bool TsSystemMenu::EnabledMax() const
{
    return FForm->BorderIcons().Contains(biMaximize) &&
           (FOwner->IsMDIChild() || (!FOwner->Zoomed() && HasFrameStyle(FForm->BorderStyle())));
}

bool TsSystemMenu::EnabledMin() const
{
    return FForm->BorderIcons().Contains(biMinimize) && !FOwner->Iconic();
}

bool TsSystemMenu::EnabledMove() const
{
    return !FOwner->Zoomed();
}

bool TsSystemMenu::EnabledRestore() const
{
    if (FOwner->Iconic()) return true;
    return FForm->BorderIcons().Contains(biMaximize) && FOwner->Zoomed();
}

bool TsSystemMenu::EnabledSize() const
{
    return FForm->BorderStyle() != bsSingle && !FOwner->Iconic();
}

void TsSystemMenu::UpdateItems(bool /*Full*/)
{
    if (!FForm->HandleAllocated()) return;
    HMENU menu = GetSystemMenu(FForm->Handle(), FALSE);
    if (menu == nullptr) return;
    auto enable = [menu](UINT Command, bool On) {
        EnableMenuItem(menu, Command, MF_BYCOMMAND | (On ? MF_ENABLED : MF_GRAYED));
    };
    enable(SC_RESTORE, VisibleRestore() && EnabledRestore());
    enable(SC_MOVE, EnabledMove());
    enable(SC_SIZE, VisibleSize() && EnabledSize());
    enable(SC_MINIMIZE, VisibleMin() && EnabledMin());
    enable(SC_MAXIMIZE, VisibleMax() && EnabledMax());
}

void TsSystemMenu::Popup(int X, int Y)
{
    if (!FForm->HandleAllocated()) return;
    HWND wnd = FForm->Handle();
    HMENU menu = GetSystemMenu(wnd, FALSE);
    if (menu == nullptr) return;
    UpdateItems(false);
    UINT command = TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN | TPM_TOPALIGN, X, Y, 0, wnd, nullptr);
    if (command != 0) PostMessageW(wnd, WM_SYSCOMMAND, command, 0);
}

// ---- Caption cover ----

void TsSkinProvider::ShowCaptionForm()
{
    if (!FDrawNonClientArea || FInAnimation || LockCount > 0 || (FormState & 0x80) || Form == nullptr ||
        !Form->HandleAllocated())
        return;
    if (CaptForm == nullptr) {
        CaptForm = TForm::CreateNew(Application);
        CaptForm->SetTag(NoSkinTag);
        CaptForm->SetBorderStyle(bsNone);
        // The cover paints nothing: what shows through is the skinned title already on screen.
        CaptForm->OnPaint = [](TObject*) {};
        OldCaptFormProc = CaptForm->WindowProc;
        CaptForm->WindowProc = [this](TMessage& Message) {
            if (Message.Msg == WM_ERASEBKGND) {
                Message.Result = 1;
                return;
            }
            OldCaptFormProc(Message);
        };
        HWND cover = CaptForm->Handle();
        // Never a task-bar button of its own for a window that lives a few messages long.
        SetWindowLongPtrW(cover, GWL_EXSTYLE, GetWindowLongPtrW(cover, GWL_EXSTYLE) | WS_EX_TOOLWINDOW);
    }
    HWND cover = CaptForm->Handle();
    HWND wnd = Form->Handle();
    ShowWindow(cover, SW_HIDE);
    RECT r{};
    GetWindowRect(wnd, &r);
    HWND above = (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST) ? HWND_TOPMOST : GetWindow(wnd, GW_HWNDPREV);
    if (above == nullptr) above = HWND_TOP;
    SetWindowPos(cover, above, r.left, r.top, r.right - r.left, HeaderHeight(),
                 SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_SHOWWINDOW);
}

void TsSkinProvider::HideCaptionForm()
{
    if (CaptForm == nullptr) return;
    CaptForm->WindowProc = OldCaptFormProc;
    OldCaptFormProc = nullptr;
    delete CaptForm;
    CaptForm = nullptr;
}
