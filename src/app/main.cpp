#include "prefs/main_frame.h"

#include <QApplication>
#include <QDir>
#include <QStandardPaths>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The program folder is the per-user data folder: ~/.local/share/korbi.
    QApplication::setApplicationName("korbi");
    QGuiApplication::setDesktopFileName("korbi");
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    korbi::prefs::MainFrame frame(folder.toStdString());
    if (frame.StartupFailed()) {
        return 1;
    }
    frame.show();
    return QApplication::exec();
}
