#include "media/artwork_drawing.h"

#include <QLineF>
#include <QPolygonF>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korbi::media::drawing {
namespace {

QPointF Polar(QPointF centre, qreal radius, qreal radians) {
    return {centre.x() + radius * std::sin(radians), centre.y() - radius * std::cos(radians)};
}

} // namespace

QImage Canvas(QSize size, const QColor& background) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    return image;
}

QImage HiDpiCanvas(QSize size, qreal dpr, const QColor& background) {
    QImage image = Canvas((QSizeF(size) * dpr).toSize(), background);
    image.setDevicePixelRatio(dpr);
    return image;
}

void Begin(QPainter& painter, QImage& image, qreal units) {
    // The painter already maps device-independent pixels to the image's device pixels.
    painter.begin(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal scale = image.deviceIndependentSize().width() / units;
    painter.scale(scale, scale);
}

void FillOutlined(QPainter& painter, const QPainterPath& path, const QColor& fill,
                  const QColor& outline, qreal outlineWidth) {
    painter.save();
    painter.setBrush(fill);
    if (outlineWidth > 0) {
        painter.setPen(QPen(outline, outlineWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    } else {
        painter.setPen(Qt::NoPen);
    }
    painter.drawPath(path);
    painter.restore();
}

QPainterPath ArrowPath(QPointF tail, QPointF tip, qreal shaftWidth, qreal headWidth,
                       qreal headLength) {
    const QLineF line(tail, tip);
    const qreal length = line.length();
    // Local frame: along the arrow (ux, uy) and across it (nx, ny).
    const qreal ux = line.dx() / length;
    const qreal uy = line.dy() / length;
    const qreal nx = -uy;
    const qreal ny = ux;
    const auto at = [&](qreal along, qreal across) {
        return QPointF(tail.x() + ux * along + nx * across, tail.y() + uy * along + ny * across);
    };
    const qreal neck = length - headLength;
    QPolygonF outline;
    outline << at(0, -shaftWidth / 2) << at(neck, -shaftWidth / 2) << at(neck, -headWidth / 2)
            << at(length, 0) << at(neck, headWidth / 2) << at(neck, shaftWidth / 2)
            << at(0, shaftWidth / 2);
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

QPainterPath StarPath(QPointF centre, qreal outerRadius, qreal innerRadius, int points) {
    QPolygonF outline;
    for (int i = 0; i < points * 2; ++i) {
        const qreal radius = i % 2 == 0 ? outerRadius : innerRadius;
        outline << Polar(centre, radius, std::numbers::pi * i / points);
    }
    QPainterPath path;
    path.addPolygon(outline);
    path.closeSubpath();
    return path;
}

QPainterPath GearPath(QPointF centre, qreal outerRadius, qreal rootRadius, int teeth,
                      qreal holeRadius) {
    const qreal step = 2 * std::numbers::pi / teeth;
    QPolygonF outline;
    for (int i = 0; i < teeth; ++i) {
        const qreal a = i * step;
        // A tooth takes a bit under half of its step, with sloped flanks.
        outline << Polar(centre, rootRadius, a - step * 0.30)
                << Polar(centre, outerRadius, a - step * 0.17)
                << Polar(centre, outerRadius, a + step * 0.17)
                << Polar(centre, rootRadius, a + step * 0.30);
    }
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    path.addPolygon(outline);
    path.closeSubpath();
    path.addEllipse(centre, holeRadius, holeRadius);
    return path;
}

QPainterPath CirclePath(QPointF centre, qreal radius) {
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath RectPath(const QRectF& box, qreal radius) {
    QPainterPath path;
    path.addRoundedRect(box, radius, radius); // a radius of 0 adds the plain rectangle
    return path;
}

QPainterPath PolygonPath(std::initializer_list<QPointF> points) {
    QPainterPath path;
    path.addPolygon(QPolygonF(points));
    path.closeSubpath();
    return path;
}

void StrokeLine(QPainter& painter, QPointF from, QPointF to, const QColor& colour, qreal width) {
    painter.save();
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, to);
    painter.restore();
}

void Exclamation(QPainter& painter, const QRectF& box, const QColor& colour) {
    const qreal w = box.width();
    const qreal cx = box.center().x();
    const qreal barEnd = box.top() + box.height() * 0.64;
    QPolygonF bar;
    bar << QPointF(cx - w / 2, box.top()) << QPointF(cx + w / 2, box.top())
        << QPointF(cx + w * 0.28, barEnd) << QPointF(cx - w * 0.28, barEnd);
    QPainterPath path;
    path.addPolygon(bar);
    path.closeSubpath();
    path.addEllipse(QPointF(cx, box.bottom() - w * 0.42), w * 0.42, w * 0.42);
    FillOutlined(painter, path, colour, colour, 0);
}

void LetterI(QPainter& painter, const QRectF& box, const QColor& colour) {
    const qreal w = box.width();
    const qreal cx = box.center().x();
    QPainterPath path;
    path.addEllipse(QPointF(cx, box.top() + w * 0.5), w * 0.5, w * 0.5);
    path.addRect(
        QRectF(cx - w * 0.4, box.top() + box.height() * 0.38, w * 0.8, box.height() * 0.62));
    FillOutlined(painter, path, colour, colour, 0);
}

void Question(QPainter& painter, const QRectF& box, const QColor& colour) {
    const qreal stroke = box.width() * 0.26;
    const qreal radius = box.width() / 2 - stroke / 2;
    const QPointF centre(box.center().x(), box.top() + stroke / 2 + radius);
    QPainterPath hook;
    const QRectF circle(centre.x() - radius, centre.y() - radius, radius * 2, radius * 2);
    hook.arcMoveTo(circle, 160);
    hook.arcTo(circle, 160, -250);
    hook.lineTo(centre.x(), box.top() + box.height() * 0.68);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(colour, stroke, Qt::SolidLine, Qt::FlatCap, Qt::RoundJoin));
    painter.drawPath(hook);
    painter.restore();
    const qreal dot = stroke * 0.62;
    FillOutlined(painter, CirclePath(QPointF(centre.x(), box.bottom() - dot), dot), colour, colour,
                 0);
}

void InfoBadge(QPainter& painter, QPointF centre, qreal radius) {
    FillOutlined(painter, CirclePath(centre, radius), QColor(32, 96, 200), QColor(16, 48, 120),
                 radius * 0.16);
    LetterI(
        painter,
        QRectF(centre.x() - radius * 0.16, centre.y() - radius * 0.62, radius * 0.32, radius * 1.2),
        Qt::white);
}

void Envelope(QPainter& painter, const QRectF& box, const QColor& paper, const QColor& outline) {
    QPainterPath body;
    body.addRoundedRect(box, box.height() * 0.08, box.height() * 0.08);
    FillOutlined(painter, body, paper, outline, 1.0);
    painter.save();
    painter.setPen(QPen(outline, 0.9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath flap;
    flap.moveTo(box.left() + 0.5, box.top() + 0.5);
    flap.lineTo(box.center().x(), box.top() + box.height() * 0.58);
    flap.lineTo(box.right() - 0.5, box.top() + 0.5);
    painter.drawPath(flap);
    painter.restore();
}

void Landscape(QPainter& painter, const QRectF& box) {
    FillOutlined(
        painter,
        [&] {
            QPainterPath p;
            p.addRect(box);
            return p;
        }(),
        QColor(150, 206, 250), QColor(60, 60, 70), 1.0);
    painter.save();
    painter.setClipRect(box.adjusted(0.5, 0.5, -0.5, -0.5));
    const qreal w = box.width();
    const qreal h = box.height();
    FillOutlined(painter, CirclePath(QPointF(box.left() + w * 0.72, box.top() + h * 0.3), h * 0.16),
                 QColor(255, 214, 0), QColor(230, 150, 0), 0.6);
    QPainterPath hill;
    hill.moveTo(box.left(), box.bottom());
    hill.lineTo(box.left(), box.top() + h * 0.68);
    hill.cubicTo(box.left() + w * 0.3, box.top() + h * 0.42, box.left() + w * 0.55,
                 box.top() + h * 0.52, box.right(), box.top() + h * 0.72);
    hill.lineTo(box.right(), box.bottom());
    hill.closeSubpath();
    FillOutlined(painter, hill, QColor(64, 168, 72), QColor(30, 110, 40), 0.6);
    painter.restore();
}

void Person(QPainter& painter, const QRectF& box, const QColor& clothes, const QColor& outline) {
    const qreal w = box.width();
    const qreal h = box.height();
    const qreal cx = box.center().x();
    QPainterPath body;
    body.moveTo(box.left() + w * 0.04, box.bottom());
    body.cubicTo(box.left() + w * 0.04, box.top() + h * 0.56, box.right() - w * 0.04,
                 box.top() + h * 0.56, box.right() - w * 0.04, box.bottom());
    body.closeSubpath();
    FillOutlined(painter, body, clothes, outline, 1.0);
    const qreal headRadius = std::min(w, h) * 0.24;
    FillOutlined(painter, CirclePath(QPointF(cx, box.top() + headRadius + 0.5), headRadius),
                 QColor(246, 204, 150), outline, 1.0);
}

QImage Greyed(const QImage& image, qreal lighten) {
    QImage grey = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < grey.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(grey.scanLine(y));
        for (int x = 0; x < grey.width(); ++x) {
            const int g = qGray(line[x]);
            const int v = std::lround(g + (255 - g) * lighten);
            line[x] = qRgba(v, v, v, qAlpha(line[x]));
        }
    }
    return grey.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace korbi::media::drawing
