#include "settings_file.h"

#include <QString>

#include "calendar_rules.h"
#include "cp932.h"
#include "date_time.h"
#include "globals.h"
#include "ini_profile.h"
#include "message_box.h"
#include "paths.h"
#include "unreadable_files.h"

using namespace foundation;

namespace schedule {

namespace {

using platform::IniProfile;

// The program's data folder stands in for the program folder as the default of data folders.
std::string DataFolder() { return BaseDir.empty() ? AppDir : BaseDir; }

// The file's texts of the values Settings keeps in another form: the memo font's style flags
// and the hot-key letter.
struct FileForms {
    int32_t fontBold = 0;
    int32_t fontItalic = 0;
    int32_t fontUnderline = 0;
    int32_t fontStrikeout = 0;
    std::string hotKey;
};

// Reads each key into its field with the file's widths: bytes keep their low 8 bits, 16-bit
// fields wrap, colours are the signed 32-bit integer of the stored value.
class Reader {
  public:
    Reader(const IniProfile& ini, TDateTime now) : ini_(ini), now_(now) {}

    void Byte(const char* section, const char* key, uint8_t& field, uint8_t def) const {
        field = static_cast<uint8_t>(ini_.ReadInteger(section, key, def));
    }
    void Int16(const char* section, const char* key, int16_t& field, int16_t def) const {
        field = static_cast<int16_t>(ini_.ReadInteger(section, key, def));
    }
    void Int32(const char* section, const char* key, int32_t& field, int32_t def) const {
        field = ini_.ReadInteger(section, key, def);
    }
    void Color(const char* section, const char* key, uint32_t& field, uint32_t def) const {
        field = static_cast<uint32_t>(ini_.ReadInteger(section, key, static_cast<int32_t>(def)));
    }
    void Text(const char* section, const char* key, std::string& field,
              const std::string& def) const {
        field = ini_.ReadString(section, key, def);
    }
    void Text255(const char* section, const char* key, std::string& field,
                 const std::string& def) const {
        field = CutText255(ini_.ReadString(section, key, def));
    }
    void Bounds(const char* section, TLWH& field, const TLWH& def) const {
        Int16(section, "t", field.t, def.t);
        Int16(section, "l", field.l, def.l);
        Int16(section, "w", field.w, def.w);
        Int16(section, "h", field.h, def.h);
    }
    // Unreadable texts keep the present time.
    void Stamp(const char* section, const char* key, TDateTime& field) const {
        std::string def;
        DateTimeStamp(def, now_);
        const std::string text = ini_.ReadString(section, key, def);
        try {
            field = StrToDateTimeStd(text);
        } catch (const EConvertError&) {
            field = now_;
        }
    }
    void WrittenOnly(const char*, const char*, int16_t) const {}

  private:
    const IniProfile& ini_;
    TDateTime now_;
};

// Writes each field under its key; defaults are the reader's.
class Writer {
  public:
    explicit Writer(IniProfile& ini) : ini_(ini) {}

    void Byte(const char* section, const char* key, uint8_t value, uint8_t) {
        ini_.WriteInteger(section, key, value);
    }
    void Int16(const char* section, const char* key, int16_t value, int16_t) {
        ini_.WriteInteger(section, key, value);
    }
    void Int32(const char* section, const char* key, int32_t value, int32_t) {
        ini_.WriteInteger(section, key, value);
    }
    void Color(const char* section, const char* key, uint32_t value, uint32_t) {
        ini_.WriteInteger(section, key, static_cast<int32_t>(value));
    }
    void Text(const char* section, const char* key, const std::string& value, const std::string&) {
        ini_.WriteString(section, key, value);
    }
    void Text255(const char* section, const char* key, const std::string& value,
                 const std::string&) {
        ini_.WriteString(section, key, CutText255(value));
    }
    void Bounds(const char* section, const TLWH& b, const TLWH&) {
        ini_.WriteInteger(section, "t", b.t);
        ini_.WriteInteger(section, "l", b.l);
        ini_.WriteInteger(section, "w", b.w);
        ini_.WriteInteger(section, "h", b.h);
    }
    void Stamp(const char* section, const char* key, TDateTime t) {
        std::string text;
        DateTimeStamp(text, t);
        ini_.WriteString(section, key, text);
    }
    void WrittenOnly(const char* section, const char* key, int16_t value) {
        ini_.WriteInteger(section, key, value);
    }

  private:
    IniProfile& ini_;
};

// Every key of the settings file with its field and the default of a missing key, in the
// order a new file lists them. The reader and the writer both walk it.
template <class Walk>
void WalkSettings(Walk& w, INIT& s, const INIT& d, FileForms& f) {
    w.Bounds("yo3_tlwh", s.yo3_tlwh, d.yo3_tlwh);
    w.Byte("yo3_tlwh", "scl", s.scl, d.scl);
    w.Byte("yo3_tlwh", "rendo", s.rendo, d.rendo);
    // The main window's size is its own: only its place is read back.
    w.Int16("tavik_tlwh", "t", s.tavik_tlwh.t, d.tavik_tlwh.t);
    w.Int16("tavik_tlwh", "l", s.tavik_tlwh.l, d.tavik_tlwh.l);
    w.WrittenOnly("tavik_tlwh", "w", s.tavik_tlwh.w);
    w.WrittenOnly("tavik_tlwh", "h", s.tavik_tlwh.h);
    w.Int32("etc", "TM_TT", s.TM_TT, d.TM_TT);
    w.Byte("etc", "alm_Znaru", s.alm_Znaru, d.alm_Znaru);
    w.Byte("etc", "yoAruDsp", s.yoAruDsp, d.yoAruDsp);

    w.Text("memo", "fontNAME", s.MemoFont.Name, d.MemoFont.Name);
    w.Int32("memo", "fontSIZE", s.MemoFont.Size, d.MemoFont.Size);
    w.Color("memo", "fontCOLOR", s.MemoFont.Color, d.MemoFont.Color);
    w.Int32("memo", "fontBold", f.fontBold, 0);
    w.Int32("memo", "fontItalic", f.fontItalic, 0);
    w.Int32("memo", "fontUnderline", f.fontUnderline, 0);
    w.Int32("memo", "fontStrikeout", f.fontStrikeout, 0);
    w.Color("memo", "color", s.memo_color, d.memo_color);

    w.Byte("etc", "wareki", s.wareki, d.wareki);
    w.Byte("etc", "cal_flg", s.cal_flg, d.cal_flg);
    w.Text("path", "dat_Path", s.dat_Path, d.dat_Path);
    w.Text("path", "memo_path", s.memo_path, d.memo_path);
    w.Text("etc", "name", s.name, d.name);
    w.Byte("etc", "oto", s.oto, d.oto);
    w.Stamp("date", "smm", s.smm);
    w.Stamp("date", "emm", s.emm);
    w.Byte("etc", "shirase", s.shirase, d.shirase);
    w.Color("etc", "uhori_color", s.uhori_color, d.uhori_color);
    w.Byte("etc", "todozan", s.todozan, d.todozan);
    w.Byte("etc", "roku", s.roku, d.roku);
    w.Byte("etc", "END_CHK", s.END_CHK, d.END_CHK);
    w.Byte("etc", "StYoubiNo", s.StYoubiNo, d.StYoubiNo);
    w.Byte("etc", "syuuNoDsp", s.syuuNoDsp, d.syuuNoDsp);
    w.Bounds("tel_tlwh", s.tel_tlwh, d.tel_tlwh);
    w.Byte("etc", "zen", s.zen, d.zen);
    w.Byte("etc", "aikon", s.aikon, d.aikon);
    w.Bounds("memo_tlwh", s.memo_tlwh, d.memo_tlwh);
    w.Bounds("tuki_tlwh", s.tuki_tlwh, d.tuki_tlwh);
    w.Int16("tuki_tlwh", "spl", s.tuki_tlwh.spl, d.tuki_tlwh.spl);
    w.Text("path", "ico_path", s.ico_path, d.ico_path);
    w.Text("path", "bmp_path", s.bmp_path, d.bmp_path);
    w.Bounds("nen_tlwh", s.nen_tlwh, d.nen_tlwh);
    w.Byte("etc", "todo_Disp_flg", s.todo_Disp_flg, d.todo_Disp_flg);
    w.Bounds("mokuzi_tlwh", s.mokuzi_tlwh, d.mokuzi_tlwh);
    w.Int16("mokuzi_tlwh", "lv1_w", s.mokuzi_tlwh.lv1_w, d.mokuzi_tlwh.lv1_w);
    w.Int16("mokuzi_tlwh", "fb1_h", s.mokuzi_tlwh.fb1_h, d.mokuzi_tlwh.fb1_h);
    w.Byte("etc", "tel_mode", s.tel_mode, d.tel_mode);
    w.Byte("etc", "now_memo_dtype", s.now_memo_dtype, d.now_memo_dtype);
    w.Text("etc", "now_memo_fname", s.now_memo_fname, d.now_memo_fname);

    // The countdown's on flag is not kept.
    AlarmSlot* a = s.Alarms;
    const AlarmSlot* da = d.Alarms;
    w.Byte("ALM", "alm0_OnOff", a[0].OnOff, da[0].OnOff);
    w.Text255("ALM", "alm0_wav", a[0].Wav, da[0].Wav);
    w.Byte("ALM", "alm30_OnOff", a[1].OnOff, da[1].OnOff);
    w.Text255("ALM", "alm30_wav", a[1].Wav, da[1].Wav);
    w.Byte("ALM", "alm_OnOff", a[2].OnOff, da[2].OnOff);
    w.Byte("ALM", "alm_mm", a[2].Minute, da[2].Minute);
    w.Byte("ALM", "alm_hh", a[2].Hour, da[2].Hour);
    w.Text255("ALM", "alm_wav", a[2].Wav, da[2].Wav);
    w.Byte("ALM", "almTT_mm", a[3].Minute, da[3].Minute);
    w.Text255("ALM", "almTT_wav", a[3].Wav, da[3].Wav);

    w.Text255("NIK", "ni_dir", s.ni_dir, d.ni_dir);
    w.Text255("NIK", "ni_tmp", s.ni_tmp, d.ni_tmp);
    w.Text255("NIK", "ni_prg", s.ni_prg, d.ni_prg);
    w.Byte("etc", "kyou_flg", s.kyou_flg, d.kyou_flg);
    w.Byte("etc", "asu_flg", s.asu_flg, d.asu_flg);
    w.Text("etc", "HOTKEY", f.hotKey, std::string(1, d.HOTKEY));
    w.Color("etc", "MAKUCOL", s.MAKUCOL, d.MAKUCOL);
    for (int i = 0; i < 7; ++i) {
        const std::string key = "YoubiTitleCol" + std::to_string(i);
        w.Color("etc", key.c_str(), s.YoubiTitleCol[i], d.YoubiTitleCol[i]);
    }
    w.Color("etc", "HolidayMojiCol", s.HolidayMojiCol, d.HolidayMojiCol);
}

// The defaults of missing keys: the record's own, with the data folder for the diary folder.
INIT Defaults() {
    INIT d;
    d.ni_dir = DataFolder();
    return d;
}

// A letter from 'A' to 'Z' by string comparison, as the hot key accepts; anything else is 'J'.
char HotKeyLetter(const std::string& text) {
    if (text < "A" || text > "Z") return 'J';
    return text[0];
}

// Only one style survives a restart; the first that matches wins.
void ApplyMemoFontStyle(StoredFont& font, int bold, int italic, int underline, int strikeOut) {
    if (bold == 1 && italic == 1) {
        font.Bold = true;
        font.Italic = true;
    } else if (bold == 1) {
        font.Bold = true;
    } else if (italic == 1) {
        font.Italic = true;
    } else if (underline == 1) {
        font.Underline = true;
    } else if (strikeOut == 1) {
        font.StrikeOut = true;
    }
}

// Style flags as written: the combinations the reader can restore, else none.
void MemoFontFlags(const StoredFont& font, int& bold, int& italic, int& underline, int& strikeOut) {
    const bool restorable = (!font.Underline && !font.StrikeOut) ||
                            (!font.Bold && !font.Italic && font.Underline != font.StrikeOut);
    bold = restorable && font.Bold ? 1 : 0;
    italic = restorable && font.Italic ? 1 : 0;
    underline = restorable && font.Underline ? 1 : 0;
    strikeOut = restorable && font.StrikeOut ? 1 : 0;
}

}  // namespace

const char* SettingsFileName() { return "Kolvane32.ini"; }

bool LoadSettings(const std::string& iniPath, SettingsHost& host) {
    INIT& s = Settings;
    // One that is there but cannot be read gives the defaults; the user is told, and it is
    // never written over in this run.
    IniProfile ini;
    store::ReadIniForUpdate(iniPath, ini);
    const Reader r(ini, Now());
    const INIT d = Defaults();
    FileForms f;
    WalkSettings(r, s, d, f);
    s.Alarms[3].OnOff = 0;  // a countdown never survives a restart
    s.HOTKEY = HotKeyLetter(f.hotKey);
    ApplyMemoFontStyle(s.MemoFont, f.fontBold, f.fontItalic, f.fontUnderline, f.fontStrikeout);

    if (s.dat_Path.empty()) {
        s.dat_Path = DataFolder();
        if (s.memo_path.empty()) s.memo_path = s.dat_Path;
        host.ShowSettingsDialog();
        if (s.dat_Path.empty()) {
            platform::ShowMessage(QString::fromUtf8("予定格納ディレクトリは省略できません。"));
            return false;
        }
    }

    if (s.TM_TT > 60000 || s.TM_TT < 0 || s.TM_TT % 5 != 0) s.TM_TT = 15000;
    if (s.memo_path.empty()) s.memo_path = s.dat_Path;
    return true;
}

bool SaveSettings(const std::string& iniPath, SettingsHost& host) {
    INIT& s = Settings;
    host.MainWindowTopLeft(s.tavik_tlwh.t, s.tavik_tlwh.l);

    // Never replace a file that is there but could not be read, now or at the start: its keys
    // would be lost, or the defaults read in their place written over them.
    if (store::IsUnreadable(iniPath)) return false;
    IniProfile ini;
    if (!store::ReadIniForUpdate(iniPath, ini)) return false;
    FileForms f;
    MemoFontFlags(s.MemoFont, f.fontBold, f.fontItalic, f.fontUnderline, f.fontStrikeout);
    // A missing letter is left empty (read back as the default) rather than written as NUL.
    if (s.HOTKEY != '\0') f.hotKey = std::string(1, s.HOTKEY);
    Writer w(ini);
    WalkSettings(w, s, Defaults(), f);
    return ini.Save();
}

}  // namespace schedule
