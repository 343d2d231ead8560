#include "skin/controls/sGroupBox.h"

#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/graphics/DrawingGuards.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

namespace {

// The group box's control-type code.
constexpr int GroupBoxCode = 74;

int RectHeight(const TRect& R) { return R.bottom - R.top; }

} // namespace

TsGroupBox::TsGroupBox(TComponent* AOwner)
    : TCustomGroupBox(AOwner), FCommonData(std::make_unique<TsCommonData>(this, true))
{
    FControlStyle.Exclude(csOpaque);
    FCommonData->COC = GroupBoxCode;
    FCommonData->CacheBmp()->Canvas()->SetFont(Font());
    FCommonData->Loaded();
}

TsGroupBox::~TsGroupBox()
{
    FCommonData.reset();
}

bool TsGroupBox::SkinActive() const
{
    return FCommonData != nullptr && FCommonData->Skinned(true);
}

void TsGroupBox::Loaded()
{
    TCustomGroupBox::Loaded();
    FCommonData->CacheBmp()->Canvas()->SetFont(Font());
    FCommonData->Loaded();
}

void TsGroupBox::SetCaptionLayout(TsCaptionLayout Value)
{
    if (FCaptionLayout == Value) return;
    FCaptionLayout = Value;
    if (!Caption().empty()) FCommonData->Invalidate();
}

void TsGroupBox::SetCaptionYOffset(int Value)
{
    if (FCaptionYOffset == Value) return;
    FCaptionYOffset = Value;
    // The children's client area moves with the body.
    if (HandleAllocated()) Realign();
    FCommonData->Invalidate();
}

void TsGroupBox::SetCaptionSkin(const String& Value)
{
    if (FCaptionSkin == Value) return;
    FCaptionSkin = Value;
    FCommonData->Invalidate();
}

int TsGroupBox::CaptionHeight()
{
    return std::max(4, FCommonData->CacheBmp()->Canvas()->TextHeight(L"W")) + 2;
}

TRect TsGroupBox::CaptionRect()
{
    const int textWidth = FCommonData->CacheBmp()->Canvas()->TextWidth(Caption());
    TRect r{0, 0, 0, CaptionHeight()};
    if (FCommonData->Skinned()) {
        r.bottom += FCaptionYOffset;
        if (FCaptionYOffset < 0) r.top += FCaptionYOffset;
    }
    const bool rightToLeft = UseRightToLeftAlignment();
    int left;
    if (FCaptionLayout == clTopCenter) left = (Width() - textWidth - 10) / 2;
    else if ((FCaptionLayout == clTopLeft) != rightToLeft) left = 6;
    else left = Width() - textWidth - 14;
    r.left = std::max(left, 0);
    r.right = std::min(static_cast<int>(r.left) + textWidth + 8, Width());
    if (r.right - r.left < 2 * BevelWidth()) {
        r.left -= BevelWidth();
        r.right += BevelWidth();
    }
    return r;
}

void TsGroupBox::AdjustClientRect(TRect& Rect)
{
    TCustomGroupBox::AdjustClientRect(Rect);
    if (!ComponentState().Contains(csDestroying)) Rect.top += FCaptionYOffset;
}

void TsGroupBox::CMFontChanged(TMessage& Message)
{
    TCustomGroupBox::CMFontChanged(Message);
    FCommonData->CacheBmp()->Canvas()->SetFont(Font());
    if (!Caption().empty()) FCommonData->Invalidate();
}

void TsGroupBox::Paint()
{
    if (SkinActive()) PaintToDC(Canvas()->Handle());
    else TCustomGroupBox::Paint();
}

void TsGroupBox::PrepareCache()
{
    TsCommonData* data = FCommonData.get();
    data->InitCacheBitmap();
    TBitmap* cache = data->CacheBmp();
    const TCacheInfo ci = data->GetParentCacheInfo();
    const TRect caption = CaptionRect();
    const int band = RectHeight(caption);
    if (ci.Ready && ci.Bmp != nullptr) CopyPixelBlock(cache, TRect{0, 0, Width(), band}, ci.Bmp, ci.X, ci.Y);
    else if (Parent() != nullptr) FillBitmapRect(cache, TRect{0, 0, Width(), caption.bottom}, ci.FillColor);

    const int bodyTop = FCaptionYOffset < 0 ? 0 : band / 2;
    DrawControlSkin(data, ci, false, cache, TPoint{0, bodyTop}, TRect{0, bodyTop, Width(), Height()}, 0);
    if (!Caption().empty()) WriteText(caption, ci);
    data->BGChanged = false;
}

void TsGroupBox::WriteText(const TRect& R, const TCacheInfo& CI)
{
    TsCommonData* data = FCommonData.get();
    TBitmap* cache = data->CacheBmp();
    const TsSkin* skin = data->Skin();
    TCacheInfo own;
    own.Bmp = cache;
    own.X = own.Y = 0;
    own.Ready = true;
    if (!FCaptionSkin.empty()) {
        const int index = data->SkinManager()->GetSkinIndex(FCaptionSkin);
        DrawSection(index, FCaptionSkin, own, -1, -1, skin, cache, TPoint{R.left, R.top}, R, Focused() ? 1 : 0);
    } else if (CI.Ready && CI.Bmp != nullptr) {
        const int index = data->SkinManager()->GetSkinIndex(L"CHECKBOX");
        DrawSection(index, L"CHECKBOX", CI, -1, -1, skin, cache, TPoint{R.left, R.top}, R, Focused() ? 1 : 0);
    } else {
        FillBitmapRect(cache, R, CI.FillColor);
    }
    UINT flags = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
    if (UseRightToLeftReading()) flags |= DT_RTLREADING;
    cache->Canvas()->SetFont(Font());
    DrawControlText(cache->Canvas(), Caption(), true, false, data, flags, R);
}

void TsGroupBox::PaintToDC(HDC DC)
{
    TsCommonData* data = FCommonData.get();
    if (!SkinActive() || ComponentState().Contains(csDestroying)) return;
    if (!Visible() && !ComponentState().Contains(csDesigning)) return;
    if (data->Updating()) return;
    if (data->RepaintIfMoved()) {
        TRect client = Parent() != nullptr ? Parent()->ClientRect() : TRect{0, 0, 0, 0};
        POINT topLeft{Left() + 1, Top() + 1}, bottomRight{Left() + Width() - 1, Top() + Height() - 1};
        data->HalfVisible = !PtInRect(&client, topLeft) || !PtInRect(&client, bottomRight);
    } else {
        data->HalfVisible = false;
    }
    if (!data->UrgentPainting) PrepareCache();
    const TRect all{0, 0, Width(), Height()};
    CopyCacheToDC(this, data, all, 0, 0, true, DC, all);
    DrawGraphicChildren(DC, this, TPoint{0, 0}, true);
    RefreshChildControls(this);
}

bool TsGroupBox::HandleSkinMessage(TMessage& Message)
{
    const bool ownManager = reinterpret_cast<TsSkinManager*>(Message.LParam) == FCommonData->SkinManager();
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        BroadcastToControls(this, Message);
        if (ownManager) HandleCommonMessage(Message, FCommonData.get());
        return true;
    case AC_SKINUNLOADED:
    case AC_RESKIN:
        if (ownManager) {
            HandleCommonMessage(Message, FCommonData.get());
            BroadcastToControls(this, Message);
            Repaint();
        } else {
            BroadcastToControls(this, Message);
        }
        return true;
    case AC_QUERYSKINNED: Message.Result = 1; return true;
    case AC_QUERYBGINFO:
        if (FCaptionSkin.empty()) return false;
        if (auto* query = reinterpret_cast<TBackgroundQuery*>(Message.LParam)) {
            query->Bitmap = FCommonData->CacheBmp();
            query->OffsetX = query->OffsetY = 0;
            query->Kind = bgkBitmap;
        }
        return true;
    case AC_QUERYAPP: Message.Result = reinterpret_cast<LRESULT>(static_cast<TApplication*>(Application)); return true;
    default: return false;
    }
}

bool TsGroupBox::HandleSkinnedMessage(TMessage& Message)
{
    TsCommonData* data = FCommonData.get();
    if (Message.Msg == SM_LUMACMD) {
        switch (SkinCmdSub(Message.WParam)) {
        case AC_RESUMEPAINT:
            if (!data->Updating()) break;
            data->SetUpdating(false);
            if (Showing() && !data->Updating() && HandleAllocated())
                RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
            return true;
        case AC_SETURGENCY:
            HandleCommonMessage(Message, data);
            if (data->UrgentPainting) PrepareCache();
            return true;
        case AC_QUERYBUSY: Message.Result = data->BGChanged || data->Updating(); return true;
        default: break;
        }
        HandleSkinCmd(Message, data);
        return true;
    }
    switch (Message.Msg) {
    case WM_MOVE: data->BGChanged = data->BGChanged || data->RepaintIfMoved(); break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: TCustomGroupBox::WndProc(Message); return true;
    case WM_PAINT: {
        TPaintGuard paint(Handle());
        if (auto* dc = reinterpret_cast<HDC>(Message.WParam)) {
            PaintToDC(dc);
        } else {
            TWindowDCGuard own(Handle());
            PaintToDC(own.DC());
        }
        return true;
    }
    case WM_ERASEBKGND:
        if (ComponentState().Contains(csDesigning)) TCustomGroupBox::WndProc(Message);
        Message.Result = 1;
        return true;
    case WM_WINDOWPOSCHANGED:
    case CM_VISIBLECHANGED: data->BGChanged = true; break;
    case WM_PRINTCLIENT:
        data->SetUpdating(false);
        PaintToDC(reinterpret_cast<HDC>(Message.WParam));
        return true;
    case CM_TEXTCHANGED: data->Invalidate(); return true;
    }
    return false;
}

void TsGroupBox::WndProc(TMessage& Message)
{
    if (Message.Msg == SM_LUMACMD && HandleSkinMessage(Message)) return;
    if (!ControlIsReady(this) || !FCommonData->Skinned()) {
        TCustomGroupBox::WndProc(Message);
        return;
    }
    if (HandleSkinnedMessage(Message)) return;
    if (HandleCommonMessage(Message, FCommonData.get())) return;
    TCustomGroupBox::WndProc(Message);
    if (Message.Msg == WM_SIZE && ComponentState().Contains(csDesigning) && HandleAllocated())
        SendMessageW(Handle(), WM_PAINT, 0, 0);
}
