#pragma once
// AboForm, "About KorBi": the program's picture, its version and where it comes from.
#include "ui/form_dialog.h"

class QLabel;
class QPushButton;

namespace korbi::prefs {

inline constexpr const char* kAboutVersion = "Version 1.0 Beta 4 (Build B4R0) ";

class AboutBox : public ui::FormDialog {
    Q_OBJECT
  public:
    explicit AboutBox(QWidget* parent = nullptr);

    // Nothing to load: the box shows fixed texts.
    void Form_Load() override {}

    QLabel* Picture() const { return m_picture; }

  private:
    QLabel* m_picture;
    QLabel* m_version;
    QPushButton* m_Command1;
};

} // namespace korbi::prefs
