#include "navigation.h"

#include <algorithm>

#include "calendar_rules.h"
#include "date_time.h"
#include "globals.h"
#include "jump_dialog.h"
#include "messages.h"
#include "schedule_store.h"

using namespace foundation;

namespace schedule {

namespace {

constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;

bool ValidMonth(int year, int month) {
    return year >= kMinYear && year <= kMaxYear && month >= 1 && month <= 12;
}

std::string TextOfDay(int day) {
    if (day < 1 || day > 31) return std::string();
    const YOTEI& e = MonthDays[day];
    return e.HasText == 1 ? e.Text : std::string();
}

}  // namespace

void CalendarController::ShowMonth(int year, int month, int day) {
    if (!ValidMonth(year, month)) return;
    day = std::clamp(day, 1, DaysInMonth(year, month));
    CurYear = static_cast<uint16_t>(year);
    CurMonth = static_cast<uint16_t>(month);
    CurDay = static_cast<uint16_t>(day);
    LoadMonthSchedule();

    view_.ApplyLayout(LayOutMonth(year, month, day, MonthDays, Settings));
    ShowSelectedDateCaption();
    // Whatever the day window held is dropped: callers that leave a month store it first.
    const std::string text = TextOfDay(day);
    view_.SetDayText(text);

    uint16_t ty = 0, tm = 0, td = 0;
    DecodeToday(ty, tm, td);
    if (ty == CurYear && tm == CurMonth && td == CurDay) view_.ParseTodayEvents(text);
}

bool CalendarController::StoreDayText() {
    if (CurDay < 1 || CurDay > 31) return true;
    std::string text;
    // A day only shown keeps its bytes: codes that read back as another code of the same
    // character, or as no character, would otherwise be rewritten at the next save.
    const TextTake take = view_.TakeDayText(text);
    if (take != TextTake::Taken) return take == TextTake::Unedited;
    YOTEI& e = MonthDays[CurDay];
    if (!text.empty()) {
        e.HasText = 1;
        e.Text = std::move(text);
    } else {
        e.HasText = 0;
        e.Text.clear();
    }
    return true;
}

bool CalendarController::SaveOnLeave() { return StoreDayText() && SaveMonthSchedule(); }

void CalendarController::CalRef() {
    // Any non-zero mark counts as marked, as in the layout and the store; a day whose text was
    // emptied goes back to the plain style.
    for (int k = 1; k <= 31; ++k) {
        const YOTEI& e = MonthDays[k];
        view_.SetDayStyle(k, DayFontStyle(e.HasText, static_cast<int>(Settings.yoAruDsp)));
        view_.SetDayMark(k, e.Mark != 0);
    }
}

void CalendarController::SelectDay(int day) {
    if (!ValidMonth(CurYear, CurMonth) || day < 1 || day > DaysInMonth(CurYear, CurMonth)) return;
    if (!StoreDayText()) {
        view_.PressDay(CurDay);
        view_.FocusDayText();
        return;
    }
    if (CurDay >= 1 && CurDay <= 31) {
        view_.SetDayStyle(
            CurDay, DayFontStyle(MonthDays[CurDay].HasText, static_cast<int>(Settings.yoAruDsp)));
    }
    CurDay = static_cast<uint16_t>(day);
    ShowSelectedDateCaption();
    view_.SetDayText(TextOfDay(day));
    view_.FocusDayText();
}

void CalendarController::ToggleMark() {
    if (CurDay < 1 || CurDay > 31) return;
    YOTEI& e = MonthDays[CurDay];
    if (e.Mark != 0) {
        e.Mark = 0;
        view_.SetDayMark(CurDay, false);
    } else {
        e.Mark = 1;
        view_.SetDayMark(CurDay, true);
    }
}

bool CalendarController::MoveTo(int year, int month, int day, bool focusAlways) {
    if (!ValidMonth(year, month)) return false;
    // The month that is left must reach its files before another one replaces it in MonthDays.
    if (!SaveOnLeave()) {
        view_.PressDay(CurDay);
        return false;
    }
    ShowMonth(year, month, day);
    if (focusAlways || view_.DayWindowVisible()) view_.FocusDayText();
    return true;
}

bool CalendarController::PrevMonth() {
    if (CurMonth == 1) return MoveTo(CurYear - 1, 12, CurDay, true);
    return MoveTo(CurYear, CurMonth - 1, CurDay, true);
}

bool CalendarController::NextMonth() {
    if (CurMonth == 12) return MoveTo(CurYear + 1, 1, CurDay, true);
    return MoveTo(CurYear, CurMonth + 1, CurDay, true);
}

bool CalendarController::YearBack() { return MoveTo(CurYear - 1, CurMonth, CurDay, true); }

bool CalendarController::YearForward() { return MoveTo(CurYear + 1, CurMonth, CurDay, true); }

bool CalendarController::Jump() {
    std::string yearText, monthText;
    if (!view_.AskJumpTarget(yearText, monthText)) return false;
    int year = 0, month = 0;
    // A target that is no year 1-9999 and month 1-12 changes nothing.
    if (!ParseJumpTarget(yearText, monthText, year, month)) return false;
    return MoveTo(year, month, CurDay, true);
}

bool CalendarController::GoToNeighbour(int serial) {
    const int first = static_cast<int>(EncodeDate(kMinYear, 1, 1));
    const int last = static_cast<int>(EncodeDate(kMaxYear, 12, 31));
    if (serial < first || serial > last) {
        view_.PressDay(CurDay);
        return false;
    }
    int y = 0, m = 0, d = 0;
    DecodeDate(static_cast<TDateTime>(serial), y, m, d);
    return MoveTo(y, m, d, true);
}

bool CalendarController::GoToToday() {
    uint16_t y = 0, m = 0, d = 0;
    DecodeToday(y, m, d);
    return MoveTo(y, m, d, false);
}

void CalendarController::SelectPrevDay() {
    if (!ValidMonth(CurYear, CurMonth)) return;
    if (CurDay <= 1) {
        GoToNeighbour(static_cast<int>(EncodeDate(CurYear, CurMonth, 1)) - 1);
        return;
    }
    view_.PressDay(CurDay - 1);
    SelectDay(CurDay - 1);
}

void CalendarController::SelectNextDay() {
    if (!ValidMonth(CurYear, CurMonth)) return;
    const int last = DaysInMonth(CurYear, CurMonth);
    if (CurDay >= last) {
        GoToNeighbour(static_cast<int>(EncodeDate(CurYear, CurMonth, last)) + 1);
        return;
    }
    view_.PressDay(CurDay + 1);
    SelectDay(CurDay + 1);
}

void CalendarController::Navigate(int code) {
    switch (code) {
        case kNavToday:
            GoToToday();
            break;
        case kNavPrevMonth:
            PrevMonth();
            break;
        case kNavNextMonth:
            NextMonth();
            break;
        case kNavYearBack:
            YearBack();
            break;
        case kNavYearForward:
            YearForward();
            break;
        case kNavPrevDay:
            SelectPrevDay();
            break;
        case kNavNextDay:
            SelectNextDay();
            break;
        case kNavJump:
            Jump();
            break;
        default:
            break;
    }
}

void CalendarController::ShowSelectedDateCaption() {
    view_.ShowDateCaption(CurYear, CurMonth, WeekdayKanji(WeekdayOf(CurYear, CurMonth, CurDay)),
                          CurDay);
}

int KeyCommandFor(int key, Qt::KeyboardModifiers modifiers) {
    if (key == Qt::Key_F1) return kKeyHelp;
    const Qt::KeyboardModifiers mods = modifiers & ~Qt::KeypadModifier;
    if (mods == Qt::ControlModifier) {
        switch (key) {
            case Qt::Key_Home:
                return kNavToday;
            case Qt::Key_Left:
                return kNavPrevMonth;
            case Qt::Key_Right:
                return kNavNextMonth;
            case Qt::Key_Up:
                return kNavYearBack;
            case Qt::Key_Down:
                return kNavYearForward;
            default:
                return 0;
        }
    }
    if (mods == Qt::AltModifier) {
        if (key == Qt::Key_Left) return kNavPrevDay;
        if (key == Qt::Key_Right) return kNavNextDay;
    }
    return 0;
}

std::string HeaderSoundName(int column) {
    switch (column) {
        case 0:
        case 2:
        case 6:
            return "a.wav";
        case 1:
        case 3:
        case 5:
            return "soko.wav";
        case 4:
            return "arr.wav";
        default:
            return std::string();
    }
}

}  // namespace schedule
