#include "day_text.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "clock.h"
#include "cp932.h"

namespace foundation {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Case-folded comparison key: ASCII letters to lower case, trail bytes of double-byte
// characters left alone (the second byte of "ア" is 0x41).
std::string FoldCase(const std::string& text) {
    std::string folded = text;
    for (size_t i = 0; i < folded.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(folded[i]);
        if (platform::IsLeadByte(c) && i + 1 < folded.size() &&
            platform::IsTrailByte(static_cast<unsigned char>(folded[i + 1]))) {
            ++i;
        } else if (c >= 'A' && c <= 'Z') {
            folded[i] = static_cast<char>(c - 'A' + 'a');
        }
    }
    return folded;
}

// A non-empty run of decimal digits no larger than limit.
bool ParseNumber(const std::string& text, int limit, int& value) {
    if (text.empty()) return false;
    value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return false;
        value = value * 10 + (c - '0');
        if (value > limit) return false;
    }
    return true;
}

// Lines of a CR LF text; a final line end does not start another line.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t lf = text.find('\n', start);
        if (lf == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        size_t end = lf;
        if (end > start && text[end - 1] == '\r') --end;
        lines.push_back(text.substr(start, end - start));
        start = lf + 1;
    }
    return lines;
}

}  // namespace

bool NormalizeTimeHead(const std::string& line, std::string& key) {
    if (line.size() < 2) return false;
    const bool event = line[0] == '@';
    const std::string body = event ? line.substr(1) : line;
    const size_t colon = body.find(':');
    if (colon == std::string::npos || colon < 1 || colon > 2) return false;
    std::string head;
    if (colon == 1) {
        // Without a digit the head would be empty and the sort would drop two characters.
        if (!IsDigit(body[0])) return false;
        head = std::string(" ") + body[0] + ":";
    } else {
        head = body.substr(0, 3);
    }
    key = head + body.substr(colon + 1) + (event ? '@' : ' ');
    return true;
}

std::string SortTextByTime(const std::string& text) {
    struct Timed {
        std::string key;
        std::string folded;
    };
    std::vector<Timed> timed;
    std::vector<std::string> untimed;
    for (const std::string& line : SplitLines(text)) {
        std::string key;
        if (NormalizeTimeHead(line, key)) {
            std::string folded = FoldCase(key);
            timed.push_back({std::move(key), std::move(folded)});
        } else {
            untimed.push_back(line);
        }
    }
    // std::string compares as unsigned bytes, so double-byte text sorts by its code.
    std::stable_sort(timed.begin(), timed.end(),
                     [](const Timed& a, const Timed& b) { return a.folded < b.folded; });
    std::string result;
    for (const Timed& t : timed) {
        const char kind = t.key.back();
        if (kind == '@') result += '@';
        result.append(t.key, 0, t.key.size() - 1);
        result += "\r\n";
    }
    for (const std::string& line : untimed) {
        result += line;
        result += "\r\n";
    }
    return result;
}

bool CheckAlarmLine(std::string& line) {
    if (line.empty() || line[0] != '@') return true;
    std::string fixed = line;
    if (fixed.size() > 1 && fixed[1] == ' ') fixed[1] = '0';
    const size_t firstColon = fixed.find(':');
    if (firstColon != std::string::npos && firstColon + 1 < fixed.size() &&
        fixed[firstColon + 1] == ' ')
        fixed[firstColon + 1] = '0';

    const size_t blank = fixed.find(' ');
    if (blank == std::string::npos) return true;
    const std::string head = fixed.substr(0, blank);
    const size_t q = head.find(':');
    if (q == std::string::npos) return true;
    int hour = 0, minute = 0;
    if (!ParseNumber(head.substr(1, q - 1), 24, hour)) return true;
    if (!ParseNumber(head.substr(q + 1, 2), 59, minute)) return true;
    line = fixed;
    return false;
}

void AlarmLeadTime(int hour, int minute, int lead, int& outHour, int& outMinute) {
    constexpr long long kDay = 24 * 60;
    long long total = (static_cast<long long>(hour) * 60 + minute - lead) % kDay;
    if (total < 0) total += kDay;
    outHour = static_cast<int>(total / 60);
    outMinute = static_cast<int>(total % 60);
}

bool IsNowHourMinute(int hour, int minute) {
    const platform::LocalDateTime now = platform::CurrentClock().Now();
    return now.hour == hour && now.minute == minute;
}

double MinutesFromNow(TDateTime t) { return std::fabs(Now() - t) * 86400.0 / 60.0; }

bool IsPrivateLine(const std::string& line) {
    size_t last = std::string::npos;
    size_t lastLength = 0;
    for (size_t i = 0; i < line.size();) {
        last = i;
        if (platform::IsLeadByte(static_cast<unsigned char>(line[i])) && i + 1 < line.size() &&
            platform::IsTrailByte(static_cast<unsigned char>(line[i + 1]))) {
            lastLength = 2;
        } else {
            lastLength = 1;
        }
        i += lastLength;
    }
    return last != std::string::npos && lastLength == 1 && line[last] == 'S';
}

}  // namespace foundation
