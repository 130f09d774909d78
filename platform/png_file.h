// A PNG the program ships, read by Qt's own PNG reader.
#pragma once

#include <QPixmap>
#include <QString>

namespace platform {

// The picture of a PNG file or resource; null when it cannot be read. Unlike QPixmap(path) or
// QIcon::addFile, no image-format plugin is loaded to guess the format.
QPixmap ReadPng(const QString& path);

}  // namespace platform
