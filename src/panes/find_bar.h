#pragma once
// The find bar along the bottom of a pane's text: the text to find, typed in, searched as it
// changes; "n of m" found; Enter or F3 for the next place, with Shift for the one before, and
// Escape to close.
#include <QWidget>

class QLabel;
class QLineEdit;

namespace korbi::panes {

class FindBar : public QWidget {
    Q_OBJECT
  public:
    explicit FindBar(QWidget* parent = nullptr);

    // Shows the bar with the focus in its text, which is selected to be typed over.
    void Open();
    // Shows "n of m", or that nothing was found.
    void ShowCount(int current, int total);

  signals:
    void TextChanged(const std::string& text);
    void Next();
    void Previous();
    void Closed();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QLineEdit* m_text;
    QLabel* m_count;
};

} // namespace korbi::panes
