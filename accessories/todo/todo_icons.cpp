#include "todo_icons.h"

#include <QPainter>
#include <QPixmap>
#include <array>

namespace accessories {

namespace {

// A dot in the importance's colour, marked with the status.
QPixmap Draw(int importance, int status) {
    static const QColor kImportance[] = {QColor(0xE0, 0x20, 0x20), QColor(0xF0, 0x90, 0x10),
                                         QColor(0x30, 0xA0, 0x30), QColor(0x30, 0x70, 0xD0),
                                         QColor(0x90, 0x90, 0x90)};
    QPixmap pm(16, 16);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    const QColor c = kImportance[importance];
    p.setPen(QPen(c.darker(140), 1));
    switch (status) {
        case 0:  // not started: a ring
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(c);
            p.drawEllipse(QRectF(5, 5, 6, 6));
            break;
        case 1:  // in progress: half filled
            p.setBrush(Qt::white);
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setBrush(c);
            p.drawPie(QRectF(1.5, 1.5, 13, 13), 90 * 16, 180 * 16);
            break;
        case 2:  // done: filled with a tick
            p.setBrush(c);
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setPen(QPen(Qt::white, 2));
            p.drawPolyline(QPolygonF({QPointF(4.5, 8), QPointF(7, 10.5), QPointF(11.5, 5)}));
            break;
        default:  // on hold: two bars
            p.setBrush(c.lighter(150));
            p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
            p.setPen(Qt::NoPen);
            p.setBrush(c.darker(160));
            p.drawRect(QRectF(5.5, 4.5, 2, 7));
            p.drawRect(QRectF(8.5, 4.5, 2, 7));
            break;
    }
    return pm;
}

}  // namespace

QIcon ToDoIcon(int index) {
    static std::array<QIcon, 20> icons;
    if (index < 0 || index >= 20) index = 2;
    if (icons[index].isNull()) icons[index] = QIcon(Draw(index % 5, index / 5));
    return icons[index];
}

}  // namespace accessories
