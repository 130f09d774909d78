#include "vr_scal.h"

#include <QMouseEvent>
#include <cstdio>

#include "calendar_rules.h"
#include "color.h"
#include "cp932.h"
#include "date_time.h"
#include "globals.h"
#include "schedule_store.h"

namespace foundation {

namespace {

const char* const kCalendarFont = "ＭＳ ゴシック";
constexpr int kCalendarPoints = 9;
constexpr int kHeaderTop = 12;
constexpr int kFirstLeft = 2;

// A day number that reports presses to its calendar.
class DayLabel : public QLabel {
  public:
    DayLabel(QWidget* parent, TVr_SCAL& owner) : QLabel(parent), owner_(owner) {}

  protected:
    void mousePressEvent(QMouseEvent* e) override {
        e->accept();
        emit owner_.dayMouseDown(property("Tag").toInt());
    }

  private:
    TVr_SCAL& owner_;
};

void SetUpLabel(QLabel* label) {
    QFont f(QString::fromUtf8(kCalendarFont));
    f.setPointSize(kCalendarPoints);
    label->setFont(f);
    label->setAlignment(Qt::AlignCenter);
    label->setAutoFillBackground(false);
}

std::string TwoDigits(int day) {
    char text[8];
    std::snprintf(text, sizeof text, "%2d", day);
    return text;
}

void Apply(QLabel* label, const MiniCalendarLayout::Label& l) {
    label->setGeometry(l.left, l.top, l.width, l.height);
    label->setText(platform::FromCp932(l.caption));
    label->setProperty("Tag", l.tag);
    QPalette p = label->palette();
    p.setColor(QPalette::WindowText, platform::ToQColor(l.color));
    if (l.marked) p.setColor(QPalette::Window, platform::ToQColor(Settings.MAKUCOL));
    label->setPalette(p);
    label->setAutoFillBackground(l.marked);
    label->setVisible(l.visible);
}

}  // namespace

MiniCalendarLayout LayOutMiniMonth(int year, int month, int labelWidth, int labelHeight,
                                   const YOTEI days[32], const INIT& settings) {
    MiniCalendarLayout out;
    out.caption = std::to_string(month) + Sj("月");
    const int first = settings.StYoubiNo % 7;
    const int width = labelWidth + 2;
    const int height = labelHeight + 2;

    int b = first;
    int x = kFirstLeft;
    for (int i = 1; i <= 7; ++i) {
        MiniCalendarLayout::Label& h = out.weekdays[i];
        std::string name;
        WeekdayOf(2000, 1, 2 + b, name);  // 2 January 2000 was a Sunday
        h = {x, kHeaderTop, width, height, true, name, settings.YoubiTitleCol[b], false, i};
        x += width + 1;
        b = (b + 1) % 7;
    }

    int c = WeekdayOf(year, month, 1) - first;
    if (c < 0) c += 7;
    x = out.weekdays[c + 1].left;
    int y = out.weekdays[1].top + out.weekdays[1].height + 2;
    const int count = DaysInMonth(year, month);
    for (int d = 1; d <= 31; ++d) {
        MiniCalendarLayout::Label& l = out.days[d];
        if (d > count) {
            l.visible = false;
            continue;
        }
        std::string holiday;
        uint32_t color =
            DayColor(year, month, d, holiday, settings.YoubiTitleCol, settings.HolidayMojiCol);
        if (days[d].UserHoliday == 1) color = settings.uhori_color;
        l = {x,
             y,
             width,
             height,
             true,
             TwoDigits(d),
             color,
             days[d].Mark != 0,
             static_cast<int>(EncodeDate(year, month, d))};
        x += width + 1;
        if (out.weekdays[7].left < x) {
            x = out.weekdays[1].left;
            y += out.days[1].height;
        }
    }
    out.frameWidth = 7 * out.weekdays[1].width + 10;
    out.frameHeight = 7 * out.weekdays[1].height + 14;
    return out;
}

void TVr_SCAL::Build(QWidget* window, int year, int month) {
    Frame = new QGroupBox(window);
    Frame->move(0, -1000);
    for (int i = 1; i <= 7; ++i) {
        WeekdayLabels[i] = new QLabel(Frame);
        SetUpLabel(WeekdayLabels[i]);
    }
    WeekdayLabels[1]->setText(QString::fromUtf8("日"));
    const QSize size = WeekdayLabels[1]->sizeHint();
    LabelHeight = size.height();
    LabelWidth = size.width();
    for (int d = 1; d <= 31; ++d) {
        DayLabels[d] = new DayLabel(Frame, *this);
        SetUpLabel(DayLabels[d]);
    }
    ShowMonth(year, month);
}

void TVr_SCAL::ShowMonth(int year, int month) {
    if (!Frame) return;
    Frame->hide();
    Year = static_cast<uint16_t>(year);
    Month = static_cast<uint16_t>(month);
    Days = static_cast<uint8_t>(DaysInMonth(year, month));
    CurYear = Year;
    CurMonth = Month;
    CurDay = 1;
    LoadMonthSchedule();

    const MiniCalendarLayout layout =
        LayOutMiniMonth(year, month, LabelWidth, LabelHeight, MonthDays, Settings);
    Frame->setTitle(platform::FromCp932(layout.caption));
    for (int i = 1; i <= 7; ++i) Apply(WeekdayLabels[i], layout.weekdays[i]);
    for (int d = 1; d <= 31; ++d) Apply(DayLabels[d], layout.days[d]);
    Frame->resize(layout.frameWidth, layout.frameHeight);
    Frame->show();
}

void TVr_SCAL::SetPos(int left, int top) {
    if (Frame) Frame->move(left, top);
}

}  // namespace foundation
