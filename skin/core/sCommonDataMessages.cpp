// sCommonData: the skin commands and ordinary messages every skinned control lets its skin
// state see first.
#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/stdctrls/Edit.h"
#include "framework/stdctrls/Label.h"
#include "framework/facts/SystemFacts.h"
#include "skin/core/acGlow.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "framework/system/StringUtils.h"

std::function<bool(TControl* Control)> SpeedButtonHotTest;

namespace {

bool ComponentIn(const TObject* Object, TComponentStateFlag Flag)
{
    auto* c = dynamic_cast<const TComponent*>(Object);
    return c != nullptr && c->ComponentState().Contains(Flag);
}

// The section of a skinned state object; null when it has none in its manager's skin.
const TsGeneralData* SectionOf(const TsCommonData* Data)
{
    const TsSkin* skin = Data->Skin();
    return skin != nullptr && skin->IsValidSkinIndex(Data->SkinIndex) ? &skin->gd[Data->SkinIndex] : nullptr;
}

bool HasHotState(const TsCommonData* Data)
{
    const TsGeneralData* section = SectionOf(Data);
    return section != nullptr && section->States > 1;
}

void FreeOwnGlow(TsCommonData* Data)
{
    FreeGlowEffect(Data->GlowID);
    Data->GlowID = -1;
}

void RedrawWithFrame(TWinControl* Control)
{
    if (Control != nullptr && Control->HandleAllocated())
        RedrawWindow(Control->Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

// Codes that never glow under the mouse: containers and the buttons, which show their own hot look.
bool ShowsNoGlow(int COC)
{
    return IsNoGlowCode(COC) || (COC >= 92 && COC <= 94);
}

// ---- Sub-commands --------------------------------------------------------------------------------

bool FromOwnManager(const TMessage& Message, TsCommonData* Data)
{
    return reinterpret_cast<TsSkinManager*>(Message.LParam) == Data->GetSkinManager();
}

// The owner loses its skinned look: indexes and cache go, an edit gets the window colours back
// and the labels of any other windowed owner the window text colour.
void DropSkin(TsCommonData* Data)
{
    Data->SkinIndex = Data->BorderIndex = Data->Texture = Data->HotTexture = -1;
    Data->SetUpdating(true);
    Data->EmptyCache();
    if (auto* edit = dynamic_cast<TCustomEdit*>(Data->FOwnerControl)) {
        if (!Data->CustomColor()) edit->SetColor(clWindow);
        if (!Data->CustomFont()) edit->Font()->SetColor(clWindowText);
        RedrawWithFrame(edit);
    } else if (auto* win = dynamic_cast<TWinControl*>(Data->FOwnerControl)) {
        for (int i = 0; i < win->ControlCount(); ++i)
            if (auto* label = dynamic_cast<TLabel*>(win->Controls(i))) label->Font()->SetColor(clWindowText);
    }
}

bool AnswerMoveRepaint(TMessage& Message, TsCommonData* Data)
{
    const TsGeneralData* section = SectionOf(Data);
    if (section == nullptr) return false;
    TControl* owner = Data->FOwnerControl;
    if (section->Transparency == 100 && owner != nullptr && owner->Parent() != nullptr) {
        Message.Result = owner->Parent()->Perform(SM_LUMACMD, MakeSkinWParam(AC_QUERYMOVEREPAINT), 0) & 0x7F;
        return true;
    }
    Message.Result = section->GradientPercent + section->ImagePercent > 0 || Data->RepaintIfMoved() ? 1 : 0;
    return true;
}

void MovedRepaint(const TMessage& Message, TsCommonData* Data)
{
    const bool repaints = Data->RepaintIfMoved();
    Data->BGChanged = Data->BGChanged || repaints;
    auto* win = dynamic_cast<TWinControl*>(Data->FOwnerControl);
    if (win == nullptr) return;
    if (SkinCmdSwitchOn(Message.WParam) && win->HandleAllocated())
        RedrawWindow(win->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_NOINTERNALPAINT | RDW_NOERASE | RDW_ALLCHILDREN);
    if (!repaints) return;
    for (int i = 0; i < win->ControlCount(); ++i) {
        TControl* child = win->Controls(i);
        if (!ComponentIn(child, csDestroying)) child->Perform(SM_LUMACMD, MakeSkinWParam(AC_MOVEDREPAINT), 0);
    }
}

bool AnswerBgColor(TMessage& Message, TsCommonData* Data)
{
    TControl* owner = Data->FOwnerControl;
    TacBgColorSource source;
    source.HasOwner = owner != nullptr;
    if (!source.HasOwner) return false;
    source.OwnerColor = owner->Color();
    source.Skinned = Data->Skinned();
    if (const TsGeneralData* section = source.Skinned ? SectionOf(Data) : nullptr) {
        source.Transparency = section->Transparency;
        source.SectionColor = SkinColorToRGB(section->Color);
    }
    if (TWinControl* parent = owner->Parent()) {
        if (parent->HandleAllocated()) source.ParentWnd = parent->Handle();
        source.ParentControlColor = ColorToRGB(parent->Color());
    }
    return AnswerBgColorQuery(source, Message.Result);
}

} // namespace

bool HandleSkinCmd(TMessage& Message, TsCommonData* SkinData)
{
    if (SkinData == nullptr || Message.Msg != SM_LUMACMD) return false;
    TsCommonData* data = SkinData;
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        if (FromOwnManager(Message, data)) {
            data->UpdateIndexes();
            data->EvalBackgroundState(false);
            SkinChangeRunning = false;
        }
        return false;
    case AC_SKINUNLOADED:
        if (FromOwnManager(Message, data)) {
            // A manager on its way out must not be asked anything later.
            if (data->FSkinManager != nullptr && data->FSkinManager->ComponentState().Contains(csDestroying))
                data->FSkinManager = nullptr;
            DropSkin(data);
        }
        return false;
    case AC_RESKIN:
        if (FromOwnManager(Message, data)) {
            data->BGChanged = true;
            data->SetUpdating(false);
            data->ApplySkinColors(true);
            data->EvalBackgroundState(false);
        }
        return false;
    case AC_QUERYSKINNED: Message.Result = 1; return true;
    case AC_UPDATINGSTATE: data->SetUpdating(SkinCmdSwitchOn(Message.WParam)); return false;
    case AC_SETURGENCY: data->UrgentPainting = SkinCmdSwitchOn(Message.WParam); return false;
    case AC_QUERYBUSY: Message.Result = data->BGChanged || data->Updating() ? 1 : 0; return true;
    case AC_QUERYHALFSHOWN: Message.Result = data->HalfVisible ? 1 : 0; return true;
    case AC_SECTIONCHANGED:
        if (UpperCase(data->SkinSection()) == UpdatedSkinSection) {
            SkinChangeRunning = false;
            data->Invalidate();
        }
        return false;
    case AC_ASSIGNSECTION:
        if (Message.LParam != 0) data->SetSkinSection(reinterpret_cast<const TacSectionInfo*>(Message.LParam)->Name);
        return false;
    case AC_MARKDIRTY: data->BGChanged = true; return false;
    case AC_QUERYMOVEREPAINT: return AnswerMoveRepaint(Message, data);
    case AC_MOVEDREPAINT: MovedRepaint(Message, data); return false;
    case AC_QUERYBGCOLOR: return AnswerBgColor(Message, data);
    case AC_MARKHALFSHOWN: data->HalfVisible = true; return false;
    case AC_QUERYSKININDEX:
        if (Message.LParam != 0) *reinterpret_cast<std::int32_t*>(Message.LParam) = data->SkinIndex;
        return true;
    case AC_QUERYBGINFO:
        if (Message.LParam != 0) data->DescribeBackground(*reinterpret_cast<TBackgroundQuery*>(Message.LParam), false);
        return true;
    case AC_QUERYSTATEBITS:
        if (Message.LParam == 1)
            data->EvalBackgroundState(true);
        else
            Message.Result = data->CtrlSkinState;
        return true;
    case AC_SETPRINTDC:
        data->PrintDC = reinterpret_cast<HDC>(Message.LParam);
        if (data->PrintDC != nullptr)
            data->CtrlSkinState |= ACS_PRINTING;
        else
            data->CtrlSkinState &= static_cast<std::uint16_t>(~ACS_PRINTING);
        return true;
    case AC_QUERYAPP:
        // Answered, and still left to the control: it may want to answer too.
        Message.Result = reinterpret_cast<LRESULT>(static_cast<TApplication*>(Application));
        return false;
    default: return false;
    }
}

// ---- Ordinary messages ----------------------------------------------------------------------------

namespace {

void OnMove(TsCommonData* Data)
{
    if (!Data->RepaintIfMoved()) return;
    Data->BGChanged = true;
    if (Data->FOwnerControl != nullptr)
        Data->FOwnerControl->Perform(SM_LUMACMD, MakeSkinWParam(AC_MOVEDREPAINT, 1), 0);
    FreeOwnGlow(Data);
}

void OnSize(TsCommonData* Data)
{
    if (!Data->Skinned()) return;
    Data->BGChanged = true;
    const TsGeneralData* section = SectionOf(Data);
    auto* win = dynamic_cast<TWinControl*>(Data->FOwnerControl);
    // A gradient stretches with the owner: children that keep their place relative to its left
    // and top edges now stand on another part of it.
    if (win != nullptr && section != nullptr && section->GradientPercent >= 1) {
        for (int i = 0; i < win->ControlCount(); ++i) {
            TControl* child = win->Controls(i);
            if (ComponentIn(child, csDestroying)) continue;
            if (child->Anchors().Contains(akRight) || child->Anchors().Contains(akBottom)) continue;
            child->Perform(SM_LUMACMD, MakeSkinWParam(AC_MOVEDREPAINT, 1), 0);
        }
    }
    FreeOwnGlow(Data);
}

// The windowed owner that takes part in focus changes (it can take the focus and is a tab stop).
TWinControl* FocusableOwner(TsCommonData* Data)
{
    auto* win = dynamic_cast<TWinControl*>(Data->FOwnerControl);
    return win != nullptr && win->CanFocus() && win->TabStop() ? win : nullptr;
}

void OnSetFocus(TsCommonData* Data)
{
    TWinControl* win = FocusableOwner(Data);
    if (win == nullptr) return;
    Data->BGChanged = true;
    Data->FFocused = true;
    if (Data->Skinned() && IsEditLikeCode(Data->COC) && HasHotState(Data)) RedrawWithFrame(win);
}

void OnKillFocus(TsCommonData* Data)
{
    TWinControl* win = FocusableOwner(Data);
    if (win == nullptr) return;
    Data->BGChanged = true;
    Data->FFocused = false;
    if (IsEditLikeCode(Data->COC) && win->Visible()) RedrawWithFrame(win);
}

void OnEnabledChanged(TsCommonData* Data)
{
    Data->FMouseAbove = false;
    Data->FFocused = false;
    if (Data->FOwnerControl != nullptr && !Data->FOwnerControl->Enabled()) FreeOwnGlow(Data);
}

bool OnUpdateUIState(TsCommonData* Data)
{
    // Focus cues are part of the skinned look; the system must not paint over it.
    if (Data->Skinned()) return true;
    auto* win = dynamic_cast<TWinControl*>(Data->FOwnerControl);
    if (SetWindowThemeProc != nullptr && SystemFacts().ThemeActive() && win != nullptr && win->HandleAllocated())
        SetWindowThemeProc(win->Handle(), nullptr, nullptr);
    return false;
}

void RepaintEditFrame(TsCommonData* Data)
{
    Data->BGChanged = true;
    Data->FOwnerControl->Perform(WM_NCPAINT, 1, 0);
}

void OnMouseEnter(const TMessage& Message, TsCommonData* Data)
{
    if (ComponentIn(Data->FOwnerObject, csDesigning) || !Data->Skinned()) return;
    TControl* owner = Data->FOwnerControl;
    auto* win = dynamic_cast<TWinControl*>(owner);
    TsSkinManager* defaultManager = TsSkinManager::DefaultSkinManager();
    if (win == nullptr || defaultManager == nullptr) {
        if (!IsContainerCode(Data->COC)) Data->FMouseAbove = true;
        return;
    }
    // Only one speed button shows the mouse at a time.
    if (SpeedButtonHotTest) {
        auto* entered = reinterpret_cast<TControl*>(Message.LParam);
        for (int i = 0; i < win->ControlCount(); ++i) {
            TControl* child = win->Controls(i);
            if (child != owner && child != entered && SpeedButtonHotTest(child)) child->Perform(CM_MOUSELEAVE, 0, 0);
        }
    }
    if (!IsContainerCode(Data->COC)) Data->FMouseAbove = true;
    defaultManager->SetActiveControl(win->Handle());
    if (!ShowsNoGlow(Data->COC)) Data->RefreshGlow(false);
    if (IsEditLikeCode(Data->COC) && HasHotState(Data)) RepaintEditFrame(Data);
}

void OnMouseLeave(TsCommonData* Data)
{
    if (ComponentIn(Data->FOwnerObject, csDesigning) || !Data->Skinned()) return;
    if (!IsContainerCode(Data->COC)) Data->FMouseAbove = false;
    if (!ShowsNoGlow(Data->COC)) {
        FreeAllGlowEffects(false);
        Data->GlowID = -1;
    }
    if (Data->FOwnerControl != nullptr && Data->FOwnerControl->Visible() && IsEditLikeCode(Data->COC))
        RepaintEditFrame(Data);
}

} // namespace

bool HandleCommonMessage(TMessage& Message, TsCommonData* SkinData)
{
    if (SkinData == nullptr) return false;
    TsCommonData* data = SkinData;
    TControl* owner = data->FOwnerControl;
    switch (Message.Msg) {
    case SM_LUMACMD: return HandleSkinCmd(Message, data);
    case WM_MOVE: OnMove(data); return false;
    case WM_SIZE: OnSize(data); return false;
    case WM_SETFOCUS: OnSetFocus(data); return false;
    case WM_KILLFOCUS: OnKillFocus(data); return false;
    case WM_FONTCHANGE:
    case CM_ENABLEDCHANGED: OnEnabledChanged(data); return false;
    case WM_CONTEXTMENU:
        if (owner != nullptr) HookPopupMenu(data->GetSkinManager(), owner->PopupMenu());
        return false;
    case WM_UPDATEUISTATE: return OnUpdateUIState(data);
    case WM_PARENTNOTIFY:
        if (LOWORD(Message.WParam) == WM_CREATE && dynamic_cast<TWinControl*>(owner) != nullptr) NotifyParentForm(owner);
        return false;
    case CM_VISIBLECHANGED:
        if (data->CacheBmp() != nullptr) {
            if (Message.WParam != 0) {
                data->SetUpdating(false);
                data->BGChanged = true;
            } else {
                data->EmptyCache();
            }
        }
        return false;
    case CM_MOUSEENTER:
        if (owner != nullptr) OnMouseEnter(Message, data);
        return false;
    case CM_MOUSELEAVE:
        if (owner != nullptr) OnMouseLeave(data);
        return false;
    case CM_SHOWINGCHANGED:
        if (owner != nullptr && owner->Visible()) data->Loaded();
        return false;
    default: return false;
    }
}
