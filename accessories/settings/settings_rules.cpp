#include "settings_rules.h"

#include <cstdlib>

int ListIndex(int stored, int count) { return stored >= 0 && stored < count ? stored : 0; }

int NoticeTimeIndex(int32_t milliseconds) { return ListIndex(milliseconds / 5000, 13); }

std::optional<int> WholeNumber(const QString& text) {
    const QString t = text.trimmed();
    bool ok = false;
    const int value = t.toInt(&ok, 10);
    // toInt takes no blanks inside and nothing beyond 32 bits.
    if (!ok || t.contains(QLatin1Char(' '))) return std::nullopt;
    return value;
}

uint8_t NoticeMinutes(int typed) {
    const long long v = std::llabs(static_cast<long long>(typed));
    return v > 59 ? 15 : static_cast<uint8_t>(v);
}

uint8_t ToDoAlertDays(int typed) {
    const long long v = std::llabs(static_cast<long long>(typed));
    return v > 255 ? 255 : static_cast<uint8_t>(v);
}

char HotKeyLetter(QChar typed) {
    const QChar c = typed.toUpper();
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z') ? static_cast<char>(c.unicode()) : 0;
}

void CopyDialogFields(const INIT& from, INIT& to) {
    to.name = from.name;
    to.dat_Path = from.dat_Path;
    to.memo_path = from.memo_path;
    to.ni_dir = from.ni_dir;
    to.ni_tmp = from.ni_tmp;
    to.ni_prg = from.ni_prg;
    to.ico_path = from.ico_path;
    to.bmp_path = from.bmp_path;
    to.yoAruDsp = from.yoAruDsp;
    to.MemoFont = from.MemoFont;
    to.memo_color = from.memo_color;
    to.TM_TT = from.TM_TT;
    to.END_CHK = from.END_CHK;
    to.roku = from.roku;
    to.alm_Znaru = from.alm_Znaru;
    to.wareki = from.wareki;
    to.kyou_flg = from.kyou_flg;
    to.asu_flg = from.asu_flg;
    to.cal_flg = from.cal_flg;
    to.oto = from.oto;
    to.zen = from.zen;
    to.aikon = from.aikon;
    to.todo_Disp_flg = from.todo_Disp_flg;
    to.StYoubiNo = from.StYoubiNo;
    for (int i = 0; i < 7; ++i) to.YoubiTitleCol[i] = from.YoubiTitleCol[i];
    to.HolidayMojiCol = from.HolidayMojiCol;
    to.syuuNoDsp = from.syuuNoDsp;
    to.uhori_color = from.uhori_color;
    to.shirase = from.shirase;
    to.todozan = from.todozan;
    to.HOTKEY = from.HOTKEY;
    to.MAKUCOL = from.MAKUCOL;
}
