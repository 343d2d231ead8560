// acSBUtils: the frame cache of handlers that paint a window's border themselves.
#include <algorithm>

#include "skin/core/sAlphaGraph.h"
#include "skin/core/sGraphUtilsPixels.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "skin/subclass/acSBUtils.h"

using skinpixels::TRows;

bool HasHotLook(TsCommonData* SkinData)
{
    if (SkinData == nullptr) return false;
    TsSkinManager* manager = SkinData->GetSkinManager();
    if (manager == nullptr || SkinData->SkinIndex < 0 || SkinData->BorderIndex < 0) return false;
    if (!manager->IsValidSkinIndex(SkinData->SkinIndex) || !manager->IsValidImgIndex(SkinData->BorderIndex)) return false;
    return manager->ma[SkinData->BorderIndex].ImageCount > 1 || manager->gd[SkinData->SkinIndex].States > 1;
}

namespace {

// A plain window-coloured box in the skin's border colour.
void PaintPlainFrame(TBitmap* Cache, TColor BorderColor)
{
    const TRect all{0, 0, Cache->Width(), Cache->Height()};
    HDC dc = Cache->Canvas()->Handle();
    PaintColorRect(dc, all, clWindow);
    HBRUSH border = CreateSolidBrush(ColorToRGB(BorderColor));
    FrameRect(dc, &all, border);
    DeleteObject(border);
    // GDI leaves the alpha byte at 0; the cache is drawn opaque.
    SetRectOpacity(Cache, all, 255, false);
}

void ApplyDisabledLook(TsCommonData* SkinData, HWND Wnd)
{
    TControl* owner = SkinData->FOwnerControl;
    if (owner == nullptr || owner->Enabled()) return;
    std::int32_t look = 1;
    SendMessageW(Wnd, SM_LUMACMD, MakeSkinWParam(AC_QUERYDISABLEDLOOK), reinterpret_cast<LPARAM>(&look));
    const TCacheInfo ci = SkinData->GetParentCacheInfo();
    PaintDisabledLook(SkinData->CacheBmp(), look, owner->Parent(), TPoint{owner->Left(), owner->Top()}, ci);
}

} // namespace

void PrepareFrameCache(TsCommonData* SkinData, HWND Wnd, bool Plain)
{
    if (SkinData == nullptr || !SkinData->BGChanged || Wnd == nullptr) return;
    RECT r{};
    GetWindowRect(Wnd, &r);
    const TCacheInfo ci = WndParentCacheInfo(Wnd);
    SkinData->InitCacheBitmap();
    TBitmap* cache = SkinData->CacheBmp();
    cache->SetSize(std::max(0L, r.right - r.left), std::max(0L, r.bottom - r.top));

    TsSkinManager* defaultManager = TsSkinManager::DefaultSkinManager();
    if (Plain && defaultManager != nullptr && defaultManager->SkinData.BorderColor != NoSkinColor) {
        PaintPlainFrame(cache, defaultManager->SkinData.BorderColor);
    } else {
        HWND parent = GetParent(Wnd);
        POINT at{r.left, r.top};
        if (parent == nullptr || !ScreenToClient(parent, &at)) return;
        TsSkinManager* manager = SkinData->GetSkinManager();
        if (manager != nullptr && manager->IsValidSkinIndex(SkinData->SkinIndex)) {
            const bool hot = (SkinData->FFocused || SkinData->FMouseAbove) && HasHotLook(SkinData);
            // The parent's background comes already placed at the window's position.
            DrawControlSkin(SkinData, ci, !Plain, cache, TPoint{0, 0}, TRect{0, 0, cache->Width(), cache->Height()},
                            hot ? 1 : 0);
        }
    }
    ApplyDisabledLook(SkinData, Wnd);
    SkinData->BGChanged = false;
}

namespace {

struct TCornerCopy {
    int SrcX, SrcY, Width, Height, DstX, DstY;
};

std::uint32_t PixelOfColor(TColor Color)
{
    const TColor c = ColorToRGB(Color);
    return 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
}

} // namespace

void RestoreCornerBackground(TsCommonData* SkinData, int State, TacMainWnd* Handler)
{
    if (SkinData == nullptr || Handler == nullptr || Handler->DlgMode) return;
    TsSkinManager* manager = SkinData->GetSkinManager();
    if (manager == nullptr || SkinData->BorderIndex < 0 || !manager->IsValidImgIndex(SkinData->BorderIndex)) return;
    TBitmap* cache = SkinData->CacheBmp();
    if (cache == nullptr || Handler->WndSize.cx <= 1 || Handler->WndSize.cy <= 1) return;

    // The parent's background comes already placed at the window's position (WndPos).
    const TCacheInfo ci = WndParentCacheInfo(Handler->CtrlHandle);
    std::uint32_t fill = 0;
    if (!ci.Ready) {
        if (ci.FillColor == NoSkinColor) return;
        fill = PixelOfColor(ci.FillColor);
    }

    const TsMaskData& mask = manager->ma[SkinData->BorderIndex];
    const int fw = mask.FrameWidth(), fh = mask.FrameHeight();
    if (fw == 0 || fh == 0 || mask.ImageCount <= 0) return;
    State = std::max(0, std::min(State, mask.ImageCount - 1));
    const int x0 = fw * State;
    const int mid = (mask.R.right - mask.R.left) / mask.ImageCount - mask.WL - mask.WR;
    TBitmap* image = mask.Bmp != nullptr ? mask.Bmp.get() : manager->MasterBitmap.get();

    TRows src, dst, background;
    if (!src.Attach(image) || !dst.Attach(cache)) return;
    const bool fromBitmap = ci.Ready && background.Attach(ci.Bmp);
    if (ci.Ready && !fromBitmap) return;
    const int w = Handler->WndSize.cx, h = Handler->WndSize.cy;
    const int left = mask.R.left + x0, right = mask.R.left + x0 + mask.WL + mid;
    const TCornerCopy corners[] = {
        {left, mask.R.top, mask.WL, mask.WT, 0, 0},
        {left, mask.R.top + fh - mask.WB, mask.WL, mask.WB, 0, h - mask.WB},
        {right, mask.R.top + fh - mask.WB, mask.WR, mask.WB, w - mask.WR, h - mask.WB},
        {right, mask.R.top, mask.WR, mask.WT, w - mask.WR, 0},
    };
    for (const TCornerCopy& c : corners) {
        for (int y = 0; y < c.Height; ++y) {
            for (int x = 0; x < c.Width; ++x) {
                const int sx = c.SrcX + x, sy = c.SrcY + y, dx = c.DstX + x, dy = c.DstY + y;
                if (!src.Inside(sx, sy) || !dst.Inside(dx, dy)) continue;
                if ((src.At(sx, sy) & 0xFFFFFFu) != 0xFF00FFu) continue;
                if (fromBitmap) {
                    const int bx = dx + ci.X, by = dy + ci.Y;
                    if (background.Inside(bx, by)) dst.At(dx, dy) = background.At(bx, by);
                } else {
                    dst.At(dx, dy) = fill;
                }
            }
        }
    }
}
