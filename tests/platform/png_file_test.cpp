#include "png_file.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QStyle>
#include <QStyleFactory>
#include <cstdint>
#include <memory>

#include "temp_folder.h"

namespace {

std::string Le(uint32_t v, int bytes) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
    return out;
}

// 3x2 red pictures, made by hand: Qt's own writers would load the format plugins themselves.
std::string Bmp() {
    const std::string row =
        std::string("\x00\x00\xFF\x00\x00\xFF\x00\x00\xFF", 9) + std::string(3, '\0');
    return "BM" + Le(54 + 24, 4) + Le(0, 4) + Le(54, 4) + Le(40, 4) + Le(3, 4) + Le(2, 4) +
           Le(1, 2) + Le(24, 2) + Le(0, 4) + Le(24, 4) + Le(2835, 4) + Le(2835, 4) + Le(0, 4) +
           Le(0, 4) + row + row;
}

std::string Png() {
    return std::string(
        "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x03\x00\x00"
        "\x00\x02\x08\x02\x00\x00\x00\x12\x16\xf1\x4d\x00\x00\x00\x10\x49\x44\x41\x54\x78\x9c\x63"
        "\xf8\xcf\xc0\x00\x41\x0c\x70\x16\x00\x41\xd2\x05\xfb\x87\xf0\xb9\x48\x00\x00\x00\x00\x49"
        "\x45\x4e\x44\xae\x42\x60\x82",
        73);
}

QByteArray ImagePluginsLoaded() {
    QFile maps(QStringLiteral("/proc/self/maps"));
    if (!maps.open(QIODevice::ReadOnly)) return QByteArray();
    QByteArray found;
    for (const QByteArray& line : maps.readAll().split('\n'))
        if (line.contains("/imageformats/")) found += line + '\n';
    return found;
}

// The user's pictures are read by what they hold, whatever their names, and without loading
// every image-format plugin to guess.
TEST(ReadPicture, FormatFromTheFirstBytes) {
    TempFolder t;
    struct {
        const char* name;
        std::string bytes;
        bool read;
    } const cases[] = {
        {"face.bmp", Bmp(), true},
        {"png_named.bmp", Png(), true},
        {"no_suffix", Bmp(), true},
        {"missing.bmp", "", false},
    };
    for (const auto& c : cases) {
        if (std::string(c.name) != "missing.bmp") {
            ASSERT_TRUE(t.Write(c.name, c.bytes));
        }
    }
    const QByteArray pluginsBefore = ImagePluginsLoaded();
    for (const auto& c : cases) {
        const QPixmap picture = platform::ReadPicture(platform::DiskPath(t.File(c.name)));
        EXPECT_EQ(picture.isNull() ? QSize() : picture.size(), c.read ? QSize(3, 2) : QSize())
            << c.name;
    }
    EXPECT_EQ(ImagePluginsLoaded().toStdString(), pluginsBefore.toStdString());
}

// The style's own group-box frame is drawn from the cache: the first frame loads no plugin.
TEST(CacheStylePictures, GroupBoxPaintsWithoutImagePlugins) {
    const QByteArray pluginsBefore = ImagePluginsLoaded();
    platform::CacheStylePictures();
    std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
    ASSERT_TRUE(fusion);
    QGroupBox box(QStringLiteral("00/00"));
    box.setStyle(fusion.get());
    box.resize(199, 189);
    QImage frame(box.size(), QImage::Format_RGB32);
    frame.fill(Qt::white);
    box.render(&frame);
    EXPECT_EQ(ImagePluginsLoaded().toStdString(), pluginsBefore.toStdString());
}

}  // namespace
