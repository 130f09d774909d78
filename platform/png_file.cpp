#include "png_file.h"

#include <QByteArray>
#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageReader>
#include <QPixmapCache>

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

// Each byte of the value in memory order, low digit first: how QPixmap::load writes numbers
// into its cache keys.
template <class T>
QString KeyDigits(T value) {
    static const char digits[] = "0123456789abcdef";
    const auto* bytes = reinterpret_cast<const unsigned char*>(&value);
    QString out;
    for (size_t i = 0; i < sizeof(T); ++i) {
        out += QLatin1Char(digits[bytes[i] & 0xF]);
        out += QLatin1Char(digits[bytes[i] >> 4]);
    }
    return out;
}

QPixmap Read(const QString& path, const QByteArray& format) {
    QImageReader reader(path, format);
    // Guessing asks every installed format plugin first, loading each (and its libraries).
    reader.setAutoDetectImageFormat(format.isEmpty());
    return QPixmap::fromImage(reader.read());
}

}  // namespace

QPixmap ReadPng(const QString& path) { return Read(path, "png"); }

void CacheStylePictures() {
    const QString path =
        QStringLiteral(":/qt-project.org/styles/commonstyle/images/fusion_groupbox.png");
    const QFileInfo info(path);
    if (!info.exists()) return;
    const QPixmap picture = ReadPng(path);
    if (picture.isNull()) return;
    constexpr uint kPixmapType = 0;
    QPixmapCache::insert(QStringLiteral("qt_pixmap") + info.absoluteFilePath() +
                             KeyDigits(static_cast<uint>(info.lastModified().toSecsSinceEpoch())) +
                             KeyDigits(static_cast<quint64>(info.size())) + KeyDigits(kPixmapType),
                         picture);
}

QPixmap ReadPicture(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QPixmap();
    const QByteArray format = FormatOf(file.read(8));
    file.close();
    return Read(path, format);
}

}  // namespace platform
