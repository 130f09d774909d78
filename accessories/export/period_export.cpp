#include "period_export.h"

#include <algorithm>
#include <cstdio>

#include "calendar_rules.h"
#include "cp932.h"
#include "date_time.h"
#include "globals.h"
#include "month_export.h"
#include "schedule_store.h"

using namespace foundation;

namespace accessories {

namespace {

const char kCrLf[] = "\r\n";

long DayNumber(TDateTime t) { return static_cast<long>(t); }

}  // namespace

bool ParseWholeNumber(const QString& text, long long& value) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return false;
    int i = 0;
    bool negative = false;
    if (t[0] == QLatin1Char('+') || t[0] == QLatin1Char('-')) {
        negative = t[0] == QLatin1Char('-');
        ++i;
    }
    if (i == t.size()) return false;
    long long v = 0;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return false;
        v = v * 10 + (c.unicode() - '0');
        if (v > 1000000000LL) return false;  // beyond any date or option
    }
    value = negative ? -v : v;
    return true;
}

bool ParseOptionByte(const QString& text, uint8_t& value) {
    long long v = 0;
    if (!ParseWholeNumber(text, v) || v < 0 || v > 255) return false;
    value = static_cast<uint8_t>(v);
    return true;
}

bool MakePeriod(const QString& year, const QString& month, const QString& day, const QString& n,
                bool beyondPeriod, Period& period) {
    long long y = 0, m = 0, d = 0, count = 0;
    if (!ParseWholeNumber(year, y) || !ParseWholeNumber(month, m) || !ParseWholeNumber(day, d) ||
        !ParseWholeNumber(n, count))
        return false;
    TDateTime start = 0;
    if (y < 1 || y > 9999 || !TryEncodeDate(int(y), int(m), int(d), start)) return false;
    Period p;
    p.start = DayNumber(start);
    p.n = static_cast<long>(count);
    p.length = beyondPeriod || count < 1 ? 365 : p.n;
    p.end = p.start + p.n;
    p.measure = count < 1 ? 365 : p.n;
    if (p.start + p.length > DayNumber(EncodeDate(9999, 12, 31))) return false;
    period = p;
    return true;
}

std::string PeriodHeading(int month, int day, int weekday) {
    static const char* kNames[7] = {"日", "月", "火", "水", "木", "金", "土"};
    char buf[16];
    std::snprintf(buf, sizeof buf, "%2d", month);
    std::string out = buf + Sj("月");
    std::snprintf(buf, sizeof buf, "%2d", day);
    return out + buf + Sj("日") + "(" + Sj(kNames[((weekday % 7) + 7) % 7]) + ")  ";
}

std::vector<std::string> DayLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t br = text.find_first_of("\r\n", pos);
        if (br == std::string::npos) {
            lines.push_back(text.substr(pos));
            break;
        }
        lines.push_back(text.substr(pos, br - pos));
        pos = br + (text[br] == '\r' && br + 1 < text.size() && text[br + 1] == '\n' ? 2 : 1);
    }
    return lines;
}

std::string PeriodText(const Period& period, const PeriodOptions& options,
                       const std::function<void(int)>& gauge) {
    const std::string indent(options.ind, ' ');
    const std::string continuation(14, ' ');
    std::string separator;
    for (int i = 0; i < options.kiri_n; ++i) separator += options.kiri_moji;
    if (!separator.empty()) separator += kCrLf;

    std::string out;
    for (long d = period.start; d <= period.start + period.length; ++d) {
        int year = 0, month = 0, day = 0;
        DecodeDate(static_cast<TDateTime>(d), year, month, day);
        if (year != CurYear || month != CurMonth) {
            CurYear = static_cast<uint16_t>(year);
            CurMonth = static_cast<uint16_t>(month);
            CurDay = static_cast<uint16_t>(day);
            LoadMonthSchedule();
            long percent = period.measure > 0 ? (d - period.start) * 100 / period.measure : 100;
            if (gauge) gauge(int(std::clamp(percent, 0L, 100L)));
        }
        const std::vector<std::string> lines = DayLines(MonthDays[day].Text);
        const std::string heading = PeriodHeading(month, day, WeekdayOf(year, month, day));
        if (!lines.empty()) {
            out += separator + heading + indent + lines[0] + kCrLf;
            for (size_t i = 1; i < lines.size(); ++i)
                out += continuation + indent + lines[i] + kCrLf;
        } else if (d <= period.end && options.dateEmptyDays) {
            out += separator + heading + kCrLf;
        }
    }
    if (!out.empty()) out += separator;
    return out;
}

std::string PeriodHtmlPage(const std::string& text) {
    return Sj("<HTML><HEAD><TITLE>予定表</TITLE></HEAD><BODY>") + kCrLf +
           Sj("<CENTER><H3>予定表</H3></CENTER><P>") + kCrLf + "<HR><PRE>" + HtmlEscape(text) +
           "</PRE><HR></BODY></HTML>";
}

std::string PeriodFileBytes(const std::string& text) {
    if (text.empty() || (text.size() >= 2 && text.compare(text.size() - 2, 2, kCrLf) == 0))
        return text;
    return text + kCrLf;
}

}  // namespace accessories
