#include "export_settings.h"

#include <charconv>

#include "ini_profile.h"
#include "paths.h"
#include "settings_record.h"

namespace foundation {

OML_DATA ExportSettings;

namespace {

const char kSection[] = "etc";

std::string WithFinalSlash(const std::string& folder) {
    if (!folder.empty() && folder.back() == '/') return folder;
    return folder + "/";
}

// A byte field refuses what does not fit instead of keeping the low 8 bits.
uint8_t ReadByte(const platform::IniProfile& ini, const char* key, uint8_t fallback) {
    std::string text = ini.ReadString(kSection, key, "");
    size_t b = text.find_first_not_of(" \t");
    size_t e = text.find_last_not_of(" \t");
    if (b == std::string::npos) return fallback;
    if (text[b] == '+') ++b;
    long value = 0;
    auto [end, error] = std::from_chars(text.data() + b, text.data() + e + 1, value);
    if (error != std::errc() || end != text.data() + e + 1) return fallback;
    return value >= 0 && value <= 255 ? static_cast<uint8_t>(value) : fallback;
}

// The profile trims values; quoting keeps a separator such as " * " whole.
std::string Quoted(const std::string& value) {
    bool outerBlank = !value.empty() && (value.front() == ' ' || value.front() == '\t' ||
                                         value.back() == ' ' || value.back() == '\t');
    bool looksQuoted = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                       value.back() == value.front();
    return outerBlank || looksQuoted ? "\"" + value + "\"" : value;
}

}  // namespace

std::string ExportSettingsPath(const std::string& folder) {
    return platform::JoinPath(folder, "om_ini.ini");
}

void LoadExportSettings(const std::string& folder) {
    platform::IniProfile ini(ExportSettingsPath(folder));
    OML_DATA d;
    d.ind = ReadByte(ini, "ind", 0);
    d.kiri_moji = CutText255(ini.ReadString(kSection, "kiri_moji", "-"));
    d.kiri_n = ReadByte(ini, "kiri_n", 0);
    d.fname = ini.ReadString(kSection, "fname", "yout.txt");
    d.path = ini.ReadString(kSection, "path", WithFinalSlash(folder));
    ExportSettings = d;
}

bool SaveExportSettings(const std::string& folder) {
    std::string file = ExportSettingsPath(folder);
    platform::IniProfile ini(file);
    if (!ini.Loaded() && platform::FileExists(file)) return false;
    const OML_DATA& d = ExportSettings;
    ini.WriteInteger(kSection, "ind", d.ind);
    ini.WriteString(kSection, "kiri_moji", Quoted(CutText255(d.kiri_moji)));
    ini.WriteInteger(kSection, "kiri_n", d.kiri_n);
    ini.WriteString(kSection, "fname", Quoted(d.fname));
    ini.WriteString(kSection, "path", Quoted(d.path));
    return ini.Save();
}

}  // namespace foundation
