// The entries of the user holiday and anniversary editor, without widgets: one "%2d,%2d,text"
// line per entry, kept sorted as text, with the register, pick and delete rules.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace schedule {

// month, day and text of a list line; month and day stay 0 and text empty when the line has
// no second field.
void ParseEntry(const std::string& line, int& month, int& day, std::string& text);
// "%2d" + "," + "%2d" + "," + text.
std::string EntryText(int month, int day, const std::string& text);

class HolidayList {
  public:
    enum Mode { kHolidays = 0, kAnniversaries = 1 };
    enum class RegisterResult { Added, NoDate, NoText, Declined };

    Mode ListMode = kHolidays;
    int ListYear = 0;
    int EditIndex = -1;

    // Lines of the file; lines without a month and a day above 0 are dropped.
    void Load(const std::string& bytes);
    // The entries in order, each ended by CR LF.
    std::string FileBytes() const;

    const std::vector<std::string>& Entries() const { return entries_; }

    // The last day a registration of the month may carry: the year's for holidays, and for
    // anniversaries, which recur every year, the longest the month can be (29 February).
    int LastDay(int month) const;
    // month and day 0 = not chosen. day is moved to LastDay first. askReplace(month, day)
    // is asked before an anniversary of the same date is replaced.
    RegisterResult Register(int month, int& day, const std::string& text,
                            const std::function<bool(int, int)>& askReplace);
    // The entry becomes the one being edited; false when its date is not valid.
    bool Pick(int index, int& month, int& day, std::string& text);
    // Removes the entry after confirm(month, day) agreed; the edit position is cleared.
    bool Delete(int index, const std::function<bool(int, int)>& confirm);

  private:
    void Insert(const std::string& entry);
    std::vector<std::string> entries_;
};

}  // namespace schedule
