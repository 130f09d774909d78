// Options of the period export, kept in "om_ini.ini" in the program's data folder. The input
// wizard loads and saves the same record, so both see the options the user typed last.
#pragma once

#include <cstdint>
#include <string>

namespace foundation {

struct OML_DATA {
    uint8_t ind = 0;                 // blanks before each schedule line
    std::string kiri_moji = "-";     // separator text, at most 255 bytes
    uint8_t kiri_n = 0;              // repeats of the separator text in one separator line
    std::string fname = "yout.txt";  // suggested output file name
    std::string path;                // suggested output folder, ending in "/"
};

extern OML_DATA ExportSettings;

// Path of the options file in a folder.
std::string ExportSettingsPath(const std::string& folder);

// Fills ExportSettings from the folder's options file. A missing or unreadable file, a missing
// key, or a number outside 0-255 gives that field's default; the default folder is the given
// folder with a final "/".
void LoadExportSettings(const std::string& folder);

// Writes the five fields into the folder's options file, keeping whatever else it holds.
// False when the file could not be written, or exists but could not be read (it is then left
// as it was).
bool SaveExportSettings(const std::string& folder);

}  // namespace foundation
