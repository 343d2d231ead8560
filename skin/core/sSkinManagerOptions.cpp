// The skin manager's option sub-objects and their published properties.
#include <algorithm>

#include "framework/classes/PropertyRegistry.h"
#include "framework/graphics/Graphics.h"
#include "skin/core/sSkinManager.h"

TacAnimEffects::TacAnimEffects(TsSkinManager* AManager)
    : Manager(AManager), FButtons(std::make_unique<TacBtnEffects>(AManager)), FDialogShow(std::make_unique<TacDialogShow>()),
      FFormShow(std::make_unique<TacFormShow>()), FFormHide(std::make_unique<TacFormHide>()),
      FSkinChanging(std::make_unique<TacSkinChanging>()), FPageChange(std::make_unique<TacPageChange>()),
      FDialogHide(std::make_unique<TacFormHide>()), FMinimizing(std::make_unique<TacMinimizing>()),
      FBlendOnMoving(std::make_unique<TacBlendOnMoving>())
{
}

// --- Stored skins ------------------------------------------------------------------------------

TsStoredSkin::TsStoredSkin(TCollection* ACollection)
    : TCollectionItem(ACollection), PackedData(std::make_unique<TMemoryStream>()), FMasterBitmap(std::make_unique<TBitmap>())
{
}

void TsStoredSkin::Assign(TPersistent* Source)
{
    auto* other = dynamic_cast<TsStoredSkin*>(Source);
    if (other == nullptr) {
        TCollectionItem::Assign(Source);
        return;
    }
    if (other == this) return;
    PackedData->Clear();
    other->PackedData->SaveToStream(PackedData.get());
    PackedData->SetPosition(0);
    FName = other->FName;
    FMasterBitmap->Assign(other->FMasterBitmap.get());
    FShadow1Offset = other->FShadow1Offset;
    FShadow1Color = other->FShadow1Color;
    FShadow1Blur = other->FShadow1Blur;
    FShadow1Transparency = other->FShadow1Transparency;
    FBorderColor = other->FBorderColor;
    FVersion = other->FVersion;
    FAuthor = other->FAuthor;
    FDescription = other->FDescription;
}

void TsStoredSkin::ReadData(TStream* Stream)
{
    PackedData->Clear();
    PackedData->LoadFromStream(Stream);
    PackedData->SetPosition(0);
}

void TsStoredSkin::WriteData(TStream* Stream) const
{
    PackedData->SaveToStream(Stream);
}

TsStoredSkins::TsStoredSkins(TsSkinManager* AOwner) : TCollection(ItemClassOf<TsStoredSkin>()), FOwner(AOwner) {}

int TsStoredSkins::IndexOf(const String& SkinName) const
{
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Name() == SkinName) return i;
    return -1;
}

TPersistent* TsStoredSkins::GetOwner()
{
    return FOwner;
}

// --- Third-party class lists -------------------------------------------------------------------

namespace {

struct TThirdKind {
    const wchar_t* Property;
    const wchar_t* Display;
    const wchar_t* Default;
};

const TThirdKind ThirdKinds[ThirdPartyList::Count] = {
    {L"ThirdEdits", L"Edit",
     L"TEdit\r\nTMemo\r\nTMaskEdit\r\nTLabeledEdit\r\nTHotKey\r\nTListBox\r\nTCheckListBox\r\nTRichEdit\r\nTDateTimePicker"},
    {L"ThirdButtons", L"Button", L"TButton"},
    {L"ThirdBitBtns", L"BitBtn", L"TBitBtn"},
    {L"ThirdCheckBoxes", L"CheckBox", L"TCheckBox\r\nTRadioButton\r\nTGroupButton"},
    {L"ThirdComboBoxes", L"ComboBox", L"TComboBox\r\nTColorBox"},
    {L"ThirdGrids", L"Grid", L"TStringGrid\r\nTDrawGrid"},
    {L"ThirdGroupBoxes", L"GroupBox", L"TGroupBox\r\nTRadioGroup"},
    {L"ThirdListViews", L"ListView", L"TListView"},
    {L"ThirdPanels", L"Panel", L"TPanel"},
    {L"ThirdTreeViews", L"TreeView", L"TTreeView"},
    // One space: a line that names no class, so that nothing is taken over.
    {L"ThirdWWEdits", L"wwEdit", L" "},
    {L"ThirdGridEh", L"GridEh", L" "},
    {L"ThirdVirtualTrees", L"VirtualTree", L" "},
    {L"ThirdPageControl", L"PageControl", L"TPageControl"},
    {L"ThirdTabControl", L"TabControl", L"TTabControl"},
    {L"ThirdToolBar", L"ToolBar", L"TToolBar"},
    {L"ThirdStatusBar", L"StatusBar", L"TStatusBar"},
    {L"ThirdSpeedButton", L"SpeedButton", L"TSpeedButton"},
};

bool InRange(int Index)
{
    return Index >= 0 && Index < ThirdPartyList::Count;
}

} // namespace

String ThirdPartyList::Items(int Index) const
{
    return InRange(Index) ? FItems[Index] : String();
}

void ThirdPartyList::SetItems(int Index, const String& Value)
{
    if (InRange(Index)) FItems[Index] = Value;
}

String ThirdPartyList::DisplayName(int Index)
{
    return InRange(Index) ? ThirdKinds[Index].Display : L"";
}

String ThirdPartyList::DefaultItems(int Index)
{
    return InRange(Index) ? ThirdKinds[Index].Default : L"";
}

TacMenuSupport::TacMenuSupport() : FExtraLineFont(std::make_unique<TFont>()) {}

// --- Published properties ----------------------------------------------------------------------

namespace {

template <class T>
void RegisterAnimation(const wchar_t* Name, bool WithMode, bool WithBlend, const wchar_t* Active, const wchar_t* Time,
                       const wchar_t* Mode)
{
    auto reg = RegisterPublishedClass<T>(Name, L"TacFormAnimation");
    reg.Boolean(L"Active", [](T* a, bool v) { a->SetActive(v); }, Active)
        .Integer(L"Time", [](T* a, int v) { a->SetTime(static_cast<std::uint16_t>(std::clamp(v, 0, 0xFFFF))); }, Time);
    if (WithMode) reg.template Enum<TacAnimType>(L"Mode", L"TacAnimType", [](T* a, TacAnimType v) { a->SetMode(v); }, Mode);
    if constexpr (std::is_same_v<T, TacBlendOnMoving>)
        if (WithBlend)
            reg.Integer(L"BlendValue", [](T* a, int v) { a->SetBlendValue(static_cast<std::uint8_t>(std::clamp(v, 0, 255))); }, L"170");
}

} // namespace

void RegisterSkinOptionClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterClassesClasses();
    RegisterGraphicsClasses();

    RegisterEnumType(L"TacAnimType", {L"atFading", L"atAero"});
    RegisterEnumType(L"TacBtnEvent", {L"beMouseEnter", L"beMouseLeave", L"beMouseDown", L"beMouseUp"});

    RegisterPublishedClass<TacSkinEffects>(L"TacSkinEffects", L"TPersistent")
        .Boolean(L"AllowGlowing", [](TacSkinEffects* e, bool v) { e->SetAllowGlowing(v); }, L"True");

    RegisterPublishedClass<TacBtnEffects>(L"TacBtnEffects", L"TPersistent")
        .Set(L"Events", L"TacBtnEvent", [](TacBtnEffects* e, std::uint64_t v) { e->SetEvents(TacBtnEvents::FromBits(v)); },
             L"[beMouseEnter, beMouseLeave, beMouseDown, beMouseUp]");
    RegisterPublishedClass<TacFormAnimation>(L"TacFormAnimation", L"TPersistent");
    RegisterAnimation<TacDialogShow>(L"TacDialogShow", true, false, L"True", L"0", L"atAero");
    RegisterAnimation<TacFormShow>(L"TacFormShow", true, false, L"True", L"0", L"atAero");
    RegisterAnimation<TacFormHide>(L"TacFormHide", true, false, L"True", L"0", L"atAero");
    RegisterAnimation<TacSkinChanging>(L"TacSkinChanging", true, false, L"True", L"100", L"atFading");
    RegisterAnimation<TacPageChange>(L"TacPageChange", false, false, L"True", L"0", L"");
    RegisterAnimation<TacMinimizing>(L"TacMinimizing", false, false, L"True", L"200", L"");
    RegisterAnimation<TacBlendOnMoving>(L"TacBlendOnMoving", false, true, L"False", L"1000", L"");

    using A = TacAnimEffects;
    RegisterPublishedClass<A>(L"TacAnimEffects", L"TPersistent")
        .Object(L"Buttons", L"TacBtnEffects", [](A* a) { return a->Buttons(); })
        .Object(L"DialogShow", L"TacDialogShow", [](A* a) { return a->DialogShow(); })
        .Object(L"FormShow", L"TacFormShow", [](A* a) { return a->FormShow(); })
        .Object(L"FormHide", L"TacFormHide", [](A* a) { return a->FormHide(); })
        .Object(L"SkinChanging", L"TacSkinChanging", [](A* a) { return a->SkinChanging(); })
        .Object(L"PageChange", L"TacPageChange", [](A* a) { return a->PageChange(); })
        .Object(L"DialogHide", L"TacFormHide", [](A* a) { return a->DialogHide(); })
        .Object(L"Minimizing", L"TacMinimizing", [](A* a) { return a->Minimizing(); })
        .Object(L"BlendOnMoving", L"TacBlendOnMoving", [](A* a) { return a->BlendOnMoving(); });

    using S = TsStoredSkin;
    RegisterPublishedClass<S>(L"TsStoredSkin", L"TPersistent")
        .Text(L"Name", [](S* s, const String& v) { s->SetName(v); })
        .Object(L"MasterBitmap", L"TBitmap", [](S* s) { return s->MasterBitmap(); })
        .Float(L"Version", [](S* s, double v) { s->SetVersion(v); })
        .Text(L"Description", [](S* s, const String& v) { s->SetDescription(v); })
        .Text(L"Author", [](S* s, const String& v) { s->SetAuthor(v); })
        .Integer(L"Shadow1Offset", [](S* s, int v) { s->SetShadow1Offset(v); })
        .Integer(L"Shadow1Color", [](S* s, TColor v) { s->SetShadow1Color(v); }, L"clBlack", L"TColor")
        .Integer(L"Shadow1Blur", [](S* s, int v) { s->SetShadow1Blur(v); }, L"-1")
        .Integer(L"Shadow1Transparency", [](S* s, int v) { s->SetShadow1Transparency(v); })
        .Integer(L"BorderColor", [](S* s, TColor v) { s->SetBorderColor(v); }, L"clFuchsia", L"TColor")
        .Binary(L"Data", [](S* s, const std::vector<uint8_t>& v) {
            TMemoryStream data;
            if (!v.empty()) data.Write(v.data(), static_cast<int>(v.size()));
            data.SetPosition(0);
            s->ReadData(&data);
        });

    auto third = RegisterPublishedClass<ThirdPartyList>(L"ThirdPartyList", L"TPersistent");
    for (int i = 0; i < ThirdPartyList::Count; ++i)
        third.Text(ThirdKinds[i].Property, [i](ThirdPartyList* t, const String& v) { t->SetItems(i, v); }, ThirdKinds[i].Default);

    using MS = TacMenuSupport;
    RegisterPublishedClass<MS>(L"TacMenuSupport", L"TPersistent")
        .Text(L"IcoLineSkin", [](MS* m, const String& v) { m->SetIcoLineSkin(v); })
        .Boolean(L"UseExtraLine", [](MS* m, bool v) { m->SetUseExtraLine(v); })
        .Integer(L"ExtraLineWidth", [](MS* m, int v) { m->SetExtraLineWidth(v); }, L"32")
        .Object(L"ExtraLineFont", L"TFont", [](MS* m) { return m->ExtraLineFont(); });
}
