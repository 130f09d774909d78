#include "rescue_file.h"

#include <cstdio>

#include "cp932.h"
#include "file_io.h"
#include "paths.h"
#include "text_file.h"

namespace foundation {

namespace {

constexpr int kDays = 31;

std::string DayHeading(int year, int month, int day, bool marked) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "[%04d/%02d/%02d]", year, month, day);
    std::string heading = buf;
    if (marked) heading += Sj(" ●");
    return heading;
}

}  // namespace

std::string RescueText(int year, int month, const YOTEI days[32]) {
    TextWriter out;
    bool any = false;
    for (int k = 1; k <= kDays; ++k) {
        const bool hasText = days[k].HasText == 1 && !days[k].Text.empty();
        if (!hasText && days[k].Mark == 0) continue;
        any = true;
        out.WriteLine(DayHeading(year, month, k, days[k].Mark != 0));
        if (hasText) {
            // The day's own line ends stay as typed; the block ends on a line of its own.
            out.Write(days[k].Text);
            if (days[k].Text.back() != '\n') out.Write("\r\n");
        }
        out.WriteLine("");
    }
    return any ? out.Bytes() : std::string();
}

std::string WriteRescueFile(const std::string& folder, int year, int month, const YOTEI days[32],
                            TDateTime now) {
    const std::string text = RescueText(year, month, days);
    if (text.empty() || folder.empty()) return std::string();
    int y, mo, d, h, mi, s, ms;
    DecodeDate(now, y, mo, d);
    DecodeTime(now, h, mi, s, ms);
    char stem[40];
    std::snprintf(stem, sizeof stem, "rescue-%04d%02d%02d-%02d%02d%02d", y, mo, d, h, mi, s);
    for (int n = 1; n < 100; ++n) {
        std::string name = stem;
        if (n > 1) name += "-" + std::to_string(n);
        const std::string path = platform::JoinPath(folder, name + ".txt");
        // Private, and never through a link that another user may have put at the name.
        if (platform::WritePrivateNewFile(path, text)) return path;
        if (!platform::NameTaken(path)) return std::string();
    }
    return std::string();
}

std::vector<std::string> RescueFolders(const std::string& dataFolder) {
    std::vector<std::string> folders;
    if (platform::IsOwnFolder(dataFolder)) folders.push_back(dataFolder);
    // The state folder outlives the session; the runtime folder goes with the logout that
    // often is the termination, so it comes after.
    for (const std::string& own : {platform::PrivateStateDir(), platform::RuntimeDir()})
        if (!own.empty()) folders.push_back(own);
    folders.push_back(platform::SharedTempDir());
    return folders;
}

}  // namespace foundation
