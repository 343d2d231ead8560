// sCommonData: the per-control skin state: section and indexes, announcing a new look to the
// owner, the cache bitmap, update nesting and the owner's skin colours.
#include "skin/core/sCommonData.h"

#include <algorithm>

#include "framework/classes/PropertyRegistry.h"
#include "framework/comctrls/PageControl.h"
#include "framework/controls/Controls.h"
#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/ScrollBox.h"
#include "framework/system/StringUtils.h"
#include "skin/core/acGlow.h"
#include "skin/core/sGradient.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMaskData.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"

// --- Control-type codes ----------------------------------------------------------------------------

namespace {

bool InRange(int V, int Lo, int Hi) { return V >= Lo && V <= Hi; }

bool ComponentHas(const TObject* Object, TComponentStateFlag Flag)
{
    auto* c = dynamic_cast<const TComponent*>(Object);
    return c != nullptr && c->ComponentState().Contains(Flag);
}

} // namespace

TCustomForm* TsCommonData::ProviderForm() const
{
    // A form's skin state belongs to the component that skins the form, owned by that form.
    if (FOwnerControl != nullptr) return nullptr;
    auto* component = dynamic_cast<const TComponent*>(FOwnerObject);
    return component != nullptr ? dynamic_cast<TCustomForm*>(component->Owner()) : nullptr;
}

TColor TsCommonData::OwnerColor() const
{
    if (FOwnerControl != nullptr) return ColorToRGB(FOwnerControl->Color());
    if (TCustomForm* form = ProviderForm()) return ColorToRGB(form->Color());
    return ColorToRGB(clBtnFace);
}

String DefaultSectionOfCode(int COC)
{
    struct TRange {
        int Lo, Hi;
        const wchar_t* Section;
    };
    static const TRange table[] = {
        {2, 8, L"EDIT"},         {10, 10, L"EDIT"},          {41, 41, L"EDIT"},      {76, 76, L"EDIT"},
        {78, 78, L"EDIT"},       {83, 85, L"EDIT"},          {96, 96, L"EDIT"},      {131, 131, L"EDIT"},
        {140, 140, L"EDIT"},     {227, 227, L"EDIT"},        {11, 18, L"COMBOBOX"},  {81, 82, L"COMBOBOX"},
        {19, 19, L"BAR"},        {20, 20, L"BARTITLE"},      {32, 32, L"CHECKBOX"},  {152, 152, L"CHECKBOX"},
        {33, 33, L"RADIOBUTTON"}, {51, 51, L"PANEL"},        {59, 59, L"PANEL"},     {68, 68, L"PANEL"},
        {73, 73, L"PANEL"},      {52, 52, L"PANEL_LOW"},     {58, 58, L"PANEL_LOW"}, {53, 54, L"TOOLBAR"},
        {60, 60, L"TOOLBAR"},    {56, 56, L"DRAGBAR"},       {57, 57, L"TABSHEET"},  {74, 74, L"GROUPBOX"},
        {226, 226, L"GROUPBOX"}, {75, 75, L"SPLITTER"},      {92, 92, L"SPEEDBUTTON"}, {95, 95, L"SPEEDBUTTON"},
        {93, 94, L"BUTTON"},     {98, 98, L"TOOLBUTTON"},    {141, 141, L"PAGECONTROL"}, {143, 143, L"PAGECONTROL"},
        {151, 151, L"STATUSBAR"}, {161, 161, L"GAUGE"},      {165, 165, L"TRACKBAR"},
    };
    for (const TRange& r : table)
        if (InRange(COC, r.Lo, r.Hi)) return r.Section;
    return L"";
}

bool IsEditLikeCode(int COC)
{
    return InRange(COC, 2, 18) || COC == 41 || InRange(COC, 76, 84) || COC == 96 || InRange(COC, 131, 140);
}

bool IsContainerCode(int COC)
{
    return COC == 19 || InRange(COC, 51, 74) || COC == 110 || InRange(COC, 141, 161);
}

bool IsNoGlowCode(int COC)
{
    static const int codes[] = {51, 52, 54, 56, 57, 58, 59, 60, 68, 73, 74, 110, 141, 143, 151, 161, 226};
    return std::find(std::begin(codes), std::end(codes), COC) != std::end(codes);
}

const TsSkin* SkinOfManager(TsSkinManager* Manager)
{
    if (Manager == nullptr) return nullptr;
    const TsSkin& skin = Manager->Skin();
    return skin.gd.empty() ? nullptr : &skin;
}

TColor ManagerGlobalColor(TsSkinManager* Manager)
{
    return Manager != nullptr ? Manager->GetGlobalColor() : clBtnFace;
}

// --- Creation ------------------------------------------------------------------------------------

TsCommonData::TsCommonData(TObject* AOwner, bool CreateCacheBmp)
    : FOwnerControl(dynamic_cast<TControl*>(AOwner)), FOwnerObject(AOwner)
{
    if (CreateCacheBmp) FCacheBmp = MakeBitmap32(0, 0);
}

TsCommonData::~TsCommonData()
{
    SkinIndex = BorderIndex = Texture = HotTexture = -1;
    FOwnerControl = nullptr;
    FOwnerObject = nullptr;
    FSkinManager = nullptr;
    if (FRegion != nullptr) DeleteObject(FRegion);
    if (GlowID != -1) FreeGlowEffect(GlowID);
    GlowID = -1;
}

// --- Manager and section -------------------------------------------------------------------------

TsSkinManager* TsCommonData::GetSkinManager() const
{
    return FSkinManager != nullptr ? FSkinManager : TsSkinManager::DefaultSkinManager();
}

bool TsCommonData::OwnerBusy() const
{
    return ComponentHas(FOwnerObject, csLoading) || ComponentHas(FOwnerObject, csReading) ||
           ComponentHas(FOwnerObject, csDestroying);
}

// Tells the owner control that its look changed: a new look when the section resolved, else
// that it has none.
void TsCommonData::Announce()
{
    if (FOwnerControl == nullptr || FOwnerControl->Parent() == nullptr || OwnerBusy()) return;
    TsSkinManager* manager = GetSkinManager();
    const TsSkin* skin = SkinOfManager(manager);
    const int sub = skin != nullptr && skin->IsValidSkinIndex(SkinIndex) ? AC_RESKIN : AC_SKINUNLOADED;
    FOwnerControl->Perform(SM_LUMACMD, MakeSkinWParam(sub), reinterpret_cast<LPARAM>(manager));
}

void TsCommonData::SetSkinManager(TsSkinManager* Value)
{
    FSkinManager = Value == TsSkinManager::DefaultSkinManager() ? nullptr : Value;
    if (ComponentHas(FOwnerObject, csLoading)) return;
    if (SkinOfManager(GetSkinManager()) != nullptr)
        UpdateIndexes();
    else
        SkinIndex = -1;
    if (FOwnerControl == nullptr || FOwnerControl->Parent() == nullptr || ComponentHas(FOwnerObject, csDestroying))
        return;
    const TsSkin* skin = SkinOfManager(Value);
    const int sub = skin != nullptr && skin->IsValidSkinIndex(SkinIndex) ? AC_RESKIN : AC_SKINUNLOADED;
    FOwnerControl->Perform(SM_LUMACMD, MakeSkinWParam(sub), reinterpret_cast<LPARAM>(Value));
}

void TsCommonData::SetSkinSection(const String& Value)
{
    if (Value == FSkinSection) return;
    FSkinSection = Value.empty() ? String(L"UNKNOWN") : UpperCase(Value);
    if (SkinOfManager(GetSkinManager()) != nullptr)
        UpdateIndexes();
    else
        SkinIndex = -1;
    if (FOwnerControl != nullptr)
        Announce();
    else
        BGChanged = true;
}

void TsCommonData::ComputeBGType()
{
    BGType = 0;
    const TsSkin* skin = Skin();
    if (skin == nullptr || !skin->IsValidSkinIndex(SkinIndex)) return;
    const TsGeneralData& gd = skin->gd[SkinIndex];
    if (gd.ImagePercent != 0) BGType |= BGT_TEXTURE;
    TsGradArray steps;
    try {
        ParseGradientData(gd.GradientData, steps);
    } catch (const Exception&) {
        steps.clear();
    }
    if (!steps.empty()) {
        switch (steps[0].Mode1) {
        case 0: BGType |= BGT_GRADIENTVERT; break;
        case 1: BGType |= BGT_GRADIENTHORZ; break;
        case 2: BGType |= BGT_GRADIENTVERT | BGT_GRADIENTHORZ; break;
        default: break;
        }
    }
}

void TsCommonData::UpdateIndexes()
{
    BGChanged = true;
    TsSkinManager* manager = GetSkinManager();
    const TsSkin* skin = SkinOfManager(manager);
    SkinIndex = skin != nullptr && manager->Active() ? skin->GetSkinIndex(FSkinSection) : -1;
    ComputeBGType();
    CtrlSkinState = 0;
    if (skin != nullptr && skin->IsValidSkinIndex(SkinIndex)) {
        BorderIndex = skin->gd[SkinIndex].BorderIndex;
        Texture = skin->GetTextureIndex(SkinIndex, FSkinSection, L"PATTERN");
        HotTexture = skin->GetTextureIndex(SkinIndex, FSkinSection, L"HOTPATTERN");
        EvalBackgroundState(false);
    } else {
        // A stale border index would let painting use the old skin's mask.
        BorderIndex = Texture = HotTexture = -1;
    }
}

bool TsCommonData::Skinned(bool CheckSkinActive) const
{
    if (FSkinSection.empty() || ComponentHas(FOwnerObject, csDestroying)) return false;
    TsSkinManager* manager = GetSkinManager();
    if (manager == nullptr || manager->ComponentState().Contains(csDestroying)) return false;
    const TsSkin* skin = SkinOfManager(manager);
    if (skin == nullptr || !skin->IsValidSkinIndex(SkinIndex)) return false;
    return !CheckSkinActive || skin->SkinData.Active;
}

void TsCommonData::Loaded()
{
    if (FSkinSection.empty()) {
        String section = DefaultSectionOfCode(COC);
        if (section.empty() && FOwnerObject != nullptr) section = UpperCase(FOwnerObject->ClassName());
        SetSkinSection(section);
    } else {
        UpdateIndexes();
    }
    if (!Skinned() || FOwnerControl == nullptr || FOwnerControl->Parent() == nullptr ||
        ComponentHas(FOwnerObject, csLoading))
        return;
    if (dynamic_cast<TWinControl*>(FOwnerControl) != nullptr) NotifyParentForm(FOwnerControl);
    ApplySkinColors(false);
}

void TsCommonData::ApplySkinColors(bool Repaint)
{
    if (!Skinned() || !IsEditLikeCode(COC) || FOwnerControl == nullptr) return;
    const TsGeneralData& gd = Skin()->gd[SkinIndex];
    auto changed = [&](TColor C) {
        TColor c = SkinColorToRGB(C);
        if (FHUEOffset != 0) c = ShiftColorHue(FHUEOffset, c);
        if (FSaturation != 0) c = ShiftColorSaturation(c, FSaturation);
        return c;
    };
    if (!FCustomColor) {
        const TColor c = changed(gd.Color);
        if (FOwnerControl->Color() != c) FOwnerControl->SetColor(c);
    }
    if (!FCustomFont) {
        const TColor c = changed(gd.FontColor.Color);
        if (FOwnerControl->Font()->Color() != c) FOwnerControl->Font()->SetColor(c);
    }
    if (Repaint) Invalidate();
}

// --- Glow ----------------------------------------------------------------------------------------

namespace {

// The part of a window that is not covered, in the window's own coordinates.
TRect VisiblePartOf(HWND Window)
{
    RECT box{0, 0, 0, 0};
    if (HDC dc = GetWindowDC(Window)) {
        GetClipBox(dc, &box);
        ReleaseDC(Window, dc);
    }
    return TRect{box.left, box.top, box.right, box.bottom};
}

// The window a control's glow is placed above: its form's parent, else the form.
HWND GlowHostOf(TControl* Control)
{
    TCustomForm* form = GetParentForm(Control);
    if (form == nullptr) return nullptr;
    if (form->Parent() != nullptr) return form->Parent()->Handle();
    return form->Handle();
}

} // namespace

void TsCommonData::RefreshGlow(bool Hide, HWND Handle)
{
    TsSkinManager* manager = GetSkinManager();
    if (manager == nullptr || !manager->AllowGlowing() || !manager->IsValidSkinIndex(SkinIndex)) return;
    const TsGeneralData& section = manager->gd[SkinIndex];
    if (section.GlowCount < 1) return;
    TRect r{0, 0, 0, 0}, visible{0, 0, 0, 0};
    HWND host = nullptr;
    if (FOwnerControl != nullptr) {
        const bool leftHeld = (SystemFacts().KeyState(VK_LBUTTON) & 0x8000) != 0;
        if (!FMouseAbove || leftHeld || (Hide && GlowID != -1)) {
            FreeGlowEffect(GlowID);
            GlowID = -1;
            return;
        }
        host = GlowHostOf(FOwnerControl);
        if (auto* windowed = dynamic_cast<TWinControl*>(FOwnerControl)) {
            const HWND wnd = windowed->Handle();
            RECT wr{};
            GetWindowRect(wnd, &wr);
            r = TRect{wr.left, wr.top, wr.right, wr.bottom};
            visible = VisiblePartOf(wnd);
            if (host == nullptr) host = GetAncestor(wnd, GA_ROOT);
        } else {
            TWinControl* parent = FOwnerControl->Parent();
            if (parent == nullptr) return;
            const TRect bounds = FOwnerControl->BoundsRect();
            const TPoint origin = parent->ClientOrigin();
            r = TRect{bounds.left + origin.x, bounds.top + origin.y, bounds.right + origin.x, bounds.bottom + origin.y};
            const TRect parentVisible = VisiblePartOf(parent->Handle());
            RECT inside{};
            IntersectRect(&inside, &bounds, &parentVisible);
            visible = TRect{inside.left - bounds.left, inside.top - bounds.top, inside.right - bounds.left,
                            inside.bottom - bounds.top};
            if (host == nullptr) host = GetAncestor(parent->Handle(), GA_ROOT);
        }
    } else {
        if (Handle == nullptr) return;
        RECT wr{};
        GetWindowRect(Handle, &wr);
        r = TRect{wr.left, wr.top, wr.right, wr.bottom};
        visible = VisiblePartOf(Handle);
        host = GetAncestor(Handle, GA_ROOT);
    }
    // A glow already shown would otherwise stay on screen, out of reach of its control.
    FreeGlowEffect(GlowID);
    GlowID = ShowGlowEffect(r, visible, section.ClassName, L"GLOW", section.GlowMargin, host, manager);
}

void TsCommonData::SetCustomColor(bool Value)
{
    if (FCustomColor == Value) return;
    FCustomColor = Value;
    if (!ComponentHas(FOwnerObject, csLoading)) ApplySkinColors(true);
}

void TsCommonData::SetCustomFont(bool Value)
{
    if (FCustomFont == Value) return;
    FCustomFont = Value;
    if (!ComponentHas(FOwnerObject, csLoading)) ApplySkinColors(true);
}

void TsCommonData::SetHUEOffset(int Value)
{
    if (FHUEOffset == Value) return;
    FHUEOffset = Value;
    Loaded();
    Invalidate();
}

void TsCommonData::SetSaturation(int Value)
{
    if (FSaturation == Value) return;
    FSaturation = Value;
    Loaded();
    Invalidate();
}

// --- Repainting and updates ------------------------------------------------------------------

void TsCommonData::Invalidate()
{
    if (FOwnerControl == nullptr) return;
    if (ComponentHas(FOwnerControl, csDestroying) || ComponentHas(FOwnerControl, csLoading)) return;
    BGChanged = true;
    if (!FOwnerControl->Visible() || FOwnerControl->Parent() == nullptr) return;
    if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl)) {
        if (win->HandleAllocated())
            RedrawWindow(win->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else if (FOwnerControl->Parent()->HandleAllocated()) {
        FOwnerControl->Repaint();
    }
}

bool TsCommonData::Updating()
{
    TsSkinManager* manager = GetSkinManager();
    if (manager == nullptr || ComponentHas(FOwnerObject, csDesigning)) return false;
    if (!FullPaintNeeded()) return FUpdating;
    if (FOwnerControl == nullptr) return FUpdating;
    if (ComponentHas(FOwnerControl, csDestroying)) return FUpdating;
    if (FUpdating) return true;
    if (FOwnerControl->Parent() == nullptr) return false;
    return FOwnerControl->Parent()->Perform(SM_LUMACMD, MakeSkinWParam(AC_QUERYBUSY), 0) == 1;
}

void TsCommonData::BeginUpdate()
{
    ++FUpdateCount;
    FUpdating = true;
    CtrlSkinState |= ACS_LOCKED;
    if (FOwnerControl != nullptr) FOwnerControl->Perform(SM_LUMACMD, MakeSkinWParam(AC_UPDATESTART), 0);
}

void TsCommonData::EndUpdate(bool Repaint)
{
    --FUpdateCount;
    FUpdating = false;
    CtrlSkinState &= static_cast<std::uint16_t>(~ACS_LOCKED);
    if (FUpdateCount <= 0 && FOwnerControl != nullptr)
        FOwnerControl->Perform(SM_LUMACMD, MakeSkinWParam(AC_UPDATEDONE), 0);
    if (Repaint) Invalidate();
}

bool TsCommonData::RepaintIfMoved()
{
    if (UrgentPainting || !Skinned() || FOwnerControl == nullptr || !FOwnerControl->Enabled()) return true;
    if (Skin()->gd[SkinIndex].Transparency <= 0) return false;
    return ParentRepaintsWhenMoved(FOwnerControl);
}

bool TsCommonData::FullPaintNeeded()
{
    return FormAnimating || (CtrlSkinState & ACS_FAST) == 0 || HotStateActive();
}

bool TsCommonData::HotStateActive()
{
    if (FOwnerControl == nullptr) return false;
    if (ComponentHas(FOwnerControl, csDestroying) || ComponentHas(FOwnerControl, csDesigning) ||
        !FOwnerControl->Enabled())
        return false;
    if (FFocused) return true;
    if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl)) {
        if (win->HandleAllocated() && GetFocus() == win->Handle()) return dynamic_cast<TCustomPanel*>(win) == nullptr;
    }
    return FMouseAbove && !IsContainerCode(COC);
}

void TsCommonData::InitCacheBitmap()
{
    if (FCacheBmp == nullptr) FCacheBmp = MakeBitmap32(0, 0);
    if (FCacheBmp->BitsPerPixel() != 32) FCacheBmp->SetPixelFormat(pf32bit);
    FCacheBmp->SetHandleType(bmDIB);
    if (FOwnerControl == nullptr) return;
    const int w = std::max(FOwnerControl->Width(), 0), h = std::max(FOwnerControl->Height(), 0);
    if (FCacheBmp->Width() != w || FCacheBmp->Height() != h) FCacheBmp->SetSize(w, h);
}

void TsCommonData::EmptyCache()
{
    if (FCacheBmp != nullptr) FCacheBmp->SetSize(0, 0);
}

int TsCommonData::MaxBorderWidth() const
{
    const TsSkin* skin = Skin();
    if (skin == nullptr || !skin->IsValidImgIndex(BorderIndex)) return 0;
    const TsMaskData& m = skin->ma[BorderIndex];
    if ((m.DrawMode & 2) != 0) return 0;
    return std::max({static_cast<int>(m.WL), static_cast<int>(m.WT), static_cast<int>(m.WR), static_cast<int>(m.WB)});
}

// --- Background ----------------------------------------------------------------------------------

bool TsCommonData::HasComplexBackground()
{
    const TsSkin* skin = Skin();
    if (skin == nullptr || !skin->IsValidSkinIndex(SkinIndex)) return false;
    if (skin->IsValidImgIndex(BorderIndex)) {
        const TsMaskData& m = skin->ma[BorderIndex];
        if (m.WL + m.WR > 20 || m.WT + m.WB > 20) return true;
    }
    const TsGeneralData& gd = skin->gd[SkinIndex];
    const int t = gd.Transparency;
    if (t == 100) {
        if (FOwnerControl == nullptr || FOwnerControl->Parent() == nullptr) return true;
        const LRESULT bits = FOwnerControl->Parent()->Perform(SM_LUMACMD, MakeSkinWParam(AC_QUERYSTATEBITS), 0);
        return (bits & ACS_FAST) == 0;
    }
    if (t > 0) return true;
    return gd.ImagePercent != 0 || gd.GradientPercent != 0;
}

void TsCommonData::EvalBackgroundState(bool NotifyChildren)
{
    CtrlSkinState &= static_cast<std::uint16_t>(~ACS_FAST);
    auto* win = dynamic_cast<TWinControl*>(FOwnerControl);
    const bool container = dynamic_cast<TCustomPanel*>(FOwnerControl) != nullptr ||
                           dynamic_cast<TScrollingWinControl*>(FOwnerControl) != nullptr ||
                           dynamic_cast<TPageControl*>(FOwnerControl) != nullptr;
    if (container && !HasComplexBackground()) CtrlSkinState |= ACS_FAST;
    // A form's plain background lets the form and its children paint by a fill; an MDI parent's
    // client area belongs to its children and is never plain.
    if (TCustomForm* form = ProviderForm(); form != nullptr && form->FormStyle() != fsMDIForm && !HasComplexBackground())
        CtrlSkinState |= ACS_FAST;
    if (!NotifyChildren || win == nullptr) return;
    for (int i = 0; i < win->ControlCount(); ++i)
        win->Controls(i)->Perform(SM_LUMACMD, MakeSkinWParam(AC_QUERYSTATEBITS), 1);
}

TColor TsCommonData::ParentBackColor(HWND Handle)
{
    if (FOwnerControl != nullptr && FOwnerControl->Parent() != nullptr) {
        TWinControl* parent = FOwnerControl->Parent();
        const LRESULT answer = parent->Perform(SM_LUMACMD, MakeSkinWParam(AC_QUERYBGCOLOR), 0);
        return answer != 0 ? static_cast<TColor>(answer) : ColorToRGB(parent->Color());
    }
    if (Handle != nullptr && GetParent(Handle) != nullptr) {
        const LRESULT answer = SendMessageW(GetParent(Handle), SM_LUMACMD, MakeSkinWParam(AC_QUERYBGCOLOR), 0);
        if (answer != 0) return static_cast<TColor>(answer);
    }
    return ColorToRGB(clBtnFace);
}

TColor TsCommonData::StateBackColor(bool Hot, HWND Handle)
{
    if (!Skinned()) return OwnerColor();
    const TsGeneralData& gd = Skin()->gd[SkinIndex];
    const int state = Hot && gd.States > 1 ? 1 : 0;
    const int t = state == 0 ? gd.Transparency : gd.HotTransparency;
    const TColor c = SkinColorToRGB(state == 0 ? gd.Color : gd.HotColor);
    if (t == 0) return FCustomColor ? OwnerColor() : c;
    const TColor parent = ParentBackColor(Handle);
    if (t == 100) return parent;
    // T percent of what lies behind shows through, as everywhere else transparency is painted.
    return MixColors(parent, c, t / 100.0);
}

void TsCommonData::DescribeBackground(TBackgroundQuery& Query, bool Hot, HWND Handle)
{
    if (!Skinned() || FCustomColor) {
        Query.Kind = bgkColor;
        Query.Color = OwnerColor();
        return;
    }
    const TsGeneralData& gd = Skin()->gd[SkinIndex];
    const bool hot = Hot && gd.States > 1;
    const int t = hot ? gd.HotTransparency : gd.Transparency;
    const int g = hot ? gd.HotGradientPercent : gd.GradientPercent;
    const int i = hot ? gd.HotImagePercent : gd.ImagePercent;
    const bool noCache = FCacheBmp == nullptr || FCacheBmp->Empty();
    if (t == 0 && g <= 0 && i < 1) {
        Query.Kind = bgkColor;
        Query.Bitmap = FCacheBmp.get();
        Query.Color = StateBackColor(Hot, Handle);
        if (Query.DrawRequested) PaintColorRect(Query.DC, Query.Rect, Query.Color);
        return;
    }
    if (t == 100 && ((CtrlSkinState & ACS_FAST) != 0 || noCache || BGChanged)) {
        TPoint offset{0, 0};
        bool answered = false;
        if (FOwnerControl != nullptr && FOwnerControl->Parent() != nullptr) {
            offset = TPoint{FOwnerControl->Left(), FOwnerControl->Top()};
            QueryControlBackground(Query, FOwnerControl->Parent(), Query.DrawRequested != 0);
            answered = true;
        } else if (Handle != nullptr && GetParent(Handle) != nullptr) {
            RECT r{};
            GetWindowRect(Handle, &r);
            MapWindowPoints(nullptr, GetParent(Handle), reinterpret_cast<POINT*>(&r), 2);
            offset = TPoint{r.left, r.top};
            QueryWndBackground(Query, GetParent(Handle), Query.DrawRequested != 0);
            answered = true;
        }
        if (!answered) {
            Query.Kind = bgkColor;
            Query.Color = ManagerGlobalColor(TsSkinManager::DefaultSkinManager());
        } else if (Query.Kind == bgkBitmap) {
            Query.OffsetX += offset.x;
            Query.OffsetY += offset.y;
        }
        return;
    }
    if (t == 0) {
        Query.Color = ManagerGlobalColor(TsSkinManager::DefaultSkinManager());
    }
    if (noCache) {
        Query.Kind = bgkColor;
        Query.Color = NoSkinColor;
        return;
    }
    Query.Kind = bgkBitmap;
    if (Query.DrawRequested) {
        BitBlt(Query.DC, Query.Rect.left, Query.Rect.top, Query.Rect.right - Query.Rect.left,
               Query.Rect.bottom - Query.Rect.top, FCacheBmp->Canvas()->Handle(), Query.OffsetX, Query.OffsetY, SRCCOPY);
        return;
    }
    Query.Bitmap = FCacheBmp.get();
    Query.OffsetX = 0;
    Query.OffsetY = 0;
}

TCacheInfo TsCommonData::GetParentCacheInfo()
{
    if (Skinned() && FOwnerControl != nullptr && FOwnerControl->Parent() != nullptr) {
        TBackgroundQuery query;
        QueryControlBackground(query, FOwnerControl->Parent(), false);
        TCacheInfo ci = BackgroundToCacheInfo(query);
        ci.X += FOwnerControl->Left();
        ci.Y += FOwnerControl->Top();
        return ci;
    }
    if (auto* win = dynamic_cast<TWinControl*>(FOwnerControl); win != nullptr && win->HandleAllocated())
        return WndParentCacheInfo(win->Handle());
    TCacheInfo ci;
    ci.X = ci.Y = 0;
    ci.FillColor = StateBackColor(false);
    ci.Ready = false;
    return ci;
}

// --- Free helpers ----------------------------------------------------------------------------------

int FontSourceSectionIndex(TControl* Control, int Default, TsSkinManager* Manager)
{
    const TsSkin* skin = SkinOfManager(Manager);
    if (Control == nullptr || Control->Parent() == nullptr || skin == nullptr) return Default;
    auto askSection = [&](TWinControl* Parent) {
        TacSectionInfo info;
        Parent->Perform(SM_LUMACMD, MakeSkinWParam(AC_QUERYSKININDEX), reinterpret_cast<LPARAM>(&info));
        return skin->IsValidSkinIndex(info.SkinIndex) ? info.SkinIndex : -1;
    };
    TWinControl* parent = Control->Parent();
    int index = askSection(parent);
    if (index < 0) return Default;
    // A mostly see-through parent shows its own parent's surface, whose font suits better.
    if (skin->gd[index].Transparency > 50 && parent->Parent() != nullptr) {
        index = askSection(parent->Parent());
        if (index < 0) return Default;
    }
    return skin->gd[index].GiveOwnFont ? index : Default;
}

bool ParentRepaintsWhenMoved(TControl* Control)
{
    if (Control == nullptr || Control->Parent() == nullptr || !Control->Parent()->HandleAllocated()) return false;
    return Control->Parent()->Perform(SM_LUMACMD, MakeSkinWParam(AC_QUERYMOVEREPAINT), 0) == 1;
}

TCacheInfo WndParentCacheInfo(HWND Window)
{
    HWND parent = Window != nullptr ? GetParent(Window) : nullptr;
    if (parent == nullptr) return EmptyCI;
    TBackgroundQuery query;
    QueryWndBackground(query, parent, false);
    TCacheInfo ci = BackgroundToCacheInfo(query);
    RECT r{};
    GetWindowRect(Window, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    ci.X += r.left;
    ci.Y += r.top;
    return ci;
}

void RegisterCommonDataClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterSkinManagerClasses();
    RegisterPublishedClass<TsCommonData>(L"TsCommonData", L"TPersistent")
        .Boolean(L"CustomColor", [](TsCommonData* d, bool v) { d->SetCustomColor(v); })
        .Boolean(L"CustomFont", [](TsCommonData* d, bool v) { d->SetCustomFont(v); })
        .Component<TsSkinManager>(L"SkinManager", L"TsSkinManager",
                                  [](TsCommonData* d, TsSkinManager* v) { d->SetSkinManager(v); })
        .Text(L"SkinSection", [](TsCommonData* d, const String& v) { d->SetSkinSection(v); });
    RegisterPublishedClass<TsCtrlSkinData>(L"TsCtrlSkinData", L"TsCommonData")
        .Integer(L"HUEOffset", [](TsCtrlSkinData* d, int v) { d->SetHUEOffset(v); })
        .Integer(L"Saturation", [](TsCtrlSkinData* d, int v) { d->SetSaturation(v); });
}
