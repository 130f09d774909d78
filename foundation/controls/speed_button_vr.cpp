#include "speed_button_vr.h"

#include <QPaintEvent>
#include <QPainter>
#include <vector>

#include "color.h"

namespace foundation {

namespace {

constexpr uint32_t kButtonFace = platform::SystemColor(15);
constexpr uint32_t kButtonShadow = platform::SystemColor(16);
constexpr uint32_t kButtonHighlight = platform::SystemColor(20);

}  // namespace

TSpeedButtonVR::TSpeedButtonVR(QWidget* parent) : QAbstractButton(parent) {
    // A speed button never takes the focus, so no focus rectangle is ever needed.
    setFocusPolicy(Qt::NoFocus);
    resize(23, 22);
}

void TSpeedButtonVR::SetBkBrushStyle(Qt::BrushStyle style) {
    bkBrushStyle_ = style;
    update();
}

void TSpeedButtonVR::SetBkColor(uint32_t color) {
    bkColor_ = color;
    update();
}

void TSpeedButtonVR::SetWakuVisible(bool visible) {
    wakuVisible_ = visible;
    update();
}

void TSpeedButtonVR::SetWakuColor(uint32_t color) {
    wakuColor_ = color;
    if (wakuVisible_) update();
}

void TSpeedButtonVR::SetDown(bool down) {
    if (down) setCheckable(true);
    setChecked(down);
    if (!down) setDown(false);
    update();
}

void TSpeedButtonVR::paintEvent(QPaintEvent*) {
    if (!parentWidget()) return;
    Paint();
}

void TSpeedButtonVR::Paint() {
    const int w = width();
    const int h = height();
    const bool down = Down();
    const QColor face = platform::ToQColor(kButtonFace);
    const QColor shadow = platform::ToQColor(kButtonShadow);
    const QColor highlight = platform::ToQColor(kButtonHighlight);

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing, false);

    // Flat face with a one-pixel bevel: raised while up, sunk while down.
    p.fillRect(rect(), face);
    const QColor topLeft = down ? shadow : highlight;
    const QColor bottomRight = down ? highlight : shadow;
    p.fillRect(0, 0, w, 1, topLeft);
    p.fillRect(0, 0, 1, h, topLeft);
    p.fillRect(0, h - 1, w, 1, bottomRight);
    p.fillRect(w - 1, 0, 1, h, bottomRight);

    const int a = down ? 1 : 2;
    const QRect inner(QPoint(2, 2), QPoint(w - 3, h - a - 1));  // right/bottom w-2, h-a exclusive

    if (inner.isValid()) {
        if (bkBrushStyle_ == Qt::NoBrush) {
            p.fillRect(inner, face);
        } else {
            p.fillRect(inner, Qt::white);
            p.fillRect(inner, QBrush(platform::ToQColor(bkColor_), bkBrushStyle_));
        }
    }

    if (down) {
        // Checkerboard of highlight dots, rows 2..h-a and columns 2..w-2 inclusive.
        std::vector<QPoint> dots;
        for (int y = 2; y <= h - a; ++y) {
            for (int x = 2; x <= w - 2; ++x) {
                if ((x & 1) == (y & 1)) dots.emplace_back(x, y);
            }
        }
        if (!dots.empty()) {
            p.setPen(highlight);
            p.drawPoints(dots.data(), static_cast<int>(dots.size()));
        }
    }

    if (wakuVisible_) {
        // Bounds left 2, top 1, right w-2, bottom h-a+1, right and bottom exclusive.
        const int right = w - 2;
        const int bottom = h - a + 1;
        if (right - 2 >= 1 && bottom - 1 >= 1) {
            p.setPen(platform::ToQColor(wakuColor_));
            p.setBrush(Qt::NoBrush);
            p.drawEllipse(QRect(2, 1, right - 2 - 1, bottom - 1 - 1));
        }
    }

    const QString caption = text();
    if (!caption.isEmpty() && inner.isValid()) {
        p.setFont(font());
        p.setBrush(Qt::NoBrush);
        const int flags = Qt::AlignCenter | Qt::TextSingleLine;
        if (isEnabled()) {
            p.setPen(palette().color(QPalette::ButtonText));
            p.drawText(inner, flags, caption);
        } else {
            p.setPen(highlight);
            p.drawText(inner.translated(1, 1), flags, caption);
            p.setPen(shadow);
            p.drawText(inner, flags, caption);
        }
    }
}

}  // namespace foundation
