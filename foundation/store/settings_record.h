// The settings record: one instance, read from the settings file at start and written at exit.
// Field names are the keys of the settings file; defaults are those of a missing key. Flags are
// 0 or 1 and colours stored values (red in the low byte, system colours 0xFF0000nn).
#pragma once

#include <cstdint>
#include <string>

#include "date_time.h"

namespace foundation {

// Window bounds as kept in the settings file (16-bit, signed).
struct TLWH {
    int16_t t = 0;
    int16_t l = 0;
    int16_t w = 0;
    int16_t h = 0;
};

// Month view bounds plus the width of its date column.
struct TukiTLWH : TLWH {
    int16_t spl = 177;
};

// Memo index bounds plus its folder-list width and file-list height.
struct MokuziTLWH : TLWH {
    int16_t lv1_w = 145;
    int16_t fb1_h = 177;
};

// A font as the program keeps it: name (CP932), size in points, stored colour and style.
struct StoredFont {
    std::string Name;
    int32_t Size = 9;
    uint32_t Color = 0;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    bool StrikeOut = false;
};

// One alarm slot: chime at :00, chime at :30, daily alarm, countdown.
struct AlarmSlot {
    uint8_t OnOff = 0;
    uint8_t Minute = 0;
    uint8_t Hour = 0;
    std::string Wav;  // at most 255 bytes; empty = the default chime
};

// Fields of at most 255 bytes: longer texts lose their tail, never half a double-byte character
// nor half the mark of a path character.
std::string CutText255(const std::string& text);

struct INIT {
    TLWH yo3_tlwh{-10, -10, -10, -10};  // day window; t, l below 0 and w, h below 50 = not set
    uint8_t scl = 1;                    // the day window's text has scroll bars (0 = none)
    // 0 = the day window is shown and hidden with the main window; 1 = on its own.
    uint8_t rendo = 0;
    TLWH tavik_tlwh{0, 0, 0, 0};  // main window; h is its height with the calendar shown
    // Milliseconds before the start and exit notices and the to-do alert close; 0 = never (the
    // exit notice: after a minute).
    int32_t TM_TT = 15000;
    uint8_t alm_Znaru = 0;  // 1 = an open alarm notice repeats its sound until confirmed
    // Font of a calendar day with schedule text: 0 bold italic, 1 italic struck out, else all
    // three.
    uint8_t yoAruDsp = 0;
    StoredFont MemoFont = DefaultMemoFont();  // font of new sticky notes
    uint32_t memo_color = 0x00FFFF;           // background of new sticky notes
    uint8_t wareki = 0;                       // 1 = years shown as Japanese era years
    uint8_t cal_flg = 0;                      // 1 = start with the calendar collapsed
    std::string dat_Path;                     // schedule folder (month, mark and year-plan files)
    std::string memo_path;                    // memo folder (user holidays, anniversaries)
    std::string name;                         // the user's name in the greetings
    uint8_t oto = 1;      // 1 = the voice sounds (greetings, chimes, farewell) stay silent
    TDateTime smm = 0;    // last start
    TDateTime emm = 0;    // last exit
    uint8_t shirase = 0;  // minutes of advance notice before a timed line
    uint32_t uhori_color = 0xFF00FF;  // text colour of user holidays
    uint8_t todozan = 0;    // to-do alert at start for items due within this many days; 0 = none
    uint8_t roku = 0;       // 1 = show the selected day's rokuyo
    uint8_t END_CHK = 0;    // 1 = exit without asking
    uint8_t StYoubiNo = 0;  // first weekday of the calendars and of week numbers, 0 = Sunday
    uint8_t syuuNoDsp = 0;  // 1 = show week numbers
    TLWH tel_tlwh{0, 0, 278, 350};   // kept for the phone book; only read and written back
    uint8_t zen = 0;                 // 1 = main window always on top
    uint8_t aikon = 0;               // 1 = start hidden in the tray
    TLWH memo_tlwh{0, 0, 298, 364};  // memo editor
    TukiTLWH tuki_tlwh{{0, 0, 640, 480}, 177};           // month view
    std::string ico_path;                                // face icon of the main window and tray
    std::string bmp_path;                                // face picture of the launcher and dialogs
    TLWH nen_tlwh{0, 0, 464, 365};                       // year view
    uint8_t todo_Disp_flg = 0;                           // 1 = open the to-do list at start
    MokuziTLWH mokuzi_tlwh{{0, 0, 266, 377}, 145, 177};  // memo index
    uint8_t tel_mode = 0;                                // only read and written back
    uint8_t now_memo_dtype = 255;                        // only read and written back
    std::string now_memo_fname;          // the bitmap memo being made in the image editor
    AlarmSlot Alarms[4];                 // chime at :00, chime at :30, daily alarm, countdown
    std::string ni_dir;                  // diary folder; at most 255 bytes
    std::string ni_tmp;                  // diary template file; at most 255 bytes
    std::string ni_prg = "notepad.exe";  // diary editor; at most 255 bytes
    uint8_t kyou_flg = 0;                // 1 = no today's notice at start
    uint8_t asu_flg = 0;                 // 1 = no today's and tomorrow's notice at exit
    char HOTKEY = 'J';                   // letter of the Ctrl+Shift hot key
    uint32_t MAKUCOL = 0x00FFFF;         // background of marked days
    // Text colours of Sunday .. Saturday, whatever StYoubiNo is.
    uint32_t YoubiTitleCol[7] = {0x0000FF, 0x000000, 0x000000, 0x000000,
                                 0x000000, 0x000000, 0xFF0000};
    uint32_t HolidayMojiCol = 0x0000FF;  // text colour of national holidays

    // "ＭＳ Ｐゴシック" 9 pt in the system window-text colour, no style.
    static StoredFont DefaultMemoFont();
};

extern INIT Settings;

}  // namespace foundation
