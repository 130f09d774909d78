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

// Puts the pictures Qt's own style draws from its resources (the group-box frame) into the
// pixmap cache, read by the PNG reader. The style reads them by file name, which first loads
// every image-format plugin and its libraries to ask whether one claims the file. The entry
// bears the key QPixmap::load looks for; under a Qt that keys otherwise, the style reads the
// file itself, as without this.
void CacheStylePictures();

}  // namespace platform
