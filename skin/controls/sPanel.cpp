#include "skin/controls/sPanel.h"

#include "framework/controls/Forms.h"
#include "framework/graphics/DrawingGuards.h"
#include "framework/system/ScopeGuards.h"
#include "skin/core/sBorders.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

namespace {

constexpr int PanelCode = 51;
constexpr int DragBarCode = 56;
// RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN... as the skin repaints a panel.
constexpr UINT FullRedraw = RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN;

UINT AlignmentFlags(TAlignment Alignment)
{
    switch (Alignment) {
    case taRightJustify: return DT_RIGHT;
    case taCenter: return DT_CENTER;
    default: return DT_LEFT;
    }
}

} // namespace

// ---- Construction -----------------------------------------------------------------------------

TsPanel::TsPanel(TComponent* AOwner) : TCustomPanel(AOwner)
{
    FCommonData = std::make_unique<TsCommonData>(this, true);
    FCommonData->COC = PanelCode;
    FCommonData->Loaded();
}

TsPanel::~TsPanel() = default;

void TsPanel::Loaded()
{
    TCustomPanel::Loaded();
    FCommonData->Loaded();
    FOldBevel = BevelOuter();
}

// ---- Geometry ---------------------------------------------------------------------------------

int TsPanel::BorderAndBevelWidth() const
{
    const int bevels = (BevelInner() != bvNone ? 1 : 0) + (BevelOuter() != bvNone ? 1 : 0);
    return BorderWidth() + BevelWidth() * bevels;
}

TRect TsPanel::TextRect()
{
    TRect r{0, 0, Width(), Height()};
    const int inset = BorderAndBevelWidth();
    InflateRect(&r, -inset, -inset);
    return r;
}

// ---- Painting ---------------------------------------------------------------------------------

void TsPanel::WriteText(TRect& R, TCanvas* aCanvas, HDC aDC)
{
    if (!ShowCaption()) return;
    std::unique_ptr<TCanvas> own;
    TCanvas* canvas = aCanvas;
    if (canvas == nullptr) {
        if (aDC == nullptr) return;
        own = std::make_unique<TCanvas>();
        own->SetHandle(aDC);
        canvas = own.get();
    }
    canvas->Font()->Assign(Font());
    canvas->Brush()->SetStyle(bsClear);
    const UINT flags = AlignmentFlags(Alignment()) | DT_WORDBREAK;
    TRect measured = R;
    DCDrawText(canvas->Handle(), Caption(), measured, flags | DT_CALCRECT);
    const int textHeight = measured.bottom - measured.top;
    R.top = (R.bottom - R.top - textHeight) / 2 + BorderWidth();
    R.bottom = R.top + textHeight;
    DrawControlText(canvas, Caption(), Enabled(), false, FCommonData.get(), flags, R);
    if (own) own->SetHandle(nullptr);
}

void TsPanel::Paint()
{
    TCustomPanel::Paint();
    if (OnPaint && Showing()) OnPaint(this, Canvas());
}

void TsPanel::PaintWindow(HDC DC)
{
    const bool copy = ControlState().Contains(csPaintCopy);
    if (!(copy && FCommonData->Skinned())) TCustomPanel::PaintWindow(DC);
    OurPaint(DC, true);
}

bool TsPanel::CacheModeNeeded()
{
    return (FCommonData->FullPaintNeeded() && !FCommonData->CustomColor()) ||
           (FCommonData->CtrlSkinState & ACS_PRINTING) != 0;
}

void TsPanel::PrepareCache()
{
    if (!FCommonData->FullPaintNeeded() && (FCommonData->CtrlSkinState & ACS_PRINTING) == 0) return;
    FCommonData->InitCacheBitmap();
    TBitmap* cache = FCommonData->CacheBmp();
    const TRect whole{0, 0, Width(), Height()};
    DrawControlSkinOnParent(FCommonData.get(), Parent(), true, cache, TPoint{Left(), Top()}, whole, 0);
    TRect text = TextRect();
    WriteText(text, cache->Canvas(), nullptr);
    if (OnPaint) OnPaint(this, cache->Canvas());
    FCommonData->BGChanged = false;
}

void TsPanel::OurPaint(HDC DC, bool SendUpdated)
{
    if (!Showing() || !FCommonData->Skinned()) return;
    HDC dc = DC != nullptr ? DC : Canvas()->Handle();
    if (CacheModeNeeded())
        PaintFromCache(dc);
    else
        PaintPlain(dc);
    if (SendUpdated && !ControlState().Contains(csPaintCopy)) RefreshChildControls(this);
}

void TsPanel::PaintFromCache(HDC DC)
{
    FCommonData->SetUpdating(false);
    if (FCommonData->Updating()) return;
    bool rebuilt = false;
    const bool movedRepaint = FCommonData->RepaintIfMoved();
    if (movedRepaint && Parent() != nullptr) {
        // Only partly inside the parent: the part outside shows nothing of ours next time.
        TRect inside{Left(), Top(), Left() + Width(), Top() + Height()};
        const TRect parentArea = Parent()->ClientRect();
        IntersectRect(&inside, &inside, &parentArea);
        FCommonData->HalfVisible = inside.right - inside.left != Width() || inside.bottom - inside.top != Height();
    }
    if ((FCommonData->HalfVisible || FCommonData->BGChanged) && !FCommonData->UrgentPainting) {
        PrepareCache();
        rebuilt = true;
    }
    const TRect whole{0, 0, Width(), Height()};
    CopyCacheToDC(this, FCommonData.get(), whole, 0, 0, false, DC, whole);
    DrawGraphicChildren(DC, this, TPoint{0, 0}, rebuilt && movedRepaint);
}

void TsPanel::PaintPlain(HDC DC)
{
    FCommonData->SetUpdating(false);
    {
        // The graphic children are left out while the panel paints, and painted after it.
        TSavedDC saved(DC);
        ClipOutChildren(DC, this, 0, 0);
        PaintPlainFace(DC);
    }
    DrawGraphicChildren(DC, this, TPoint{0, 0}, false);
}

void TsPanel::PaintPlainFace(HDC DC)
{
    const TsSkin* skin = FCommonData->Skin();
    const TsGeneralData& section = skin->gd[FCommonData->SkinIndex];
    const int borderWidth = FCommonData->MaxBorderWidth();

    TBackgroundQuery parentBackground;
    TColor behind = clBtnFace;
    if (FCommonData->CustomColor()) {
        behind = ColorToRGB(Color());
    } else {
        QueryControlBackground(parentBackground, Parent(), false);
        behind = parentBackground.Kind == bgkBitmap ? ManagerGlobalColor(FCommonData->SkinManager())
                                                    : parentBackground.Color;
    }
    FCommonData->InitCacheBitmap();
    TBitmap* cache = FCommonData->CacheBmp();
    if (cache->Width() == 0 || cache->Height() == 0) cache->SetSize(1, 1);

    const TRect whole{0, 0, Width(), Height()};
    TRect inner = whole;
    const bool seeThrough = section.Transparency == 100 && parentBackground.Kind == bgkBitmap &&
                            parentBackground.Bitmap != nullptr && !FCommonData->CustomColor();
    if (seeThrough) {
        HDC source = parentBackground.Bitmap->Canvas()->Handle();
        const int x = parentBackground.OffsetX + Left();
        const int y = parentBackground.OffsetY + Top();
        if (borderWidth == 0) {
            BitBlt(DC, 0, 0, Width(), Height(), source, x, y, SRCCOPY);
        } else {
            PaintBorderFromMask(DC, whole, borderWidth, inner, 0, FCommonData.get());
            CopyFrameStrips(DC, 0, 0, Width(), Height(), cache->Canvas()->Handle(), 0, 0, borderWidth);
            BitBlt(DC, borderWidth, borderWidth, Width() - 2 * borderWidth, Height() - 2 * borderWidth, source,
                   x + borderWidth, y + borderWidth, SRCCOPY);
        }
    } else {
        const TColor own = FCommonData->CustomColor() ? ColorToRGB(Color()) : ColorToRGB(section.Color);
        TColor fill = own;
        if (section.Transparency >= 100)
            fill = behind;
        else if (section.Transparency > 0)
            fill = MixColors(behind, own, section.Transparency / 100.0);
        if (borderWidth > 0) {
            PaintBorderFromMask(DC, whole, borderWidth, inner, 0, FCommonData.get());
            PaintColorRect(DC, inner, fill);
            CopyFrameStrips(DC, 0, 0, Width(), Height(), cache->Canvas()->Handle(), 0, 0, borderWidth);
        } else {
            PaintColorRect(DC, whole, fill);
        }
    }

    TRect text = TextRect();
    TCanvas canvas;
    canvas.SetHandle(DC);
    canvas.Font()->Assign(Font());
    canvas.Brush()->SetStyle(bsClear);
    WriteText(text, &canvas, nullptr);
    if (OnPaint) OnPaint(this, &canvas);
    canvas.SetHandle(nullptr);
    FCommonData->BGChanged = false;
}

// ---- Bevel and section ------------------------------------------------------------------------

String TsPanel::SectionOfBevel(TBevelCut Bevel)
{
    switch (Bevel) {
    case bvNone: return L"CHECKBOX";
    case bvLowered: return L"PANEL_LOW";
    default: return L"PANEL";
    }
}

void TsPanel::CheckBevelSection()
{
    if (BevelOuter() != FOldBevel && FCommonData->SkinSection() == SectionOfBevel(FOldBevel))
        FCommonData->SetSkinSection(SectionOfBevel(BevelOuter()));
    FOldBevel = BevelOuter();
}

// ---- Window procedure -------------------------------------------------------------------------

bool TsPanel::HandleSkinMessage(TMessage& Message)
{
    const auto* manager = reinterpret_cast<TsSkinManager*>(Message.LParam);
    const bool ownManager = manager == FCommonData->SkinManager();
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
        BroadcastToControls(this, Message);
        if (ownManager) HandleCommonMessage(Message, FCommonData.get());
        return true;
    case AC_SKINUNLOADED:
        SetControlStyle(ControlStyle() - TControlStyle{csOpaque});
        if (ownManager) {
            HandleCommonMessage(Message, FCommonData.get());
            Invalidate();
        }
        BroadcastToControls(this, Message);
        return true;
    case AC_RESKIN:
        if (ownManager) {
            HandleCommonMessage(Message, FCommonData.get());
            if (HandleAllocated() && !ComponentState().Contains(csLoading) && Visible()) {
                InvalidateRect(Handle(), nullptr, TRUE);
                RedrawWindow(Handle(), nullptr, nullptr, FullRedraw);
            }
        }
        BroadcastToControls(this, Message);
        return true;
    case AC_QUERYSKINNED:
        Message.Result = 1;
        return true;
    case AC_QUERYBGINFO: {
        const TsSkin* skin = FCommonData->Skin();
        if (skin == nullptr || !skin->IsValidSkinIndex(FCommonData->SkinIndex)) return false;
        auto* query = reinterpret_cast<TBackgroundQuery*>(Message.LParam);
        FCommonData->DescribeBackground(*query, false);
        // A bordered panel (its client narrower than the window) moves its children's
        // backgrounds in by its border band and bevels.
        if (HandleAllocated() && query->Kind == bgkBitmap && query->DrawRequested == 0 &&
            ClientWidth() != Width()) {
            const int bevels = (BevelInner() != bvNone ? 1 : 0) + (BevelOuter() != bvNone ? 1 : 0);
            const int shift = BevelWidth() * bevels + BorderWidth();
            query->OffsetX += shift;
            query->OffsetY += shift;
        }
        return true;
    }
    case AC_QUERYAPP:
        Message.Result = reinterpret_cast<LRESULT>(static_cast<TApplication*>(Application));
        return true;
    default:
        return false;
    }
}

// Messages of a ready, skinned panel; true when they are done with.
bool TsPanel::HandleSkinnedMessage(TMessage& Message)
{
    switch (Message.Msg) {
    case SM_LUMACMD:
        switch (SkinCmdSub(Message.WParam)) {
        case AC_RESUMEPAINT:
            if (FCommonData->Updating()) FCommonData->SetUpdating(false);
            if (!FCommonData->Updating() && HandleAllocated())
                RedrawWindow(Handle(), nullptr, nullptr, FullRedraw);
            RefreshChildControls(this);
            return true;
        case AC_QUERYBUSY: {
            TBitmap* cache = FCommonData->CacheBmp();
            Message.Result = FCommonData->Updating() || cache == nullptr || cache->Empty() ? 1 : 0;
            return true;
        }
        default:
            HandleSkinCmd(Message, FCommonData.get());
            return true;
        }
    case WM_SIZE:
        FCommonData->BGChanged = true;
        return false;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        TCustomPanel::WndProc(Message);
        return true;
    case WM_PAINT: {
        if (!Visible() && !ComponentState().Contains(csDesigning)) return false;
        TPaintGuard paint(Handle());
        FCommonData->SetUpdating(FCommonData->Updating());
        if (!CacheModeNeeded() || FCommonData->Updating()) {
            if (!ParentBackground()) OurPaint(paint.DC(), true);
        } else {
            HDC dc = Message.WParam != 0 ? reinterpret_cast<HDC>(Message.WParam) : paint.DC();
            TFlagGuard<TControlState, TControlStateFlag> custom(FControlState, csCustomPaint);
            TSavedDC saved(dc);
            Canvas()->Lock();
            Canvas()->SetHandle(dc);
            OurPaint(dc, true);
            Canvas()->SetHandle(nullptr);
            Canvas()->Unlock();
        }
        Message.Result = 0;
        return true;
    }
    case WM_ERASEBKGND: {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        if (Message.WParam == static_cast<WPARAM>(Message.LParam)) {
            if (dc != nullptr) {
                if (CacheModeNeeded()) {
                    if (FCommonData->BGChanged) PrepareCache();
                    TBitmap* cache = FCommonData->CacheBmp();
                    BitBlt(dc, 0, 0, Width(), Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
                } else {
                    PaintColorRect(dc, TRect{0, 0, Width(), Height()}, WndBackColor(Handle()));
                }
            }
        } else if (!CacheModeNeeded() && !FCommonData->Updating()) {
            OurPaint(dc, true);
        }
        Message.Result = 1;
        return true;
    }
    case WM_WINDOWPOSCHANGING:
        if (FCommonData->Skin()->gd[FCommonData->SkinIndex].Transparency != 0) FCommonData->BGChanged = true;
        return false;
    case WM_PRINTCLIENT:
        FCommonData->SetUpdating(false);
        if (!CacheModeNeeded()) FCommonData->InitCacheBitmap();
        FCommonData->BGChanged = true;
        PrepareCache();
        OurPaint(reinterpret_cast<HDC>(Message.WParam), false);
        return true;
    case CM_VISIBLECHANGED:
        FCommonData->BGChanged = true;
        FCommonData->SetUpdating(false);
        TCustomPanel::WndProc(Message);
        return true;
    case CM_COLORCHANGED:
        if (FCommonData->CustomColor()) FCommonData->BGChanged = true;
        return false;
    case CM_TEXTCHANGED:
        if (Parent() != nullptr) FCommonData->Invalidate();
        return true;
    default:
        return false;
    }
}

void TsPanel::HandleUnskinnedMessage(TMessage& Message)
{
    if (OnPaint && Message.Msg == WM_ERASEBKGND) {
        Message.Result = 1;
        return;
    }
    if (OnPaint && Message.Msg == WM_PRINTCLIENT) {
        HDC dc = reinterpret_cast<HDC>(Message.WParam);
        OnPaint(this, Canvas());
        BitBlt(dc, 0, 0, Width(), Height(), Canvas()->Handle(), 0, 0, SRCCOPY);
        return;
    }
    TCustomPanel::WndProc(Message);
}

void TsPanel::WndProc(TMessage& Message)
{
    if (Message.Msg == SM_LUMACMD && HandleSkinMessage(Message)) return;
    if (Message.Msg == CM_INVALIDATE) CheckBevelSection();
    if (ControlIsReady(this) && FCommonData->Skinned()) {
        if (HandleSkinnedMessage(Message)) return;
        if (!HandleCommonMessage(Message, FCommonData.get())) TCustomPanel::WndProc(Message);
        if (Message.Msg == WM_SETFONT && !Caption().empty()) {
            FCommonData->BGChanged = true;
            Repaint();
        } else if (Message.Msg == CM_ENABLEDCHANGED) {
            FCommonData->Invalidate();
        }
    } else {
        HandleUnskinnedMessage(Message);
    }
    if (Message.Msg == CM_MOUSEENTER && OnMouseEnter) OnMouseEnter(this);
    if (Message.Msg == CM_MOUSELEAVE && OnMouseLeave) OnMouseLeave(this);
}

// ---- Drag bar ---------------------------------------------------------------------------------

TsDragBar::TsDragBar(TComponent* AOwner) : TsPanel(AOwner)
{
    FCommonData->COC = DragBarCode;
    SetCaption(L" ");
    SetAlign(alTop);
    SetHeight(20);
    Font()->SetColor(clCaptionText);
    Font()->SetStyle(TFontStyles{fsBold});
    SetColor(clActiveCaption);
    SetCursor(crHandPoint);
    SetParentBackground(false);
}

void TsDragBar::SetDraggedControl(TControl* Value)
{
    if (FDraggedControl == Value) return;
    if (FDraggedControl != nullptr) FDraggedControl->RemoveFreeNotification(this);
    FDraggedControl = Value;
    if (FDraggedControl != nullptr) FDraggedControl->FreeNotification(this);
}

void TsDragBar::Notification(TComponent* AComponent, TOperation Operation)
{
    TsPanel::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FDraggedControl) FDraggedControl = nullptr;
}

void TsDragBar::Loaded()
{
    TsPanel::Loaded();
    // A bar read from a form description drags the form it sits on unless told otherwise.
    if (FDraggedControl == nullptr && Parent() != nullptr) SetDraggedControl(GetParentForm(this, true));
}

void TsDragBar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TsPanel::MouseDown(Button, Shift, X, Y);
    auto* dragged = dynamic_cast<TWinControl*>(FDraggedControl);
    if (Button != mbLeft || dragged == nullptr || !dragged->HandleAllocated()) return;
    ReleaseCapture();
    // The system's own move loop: it returns when the button is released.
    SendMessageW(dragged->Handle(), WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
    Click();
    MouseUp(Button, Shift, X, Y);
}

void TsDragBar::WndProc(TMessage& Message)
{
    TsPanel::WndProc(Message);
    if (Message.Msg == SM_LUMACMD && SkinCmdSub(Message.WParam) == AC_SKINUNLOADED) {
        SetColor(clActiveCaption);
        SetParentBackground(false);
    } else if (Message.Msg == WM_ACTIVATEAPP) {
        // The bar follows the application's activation like a title bar does.
        SetColor(Message.WParam != 0 ? clActiveCaption : clInactiveCaption);
        Font()->SetColor(Message.WParam != 0 ? clCaptionText : clInactiveCaptionText);
    }
}
