#include "prefs/about_box.h"

#include "media/artwork.h"

#include <QGridLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace korbi::prefs {

namespace {

constexpr int kPictureSize = 64;

} // namespace

AboutBox::AboutBox(QWidget* parent)
    : ui::FormDialog(parent), m_picture(new QLabel(this)),
      m_version(new QLabel(kAboutVersion, this)), m_Command1(MakeButton("OK", "Command1", this)) {
    setObjectName("AboForm");
    m_version->setObjectName("VersionLabel");
    setWindowTitle("About KorBi");
    m_picture->setPixmap(
        QPixmap::fromImage(media::ApplicationIcon(kPictureSize, devicePixelRatioF())));
    m_picture->setAlignment(Qt::AlignTop);

    auto* title = new QLabel("<b>KorBi iRC Client</b>", this);
    auto* author = new QLabel("Written by the KorBi team.", this);
    auto* updates =
        new QLabel("News and updates: see the README file that comes with KorBi.", this);
    updates->setWordWrap(true);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_picture, 0, 0, 4, 1);
    layout->addWidget(title, 0, 1);
    layout->addWidget(m_version, 1, 1);
    layout->addWidget(author, 2, 1);
    layout->addWidget(updates, 3, 1);
    layout->addWidget(m_Command1, 4, 0, 1, 2, Qt::AlignHCenter);
    layout->setColumnStretch(1, 1);
    layout->setHorizontalSpacing(16);
    layout->setVerticalSpacing(8);
    layout->setRowMinimumHeight(4, m_Command1->sizeHint().height() + 8);
    resize(400, 210);

    m_Command1->setDefault(true);
    connect(m_Command1, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace korbi::prefs
