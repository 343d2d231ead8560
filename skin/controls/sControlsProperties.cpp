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
#include "skin/controls/sCustomComboEdit.h"
#include "skin/controls/sGroupBox.h"
#include "skin/controls/sLabel.h"
#include "skin/controls/sMaskEdit.h"
#include "skin/controls/sMonthCalendar.h"
#include "skin/controls/sPageControl.h"
#include "skin/controls/sPanel.h"
#include "skin/controls/sRadioButton.h"
#include "skin/controls/sSpeedButton.h"
#include "skin/controls/sTooledit.h"
#include "skin/core/sCommonData.h"
#include "skin/core/sSkinManager.h"

void RegisterSkinControlsClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterCommonControlsClasses();
    RegisterMenuClasses();
    RegisterSkinManagerClasses();
    RegisterCommonDataClasses();

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
    RegisterEnumType(L"TsDisabledKindFlag", {L"dkBlended", L"dkGrayed"});
    RegisterEnumType(L"TsBoundCaptionLayout", {L"sclLeft", L"sclTopLeft", L"sclTopCenter", L"sclTopRight"});
    RegisterPublishedClass<TsBoundLabel>(L"TsBoundLabel", L"TPersistent")
        .Boolean(L"Active", [](TsBoundLabel* b, bool v) { b->SetActive(v); })
        .Text(L"Caption", [](TsBoundLabel* b, const String& v) { b->SetCaption(v); })
        .Object(L"Font", L"TFont", [](TsBoundLabel* b) { return b->Font(); })
        .Integer(L"Indent", [](TsBoundLabel* b, int v) { b->SetIndent(v); })
        .Enum<TsCaptionLayout>(L"Layout", L"TsBoundCaptionLayout", [](TsBoundLabel* b, TsCaptionLayout v) { b->SetLayout(v); },
                               L"sclLeft")
        .Integer(L"MaxWidth", [](TsBoundLabel* b, int v) { b->SetMaxWidth(v); })
        .Boolean(L"UseSkinColor", [](TsBoundLabel* b, bool v) { b->SetUseSkinColor(v); }, L"True");
    RegisterPublishedClass<TsCustomComboBox>(L"TsCustomComboBox", L"TCustomComboBox")
        .Enum<TAlignment>(L"Alignment", L"TAlignment", [](TsCustomComboBox* c, TAlignment v) { c->SetAlignment(v); },
                          L"taLeftJustify")
        .Object(L"BoundLabel", L"TsBoundLabel", [](TsCustomComboBox* c) { return c->BoundLabel(); })
        .Set(L"DisabledKind", L"TsDisabledKindFlag",
             [](TsCustomComboBox* c, std::uint64_t v) { c->SetDisabledKind(TsDisabledKind::FromBits(v)); }, L"[dkBlended]")
        .Integer(L"DropDownCount", [](TsCustomComboBox* c, int v) { c->SetDropDownCount(v); }, L"16")
        .Boolean(L"ReadOnly", [](TsCustomComboBox* c, bool v) { c->SetReadOnly(v); })
        .Boolean(L"ShowButton", [](TsCustomComboBox* c, bool v) { c->SetShowButton(v); }, L"True")
        .Object(L"SkinData", L"TsCtrlSkinData", [](TsCustomComboBox* c) { return c->SkinData(); });
    RegisterPublishedClass<TsComboBox>(L"TsComboBox", L"TsCustomComboBox");
    RegisterPublishedClass<TsRadioButton>(L"TsRadioButton", L"TRadioButton")
        .Boolean(L"AutoSize", [](TsRadioButton* c, bool v) { c->SetAutoSize(v); }, L"True")
        .Integer(L"Margin", [](TsRadioButton* c, int v) { c->SetMargin(v); }, L"2")
        .Boolean(L"ReadOnly", [](TsRadioButton* c, bool v) { c->SetReadOnly(v); })
        .Boolean(L"ShowFocus", [](TsRadioButton* c, bool v) { c->SetShowFocus(v); }, L"True")
        .Object(L"SkinData", L"TsCommonData", [](TsRadioButton* c) { return c->SkinData(); })
        .Integer(L"TextIndent", [](TsRadioButton* c, int v) { c->SetTextIndent(v); });
    RegisterPublishedClass<TsMaskEdit>(L"TsMaskEdit", L"TMaskEdit")
        .Object(L"SkinData", L"TsCtrlSkinData", [](TsMaskEdit* c) { return c->SkinData(); });
    RegisterPublishedClass<TsEdit>(L"TsEdit", L"TsMaskEdit");
    RegisterPublishedClass<TsSpeedButton>(L"TsSpeedButton", L"TSpeedButton")
        .Integer(L"Blend", [](TsSpeedButton* c, int v) { c->SetBlend(v); })
        .Boolean(L"DrawOverBorder", [](TsSpeedButton* c, bool v) { c->SetDrawOverBorder(v); }, L"True")
        .Boolean(L"Grayed", [](TsSpeedButton* c, bool v) { c->SetGrayed(v); })
        .Integer(L"ImageIndex", [](TsSpeedButton* c, int v) { c->SetImageIndex(v); }, L"-1")
        .Boolean(L"Reflected", [](TsSpeedButton* c, bool v) { c->SetReflected(v); })
        .Boolean(L"ShowCaption", [](TsSpeedButton* c, bool v) { c->SetShowCaption(v); }, L"True")
        .Object(L"SkinData", L"TsCtrlSkinData", [](TsSpeedButton* c) { return c->SkinData(); })
        .Integer(L"TextOffset", [](TsSpeedButton* c, int v) { c->SetTextOffset(v); });
    RegisterPublishedClass<TsBitBtn>(L"TsBitBtn", L"TBitBtn")
        .Object(L"SkinData", L"TsCtrlSkinData", [](TsBitBtn* c) { return c->SkinData(); })
        .Enum<TAlignment>(L"Alignment", L"TAlignment", [](TsBitBtn* c, TAlignment v) { c->SetAlignment(v); }, L"taCenter")
        .Enum<TAlignment>(L"TextAlignment", L"TAlignment", [](TsBitBtn* c, TAlignment v) { c->SetTextAlignment(v); },
                          L"taCenter")
        .Integer(L"Blend", [](TsBitBtn* c, int v) { c->SetBlend(v); })
        .Boolean(L"Down", [](TsBitBtn* c, bool v) { c->SetDown(v); })
        .Boolean(L"DrawOverBorder", [](TsBitBtn* c, bool v) { c->SetDrawOverBorder(v); }, L"True")
        .Integer(L"FocusMargin", [](TsBitBtn* c, int v) { c->SetFocusMargin(v); }, L"1")
        .Boolean(L"Grayed", [](TsBitBtn* c, bool v) { c->SetGrayed(v); })
        .Boolean(L"Reflected", [](TsBitBtn* c, bool v) { c->SetReflected(v); })
        .Boolean(L"ShowCaption", [](TsBitBtn* c, bool v) { c->SetShowCaption(v); }, L"True")
        .Boolean(L"ShowFocus", [](TsBitBtn* c, bool v) { c->SetShowFocus(v); }, L"True")
        .Integer(L"TextOffset", [](TsBitBtn* c, int v) { c->SetTextOffset(v); })
        .Boolean(L"WordWrap", [](TsBitBtn* c, bool v) { c->SetWordWrap(v); }, L"True");
    RegisterEnumType(L"TsCaptionLayout", {L"clTopLeft", L"clTopCenter", L"clTopRight"});
    RegisterPublishedClass<TsGroupBox>(L"TsGroupBox", L"TCustomGroupBox")
        .Enum<TsGroupBox::TsCaptionLayout>(L"CaptionLayout", L"TsCaptionLayout",
                                           [](TsGroupBox* c, TsGroupBox::TsCaptionLayout v) { c->SetCaptionLayout(v); },
                                           L"clTopLeft")
        .Integer(L"CaptionYOffset", [](TsGroupBox* c, int v) { c->SetCaptionYOffset(v); })
        .Text(L"CaptionSkin", [](TsGroupBox* c, const String& v) { c->SetCaptionSkin(v); });
    RegisterPublishedClass<TsBevel>(L"TsBevel", L"TBevel");
    RegisterPublishedClass<TsPanel>(L"TsPanel", L"TCustomPanel");
    RegisterPublishedClass<TsPageControl>(L"TsPageControl", L"TPageControl")
        .Object(L"SkinData", L"TsCommonData", [](TsPageControl* c) { return c->SkinData(); })
        .Boolean(L"ShowCloseBtns", [](TsPageControl* c, bool v) { c->SetShowCloseBtns(v); })
        .Text(L"CloseBtnSkin", [](TsPageControl* c, const String& v) { c->SetCloseBtnSkin(v); })
        .Boolean(L"ShowFocus", [](TsPageControl* c, bool v) { c->SetShowFocus(v); }, L"True")
        .Event<TacCloseBtnClick>(L"OnCloseBtnClick", [](TsPageControl* c) -> TacCloseBtnClick& { return c->OnCloseBtnClick; });
    RegisterPublishedClass<TsTabSkinData>(L"TsTabSkinData", L"TPersistent")
        .Boolean(L"CustomColor", [](TsTabSkinData* d, bool v) { d->CustomColor = v; })
        .Boolean(L"CustomFont", [](TsTabSkinData* d, bool v) { d->CustomFont = v; })
        .Text(L"SkinSection", [](TsTabSkinData* d, const String& v) { d->SkinSection = v; });
    RegisterPublishedClass<TsTabSheet>(L"TsTabSheet", L"TTabSheet")
        .Text(L"TabSkin", [](TsTabSheet* c, const String& v) { c->SetTabSkin(v); })
        .Text(L"ButtonSkin", [](TsTabSheet* c, const String& v) { c->SetButtonSkin(v); })
        .Boolean(L"UseCloseBtn", [](TsTabSheet* c, bool v) { c->SetUseCloseBtn(v); }, L"True")
        .Object(L"SkinData", L"TsTabSkinData", [](TsTabSheet* c) { return c->SkinData(); });

    RegisterEnumType(L"TCalDayOfWeek", {L"dowMonday", L"dowTuesday", L"dowWednesday", L"dowThursday", L"dowFriday",
                                        L"dowSaturday", L"dowSunday", L"dowLocaleDefault"});
    RegisterEnumType(L"TYearDigits", {L"dyDefault", L"dyFour", L"dyTwo"});
    RegisterPublishedClass<TsDragBar>(L"TsDragBar", L"TsPanel");
    RegisterPublishedClass<TsMonthCalendar>(L"TsMonthCalendar", L"TsPanel")
        .Float(L"CalendarDate", [](TsMonthCalendar* c, double v) { c->SetCalendarDate(v); })
        .Boolean(L"ReadOnly", [](TsMonthCalendar* c, bool v) { c->SetReadOnly(v); })
        .Enum<TCalDayOfWeek>(L"StartOfWeek", L"TCalDayOfWeek", [](TsMonthCalendar* c, TCalDayOfWeek v) { c->SetStartOfWeek(v); }, L"dowLocaleDefault")
        .Boolean(L"ShowWeeks", [](TsMonthCalendar* c, bool v) { c->SetShowWeeks(v); })
        .Boolean(L"ShowTodayBtn", [](TsMonthCalendar* c, bool v) { c->SetShowTodayBtn(v); })
        .Boolean(L"UseCurrentDate", [](TsMonthCalendar* c, bool v) { c->SetUseCurrentDate(v); }, L"True")
        .Event<TNotifyEvent>(L"OnChange", [](TsMonthCalendar* c) -> TNotifyEvent& { return c->OnChange; })
        .Event<TGetCellParams>(L"OnGetCellParams", [](TsMonthCalendar* c) -> TGetCellParams& { return c->OnGetCellParams; });

    RegisterPublishedClass<TsGlyphMode>(L"TsGlyphMode", L"TPersistent")
        .Component<TCustomImageList>(L"Images", L"TCustomImageList", [](TsGlyphMode* g, TCustomImageList* v) { g->SetImages(v); })
        .Integer(L"ImageIndex", [](TsGlyphMode* g, int v) { g->SetImageIndex(v); }, L"-1")
        .Integer(L"ImageIndexHot", [](TsGlyphMode* g, int v) { g->SetImageIndexHot(v); }, L"-1")
        .Integer(L"ImageIndexPressed", [](TsGlyphMode* g, int v) { g->SetImageIndexPressed(v); }, L"-1")
        .Integer(L"Blend", [](TsGlyphMode* g, int v) { g->SetBlend(v); })
        .Boolean(L"Grayed", [](TsGlyphMode* g, bool v) { g->SetGrayed(v); })
        .Text(L"Hint", [](TsGlyphMode* g, const String& v) { g->SetHint(v); });
    RegisterEnumType(L"TPopupWindowAlign", {L"pwaRight", L"pwaLeft"});
    RegisterPublishedClass<TsCustomComboEdit>(L"TsCustomComboEdit", L"TsMaskEdit")
        .Boolean(L"ReadOnly", [](TsCustomComboEdit* c, bool v) { c->SetReadOnly(v); })
        .Boolean(L"DirectInput", [](TsCustomComboEdit* c, bool v) { c->SetDirectInput(v); }, L"True")
        .Boolean(L"ShowButton", [](TsCustomComboEdit* c, bool v) { c->SetShowButton(v); }, L"True")
        .Integer(L"ClickKey", [](TsCustomComboEdit* c, int v) { c->SetClickKey(static_cast<TShortCut>(v)); }, L"32808")
        .Object(L"GlyphMode", L"TsGlyphMode", [](TsCustomComboEdit* c) { return c->GlyphMode(); })
        .Event<TNotifyEvent>(L"OnButtonClick", [](TsCustomComboEdit* c) -> TNotifyEvent& { return c->OnButtonClick; });

    RegisterPublishedClass<TsCustomDateEdit>(L"TsCustomDateEdit", L"TsCustomComboEdit")
        .Boolean(L"DefaultToday", [](TsCustomDateEdit* c, bool v) { c->SetDefaultToday(v); })
        .Boolean(L"CheckOnExit", [](TsCustomDateEdit* c, bool v) { c->SetCheckOnExit(v); })
        .Integer(L"PopupWidth", [](TsCustomDateEdit* c, int v) { c->SetPopupWidth(v); }, L"197")
        .Integer(L"PopupHeight", [](TsCustomDateEdit* c, int v) { c->SetPopupHeight(v); }, L"166")
        .Enum<TPopupWindowAlign>(L"PopupAlign", L"TPopupWindowAlign",
                                 [](TsCustomDateEdit* c, TPopupWindowAlign v) { c->SetPopupWindowAlign(v); }, L"pwaRight")
        .Float(L"Date", [](TsCustomDateEdit* c, double v) { c->SetDate(v); })
        .Float(L"MinDate", [](TsCustomDateEdit* c, double v) { c->SetMinDate(v); })
        .Float(L"MaxDate", [](TsCustomDateEdit* c, double v) { c->SetMaxDate(v); })
        .Text(L"DialogTitle", [](TsCustomDateEdit* c, const String& v) { c->SetDialogTitle(v); }, L"Date select")
        .Text(L"BlanksChar", [](TsCustomDateEdit* c, const String& v) { c->SetBlanksChar(v.empty() ? L' ' : v[0]); }, L" ")
        .Enum<TYearDigits>(L"YearDigits", L"TYearDigits", [](TsCustomDateEdit* c, TYearDigits v) { c->SetYearDigits(v); }, L"dyFour")
        .Enum<TCalDayOfWeek>(L"StartOfWeek", L"TCalDayOfWeek", [](TsCustomDateEdit* c, TCalDayOfWeek v) { c->SetStartOfWeek(v); }, L"dowLocaleDefault")
        .Integer(L"WeekendColor", [](TsCustomDateEdit* c, int v) { c->SetWeekendColor(static_cast<TColor>(v)); }, L"255")
        .Boolean(L"ShowCurrentDate", [](TsCustomDateEdit* c, bool v) { c->SetShowCurrentDate(v); }, L"True")
        .Boolean(L"ShowWeeks", [](TsCustomDateEdit* c, bool v) { c->SetShowWeeks(v); })
        .Boolean(L"ShowTodayBtn", [](TsCustomDateEdit* c, bool v) { c->SetShowTodayBtn(v); }, L"True")
        .Event<TOnAcceptDate>(L"OnAcceptDate", [](TsCustomDateEdit* c) -> TOnAcceptDate& { return c->OnAcceptDate; })
        .Event<TGetCellParams>(L"OnDrawDay", [](TsCustomDateEdit* c) -> TGetCellParams& { return c->OnDrawDay; })
        .Event<TGetCellParams>(L"OnGetCellParams", [](TsCustomDateEdit* c) -> TGetCellParams& { return c->OnGetCellParams; });
    RegisterPublishedClass<TsDateEdit>(L"TsDateEdit", L"TsCustomDateEdit");
}
