#include "month_export_source.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "calendar_rules.h"
#include "cp932.h"
#include "globals.h"
#include "text_helpers.h"

using namespace foundation;

namespace accessories {

namespace {

uint32_t Rgb(const QColor& c) { return c.rgb() & 0xFFFFFF; }

std::string Cp932Lines(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return platform::ToCp932(text);
}

bool MemoText(const QWidget* view, int day, std::string& text) {
    const QString name = QStringLiteral("yo") + QString::number(day);
    if (auto* memo = view->findChild<QTextEdit*>(name)) {
        text = Cp932Lines(memo->toPlainText());
        return true;
    }
    if (auto* memo = view->findChild<QPlainTextEdit*>(name)) {
        text = Cp932Lines(memo->toPlainText());
        return true;
    }
    return false;
}

}  // namespace

uint32_t StoredColorRgb(uint32_t stored) {
    uint8_t r = 0, g = 0, b = 0;
    ColorToRGBBytes(stored, r, g, b);
    return (uint32_t(r) << 16) | (uint32_t(g) << 8) | b;
}

MonthExport CollectMonthExport(const QWidget* view) {
    MonthExport m;
    m.caption = view ? platform::ToCp932(view->windowTitle()) : std::string();
    m.firstWeekday = WeekdayOf(CurYear, CurMonth, 1);
    for (int w = 0; w < 7; ++w) m.weekdayRgb[w] = StoredColorRgb(Settings.YoubiTitleCol[w]);
    const QPalette standard = QApplication::palette();
    const int count = DaysInMonth(CurYear, CurMonth);
    for (int k = 1; k <= count; ++k) {
        MonthExportDay d;
        d.text = MonthDays[k].Text;
        if (view) {
            MemoText(view, k, d.text);
            const QString name = QStringLiteral("yod") + QString::number(k);
            if (auto* head = view->findChild<QLabel*>(name)) {
                d.caption = platform::ToCp932(head->text());
                const QColor text = head->palette().color(QPalette::WindowText);
                if (text != standard.color(QPalette::WindowText) && Rgb(text) != 0)
                    d.textRgb = Rgb(text);
                const QColor back = head->palette().color(QPalette::Window);
                if (back != standard.color(QPalette::Button)) d.backgroundRgb = Rgb(back);
            }
        }
        m.days.push_back(d);
    }
    return m;
}

}  // namespace accessories
