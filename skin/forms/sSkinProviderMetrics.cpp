// Sizes of the skinned frame, the window region that cuts the skin's transparent corners away,
// desktop composition and layered windows.
#include <cmath>

#include "framework/facts/SystemFacts.h"
#include "skin/core/sAlphaGraph.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sSkinManager.h"
#include "skin/forms/sSkinProvider.h"

// ---- Frame metrics ----

int WindowFrameWidth(HWND Wnd, TacBorderForm* BorderForm, bool CheckSkin)
{
    if (CheckSkin && SkinExBorderWidth(BorderForm) != 0) return SkinExBorderWidth(BorderForm);
    LONG_PTR style = GetWindowLongPtrW(Wnd, GWL_STYLE);
    if (style & WS_THICKFRAME) return GetSystemMetrics(SM_CXFRAME);
    if (style & WS_BORDER) return GetSystemMetrics(SM_CXDLGFRAME);
    return 0;
}

int StdFrameWidth(HWND Wnd, TacBorderForm* BorderForm, bool CheckSkin)
{
    return BorderForm != nullptr ? 0 : WindowFrameWidth(Wnd, nullptr, CheckSkin);
}

int StdCaptionHeight(TCustomForm* Form)
{
    // Read once: a change of the system metrics while running is not followed.
    static const int small = GetSystemMetrics(SM_CYSMCAPTION);
    static const int normal = GetSystemMetrics(SM_CYCAPTION);
    if (Form != nullptr && (Form->BorderStyle() == bsToolWindow || Form->BorderStyle() == bsSizeToolWin) &&
        !(Form->HandleAllocated() && IsIconic(Form->Handle())))
        return small;
    return normal;
}

int SkinExTitleHeight(TacBorderForm* /*BorderForm*/)
{
    // Without an extended-border window (none is made yet) the skin's extended title is unused.
    return 0;
}

int SkinExBorderWidth(TacBorderForm* /*BorderForm*/)
{
    return 0;
}

int ExtraTitleHeight(TacBorderForm* /*BorderForm*/)
{
    return 0;
}

int ExtraBorderWidth(TacBorderForm* /*BorderForm*/)
{
    return 0;
}

int WindowPixelWidth(HWND Wnd)
{
    RECT r{};
    GetWindowRect(Wnd, &r);
    return r.right - r.left;
}

int WindowPixelHeight(HWND Wnd)
{
    RECT r{};
    GetWindowRect(Wnd, &r);
    return r.bottom - r.top;
}

int ClientPixelWidth(HWND Wnd)
{
    RECT r{};
    GetClientRect(Wnd, &r);
    return r.right - r.left;
}

int ClientPixelHeight(HWND Wnd)
{
    RECT r{};
    GetClientRect(Wnd, &r);
    return r.bottom - r.top;
}

void FormWorkArea(TCustomForm* Form, TRect& R)
{
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    HMONITOR monitor = MonitorFromWindow(Form->Handle(), MONITOR_DEFAULTTONEAREST);
    if (GetMonitorInfoW(monitor, &info)) R = info.rcWork;
    else SystemParametersInfoW(SPI_GETWORKAREA, 0, &R, 0);
}

// ---- Provider metrics ----

bool TsSkinProvider::Iconic() const
{
    return Form->HandleAllocated() && IsIconic(Form->Handle());
}

bool TsSkinProvider::Zoomed() const
{
    return Form->HandleAllocated() && IsZoomed(Form->Handle());
}

bool TsSkinProvider::IsMainForm() const
{
    return Application->MainForm() == Form;
}

bool TsSkinProvider::IsMDIChild() const
{
    return Form->FormStyle() == fsMDIChild;
}

bool TsSkinProvider::IsMDIForm() const
{
    return Form->FormStyle() == fsMDIForm;
}

int TsSkinProvider::BorderWidth(bool CheckSkin)
{
    return WindowFrameWidth(Form->Handle(), BorderForm, CheckSkin) + Form->BorderWidth();
}

int TsSkinProvider::BorderHeight(bool CheckSkin)
{
    return StdFrameWidth(Form->Handle(), BorderForm, CheckSkin) + Form->BorderWidth();
}

int TsSkinProvider::CaptionHeight(bool CheckSkin)
{
    bool iconic = Iconic();
    LONG_PTR style = GetWindowLongPtrW(Form->Handle(), GWL_STYLE);
    if (!iconic && !(HasFrame() && (style & WS_CAPTION) == WS_CAPTION)) return 0;
    int skinHeight = CheckSkin ? SkinExTitleHeight(BorderForm) : 0;
    bool tool = Form->BorderStyle() == bsToolWindow || Form->BorderStyle() == bsSizeToolWin;
    int system = GetSystemMetrics(tool && !iconic ? SM_CYSMCAPTION : SM_CYCAPTION);
    if (FSysExHeight) return std::max(skinHeight, system + 4);
    return skinHeight != 0 ? skinHeight : system;
}

bool TsSkinProvider::HasFrame() const
{
    return Form->BorderStyle() != bsNone || (GetWindowLongPtrW(Form->Handle(), GWL_STYLE) & WS_CHILD) != 0 ||
           IsMDIChild();
}

bool TsSkinProvider::HasSizingFrame(HWND Wnd)
{
    return (GetWindowLongPtrW(Wnd, GWL_STYLE) & WS_THICKFRAME) != 0;
}

bool TsSkinProvider::IsNormalBorder() const
{
    return Form->BorderStyle() == bsSingle || Form->BorderStyle() == bsSizeable;
}

bool TsSkinProvider::GripVisible() const
{
    return FGripMode == gmRightBottom && !Zoomed() && HasSizingFrame(Form->Handle());
}

bool TsSkinProvider::IsSingleImageMask(int MaskIndex) const
{
    if (MaskIndex < 0) return true;
    TsSkinManager* manager = Manager();
    return manager == nullptr || !manager->IsValidImgIndex(MaskIndex) || manager->ma[MaskIndex].ImageCount == 1;
}

// ---- Region ----

void TsSkinProvider::FillRegionRects()
{
    ArOR.clear();
    TsSkinManager* manager = Manager();
    if (manager == nullptr) return;
    const TsSkin* skin = &manager->Skin();
    int width = CaptionWidth();
    if (const TsMaskData* border = SkinMask(skin, FCommonData->BorderIndex)) {
        CollectMaskCornerRects(ArOR, width, *border, false, 0, skin);
        CollectMaskCornerRects(ArOR, width, *border, true, Form->Height() - border->WB, skin);
    }
    int title = TitleSkinIndex();
    if (manager->IsValidSkinIndex(title)) {
        int mask = manager->GetMaskIndex(title, TitleSkinSection(), L"BORDERSMASK");
        if (const TsMaskData* titleBorder = SkinMask(skin, mask)) CollectMaskCornerRects(ArOR, width, *titleBorder, false, 0, skin);
    }
}

HRGN TsSkinProvider::MakeFrameRegion(int X, int Y)
{
    HRGN region = CreateRectRgn(X, Y, X + CaptionWidth(), Y + Form->Height());
    for (const TRect& r : ArOR) {
        if (r.right <= r.left || r.bottom <= r.top) continue;
        HRGN cut = CreateRectRgn(r.left + X, r.top + Y, r.right + X, r.bottom + Y);
        CombineRgn(region, region, cut, RGN_DIFF);
        DeleteObject(cut);
    }
    return region;
}

// The message a window answers with its own value to keep the region it set itself.
inline constexpr UINT WM_KEEPOWNREGION = 0xBC4D;
inline constexpr WPARAM KeepOwnRegionKey = 0x41A2;

void TsSkinProvider::SetFrameRegion(bool Redraw)
{
    if (!FDrawNonClientArea || InMenu) return;
    HWND wnd = Form->Handle();
    if (!HasFrame() && !Iconic() && !HasSizingFrame(wnd)) return;
    if (!FirstInitialized && static_cast<WPARAM>(SendMessageW(wnd, WM_KEEPOWNREGION, KeepOwnRegionKey, 0)) == KeepOwnRegionKey)
        return;
    RgnChanging = true;
    HRGN region;
    if (Zoomed() && Form->Constraints()->MaxWidth() == 0 && Form->Constraints()->MaxHeight() == 0 && !IsMDIChild()) {
        int dx = WindowFrameWidth(wnd, BorderForm, false), dy = StdFrameWidth(wnd, BorderForm, false);
        region = CreateRectRgn(dx, dy, Form->Width() - dx, Form->Height() - dy);
    } else {
        region = MakeFrameRegion(0, 0);
    }
    // The region now matches the frame. (Left marked as changed, every non-client paint would
    // set it again, and a redrawn region brings a non-client paint of its own: no end.)
    RgnChanged = false;
    SetWindowRgn(wnd, region, Redraw);
    RgnChanging = false;
}

void TsSkinProvider::RepaintFormFrame()
{
    if (FInAnimation || Form == nullptr || !Form->HandleAllocated() || !IsWindowVisible(Form->Handle()) ||
        !FDrawNonClientArea || Form->ControlState().Contains(csDestroyingHandle) || !Skinned())
        return;
    FCommonData->BGChanged = true;
    if (FCommonData->CacheBmp() == nullptr || CacheSizeChanged()) PaintFormCache();
    HDC dc = GetWindowDC(Form->Handle());
    int saved = SaveDC(dc);
    PrintFrame(dc);
    RestoreDC(dc, saved);
    ReleaseDC(Form->Handle(), dc);
}

// ---- Desktop composition ----

namespace {

HMODULE DwmLibrary()
{
    static HMODULE library = LoadLibraryW(L"DWMAPI.DLL");
    return library;
}

template <class F>
F DwmEntry(const char* Name)
{
    HMODULE library = DwmLibrary();
    return library != nullptr ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library, Name))) : nullptr;
}

// DWMWA_TRANSITIONS_FORCEDISABLED (dwmapi.h is not included: its theme header declares a
// function of the same name as ours).
constexpr DWORD TransitionsForceDisabled = 3;

bool WindowsVista()
{
    return SystemFacts().WindowsVersion().AtLeast(6, 0);
}

} // namespace

bool IsCompositionActive()
{
    return WindowsVista() && SystemFacts().CompositionEnabled();
}

HRESULT SetDwmWindowAttribute(HWND Wnd, DWORD Attribute, const void* Data, DWORD Size)
{
    using TSetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
    static auto setAttribute = DwmEntry<TSetAttribute>("DwmSetWindowAttribute");
    return setAttribute != nullptr ? setAttribute(Wnd, Attribute, Data, Size) : E_NOTIMPL;
}

void DisableDwmTransitions(HWND Wnd, bool Disable)
{
    if (!IsCompositionActive()) return;
    BOOL value = Disable ? TRUE : FALSE;
    SetDwmWindowAttribute(Wnd, TransitionsForceDisabled, &value, sizeof(value));
}

void RefreshIconicBitmaps(HWND Wnd)
{
    using TInvalidate = HRESULT(WINAPI*)(HWND);
    static auto invalidate = DwmEntry<TInvalidate>("DwmInvalidateIconicBitmaps");
    if (WindowsVista() && invalidate != nullptr) invalidate(Wnd);
}

TSize IconicThumbnailSize(int W, int H, int MaxWidth, int MaxHeight)
{
    if (W <= 0 || H <= 0) return {0, 0};
    double scale = std::min(static_cast<double>(MaxWidth) / W, static_cast<double>(MaxHeight) / H);
    if (scale > 1) scale = 1;
    return {std::max(1, static_cast<int>(W * scale)), std::max(1, static_cast<int>(H * scale))};
}

namespace {

// The picture the task bar shows: the form image with its client area rendered in.
std::unique_ptr<TBitmap> FormPicture(TsSkinProvider* Provider)
{
    if (Provider == nullptr || Provider->SkinData()->CacheBmp() == nullptr) return nullptr;
    TBitmap* cache = Provider->SkinData()->CacheBmp();
    if (cache->Width() == 0 || cache->Height() == 0) return nullptr;
    auto picture = MakeBitmap32(cache->Width(), cache->Height());
    BitBlt(picture->Canvas()->Handle(), 0, 0, cache->Width(), cache->Height(), cache->Canvas()->Handle(), 0, 0, SRCCOPY);
    HWND wnd = Provider->Form->Handle();
    SendMessageW(wnd, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(picture->Canvas()->Handle()), PRF_CLIENT);
    return picture;
}

} // namespace

bool SendIconicThumbnail(HWND Wnd, TsSkinProvider* Provider, int MaxWidth, int MaxHeight)
{
    using TSetThumbnail = HRESULT(WINAPI*)(HWND, HBITMAP, DWORD);
    static auto setThumbnail = DwmEntry<TSetThumbnail>("DwmSetIconicThumbnail");
    if (!WindowsVista() || setThumbnail == nullptr) return false;
    auto picture = FormPicture(Provider);
    if (!picture) return false;
    TSize size = IconicThumbnailSize(picture->Width(), picture->Height(), MaxWidth, MaxHeight);
    auto thumb = MakeBitmap32(size.cx, size.cy);
    SetStretchBltMode(thumb->Canvas()->Handle(), HALFTONE);
    StretchBlt(thumb->Canvas()->Handle(), 0, 0, size.cx, size.cy, picture->Canvas()->Handle(), 0, 0, picture->Width(),
               picture->Height(), SRCCOPY);
    return setThumbnail(Wnd, thumb->Handle(), 0) == S_OK;
}

bool SendIconicPreview(HWND Wnd, TsSkinProvider* Provider)
{
    using TSetPreview = HRESULT(WINAPI*)(HWND, HBITMAP, POINT*, DWORD);
    static auto setPreview = DwmEntry<TSetPreview>("DwmSetIconicLivePreviewBitmap");
    if (!WindowsVista() || setPreview == nullptr) return false;
    auto picture = FormPicture(Provider);
    if (!picture) return false;
    POINT origin{0, 0};
    return setPreview(Wnd, picture->Handle(), &origin, 1) == S_OK;
}

// ---- Layered windows ----

void UpdateLayeredForm(HWND Wnd, TBitmap* Bmp, BYTE Alpha, const TPoint* Pos)
{
    if (!LayeredWindowsAvailable()) return;
    LONG_PTR ex = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
    if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(Wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    std::unique_ptr<TBitmap> blank;
    if (Bmp == nullptr) {
        blank = MakeBitmap32(WindowPixelWidth(Wnd), WindowPixelHeight(Wnd));
        Bmp = blank.get();
    }
    HDC screen = GetDC(nullptr);
    SIZE size{Bmp->Width(), Bmp->Height()};
    POINT source{0, 0};
    POINT position{};
    if (Pos != nullptr) position = {Pos->x, Pos->y};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, Alpha, AC_SRC_ALPHA};
    UpdateLayeredWindowFunc(Wnd, screen, Pos != nullptr ? &position : nullptr, &size, Bmp->Canvas()->Handle(), &source,
                              0x1FFFFFFF, &blend, ULW_ALPHA);
    ReleaseDC(nullptr, screen);
}

bool SetWindowInvisible(HWND Wnd, bool UseLayered)
{
    LONG_PTR ex = GetWindowLongPtrW(Wnd, GWL_EXSTYLE);
    if (!UseLayered || !LayeredWindowsAvailable()) {
        SetWindowLongPtrW(Wnd, GWL_STYLE, GetWindowLongPtrW(Wnd, GWL_STYLE) & ~WS_VISIBLE);
        SetWindowLongPtrW(Wnd, GWL_EXSTYLE, ex & ~WS_EX_LAYERED);
        return false;
    }
    if (ex & WS_EX_LAYERED) return false;
    SetWindowLongPtrW(Wnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    SetLayeredWindowAttributesFunc(Wnd, 0x1FFFFFFF, 1, LWA_ALPHA);
    return true;
}

TForm* MakeCoverForm(HWND Wnd)
{
    auto* cover = TForm::CreateNew(nullptr);
    cover->SetTag(-98);
    cover->SetBorderStyle(bsNone);
    RECT r{};
    GetWindowRect(Wnd, &r);
    cover->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    HWND coverWnd = cover->Handle();
    SetWindowLongPtrW(coverWnd, GWL_EXSTYLE,
                      GetWindowLongPtrW(coverWnd, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE);
    auto bmp = MakeBitmap32(r.right - r.left, r.bottom - r.top);
    HDC dc = GetWindowDC(Wnd);
    BitBlt(bmp->Canvas()->Handle(), 0, 0, bmp->Width(), bmp->Height(), dc, 0, 0, SRCCOPY);
    ReleaseDC(Wnd, dc);
    SetRectOpacity(bmp.get(), TRect{0, 0, bmp->Width(), bmp->Height()}, 255, false);
    HRGN region = CreateRectRgn(0, 0, 0, 0);
    if (GetWindowRgn(Wnd, region) != ERROR) {
        if (!SetWindowRgn(coverWnd, region, FALSE)) DeleteObject(region);
    } else {
        DeleteObject(region);
    }
    UpdateLayeredForm(coverWnd, bmp.get(), 255, nullptr);
    SetWindowPos(coverWnd, nullptr, r.left, r.top, 0, 0,
                 SWP_NOSIZE | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER | SWP_NOSENDCHANGING);
    return cover;
}
