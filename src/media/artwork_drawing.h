#pragma once
// Drawing pieces shared by the artwork families: canvases, arrows, marks and small objects.
// Coordinates are those of the painter the caller set up; the pieces never change its
// transform.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QSize>

#include <initializer_list>

namespace korbi::media::drawing {

// A premultiplied ARGB image filled with background (transparent by default).
QImage Canvas(QSize size, const QColor& background = Qt::transparent);
// A canvas of size device-independent pixels for a screen of device pixel ratio dpr: a painter
// on it works in device-independent pixels.
QImage HiDpiCanvas(QSize size, qreal dpr, const QColor& background = Qt::transparent);

// A painter on image with antialiasing and design units: one unit is image width / units
// device-independent pixels, so a drawing made for one size scales to another.
void Begin(QPainter& painter, QImage& image, qreal units);

void FillOutlined(QPainter& painter, const QPainterPath& path, const QColor& fill,
                  const QColor& outline, qreal outlineWidth = 1.0);

// A solid arrow from tail to tip (shaft and triangular head) as one outline.
QPainterPath ArrowPath(QPointF tail, QPointF tip, qreal shaftWidth, qreal headWidth,
                       qreal headLength);

QPainterPath StarPath(QPointF centre, qreal outerRadius, qreal innerRadius, int points);

// A gear with teeth around a hole.
QPainterPath GearPath(QPointF centre, qreal outerRadius, qreal rootRadius, int teeth,
                      qreal holeRadius);

QPainterPath CirclePath(QPointF centre, qreal radius);

// A rectangle, its corners rounded by radius when that is above 0.
QPainterPath RectPath(const QRectF& box, qreal radius = 0);

// The closed outline through points.
QPainterPath PolygonPath(std::initializer_list<QPointF> points);

// A straight line with round ends; the painter's pen is restored after.
void StrokeLine(QPainter& painter, QPointF from, QPointF to, const QColor& colour, qreal width);

// An exclamation mark filling box: a tapered bar and a dot.
void Exclamation(QPainter& painter, const QRectF& box, const QColor& colour);
// A lower-case "i" filling box: a dot and a stem.
void LetterI(QPainter& painter, const QRectF& box, const QColor& colour);
// A question mark filling box, drawn as a stroke and a dot.
void Question(QPainter& painter, const QRectF& box, const QColor& colour);

// A round badge with a white mark inside.
void InfoBadge(QPainter& painter, QPointF centre, qreal radius);

// A closed envelope, flap lines included.
void Envelope(QPainter& painter, const QRectF& box, const QColor& paper, const QColor& outline);

// A framed little picture: sky, sun and a green hill.
void Landscape(QPainter& painter, const QRectF& box);

// Head and shoulders of a person standing in box.
void Person(QPainter& painter, const QRectF& box, const QColor& clothes, const QColor& outline);

// The picture with every colour turned grey; alpha is kept.
QImage Greyed(const QImage& image, qreal lighten);

} // namespace korbi::media::drawing
