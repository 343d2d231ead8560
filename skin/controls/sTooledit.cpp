#include "skin/controls/sTooledit.h"

#include <algorithm>
#include <cmath>

#include "framework/system/DateTimeUtils.h"
#include "framework/system/Exceptions.h"
#include "framework/system/FormatSettings.h"
#include "framework/system/ScopeGuards.h"
#include "skin/controls/sDateUtils.h"
#include "skin/core/sMessages.h"
#include "skin/core/sSkinManager.h"

namespace {

constexpr int DateEditCode = 137;
constexpr int PublishedDateEditCode = 140;
constexpr int CalendarHintCount = 4;

bool Designing(const TComponent* Component)
{
    return Component->ComponentState().Contains(csDesigning);
}

} // namespace

TDateTime StrToDateFmtDef(const String& Format, const String& Text, TDateTime Default)
{
    TDateTime value = 0;
    if (TryStrToDateFmt(Format, Text, value)) return value;
    return std::trunc(Default);
}

// ---- Construction -----------------------------------------------------------------------------

TsCustomDateEdit::TsCustomDateEdit(TComponent* AOwner) : TsCustomComboEdit(AOwner)
{
    FCommonData->COC = DateEditCode;
    // The calendar glyph of the standard list.
    FDefBmpID = 2;
    FCalendarHints = std::make_unique<TStringList>();
    FCalendarHints->OnChange = [this](TObject* Sender) { CalendarHintsChanged(Sender); };
    {
        TFlagGuard creating(FControlState, csCreating);
        SetWidth(86);
    }
    UpdateFormat();
}

TsCustomDateEdit::~TsCustomDateEdit()
{
    RemoveLocaleHook();
    FPopupWindow = nullptr;
    delete FPopup;
    FPopup = nullptr;
    FCalendarHints->OnChange = nullptr;
}

TsDateEdit::TsDateEdit(TComponent* AOwner) : TsCustomDateEdit(AOwner)
{
    SkinData()->COC = PublishedDateEditCode;
    SetEditMask(L"!90/90/0000;1; ");
    UpdateMask();
}

void TsCustomDateEdit::Loaded()
{
    TsCustomComboEdit::Loaded();
    UpdateMask();
}

// ---- The date ---------------------------------------------------------------------------------

TDateTime TsCustomDateEdit::Date()
{
    const TDateTime fallback = FDefaultToday && !Designing(this) ? ::Date() : NullDate;
    return StrToDateFmtDef(FDateFormat, Text(), fallback);
}

void TsCustomDateEdit::SetDate(TDateTime Value)
{
    if (!ValidDateTime(Value) || Value == NullDate) Value = FDefaultToday && !Designing(this) ? ::Date() : NullDate;
    const TDateTime old = Date();
    const String before = EditText();
    SetText(Value == NullDate ? String() : FormatDateTime(FDateFormat, std::trunc(Value)));
    SetModified(Date() != old);
    FCommonData->BGChanged = FCommonData->BGChanged || Modified();
    // With a window the edit reports a change itself (EN_CHANGE); without one nobody would.
    if (EditText() != before && !HandleAllocated()) Change();
}

void TsCustomDateEdit::ApplyDate(TDateTime Value)
{
    SetDate(Value);
    SelectAll();
}

TDateTime TsCustomDateEdit::DateOrNow()
{
    const TDateTime d = Date();
    return d == NullDate ? Now() : d;
}

void TsCustomDateEdit::SetMinDate(TDateTime Value)
{
    if ((FMaxDate != 0 && Value > FMaxDate) || Value == FMinDate) return;
    FMinDate = Value;
    if (Value != 0 && Date() < Value) SetDate(Value);
}

void TsCustomDateEdit::SetMaxDate(TDateTime Value)
{
    if (Value == FMaxDate || Value < FMinDate) return;
    FMaxDate = Value;
    if (Value != 0 && Date() > Value) SetDate(Value);
}

bool TsCustomDateEdit::TextEntered()
{
    for (wchar_t c : Text())
        if (c != L'\0' && c != L' ' && c != FormatSettings.DateSeparator && c != FBlanksChar) return true;
    return false;
}

bool TsCustomDateEdit::HasValidDate()
{
    TDateTime value = 0;
    return TextEntered() && TryStrToDateFmt(FDateFormat, Text(), value) && value != NullDate;
}

bool TsCustomDateEdit::CheckValidDate()
{
    if (!TextEntered()) return false;
    TValueRestore<bool> formatting(FFormatting, true);
    // The locale's reading, with the order of the picture the text is written in (the two
    // agree unless the locale changed since the mask was made).
    TFormatSettings settings = FormatSettings;
    settings.ShortDateFormat = FDateFormat;
    TDateTime value = 0;
    if (TryStrToDate(Text(), value, settings) && ValidDateTime(value)) {
        SetDate(value);
        return true;
    }
    // As the mask's own check does: the user stays in the edit to mend the date.
    TCustomForm* form = GetParentForm(this);
    if (HandleAllocated() && !Focused() && form != nullptr && form->Visible() && CanFocus()) {
        FReEnter = true;
        SetFocus();
    }
    throw EConvertError(L"Invalid Date");
}

// ---- Format and mask --------------------------------------------------------------------------

bool TsCustomDateEdit::FourDigits() const
{
    switch (FYearDigits) {
    case dyFour: return true;
    case dyTwo: return false;
    default: return FourDigitYearDefault();
    }
}

void TsCustomDateEdit::UpdateFormat()
{
    FDateFormat = DefDateFormat(FourDigits());
}

void TsCustomDateEdit::UpdateMask()
{
    const TDateTime oldDate = Date();
    const String oldFormat = FDateFormat;
    UpdateFormat();
    const String newMask = DefDateMask(FBlanksChar, FourDigits());
    if (newMask != EditMask() || oldFormat != FDateFormat) {
        // The text is written anew below: the old one must not be squeezed into the new mask.
        TValueRestore<bool> formatting(FFormatting, true);
        SetEditMask(L"");
        SetEditMask(newMask);
    }
    UpdatePopup();
    // The same date in the new picture: no change to report.
    TValueRestore<bool> formatting(FFormatting, true);
    SetDate(oldDate);
}

void TsCustomDateEdit::SetBlanksChar(wchar_t Value)
{
    if (Value < L' ') Value = L' ';
    if (Value == FBlanksChar) return;
    FBlanksChar = Value;
    UpdateMask();
}

void TsCustomDateEdit::SetYearDigits(TYearDigits Value)
{
    if (Value == FYearDigits) return;
    FYearDigits = Value;
    UpdateMask();
}

// ---- The drop-down calendar -------------------------------------------------------------------

void TsCustomDateEdit::SetCalendarHints(TStrings* Value)
{
    FCalendarHints->Assign(Value);
}

void TsCustomDateEdit::CalendarHintsChanged(TObject*)
{
    FCalendarHints->OnChange = nullptr;
    while (FCalendarHints->Count() > CalendarHintCount) FCalendarHints->Delete(FCalendarHints->Count() - 1);
    FCalendarHints->OnChange = [this](TObject* Sender) { CalendarHintsChanged(Sender); };
    if (!Designing(this)) UpdatePopup();
}

void TsCustomDateEdit::SetStartOfWeek(TCalDayOfWeek Value)
{
    if (Value == FStartOfWeek) return;
    FStartOfWeek = Value;
    UpdatePopup();
}

void TsCustomDateEdit::SetWeekends(TDaysOfWeek Value)
{
    if (Value == FWeekends) return;
    FWeekends = Value;
    UpdatePopup();
}

void TsCustomDateEdit::SetWeekendColor(TColor Value)
{
    if (Value == FWeekendColor) return;
    FWeekendColor = Value;
    UpdatePopup();
}

void TsCustomDateEdit::UpdatePopup()
{
    if (FPopup == nullptr) return;
    TsMonthCalendar* calendar = FPopup->FCalendar;
    calendar->SetStartOfWeek(FStartOfWeek);
    calendar->SetWeekends(FWeekends);
    calendar->SetWeekendColor(FWeekendColor);
    calendar->SetShowWeeks(FShowWeeks);
    calendar->SetShowTodayBtn(FShowTodayBtn);
    FPopup->FFourDigitYear = FourDigits();
    calendar->OnGetCellParams = OnGetCellParams;
    calendar->OnDrawDay = OnDrawDay;
    TsSkinManager* manager = TsSkinManager::DefaultSkinManager();
    FPopup->SetColor(FCommonData->Skinned() && manager != nullptr ? manager->GetGlobalColor() : clBtnFace);
    for (int i = 0; i < std::min(CalendarHintCount, FCalendarHints->Count()); ++i) {
        calendar->NavButton(i)->SetHint(FCalendarHints->Strings(i));
        calendar->NavButton(i)->SetShowHint(ShowHint());
    }
}

void TsCustomDateEdit::DropDown()
{
    if (GetReadOnly() || DroppedDown()) return;
    if (FPopup == nullptr) {
        FPopup = new TsPopupCalendar(this);
        FPopupWindow = FPopup;
    }
    FPopup->Font()->Assign(Font());
    TsMonthCalendar* calendar = FPopup->FCalendar;
    calendar->SetMaxDate(FMaxDate);
    calendar->SetMinDate(FMinDate);
    const TDateTime shown = Date();
    calendar->SetCalendarDate(shown == NullDate ? ::Date() : shown);
    calendar->SetControlStyle(calendar->ControlStyle() - TControlStyle{csDoubleClicks});
    FPopup->FEditor = this;
    UpdatePopup();
    TsCustomComboEdit::DropDown();
    // The calendar works from the keyboard as soon as it shows.
    if (DroppedDown() && calendar->Grid()->CanFocus()) calendar->Grid()->SetFocus();
}

// ---- Window -----------------------------------------------------------------------------------

void TsCustomDateEdit::CreateWnd()
{
    TsCustomComboEdit::CreateWnd();
    UpdateMask();
    InstallLocaleHook();
}

void TsCustomDateEdit::DestroyWnd()
{
    RemoveLocaleHook();
    TsCustomComboEdit::DestroyWnd();
}

void TsCustomDateEdit::InstallLocaleHook()
{
    if (FHooked || Designing(this) || Application == nullptr) return;
    Application->HookMainWindow([this](TMessage& Message) { return LocaleHook(Message); }, this);
    FHooked = true;
}

void TsCustomDateEdit::RemoveLocaleHook()
{
    if (!FHooked) return;
    if (Application != nullptr) Application->UnhookMainWindow(this);
    FHooked = false;
}

bool TsCustomDateEdit::LocaleHook(TMessage& Message)
{
    if (Message.Msg == WM_WININICHANGE) UpdateMask();
    return false;
}

// ---- Input ------------------------------------------------------------------------------------

void TsCustomDateEdit::Change()
{
    if (FFormatting) return;
    TsCustomComboEdit::Change();
}

void TsCustomDateEdit::KeyDown(WORD& Key, TShiftState Shift)
{
    const bool noShiftKeys = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    switch (Key) {
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_ADD:
    case VK_SUBTRACT:
        if (DroppedDown()) {
            FPopup->FCalendar->Grid()->KeyDown(Key, Shift);
            Key = 0;
        } else if (noShiftKeys && DirectInput() && (Key == VK_ADD || Key == VK_SUBTRACT)) {
            ApplyDate(DateOrNow() + (Key == VK_ADD ? 1 : -1));
            Key = 0;
        }
        break;
    default:
        break;
    }
    TsCustomComboEdit::KeyDown(Key, Shift);
}

void TsCustomDateEdit::KeyPress(wchar_t& Key)
{
    const bool dateKey = Key == L'+' || Key == L'-' || Key == L'T' || Key == L't';
    if (dateKey && DroppedDown()) {
        FPopup->FCalendar->Grid()->KeyPress(Key);
        Key = 0;
    } else if (dateKey && DirectInput() && !ReadOnly()) {
        if (Key == L'T' || Key == L't') ApplyDate(std::trunc(Now()));
        Key = 0;
    }
    TsCustomComboEdit::KeyPress(Key);
}

void TsCustomDateEdit::CMExit(TMessage& Message)
{
    if (!Designing(this) && FCheckOnExit && CheckValidDate()) {
        if (FMaxDate != 0 && Date() > FMaxDate)
            SetDate(FMaxDate);
        else if (FMinDate != 0 && Date() < FMinDate)
            SetDate(FMinDate);
    }
    TsCustomComboEdit::CMExit(Message);
}

void TsCustomDateEdit::WndProc(TMessage& Message)
{
    if (Message.Msg == SM_LUMACMD) {
        const int sub = SkinCmdSub(Message.WParam);
        const bool own = reinterpret_cast<TsSkinManager*>(Message.LParam) == FCommonData->SkinManager();
        if (own && (sub == AC_SKINLOADED || sub == AC_SKINUNLOADED || sub == AC_RESKIN)) {
            if (FPopup != nullptr) {
                for (int i = 0; i < FPopup->ControlCount(); ++i) {
                    if (auto* child = dynamic_cast<TWinControl*>(FPopup->Controls(i)); child != nullptr && child->HandleAllocated())
                        SendMessageW(child->Handle(), Message.Msg, Message.WParam, Message.LParam);
                }
            }
            UpdateFormat();
            UpdateMask();
        }
    }
    TsCustomComboEdit::WndProc(Message);
}
