#pragma once
// Unit sTooledit: the skinned date edit. TsCustomDateEdit is a masked edit that holds a date as
// text in the picture DateFormat gives ("yyyy/mm/dd", typed into the mask "!9999/99/99;1; "),
// with a button at its right edge that drops down a month calendar; picking a day there writes
// that date into the edit. Date reads the text back; a text that is no date reads as today with
// DefaultToday, else as the null date (0), which shows as an empty edit.
//
// With CheckOnExit the edit refuses to be left while its text is no date (blank included): the
// focus goes back into it and EConvertError "Invalid Date" reaches the user.
//
// Setting Date changes the text the way typing does, so OnChange fires for it whether or not
// the edit has a window yet (an edit without window gets no EN_CHANGE, so it is fired here).
// The skin engine gives the control its looks later; until then it draws as the framework's edit.
#include <memory>

#include "framework/comctrls/DateTimePicker.h"
#include "framework/comctrls/MonthCalendar.h"
#include "framework/controls/Forms.h"
#include "framework/stdctrls/MaskEdit.h"
#include "framework/system/FormatSettings.h"

class TsCustomDateEdit;
class TsDateEditButton;

// The null date: no date at all.
constexpr TDateTime NullDate = 0;

// The month calendar of the drop-down: tells when the user picked a day (a click on a day, or
// Enter), which a plain change of the selection (scrolling the months) is not.
class TsPopupMonthCalendar : public TMonthCalendar {
public:
    using TMonthCalendar::TMonthCalendar;
    void CNNotify(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;

    // The user picked Day.
    std::function<void(TDateTime Day)> OnPick;
};

// The drop-down window: a borderless popup holding the month calendar, closed when it loses the
// activation or on Escape.
class TsPopupCalendar : public TCustomForm {
public:
    explicit TsPopupCalendar(TsCustomDateEdit* Edit);

    TsPopupMonthCalendar* Calendar() const { return FCalendar; }

    void CreateParams(TCreateParams& Params) override;
    void Deactivate() override;
    // Escape closes the calendar, Enter takes its date.
    void CMDialogKey(TMessage& Message) override;

private:
    TsCustomDateEdit* FEdit;
    TsPopupMonthCalendar* FCalendar;
};

class TsCustomDateEdit : public TCustomMaskEdit {
public:
    explicit TsCustomDateEdit(TComponent* AOwner);
    ~TsCustomDateEdit() override;

    // The date shown (see the unit's header); the time of day is dropped.
    TDateTime Date();
    void SetDate(TDateTime Value);
    bool DefaultToday() const { return FDefaultToday; }
    void SetDefaultToday(bool Value) { FDefaultToday = Value; }
    // Whether the text holds a date (a blank edit does not, whatever DefaultToday says).
    bool HasValidDate();
    bool CheckOnExit() const { return FCheckOnExit; }
    void SetCheckOnExit(bool Value) { FCheckOnExit = Value; }
    // With no date in the text: the focus back into the edit, then EConvertError "Invalid Date".
    void CheckValidDate();
    // The picture of the text in FormatDateTime's letters, "/" standing for the separator.
    const String& DateFormat() const { return FDateFormat; }
    void SetDateFormat(const String& Value);
    // Width of the drop-down calendar window; its height follows the calendar.
    int PopupWidth() const { return FPopupWidth; }
    void SetPopupWidth(int Value) { FPopupWidth = Value; }

    bool DroppedDown() const;
    // Opens the calendar under the edit (above it when there is no room below) on the shown
    // date, or today; opening an open one closes it.
    void DropDown();
    // Closes the calendar; with Accept its date becomes the edit's.
    void CloseUp(bool Accept);
    TsPopupCalendar* PopupCalendar() const { return FPopup.get(); }
    // The drop-down button (a child window at the right edge).
    TWinControl* Button() const { return FButton; }

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WMSize(TMessage& Message) override;
    void KeyDown(WORD& Key, TShiftState Shift) override;
    void CMExit(TMessage& Message) override;

    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

private:
    friend class TsPopupCalendar;
    friend class TsDateEditButton;
    TFormatSettings DateSettings() const;
    void PlaceButton();
    void ButtonPressed();
    void PopupDeactivated();

    TWinControl* FButton = nullptr;
    std::unique_ptr<TsPopupCalendar> FPopup;
    String FDateFormat = L"yyyy/mm/dd";
    bool FDefaultToday = false;
    bool FCheckOnExit = false;
    int FPopupWidth = 197;
    // The popup closed because the button was pressed: that press must not open it again.
    bool FSkipNextDrop = false;
};

class TsDateEdit : public TsCustomDateEdit {
public:
    using TsCustomDateEdit::TsCustomDateEdit;
};
