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

namespace {

using platform::IniProfile;

// The program's data folder stands in for the program folder as the default of data folders.
std::string DataFolder() { return BaseDir.empty() ? AppDir : BaseDir; }

// Typed access with the file's widths: bytes keep their low 8 bits, 16-bit fields wrap,
// colours are the signed 32-bit integer of the stored value.
class Reader {
  public:
    explicit Reader(const IniProfile& ini) : ini_(ini) {}

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
    void Stamp(const char* section, const char* key, TDateTime& field, TDateTime now) const {
        std::string def;
        DateTimeStamp(def, now);
        const std::string text = ini_.ReadString(section, key, def);
        try {
            field = StrToDateTimeStd(text);
        } catch (const EConvertError&) {
            field = now;
        }
    }

  private:
    const IniProfile& ini_;
};

class Writer {
  public:
    explicit Writer(IniProfile& ini) : ini_(ini) {}

    void Int(const char* section, const char* key, int32_t value) {
        ini_.WriteInteger(section, key, value);
    }
    void Color(const char* section, const char* key, uint32_t value) {
        ini_.WriteInteger(section, key, static_cast<int32_t>(value));
    }
    void Text(const char* section, const char* key, const std::string& value) {
        ini_.WriteString(section, key, value);
    }
    void Bounds(const char* section, const TLWH& b) {
        Int(section, "t", b.t);
        Int(section, "l", b.l);
        Int(section, "w", b.w);
        Int(section, "h", b.h);
    }
    void Stamp(const char* section, const char* key, TDateTime t) {
        std::string text;
        DateTimeStamp(text, t);
        Text(section, key, text);
    }

  private:
    IniProfile& ini_;
};

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
    const INIT d;  // defaults of missing keys
    INIT& s = Settings;
    // One that is there but cannot be read gives the defaults; the user is told, and it is
    // never written over in this run.
    IniProfile ini;
    store::ReadIniForUpdate(iniPath, ini);
    const Reader r(ini);

    r.Byte("etc", "alm_Znaru", s.alm_Znaru, d.alm_Znaru);
    r.Byte("etc", "yoAruDsp", s.yoAruDsp, d.yoAruDsp);
    r.Byte("etc", "wareki", s.wareki, d.wareki);
    r.Int32("etc", "TM_TT", s.TM_TT, d.TM_TT);
    r.Byte("etc", "END_CHK", s.END_CHK, d.END_CHK);
    r.Bounds("yo3_tlwh", s.yo3_tlwh, d.yo3_tlwh);
    r.Byte("yo3_tlwh", "scl", s.scl, d.scl);
    r.Byte("yo3_tlwh", "rendo", s.rendo, d.rendo);
    r.Int16("tavik_tlwh", "t", s.tavik_tlwh.t, d.tavik_tlwh.t);
    r.Int16("tavik_tlwh", "l", s.tavik_tlwh.l, d.tavik_tlwh.l);
    r.Byte("etc", "cal_flg", s.cal_flg, d.cal_flg);
    r.Text("path", "dat_Path", s.dat_Path, d.dat_Path);
    r.Text("path", "memo_path", s.memo_path, d.memo_path);
    r.Text("etc", "name", s.name, d.name);
    r.Byte("etc", "oto", s.oto, d.oto);
    r.Byte("etc", "roku", s.roku, d.roku);

    const TDateTime now = Now();
    r.Stamp("date", "smm", s.smm, now);
    r.Stamp("date", "emm", s.emm, now);

    r.Byte("etc", "shirase", s.shirase, d.shirase);
    r.Byte("etc", "todozan", s.todozan, d.todozan);
    r.Color("etc", "uhori_color", s.uhori_color, d.uhori_color);
    r.Byte("etc", "zen", s.zen, d.zen);
    r.Byte("etc", "aikon", s.aikon, d.aikon);
    r.Color("etc", "MAKUCOL", s.MAKUCOL, d.MAKUCOL);
    r.Byte("etc", "StYoubiNo", s.StYoubiNo, d.StYoubiNo);
    for (int i = 0; i < 7; ++i) {
        const std::string key = "YoubiTitleCol" + std::to_string(i);
        r.Color("etc", key.c_str(), s.YoubiTitleCol[i], d.YoubiTitleCol[i]);
    }
    r.Color("etc", "HolidayMojiCol", s.HolidayMojiCol, d.HolidayMojiCol);
    r.Byte("etc", "syuuNoDsp", s.syuuNoDsp, d.syuuNoDsp);

    s.HOTKEY = HotKeyLetter(ini.ReadString("etc", "HOTKEY", std::string(1, d.HOTKEY)));

    r.Bounds("memo_tlwh", s.memo_tlwh, d.memo_tlwh);
    r.Color("memo", "color", s.memo_color, d.memo_color);
    r.Text("memo", "fontNAME", s.MemoFont.Name, d.MemoFont.Name);
    r.Int32("memo", "fontSIZE", s.MemoFont.Size, d.MemoFont.Size);
    r.Color("memo", "fontCOLOR", s.MemoFont.Color, d.MemoFont.Color);
    const int fontBold = ini.ReadInteger("memo", "fontBold", 0);
    const int fontItalic = ini.ReadInteger("memo", "fontItalic", 0);
    const int fontUnderline = ini.ReadInteger("memo", "fontUnderline", 0);
    const int fontStrikeout = ini.ReadInteger("memo", "fontStrikeout", 0);

    r.Byte("etc", "now_memo_dtype", s.now_memo_dtype, d.now_memo_dtype);
    r.Text("etc", "now_memo_fname", s.now_memo_fname, d.now_memo_fname);
    r.Bounds("tuki_tlwh", s.tuki_tlwh, d.tuki_tlwh);
    r.Int16("tuki_tlwh", "spl", s.tuki_tlwh.spl, d.tuki_tlwh.spl);
    r.Text("path", "ico_path", s.ico_path, d.ico_path);
    r.Text("path", "bmp_path", s.bmp_path, d.bmp_path);
    r.Bounds("nen_tlwh", s.nen_tlwh, d.nen_tlwh);
    r.Byte("etc", "todo_Disp_flg", s.todo_Disp_flg, d.todo_Disp_flg);
    r.Bounds("mokuzi_tlwh", s.mokuzi_tlwh, d.mokuzi_tlwh);
    r.Int16("mokuzi_tlwh", "lv1_w", s.mokuzi_tlwh.lv1_w, d.mokuzi_tlwh.lv1_w);
    r.Int16("mokuzi_tlwh", "fb1_h", s.mokuzi_tlwh.fb1_h, d.mokuzi_tlwh.fb1_h);
    r.Bounds("tel_tlwh", s.tel_tlwh, d.tel_tlwh);
    r.Byte("etc", "tel_mode", s.tel_mode, d.tel_mode);

    AlarmSlot* a = s.Alarms;
    r.Byte("ALM", "alm0_OnOff", a[0].OnOff, 0);
    r.Text255("ALM", "alm0_wav", a[0].Wav, "");
    r.Byte("ALM", "alm30_OnOff", a[1].OnOff, 0);
    r.Text255("ALM", "alm30_wav", a[1].Wav, "");
    r.Byte("ALM", "alm_OnOff", a[2].OnOff, 0);
    r.Text255("ALM", "alm_wav", a[2].Wav, "");
    r.Byte("ALM", "alm_hh", a[2].Hour, 0);
    r.Byte("ALM", "alm_mm", a[2].Minute, 0);
    r.Text255("ALM", "almTT_wav", a[3].Wav, "");
    r.Byte("ALM", "almTT_mm", a[3].Minute, 0);
    a[3].OnOff = 0;  // a countdown never survives a restart

    r.Text255("NIK", "ni_dir", s.ni_dir, DataFolder());
    r.Text255("NIK", "ni_tmp", s.ni_tmp, d.ni_tmp);
    r.Text255("NIK", "ni_prg", s.ni_prg, d.ni_prg);
    r.Byte("etc", "kyou_flg", s.kyou_flg, d.kyou_flg);
    r.Byte("etc", "asu_flg", s.asu_flg, d.asu_flg);

    ApplyMemoFontStyle(s.MemoFont, fontBold, fontItalic, fontUnderline, fontStrikeout);

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
    Writer w(ini);

    w.Bounds("yo3_tlwh", s.yo3_tlwh);
    w.Int("yo3_tlwh", "scl", s.scl);
    w.Int("yo3_tlwh", "rendo", s.rendo);
    w.Bounds("tavik_tlwh", s.tavik_tlwh);
    w.Int("etc", "TM_TT", s.TM_TT);
    w.Int("etc", "alm_Znaru", s.alm_Znaru);
    w.Int("etc", "yoAruDsp", s.yoAruDsp);

    int bold, italic, underline, strikeOut;
    MemoFontFlags(s.MemoFont, bold, italic, underline, strikeOut);
    w.Text("memo", "fontNAME", s.MemoFont.Name);
    w.Int("memo", "fontSIZE", s.MemoFont.Size);
    w.Color("memo", "fontCOLOR", s.MemoFont.Color);
    w.Int("memo", "fontBold", bold);
    w.Int("memo", "fontItalic", italic);
    w.Int("memo", "fontUnderline", underline);
    w.Int("memo", "fontStrikeout", strikeOut);
    w.Color("memo", "color", s.memo_color);

    w.Int("etc", "wareki", s.wareki);
    w.Int("etc", "cal_flg", s.cal_flg);
    w.Text("path", "dat_Path", s.dat_Path);
    w.Text("path", "memo_path", s.memo_path);
    w.Text("etc", "name", s.name);
    w.Int("etc", "oto", s.oto);
    w.Stamp("date", "smm", s.smm);
    w.Stamp("date", "emm", s.emm);
    w.Int("etc", "shirase", s.shirase);
    w.Color("etc", "uhori_color", s.uhori_color);
    w.Int("etc", "todozan", s.todozan);
    w.Int("etc", "roku", s.roku);
    w.Int("etc", "END_CHK", s.END_CHK);
    w.Int("etc", "StYoubiNo", s.StYoubiNo);
    w.Int("etc", "syuuNoDsp", s.syuuNoDsp);
    w.Bounds("tel_tlwh", s.tel_tlwh);
    w.Int("etc", "zen", s.zen);
    w.Int("etc", "aikon", s.aikon);
    w.Bounds("memo_tlwh", s.memo_tlwh);
    w.Bounds("tuki_tlwh", s.tuki_tlwh);
    w.Int("tuki_tlwh", "spl", s.tuki_tlwh.spl);
    w.Text("path", "ico_path", s.ico_path);
    w.Text("path", "bmp_path", s.bmp_path);
    w.Bounds("nen_tlwh", s.nen_tlwh);
    w.Int("etc", "todo_Disp_flg", s.todo_Disp_flg);
    w.Bounds("mokuzi_tlwh", s.mokuzi_tlwh);
    w.Int("mokuzi_tlwh", "lv1_w", s.mokuzi_tlwh.lv1_w);
    w.Int("mokuzi_tlwh", "fb1_h", s.mokuzi_tlwh.fb1_h);
    w.Int("etc", "tel_mode", s.tel_mode);
    w.Int("etc", "now_memo_dtype", s.now_memo_dtype);
    w.Text("etc", "now_memo_fname", s.now_memo_fname);

    const AlarmSlot* a = s.Alarms;
    w.Int("ALM", "alm0_OnOff", a[0].OnOff);
    w.Text("ALM", "alm0_wav", CutText255(a[0].Wav));
    w.Int("ALM", "alm30_OnOff", a[1].OnOff);
    w.Text("ALM", "alm30_wav", CutText255(a[1].Wav));
    w.Int("ALM", "alm_OnOff", a[2].OnOff);
    w.Int("ALM", "alm_mm", a[2].Minute);
    w.Int("ALM", "alm_hh", a[2].Hour);
    w.Text("ALM", "alm_wav", CutText255(a[2].Wav));
    w.Int("ALM", "almTT_mm", a[3].Minute);
    w.Text("ALM", "almTT_wav", CutText255(a[3].Wav));

    w.Text("NIK", "ni_dir", CutText255(s.ni_dir));
    w.Text("NIK", "ni_tmp", CutText255(s.ni_tmp));
    w.Text("NIK", "ni_prg", CutText255(s.ni_prg));
    w.Int("etc", "kyou_flg", s.kyou_flg);
    w.Int("etc", "asu_flg", s.asu_flg);
    // A missing letter is left empty (read back as the default) rather than written as NUL.
    w.Text("etc", "HOTKEY", s.HOTKEY == '\0' ? std::string() : std::string(1, s.HOTKEY));
    w.Color("etc", "MAKUCOL", s.MAKUCOL);
    for (int i = 0; i < 7; ++i) {
        const std::string key = "YoubiTitleCol" + std::to_string(i);
        w.Color("etc", key.c_str(), s.YoubiTitleCol[i]);
    }
    w.Color("etc", "HolidayMojiCol", s.HolidayMojiCol);

    return ini.Save();
}
