// The diary: one text file per day in the diary folder, made from a template and opened in the
// user's editing program.
#pragma once

#include <string>

namespace schedule {

// ni_dir + "/ni" + "%.4d%.2d%.2d" + "." + the template's extension ("txt" without a template).
std::string DiaryFileName(const std::string& folder, const std::string& templatePath, int year,
                          int month, int day);

// Opens the diary of the date with the settings' folder, template and program; tells the user
// what is missing and opens nothing then. False when nothing was started.
bool OpenDiary(int year, int month, int day);

}  // namespace schedule
