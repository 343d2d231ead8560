// The list-view handler: the edit handler's border and bars, the skin's colours for items, and
// the column header taken over and painted from the section "COLHEADER" (see acSBUtilsEditWnd.h).
#include "skin/subclass/acSBUtilsEditWnd.h"

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

#include "framework/comctrls/ListView.h"
#include "framework/controls/Forms.h"
#include "framework/controls/ObjectInstance.h"
#include "framework/graphics/ImageList.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

namespace {

String ClassNameOf(HWND Wnd)
{
    wchar_t name[97] = {};
    GetClassNameW(Wnd, name, 96);
    return name;
}

int Width(const TRect& R) { return R.right - R.left; }
int Height(const TRect& R) { return R.bottom - R.top; }

} // namespace

TacListViewWnd::TacListViewWnd(HWND AHandle, TsCommonData* ASkinData, TsSkinManager* ASkinManager,
                               const String& SkinSection, bool Repaint)
    : TacEditWnd(AHandle, ASkinData, ASkinManager, SkinSection, Repaint)
{
    HoverColIndex = FPressedColumn = -1;
    FHeaderMethod = std::make_unique<TWndMethod>([this](TMessage& M) { HeaderWndProc(M); });
    FhHeaderProc = MakeObjectInstance(FHeaderMethod.get());
    SaveListColors();
    if (HWND header = FindWindowExW(AHandle, nullptr, L"SysHeader32", nullptr)) HookHeader(header);
}

TacListViewWnd::~TacListViewWnd()
{
    RestoreBeforeDestruction();
    UnhookHeader();
    if (FhHeaderProc != nullptr) FreeObjectInstance(FhHeaderProc);
    FhHeaderProc = nullptr;
}

void TacListViewWnd::HookHeader(HWND Header)
{
    if (FhHeaderProc == nullptr) return;
    FhWndHeader = Header;
    FhDefHeaderProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(Header, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FhHeaderProc)));
}

void TacListViewWnd::UnhookHeader()
{
    if (FhWndHeader != nullptr && FhDefHeaderProc != nullptr &&
        reinterpret_cast<WNDPROC>(GetWindowLongPtrW(FhWndHeader, GWLP_WNDPROC)) == FhHeaderProc)
        SetWindowLongPtrW(FhWndHeader, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(FhDefHeaderProc));
    FhWndHeader = nullptr;
    FhDefHeaderProc = nullptr;
}

// ---- Colours ----

void TacListViewWnd::SaveListColors()
{
    StdColor = static_cast<TColor>(SendMessageW(CtrlHandle, LVM_GETBKCOLOR, 0, 0));
    StdFontColor = static_cast<TColor>(SendMessageW(CtrlHandle, LVM_GETTEXTCOLOR, 0, 0));
    FStdTextBkColor = static_cast<TColor>(SendMessageW(CtrlHandle, LVM_GETTEXTBKCOLOR, 0, 0));
}

void TacListViewWnd::SaveStdParams()
{
    TacEditWnd::SaveStdParams();
    SaveListColors();
}

void TacListViewWnd::SetSkinParams()
{
    TacEditWnd::SetSkinParams();
    if (DlgMode) {
        SendMessageW(CtrlHandle, LVM_SETBKCOLOR, 0, ColorToRGB(clWindow));
        SendMessageW(CtrlHandle, LVM_SETTEXTBKCOLOR, 0, ColorToRGB(clWindow));
        SendMessageW(CtrlHandle, LVM_SETTEXTCOLOR, 0, ColorToRGB(clWindowText));
        return;
    }
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    if (manager == nullptr || SkinData == nullptr || !manager->IsValidSkinIndex(SkinData->SkinIndex)) return;
    const TsGeneralData& gd = manager->gd[SkinData->SkinIndex];
    SendMessageW(CtrlHandle, LVM_SETBKCOLOR, 0, ColorToRGB(gd.Color));
    SendMessageW(CtrlHandle, LVM_SETTEXTBKCOLOR, 0, ColorToRGB(gd.Color));
    SendMessageW(CtrlHandle, LVM_SETTEXTCOLOR, 0, ColorToRGB(gd.FontColor.Color));
}

void TacListViewWnd::RestoreStdParams()
{
    // All three colours the skin gave go back, not only the text's: a list view left on the
    // skin's background would keep the look of a skin that is gone.
    SendMessageW(CtrlHandle, LVM_SETBKCOLOR, 0, StdColor);
    SendMessageW(CtrlHandle, LVM_SETTEXTBKCOLOR, 0, FStdTextBkColor);
    SendMessageW(CtrlHandle, LVM_SETTEXTCOLOR, 0, StdFontColor);
    UnhookHeader();
    TacEditWnd::RestoreStdParams();
}

// ---- View ----

TViewStyle TacListViewWnd::ViewStyle() const
{
    if (auto* list = dynamic_cast<TCustomListView*>(SkinData != nullptr ? SkinData->FOwnerControl : nullptr))
        return list->ViewStyle();
    switch (SendMessageW(CtrlHandle, LVM_GETVIEW, 0, 0)) {
    case LV_VIEW_ICON: return vsIcon;
    case LV_VIEW_DETAILS: return vsReport;
    case LV_VIEW_SMALLICON: return vsSmallIcon;
    default: return vsList;
    }
}

int TacListViewWnd::AllColWidth() const
{
    auto* list = dynamic_cast<TCustomListView*>(SkinData != nullptr ? SkinData->FOwnerControl : nullptr);
    if (list == nullptr) return 0;
    int sum = 0;
    for (int i = 0; i < list->Columns()->Count(); ++i) {
        const int w = static_cast<int>(SendMessageW(CtrlHandle, LVM_GETCOLUMNWIDTH, i, 0));
        if (std::abs(w) > 999999) break;
        sum += w;
    }
    return sum;
}

// ---- Window procedure ----

void TacListViewWnd::acWndProc(TMessage& Message)
{
    if (SkinData == nullptr || !SkinData->Skinned() || Destroyed) {
        TacEditWnd::acWndProc(Message);
        return;
    }
    switch (Message.Msg) {
    case SM_LUMACMD:
        switch (SkinCmdSub(Message.WParam)) {
        case AC_RESKIN:
            if (reinterpret_cast<TsSkinManager*>(Message.LParam) == SkinData->GetSkinManager()) {
                TacEditWnd::acWndProc(Message);
                RepaintHeader();
                return;
            }
            break;
        case AC_QUERYSKININDEX:
            if (Message.LParam != 0) *reinterpret_cast<int*>(Message.LParam) = SkinData->SkinIndex;
            return;
        case AC_SCROLLSTART:
            // The replaced bars send the whole position in LParam.
            Message.Result = 1;
            return;
        default:
            break;
        }
        break;
    case WM_PAINT:
        SetSkinParams();
        break;
    case WM_NCHITTEST:
        if (HoverColIndex >= 0 || FPressedColumn >= 0) {
            HoverColIndex = FPressedColumn = -1;
            RepaintHeader();
        }
        break;
    case WM_NCPAINT:
        Message.Result = 0;
        TacEditWnd::acWndProc(Message);
        return;
    case WM_HSCROLL:
    case WM_VSCROLL:
        ScrollMessage(Message);
        return;
    default:
        break;
    }
    TacEditWnd::acWndProc(Message);
    switch (Message.Msg) {
    case WM_STYLECHANGED:
    case LVM_INSERTITEMA:
    case LVM_ARRANGE:
        if (!SkinData->Updating()) SyncScrollBars(this, true);
        break;
    case WM_LBUTTONUP:
        ReleaseCapture();
        break;
    case WM_PARENTNOTIFY:
        if (LOWORD(Message.WParam) == WM_CREATE) {
            const HWND child = reinterpret_cast<HWND>(Message.LParam);
            if (ClassNameOf(child) == L"SysHeader32") {
                // Only one header is kept at a time: a second one leaves both plain.
                if (FhWndHeader != nullptr) UnhookHeader(); else HookHeader(child);
            }
        }
        break;
    case WM_PRINT:
        if (ViewStyle() == vsReport && FhWndHeader != nullptr) {
            const HDC dc = reinterpret_cast<HDC>(Message.WParam);
            const int saved = SaveDC(dc);
            SetWindowOrgEx(dc, -cxLeftEdge, -cxLeftEdge, nullptr);
            PaintHeader(dc);
            RestoreDC(dc, saved);
        }
        break;
    default:
        break;
    }
}

void TacListViewWnd::ScrollMessage(TMessage& Message)
{
    const bool horizontal = Message.Msg == WM_HSCROLL;
    if (LOWORD(Message.WParam) != SB_THUMBTRACK) {
        if (!horizontal) Message.LParam = 0;
        PassOn(Message);
        return;
    }
    const int pos = Message.LParam != 0 ? static_cast<int>(Message.LParam) : HIWORD(Message.WParam);
    int delta = pos - ScrollTracking.LastPos;
    RECT item{LVIR_BOUNDS, 0, 0, 0};
    if (horizontal) {
        if (ViewStyle() == vsList && SendMessageW(CtrlHandle, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)))
            delta *= item.right - item.left;
        SendMessageW(CtrlHandle, LVM_SCROLL, delta, 0);
    } else {
        if (delta == 0) return;
        if (ViewStyle() == vsReport && SendMessageW(CtrlHandle, LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item)))
            delta *= item.bottom - item.top;
        SendMessageW(CtrlHandle, LVM_SCROLL, 0, delta);
    }
    Message.Result = 0;
}

// ---- The header ----

void TacListViewWnd::CallHeaderProc(TMessage& Message)
{
    Message.Result = FhDefHeaderProc != nullptr && FhWndHeader != nullptr
                         ? CallWindowProcW(FhDefHeaderProc, FhWndHeader, Message.Msg, Message.WParam, Message.LParam)
                         : 0;
}

void TacListViewWnd::RepaintHeader()
{
    if (FhWndHeader == nullptr) return;
    TMessage paint{WM_PAINT, 0, 0, 0};
    HeaderWndProc(paint);
}

void TacListViewWnd::HeaderWndProc(TMessage& Message)
{
    try {
        if (ViewStyle() != vsReport) {
            CallHeaderProc(Message);
            return;
        }
        switch (Message.Msg) {
        case WM_PAINT:
            PaintHeader(nullptr);
            return;
        case WM_ERASEBKGND:
            Message.Result = 1;
            return;
        case WM_WINDOWPOSCHANGED:
            if (IsWindowVisible(CtrlHandle)) SendMessageW(CtrlHandle, WM_NCPAINT, 0, 0);
            CallHeaderProc(Message);
            return;
        case WM_NCDESTROY:
            CallHeaderProc(Message);
            FhWndHeader = nullptr;
            FhDefHeaderProc = nullptr;
            return;
        case WM_NCHITTEST:
            CallHeaderProc(Message);
            HoverAt(POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)});
            return;
        case WM_LBUTTONUP:
            FPressedColumn = -1;
            CallHeaderProc(Message);
            return;
        default:
            break;
        }
        const HWND header = FhWndHeader;
        CallHeaderProc(Message);
        if (Message.Msg == WM_LBUTTONDOWN && header != nullptr) {
            FFlag = true;
            HDHITTESTINFO hit{};
            hit.pt = POINT{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
            SendMessageW(header, HDM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            FPressedColumn = (hit.flags & (HHT_ONDIVIDER | HHT_ONDIVOPEN)) != 0 ? -1 : hit.iItem;
            InvalidateRect(header, nullptr, TRUE);
        }
    } catch (...) {
        Application->HandleException(this);
    }
}

void TacListViewWnd::HoverAt(POINT Screen)
{
    if (FhWndHeader == nullptr) return;
    // Header coordinates: the header's own window rectangle is its origin.
    RECT window{};
    GetWindowRect(FhWndHeader, &window);
    const POINT p{Screen.x - window.left, Screen.y - window.top};
    const int count = static_cast<int>(SendMessageW(FhWndHeader, HDM_GETITEMCOUNT, 0, 0));
    int position = -2;
    for (int i = 0; i < count; ++i) {
        TRect r{};
        GetHeaderColumnRect(i, r);
        if (PtInRect(&r, p)) {
            position = i;
            break;
        }
    }
    const int index = position >= 0 ? static_cast<int>(SendMessageW(FhWndHeader, HDM_ORDERTOINDEX, position, 0)) : -2;
    if (index == HoverColIndex) return;
    HoverColIndex = index;
    RepaintHeader();
}

void TacListViewWnd::GetHeaderColumnRect(int iItem, TRect& Result) const
{
    Result = TRect{0, 0, 0, 0};
    if (FhWndHeader == nullptr) return;
    int item = iItem;
    if ((GetWindowLongPtrW(FhWndHeader, GWL_STYLE) & HDS_DRAGDROP) != 0) {
        const int count = static_cast<int>(SendMessageW(FhWndHeader, HDM_GETITEMCOUNT, 0, 0));
        if (iItem < 0 || iItem >= count) return;
        std::vector<int> order(static_cast<size_t>(count));
        SendMessageW(FhWndHeader, HDM_GETORDERARRAY, count, reinterpret_cast<LPARAM>(order.data()));
        item = order[static_cast<size_t>(iItem)];
    }
    SendMessageW(FhWndHeader, HDM_GETITEMRECT, item, reinterpret_cast<LPARAM>(&Result));
}

void TacListViewWnd::PaintHeader(HDC DC)
{
    if (FhWndHeader == nullptr || ViewStyle() != vsReport) return;
    PAINTSTRUCT ps{};
    const bool own = DC == nullptr;
    if (own) BeginPaint(FhWndHeader, &ps);
    const int count = static_cast<int>(SendMessageW(FhWndHeader, HDM_GETITEMCOUNT, 0, 0));
    int right = 0;
    int height = 0;
    for (int i = 0; i < count; ++i) {
        TRect r{};
        GetHeaderColumnRect(i, r);
        if (IsRectEmpty(&r)) continue;
        ColumnSkinPaint(r, static_cast<int>(SendMessageW(FhWndHeader, HDM_ORDERTOINDEX, i, 0)), DC);
        ListLineHeight = height = Height(r);
        right = std::max(right, static_cast<int>(r.right));
    }
    RECT header{};
    GetClientRect(FhWndHeader, &header);
    if (right < header.right) {
        if (height == 0) height = header.bottom;
        ColumnSkinPaint(TRect{right, 0, header.right, height}, -2, DC);
    }
    if (own) EndPaint(FhWndHeader, &ps);
}

void TacListViewWnd::ColumnSkinPaint(const TRect& ControlRect, int cIndex, HDC DC)
{
    const int w = Width(ControlRect), h = Height(ControlRect);
    if (w <= 0 || h <= 0 || SkinData == nullptr) return;
    TsSkinManager* manager = SkinData->GetSkinManager();
    if (manager == nullptr) return;
    const int state = FPressedColumn >= 0 ? (cIndex == FPressedColumn ? 2 : 0) : (cIndex == HoverColIndex ? 1 : 0);
    auto bmp = MakeBitmap32(w, h);
    TControl* owner = SkinData->FOwnerControl;
    const TColor listColor = owner != nullptr ? owner->Color() : clWindow;
    const int section = DrawSectionByName(bmp.get(), L"COLHEADER", L"BUTTON", nullptr, ColorToRGB(listColor),
                                          TRect{0, 0, w, h}, &manager->Skin(), state);
    HDC bdc = bmp->Canvas()->Handle();
    const HFONT font = reinterpret_cast<HFONT>(SendMessageW(CtrlHandle, WM_GETFONT, 0, 0));
    const HGDIOBJ oldFont = font != nullptr ? SelectObject(bdc, font) : nullptr;

    if (cIndex >= 0) {
        wchar_t text[258] = {};
        HDITEMW item{};
        item.mask = HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
        item.pszText = text;
        item.cchTextMax = 258;
        SendMessageW(FhWndHeader, HDM_GETITEMW, cIndex, reinterpret_cast<LPARAM>(&item));
        const String caption(text);

        auto* list = dynamic_cast<TCustomListView*>(owner);
        TCustomImageList* images = list != nullptr ? list->SmallImages() : nullptr;
        const bool hasImage = images != nullptr && (item.fmt & HDF_IMAGE) != 0;
        const int imageSpace = hasImage ? images->Width() + 4 : 0;
        const TsMaskData* arrow = nullptr;
        if ((item.fmt & (HDF_SORTDOWN | HDF_SORTUP)) != 0)
            arrow = SkinMask(&manager->Skin(), manager->GetMaskIndex(
                                                   (item.fmt & HDF_SORTDOWN) != 0 ? L"SCROLLBTNBOTTOM" : L"SCROLLBTNTOP",
                                                   L"GLYPHMASK"));
        const int arrowSpace = arrow != nullptr ? arrow->FrameWidth() + 6 : 0;
        SIZE extent{};
        GetTextExtentPoint32W(bdc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        const int textWidth = extent.cx + 5;

        TRect textRect{4, 1, w - 4, h - 1};
        if ((item.fmt & HDF_JUSTIFYMASK) == HDF_RIGHT) {
            textRect.right -= arrowSpace;
            textRect.left = std::max<int>(textRect.left + imageSpace, textRect.right - textWidth);
        } else if ((item.fmt & HDF_JUSTIFYMASK) == HDF_CENTER) {
            const int all = imageSpace + textWidth + arrowSpace;
            textRect.left = std::max<int>(textRect.left, (w - all) / 2) + imageSpace;
            textRect.right = std::min<int>(textRect.right - arrowSpace, textRect.left + textWidth);
        } else {
            textRect.left += imageSpace;
            textRect.right = std::min<int>(textRect.right - arrowSpace, textRect.left + textWidth);
        }
        if (arrow != nullptr)
            DrawMaskImage(bmp.get(), TPoint{textRect.left + extent.cx + 6, (h - arrow->FrameHeight()) / 2}, state,
                          MakeCacheInfo(bmp.get(), 0, 0), *arrow, 1, &manager->Skin());
        if (state == 2) OffsetRect(&textRect, 1, 1);
        DrawSectionText(bmp->Canvas(), caption, true, manager, state > 0, section,
                        DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | DT_END_ELLIPSIS, textRect);
        if (hasImage)
            images->Draw(bmp->Canvas(), textRect.left - imageSpace, (h - images->Height()) / 2 + (state == 2 ? 1 : 0),
                         item.iImage, owner->Enabled());
    }
    if (oldFont != nullptr) SelectObject(bdc, oldFont);
    HDC target = DC != nullptr ? DC : GetDC(FhWndHeader);
    BitBlt(target, ControlRect.left, ControlRect.top, w, h, bdc, 0, 0, SRCCOPY);
    if (DC == nullptr) ReleaseDC(FhWndHeader, target);
}
