// The published properties of the standard controls (labels, panels, bevels, images, group
// boxes, radio groups, edits, memos, masked edits, combo and list boxes, buttons, check boxes,
// radio buttons, bitmap and speed buttons, scroll bars and scroll boxes) for the form reader.
#include "framework/classes/FormReader.h"
#include "framework/classes/PropertyRegistry.h"
#include "framework/stdctrls/Bevel.h"
#include "framework/stdctrls/BitBtn.h"
#include "framework/stdctrls/CheckBox.h"
#include "framework/stdctrls/ComboBox.h"
#include "framework/stdctrls/GroupBox.h"
#include "framework/stdctrls/Image.h"
#include "framework/stdctrls/Label.h"
#include "framework/stdctrls/ListBox.h"
#include "framework/stdctrls/MaskEdit.h"
#include "framework/stdctrls/Memo.h"
#include "framework/stdctrls/Panel.h"
#include "framework/stdctrls/RadioButton.h"
#include "framework/stdctrls/RadioGroup.h"
#include "framework/stdctrls/ScrollBar.h"
#include "framework/stdctrls/ScrollBox.h"
#include "framework/stdctrls/SpeedButton.h"
#include "framework/stdctrls/StdCtrlsTypes.h"


namespace {

void RegisterTypes()
{
    RegisterEnumType(L"TAlignment", {L"taLeftJustify", L"taRightJustify", L"taCenter"});
    RegisterEnumType(L"TLeftRight", {L"taLeftJustify", L"taRightJustify"});
    RegisterEnumType(L"TTextLayout", {L"tlTop", L"tlCenter", L"tlBottom"});
    RegisterEnumType(L"TVerticalAlignment", {L"taAlignTop", L"taAlignBottom", L"taVerticalCenter"});
    RegisterEnumType(L"TScrollStyle", {L"ssNone", L"ssHorizontal", L"ssVertical", L"ssBoth"});
    RegisterEnumType(L"TEditCharCase", {L"ecNormal", L"ecUpperCase", L"ecLowerCase"});
    RegisterEnumType(L"TEllipsisPosition", {L"epNone", L"epPathEllipsis", L"epEndEllipsis", L"epWordEllipsis"});
    RegisterEnumType(L"TBorderStyle", {L"bsNone", L"bsSingle"});
    RegisterEnumType(L"TBevelShape", {L"bsBox", L"bsFrame", L"bsTopLine", L"bsBottomLine", L"bsLeftLine", L"bsRightLine", L"bsSpacer"});
    RegisterEnumType(L"TBevelStyle", {L"bsLowered", L"bsRaised"});
    RegisterEnumType(L"TComboBoxStyle", {L"csDropDown", L"csSimple", L"csDropDownList", L"csOwnerDrawFixed", L"csOwnerDrawVariable"});
    RegisterEnumType(L"TListBoxStyle", {L"lbStandard", L"lbOwnerDrawFixed", L"lbOwnerDrawVariable"});
    RegisterEnumType(L"TCheckBoxState", {L"cbUnchecked", L"cbChecked", L"cbGrayed"});
    RegisterEnumType(L"TButtonLayout", {L"blGlyphLeft", L"blGlyphRight", L"blGlyphTop", L"blGlyphBottom"});
    RegisterEnumType(L"TButtonStyle", {L"bsAutoDetect", L"bsWin31", L"bsNew"});
    RegisterEnumType(L"TBitBtnKind", {L"bkCustom", L"bkOK", L"bkCancel", L"bkHelp", L"bkYes", L"bkNo", L"bkClose", L"bkAbort",
                                      L"bkRetry", L"bkIgnore", L"bkAll"});
}

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

template <class T>
auto SetLines(TStrings* (T::*Get)() const)
{
    return [Get](T* o, const std::vector<String>& lines) {
        TStrings* strings = (o->*Get)();
        strings->BeginUpdate();
        strings->Clear();
        strings->AddStrings(lines);
        strings->EndUpdate();
    };
}

void RegisterLabelsAndPanels()
{
    RegisterPublishedClass<TCustomLabel>(L"TCustomLabel", L"TGraphicControl")
        .Enum<TAlignment>(L"Alignment", L"TAlignment", [](TCustomLabel* c, TAlignment v) { c->SetAlignment(v); }, L"taLeftJustify")
        .Enum<TTextLayout>(L"Layout", L"TTextLayout", [](TCustomLabel* c, TTextLayout v) { c->SetLayout(v); }, L"tlTop")
        .Boolean(L"AutoSize", [](TCustomLabel* c, bool v) { c->SetAutoSize(v); }, L"True")
        .Boolean(L"WordWrap", [](TCustomLabel* c, bool v) { c->SetWordWrap(v); })
        .Boolean(L"Transparent", [](TCustomLabel* c, bool v) { c->SetTransparent(v); })
        .Boolean(L"ShowAccelChar", [](TCustomLabel* c, bool v) { c->SetShowAccelChar(v); }, L"True")
        .Enum<TEllipsisPosition>(L"EllipsisPosition", L"TEllipsisPosition",
                                 [](TCustomLabel* c, TEllipsisPosition v) { c->SetEllipsisPosition(v); }, L"epNone")
        .Component<TWinControl>(L"FocusControl", L"TWinControl", [](TCustomLabel* c, TWinControl* v) { c->SetFocusControl(v); });
    RegisterPublishedClass<TLabel>(L"TLabel", L"TCustomLabel");

    RegisterPublishedClass<TCustomPanel>(L"TCustomPanel", L"TCustomControl")
        .Enum<TAlignment>(L"Alignment", L"TAlignment", [](TCustomPanel* c, TAlignment v) { c->SetAlignment(v); }, L"taCenter")
        .Enum<TTextLayout>(L"VerticalAlignment", L"TVerticalAlignment",
                           [](TCustomPanel* c, TTextLayout v) {
                               // taAlignTop, taAlignBottom, taVerticalCenter
                               static const TTextLayout map[] = {tlTop, tlBottom, tlCenter};
                               c->SetVerticalAlignment(map[static_cast<int>(v) % 3]);
                           },
                           L"taVerticalCenter")
        .Enum<TBevelCut>(L"BevelInner", L"TBevelCut", [](TCustomPanel* c, TBevelCut v) { c->SetBevelInner(v); }, L"bvNone")
        .Enum<TBevelCut>(L"BevelOuter", L"TBevelCut", [](TCustomPanel* c, TBevelCut v) { c->SetBevelOuter(v); }, L"bvRaised")
        .Integer(L"BevelWidth", [](TCustomPanel* c, int v) { c->SetBevelWidth(v); }, L"1")
        .Integer(L"BorderWidth", [](TCustomPanel* c, int v) { c->SetBorderWidth(v); })
        .Enum<TBorderStyle>(L"BorderStyle", L"TBorderStyle", [](TCustomPanel* c, TBorderStyle v) { c->SetBorderStyle(v); }, L"bsNone")
        .Boolean(L"ShowCaption", [](TCustomPanel* c, bool v) { c->SetShowCaption(v); }, L"True")
        .Boolean(L"FullRepaint", [](TCustomPanel* c, bool v) { c->SetFullRepaint(v); }, L"True")
        .Boolean(L"ParentBackground", [](TCustomPanel* c, bool v) { c->SetParentBackground(v); }, L"True")
        .NotStored(L"UseDockManager", TPropertyKind::Boolean)
        .NotStored(L"Locked", TPropertyKind::Boolean);
    RegisterPublishedClass<TPanel>(L"TPanel", L"TCustomPanel");

    RegisterPublishedClass<TBevel>(L"TBevel", L"TGraphicControl")
        .Enum<TBevelShape>(L"Shape", L"TBevelShape", [](TBevel* c, TBevelShape v) { c->SetShape(v); }, L"bsBox")
        .Enum<TBevelStyle>(L"Style", L"TBevelStyle", [](TBevel* c, TBevelStyle v) { c->SetStyle(v); }, L"bsLowered");

    RegisterPublishedClass<TImage>(L"TImage", L"TGraphicControl")
        .Object(L"Picture", L"TPicture", [](TImage* c) { return c->Picture(); })
        .Boolean(L"Stretch", [](TImage* c, bool v) { c->SetStretch(v); })
        .Boolean(L"Center", [](TImage* c, bool v) { c->SetCenter(v); })
        .Boolean(L"Proportional", [](TImage* c, bool v) { c->SetProportional(v); })
        .Boolean(L"Transparent", [](TImage* c, bool v) { c->SetTransparent(v); })
        .Boolean(L"AutoSize", [](TImage* c, bool v) { c->SetAutoSize(v); })
        .NotStored(L"IncrementalDisplay", TPropertyKind::Boolean);

    RegisterPublishedClass<TCustomGroupBox>(L"TCustomGroupBox", L"TCustomControl");
    RegisterPublishedClass<TGroupBox>(L"TGroupBox", L"TCustomGroupBox");
    RegisterPublishedClass<TCustomRadioGroup>(L"TCustomRadioGroup", L"TCustomGroupBox")
        .Strings(L"Items", SetLines<TCustomRadioGroup>(&TCustomRadioGroup::Items))
        .Integer(L"ItemIndex", [](TCustomRadioGroup* c, int v) { c->SetItemIndex(v); }, L"-1")
        .Integer(L"Columns", [](TCustomRadioGroup* c, int v) { c->SetColumns(v); }, L"1")
        .Boolean(L"WordWrap", [](TCustomRadioGroup* c, bool v) { c->SetWordWrap(v); });
    RegisterPublishedClass<TRadioGroup>(L"TRadioGroup", L"TCustomRadioGroup");
}

void RegisterEdits()
{
    RegisterPublishedClass<TCustomEdit>(L"TCustomEdit", L"TWinControl")
        .Integer(L"MaxLength", [](TCustomEdit* c, int v) { c->SetMaxLength(v); })
        .Boolean(L"ReadOnly", [](TCustomEdit* c, bool v) { c->SetReadOnly(v); })
        .Boolean(L"AutoSelect", [](TCustomEdit* c, bool v) { c->SetAutoSelect(v); }, L"True")
        .Boolean(L"AutoSize", [](TCustomEdit* c, bool v) { c->SetAutoSize(v); }, L"True")
        .Enum<TBorderStyle>(L"BorderStyle", L"TBorderStyle", [](TCustomEdit* c, TBorderStyle v) { c->SetBorderStyle(v); }, L"bsSingle")
        .Text(L"PasswordChar", [](TCustomEdit* c, const String& v) { c->SetPasswordChar(v.empty() ? 0 : v[0]); }, L"#0")
        .Enum<TEditCharCase>(L"CharCase", L"TEditCharCase", [](TCustomEdit* c, TEditCharCase v) { c->SetCharCase(v); }, L"ecNormal")
        .Boolean(L"HideSelection", [](TCustomEdit* c, bool v) { c->SetHideSelection(v); }, L"True")
        .Boolean(L"OEMConvert", [](TCustomEdit* c, bool v) { c->SetOEMConvert(v); })
        .Boolean(L"NumbersOnly", [](TCustomEdit* c, bool v) { c->SetNumbersOnly(v); })
        .Enum<TAlignment>(L"Alignment", L"TAlignment", [](TCustomEdit* c, TAlignment v) { c->SetAlignment(v); }, L"taLeftJustify")
        .NotStored(L"ImeMode", TPropertyKind::Enum)
        .NotStored(L"ImeName", TPropertyKind::String)
        .NotStored(L"DragCursor", TPropertyKind::Integer)
        .NotStored(L"DragMode", TPropertyKind::Enum)
        .Event<TNotifyEvent>(L"OnChange", Notify(&TCustomEdit::OnChange));
    RegisterPublishedClass<TEdit>(L"TEdit", L"TCustomEdit");

    RegisterPublishedClass<TCustomMemo>(L"TCustomMemo", L"TCustomEdit")
        .Strings(L"Lines", SetLines<TCustomMemo>(&TCustomMemo::Lines))
        .Enum<TScrollStyle>(L"ScrollBars", L"TScrollStyle", [](TCustomMemo* c, TScrollStyle v) { c->SetScrollBars(v); }, L"ssNone")
        .Boolean(L"WordWrap", [](TCustomMemo* c, bool v) { c->SetWordWrap(v); }, L"True")
        .Boolean(L"WantReturns", [](TCustomMemo* c, bool v) { c->SetWantReturns(v); }, L"True")
        .Boolean(L"WantTabs", [](TCustomMemo* c, bool v) { c->SetWantTabs(v); });
    RegisterPublishedClass<TMemo>(L"TMemo", L"TCustomMemo");

    RegisterPublishedClass<TCustomMaskEdit>(L"TCustomMaskEdit", L"TCustomEdit")
        .Text(L"EditMask", [](TCustomMaskEdit* c, const String& v) { c->SetEditMask(v); })
        .Text(L"Text", [](TCustomMaskEdit* c, const String& v) { c->SetText(v); });
    RegisterPublishedClass<TMaskEdit>(L"TMaskEdit", L"TCustomMaskEdit");
}

void RegisterLists()
{
    RegisterPublishedClass<TCustomComboBox>(L"TCustomComboBox", L"TWinControl")
        .Enum<TComboBoxStyle>(L"Style", L"TComboBoxStyle", [](TCustomComboBox* c, TComboBoxStyle v) { c->SetStyle(v); }, L"csDropDown")
        .Strings(L"Items", SetLines<TCustomComboBox>(&TCustomComboBox::Items))
        .Integer(L"ItemIndex", [](TCustomComboBox* c, int v) { c->SetItemIndex(v); }, L"-1")
        .Integer(L"DropDownCount", [](TCustomComboBox* c, int v) { c->SetDropDownCount(v); }, L"8")
        .Integer(L"ItemHeight", [](TCustomComboBox* c, int v) { c->SetItemHeight(v); }, L"16")
        .Boolean(L"Sorted", [](TCustomComboBox* c, bool v) { c->SetSorted(v); })
        .Integer(L"MaxLength", [](TCustomComboBox* c, int v) { c->SetMaxLength(v); })
        .Enum<TEditCharCase>(L"CharCase", L"TEditCharCase", [](TCustomComboBox* c, TEditCharCase v) { c->SetCharCase(v); }, L"ecNormal")
        .Boolean(L"AutoComplete", [](TCustomComboBox* c, bool v) { c->SetAutoComplete(v); }, L"True")
        .Boolean(L"AutoDropDown", [](TCustomComboBox* c, bool v) { c->SetAutoDropDown(v); })
        .Boolean(L"AutoCloseUp", [](TCustomComboBox* c, bool v) { c->SetAutoCloseUp(v); })
        .Integer(L"AutoCompleteDelay", [](TCustomComboBox* c, int v) { c->SetAutoCompleteDelay(v); }, L"500")
        .Text(L"TextHint", [](TCustomComboBox* c, const String& v) { c->SetTextHint(v); })
        .NotStored(L"ImeMode", TPropertyKind::Enum)
        .NotStored(L"ImeName", TPropertyKind::String)
        .NotStored(L"DragCursor", TPropertyKind::Integer)
        .NotStored(L"DragMode", TPropertyKind::Enum)
        .Event<TNotifyEvent>(L"OnChange", Notify(&TCustomComboBox::OnChange))
        .Event<TNotifyEvent>(L"OnSelect", Notify(&TCustomComboBox::OnSelect))
        .Event<TNotifyEvent>(L"OnDropDown", Notify(&TCustomComboBox::OnDropDown))
        .Event<TNotifyEvent>(L"OnCloseUp", Notify(&TCustomComboBox::OnCloseUp))
        .Event<TDrawItemEvent>(L"OnDrawItem", [](TCustomComboBox* c) -> TDrawItemEvent& { return c->OnDrawItem; })
        .Event<TMeasureItemEvent>(L"OnMeasureItem", [](TCustomComboBox* c) -> TMeasureItemEvent& { return c->OnMeasureItem; });
    RegisterPublishedClass<TComboBox>(L"TComboBox", L"TCustomComboBox");

    RegisterPublishedClass<TCustomListBox>(L"TCustomListBox", L"TWinControl")
        .Strings(L"Items", SetLines<TCustomListBox>(&TCustomListBox::Items))
        .Integer(L"ItemIndex", [](TCustomListBox* c, int v) { c->SetItemIndex(v); }, L"-1")
        .Boolean(L"MultiSelect", [](TCustomListBox* c, bool v) { c->SetMultiSelect(v); })
        .Boolean(L"ExtendedSelect", [](TCustomListBox* c, bool v) { c->SetExtendedSelect(v); }, L"True")
        .Boolean(L"Sorted", [](TCustomListBox* c, bool v) { c->SetSorted(v); })
        .Enum<TListBoxStyle>(L"Style", L"TListBoxStyle", [](TCustomListBox* c, TListBoxStyle v) { c->SetStyle(v); }, L"lbStandard")
        .Integer(L"ItemHeight", [](TCustomListBox* c, int v) { c->SetItemHeight(v); }, L"16")
        .Integer(L"Columns", [](TCustomListBox* c, int v) { c->SetColumns(v); })
        .Boolean(L"IntegralHeight", [](TCustomListBox* c, bool v) { c->SetIntegralHeight(v); })
        .Enum<TBorderStyle>(L"BorderStyle", L"TBorderStyle", [](TCustomListBox* c, TBorderStyle v) { c->SetBorderStyle(v); }, L"bsSingle")
        .Integer(L"TabWidth", [](TCustomListBox* c, int v) { c->SetTabWidth(v); })
        .Event<TDrawItemEvent>(L"OnDrawItem", [](TCustomListBox* c) -> TDrawItemEvent& { return c->OnDrawItem; })
        .Event<TMeasureItemEvent>(L"OnMeasureItem", [](TCustomListBox* c) -> TMeasureItemEvent& { return c->OnMeasureItem; });
    RegisterPublishedClass<TListBox>(L"TListBox", L"TCustomListBox");
}

void RegisterButtons()
{
    RegisterPublishedClass<TButtonControl>(L"TButtonControl", L"TWinControl")
        .Boolean(L"WordWrap", [](TButtonControl* c, bool v) { c->SetWordWrap(v); });

    RegisterPublishedClass<TButton>(L"TButton", L"TButtonControl")
        .Boolean(L"Default", [](TButton* c, bool v) { c->SetDefault(v); })
        .Boolean(L"Cancel", [](TButton* c, bool v) { c->SetCancel(v); })
        .Integer(L"ModalResult", [](TButton* c, int v) { c->SetModalResult(v); }, L"mrNone", L"TModalResult");

    RegisterPublishedClass<TCustomCheckBox>(L"TCustomCheckBox", L"TButtonControl")
        .Enum<TAlignment>(L"Alignment", L"TLeftRight", [](TCustomCheckBox* c, TAlignment v) { c->SetAlignment(v); }, L"taRightJustify")
        .Boolean(L"AllowGrayed", [](TCustomCheckBox* c, bool v) { c->SetAllowGrayed(v); })
        .Enum<TCheckBoxState>(L"State", L"TCheckBoxState", [](TCustomCheckBox* c, TCheckBoxState v) { c->SetState(v); }, L"cbUnchecked")
        .Boolean(L"Checked", [](TCustomCheckBox* c, bool v) { c->SetChecked(v); });
    RegisterPublishedClass<TCheckBox>(L"TCheckBox", L"TCustomCheckBox");

    RegisterPublishedClass<TRadioButton>(L"TRadioButton", L"TButtonControl")
        .Enum<TAlignment>(L"Alignment", L"TLeftRight", [](TRadioButton* c, TAlignment v) { c->SetAlignment(v); }, L"taRightJustify")
        .Boolean(L"Checked", [](TRadioButton* c, bool v) { c->SetChecked(v); });

    RegisterPublishedClass<TBitBtn>(L"TBitBtn", L"TButton")
        .Object(L"Glyph", L"TBitmap", [](TBitBtn* c) { return c->Glyph(); })
        .Integer(L"NumGlyphs", [](TBitBtn* c, int v) { c->SetNumGlyphs(v); }, L"1")
        .Enum<TBitBtnKind>(L"Kind", L"TBitBtnKind", [](TBitBtn* c, TBitBtnKind v) { c->SetKind(v); }, L"bkCustom")
        .Enum<TButtonLayout>(L"Layout", L"TButtonLayout", [](TBitBtn* c, TButtonLayout v) { c->SetLayout(v); }, L"blGlyphLeft")
        .Integer(L"Margin", [](TBitBtn* c, int v) { c->SetMargin(v); }, L"-1")
        .Integer(L"Spacing", [](TBitBtn* c, int v) { c->SetSpacing(v); }, L"4")
        .Enum<TButtonStyle>(L"Style", L"TButtonStyle", [](TBitBtn* c, TButtonStyle v) { c->SetStyle(v); }, L"bsAutoDetect");

    RegisterPublishedClass<TSpeedButton>(L"TSpeedButton", L"TGraphicControl")
        .Boolean(L"AllowAllUp", [](TSpeedButton* c, bool v) { c->SetAllowAllUp(v); })
        .Integer(L"GroupIndex", [](TSpeedButton* c, int v) { c->SetGroupIndex(v); })
        .Boolean(L"Down", [](TSpeedButton* c, bool v) { c->SetDown(v); })
        .Boolean(L"Flat", [](TSpeedButton* c, bool v) { c->SetFlat(v); })
        .Object(L"Glyph", L"TBitmap", [](TSpeedButton* c) { return c->Glyph(); })
        .Integer(L"NumGlyphs", [](TSpeedButton* c, int v) { c->SetNumGlyphs(v); }, L"1")
        .Enum<TButtonLayout>(L"Layout", L"TButtonLayout", [](TSpeedButton* c, TButtonLayout v) { c->SetLayout(v); }, L"blGlyphLeft")
        .Integer(L"Margin", [](TSpeedButton* c, int v) { c->SetMargin(v); }, L"-1")
        .Integer(L"Spacing", [](TSpeedButton* c, int v) { c->SetSpacing(v); }, L"4")
        .Boolean(L"Transparent", [](TSpeedButton* c, bool v) { c->SetTransparent(v); }, L"True");
}

void RegisterScrolling()
{
    RegisterEnumType(L"TScrollBarKind", {L"sbHorizontal", L"sbVertical"});
    RegisterPublishedClass<TScrollBar>(L"TScrollBar", L"TWinControl")
        .Enum<TScrollBarKind>(L"Kind", L"TScrollBarKind", [](TScrollBar* c, TScrollBarKind v) { c->SetKind(v); }, L"sbHorizontal")
        .Integer(L"Max", [](TScrollBar* c, int v) { c->SetMax(v); }, L"100")
        .Integer(L"Min", [](TScrollBar* c, int v) { c->SetMin(v); })
        .Integer(L"PageSize", [](TScrollBar* c, int v) { c->SetPageSize(v); })
        .Integer(L"Position", [](TScrollBar* c, int v) { c->SetPosition(v); })
        .Integer(L"SmallChange", [](TScrollBar* c, int v) { c->SetSmallChange(v); }, L"1")
        .Integer(L"LargeChange", [](TScrollBar* c, int v) { c->SetLargeChange(v); }, L"1")
        .Event<TNotifyEvent>(L"OnChange", Notify(&TScrollBar::OnChange))
        .Event<TScrollEvent>(L"OnScroll", EventOf(&TScrollBar::OnScroll));
    RegisterPublishedClass<TControlScrollBar>(L"TControlScrollBar", L"TPersistent")
        .Integer(L"Increment", [](TControlScrollBar* b, int v) { b->SetIncrement(v); }, L"8")
        .Integer(L"Margin", [](TControlScrollBar* b, int v) { b->SetMargin(v); })
        .Integer(L"Position", [](TControlScrollBar* b, int v) { b->SetPosition(v); })
        .Integer(L"Range", [](TControlScrollBar* b, int v) { b->SetRange(v); })
        .Boolean(L"Tracking", [](TControlScrollBar* b, bool v) { b->SetTracking(v); })
        .Boolean(L"Visible", [](TControlScrollBar* b, bool v) { b->SetVisible(v); }, L"True")
        .NotStored(L"ButtonSize", TPropertyKind::Integer)
        .NotStored(L"Color", TPropertyKind::Integer, L"TColor")
        .NotStored(L"ParentColor", TPropertyKind::Boolean)
        .NotStored(L"Size", TPropertyKind::Integer)
        .NotStored(L"Smooth", TPropertyKind::Boolean)
        .NotStored(L"Style", TPropertyKind::Enum)
        .NotStored(L"ThumbSize", TPropertyKind::Integer);
    RegisterPublishedClass<TScrollingWinControl>(L"TScrollingWinControl", L"TWinControl")
        .Object(L"HorzScrollBar", L"TControlScrollBar", [](TScrollingWinControl* c) { return c->HorzScrollBar(); })
        .Object(L"VertScrollBar", L"TControlScrollBar", [](TScrollingWinControl* c) { return c->VertScrollBar(); })
        .Boolean(L"AutoScroll", [](TScrollingWinControl* c, bool v) { c->SetAutoScroll(v); }, L"True");
    RegisterPublishedClass<TScrollBox>(L"TScrollBox", L"TScrollingWinControl")
        .Enum<TBorderStyle>(L"BorderStyle", L"TBorderStyle", [](TScrollBox* c, TBorderStyle v) { c->SetBorderStyle(v); }, L"bsSingle");
}

} // namespace

void RegisterStdControlsClasses()
{
    static bool done = false;
    if (done) return;
    done = true;
    RegisterControlsClasses();
    RegisterTypes();
    RegisterLabelsAndPanels();
    RegisterEdits();
    RegisterLists();
    RegisterButtons();
    RegisterScrolling();
}
