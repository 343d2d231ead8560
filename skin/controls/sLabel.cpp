#include "skin/controls/sLabel.h"

#include "framework/controls/Forms.h"
#include "framework/facts/SystemFacts.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sFrameworkUtils.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sSkinManager.h"
#include "framework/system/ScopeGuards.h"

namespace {

// Paint copies the skin's colour into the font; the font change that causes must not resize
// or repaint the label again.
bool GPaintUpdatesFont = false;
// Resizing on a font change changes the font's measure again: handle it once.
bool GHandlingFontChange = false;

TsSkinManager* ActiveDefaultManager()
{
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    return manager != nullptr && manager->SkinData.Active ? manager : nullptr;
}

bool FromDefaultManager(const TMessage& Message)
{
    return reinterpret_cast<TsSkinManager*>(Message.LParam) == TsSkinManager::DefaultSkinManager();
}

bool IsSkinCmd(const TMessage& Message, int Sub)
{
    return Message.Msg == SM_LUMACMD && SkinCmdSub(Message.WParam) == Sub;
}

} // namespace

// ---- TsCustomLabel ----------------------------------------------------------------------------

TsCustomLabel::TsCustomLabel(TComponent* AOwner) : TCustomLabel(AOwner)
{
    SetTransparent(true);
}

void TsCustomLabel::SetSkinSection(const String& Value)
{
    if (FSkinSection == Value) return;
    FSkinSection = Value;
    Invalidate();
}

TColor TsCustomLabel::SkinFontColor()
{
    TsSkinManager* manager = ActiveDefaultManager();
    if (manager == nullptr) return NoSkinColor;
    int index = FontSourceSectionIndex(this, -1, manager);
    return index >= 0 ? SkinColorToRGB(manager->gd[index].FontColor.Color) : manager->GetGlobalFontColor();
}

TFont* TsCustomLabel::GetPaintFont()
{
    TColor color = SkinFontColor();
    if (color != NoSkinColor && color != Font()->Color()) Font()->SetColor(color);
    return Font();
}

void TsCustomLabel::Paint()
{
    if (Destroying()) return;
    if (!GPaintUpdatesFont) {
        TValueRestore<bool> updating(GPaintUpdatesFont, true);
        TFont* font = GetPaintFont();
        if (font != Font()) Font()->Assign(font);
        TsSkinManager* manager = ActiveDefaultManager();
        if (!FSkinSection.empty() && manager != nullptr) {
            int index = manager->GetSkinIndex(FSkinSection);
            if (index >= 0) Font()->SetColor(SkinColorToRGB(manager->gd[index].FontColor.Color));
        }
    }
    PaintSkinSection();
    TCustomLabel::Paint();
}

void TsCustomLabel::PaintSkinSection()
{
    TsSkinManager* manager = ActiveDefaultManager();
    if (FSkinSection.empty() || manager == nullptr || Parent() == nullptr) return;
    int index = manager->GetSkinIndex(FSkinSection);
    if (index <= 0) return;
    TBackgroundQuery query;
    QueryControlBackground(query, Parent(), false);
    DrawSectionToDC(index, FSkinSection, BackgroundToCacheInfo(query), &manager->Skin(), Canvas()->Handle(),
                    TPoint{Left(), Top()}, TRect{0, 0, Width(), Height()}, 0);
}

void TsCustomLabel::DoDrawText(TRect& Rect, UINT Flags)
{
    TsSkinManager* manager = ActiveDefaultManager();
    if (Enabled() || manager == nullptr || manager->ComponentState().Contains(csDestroying)) {
        TCustomLabel::DoDrawText(Rect, Flags);
        return;
    }
    // Disabled under a skin: the font colour faded into what lies behind the label.
    String text = GetLabelText();
    if ((Flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == L"&"))) text += L" ";
    if (!ShowAccelChar()) Flags |= DT_NOPREFIX;
    Flags = BiDiDrawTextFlags(this, Flags);
    TCanvas* canvas = Canvas();
    canvas->SetFont(Font());
    canvas->Font()->SetColor(MixColors(ColorToRGB(Font()->Color()), ControlBackColor(Parent()), 0.4));
    canvas->TextRect(Rect, text, Flags);
}

void TsCustomLabel::WndProc(TMessage& Message)
{
    if (Message.Msg == CM_FONTCHANGED && !Destroying() && !GHandlingFontChange) {
        if (GPaintUpdatesFont) return;
        TValueRestore<bool> handling(GHandlingFontChange, true);
        if (AutoSize()) {
            AdjustBounds();
            Invalidate();
        }
        return;
    }
    TCustomLabel::WndProc(Message);
    if (IsSkinCmd(Message, AC_SKINUNLOADED)) {
        if (!Destroying() && FromDefaultManager(Message)) Font()->SetColor(clWindowText);
    } else if (IsSkinCmd(Message, AC_RESKIN)) {
        if (ComponentState().Contains(csDesigning)) Invalidate();
    }
}

// ---- TsLabel ----------------------------------------------------------------------------------

TsLabel::TsLabel(TComponent* AOwner) : TsCustomLabel(AOwner) {}

TFont* TsLabel::GetPaintFont()
{
    // Designing needs no frame test here: the framework has no frames to design in.
    if (Destroying() || ActiveDefaultManager() == nullptr || !FUseSkinColor) return Font();
    return TsCustomLabel::GetPaintFont();
}

void TsLabel::WndProc(TMessage& Message)
{
    if (IsSkinCmd(Message, AC_SKINUNLOADED)) {
        if (!Destroying() && FromDefaultManager(Message) && FUseSkinColor) Font()->SetColor(clWindowText);
        return;
    }
    TsCustomLabel::WndProc(Message);
}

// ---- TsWebLabel -------------------------------------------------------------------------------

TsWebLabel::TsWebLabel(TComponent* AOwner)
    : TsLabel(AOwner), FNormalFont(std::make_unique<TFont>()), FHoverFont(std::make_unique<TFont>())
{
    SetCursor(crHandPoint);
    SetTransparent(true);
}

void TsWebLabel::SetFont(TFont* Value)
{
    TsLabel::SetFont(Value);
    FNormalFont->Assign(Value);
    Invalidate();
}

void TsWebLabel::Loaded()
{
    TsLabel::Loaded();
    // The form reader writes the described font into Font: the label's normal look is that font.
    FNormalFont->Assign(Font());
}

TFont* TsWebLabel::GetPaintFont()
{
    const bool hover = MouseAbove && !ComponentState().Contains(csDesigning);
    TFont* font = hover ? FHoverFont.get() : FNormalFont.get();
    TColor color = font->Color();
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    if (UseSkinColor() && manager != nullptr && manager->SkinData.Active &&
        manager->IsValidSkinIndex(manager->ConstData.IndexGLobalInfo)) {
        const TsFontColor& contour = manager->gd[manager->ConstData.IndexGLobalInfo].FontColor;
        color = hover ? contour.Top : contour.Bottom;
        if (color == -1) color = hover ? 0x0000FF : 0xFF0000;
    }
    font->SetColor(color);
    return font;
}

void TsWebLabel::HoverChanged(bool Above)
{
    MouseAbove = Above;
    if (AutoSize()) {
        // The hover font may measure differently.
        Invalidate();
        Update();
        AdjustBounds();
    }
    // The label is transparent: the parent has to repaint what lies under it.
    if (Parent() != nullptr && Parent()->HandleAllocated()) {
        RECT bounds = BoundsRect();
        InvalidateRect(Parent()->Handle(), &bounds, TRUE);
    }
}

void TsWebLabel::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        TsLabel::WndProc(Message);
        // Only the label's own enter and leave; a child's arrive with the child in LParam.
        if (Message.LParam == 0) HoverChanged(Message.Msg == CM_MOUSEENTER);
        return;
    case WM_ERASEBKGND: return;
    case WM_LBUTTONDOWN:
        TsLabel::WndProc(Message);
        if (!FURL.empty()) {
            HWND owner = Application != nullptr ? Application->Handle() : nullptr;
            SystemFacts().ShellOpen(FURL, static_cast<int>(FShowMode), owner);
        }
        return;
    default: TsLabel::WndProc(Message);
    }
}

// ---- TsEditLabel ------------------------------------------------------------------------------

TsEditLabel::TsEditLabel(TComponent* AOwner, TsBoundLabel* BoundStruct) : TsLabel(AOwner), BoundLabel(BoundStruct) {}

TsEditLabel::~TsEditLabel()
{
    // The bound-label settings learn that their label is gone (their Active field, not its
    // setter, which would free the label again).
    if (BoundLabel != nullptr) BoundLabel->LabelDestroyed();
}

namespace {

// The bound-label settings of the skin core make their caption label through these.
struct TEditLabelRegistration {
    TEditLabelRegistration()
    {
        TsEditLabelHooks& hooks = EditLabelHooks();
        hooks.Create = [](TsBoundLabel* Bound, TComponent* Owner) -> TCustomLabel* { return new TsEditLabel(Owner, Bound); };
        hooks.SetUseSkinColor = [](TCustomLabel* Label, bool Value) {
            if (auto* label = dynamic_cast<TsLabel*>(Label)) label->SetUseSkinColor(Value);
        };
        hooks.UseSkinColor = [](TCustomLabel* Label) {
            auto* label = dynamic_cast<TsLabel*>(Label);
            return label == nullptr || label->UseSkinColor();
        };
    }
};
const TEditLabelRegistration EditLabelRegistration;

} // namespace
