// The selected date of the main window: showing a month, selecting and marking days, and
// every move between days, months and years, over a small view the window implements.
#pragma once

#include <Qt>
#include <string>

#include "encodable_text.h"
#include "month_grid.h"

namespace schedule {

// What the controller needs of the main window and the day window.
class CalendarView {
  public:
    virtual ~CalendarView() = default;
    // Moves, captions, colours, shows and hides the header and the 45 cells.
    virtual void ApplyLayout(const MonthLayout& layout) = 0;
    // The caption of the date on the calendar box, and with "の予定" on the day window's label.
    virtual void ShowDateCaption(int year, int month, const std::string& weekdayKanji, int day) = 0;
    // The day window's memo for storing (CP932 with CR LF) when it was edited since it was
    // filled; Refused: the user went back to the text as typed.
    virtual foundation::TextTake TakeDayText(std::string& text) = 0;
    // Fills the memo; it then counts as unedited.
    virtual void SetDayText(const std::string& text) = 0;
    // Month cells by day number 1..31.
    virtual void SetDayStyle(int day, const FontStyle& style) = 0;
    virtual void SetDayMark(int day, bool on) = 0;
    virtual void PressDay(int day) = 0;
    virtual void FocusDayText() = 0;
    virtual bool DayWindowVisible() const = 0;
    // Shows the year/month dialog; false when it was cancelled.
    virtual bool AskJumpTarget(std::string& yearText, std::string& monthText) = 0;
    // Today's text was laid out: its timed events are parsed for the alarms.
    virtual void ParseTodayEvents(const std::string& dayText) = 0;
};

class CalendarController {
  public:
    explicit CalendarController(CalendarView& view) : view_(view) {}

    // Makes the date the selected one, loads its month and lays it out; writes no file.
    // A date outside years 1-9999 or months 1-12 is ignored; the day is kept inside the month.
    void ShowMonth(int year, int month, int day);
    // The day window's text into the selected day of MonthDays when it was edited; writes no
    // file. False when the user went back to the text: what depends on the store stops.
    bool StoreDayText();
    // StoreDayText, then the month's files; false (the store has shown why) when not saved.
    bool SaveOnLeave();

    // Repaints styles and mark backgrounds of the month cells from MonthDays.
    void CalRef();
    // A month cell clicked: day 1..31 of the shown month.
    void SelectDay(int day);
    void ToggleMark();

    // Moves that save the month first; each returns false when nothing moved.
    bool PrevMonth();
    bool NextMonth();
    bool YearBack();
    bool YearForward();
    bool Jump();
    bool GoToNeighbour(int serial);  // Tag of a neighbouring-month cell
    bool GoToToday();
    void SelectPrevDay();
    void SelectNextDay();

    // WM_MAIN_NAVIGATE codes 1-8; other codes do nothing.
    void Navigate(int code);

  private:
    bool MoveTo(int year, int month, int day, bool focusAlways);
    void ShowSelectedDateCaption();

    CalendarView& view_;
};

// Keyboard of the main window: a WM_MAIN_NAVIGATE code, kKeyHelp, or 0 for none.
constexpr int kKeyHelp = -1;
int KeyCommandFor(int key, Qt::KeyboardModifiers modifiers);

// Sound of a header label by its column 0..6 (not by the weekday it shows).
std::string HeaderSoundName(int column);

}  // namespace schedule
