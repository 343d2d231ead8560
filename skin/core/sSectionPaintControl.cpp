// sSectionPaint, the control side: asking a parent what lies behind a child, and painting a
// control's whole look from its skin state.
#include <windows.h>

#include <algorithm>

#include "framework/controls/Controls.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

namespace {

bool EmptyRect(const TRect& R) { return R.right <= R.left || R.bottom <= R.top; }

bool InsideBitmap(const TRect& R, TBitmap* Bmp)
{
    return R.left >= 0 && R.top >= 0 && R.right <= Bmp->Width() && R.bottom <= Bmp->Height();
}

// Paints a receiver that did not answer straight into the asker's context, as it would paint
// itself on screen.
template <class TSend>
void PaintReceiverInto(TBackgroundQuery& Query, TSend&& Send)
{
    const int saved = SaveDC(Query.DC);
    POINT old{};
    OffsetViewportOrgEx(Query.DC, -Query.OffsetX, -Query.OffsetY, &old);
    TRect r = Query.Rect;
    OffsetRect(&r, Query.OffsetX, Query.OffsetY);
    IntersectClipRect(Query.DC, r.left, r.top, r.right, r.bottom);
    Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(Query.DC));
    Send(WM_PAINT, reinterpret_cast<WPARAM>(Query.DC));
    RestoreDC(Query.DC, saved);
}

TColor DefaultGlobalColor() { return ManagerGlobalColor(TsSkinManager::DefaultSkinManager()); }

} // namespace

bool QueryWndBackground(TBackgroundQuery& Query, HWND Wnd, bool ReceiverDraws)
{
    const bool askerDraws = Query.DrawRequested != 0;
    Query.Kind = bgkNone;
    Query.DrawRequested = ReceiverDraws;
    if (Wnd != nullptr) SendMessageW(Wnd, SM_LUMACMD, MakeSkinWParam(AC_QUERYBGINFO), reinterpret_cast<LPARAM>(&Query));
    if (Query.Kind != bgkNone) return true;
    if (askerDraws && Wnd != nullptr && Query.DC != nullptr) {
        PaintReceiverInto(Query, [&](UINT Msg, WPARAM W) { SendMessageW(Wnd, Msg, W, 0); });
        return false;
    }
    Query.Kind = bgkColor;
    Query.Color = DefaultGlobalColor();
    return false;
}

bool QueryControlBackground(TBackgroundQuery& Query, TControl* Control, bool ReceiverDraws)
{
    const bool askerDraws = Query.DrawRequested != 0;
    Query.Kind = bgkNone;
    Query.DrawRequested = ReceiverDraws;
    if (Control == nullptr) {
        Query.Kind = bgkColor;
        Query.Color = DefaultGlobalColor();
        return false;
    }
    auto* win = dynamic_cast<TWinControl*>(Control);
    auto send = [&](UINT Msg, WPARAM W, LPARAM L) {
        return win != nullptr && win->HandleAllocated() ? SendMessageW(win->Handle(), Msg, W, L)
                                                          : Control->Perform(Msg, W, L);
    };
    send(SM_LUMACMD, MakeSkinWParam(AC_QUERYBGINFO), reinterpret_cast<LPARAM>(&Query));
    if (Query.Kind != bgkNone) return true;
    if (askerDraws && Query.DC != nullptr) {
        PaintReceiverInto(Query, [&](UINT Msg, WPARAM W) { send(Msg, W, 0); });
        return false;
    }
    Query.Kind = bgkColor;
    const LRESULT answer = Control->Perform(SM_LUMACMD, MakeSkinWParam(AC_QUERYBGCOLOR), 0);
    Query.Color = answer != 0 ? static_cast<TColor>(answer) : ColorToRGB(Control->Color());
    if (ReceiverDraws && Query.Bitmap != nullptr) PaintColorRect(Query.DC, Query.Rect, Query.Color);
    return false;
}

TCacheInfo BackgroundToCacheInfo(const TBackgroundQuery& Query)
{
    if (Query.Kind == bgkBitmap) return MakeCacheInfo(Query.Bitmap, Query.OffsetX, Query.OffsetY);
    TCacheInfo ci;
    ci.Bmp = nullptr;
    ci.X = Query.OffsetX;
    ci.Y = Query.OffsetY;
    ci.Ready = false;
    ci.FillColor = Query.Color == NoSkinColor ? NoSkinColor : ColorToRGB(Query.Color);
    return ci;
}

void DrawControlBackground(TsCommonData* Data, const TCacheInfo& CI, int State, TBitmap* Bmp, TPoint Offset,
                           const TRect& R)
{
    if (Data == nullptr) return;
    const TsSkin* skin = Data->Skin();
    if (skin == nullptr || !skin->IsValidSkinIndex(Data->SkinIndex)) return;
    State = std::max(0, std::min(State, skin->gd[Data->SkinIndex].States - 1));
    TColor custom = NoSkinColor;
    if (Data->CustomColor() && (Data->FOwnerControl != nullptr || Data->ProviderForm() != nullptr))
        custom = Data->OwnerColor();
    DrawSectionBackground(Data->SkinIndex, Data->SkinSection(), CI, State, R, Offset, Bmp, skin, Data->Texture,
                          Data->HotTexture, custom);
}

namespace {

// The border of the control's state unless it only shows in hot states; true when drawn.
bool DrawControlBorder(TsCommonData* Data, const TsSkin* Skin, TBitmap* Bmp, const TRect& R, int State,
                       const TCacheInfo& CI, bool FromBackground)
{
    const TsMaskData* border = SkinMask(Skin, Data->BorderIndex);
    if (border == nullptr || (State == 0 && (border->DrawMode & dmHotOnly) != 0)) return false;
    DrawMaskBorder(Bmp, R, CI, *border, State, FromBackground, Skin);
    return true;
}

} // namespace

void DrawControlSkin(TsCommonData* Data, const TCacheInfo& CI, bool FromBackground, TBitmap* Bmp, TPoint Offset,
                     const TRect& R, int State)
{
    if (Data == nullptr || Bmp == nullptr || Bmp->Empty() || EmptyRect(R)) return;
    const TsSkin* skin = Data->Skin();
    if (skin == nullptr || !skin->IsValidSkinIndex(Data->SkinIndex) || !InsideBitmap(R, Bmp)) return;
    const TsGeneralData& gd = skin->gd[Data->SkinIndex];
    State = std::max(0, std::min(State, gd.States - 1));
    DrawControlBackground(Data, CI, State, Bmp, Offset, R);
    TCacheInfo moved = CI;
    moved.X += Offset.x;
    moved.Y += Offset.y;
    DrawSectionCorners(skin, Data->SkinIndex, Bmp, R, State);
    const bool bordered = DrawControlBorder(Data, skin, Bmp, R, State, moved, FromBackground);
    const int transparency = State == 0 ? gd.Transparency : gd.HotTransparency;
    if (!bordered && transparency != 0) return;
    if (Data->HUEOffset() != 0) ShiftBitmapHue(Bmp, Data->HUEOffset());
    if (Data->Saturation() != 0) ShiftBitmapSaturation(Bmp, Data->Saturation());
}

void DrawControlSkinOnParent(TsCommonData* Data, TControl* Parent, bool FromBackground, TBitmap* Bmp, TPoint Offset,
                             const TRect& R, int State)
{
    if (Data == nullptr || Bmp == nullptr || Bmp->Empty() || EmptyRect(R)) return;
    const TsSkin* skin = Data->Skin();
    if (skin == nullptr || !skin->IsValidSkinIndex(Data->SkinIndex) || !InsideBitmap(R, Bmp)) return;
    const TsGeneralData& gd = skin->gd[Data->SkinIndex];
    State = std::max(0, std::min(State, gd.States - 1));
    TBackgroundQuery query;
    QueryControlBackground(query, Parent, false);
    TCacheInfo ci = BackgroundToCacheInfo(query);
    DrawControlBackground(Data, ci, State, Bmp, Offset, R);
    ci.X += Offset.x;
    ci.Y += Offset.y;
    DrawControlBorder(Data, skin, Bmp, R, State, ci, FromBackground);
    DrawSectionCorners(skin, Data->SkinIndex, Bmp, R, State);
}

void ClipOutChildren(HDC DC, TControl* Control, int OffsetX, int OffsetY)
{
    auto* win = dynamic_cast<TWinControl*>(Control);
    if (DC == nullptr || win == nullptr) return;
    for (int i = 0; i < win->ControlCount(); ++i) {
        TControl* child = win->Controls(i);
        if (!child->Visible() || dynamic_cast<TWinControl*>(child) != nullptr) continue;
        const TRect b = child->BoundsRect();
        ExcludeClipRect(DC, b.left + OffsetX, b.top + OffsetY, b.right + OffsetX, b.bottom + OffsetY);
    }
}
