// sPageControl: construction and properties, where tabs, strip and body lie, the close buttons
// (skinned and unskinned), closing a page and the tab-scroll arrows.
#include "skin/controls/sPageControl.h"

#include <commctrl.h>

#include <algorithm>

#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "framework/graphics/DrawingGuards.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sMaskDraw.h"
#include "skin/core/sSkinManager.h"
#include "skin/subclass/acSBUtils.h"

bool CloseBtnPressed = false;

namespace {

// The page control's control-type code.
constexpr int PageControlCode = 141;
constexpr int UnskinnedCloseBtnSize = 15;

int RectWidth(const TRect& R) { return R.right - R.left; }
int RectHeight(const TRect& R) { return R.bottom - R.top; }

// The visual-styles entry points the unskinned close button draws with; looked up once, null
// where the system has no visual styles.
struct TThemeFunctions {
    using TOpenThemeData = HANDLE(WINAPI*)(HWND, LPCWSTR);
    using TCloseThemeData = HRESULT(WINAPI*)(HANDLE);
    using TDrawThemeBackground = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);
    TOpenThemeData Open = nullptr;
    TCloseThemeData Close = nullptr;
    TDrawThemeBackground Draw = nullptr;

    TThemeFunctions()
    {
        if (HMODULE lib = LoadLibraryW(L"uxtheme.dll")) {
            Open = reinterpret_cast<TOpenThemeData>(reinterpret_cast<void*>(GetProcAddress(lib, "OpenThemeData")));
            Close = reinterpret_cast<TCloseThemeData>(reinterpret_cast<void*>(GetProcAddress(lib, "CloseThemeData")));
            Draw = reinterpret_cast<TDrawThemeBackground>(
                reinterpret_cast<void*>(GetProcAddress(lib, "DrawThemeBackground")));
        }
    }
    bool Available() const { return Open != nullptr && Close != nullptr && Draw != nullptr; }
};

const TThemeFunctions& ThemeFunctions()
{
    static const TThemeFunctions functions;
    return functions;
}

void FreeSpinHandler(TacSpinWnd*& Spin)
{
    if (Spin == nullptr) return;
    TacMainWnd* handler = Spin;
    Spin = nullptr;
    if (!handler->Destroyed && IsWindow(handler->CtrlHandle)) {
        UninstallWndHandler(handler->CtrlHandle, true, false, handler);
    } else {
        // Its window is gone: nothing is left to give back.
        handler->Destroyed = true;
        delete handler;
    }
}

} // namespace

// ---- TsTabBtn ---------------------------------------------------------------------------------

TsTabBtn::TsTabBtn(TComponent* AOwner) : TsSpeedButton(AOwner)
{
    SetFlat(true);
    UpdateGlyph();
}

TsTabBtn::~TsTabBtn()
{
    if (Page != nullptr && Page->Btn == this) Page->Btn = nullptr;
}

void TsTabBtn::UpdateGlyph()
{
    SetCaption(L"X");
    Font()->SetStyle(TFontStyles{fsBold});
    Font()->SetColor(0x0000FF);
}

void TsTabBtn::Paint()
{
    const TThemeFunctions& theme = ThemeFunctions();
    TWinControl* parent = Parent();
    if (!SystemFacts().ThemeActive() || !theme.Available() || parent == nullptr || !parent->HandleAllocated()) {
        TsSpeedButton::Paint();
        return;
    }
    // The system's own small close button of a window caption.
    constexpr int WP_SMALLCLOSEBUTTON = 19;
    constexpr int CBS_NORMAL = 1, CBS_HOT = 2, CBS_PUSHED = 3;
    int state = CBS_NORMAL;
    if (State() == bsDown || State() == bsExclusive)
        state = CBS_PUSHED;
    else if (MouseInControl())
        state = CBS_HOT;
    HANDLE data = theme.Open(parent->Handle(), L"WINDOW");
    TCanvas* canvas = Canvas();
    const TRect r = ClientRect();
    canvas->Brush()->SetColor(parent->Color());
    canvas->FillRect(r);
    if (data != nullptr) {
        theme.Draw(data, canvas->Handle(), WP_SMALLCLOSEBUTTON, state, &r, nullptr);
        theme.Close(data);
    } else {
        TsSpeedButton::Paint();
    }
}

// ---- TsTabSheet -------------------------------------------------------------------------------

TsTabSheet::TsTabSheet(TComponent* AOwner) : TTabSheet(AOwner), FSkinData(std::make_unique<TsTabSkinData>())
{
}

TsTabSheet::~TsTabSheet()
{
    // The button belongs to the page control; it may be the one whose click frees this page.
    if (Btn != nullptr) {
        Btn->Page = nullptr;
        Btn->SetVisible(false);
        Btn = nullptr;
    }
}

TsPageControl* TsTabSheet::SkinnedPageControl() const
{
    return dynamic_cast<TsPageControl*>(FPageControl);
}

void TsTabSheet::SetTabSkin(const String& Value)
{
    if (FTabSkin == Value) return;
    FTabSkin = Value;
    TsPageControl* control = SkinnedPageControl();
    if (control == nullptr || control->ComponentState().Contains(csLoading) || !control->Visible()) return;
    control->SkinData()->BGChanged = true;
    if (control->HandleAllocated())
        RedrawWindow(control->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
}

void TsTabSheet::SetButtonSkin(const String& Value)
{
    if (FButtonSkin == Value) return;
    FButtonSkin = Value;
    if (TsPageControl* control = SkinnedPageControl()) control->SkinData()->Invalidate();
}

void TsTabSheet::SetUseCloseBtn(bool Value)
{
    if (FUseCloseBtn == Value) return;
    FUseCloseBtn = Value;
    if (TsPageControl* control = SkinnedPageControl()) control->SkinData()->Invalidate();
}

// ---- TsPageControl: life and properties ----------------------------------------------------

TsPageControl::TsPageControl(TComponent* AOwner)
    : TPageControl(AOwner), FCommonData(std::make_unique<TsCommonData>(this, true))
{
    FCommonData->COC = PageControlCode;
    FCommonData->Loaded();
}

TsPageControl::~TsPageControl()
{
    // The close buttons are components of this control and go with it.
    for (TTabSheet* sheet : FPages)
        if (auto* page = dynamic_cast<TsTabSheet*>(sheet)) page->Btn = nullptr;
    FreeSpinHandler(SpinWnd);
    FCommonData.reset();
}

void TsPageControl::Loaded()
{
    TPageControl::Loaded();
    FCommonData->Loaded();
    if (TPageControl::ActivePage() != nullptr) NotifyParentForm(TPageControl::ActivePage());
    CheckUpDown();
    ArrangeButtons();
}

bool TsPageControl::SkinActive() const
{
    return FCommonData != nullptr && FCommonData->Skinned(true);
}

TsTabSheet* TsPageControl::SheetOf(int PageIndex) const
{
    if (PageIndex < 0 || PageIndex >= PageCount()) return nullptr;
    return dynamic_cast<TsTabSheet*>(FPages[static_cast<size_t>(PageIndex)]);
}

void TsPageControl::SetShowCloseBtns(bool Value)
{
    if (FShowCloseBtns == Value) return;
    FShowCloseBtns = Value;
    if (SkinActive() && Value) UpdateBtnData();
    ArrangeButtons();
    if (SkinActive() && HandleAllocated()) {
        FCommonData->BGChanged = true;
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void TsPageControl::SetCloseBtnSkin(const String& Value)
{
    if (FCloseBtnSkin == Value) return;
    FCloseBtnSkin = Value;
    UpdateBtnData();
    FCommonData->Invalidate();
}

void TsPageControl::SetShowFocus(bool Value)
{
    if (FShowFocus == Value) return;
    FShowFocus = Value;
    FCommonData->Invalidate();
}

void TsPageControl::SetShowUpDown(bool Value)
{
    FShowUpDown = Value;
    if (Value) {
        if (!ComponentState().Contains(csLoading) && HandleAllocated()) RecreateWnd();
        return;
    }
    HWND arrows = SpinWnd != nullptr ? SpinWnd->CtrlHandle : nullptr;
    FreeSpinHandler(SpinWnd);
    if (arrows == nullptr && HandleAllocated()) arrows = FindWindowExW(Handle(), nullptr, UPDOWN_CLASSW, nullptr);
    if (arrows != nullptr && IsWindow(arrows)) DestroyWindow(arrows);
}

// ---- Geometry -----------------------------------------------------------------------------------

int TsPageControl::VisibleTabsCount() const
{
    return static_cast<int>(std::count_if(FPages.begin(), FPages.end(), [](TTabSheet* p) { return p->TabVisible(); }));
}

TRect TsPageControl::SkinTabRect(int TabIndex, bool Active)
{
    TRect r{0, 0, 0, 0};
    if (TabIndex < 0 || TabIndex > PageCount() - 1 || PageCount() == 0) return r;
    r = TabRect(TabIndex);
    if (Style() != tsTabs || RectWidth(r) == 0) return r;
    const int a = Active ? 1 : 0;
    if (Active) {
        r.bottom -= 1;
    } else {
        r.bottom += 3;
        r.right -= 1;
    }
    switch (TabPosition()) {
    case tpTop:
        InflateRect(&r, 2 * a, 2 * a);
        r.bottom += 1;
        break;
    case tpBottom:
        InflateRect(&r, 2 * a, a);
        r.top -= 2;
        r.bottom += Active ? 1 : -3;
        break;
    case tpLeft:
        InflateRect(&r, 0, 1);
        r.right += 2;
        if (Active) {
            InflateRect(&r, 1, 1);
        } else {
            r.bottom -= 4;
            r.right += 2;
        }
        break;
    case tpRight:
        InflateRect(&r, 1, 0);
        OffsetRect(&r, -1, -1);
        if (Active) {
            InflateRect(&r, 1, 1);
            r.bottom += 3;
        } else {
            r.bottom -= 2;
        }
        break;
    }
    return r;
}

TRect TsPageControl::TabsRect()
{
    TRect r{0, 0, Width(), Height()};
    if (Tabs()->Count() == 0) return r;
    const TRect c = DisplayRect();
    switch (TabPosition()) {
    case tpTop: r.bottom = c.top - 4; break;
    case tpBottom: r.top = c.bottom + 2; break;
    case tpLeft: r.right = c.left - 1; break;
    case tpRight: r.left = c.right + 1; break;
    }
    return r;
}

TRect TsPageControl::PageRect()
{
    TRect r{0, 0, Width(), Height()};
    if (Tabs()->Count() == 0) return r;
    const TRect c = DisplayRect();
    switch (TabPosition()) {
    case tpTop: r.top = c.top - 4; break;
    case tpBottom: r.bottom = c.bottom + 2; break;
    case tpLeft: r.left = c.left - 1; break;
    case tpRight: r.right = c.right + 1; break;
    }
    return r;
}

int TsPageControl::TabRow(int TabIndex)
{
    const int rows = RowCount();
    if (rows < 2) return 1;
    const TRect r = TabRect(TabIndex);
    const TRect a = TabsRect();
    const int w = RectWidth(r), h = RectHeight(r);
    if (w == 0 || h == 0) return 1;
    switch (TabPosition()) {
    case tpTop: return (h / 2 + r.bottom) / h;
    case tpLeft: return (w / 2 + r.right) / w;
    case tpRight: return rows - ((r.right - a.left) + w / 2) / w + 1;
    case tpBottom: return rows - ((r.bottom - a.top) + h / 2) / h + 1;
    }
    return 1;
}

int TsPageControl::TabAtPos(TPoint P)
{
    for (int i = 0; i < PageCount(); ++i) {
        const TRect r = SkinTabRect(FPages[static_cast<size_t>(i)]->TabIndex(), false);
        POINT p{P.x, P.y};
        if (PtInRect(&r, p)) return i;
    }
    return -1;
}

// ---- Close buttons ----------------------------------------------------------------------------

void TsPageControl::UpdateBtnData()
{
    TsSkinManager* manager = FCommonData->SkinManager();
    if (manager == nullptr) return;
    BtnIndex = -1;
    if (!FCloseBtnSkin.empty()) {
        BtnIndex = manager->GetSkinIndex(FCloseBtnSkin);
        if (BtnIndex >= 0) BtnWidth = BtnHeight = UnskinnedCloseBtnSize;
        return;
    }
    const int global = manager->GetSkinIndex(L"GLOBALINFO");
    BtnIndex = manager->GetMaskIndex(global, L"GLOBALINFO", L"SICONCLOSE");
    if (BtnIndex < 0) BtnIndex = manager->GetMaskIndex(global, L"GLOBALINFO", L"BICONCLOSE");
    if (const TsMaskData* mask = SkinMask(&manager->Skin(), BtnIndex)) {
        BtnWidth = ImageFrameWidth(*mask);
        BtnHeight = ImageFrameHeight(*mask);
    }
}

TRect TsPageControl::CloseBtnOf(const TRect& TabRect) const
{
    return TRect{TabRect.right - BtnWidth - 1, TabRect.top + 1, TabRect.right - 1, TabRect.top + BtnHeight + 1};
}

bool TsPageControl::HasCloseBtn(TsTabSheet* Page) const
{
    return FShowCloseBtns && Page != nullptr && Page->UseCloseBtn() && Page->TabVisible();
}

TRect TsPageControl::CloseBtnRect(int PageIndex)
{
    TsTabSheet* page = SheetOf(PageIndex);
    if (!SkinActive() || page == nullptr || page->TabIndex() < 0) return TRect{0, 0, 0, 0};
    return CloseBtnOf(SkinTabRect(page->TabIndex(), page == TPageControl::ActivePage()));
}

void TsPageControl::ArrangeButtons()
{
    if (ComponentState().Contains(csLoading) || !HandleAllocated() || ControlState().Contains(csCreating)) return;
    const bool unskinned = FShowCloseBtns && !SkinActive();
    for (TTabSheet* p : FPages) {
        auto* page = dynamic_cast<TsTabSheet*>(p);
        if (page == nullptr) continue;
        if (!unskinned) {
            if (page->Btn != nullptr) {
                TsTabBtn* btn = page->Btn;
                page->Btn = nullptr;
                delete btn;
            }
            continue;
        }
        if (page->Btn != nullptr) page->Btn->SetVisible(page->TabVisible());
        if (!page->TabVisible() || !page->UseCloseBtn()) continue;
        if (page->Btn == nullptr) {
            auto* btn = new TsTabBtn(this);
            btn->SetVisible(false);
            btn->SetBounds(0, 0, UnskinnedCloseBtnSize, UnskinnedCloseBtnSize);
            btn->Page = page;
            btn->OnClick = [this](TObject* Sender) { CloseClick(Sender); };
            btn->SetParent(this);
            page->Btn = btn;
        }
        const TRect r = TabRect(page->TabIndex());
        TsTabBtn* btn = page->Btn;
        const int left = TabPosition() == tpLeft ? r.left + 1 : r.right - btn->Width() - 1;
        btn->SetBounds(left, r.top + 1, btn->Width(), btn->Height());
        btn->SetVisible(true);
    }
}

void TsPageControl::CloseClick(TObject* Sender)
{
    auto* btn = dynamic_cast<TsTabBtn*>(Sender);
    if (btn == nullptr || btn->Page == nullptr) return;
    TsTabSheet* page = btn->Page;
    bool canClose = true;
    TacCloseAction action = acaFree;
    if (OnCloseBtnClick) OnCloseBtnClick(this, page->TabIndex(), canClose, action);
    if (!canClose) return;
    const int oldIndex = ActivePageIndex();
    btn->SetVisible(false);
    if (action == acaFree)
        delete page;
    else
        page->SetTabVisible(false);
    if (oldIndex < PageCount() && oldIndex != 0) SetActivePageIndex(oldIndex);
    ArrangeButtons();
    if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void TsPageControl::ClosePage(int PageIndex)
{
    TsTabSheet* page = SheetOf(PageIndex);
    if (page == nullptr) return;
    bool canClose = true;
    TacCloseAction action = acaFree;
    if (OnCloseBtnClick) OnCloseBtnClick(this, PageIndex, canClose, action);
    // The handler may have removed pages itself.
    page = SheetOf(PageIndex);
    if (!canClose || page == nullptr) return;
    const int oldIndex = ActivePageIndex();
    SendMessageW(Handle(), WM_SETREDRAW, 0, 0);
    if (action == acaFree)
        delete page;
    else
        page->SetTabVisible(false);
    // With no page left there is nothing to keep active: index 0 leaves the standard choice.
    if (oldIndex > 0 && PageCount() > 0) SetActivePageIndex(std::min(oldIndex, PageCount() - 1));
    SendMessageW(Handle(), WM_SETREDRAW, 1, 0);
    FCommonData->BGChanged = true;
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_FRAME);
}

// ---- Tab-scroll arrows ------------------------------------------------------------------------

String TsPageControl::SpinSection()
{
    TsSkinManager* manager = FCommonData->SkinManager();
    return manager != nullptr && manager->GetSkinIndex(L"UPDOWNBTN") >= 0 ? String(L"UPDOWNBTN") : String(L"BUTTON");
}

void TsPageControl::CheckUpDown()
{
    if (ComponentState().Contains(csLoading) || !HandleAllocated() || ControlState().Contains(csCreating)) return;
    if (!SkinActive()) {
        FreeSpinHandler(SpinWnd);
        return;
    }
    HWND arrows = FindWindowExW(Handle(), nullptr, UPDOWN_CLASSW, nullptr);
    if (arrows == nullptr) return;
    if (!FShowUpDown) {
        FreeSpinHandler(SpinWnd);
        DestroyWindow(arrows);
        return;
    }
    if (SpinWnd != nullptr && (SpinWnd->CtrlHandle != arrows || SpinWnd->Destroyed)) FreeSpinHandler(SpinWnd);
    if (SpinWnd == nullptr) SpinWnd = new TacSpinWnd(arrows, nullptr, FCommonData->SkinManager(), SpinSection(), true);
    ReadWndPlacement(arrows, SpinWnd->ParentWnd, SpinWnd->WndRect, SpinWnd->ParentRect, SpinWnd->WndSize, SpinWnd->WndPos);
}

void TsPageControl::PaintArrows(HDC DC)
{
    if (SpinWnd == nullptr || SpinWnd->Destroyed || !IsWindowVisible(SpinWnd->CtrlHandle)) return;
    if (DC == nullptr) {
        SendMessageW(SpinWnd->CtrlHandle, WM_PAINT, 0, 0);
        return;
    }
    ReadWndPlacement(SpinWnd->CtrlHandle, SpinWnd->ParentWnd, SpinWnd->WndRect, SpinWnd->ParentRect, SpinWnd->WndSize,
                     SpinWnd->WndPos);
    TSavedDC saved(DC);
    POINT origin{};
    GetWindowOrgEx(DC, &origin);
    SetWindowOrgEx(DC, origin.x - SpinWnd->WndPos.x, origin.y - SpinWnd->WndPos.y, nullptr);
    SendMessageW(SpinWnd->CtrlHandle, WM_PAINT, reinterpret_cast<WPARAM>(DC), 0);
}
