#include "panes/text_view.h"

#include "panes/find_bar.h"
#include "panes/picture_cache.h"
#include "panes/text_metrics.h"
#include "panes/time_stamp.h"

#include "irc/word_wrap.h"
#include "platform/text_encoding.h"

#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QUrl>
#include <QWheelEvent>

#include <algorithm>

namespace korbi::panes {

namespace {
// Long enough to gather a burst of lines into one repaint, short enough not to be seen.
constexpr int kRepaintDelayMs = 20;
constexpr int kPictIndent = 25;
constexpr int kTextDrop = 5;
constexpr int kWheelRows = 3;
// Wrapped rows are kept for a few screens' worth of lines (a screen is at most 50); past that
// they are made again.
constexpr std::size_t kRowsKept = 256;
} // namespace

TextView::TextView(const LineStore& lines, TextMetrics& metrics, PictureCache& pictures,
                   QWidget* parent)
    : QFrame(parent), m_lines(lines), m_metrics(metrics), m_pictures(pictures),
      m_scrollBar(new QScrollBar(Qt::Vertical, this)), m_newLines(new QLabel(this)) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(1);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::ClickFocus);
    m_repaintTimer.setSingleShot(true);
    m_repaintTimer.setInterval(kRepaintDelayMs);
    connect(&m_repaintTimer, &QTimer::timeout, this, [this] {
        ScrollChanged();
        update();
    });
    connect(&m_dragScroll, &QTimer::timeout, this, &TextView::DragScrollTick);
    setAcceptDrops(true);
    m_scrollBar->setObjectName("ScrollBack");
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::actionTriggered, this, [this] {
        const int line = m_scrollBar->sliderPosition();
        if (line >= m_scrollBar->maximum()) {
            GoLive();
        } else {
            ScrollToLine(m_lines.FirstId() + static_cast<LineStore::Id>(line));
        }
    });
    m_newLines->setObjectName("NewLinesBelow");
    m_newLines->setStyleSheet("background: #ffffe0; border: 1px solid #808080; padding: 1px 4px;");
    m_newLines->hide();
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

// A hidden view scrolled back still counts the new lines on its marker for when it is shown.
int TextView::ViewRows() const {
    const int bar = m_findBar != nullptr && !m_findBar->isHidden() ? m_findBar->height() : 0;
    return LineCapacity(InnerHeight() - bar);
}

void TextView::ScheduleRepaint() {
    if ((isVisible() || !IsLive()) && !m_repaintTimer.isActive()) {
        m_repaintTimer.start();
    }
}

void TextView::Rewrap() {
    m_rows.clear();
    ScheduleRepaint();
}

void TextView::Reset() {
    m_rows.clear();
    m_scrolledTo.reset();
    ScrollChanged();
    ScheduleRepaint();
}

void TextView::resizeEvent(QResizeEvent* event) {
    QFrame::resizeEvent(event);
    m_rows.clear();
    PlaceScrollControls();
}

RowSpan TextView::Span() {
    return {m_lines.FirstId(), m_lines.EndId(),
            [this](LineStore::Id id) { return static_cast<int>(Rows(id).size()); }};
}

const std::vector<std::string>& TextView::Rows(LineStore::Id id) {
    if (const auto found = m_rows.find(id); found != m_rows.end()) {
        return found->second;
    }
    if (m_rows.size() >= kRowsKept) {
        m_rows.clear();
    }
    std::string text = m_lines.Text(id);
    if (m_look.timeStamps) {
        text.insert(0, TimeStampText(m_lines.Time(id)));
    }
    const double room = InnerWidth() - (m_lines.Pict(id).empty() ? 0 : kPictIndent);
    ViewLineMeasure measure(m_metrics, IsUtf8Text(text));
    return m_rows.emplace(id, irc::WrapText(text, room, measure)).first->second;
}

RowPlace TextView::BottomRow() {
    const RowSpan span = Span();
    if (span.Empty()) {
        return {};
    }
    return m_scrolledTo ? ClampBottom(span, *m_scrolledTo, ViewRows()) : span.Bottom();
}

void TextView::ScrollRows(int count) {
    const RowSpan span = Span();
    if (!span.Empty() && count != 0) {
        ScrollTo(span, StepRows(span, BottomRow(), count));
    }
}

void TextView::ScrollToLine(LineStore::Id line) {
    const RowSpan span = Span();
    if (!span.Empty()) {
        line = std::clamp(line, span.first, span.end - 1);
        ScrollTo(span, {line, span.rowsOf(line) - 1});
    }
}

// A bottom row at the newest row is live again; anywhere else the view stays put.
void TextView::ScrollTo(const RowSpan& span, RowPlace bottom) {
    if (IsLive()) {
        m_endWhenScrolled = m_lines.EndId();
    }
    bottom = ClampBottom(span, bottom, ViewRows());
    if (bottom == span.Bottom()) {
        m_scrolledTo.reset();
    } else {
        m_scrolledTo = bottom;
    }
    ScrollChanged();
    update();
}

void TextView::GoLive() {
    if (IsLive()) {
        return;
    }
    m_scrolledTo.reset();
    ScrollChanged();
    update();
}

int TextView::NewLinesBelow() const {
    if (IsLive() || m_lines.EndId() <= m_endWhenScrolled) {
        return 0;
    }
    return static_cast<int>(m_lines.EndId() - m_endWhenScrolled);
}

// The scroll bar counts lines: its end is the newest line, where the view is live.
void TextView::ScrollChanged() {
    if (m_lines.LineCount() == 0) {
        m_scrolledTo.reset();
    }
    m_scrollBar->setVisible(!IsLive());
    const int newLines = NewLinesBelow();
    m_newLines->setVisible(newLines > 0);
    if (IsLive()) {
        return;
    }
    const int last = std::max(0, m_lines.LineCount() - 1);
    const RowPlace bottom = BottomRow();
    m_scrollBar->blockSignals(true);
    m_scrollBar->setRange(0, last);
    m_scrollBar->setPageStep(ViewRows());
    m_scrollBar->setValue(static_cast<int>(bottom.line - m_lines.FirstId()));
    m_scrollBar->blockSignals(false);
    if (newLines > 0) {
        m_newLines->setText(newLines == 1 ? QString("1 new line below")
                                          : QString("%1 new lines below").arg(newLines));
        m_newLines->adjustSize();
        PlaceScrollControls();
    }
}

void TextView::PlaceScrollControls() {
    QRect inner = contentsRect();
    if (m_findBar != nullptr && !m_findBar->isHidden()) {
        const int height = m_findBar->sizeHint().height();
        m_findBar->setGeometry(inner.left(), inner.bottom() + 1 - height, inner.width(), height);
        inner.setBottom(inner.bottom() - height);
    }
    const int barWidth = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(inner.right() + 1 - barWidth, inner.top(), barWidth, inner.height());
    const QSize marker = m_newLines->sizeHint();
    m_newLines->setGeometry(inner.right() + 1 - barWidth - marker.width() - 4,
                            inner.bottom() + 1 - marker.height() - 4, marker.width(),
                            marker.height());
}

void TextView::wheelEvent(QWheelEvent* event) {
    const int steps = event->angleDelta().y() / 120;
    if (steps != 0) {
        ScrollRows(-steps * kWheelRows);
    }
    event->accept();
}

void TextView::keyPressEvent(QKeyEvent* event) {
    if (event->matches(QKeySequence::Copy)) {
        CopySelection();
        return;
    }
    if (!ScrollKey(*event, false) && !FindKey(*event)) {
        QFrame::keyPressEvent(event);
    }
}

void TextView::WatchKeysOf(QWidget* watched) {
    m_keysOf = watched;
    watched->installEventFilter(this);
}

bool TextView::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_keysOf || event->type() != QEvent::KeyPress) {
        return QFrame::eventFilter(watched, event);
    }
    const auto& key = static_cast<const QKeyEvent&>(*event);
    // The line's own selection is copied as a line edit does; with none, the view's is.
    if (key.matches(QKeySequence::Copy) && !SelectedText().empty() &&
        !m_keysOf->property("hasSelectedText").toBool()) {
        CopySelection();
        return true;
    }
    return ScrollKey(key, true) || FindKey(key);
}

// End in the input line still moves its caret, and returns the view to live on the way.
bool TextView::ScrollKey(const QKeyEvent& event, bool fromInput) {
    switch (event.key()) {
    case Qt::Key_PageUp:
        PageUp();
        return true;
    case Qt::Key_PageDown:
        PageDown();
        return true;
    case Qt::Key_End:
        GoLive();
        return !fromInput;
    default:
        return false;
    }
}

void TextView::paintEvent(QPaintEvent* event) {
    QFrame::paintEvent(event);
    if (m_lookOf) {
        const ViewLook look = m_lookOf();
        if (look != m_look) {
            m_look = look;
            m_rows.clear();
        }
    }
    QPainter painter(this);
    const QRect inner = contentsRect();
    painter.fillRect(inner, Qt::white);
    painter.setClipRect(inner);
    painter.translate(inner.topLeft());
    const RowSpan span = Span();
    if (span.Empty()) {
        return;
    }
    // Row k owns the 20-pixel band from 20k: its line's picture at (2, 20k + 1), its text 5
    // pixels down, and 25 pixels in when there is a picture. (Advancing rows by the font's
    // height instead would let pictures drift beside other people's lines.) Fewer rows than
    // fit start at the top.
    UpdateFound();
    const QColor highlight(m_look.highlight.red, m_look.highlight.green, m_look.highlight.blue);
    for (const ShownRow& row : ShownRows()) {
        const LineStore::Id line = row.place.line;
        if (m_lines.Highlight(line)) {
            painter.fillRect(0, row.top, inner.width(), kLinePixels, highlight);
        }
        DrawMarks(painter, row);
        if (const std::string& pict = m_lines.Pict(line); !pict.empty()) {
            DrawPict(painter, 1, row.top, pict);
        }
        const std::string& text = Rows(line)[static_cast<std::size_t>(row.place.row)];
        PrintExtra(painter, row.x, row.top + kTextDrop, text, m_lines.Colour(line));
        DrawLinks(painter, row);
    }
}

void TextView::DrawPict(QPainter& painter, int x, int y, const std::string& name) {
    painter.drawImage(QPoint(x + 1, y + 1), m_pictures.Picture(name, devicePixelRatioF()));
}

void TextView::PrintExtra(QPainter& painter, double x, double y, const std::string& text,
                          irc::Rgb colour) {
    const bool utf8 = IsUtf8Text(text);
    const double baseline = y + m_metrics.Ascent();
    irc::TextStyle style;
    style.colour = colour;
    irc::ScanCodes(text, style, [&](std::string_view run, const irc::TextStyle& in) {
        const QString screen = DecodeRun(run, utf8);
        painter.setFont(m_metrics.Font(in));
        painter.setPen(QColor(in.colour.red, in.colour.green, in.colour.blue));
        painter.drawText(QPointF(x, baseline), screen);
        x += m_metrics.RunWidth(screen, in);
    });
}

} // namespace korbi::panes
