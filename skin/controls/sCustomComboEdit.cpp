#include "skin/controls/sCustomComboEdit.h"

#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

namespace {

constexpr int ComboEditCOC = 138;
// Alt+Down.
constexpr TShortCut DefaultClickKey = 32808;

} // namespace

TPoint PlacePopup(TPoint EditTopLeft, TSize EditSize, TSize PopupSize, const TRect& Desktop, TPopupWindowAlign Align)
{
    const int desktopWidth = Desktop.right - Desktop.left, desktopHeight = Desktop.bottom - Desktop.top;
    int y = EditTopLeft.y + EditSize.cy;
    if (desktopHeight < y + PopupSize.cy) y = EditTopLeft.y - PopupSize.cy;
    const int overhang = PopupSize.cx - EditSize.cx;
    int x;
    if (Align == pwaRight) {
        x = EditTopLeft.x - overhang;
        if (x < Desktop.left) x += overhang;
    } else {
        x = EditTopLeft.x;
        if (desktopWidth < x + PopupSize.cx) x -= overhang;
    }
    if (x < Desktop.left) x = Desktop.left;
    else if (x + PopupSize.cx > desktopWidth) x = desktopWidth - PopupSize.cx;
    return TPoint{x, y};
}

// ---- TsEditButton ----

TsEditButton::TsEditButton(TComponent* AOwner) : TsSpeedButton(AOwner), FOwner(dynamic_cast<TsCustomComboEdit*>(AOwner))
{
    SkinData()->SetSkinSection(L"SPEEDBUTTON_SMALL");
    SetDisabledGlyphKind(TsDisabledGlyphKind{dgBlended});
    SetFlat(true);
    SetCursor(crArrow);
    SetAlign(alRight);
    SetWidth(22);
    SetShowCaption(false);
    SetAnimatEvents(TacAnimatEvents{aeMouseEnter, aeMouseLeave});
}

void TsEditButton::BeginInitGlyph()
{
    if (ComponentState().Contains(csLoading) || ControlState().Contains(csCreating) || FOwner == nullptr) return;
    TsCommonData* data = SkinData();
    data->CtrlSkinState |= ACS_LOCKED;
    TsGlyphMode* mode = FOwner->GlyphMode();
    if (mode->CustomImageUsable()) {
        SetBlend(mode->Blend());
        SetGrayed(mode->Grayed());
        SetImages(mode->Images());
        const int byState[3] = {mode->ImageIndex(), mode->ImageIndexHot(), mode->ImageIndexPressed()};
        int index = byState[std::clamp(CurrentState(), 0, 2)];
        if (index < 0 || index >= mode->Images()->Count()) index = mode->ImageIndex();
        SetImageIndex(index);
        SetNumGlyphs(1);
    } else {
        SetImages(StandardGlyphs());
        SetImageIndex(FOwner->DefBmpID());
        SetNumGlyphs(3);
    }
    data->CtrlSkinState &= static_cast<std::uint16_t>(~ACS_LOCKED);
}

void TsEditButton::EndInitGlyph()
{
    TsCommonData* data = SkinData();
    data->CtrlSkinState |= ACS_LOCKED;
    SetImages(nullptr);
    data->CtrlSkinState &= static_cast<std::uint16_t>(~ACS_LOCKED);
}

void TsEditButton::PrepareCache()
{
    BeginInitGlyph();
    TsCommonData* data = SkinData();
    data->InitCacheBitmap();
    TBitmap* cache = data->CacheBmp();
    if (FOwner != nullptr && FOwner->SkinData()->CacheBmp() != nullptr)
        BitBlt(cache->Canvas()->Handle(), 0, 0, Width(), Height(), FOwner->SkinData()->CacheBmp()->Canvas()->Handle(),
               Left() + 2, Top() + 2, SRCCOPY);
    PaintBtnGlyph();
    data->BGChanged = false;
    EndInitGlyph();
    if (!Enabled() && FOwner != nullptr)
        PaintDisabledLook(cache, DisabledLookOptions(DisabledKind()), Parent(), TPoint{Left(), Top()},
                          MakeCacheInfo(FOwner->SkinData()->CacheBmp(), 2, 2));
}

void TsEditButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TsSpeedButton::MouseUp(Button, Shift, X, Y);
    // The press is over, clicked or not.
    if (FOwner != nullptr) FOwner->FPressClosedPopup = false;
}

void TsEditButton::PaintTo(HDC DC, TPoint P)
{
    if (FOwner != nullptr && FOwner->SkinData()->Skinned()) {
        PrepareCache();
        BitBlt(DC, P.x, P.y, Width(), Height(), SkinData()->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
        return;
    }
    Paint();
}

void TsEditButton::Paint()
{
    if (FOwner != nullptr && FOwner->SkinData()->Skinned()) {
        if (AnimationInProgress && Canvas()->Handle() != FOwner->SkinData()->PrintDC) return;
        TsSpeedButton::Paint();
        return;
    }
    BeginInitGlyph();
    StdPaint(true);
    EndInitGlyph();
}

// ---- TsCustomComboEdit ----

TsCustomComboEdit::TsCustomComboEdit(TComponent* AOwner) : TsMaskEdit(AOwner), FClickKey(DefaultClickKey)
{
    FCommonData->COC = ComboEditCOC;
    SetAutoSize(false);
    FButton = new TsEditButton(this);
    FButton->FOwner = this;
    FButton->SetParent(this);
    FButton->SetVisible(true);
    FButton->OnClick = [this](TObject*) { ButtonClicked(); };
    FButton->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) {};
    FButton->OnMouseUp = [](TObject*, TMouseButton, TShiftState, int, int) {};
    FGlyphMode = std::make_unique<TsGlyphMode>(this, FButton);
    SetHeight(21);
    FCommonData->Loaded();
}

TsCustomComboEdit::~TsCustomComboEdit()
{
    OnKeyDown = nullptr;
    FGlyphMode.reset();
    if (FButton != nullptr) FButton->OnClick = nullptr;
}

void TsCustomComboEdit::Loaded()
{
    TsMaskEdit::Loaded();
    FCommonData->Loaded();
    SetEditRect();
}

void TsCustomComboEdit::CreateParams(TCreateParams& Params)
{
    TsMaskEdit::CreateParams(Params);
    static const DWORD alignments[] = {ES_LEFT, ES_RIGHT, ES_CENTER};
    Params.Style |= ES_MULTILINE | WS_CLIPCHILDREN | alignments[FAlignment];
}

void TsCustomComboEdit::CreateWnd()
{
    TsMaskEdit::CreateWnd();
    ApplyReadOnly();
    SetEditRect();
}

bool TsCustomComboEdit::GetReadOnly()
{
    return FReadOnly;
}

void TsCustomComboEdit::ApplyReadOnly()
{
    TCustomEdit::SetReadOnly(FReadOnly || !FDirectInput);
}

void TsCustomComboEdit::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    ApplyReadOnly();
}

void TsCustomComboEdit::SetDirectInput(bool Value)
{
    FDirectInput = Value;
    ApplyReadOnly();
}

void TsCustomComboEdit::SetAlignment(TAlignment Value)
{
    if (FAlignment == Value) return;
    FAlignment = Value;
    if (HandleAllocated()) RecreateWnd();
}

void TsCustomComboEdit::SetShowButton(bool Value)
{
    if (FShowButton == Value) return;
    FShowButton = Value;
    Invalidate();
}

bool TsCustomComboEdit::DroppedDown()
{
    return FPopupWindow != nullptr && FPopupWindow->Visible();
}

int TsCustomComboEdit::ButtonSpace()
{
    return FShowButton && FButton != nullptr ? FButton->Width() : 0;
}

void TsCustomComboEdit::SetEditRect()
{
    if (Parent() == nullptr || !HandleAllocated()) return;
    RECT r;
    SendMessageW(Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
    const TRect client = ClientRect();
    RECT narrowed{0, 0, client.right - ButtonSpace(), client.bottom};
    SendMessageW(Handle(), EM_SETRECTNP, 0, reinterpret_cast<LPARAM>(&narrowed));
    SendMessageW(Handle(), EM_GETRECT, 0, reinterpret_cast<LPARAM>(&r));
}

void TsCustomComboEdit::DropDown()
{
    if (FPopupWindow == nullptr || GetReadOnly() || DroppedDown()) return;
    FPopupWindow->SetVisible(false);
    FPopupWindow->SetWidth(FPopupWidth);
    FPopupWindow->SetHeight(FPopupHeight);
    RECT bounds;
    GetWindowRect(Handle(), &bounds);
    const TRect desktop{Screen->DesktopLeft(), Screen->DesktopTop(), Screen->DesktopLeft() + Screen->DesktopWidth(),
                        Screen->DesktopTop() + Screen->DesktopHeight()};
    const TPoint at = PlacePopup(TPoint{bounds.left, bounds.top}, TSize{Width(), Height()},
                                 TSize{FPopupWidth, FPopupHeight}, desktop, FPopupWindowAlign);
    HWND after = HWND_TOP;
    if (TCustomForm* form = GetParentForm(this)) {
        if (auto* popupForm = dynamic_cast<TCustomForm*>(FPopupWindow); popupForm != nullptr && form->FormStyle() == fsStayOnTop)
            popupForm->SetFormStyle(fsStayOnTop);
        TCustomForm* mainForm = Application->MainForm();
        after = (mainForm != nullptr ? mainForm : form)->Handle();
    }
    SetWindowPos(FPopupWindow->Handle(), after, at.x, at.y, FPopupWidth, FPopupHeight, SWP_SHOWWINDOW);
    FPopupWindow->SetVisible(true);
}

void TsCustomComboEdit::CloseUp()
{
    if (auto* form = dynamic_cast<TCustomForm*>(FPopupWindow); form != nullptr && form->Visible()) form->Close();
    else if (FPopupWindow != nullptr && FPopupWindow->Visible()) FPopupWindow->SetVisible(false);
}

void TsCustomComboEdit::SelectAll()
{
    if (!Text().empty() && HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TsCustomComboEdit::DoClick()
{
    if (!FReadOnly) ButtonClick();
}

void TsCustomComboEdit::ButtonClicked()
{
    if (FPressClosedPopup) {
        FPressClosedPopup = false;
        return;
    }
    DoClick();
}

bool TsCustomComboEdit::ButtonUnderMouse()
{
    if (FButton == nullptr || !FButton->Visible() || !HandleAllocated()) return false;
    const TPoint p = ScreenToClient(ScreenCursorPos());
    return p.x >= FButton->Left() && p.x < FButton->Left() + FButton->Width() && p.y >= FButton->Top() &&
           p.y < FButton->Top() + FButton->Height();
}

void TsCustomComboEdit::PopupDeactivated()
{
    FPressClosedPopup = DroppedDown() && SystemFacts().KeyState(VK_LBUTTON) < 0 && ButtonUnderMouse();
}

void TsCustomComboEdit::ButtonClick()
{
    if (OnButtonClick) OnButtonClick(this);
    if (DroppedDown()) CloseUp();
    else DropDown();
}

void TsCustomComboEdit::Change()
{
    if (DroppedDown()) return;
    TsMaskEdit::Change();
}

void TsCustomComboEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    TsMaskEdit::KeyDown(Key, Shift);
    if (Key != 0 && ShortCut(Key, Shift) == FClickKey && FGlyphMode->Width() > 0) {
        DoClick();
        Key = 0;
    }
    SetEditRect();
}

void TsCustomComboEdit::KeyPress(wchar_t& Key)
{
    if (Key == 13 || Key == 27) {
        if (TCustomForm* form = GetParentForm(this)) form->Perform(CM_DIALOGKEY, Key, 0);
    }
    if (Key == 13) {
        TsMaskEdit::KeyPress(Key);
        Key = 0;
        return;
    }
    TsMaskEdit::KeyPress(Key);
}

void TsCustomComboEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (!SkinLoading()) FCommonData->BGChanged = true;
    TsMaskEdit::MouseDown(Button, Shift, X, Y);
    if (DroppedDown()) CloseUp();
    SetEditRect();
}

void TsCustomComboEdit::Notification(TComponent* AComponent, TOperation Operation)
{
    TsMaskEdit::Notification(AComponent, Operation);
    if (Operation == opRemove && FGlyphMode != nullptr && AComponent == FGlyphMode->Images())
        FGlyphMode->SetImages(nullptr);
}

void TsCustomComboEdit::Invalidate()
{
    TsMaskEdit::Invalidate();
    if (FButton == nullptr || FGlyphMode == nullptr) return;
    if (!SkinLoading()) FButton->SkinData()->BGChanged = true;
    if (FShowButton) {
        FButton->SetWidth(FGlyphMode->Width() + 2);
        if (!FButton->Visible()) {
            FButton->SetVisible(true);
            FButton->SetParent(this);
        }
    } else if (FButton->Visible()) {
        FButton->SetVisible(false);
        FButton->SetParent(nullptr);
        FButton->SetWidth(0);
    }
    FGlyphMode->Invalidate();
}

bool TsCustomComboEdit::IsActive()
{
    if (FCommonData->HotStateActive()) return true;
    return FButton != nullptr && (FButton->SkinData()->FMouseAbove || FButton->CurrentState() == 1);
}

void TsCustomComboEdit::PaintText()
{
    TCanvas* canvas = FCommonData->CacheBmp()->Canvas();
    canvas->Font()->Assign(Font());
    const int b = EditBorderWidth();
    const TRect r{b, b, Width() - b - ButtonSpace(), Height() - b};
    const String text = ShownText();
    if (text.empty()) return;
    DrawControlText(canvas, text, Enabled() || !FCommonData->Skinned(), FCommonData->HotStateActive(), FCommonData.get(),
                    ControlTextFlags(this, FAlignment) | DT_NOPREFIX, r);
}

void TsCustomComboEdit::PaintButtonOver(HDC DC)
{
    if (FButton != nullptr && FButton->Visible()) FButton->PaintTo(DC, TPoint{FButton->Left() + 2, FButton->Top() + 2});
}

void TsCustomComboEdit::OurPaint(HDC DC)
{
    PAINTSTRUCT ps{};
    const bool beginPaint = !AnimationInProgress && DC == nullptr;
    if (beginPaint) BeginPaint(Handle(), &ps);
    PaintWithWindowDC(DC, [&](HDC target) {
        if (FCommonData->Skinned()) {
            FCommonData->SetUpdating(FCommonData->Updating());
            if (FCommonData->Updating()) return;
            PrepareCacheForPaint();
            BitBlt(target, 0, 0, Width(), Height(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0, SRCCOPY);
            if (!FCommonData->HotStateActive() || target == FCommonData->PrintDC) PaintButtonOver(target);
        } else {
            PrepareCache();
            BitBlt(target, 3, 3, Width() - 6, Height() - 6, FCommonData->CacheBmp()->Canvas()->Handle(), 3, 3, SRCCOPY);
            if (FButton != nullptr && FButton->Visible()) FButton->Repaint();
        }
    });
    if (beginPaint) EndPaint(Handle(), &ps);
}

void TsCustomComboEdit::PaintBorder(HDC DC)
{
    if (Parent() == nullptr || !Parent()->Visible() || !Visible() || ControlState().Contains(csCreating)) return;
    if (FCommonData->Updating()) return;
    HWND wnd = Handle();
    HDC target = DC != nullptr ? DC : GetWindowDC(wnd);
    const int saved = SaveDC(target);
    if (FCommonData->BGChanged) PrepareCache();
    FillCacheCorners(FCommonData.get(), IsActive() ? 1 : 0);
    CopyFrameStrips(target, 0, 0, Width(), Height(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0, 2);
    if (IsActive()) PaintButtonOver(target);
    RestoreDC(target, saved);
    if (DC == nullptr) ReleaseDC(wnd, target);
}

bool TsCustomComboEdit::IsInsidePopup(TControl* Control)
{
    for (TControl* c = Control; c != nullptr; c = c->Parent())
        if (c == FPopupWindow) return true;
    return false;
}

void TsCustomComboEdit::WndProc(TMessage& Message)
{
    if (FCommonData == nullptr) {
        TsMaskEdit::WndProc(Message);
        return;
    }
    if (Message.Msg == SM_LUMACMD && SkinCmdSub(Message.WParam) == AC_QUERYBGINFO && FCommonData->Skinned()) {
        auto* query = reinterpret_cast<TBackgroundQuery*>(Message.LParam);
        FCommonData->DescribeBackground(*query, false);
        query->OffsetX = query->OffsetY = EditBorderWidth();
        return;
    }
    switch (Message.Msg) {
    case WM_ERASEBKGND:
        if (FCommonData->Skinned() && HandleAllocated() && IsWindowVisible(Handle())) {
            FCommonData->SetUpdating(FCommonData->Updating());
            if (FCommonData->Updating()) return;
        }
        break;
    case WM_PRINT:
        if (FCommonData->Skinned()) {
            FCommonData->SetUpdating(false);
            HDC dc = reinterpret_cast<HDC>(Message.WParam);
            if (FCommonData->BGChanged) PrepareCache();
            FillCacheCorners(FCommonData.get(), 0);
            const bool buttonShown = FButton != nullptr && FButton->Visible();
            if (buttonShown) FButton->SetVisible(false);
            OurPaint(dc);
            const int b = EditBorderWidth();
            if (b > 0) CopyFrameStrips(dc, 0, 0, Width(), Height(), FCommonData->CacheBmp()->Canvas()->Handle(), 0, 0, b);
            if (buttonShown) {
                FButton->SetVisible(true);
                FButton->PaintTo(dc, TPoint{FButton->Left() + 2, FButton->Top() + 2});
            }
            return;
        }
        break;
    case WM_PASTE:
    case WM_CUT:
        if (!FDirectInput || FReadOnly) return;
        break;
    case WM_SETTEXT: {
        // A multi-line edit tells no change for a text set from outside: told here, as a
        // single-line edit does.
        const String before = Text();
        TsMaskEdit::WndProc(Message);
        if (HandleAllocated() && Text() != before) Change();
        return;
    }
    case CM_CANCELMODE: {
        auto* sender = reinterpret_cast<TControl*>(Message.LParam);
        if (sender != this && sender != FButton && !IsInsidePopup(sender) && DroppedDown()) CloseUp();
        break;
    }
    case CM_FOCUSCHANGED: {
        auto* focused = reinterpret_cast<TControl*>(Message.LParam);
        if (DroppedDown() && focused != this && !IsInsidePopup(focused)) CloseUp();
        break;
    }
    default: break;
    }
    TsMaskEdit::WndProc(Message);
    if (Message.Msg == SM_LUMACMD) {
        const int sub = SkinCmdSub(Message.WParam);
        const bool ownManager = reinterpret_cast<TsSkinManager*>(Message.LParam) == FCommonData->SkinManager();
        if ((sub == AC_SKINLOADED || sub == AC_SKINUNLOADED || sub == AC_RESKIN) && ownManager) {
            BroadcastToControls(this, Message);
            SetEditRect();
        }
        if (sub == AC_QUERYBUSY) Message.Result = 0;
        return;
    }
    switch (Message.Msg) {
    case WM_SIZE:
    case CM_FONTCHANGED: SetEditRect(); break;
    case WM_SETFOCUS:
        if (AutoSelect()) SelectAll();
        break;
    case CM_ENABLEDCHANGED:
        if (FButton != nullptr) FButton->SetEnabled(Enabled());
        break;
    case CM_EXIT: Repaint(); break;
    default: break;
    }
}
