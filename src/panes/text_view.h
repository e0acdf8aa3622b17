#pragma once
// The text area of a pane: draws the pane's stored lines, each with its picture and in its
// colours. Printing only changes the store and asks for a repaint; repaints are held back for
// a moment so that a flood of lines costs one repaint per moment, not one per line. Files can be
// dropped on it.
#include "panes/line_store.h"

#include <QFrame>
#include <QTimer>

#include <string>
#include <vector>

namespace korbi::panes {

class PictureCache;
class TextMetrics;

class TextView : public QFrame {
    Q_OBJECT
  public:
    TextView(const LineStore& lines, TextMetrics& metrics, PictureCache& pictures,
             QWidget* parent = nullptr);

    // The drawing area inside the sunken border.
    int InnerWidth() const { return contentsRect().width(); }
    int InnerHeight() const { return contentsRect().height(); }

    // The lines changed: repaint soon.
    void ScheduleRepaint();

  signals:
    // Something holding files was dropped: their full paths, local files only.
    void FilesDropped(const std::vector<std::string>& files);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void DrawPict(QPainter& painter, int x, int y, const std::string& name);
    void PrintExtra(QPainter& painter, double x, double y, const LineRecord& record);

    const LineStore& m_lines;
    TextMetrics& m_metrics;
    PictureCache& m_pictures;
    QTimer m_repaintTimer;
};

} // namespace korbi::panes
