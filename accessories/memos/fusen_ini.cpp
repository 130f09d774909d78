#include "fusen_ini.h"

#include <algorithm>

#include "ini_profile.h"
#include "memo_names.h"
#include "unreadable_files.h"
#include "window_frame.h"

using namespace foundation;

namespace accessories {

namespace {

constexpr int kMaxFontPoints = 1638;

int Flag(const platform::IniProfile& ini, const char* key) {
    return ini.ReadInteger("FONT", key, 0);
}

}  // namespace

FusenLook LoadFusenIni(const std::string& memoPath, const FusenLook& current) {
    const std::string iniPath = CompanionIniPath(memoPath);
    FusenLook look = current;
    if (iniPath.empty()) return look;
    // One that is there but cannot be read gives the defaults, and the user is told once.
    platform::IniProfile ini;
    store::ReadIniForUpdate(iniPath, ini);
    look.placeStored = ini.ValueExists("TLWH", "T") && ini.ValueExists("TLWH", "L");
    look.top = ini.ReadInteger("TLWH", "T", current.top);
    look.left = ini.ReadInteger("TLWH", "L", current.left);
    look.width = ini.ReadInteger("TLWH", "W", 315);
    look.height = ini.ReadInteger("TLWH", "H", 124);
    look.backColor = static_cast<uint32_t>(ini.ReadInteger("HAIKEI", "COLOR", 65535));
    look.link = ini.ReadString("ETC", "KANREN", "");
    look.temae = ini.ReadInteger("ETC", "TEMAE", 0) == 1;

    look.font.Name = ini.ReadString("FONT", "NAME", current.font.Name);
    const int size = ini.ReadInteger("FONT", "SIZE", current.font.Size);
    look.font.Size = size >= 1 && size <= kMaxFontPoints ? size : current.font.Size;
    look.font.Color = static_cast<uint32_t>(
        ini.ReadInteger("FONT", "COLOR", static_cast<int32_t>(current.font.Color)));
    const bool bold = Flag(ini, "Bold") == 1;
    const bool italic = Flag(ini, "Italic") == 1;
    look.font.Bold = look.font.Italic = look.font.Underline = look.font.StrikeOut = false;
    if (bold && italic) {
        look.font.Bold = look.font.Italic = true;
    } else if (bold) {
        look.font.Bold = true;
    } else if (italic) {
        look.font.Italic = true;
    } else if (Flag(ini, "Underline") == 1) {
        look.font.Underline = true;
    } else if (Flag(ini, "Strikeout") == 1) {
        look.font.StrikeOut = true;
    }
    return look;
}

bool SaveFusenIni(const std::string& memoPath, const FusenLook& look) {
    const std::string iniPath = CompanionIniPath(memoPath);
    if (iniPath.empty()) return false;
    platform::IniProfile ini;
    if (!store::ReadIniForUpdate(iniPath, ini)) return false;
    if (look.placeKnown) {
        ini.WriteInteger("TLWH", "T", look.top);
        ini.WriteInteger("TLWH", "L", look.left);
    }
    ini.WriteInteger("TLWH", "W", look.width);
    ini.WriteInteger("TLWH", "H", look.height);
    ini.WriteInteger("HAIKEI", "COLOR", static_cast<int32_t>(look.backColor));
    ini.WriteString("ETC", "KANREN", look.link);
    ini.WriteInteger("ETC", "TEMAE", look.temae ? 1 : 0);
    ini.WriteString("FONT", "NAME", look.font.Name);
    ini.WriteInteger("FONT", "SIZE", look.font.Size);
    ini.WriteInteger("FONT", "COLOR", static_cast<int32_t>(look.font.Color));
    ini.WriteInteger("FONT", "Bold", look.font.Bold ? 1 : 0);
    ini.WriteInteger("FONT", "Italic", look.font.Italic ? 1 : 0);
    ini.WriteInteger("FONT", "Underline", look.font.Underline ? 1 : 0);
    ini.WriteInteger("FONT", "Strikeout", look.font.StrikeOut ? 1 : 0);
    return ini.Save();
}

void ClampNoteToDesktop(FusenLook& look, const QRect& desktop) {
    const long long right = static_cast<long long>(desktop.left()) + desktop.width() - 50;
    const long long bottom = static_cast<long long>(desktop.top()) + desktop.height() - 50;
    if (look.left < desktop.left() || look.left >= right) look.left = desktop.left();
    if (look.top < desktop.top() || look.top >= bottom) look.top = desktop.top();
    look.width = std::clamp(look.width, kFusenMinWidth, std::max(kFusenMinWidth, desktop.width()));
    look.height =
        std::clamp(look.height, kFusenMinHeight, std::max(kFusenMinHeight, desktop.height()));
}

QPoint NewNotePlace(const QRect& proposed, const QRect& screen,
                    const std::vector<QRect>& keepClear) {
    auto onScreen = [&](QPoint at) {
        return platform::WhollyInside(QRect(at, proposed.size()), screen);
    };
    std::vector<QPoint> candidates{proposed.topLeft()};
    for (const QRect& r : keepClear) {
        candidates.emplace_back(r.right() + 1, proposed.top());
        candidates.emplace_back(proposed.left(), r.bottom() + 1);
        candidates.emplace_back(r.left() - proposed.width(), proposed.top());
    }
    for (const QPoint& candidate : candidates) {
        const QPoint at = onScreen(candidate);
        const QRect placed(at, proposed.size());
        if (std::none_of(keepClear.begin(), keepClear.end(),
                         [&](const QRect& r) { return r.intersects(placed); }))
            return at;
    }
    return onScreen(proposed.topLeft());
}

}  // namespace accessories
