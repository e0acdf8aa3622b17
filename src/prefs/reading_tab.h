#pragma once
// The "Reading" tab of the preferences: how many lines a pane keeps, the time stamps, what
// makes a highlight and how it looks, and the sound of each event that asks for attention.
// Its settings live in the extras section, and a line is written only for a value the user
// changed, so a file whose user never opened the tab stays as it was.
#include "core/extra_settings.h"

#include <QColor>
#include <QWidget>

#include <array>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace korbi::prefs {

class ReadingTab : public QWidget {
    Q_OBJECT
  public:
    explicit ReadingTab(QWidget* parent = nullptr);

    // Shows the stored values (or the defaults).
    void Load(const core::ExtraSettings& extras);
    // Stores what differs from what is stored (or from the default).
    void Store(core::ExtraSettings& extras) const;

  private:
    struct SoundField {
        QLineEdit* file;
        QPushButton* browse;
    };

    void ChooseColour();
    void ChooseSound(QLineEdit* file);
    void ShowColour(const QColor& colour);

    QSpinBox* m_scrollback;
    QCheckBox* m_timeStamps;
    QCheckBox* m_logTimeStamps;
    QLineEdit* m_highlightWords;
    QPushButton* m_highlightColour;
    std::array<SoundField, 3> m_sounds;
    QColor m_colour;
};

} // namespace korbi::prefs
