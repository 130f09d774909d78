#include "installed_layout.h"

#include <QDir>
#include <QFileInfo>

#include "paths.h"

namespace platform {
namespace {

// <prefix>/share of an installed program; empty when it runs from its build folder.
QString InstalledDataDir() {
    const QString data = QDir::cleanPath(ExecutableDirOnDisk() + QLatin1Char('/') +
                                         QStringLiteral(KOLVANE_DATA_FROM_BIN));
    return QFileInfo(data + QStringLiteral("/kolvane")).isDir() ? data : QString();
}

// A module: in the installed module folder when it is there, else beside the executable.
QString ModulePath(const QString& name) {
    const QString installed =
        QDir::cleanPath(ExecutableDirOnDisk() + QLatin1Char('/') +
                        QStringLiteral(KOLVANE_MODULE_FROM_BIN) + QLatin1Char('/') + name);
    return QFileInfo::exists(installed) ? installed
                                        : ExecutableDirOnDisk() + QLatin1Char('/') + name;
}

}  // namespace

QString DesktopId() { return QStringLiteral(KOLVANE_ID); }

std::string ShippedFilesDir() {
    const QString data = InstalledDataDir();
    return FromDiskPath(data.isEmpty() ? ExecutableDirOnDisk() : data + QStringLiteral("/kolvane"));
}

QString IconThemesDir() {
    const QString data = InstalledDataDir();
    return (data.isEmpty() ? ExecutableDirOnDisk() : data) + QStringLiteral("/icons");
}

QString SoundModulePath() { return ModulePath(QStringLiteral("libkolvane_sound.so")); }

QString PrintModulePath() { return ModulePath(QStringLiteral("libkolvane_print.so")); }

}  // namespace platform
