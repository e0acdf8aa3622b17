#include "app/splash_screen.h"

#include "media/artwork.h"
#include "ui/frame_layout.h"
#include "ui/frame_title.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>
#include <QScreen>
#include <QVBoxLayout>

namespace korbi::app {

SplashScreen::SplashScreen(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), m_icon(new QLabel(this)),
      m_label1(new QLabel(this)) {
    setObjectName("SplashScreen");
    setFixedSize(ui::TwipsToPixels(5400), ui::TwipsToPixels(2700));
    setAutoFillBackground(true);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(0, 0, 128));
    colours.setColor(QPalette::WindowText, Qt::white);
    setPalette(colours);

    auto* border = new QFrame(this);
    border->setFrameShape(QFrame::Box);
    border->setGeometry(rect());

    auto* title = new QLabel(ui::kFrameTitle, this);
    QFont titleFont = title->font();
    titleFont.setPointSize(titleFont.pointSize() + 5);
    titleFont.setBold(true);
    title->setFont(titleFont);
    title->setAlignment(Qt::AlignCenter);

    m_icon->setAlignment(Qt::AlignCenter);
    m_icon->setPixmap(
        QPixmap::fromImage(media::ApplicationIcon(ui::TwipsToPixels(960), devicePixelRatioF())));
    m_label1->setObjectName("Label1");
    m_label1->setAlignment(Qt::AlignCenter);

    auto* layout = new QVBoxLayout(this);
    layout->addStretch();
    layout->addWidget(m_icon);
    layout->addWidget(title);
    layout->addStretch();
    layout->addWidget(m_label1);
    CentreOnScreen();
}

void SplashScreen::CentreOnScreen() {
    if (const QScreen* place = screen()) {
        move(place->availableGeometry().center() - rect().center());
    }
}

void SplashScreen::ShowStep(const QString& text) {
    m_label1->setText(text);
    if (isVisible()) {
        repaint();
    }
}

} // namespace korbi::app
