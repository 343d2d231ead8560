// The published properties of the common controls (tab and page controls, status and tool bars,
// track bars, up-down controls, date-time pickers and month calendars, rich edits, list and tree
// views) for the form reader. The shared types TAlignment,
// TScrollStyle and TBorderStyle come from the standard controls' registration.
#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "framework/comctrls/ComCtrlsTypes.h"
#include "framework/comctrls/DateTimePicker.h"
#include "framework/comctrls/ListView.h"
#include "framework/comctrls/MonthCalendar.h"
#include "framework/comctrls/PageControl.h"
#include "framework/comctrls/RichEdit.h"
#include "framework/comctrls/StatusBar.h"
#include "framework/comctrls/TabControl.h"
#include "framework/comctrls/ToolBar.h"
#include "framework/comctrls/TrackBar.h"
#include "framework/comctrls/TreeView.h"
#include "framework/comctrls/UpDown.h"
#include "framework/menus/Menus.h"
#include "framework/stdctrls/StdCtrlsTypes.h"

namespace {

template <class T>
auto Notify(TNotifyEvent T::*Member)
{
    return [Member](T* o) -> TNotifyEvent& { return o->*Member; };
}

template <class T, class E>
auto EventOf(E T::*Member)
{
    return [Member](T* o) -> E& { return o->*Member; };
}

void RegisterTypes()
{
    RegisterEnumType(L"TTabPosition", {L"tpTop", L"tpBottom", L"tpLeft", L"tpRight"});
    RegisterEnumType(L"TTabStyle", {L"tsTabs", L"tsButtons", L"tsFlatButtons"});
    RegisterEnumType(L"TStatusPanelStyle", {L"psText", L"psOwnerDraw"});
    RegisterEnumType(L"TStatusPanelBevel", {L"pbNone", L"pbLowered", L"pbRaised"});
    RegisterEnumType(L"TToolButtonStyle", {L"tbsButton", L"tbsCheck", L"tbsDropDown", L"tbsSeparator", L"tbsDivider", L"tbsTextButton"});
    RegisterEnumType(L"TEdgeBorder", {L"ebLeft", L"ebTop", L"ebRight", L"ebBottom"});
    RegisterEnumType(L"TEdgeStyle", {L"esNone", L"esRaised", L"esLowered"});
    RegisterEnumType(L"TTrackBarOrientation", {L"trHorizontal", L"trVertical"});
    RegisterEnumType(L"TTickMark", {L"tmBottomRight", L"tmTopLeft", L"tmBoth"});
    RegisterEnumType(L"TTickStyle", {L"tsNone", L"tsAuto", L"tsManual"});
    RegisterEnumType(L"TUDAlignButton", {L"udLeft", L"udRight"});
    RegisterEnumType(L"TUDOrientation", {L"udHorizontal", L"udVertical"});
    RegisterEnumType(L"TDateTimeKind", {L"dtkDate", L"dtkTime"});
    RegisterEnumType(L"TDTDateMode", {L"dmComboBox", L"dmUpDown"});
    RegisterEnumType(L"TDTDateFormat", {L"dfShort", L"dfLong"});
    RegisterEnumType(L"TDTCalAlignment", {L"dtaLeft", L"dtaRight"});
    RegisterEnumType(L"TCalDayOfWeek", {L"dowMonday", L"dowTuesday", L"dowWednesday", L"dowThursday", L"dowFriday",
                                        L"dowSaturday", L"dowSunday", L"dowLocaleDefault"});
    RegisterEnumType(L"TViewStyle", {L"vsIcon", L"vsSmallIcon", L"vsList", L"vsReport"});
}

void RegisterTabs()
{
    RegisterPublishedClass<TCustomTabControl>(L"TCustomTabControl", L"TWinControl")
        .Boolean(L"HotTrack", [](TCustomTabControl* c, bool v) { c->SetHotTrack(v); })
        .Component<TCustomImageList>(L"Images", L"TCustomImageList", [](TCustomTabControl* c, TCustomImageList* v) { c->SetImages(v); })
        .Boolean(L"MultiLine", [](TCustomTabControl* c, bool v) { c->SetMultiLine(v); })
        .Boolean(L"OwnerDraw", [](TCustomTabControl* c, bool v) { c->SetOwnerDraw(v); })
        .Boolean(L"RaggedRight", [](TCustomTabControl* c, bool v) { c->SetRaggedRight(v); })
        .Boolean(L"ScrollOpposite", [](TCustomTabControl* c, bool v) { c->SetScrollOpposite(v); })
        .Enum<TTabStyle>(L"Style", L"TTabStyle", [](TCustomTabControl* c, TTabStyle v) { c->SetStyle(v); }, L"tsTabs")
        .Enum<TTabPosition>(L"TabPosition", L"TTabPosition", [](TCustomTabControl* c, TTabPosition v) { c->SetTabPosition(v); }, L"tpTop")
        .Integer(L"TabHeight", [](TCustomTabControl* c, int v) { c->SetTabHeight(v); })
        .Integer(L"TabWidth", [](TCustomTabControl* c, int v) { c->SetTabWidth(v); })
        .Event<TNotifyEvent>(L"OnChange", Notify(&TCustomTabControl::OnChange))
        .Event<TTabChangingEvent>(L"OnChanging", EventOf(&TCustomTabControl::OnChanging))
        .Event<TDrawTabEvent>(L"OnDrawTab", EventOf(&TCustomTabControl::OnDrawTab))
        .Event<TTabGetImageEvent>(L"OnGetImageIndex", EventOf(&TCustomTabControl::OnGetImageIndex));
    RegisterPublishedClass<TTabControl>(L"TTabControl", L"TCustomTabControl")
        .Strings(L"Tabs", [](TTabControl* c, const std::vector<String>& v) {
            c->Tabs()->Clear();
            for (const String& s : v) c->Tabs()->Add(s);
        })
        .Integer(L"TabIndex", [](TTabControl* c, int v) { c->SetTabIndex(v); }, L"-1");
    RegisterPublishedClass<TPageControl>(L"TPageControl", L"TCustomTabControl")
        .Component<TTabSheet>(L"ActivePage", L"TTabSheet", [](TPageControl* c, TTabSheet* v) { c->SetActivePage(v); });
    RegisterPublishedClass<TTabSheet>(L"TTabSheet", L"TWinControl")
        .Component<TPageControl>(L"PageControl", L"TPageControl", [](TTabSheet* c, TPageControl* v) { c->SetPageControl(v); })
        .Integer(L"ImageIndex", [](TTabSheet* c, int v) { c->SetImageIndex(v); }, L"-1")
        .Integer(L"PageIndex", [](TTabSheet* c, int v) { c->SetPageIndex(v); })
        .Boolean(L"TabVisible", [](TTabSheet* c, bool v) { c->SetTabVisible(v); }, L"True")
        .Boolean(L"Highlighted", [](TTabSheet* c, bool v) { c->SetHighlighted(v); })
        .Event<TNotifyEvent>(L"OnShow", Notify(&TTabSheet::OnShow))
        .Event<TNotifyEvent>(L"OnHide", Notify(&TTabSheet::OnHide));
}

void RegisterBars()
{
    RegisterPublishedClass<TStatusPanel>(L"TStatusPanel", L"TPersistent")
        .Text(L"Text", [](TStatusPanel* p, const String& v) { p->SetText(v); })
        .Integer(L"Width", [](TStatusPanel* p, int v) { p->SetWidth(v); }, L"50")
        .Enum<TStatusPanelStyle>(L"Style", L"TStatusPanelStyle", [](TStatusPanel* p, TStatusPanelStyle v) { p->SetStyle(v); }, L"psText")
        .Enum<TAlignment>(L"Alignment", L"TAlignment", [](TStatusPanel* p, TAlignment v) { p->SetAlignment(v); }, L"taLeftJustify")
        .Enum<TStatusPanelBevel>(L"Bevel", L"TStatusPanelBevel", [](TStatusPanel* p, TStatusPanelBevel v) { p->SetBevel(v); }, L"pbLowered")
        .NotStored(L"BiDiMode", TPropertyKind::Enum)
        .NotStored(L"ParentBiDiMode", TPropertyKind::Boolean);
    RegisterPublishedClass<TCustomStatusBar>(L"TCustomStatusBar", L"TWinControl")
        .Collection(L"Panels", L"TStatusPanel", [](TCustomStatusBar* c) { return c->Panels(); })
        .Boolean(L"SimplePanel", [](TCustomStatusBar* c, bool v) { c->SetSimplePanel(v); })
        .Text(L"SimpleText", [](TCustomStatusBar* c, const String& v) { c->SetSimpleText(v); })
        .Boolean(L"SizeGrip", [](TCustomStatusBar* c, bool v) { c->SetSizeGrip(v); }, L"True")
        .Boolean(L"AutoHint", [](TCustomStatusBar* c, bool v) { c->SetAutoHint(v); })
        .Event<TDrawPanelEvent>(L"OnDrawPanel", EventOf(&TCustomStatusBar::OnDrawPanel))
        .Event<TNotifyEvent>(L"OnHint", Notify(&TCustomStatusBar::OnHint));
    RegisterPublishedClass<TStatusBar>(L"TStatusBar", L"TCustomStatusBar");

    RegisterPublishedClass<TToolBar>(L"TToolBar", L"TWinControl")
        .Integer(L"ButtonWidth", [](TToolBar* c, int v) { c->SetButtonWidth(v); }, L"23")
        .Integer(L"ButtonHeight", [](TToolBar* c, int v) { c->SetButtonHeight(v); }, L"22")
        .Boolean(L"Flat", [](TToolBar* c, bool v) { c->SetFlat(v); })
        .Boolean(L"ShowCaptions", [](TToolBar* c, bool v) { c->SetShowCaptions(v); })
        .Boolean(L"List", [](TToolBar* c, bool v) { c->SetList(v); })
        .Boolean(L"Wrapable", [](TToolBar* c, bool v) { c->SetWrapable(v); }, L"True")
        .Boolean(L"Transparent", [](TToolBar* c, bool v) { c->SetTransparent(v); })
        .Integer(L"Indent", [](TToolBar* c, int v) { c->SetIndent(v); })
        .Component<TCustomImageList>(L"Images", L"TCustomImageList", [](TToolBar* c, TCustomImageList* v) { c->SetImages(v); })
        .Component<TCustomImageList>(L"DisabledImages", L"TCustomImageList",
                                     [](TToolBar* c, TCustomImageList* v) { c->SetDisabledImages(v); })
        .Component<TCustomImageList>(L"HotImages", L"TCustomImageList", [](TToolBar* c, TCustomImageList* v) { c->SetHotImages(v); })
        .Set(L"EdgeBorders", L"TEdgeBorder", [](TToolBar* c, uint64_t v) { c->SetEdgeBorders(TEdgeBorders::FromBits(v)); }, L"[ebTop]")
        .Enum<TEdgeStyle>(L"EdgeInner", L"TEdgeStyle", [](TToolBar* c, TEdgeStyle v) { c->SetEdgeInner(v); }, L"esRaised")
        .Enum<TEdgeStyle>(L"EdgeOuter", L"TEdgeStyle", [](TToolBar* c, TEdgeStyle v) { c->SetEdgeOuter(v); }, L"esLowered")
        .Event<TTBAdvancedCustomDrawEvent>(L"OnAdvancedCustomDraw", EventOf(&TToolBar::OnAdvancedCustomDraw))
        .Event<TTBAdvancedCustomDrawBtnEvent>(L"OnAdvancedCustomDrawButton", EventOf(&TToolBar::OnAdvancedCustomDrawButton));
    RegisterPublishedClass<TToolButton>(L"TToolButton", L"TGraphicControl")
        .Enum<TToolButtonStyle>(L"Style", L"TToolButtonStyle", [](TToolButton* c, TToolButtonStyle v) { c->SetStyle(v); }, L"tbsButton")
        .Integer(L"ImageIndex", [](TToolButton* c, int v) { c->SetImageIndex(v); }, L"-1")
        .Boolean(L"Down", [](TToolButton* c, bool v) { c->SetDown(v); })
        .Boolean(L"Grouped", [](TToolButton* c, bool v) { c->SetGrouped(v); })
        .Boolean(L"AllowAllUp", [](TToolButton* c, bool v) { c->SetAllowAllUp(v); })
        .Boolean(L"Indeterminate", [](TToolButton* c, bool v) { c->SetIndeterminate(v); })
        .Boolean(L"Marked", [](TToolButton* c, bool v) { c->SetMarked(v); })
        .Boolean(L"Wrap", [](TToolButton* c, bool v) { c->SetWrap(v); })
        .Component<TPopupMenu>(L"DropdownMenu", L"TPopupMenu", [](TToolButton* c, TPopupMenu* v) { c->SetDropdownMenu(v); });

    RegisterPublishedClass<TTrackBar>(L"TTrackBar", L"TWinControl")
        .Integer(L"Max", [](TTrackBar* c, int v) { c->SetMax(v); }, L"10")
        .Integer(L"Min", [](TTrackBar* c, int v) { c->SetMin(v); })
        .Integer(L"Position", [](TTrackBar* c, int v) { c->SetPosition(v); })
        .Integer(L"Frequency", [](TTrackBar* c, int v) { c->SetFrequency(v); }, L"1")
        .Integer(L"LineSize", [](TTrackBar* c, int v) { c->SetLineSize(v); }, L"1")
        .Integer(L"PageSize", [](TTrackBar* c, int v) { c->SetPageSize(v); }, L"2")
        .Enum<TTrackBarOrientation>(L"Orientation", L"TTrackBarOrientation",
                                    [](TTrackBar* c, TTrackBarOrientation v) { c->SetOrientation(v); }, L"trHorizontal")
        .Enum<TTickMark>(L"TickMarks", L"TTickMark", [](TTrackBar* c, TTickMark v) { c->SetTickMarks(v); }, L"tmBottomRight")
        .Enum<TTickStyle>(L"TickStyle", L"TTickStyle", [](TTrackBar* c, TTickStyle v) { c->SetTickStyle(v); }, L"tsAuto")
        .Integer(L"SelStart", [](TTrackBar* c, int v) { c->SetSelStart(v); })
        .Integer(L"SelEnd", [](TTrackBar* c, int v) { c->SetSelEnd(v); })
        .Boolean(L"SliderVisible", [](TTrackBar* c, bool v) { c->SetSliderVisible(v); }, L"True")
        .Integer(L"ThumbLength", [](TTrackBar* c, int v) { c->SetThumbLength(v); }, L"20")
        .Event<TNotifyEvent>(L"OnChange", Notify(&TTrackBar::OnChange));

    RegisterPublishedClass<TUpDown>(L"TUpDown", L"TWinControl")
        .Integer(L"Max", [](TUpDown* c, int v) { c->SetMax(v); }, L"100")
        .Integer(L"Min", [](TUpDown* c, int v) { c->SetMin(v); })
        .Integer(L"Position", [](TUpDown* c, int v) { c->SetPosition(v); })
        .Integer(L"Increment", [](TUpDown* c, int v) { c->SetIncrement(v); }, L"1")
        .Component<TWinControl>(L"Associate", L"TWinControl", [](TUpDown* c, TWinControl* v) { c->SetAssociate(v); })
        .Enum<TUDAlignButton>(L"AlignButton", L"TUDAlignButton", [](TUpDown* c, TUDAlignButton v) { c->SetAlignButton(v); }, L"udRight")
        .Boolean(L"ArrowKeys", [](TUpDown* c, bool v) { c->SetArrowKeys(v); }, L"True")
        .Boolean(L"Thousands", [](TUpDown* c, bool v) { c->SetThousands(v); }, L"True")
        .Enum<TUDOrientation>(L"Orientation", L"TUDOrientation", [](TUpDown* c, TUDOrientation v) { c->SetOrientation(v); }, L"udVertical")
        .Boolean(L"Wrap", [](TUpDown* c, bool v) { c->SetWrap(v); })
        .Event<TUDClickEvent>(L"OnClick", EventOf(&TUpDown::OnClick))
        .Event<TUDChangingEvent>(L"OnChanging", EventOf(&TUpDown::OnChanging))
        .Event<TUDChangingEventEx>(L"OnChangingEx", EventOf(&TUpDown::OnChangingEx));
}

void RegisterDates()
{
    RegisterPublishedClass<TMonthCalColors>(L"TMonthCalColors", L"TPersistent")
        .Integer(L"BackColor", [](TMonthCalColors* c, TColor v) { c->SetBackColor(v); }, L"clWindow", L"TColor")
        .Integer(L"TextColor", [](TMonthCalColors* c, TColor v) { c->SetTextColor(v); }, L"clWindowText", L"TColor")
        .Integer(L"TitleBackColor", [](TMonthCalColors* c, TColor v) { c->SetTitleBackColor(v); }, L"clActiveCaption", L"TColor")
        .Integer(L"TitleTextColor", [](TMonthCalColors* c, TColor v) { c->SetTitleTextColor(v); }, L"clWhite", L"TColor")
        .Integer(L"MonthBackColor", [](TMonthCalColors* c, TColor v) { c->SetMonthBackColor(v); }, L"clWhite", L"TColor")
        .Integer(L"TrailingTextColor", [](TMonthCalColors* c, TColor v) { c->SetTrailingTextColor(v); }, L"clInactiveCaptionText",
                 L"TColor");
    RegisterPublishedClass<TDateTimePicker>(L"TDateTimePicker", L"TWinControl")
        .Enum<TDateTimeKind>(L"Kind", L"TDateTimeKind", [](TDateTimePicker* c, TDateTimeKind v) { c->SetKind(v); }, L"dtkDate")
        .Float(L"DateTime", [](TDateTimePicker* c, double v) { c->SetDateTime(v); })
        .Float(L"Date", [](TDateTimePicker* c, double v) { c->SetDate(v); })
        .Float(L"Time", [](TDateTimePicker* c, double v) { c->SetTime(v); })
        .Text(L"Format", [](TDateTimePicker* c, const String& v) { c->SetFormat(v); })
        .Enum<TDTDateFormat>(L"DateFormat", L"TDTDateFormat", [](TDateTimePicker* c, TDTDateFormat v) { c->SetDateFormat(v); }, L"dfShort")
        .Enum<TDTDateMode>(L"DateMode", L"TDTDateMode", [](TDateTimePicker* c, TDTDateMode v) { c->SetDateMode(v); }, L"dmComboBox")
        .Boolean(L"ShowCheckbox", [](TDateTimePicker* c, bool v) { c->SetShowCheckbox(v); })
        .Boolean(L"Checked", [](TDateTimePicker* c, bool v) { c->SetChecked(v); }, L"True")
        .Float(L"MinDate", [](TDateTimePicker* c, double v) { c->SetMinDate(v); })
        .Float(L"MaxDate", [](TDateTimePicker* c, double v) { c->SetMaxDate(v); })
        .Boolean(L"ParseInput", [](TDateTimePicker* c, bool v) { c->SetParseInput(v); })
        .Enum<TDTCalAlignment>(L"CalAlignment", L"TDTCalAlignment", [](TDateTimePicker* c, TDTCalAlignment v) { c->SetCalAlignment(v); },
                               L"dtaLeft")
        .Object(L"CalColors", L"TMonthCalColors", [](TDateTimePicker* c) { return c->CalColors(); })
        .Event<TNotifyEvent>(L"OnChange", Notify(&TDateTimePicker::OnChange))
        .Event<TNotifyEvent>(L"OnCloseUp", Notify(&TDateTimePicker::OnCloseUp))
        .Event<TNotifyEvent>(L"OnDropDown", Notify(&TDateTimePicker::OnDropDown))
        .Event<TDTParseInputEvent>(L"OnUserInput", EventOf(&TDateTimePicker::OnUserInput));
    RegisterPublishedClass<TMonthCalendar>(L"TMonthCalendar", L"TWinControl")
        .Float(L"Date", [](TMonthCalendar* c, double v) { c->SetDate(v); })
        .Float(L"EndDate", [](TMonthCalendar* c, double v) { c->SetEndDate(v); })
        .Float(L"MinDate", [](TMonthCalendar* c, double v) { c->SetMinDate(v); })
        .Float(L"MaxDate", [](TMonthCalendar* c, double v) { c->SetMaxDate(v); })
        .Boolean(L"MultiSelect", [](TMonthCalendar* c, bool v) { c->SetMultiSelect(v); })
        .Integer(L"MaxSelectRange", [](TMonthCalendar* c, int v) { c->SetMaxSelectRange(v); }, L"7")
        .Boolean(L"ShowToday", [](TMonthCalendar* c, bool v) { c->SetShowToday(v); }, L"True")
        .Boolean(L"ShowTodayCircle", [](TMonthCalendar* c, bool v) { c->SetShowTodayCircle(v); }, L"True")
        .Boolean(L"WeekNumbers", [](TMonthCalendar* c, bool v) { c->SetWeekNumbers(v); })
        .Enum<TCalDayOfWeek>(L"FirstDayOfWeek", L"TCalDayOfWeek", [](TMonthCalendar* c, TCalDayOfWeek v) { c->SetFirstDayOfWeek(v); },
                             L"dowLocaleDefault")
        .Object(L"CalColors", L"TMonthCalColors", [](TMonthCalendar* c) { return c->CalColors(); })
        .Event<TNotifyEvent>(L"OnChange", Notify(&TMonthCalendar::OnChange))
        .Event<TOnGetMonthInfoEvent>(L"OnGetMonthInfo", EventOf(&TMonthCalendar::OnGetMonthInfo));
}

void RegisterRichEdit()
{
    RegisterPublishedClass<TCustomRichEdit>(L"TCustomRichEdit", L"TWinControl")
        .Strings(L"Lines", [](TCustomRichEdit* c, const std::vector<String>& v) {
            String text;
            for (const String& s : v) text += s + L"\r\n";
            c->Lines()->SetText(text);
        })
        .Boolean(L"PlainText", [](TCustomRichEdit* c, bool v) { c->SetPlainText(v); })
        .Boolean(L"WordWrap", [](TCustomRichEdit* c, bool v) { c->SetWordWrap(v); }, L"True")
        .Enum<TScrollStyle>(L"ScrollBars", L"TScrollStyle", [](TCustomRichEdit* c, TScrollStyle v) { c->SetScrollBars(v); }, L"ssNone")
        .Boolean(L"ReadOnly", [](TCustomRichEdit* c, bool v) { c->SetReadOnly(v); })
        .Boolean(L"HideSelection", [](TCustomRichEdit* c, bool v) { c->SetHideSelection(v); }, L"True")
        .Boolean(L"HideScrollBars", [](TCustomRichEdit* c, bool v) { c->SetHideScrollBars(v); }, L"True")
        .Boolean(L"WantReturns", [](TCustomRichEdit* c, bool v) { c->SetWantReturns(v); }, L"True")
        .Boolean(L"WantTabs", [](TCustomRichEdit* c, bool v) { c->SetWantTabs(v); })
        .Integer(L"MaxLength", [](TCustomRichEdit* c, int v) { c->SetMaxLength(v); })
        .Enum<TBorderStyle>(L"BorderStyle", L"TBorderStyle", [](TCustomRichEdit* c, TBorderStyle v) { c->SetBorderStyle(v); }, L"bsSingle")
        .Event<TNotifyEvent>(L"OnChange", Notify(&TCustomRichEdit::OnChange))
        .Event<TNotifyEvent>(L"OnSelectionChange", Notify(&TCustomRichEdit::OnSelectionChange))
        .Event<TRichEditResizeEvent>(L"OnResizeRequest", EventOf(&TCustomRichEdit::OnResizeRequest))
        .Event<TRichEditProtectChange>(L"OnProtectChange", EventOf(&TCustomRichEdit::OnProtectChange));
    RegisterPublishedClass<TRichEdit>(L"TRichEdit", L"TCustomRichEdit");
}

void RegisterViews()
{
    RegisterPublishedClass<TListColumn>(L"TListColumn", L"TPersistent")
        .Text(L"Caption", [](TListColumn* c, const String& v) { c->SetCaption(v); })
        .Integer(L"Width", [](TListColumn* c, int v) { c->SetWidth(v); }, L"50")
        .Enum<TAlignment>(L"Alignment", L"TAlignment", [](TListColumn* c, TAlignment v) { c->SetAlignment(v); }, L"taLeftJustify")
        .Integer(L"ImageIndex", [](TListColumn* c, int v) { c->SetImageIndex(v); }, L"-1")
        .Integer(L"MinWidth", [](TListColumn* c, int v) { c->SetMinWidth(v); })
        .Integer(L"MaxWidth", [](TListColumn* c, int v) { c->SetMaxWidth(v); })
        .NotStored(L"AutoSize", TPropertyKind::Boolean);
    RegisterPublishedClass<TCustomListView>(L"TCustomListView", L"TWinControl")
        .Collection(L"Columns", L"TListColumn", [](TCustomListView* c) { return c->Columns(); })
        .Enum<TViewStyle>(L"ViewStyle", L"TViewStyle", [](TCustomListView* c, TViewStyle v) { c->SetViewStyle(v); }, L"vsIcon")
        .Component<TCustomImageList>(L"SmallImages", L"TCustomImageList", [](TCustomListView* c, TCustomImageList* v) { c->SetSmallImages(v); })
        .Component<TCustomImageList>(L"LargeImages", L"TCustomImageList", [](TCustomListView* c, TCustomImageList* v) { c->SetLargeImages(v); })
        .Component<TCustomImageList>(L"StateImages", L"TCustomImageList", [](TCustomListView* c, TCustomImageList* v) { c->SetStateImages(v); })
        .Boolean(L"Checkboxes", [](TCustomListView* c, bool v) { c->SetCheckboxes(v); })
        .Boolean(L"RowSelect", [](TCustomListView* c, bool v) { c->SetRowSelect(v); })
        .Boolean(L"GridLines", [](TCustomListView* c, bool v) { c->SetGridLines(v); })
        .Boolean(L"HotTrack", [](TCustomListView* c, bool v) { c->SetHotTrack(v); })
        .Boolean(L"ReadOnly", [](TCustomListView* c, bool v) { c->SetReadOnly(v); })
        .Boolean(L"MultiSelect", [](TCustomListView* c, bool v) { c->SetMultiSelect(v); })
        .Boolean(L"HideSelection", [](TCustomListView* c, bool v) { c->SetHideSelection(v); }, L"True")
        .Boolean(L"ShowColumnHeaders", [](TCustomListView* c, bool v) { c->SetShowColumnHeaders(v); }, L"True")
        .Boolean(L"ColumnClick", [](TCustomListView* c, bool v) { c->SetColumnClick(v); }, L"True")
        .Enum<TBorderStyle>(L"BorderStyle", L"TBorderStyle", [](TCustomListView* c, TBorderStyle v) { c->SetBorderStyle(v); }, L"bsSingle")
        .Event<TLVChangeEvent>(L"OnChange", EventOf(&TCustomListView::OnChange))
        .Event<TLVChangingEvent>(L"OnChanging", EventOf(&TCustomListView::OnChanging))
        .Event<TLVSelectItemEvent>(L"OnSelectItem", EventOf(&TCustomListView::OnSelectItem))
        .Event<TLVColumnClickEvent>(L"OnColumnClick", EventOf(&TCustomListView::OnColumnClick))
        .Event<TLVDeletedEvent>(L"OnDeletion", EventOf(&TCustomListView::OnDeletion))
        .Event<TLVCustomDrawEvent>(L"OnCustomDraw", EventOf(&TCustomListView::OnCustomDraw));
    RegisterPublishedClass<TListView>(L"TListView", L"TCustomListView");

    RegisterPublishedClass<TCustomTreeView>(L"TCustomTreeView", L"TWinControl")
        .Component<TCustomImageList>(L"Images", L"TCustomImageList", [](TCustomTreeView* c, TCustomImageList* v) { c->SetImages(v); })
        .Component<TCustomImageList>(L"StateImages", L"TCustomImageList", [](TCustomTreeView* c, TCustomImageList* v) { c->SetStateImages(v); })
        .Boolean(L"ShowButtons", [](TCustomTreeView* c, bool v) { c->SetShowButtons(v); }, L"True")
        .Boolean(L"ShowLines", [](TCustomTreeView* c, bool v) { c->SetShowLines(v); }, L"True")
        .Boolean(L"ShowRoot", [](TCustomTreeView* c, bool v) { c->SetShowRoot(v); }, L"True")
        .Boolean(L"ReadOnly", [](TCustomTreeView* c, bool v) { c->SetReadOnly(v); })
        .Boolean(L"HideSelection", [](TCustomTreeView* c, bool v) { c->SetHideSelection(v); }, L"True")
        .Boolean(L"RowSelect", [](TCustomTreeView* c, bool v) { c->SetRowSelect(v); })
        .Boolean(L"HotTrack", [](TCustomTreeView* c, bool v) { c->SetHotTrack(v); })
        .Boolean(L"AutoExpand", [](TCustomTreeView* c, bool v) { c->SetAutoExpand(v); })
        .Integer(L"Indent", [](TCustomTreeView* c, int v) { c->SetIndent(v); }, L"19")
        .Enum<TBorderStyle>(L"BorderStyle", L"TBorderStyle", [](TCustomTreeView* c, TBorderStyle v) { c->SetBorderStyle(v); }, L"bsSingle")
        .Event<TTVChangedEvent>(L"OnChange", EventOf(&TCustomTreeView::OnChange))
        .Event<TTVChangingEvent>(L"OnChanging", EventOf(&TCustomTreeView::OnChanging))
        .Event<TTVExpandingEvent>(L"OnExpanding", EventOf(&TCustomTreeView::OnExpanding))
        .Event<TTVExpandedEvent>(L"OnExpanded", EventOf(&TCustomTreeView::OnExpanded))
        .Event<TTVCollapsingEvent>(L"OnCollapsing", EventOf(&TCustomTreeView::OnCollapsing))
        .Event<TTVExpandedEvent>(L"OnCollapsed", EventOf(&TCustomTreeView::OnCollapsed))
        .Event<TTVExpandedEvent>(L"OnDeletion", EventOf(&TCustomTreeView::OnDeletion))
        .Event<TTVCustomDrawEvent>(L"OnCustomDraw", EventOf(&TCustomTreeView::OnCustomDraw))
        .Event<TTVAdvancedCustomDrawEvent>(L"OnAdvancedCustomDraw", EventOf(&TCustomTreeView::OnAdvancedCustomDraw));
    RegisterPublishedClass<TTreeView>(L"TTreeView", L"TCustomTreeView");
}

} // namespace

void RegisterCommonControlsClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterStdControlsClasses();
    RegisterMenuClasses();
    RegisterTypes();
    RegisterTabs();
    RegisterBars();
    RegisterDates();
    RegisterRichEdit();
    RegisterViews();
}
