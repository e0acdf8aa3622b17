#pragma once
// The window shown while the main frame starts: the program's name and, in Label1, the step
// start-up is at.
#include <QWidget>

class QLabel;

namespace korbi::app {

class SplashScreen : public QWidget {
    Q_OBJECT
  public:
    explicit SplashScreen(QWidget* parent = nullptr);

    // Shows text in Label1 and paints it at once: start-up runs without returning to the event
    // loop, so a queued update would only appear when it is over.
    void ShowStep(const QString& text);

  private:
    void CentreOnScreen();

    QLabel* m_icon;
    QLabel* m_label1;
};

} // namespace korbi::app
