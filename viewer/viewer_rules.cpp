#include "viewer_rules.h"

#include "calendar_rules.h"
#include "cp932.h"
#include "day_text.h"
#include "paths.h"

using namespace foundation;

namespace viewer {

namespace {

bool ParseNumber(const QString& text, int low, int high, int& value) {
    if (text.size() > 12) return false;
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (!ok || v < low || v > high) return false;
    value = v;
    return true;
}

}  // namespace

bool ParseViewerArgs(const QStringList& args, ViewerStart& start) {
    if (args.size() != 4) return false;
    ViewerStart s;
    if (!ParseNumber(args[2], 1, 9999, s.year) || !ParseNumber(args[3], 1, 12, s.month))
        return false;
    s.userName = platform::FromDiskPath(args[0]);
    s.folder = platform::FromDiskPath(args[1]);
    start = s;
    return true;
}

std::string ViewerCaption(const std::string& userName, int year, int month) {
    return userName + Sj("さんの ") + std::to_string(year) + Sj("年 ") + std::to_string(month) +
           Sj("月予定を参照中");
}

ViewerHeader MakeViewerHeader(int year, int month, int day) {
    ViewerHeader h;
    std::string weekday;
    const int w = WeekdayOf(year, month, day, weekday);
    h.color = w == 0 ? 0x0000FF : w == 6 ? 0xFF0000 : 0x000000;
    h.caption = std::to_string(month) + "/" + std::to_string(day) + "(" + weekday + ") ";
    std::string holiday;
    if (HolidayName(year, month, day, holiday) && !holiday.empty()) {
        h.color = 0x0000FF;
        h.caption += holiday;
    }
    return h;
}

std::string HidePrivateLines(const std::string& text) {
    std::string out;
    size_t pos = 0;
    while (true) {
        size_t end = text.find("\r\n", pos);
        const std::string line = text.substr(pos, end == std::string::npos ? end : end - pos);
        out += IsPrivateLine(line) ? Sj("(プライベートスケジュール)") : line;
        if (end == std::string::npos) break;
        out += "\r\n";
        pos = end + 2;
    }
    return out;
}

std::string CutLongLines(const std::string& text, size_t maxBytes) {
    std::string out;
    size_t pos = 0;
    while (pos <= text.size()) {
        size_t end = text.find("\r\n", pos);
        if (end == std::string::npos) end = text.size();
        if (end - pos <= maxBytes) {
            out.append(text, pos, end - pos);
        } else {
            size_t cut = pos;
            while (cut < pos + maxBytes) {
                size_t next =
                    cut + (platform::IsLeadByte(static_cast<unsigned char>(text[cut])) ? 2 : 1);
                if (next > pos + maxBytes) break;
                cut = next;
            }
            out.append(text, pos, cut - pos);
            out += Sj("…");
        }
        if (end == text.size()) break;
        out += "\r\n";
        pos = end + 2;
    }
    return out;
}

bool StepMonth(int& year, int& month, int delta) {
    int y = year, m = month + delta;
    if (m < 1) {
        m = 12;
        --y;
    } else if (m > 12) {
        m = 1;
        ++y;
    }
    if (y < 1 || y > 9999) return false;
    year = y;
    month = m;
    return true;
}

}  // namespace viewer
