// The application icon, its SVG form, and the frame icons made from it.
#include "media/artwork.h"
#include "media/artwork_drawing.h"

#include <QPixmap>
#include <QString>

#include <algorithm>
#include <array>
#include <vector>

namespace korbi::media {
namespace {

using namespace drawing;

constexpr qreal kUnits = 32;
constexpr std::array kFrameIconSides{16, 24, 32, 48, 64, 96};

// One filled and outlined shape of the icon. The icon is kept as data so that the same
// drawing yields both the pixel images and the SVG document.
struct Layer {
    QPainterPath path;
    QColor fill;
    QColor outline;
    qreal outlineWidth = 0;
};

QPainterPath Ellipse(QPointF centre, qreal rx, qreal ry) {
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

// Two speech bubbles on a blue tile: the back one bears a "K", the front one the dots of
// someone typing.
std::vector<Layer> IconLayers() {
    const QColor blue(36, 87, 184);
    const QColor ink(15, 42, 96);
    QPainterPath letter = RectPath(QRectF(8.4, 7.0, 3.0, 11.2), 0.4);
    letter = letter.united(PolygonPath({{11.4, 10.6}, {16.2, 7.0}, {20.4, 7.0}, {11.4, 14.2}}));
    letter = letter.united(PolygonPath({{11.4, 12.6}, {20.6, 18.2}, {16.4, 18.2}, {11.4, 15.0}}));
    return {
        {RectPath(QRectF(1, 1, 30, 30), 6), blue, ink, 1.0},
        {RectPath(QRectF(2.2, 2.2, 27.6, 13), 5), QColor(255, 255, 255, 36), {}, 0},
        {Ellipse({13.6, 12.6}, 10.6, 8.0)
             .united(PolygonPath({{6.5, 17}, {3.8, 25.6}, {12.6, 19.8}})),
         Qt::white, ink, 1.2},
        {letter, blue, {}, 0},
        {Ellipse({21.6, 21.6}, 8.4, 6.2).united(PolygonPath({{25.2, 25}, {29.6, 30}, {20, 27.4}})),
         QColor(255, 211, 77), ink, 1.2},
        {Ellipse({18.0, 21.6}, 1.4, 1.4), ink, {}, 0},
        {Ellipse({21.6, 21.6}, 1.4, 1.4), ink, {}, 0},
        {Ellipse({25.2, 21.6}, 1.4, 1.4), ink, {}, 0},
    };
}

std::string Number(qreal value) {
    return QString::number(value, 'g', 6).toStdString();
}

std::string ColourText(const QColor& colour) {
    return colour.name(QColor::HexRgb).toStdString();
}

std::string PathData(const QPainterPath& path) {
    std::string data;
    QPointF subpathStart;
    QPointF last;
    const auto point = [&](const QPainterPath::Element& e) {
        return Number(e.x) + " " + Number(e.y);
    };
    const auto closeIfReturned = [&] {
        if (!data.empty() && last == subpathStart) {
            data += " Z";
        }
    };
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo()) {
            closeIfReturned();
            data += (data.empty() ? "M " : " M ") + point(e);
            subpathStart = last = QPointF(e.x, e.y);
        } else if (e.isLineTo()) {
            data += " L " + point(e);
            last = QPointF(e.x, e.y);
        } else if (e.isCurveTo() && i + 2 < path.elementCount()) {
            const QPainterPath::Element c2 = path.elementAt(i + 1);
            const QPainterPath::Element end = path.elementAt(i + 2);
            data += " C " + point(e) + " " + point(c2) + " " + point(end);
            last = QPointF(end.x, end.y);
            i += 2;
        }
    }
    closeIfReturned();
    return data;
}

void Paint(QPainter& painter, const std::vector<Layer>& layers) {
    for (const Layer& layer : layers) {
        FillOutlined(painter, layer.path, layer.fill, layer.outline, layer.outlineWidth);
    }
}

// A red mark at the top right: something new arrived.
void NoticeBadge(QPainter& painter) {
    FillOutlined(painter, CirclePath({25.4, 6.6}, 6.0), QColor(255, 59, 48), Qt::white, 1.4);
    Exclamation(painter, QRectF(24.35, 2.7, 2.1, 7.8), Qt::white);
}

} // namespace

QImage ApplicationIcon(int size, qreal dpr) {
    const int side = std::clamp(size, 8, 1024);
    QImage image = HiDpiCanvas(QSize(side, side), dpr);
    QPainter painter;
    Begin(painter, image, kUnits);
    Paint(painter, IconLayers());
    painter.end();
    return image;
}

std::string ApplicationIconSvg() {
    std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
                      "viewBox=\"0 0 32 32\">\n";
    for (const Layer& layer : IconLayers()) {
        svg += "  <path d=\"" + PathData(layer.path) + "\" fill=\"" + ColourText(layer.fill) + "\"";
        if (layer.fill.alpha() != 255) {
            svg += " fill-opacity=\"" + Number(layer.fill.alphaF()) + "\"";
        }
        if (layer.path.fillRule() == Qt::OddEvenFill) {
            svg += " fill-rule=\"evenodd\"";
        }
        if (layer.outlineWidth > 0) {
            svg += " stroke=\"" + ColourText(layer.outline) + "\" stroke-width=\"" +
                   Number(layer.outlineWidth) + "\" stroke-linejoin=\"round\"";
        }
        svg += "/>\n";
    }
    svg += "</svg>\n";
    return svg;
}

QImage FrameIconPicture(FrameIcon icon, qreal dpr) {
    QImage image = ApplicationIcon(kFrameIconSize.width(), dpr);
    switch (icon) {
    case FrameIcon::DefaultIcon:
        return image;
    case FrameIcon::NoNewIcon:
        return Greyed(image, 0.25);
    case FrameIcon::NoticeIcon: {
        QPainter painter;
        Begin(painter, image, kUnits);
        NoticeBadge(painter);
        painter.end();
        return image;
    }
    }
    return image;
}

QIcon FrameIconSet(FrameIcon icon) {
    QIcon set;
    // Title bars and trays ask for 16 to 32 pixels, task switchers more, times the screen's
    // ratio; each size is drawn, none scaled.
    for (const int side : kFrameIconSides) {
        const qreal ratio = side / qreal(kFrameIconSize.width());
        QImage image = FrameIconPicture(icon, ratio);
        image.setDevicePixelRatio(1);
        set.addPixmap(QPixmap::fromImage(image));
    }
    return set;
}

} // namespace korbi::media
