#include "skin/controls/sMaskEdit.h"

#include "framework/controls/Forms.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

namespace {

constexpr int EditCOC = 3;

} // namespace

TsMaskEdit::TsMaskEdit(TComponent* AOwner) : TMaskEdit(AOwner)
{
    SetControlStyle(ControlStyle().Exclude(csSetCaption));
    FCommonData = std::make_unique<TsCtrlSkinData>(this, true);
    FCommonData->COC = EditCOC;
    if (FCommonData->SkinSection().empty()) FCommonData->SetSkinSection(L"EDIT");
    FBoundLabel = std::make_unique<TsBoundLabel>(this, FCommonData.get());
    FCommonData->Loaded();
}

TsMaskEdit::~TsMaskEdit()
{
    FBoundLabel.reset();
    FCommonData.reset();
}

void TsMaskEdit::Loaded()
{
    TMaskEdit::Loaded();
    FCommonData->Loaded();
}

void TsMaskEdit::SetDisabledKind(TsDisabledKind Value)
{
    if (FDisabledKind == Value) return;
    FDisabledKind = Value;
    FCommonData->Invalidate();
}

void TsMaskEdit::Change()
{
    if (ComponentState().Contains(csLoading)) return;
    TMaskEdit::Change();
}

void TsMaskEdit::SetEditRect() {}

bool TsMaskEdit::IsActive()
{
    return FCommonData->HotStateActive();
}

int TsMaskEdit::EditBorderWidth()
{
    if (BorderStyle() == bsNone) return 0;
    return (Ctl3D() ? 1 : 0) + 2;
}

String TsMaskEdit::ShownText()
{
    const String text = EditText();
    if (PasswordChar() == 0) return text;
    return String(text.size(), PasswordChar());
}

void TsMaskEdit::PaintText()
{
    const String text = ShownText();
    if (text.empty()) return;
    TCanvas* canvas = FCommonData->CacheBmp()->Canvas();
    canvas->Font()->Assign(Font());
    const int b = EditBorderWidth();
    const TRect r{b, b, Width() - b, b + CanvasTextHeight(canvas, text) + 2};
    const UINT flags = PasswordChar() == 0 ? DT_NOPREFIX | DT_EXTERNALLEADING
                                           : ControlTextFlags(this, taLeftJustify) | DT_NOPREFIX;
    DrawControlText(canvas, text, true, IsActive(), FCommonData.get(), flags, r);
}

void TsMaskEdit::PrepareCache()
{
    FCommonData->InitCacheBitmap();
    TBitmap* cache = FCommonData->CacheBmp();
    if (!FCommonData->Skinned()) {
        PaintColorRect(cache->Canvas()->Handle(), TRect{0, 0, Width(), Height()}, Color());
        PaintText();
        return;
    }
    // The parent's background already comes at the edit's own place in it.
    const TCacheInfo ci = FCommonData->GetParentCacheInfo();
    const TRect whole{0, 0, Width(), Height()};
    const TPoint at{0, 0};
    if (BorderStyle() == bsSingle) DrawControlSkin(FCommonData.get(), ci, true, cache, at, whole, IsActive() ? 1 : 0);
    else DrawControlBackground(FCommonData.get(), ci, 0, cache, at, whole);
    PaintText();
    if (!Enabled()) PaintDisabledLook(cache, DisabledLookOptions(FDisabledKind), Parent(), at, ci);
    FCommonData->BGChanged = false;
}

void TsMaskEdit::PrepareCacheForPaint()
{
    FCommonData->BGChanged = FCommonData->BGChanged || FCommonData->HalfVisible ||
                             QueryControlSkinCmd(Parent(), AC_QUERYHALFSHOWN) != 0;
    FCommonData->HalfVisible =
        Parent() == nullptr ||
        !RectInsideRect(Parent()->ClientRect(), TRect{Left(), Top(), Left() + Width(), Top() + Height()});
    if (FCommonData->BGChanged) PrepareCache();
    FillCacheCorners(FCommonData.get(), 0);
}

void TsMaskEdit::PaintWithWindowDC(HDC DC, const std::function<void(HDC)>& Paint)
{
    HWND wnd = Handle();
    HDC target = DC != nullptr ? DC : GetWindowDC(wnd);
    const int saved = SaveDC(target);
    Paint(target);
    RestoreDC(target, saved);
    if (DC == nullptr) ReleaseDC(wnd, target);
}

void TsMaskEdit::OurPaint(HDC DC)
{
    PAINTSTRUCT ps{};
    const bool beginPaint = !AnimationInProgress && DC == nullptr;
    if (beginPaint) BeginPaint(Handle(), &ps);
    PaintWithWindowDC(DC, [&](HDC target) {
        FCommonData->SetUpdating(FCommonData->Updating());
        if (FCommonData->Updating()) return;
        PrepareCacheForPaint();
        const TRect whole{0, 0, Width(), Height()};
        CopyCacheToDC(this, FCommonData.get(), whole, 0, 0, false, target, whole);
        if (ControlCount() > 0) {
            const int c = BorderStyle() == bsNone ? 0 : (Ctl3D() ? 1 : 0) + 1;
            DrawGraphicChildren(target, this, TPoint{c, c}, true);
        }
    });
    if (beginPaint) EndPaint(Handle(), &ps);
}

void TsMaskEdit::PaintBorder(HDC DC)
{
    if (Parent() == nullptr || !Parent()->Visible() || !Visible() || ControlState().Contains(csCreating)) return;
    if (BorderStyle() == bsNone || FCommonData->Updating()) return;
    PaintWithWindowDC(DC, [&](HDC target) {
        if (FCommonData->BGChanged) PrepareCache();
        FillCacheCorners(FCommonData.get(), IsActive() ? 1 : 0);
        CopyFrameStrips(target, 0, 0, Width(), Height(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0, 2);
    });
}

bool TsMaskEdit::HandleSkinCommand(TMessage& Message)
{
    const bool ownManager = reinterpret_cast<TsSkinManager*>(Message.LParam) == FCommonData->SkinManager();
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
    case AC_SKINUNLOADED:
    case AC_RESKIN: {
        if (!ownManager) return false;
        const int sub = SkinCmdSub(Message.WParam);
        HandleCommonMessage(Message, FCommonData.get());
        if (sub == AC_SKINUNLOADED) Invalidate();
        if (sub == AC_RESKIN && HandleAllocated()) {
            SendMessageW(Handle(), WM_NCPAINT, 0, 0);
            Repaint();
        }
        return true;
    }
    case AC_RESUMEPAINT:
        if (FCommonData->Updating()) {
            FCommonData->SetUpdating(false);
            if (HandleAllocated()) {
                InvalidateRect(Handle(), nullptr, TRUE);
                SendMessageW(Handle(), WM_NCPAINT, 0, 0);
            }
        }
        return true;
    case AC_QUERYSKINNED: Message.Result = 1; return true;
    case AC_QUERYAPP: Message.Result = reinterpret_cast<LRESULT>(Application.operator->()); return true;
    default: return false;
    }
}

// Messages of a skinned, ready edit; true when done.
bool TsMaskEdit::HandleSkinnedMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_SETTEXT:
        if (ComponentState().Contains(csDesigning)) FCommonData->BGChanged = true;
        return false;
    case WM_PAINT:
        if (IsActive()) {
            TMaskEdit::WndProc(Message);
            PaintBorder(nullptr);
        } else {
            OurPaint(reinterpret_cast<HDC>(Message.WParam));
        }
        return true;
    case WM_ERASEBKGND:
    case CN_DRAWITEM:
        if (AnimationInProgress) return true;
        FCommonData->SetUpdating(FCommonData->Updating());
        if (!FCommonData->Updating()) TMaskEdit::WndProc(Message);
        return true;
    case WM_NCPAINT:
        if (AnimationInProgress) return true;
        FCommonData->SetUpdating(FCommonData->Updating());
        if (!FCommonData->Updating()) PaintBorder(nullptr);
        return true;
    case WM_PRINT: {
        FCommonData->SetUpdating(false);
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        if (FCommonData->BGChanged) PrepareCache();
        FillCacheCorners(FCommonData.get(), 0);
        OurPaint(dc);
        const int b = EditBorderWidth();
        if (b > 0) CopyFrameStrips(dc, 0, 0, Width(), Height(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0, b);
        return true;
    }
    case CM_COLORCHANGED:
    case CM_CHANGED:
        FCommonData->BGChanged = true;
        return false;
    default: return false;
    }
}

void TsMaskEdit::WndProc(TMessage& Message)
{
    DispatchMessage(Message);
    if (FBoundLabel != nullptr) FBoundLabel->FollowOwner(Message, FDisabledKind.Contains(dkBlended));
}

void TsMaskEdit::DispatchMessage(TMessage& Message)
{
    if (FCommonData == nullptr) {
        TMaskEdit::WndProc(Message);
        return;
    }
    if (Message.Msg == SM_LUMACMD && HandleSkinCommand(Message)) return;
    if (!FCommonData->Skinned() || !ControlIsReady(this)) {
        TMaskEdit::WndProc(Message);
        return;
    }
    if (HandleSkinnedMessage(Message)) return;
    if (HandleCommonMessage(Message, FCommonData.get())) return;
    TMaskEdit::WndProc(Message);
    switch (Message.Msg) {
    case WM_SETFOCUS: Invalidate(); break;
    case WM_SETFONT:
    case CM_VISIBLECHANGED:
    case CM_ENABLEDCHANGED: FCommonData->Invalidate(); break;
    default: break;
    }
}
