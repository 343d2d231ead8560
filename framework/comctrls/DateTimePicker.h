#pragma once
// TDateTimePicker over SysDateTimePick32: a date with a drop-down calendar or up-down fields, or
// a time. It keeps its value while it has no window and writes it into the window when it is
// made; the user's changes come back through the notifications its parent reflects to it
// (CN_NOTIFY: DTN_DATETIMECHANGE, DTN_DROPDOWN, DTN_CLOSEUP, DTN_USERSTRING) and become its
// events. A bound (MinDate, MaxDate) of 0 means none.
#include <windows.h>
#include <functional>
#include <memory>

#include "framework/comctrls/MonthCalendar.h"

enum TDateTimeKind { dtkDate, dtkTime };
enum TDTDateMode { dmComboBox, dmUpDown };
enum TDTDateFormat { dfShort, dfLong };
enum TDTCalAlignment { dtaLeft, dtaRight };

// The user typed a text the picker cannot read itself (ParseInput): set DateAndTime, or clear
// AllowChange to keep the value.
using TDTParseInputEvent =
    std::function<void(TObject* Sender, const String& UserString, TDateTime& DateAndTime, bool& AllowChange)>;

class TDateTimePicker : public TWinControl {
public:
    explicit TDateTimePicker(TComponent* AOwner);
    ~TDateTimePicker() override;

    TDateTimeKind Kind() const { return FKind; }
    void SetKind(TDateTimeKind Value);
    // The whole value; ECommonCalendarError when its date lies outside MinDate .. MaxDate.
    TDateTime DateTime() const { return FDateTime; }
    void SetDateTime(TDateTime Value);
    // The date part (the time of day is kept when it is set) and the time part (the date kept).
    TDateTime Date() const;
    void SetDate(TDateTime Value);
    TDateTime Time() const;
    void SetTime(TDateTime Value);
    // A display format of the system picker ("yyyy/MM/dd", "HH:mm"); empty for the default.
    const String& Format() const { return FFormat; }
    void SetFormat(const String& Value);
    TDTDateFormat DateFormat() const { return FDateFormat; }
    void SetDateFormat(TDTDateFormat Value);
    TDTDateMode DateMode() const { return FDateMode; }
    void SetDateMode(TDTDateMode Value);
    // A check box in the control; clearing it leaves the picker without a value (Checked false).
    bool ShowCheckbox() const { return FShowCheckbox; }
    void SetShowCheckbox(bool Value);
    bool Checked() const;
    void SetChecked(bool Value);
    // ECommonCalendarError when the bounds cross; a value outside moves to the bound.
    TDateTime MinDate() const { return FMinDate; }
    void SetMinDate(TDateTime Value);
    TDateTime MaxDate() const { return FMaxDate; }
    void SetMaxDate(TDateTime Value);
    // Typed text the picker cannot read goes to OnUserInput.
    bool ParseInput() const { return FParseInput; }
    void SetParseInput(bool Value);
    TDTCalAlignment CalAlignment() const { return FCalAlignment; }
    void SetCalAlignment(TDTCalAlignment Value);
    TMonthCalColors* CalColors() const { return FCalColors.get(); }
    void SetCalColors(TMonthCalColors* Value) { FCalColors->Assign(Value); }

    // The drop-down calendar's window while it is dropped down (DTM_GETMONTHCAL), else null.
    HWND CalendarHandle() const { return FCalendarHandle; }
    bool DroppedDown() const { return FDroppedDown; }

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void Dispatch(TMessage& Message) override;
    virtual void CNNotify(TMessage& Message);

    // The user changed the value (OnChange).
    virtual void Change();
    virtual void DoDropDown();
    virtual void DoCloseUp();

    TNotifyEvent OnChange;
    TNotifyEvent OnCloseUp;
    TNotifyEvent OnDropDown;
    TDTParseInputEvent OnUserInput;

protected:
    void CheckRange(TDateTime Value) const;
    void UpdateRange();
    void UpdateValue();
    void StyleChanged();

    TDateTimeKind FKind = dtkDate;
    TDateTime FDateTime;
    String FFormat;
    TDTDateFormat FDateFormat = dfShort;
    TDTDateMode FDateMode = dmComboBox;
    bool FShowCheckbox = false;
    bool FChecked = true;
    TDateTime FMinDate = 0;
    TDateTime FMaxDate = 0;
    bool FParseInput = false;
    TDTCalAlignment FCalAlignment = dtaLeft;
    std::unique_ptr<TMonthCalColors> FCalColors;
    HWND FCalendarHandle = nullptr;
    bool FDroppedDown = false;
};
