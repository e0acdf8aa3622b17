// The text view's selection and links: where the characters of the rows in sight stand, what a
// drag selects and copies, and what a click on a link opens.
#include "panes/text_view.h"

#include "panes/text_metrics.h"
#include "panes/time_stamp.h"
#include "platform/text_encoding.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QMouseEvent>
#include <QPainter>
#include <QUrl>

#include <algorithm>

namespace korbi::panes {

namespace {

constexpr int kPictIndent = 25;
const QColor kSelection(173, 214, 255);
const QColor kFound(255, 255, 0);
const QColor kCurrentFound(255, 160, 0);
// Scrolling while a drag is held past an edge: some 25 rows a second, slow enough to stop
// where wanted.
constexpr int kDragScrollMs = 80;
constexpr int kDragScrollRows = 2;

std::size_t CharBytes(std::string_view run, std::size_t at, bool utf8) {
    if (!utf8) {
        return 1;
    }
    const auto lead = static_cast<unsigned char>(run[at]);
    const std::size_t bytes = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc0 ? 2 : 1;
    return std::min(bytes, run.size() - at);
}

} // namespace

std::vector<TextView::ShownRow> TextView::ShownRows() {
    std::vector<ShownRow> shown;
    const RowSpan span = Span();
    if (span.Empty()) {
        return shown;
    }
    const std::vector<RowPlace> rows = RowsUpTo(span, BottomRow(), ViewRows());
    const long stamp = m_look.timeStamps ? static_cast<long>(TimeStampText(0).size()) : 0;
    for (std::size_t k = 0; k < rows.size(); ++k) {
        const RowPlace& place = rows[k];
        const std::vector<std::string>& lineRows = Rows(place.line);
        long start = -stamp;
        for (int r = 0; r < place.row; ++r) {
            start += static_cast<long>(PlainText(lineRows[static_cast<std::size_t>(r)]).size());
        }
        const int x = m_lines.Pict(place.line).empty() ? 0 : kPictIndent;
        shown.push_back({place, kLinePixels * static_cast<int>(k), x, start});
    }
    return shown;
}

std::vector<TextView::CharBox> TextView::Boxes(const ShownRow& row) {
    std::vector<CharBox> boxes;
    const std::string& text = Rows(row.place.line)[static_cast<std::size_t>(row.place.row)];
    const bool utf8 = IsUtf8Text(text);
    double x = row.x;
    long offset = row.plainStart;
    irc::TextStyle style;
    irc::ScanCodes(text, style, [&](std::string_view run, const irc::TextStyle& in) {
        for (std::size_t at = 0; at < run.size();) {
            const std::size_t bytes = CharBytes(run, at, utf8);
            const double width = m_metrics.RunWidth(run.substr(at, bytes), utf8, in);
            boxes.push_back({offset, static_cast<long>(bytes), x, x + width});
            x += width;
            offset += static_cast<long>(bytes);
            at += bytes;
        }
    });
    return boxes;
}

std::pair<double, double> TextView::SpanPixels(const ShownRow& row, TextSpan span) {
    double left = 0;
    double right = 0;
    bool any = false;
    for (const CharBox& box : Boxes(row)) {
        if (box.offset < 0 || static_cast<std::size_t>(box.offset) < span.start ||
            static_cast<std::size_t>(box.offset) >= span.End()) {
            continue;
        }
        left = any ? std::min(left, box.left) : box.left;
        right = std::max(right, box.right);
        any = true;
    }
    return {left, any ? right : left};
}

// The place between characters nearest to pos; with nearest, a point off the rows takes the
// nearest row's end.
std::optional<TextPoint> TextView::PointAt(const QPoint& pos, bool nearest) {
    const std::vector<ShownRow> rows = ShownRows();
    if (rows.empty()) {
        return std::nullopt;
    }
    const QPoint at = pos - contentsRect().topLeft();
    int k = at.y() / kLinePixels;
    if (at.y() < 0 || k >= static_cast<int>(rows.size())) {
        if (!nearest) {
            return std::nullopt;
        }
        k = at.y() < 0 ? 0 : static_cast<int>(rows.size()) - 1;
    }
    const ShownRow& row = rows[static_cast<std::size_t>(k)];
    const std::size_t plainSize = PlainText(m_lines.Text(row.place.line)).size();
    long offset = row.plainStart;
    for (const CharBox& box : Boxes(row)) {
        offset = box.offset;
        if (at.x() < (box.left + box.right) / 2) {
            break;
        }
        offset = box.offset + box.bytes;
    }
    const auto clamped =
        static_cast<std::size_t>(std::clamp<long>(offset, 0, static_cast<long>(plainSize)));
    return TextPoint{row.place.line, clamped};
}

std::optional<Link> TextView::LinkAt(const QPoint& pos) {
    const std::vector<ShownRow> rows = ShownRows();
    const QPoint at = pos - contentsRect().topLeft();
    const int k = at.y() / kLinePixels;
    if (at.y() < 0 || k >= static_cast<int>(rows.size())) {
        return std::nullopt;
    }
    const ShownRow& row = rows[static_cast<std::size_t>(k)];
    for (const CharBox& box : Boxes(row)) {
        if (box.offset < 0 || at.x() < box.left || at.x() >= box.right) {
            continue;
        }
        for (const Link& link : FindLinks(PlainText(m_lines.Text(row.place.line)))) {
            if (static_cast<std::size_t>(box.offset) >= link.span.start &&
                static_cast<std::size_t>(box.offset) < link.span.End()) {
                return link;
            }
        }
    }
    return std::nullopt;
}

// Behind the text: the places found and the selection; under it, the links.
void TextView::DrawMarks(QPainter& painter, const ShownRow& row) {
    const auto fill = [&](TextSpan span, const QColor& colour) {
        const auto [left, right] = SpanPixels(row, span);
        if (right > left) {
            painter.fillRect(QRectF(left, row.top, right - left, kLinePixels), colour);
        }
    };
    const auto first = std::lower_bound(
        m_found.begin(), m_found.end(), row.place.line,
        [](const FoundText& found, LineStore::Id line) { return found.line < line; });
    for (auto found = first; found != m_found.end() && found->line == row.place.line; ++found) {
        fill(found->span, found - m_found.begin() == m_currentFound ? kCurrentFound : kFound);
    }
    if (m_selectFrom && m_selectTo && *m_selectFrom != *m_selectTo) {
        const TextPoint from = std::min(*m_selectFrom, *m_selectTo);
        const TextPoint to = std::max(*m_selectFrom, *m_selectTo);
        const LineStore::Id line = row.place.line;
        if (line >= from.line && line <= to.line) {
            const std::size_t start = line == from.line ? from.offset : 0;
            const std::size_t end = line == to.line ? to.offset : std::string::npos;
            fill({start, end - start}, kSelection);
        }
    }
}

void TextView::DrawLinks(QPainter& painter, const ShownRow& row) {
    const std::vector<Link> links = FindLinks(PlainText(m_lines.Text(row.place.line)));
    if (links.empty()) {
        return;
    }
    const irc::Rgb colour = m_lines.Colour(row.place.line);
    painter.setPen(QColor(colour.red, colour.green, colour.blue));
    const double y = row.top + 5 + m_metrics.Ascent() + 1.5;
    for (const Link& link : links) {
        const auto [left, right] = SpanPixels(row, link.span);
        if (right > left) {
            painter.drawLine(QPointF(left, y), QPointF(right, y));
        }
    }
}

std::string TextView::SelectedText() const {
    if (!m_selectFrom || !m_selectTo || *m_selectFrom == *m_selectTo) {
        return {};
    }
    const TextPoint from = std::min(*m_selectFrom, *m_selectTo);
    const TextPoint to = std::max(*m_selectFrom, *m_selectTo);
    std::string text;
    for (LineStore::Id line = std::max(from.line, m_lines.FirstId());
         line <= to.line && line < m_lines.EndId(); ++line) {
        const std::string plain = PlainText(m_lines.Text(line));
        const std::size_t start = std::min(line == from.line ? from.offset : 0, plain.size());
        const std::size_t end = std::min(line == to.line ? to.offset : plain.size(), plain.size());
        if (!text.empty() || line != std::max(from.line, m_lines.FirstId())) {
            text += '\n';
        }
        text += plain.substr(start, end - start);
    }
    return text;
}

void TextView::CopySelection() const {
    const std::string text = SelectedText();
    if (text.empty()) {
        return;
    }
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(platform::BytesToScreen(text), QClipboard::Clipboard);
    if (clipboard->supportsSelection()) {
        clipboard->setText(platform::BytesToScreen(text), QClipboard::Selection);
    }
}

void TextView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QFrame::mousePressEvent(event);
        return;
    }
    m_selectFrom = PointAt(event->position().toPoint(), true);
    m_selectTo = m_selectFrom;
    m_selecting = true;
    update();
}

void TextView::mouseMoveEvent(QMouseEvent* event) {
    if (!m_selecting) {
        return;
    }
    FollowDrag(event->position().toPoint());
    m_selectTo = PointAt(m_dragAt, true);
    update();
}

void TextView::FollowDrag(const QPoint& pos) {
    m_dragAt = pos;
    const int y = pos.y() - contentsRect().top();
    if (y >= 0 && y < ViewRows() * kLinePixels) {
        m_dragScroll.stop();
        return;
    }
    if (!m_dragScroll.isActive()) {
        m_dragScroll.start(kDragScrollMs);
    }
}

void TextView::DragScrollTick() {
    if (!m_selecting) {
        m_dragScroll.stop();
        return;
    }
    const bool above = m_dragAt.y() < contentsRect().top();
    ScrollRows(above ? -kDragScrollRows : kDragScrollRows);
    m_selectTo = PointAt(m_dragAt, true);
    update();
}

// A click that selected nothing opens the link under it; a drag leaves its text on the X11
// selection, as X11 programs do.
void TextView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || !m_selecting) {
        QFrame::mouseReleaseEvent(event);
        return;
    }
    m_selecting = false;
    m_dragScroll.stop();
    m_selectTo = PointAt(event->position().toPoint(), true);
    if (m_selectFrom != m_selectTo) {
        ShareSelection();
        update();
        return;
    }
    m_selectFrom.reset();
    m_selectTo.reset();
    if (const std::optional<Link> link = LinkAt(event->position().toPoint())) {
        if (link->kind == Link::Kind::Channel) {
            emit ChannelActivated(link->target);
        } else if (m_openLink) {
            m_openLink(platform::BytesToScreen(link->target));
        } else {
            QDesktopServices::openUrl(QUrl(platform::BytesToScreen(link->target)));
        }
    }
}

void TextView::mouseDoubleClickEvent(QMouseEvent* event) {
    const std::optional<TextPoint> point = PointAt(event->position().toPoint(), false);
    if (!point) {
        return;
    }
    const TextSpan word = WordAt(PlainText(m_lines.Text(point->line)), point->offset);
    if (word.length == 0) {
        return;
    }
    m_selecting = false;
    m_selectFrom = TextPoint{point->line, word.start};
    m_selectTo = TextPoint{point->line, word.End()};
    ShareSelection();
    update();
}

void TextView::ShareSelection() const {
    QClipboard* clipboard = QApplication::clipboard();
    if (clipboard->supportsSelection()) {
        clipboard->setText(platform::BytesToScreen(SelectedText()), QClipboard::Selection);
    }
}

} // namespace korbi::panes
