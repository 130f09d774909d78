#include "holiday_list.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "calendar_rules.h"
#include "text_file.h"
#include "text_helpers.h"

using namespace foundation;

namespace schedule {

namespace {

constexpr size_t kKeyLength = 5;

// A field as a whole number after folding full-width digits; "5.5" counts as 5, and anything
// that is no number as 0.
int FieldNumber(const std::string& field) {
    std::string normal;
    NormalizeNumText(field, normal);
    const double v = std::atof(normal.c_str());
    if (v < 0 || v > 9999) return 0;
    return static_cast<int>(v);
}

}  // namespace

void ParseEntry(const std::string& line, int& month, int& day, std::string& text) {
    month = 0;
    day = 0;
    text.clear();
    std::string head, rest;
    SplitToken(line, ',', head, rest);
    if (rest.empty()) return;
    month = FieldNumber(head);
    std::string dayText;
    SplitToken(rest, ',', dayText, text);
    day = FieldNumber(dayText);
}

std::string EntryText(int month, int day, const std::string& text) {
    char key[16];
    std::snprintf(key, sizeof key, "%2d,%2d,", month, day);
    return key + text;
}

void HolidayList::Load(const std::string& bytes) {
    entries_.clear();
    EditIndex = -1;
    TextReader in(bytes);
    while (!in.Eof()) {
        int month, day;
        std::string text;
        ParseEntry(in.ReadLine(), month, day, text);
        // Out-of-range dates would be saved back as dates no calendar shows.
        if (month < 1 || month > 12 || day < 1 || day > 31) continue;
        Insert(EntryText(month, day, text));
    }
}

std::string HolidayList::FileBytes() const {
    std::string out;
    for (const std::string& e : entries_) out += e + "\r\n";
    return out;
}

int HolidayList::LastDay(int month) const {
    if (ListMode == kAnniversaries) return DaysInMonth(2000, month);
    return DaysInMonth(ListYear, month);
}

HolidayList::RegisterResult HolidayList::Register(int month, int& day, const std::string& text,
                                                  const std::function<bool(int, int)>& askReplace) {
    if (month < 1 || month > 12 || day < 1 || day > 31) return RegisterResult::NoDate;
    if (ListMode == kAnniversaries && text.empty()) return RegisterResult::NoText;
    day = std::min(day, LastDay(month));
    const std::string entry = EntryText(month, day, text);
    const std::string key = entry.substr(0, kKeyLength);
    if (EditIndex < 0) {
        auto same = std::find_if(entries_.begin(), entries_.end(), [&](const std::string& e) {
            return e.compare(0, kKeyLength, key) == 0;
        });
        if (same != entries_.end()) {
            if (ListMode == kAnniversaries && !askReplace(month, day))
                return RegisterResult::Declined;
            entries_.erase(same);
        }
    } else if (EditIndex < static_cast<int>(entries_.size()) &&
               entries_[EditIndex].compare(0, kKeyLength, key) == 0) {
        entries_.erase(entries_.begin() + EditIndex);
    }
    EditIndex = -1;
    Insert(entry);
    return RegisterResult::Added;
}

bool HolidayList::Pick(int index, int& month, int& day, std::string& text) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return false;
    EditIndex = index;
    ParseEntry(entries_[index], month, day, text);
    return month >= 1 && day >= 1;
}

bool HolidayList::Delete(int index, const std::function<bool(int, int)>& confirm) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return false;
    int month, day;
    std::string text;
    ParseEntry(entries_[index], month, day, text);
    if (!confirm(month, day)) return false;
    entries_.erase(entries_.begin() + index);
    // The old position now names another entry, which a registration must not replace.
    EditIndex = -1;
    return true;
}

void HolidayList::Insert(const std::string& entry) {
    entries_.insert(std::upper_bound(entries_.begin(), entries_.end(), entry), entry);
}

}  // namespace schedule
