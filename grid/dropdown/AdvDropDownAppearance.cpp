// The header and footer bar settings of a drop-down's pop-up and their button collections.
#include "grid/dropdown/AdvDropDown.h"

#include "framework/classes/PropertyRegistry.h"

#include <typeinfo>

void THeaderButton::SetCaption(const String& Value) { ChangeItem(FCaption, Value); }
void THeaderButton::SetEnabled(bool Value) { ChangeItem(FEnabled, Value); }
void THeaderButton::SetWidth(int Value) { ChangeItem(FWidth, Value); }

void THeaderButton::Assign(TPersistent* Source)
{
    auto* src = dynamic_cast<THeaderButton*>(Source);
    if (src == nullptr) return;
    SetCaption(src->FCaption);
    ImageIndex = src->ImageIndex;
    SetEnabled(src->FEnabled);
    Height = src->Height;
    SetWidth(src->FWidth);
}

void TFooterButton::Assign(TPersistent* Source)
{
    THeaderButton::Assign(Source);
    if (auto* src = dynamic_cast<TFooterButton*>(Source)) ModalResult = src->ModalResult;
}

THeaderAppearance::THeaderAppearance(TPersistent* AOwner)
    : THeaderAppearance(AOwner, std::make_unique<THeaderButtons>(AOwner))
{
    Font()->SetName(L"Tahoma");
}

THeaderAppearance::THeaderAppearance(TPersistent* AOwner, std::unique_ptr<THeaderButtons> Buttons)
    : FOwner(AOwner), FFont(std::make_unique<TFont>()), FButtons(std::move(Buttons))
{
    FButtons->OnChange = [this](TObject*) {
        if (OnButtonsChanged) OnButtonsChanged(this);
    };
}

THeaderAppearance::~THeaderAppearance() = default;

void THeaderAppearance::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    FVisible = Value;
    if (OnChange) OnChange(this);
}

void THeaderAppearance::AssignColors(THeaderAppearance* Source)
{
    if (Source == nullptr) return;
    ColorTo = Source->ColorTo;
    Color = Source->Color;
    BorderColor = Source->BorderColor;
    FFont->Assign(Source->FFont.get());
    GradientDirection = Source->GradientDirection;
}

void THeaderAppearance::Assign(TPersistent* Source)
{
    // A footer's settings do not go into a header, nor the other way round.
    if (Source == nullptr || typeid(*Source) != typeid(*this)) return;
    auto* src = static_cast<THeaderAppearance*>(Source);
    SetVisible(src->FVisible);
    Height = src->Height;
    BorderWidth = src->BorderWidth;
    ImageIndex = src->ImageIndex;
    Caption = src->Caption;
    AssignColors(src);
    ButtonAlignment = src->ButtonAlignment;
    FButtons->Assign(src->FButtons.get());
}

TFooterAppearance::TFooterAppearance(TPersistent* AOwner)
    : THeaderAppearance(AOwner, std::make_unique<TFooterButtons>(AOwner))
{
}

void TFooterAppearance::Assign(TPersistent* Source)
{
    THeaderAppearance::Assign(Source);
    if (Source != nullptr && typeid(*Source) == typeid(*this)) SizeGrip = static_cast<TFooterAppearance*>(Source)->SizeGrip;
}

void RegisterDropDownBarClasses()
{
    RegisterEnumType(L"TGradientDirection", {L"gdHorizontal", L"gdVertical"});
    RegisterEnumType(L"TButtonAlignment", {L"baLeft", L"baRight"});
    RegisterPublishedClass<THeaderButton>(L"THeaderButton", L"TCollectionItem")
        .Text(L"Caption", [](THeaderButton* o, const String& v) { o->SetCaption(v); })
        .Integer(L"ImageIndex", [](THeaderButton* o, int v) { o->ImageIndex = v; }, L"-1")
        .Boolean(L"Enabled", [](THeaderButton* o, bool v) { o->SetEnabled(v); }, L"True")
        .Integer(L"Height", [](THeaderButton* o, int v) { o->Height = v; })
        .Integer(L"Width", [](THeaderButton* o, int v) { o->SetWidth(v); });
    RegisterPublishedClass<TFooterButton>(L"TFooterButton", L"THeaderButton")
        .Integer(L"ModalResult", [](TFooterButton* o, int v) { o->ModalResult = v; });
    RegisterPublishedClass<THeaderAppearance>(L"THeaderAppearance", L"TPersistent")
        .Boolean(L"Visible", [](THeaderAppearance* o, bool v) { o->SetVisible(v); }, L"True")
        .Integer(L"Height", [](THeaderAppearance* o, int v) { o->Height = v; }, L"22")
        .Integer(L"BorderWidth", [](THeaderAppearance* o, int v) { o->BorderWidth = v; }, L"1")
        .Integer(L"ImageIndex", [](THeaderAppearance* o, int v) { o->ImageIndex = v; }, L"-1")
        .Text(L"Caption", [](THeaderAppearance* o, const String& v) { o->Caption = v; })
        .Integer(L"ColorTo", [](THeaderAppearance* o, TColor v) { o->ColorTo = v; }, L"clWhite", L"TColor")
        .Integer(L"Color", [](THeaderAppearance* o, TColor v) { o->Color = v; }, L"clSilver", L"TColor")
        .Integer(L"BorderColor", [](THeaderAppearance* o, TColor v) { o->BorderColor = v; }, L"clBlack", L"TColor")
        .Object(L"Font", L"TFont", [](THeaderAppearance* o) { return o->Font(); })
        .Collection(L"Buttons", L"THeaderButton", [](THeaderAppearance* o) { return o->Buttons(); })
        .Enum<TGradientDirection>(L"GradientDirection", L"TGradientDirection",
                                           [](THeaderAppearance* o, TGradientDirection v) { o->GradientDirection = v; }, L"gdVertical")
        .Enum<TButtonAlignment>(L"ButtonAlignment", L"TButtonAlignment",
                                         [](THeaderAppearance* o, TButtonAlignment v) { o->ButtonAlignment = v; }, L"baRight");
    RegisterPublishedClass<TFooterAppearance>(L"TFooterAppearance", L"THeaderAppearance")
        .Boolean(L"SizeGrip", [](TFooterAppearance* o, bool v) { o->SizeGrip = v; }, L"True")
        .Collection(L"Buttons", L"TFooterButton", [](TFooterAppearance* o) { return o->Buttons(); });
}
