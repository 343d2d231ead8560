// sCommonData: the caption label an edit control shows through its bound-label settings.
#include <algorithm>

#include "framework/controls/Controls.h"
#include "framework/stdctrls/Label.h"
#include "skin/core/sCommonData.h"

TsEditLabelHooks& EditLabelHooks()
{
    static TsEditLabelHooks hooks;
    return hooks;
}

TsBoundLabel::TsBoundLabel(TControl* AOwner, TsCommonData* CommonData)
    : FFont(std::make_unique<TFont>()), FCommonData(CommonData), FOwner(AOwner)
{
}

TsBoundLabel::~TsBoundLabel()
{
    // The label tells us it goes; nothing of ours may be touched after that.
    delete FTheLabel;
    FTheLabel = nullptr;
}

void TsBoundLabel::LabelDestroyed()
{
    FTheLabel = nullptr;
    FActive = false;
}

TAlignment TsBoundLabel::LabelAlignment() const
{
    switch (FLayout) {
    case sclTopLeft: return taLeftJustify;
    case sclTopCenter: return taCenter;
    default: return taRightJustify;
    }
}

void TsBoundLabel::SetActive(bool Value)
{
    if (!Value) {
        delete FTheLabel;
        FTheLabel = nullptr;
        FActive = false;
        return;
    }
    FActive = true;
    if (FOwner == nullptr) return;
    if (FTheLabel == nullptr) {
        if (!EditLabelHooks().Create) return;
        FTheLabel = EditLabelHooks().Create(this, nullptr);
        if (FTheLabel == nullptr) return;
        FTheLabel->Font()->Assign(FFont.get());
        if (EditLabelHooks().SetUseSkinColor) EditLabelHooks().SetUseSkinColor(FTheLabel, FUseSkinColor);
    }
    FTheLabel->SetVisible(false);
    FTheLabel->SetParent(FOwner->Parent());
    FTheLabel->SetFocusControl(dynamic_cast<TWinControl*>(FOwner));
    FTheLabel->SetAlignment(LabelAlignment());
    FTheLabel->SetName(FOwner->Name() + L"Label");
    FTheLabel->SetCaption(FText.empty() ? FOwner->Name() : FText);
    if (FOwner->Visible() || FOwner->ComponentState().Contains(csDesigning)) FTheLabel->SetVisible(true);
    FTheLabel->SetEnabled(FOwner->Enabled());
    AlignLabel();
}

void TsBoundLabel::AlignLabel()
{
    if (FTheLabel == nullptr || FOwner == nullptr || !FTheLabel->Visible()) return;
    FTheLabel->SetAutoSize(true);
    const int labelWidth = FTheLabel->Width(), labelHeight = FTheLabel->Height();
    int left = FOwner->Left(), top = FOwner->Top() - labelHeight - FIndent;
    switch (FLayout) {
    case sclLeft:
        left = FOwner->Left() - labelWidth - FIndent - 4;
        top = FOwner->Top() + (FOwner->Height() - labelHeight) / 2;
        break;
    case sclTopLeft: break;
    case sclTopCenter: left = FOwner->Left() + (FOwner->Width() - labelWidth) / 2; break;
    case sclTopRight: left = FOwner->Left() + FOwner->Width() - labelWidth; break;
    }
    FTheLabel->SetBounds(left, top, labelWidth, labelHeight);
    FTheLabel->SetParent(FOwner->Parent());
    if (FMaxWidth != 0) {
        FTheLabel->SetAutoSize(false);
        FTheLabel->SetWidth(FMaxWidth);
        FTheLabel->SetWordWrap(true);
        FTheLabel->SetHeight(std::max(FTheLabel->Height(), FOwner->Height()));
    }
}

void TsBoundLabel::FollowOwner(const TMessage& Message, bool BlendedWhenDisabled)
{
    if (FTheLabel == nullptr || FOwner == nullptr) return;
    switch (Message.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: break;
    case CM_VISIBLECHANGED: FTheLabel->SetVisible(FOwner->Visible()); break;
    case CM_ENABLEDCHANGED: FTheLabel->SetEnabled(FOwner->Enabled() || !BlendedWhenDisabled); break;
    case CM_BIDIMODECHANGED: FTheLabel->SetBiDiMode(FOwner->BiDiMode()); break;
    default: return;
    }
    AlignLabel();
}

void TsBoundLabel::Realign()
{
    if (FActive) AlignLabel();
}

void TsBoundLabel::SetCaption(const String& Value)
{
    if (FText == Value) return;
    FText = Value;
    if (FTheLabel != nullptr) FTheLabel->SetCaption(FText);
    Realign();
}

void TsBoundLabel::SetIndent(int Value)
{
    FIndent = Value;
    Realign();
}

void TsBoundLabel::SetLayout(TsCaptionLayout Value)
{
    FLayout = Value;
    if (FTheLabel != nullptr) FTheLabel->SetAlignment(LabelAlignment());
    Realign();
}

void TsBoundLabel::SetMaxWidth(int Value)
{
    FMaxWidth = Value;
    Realign();
}

TFont* TsBoundLabel::Font() const
{
    return FTheLabel != nullptr ? FTheLabel->Font() : FFont.get();
}

void TsBoundLabel::SetFont(TFont* Value)
{
    // Kept for the label to come as well, so that a font set early is not lost.
    FFont->Assign(Value);
    if (FTheLabel == nullptr) return;
    FTheLabel->Font()->Assign(Value);
    if (FOwner != nullptr) FTheLabel->SetParent(FOwner->Parent());
    Realign();
}

bool TsBoundLabel::UseSkinColor() const
{
    if (FTheLabel != nullptr && EditLabelHooks().UseSkinColor) return EditLabelHooks().UseSkinColor(FTheLabel);
    return FUseSkinColor;
}

void TsBoundLabel::SetUseSkinColor(bool Value)
{
    FUseSkinColor = Value;
    if (FTheLabel != nullptr && EditLabelHooks().SetUseSkinColor) EditLabelHooks().SetUseSkinColor(FTheLabel, Value);
}
