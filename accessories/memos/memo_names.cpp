#include "memo_names.h"

#include <QDir>
#include <QFileInfo>
#include <cstdio>

#include "clock.h"
#include "cp932.h"
#include "paths.h"

namespace accessories {

namespace {

// The longest file name most Linux file systems take, in bytes of its UTF-8 form.
constexpr size_t kNameMax = 255;
constexpr size_t kExtensionBytes = 4;  // ".txt", ".bmp", ".Ini"

bool IsLead(unsigned char c) { return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC); }
bool IsTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

const char* FullWidthOf(char c) {
    switch (c) {
        case '\\':
            return "\x81\x8F";
        case '/':
            return "\x81\x5E";
        case ':':
            return "\x81\x46";
        case ';':
            return "\x81\x47";
        case ',':
            return "\x81\x43";
        case '*':
            return "\x81\x96";
        case '?':
            return "\x81\x48";
        case '"':
            return "\x81\x68";
        case '<':
            return "\x81\x83";
        case '>':
            return "\x81\x84";
        case '|':
            return "\x81\x62";
        case '.':
            return "\x81\x44";
        default:
            return nullptr;
    }
}

std::string TimeStampName() {
    const platform::LocalDateTime now = platform::CurrentClock().Now();
    char buf[40];
    std::snprintf(buf, sizeof buf, "MEMO%02d-%02d-%02d_%02d-%02d-%02d", now.year % 100, now.month,
                  now.day, now.hour, now.minute, now.second);
    return buf;
}

}  // namespace

std::string TitleToFileName(const std::string& title) {
    if (title.empty() || title[0] == ' ') return TimeStampName();
    std::string out;
    size_t diskBytes = 0;
    for (size_t i = 0; i < title.size();) {
        const auto c = static_cast<unsigned char>(title[i]);
        std::string piece;
        if (IsLead(c) && i + 1 < title.size() &&
            IsTrail(static_cast<unsigned char>(title[i + 1]))) {
            piece = title.substr(i, 2);
            i += 2;
        } else {
            ++i;
            if (c == 0) continue;  // no file name can hold it
            const char* wide = FullWidthOf(static_cast<char>(c));
            piece = wide ? std::string(wide) : std::string(1, static_cast<char>(c));
        }
        const size_t bytes = platform::Cp932ToUtf8(piece).size();
        if (diskBytes + bytes + kExtensionBytes > kNameMax) break;
        diskBytes += bytes;
        out += piece;
    }
    return out;
}

std::string FileNameOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string FolderPartOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string CompanionIniPath(const std::string& memoPath) {
    const size_t slash = memoPath.rfind('/');
    const size_t dot = memoPath.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return memoPath.empty() ? std::string() : memoPath + ".Ini";
    }
    if (dot == 0) return {};
    return memoPath.substr(0, dot) + ".Ini";
}

std::string ExistingCompanionFile(const std::string& memoPath) {
    const std::string exact = CompanionIniPath(memoPath);
    if (exact.empty()) return {};
    if (platform::FileExists(exact)) return exact;
    const QFileInfo info(platform::DiskPath(exact));
    const QString base = info.completeBaseName();
    const QDir dir = info.dir();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : entries) {
        const int dot = e.lastIndexOf('.');
        if (dot < 0 || e.left(dot) != base) continue;
        if (e.mid(dot + 1).compare(QLatin1String("ini"), Qt::CaseInsensitive) == 0) {
            return platform::FromDiskPath(dir.filePath(e));
        }
    }
    return {};
}

std::string MemoCategoryFolder(const std::string& memoPath, const std::string& category) {
    std::string base = memoPath;
    while (base.size() > 1 && base.back() == '/') base.pop_back();
    if (base == "/") base.clear();
    return category.empty() ? base + "/" : base + "/" + category + "/";
}

}  // namespace accessories
