#include "png_file.h"

#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QImageReader>

namespace platform {

namespace {

QByteArray FormatOf(const QByteArray& head) {
    if (head.startsWith("BM")) return "bmp";
    if (head.startsWith("\x89PNG\r\n\x1a\n")) return "png";
    if (head.startsWith("\xFF\xD8\xFF")) return "jpeg";
    if (head.startsWith("GIF87a") || head.startsWith("GIF89a")) return "gif";
    if (head.startsWith(QByteArray("\0\0\1\0", 4))) return "ico";
    return QByteArray();
}

QPixmap Read(const QString& path, const QByteArray& format) {
    QImageReader reader(path, format);
    // Guessing asks every installed format plugin first, loading each (and its libraries).
    reader.setAutoDetectImageFormat(format.isEmpty());
    return QPixmap::fromImage(reader.read());
}

}  // namespace

QPixmap ReadPng(const QString& path) { return Read(path, "png"); }

QPixmap ReadPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QPixmap();
    const QByteArray format = FormatOf(file.read(8));
    file.close();
    return Read(path, format);
}

}  // namespace platform
