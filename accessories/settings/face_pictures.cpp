#include "face_pictures.h"

#include <QPainter>

namespace accessories {

namespace {

QPixmap Face(int width, int height) {
    QPixmap pixmap(width, height);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const qreal size = qMin(width, height) - 2;
    const QRectF head((width - size) / 2, (height - size) / 2, size, size);
    p.setPen(QPen(QColor(0x80, 0x50, 0x20), 1.5));
    p.setBrush(QColor(0xFF, 0xD8, 0x9C));
    p.drawEllipse(head);
    p.setBrush(Qt::black);
    const qreal eye = size / 10;
    p.drawEllipse(QPointF(head.left() + size * 0.33, head.top() + size * 0.4), eye / 2, eye);
    p.drawEllipse(QPointF(head.left() + size * 0.67, head.top() + size * 0.4), eye / 2, eye);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(head.left() + size * 0.28, head.top() + size * 0.45, size * 0.44, size * 0.3),
              200 * 16, 140 * 16);
    return pixmap;
}

}  // namespace

QIcon DefaultFaceIcon() { return QIcon(Face(32, 32)); }

QPixmap DefaultFaceBitmap() { return Face(32, 40); }

}  // namespace accessories
