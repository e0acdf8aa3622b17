#include "panes/builtin_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace korbi::panes {

namespace {

// A door frame with an arrow going in (towards the door) or out (away from it).
void DrawDoorArrow(QPainter& painter, const QColor& colour, bool inwards) {
    painter.setPen(QPen(colour.darker(150), 1));
    painter.setBrush(colour.lighter(170));
    const QRectF door = inwards ? QRectF(11.5, 1.5, 5, 15) : QRectF(1.5, 1.5, 5, 15);
    painter.drawRect(door);
    const double tailX = inwards ? 1.5 : 6.5;
    const double headX = inwards ? 10.5 : 16.5;
    const double direction = headX > tailX ? 1 : -1;
    QPainterPath arrow;
    arrow.moveTo(tailX, 7);
    arrow.lineTo(headX - 4 * direction, 7);
    arrow.lineTo(headX - 4 * direction, 4);
    arrow.lineTo(headX, 9);
    arrow.lineTo(headX - 4 * direction, 14);
    arrow.lineTo(headX - 4 * direction, 11);
    arrow.lineTo(tailX, 11);
    arrow.closeSubpath();
    painter.setPen(QPen(colour.darker(140), 1));
    painter.setBrush(colour);
    painter.drawPath(arrow);
}

void DrawQuit(QPainter& painter) {
    const QColor blue(32, 32, 192);
    painter.setPen(QPen(blue.darker(140), 1));
    painter.setBrush(QColor(200, 205, 245));
    painter.drawEllipse(QRectF(1.5, 1.5, 15, 15));
    painter.setPen(QPen(blue, 2.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(5, 5, 8, 8), 120 * 16, 300 * 16);
    painter.drawLine(QPointF(9, 3.5), QPointF(9, 8.5));
}

void DrawPicErr(QPainter& painter) {
    const QColor red(192, 32, 32);
    painter.setPen(QPen(red, 1));
    painter.setBrush(QColor(255, 236, 236));
    painter.drawRect(QRectF(1.5, 1.5, 15, 15));
    painter.setPen(QPen(red, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(5, 5), QPointF(13, 13));
    painter.drawLine(QPointF(13, 5), QPointF(5, 13));
}

} // namespace

QImage BuiltInPicture(BuiltInPict pict) {
    QImage image(kBuiltInPictSize, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    switch (pict) {
    case BuiltInPict::Join:
        DrawDoorArrow(painter, QColor(16, 160, 64), true);
        break;
    case BuiltInPict::Part:
        DrawDoorArrow(painter, QColor(208, 120, 24), false);
        break;
    case BuiltInPict::Quit:
        DrawQuit(painter);
        break;
    case BuiltInPict::PicErr:
        DrawPicErr(painter);
        break;
    }
    return image;
}

} // namespace korbi::panes
