// The published properties of the skinned controls for the form reader. Each class is registered
// under its own name on top of the framework class it is built on, so a description may set
// everything the base publishes, plus what the skinned class adds.
#include "skin/controls/sControlsProperties.h"

#include "framework/classes/PropertyRegistry.h"
#include "framework/menus/Menus.h"
#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/stdctrls/StdCtrlsTypes.h"
#include "skin/controls/sBevel.h"
#include "skin/controls/sBitBtn.h"
#include "skin/controls/sComboBox.h"
#include "skin/controls/sGroupBox.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sPageControl.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sRadioButton.h"
#include "skin/controls/sTooledit.h"
#include "skin/core/sSkinManager.h"

void RegisterSkinControlsClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterCommonControlsClasses();
    RegisterMenuClasses();
    RegisterSkinManagerClasses();

    RegisterEnumType(L"TsWindowShowMode", {L"soHide", L"soNormal", L"soShowMinimized", L"soMaximize", L"soShowNoActivate",
                                           L"soShow", L"soMinimize", L"soShowMinNoActive", L"soShowNA", L"soRestore",
                                           L"soDefault"});
    RegisterPublishedClass<TsCustomLabel>(L"TsCustomLabel", L"TCustomLabel")
        .Text(L"SkinSection", [](TsCustomLabel* c, const String& v) { c->SetSkinSection(v); });
    RegisterPublishedClass<TsLabel>(L"TsLabel", L"TsCustomLabel")
        .Boolean(L"UseSkinColor", [](TsLabel* c, bool v) { c->SetUseSkinColor(v); }, L"True");
    RegisterPublishedClass<TsWebLabel>(L"TsWebLabel", L"TsLabel")
        .Text(L"URL", [](TsWebLabel* c, const String& v) { c->SetURL(v); })
        .Object(L"HoverFont", L"TFont", [](TsWebLabel* c) { return c->HoverFont(); })
        .Enum<TsWindowShowMode>(L"ShowMode", L"TsWindowShowMode",
                                [](TsWebLabel* c, TsWindowShowMode v) { c->SetShowMode(v); }, L"soDefault");
    RegisterPublishedClass<TsComboBox>(L"TsComboBox", L"TCustomComboBox");
    RegisterPublishedClass<TsRadioButton>(L"TsRadioButton", L"TRadioButton");
    RegisterPublishedClass<TsBitBtn>(L"TsBitBtn", L"TBitBtn");
    RegisterPublishedClass<TsGroupBox>(L"TsGroupBox", L"TCustomGroupBox");
    RegisterPublishedClass<TsBevel>(L"TsBevel", L"TBevel");
    RegisterPublishedClass<TsPanel>(L"TsPanel", L"TCustomPanel");
    RegisterPublishedClass<TsPageControl>(L"TsPageControl", L"TPageControl");
    RegisterPublishedClass<TsTabSheet>(L"TsTabSheet", L"TTabSheet");

    RegisterPublishedClass<TsCustomDateEdit>(L"TsCustomDateEdit", L"TCustomMaskEdit")
        .Boolean(L"DefaultToday", [](TsCustomDateEdit* c, bool v) { c->SetDefaultToday(v); })
        .Boolean(L"CheckOnExit", [](TsCustomDateEdit* c, bool v) { c->SetCheckOnExit(v); })
        .Text(L"DateFormat", [](TsCustomDateEdit* c, const String& v) { c->SetDateFormat(v); }, L"yyyy/mm/dd")
        .Integer(L"PopupWidth", [](TsCustomDateEdit* c, int v) { c->SetPopupWidth(v); }, L"197")
        .Float(L"Date", [](TsCustomDateEdit* c, double v) { c->SetDate(v); })
        .Event<TNotifyEvent>(L"OnDropDown", [](TsCustomDateEdit* c) -> TNotifyEvent& { return c->OnDropDown; })
        .Event<TNotifyEvent>(L"OnCloseUp", [](TsCustomDateEdit* c) -> TNotifyEvent& { return c->OnCloseUp; });
    RegisterPublishedClass<TsDateEdit>(L"TsDateEdit", L"TsCustomDateEdit");
}
