#include "app/main_frame.h"
#include "media/artwork.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QPixmap>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program folder is the per-user data folder: ~/.local/share/korbi.
    QApplication::setApplicationName("korbi");
    QGuiApplication::setDesktopFileName("korbi");
    QIcon icon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        icon.addPixmap(QPixmap::fromImage(korbi::media::ApplicationIcon(size)));
    }
    QApplication::setWindowIcon(icon);
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    korbi::app::MainFrame frame(folder.toStdString());
    if (frame.StartupFailed()) {
        return 1;
    }
    frame.show();
    const int status = QApplication::exec();
    return status != 0 ? status : frame.ExitStatus();
}
