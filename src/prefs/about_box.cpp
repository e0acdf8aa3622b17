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
    : FormDialog(parent), m_picture(new QLabel(this)), m_version(new QLabel(kAboutVersion, this)),
      m_Command1(MakeButton("OK", "Command1", this)) {
    setObjectName("AboForm");
    setWindowTitle("About KorBi");
    m_picture->setPixmap(QPixmap::fromImage(media::ApplicationIcon(kPictureSize)));
    m_picture->setAlignment(Qt::AlignTop);

    auto* title = new QLabel("<b>KorBi iRC Client</b>", this);
    auto* author = new QLabel("Written by the KorBi developers, for chatting on IRC with "
                              "pictures, sounds and mail in one window.",
                              this);
    author->setWordWrap(true);
    auto* updates = new QLabel("Updates are published with the program's sources; the README "
                               "that comes with it tells where.",
                               this);
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
    resize(380, 200);

    m_Command1->setDefault(true);
    connect(m_Command1, &QPushButton::clicked, this, &QDialog::accept);
}

} // namespace korbi::prefs
