// The event pictures drawn beside text lines.
#include "media/artwork.h"
#include "media/artwork_drawing.h"
#include "platform/text_values.h"

#include <array>

namespace korbi::media {
namespace {

using namespace drawing;

constexpr std::array<EventPictureInfo, 12> kEventPictures{{
    {EventPict::Join, "PICTS\\EVJOIN", "EVJOIN.BMP"},
    {EventPict::Part, "PICTS\\EVPART", "EVPART.BMP"},
    {EventPict::Quit, "PICTS\\EVQUIT", "EVQUIT.BMP"},
    {EventPict::Kick, "PICTS\\EVKICK", "EVKICK.BMP"},
    {EventPict::Action, "PICTS\\EVACTION", "EVACTION.BMP"},
    {EventPict::Sound, "PICTS\\EVSOUND", "EVSOUND.BMP"},
    {EventPict::PicErr, "PICTS\\EVPICERR", "evpicerr.bmp"},
    {EventPict::InfoMark, "PICTS\\INFOMARK", "INFOMARK.BMP"},
    {EventPict::ServMsg, "PICTS\\SERVMSG", "SERVMSG.BMP"},
    {EventPict::ErrorMsg, "PICTS\\ERRORMSG", "ERRORMSG.BMP"},
    {EventPict::WarnMark, "PICTS\\WARNMARK", "WARNMARK.BMP"},
    {EventPict::BetaWarn, "PICTS\\BETAWARN", "BETAWARN.BMP"},
}};

constexpr std::string_view kFolderPrefix = "PICTS\\";
constexpr std::string_view kExtension = ".BMP";
constexpr qreal kUnits = 18;

// A doorway seen from the front: a wooden frame around a dark opening.
void Doorway(QPainter& painter, qreal left) {
    FillOutlined(painter, RectPath(QRectF(left, 1.5, 6.5, 16)), QColor(160, 104, 48),
                 QColor(90, 56, 20), 1.0);
    FillOutlined(painter, RectPath(QRectF(left + 1.6, 3.2, 3.3, 14.3)), QColor(36, 36, 56),
                 QColor(36, 36, 56), 0);
}

void DrawJoin(QPainter& painter) {
    Doorway(painter, 10.5);
    FillOutlined(painter, ArrowPath({0.8, 9.5}, {14.6, 9.5}, 3.6, 9.0, 5.6), QColor(34, 176, 74),
                 QColor(12, 100, 40), 1.0);
}

void DrawPart(QPainter& painter) {
    Doorway(painter, 1.0);
    FillOutlined(painter, ArrowPath({3.6, 9.5}, {17.3, 9.5}, 3.6, 9.0, 5.6), QColor(245, 140, 30),
                 QColor(150, 76, 0), 1.0);
}

// The power symbol: an open ring and a bar through its gap.
void DrawQuit(QPainter& painter) {
    const QColor red(200, 32, 48);
    const QRectF ring(2.5, 3.5, 13, 13);
    painter.save();
    painter.setPen(QPen(red, 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(ring, 55 * 16, -290 * 16);
    painter.restore();
    StrokeLine(painter, {9, 1.8}, {9, 9.2}, red, 2.6);
}

void DrawKick(QPainter& painter) {
    const QColor grey(150, 150, 150);
    StrokeLine(painter, {0.8, 5.5}, {3, 5.5}, grey, 1.1);
    StrokeLine(painter, {0.8, 9}, {3, 9}, grey, 1.1);
    StrokeLine(painter, {0.8, 12.5}, {3, 12.5}, grey, 1.1);
    FillOutlined(painter, StarPath({14.8, 4.2}, 3.4, 1.4, 6), QColor(255, 214, 0),
                 QColor(200, 120, 0), 0.7);
    QPainterPath boot;
    boot.moveTo(4.5, 1.5);
    boot.lineTo(9.8, 1.5);
    boot.lineTo(9.8, 8.6);
    boot.cubicTo(12.5, 8.8, 16.6, 9.6, 16.8, 13.0);
    boot.lineTo(16.8, 14.6);
    boot.lineTo(4.5, 14.6);
    boot.closeSubpath();
    FillOutlined(painter, boot, QColor(164, 96, 40), QColor(74, 40, 12), 1.0);
    FillOutlined(painter, RectPath(QRectF(4.2, 14.6, 12.9, 2.2)), QColor(58, 36, 16),
                 QColor(58, 36, 16), 0.5);
    FillOutlined(painter, RectPath(QRectF(4.2, 1.2, 5.9, 2.4)), QColor(110, 62, 22),
                 QColor(74, 40, 12), 0.6);
}

void DrawAction(QPainter& painter) {
    FillOutlined(painter, StarPath({9, 9.8}, 8.4, 3.6, 5), QColor(255, 163, 26), QColor(160, 72, 0),
                 1.0);
}

void DrawSound(QPainter& painter) {
    const QColor fill(112, 80, 208);
    const QColor outline(58, 32, 128);
    FillOutlined(
        painter,
        PolygonPath({{1.5, 6.5}, {5, 6.5}, {9.5, 2.5}, {9.5, 15.5}, {5, 11.5}, {1.5, 11.5}}), fill,
        outline, 1.0);
    painter.save();
    painter.setPen(QPen(fill, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(7.5, 5.5, 7, 7), -50 * 16, 100 * 16);
    painter.drawArc(QRectF(5, 3, 12, 12), -55 * 16, 110 * 16);
    painter.restore();
}

void DrawPicErr(QPainter& painter) {
    Landscape(painter, QRectF(1.5, 2.5, 15, 13));
    StrokeLine(painter, {3.5, 4}, {14.5, 14}, Qt::white, 4.2);
    StrokeLine(painter, {14.5, 4}, {3.5, 14}, Qt::white, 4.2);
    StrokeLine(painter, {3.5, 4}, {14.5, 14}, QColor(224, 32, 32), 2.4);
    StrokeLine(painter, {14.5, 4}, {3.5, 14}, QColor(224, 32, 32), 2.4);
}

void DrawInfoMark(QPainter& painter) {
    InfoBadge(painter, {9, 9}, 8.3);
}

// A server tower with two drive bays and its lights.
void DrawServMsg(QPainter& painter) {
    FillOutlined(painter, RectPath(QRectF(4.5, 1.5, 9, 15), 1.2), QColor(184, 188, 204),
                 QColor(68, 72, 90), 1.0);
    const QColor bay(84, 88, 110);
    FillOutlined(painter, RectPath(QRectF(6.2, 3.4, 5.6, 1.9)), bay, bay, 0);
    FillOutlined(painter, RectPath(QRectF(6.2, 6.4, 5.6, 1.9)), bay, bay, 0);
    FillOutlined(painter, CirclePath({7.2, 13.2}, 1.2), QColor(32, 210, 64), QColor(10, 110, 30),
                 0.5);
    FillOutlined(painter, CirclePath({10.8, 13.2}, 1.2), QColor(255, 176, 0), QColor(150, 90, 0),
                 0.5);
}

void DrawErrorMsg(QPainter& painter) {
    FillOutlined(painter, CirclePath({9, 9}, 8.2), QColor(216, 32, 32), QColor(130, 10, 10), 1.0);
    Exclamation(painter, QRectF(7.5, 3.4, 3, 11.2), Qt::white);
}

void DrawWarnMark(QPainter& painter) {
    FillOutlined(painter, PolygonPath({{9, 1.0}, {17.3, 16.3}, {0.7, 16.3}}), QColor(255, 210, 31),
                 QColor(120, 90, 0), 1.2);
    Exclamation(painter, QRectF(7.8, 5.6, 2.4, 8.8), QColor(24, 24, 24));
}

// A road-works barrier: striped board on two legs, with a lamp.
void DrawBetaWarn(QPainter& painter) {
    const QColor leg(110, 110, 120);
    FillOutlined(painter, RectPath(QRectF(3.4, 10, 1.6, 6.6)), leg, leg, 0);
    FillOutlined(painter, RectPath(QRectF(13, 10, 1.6, 6.6)), leg, leg, 0);
    StrokeLine(painter, {1.8, 16.6}, {6.6, 16.6}, QColor(60, 60, 70), 1.2);
    StrokeLine(painter, {11.4, 16.6}, {16.2, 16.6}, QColor(60, 60, 70), 1.2);
    const QRectF board(0.8, 4.6, 16.4, 5.8);
    FillOutlined(painter, RectPath(board), Qt::white, Qt::white, 0);
    painter.save();
    painter.setClipRect(board);
    for (qreal x = -4; x < 18; x += 5) {
        const QPainterPath stripe =
            PolygonPath({{x, 10.4}, {x + 2.5, 10.4}, {x + 8.3, 4.6}, {x + 5.8, 4.6}});
        FillOutlined(painter, stripe, QColor(240, 96, 0), QColor(240, 96, 0), 0);
    }
    painter.restore();
    FillOutlined(painter, RectPath(board), Qt::transparent, QColor(70, 40, 20), 1.0);
    FillOutlined(painter, CirclePath({4.2, 2.6}, 1.7), QColor(255, 200, 0), QColor(150, 90, 0),
                 0.7);
}

void Draw(QPainter& painter, EventPict pict) {
    switch (pict) {
    case EventPict::Join:
        return DrawJoin(painter);
    case EventPict::Part:
        return DrawPart(painter);
    case EventPict::Quit:
        return DrawQuit(painter);
    case EventPict::Kick:
        return DrawKick(painter);
    case EventPict::Action:
        return DrawAction(painter);
    case EventPict::Sound:
        return DrawSound(painter);
    case EventPict::PicErr:
        return DrawPicErr(painter);
    case EventPict::InfoMark:
        return DrawInfoMark(painter);
    case EventPict::ServMsg:
        return DrawServMsg(painter);
    case EventPict::ErrorMsg:
        return DrawErrorMsg(painter);
    case EventPict::WarnMark:
        return DrawWarnMark(painter);
    case EventPict::BetaWarn:
        return DrawBetaWarn(painter);
    }
}

} // namespace

std::span<const EventPictureInfo> EventPictures() {
    return kEventPictures;
}

std::optional<EventPict> FindEventPict(std::string_view name) {
    std::string key = platform::UpperAscii(name);
    for (char& c : key) {
        if (c == '/') {
            c = '\\';
        }
    }
    std::string_view bare = key;
    if (bare.starts_with(kFolderPrefix)) {
        bare.remove_prefix(kFolderPrefix.size());
    }
    if (bare.ends_with(kExtension)) {
        bare.remove_suffix(kExtension.size());
    }
    for (const EventPictureInfo& info : kEventPictures) {
        if (bare == info.name.substr(kFolderPrefix.size())) {
            return info.pict;
        }
    }
    return std::nullopt;
}

QImage EventPicture(EventPict pict, qreal dpr) {
    QImage image = HiDpiCanvas(kEventPictureSize, dpr, Qt::white);
    QPainter painter;
    Begin(painter, image, kUnits);
    Draw(painter, pict);
    painter.end();
    return image.convertToFormat(QImage::Format_RGB32);
}

QImage EventPicture(std::string_view name, qreal dpr) {
    const auto pict = FindEventPict(name);
    return pict ? EventPicture(*pict, dpr) : QImage();
}

QImage PictureForScreen(std::string_view name, const QImage& loaded, qreal dpr) {
    if (loaded.isNull() || qFuzzyCompare(loaded.devicePixelRatio(), dpr)) {
        return loaded;
    }
    // The seeded file holds the 1x drawing: drawing it again keeps its edges hard.
    if (const auto pict = FindEventPict(name);
        pict && loaded.size() == kEventPictureSize &&
        loaded.convertToFormat(QImage::Format_RGB32) == EventPicture(*pict)) {
        return EventPicture(*pict, dpr);
    }
    QImage scaled = loaded.scaled((loaded.deviceIndependentSize() * dpr).toSize(),
                                  Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(dpr);
    return scaled;
}

} // namespace korbi::media
