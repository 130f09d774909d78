// Pictures read by the one image reader their format needs.
#pragma once

#include <QPixmap>
#include <QString>

namespace platform {

// The picture of a PNG file or resource; null when it cannot be read. Unlike QPixmap(path) or
// QIcon::addFile, no image-format plugin is loaded to guess the format.
QPixmap ReadPng(const QString& path);

// The picture of a file the user chose (a BMP as the settings ask, or another format); null
// when it cannot be read. The format is told by the file's first bytes, so that only its reader
// is loaded (BMP and PNG need none); only a file that no known format claims lets Qt guess,
// which loads every image-format plugin and its libraries.
QPixmap ReadPicture(const QString& path);

}  // namespace platform
