// Reading and writing the settings file into and from Settings.
#pragma once

#include <cstdint>
#include <string>

namespace schedule {

// What the settings reader and writer need of the main window.
class SettingsHost {
  public:
    virtual ~SettingsHost() = default;
    // The modal settings dialog, shown when no schedule folder is set.
    virtual void ShowSettingsDialog() = 0;
    // The main window's present position, kept at exit.
    virtual void MainWindowTopLeft(int16_t& top, int16_t& left) = 0;
};

// Name of the settings file in the program's data folder. A file of the same name in another
// case ("Kolvane32.Ini") is the same file: look it up with platform::FindNameIgnoringCase.
const char* SettingsFileName();

// Fills Settings from the file, applies the defaults and clamps, and settles the schedule
// folder. A file that is there but cannot be read gives the defaults; the user is told. False
// when the user left the schedule folder empty: start-up must stop and nothing may be written.
bool LoadSettings(const std::string& iniPath, SettingsHost& host);

// Writes Settings into the file, keeping every other section and key. False when the file
// could not be written (the old one is then kept whole) or an existing file could not be read,
// now or by LoadSettings (store::IsUnreadable tells these apart).
bool SaveSettings(const std::string& iniPath, SettingsHost& host);

}  // namespace schedule
