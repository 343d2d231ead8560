// sCommonData: copying a control's cache to the screen, its children clipped out.
#include "framework/graphics/DrawingGuards.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"

namespace {

void ExcludeRect(HDC DC, const TRect& R, int OffsetX, int OffsetY)
{
    ExcludeClipRect(DC, R.left + OffsetX, R.top + OffsetY, R.right + OffsetX, R.bottom + OffsetY);
}

void CopyCacheArea(TBitmap* Cache, const TRect& SrcRect, HDC DC, const TRect& DstRect)
{
    BitBlt(DC, DstRect.left, DstRect.top, DstRect.right - DstRect.left, DstRect.bottom - DstRect.top,
           Cache->Canvas()->Handle(), SrcRect.left, SrcRect.top, SRCCOPY);
}

bool Overlaps(const TRect& A, const TRect& B)
{
    RECT common{};
    return IntersectRect(&common, &A, &B) != FALSE;
}

// Windows that cover the parent's surface where they stand: designed ones, opaque ones and the
// windowless ones, which draw over the parent's pixels.
bool CoversParent(TControl* Child)
{
    return Child->ComponentState().Contains(csDesigning) || Child->ControlStyle().Contains(csOpaque) ||
           dynamic_cast<TGraphicControl*>(Child) != nullptr;
}

bool IsFramelessGroupBox(HWND Wnd)
{
    wchar_t cls[16] = L"";
    GetClassNameW(Wnd, cls, 16);
    if (lstrcmpiW(cls, L"Button") != 0) return false;
    if ((GetWindowLongW(Wnd, GWL_STYLE) & BS_TYPEMASK) != BS_GROUPBOX) return false;
    return (GetWindowLongW(Wnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) == 0;
}

// Only the frame of a group box is its own: its caption band and the widths of the skin's
// group-box border; its inside shows what lies behind.
void ExcludeGroupBoxFrame(HDC DC, HWND Box, const TRect& R, TsSkinManager* Manager)
{
    const int caption = static_cast<int>(SendSkinCmd(Box, AC_QUERYAUX, 0));
    int left = 0, right = 0, bottom = 0;
    if (Manager != nullptr) {
        const int section = Manager->GetSkinIndex(L"GROUPBOX");
        if (Manager->IsValidSkinIndex(section)) {
            const int mask = Manager->gd[section].BorderIndex;
            if (Manager->IsValidImgIndex(mask)) {
                left = Manager->MaskWidthLeft(mask);
                right = Manager->MaskWidthRight(mask);
                bottom = Manager->MaskWidthBottom(mask);
            }
        }
    }
    ExcludeClipRect(DC, R.left, R.top, R.right, R.top + caption);
    ExcludeClipRect(DC, R.left, R.top, R.left + left, R.bottom);
    ExcludeClipRect(DC, R.right - right, R.top, R.right, R.bottom);
    ExcludeClipRect(DC, R.left, R.bottom - bottom, R.right, R.bottom);
}

void FillCornersFromParent(TsCommonData* Data)
{
    FillCacheCorners(Data, Data->HotStateActive() ? 1 : 0);
}

} // namespace

void CopyCacheToDC(TControl* Control, TsCommonData* SkinData, const TRect& SrcRect, int OffsetY, int OffsetX,
                   bool FillCorners, HDC DC, const TRect& DstRect)
{
    if (SkinData == nullptr || SkinData->CacheBmp() == nullptr || DC == nullptr) return;
    if (FillCorners) FillCornersFromParent(SkinData);
    TSavedDC saved(DC);
    IntersectClipRect(DC, DstRect.left, DstRect.top, DstRect.right, DstRect.bottom);
    if (auto* win = dynamic_cast<TWinControl*>(Control)) {
        for (int i = 0; i < win->ControlCount(); ++i) {
            TControl* child = win->Controls(i);
            if (!child->Visible() || !CoversParent(child)) continue;
            TRect b = child->BoundsRect();
            OffsetRect(&b, OffsetX, OffsetY);
            if (Overlaps(b, DstRect)) ExcludeRect(DC, b, 0, 0);
        }
    }
    CopyCacheArea(SkinData->CacheBmp(), SrcRect, DC, DstRect);
}

void CopyCacheToWndDC(HWND Window, TsCommonData* SkinData, const TRect& SrcRect, int OffsetY, int OffsetX,
                      bool FillCorners, HDC DC, const TRect& DstRect)
{
    if (SkinData == nullptr || SkinData->CacheBmp() == nullptr || DC == nullptr) return;
    if (FillCorners) FillCornersFromParent(SkinData);
    TSavedDC saved(DC);
    IntersectClipRect(DC, DstRect.left, DstRect.top, DstRect.right, DstRect.bottom);
    for (HWND child = GetTopWindow(Window); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child)) continue;
        RECT r{};
        GetWindowRect(child, &r);
        MapWindowPoints(nullptr, Window, reinterpret_cast<POINT*>(&r), 2);
        const TRect b{r.left + OffsetX, r.top + OffsetY, r.right + OffsetX, r.bottom + OffsetY};
        if (IsFramelessGroupBox(child))
            ExcludeGroupBoxFrame(DC, child, b, SkinData->GetSkinManager());
        else
            ExcludeRect(DC, b, 0, 0);
    }
    CopyCacheArea(SkinData->CacheBmp(), SrcRect, DC, DstRect);
}
