// A shortcut to a program in one of the desktop's special folders: an XDG desktop entry
// (UTF-8) in the autostart folder, on the desktop or among the applications.
#pragma once

#include <QString>
#include <cstdint>
#include <stdexcept>
#include <string>

namespace foundation {

// The folder kinds keep the numbers the shortcut folders always had.
enum TShellLinkType : uint8_t {
    lnkDesktop = 0,
    lnkReserved1 = 1,
    lnkPrograms = 2,
    lnkControls = 3,
    lnkPrinters = 4,
    lnkPersonal = 5,
    lnkFavorites = 6,
    lnkStartup = 7,
    lnkRecent = 8,
    lnkSendTo = 9,
    lnkBitBucket = 10,
    lnkStartMenu = 11,
    lnkReserved2 = 12,
    lnkReserved3 = 13,
    lnkReserved4 = 14,
    lnkReserved5 = 15,
    lnkDesktopDirectory = 16,
    lnkDrives = 17,
    lnkNetwork = 18,
    lnkNetHood = 19,
    lnkFonts = 20,
    lnkTemplates = 21,
    lnkCommonStartMenu = 22,
    lnkCommonPrograms = 23,
    lnkCommonStartup = 24,
    lnkCommonDesktopDirectory = 25,
    lnkAppData = 26,
    lnkPrintHood = 27,
};

enum class TLinkWindowState : uint8_t { Normal, Minimized, Maximized };

class EShellLinkError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

class TShellLink {
  public:
    QString Arguments;
    QString Description;
    int32_t IconIndex = 0;
    uint16_t HotKey = 0;  // low byte key, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt
    TShellLinkType LinkType = lnkDesktop;
    TLinkWindowState WindowState = TLinkWindowState::Normal;
    QString WorkDir;

    const QString& FileName() const { return fileName_; }
    // A new target fills an empty description and working folder from its name.
    void SetFileName(const QString& value);

    // Writes the entry, replacing one of the same name. Throws EShellLinkError when the
    // folder is unknown or the file could not be written.
    void CreateLink();
    // Removes the entry of FileName; one that is not there is no error. Throws when the
    // folder is unknown or an existing entry could not be removed.
    void DeleteLink();

    // Full path of the entry for the current FileName and LinkType; throws as above.
    QString LinkPath() const;
    // The desktop entry CreateLink writes; one to Kolvane or tavikg carries the program's icon.
    QString EntryText() const;

  private:
    QString fileName_;
};

// Folder of a link type, empty when the desktop has no such folder.
QString SpecialFolder(TShellLinkType type);
// The shell's hot-key word: key code in the low 13 bits, 0x100 Shift, 0x200 Ctrl, 0x400 Alt.
uint16_t ShellHotKeyWord(uint16_t hotKey);
// One argument of an Exec= line, quoted when the desktop-entry rules ask for it.
QString QuoteExecArgument(const QString& argument);

}  // namespace foundation
