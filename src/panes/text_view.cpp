#include "panes/text_view.h"

#include "panes/picture_cache.h"
#include "panes/text_metrics.h"

#include "platform/text_encoding.h"

#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QUrl>

#include <algorithm>

namespace korbi::panes {

namespace {
// Long enough to gather a burst of lines into one repaint, short enough not to be seen.
constexpr int kRepaintDelayMs = 20;
constexpr int kPictIndent = 25;
constexpr int kTextDrop = 5;
} // namespace

TextView::TextView(const LineStore& lines, TextMetrics& metrics, PictureCache& pictures,
                   QWidget* parent)
    : QFrame(parent), m_lines(lines), m_metrics(metrics), m_pictures(pictures) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_repaintTimer.setSingleShot(true);
    m_repaintTimer.setInterval(kRepaintDelayMs);
    connect(&m_repaintTimer, &QTimer::timeout, this, [this] { update(); });
    setAcceptDrops(true);
}

void TextView::dragEnterEvent(QDragEnterEvent* event) {
    dragMoveEvent(event);
}

void TextView::dragMoveEvent(QDragMoveEvent* event) {
    if (event->mimeData()->hasUrls()) {
        event->acceptProposedAction();
    }
}

void TextView::dropEvent(QDropEvent* event) {
    std::vector<std::string> files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) {
            files.push_back(platform::ScreenToBytes(url.toLocalFile()));
        }
    }
    emit FilesDropped(files);
    event->acceptProposedAction();
}

void TextView::ScheduleRepaint() {
    if (isVisible() && !m_repaintTimer.isActive()) {
        m_repaintTimer.start();
    }
}

void TextView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.fillRect(inner, Qt::white);
    painter.setClipRect(inner);
    painter.translate(inner.topLeft());
    // Line k owns the 20-pixel band from 20k: its picture at (2, 20k + 1), its text 5 pixels
    // down, and 25 pixels in when there is a picture. (Advancing text lines by the font's
    // height instead would let pictures drift beside other people's lines.)
    // A view made smaller holds more lines than it shows until the next line is printed: it
    // shows the newest that fit, as printing would have left them.
    const int count = m_lines.LineCount();
    const int first = std::max(0, count - LineCapacity(inner.height()));
    for (int k = 0; k < count - first; ++k) {
        const LineRecord& record = m_lines.Line(first + k);
        const int top = kLinePixels * k;
        int x = 0;
        if (!record.pict.empty()) {
            DrawPict(painter, 1, top, record.pict);
            x = kPictIndent;
        }
        PrintExtra(painter, x, top + kTextDrop, record);
    }
}

void TextView::DrawPict(QPainter& painter, int x, int y, const std::string& name) {
    painter.drawImage(QPoint(x + 1, y + 1), m_pictures.Picture(name, devicePixelRatioF()));
}

void TextView::PrintExtra(QPainter& painter, double x, double y, const LineRecord& record) {
    const bool utf8 = IsUtf8Text(record.text);
    const double baseline = y + m_metrics.Ascent();
    irc::TextStyle style;
    style.colour = record.colour;
    irc::ScanCodes(record.text, style, [&](std::string_view run, const irc::TextStyle& in) {
        const QString text = DecodeRun(run, utf8);
        painter.setFont(m_metrics.Font(in));
        painter.setPen(QColor(in.colour.red, in.colour.green, in.colour.blue));
        painter.drawText(QPointF(x, baseline), text);
        x += m_metrics.RunWidth(text, in);
    });
}

} // namespace korbi::panes
