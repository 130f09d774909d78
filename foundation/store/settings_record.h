// The settings record: one instance, read from the settings file at start and written at exit.
// Field names are the keys of the settings file; defaults are those of a missing key.
#pragma once

#include <cstdint>
#include <string>

#include "date_time.h"

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
    TLWH yo3_tlwh{-10, -10, -10, -10};
    uint8_t scl = 1;
    uint8_t rendo = 0;
    TLWH tavik_tlwh{0, 0, 0, 0};
    int32_t TM_TT = 15000;
    uint8_t alm_Znaru = 0;
    uint8_t yoAruDsp = 0;
    StoredFont MemoFont = DefaultMemoFont();
    uint32_t memo_color = 0x00FFFF;
    uint8_t wareki = 0;
    uint8_t cal_flg = 0;
    std::string dat_Path;   // schedule folder
    std::string memo_path;  // memo folder (user holidays, anniversaries)
    std::string name;
    uint8_t oto = 1;
    TDateTime smm = 0;  // last start
    TDateTime emm = 0;  // last exit
    uint8_t shirase = 0;
    uint32_t uhori_color = 0xFF00FF;
    uint8_t todozan = 0;
    uint8_t roku = 0;
    uint8_t END_CHK = 0;
    uint8_t StYoubiNo = 0;
    uint8_t syuuNoDsp = 0;
    TLWH tel_tlwh{0, 0, 278, 350};
    uint8_t zen = 0;
    uint8_t aikon = 0;
    TLWH memo_tlwh{0, 0, 298, 364};
    TukiTLWH tuki_tlwh{{0, 0, 640, 480}, 177};
    std::string ico_path;
    std::string bmp_path;
    TLWH nen_tlwh{0, 0, 464, 365};
    uint8_t todo_Disp_flg = 0;
    MokuziTLWH mokuzi_tlwh{{0, 0, 266, 377}, 145, 177};
    uint8_t tel_mode = 0;
    uint8_t now_memo_dtype = 255;
    std::string now_memo_fname;
    AlarmSlot Alarms[4];
    std::string ni_dir;                  // at most 255 bytes
    std::string ni_tmp;                  // at most 255 bytes
    std::string ni_prg = "notepad.exe";  // at most 255 bytes
    uint8_t kyou_flg = 0;
    uint8_t asu_flg = 0;
    char HOTKEY = 'J';
    uint32_t MAKUCOL = 0x00FFFF;
    uint32_t YoubiTitleCol[7] = {0x0000FF, 0x000000, 0x000000, 0x000000,
                                 0x000000, 0x000000, 0xFF0000};
    uint32_t HolidayMojiCol = 0x0000FF;

    // "ＭＳ Ｐゴシック" 9 pt in the system window-text colour, no style.
    static StoredFont DefaultMemoFont();
};

extern INIT Settings;
