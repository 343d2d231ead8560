#include "skin/controls/sBevel.h"

#include "framework/controls/Forms.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

namespace {

// Thickness of the frame and of the line strips shown from the section.
constexpr int StripWidth = 3;
// The bevel's control-type code.
constexpr int BevelCode = 92;

} // namespace

TsBevel::TsBevel(TComponent* AOwner) : TBevel(AOwner), FCommonData(std::make_unique<TsCommonData>(this, true))
{
    FCommonData->COC = BevelCode;
    StoredBevel = FStyle;
    StoredShape = FShape;
    CheckSkinSection();
    FCommonData->Loaded();
}

TsBevel::~TsBevel()
{
    FCommonData.reset();
}

void TsBevel::CheckSkinSection()
{
    if (FShape == bsFrame) FCommonData->SetSkinSection(L"GROUPBOX");
    else FCommonData->SetSkinSection(FStyle == bsRaised ? L"PANEL" : L"PANEL_LOW");
}

void TsBevel::Loaded()
{
    TBevel::Loaded();
    CheckSkinSection();
    FCommonData->Loaded();
}

void TsBevel::Invalidate()
{
    if (FCommonData != nullptr && (FStyle != StoredBevel || FShape != StoredShape)) {
        StoredBevel = FStyle;
        StoredShape = FShape;
        CheckSkinSection();
        FCommonData->BGChanged = true;
    }
    TBevel::Invalidate();
}

void TsBevel::Paint()
{
    if (!FCommonData->Skinned(true) || FShape == bsSpacer) {
        TBevel::Paint();
        return;
    }
    PaintSkinned();
}

void TsBevel::PaintSkinned()
{
    TsCommonData* data = FCommonData.get();
    // Composed on every paint: the parent's background under the frame may have changed.
    if (data->BGChanged) {
        data->InitCacheBitmap();
        TBackgroundQuery query;
        if (Parent() != nullptr) QueryControlBackground(query, Parent(), false);
        DrawSection(data->SkinIndex, data->SkinSection(), BackgroundToCacheInfo(query), -1, -1, data->Skin(),
                    data->CacheBmp(), TPoint{Left(), Top()}, TRect{0, 0, Width(), Height()}, 0);
    }
    HDC dc = Canvas()->Handle();
    HDC cache = data->CacheBmp()->Canvas()->Handle();
    const int w = Width(), h = Height();
    auto copy = [&](int X, int Y, int W, int H) {
        if (W > 0 && H > 0) BitBlt(dc, X, Y, W, H, cache, X, Y, SRCCOPY);
    };
    switch (FShape) {
    case bsBox:
    case bsFrame: CopyFrameStrips(dc, 0, 0, w, h, cache, 0, 0, StripWidth); break;
    case bsTopLine: copy(StripWidth, 0, w - 2 * StripWidth, StripWidth); break;
    case bsBottomLine: copy(StripWidth, h - StripWidth, w - 2 * StripWidth, StripWidth); break;
    case bsLeftLine: copy(0, StripWidth, StripWidth, h - 2 * StripWidth); break;
    case bsRightLine: copy(w - StripWidth, StripWidth, StripWidth, h - 2 * StripWidth); break;
    case bsSpacer: break;
    }
}

bool TsBevel::HandleSkinMessage(TMessage& Message)
{
    const bool ownManager = reinterpret_cast<TsSkinManager*>(Message.LParam) == FCommonData->SkinManager();
    switch (SkinCmdSub(Message.WParam)) {
    case AC_SKINLOADED:
        if (ownManager) HandleCommonMessage(Message, FCommonData.get());
        return true;
    case AC_SKINUNLOADED:
        if (ownManager && !ComponentState().Contains(csDestroying)) {
            HandleCommonMessage(Message, FCommonData.get());
            if (Visible()) Repaint();
        }
        return false;
    case AC_RESKIN:
        if (ownManager) {
            HandleCommonMessage(Message, FCommonData.get());
            if (Visible()) Repaint();
        }
        return true;
    case AC_QUERYSKINNED: Message.Result = 1; return true;
    case AC_REDRAWGRAPHIC:
        FCommonData->SetUpdating(false);
        FCommonData->BGChanged = true;
        Repaint();
        return false;
    case AC_QUERYAPP: Message.Result = reinterpret_cast<LRESULT>(static_cast<TApplication*>(Application)); return true;
    default: return false;
    }
}

void TsBevel::WndProc(TMessage& Message)
{
    if (Message.Msg == SM_LUMACMD && HandleSkinMessage(Message)) return;
    if (ControlIsReady(this) && FCommonData->Skinned()) {
        switch (Message.Msg) {
        case WM_SIZE:
        case WM_WINDOWPOSCHANGED:
            if (Visible()) FCommonData->BGChanged = true;
            break;
        case WM_ERASEBKGND: return;
        }
        if (HandleCommonMessage(Message, FCommonData.get())) return;
    }
    TBevel::WndProc(Message);
}
