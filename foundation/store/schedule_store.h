// Readers and writers of the schedule book's own data files (CP932, CR LF).
#pragma once

#include <cstdint>
#include <string>

#include "records.h"

namespace foundation {

// Month files of a schedule folder: folder + "/" + "%.4d%.2d" + ".yo2" / ".mkf".
std::string MonthFileName(const std::string& folder, int year, int month);
std::string MonthFileName(int year, int month);  // in Settings.dat_Path
std::string MonthFileName();                     // CurYear, CurMonth
std::string MarkFileName(const std::string& folder, int year, int month);
std::string YearPlanFileName(const std::string& folder, int year);
std::string UserHolidayFileName(const std::string& memoFolder, int year);
std::string AnniversaryFileName(const std::string& memoFolder);
std::string PrgListFileName(const std::string& baseDir);

// Readers of files that are written back (month, marks, year plan, launcher list) return
// false when a file is there but could not be read: the user has been told once, the target
// holds only what could be read, and the store will not write over that file while it stays
// unreadable (a save that would then lose edits fails with a message instead).

// On MonthDays, CurYear, CurMonth, with the folders of Settings.
bool LoadMonthSchedule();
// Writes the marks, then the schedule; false (after the message) when the month was not saved.
bool SaveMonthSchedule();
void LoadMonthUserHolidays(int year, int month);
void LoadMonthAnniversaries(int month);

void ReadUserHolidays(int year, int month, uint8_t flags[32]);
void GetAnniversary(int month, int day, std::string& text);
void ReadDaySchedule(int year, int month, int day, std::string& text);
bool ReadYearSchedule(int year, NEN_YOTEI months[13]);
bool SaveYearSchedule(int year, const NEN_YOTEI months[13]);

bool LoadPrgList();
bool SavePrgList();

// True while the month's schedule or mark file, or the year's plan, in Settings.dat_Path is
// there but unreadable (as found by the last read).
bool MonthFilesUnreadable(int year, int month);
bool YearPlanUnreadable(int year);

// The same on explicit folders and targets, for the viewer and for tests. SaveMonth and
// SaveYear show the warning themselves; WriteMarks and SavePrgs fail silently.
namespace store {
bool LoadMonth(const std::string& datFolder, const std::string& memoFolder, int year, int month,
               YOTEI days[32]);
bool SaveMonth(const std::string& datFolder, int year, int month, const YOTEI days[32]);
// The schedule file alone into HasText and Text, as LoadMonth reads it.
bool ReadSchedule(const std::string& datFolder, int year, int month, YOTEI days[32]);
bool ReadMarks(const std::string& datFolder, int year, int month, YOTEI days[32]);
bool WriteMarks(const std::string& datFolder, int year, int month, const YOTEI days[32]);
void LoadUserHolidays(const std::string& memoFolder, int year, int month, YOTEI days[32]);
void LoadAnniversaries(const std::string& memoFolder, int month, YOTEI days[32]);
void ReadUserHolidayFlags(const std::string& memoFolder, int year, int month, uint8_t flags[32]);
void GetAnniversary(const std::string& memoFolder, int month, int day, std::string& text);
void ReadDay(const std::string& datFolder, int year, int month, int day, std::string& text);
bool ReadYear(const std::string& datFolder, int year, NEN_YOTEI months[13]);
bool SaveYear(const std::string& datFolder, int year, const NEN_YOTEI months[13]);
bool LoadPrgs(const std::string& baseDir, prg list[21]);
bool SavePrgs(const std::string& baseDir, const prg list[21]);
}  // namespace store

}  // namespace foundation
