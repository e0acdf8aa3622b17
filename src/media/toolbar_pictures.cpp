// The ten toolbar buttons of the server window, each in its four looks.
#include "media/artwork.h"
#include "media/artwork_drawing.h"

namespace korbi::media {
namespace {

using namespace drawing;

constexpr int kServerListButton = 6;
constexpr qreal kGlyphUnits = 24;
constexpr int kLargeGlyph = 26;
constexpr int kSmallGlyph = 13;

const QColor kOutline(40, 44, 56);

// A mains plug whose body spans left..left+7, prongs pointing right.
void Plug(QPainter& painter, qreal left, const QColor& body, const QColor& outline, bool prongs) {
    if (prongs) {
        const QColor metal(196, 196, 204);
        FillOutlined(painter, RectPath(QRectF(left + 6.5, 8.8, 3.5, 1.9)), metal,
                     QColor(90, 90, 96), 0.6);
        FillOutlined(painter, RectPath(QRectF(left + 6.5, 13.3, 3.5, 1.9)), metal,
                     QColor(90, 90, 96), 0.6);
    }
    FillOutlined(painter, RectPath(QRectF(left, 6.5, 7, 11), 1.5), body, outline, 1.0);
}

void Socket(QPainter& painter, qreal left, const QColor& body, const QColor& outline) {
    FillOutlined(painter, RectPath(QRectF(left, 4.5, 7, 15), 1.5), body, outline, 1.0);
}

void DrawConnect(QPainter& painter) {
    const QColor cable(70, 70, 78);
    StrokeLine(painter, {0.8, 12}, {6, 12}, cable, 2.4);
    StrokeLine(painter, {18, 12}, {23.2, 12}, cable, 2.4);
    Plug(painter, 5, QColor(47, 168, 79), QColor(16, 92, 40), false);
    Socket(painter, 12, QColor(104, 208, 124), QColor(16, 92, 40));
    FillOutlined(painter, StarPath({12, 3.2}, 3.0, 1.2, 4), QColor(255, 220, 40),
                 QColor(180, 120, 0), 0.6);
}

void DrawDisconnect(QPainter& painter) {
    const QColor cable(70, 70, 78);
    StrokeLine(painter, {0.8, 12}, {2, 12}, cable, 2.4);
    StrokeLine(painter, {22, 12}, {23.2, 12}, cable, 2.4);
    Plug(painter, 1.5, QColor(216, 58, 58), QColor(120, 16, 16), true);
    Socket(painter, 16, QColor(240, 128, 120), QColor(120, 16, 16));
    StrokeLine(painter, {13.8, 6}, {13.8, 8}, QColor(120, 16, 16), 1.0);
    StrokeLine(painter, {13.8, 16}, {13.8, 18}, QColor(120, 16, 16), 1.0);
}

void DrawPersonalInfo(QPainter& painter) {
    Person(painter, QRectF(2, 2, 15, 20), QColor(58, 111, 216), kOutline);
    InfoBadge(painter, {17.6, 16.8}, 5.6);
}

// A shield with a lightning bolt: protection against floods.
void DrawFloodProtection(QPainter& painter) {
    QPainterPath shield;
    shield.moveTo(12, 1.5);
    shield.cubicTo(15, 3.3, 18.5, 4, 21, 4);
    shield.lineTo(21, 11);
    shield.cubicTo(21, 17, 16.5, 20.5, 12, 22.6);
    shield.cubicTo(7.5, 20.5, 3, 17, 3, 11);
    shield.lineTo(3, 4);
    shield.cubicTo(5.5, 4, 9, 3.3, 12, 1.5);
    shield.closeSubpath();
    FillOutlined(painter, shield, QColor(52, 100, 196), QColor(20, 46, 110), 1.2);
    FillOutlined(painter,
                 PolygonPath({{13.8, 4.5},
                              {7.6, 13},
                              {11.4, 13},
                              {9.6, 19.8},
                              {16.4, 10.6},
                              {12.6, 10.6},
                              {15.6, 4.5}}),
                 QColor(255, 214, 40), QColor(130, 92, 0), 0.8);
}

void DrawPeople(QPainter& painter) {
    Person(painter, QRectF(1, 1.5, 13, 18), QColor(52, 168, 83), kOutline);
    Person(painter, QRectF(10, 5.5, 13, 18), QColor(208, 56, 56), kOutline);
}

// A page of script text, indented like code.
void DrawScripts(QPainter& painter) {
    QPainterPath page;
    page.moveTo(4.5, 1.5);
    page.lineTo(15.5, 1.5);
    page.lineTo(20, 6);
    page.lineTo(20, 22.5);
    page.lineTo(4.5, 22.5);
    page.closeSubpath();
    FillOutlined(painter, page, QColor(252, 252, 246), QColor(80, 80, 96), 1.0);
    FillOutlined(painter, PolygonPath({{15.5, 1.5}, {15.5, 6}, {20, 6}}), QColor(214, 214, 206),
                 QColor(80, 80, 96), 0.8);
    StrokeLine(painter, {7, 9}, {14, 9}, QColor(48, 96, 200), 1.6);
    StrokeLine(painter, {9.5, 12.5}, {17.5, 12.5}, QColor(40, 150, 70), 1.6);
    StrokeLine(painter, {9.5, 16}, {15.5, 16}, QColor(150, 60, 170), 1.6);
    StrokeLine(painter, {7, 19.5}, {12, 19.5}, QColor(48, 96, 200), 1.6);
}

// A list with a pencil over it; drawn bold because the button is small.
void DrawServerList(QPainter& painter) {
    FillOutlined(painter, RectPath(QRectF(2, 1.5, 15, 21)), Qt::white, QColor(60, 60, 76), 1.6);
    for (const qreal y : {6.0, 11.5, 17.0}) {
        FillOutlined(painter, CirclePath({5.6, y}, 1.6), QColor(40, 150, 70), QColor(40, 150, 70),
                     0);
        StrokeLine(painter, {8.6, y}, {14, y}, QColor(40, 70, 150), 2.4);
    }
    painter.save();
    painter.translate(17.5, 12.5);
    painter.rotate(120);
    FillOutlined(painter, RectPath(QRectF(-10, -2.6, 3, 5.2)), QColor(240, 140, 150),
                 QColor(90, 40, 40), 1.0);
    FillOutlined(painter, RectPath(QRectF(-7, -2.6, 11, 5.2)), QColor(250, 196, 30),
                 QColor(110, 76, 0), 1.0);
    FillOutlined(painter, PolygonPath({{4, -2.6}, {9, 0}, {4, 2.6}}), QColor(236, 200, 150),
                 QColor(110, 76, 0), 1.0);
    FillOutlined(painter, PolygonPath({{7.4, -0.8}, {9, 0}, {7.4, 0.8}}), QColor(40, 40, 40),
                 QColor(40, 40, 40), 0.6);
    painter.restore();
}

// A popup menu with its highlighted item and the mouse pointer.
void DrawAliasesPopups(QPainter& painter) {
    FillOutlined(painter, RectPath(QRectF(2.5, 2.5, 16, 18)), QColor(244, 244, 240), kOutline, 1.0);
    const QColor item(110, 110, 120);
    StrokeLine(painter, {5, 6}, {15, 6}, item, 1.4);
    FillOutlined(painter, RectPath(QRectF(3.5, 8.5, 14, 4)), QColor(48, 96, 200),
                 QColor(48, 96, 200), 0);
    StrokeLine(painter, {5, 10.5}, {14, 10.5}, Qt::white, 1.4);
    StrokeLine(painter, {5, 15}, {13, 15}, item, 1.4);
    StrokeLine(painter, {5, 18}, {11, 18}, item, 1.4);
    FillOutlined(painter,
                 PolygonPath({{13, 10.5},
                              {13, 22},
                              {15.8, 19.4},
                              {17.8, 23.6},
                              {19.8, 22.7},
                              {17.8, 18.6},
                              {21.4, 18.6}}),
                 Qt::white, Qt::black, 1.0);
}

void Monitor(QPainter& painter, qreal left) {
    FillOutlined(painter, RectPath(QRectF(left + 3, 11, 3, 2.5)), QColor(120, 120, 130), kOutline,
                 0.8);
    FillOutlined(painter, RectPath(QRectF(left, 3, 9, 8), 1), QColor(200, 204, 214), kOutline, 1.0);
    FillOutlined(painter, RectPath(QRectF(left + 1.4, 4.4, 6.2, 5.2)), QColor(64, 132, 224),
                 QColor(64, 132, 224), 0);
}

// Two computers talking directly to each other.
void DrawDcc(QPainter& painter) {
    Monitor(painter, 1);
    Monitor(painter, 14);
    FillOutlined(painter, ArrowPath({4, 16.8}, {20.5, 16.8}, 1.8, 5, 3.6), QColor(34, 176, 74),
                 QColor(12, 100, 40), 0.7);
    FillOutlined(painter, ArrowPath({20, 21.2}, {3.5, 21.2}, 1.8, 5, 3.6), QColor(245, 140, 30),
                 QColor(150, 76, 0), 0.7);
}

void DrawMiscPrefs(QPainter& painter) {
    FillOutlined(painter, GearPath({12, 12}, 10.8, 8.0, 8, 3.2), QColor(140, 150, 170),
                 QColor(50, 56, 70), 1.0);
    painter.save();
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(190, 198, 214), 1.2));
    painter.drawEllipse(QPointF(12, 12), 5.6, 5.6);
    painter.restore();
}

void DrawGlyph(QPainter& painter, int button) {
    switch (button) {
    case 0:
        return DrawConnect(painter);
    case 1:
        return DrawDisconnect(painter);
    case 2:
        return DrawPersonalInfo(painter);
    case 3:
        return DrawFloodProtection(painter);
    case 4:
        return DrawPeople(painter);
    case 5:
        return DrawScripts(painter);
    case 6:
        return DrawServerList(painter);
    case 7:
        return DrawAliasesPopups(painter);
    case 8:
        return DrawDcc(painter);
    case 9:
        return DrawMiscPrefs(painter);
    default:
        return;
    }
}

QImage Glyph(int button, qreal dpr) {
    const int side = button == kServerListButton ? kSmallGlyph : kLargeGlyph;
    QImage image = HiDpiCanvas(QSize(side, side), dpr);
    QPainter painter;
    Begin(painter, image, kGlyphUnits);
    DrawGlyph(painter, button);
    painter.end();
    return image;
}

// The glyph's silhouette in one colour, for the engraved look of a disabled button.
QImage Silhouette(const QImage& glyph, const QColor& colour) {
    QImage shape = glyph;
    QPainter painter(&shape);
    painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
    painter.fillRect(QRectF(QPointF(0, 0), shape.deviceIndependentSize()), colour);
    painter.end();
    return shape;
}

// Classic one-pixel bevels: light from the top left.
void Bevel(QPainter& painter, const QRect& box, bool raised) {
    const QColor light(255, 255, 255);
    const QColor shadow(128, 128, 128);
    const QColor dark(64, 64, 64);
    const int l = box.left();
    const int t = box.top();
    const int r = box.right();
    const int b = box.bottom();
    // Each line a rectangle of whole pixels: on a 2x screen it fills whole device pixels too.
    const auto line = [&](const QColor& c, int x1, int y1, int x2, int y2) {
        painter.fillRect(QRect(QPoint(x1, y1), QPoint(x2, y2)), c);
    };
    if (raised) {
        line(light, l, t, r - 1, t);
        line(light, l, t, l, b - 1);
        line(dark, l, b, r, b);
        line(dark, r, t, r, b);
        line(shadow, l + 1, b - 1, r - 1, b - 1);
        line(shadow, r - 1, t + 1, r - 1, b - 1);
    } else {
        line(dark, l, t, r, t);
        line(dark, l, t, l, b);
        line(shadow, l + 1, t + 1, r - 1, t + 1);
        line(shadow, l + 1, t + 1, l + 1, b - 1);
        line(light, l + 1, b, r, b);
        line(light, r, t + 1, r, b);
    }
}

} // namespace

QSize ToolButtonSize(int button) {
    if (button < 0 || button >= kToolButtonCount) {
        return {};
    }
    return button == kServerListButton ? kServerListButtonSize : kToolButtonSize;
}

QImage ToolButtonPicture(int button, ButtonState state, qreal dpr) {
    const QSize size = ToolButtonSize(button);
    if (size.isEmpty()) {
        return {};
    }
    const QImage glyph = Glyph(button, dpr);
    const QSize glyphSize = glyph.deviceIndependentSize().toSize();
    const QPoint at((size.width() - glyphSize.width()) / 2,
                    (size.height() - glyphSize.height()) / 2);
    QImage image = HiDpiCanvas(size, dpr);
    const QRect box(QPoint(0, 0), size);
    QPainter painter(&image);
    switch (state) {
    case ButtonState::Flat:
        painter.drawImage(at, glyph);
        break;
    case ButtonState::Lifted:
        Bevel(painter, box, true);
        painter.drawImage(at, glyph);
        break;
    case ButtonState::Pressed:
        painter.fillRect(box.adjusted(2, 2, -1, -1), QColor(0, 0, 0, 28));
        Bevel(painter, box, false);
        painter.drawImage(at + QPoint(1, 1), glyph);
        break;
    case ButtonState::Disabled:
        painter.drawImage(at + QPoint(1, 1), Silhouette(glyph, QColor(255, 255, 255, 200)));
        painter.drawImage(at, Greyed(glyph, 0.3));
        break;
    }
    painter.end();
    return image;
}

ToolButPicts MakeToolButPicts(qreal dpr) {
    ToolButPicts picts;
    for (int i = 0; i < kToolButtonCount; ++i) {
        picts.FlatButs[i] = ToolButtonPicture(i, ButtonState::Flat, dpr);
        picts.LiftButs[i] = ToolButtonPicture(i, ButtonState::Lifted, dpr);
        picts.PressButs[i] = ToolButtonPicture(i, ButtonState::Pressed, dpr);
        picts.DisabButs[i] = ToolButtonPicture(i, ButtonState::Disabled, dpr);
    }
    return picts;
}

} // namespace korbi::media
