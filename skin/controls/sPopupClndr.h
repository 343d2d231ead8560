#pragma once
// Unit sPopupClndr: TsPopupCalendar, the borderless form a date edit drops down under itself.
// It holds one month calendar filling it. A click on a day, the Today button or Enter writes
// the calendar's date into the date edit and closes the form; Escape, a click elsewhere or the
// loss of activation close it without change. With a skin active its corners follow the
// transparent corners of the calendar's border mask, and it casts the system's drop shadow.
#include <functional>

#include "framework/controls/Forms.h"
#include "framework/menus/Menus.h"
#include "skin/core/sMaskDraw.h"

class TsCustomDateEdit;
class TsMonthCalendar;

using TCloseUpEvent = std::function<void(TObject* Sender, bool Accept)>;

// The corner rectangles cut out of the last region given to a drop-down calendar.
extern TAOR PopupCornerRects;

class TsPopupCalendar : public TForm {
public:
    explicit TsPopupCalendar(TComponent* AOwner);

    // Whether D lies within the editor's MinDate .. MaxDate (a bound of 0 is none).
    bool IsValidDate(TDateTime D) const;
    // A day was picked (a click on a day or on the Today button): the editor takes it unless
    // it lies out of range or OnAcceptDate refuses it, and the form closes.
    void CalendarClick();
    virtual void DoCloseUp(bool Accept);

    void FormKeyDown(TObject* Sender, WORD& Key, TShiftState Shift);
    void FormDeactivate(TObject* Sender);
    void FormClose(TObject* Sender, TCloseAction& Action);
    void FormShow(TObject* Sender);
    void sToolButton1Click(TObject* Sender);
    void sToolButton3Click(TObject* Sender);

    void KeyPress(wchar_t& Key) override;
    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;

    TsMonthCalendar* sMonthCalendar1 = nullptr;
    TsMonthCalendar* FCalendar = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TCloseUpEvent OnCloseUp;
    bool FFourDigitYear = false;
    // The date edit the popup serves; null until its first drop-down.
    TsCustomDateEdit* FEditor = nullptr;

private:
    // Writes D into the editor (unless OnAcceptDate refuses it); true when it was taken.
    bool OfferDate(TDateTime D);
    void ReturnFocusToEditor();
    bool EditorSkinActive() const;
    void UpdateRegion(bool Redraw);
};
