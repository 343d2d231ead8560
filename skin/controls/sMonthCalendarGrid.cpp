// The calendar's day grid: drawing weekday names, days, week numbers, today and the selection
// over the calendar's skinned background, and the keys and clicks that move the date.
#include <windowsx.h>

#include <cmath>

#include "framework/system/DateTimeUtils.h"
#include "skin/controls/sMonthCalendar.h"
#include "skin/controls/sPopupClndr.h"
#include "skin/controls/sTooledit.h"
#include "skin/core/sGraphUtils.h"
#include "skin/core/sSectionPaint.h"
#include "skin/core/sConst.h"
#include "skin/core/sSkinManager.h"

namespace {

constexpr int RowsShown = 7;
// Today's mark: corner size and the share of the weekend colour in its fill.
constexpr int TodayCorner = 8;
constexpr double TodayWeekendShare = 0.3;
// Days outside MinDate .. MaxDate and the week column are dimmed to this share of their colour.
constexpr double DimmedShare = 0.3;

} // namespace

TsCalendGrid::TsCalendGrid(TsMonthCalendar* AOwner) : TDrawGrid(AOwner), FOwner(AOwner)
{
    SetCtl3D(false);
    SetBorderStyle(bsNone);
    SetFixedCols(0);
    SetFixedRows(1);
    SetColCount(7);
    SetRowCount(8);
    SetScrollBars(ssNone);
    SetOptions(TGridOptions{});
    SetAlign(alClient);
    // The skin's control adapter leaves the grid to the calendar.
    SetTag(NoSkinTag);
}

void TsCalendGrid::CreateWnd()
{
    TDrawGrid::CreateWnd();
    SetDefaultDrawing(false);
    Clicked = false;
}

void TsCalendGrid::FillCalendarBackground(HDC DC, const TRect& R)
{
    TBackgroundQuery query;
    QueryControlBackground(query, FOwner, false);
    if (query.Kind == bgkBitmap && query.Bitmap != nullptr) {
        BitBlt(DC, R.left, R.top, R.right - R.left, R.bottom - R.top, query.Bitmap->Canvas()->Handle(),
               query.OffsetX + Left() + R.left, query.OffsetY + Top() + R.top, SRCCOPY);
    } else {
        PaintColorRect(DC, R, query.Kind == bgkColor ? query.Color : ColorToRGB(FOwner->Color()));
    }
}

void TsCalendGrid::DrawCell(int ACol, int ARow, const TRect& ARect, TGridDrawState AState)
{
    TsMonthCalendar& calendar = *FOwner;
    TsSkinManager* manager = calendar.SkinData()->SkinManager();
    const bool skinned = calendar.SkinData()->Skinned();
    const int w = calendar.WeekColumns();
    TCanvas* canvas = Canvas();

    TRect background = ARect;
    if (ACol == ColCount() - 1) background.right = Width();
    if (ARow == 6) background.bottom = Height();
    FillCalendarBackground(canvas->Handle(), background);

    canvas->Font()->Assign(Font());
    canvas->Brush()->SetColor(Color());
    if (!calendar.ShowSelectAlways() && !Focused()) AState.Exclude(gdSelected);
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->SetStyle(TFontStyles{});

    String text = calendar.CellText(ACol, ARow);
    TRect r = ARect;
    const bool weekColumn = w == 1 && ACol == 0;
    const int dayNumber = weekColumn ? 0 : calendar.CellDay(ACol, ARow);
    TDateTime date = 0;
    if (dayNumber > 0) date = EncodeDate(calendar.Year(), calendar.Month(), dayNumber);
    const bool isToday = calendar.ShowCurrentDate() && dayNumber > 0 && date == std::trunc(Now());
    const TColor globalColor = skinned && manager != nullptr ? manager->GetGlobalColor() : ColorToRGB(clBtnFace);

    if (isToday) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(MixColors(ColorToRGB(calendar.WeekendColor()), globalColor, TodayWeekendShare));
        canvas->Pen()->SetStyle(psClear);
        canvas->RoundRect(ARect.left + 1, ARect.top, ARect.right + 1, ARect.bottom + 1, TodayCorner, TodayCorner);
        canvas->Brush()->SetStyle(bsClear);
        canvas->Font()->SetColor(clWhite);
        canvas->Font()->SetStyle(TFontStyles{fsBold});
    } else if (weekColumn) {
        const TColor fontColor = skinned && manager != nullptr ? manager->GetGlobalFontColor() : clNone;
        const TColor dim = skinned && fontColor != NoSkinColor ? MixColors(fontColor, globalColor, DimmedShare)
                                                               : ColorToRGB(clGrayText);
        if (ARow == 0) {
            canvas->Font()->SetName(L"Small Fonts");
            canvas->Font()->SetSize(6);
        } else {
            canvas->Font()->SetStyle(TFontStyles{fsBold});
        }
        canvas->Font()->SetColor(dim);
        canvas->Pen()->SetStyle(psSolid);
        canvas->Pen()->SetColor(dim);
        canvas->MoveTo(ARect.right - 1, ARect.top);
        canvas->LineTo(ARect.right - 1, ARect.bottom);
        r.right -= 3;
    } else if (calendar.IsWeekendColumn(ACol)) {
        canvas->Font()->SetColor(calendar.WeekendColor());
    } else {
        const TColor fontColor = skinned && manager != nullptr ? manager->GetGlobalFontColor() : NoSkinColor;
        canvas->Font()->SetColor(fontColor != NoSkinColor ? fontColor : clWindowText);
    }

    const bool selected = AState.Contains(gdSelected);
    if (selected && text.empty()) return;
    if (selected) {
        canvas->Font()->SetStyle(TFontStyles{fsBold});
        InflateRect(&r, -2, -2);
        r.top -= 1;
        r.left += 1;
        if (!isToday) {
            canvas->Brush()->SetStyle(bsSolid);
            canvas->Brush()->SetColor(skinned && manager != nullptr ? manager->GetHighLightColor(true) : clHighlight);
            canvas->Font()->SetColor(skinned && manager != nullptr ? manager->GetHighLightFontColor(true) : clHighlightText);
            canvas->FillRect(r);
            canvas->Brush()->SetColor(Color());
            canvas->Brush()->SetStyle(bsClear);
            canvas->Pen()->SetStyle(psClear);
        }
    }

    if (ARow > 0 && dayNumber > 0) {
        if (calendar.OnDrawDay || calendar.OnGetCellParams) {
            TColor fill = NoSkinColor;
            if (calendar.OnDrawDay) {
                TsPopupCalendar* popup = calendar.PopupOwner();
                TObject* sender = &calendar;
                if (popup != nullptr && popup->FEditor != nullptr) sender = popup->FEditor;
                calendar.OnDrawDay(sender, canvas->Font(), fill, date);
            } else {
                calendar.OnGetCellParams(this, canvas->Font(), fill, date);
            }
            if (fill != NoSkinColor) {
                canvas->Brush()->SetStyle(bsSolid);
                canvas->Brush()->SetColor(fill);
            }
        }
        if (!calendar.IsValidDate(date)) {
            const TColor brush = canvas->Brush()->Style() == bsClear ? globalColor : canvas->Brush()->Color();
            canvas->Font()->SetColor(MixColors(ColorToRGB(canvas->Font()->Color()), ColorToRGB(brush), DimmedShare));
        }
    }

    SetBkMode(canvas->Handle(), canvas->Brush()->Style() == bsClear ? TRANSPARENT : OPAQUE);
    const TSize size = canvas->TextExtent(text);
    canvas->TextRect(r, r.left + (r.right - r.left - size.cx) / 2, r.top + (r.bottom - r.top - size.cy) / 2, text);

    if (selected && canvas->Brush()->Style() == bsClear && Focused()) {
        TRect focus = r;
        InflateRect(&focus, 1, 1);
        canvas->DrawFocusRect(focus);
    }
}

bool TsCalendGrid::SelectCell(int ACol, int ARow)
{
    if (FOwner->ReadOnly() && !FOwner->FUpdating) return false;
    return !FOwner->CellText(ACol, ARow).empty() && (FOwner->FUpdating || FOwner->CellDay(ACol, ARow) > 0);
}

void TsCalendGrid::Click()
{
    const int day = FOwner->CellDay(Col(), Row());
    if (day > 0) FOwner->SetDay(day);
    TDrawGrid::Click();
    if (FOwner->OnClick) FOwner->OnClick(FOwner);
}

void TsCalendGrid::KeyDown(WORD& Key, TShiftState Shift)
{
    TsMonthCalendar& calendar = *FOwner;
    const bool noShiftKeys = !Shift.Contains(ssShift) && !Shift.Contains(ssCtrl) && !Shift.Contains(ssAlt);
    switch (Key) {
    case VK_PRIOR:
        Shift.Contains(ssCtrl) ? calendar.PrevYear() : calendar.PrevMonth();
        return;
    case VK_NEXT:
        Shift.Contains(ssCtrl) ? calendar.NextYear() : calendar.NextMonth();
        return;
    case VK_LEFT:
    case VK_SUBTRACT:
        if (!noShiftKeys) break;
        if (calendar.Day() > 1)
            calendar.SetDay(calendar.Day() - 1);
        else
            calendar.SetCalendarDate(calendar.CalendarDate() - 1);
        return;
    case VK_RIGHT:
    case VK_ADD:
        if (!noShiftKeys) break;
        if (calendar.Day() < DaysInMonth(calendar.CalendarDate()))
            calendar.SetDay(calendar.Day() + 1);
        else
            calendar.SetCalendarDate(calendar.CalendarDate() + 1);
        return;
    case VK_UP:
    case VK_DOWN:
        Shift.Exclude(ssCtrl);
        break;
    default:
        break;
    }
    TDrawGrid::KeyDown(Key, Shift);
}

void TsCalendGrid::KeyPress(wchar_t& Key)
{
    if (Key == L'T' || Key == L't') {
        FOwner->SetCalendarDate(std::trunc(Now()));
        Key = 0;
        return;
    }
    TDrawGrid::KeyPress(Key);
}

void TsCalendGrid::Paint()
{
    if (ComponentState().Contains(csLoading) || ComponentState().Contains(csDestroying)) return;
    TDrawGrid::Paint();
}

void TsCalendGrid::LeftButtonReleased(TMessage& Message)
{
    TsPopupCalendar* popup = FOwner->PopupOwner();
    if (popup == nullptr || !popup->Visible()) {
        TDrawGrid::WndProc(Message);
        return;
    }
    // Let the press and release pick the day first, then the drop-down takes it, once.
    TDrawGrid::WndProc(Message);
    if (Clicked) return;
    Clicked = true;
    int col = -1, row = -1;
    MouseToCell(GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam), col, row);
    if (col >= 0 && row > 0 && FOwner->CellDay(col, row) > 0) popup->CalendarClick();
    Clicked = false;
}

void TsCalendGrid::WndProc(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_ERASEBKGND:
    case WM_MOUSEMOVE:
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
        return;
    case WM_LBUTTONUP:
        LeftButtonReleased(Message);
        return;
    case WM_LBUTTONDBLCLK:
        if (FOwner->OnDblClick && FOwner->ControlStyle().Contains(csDoubleClicks) && FOwner->PopupOwner() == nullptr) {
            FOwner->OnDblClick(FOwner);
            return;
        }
        break;
    case WM_SIZE:
        TDrawGrid::WndProc(Message);
        SetDefaultColWidth(Width() / (7 + FOwner->WeekColumns()));
        SetDefaultRowHeight(Height() / RowsShown);
        return;
    default:
        break;
    }
    TDrawGrid::WndProc(Message);
    if (Message.Msg == WM_PAINT && HandleAllocated()) {
        const int used = ColCount() * DefaultColWidth();
        if (used < Width()) {
            HDC dc = GetDC(Handle());
            FillCalendarBackground(dc, TRect{used, 0, Width(), Height()});
            ReleaseDC(Handle(), dc);
        }
    }
}
