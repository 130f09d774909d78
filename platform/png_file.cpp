#include "png_file.h"

#include <QImage>
#include <QImageReader>

namespace platform {

QPixmap ReadPng(const QString& path) {
    QImageReader reader(path, "png");
    // Guessing asks every installed format plugin first, loading each (and its libraries).
    reader.setAutoDetectImageFormat(false);
    return QPixmap::fromImage(reader.read());
}

}  // namespace platform
