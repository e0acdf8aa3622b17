// The server window's indicators: read/write activity, mail and picture server.
#include "media/artwork.h"
#include "media/artwork_drawing.h"

#include <numbers>

namespace korbi::media {
namespace {

using namespace drawing;

constexpr qreal kUnits = 20;
constexpr QPointF kCentre{10, 10};

template <typename DrawFunction> QImage Indicator(qreal dpr, DrawFunction draw) {
    QImage image = HiDpiCanvas(kIndicatorSize, dpr);
    QPainter painter;
    Begin(painter, image, kUnits);
    draw(painter);
    painter.end();
    return image;
}

// A round panel with a ring of ten lamps; the lit lamp and its fading trail make the turn.
// lit < 0 draws the panel switched off.
void RotaterPanel(QPainter& painter, int lit) {
    const bool on = lit >= 0;
    FillOutlined(painter, CirclePath(kCentre, 9.3), on ? QColor(28, 44, 34) : QColor(120, 120, 120),
                 on ? QColor(8, 18, 12) : QColor(70, 70, 70), 1.0);
    for (int i = 0; i < kReadWriteFrameCount; ++i) {
        const qreal angle = 2 * std::numbers::pi * i / kReadWriteFrameCount;
        const QPointF at(kCentre.x() + 6.2 * std::sin(angle), kCentre.y() - 6.2 * std::cos(angle));
        const int behind = on ? (lit - i + kReadWriteFrameCount) % kReadWriteFrameCount : -1;
        QColor colour = on ? QColor(36, 76, 48) : QColor(150, 150, 150);
        qreal radius = 1.45;
        if (behind == 0) {
            colour = QColor(110, 255, 140);
            radius = 2.1;
        } else if (behind == 1) {
            colour = QColor(48, 200, 90);
            radius = 1.75;
        } else if (behind == 2) {
            colour = QColor(36, 140, 64);
            radius = 1.6;
        }
        FillOutlined(painter, CirclePath(at, radius), colour, colour, 0);
    }
    FillOutlined(painter, CirclePath(kCentre, 2.0),
                 on ? QColor(48, 200, 90) : QColor(150, 150, 150),
                 on ? QColor(8, 18, 12) : QColor(70, 70, 70), 0.8);
}

void Badge(QPainter& painter, QPointF centre, qreal radius, const QColor& fill,
           const QColor& outline) {
    FillOutlined(painter, CirclePath(centre, radius), fill, outline, 0.9);
}

const QRectF kEnvelope(1.5, 4.5, 17, 11);

void DrawUnknownMail(QPainter& painter) {
    Envelope(painter, kEnvelope, QColor(212, 212, 214), QColor(118, 118, 124));
    Badge(painter, {14.2, 13.6}, 5.2, QColor(100, 116, 140), QColor(50, 60, 76));
    Question(painter, QRectF(12.2, 10.0, 4.0, 7.4), Qt::white);
}

void DrawCheckMail(QPainter& painter) {
    Envelope(painter, kEnvelope, Qt::white, QColor(70, 86, 120));
    painter.save();
    painter.setPen(QPen(QColor(90, 56, 20), 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(15.2, 15.2), QPointF(18.6, 18.6));
    painter.restore();
    FillOutlined(painter, CirclePath({12.4, 12.4}, 4.0), QColor(190, 226, 255, 220),
                 QColor(24, 40, 80), 1.5);
}

void DrawGotMail(QPainter& painter) {
    Envelope(painter, kEnvelope, QColor(255, 236, 140), QColor(128, 96, 10));
    Badge(painter, {15.6, 5.0}, 4.3, QColor(224, 36, 36), QColor(120, 10, 10));
    Exclamation(painter, QRectF(14.75, 2.2, 1.7, 5.6), Qt::white);
}

void DrawNoMail(QPainter& painter) {
    Envelope(painter, kEnvelope, QColor(244, 247, 252), QColor(130, 142, 164));
}

void PicServArrow(QPainter& painter, qreal x, bool down) {
    const QPointF top(x, 8.2);
    const QPointF bottom(x, 19.2);
    if (down) {
        FillOutlined(painter, ArrowPath(top, bottom, 2.4, 5.8, 4.4), QColor(34, 176, 74),
                     QColor(10, 90, 36), 0.9);
    } else {
        FillOutlined(painter, ArrowPath(bottom, top, 2.4, 5.8, 4.4), QColor(245, 140, 30),
                     QColor(140, 70, 0), 0.9);
    }
}

void DrawPicServ(QPainter& painter, PicServImage image) {
    switch (image) {
    case PicServImage::FreePicServ:
        Landscape(painter, QRectF(2, 3.5, 16, 13));
        return;
    case PicServImage::DownPicServ:
        Landscape(painter, QRectF(1, 1.5, 14, 12));
        PicServArrow(painter, 15.8, true);
        return;
    case PicServImage::UpPicServ:
        Landscape(painter, QRectF(1, 1.5, 14, 12));
        PicServArrow(painter, 15.8, false);
        return;
    case PicServImage::BothPicServ:
        Landscape(painter, QRectF(1, 1.5, 14, 12));
        PicServArrow(painter, 11.6, true);
        PicServArrow(painter, 16.6, false);
        return;
    }
}

// A padlock: a steel shackle over a brass body with a keyhole.
void DrawPadlock(QPainter& painter) {
    QPainterPath shackle;
    shackle.moveTo(6, 10);
    shackle.lineTo(6, 6.5);
    shackle.arcTo(QRectF(6, 2.5, 8, 8), 180, -180);
    shackle.lineTo(14, 10);
    painter.strokePath(shackle, QPen(QColor(70, 74, 86), 2.2));
    painter.strokePath(shackle, QPen(QColor(176, 180, 192), 1.0));
    FillOutlined(painter, RectPath(QRectF(3.5, 9, 13, 9), 1.5), QColor(232, 184, 48),
                 QColor(128, 84, 8), 1.0);
    FillOutlined(painter, CirclePath({10, 12.6}, 1.5), QColor(60, 40, 8), QColor(60, 40, 8), 0.4);
    StrokeLine(painter, {10, 13}, {10, 15.6}, QColor(60, 40, 8), 1.2);
}

} // namespace

QImage SecurePicture(qreal dpr) {
    return Indicator(dpr, DrawPadlock);
}

QImage ReadWriteFrame(int frame, qreal dpr) {
    if (frame < 0 || frame >= kReadWriteFrameCount) {
        return {};
    }
    return Indicator(dpr, [frame](QPainter& painter) { RotaterPanel(painter, frame); });
}

QImage ReadWriteDisabledFrame(qreal dpr) {
    return Indicator(dpr, [](QPainter& painter) { RotaterPanel(painter, -1); });
}

QImage MailPicture(MailImage image, qreal dpr) {
    return Indicator(dpr, [image](QPainter& painter) {
        switch (image) {
        case MailImage::UnknownMailImage:
            return DrawUnknownMail(painter);
        case MailImage::CheckMailImage:
            return DrawCheckMail(painter);
        case MailImage::GotMailImage:
            return DrawGotMail(painter);
        case MailImage::NoMailImage:
            return DrawNoMail(painter);
        }
    });
}

QImage PicServPicture(PicServImage image, qreal dpr) {
    return Indicator(dpr, [image](QPainter& painter) { DrawPicServ(painter, image); });
}

SmiFrames MakeSmiFrames(qreal dpr) {
    SmiFrames frames;
    for (int i = 0; i < kReadWriteFrameCount; ++i) {
        frames.Rotater[i] = ReadWriteFrame(i, dpr);
    }
    frames.DisabFrame = ReadWriteDisabledFrame(dpr);
    frames.DefaultIcon = FrameIconPicture(FrameIcon::DefaultIcon, dpr);
    frames.NoNewIcon = FrameIconPicture(FrameIcon::NoNewIcon, dpr);
    frames.NoticeIcon = FrameIconPicture(FrameIcon::NoticeIcon, dpr);
    return frames;
}

} // namespace korbi::media
