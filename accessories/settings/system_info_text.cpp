#include "system_info_text.h"

#include <sys/sysinfo.h>

#include <QStorageInfo>
#include <QStringList>
#include <algorithm>
#include <set>

#include "cp932.h"

namespace accessories {

namespace {

bool IsLocalDisk(const QStorageInfo& v) {
    static const QStringList excluded = {
        QStringLiteral("nfs"),        QStringLiteral("nfs4"),    QStringLiteral("cifs"),
        QStringLiteral("smb3"),       QStringLiteral("smbfs"),   QStringLiteral("sshfs"),
        QStringLiteral("fuse.sshfs"), QStringLiteral("iso9660"), QStringLiteral("udf"),
        QStringLiteral("squashfs"),   QStringLiteral("tmpfs"),   QStringLiteral("devtmpfs"),
        QStringLiteral("overlay"),    QStringLiteral("ramfs"),
    };
    const QString device = QString::fromLocal8Bit(v.device());
    if (!device.startsWith(QLatin1String("/dev/")) || device.startsWith(QLatin1String("/dev/loop")))
        return false;
    return !excluded.contains(QString::fromLatin1(v.fileSystemType()));
}

}  // namespace

QString FormatAmount(double value) {
    QString digits = QString::number(value, 'f', 2);
    const bool negative = digits.startsWith(QLatin1Char('-'));
    if (negative) digits.remove(0, 1);
    int point = digits.indexOf(QLatin1Char('.'));
    for (int i = point - 3; i > 0; i -= 3) digits.insert(i, QLatin1Char(','));
    if (negative) digits.prepend(QLatin1Char('-'));
    return digits.rightJustified(8, QLatin1Char(' '));
}

QStringList SystemInfoLines(uint64_t totalMemoryBytes, const std::vector<LocalVolume>& volumes) {
    QStringList lines;
    lines << U("-----<ﾒﾓﾘ>----------");
    lines << U(" ﾒﾓﾘ: ") + FormatAmount(static_cast<double>(totalMemoryBytes) / 1024 / 1024) +
                 U("MB 使用可能 ");
    lines << QString() << QString();
    lines << U("-----<ﾄﾞﾗｲﾌﾞ>--------");
    for (const LocalVolume& v : volumes) {
        // A volume that could not be read is left out rather than shown as negative.
        if (v.freeBytes < 0) continue;
        lines << QLatin1Char(' ') + v.root + QStringLiteral("  ") +
                     FormatAmount(static_cast<double>(v.freeBytes) / 1024 / 1024 / 1024) +
                     U("GB 使用可能 ");
    }
    return lines;
}

uint64_t TotalPhysicalMemory() {
    struct sysinfo info {};
    if (sysinfo(&info) != 0) return 0;
    return static_cast<uint64_t>(info.totalram) * info.mem_unit;
}

std::vector<LocalVolume> LocalVolumes() {
    std::vector<LocalVolume> volumes;
    std::set<QByteArray> devices;
    QList<QStorageInfo> mounted = QStorageInfo::mountedVolumes();
    std::sort(mounted.begin(), mounted.end(), [](const QStorageInfo& a, const QStorageInfo& b) {
        return a.rootPath() < b.rootPath();
    });
    for (const QStorageInfo& v : mounted) {
        if (!v.isValid() || !v.isReady() || !IsLocalDisk(v)) continue;
        if (!devices.insert(v.device()).second) continue;
        volumes.push_back({v.rootPath(), v.bytesAvailable()});
    }
    return volumes;
}

}  // namespace accessories
