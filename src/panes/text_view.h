#pragma once
// The text area of a pane: draws the pane's kept lines, wrapped to its width, each row with its
// line's picture and in its colours. At rest it shows the newest rows; the wheel, PageUp and
// PageDown (from the pane's input line too) and a scroll bar shown while scrolled back move
// through the older ones, and a marker counts the lines that arrived below meanwhile. Printing
// only changes the store and asks for a repaint; repaints are held back for a moment so that a
// flood of lines costs one repaint per moment, not one per line. Files can be dropped on it.
#include "panes/line_store.h"
#include "panes/row_walk.h"
#include "panes/text_spans.h"
#include "panes/view_look.h"

#include <QFrame>
#include <QTimer>

#include <functional>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class QLabel;
class QScrollBar;

namespace korbi::panes {

class FindBar;
class PictureCache;
class TextMetrics;

// A place between two characters of a line's plain text.
struct TextPoint {
    LineStore::Id line = 0;
    std::size_t offset = 0;
    friend bool operator==(const TextPoint&, const TextPoint&) = default;
    friend auto operator<=>(const TextPoint&, const TextPoint&) = default;
};

class TextView : public QFrame {
    Q_OBJECT
  public:
    TextView(const LineStore& lines, TextMetrics& metrics, PictureCache& pictures,
             QWidget* parent = nullptr);

    // The drawing area inside the sunken border.
    int InnerWidth() const { return contentsRect().width(); }
    int InnerHeight() const { return contentsRect().height(); }
    // The rows shown: as many as fit above the find bar while it is open.
    int ViewRows() const;

    void SetLookProvider(std::function<ViewLook()> provider) { m_lookOf = std::move(provider); }

    // The lines changed: repaint soon.
    void ScheduleRepaint();
    // The fonts or the look changed: wrap the lines again and repaint soon.
    void Rewrap();
    // The lines were replaced or emptied: back to the newest line.
    void Reset();

    // Scrolling, in rows; a move down to the newest row returns to live.
    void ScrollRows(int count);
    void PageUp() { ScrollRows(-std::max(1, ViewRows() - 1)); }
    void PageDown() { ScrollRows(std::max(1, ViewRows() - 1)); }
    void ScrollToLine(LineStore::Id line);
    void GoLive();
    bool IsLive() const { return !m_scrolledTo.has_value(); }
    // Lines printed since the view was scrolled back.
    int NewLinesBelow() const;

    // PageUp, PageDown and End typed in watched (the pane's input line) move this view;
    // Ctrl+F opens the find bar, and Ctrl+C with nothing selected there copies this view's
    // selection.
    void WatchKeysOf(QWidget* watched);

    // ---- Selection and links (text_view_select.cpp)

    // The selected text as plain text, lines separated by "\n"; empty when none.
    std::string SelectedText() const;
    // Puts the selection on the clipboard, and on the X11 selection where there is one.
    void CopySelection() const;
    // How a link is opened; the desktop's handler unless replaced.
    void SetLinkOpener(std::function<void(const QString&)> opener) {
        m_openLink = std::move(opener);
    }

    // ---- Find (text_view_find.cpp)

    void OpenFind();
    void CloseFind();
    // The places found in the kept lines, oldest first, and the one gone to (-1: none).
    const std::vector<FoundText>& Found() const { return m_found; }
    int CurrentFound() const { return m_currentFound; }

  signals:
    // Something holding files was dropped: their full paths, local files only.
    void FilesDropped(const std::vector<std::string>& files);
    // A channel name in the text was clicked.
    void ChannelActivated(const std::string& name);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    // A row in sight: where it is drawn and where its plain text starts in its line's (the
    // time before a line's first row starts before it).
    struct ShownRow {
        RowPlace place;
        int top = 0;
        int x = 0;
        long plainStart = 0;
    };
    // Each character of a shown row: its bytes in the line's plain text and its pixels.
    struct CharBox {
        long offset = 0;
        long bytes = 0;
        double left = 0;
        double right = 0;
    };

    bool ScrollKey(const QKeyEvent& event, bool fromInput);
    bool FindKey(const QKeyEvent& event);
    std::vector<ShownRow> ShownRows();
    std::vector<CharBox> Boxes(const ShownRow& row);
    // The pixels of a row that span (in its line's plain text) takes, empty when none.
    std::pair<double, double> SpanPixels(const ShownRow& row, TextSpan span);
    std::optional<TextPoint> PointAt(const QPoint& pos, bool nearest);
    std::optional<Link> LinkAt(const QPoint& pos);
    void DrawMarks(QPainter& painter, const ShownRow& row);
    void DrawLinks(QPainter& painter, const ShownRow& row);
    void ShareSelection() const;
    // A drag held above or below the rows scrolls them, a few rows per tick, and takes the
    // selection along.
    void FollowDrag(const QPoint& pos);
    void DragScrollTick();
    void UpdateFound();
    void GoToFound(int step);
    RowSpan Span();
    // The rows line id is drawn as, the time before the first.
    const std::vector<std::string>& Rows(LineStore::Id id);
    RowPlace BottomRow();
    void ScrollTo(const RowSpan& span, RowPlace bottom);
    void ScrollChanged();
    void PlaceScrollControls();
    void DrawPict(QPainter& painter, int x, int y, const std::string& name);
    void PrintExtra(QPainter& painter, double x, double y, const std::string& text,
                    irc::Rgb colour);

    const LineStore& m_lines;
    TextMetrics& m_metrics;
    PictureCache& m_pictures;
    QTimer m_repaintTimer;
    std::function<ViewLook()> m_lookOf;
    ViewLook m_look;
    // The rows of lines wrapped lately, for the width and look they were wrapped at.
    std::unordered_map<LineStore::Id, std::vector<std::string>> m_rows;
    std::function<void(const QString&)> m_openLink;
    std::optional<TextPoint> m_selectFrom;
    std::optional<TextPoint> m_selectTo;
    bool m_selecting = false;
    QTimer m_dragScroll;
    QPoint m_dragAt;
    FindBar* m_findBar = nullptr;
    std::string m_findText;
    std::vector<FoundText> m_found;
    LineStore::Id m_foundEnd = 0; // lines from here on are not searched yet
    int m_currentFound = -1;
    std::optional<RowPlace> m_scrolledTo; // the bottom row while scrolled back
    LineStore::Id m_endWhenScrolled = 0;
    QWidget* m_keysOf = nullptr;
    QScrollBar* m_scrollBar;
    QLabel* m_newLines;
};

} // namespace korbi::panes
