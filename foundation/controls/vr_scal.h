// A small read-only month calendar built on a window: a frame with the month as caption, a row
// of weekday headers from the user's first weekday and the day numbers in week rows, coloured
// like the main calendar. Not a control itself: the window owns the controls it builds.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <cstdint>
#include <string>

#include "records.h"
#include "settings_record.h"

namespace foundation {

// Positions, texts and colours of one month, computed without widgets.
struct MiniCalendarLayout {
    struct Label {
        int left = 0;
        int top = 0;
        int width = 0;
        int height = 0;
        bool visible = false;
        std::string caption;  // CP932
        uint32_t color = 0;   // stored colour value of the text
        bool marked = false;  // on the mark colour
        int tag = 0;          // headers: column 1-7; days: the date's day number
    };
    std::string caption;  // "5月", CP932
    Label weekdays[8];    // [1..7]
    Label days[32];       // [1..31]
    int frameWidth = 0;
    int frameHeight = 0;
};

// labelWidth/labelHeight: the size of a label showing "日". A first weekday outside 0-6 counts
// modulo 7, as in the main calendar.
MiniCalendarLayout LayOutMiniMonth(int year, int month, int labelWidth, int labelHeight,
                                   const YOTEI days[32], const INIT& settings);

class TVr_SCAL : public QObject {
    Q_OBJECT
  public:
    TVr_SCAL() = default;

    // Creates the frame and the 38 labels on window, then shows the month.
    void Build(QWidget* window, int year, int month);
    // Loads the month into MonthDays (the date becomes its first day) and lays it out; nothing
    // before Build.
    void ShowMonth(int year, int month);
    void SetPos(int left, int top);

    uint16_t Year = 0;
    uint16_t Month = 0;
    uint8_t Days = 0;
    QGroupBox* Frame = nullptr;
    QLabel* WeekdayLabels[8] = {};  // [1..7]
    QLabel* DayLabels[32] = {};     // [1..31]; Tag property: the date's day number
    int LabelHeight = 0;
    int LabelWidth = 0;

  signals:
    // A mouse press on a day label, with the label's Tag.
    void dayMouseDown(int tag);
};

}  // namespace foundation
