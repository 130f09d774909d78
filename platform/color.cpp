#include "color.h"

#include <QGuiApplication>
#include <QPalette>

namespace platform {
namespace {

uint32_t Rgb(int r, int g, int b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) |
           (static_cast<uint32_t>(b) << 16);
}

uint32_t FromQ(const QColor& c) { return Rgb(c.red(), c.green(), c.blue()); }

// Classic values of the system colour indices, for use without a running GUI.
uint32_t ClassicSystemColor(uint32_t index) {
    switch (index) {
        case 0:
            return Rgb(0xC0, 0xC0, 0xC0);  // scroll bar
        case 1:
            return Rgb(0x00, 0x80, 0x80);  // desktop
        case 2:
            return Rgb(0x00, 0x00, 0x80);  // active caption
        case 3:
            return Rgb(0x80, 0x80, 0x80);  // inactive caption
        case 4:
            return Rgb(0xC0, 0xC0, 0xC0);  // menu
        case 5:
            return Rgb(0xFF, 0xFF, 0xFF);  // window
        case 6:
            return Rgb(0x00, 0x00, 0x00);  // window frame
        case 7:
            return Rgb(0x00, 0x00, 0x00);  // menu text
        case 8:
            return Rgb(0x00, 0x00, 0x00);  // window text
        case 9:
            return Rgb(0xFF, 0xFF, 0xFF);  // caption text
        case 10:
            return Rgb(0xC0, 0xC0, 0xC0);  // active border
        case 11:
            return Rgb(0xC0, 0xC0, 0xC0);  // inactive border
        case 12:
            return Rgb(0x80, 0x80, 0x80);  // application workspace
        case 13:
            return Rgb(0x00, 0x00, 0x80);  // highlight
        case 14:
            return Rgb(0xFF, 0xFF, 0xFF);  // highlight text
        case 15:
            return Rgb(0xC0, 0xC0, 0xC0);  // button face
        case 16:
            return Rgb(0x80, 0x80, 0x80);  // button shadow
        case 17:
            return Rgb(0x80, 0x80, 0x80);  // grey text
        case 18:
            return Rgb(0x00, 0x00, 0x00);  // button text
        case 19:
            return Rgb(0xC0, 0xC0, 0xC0);  // inactive caption text
        case 20:
            return Rgb(0xFF, 0xFF, 0xFF);  // button highlight
        case 21:
            return Rgb(0x00, 0x00, 0x00);  // 3D dark shadow
        case 22:
            return Rgb(0xDF, 0xDF, 0xDF);  // 3D light
        case 23:
            return Rgb(0x00, 0x00, 0x00);  // info text
        case 24:
            return Rgb(0xFF, 0xFF, 0xE1);  // info background
    }
    return Rgb(0, 0, 0);
}

bool PaletteSystemColor(uint32_t index, uint32_t& out) {
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return false;
    QPalette p = QGuiApplication::palette();
    QPalette::ColorRole role;
    QPalette::ColorGroup group = QPalette::Active;
    switch (index) {
        case 4:
        case 15:
        case 10:
        case 11:
        case 0:
            role = QPalette::Button;
            break;
        case 5:
            role = QPalette::Base;
            break;
        case 7:
        case 8:
            role = QPalette::WindowText;
            break;
        case 12:
        case 16:
            role = QPalette::Mid;
            break;
        case 13:
            role = QPalette::Highlight;
            break;
        case 14:
            role = QPalette::HighlightedText;
            break;
        case 17:
            role = QPalette::Text;
            group = QPalette::Disabled;
            break;
        case 18:
            role = QPalette::ButtonText;
            break;
        case 20:
            role = QPalette::Light;
            break;
        case 21:
            role = QPalette::Shadow;
            break;
        case 22:
            role = QPalette::Midlight;
            break;
        case 23:
            role = QPalette::ToolTipText;
            break;
        case 24:
            role = QPalette::ToolTipBase;
            break;
        default:
            return false;
    }
    out = FromQ(p.color(group, role));
    return true;
}

}  // namespace

uint32_t ResolveColor(uint32_t stored) {
    if (!IsSystemColor(stored)) return stored & 0x00FFFFFFu;
    uint32_t index = stored & 0xFFu;
    uint32_t v;
    if (PaletteSystemColor(index, v)) return v;
    return ClassicSystemColor(index);
}

QColor ToQColor(uint32_t stored) {
    uint32_t v = ResolveColor(stored);
    return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

uint32_t FromQColor(const QColor& color) { return FromQ(color); }

}  // namespace platform
