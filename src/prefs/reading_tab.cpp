#include "prefs/reading_tab.h"

#include "core/reading_settings.h"
#include "ui/dialog_fields.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStringList>

#include <string>
#include <string_view>

namespace korbi::prefs {
namespace {

constexpr std::array<std::string_view, 3> kSoundSettings = {
    core::kHighlightSound, core::kPrivateSound, core::kNotifySound};

std::string Text(std::string_view view) {
    return std::string(view);
}

// "red,green,blue", each 0..255; anything else is the default light yellow.
QColor ParseColour(const std::string& text) {
    const QStringList parts = QString::fromStdString(text).split(',');
    if (parts.size() == 3) {
        int rgb[3] = {};
        bool valid = true;
        for (int k = 0; k < 3; ++k) {
            bool number = false;
            rgb[k] = parts[k].trimmed().toInt(&number);
            valid = valid && number && rgb[k] >= 0 && rgb[k] <= 255;
        }
        if (valid) {
            return QColor(rgb[0], rgb[1], rgb[2]);
        }
    }
    return ParseColour(Text(core::kHighlightColourDefault));
}

std::string ColourText(const QColor& colour) {
    return std::to_string(colour.red()) + "," + std::to_string(colour.green()) + "," +
           std::to_string(colour.blue());
}

// Writes name's line only when value differs from what the file says, or from the default
// when the file says nothing.
void StoreIfChanged(core::ExtraSettings& extras, std::string_view name, const std::string& value,
                    const std::string& fallback) {
    if (extras.Value(name).value_or(fallback) != value) {
        extras.SetValue(name, value);
    }
}

template <typename Widget> Widget* Named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

} // namespace

ReadingTab::ReadingTab(QWidget* parent)
    : QWidget(parent), m_scrollback(Named(new QSpinBox, "ScrollbackLines")),
      m_timeStamps(Named(new QCheckBox("Show the time before each line"), "TimeStamps")),
      m_logTimeStamps(
          Named(new QCheckBox("Write the time before each line of the logs"), "LogTimeStamps")),
      m_highlightWords(Named(new QLineEdit, "HighlightWords")),
      m_highlightColour(Named(new QPushButton, "HighlightColour")),
      m_sounds{SoundField{Named(new QLineEdit, "HighlightSound"),
                          Named(new QPushButton("Browse..."), "HighlightSoundBrowse")},
               SoundField{Named(new QLineEdit, "PrivateSound"),
                          Named(new QPushButton("Browse..."), "PrivateSoundBrowse")},
               SoundField{Named(new QLineEdit, "NotifySound"),
                          Named(new QPushButton("Browse..."), "NotifySoundBrowse")}} {
    m_scrollback->setRange(0, core::kScrollbackMax);
    m_scrollback->setSingleStep(500);
    m_highlightWords->setToolTip("Words besides your nick that highlight a line, separated by "
                                 "blanks");
    auto* form = new QFormLayout(this);
    form->addRow("Lines kept in each pane:", m_scrollback);
    form->addRow(m_timeStamps);
    form->addRow(m_logTimeStamps);
    form->addRow("Highlight words:", m_highlightWords);
    form->addRow("Highlight colour:", m_highlightColour);
    const char* captions[] = {
        "Highlight sound:", "Private message sound:", "Notify arrival sound:"};
    for (std::size_t k = 0; k < m_sounds.size(); ++k) {
        auto* row = new QHBoxLayout;
        row->addWidget(m_sounds[k].file);
        row->addWidget(m_sounds[k].browse);
        form->addRow(captions[k], row);
        QLineEdit* file = m_sounds[k].file;
        connect(m_sounds[k].browse, &QPushButton::clicked, this,
                [this, file] { ChooseSound(file); });
    }
    connect(m_highlightColour, &QPushButton::clicked, this, &ReadingTab::ChooseColour);
}

void ReadingTab::Load(const core::ExtraSettings& extras) {
    m_scrollback->setValue(
        extras.Number(core::kScrollbackLines, core::kScrollbackDefault, 0, core::kScrollbackMax));
    m_timeStamps->setChecked(extras.Flag(core::kTimeStamps, false));
    m_logTimeStamps->setChecked(extras.Flag(core::kLogTimeStamps, false));
    ui::SetFieldBytes(*m_highlightWords, extras.Value(core::kHighlightWords).value_or(""));
    ShowColour(ParseColour(extras.Value(core::kHighlightColour).value_or("")));
    for (std::size_t k = 0; k < m_sounds.size(); ++k) {
        ui::SetFieldBytes(*m_sounds[k].file, extras.Value(kSoundSettings[k]).value_or(""));
    }
}

void ReadingTab::Store(core::ExtraSettings& extras) const {
    if (m_scrollback->value() !=
        extras.Number(core::kScrollbackLines, core::kScrollbackDefault, 0, core::kScrollbackMax)) {
        extras.SetNumber(core::kScrollbackLines, m_scrollback->value());
    }
    if (m_timeStamps->isChecked() != extras.Flag(core::kTimeStamps, false)) {
        extras.SetFlag(core::kTimeStamps, m_timeStamps->isChecked());
    }
    if (m_logTimeStamps->isChecked() != extras.Flag(core::kLogTimeStamps, false)) {
        extras.SetFlag(core::kLogTimeStamps, m_logTimeStamps->isChecked());
    }
    StoreIfChanged(extras, core::kHighlightWords, ui::FieldBytes(*m_highlightWords), "");
    // The stored text is compared as a colour: " 255, 250,205" and the default are the same.
    if (ParseColour(extras.Value(core::kHighlightColour).value_or("")) != m_colour) {
        extras.SetValue(core::kHighlightColour, ColourText(m_colour));
    }
    for (std::size_t k = 0; k < m_sounds.size(); ++k) {
        StoreIfChanged(extras, kSoundSettings[k], ui::FieldBytes(*m_sounds[k].file), "");
    }
}

void ReadingTab::ShowColour(const QColor& colour) {
    m_colour = colour;
    m_highlightColour->setText(colour.name());
    m_highlightColour->setStyleSheet(
        QString("background-color: %1; color: black;").arg(colour.name()));
}

// The dialogs open without blocking: the answer comes back as a signal.
void ReadingTab::ChooseColour() {
    auto* dialog = new QColorDialog(m_colour, this);
    dialog->setObjectName("HighlightColourDialog");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &QColorDialog::colorSelected, this, &ReadingTab::ShowColour);
    dialog->open();
}

void ReadingTab::ChooseSound(QLineEdit* file) {
    auto* dialog =
        new QFileDialog(this, "Choose a sound", file->text(), "Wave files (*.wav *.WAV)");
    dialog->setObjectName("SoundFileDialog");
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::ExistingFile);
    connect(dialog, &QFileDialog::fileSelected, file,
            [file](const QString& chosen) { file->setText(chosen); });
    dialog->open();
}

} // namespace korbi::prefs
